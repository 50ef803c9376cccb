#include "app/ui/history_combo_box.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <algorithm>

#include "render/ui/display_text.h"

namespace lumora::ui {

void AddRemoveHistoryItem(QMenu& menu, HistoryList& history, const QLineEdit& edit,
                          std::function<void()> removed) {
  QAction* remove = menu.addAction(QString::fromLatin1(kRemoveHistoryItemCaption));
  remove->setObjectName(QStringLiteral("RemoveHistoryItem"));
  const std::string text = FromDisplayText(edit.text());
  const auto& items = history.Items();
  remove->setEnabled(std::find(items.begin(), items.end(), text) != items.end());
  QObject::connect(remove, &QAction::triggered, &menu,
                   [&history, text, removed = std::move(removed)] {
                     if (history.Remove(text) && removed) removed();
                   });
}

THistoryComboBox::THistoryComboBox(const std::string& id, config::SettingsStorage& storage,
                                   config::MruList* shared, QWidget* parent)
    : QComboBox(parent), history_(std::make_unique<HistoryList>(id, storage, shared)) {
  setObjectName(QString::fromStdString(id));
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxCount(config::kMruMax);
  // Completing from the history as one types would make Enter take a value
  // the user did not type.
  setCompleter(nullptr);
  lineEdit()->installEventFilter(this);
  connect(this, &QComboBox::textActivated, this,
          [this](const QString& text) { Q_EMIT picked(text); });
  Refill();
}

THistoryComboBox::~THistoryComboBox() = default;

void THistoryComboBox::Commit() { (void)history_->Push(FromDisplayText(currentText())); }

bool THistoryComboBox::RemoveCurrentFromHistory() {
  if (!history_->Remove(FromDisplayText(currentText()))) return false;
  Refill();
  return true;
}

void THistoryComboBox::Refill() {
  const QString text = currentText();
  const QSignalBlocker block(this);
  clear();
  for (const std::string& item : history_->Items()) addItem(ToDisplayText(item));
  setCurrentIndex(-1);
  setEditText(text);
}

QMenu* THistoryComboBox::CreateContextMenu() {
  QMenu* menu = lineEdit()->createStandardContextMenu();
  menu->setParent(this, menu->windowFlags());
  menu->addSeparator();
  AddRemoveHistoryItem(*menu, *history_, *lineEdit(), [this] { Refill(); });
  return menu;
}

void THistoryComboBox::showPopup() {
  Refill();
  QComboBox::showPopup();
}

void THistoryComboBox::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    Q_EMIT returnPressed();
    // On to the dialog, whose default button takes Enter.
    event->ignore();
    return;
  }
  QComboBox::keyPressEvent(event);
}

void THistoryComboBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  // The drop-down and the context menu take the focus for a moment only.
  if (auto_commit_ && event->reason() != Qt::PopupFocusReason) Commit();
}

void THistoryComboBox::hideEvent(QHideEvent* event) {
  QComboBox::hideEvent(event);
  if (auto_commit_) Commit();
}

bool THistoryComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::ContextMenu) {
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace lumora::ui
