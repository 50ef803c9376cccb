// Colour values of the settings (0x00BBGGRR or a system colour number) as
// the widgets draw them. System colours come from the application palette.
#pragma once

#include <QColor>

#include "config/color.h"

namespace lumora::ui {

// The palette colour of system colour number `number` (window 5, window
// text 8, button face 15, button text 18, button highlight 20, and the
// other Windows numbers where the palette has a counterpart); numbers
// without one give the built-in value of config::DefaultSystemColor.
config::TColor PaletteSystemColor(int number);

// Installs PaletteSystemColor as the process-wide palette of
// config::ColorToHtml, so generated HTML follows the desktop's colours.
// Call once after the QApplication exists.
void InstallPaletteSystemColors();

// A settings colour as a QColor (system colours through the palette).
QColor ToQColor(config::TColor color);

}  // namespace lumora::ui
