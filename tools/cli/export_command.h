// lumora-cli export: the copy/export formatter from a terminal.
#pragma once

#include <iostream>

#include "core/catalogue/module_catalogue.h"
#include "tools/cli/cli_options.h"

namespace lumora::cli {

// export [--bible ABBR] [--style A..H] [--html] [--tag] [--brackets]
//        [--footnotes] REFERENCES...
//   the verses of the references (parsed on the KJV Bible's titles) in the
//   chosen Bible (default KJV) and style (default A), plain text unless
//   --html; the view values are the Bible view's defaults.
// export --comments COMMENTARY REFERENCES... [--html]
//   the Commentary's comments on those verses, under headings.
// export --book BOOK FIRST LAST [--html]
//   Book entries FIRST..LAST (entry numbers, either order).
// The output is converted for the terminal (UTF-8, one "\n" per CR LF,
// other control bytes as "<0x08>") unless --raw asks for the exact bytes.
// Returns 1 when nothing was found, 2 on a usage error.
int RunExportCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                     std::ostream& out = std::cout, std::ostream& err = std::cerr);

}  // namespace lumora::cli
