// THistoryComboBox: a text box that remembers what was typed in it, for the
// dialogs' search and verse boxes. An editable combo box over one history
// list (app/history_list.h): the drop-down lists the values, most recent
// first, at most 25; the text moves to the top of the list, which is
// written under the box's own identifier, when the box loses the focus or
// its dialog is hidden; the context menu of its text adds "&Remove item from
// history list".
//
// Enter is the box's own: it emits returnPressed() and then passes on to the
// dialog (whose default button takes it); the combo box never inserts or
// completes items by itself. Texts cross into Windows-1252 through
// display_text.h.
#pragma once

#include <QComboBox>
#include <functional>
#include <memory>
#include <string>

#include "app/history_list.h"

class QLineEdit;
class QMenu;

namespace lumora::ui {

class THistoryComboBox : public QComboBox {
  Q_OBJECT

 public:
  // `shared`: the configuration store's list of `id` (one of the four it
  // saves at close); null: the box keeps its own list, read from `storage`.
  THistoryComboBox(const std::string& id, config::SettingsStorage& storage,
                   config::MruList* shared = nullptr, QWidget* parent = nullptr);
  ~THistoryComboBox() override;

  HistoryList& History() { return *history_; }
  // The box's text to the top of its list, and the list written.
  void Commit();
  // Whether losing the focus and being hidden commit (on by default).
  void SetAutoCommit(bool on) { auto_commit_ = on; }
  // Drops the box's text from the list; false when it is not listed.
  bool RemoveCurrentFromHistory();
  // The drop-down's items from the list again (also done before it shows,
  // so boxes sharing a list see each other's values); the text stays.
  void Refill();
  // The context menu of the text, with the history item (for tests: the
  // menu the box pops up).
  QMenu* CreateContextMenu();
  // Refills, then drops down.
  void showPopup() override;

 Q_SIGNALS:
  // Enter in the box.
  void returnPressed();
  // A value chosen from the drop-down (already the box's text).
  void picked(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::unique_ptr<HistoryList> history_;
  bool auto_commit_ = true;
};

// The "&Remove item from history list" item for a menu of `edit`'s text:
// enabled when the text is listed; choosing it drops the text from
// `history` and then runs `removed`. Shared by the combo box and the
// drop-down of a line edit; `history` must outlive the menu.
void AddRemoveHistoryItem(QMenu& menu, HistoryList& history, const QLineEdit& edit,
                          std::function<void()> removed = {});

inline constexpr const char* kRemoveHistoryItemCaption = "&Remove item from history list";

}  // namespace lumora::ui
