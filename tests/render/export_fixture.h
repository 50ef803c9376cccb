// Synthetic modules for the export formatter tests, built once per process
// in memory: a KJV-titled Bible (plain and Strong's-links instances), a
// Bible with its own font, Strong's data, a Book (and a copy with one
// damaged entry) and a Commentary.
#pragma once

#include <memory>
#include <string>

#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/strongs_data.h"
#include "core/platform/memory/memory_file_system.h"
#include "tools/builder/bible_builder.h"

namespace lumora::test {

// Verses of the export Bible with special texts (others: MakeTestBible's).
inline constexpr int kBadStrongsVerse = 2;  // Genesis 1:2: "void" + H9999 + " deep"
inline constexpr int kSmallTextVerse = 3;   // Genesis 1:3: "a <<small [words]>> b"
inline constexpr int kMarkupWordVerse = 4;  // Genesis 1:4: "w" + H1, whose words hold "[" "{"
// Genesis 1:5: "day {<a href=\"lp:2\">Ge 1:2</a>} night", a cross-reference note
inline constexpr int kVerseLinkVerse = 5;
inline constexpr int kBookEntryCount = 4;   // "Aaron", "Abel", "Mid", "Zion"
inline constexpr int kDamagedEntry = 2;     // "Mid" in damaged_book
inline constexpr int kCommentedVerse = 2;   // Genesis 1:2 (and John 3:16)

struct ExportLibrary {
  MemoryFileSystem fs;
  builder::BibleSource source;  // verse texts of kjv as stored
  std::unique_ptr<TLMBibleModule> kjv, kjvsl, font_bible;
  std::unique_ptr<TLMStrongsDataModule> strongs;
  std::unique_ptr<TLMDictionaryModule> book, damaged_book;
  std::unique_ptr<TLMCommentaryModule> commentary;
};

const ExportLibrary& ExportModules();

// Stored text of verse index v of the export Bible.
std::string StoredVerse(int v);

// Verse index of a KJV reference.
int Verse(int book, int chapter, int verse);

}  // namespace lumora::test
