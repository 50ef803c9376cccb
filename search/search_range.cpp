#include "search/search_range.h"

#include "core/refs/verse_index.h"

namespace lumora {

SearchRange OldTestamentRange() { return {1, kLastOldTestamentVerse}; }

SearchRange NewTestamentRange(const TLMBibleModule& kjv) {
  return {kFirstNewTestamentVerse, kjv.VerseCount()};
}

SearchRange WholeBibleRange(const TLMBibleModule& kjv) { return {1, kjv.VerseCount()}; }

SearchRange BookSearchRange(const TLMBibleModule& bible, int book) {
  return {bible.LocateVerse(book, 1, 1),
          bible.LocateVerse(book, kLastChapterOrVerse, kLastChapterOrVerse)};
}

SearchRange ClampSearchRange(SearchRange range, const TLMBibleModule& kjv) {
  const int count = kjv.VerseCount();
  if (range.first < 1 || range.first > count) range.first = 1;
  if (range.last < range.first || range.last > count) range.last = count;
  return range;
}

std::string SearchRangeLabel(const TLMBibleModule& bible, SearchRange range) {
  const TVerseLocation a = bible.GetVerseLocation(range.first);
  const TVerseLocation b = bible.GetVerseLocation(range.last);
  return bible.GetShortBookTitle(a.book) + " " + std::to_string(a.chapter) + ":" +
         std::to_string(a.verse) + " - " + bible.GetShortBookTitle(b.book) + " " +
         std::to_string(b.chapter) + ":" + std::to_string(b.verse);
}

}  // namespace lumora
