// TFrameDictView: the Book pane. One entry of one Book at a time: a tab per
// Book, a tool bar with history and the entry box of the Book's titles, and
// the resource view, which it fills through the entry renderer. It keeps the
// topic across Books, adds Strong's search links under lexicon articles and
// offers the user-Book commands.
//
// The modules are the library's: on modulesAboutToChange the pane clears
// its widget and forgets every module pointer; on modulesChanged it
// rebuilds its tabs, drops the history items of Books that left and shows
// its entry again (nothing when its Book left). History items name Books by
// abbreviation and keep 32-bit entry numbers.
//
// Shortcuts are scoped to the pane (Ctrl+C, Ctrl+Shift+C); Shift+F11
// (Maximize) works in the whole window.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "core/refs/verse_range.h"
#include "views/navigation_history.h"
#include "views/pane_host.h"
#include "views/settings.h"

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace lumora::ui {

class TEntryBox;
class TFrameResourceView;
class THistoryButtons;
class THtmlView;
class TResourceTabs;

class TFrameDictView : public QWidget {
  Q_OBJECT

 public:
  TFrameDictView(const TPaneContext& context, QWidget* parent = nullptr);
  ~TFrameDictView() override;

  // The library's Books: display settings applied, tabs rebuilt, history
  // emptied, the entry list filled with the current Book's titles, nothing
  // shown.
  void SetBooks();
  // Selects `book`'s tab (revealed if hidden); the tab change keeps the
  // topic. Nothing when it is current or not loaded.
  void ShowBook(const TLMDictionaryModule* book);
  // The first Book whose abbreviation or title equals `name` (no case).
  void ShowBookByName(const std::string& name);
  // Entry `entry` of the current Book, marking verses first..last. An entry
  // outside the title list clears the display (current entry -1). The same
  // entry with the same marked verse is not drawn again unless its text
  // changed; kNoMarkedVerse as `first` always redraws and marks nothing.
  void ShowEntry(int entry, int first, int last);
  // `book` at `entry` in one step: one history item, one render (not the
  // tab-change rule's entry first). Nothing for a Book that is not loaded.
  void ShowBookEntry(const TLMDictionaryModule* book, int entry, int first, int last);
  // The first entry whose title begins with `word` (no case).
  void LookUpWord(const std::string& word);
  // The display settings again; the current entry redrawn (no history).
  void RefreshView();
  // The current Book gained, lost or rewrote an entry: the entry list is
  // read again and entry `show` drawn afresh (nothing when out of range,
  // never entry -1).
  void EntriesChanged(int show);

  const TLMDictionaryModule* CurrentBook() const;
  // Entry shown, -1 for none.
  int CurrentEntry() const { return current_entry_; }
  // The marked verse of the entry shown (0: none).
  int MarkedVerse() const { return marked_first_; }
  THtmlView* HTMLView() const;
  TFrameResourceView* ResourceView() const { return resource_view_; }
  TResourceTabs* Tabs() const { return tabs_; }
  TEntryBox* EntryBox() const { return entry_box_; }
  QToolBar* ToolBar() const { return tool_bar_; }
  const BookHistory& History() const { return history_; }

  void JumpBack(int k);
  void JumpForward(int k);
  QStringList HistoryCaptions(bool back) const;

  // The right-click menu for the link `url` (built fresh each time).
  void PopulateContextMenu(QMenu& menu, const std::string& url, const std::string& selected);
  const TVerseRangeList& LinkedRanges() const { return linked_ranges_; }

  // Whether inactive tab `index`'s Book has an entry titled like the one
  // shown (the corresponding colour).
  bool Corresponds(int index) const;

  QAction* ActionBack = nullptr;
  QAction* ActionForward = nullptr;
  QAction* ActionCopySelected = nullptr;
  QAction* ActionAppendSelection = nullptr;
  QAction* ActionCopyAll = nullptr;
  QAction* ActionSearchSelected = nullptr;
  QAction* ActionLoadVerseList = nullptr;
  QAction* ActionTopicGuide = nullptr;  // for the entry's title
  QAction* ActionEditEntry = nullptr;
  QAction* ActionAddEntry = nullptr;
  QAction* ActionDeleteEntry = nullptr;
  QAction* ActionCopyHTMLSource = nullptr;  // never shown
  QAction* ActionMax = nullptr;

  void UpdateActions();

 Q_SIGNALS:
  void stateChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void CreateToolBar();
  QAction* NewAction(const char* name, const QString& caption, const QString& hint,
                     const QKeySequence& key = {});
  void DropModules();
  void AttachModules();
  void OnSettingsChanged(SettingsParts parts);
  void ApplyDisplaySettings();
  void BuildTabs();

  void OnTabChanged(int index);
  // The tab-change rule after the tab is selected: the entry box filled
  // with the new Book's titles, then the first entry whose title begins
  // with `topic` (no case) or entry 0.
  void EnterBook(const std::string& topic);
  void FillEntryBox();
  void RecordHistory();
  // Renders entry `entry` of the current Book (no checks, no history).
  void Render(int entry, int first, int last);
  void ClearEntry();
  std::string FooterOf(const TLMDictionaryModule& book, int entry, const std::string& text) const;
  void UpdateCorresponding();

  void ShowContextMenu(const std::string& url, const std::string& selected, const QPoint& at);
  void CopyAll();
  void AppendSelection();
  void SearchSelected();
  void LoadReferencedVerses();
  void PrintWindow();

  TPaneContext context_;
  IPaneHost& host_;
  TLibrary& library_;

  int current_entry_ = -1;
  int marked_first_ = 0;
  int marked_last_ = 0;
  // What the widget shows, to know whether a re-show must redraw.
  std::string shown_abbreviation_;
  std::string shown_text_;
  BookHistory history_;
  TVerseRangeList linked_ranges_;
  std::vector<bool> corresponding_;
  bool dropped_ = false;
  std::string kept_current_;
  std::vector<std::string> kept_hidden_;
  // The changing Book's titles before its change (history remapping).
  std::vector<std::string> titles_before_;

  TResourceTabs* tabs_ = nullptr;
  QToolBar* tool_bar_ = nullptr;
  QToolButton* back_button_ = nullptr;
  QToolButton* forward_button_ = nullptr;
  TEntryBox* entry_box_ = nullptr;
  TFrameResourceView* resource_view_ = nullptr;
  THistoryButtons* history_buttons_ = nullptr;
  QPointer<QMenu> context_menu_;
};

}  // namespace lumora::ui
