// What start-up could not do with the user's own modules, told once after
// start-up: a user Book or Commentary that failed to open, or whose
// verse-link index could not be written back. Shipped modules stay silent
// (their index is rebuilt in memory as a matter of course).
#pragma once

#include <string>

#include "core/catalogue/module_catalogue.h"
#include "core/platform/file_system.h"

namespace lumora {

inline constexpr const char* kUserModuleProblemsHeading =
    "Lumora could not open or update some of your own modules:";

// The message, or "" when there is nothing to tell. Each line names the
// file and the reason, and the ".bak" copy of the file when one exists.
std::string UserModuleProblems(const TModuleCatalogue& catalogue, FileSystem& fs);

}  // namespace lumora
