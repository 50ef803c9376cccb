// The change rules of the verse range chooser (first and last verse, each a
// book, chapter and verse choice): what a change of one choice does to the
// two ends of the range, so that the range always runs forwards.
#pragma once

#include "core/modules/bible_module.h"

namespace lumora {

class VerseRangeFrameRules {
 public:
  // `bible` (not null) gives the books, chapters and verses; the range is
  // 1..the Bible's verse count until set.
  explicit VerseRangeFrameRules(const TLMBibleModule& bible);

  const TLMBibleModule& Bible() const { return *bible_; }
  // Replaces the Bible and keeps the range, clamped to the Bible.
  void SetBible(const TLMBibleModule& bible);
  // Both ends at once (clamped: a first outside the Bible becomes 1, a last
  // before the first or beyond the Bible its last verse).
  void SetRange(int first, int last);

  int First() const { return first_; }
  int Last() const { return last_; }
  TVerseLocation FirstLocation() const { return bible_->GetVerseLocation(first_); }
  TVerseLocation LastLocation() const { return bible_->GetVerseLocation(last_); }

  // First book: that book 1:1 through its last verse.
  void ChooseFirstBook(int book);
  // First chapter / verse: the first verse moves; the last stays unless it
  // is now before the first, when it becomes the last verse of the first
  // verse's chapter.
  void ChooseFirstChapter(int chapter);
  void ChooseFirstVerse(int verse);
  // Last book / chapter / verse: the last verse moves (a book or chapter to
  // its last verse); the first stays unless it is now after the last, when
  // it becomes verse 1 of the last verse's chapter.
  void ChooseLastBook(int book);
  void ChooseLastChapter(int chapter);
  void ChooseLastVerse(int verse);

 private:
  void SetFirst(int first);
  void SetLast(int last);
  int Clamp(int index) const;

  const TLMBibleModule* bible_;
  int first_ = 1;
  int last_ = 1;
};

}  // namespace lumora
