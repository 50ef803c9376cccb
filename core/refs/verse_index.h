// The verse index: every verse of the King James versification is one
// integer, 1..31102. The same number means the same verse in every module.
#pragma once

namespace lumora {

inline constexpr int kVerseCount = 31102;
inline constexpr int kBookCount = 66;
inline constexpr int kLastOldTestamentVerse = 23145;
inline constexpr int kFirstNewTestamentVerse = 23146;
inline constexpr int kDefaultVerse = 26046;  // John 1:1
inline constexpr int kBookProverbs = 20;
inline constexpr int kFirstNewTestamentBook = 40;
// Chapter or verse 255 in a lookup means "the last one".
inline constexpr int kLastChapterOrVerse = 255;

inline bool IsVerseIndex(int v) { return v >= 1 && v <= kVerseCount; }

}  // namespace lumora
