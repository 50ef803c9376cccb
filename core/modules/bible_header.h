// The on-disk layout of a Bible module (".lmb"): the 154-byte header, the
// 9-byte verse records and the 6-byte verse-list records. Reader and builder
// both go through these definitions.
#pragma once

#include <cstdint>
#include <string>

#include "core/status.h"

namespace lumora {

inline constexpr size_t kBibleHeaderSize = 154;
inline constexpr size_t kBibleVerseRecordSize = 9;
inline constexpr size_t kVerseListRecordSize = 6;
inline constexpr int kHebrewStrongsCount = 8674;
inline constexpr int kGreekStrongsCount = 5624;
inline constexpr const char* kBibleMagic = "LMBIB";

struct BibleHeader {
  std::string title;         // field of 41 bytes
  std::string abbreviation;  // 7
  uint8_t book_count = 0;
  uint16_t verse_count = 0;
  uint16_t word_count = 0;
  bool has_strongs = false;
  bool has_brackets = false;
  bool has_font = false;
  bool has_footnotes = false;
  std::string font_name;  // 41
  uint32_t section_a = 0;  // not read by the program
  uint32_t verse_table = 0;
  uint32_t section_b = 0;  // not read by the program
  uint32_t word_index = 0;
  uint32_t section_c = 0;  // not read by the program
  uint32_t hebrew_index = 0;
  uint32_t greek_index = 0;
  uint32_t short_titles = 0;
  uint32_t long_titles = 0;
  uint32_t word_list = 0;
  uint16_t short_titles_size = 0;
  uint16_t long_titles_size = 0;
  uint32_t word_list_size = 0;
  std::string magic;  // 6: length 5 and "LMBIB"

  // Reads the fields of a 154-byte header; no validation beyond clamping
  // the length-prefixed strings to their fields.
  static BibleHeader DecodeFrom(const uint8_t* bytes);
  // The 154 bytes of this header.
  std::string Encode() const;

  // Checks the header against the file it came from: the magic, the verse
  // and book counts, and that every section and list lies inside the file.
  // Errors are "File header invalid: " texts naming `path`.
  Status Validate(uint64_t file_size, const std::string& path) const;
};

struct BibleVerseRecord {
  int32_t offset = -1;  // -1: no text for this verse
  uint16_t size = 0;
  uint8_t book = 0;
  uint8_t chapter = 0;
  uint8_t verse = 0;

  static BibleVerseRecord DecodeFrom(const uint8_t* bytes);
  void AppendTo(std::string& out) const;
};

}  // namespace lumora
