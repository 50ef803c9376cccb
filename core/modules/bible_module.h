// TLMBibleModule: one Bible translation in a read-only, memory-mapped ".lmb"
// file. Only the header and three small lists are decoded at open; verse
// texts are inflated on demand from the mapping.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "core/modules/bible_header.h"
#include "core/modules/verse_text_codec.h"
#include "core/platform/file_system.h"
#include "core/status.h"
#include "core/text/packed_strings.h"

namespace lumora {

struct TVerseLocation {
  int book = 0;
  int chapter = 0;
  int verse = 0;
  bool operator==(const TVerseLocation&) const = default;
};

// 16-bit 0-based verse indexes (verse index - 1), as the indexes store them.
using TStoredVerseList = std::vector<uint16_t>;

class TLMBibleModule {
 public:
  // Opens the module. Errors (kind kCreate) are "File mapping failed on "
  // + path or "File header invalid: " texts; a title or word list that does
  // not inflate fails with kind kDecompression.
  static Result<std::unique_ptr<TLMBibleModule>> Create(const std::string& path,
                                                        FileSystem& fs = DefaultFileSystem());
  ~TLMBibleModule();
  TLMBibleModule(const TLMBibleModule&) = delete;
  TLMBibleModule& operator=(const TLMBibleModule&) = delete;

  const std::string& FileName() const { return file_name_; }
  const BibleHeader& Header() const { return header_; }
  std::string GetTitle() const;
  std::string GetAbbreviation() const;
  const std::string& GetFontName() const { return header_.font_name; }

  int BookCount() const { return header_.book_count; }
  int VerseCount() const { return header_.verse_count; }
  int WordCount() const { return header_.word_count; }
  bool HasStrongs() const { return header_.has_strongs; }
  bool HasBrackets() const { return header_.has_brackets; }
  bool HasFont() const { return header_.has_font; }
  bool HasFootnotes() const { return header_.has_footnotes; }

  // Book titles; out-of-range books give the non-fatal error text.
  std::string GetShortBookTitle(int book) const;
  std::string GetLongBookTitle(int book) const;

  // Clamping lookup: a verse beyond the chapter gives the chapter's last
  // verse, a chapter beyond the book the book's last verse; 255 means last.
  int LocateVerse(int book, int chapter, int verse) const;
  // (0, 0, 0) outside 1..verse count.
  TVerseLocation GetVerseLocation(int index) const;
  int GetChapterCount(int book) const;
  int GetVerseCount(int book, int chapter) const;

  // The verse's text with word codes expanded. with_strongs writes Strong's
  // tokens out as byte, "$" and four hex digits; otherwise they are removed.
  // keep_footnotes keeps "{...}" notes. Never fails: bad numbers and damaged
  // records give "[Non-fatal internal error: ..." texts; a verse without
  // text gives "-".
  std::string GetVerseText(int index, bool with_strongs, bool keep_footnotes) const;

  // Word index for the Bible search. The word list is inflated on first use
  // (it is the largest list of a module, and a session may never read some
  // Bibles); a list that does not inflate reads as empty.
  const PackedStrings& Words() const;
  // Position of `word` in the word list (case-insensitive), or -1. A binary
  // search, then a scan, for lists sorted by another comparison.
  int FindWord(std::string_view word) const;
  TStoredVerseList WordVerses(int position) const;
  TStoredVerseList HebrewVerses(int number) const;  // 1..8674
  TStoredVerseList GreekVerses(int number) const;   // 1..5624

  // The Strong's-links twin (set by the catalogue on the second instance).
  bool IsStrongsLinks() const { return strongs_links_; }
  void MakeStrongsLinksTwin(std::string title_override, std::string abbreviation_override);

  bool tab_visible = true;

 private:
  TLMBibleModule() = default;
  Status Open(const std::string& path, FileSystem& fs);
  BibleVerseRecord VerseRecord(int index) const;  // index 1..N, checked by caller
  TStoredVerseList ReadVerseList(uint32_t table, int record, int record_count) const;
  std::string BookTitle(const PackedStrings& titles, int book,
                        const char* operation) const;

  std::string file_name_;
  BibleHeader header_;
  PackedStrings short_titles_;
  PackedStrings long_titles_;
  // Filled once by LoadWords(); words_ok_ is false when the list is damaged.
  void LoadWords() const;
  mutable std::once_flag words_once_;
  mutable PackedStrings words_;
  mutable bool words_ok_ = false;
  mutable VerseWordTable word_table_;  // words_ laid out for GetVerseText
  std::shared_ptr<const MappedFile> mapping_;
  const uint8_t* base_ = nullptr;
  size_t size_ = 0;
  bool strongs_links_ = false;
  std::string title_override_;
  std::string abbreviation_override_;
};

}  // namespace lumora
