#include "ledger_time.h"

#include <string_view>

namespace vantrel::ledger {

std::string isoLocalTime(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char text[40];
  if (std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local) == 0) return {};
  // strftime's "+0100" becomes ISO's "+01:00".
  const std::string_view written(text);
  if (written.size() < 5) return std::string(written);
  const std::string_view head = written.substr(0, written.size() - 2);
  return std::string(head) + ':' + std::string(written.substr(written.size() - 2));
}

std::string isoLocalTimeNow() {
  return isoLocalTime(std::time(nullptr));
}

}  // namespace vantrel::ledger
