// The features outside the panes, each installed by one call: it binds its
// commands of the command table, installs its services into the window and
// connects to the start-up stages it needs. One line per feature.
#include "app/ui/copy_export_feature.h"
#include "app/ui/main_window.h"
#include "app/ui/prefs_feature.h"

namespace lumora::ui {

void TMain::InstallFeatures() {
  InstallCopyExport(*this);
  InstallPreferencesDialog(*this);
}

}  // namespace lumora::ui
