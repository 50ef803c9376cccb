// lumora-cli bigsearch and guide: the full reference search and the topic
// and verse guide from a terminal.
#pragma once

#include <iostream>

#include "core/catalogue/module_catalogue.h"
#include "tools/cli/cli_options.h"

namespace lumora::cli {

// "bigsearch TEXT [--set all|books|bibles|commentaries|MODULE...] [--case]
// [--no-substring]": scans the chosen modules (default all; one MODULE is a
// single-module search, several form an ad hoc reference set of their
// titles), prints the result tree with each module's hit count, the found
// count and the first module's first result page (UTF-8). Progress and
// damaged modules go to `err`. Returns 2 on a usage error, 1 when the
// search cannot start, else 0.
int RunBigSearchCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                        std::ostream& out = std::cout, std::ostream& err = std::cerr);

// "guide TEXT...": the words joined by blanks go to the topic and verse
// guide; prints the normalised reference (verse mode), the result tree with
// each item's target, and the status text. Returns 2 on a usage error.
int RunGuideCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                    std::ostream& out = std::cout, std::ostream& err = std::cerr);

}  // namespace lumora::cli
