// Synthetic modules for the passage renderer tests, built once per process
// in memory: a Bible with Strong's numbers, brackets and footnotes (plain
// and Strong's-links instances, and a copy with one damaged verse), a
// compare Bible with its own font, Strong's data, Commentaries, a Book and a
// paragraph map.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/platform/memory/memory_file_system.h"
#include "render/passage_renderer.h"

namespace lumora::test {

// Genesis 1 verses with special texts (verse index = verse number).
inline constexpr int kStrongsVerse = 1;    // two Hebrew tokens, paragraph start
inline constexpr int kLoveVerse = 2;       // "love" in and out of words
inline constexpr int kFootnoteVerse = 3;   // two footnotes, paragraph start
inline constexpr int kItalicVerse = 4;     // "[was]"
inline constexpr int kSmallTextVerse = 5;  // "<<Title>>", paragraph start
inline constexpr int kFourteenNotes = 6;   // with the next verse: 27 footnotes
inline constexpr int kThirteenNotes = 7;
inline constexpr int kMarkupWordVerse = 8;  // H1, whose word is "a[b]{c}<d>&"
inline constexpr int kBadTokenVerse = 9;    // H9000, beyond the Hebrew table
inline constexpr int kBlankNoteVerse = 10;  // "one {gone} two"
inline constexpr int kHoleByteVerse = 11;   // a 0x01 byte next to a token
inline constexpr int kCaretVerse = 12;      // "a^b ^^"
inline constexpr int kPlainVerse = 20;      // generated text only
inline constexpr int kDamagedVerse = 2;     // in DamagedBible()
inline constexpr int kGenesis50_26 = 1533;
inline constexpr int kExodus1_1 = 1534;

struct PassageLibrary {
  MemoryFileSystem fs;
  std::unique_ptr<TLMBibleModule> bible, strongs_links, compare, damaged;
  std::unique_ptr<TLMStrongsDataModule> strongs;
  // "CA" (verses 1, 2), "C&B" (verse 1), "CX" (verse 1; the tests exclude it).
  std::vector<std::unique_ptr<TLMCommentaryModule>> commentaries;
  std::vector<std::unique_ptr<TLMDictionaryModule>> books;  // "BK": verses 1 and 2
  ParagraphMap paragraphs;
};

const PassageLibrary& Library();

// A renderer with the library's resources and the Bible view defaults, no
// links of any kind and footnotes off.
TPassageRenderer PlainRenderer(const TLMBibleModule* bible);

// Fills %s and %d in order with the arguments (golden strings are built
// from the format strings).
std::string Fmt(const std::string& format, const std::vector<std::string>& args);
inline std::string N(int n) { return std::to_string(n); }

size_t Count(const std::string& text, const std::string& what);

}  // namespace lumora::test
