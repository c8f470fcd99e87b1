#include "Colors.h"

#include <array>

namespace {
// The classic desktop scheme, indexed as the platform's COLOR_* constants.
constexpr std::array<TColor, 31> SystemColors = {
    RGBColor(212, 208, 200),  // scroll bar
    RGBColor(58, 110, 165),   // background
    RGBColor(10, 36, 106),    // active caption
    RGBColor(128, 128, 128),  // inactive caption
    RGBColor(212, 208, 200),  // menu
    RGBColor(255, 255, 255),  // window
    RGBColor(0, 0, 0),        // window frame
    RGBColor(0, 0, 0),        // menu text
    RGBColor(0, 0, 0),        // window text
    RGBColor(255, 255, 255),  // caption text
    RGBColor(212, 208, 200),  // active border
    RGBColor(212, 208, 200),  // inactive border
    RGBColor(128, 128, 128),  // app workspace
    RGBColor(10, 36, 106),    // highlight
    RGBColor(255, 255, 255),  // highlight text
    RGBColor(212, 208, 200),  // button face
    RGBColor(128, 128, 128),  // button shadow
    RGBColor(128, 128, 128),  // gray text
    RGBColor(0, 0, 0),        // button text
    RGBColor(212, 208, 200),  // inactive caption text
    RGBColor(255, 255, 255),  // button highlight
    RGBColor(64, 64, 64),     // 3-D dark shadow
    RGBColor(212, 208, 200),  // 3-D light
    RGBColor(0, 0, 0),        // info text
    RGBColor(255, 255, 225),  // info background
    RGBColor(181, 181, 181),  // (unused slot)
    RGBColor(0, 0, 128),      // hot light
    RGBColor(166, 202, 240),  // gradient active caption
    RGBColor(192, 192, 192),  // gradient inactive caption
    RGBColor(49, 106, 197),   // menu highlight
    RGBColor(236, 233, 216),  // menu bar
};
}  // namespace

TColor ColorToRGB(TColor color) {
  auto value = static_cast<std::uint32_t>(color);
  if (value & 0x80000000u) {
    std::uint32_t index = value & 0xFF;
    return index < SystemColors.size() ? SystemColors[index] : RGBColor(0, 0, 0);
  }
  return static_cast<TColor>(value & 0x00FFFFFF);
}
