// The preferences: "Preferences..." opens TDlgPrefs (made on first use),
// "Select Tabs to Show..." opens it on "Visible Tabs" through the
// preferences service the feature installs.
#pragma once

#include <QPointer>
#include <functional>

#include "views/pane_services.h"

namespace lumora::ui {

class TDlgPrefs;
class TMain;

class TPreferencesService : public IPreferencesService {
 public:
  explicit TPreferencesService(TMain& main) : main_(main) {}
  bool CanShowPreferences() const override;
  void ShowPreferences(bool visible_tabs_page) override;
  // The dialog (made on first use).
  TDlgPrefs* Dialog();
  // Shows a help topic; the dialog's "&Help" is disabled while unset.
  std::function<void(const QString& topic)> show_help;

 private:
  TMain& main_;
  QPointer<TDlgPrefs> dialog_;
};

// Installs the service and binds "Preferences...".
TPreferencesService* InstallPreferencesDialog(TMain& main);

}  // namespace lumora::ui
