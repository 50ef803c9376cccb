// A SWORD dictionary (a topical index such as Nave's) as a Lumora Book:
// entries titled by their keys in the program's title order, every entry
// converted to entry markup with links to other entries by their final
// entry numbers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/builder/entry_builders.h"
#include "tools/import/entry_converter.h"
#include "tools/import/source_entries.h"

namespace lumora::import {

struct DictionaryBook {
  builder::BookSource book;  // entries sorted, texts converted; header fields empty
  EntryConversion totals;    // text empty
  int duplicate_keys = 0;    // keys equal to an earlier one but for case (kept, never linked to)
  int shortened = 0;         // entries cut to fit one record (see FitEntryRecord)
};

// `work` is the module name that "target" links use ("Nave:AARON").
// What the code page cannot hold is folded and counted in `folds` if given.
DictionaryBook BuildDictionaryBook(const std::vector<SourceEntry>& entries, std::string_view work,
                                   CodePageFolds* folds = nullptr);

}  // namespace lumora::import
