#include "shell_collect.h"

#include <cstdio>

std::string fold_command_output(std::string text) {
  std::string folded;
  folded.reserve(text.size());
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') c = ';';
    if (c == ' ' && !folded.empty() && folded.back() == ' ') continue;
    folded.push_back(c);
  }
  return folded.empty() ? "no Canon/EOS/PTP USB lines found" : folded;
}

std::string shell_collect(const std::string& command, size_t limit) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return fold_command_output("popen failed");
  std::string text;
  char piece[256];
  while (std::fgets(piece, sizeof piece, pipe) != nullptr) {
    text += piece;
    if (text.size() >= limit) break;
  }
  pclose(pipe);
  return fold_command_output(text);
}
