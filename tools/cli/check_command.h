// lumora-cli check DIR: opens every module of a program folder with the
// module classes and verifies what the program takes for granted:
//   - Bibles/*.lmb: the header opens, 66 books and 31102 verses, every verse
//     text inflates;
//   - Books/*.lmk, User/*.lmk: the header and title block open (title count
//     = entry count), every entry inflates, titles stand in the program's
//     title order, the stored verse-link index equals a fresh scan of the
//     entries; the Strong's Books ("StrHeb", "StrGrk") hold one entry per
//     number with titles in number order;
//   - Commentaries/*.lmc, User/*.lmc: every comment inflates, one title line
//     per comment (the reference of its verse when the KJV Bible is there),
//     verse-link index equal to a fresh scan;
//   - stgdat.lm4 (required) and pmap.dat: their layouts; Strong's words hold
//     no byte that means something in verse or entry markup;
//   - in the sample library, what its import keeps (sample_library_checks.h).
// One line per file: "ok" or "FAULT", the path below DIR, then details.
#pragma once

#include <iostream>
#include <string>

#include "core/platform/file_system.h"

namespace lumora::cli {

// Returns 0 when every module passed, 1 on any fault (or when DIR holds no
// module folder at all). An empty `folder` is the executable's folder.
int RunCheckCommand(const std::string& folder, std::ostream& out = std::cout,
                    FileSystem& fs = DefaultFileSystem());

}  // namespace lumora::cli
