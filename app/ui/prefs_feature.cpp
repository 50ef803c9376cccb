#include "app/ui/prefs_feature.h"

#include <QAction>

#include "app/ui/main_window.h"
#include "app/ui/prefs_dialog.h"
#include "views/actions.h"
#include "views/library.h"

namespace lumora::ui {

bool TPreferencesService::CanShowPreferences() const {
  return main_.StartupComplete() && main_.Library().IsLoaded();
}

TDlgPrefs* TPreferencesService::Dialog() {
  if (!dialog_) dialog_ = new TDlgPrefs(main_);
  dialog_->show_help = show_help;
  return dialog_;
}

void TPreferencesService::ShowPreferences(bool visible_tabs_page) {
  if (!CanShowPreferences()) return;
  Dialog()->Open(visible_tabs_page ? TDlgPrefs::kVisibleTabsPage : -1);
}

TPreferencesService* InstallPreferencesDialog(TMain& main) {
  auto service = std::make_unique<TPreferencesService>(main);
  TPreferencesService* installed = service.get();
  main.InstallPreferences(std::move(service));
  QAction* prefs = main.MainAction("ActionPrefs");
  QObject::connect(prefs, &QAction::triggered, &main,
                   [installed] { installed->ShowPreferences(false); });
  main.Actions().AddUpdater(
      prefs, [installed, prefs] { prefs->setEnabled(installed->CanShowPreferences()); });
  return installed;
}

}  // namespace lumora::ui
