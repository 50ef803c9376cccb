// Where a window goes when it opens again: its stored bounds, as long as
// they are still reachable on one of today's screens.
#pragma once

#include <QList>
#include <QRect>
#include <optional>

#include "config/window_state.h"

class QWidget;

namespace lumora::ui {

// True when a window at `rect` would be reachable: a strip along its top
// edge (where the title bar is) overlaps one of the `available` screen
// areas by at least 40 x 10 pixels.
bool PositionOnScreens(const QRect& rect, const QList<QRect>& available);

// The stored bounds when they were stored and are reachable on a screen of
// this session.
std::optional<QRect> StoredGeometryOnScreen(const config::WindowState& state);

// The window's normal bounds as a window state record.
config::WindowState GeometryState(const QWidget& window);

}  // namespace lumora::ui
