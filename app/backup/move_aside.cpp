#include "move_aside.h"

#include <ctime>
#include <string>
#include <system_error>

#include "no_replace_rename.h"

namespace vantrel::backup {

namespace {

// A bound on the "-2", "-3" names, so that a folder which reports every name as taken cannot
// keep the launch waiting.
constexpr int kMostNames = 1000;

std::string localStamp(std::chrono::system_clock::time_point now) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  char stamp[32];
  const std::size_t length = std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  return std::string(stamp, length);
}

}  // namespace

std::filesystem::path moveAsideUnreadable(const std::filesystem::path& file,
                                          std::chrono::system_clock::time_point now) {
  const std::string base = file.filename().string() + ".unreadable-" + localStamp(now);
  std::filesystem::path tried;
  for (int number = 1; number <= kMostNames; ++number) {
    tried = file.parent_path() / (number == 1 ? base : base + "-" + std::to_string(number));
    std::error_code error;
    if (rename_no_replace(file, tried, error)) return tried;
    if (error != std::errc::file_exists) break;
  }
  return tried;
}

}  // namespace vantrel::backup
