#include "shot_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "jpeg_padding.h"
#include "shot_picture.h"

namespace simcam {
namespace {

std::string file_name(const SimConfig& config, int number, const char* extension) {
  if (config.empty_name) return {};
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, "%04d.%s", number, extension);
  return config.name_prefix + suffix;
}

// Starts like an ISO media file of the raw brand, then a pattern that differs per shot.
std::vector<uint8_t> fake_raw(int number, std::size_t size) {
  std::vector<uint8_t> bytes(size);
  const uint8_t header[] = {0, 0, 0, 0x18, 'f', 't', 'y', 'p', 'c', 'r', 'x', ' '};
  std::memcpy(bytes.data(), header, sizeof header);
  for (std::size_t i = sizeof header; i < bytes.size(); ++i) {
    bytes[i] = static_cast<uint8_t>(i * 31 + static_cast<std::size_t>(number));
  }
  return bytes;
}

}  // namespace

std::vector<ShotFile> make_shot_files(const SimConfig& config, int number) {
  std::vector<ShotFile> files;
  if (config.raw) {
    const uint64_t size = std::max<uint64_t>(config.raw_bytes, 16);
    auto raw = std::make_shared<const std::vector<uint8_t>>(
        fake_raw(number, static_cast<std::size_t>(std::min<uint64_t>(size, kRawBytes))));
    files.push_back({file_name(config, number, "CR3"), kFormatCr3, size, raw});
  }
  auto jpeg = std::make_shared<const std::vector<uint8_t>>(render_shot_jpeg(number));
  const uint64_t size = std::max<uint64_t>(config.image_bytes, jpeg->size());
  files.push_back({file_name(config, number, "JPG"), kFormatJpeg, size, jpeg});
  return files;
}

std::vector<uint8_t> downloaded_bytes(uint32_t format, const std::vector<uint8_t>& content,
                                      uint64_t size) {
  if (format == kFormatJpeg) return pad_jpeg(content, static_cast<std::size_t>(size));
  std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
  for (std::size_t at = 0; at < bytes.size() && !content.empty(); at += content.size()) {
    std::memcpy(bytes.data() + at, content.data(), std::min(content.size(), bytes.size() - at));
  }
  return bytes;
}

}  // namespace simcam
