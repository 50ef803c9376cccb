// TFrameBibleView: the Bible pane. One chapter of one Bible at a time, a tab
// per loaded Bible, a tool bar (history with drop-downs, book and chapter
// selectors, chapter steps, display toggles) and the text view frame, which
// it fills through the passage renderer in chapter mode. Every request to
// show a verse ends in GoToVerse.
//
// The display settings are the process-wide Bible view record
// (config::GlobalProperties().bible_view); a toggle changes it and
// re-renders this pane. Modules belong to the catalogue and must outlive the
// view.
//
// Shortcuts are scoped to the pane (Qt::WidgetWithChildrenShortcut), so
// other panes may bind the same keys; the Ctrl+navigation keys reach the
// pane's commands before the text widget's own caret movement.
//
// What the pane needs of the main window and of panes that may not exist
// comes through TBibleViewHost; an unset callback makes the item that needs
// it do nothing (menu items that lead only there are left out).
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

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace lumora::ui {

class TFrameTextView;
class TResourceTabs;
class IPrinting;

struct TBibleViewHost {
  // GoToVerse step 1: make the Bible pane visible.
  std::function<void()> show_bible_pane;
  // The quick-jump box text ("%s %d:%d", KJV long title).
  std::function<void(const QString& text)> set_quick_jump_text;
  // Progress words in the status bar ("" clears).
  std::function<void(const QString& text)> set_status_text;
  // "Maximize Bible View": enabled unless this returns true.
  std::function<bool()> bible_pane_alone;
  std::function<void()> maximize_bible_pane;
  // Height of the Commentary pane when visible, else 0 (selector rows).
  std::function<int()> commentary_pane_height;
  // Printing ("Print this window"); null: the item is left out.
  IPrinting* printing = nullptr;
  // Search Bible for the given text (Windows-1252).
  std::function<void(const std::string& text)> search_bible;
  // Search the Strong's-links Bible for "H" or "G" and a number.
  std::function<void(const std::string& text)> search_strongs;
  // The topic guide for a text (Windows-1252).
  std::function<void(const std::string& text)> topic_guide;
  // The entry editor: whether it is editing, and inserting text at its
  // cursor.
  std::function<bool()> editor_editing;
  std::function<void(const std::string& text)> send_to_editor;
  // Links and menu items into panes that may not exist yet.
  std::function<void(const TLMDictionaryModule* book, int entry)> show_book_entry;
  // A null Commentary means the Commentary view's current one.
  std::function<void(const TLMCommentaryModule* commentary, int position)> show_commentary;
  std::function<void(int k, int position)> edit_commentary;
  std::function<void(const TLMDictionaryModule* book, int verse)> open_book_at_verse;
  std::function<void(const std::string& word)> look_up_word;
  std::function<void(bool active)> preview_active;
};

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
  explicit TFrameBibleView(QWidget* parent = nullptr);
  ~TFrameBibleView() override;

  void SetHost(TBibleViewHost host) { host_ = std::move(host); }
  const TBibleViewHost& Host() const { return host_; }

  // --- Set-up (start-up, in this order) ------------------------------------
  // Bibles in catalogue order; `kjv` is the reference for the quick-jump
  // text. Empties the history, builds the tabs (hidden per the Bibles' tab
  // visible flags), fills the book selector and prepares the text view.
  void SetBibles(const std::vector<const TLMBibleModule*>& bibles, const TLMBibleModule* kjv);
  // The other modules the chapter links and menus refer to.
  void SetResources(const std::vector<const TLMCommentaryModule*>& commentaries,
                    const std::vector<const TLMDictionaryModule*>& books,
                    const std::vector<const TLMCommentaryModule*>& editable_commentaries,
                    const std::vector<std::string>& excluded_from_linking);
  void SetStrongsBooks(const TLMDictionaryModule* hebrew, const TLMDictionaryModule* greek);
  void SetStrongsData(const TLMStrongsDataModule* data);
  void SetParagraphMap(const ParagraphMap* map);

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
  const std::vector<const TLMBibleModule*>& Bibles() const { return bibles_; }
  const TVerseList& ChapterVerses() const { return chapter_verses_; }
  const BibleHistory& History() const { return history_; }

  // History jumps (k = 0 for the buttons, the drop-down row otherwise).
  void JumpBack(int k);
  void JumpForward(int k);
  // The drop-down captions of the back or forward list, most recent first.
  QStringList HistoryCaptions(bool back) const;

  // Paragraph reading mode on or off (the command toggles).
  void SetParaMode(bool on);

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

  // Enabled and checked states of the commands, from the current state.
  void UpdateActions();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void CreateToolBar();
  void WireTextView();
  QAction* NewAction(const QString& caption, const QString& hint, const QKeySequence& key = {});

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

  TBibleViewHost host_;
  std::vector<const TLMBibleModule*> bibles_;
  const TLMBibleModule* kjv_ = nullptr;
  const TLMStrongsDataModule* strongs_data_ = nullptr;
  std::vector<const TLMCommentaryModule*> commentaries_;
  std::vector<const TLMDictionaryModule*> books_;
  std::vector<const TLMCommentaryModule*> editable_commentaries_;

  int current_verse_ = 0;  // 0 before the first GoToVerse, -1 forces a render
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
