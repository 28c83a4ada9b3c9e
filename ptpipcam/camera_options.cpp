#include "camera_options.h"

#include <arpa/inet.h>

#include <charconv>

namespace ptpipcam {
namespace {

template <typename Number>
bool parse_number(const std::string& text, Number& out) {
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, out);
  return error == std::errc() && at == end && !text.empty();
}

bool is_loopback(const std::string& host) {
  in_addr address{};
  if (inet_pton(AF_INET, host.c_str(), &address) != 1) return false;
  return (ntohl(address.s_addr) >> 24) == 127;
}

bool parse_listen(const std::string& value, CameraOptions& options, std::string& error) {
  const auto colon = value.rfind(':');
  if (colon == std::string::npos) {
    error = "--listen wants HOST:PORT, got " + value;
    return false;
  }
  options.host = value.substr(0, colon);
  if (!parse_number(value.substr(colon + 1), options.port)) {
    error = "--listen: bad port in " + value;
    return false;
  }
  if (!is_loopback(options.host)) {
    error = "--listen: only a loopback IPv4 address (127.x.x.x) is allowed, got " + options.host;
    return false;
  }
  return true;
}

}  // namespace

ParsedOptions parse_camera_options(const std::vector<std::string>& args) {
  CameraOptions options;
  bool listen_given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    std::string error;
    if (arg == "--raw") {
      options.raw = true;
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (!has_value) {
      return {std::nullopt, "unknown option or missing value: " + arg};
    } else if (arg == "--listen") {
      if (!parse_listen(args[++i], options, error)) return {std::nullopt, error};
      listen_given = true;
    } else if (arg == "--control") {
      options.control_file = args[++i];
    } else if (arg == "--dump-dir") {
      options.dump_dir = args[++i];
    } else if (arg == "--image-bytes") {
      if (!parse_number(args[++i], options.image_bytes)) {
        return {std::nullopt, "--image-bytes wants a byte count, got " + args[i]};
      }
    } else {
      return {std::nullopt, "unknown option: " + arg};
    }
  }
  if (!listen_given) return {std::nullopt, "--listen 127.0.0.1:PORT is required"};
  return {options, {}};
}

}  // namespace ptpipcam
