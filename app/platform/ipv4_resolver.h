// Host name to IPv4 address, the one the address-resolution table is keyed by.
#pragma once

#include <optional>
#include <string>

namespace vantrel::platform {

// The first IPv4 address of `host` in dotted form ("192.168.1.20"); a dotted address is
// returned as it is without asking any name service. Nothing when it cannot be resolved.
std::optional<std::string> resolveIpv4(const std::string& host);

}  // namespace vantrel::platform
