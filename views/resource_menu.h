// Pieces the Book and Commentary panes share: the "Go to Bible Passage"
// grid of a verse-list link, the copy of a link's verses, the history
// drop-downs and the mouse's back and forward buttons.
#pragma once

#include <QIcon>
#include <QObject>
#include <QStringList>
#include <functional>

#include "core/modules/bible_module.h"
#include "core/refs/verse_range.h"

class QAction;
class QMenu;
class QWidget;

namespace lumora::ui {

class IPaneHost;
class TLibrary;

// A tool bar icon drawn from a short glyph (the program needs no image
// files), in the palette's button text colour.
QIcon ToolGlyphIcon(const QString& glyph);

// The "Go to Bible Passage" grid: columns of this many items, at most this
// many items; a longer list ends with an item that loads every referenced
// verse instead.
inline constexpr int kPassageMenuColumn = 25;
inline constexpr int kPassageMenuMax = 200;

// Adds the "Go to Bible Passage" submenu for `ranges` (one item per range,
// "%s %d:%d" with the long book title of `titles`, chapter and verse of the
// range's first verse) to `menu`. Choosing an item calls `go` with that
// verse. With more ranges than kPassageMenuMax, the last item is
// `load_all`'s caption and triggers it. The grid is named
// "GoToPassageGrid", its buttons "GoToPassage" (tests find them).
QMenu* AddGoToPassageMenu(QMenu& menu, const TVerseRangeList& ranges, const TLMBibleModule& titles,
                          const std::function<void(int verse)>& go, QAction* load_all);

// "Copy Verse(s) from this Link": the verses of `ranges` in the Bible view's
// current Bible, in the configured export format, to the clipboard.
void CopyLinkedVerses(IPaneHost& host, const TLibrary& library, const TVerseRangeList& ranges);

// A history drop-down: one item per caption (most recent first, "&"
// literal); choosing item k calls `jump(k)`.
void FillHistoryMenu(QMenu* menu, const QStringList& captions,
                     const std::function<void(int k)>& jump);

// The mouse's back and forward buttons over a pane and everything in it run
// `jump(back)`.
class THistoryButtons : public QObject {
  Q_OBJECT

 public:
  THistoryButtons(QWidget* pane, std::function<void(bool back)> jump);
  // Watches `widget` and its children too (widgets made after the pane).
  void Watch(QWidget* widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(bool)> jump_;
};

}  // namespace lumora::ui
