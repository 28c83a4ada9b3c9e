// Turns the worker's output, read in arbitrary chunks, into trimmed, non-empty lines.
#pragma once

#include <string>
#include <vector>

namespace vantrel::link {

class WorkerLineAssembler {
 public:
  // Appends `chunk`; returns every line it completes, trimmed, empty ones dropped.
  std::vector<std::string> feed(const std::string& chunk);
  void clear() { buffer_.clear(); }
  const std::string& pending() const { return buffer_; }

 private:
  std::string buffer_;
};

// White space and line breaks removed from both ends.
std::string trimmed(const std::string& text);

}  // namespace vantrel::link
