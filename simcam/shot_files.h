// The files one simulated shot leaves on the card: with VANTREL_SIM_RAW first IMG_nnnn.CR3 (a fake
// of VANTREL_SIM_RAW_BYTES bytes, not a real raw image), then always IMG_nnnn.JPG.
//
// A JPEG's size is VANTREL_SIM_IMAGE_BYTES, or the plain picture's own size when that is larger:
// the picture is never cut, so it always decodes. The plain picture is made here, once per shot;
// downloads only pad it (see jpeg_padding.h), which keeps them fast. Likewise a raw file holds at
// most kRawBytes of its own pattern; a download repeats that pattern up to the file's size.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim_config.h"

namespace simcam {

// The vendor's object format codes.
constexpr uint32_t kFormatJpeg = 0x00003801;
constexpr uint32_t kFormatCr3 = 0x0000B108;

constexpr std::size_t kRawBytes = 64 * 1024;

struct ShotFile {
  std::string name;  // empty with VANTREL_SIM_EMPTY_NAME
  uint32_t format = kFormatJpeg;
  uint64_t size = 0;                                    // what a download writes
  std::shared_ptr<const std::vector<uint8_t>> content;  // a JPEG is padded up to size
};

std::vector<ShotFile> make_shot_files(const SimConfig& config, int number);

// What a download of a file of `format` writes: `size` bytes grown from `content`.
std::vector<uint8_t> downloaded_bytes(uint32_t format, const std::vector<uint8_t>& content,
                                      uint64_t size);

}  // namespace simcam
