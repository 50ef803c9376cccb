// The settings store on Windows: the registry of the current user
// (HKEY_CURRENT_USER). Key paths and value names go to the registry as
// UTF-16 converted from Windows-1252, and strings come back the same way, so
// the store does not depend on the system's ANSI code page.
#pragma once

#ifdef _WIN32

#include <memory>

#include "config/settings_storage.h"

namespace lumora::config {

std::unique_ptr<SettingsStorage> MakeRegistryStorage();

}  // namespace lumora::config

#endif  // _WIN32
