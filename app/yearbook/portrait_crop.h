// The geometry of a portrait: which part of an upright photo becomes the 4:5 portrait, and how
// far the JPEG decoder may shrink the photo while that part keeps enough pixels.
#pragma once

#include "portrait_size.h"

namespace vantrel::yearbook {

struct CropRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const CropRect&) const = default;
};

// The largest 4:5 rectangle in an upright image of width × height: the full height of a wider
// image, centred; the full width of a taller one, placed by `headroom` (see YearbookOptions).
CropRect portraitCrop(int width, int height, double headroom);

// The decoder's scale as M/8 (M from 1 to 8, libjpeg's DCT scaling): the smallest M at which the
// crop of an upright width × height photo still holds `output` pixels. 8 for a photo that is
// already too small.
int decodeEighths(int width, int height, PixelSize output);

}  // namespace vantrel::yearbook
