// The control bytes of Book and Commentary entry text. Every sequence with
// a terminator ends at kTerminator; kCommentaryLink is followed by exactly
// two base-205 digits.
#pragma once

namespace lumora::entry_markup {

inline constexpr char kHebrewRun = 0x01;      // text in the Hebrew lexicon font
inline constexpr char kGreekRun = 0x02;       // text in the Greek lexicon font
inline constexpr char kHebrewStrongs = 0x03;  // Hebrew Strong's number
inline constexpr char kGreekStrongs = 0x04;   // Greek Strong's number
inline constexpr char kVerseList = 0x05;      // verse-range list
inline constexpr char kEntryLink = 0x06;      // "$" and a hexadecimal entry number
inline constexpr char kTerminator = 0x08;
inline constexpr char kCommentaryLink = 0x0E;  // the comment on one verse

}  // namespace lumora::entry_markup
