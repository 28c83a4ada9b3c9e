#include "command_line_splitter.h"

void CommandLineSplitter::feed(std::string_view bytes, CommandQueue& queue) {
  // Only the new bytes can hold an LF: the pending ones were searched before.
  size_t search_from = pending_.size();
  pending_.append(bytes);
  size_t start = 0;
  size_t newline;
  while ((newline = pending_.find('\n', search_from)) != std::string::npos) {
    if (newline > start) queue.push(pending_.substr(start, newline - start));
    start = newline + 1;
    search_from = start;
  }
  pending_.erase(0, start);
}

void CommandLineSplitter::finish(CommandQueue& queue) {
  if (!pending_.empty()) queue.push(std::move(pending_));
  pending_.clear();
}
