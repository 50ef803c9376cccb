// TFrameCommentView: the Commentary pane. The comment of one Commentary on
// one verse: a tab per Commentary, a tool bar with history, the entry box
// of the Commentary's titles and the resource view, which it fills through
// the entry renderer. It moves on Commentary links, the Bible view's and
// verse list's "Go to" items, bookmarks, searches and its own controls; it
// does not follow the Bible view by itself.
//
// The modules are the library's: on modulesAboutToChange the pane clears
// its widget and forgets every module pointer; on modulesChanged it
// rebuilds its tabs, drops the history items of Commentaries that left and
// shows its verse again (in the first Commentary when its own left).
// History items name Commentaries by abbreviation.
//
// Shortcuts are scoped to the pane (Ctrl+C, Ctrl+Shift+C); Shift+F12
// (Maximize) works in the whole window.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/refs/reference_parser.h"
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

inline constexpr const char* kUnrecognizedReference = "Unrecognized reference.";

class TFrameCommentView : public QWidget {
  Q_OBJECT

 public:
  TFrameCommentView(const TPaneContext& context, QWidget* parent = nullptr);
  ~TFrameCommentView() override;

  // The library's Commentaries: display settings applied, history emptied,
  // entry header cleared, one tab per Commentary, no position shown, the
  // entry box filled with the current Commentary's titles.
  void SetCommentaries();
  // Commentary k of the library's list at slot `position`, marking verses
  // first..last; `force` re-selects the tab even when it is current. A
  // position outside 0..31101 clears the display and reads nothing.
  void ShowComment(int k, int position, int first, int last, bool force);
  // The current Commentary at slot `position` (tabs untouched).
  void ShowCommentAt(int position);
  // The entry whose title is item n of the entry box (nothing for an n
  // outside the list).
  void ShowCommentEntry(int n);
  // The display settings again, the current position re-shown (always
  // redrawn), no history recorded. Nothing before a position is shown.
  void RefreshView();
  // The current Commentary's entries changed: the entry list is read again
  // and the position drawn afresh.
  void EntriesChanged();

  const TLMCommentaryModule* CurrentCommentary() const;
  // Slot shown, -1 for none.
  int CurrentPosition() const { return current_position_; }
  THtmlView* HTMLView() const;
  TFrameResourceView* ResourceView() const { return resource_view_; }
  TResourceTabs* Tabs() const { return tabs_; }
  TEntryBox* EntryBox() const { return entry_box_; }
  QToolBar* ToolBar() const { return tool_bar_; }
  const CommentaryHistory& History() const { return history_; }

  // History jumps (k = 0 for the buttons, the drop-down row otherwise).
  void JumpBack(int k);
  void JumpForward(int k);
  QStringList HistoryCaptions(bool back) const;

  // The right-click menu for the link `url` (built fresh each time);
  // `selected` is the selected text (Windows-1252). Keeps the link's verses
  // for "Copy Verse(s) from this Link".
  void PopulateContextMenu(QMenu& menu, const std::string& url, const std::string& selected);
  const TVerseRangeList& LinkedRanges() const { return linked_ranges_; }

  // Whether inactive tab `index` has a comment on the current verse (the
  // corresponding colour).
  bool Corresponds(int index) const;

  // The commands, by their names.
  QAction* ActionBack = nullptr;
  QAction* ActionForward = nullptr;
  QAction* ActionCopySelected = nullptr;
  QAction* ActionAppendSelection = nullptr;
  QAction* ActionCopyAll = nullptr;
  QAction* ActionSearchSelected = nullptr;
  QAction* ActionTopicGuideCmt = nullptr;
  QAction* ActionLoadVerseList = nullptr;
  QAction* ActionEditComment = nullptr;
  QAction* ActionClearComment = nullptr;
  QAction* ActionGoBible = nullptr;
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

  void OnTabChanged(int index);
  void FillEntryBox();
  void RecordHistory();
  // Steps shared by ShowComment, ShowCommentAt and ShowCommentEntry once
  // the position is known: the entry box, the header, the render, the tabs.
  // `item` is the entry box item to select (-1: none).
  void ShowPosition(int position, const std::string& title, int item, int first, int last);
  void ClearPosition();
  void OnEntryBoxEnter(const QString& text);
  int TitleIndexOf(int position) const;
  std::string Reference(int position) const;  // "%s %d:%d", KJV long title
  void UpdateCorresponding();

  void ShowContextMenu(const std::string& url, const std::string& selected, const QPoint& at);
  void CopyAll();
  void AppendSelection();
  void SearchSelected();
  void TopicGuideForVerse();
  void LoadReferencedVerses();
  void EditComment();
  void PrintWindow();

  TPaneContext context_;
  IPaneHost& host_;
  TLibrary& library_;

  int current_position_ = -1;
  // The Commentary whose entry the widget shows (history records it, not
  // the tab just selected).
  std::string shown_abbreviation_;
  CommentaryHistory history_;
  TVerseRangeList linked_ranges_;
  std::unique_ptr<ReferenceParser> parser_;  // over the KJV Bible
  std::vector<int> title_slots_;             // slot of each entry box title
  std::vector<bool> corresponding_;          // per tab, for the current verse
  bool dropped_ = false;                     // between the two library signals
  std::string kept_current_;                 // the current tab's, while dropped
  std::vector<std::string> kept_hidden_;     // hidden tabs, while dropped

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
