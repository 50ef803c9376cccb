// search: a search text drawn from the input against the template Bible,
// Book and Commentary, through the Bible search (every type), the full
// search's matcher, find in a resource and the fixed-string search beneath
// them all.
//
// Input: a flag byte (case, substring, footnotes), first and last verse of
// the range (16 bits each), then the typed text; the text is split at the
// first 0xFF into the search text and a text to search in.
// Checks: results are ascending verses inside the range; the phrase result
// is part of the all-words result, the all-words and only-one-word results
// part of the any-word result; an unknown type finds nothing; matcher and
// finder hits are real occurrences; the fixed-string search agrees with a
// plain scan.
#include <algorithm>
#include <string>
#include <string_view>

#include "core/text/cp1252.h"
#include "core/text/fast_strings.h"
#include "fuzz/harness/harnesses.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/fuzz_library.h"
#include "search/bible_search.h"
#include "search/bible_search_text.h"
#include "search/find_in_resource.h"
#include "search/full_search_match.h"

namespace lumora::fuzz {
namespace {

bool Contains(const TVerseList& all, const TVerseList& part) {
  return std::includes(all.begin(), all.end(), part.begin(), part.end());
}

void CheckVerses(const TVerseList& verses, int first, int last) {
  for (size_t i = 0; i < verses.size(); ++i) {
    LUMORA_FUZZ_CHECK(verses[i] >= first && verses[i] <= last);
    if (i > 0) LUMORA_FUZZ_CHECK(verses[i - 1] < verses[i]);
  }
}

void CheckBibleSearch(const TLMBibleModule& bible, std::string_view typed, uint8_t flags,
                      int first, int last) {
  BibleSearchRequest request;
  request.bible = &bible;
  request.text = CleanSearchText(typed);
  request.first_verse = first;
  request.last_verse = last;
  request.case_sensitive = flags & 1;
  request.substring = flags & 2;
  request.include_footnotes = flags & 4;
  TVerseList by_type[4];
  for (int type = 0; type < 4; ++type) {
    request.type = type;
    by_type[type] = RunBibleSearch(request).verses;
    CheckVerses(by_type[type], std::max(first, 1), std::min(last, bible.VerseCount()));
  }
  const auto all = by_type[static_cast<int>(BibleSearchType::kAllWords)];
  const auto any = by_type[static_cast<int>(BibleSearchType::kAnyWord)];
  LUMORA_FUZZ_CHECK(Contains(all, by_type[static_cast<int>(BibleSearchType::kExactPhrase)]));
  LUMORA_FUZZ_CHECK(Contains(any, all));
  LUMORA_FUZZ_CHECK(Contains(any, by_type[static_cast<int>(BibleSearchType::kOnlyOneWord)]));
  if (IsBlankSearchText(typed)) LUMORA_FUZZ_CHECK(any.empty());
  request.type = 4;
  LUMORA_FUZZ_CHECK(RunBibleSearch(request).verses.empty());
  (void)BibleSearchTitle(bible, typed);
  (void)SearchTextFromSelection(typed);
}

bool OccursAt(std::string_view text, size_t at, std::string_view pattern, bool case_sensitive) {
  if (at > text.size() || pattern.size() > text.size() - at) return false;
  const std::string_view found = text.substr(at, pattern.size());
  if (case_sensitive) return found == pattern;
  for (size_t i = 0; i < pattern.size(); ++i)
    if (cp1252::Upper(static_cast<unsigned char>(found[i])) !=
        cp1252::Upper(static_cast<unsigned char>(pattern[i])))
      return false;
  return true;
}

void CheckMatcher(const TLMBibleModule& bible, std::string_view pattern, std::string_view other,
                  uint8_t flags) {
  const bool case_sensitive = flags & 1;
  Result<FullSearchMatcher> matcher = FullSearchMatcher::Create(pattern, case_sensitive, flags & 2);
  LUMORA_FUZZ_CHECK(matcher.ok() == !pattern.empty());
  if (!matcher.ok()) return;
  auto check = [&](std::string_view text) {
    const size_t at = matcher->Match(text);
    if (at > 0) LUMORA_FUZZ_CHECK(OccursAt(text, at - 1, pattern, case_sensitive));
    if (at > 0) LUMORA_FUZZ_CHECK(matcher->Occurs(text));
  };
  check(other);
  for (int v = kFirstJohnVerse; v <= kLastJohnVerse; ++v) check(bible.GetVerseText(v, false, true));
}

void CheckFixedStrings(std::string_view source, std::string_view find, int64_t start) {
  const size_t at = PosFrom(source, find, start);
  const size_t from = static_cast<size_t>(std::max<int64_t>(start, 1)) - 1;
  const size_t expected = find.empty() || from > source.size() ? std::string_view::npos
                                                                : source.find(find, from);
  LUMORA_FUZZ_CHECK(at == (expected == std::string_view::npos ? 0 : expected + 1));
  const size_t no_case = PosFromNoCase(source, find, start);
  if (no_case > 0) LUMORA_FUZZ_CHECK(no_case >= from + 1 && OccursAt(source, no_case - 1, find, false));
  if (at > 0) LUMORA_FUZZ_CHECK(no_case > 0 && no_case <= at);
  const size_t back = PosBackNoCase(source, find, start);
  if (back > 0) LUMORA_FUZZ_CHECK(OccursAt(source, back - 1, find, false));
  if (no_case > 0) LUMORA_FUZZ_CHECK(PosBackNoCase(source, find, 0) >= no_case);
  const std::string replaced = ReplaceAll(source, find, "", true);
  if (!find.empty()) LUMORA_FUZZ_CHECK(replaced.size() <= source.size());
  (void)ReplaceAll(source, find, "<b>$&</b>", false);
  if (!find.empty()) {
    const size_t ch = CharPosFrom(source, find.front(), start);
    const size_t expected_ch = from > source.size() ? std::string_view::npos
                                                    : source.find(find.front(), from);
    LUMORA_FUZZ_CHECK(ch == (expected_ch == std::string_view::npos ? 0 : expected_ch + 1));
  }
}

void CheckFind(std::string_view typed, bool case_sensitive, int start) {
  const std::optional<std::string> text = PrepareFindText(typed, case_sensitive);
  if (!text) return;
  const TemplateModules& lib = Modules();
  const FindHit in_book =
      FindInBook(*lib.book, *lib.bible, *text, case_sensitive, start % 8 - 1);
  LUMORA_FUZZ_CHECK(!in_book.found() || in_book.item < lib.book->EntryCount());
  const FindHit in_commentary =
      FindInCommentary(*lib.commentary, *lib.bible, *text, case_sensitive, start - 1);
  LUMORA_FUZZ_CHECK(!in_commentary.found() || lib.commentary->HasEntry(in_commentary.item));
}

}  // namespace

void FuzzSearch(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const uint8_t flags = input.Byte();
  const int first = input.U16() % 32000;
  const int last = input.U16() % 32000;
  const std::string_view typed = input.Piece('\xFF');
  const std::string_view other = input.Rest();
  const TLMBibleModule& bible = *Modules().bible;
  CheckBibleSearch(bible, typed, flags, (flags & 8) ? 1 : first, (flags & 16) ? 31102 : last);
  CheckMatcher(bible, typed, other, flags);
  CheckFixedStrings(other, typed, static_cast<int64_t>(first % 300) - 2);
  CheckFind(typed, flags & 1, first);
}

}  // namespace lumora::fuzz
