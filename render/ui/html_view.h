// THtmlView: the HTML display widget of every pane, a QTextBrowser that
// never follows a link itself. It loads the renderers' Windows-1252 HTML
// (through display_text.h), maps the renderers' source offsets to display
// positions, and reports clicks, hovers, right clicks and double clicks to
// its frame through the On* callbacks (an unset callback ignores the event).
//
// Positions:
//   - source offset: byte offset in the HTML text last loaded;
//   - display position: a QTextDocument cursor position (each visible
//     character is one, and so is each paragraph or table-cell boundary);
//   - document coordinates: pixels from the top-left of the laid-out
//     document; the vertical scroll position is the y of the view's top.
//
// What is approximate (everything else is exact):
//   - Source offset -> display position is exact at the start of every run
//     of text between two tags (each run is marked while loading) and
//     counts characters inside a run, an entity being one character and a
//     run of blanks one; inside <pre> a blank run is still counted as one.
//   - The link target of a right click is always empty: the widget keeps no
//     target attribute (no program link uses one).
//   - A right click does not move the widget's caret (the selection must
//     survive for the menu); the clicked character comes in the event's
//     parameters instead.
//   - The saved position is the display position at the view's top-left;
//     restoring it brings that character's line to the top.
//   - Printing lays the document out on the printer's paper with 2 cm
//     margins, as QTextDocument::print does; print scale is the printer's.
#pragma once

#include <QPoint>
#include <QTextBrowser>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/color.h"
#include "render/ui/display_text.h"

class QPrinter;

namespace lumora::ui {

// A right click as the widget reports it (Windows-1252 texts).
struct TRightClickParameters {
  std::string url;     // link address under the pointer, empty when none
  std::string target;  // link target: always empty (see above)
  std::string word;    // the word under the pointer (IsDisplayWordChar run)
  QPoint global_pos;   // where the button was released, for the menu
  // Display position of the character under the pointer: the caret of the
  // click. The widget's own caret and selection are left as they were, so
  // the menu can still act on the selection.
  int caret = 0;
};

class THtmlView : public QTextBrowser {
  Q_OBJECT

 public:
  explicit THtmlView(QWidget* parent = nullptr);
  ~THtmlView() override;

  // --- Document ---------------------------------------------------------
  // Replaces the document with `html` (a fragment is fine; a <title> sets
  // the title). Shown from the top, nothing selected, fully laid out when
  // this returns. The current defaults apply.
  void LoadHtml(std::string_view html);
  // Plain text as the whole document ("Loading...").
  void LoadText(std::string_view text);
  // Empties the document, its title and its source.
  void Clear();
  // Paints the current document at once without running pending events.
  void PaintNow();
  // Exactly the text last loaded (empty after Clear).
  const std::string& DocumentSource() const { return source_; }
  // The <title> text; empty when none or after Clear.
  std::string DocumentTitle() const;
  // The conversion options used by LoadHtml (tests set them explicitly).
  void SetDisplayTextOptions(const TDisplayTextOptions& options) { text_options_ = options; }

  // --- Defaults (font, size, text colour, link colour apply to the next
  // document loaded; the background applies at once as well). Colours may
  // be system colours; they are resolved through the palette.
  void SetDefFontName(const std::string& name) { def_font_name_ = name; }
  const std::string& DefFontName() const { return def_font_name_; }
  void SetDefFontSize(int points) { def_font_size_ = points; }
  int DefFontSize() const { return def_font_size_; }
  void SetDefFontColor(config::TColor color) { def_font_color_ = color; }
  config::TColor DefFontColor() const { return def_font_color_; }
  void SetDefBackground(config::TColor color);
  config::TColor DefBackground() const { return def_background_; }
  // Colour of links that carry none of their own; unset: the palette's.
  void SetDefHotSpotColor(config::TColor color) { def_link_color_ = color; }
  // The border shows only while the widget has the focus.
  bool HasFocusBorder() const;
  // The text view scrolls vertically only (the default); the resource view
  // allows both.
  void SetHorizontalScrolling(bool on);

  // --- Positions --------------------------------------------------------
  // One leading "#" of `name` is dropped; anchor names compare without
  // regard to case and with a leading "#" of their own dropped. Found: the
  // anchor's line comes to the top (as far as the document allows) and the
  // view goes back to the left edge; returns true. Not found: nothing
  // changes, false.
  bool PositionTo(std::string_view name);
  // Display position of a named anchor (same matching), nullopt if absent.
  std::optional<int> AnchorPosition(std::string_view name) const;
  int VScrollBarPosition() const;
  void SetVScrollBarPosition(int y);  // clamped to 0..height - view height
  int ViewHeight() const;
  // An opaque 32-bit value (the display position at the view's top-left)
  // that restores the same part of the same document; ignored when it does
  // not fit the document.
  uint32_t SavedPosition() const;
  void SetSavedPosition(uint32_t value);
  // The position the program put at the top (PositionTo, SetSavedPosition,
  // HoldTop) stays at the top when the widget's size changes (a layout
  // after start-up, a splitter drag, maximising), until the user scrolls or
  // another document loads. SetVScrollBarPosition ends the hold.
  bool PositionHeld() const { return held_position_.has_value(); }
  // Holds whatever is at the top now.
  void HoldTop();
  // Display position of the visible character at `source_offset`: with
  // `before`, the nearest one before the offset, else the nearest at or
  // after it. Past the last visible character: the end of the document;
  // before the first (with `before`): 0.
  int FindDisplayPosition(int64_t source_offset, bool before) const;
  // Document coordinates of the top of the line holding display position
  // `pos`; nullopt when `pos` is outside the document.
  std::optional<QPoint> DisplayPositionCoords(int pos) const;
  // Number of display positions (the end of the document).
  int DocumentEnd() const;

