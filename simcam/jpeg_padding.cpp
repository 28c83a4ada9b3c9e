#include "jpeg_padding.h"

#include <algorithm>

namespace simcam {
namespace {

constexpr std::size_t kSoiBytes = 2;
constexpr std::size_t kSegmentOverhead = 4;  // marker and length
constexpr std::size_t kMaxSegment = kSegmentOverhead + 65533;

void append_comment(std::vector<uint8_t>& out, std::size_t segment) {
  const std::size_t length = segment - 2;  // the length field counts itself, not the marker
  out.push_back(0xFF);
  out.push_back(0xFE);
  out.push_back(static_cast<uint8_t>(length >> 8));
  out.push_back(static_cast<uint8_t>(length & 0xFF));
  out.insert(out.end(), segment - kSegmentOverhead, uint8_t{' '});
}

}  // namespace

std::vector<uint8_t> pad_jpeg(std::span<const uint8_t> jpeg, std::size_t size) {
  if (size <= jpeg.size() || jpeg.size() < kSoiBytes) return {jpeg.begin(), jpeg.end()};
  std::vector<uint8_t> out;
  out.reserve(size);
  out.insert(out.end(), jpeg.begin(), jpeg.begin() + kSoiBytes);
  std::size_t extra = size - jpeg.size();
  if (extra < kSegmentOverhead) {
    out.insert(out.end(), extra, uint8_t{0xFF});
  }
  while (extra >= kSegmentOverhead) {
    std::size_t segment = std::min(extra, kMaxSegment);
    // Never leave a remainder too small to be a segment of its own.
    if (const std::size_t rest = extra - segment; rest > 0 && rest < kSegmentOverhead) {
      segment = extra - kSegmentOverhead;
    }
    append_comment(out, segment);
    extra -= segment;
  }
  out.insert(out.end(), jpeg.begin() + kSoiBytes, jpeg.end());
  return out;
}

}  // namespace simcam
