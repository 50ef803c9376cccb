#include "app/pane_layout.h"

#include <cmath>

namespace lumora {

bool& PaneVisibility::operator[](LayoutPane pane) {
  switch (pane) {
    case LayoutPane::kVerseList: return verse_list;
    case LayoutPane::kBook: return book;
    case LayoutPane::kBible: return bible;
    case LayoutPane::kCommentary: break;
  }
  return commentary;
}

bool PaneVisibility::operator[](LayoutPane pane) const {
  return const_cast<PaneVisibility&>(*this)[pane];
}

int PaneVisibility::Count() const {
  return static_cast<int>(verse_list) + book + bible + commentary;
}

int RoundHalfEven(double value) {
  // The default rounding mode of the floating-point unit is to nearest,
  // ties to even.
  return static_cast<int>(std::nearbyint(value));
}

PaneSizes ComputePaneSizes(const PaneVisibility& v, const PaneFractions& f, int client_width,
                           int column_height) {
  PaneSizes s;
  if (v.LeftColumn()) {
    s.left_width =
        v.RightColumn() ? RoundHalfEven(client_width * f.left_panel) : client_width;
    if (v.verse_list)
      s.verse_list_height = v.book ? RoundHalfEven(column_height * f.left_top) : column_height;
  }
  if (v.RightColumn() && v.commentary)
    s.commentary_height = v.bible ? RoundHalfEven(column_height * f.right_bottom) : column_height;
  return s;
}

std::vector<PaneStep> ToggleSteps(const PaneVisibility& v, LayoutPane pane) {
  if (!v[pane]) return {{pane, true}};
  if (v.Count() == 1) {
    const LayoutPane other = pane == LayoutPane::kBible ? LayoutPane::kVerseList : LayoutPane::kBible;
    return {{other, true}, {pane, false}};
  }
  return {{pane, false}};
}

bool ToggleChecked(const PaneVisibility& v, LayoutPane pane) { return v[pane]; }

bool ViewAllEnabled(const PaneVisibility& v, bool any_book, bool any_commentary) {
  return v.Count() < 2 + (any_book ? 1 : 0) + (any_commentary ? 1 : 0);
}

std::vector<PaneStep> MaximizeSteps(LayoutPane pane) {
  std::vector<PaneStep> steps{{pane, true}};
  for (LayoutPane p : {LayoutPane::kBible, LayoutPane::kCommentary, LayoutPane::kBook,
                       LayoutPane::kVerseList}) {
    if (p != pane) steps.push_back({p, false});
  }
  return steps;
}

double FractionAfterDrag(int part, int whole, double old_value) {
  if (whole <= 0 || part <= 0 || part >= whole) return old_value;
  return static_cast<double>(part) / whole;
}

}  // namespace lumora
