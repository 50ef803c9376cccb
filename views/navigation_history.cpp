#include "views/navigation_history.h"

#include <cstdio>

#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/refs/verse_index.h"

namespace lumora {

std::string BibleHistoryCaption(const TLMBibleModule& bible, int verse_index) {
  const TVerseLocation at = bible.GetVerseLocation(verse_index);
  const std::string title = bible.GetShortBookTitle(at.book);
  char numbers[32];
  if (at.verse == 1) {
    std::snprintf(numbers, sizeof numbers, " %d", at.chapter);
  } else {
    std::snprintf(numbers, sizeof numbers, " %d:%d", at.chapter, at.verse);
  }
  return title + numbers;
}

std::string CommentaryHistoryCaption(const TCommentaryPlace& place, const TLMBibleModule& kjv) {
  const int verse = place.position + 1;
  if (!IsVerseIndex(verse) || verse > kjv.VerseCount()) return kHistoryCaptionError;
  const TVerseLocation at = kjv.GetVerseLocation(verse);
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, " %d:%d", at.chapter, at.verse);
  return place.abbreviation + " - " + kjv.GetShortBookTitle(at.book) + numbers;
}

std::string BookHistoryCaption(const TBookPlace& place, const TLMDictionaryModule* book) {
  if (book == nullptr || place.entry < 0 || place.entry >= book->EntryCount())
    return kHistoryCaptionError;
  return place.abbreviation + " - " + book->EntryTitles()[static_cast<size_t>(place.entry)];
}

}  // namespace lumora
