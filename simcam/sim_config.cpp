#include "sim_config.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>

namespace simcam {
namespace {

std::optional<uint64_t> parse_number(std::string_view digits) {
  int base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  }
  uint64_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<uint64_t> read_number(const char* name) {
  const char* text = std::getenv(name);
  if (text == nullptr) return std::nullopt;
  return parse_number(text);
}

// "Name=code,Name=code"; an entry without a readable code is left out.
std::map<std::string, uint32_t, std::less<>> read_failing_calls(const char* name) {
  std::map<std::string, uint32_t, std::less<>> calls;
  const char* text = std::getenv(name);
  std::string_view rest = text != nullptr ? text : "";
  while (!rest.empty()) {
    const std::size_t comma = rest.find(',');
    const std::string_view entry = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    const std::size_t equals = entry.find('=');
    if (equals == std::string_view::npos) continue;
    const std::optional<uint64_t> code = parse_number(entry.substr(equals + 1));
    if (code && *code <= UINT32_MAX)
      calls[std::string(entry.substr(0, equals))] = static_cast<uint32_t>(*code);
  }
  return calls;
}

uint64_t number_or(const char* name, uint64_t fallback, uint64_t max = UINT64_MAX) {
  const std::optional<uint64_t> value = read_number(name);
  return value ? std::min(*value, max) : fallback;
}

bool flag(const char* name) {
  return number_or(name, 0) != 0;
}

std::string text_or_empty(const char* name) {
  const char* text = std::getenv(name);
  return text != nullptr ? text : "";
}

}  // namespace

SimConfig SimConfig::from_environment() {
  SimConfig config;
  config.cameras = static_cast<int>(number_or("VANTREL_SIM_CAMERAS", 1, kMaxCameras));
  config.appear_after = number_or("VANTREL_SIM_APPEAR_AFTER", 0);
  config.init_delay_ms = number_or("VANTREL_SIM_INIT_DELAY_MS", 0);
  config.init_delay_once_path = text_or_empty("VANTREL_SIM_INIT_DELAY_ONCE");
  config.init_error = static_cast<uint32_t>(number_or("VANTREL_SIM_INIT_ERROR", 0, UINT32_MAX));
  config.busy_opens = number_or("VANTREL_SIM_BUSY_OPENS", 0);
  config.no_card = flag("VANTREL_SIM_NO_CARD");
  config.auto_shoot_ms = number_or("VANTREL_SIM_AUTO_SHOOT_MS", 0);
  config.shots = read_number("VANTREL_SIM_SHOTS");
  config.control_path = text_or_empty("VANTREL_SIM_CONTROL");
  config.image_bytes = number_or("VANTREL_SIM_IMAGE_BYTES", 200000, kMaxImageBytes);
  config.raw = flag("VANTREL_SIM_RAW");
  config.raw_bytes = number_or("VANTREL_SIM_RAW_BYTES", config.raw_bytes, kMaxImageBytes);
  const uint64_t first = number_or("VANTREL_SIM_FIRST_NUMBER", 1);
  config.first_number = first >= 1 && first <= 9999 ? static_cast<int>(first) : 1;
  config.download_delay_ms = number_or("VANTREL_SIM_DOWNLOAD_DELAY_MS", 0);
  config.fail_downloads = number_or("VANTREL_SIM_FAIL_DOWNLOADS", 0);
  config.empty_name = flag("VANTREL_SIM_EMPTY_NAME");
  if (const std::string prefix = text_or_empty("VANTREL_SIM_NAME_PREFIX"); !prefix.empty()) {
    config.name_prefix = prefix.substr(0, 16);
  }
  config.log_path = text_or_empty("VANTREL_SIM_LOG");
  config.failing_calls = read_failing_calls("VANTREL_SIM_FAIL");
  return config;
}

bool check_enabled() {
  return number_or("VANTREL_SIM_CHECK", 0) == 1;
}

}  // namespace simcam
