// lumora-cli search and find: the Bible search engine and the Find Next
// loop of a Book or Commentary from a terminal.
#pragma once

#include <iostream>

#include "core/catalogue/module_catalogue.h"
#include "tools/cli/cli_options.h"

namespace lumora::cli {

// "search BIBLE TEXT [--type all|any|one|phrase] [--case] [--substring]
// [--no-footnotes] [--range REFS] [--html]": prints "verses\tN", one
// "INDEX\tREFERENCE" line per verse and one "key\tKEY" line per key
// (Strong's keys as <H$1c39> / <G$001a>); with --html, "verses\tN" and the
// first page the verse list would show. BIBLE may be a Strong's-links twin.
// Returns 1 when nothing is found, 2 on a usage error.
int RunSearchCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                     std::ostream& out = std::cout, std::ostream& err = std::cerr);

// "find BOOK|COMMENTARY TEXT [--case] [--from N]": Find First, or Find Next
// from entry number N (Book) or verse index N (Commentary), then Find Next
// from each hit to the end; prints "entry\tNUMBER\tTITLE" or
// "verse\tINDEX\tREFERENCE" per hit and "hits\tN". Returns 1 when nothing
// is found, 2 on a usage error.
int RunFindCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                   std::ostream& out = std::cout, std::ostream& err = std::cerr);

}  // namespace lumora::cli
