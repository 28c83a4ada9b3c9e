#include "shot_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "shot_picture.h"

namespace simcam {
namespace {

std::string file_name(const SimConfig& config, int number, const char* extension) {
  if (config.empty_name) return {};
  char name[32];
  std::snprintf(name, sizeof name, "IMG_%04d.%s", number, extension);
  return name;
}

// Starts like an ISO media file of the raw brand, then a pattern that differs per shot.
std::vector<uint8_t> fake_raw(int number) {
  std::vector<uint8_t> bytes(kRawBytes);
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
    auto raw = std::make_shared<const std::vector<uint8_t>>(fake_raw(number));
    files.push_back({file_name(config, number, "CR3"), kFormatCr3, raw->size(), raw});
  }
  auto jpeg = std::make_shared<const std::vector<uint8_t>>(render_shot_jpeg(number));
  const uint64_t size = std::max<uint64_t>(config.image_bytes, jpeg->size());
  files.push_back({file_name(config, number, "JPG"), kFormatJpeg, size, jpeg});
  return files;
}

}  // namespace simcam
