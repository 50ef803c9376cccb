#include "views/navigation_history.h"

#include <cstdio>

#include "core/modules/bible_module.h"

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

}  // namespace lumora
