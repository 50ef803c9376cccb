#include "views/bible_view_logic.h"

#include <cstdio>

#include "core/refs/verse_index.h"

namespace lumora {
namespace {

bool IsVerseOf(const TLMBibleModule& bible, int v) { return v >= 1 && v <= bible.VerseCount(); }

}  // namespace

ChapterSpan ChapterOf(const TLMBibleModule& bible, int v) {
  if (!IsVerseOf(bible, v)) return {};
  const TVerseLocation at = bible.GetVerseLocation(v);
  if (at.book == 0) return {};
  return {bible.LocateVerse(at.book, at.chapter, 1),
          bible.LocateVerse(at.book, at.chapter, kLastChapterOrVerse)};
}

int PreviousChapterTarget(const TLMBibleModule& bible, int chapter_first) {
  if (bible.VerseCount() < 1) return 0;
  if (chapter_first < 2) return bible.VerseCount();
  return chapter_first - 1 <= bible.VerseCount() ? chapter_first - 1 : 0;
}

int NextChapterTarget(const TLMBibleModule& bible, int chapter_last) {
  if (bible.VerseCount() < 1) return 0;
  if (chapter_last >= bible.VerseCount()) return 1;
  return chapter_last >= 0 ? chapter_last + 1 : 0;
}

int PreviousVerseTarget(const TLMBibleModule& bible, int top) {
  if (!IsVerseOf(bible, top) || bible.GetVerseLocation(top).verse == 1) return 0;
  return top - 1;
}

int NextVerseTarget(const TLMBibleModule& bible, int top) {
  if (!IsVerseOf(bible, top) || top == bible.VerseCount()) return 0;
  return top + 1;
}

int ProverbTarget(const TLMBibleModule& bible, int day_of_month) {
  return bible.LocateVerse(kBookProverbs, day_of_month, 1);
}

std::string VerseReference(const TLMBibleModule& bible, int v, bool long_title) {
  const TVerseLocation at = bible.GetVerseLocation(v);
  std::string text =
      long_title ? bible.GetLongBookTitle(at.book) : bible.GetShortBookTitle(at.book);
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, " %d:%d", at.chapter, at.verse);
  return text + numbers;
}

std::vector<CopyThroughItem> CopyThroughItems(const TLMBibleModule& bible, int v) {
  std::vector<CopyThroughItem> items;
  const ChapterSpan chapter = ChapterOf(bible, v);
  if (chapter.first == 0) return items;
  for (int i = v + 1; i <= chapter.last; ++i) {
    const int number = bible.GetVerseLocation(i).verse;
    items.push_back({i, number, number % 20 == 0});
  }
  return items;
}

}  // namespace lumora
