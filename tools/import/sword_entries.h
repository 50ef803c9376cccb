// Reads the raw entries of SWORD dictionaries (lexicons, topical indexes)
// and commentaries through libsword. The markup is left as it is (UTF-8);
// the entry converter turns it into Lumora entry markup.
#pragma once

#include <string>
#include <vector>

#include "core/status.h"
#include "tools/import/source_entries.h"
#include "tools/import/sword_source.h"

namespace lumora::import {

struct SwordDictionary {
  SwordModuleInfo info;
  std::vector<SourceEntry> entries;  // in the module's key order
  std::vector<std::string> warnings;
};

Result<SwordDictionary> ReadSwordDictionary(const std::string& module,
                                            const std::string& library_path = {});

struct SwordCommentary {
  SwordModuleInfo info;
  std::vector<SourceComment> comments;  // ascending by first verse
  size_t unplaced = 0;                  // comments on verses no KJV verse takes
  size_t joined = 0;  // comments appended to one that starts at the same KJV verse
  int introductions = 0;  // book and chapter introductions put at their first verse
  std::vector<std::string> warnings;
};

Result<SwordCommentary> ReadSwordCommentary(const std::string& module,
                                            const std::string& library_path = {});

}  // namespace lumora::import
