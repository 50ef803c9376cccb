// THistoryDropDown: the history of a text box that is a plain line edit
// (the quick-jump box on the tool bar): an arrow inside the box's right
// edge, and Alt+Down, open the list of values, most recent first,
// below the box; choosing one puts it into the box and emits picked(). The
// context menu of the box adds "&Remove item from history list". The owner
// decides when a value joins the list (Commit).
//
// Made a child of the line edit; the list is one HistoryList, written under
// its own identifier only.
#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <memory>

#include "app/history_list.h"

class QAction;
class QLineEdit;

namespace lumora::ui {

class THistoryDropDown : public QObject {
  Q_OBJECT

 public:
  THistoryDropDown(QLineEdit& edit, std::unique_ptr<HistoryList> history);
  ~THistoryDropDown() override;

  HistoryList& History() { return *history_; }
  // The box's text to the top of the list, and the list written.
  void Commit();
  // Opens the list below the box (nothing when the list is empty).
  void ShowPopup();
  // The list while it shows; null otherwise.
  QMenu* Popup() const { return popup_; }
  // The arrow inside the box.
  QAction* Arrow() const { return arrow_; }
  // The box's context menu with the history item (what a right click pops up).
  QMenu* CreateContextMenu();

 Q_SIGNALS:
  void picked(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateArrow();

  QLineEdit& edit_;
  std::unique_ptr<HistoryList> history_;
  QAction* arrow_ = nullptr;
  QPointer<QMenu> popup_;
};

}  // namespace lumora::ui
