#include "config/color.h"

#include <cstdio>
#include <utility>

namespace lumora::config {
namespace {

SystemColorPalette& InstalledPalette() {
  static SystemColorPalette palette;
  return palette;
}

}  // namespace

bool IsValidColor(TColor c) {
  if ((c & 0xFF000000) == 0) return true;
  return IsSystemColor(c) && (c & 0x00FFFF00) == 0 && (c & 0xFF) <= kLastSystemColor;
}

void SetSystemColorPalette(SystemColorPalette palette) { InstalledPalette() = std::move(palette); }

TColor DefaultSystemColor(int number) {
  switch (number) {
    case 5:   // window background
    case 20:  // button highlight
      return 0x00FFFFFF;
    case 15:  // button face
      return 0x00F0F0F0;
    default:  // window text (8), button text (18) and anything else
      return 0x00000000;
  }
}

std::string ColorToHtml(TColor color) { return ColorToHtml(color, InstalledPalette()); }

std::string ColorToHtml(TColor color, const SystemColorPalette& palette) {
  if (IsSystemColor(color)) {
    const int number = static_cast<int>(color & 0xFF);
    color = palette ? palette(number) : DefaultSystemColor(number);
  }
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                (color >> 16) & 0xFF);
  return buf;
}

}  // namespace lumora::config
