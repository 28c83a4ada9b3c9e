#include "child_sanitizer_reports.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

namespace fs = std::filesystem;

namespace {

constexpr const char* kReportName = "report";

std::optional<std::string> env_value(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

void restore(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

// A flag's last value in the options wins. AddressSanitizer reads ASAN_OPTIONS and
// UndefinedBehaviorSanitizer UBSAN_OPTIONS, so both get the path.
void add_log_path(const char* name, const std::optional<std::string>& current,
                  const fs::path& prefix) {
  std::string options = current.value_or("");
  if (!options.empty()) options += ':';
  options += "log_path=" + prefix.string();
  setenv(name, options.c_str(), 1);
}

}  // namespace

ChildSanitizerReports::ChildSanitizerReports(const fs::path& folder)
    : folder_(fs::absolute(folder)),
      asan_options_(env_value("ASAN_OPTIONS")),
      ubsan_options_(env_value("UBSAN_OPTIONS")) {
  fs::create_directories(folder_);
  add_log_path("ASAN_OPTIONS", asan_options_, folder_ / kReportName);
  add_log_path("UBSAN_OPTIONS", ubsan_options_, folder_ / kReportName);
}

ChildSanitizerReports::~ChildSanitizerReports() {
  restore("ASAN_OPTIONS", asan_options_);
  restore("UBSAN_OPTIONS", ubsan_options_);
}

std::string ChildSanitizerReports::reports() const {
  // A sanitizer names its file <log_path>.<pid>.
  std::set<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder_, error)) {
    if (entry.path().filename().string().rfind(std::string(kReportName) + ".", 0) == 0) {
      files.insert(entry.path());
    }
  }
  std::string text;
  for (const fs::path& file : files) {
    std::ifstream in(file);
    text += "--- " + file.string() + "\n";
    text.append(std::istreambuf_iterator<char>(in), {});
  }
  return text;
}
