// TFrameVerseListView: the verse list pane. Any list of verses of one Bible
// (search results, typed references, the verses an entry references),
// rendered through the text view frame in pages of 100 with the search
// words highlighted, with commands on the whole list (copy, copy
// references, export, print) and on the verse under the pointer.
//
// Layout: the fixed "Verse List" tab, a tool bar (the four display toggles,
// Maximize), the text view and a status bar of three panes: the Bible's
// abbreviation, the number of verses in the list, the list's title.
//
// The display settings are the process-wide "VerseListView ..." record: a
// toggle flips its value and commits kSettingsVerseListView; the pane
// re-renders for its own parts, keeping the page and the verse at the top.
// Page links ("pn") are the text view's: they move this pane's page only.
// The modules are the library's: on modulesAboutToChange the pane drops
// them (and closes its menu), on modulesChanged it finds its Bibles again
// by abbreviation and redraws.
//
// Shortcuts: Copy All Verses (F7), Copy All References (Shift+F7) and
// Maximize (Shift+F9) are window-wide (they sit on the main tool bar and
// the View menu); copy, append and search of the selection are the pane's.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "render/verse_list.h"
#include "views/pane_host.h"
#include "views/settings.h"

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

namespace lumora::config {
struct TPropertiesBibleView;
}

namespace lumora::ui {

class TFrameTextView;
class TResourceTabs;

class TFrameVerseListView : public QWidget {
  Q_OBJECT

 public:
  TFrameVerseListView(const TPaneContext& context, QWidget* parent = nullptr);
  ~TFrameVerseListView() override;

  // --- Operations other panes and the window call ------------------------------
  // Sets the Bible (a Bible of the library, or null) and shows its
  // abbreviation in the first status pane. No render.
  void SetBible(const TLMBibleModule* bible);
  const TLMBibleModule* Bible() const;
  // Sets the compare Bible (null: none). No render.
  void SetCompareBible(const TLMBibleModule* bible);
  const TLMBibleModule* CompareBible() const;
  // Shows the pane and the list from page 1 with the current display
  // settings; the status bar shows the Bible, the count and `title`.
  void LoadList(const TVerseList& verses, const TKeyArray& keys, const std::string& title,
                bool case_sensitive);
  // The stored list again on the same page with the verse at the top kept
  // (settings or Bible changes); shows the pane. With no list, only the
  // background colour is applied.
  void Rerender();
  // The Version and Compare Version choices: set, then Rerender. A Bible
  // that is not in the library does nothing.
  void ChooseBible(const TLMBibleModule* bible);
  void ChooseCompareBible(const TLMBibleModule* bible);

  const TVerseList& List() const { return verses_; }
  const TKeyArray& Keys() const { return keys_; }
  const std::string& Title() const { return title_; }
  bool CaseSensitive() const { return case_sensitive_; }
  // Verses in the list, separators not counted.
  int VerseCount() const;

  // --- Commands -------------------------------------------------------------------
  // "Copy %s": one verse in the configured export style.
  void CopyVerse(int verse);
  // Every verse of the list (all pages), each followed by a blank line.
  void CopyAllVerses();
  // The list's references as one compact text.
  void CopyAllReferences();

  // The right-click menu for `verse` (built fresh each time); `url` is the
  // link under the pointer, `selected` the selection (Windows-1252).
  void PopulateContextMenu(QMenu& menu, const std::string& url, const std::string& selected,
                           int verse);
  // The two Bible submenus, for this pane's menu and the main window's
  // "Verse List" menu: one "%s\t%s" item per Bible (the current one
  // checked); Compare Version starts with "None" and is disabled with
  // fewer than two Bibles.
  void FillVersionMenu(QMenu& menu);
  void FillCompareMenu(QMenu& menu);

  TFrameTextView* TextView() const { return text_view_; }
  TResourceTabs* Tabs() const { return tabs_; }
  QToolBar* ToolBar() const { return tool_bar_; }
  QStatusBar* StatusBar() const { return status_bar_; }
  // The three status panes' texts, left to right.
  QString StatusText(int pane) const;

  QAction* ActionToggleFootnotes = nullptr;
  QAction* ActionToggleCommentaryLinks = nullptr;
  QAction* ActionToggleDictionaryLinks = nullptr;
  QAction* ActionToggleEditLinks = nullptr;
  QAction* ActionMax = nullptr;
  QAction* ActionCopySelection = nullptr;
  QAction* ActionAppendSelection = nullptr;
  QAction* ActionSearchSelected = nullptr;
  QAction* ActionCopyAllVerses = nullptr;
  QAction* ActionCopyAllReferences = nullptr;
  // Export and print of the whole list belong to the export and print
  // commands, which connect them and keep their enabled states; the pane
  // makes them disabled and leaves them alone.
  QAction* ActionExportVerseList = nullptr;
  QAction* ActionPrintVerseList = nullptr;

  // Enabled and checked states from the current state (every update pass).
  void UpdateActions();

 Q_SIGNALS:
  // Something the commands' states depend on changed.
  void stateChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateActions();
  void CreateToolBar();
  void CreateStatusBar();
  QAction* NewAction(const char* name, const QString& caption, const QString& hint,
                     const QKeySequence& key = {},
                     Qt::ShortcutContext context = Qt::WidgetWithChildrenShortcut);
  void ToggleSetting(bool config::TPropertiesBibleView::*field);
  void OnSettingsChanged(SettingsParts parts);
  void DropModules();
  void AttachModules();
  // Renders the stored list on the current page; `keep_place` brings the
  // verse that was at the top back there.
  void Render(bool keep_place);
  void ApplySettingsToRenderer();
  void UpdateStatus();
  void ShowContextMenu(const std::string& url, const std::string& selected, uint16_t verse,
                       const QPoint& global_pos);
  void AppendSelection();
  void SearchSelected();
  // The KJV Bible, else the pane's: the titles of the editor's notation and
  // of the topic guide.
  const TLMBibleModule* ReferenceBible() const;

  TPaneContext context_;
  IPaneHost& host_;
  TLibrary& library_;

  TVerseList verses_;
  TKeyArray keys_;
  std::string title_;
  bool case_sensitive_ = false;
  // A settings change while the pane was hidden: render when it shows.
  bool render_pending_ = false;
  // Abbreviations kept across a change of the library's lists.
  std::string bible_name_;
  std::string compare_name_;

  TResourceTabs* tabs_ = nullptr;
  QToolBar* tool_bar_ = nullptr;
  TFrameTextView* text_view_ = nullptr;
  QStatusBar* status_bar_ = nullptr;
  QLabel* status_panes_[3] = {nullptr, nullptr, nullptr};
  QPointer<QMenu> context_menu_;
};

}  // namespace lumora::ui
