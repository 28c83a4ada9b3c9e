#include "worker_line_assembler.h"

namespace vantrel::link {

std::string trimmed(const std::string& text) {
  const char* blanks = " \t\r\n\v\f";
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

std::vector<std::string> WorkerLineAssembler::feed(const std::string& chunk) {
  buffer_ += chunk;
  std::vector<std::string> lines;
  size_t start = 0;
  size_t newline;
  while ((newline = buffer_.find('\n', start)) != std::string::npos) {
    std::string line = trimmed(buffer_.substr(start, newline - start));
    if (!line.empty()) lines.push_back(std::move(line));
    start = newline + 1;
  }
  buffer_.erase(0, start);
  return lines;
}

}  // namespace vantrel::link
