// The Strong's lexicons (TEI entries keyed by zero-padded number) as a Book
// and as the words of the Strong's data file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/modules/bible_header.h"
#include "core/modules/strongs_data.h"
#include "core/text/legacy_fonts.h"
#include "tools/builder/entry_builders.h"
#include "tools/import/entry_converter.h"
#include "tools/import/source_entries.h"

namespace lumora::import {

// The number a lexicon key names ("07225" -> 7225), 0 for anything else.
int StrongsKeyNumber(std::string_view key);

// The three strings of "stgdat.lm4" from one entry: the first <orth> without
// a type in the font's encoding, the <orth type="trans"> transliteration and
// the <pron> pronunciation in Windows-1252.
// What the code page cannot hold is folded and counted in `folds` if given;
// a Hebrew word in a Latin field is transliterated. The Hebrew lexicon's
// Greek omega with tonos is the "s" with acute it stands for.
StrongsWord ExtractStrongsWord(std::string_view tei, LegacyFont font,
                               CodePageFolds* folds = nullptr);

// Entry titles start with the number in four digits, so that the Book's
// title order (cp1252::CompareNoCase) is the number order the links need;
// the transliteration follows for readers of the title list.
std::string StrongsEntryTitle(int number, const StrongsWord& word);

struct StrongsLexicon {
  builder::BookSource book;        // entries 0..count-1, entry n - 1 for number n
  std::vector<StrongsWord> words;  // words[n - 1]
  EntryConversion totals;          // counts summed over all entries (text empty)
  int missing = 0;                 // numbers the source has no entry for
  int duplicates = 0;              // keys seen twice (the first one kept)
  int foreign_keys = 0;            // keys that are no number in range
};

// Builds the Book and the words for numbers 1..count from the entries of a
// lexicon in any order. A number without an entry gets a title and no text.
StrongsLexicon BuildStrongsLexicon(const std::vector<SourceEntry>& entries, LegacyFont font,
                                   int count, CodePageFolds* folds = nullptr);

}  // namespace lumora::import
