#include "shot_maker.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "jpeg_padding.h"
#include "ptp_codes.h"
#include "shot_picture.h"

namespace ptpipcam {
namespace {

// TIFF, little-endian, first directory at 16; then "CR", version 2.0, raw directory offset.
constexpr uint8_t kCr2Header[] = {'I', 'I', 0x2A, 0, 0x10, 0, 0, 0, 'C', 'R', 2, 0, 0, 0, 0, 0};

std::string file_name(int number, const char* extension) {
  char name[32];
  std::snprintf(name, sizeof name, "IMG_%04d.%s", number % 10000, extension);
  return name;
}

std::vector<uint8_t> raw_contents(int number, uint64_t size) {
  std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<uint8_t>(i * 31 + static_cast<std::size_t>(number));
  }
  std::memcpy(bytes.data(), kCr2Header, std::min(sizeof kCr2Header, bytes.size()));
  return bytes;
}

}  // namespace

std::vector<ShotFile> ShotMaker::make(int number) const {
  auto picture = std::make_shared<const std::vector<uint8_t>>(simcam::render_shot_jpeg(number));
  std::vector<ShotFile> files;
  if (raw_) {
    const uint64_t size = std::max<uint64_t>(image_bytes_, sizeof kCr2Header);
    files.push_back({number, file_name(number, "CR2"), format::kCanonCr2, size, picture, nullptr});
  }
  const uint64_t size = std::max<uint64_t>(image_bytes_, picture->size());
  files.push_back({number, file_name(number, "JPG"), format::kExifJpeg, size, picture, nullptr});
  return files;
}

std::shared_ptr<const std::vector<uint8_t>> ShotMaker::contents(const ShotFile& file) {
  if (file.prepared) return file.prepared;
  if (file.format == format::kExifJpeg) {
    return std::make_shared<const std::vector<uint8_t>>(
        simcam::pad_jpeg(*file.picture, static_cast<std::size_t>(file.size)));
  }
  return std::make_shared<const std::vector<uint8_t>>(raw_contents(file.number, file.size));
}

void ShotMaker::prepare(ShotFile& file) {
  file.prepared = contents(file);
}

}  // namespace ptpipcam
