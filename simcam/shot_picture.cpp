#include "shot_picture.h"

#include <stb_image_write.h>

#include <cstdio>
#include <string>

#include "digit_font.h"

namespace simcam {
namespace {

constexpr int kScale = 9;  // screen pixels per font pixel
constexpr int kShadowOffset = 3;
constexpr int kQuality = 80;

struct Rgb {
  uint8_t r, g, b;
};

// A muted colour whose hue steps by a large angle, so that consecutive shots look different.
Rgb background_for(int number) {
  const int hue = (number * 137) % 360;
  const int sector = hue / 60;
  const int rising = (hue % 60) * 140 / 60;
  const uint8_t high = 160, low = 40;
  const auto up = static_cast<uint8_t>(low + rising * (high - low) / 140);
  const auto down = static_cast<uint8_t>(high - rising * (high - low) / 140);
  switch (sector) {
    case 0:
      return {high, up, low};
    case 1:
      return {down, high, low};
    case 2:
      return {low, high, up};
    case 3:
      return {low, down, high};
    case 4:
      return {up, low, high};
    default:
      return {high, low, down};
  }
}

class Canvas {
 public:
  explicit Canvas(Rgb background) : pixels_(kPictureWidth * kPictureHeight * 3) {
    fill(0, 0, kPictureWidth, kPictureHeight, background);
  }

  void fill(int x0, int y0, int width, int height, Rgb colour) {
    for (int y = y0; y < y0 + height; ++y) {
      for (int x = x0; x < x0 + width; ++x) {
        if (x < 0 || y < 0 || x >= kPictureWidth || y >= kPictureHeight) continue;
        uint8_t* pixel = &pixels_[(static_cast<std::size_t>(y) * kPictureWidth + x) * 3];
        pixel[0] = colour.r;
        pixel[1] = colour.g;
        pixel[2] = colour.b;
      }
    }
  }

  void draw_digit(int digit, int x0, int y0, Rgb colour) {
    for (int row = 0; row < kDigitRows; ++row) {
      for (int column = 0; column < kDigitColumns; ++column) {
        if (digit_pixel(digit, column, row)) {
          fill(x0 + column * kScale, y0 + row * kScale, kScale, kScale, colour);
        }
      }
    }
  }

  const uint8_t* data() const { return pixels_.data(); }

 private:
  std::vector<uint8_t> pixels_;
};

void append_bytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<uint8_t> render_shot_jpeg(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", number);
  const int digits = static_cast<int>(std::string(text).size());
  const int text_width = digits * kDigitColumns * kScale + (digits - 1) * kScale;
  const int x0 = (kPictureWidth - text_width) / 2;
  const int y0 = (kPictureHeight - kDigitRows * kScale) / 2;

  Canvas canvas(background_for(number));
  for (int i = 0; i < digits; ++i) {
    const int x = x0 + i * (kDigitColumns + 1) * kScale;
    canvas.draw_digit(text[i] - '0', x + kShadowOffset, y0 + kShadowOffset, {20, 20, 20});
    canvas.draw_digit(text[i] - '0', x, y0, {250, 250, 250});
  }

  std::vector<uint8_t> jpeg;
  stbi_write_jpg_to_func(append_bytes, &jpeg, kPictureWidth, kPictureHeight, 3, canvas.data(),
                         kQuality);
  return jpeg;
}

}  // namespace simcam
