// The entry box of the Book and Commentary panes: an editable drop-down of
// the current module's entry titles (thousands for a lexicon) on a list
// model over the stored Windows-1252 titles, converted only for the rows a
// view asks for. Filling it is one model reset: nothing walks the titles
// (no size-to-contents, no Qt completer, no text search over the model).
//
// User handlers hear only what the user did: `chosen` for an item picked in
// the drop-down, by the arrow keys or by type-ahead, `enterPressed` for
// Enter. Programmatic changes (SetTitles, Select) emit neither, and the
// combo box's own reaction to Enter and to leaving the box (looking the
// typed text up and activating a match) is switched off.
#pragma once

#include <QAbstractListModel>
#include <QComboBox>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::ui {

class TEntryTitleModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit TEntryTitleModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

  // Replaces the titles (one model reset).
  void SetTitles(std::vector<std::string> titles);
  const std::vector<std::string>& Titles() const { return titles_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // The first title that begins with `prefix` (without regard to case); -1
  // when none does or `prefix` is empty.
  int FindPrefix(std::string_view prefix) const;
  // The first title equal to `title` (without regard to case); -1 if none.
  int FindExact(std::string_view title) const;

 private:
  std::vector<std::string> titles_;
};

class TEntryBox : public QComboBox {
  Q_OBJECT

 public:
  explicit TEntryBox(QWidget* parent = nullptr);

  // New titles, nothing selected, the edit text emptied; no user handler
  // runs.
  void SetTitles(std::vector<std::string> titles);
  const std::vector<std::string>& Titles() const { return model_->Titles(); }
  TEntryTitleModel& Model() const { return *model_; }
  // Selects title `index` (-1 or out of range: none, text emptied); no user
  // handler runs.
  void Select(int index);
  // The text in the box (Windows-1252).
  std::string Text() const;

  // Type-ahead: typing completes the text to the first title that begins
  // with what was typed, selects the completion and reports the item as
  // chosen (the Book view's box; the Commentary view's takes references).
  void SetTypeAhead(bool on) { type_ahead_ = on; }

  // Rows and width of the drop-down when it opens (unset or <= 0: Qt's).
  std::function<int()> rows;
  std::function<int()> popup_width;

  void showPopup() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 Q_SIGNALS:
  void chosen(int index);
  void enterPressed(const QString& text);

 private:
  void TypedText(const QString& text);

  TEntryTitleModel* model_ = nullptr;
  bool type_ahead_ = false;
  QString typed_;  // what the user typed, without the completion
};

}  // namespace lumora::ui
