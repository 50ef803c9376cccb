#include "views/entry_box.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <algorithm>

#include "core/text/cp1252.h"
#include "render/ui/display_text.h"

namespace lumora::ui {

// --- Model ---------------------------------------------------------------------

void TEntryTitleModel::SetTitles(std::vector<std::string> titles) {
  beginResetModel();
  titles_ = std::move(titles);
  endResetModel();
}

int TEntryTitleModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant TEntryTitleModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return ToDisplayText(titles_[static_cast<size_t>(index.row())]);
}

int TEntryTitleModel::FindPrefix(std::string_view prefix) const {
  if (prefix.empty()) return -1;
  for (size_t i = 0; i < titles_.size(); ++i) {
    const std::string& t = titles_[i];
    if (t.size() >= prefix.size() &&
        cp1252::EqualNoCase(std::string_view(t).substr(0, prefix.size()), prefix))
      return static_cast<int>(i);
  }
  return -1;
}

int TEntryTitleModel::FindExact(std::string_view title) const {
  for (size_t i = 0; i < titles_.size(); ++i)
    if (cp1252::EqualNoCase(titles_[i], title)) return static_cast<int>(i);
  return -1;
}

// --- Box -------------------------------------------------------------------------

TEntryBox::TEntryBox(QWidget* parent) : QComboBox(parent) {
  auto* list = new QListView(this);
  // Every row is one line: the view never measures thousands of rows.
  list->setUniformItemSizes(true);
  list->setLayoutMode(QListView::Batched);
  setView(list);
  model_ = new TEntryTitleModel(this);
  setModel(model_);
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  setMaxVisibleItems(20);
  // Sized from a fixed length, never from the titles.
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(16);
  // The combo box would look the typed text up on Enter and on leaving the
  // box and activate a match; the panes decide what Enter means.
  QLineEdit* edit = lineEdit();
  disconnect(edit, &QLineEdit::returnPressed, this, nullptr);
  disconnect(edit, &QLineEdit::editingFinished, this, nullptr);
  // Enter is taken before the line edit sees it: a key it ignores would
  // travel on to the combo box and come back to it a second time.
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this, &TEntryBox::TypedText);
  connect(this, &QComboBox::activated, this, [this](int index) {
    typed_.clear();
    Q_EMIT chosen(index);
  });
}

bool TEntryBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !view()->isVisible()) {
      Q_EMIT enterPressed(lineEdit()->text());
      return true;
    }
  }
  return QComboBox::eventFilter(watched, event);
}

void TEntryBox::SetTitles(std::vector<std::string> titles) {
  model_->SetTitles(std::move(titles));
  Select(-1);
}

void TEntryBox::Select(int index) {
  if (index < 0 || index >= count()) index = -1;
  typed_.clear();
  if (index != currentIndex()) setCurrentIndex(index);
  // An editable box keeps typed text when its index goes to -1.
  if (index < 0)
    lineEdit()->clear();
  else if (lineEdit()->text() != itemText(index))
    lineEdit()->setText(itemText(index));
}

std::string TEntryBox::Text() const { return FromDisplayText(lineEdit()->text()); }

void TEntryBox::TypedText(const QString& text) {
  const bool grew = text.size() > typed_.size();
  typed_ = text;
  if (!type_ahead_ || text.isEmpty() || !grew) return;
  const int index = model_->FindPrefix(FromDisplayText(text));
  if (index < 0) return;
  setCurrentIndex(index);
  const QString full = itemText(index);
  lineEdit()->setText(full);
  // The completion is selected with the caret after the typed part, so
  // the next key replaces it and completes again.
  lineEdit()->setSelection(static_cast<int>(full.size()),
                           static_cast<int>(text.size()) - static_cast<int>(full.size()));
  Q_EMIT chosen(index);
  // The pane selecting the item it shows forgets nothing the user typed.
  typed_ = text;
}

void TEntryBox::showPopup() {
  if (rows) setMaxVisibleItems(std::max(1, rows()));
  QComboBox::showPopup();
  if (popup_width) {
    const int width = popup_width();
    QWidget* popup = view()->window();
    if (width > 0 && popup != this->window())
      popup->resize(std::max(width, this->width()), popup->height());
  }
}

}  // namespace lumora::ui
