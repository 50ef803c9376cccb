// The two bookmark dialogs. Each is made once, on first use, as a child of
// the main window and filled again every time it opens (Prepare); the
// bookmark service reads the result when it is accepted. Texts come from
// app/bookmarks.h in Windows-1252 and cross into Qt through display_text.h.
#pragma once

#include <QDialog>
#include <functional>

#include "app/bookmarks.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace lumora::ui {

// "Set Bookmark": a bold heading, the "currently" line, the radio group
// " Set To: " with the Bible view's verse, the Commentary view's entry and
// the Book view's entry, OK, Cancel, "&Help" and a note.
class TDlgSetBookmark : public QDialog {
  Q_OBJECT

 public:
  explicit TDlgSetBookmark(QWidget* parent);

  // Bookmark `index` with its record `current`; the choices as the panes
  // offer them (a choice that cannot be stored is shown disabled) and the
  // one to check; Help enabled as `help`.
  void Prepare(int index, const config::BookmarkRecord& current, const BookmarkChoices& choices,
               int preselected, bool help);
  int Index() const { return index_; }
  // The checked choice, 0..2.
  int Choice() const;
  QRadioButton* ChoiceButton(int k) const;
  QLabel* Heading() const { return heading_; }
  QLabel* Currently() const { return currently_; }
  QPushButton* HelpButton() const { return help_; }

 Q_SIGNALS:
  void helpRequested();

 private:
  int index_ = 1;
  QLabel* heading_ = nullptr;
  QLabel* currently_ = nullptr;
  QButtonGroup* group_ = nullptr;
  QPushButton* help_ = nullptr;
};

// "Bookmark Titles": a grid of the ten bookmarks ("Bookmark", "Title"),
// rows 1 to 10 (row 10 is bookmark index 0), OK, Cancel, Help and
// "Clear All".
class TDlgBookmarkTitles : public QDialog {
  Q_OBJECT

 public:
  // `ask` puts a Yes/No question (true for Yes); `tell` shows a message.
  TDlgBookmarkTitles(QWidget* parent, std::function<bool(const QString&)> ask,
                     std::function<void(const QString&)> tell);

  void Prepare(const BookmarkRecords& records, const BookmarkTitles& titles, bool help);
  // The title cells, blanks trimmed, by bookmark index (Windows-1252).
  BookmarkTitles Titles() const;
  QTableWidget* Grid() const { return grid_; }
  QPushButton* HelpButton() const { return help_; }
  QPushButton* ClearAllButton() const { return clear_all_; }
  // The grid row of bookmark `index` (index 0 is the last row).
  static int RowOf(int index) { return index == 0 ? 9 : index - 1; }

  // Closes only when every title can be stored: a title with characters
  // outside Windows-1252 is refused with a message and its cell selected.
  void accept() override;

 Q_SIGNALS:
  void helpRequested();

 private:
  void ClearAll();

  std::function<bool(const QString&)> ask_;
  std::function<void(const QString&)> tell_;
  QTableWidget* grid_ = nullptr;
  QPushButton* help_ = nullptr;
  QPushButton* clear_all_ = nullptr;
};

inline constexpr const char* kClearTitlesQuestion =
    "Are you sure you wish to clear all bookmark titles?";

}  // namespace lumora::ui
