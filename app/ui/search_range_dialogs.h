// The companions of the Bible search dialog: the verse range chooser
// (TFrameSelectVerseRange, its rules in search/verse_range_frame_rules.h),
// the "Set Custom Search Range" dialog that holds it, and the word list
// dialog (TDlgWordList) that offers every word of a Bible's index.
#pragma once

#include <QDialog>
#include <QFrame>
#include <memory>
#include <string>

#include "search/verse_range_frame_rules.h"

class QComboBox;
class QLineEdit;
class QListView;
class QStringListModel;

namespace lumora::ui {

class TFrameSelectVerseRange : public QFrame {
  Q_OBJECT

 public:
  explicit TFrameSelectVerseRange(QWidget* parent = nullptr);
  ~TFrameSelectVerseRange() override;

  // The Bible whose books, chapters and verses are offered, and the range
  // (clamped to it).
  void SetRange(const TLMBibleModule& bible, int first, int last);
  int FirstVerse() const;
  int LastVerse() const;

  // The six drop-down lists (for tests): first book, chapter, verse, then
  // last book, chapter, verse.
  QComboBox* Choice(int i) const { return choices_[i]; }

 private:
  void Apply(int which, int index);
  void Show();
  void Fill(QComboBox* box, int count, int current);

  std::unique_ptr<VerseRangeFrameRules> rules_;
  QComboBox* choices_[6] = {};
  const TLMBibleModule* books_of_ = nullptr;
  bool showing_ = false;
};

class TSetSearchRangeDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TSetSearchRangeDlg(QWidget* parent = nullptr);
  TFrameSelectVerseRange* Frame() const { return frame_; }

 private:
  TFrameSelectVerseRange* frame_ = nullptr;
};

class TDlgWordList : public QDialog {
  Q_OBJECT

 public:
  explicit TDlgWordList(QWidget* parent = nullptr);

  // Fills the list with `bible`'s index words and sets the caption, unless
  // `bible` is the one shown last.
  void SetBible(const TLMBibleModule& bible);
  // The word chosen (Windows-1252); empty when none.
  const std::string& Word() const { return word_; }

  QLineEdit* Line() const { return line_; }
  QListView* List() const { return list_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Remember(const QModelIndex& index);
  void SelectByPrefix(const QString& typed);

  QLineEdit* line_ = nullptr;
  QListView* list_ = nullptr;
  QStringListModel* model_ = nullptr;
  const TLMBibleModule* shown_ = nullptr;
  std::string shown_file_;
  std::string word_;
  bool selecting_ = false;
};

}  // namespace lumora::ui
