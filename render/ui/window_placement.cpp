#include "render/ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace lumora::ui {

bool PositionOnScreens(const QRect& rect, const QList<QRect>& available) {
  const QRect title_strip(rect.left(), rect.top(), rect.width(), std::min(rect.height(), 30));
  for (const QRect& area : available) {
    const QRect overlap = area.intersected(title_strip);
    if (overlap.width() >= 40 && overlap.height() >= 10) return true;
  }
  return false;
}

std::optional<QRect> StoredGeometryOnScreen(const config::WindowState& state) {
  if (!state.IsStored()) return std::nullopt;
  const QRect stored(state.left, state.top, state.width, state.height);
  QList<QRect> available;
  for (const QScreen* screen : QGuiApplication::screens()) available << screen->availableGeometry();
  // A place on a screen that is no longer there is not used.
  if (!PositionOnScreens(stored, available)) return std::nullopt;
  return stored;
}

config::WindowState GeometryState(const QWidget& window) {
  const QRect r = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
  return {r.left(), r.top(), r.height(), r.width()};
}

}  // namespace lumora::ui
