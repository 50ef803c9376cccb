// Colour values of the settings: 0x00BBGGRR (red in the low byte), or
// 0x800000nn for system colour number nn, resolved when drawn.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace lumora::config {

using TColor = uint32_t;

inline constexpr TColor kSystemColorFlag = 0x80000000;
inline constexpr TColor kClWindow = 0x80000005;
inline constexpr TColor kClWindowText = 0x80000008;
inline constexpr TColor kClBtnFace = 0x8000000F;
inline constexpr TColor kClBtnText = 0x80000012;
inline constexpr TColor kClBtnHighlight = 0x80000014;
// System colour numbers run 0..30.
inline constexpr int kLastSystemColor = 30;

inline bool IsSystemColor(TColor c) { return (c & 0xFF000000) == kSystemColorFlag; }

// A colour a settings value may hold: a plain colour, or a system colour
// with a number 0..30 and nothing else set.
bool IsValidColor(TColor c);

// Resolves system colour number nn to 0x00BBGGRR. The GUI supplies one from
// its palette; this code knows no desktop.
using SystemColorPalette = std::function<TColor(int number)>;

// Installs the process-wide palette (an empty one restores the built-in).
void SetSystemColorPalette(SystemColorPalette palette);
// The built-in palette: the usual light-theme values of the five system
// colours the settings use (window white, text black, button face F0F0F0,
// button text black, button highlight white); other numbers give black.
TColor DefaultSystemColor(int number);

// Six upper-case hex digits RRGGBB without "#" (0x00800080 gives "800080",
// 0x00FF0000 gives "0000FF"). A system colour goes through the palette.
std::string ColorToHtml(TColor color);
std::string ColorToHtml(TColor color, const SystemColorPalette& palette);

}  // namespace lumora::config
