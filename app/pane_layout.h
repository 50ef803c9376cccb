// The main window's pane layout rules, apart from the widgets: which panes
// and columns show, the sizes the three stored fractions give, and what the
// toggle, show and "View All" commands do. The window applies the results to
// its splitters.
//
// Layout: the left column holds the verse list over the Book pane, the right
// column the Bible over the Commentary pane. "LeftPanelPct" is the left
// column's share of the client width, "LeftTopPct" the verse list's share of
// the left column, "RightBottomPct" the Commentary's share of the right
// column; sizes derived from them are rounded to the nearest integer, halves
// to even.
#pragma once

#include <vector>

namespace lumora {

enum class LayoutPane { kVerseList = 0, kBook = 1, kBible = 2, kCommentary = 3 };

struct PaneVisibility {
  bool verse_list = false;
  bool book = false;
  bool bible = true;
  bool commentary = false;

  bool& operator[](LayoutPane pane);
  bool operator[](LayoutPane pane) const;
  bool LeftColumn() const { return verse_list || book; }
  bool RightColumn() const { return bible || commentary; }
  int Count() const;
  bool operator==(const PaneVisibility&) const = default;
};

struct PaneFractions {
  double left_panel = 0.45;  // "LeftPanelPct"
  double left_top = 0.5;     // "LeftTopPct"
  double right_bottom = 0.45;  // "RightBottomPct"
};

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4).
int RoundHalfEven(double value);

// The sizes the fractions give for a client area: the left column's width
// (the whole width when the right column is hidden, 0 when the left one
// is), the verse list's height in a left column of `column_height` (all of
// it when the Book pane is hidden) and the Commentary's height in the right
// column (all of it when the Bible pane is hidden).
struct PaneSizes {
  int left_width = 0;
  int verse_list_height = 0;
  int commentary_height = 0;
};
PaneSizes ComputePaneSizes(const PaneVisibility& v, const PaneFractions& f, int client_width,
                           int column_height);

// One step of a command: show or hide a pane.
struct PaneStep {
  LayoutPane pane;
  bool show;
  bool operator==(const PaneStep&) const = default;
};

// The toggle command of `pane`: a hidden pane shows; a visible one hides,
// but when it is the only visible pane the Bible pane (for the Bible
// toggle, the verse list) shows first, so the window is never empty.
std::vector<PaneStep> ToggleSteps(const PaneVisibility& v, LayoutPane pane);
// A toggle's check mark: visible (the window adds: with a non-zero size).
bool ToggleChecked(const PaneVisibility& v, LayoutPane pane);
// "View All" is enabled while fewer panes show than can: the Bible and
// verse list always, the Book and Commentary panes when modules of their
// kind are loaded.
bool ViewAllEnabled(const PaneVisibility& v, bool any_book, bool any_commentary);
// A pane's maximise command: shows it and hides the other three.
std::vector<PaneStep> MaximizeSteps(LayoutPane pane);
// A fraction after a user drag: part / whole, kept strictly between 0 and
// 1 (a whole of 0 keeps the old value).
double FractionAfterDrag(int part, int whole, double old_value);

}  // namespace lumora
