#include "hardware_address_lookup.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vantrel::platform {

namespace {

constexpr unsigned kArpEntryComplete = 0x2;  // ATF_COM

bool isHardwareAddressText(std::string_view text) {
  if (text.size() < 11 || text.size() > 17) return false;
  for (char c : text) {
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!hex && c != ':') return false;
  }
  return text != "00:00:00:00:00:00";
}

}  // namespace

HardwareAddressLookup::HardwareAddressLookup(CommandRunner& runner, Resolver resolver,
                                             std::filesystem::path arpTable)
    : runner_(runner), resolver_(std::move(resolver)), arpTable_(std::move(arpTable)) {}

std::optional<std::string> HardwareAddressLookup::lookUp(const std::string& host) {
  // Ping the resolved address itself: the row we read is the one this exchange fills, ping
  // cannot wander off to an IPv6 address, and a host text can never pass as an option.
  const std::optional<std::string> ipv4 = resolver_(host);
  if (!ipv4) return std::nullopt;
  runner_.run("ping", {"-c", "1", "-W", "2", *ipv4});  // its outcome does not matter

  std::ifstream file(arpTable_);
  if (!file) return std::nullopt;
  const std::string table{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return addressInArpTable(table, *ipv4);
}

std::optional<std::string> HardwareAddressLookup::addressInArpTable(std::string_view table,
                                                                    std::string_view ipv4) {
  // "IP address       HW type     Flags       HW address            Mask     Device"
  std::istringstream lines{std::string(table)};
  std::string line;
  std::getline(lines, line);  // the heading
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string address, type, flags, hardware;
    if (!(fields >> address >> type >> flags >> hardware) || address != ipv4) continue;
    const unsigned flagBits = static_cast<unsigned>(std::strtoul(flags.c_str(), nullptr, 16));
    if ((flagBits & kArpEntryComplete) && isHardwareAddressText(hardware)) return hardware;
  }
  return std::nullopt;
}

}  // namespace vantrel::platform
