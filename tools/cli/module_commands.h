// lumora-cli commands for Books, Commentaries and the Strong's data: listing,
// reading, verse links, and driving the user-module writers from scripts.
#pragma once

#include <iosfwd>
#include <string>

#include "core/catalogue/module_catalogue.h"
#include "tools/cli/cli_options.h"

namespace lumora::cli {

// Runs `command` if it is one of these; returns -1 when it is not.
//   books | commentaries | specials
//   entry BOOK NUMBER|TITLE        comment COMMENTARY VERSE
//   links MODULE VERSE             strongs H|G NUMBER
//   create-book TITLE ABBR         create-commentary TITLE ABBR
//   add-entry BOOK TITLE           delete-entry BOOK NUMBER
//   write-entry BOOK NUMBER TEXT   write-comment COMMENTARY VERSE TEXT
// VERSE is a verse index or "BOOK CHAPTER VERSE" numbers; TEXT is UTF-8, or
// "@FILE" for a file's raw Windows-1252 bytes.
int RunModuleCommand(TModuleCatalogue& catalogue, const CliOptions& options, std::ostream& out,
                     std::ostream& err);

}  // namespace lumora::cli
