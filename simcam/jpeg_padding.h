// Grows a JPEG to an exact byte count without changing the image, so a simulated shot can have
// any requested file size and still decode.
//
// The extra bytes go right after the SOI marker as COM (0xFFFE) segments, each of 4 to 65537 bytes
// (marker, length, up to 65533 bytes of payload). An extra of 1 to 3 bytes is too small for a
// segment; it becomes 0xFF fill bytes in front of the next marker, which decoders skip.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace simcam {

// The JPEG grown to size bytes; a copy of it unchanged when it is already that big or bigger.
std::vector<uint8_t> pad_jpeg(std::span<const uint8_t> jpeg, std::size_t size);

}  // namespace simcam
