// TFrameBibleView: the Bible pane. One chapter of one Bible at a time, a tab
// per loaded Bible, a tool bar (history with drop-downs, book and chapter
// selectors, chapter steps, display toggles) and the text view frame, which
// it fills through the passage renderer in chapter mode. Every request to
// show a verse ends in GoToVerse.
//
// The display settings are the process-wide Bible view record
// (TSettings); a toggle changes it, commits it and this pane re-renders for
// the settings parts it shows. The modules are the library's: on
// modulesAboutToChange the pane drops them, on modulesChanged it reads the
// lists again and redraws.
//
// Shortcuts are scoped to the pane (Qt::WidgetWithChildrenShortcut), so
// other panes may bind the same keys; the Ctrl+navigation keys reach the
// pane's commands before the text widget's own caret movement. Everything
// the pane needs of the window and of other panes goes through IPaneHost.
#pragma once

#include <QComboBox>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/view_properties.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/strongs_data.h"
#include "core/refs/paragraph_map.h"
#include "render/verse_list.h"
#include "views/navigation_history.h"
#include "views/pane_host.h"
#include "views/settings.h"

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace lumora::ui {

class TFrameTextView;
class TResourceTabs;

// A book or chapter selector: user choices come through QComboBox::activated
// only, so selecting programmatically never runs the user handler. The drop
// down shows as many rows as `rows` answers.
class TSelectorBox : public QComboBox {
  Q_OBJECT

 public:
  explicit TSelectorBox(QWidget* parent = nullptr) : QComboBox(parent) {}
  std::function<int()> rows;

 protected:
  void showPopup() override;
};

class TFrameBibleView : public QWidget {
  Q_OBJECT

 public:
  TFrameBibleView(const TPaneContext& context, QWidget* parent = nullptr);
  ~TFrameBibleView() override;

  // --- Set-up ------------------------------------------------------------------
  // SetBibles: the library's Bibles (its KJV Bible the reference for the
  // quick-jump text). Empties the history, builds the tabs (hidden per the
  // Bibles' tab visible flags), fills the book selector and prepares the
  // text view with the library's other modules and the paragraph map.
  // Start-up calls it once the library is loaded; a change of the
  // library's lists re-attaches the other modules and redraws.
  void SetBibles();

  // --- Operations other panes call -----------------------------------------
  // Shows the chapter holding `v` positioned at `v`. Does nothing for a
  // number that is not a verse of the current Bible.
  void GoToVerse(int v);
  // Selects the Bible's tab (shown first if hidden) and re-renders the top
  // verse in it.
  void ShowBible(const TLMBibleModule* bible);
  // Re-renders at the top verse with the current settings.
  void RefreshView();
  // Sets (or with nullptr or the current one, clears) the compare Bible;
  // re-renders only on a change.
  void SetCompareBible(const TLMBibleModule* bible);
  // Today's Proverb for a given day of the month (the command uses today).
  void GoToProverb(int day_of_month);

  const TLMBibleModule* CurrentBible() const;
  int CurrentVerse() const { return current_verse_; }
  int TopVerse() const;
  const TLMBibleModule* CompareBible() const;
  const std::vector<const TLMBibleModule*>& Bibles() const;
  const TVerseList& ChapterVerses() const { return chapter_verses_; }
  const BibleHistory& History() const { return history_; }

  // History jumps (k = 0 for the buttons, the drop-down row otherwise).
  void JumpBack(int k);
  void JumpForward(int k);
  // The drop-down captions of the back or forward list, most recent first.
  QStringList HistoryCaptions(bool back) const;

  // Paragraph reading mode on or off (the command toggles).
  void SetParaMode(bool on);
  // The user's LinkCommentaries, LinkDictionaries, ShowFootnotes and
  // ShowEditLinks: the settings themselves, or in paragraph mode the values
  // it will bring back.
  std::array<bool, 4> UserLinkSettings() const;

  // The right-click menu for `verse` (built fresh each time). `url` is the
  // link under the pointer, `selected` the selected text (Windows-1252).
  void PopulateContextMenu(QMenu& menu, const std::string& url, const std::string& selected,
                           int verse);
  // "Copy %s" for one verse and "Copy from ... through" for a run, as
  // clipboard text in the configured export style.
  void CopyVerses(int first, int last);

  TFrameTextView* TextView() const { return text_view_; }
  TResourceTabs* Tabs() const { return tabs_; }
  TSelectorBox* BookSelector() const { return book_box_; }
  TSelectorBox* ChapterSelector() const { return chapter_box_; }
  QToolBar* ToolBar() const { return tool_bar_; }

  // The commands, by their names (ActionBack, ActionNextChapter, ...).
  QAction* ActionBack = nullptr;
  QAction* ActionForward = nullptr;
  QAction* ActionPrevChapter = nullptr;
  QAction* ActionNextChapter = nullptr;
  QAction* ActionPrevBook = nullptr;
  QAction* ActionNextBook = nullptr;
  QAction* ActionPrevVerse = nullptr;
  QAction* ActionNextVerse = nullptr;
  QAction* ActionToggleFootnotes = nullptr;
  QAction* ActionToggleCommentaryLinks = nullptr;
  QAction* ActionToggleDictionaryLinks = nullptr;
  QAction* ActionToggleEditLinks = nullptr;
  QAction* ActionToggleParaMode = nullptr;
  QAction* ActionCopySelection = nullptr;
  QAction* ActionAppendSelection = nullptr;
  QAction* ActionCopyAllVerses = nullptr;
  QAction* ActionSearchSelected = nullptr;
  QAction* ActionProverb = nullptr;
  QAction* ActionMax = nullptr;

  // Enabled and checked states of the commands, from the current state
  // (the action registry runs it in every update pass).
  void UpdateActions();

 Q_SIGNALS:
  // GoToVerse moved the view (the main window's quick-jump box follows).
  void verseChanged(int verse);
  // Something the commands' states depend on changed.
  void stateChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void CreateToolBar();
  void WireTextView();
  void AttachResources();
  void DropModules();
  void OnSettingsChanged(SettingsParts parts);
  QAction* NewAction(const char* name, const QString& caption, const QString& hint,
                     const QKeySequence& key = {});

  void FillBookSelector(const TLMBibleModule* bible, int keep_index);
  void FillChapterSelector(const TLMBibleModule& bible, int book, int chapter);
  void OnTabChanged(int index);
  void OnBookActivated(int index);
  void OnChapterActivated(int index);
  void StepBook(int delta);
  void ApplySettingsToTextView();
  // A toggle of one display setting: the setting flips, paragraph mode
  // goes off, the view re-renders.
  void ToggleSetting(bool config::TPropertiesBibleView::*field);
  void FillHistoryMenu(QMenu* menu, bool back);
  void ShowContextMenu(const std::string& url, const std::string& selected, uint16_t verse,
                       const QPoint& global_pos);
  void AppendSelection();
  void CopyAllVerses();
  void SearchSelected();
  void PrintWindow();
  void AddCopyThroughMenu(QMenu& menu, int verse, const QString& reference);
  void AddCompareMenu(QMenu& menu);
  int SelectorRows() const;

  void ShowTabMenu(int index, const QPoint& at);
  const TLMBibleModule* Kjv() const;

  TPaneContext context_;
  IPaneHost& host_;
  TLibrary& library_;

  int current_verse_ = 0;  // 0 before the first GoToVerse, -1 forces a render
  int anchored_verse_ = 0;  // the verse GoToVerse put at the top
  TVerseList chapter_verses_;
  BibleHistory history_;
  // LinkCommentaries, LinkDictionaries, ShowFootnotes, ShowEditLinks before
  // paragraph mode went on.
  std::array<bool, 4> saved_link_settings_{};

  TResourceTabs* tabs_ = nullptr;
  QToolBar* tool_bar_ = nullptr;
  QToolButton* back_button_ = nullptr;
  QToolButton* forward_button_ = nullptr;
  TSelectorBox* book_box_ = nullptr;
  TSelectorBox* chapter_box_ = nullptr;
  TFrameTextView* text_view_ = nullptr;
  QPointer<QMenu> context_menu_;
};

}  // namespace lumora::ui
