#include "app/image_view_rules.h"

#include <algorithm>
#include <cmath>

namespace lumora {

int WheelNotches::Add(int delta) {
  if (delta == 0) return 0;
  if ((delta > 0) != (rest_ > 0) && rest_ != 0) rest_ = 0;
  rest_ += delta;
  const int notches = rest_ / kWheelUnitsPerNotch;
  rest_ -= notches * kWheelUnitsPerNotch;
  return notches;
}

int ZoomAfterNotches(int zoom, int notches) {
  // Stepwise in int64 arithmetic: a huge notch count cannot overflow.
  const long long z = static_cast<long long>(zoom) + static_cast<long long>(notches) * kZoomStep;
  if (z > kMaxZoom) return kMaxZoom;
  if (z <= 0) return 1;
  return static_cast<int>(z);
}

int ZoomedLength(int length, int zoom) {
  if (length <= 0) return 0;
  const long long scaled = std::llround(static_cast<double>(length) * zoom / 100.0);
  return static_cast<int>(std::clamp<long long>(scaled, 1, 1 << 30));
}

PixelSize FitWithin(PixelSize picture, PixelSize area) {
  if (picture.width <= 0 || picture.height <= 0 || area.width <= 0 || area.height <= 0)
    return picture;
  if (picture.width <= area.width && picture.height <= area.height) return picture;
  const double scale = std::min(static_cast<double>(area.width) / picture.width,
                                static_cast<double>(area.height) / picture.height);
  return {std::max(1, static_cast<int>(std::lround(picture.width * scale))),
          std::max(1, static_cast<int>(std::lround(picture.height * scale)))};
}

int DragScrollPosition(int start_position, int start_cursor, int cursor, int maximum) {
  const long long p = static_cast<long long>(start_position) + start_cursor - cursor;
  return static_cast<int>(std::clamp<long long>(p, 0, std::max(0, maximum)));
}

}  // namespace lumora
