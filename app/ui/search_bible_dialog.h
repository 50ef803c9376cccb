// TSearchBibleDlg, "Search Bible Text": the search box with its history,
// the Bible, the search type, the options and the search range. It is made
// once and keeps everything between searches; the search command
// (search_feature.h) prepares it, opens it and reads it back.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "search/search_range.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;

namespace lumora {
class TLMBibleModule;
}

namespace lumora::ui {

class TDlgWordList;
class THistoryComboBox;
class TLibrary;
class TSetSearchRangeDlg;

class TSearchBibleDlg : public QDialog {
  Q_OBJECT

 public:
  // `history`: the box's list store; `help` shows a help topic.
  TSearchBibleDlg(TLibrary& library, THistoryComboBox* search_box,
                  std::function<void(const QString& topic)> help, QWidget* parent = nullptr);
  ~TSearchBibleDlg() override;

  // Before each showing: the Bible list from the library, the Bible chosen
  // (`handed` first, else by `preference` 0 last searched / 1 `active`, else
  // the KJV Bible), the range clamped, the search box focused with its text
  // selected.
  void Prepare(const TLMBibleModule* handed, const TLMBibleModule* active, int preference);

  // What the search reads.
  const TLMBibleModule* Bible() const;
  QString Text() const;
  void SetText(const QString& text);
  int SearchType() const;
  bool CaseSensitive() const;
  bool ExcludeFootnotes() const;
  bool Substring() const;
  SearchRange Range() const { return range_; }
  void SetRange(SearchRange range);

  // The range buttons' work ("&O. T.", "&N. T.", "&All", a book of the
  // "&Book..." popup, "&Custom..." once its dialog closed with OK).
  void ChooseOldTestament();
  void ChooseNewTestament();
  void ChooseAll();
  void ChooseBook(int book);
  // Appends a word of the word list to the search box (a blank first when
  // the box's text does not end with one).
  void AppendWord(const std::string& word);

  // Controls, for tests.
  THistoryComboBox* SearchBox() const { return search_box_; }
  QComboBox* Versions() const { return versions_; }
  QButtonGroup* Types() const { return types_; }
  QCheckBox* CaseBox() const { return case_; }
  QCheckBox* FootnotesBox() const { return footnotes_; }
  QCheckBox* SubstringBox() const { return substring_; }
  QLabel* RangeLabel() const { return range_label_; }
  QPushButton* Button(const QString& object_name) const;
  QMenu* BookMenu();
  TSetSearchRangeDlg* RangeDialog();
  TDlgWordList* WordList();

 protected:
  // The search box gets the focus with its text selected.
  void showEvent(QShowEvent* event) override;

 private:
  void FillVersions();
  void BibleChanged();
  void ShowRange();
  void OpenCustomRange();
  void OpenWordList();

  TLibrary& library_;
  std::function<void(const QString&)> help_;
  THistoryComboBox* search_box_ = nullptr;
  QComboBox* versions_ = nullptr;
  QButtonGroup* types_ = nullptr;
  QCheckBox* case_ = nullptr;
  QCheckBox* footnotes_ = nullptr;
  QCheckBox* substring_ = nullptr;
  QLabel* range_label_ = nullptr;
  QMenu* book_menu_ = nullptr;
  const TLMBibleModule* book_menu_of_ = nullptr;
  TSetSearchRangeDlg* range_dialog_ = nullptr;
  TDlgWordList* word_list_ = nullptr;
  SearchRange range_{1, 1};
  bool range_set_ = false;
};

}  // namespace lumora::ui
