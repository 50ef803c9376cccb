#include "search/verse_range_frame_rules.h"

#include <algorithm>

#include "core/refs/verse_index.h"

namespace lumora {

VerseRangeFrameRules::VerseRangeFrameRules(const TLMBibleModule& bible)
    : bible_(&bible), first_(1), last_(std::max(1, bible.VerseCount())) {}

int VerseRangeFrameRules::Clamp(int index) const {
  return std::clamp(index, 1, std::max(1, bible_->VerseCount()));
}

void VerseRangeFrameRules::SetBible(const TLMBibleModule& bible) {
  bible_ = &bible;
  SetRange(first_, last_);
}

void VerseRangeFrameRules::SetRange(int first, int last) {
  const int count = std::max(1, bible_->VerseCount());
  if (first < 1 || first > count) first = 1;
  if (last < first || last > count) last = count;
  first_ = first;
  last_ = last;
}

void VerseRangeFrameRules::SetFirst(int first) {
  first_ = Clamp(first);
  if (last_ < first_) {
    const TVerseLocation at = FirstLocation();
    last_ = bible_->LocateVerse(at.book, at.chapter, kLastChapterOrVerse);
  }
}

void VerseRangeFrameRules::SetLast(int last) {
  last_ = Clamp(last);
  if (first_ > last_) {
    const TVerseLocation at = LastLocation();
    first_ = bible_->LocateVerse(at.book, at.chapter, 1);
  }
}

void VerseRangeFrameRules::ChooseFirstBook(int book) {
  first_ = Clamp(bible_->LocateVerse(book, 1, 1));
  last_ = Clamp(bible_->LocateVerse(book, kLastChapterOrVerse, kLastChapterOrVerse));
}

void VerseRangeFrameRules::ChooseFirstChapter(int chapter) {
  SetFirst(bible_->LocateVerse(FirstLocation().book, chapter, 1));
}

void VerseRangeFrameRules::ChooseFirstVerse(int verse) {
  const TVerseLocation at = FirstLocation();
  SetFirst(bible_->LocateVerse(at.book, at.chapter, verse));
}

void VerseRangeFrameRules::ChooseLastBook(int book) {
  SetLast(bible_->LocateVerse(book, kLastChapterOrVerse, kLastChapterOrVerse));
}

void VerseRangeFrameRules::ChooseLastChapter(int chapter) {
  SetLast(bible_->LocateVerse(LastLocation().book, chapter, kLastChapterOrVerse));
}

void VerseRangeFrameRules::ChooseLastVerse(int verse) {
  const TVerseLocation at = LastLocation();
  SetLast(bible_->LocateVerse(at.book, at.chapter, verse));
}

}  // namespace lumora
