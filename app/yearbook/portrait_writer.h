// One portrait of the package, made from a photo: its EXIF orientation applied first, cropped to
// 4:5 (portraitCrop), scaled smoothly to the package's size, converted to sRGB when the photo
// carries another colour space, and written as a baseline RGB JPEG of quality 90 at 300 dpi.
//
// A large JPEG is decoded already shrunk by libjpeg (decodeEighths), which is most of the speed:
// the scale is asked for in the file's stored orientation, as the decoder works before rotating.
#pragma once

#include <filesystem>
#include <string>

#include "portrait_size.h"

namespace vantrel::yearbook {

enum class PortraitOutcome {
  Written,
  Unreadable,  // the photo could not be decoded
  NotWritten,  // the portrait could not be written
};

// Makes the portrait; for the other outcomes `detail` says why, e.g. "cannot be read (...)".
PortraitOutcome writePortrait(const std::filesystem::path& photo,
                              const std::filesystem::path& portrait, PortraitSize size,
                              double headroom, std::string& detail);

}  // namespace vantrel::yearbook
