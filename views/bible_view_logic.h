// The Bible view's navigation arithmetic and text rules, apart from the
// widgets so that they can be reasoned about (and tested) on their own.
// Verse indexes are those of `bible`; every function accepts any number and
// answers 0 ("nothing to do") where the number is not a verse of the Bible.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/modules/bible_module.h"

namespace lumora {

// First and last verse index of the chapter that holds `v`; {0, 0} when `v`
// is not a verse of the Bible.
struct ChapterSpan {
  int first = 0;
  int last = 0;
};
ChapterSpan ChapterOf(const TLMBibleModule& bible, int v);

// Previous Chapter: from the chapter starting at `chapter_first`, the last
// verse of the previous chapter; from Genesis 1 the Bible's last verse.
int PreviousChapterTarget(const TLMBibleModule& bible, int chapter_first);
// Next Chapter: the verse after `chapter_last`; after the last chapter, 1.
int NextChapterTarget(const TLMBibleModule& bible, int chapter_last);
// Scroll Up One Verse: top - 1, or 0 when `top` is verse 1 of its chapter.
int PreviousVerseTarget(const TLMBibleModule& bible, int top);
// Scroll Down One Verse: top + 1, or 0 at the Bible's last verse.
int NextVerseTarget(const TLMBibleModule& bible, int top);
// Today's Proverb: verse 1 of Proverbs chapter `day_of_month`.
int ProverbTarget(const TLMBibleModule& bible, int day_of_month);

// "%s %d:%d" with the short or long book title, chapter and verse.
std::string VerseReference(const TLMBibleModule& bible, int v, bool long_title);

// The verses after `v` in its chapter for the "Copy from ... through verse"
// submenu: each verse number with whether a new menu column starts before it
// (every number divisible by 20).
struct CopyThroughItem {
  int verse_index = 0;
  int verse_number = 0;
  bool new_column = false;
};
std::vector<CopyThroughItem> CopyThroughItems(const TLMBibleModule& bible, int v);

}  // namespace lumora
