#include "render/ui/display_colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace lumora::ui {
namespace {

config::TColor FromQColor(const QColor& c) {
  return static_cast<config::TColor>(c.red()) | (static_cast<config::TColor>(c.green()) << 8) |
         (static_cast<config::TColor>(c.blue()) << 16);
}

}  // namespace

config::TColor PaletteSystemColor(int number) {
  if (QGuiApplication::instance() == nullptr) return config::DefaultSystemColor(number);
  const QPalette palette = QGuiApplication::palette();
  // The Windows system colour numbers and their palette counterparts.
  switch (number) {
    case 1:  // desktop
    case 2:  // active caption
      return FromQColor(palette.color(QPalette::Active, QPalette::Highlight));
    case 3:  // inactive caption
      return FromQColor(palette.color(QPalette::Inactive, QPalette::Highlight));
    case 4:  // menu
      return FromQColor(palette.color(QPalette::Window));
    case 5:  // window background
      return FromQColor(palette.color(QPalette::Base));
    case 7:  // menu text
    case 9:  // caption text
      return FromQColor(palette.color(QPalette::WindowText));
    case 8:  // window text
      return FromQColor(palette.color(QPalette::Text));
    case 13:  // highlight
      return FromQColor(palette.color(QPalette::Highlight));
    case 14:  // highlighted text
      return FromQColor(palette.color(QPalette::HighlightedText));
    case 15:  // button face
      return FromQColor(palette.color(QPalette::Button));
    case 16:  // button shadow
      return FromQColor(palette.color(QPalette::Dark));
    case 17:  // grey text
      return FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
    case 18:  // button text
      return FromQColor(palette.color(QPalette::ButtonText));
    case 20:  // button highlight
      return FromQColor(palette.color(QPalette::Light));
    case 21:  // 3D dark shadow
      return FromQColor(palette.color(QPalette::Shadow));
    case 22:  // 3D light
      return FromQColor(palette.color(QPalette::Midlight));
    case 23:  // tooltip text
      return FromQColor(palette.color(QPalette::ToolTipText));
    case 24:  // tooltip background
      return FromQColor(palette.color(QPalette::ToolTipBase));
    case 26:  // hot light (links)
      return FromQColor(palette.color(QPalette::Link));
    default:
      return config::DefaultSystemColor(number);
  }
}

void InstallPaletteSystemColors() { config::SetSystemColorPalette(&PaletteSystemColor); }

QColor ToQColor(config::TColor color) {
  if (config::IsSystemColor(color)) color = PaletteSystemColor(static_cast<int>(color & 0xFF));
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace lumora::ui
