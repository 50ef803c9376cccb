// The configuration store as the GUI uses it: defaults filled with the
// desktop's font list, LoadProperties from a storage (the platform's store,
// or a test's file), the help housekeeping, and SaveProperties at close.
// The settings themselves stay in config::GlobalProperties().
#pragma once

#include <string>

#include "config/properties.h"
#include "config/settings_storage.h"
#include "views/resource_tabs.h"

namespace lumora::ui {

// Refills the process-wide store with defaults ("Verdana" when installed),
// reads `storage` into it and runs the help housekeeping in
// `program_folder`. Needs a QGuiApplication.
config::LoadReport LoadSettings(config::SettingsStorage& storage,
                                const std::string& program_folder);

// Writes the process-wide store; the error text is kSaveFailedMessage.
Status SaveSettings(config::SettingsStorage& storage);

// The "RzTabs..." values for the tab strips.
TabAppearance TabAppearanceFrom(const config::Properties& p);

}  // namespace lumora::ui
