// The hardware address of a network host on this link: one ping fills the kernel's
// address-resolution table, whose row for the host's IPv4 address then gives the address.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "command_runner.h"

namespace vantrel::platform {

class HardwareAddressLookup {
 public:
  using Resolver = std::function<std::optional<std::string>(const std::string& host)>;

  HardwareAddressLookup(CommandRunner& runner, Resolver resolver,
                        std::filesystem::path arpTable = "/proc/net/arp");

  // "aa:bb:cc:dd:ee:ff", or nothing when the host cannot be resolved or is not in the table.
  std::optional<std::string> lookUp(const std::string& host);

  // The address in the complete row of `table` (the text of /proc/net/arp) for `ipv4`.
  static std::optional<std::string> addressInArpTable(std::string_view table,
                                                      std::string_view ipv4);

 private:
  CommandRunner& runner_;
  Resolver resolver_;
  std::filesystem::path arpTable_;
};

}  // namespace vantrel::platform
