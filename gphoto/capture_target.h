// Which of a camera's "capturetarget" choices matches a vendor save-target value (1 card, 2 host,
// 3 both). libgphoto2 offers "Internal RAM" and "Memory card" for Nikon, Canon and Panasonic bodies
// and the property's own names ("sdram", "card", "card+sdram") for Sony; the worker runs without a
// locale, so the labels come untranslated.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gphoto {

constexpr const char* kCaptureTargetConfig = "capturetarget";

// The choice to set, or nothing when the camera offers none that fits.
std::optional<std::string> choose_capture_target(int32_t save_to,
                                                 const std::vector<std::string>& choices);

}  // namespace gphoto