  // --- Caret and selection (display positions) ---------------------------
  int CaretPos() const;
  void SetCaretPos(int pos);  // also where the next Find starts
  // Moves the caret to `pos` (clamped) and empties the selection.
  void SetSelStart(int pos);
  // Selects n positions from the caret (n < 0 backwards, 0 nothing).
  void SetSelLength(int n);
  int SelLength() const;
  // The visible text of the selection ("" when none); non-breaking spaces
  // as blanks, paragraph ends as "\n".
  QString SelectedDisplayText() const;
  std::string SelectedText() const { return FromDisplayText(SelectedDisplayText()); }
  // The selection to the clipboard (the clipboard interface) as plain
  // text; Ctrl+C in the widget does the same.
  void CopyToClipboard();
  // Searches forwards from the caret; a match is selected, the caret goes
  // to its end and it is scrolled into view. No match: nothing changes.
  bool Find(std::string_view cp1252, bool match_case) {
    return FindDisplayText(ToDisplayText(cp1252), match_case);
  }
  bool FindDisplayText(const QString& text, bool match_case);

  // --- Printing -----------------------------------------------------------
  // Pages of the document laid out for `printer` (2 cm margins).
  int PrintedPageCount(QPrinter& printer) const;
  // Prints pages first..last (1-based; a last page past the end prints to
  // the end).
  void Print(QPrinter& printer, int first, int last) const;

  // Where the link last reported by OnHotSpotCovered is (global): the
  // pointer, or the link itself when the keyboard reached it.
  QPoint CoveredGlobalPoint() const { return covered_point_; }

  // The link address at a viewport point ("" when none), Windows-1252.
  std::string LinkAt(const QPoint& viewport_pos) const;
  // Display position of the character under a viewport point.
  int CharacterAt(const QPoint& viewport_pos) const;
  // The word (IsDisplayWordChar run) around display position `pos`, and its
  // range; empty when the character there is not a word character.
  QString WordAt(int pos, int* begin = nullptr, int* end = nullptr) const;

  // --- Events -------------------------------------------------------------
  // A left click on a link. `handled` starts false; left false, a "#name"
  // address is positioned to inside this document and any other address
  // does nothing: the widget never navigates.
  std::function<void(const std::string& href, bool& handled)> OnHotSpotClick;
  // The link under the pointer changed; "" when the pointer left links.
  std::function<void(const std::string& href)> OnHotSpotCovered;
  // Right button released over the document (params.caret is the
  // character under the pointer); the selection is kept.
  std::function<void(const TRightClickParameters& params)> OnRightClick;
  // Double click, after the word under the pointer has been selected.
  std::function<void()> OnMouseDouble;
  // Every pointer movement over the document.
  std::function<void(QMouseEvent* event)> OnMouseMove;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;

 private:
  struct TRunMark {
    int32_t begin = 0;  // source offsets [begin, end) of the text run
    int32_t end = 0;
    int display = -1;   // display position of its first character, -1 unknown
  };

  void ApplyDefaultsToDocument();
  void IndexDocument();
  void ScrollProgrammatically(int y);
  // Puts the held position back at the top after Qt has moved the view.
  void ScrollToHeldPosition();
  void SetCovered(const std::string& href);
  void ReportHotSpotClick(const std::string& href);
  void ReportRightClick(const QPoint& viewport_pos, const QPoint& global_pos);
  int RunCharIndex(const TRunMark& run, int64_t source_offset, bool before) const;

  std::string source_;
  TDisplayTextOptions text_options_;
  std::vector<TRunMark> runs_;                      // sorted by begin
  std::unordered_map<std::string, int> anchors_;    // normalised name -> position
  std::string def_font_name_ = "Arial";
  int def_font_size_ = 10;
  config::TColor def_font_color_ = config::kClWindowText;
  config::TColor def_background_ = config::kClWindow;
  std::optional<config::TColor> def_link_color_;
  std::string covered_;          // link under the pointer
  QPoint covered_point_;
  std::optional<int> held_position_;  // display position kept at the top
  bool positioning_ = false;          // scroll changes made by the program
  std::string pressed_link_;     // link under a left press, for the click
  QPoint press_pos_;
  bool in_mouse_release_ = false;
};

}  // namespace lumora::ui
