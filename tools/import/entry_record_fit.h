// Entry records hold at most 65500 compressed bytes. The sources have a few
// longer articles; they are cut rather than left out.
#pragma once

#include <string>

namespace lumora::import {

// Cuts an entry whose compressed form would exceed the record limit at the
// last paragraph break that lets it fit (else a line break, else a blank),
// never inside a control sequence, and says so at the cut. False when the
// entry fits as it is.
bool FitEntryRecord(std::string& text);

}  // namespace lumora::import
