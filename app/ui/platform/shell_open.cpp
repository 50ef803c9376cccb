#include "app/ui/platform/shell_open.h"

#include <QDesktopServices>
#include <QUrl>

#include "render/ui/display_text.h"

namespace lumora::ui {

bool TDesktopShellOpen::Open(const std::string& href) {
  // Tolerant parsing keeps the address as written (the desktop decides what
  // it means); only characters a URL cannot hold are percent-encoded.
  return QDesktopServices::openUrl(QUrl(ToDisplayText(href), QUrl::TolerantMode));
}

}  // namespace lumora::ui
