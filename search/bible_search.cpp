#include "search/bible_search.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "core/modules/bible_header.h"
#include "core/modules/verse_text_codec.h"
#include "core/text/cp1252.h"
#include "search/word_candidates.h"
#include "search/word_match.h"

namespace lumora {
namespace {

// 0-based bounds of the search range inside the Bible.
struct SlotRange {
  int first = 0;
  int last = -1;
};

SlotRange ClampRange(const TLMBibleModule& bible, int first_verse, int last_verse) {
  return {std::max(first_verse, 1) - 1, std::min(last_verse, bible.VerseCount()) - 1};
}

TKeyLocation EmptySet(const TLMBibleModule& bible) {
  return TKeyLocation(static_cast<uint16_t>(std::clamp(bible.VerseCount(), 0, 0xFFFF)));
}

void AddVerses(TKeyLocation& set, const TStoredVerseList& verses, SlotRange range) {
  for (const uint16_t v : verses)
    if (v >= range.first && v <= range.last) set.SetBit(v, true);
}

// Calls keep(slot) for every member, clearing those it refuses.
template <typename Keep>
void Filter(TKeyLocation& set, Keep&& keep) {
  auto& words = set.Words();
  for (size_t w = 0; w < words.size(); ++w) {
    for (uint32_t bits = words[w]; bits != 0; bits &= bits - 1) {
      const int slot = static_cast<int>(w * 32) + std::countr_zero(bits);
      if (slot >= set.Size()) return;
      if (!keep(slot)) set.SetBit(slot, false);
    }
  }
}

// A verse whose hit lies only inside footnotes does not count.
void DropFootnoteOnlyHits(const TLMBibleModule& bible, TKeyLocation& set, const std::string& word) {
  const WholeWordFinder finder(word, /*case_sensitive=*/false);
  Filter(set, [&](int slot) {
    const std::string text = bible.GetVerseText(slot + 1, false, true);
    if (text.find('{') == std::string::npos) return true;
    return finder.FoundIn(StripFootnotes(text));
  });
}

// The index ignores case; a word typed with capitals must stand so.
void DropOtherCases(const TLMBibleModule& bible, TKeyLocation& set, const std::string& word,
                    bool include_footnotes) {
  const WholeWordFinder finder(word, /*case_sensitive=*/true);
  Filter(set, [&](int slot) {
    return finder.FoundIn(bible.GetVerseText(slot + 1, true, include_footnotes));
  });
}

std::vector<std::string> SplitAtSpaces(std::string_view text) {
  std::vector<std::string> words;
  size_t p = 0;
  while (p < text.size()) {
    if (text[p] == ' ') {
      ++p;
      continue;
    }
    const size_t end = std::min(text.find(' ', p), text.size());
    words.emplace_back(text.substr(p, end - p));
    p = end;
  }
  return words;
}

void KeepOnlyInOne(TKeyLocation& result, const std::vector<TKeyLocation>& sets) {
  TLongWordArray& out = result.Words();
  for (size_t i = 0; i < out.size(); ++i) {
    uint32_t once = 0, twice = 0;  // bits in at least one set, in two or more
    for (const TKeyLocation& set : sets) {
      const TLongWordArray& w = set.Words();
      if (i >= w.size()) continue;
      twice |= once & w[i];
      once |= w[i];
    }
    out[i] = once & ~twice;
  }
}

// Verses whose text holds the whole search text as written, as a phrase.
void KeepPhrase(const TLMBibleModule& bible, TKeyLocation& set, const BibleSearchRequest& r) {
  const WholeWordFinder finder(r.text, r.case_sensitive);
  Filter(set, [&](int slot) {
    std::string text = bible.GetVerseText(slot + 1, false, r.include_footnotes);
    std::erase_if(text,
                  [](char c) { return c == '[' || c == ']' || c == '.' || c == ',' || c == ';'; });
    return finder.FoundIn(text);
  });
}

}  // namespace

TKeyLocation FindWordVerses(const TLMBibleModule& bible, std::string_view word,
                            bool include_footnotes, int first_verse, int last_verse,
                            bool case_sensitive, bool substring, TKeyArray& keys) {
  TKeyLocation result = EmptySet(bible);
  const SlotRange range = ClampRange(bible, first_verse, last_verse);
  if (bible.HasStrongs()) {
    if (const auto strongs = ParseStrongsSearchWord(word)) {
      const int n = strongs->number;
      if (strongs->hebrew && n <= kHebrewStrongsCount) {
        keys.push_back(WrittenStrongsToken(kHebrewStrongsByte, n));
        AddVerses(result, bible.HebrewVerses(n), range);
        return result;
      }
      if (!strongs->hebrew && n <= kGreekStrongsCount) {
        keys.push_back(WrittenStrongsToken(kGreekStrongsByte, n));
        AddVerses(result, bible.GreekVerses(n), range);
        return result;
      }
    }
  }
  for (const WordCandidate& c : ExpandSearchWord(bible, word, case_sensitive, substring)) {
    if (c.position < 0) continue;
    keys.push_back(c.spelling);
    TKeyLocation hits = EmptySet(bible);
    AddVerses(hits, bible.WordVerses(c.position), range);
    if (!include_footnotes && bible.HasFootnotes()) DropFootnoteOnlyHits(bible, hits, c.spelling);
    if (case_sensitive && HasCapital(c.spelling))
      DropOtherCases(bible, hits, c.spelling, include_footnotes);
    result.OrWith(hits);
  }
  return result;
}

BibleSearchResult RunBibleSearch(const BibleSearchRequest& request) {
  BibleSearchResult out;
  if (request.bible == nullptr) return out;
  const TLMBibleModule& bible = *request.bible;
  if (request.type < 0 || request.type > 3) return out;
  std::vector<std::string> words = SplitAtSpaces(request.text);
  // Text that was only punctuation has no words to combine.
  if (words.empty()) return out;
  if (!request.case_sensitive)
    for (std::string& w : words) w = cp1252::LowerAscii(w);

  std::vector<TKeyLocation> sets;
  sets.reserve(words.size());
  for (const std::string& w : words)
    sets.push_back(FindWordVerses(bible, w, request.include_footnotes, request.first_verse,
                                  request.last_verse, request.case_sensitive, request.substring,
                                  out.keys));

  TKeyLocation combined = sets.front();
  switch (static_cast<BibleSearchType>(request.type)) {
    case BibleSearchType::kAllWords:
    case BibleSearchType::kExactPhrase:
      for (size_t i = 1; i < sets.size(); ++i) combined.AndWith(sets[i]);
      if (request.type == static_cast<int>(BibleSearchType::kExactPhrase) && sets.size() > 1)
        KeepPhrase(bible, combined, request);
      break;
    case BibleSearchType::kAnyWord:
      for (size_t i = 1; i < sets.size(); ++i) combined.OrWith(sets[i]);
      break;
    case BibleSearchType::kOnlyOneWord:
      if (sets.size() > 1) KeepOnlyInOne(combined, sets);
      break;
  }
  out.verses.reserve(static_cast<size_t>(combined.Count()));
  Filter(combined, [&](int slot) {
    out.verses.push_back(static_cast<uint16_t>(slot + 1));
    return true;
  });
  return out;
}

}  // namespace lumora
