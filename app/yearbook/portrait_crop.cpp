#include "portrait_crop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vantrel::yearbook {

CropRect portraitCrop(int width, int height, double headroom) {
  if (width <= 0 || height <= 0) return {};
  // Wider than 4:5 when width / height > 4 / 5.
  if (std::int64_t{width} * 5 > std::int64_t{height} * 4) {
    const int cropWidth = std::max(1, static_cast<int>(std::lround(height * 4.0 / 5.0)));
    return {(width - cropWidth) / 2, 0, cropWidth, height};
  }
  const int cropHeight = std::max(1, static_cast<int>(std::lround(width * 5.0 / 4.0)));
  const double room = std::clamp(headroom, -1.0, 1.0);
  const int spare = height - cropHeight;
  const int top = static_cast<int>(std::lround(spare / 2.0 * (1.0 - room)));
  return {0, std::clamp(top, 0, spare), width, cropHeight};
}

int decodeEighths(int width, int height, PixelSize output) {
  const CropRect crop = portraitCrop(width, height, 0.0);
  for (int eighths = 1; eighths < 8; ++eighths)
    if (std::int64_t{crop.width} * eighths / 8 >= output.width &&
        std::int64_t{crop.height} * eighths / 8 >= output.height)
      return eighths;
  return 8;
}

}  // namespace vantrel::yearbook
