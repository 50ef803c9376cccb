// Writes Bible module files (".lmb") from verse texts. The program only reads
// Bible modules; this builder serves the importer and the tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/status.h"

namespace lumora::builder {

// One Bible to write. All texts are Windows-1252.
struct BibleSource {
  std::string title;         // at most 40 characters are stored
  std::string abbreviation;  // at most 6
  std::string font_name;     // at most 40; used when has_font
  bool has_strongs = false;    // verse texts carry Strong's tokens
  bool has_brackets = false;   // supplied words are marked "[" "]"
  bool has_font = false;
  bool has_footnotes = false;  // verse texts carry "{" "}" notes
  // 66 titles each, book 1 first. Empty means the KJV titles of
  // kjv_versification.h.
  std::vector<std::string> short_titles;
  std::vector<std::string> long_titles;
  // Entry i - 1 is verse index i; exactly 31102 entries (missing entries at
  // the end count as absent). nullopt: the Bible has no text for the verse.
  //
  // A verse text is written exactly as the reader gives it back with
  // Strong's tokens written out and footnotes kept: a Strong's number is the
  // byte 0x02 (Hebrew) or 0x03 (Greek) followed by "$" and four lower-case
  // hexadecimal digits, after the words it tags. Bytes 0x04 and 0x05 are
  // reserved for word codes and refused.
  std::vector<std::optional<std::string>> verses;
  // Overrides for corrupt-module tests only: header values written as given.
  std::optional<int> header_verse_count;
  std::optional<int> header_book_count;
  // The word list in another writer's order (byte order, say) instead of
  // the program's case-insensitive one; the index follows the list.
  bool (*word_order)(const std::string&, const std::string&) = nullptr;
};

// Statistics of one build, for the importer's report.
struct BibleBuildStats {
  size_t file_size = 0;
  size_t word_count = 0;
  size_t coded_words = 0;  // word occurrences replaced by word codes
  size_t verses_with_text = 0;
};

// The whole module file as bytes.
Result<std::string> BuildBibleModule(const BibleSource& source,
                                     BibleBuildStats* stats = nullptr);
// Builds and writes it (through a temporary file and a rename).
Status WriteBibleModule(const BibleSource& source, const std::string& path,
                        BibleBuildStats* stats = nullptr);

// Writes "pmap.dat": one byte per verse index, non-zero where a paragraph
// begins. `starts` must hold 31102 bytes.
Status WriteParagraphMap(const std::vector<uint8_t>& starts, const std::string& path);

// Makes a Strong's token as the builder expects it in verse text.
std::string StrongsToken(bool hebrew, int number);

}  // namespace lumora::builder
