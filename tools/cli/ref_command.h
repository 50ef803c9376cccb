// lumora-cli ref: the reference parser and formatters from a terminal, on
// the KJV Bible's book titles.
#pragma once

#include <iostream>

#include "core/catalogue/module_catalogue.h"
#include "tools/cli/cli_options.h"

namespace lumora::cli {

// "ref TEXT...": the words joined by blanks are parsed; prints each range
// (verse indexes and reference), the stop position, then the verses' text.
// Returns 1 when nothing was recognised.
// "ref --format ITEM...": each ITEM is a verse index or FIRST-LAST; prints
// each with short and long titles, then all of them as one verse list.
// Returns 2 on a usage error.
int RunRefCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                  std::ostream& out = std::cout, std::ostream& err = std::cerr);

}  // namespace lumora::cli
