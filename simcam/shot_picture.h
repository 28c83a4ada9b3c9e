// The picture a simulated shot produces: a baseline JPEG showing the shot's number in large digits
// on a background whose colour changes from shot to shot, so a photo on disk can be matched to the
// shot that made it at a glance.
#pragma once

#include <cstdint>
#include <vector>

namespace simcam {

constexpr int kPictureWidth = 320;
constexpr int kPictureHeight = 240;

// The plain JPEG (a few kilobytes), without any padding.
std::vector<uint8_t> render_shot_jpeg(int number);

}  // namespace simcam
