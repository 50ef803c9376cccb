// The image viewer's arithmetic: wheel notches, zoom steps, the shrink-to-fit
// size and drag scrolling. Plain functions, so the rules are tested without a
// window.
#pragma once

namespace lumora {

// A mouse wheel reports 120 units per notch; touchpads and high-resolution
// wheels report less at a time.
inline constexpr int kWheelUnitsPerNotch = 120;
inline constexpr int kZoomStep = 5;
inline constexpr int kMaxZoom = 200;
inline constexpr int kNaturalZoom = 100;

// Turns wheel deltas into whole notches, carrying the rest over to the next
// delta (so eight deltas of 15 make one notch, and a notch never turns into
// nothing). A change of direction drops the rest.
class WheelNotches {
 public:
  // Whole notches in this delta: positive away from the user (zoom in).
  int Add(int delta);
  void Reset() { rest_ = 0; }

 private:
  int rest_ = 0;
};

// The zoom percentage after `notches` notches: 5 per notch, at most 200; a
// step to 0 or below gives 1.
int ZoomAfterNotches(int zoom, int notches);

// round(length * zoom / 100), at least 1 for a non-empty length.
int ZoomedLength(int length, int zoom);

struct PixelSize {
  int width = 0;
  int height = 0;
  bool operator==(const PixelSize&) const = default;
};

// Shrink to fit: a picture larger than the area (either way) is scaled down
// proportionally to fit it; a smaller one keeps its natural size.
PixelSize FitWithin(PixelSize picture, PixelSize area);

// Drag to scroll, one axis: the scroll position for a cursor moved from
// `start_cursor` to `cursor` when the drag started at `start_position`,
// clamped to 0..maximum.
int DragScrollPosition(int start_position, int start_cursor, int cursor, int maximum);

}  // namespace lumora
