#include "app/ui/history_box.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>

#include "config/properties.h"
#include "render/ui/display_text.h"

namespace lumora::ui {

THistoryBox::THistoryBox(config::MruId id, config::SettingsStorage& storage, QWidget* parent)
    : QComboBox(parent), id_(id), storage_(storage) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  // Completing from the history would replace what the user types.
  setCompleter(nullptr);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  lineEdit()->installEventFilter(this);
  Reload();
}

config::MruList& THistoryBox::List() { return config::GlobalProperties().Mru(id_); }

void THistoryBox::Reload() {
  const QString typed = currentText();
  clear();
  for (const std::string& item : List()) addItem(ToDisplayText(item));
  setCurrentIndex(-1);
  setEditText(typed);
}

std::string THistoryBox::Text() const { return FromDisplayText(currentText()); }

void THistoryBox::SetText(const std::string& text) { setEditText(ToDisplayText(text)); }

void THistoryBox::Commit() {
  const std::string text = Text();
  if (text.empty()) return;
  config::PushMru(List(), text);
  Reload();
  Save();
}

void THistoryBox::RemoveCurrent() {
  if (!config::RemoveMru(List(), Text())) return;
  setEditText(QString());
  Reload();
  Save();
}

void THistoryBox::Save() {
  // The list is written when it changes, as the other history lists are;
  // a store that refuses keeps the list in memory for the next save.
  (void)config::SaveMru(storage_, config::MruName(id_), List());
}

void THistoryBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  // Losing the focus to the box's own drop-down is not leaving it.
  if (!(view() != nullptr && view()->isVisible())) Commit();
}

bool THistoryBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::FocusOut &&
      !(view() != nullptr && view()->isVisible()))
    Commit();
  if (watched == lineEdit() && event->type() == QEvent::ContextMenu) {
    auto* e = static_cast<QContextMenuEvent*>(event);
    QMenu* menu = lineEdit()->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    QAction* remove = menu->addAction(QStringLiteral("&Remove item from history list"));
    remove->setObjectName(QStringLiteral("RemoveHistoryItem"));
    remove->setEnabled(std::find(List().begin(), List().end(), Text()) != List().end());
    connect(remove, &QAction::triggered, this, &THistoryBox::RemoveCurrent);
    menu->popup(e->globalPos());
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace lumora::ui
