// TFrameTextView: the frame that shows Bible text in the Bible view and the
// verse list. It owns the display widget (HTMLView) and the passage
// renderer, maps between verses and places in the shown page, dispatches
// link clicks to its owner and shows hover previews.
//
// The owner wires the callbacks below; an unset callback means the event
// does nothing (a pane that does not exist yet leaves its callback empty).
// Every number taken from a link is checked before a callback sees it: a
// verse must be a verse of the frame's Bible (1..31102 without one), a
// Commentary or Book number must index the renderer's lists, a position
// must be a Commentary position, a Strong's entry must exist in the lexicon.
//
// Shortcuts: the frame's actions (CopyAction Ctrl+C, SelectAllAction
// Ctrl+A) are scoped Qt::WidgetWithChildrenShortcut, so several panes may
// use the same keys. A pane that wants a Ctrl+C item should put
// CopyAction() into its menus rather than bind Ctrl+C again around the
// frame (two actions with one key in one scope are ambiguous to Qt).
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

#include "render/hover_preview.h"
#include "render/passage_renderer.h"
#include "render/ui/html_view.h"

class QAction;

namespace lumora::ui {

class TFrameTextView : public QWidget {
  Q_OBJECT

 public:
  explicit TFrameTextView(QWidget* parent = nullptr);
  ~TFrameTextView() override;

  THtmlView* HTMLView() const { return html_view_; }
  TPassageRenderer& Renderer() { return renderer_; }
  const TPassageRenderer& Renderer() const { return renderer_; }

  // Part of the renderer's interface, forwarded (no render).
  void SetBible(const TLMBibleModule* bible) { renderer_.SetBible(bible); }
  void SetCompareBible(const TLMBibleModule* bible) { renderer_.SetCompareBible(bible); }
  const TLMBibleModule* Bible() const { return renderer_.Bible(); }

  // Renders through the renderer and loads the page: the widget defaults
  // first; with a Bible, "Loading..." is loaded and painted at once, then
  // the page. Returns the renderer's count. Without a Bible the widget keeps
  // its document (only the defaults change). Page start and paging are the
  // renderer's (Renderer().SetPaged / SetPageFirst).
  int ShowVerses(const TVerseList& verses, const TKeyArray& keys, bool case_sensitive,
                 bool reference_links);
  // The stored list again (page links, setting toggles, a new Bible).
  int Rerender();

  // Brings the verse's anchor to the top; a verse not on the page leaves
  // the view unchanged.
  void ScrollToVerse(int verse);
  // Selects the verse's label and scrolls it into view (to the middle when
  // it is above the view or within its lowest 20 pixels). Does nothing for
  // a verse that is not a verse of the Bible or not on the current page.
  void SelectVerse(int verse);
  // The first verse of the page whose label is at or below the view's top;
  // -1 if none.
  int FirstVisibleVerse() const;
  // The verse entry of the page that holds display position `caret` (the
  // right-click rule; separators step back to the verse before, never
  // before the page's first entry); 0 when the page is empty.
  int VerseAtDisplayPosition(int caret) const;
  // Whether `verse` is rendered on the current page.
  bool IsVerseOnPage(int verse) const;

  // Lexicons for "h"/"g" links and their previews, the Strong's data for
  // the previews. Modules are the catalogue's.
  void SetStrongsBooks(const TLMDictionaryModule* hebrew, const TLMDictionaryModule* greek);
  // The Strong's data, for the renderer's Strong's words and the previews.
  // The previews read the Commentary and Book lists from the renderer.
  void SetStrongsData(const TLMStrongsDataModule* data);

  // The text view's link dispatcher and hover handler (public so that
  // tests and keyboard paths can drive them).
  void HTMLViewHotSpotClick(const std::string& href, bool& handled);
  void HTMLViewHotSpotCovered(const std::string& href);
  // The hint text of the last hover ("" when none), Windows-1252.
  const std::string& HintText() const { return hint_text_; }

  QAction* CopyAction() const { return copy_action_; }
  QAction* SelectAllAction() const { return select_all_action_; }

  // --- Owner callbacks ------------------------------------------------------
  // "h:"/"g:": show `book` (the Hebrew or Greek Strong's Book) at entry
  // `entry` (the number - 1).
  std::function<void(const TLMDictionaryModule* book, int entry)> on_show_book_entry;
  // "lp:": the Bible view goes to `verse`; `select_label` when this view has
  // neither chapter link (the verse list), so the Bible view then selects
  // the verse's label.
  std::function<void(int verse, bool select_label)> on_go_to_verse;
  // "lc:": the Commentary view shows LinkedCommentaries()[k] at `position`.
  std::function<void(int k, int position)> on_show_commentary;
  // "ec:": the entry editor opens EditableCommentaries()[k] at `position`.
  std::function<void(int k, int position)> on_edit_commentary;
  // "ld:": OpenBookAtVerse(LinkedBooks()[k], verse).
  std::function<void(const TLMDictionaryModule* book, int verse)> on_open_book_at_verse;
  // Right click (only with a non-empty verse list): link address, link
  // target, word under the pointer, selected text (Windows-1252), the
  // clicked verse, and where to show the menu.
  std::function<void(const std::string& url, const std::string& target, const std::string& word,
                     const std::string& selected, uint16_t verse, const QPoint& global_pos)>
      on_right_click;
  // Double click on a word: the selected word (never empty).
  std::function<void(const std::string& word)> on_word_double_click;
  // A preview became active (true) or the pointer left links (false): the
  // main window stops or resumes echoing hints in its status bar.
  std::function<void(bool active)> on_preview_active;

 private:
  void HTMLViewMouseMove();
  void HTMLViewRightClick(const TRightClickParameters& params);
  void HTMLViewMouseDouble();
  void ShowPendingHint();
  void ApplyWidgetDefaults();
  bool IsUsableLinkVerse(int verse) const;

  THtmlView* html_view_ = nullptr;
  TPassageRenderer renderer_;
  const TLMDictionaryModule* hebrew_book_ = nullptr;
  const TLMDictionaryModule* greek_book_ = nullptr;
  const TLMStrongsDataModule* strongs_data_ = nullptr;
  std::string hint_text_;
  bool preview_active_ = false;  // the pointer is on a link
  QTimer hint_timer_;
  QAction* copy_action_ = nullptr;
  QAction* select_all_action_ = nullptr;
};

}  // namespace lumora::ui
