// What lumora-cli check verifies of the sample library (scripts/sample-library.sh)
// beside the module layouts: the items that a comparison of the import with
// its Debian sources found kept. They apply to a folder whose README.txt
// begins "Lumora sample library", and to its modules by abbreviation:
//   - KJV: the 22 acrostic headings of Psalm 119 open their stanzas, the 14
//     subscriptions close Paul's epistles, the divine name is upper-cased
//     (no "LORD's", every word tagged H3068, H3069 or H3050 in capitals, no
//     "Lord" in the Old Testament's supplied words);
//   - WEB: the speaker labels of the Song of Solomon, and the cross-reference
//     footnotes with verse links that name verses of the Bible;
//   - MHCC, Scofield, TDavid: the introductions stored before a first verse
//     open that verse's comment under a heading;
//   - StrHeb, StrGrk, stgdat.lm4: no "?" standing for a letter.
#pragma once

#include <string>

#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/strongs_data.h"
#include "core/platform/file_system.h"
#include "tools/cli/check_report.h"

namespace lumora::cli {

bool IsSampleLibrary(const std::string& folder, FileSystem& fs);

// Each adds facts or faults to `r` for a module of the sample library; a
// module the sample library does not hold adds nothing. `kjv` (may be null)
// gives the verse table of the Commentary checks and the reference parser
// of the link check.
void CheckSampleBible(const TLMBibleModule& bible, const TLMBibleModule* kjv, CheckReport& r);
void CheckSampleBook(const TLMDictionaryModule& book, CheckReport& r);
void CheckSampleCommentary(const TLMCommentaryModule& commentary, const TLMBibleModule* kjv,
                           CheckReport& r);
void CheckSampleStrongsData(const TLMStrongsDataModule& data, CheckReport& r);

}  // namespace lumora::cli
