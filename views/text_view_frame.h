// TFrameTextView: the frame that shows Bible text in the Bible view and the
// verse list. It owns the display widget (HTMLView) and the passage
// renderer, maps between verses and places in the shown page, dispatches
// link clicks to the pane host and shows hover previews.
//
// Every number taken from a link is checked before the host sees it: a
// verse must be a verse of the frame's Bible (1..31102 without one), a
// Commentary or Book number must index the library's current lists, a
// position must be a Commentary position, a Strong's entry must exist in
// the lexicon. The renderer's linked lists are the library's (AttachLibrary
// after every change), so the numbers in the page and the lists agree.
//
// Shortcuts: the frame's actions (CopyAction Ctrl+C, SelectAllAction
// Ctrl+A) are scoped Qt::WidgetWithChildrenShortcut, so several panes may
// use the same keys. Ctrl+C inside the widget is the widget's own key.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

#include "render/hover_preview.h"
#include "render/passage_renderer.h"
#include "render/ui/html_view.h"
#include "views/link_preview.h"

class QAction;

namespace lumora::ui {

class IPaneHost;
class TLibrary;

class TFrameTextView : public QWidget {
  Q_OBJECT

 public:
  TFrameTextView(IPaneHost& host, TLibrary& library, QWidget* parent = nullptr);
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

  // Takes the library's current lists (linked Commentaries and Books, the
  // editable Commentaries, Strong's data) into the renderer; the owner
  // re-renders afterwards. `excluded` is "ExcludeFromLinking".
  void AttachLibrary(const std::vector<std::string>& excluded);

  // The text view's link dispatcher and hover handler (public so that
  // tests and keyboard paths can drive them).
  void HTMLViewHotSpotClick(const std::string& href, bool& handled);
  void HTMLViewHotSpotCovered(const std::string& href);

  QAction* CopyAction() const { return copy_action_; }
  QAction* SelectAllAction() const { return select_all_action_; }

  TLinkPreview& Preview() { return *preview_; }
  // The text of the last preview computed ("" when none), Windows-1252.
  const std::string& HintText() const { return preview_->HintText(); }

  // --- Owner callback ---------------------------------------------------------
  // Right click (only with a non-empty verse list): link address, link
  // target, word under the pointer, selected text (Windows-1252), the
  // clicked verse, and where to show the menu.
  std::function<void(const std::string& url, const std::string& target, const std::string& word,
                     const std::string& selected, uint16_t verse, const QPoint& global_pos)>
      on_right_click;

 private:
  void HTMLViewRightClick(const TRightClickParameters& params);
  void HTMLViewMouseDouble();
  void ApplyWidgetDefaults();
  bool IsUsableLinkVerse(int verse) const;
  std::string PreviewOf(const std::string& href) const;

  IPaneHost& host_;
  TLibrary& library_;
  THtmlView* html_view_ = nullptr;
  TPassageRenderer renderer_;
  TLinkPreview* preview_ = nullptr;
  QAction* copy_action_ = nullptr;
  QAction* select_all_action_ = nullptr;
};

}  // namespace lumora::ui
