// The two portrait sizes of the guidelines, both 4:5 (ratio 0.8) portrait format.
#pragma once

#include <string_view>

namespace vantrel::yearbook {

enum class PortraitSize { Large, Small };

struct PixelSize {
  int width = 0;
  int height = 0;
};

// 640×800 (Large, what publishers expect) or 320×400 (Small, where a publisher asks for it).
inline constexpr PixelSize pixelSize(PortraitSize size) {
  return size == PortraitSize::Large ? PixelSize{640, 800} : PixelSize{320, 400};
}

// The index's Image Size value: "LARGE" or "SMALL".
inline constexpr std::string_view imageSizeLabel(PortraitSize size) {
  return size == PortraitSize::Large ? "LARGE" : "SMALL";
}

}  // namespace vantrel::yearbook
