// lumora-cli import-notes FILE.nmi TITLE ABBR: imports a note set of the
// previous major version into a new user Commentary in the --data folder's
// User folder. The new module is indexed when the folder is next loaded.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "core/catalogue/module_catalogue.h"
#include "core/platform/file_system.h"

namespace lumora::cli {

// `arguments` are those after "import-notes" (UTF-8). Passes go to `err`
// as they start, the outcome to `out` (success) or `err`. Returns 0, 1 when
// the import fails or is refused, 2 on a usage error.
int RunImportNotesCommand(const TModuleCatalogue& catalogue,
                          const std::vector<std::string>& arguments, std::ostream& out,
                          std::ostream& err, FileSystem& fs = DefaultFileSystem());

}  // namespace lumora::cli
