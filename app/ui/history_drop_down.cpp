#include "app/ui/history_drop_down.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "app/ui/history_combo_box.h"
#include "render/ui/display_text.h"
#include "views/resource_tabs.h"

namespace lumora::ui {
namespace {

// The arrow of a combo box, drawn by the style, so the box looks like the
// other history boxes.
QIcon DropDownArrow(const QWidget& widget) {
  const int size = widget.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &widget);
  QPixmap pixmap(size * widget.devicePixelRatio(), size * widget.devicePixelRatio());
  pixmap.setDevicePixelRatio(widget.devicePixelRatio());
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  QStyleOption option;
  option.initFrom(&widget);
  option.rect = QRect(size / 4, size / 4, size / 2, size / 2);
  option.state |= QStyle::State_Enabled;
  widget.style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, &widget);
  return QIcon(pixmap);
}

}  // namespace

THistoryDropDown::THistoryDropDown(QLineEdit& edit, std::unique_ptr<HistoryList> history)
    : QObject(&edit), edit_(edit), history_(std::move(history)) {
  setObjectName(QString::fromStdString(history_->Id()) + QStringLiteral("History"));
  arrow_ = edit_.addAction(DropDownArrow(edit_), QLineEdit::TrailingPosition);
  arrow_->setObjectName(QStringLiteral("HistoryArrow"));
  arrow_->setToolTip(QStringLiteral("History (Alt+Down)"));
  connect(arrow_, &QAction::triggered, this, &THistoryDropDown::ShowPopup);
  // The arrow takes room inside the box: the box grows by it, so the text
  // it was sized for still fits.
  const int extra = edit_.style()->pixelMetric(QStyle::PM_SmallIconSize) + 8;
  if (edit_.maximumWidth() < QWIDGETSIZE_MAX) edit_.setMaximumWidth(edit_.maximumWidth() + extra);
  edit_.setMinimumWidth(edit_.minimumWidth() + extra);
  edit_.installEventFilter(this);
  UpdateArrow();
}

THistoryDropDown::~THistoryDropDown() = default;

void THistoryDropDown::UpdateArrow() { arrow_->setVisible(!history_->Items().empty()); }

void THistoryDropDown::Commit() {
  (void)history_->Push(FromDisplayText(edit_.text().trimmed()));
  UpdateArrow();
}

void THistoryDropDown::ShowPopup() {
  if (history_->Items().empty()) return;
  if (popup_ != nullptr) popup_->close();
  auto* menu = new QMenu(&edit_);
  menu->setObjectName(objectName() + QStringLiteral("Popup"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->setMinimumWidth(edit_.width());
  for (const std::string& item : history_->Items()) {
    const QString text = ToDisplayText(item);
    connect(menu->addAction(EscapeMnemonic(text)), &QAction::triggered, this, [this, text] {
      edit_.setText(text);
      Q_EMIT picked(text);
    });
  }
  popup_ = menu;
  menu->popup(edit_.mapToGlobal(edit_.rect().bottomLeft()));
}

QMenu* THistoryDropDown::CreateContextMenu() {
  QMenu* menu = edit_.createStandardContextMenu();
  menu->setParent(&edit_, menu->windowFlags());
  menu->addSeparator();
  AddRemoveHistoryItem(*menu, *history_, edit_, [this] { UpdateArrow(); });
  return menu;
}

bool THistoryDropDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &edit_) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::ContextMenu) {
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Alt+Down as in a combo box (F4 is a window command here).
    if (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) {
      ShowPopup();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lumora::ui
