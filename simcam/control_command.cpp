#include "control_command.h"

#include <charconv>
#include <vector>

namespace simcam {
namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::vector<std::string_view> split_words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && is_blank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !is_blank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::optional<int> parse_count(std::string_view word) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  if (value < 1 || value > kMaxShotsPerCommand) return std::nullopt;
  return value;
}

}  // namespace

std::optional<ControlCommand> parse_control_command(std::string_view line) {
  using Kind = ControlCommand::Kind;
  const std::vector<std::string_view> words = split_words(line);
  if (words.empty() || words.size() > 2) return std::nullopt;
  if (words[0] == "shoot") {
    if (words.size() == 1) return ControlCommand{Kind::Shoot, 1};
    const std::optional<int> count = parse_count(words[1]);
    if (!count) return std::nullopt;
    return ControlCommand{Kind::Shoot, *count};
  }
  if (words.size() != 1) return std::nullopt;
  if (words[0] == "shutdown") return ControlCommand{Kind::Shutdown, 0};
  if (words[0] == "unplug") return ControlCommand{Kind::Unplug, 0};
  if (words[0] == "plug") return ControlCommand{Kind::Plug, 0};
  return std::nullopt;
}

std::string format_control_command(const ControlCommand& command) {
  switch (command.kind) {
    case ControlCommand::Kind::Shoot:
      return command.count == 1 ? "shoot" : "shoot " + std::to_string(command.count);
    case ControlCommand::Kind::Shutdown:
      return "shutdown";
    case ControlCommand::Kind::Unplug:
      return "unplug";
    case ControlCommand::Kind::Plug:
      return "plug";
  }
  return {};
}

}  // namespace simcam
