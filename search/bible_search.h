// The Bible search engine: the verses of one Bible that hold the words of a
// search text, found through the module's word index and Strong's indexes,
// with verse text read only for phrase, case and footnote checks. The
// search dialog prepares the request (bible_search_text.h) and hands the
// result to the verse list.
#pragma once

#include <string>
#include <string_view>

#include "core/modules/bible_module.h"
#include "core/refs/key_location.h"
#include "core/refs/verse_index.h"
#include "render/verse_list.h"

namespace lumora {

enum class BibleSearchType : int {
  kAllWords = 0,
  kAnyWord = 1,
  kOnlyOneWord = 2,
  kExactPhrase = 3,
};

struct BibleSearchRequest {
  const TLMBibleModule* bible = nullptr;
  // The search text after the command's clean-up (CleanSearchText).
  std::string text;
  // 0..3 (BibleSearchType); any other value finds nothing.
  int type = static_cast<int>(BibleSearchType::kAllWords);
  // 1-based verse indexes; only verses first..last can be found.
  int first_verse = 1;
  int last_verse = kVerseCount;
  bool include_footnotes = true;
  bool case_sensitive = false;
  bool substring = false;
};

struct BibleSearchResult {
  TVerseList verses;  // ascending 1-based verse indexes, no separators
  // One entry per word that contributed verses, in lookup order: lower-case
  // words for a case-insensitive search, Strong's tokens written out.
  TKeyArray keys;
};

// Splits the text at spaces, looks every word up and combines the verse
// sets by type. Text without words (blank, or blank once punctuation was
// removed) finds nothing. Never shows a message; a null Bible finds nothing.
BibleSearchResult RunBibleSearch(const BibleSearchRequest& request);

// The verses of one word inside first..last (clamped to the Bible), as a
// set sized for the Bible. Appends each index word (or Strong's token) that
// contributed to `keys`. Wildcards: "lov*", "*ness", "*ove*"; with
// `substring` every index word containing the word; "G26"/"H7225" in a
// Bible with Strong's numbers.
TKeyLocation FindWordVerses(const TLMBibleModule& bible, std::string_view word,
                            bool include_footnotes, int first_verse, int last_verse,
                            bool case_sensitive, bool substring, TKeyArray& keys);

}  // namespace lumora
