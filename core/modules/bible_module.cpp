#include "core/modules/bible_module.h"

#include <algorithm>

#include "core/codec/compression.h"
#include "core/io/byte_io.h"
#include "core/modules/bible_mapping_cache.h"
#include "core/modules/verse_text_codec.h"
#include "core/text/comma_text.h"
#include "core/text/cp1252.h"

namespace lumora {
namespace {

std::string NonFatal(const std::string& what, int number) {
  return "[Non-fatal internal error: " + what + " (" + std::to_string(number) + ")]";
}

}  // namespace

Result<std::unique_ptr<TLMBibleModule>> TLMBibleModule::Create(const std::string& path,
                                                               FileSystem& fs) {
  std::unique_ptr<TLMBibleModule> module(new TLMBibleModule());
  Status status = module->Open(path, fs);
  if (!status.ok()) return status;  // the half-built module releases its mapping
  return module;
}

TLMBibleModule::~TLMBibleModule() = default;

Status TLMBibleModule::Open(const std::string& path, FileSystem& fs) {
  file_name_ = path;
  const std::string mapping_name = BibleMappingCache::MappingName(path);
  BibleMappingCache& cache = BibleMappingCache::Instance();
  std::string header_bytes;
  mapping_ = cache.Find(&fs, mapping_name, &header_bytes);
  if (!mapping_) {
    Result<std::shared_ptr<const MappedFile>> mapped = fs.MapExclusive(path);
    if (!mapped.ok())
      return Status::Error(ErrorKind::kCreate, "File mapping failed on " + path);
    mapping_ = std::move(mapped).value();
    if (mapping_->size() < kBibleHeaderSize)
      return Status::Error(ErrorKind::kCreate,
                           "File header invalid: " + path + " (file shorter than its header)");
    header_bytes.assign(reinterpret_cast<const char*>(mapping_->data()), kBibleHeaderSize);
    const std::string magic = LoadShortString(mapping_->data() + 148, 6);
    if (magic != kBibleMagic)
      return Status::Error(ErrorKind::kCreate, "File header invalid: " + magic.substr(0, 5));
    cache.Remember(&fs, mapping_name, mapping_, header_bytes);
  }
  base_ = mapping_->data();
  size_ = mapping_->size();
  header_ = BibleHeader::DecodeFrom(reinterpret_cast<const uint8_t*>(header_bytes.data()));
  if (Status valid = header_.Validate(size_, path); !valid.ok()) return valid;

  struct ListSpec {
    uint32_t offset;
    uint32_t size;
    PackedStrings* target;
  };
  const ListSpec lists[] = {
      {header_.short_titles, header_.short_titles_size, &short_titles_},
      {header_.long_titles, header_.long_titles_size, &long_titles_},
  };
  for (const ListSpec& list : lists) {
    if (list.size == 0) continue;  // an empty list is stored as nothing
    Result<std::string> text = DecompressBytes(base_ + list.offset, list.size);
    if (!text.ok())
      return Status::Error(ErrorKind::kDecompression, text.status().message() + " in " + path);
    *list.target = ParseCommaTextPacked(*text);
  }
  return Status::Ok();
}

std::string TLMBibleModule::GetTitle() const {
  return title_override_.empty() ? header_.title : title_override_;
}

std::string TLMBibleModule::GetAbbreviation() const {
  return abbreviation_override_.empty() ? header_.abbreviation : abbreviation_override_;
}

void TLMBibleModule::MakeStrongsLinksTwin(std::string title_override,
                                          std::string abbreviation_override) {
  strongs_links_ = true;
  title_override_ = std::move(title_override);
  abbreviation_override_ = std::move(abbreviation_override);
}

std::string TLMBibleModule::BookTitle(const PackedStrings& titles, int book,
                                      const char* operation) const {
  // The decoded list may hold fewer titles than the header's book count.
  if (book < 1 || book > BookCount() || book > static_cast<int>(titles.size()))
    return NonFatal(std::string("book out of range on ") + operation, book);
  return std::string(titles[static_cast<size_t>(book - 1)]);
}

std::string TLMBibleModule::GetShortBookTitle(int book) const {
  return BookTitle(short_titles_, book, "GetShortBookTitle");
}

std::string TLMBibleModule::GetLongBookTitle(int book) const {
  return BookTitle(long_titles_, book, "GetLongBookTitle");
}

BibleVerseRecord TLMBibleModule::VerseRecord(int index) const {
  return BibleVerseRecord::DecodeFrom(base_ + header_.verse_table +
                                      static_cast<size_t>(index - 1) * kBibleVerseRecordSize);
}

int TLMBibleModule::LocateVerse(int b, int c, int v) const {
  const int n = VerseCount();
  if (b < 1 || b > BookCount()) return 1;
  // Book, chapter and verse bytes of record i - 1, read in place.
  const uint8_t* table = base_ + header_.verse_table;
  auto book = [table](int i) { return table[(i - 1) * kBibleVerseRecordSize + 6]; };
  auto chapter = [table](int i) { return table[(i - 1) * kBibleVerseRecordSize + 7]; };
  auto verse = [table](int i) { return table[(i - 1) * kBibleVerseRecordSize + 8]; };
  int i = 1;
  // Never past the table: a book the table lacks gives its last verse.
  while (i < n && book(i) != b) ++i;
  while (i < n && chapter(i) < c && book(i) == b) ++i;
  if (i < n && book(i) > b) --i;
  while (i < n && verse(i) < v && book(i) == b && chapter(i) == c) ++i;
  if ((book(i) > b || chapter(i) > c) && i > 1) --i;
  return i;
}

TVerseLocation TLMBibleModule::GetVerseLocation(int index) const {
  if (index < 1 || index > VerseCount()) return {};
  const BibleVerseRecord r = VerseRecord(index);
  return {r.book, r.chapter, r.verse};
}

int TLMBibleModule::GetChapterCount(int book) const {
  return GetVerseLocation(LocateVerse(book, 255, 1)).chapter;
}

int TLMBibleModule::GetVerseCount(int book, int chapter) const {
  return GetVerseLocation(LocateVerse(book, chapter, 255)).verse;
}

std::string TLMBibleModule::GetVerseText(int index, bool with_strongs, bool keep_footnotes) const {
  if (index < 1 || index > VerseCount())
    return NonFatal("Verse out of range on GetVerseText", index);
  const BibleVerseRecord r = VerseRecord(index);
  if (r.offset == -1) return "-";
  if (r.offset < 0 || !FitsIn(static_cast<uint32_t>(r.offset), r.size, size_))
    return NonFatal("Verse record outside the file on GetVerseText", index);
  if (r.size == 0) return std::string();
  LoadWords();  // first: it inflates too, and would overwrite the scratch text
  const size_t after = size_ - (static_cast<size_t>(r.offset) + r.size);
  Result<std::string_view> raw =
      DecompressToScratch(base_ + r.offset, r.size, kDefaultInflateLimit, after);
  if (!raw.ok()) return NonFatal(raw.status().message() + " on GetVerseText", index);
  if (!words_ok_) return NonFatal("word list damaged on GetVerseText", index);
  const StrongsTokens tokens = !HasStrongs()  ? StrongsTokens::kKeep
                               : with_strongs ? StrongsTokens::kWriteOut
                                              : StrongsTokens::kRemove;
  std::optional<std::string> decoded = DecodeVerseText(*raw, word_table_, tokens);
  if (!decoded) return NonFatal("word codes expand past the text limit on GetVerseText", index);
  std::string text = std::move(*decoded);
  if (HasFootnotes() && !keep_footnotes) RemoveFootnotesInPlace(text);
  return text;
}

void TLMBibleModule::LoadWords() const {
  std::call_once(words_once_, [this] {
    if (header_.word_list_size == 0) {  // a Bible without words stores none
      words_ok_ = true;
      return;
    }
    Result<std::string> text = DecompressBytes(base_ + header_.word_list, header_.word_list_size);
    if (!text.ok()) return;
    words_ = ParseCommaTextPacked(*text);
    word_table_ = VerseWordTable(&words_);
    words_ok_ = true;
  });
}

const PackedStrings& TLMBibleModule::Words() const {
  LoadWords();
  return words_;
}

int TLMBibleModule::FindWord(std::string_view word) const {
  LoadWords();
  size_t lo = 0, hi = words_.size();
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    if (cp1252::CompareNoCase(words_[mid], word) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (lo < words_.size() && cp1252::CompareNoCase(words_[lo], word) == 0)
    return static_cast<int>(lo);
  // A list that another writer sorted by its own comparison (byte order,
  // a locale's) misleads the halving: every word must still be found.
  for (size_t i = 0; i < words_.size(); ++i)
    if (cp1252::EqualNoCase(words_[i], word)) return static_cast<int>(i);
  return -1;
}

TStoredVerseList TLMBibleModule::ReadVerseList(uint32_t table, int record,
                                               int record_count) const {
  if (record < 0 || record >= record_count) return {};
  const uint64_t at = uint64_t{table} + uint64_t(record) * kVerseListRecordSize;
  if (!FitsIn(at, kVerseListRecordSize, size_)) return {};
  const uint32_t offset = LoadU32(base_ + at);
  const uint16_t count = LoadU16(base_ + at + 4);
  if (count == 0 || !FitsIn(offset, uint64_t{count} * 2, size_)) return {};
  TStoredVerseList verses(count);
  for (uint16_t k = 0; k < count; ++k) verses[k] = LoadU16(base_ + offset + 2u * k);
  return verses;
}

TStoredVerseList TLMBibleModule::WordVerses(int position) const {
  return ReadVerseList(header_.word_index, position, WordCount());
}

TStoredVerseList TLMBibleModule::HebrewVerses(int number) const {
  if (!HasStrongs()) return {};
  return ReadVerseList(header_.hebrew_index, number - 1, kHebrewStrongsCount);
}

TStoredVerseList TLMBibleModule::GreekVerses(int number) const {
  if (!HasStrongs()) return {};
  return ReadVerseList(header_.greek_index, number - 1, kGreekStrongsCount);
}

}  // namespace lumora
