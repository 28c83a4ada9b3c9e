// A 5x7 pixel font for the digits 0-9, enough to print a shot number on a picture.
#pragma once

namespace simcam {

constexpr int kDigitColumns = 5;
constexpr int kDigitRows = 7;

// Whether the pixel at (column, row) of digit is set; false outside the glyph or for a non-digit.
bool digit_pixel(int digit, int column, int row);

}  // namespace simcam
