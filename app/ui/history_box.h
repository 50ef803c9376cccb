// A text box with a history list (the "Export" list of the verse-entry
// dialog and the like): an editable drop-down of the list's items, most
// recent first, whose context menu adds "&Remove item from history list".
// Commit() moves the current text to the top of the list and writes the
// list to the settings store's "MRUs" key at once; the box commits when it
// loses the focus, and its dialog commits when it is hidden.
#pragma once

#include <QComboBox>

#include "config/mru_list.h"
#include "config/settings_storage.h"

namespace lumora::ui {

class THistoryBox : public QComboBox {
  Q_OBJECT

 public:
  // `list` lives in the process-wide store; `storage` is where it is saved.
  THistoryBox(config::MruId id, config::SettingsStorage& storage, QWidget* parent = nullptr);

  // Refills the drop-down from the list, keeping the typed text.
  void Reload();
  // The text (Windows-1252).
  std::string Text() const;
  void SetText(const std::string& text);
  // The text to the top of the list; the list saved.
  void Commit();
  // "&Remove item from history list" for the text shown; the list saved.
  void RemoveCurrent();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  config::MruList& List();
  void Save();

  config::MruId id_;
  config::SettingsStorage& storage_;
};

}  // namespace lumora::ui
