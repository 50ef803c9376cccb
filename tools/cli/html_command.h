// lumora-cli html chapter|list: the passage renderer's HTML for a chapter
// (as the Bible view shows it) or a verse list (as the verse list shows
// it), written to stdout as Windows-1252 bytes.
#pragma once

#include <iostream>

#include "core/catalogue/module_catalogue.h"
#include "tools/cli/cli_options.h"

namespace lumora::cli {

// options.arguments after "html":
//   chapter BIBLE "REFERENCE"  every verse of the chapter of the reference's
//                              first verse; no keys, Bible view settings
//   list BIBLE "REFS" [--keys WORD,WORD] [--case] [--page N]
//                              every verse of the references, paged, with
//                              reference links; verse list settings. A key
//                              H123 / G123 is a Strong's number.
// Display flags: --column/--no-column, --para/--no-para, --footnotes/
// --no-footnotes, --commentary-links, --book-links, --edit-links (and --no-
// forms), --italics 0|1|2, --compare BIBLE, --marks/--no-marks, --prev-link/
// --no-prev-link, --next-link/--no-next-link.
// Returns -1 for "html entry ..." (another command's), 2 on a usage error,
// 1 when a Bible or reference is not found, else 0.
int RunHtmlCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                   std::ostream& out = std::cout, std::ostream& err = std::cerr);

}  // namespace lumora::cli
