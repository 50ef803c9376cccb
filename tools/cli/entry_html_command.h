// lumora-cli html entry and preview: the entry renderer's page of a Book or
// Commentary entry, and the hover preview of a link.
#pragma once

#include <iostream>

#include "core/catalogue/module_catalogue.h"
#include "tools/cli/cli_options.h"

namespace lumora::cli {

// options.arguments: entry MODULE "TITLE|NUMBER|REFERENCE" [--mark "REFS"] [--multi]
//   A Book's entry by title (without regard to case) or number; a
//   Commentary's entry on the reference's first verse (parsed against the
//   KJV). --mark marks the first range of REFS; --multi links each verse
//   list as one "vrl" link. The page is written as Windows-1252 bytes.
// Returns 2 on a usage error, 1 when a module, entry or reference is not
// found, else 0.
int RunHtmlEntryCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                        std::ostream& out = std::cout, std::ostream& err = std::cerr);

// options.arguments: "HREF" [--bible ABBR]
//   The preview of the link: the text view's for "h", "g", "ld", "lc", "ec",
//   the resource view's otherwise, with ABBR (default the KJV) as the Bible
//   view's Bible. Printed as UTF-8; nothing for a link without a preview.
int RunPreviewCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                      std::ostream& out = std::cout, std::ostream& err = std::cerr);

}  // namespace lumora::cli
