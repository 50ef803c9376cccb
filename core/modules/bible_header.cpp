#include "core/modules/bible_header.h"

#include "core/io/byte_io.h"
#include "core/refs/verse_index.h"

namespace lumora {

BibleHeader BibleHeader::DecodeFrom(const uint8_t* b) {
  BibleHeader h;
  h.title = LoadShortString(b + 0, 41);
  h.abbreviation = LoadShortString(b + 41, 7);
  h.book_count = b[48];
  h.verse_count = LoadU16(b + 49);
  h.word_count = LoadU16(b + 51);
  h.has_strongs = b[53] != 0;
  h.has_brackets = b[54] != 0;
  h.has_font = b[55] != 0;
  h.has_footnotes = b[56] != 0;
  h.font_name = LoadShortString(b + 57, 41);
  h.section_a = LoadU32(b + 98);
  h.verse_table = LoadU32(b + 102);
  h.section_b = LoadU32(b + 106);
  h.word_index = LoadU32(b + 110);
  h.section_c = LoadU32(b + 114);
  h.hebrew_index = LoadU32(b + 118);
  h.greek_index = LoadU32(b + 122);
  h.short_titles = LoadU32(b + 126);
  h.long_titles = LoadU32(b + 130);
  h.word_list = LoadU32(b + 134);
  h.short_titles_size = LoadU16(b + 138);
  h.long_titles_size = LoadU16(b + 140);
  h.word_list_size = LoadU32(b + 142);
  h.magic = LoadShortString(b + 148, 6);
  return h;
}

std::string BibleHeader::Encode() const {
  std::string out(kBibleHeaderSize, '\0');
  StoreShortString(out, 0, 41, title);
  StoreShortString(out, 41, 7, abbreviation);
  out[48] = static_cast<char>(book_count);
  StoreU16(out, 49, verse_count);
  StoreU16(out, 51, word_count);
  out[53] = has_strongs ? 1 : 0;
  out[54] = has_brackets ? 1 : 0;
  out[55] = has_font ? 1 : 0;
  out[56] = has_footnotes ? 1 : 0;
  StoreShortString(out, 57, 41, font_name);
  StoreU32(out, 98, section_a);
  StoreU32(out, 102, verse_table);
  StoreU32(out, 106, section_b);
  StoreU32(out, 110, word_index);
  StoreU32(out, 114, section_c);
  StoreU32(out, 118, hebrew_index);
  StoreU32(out, 122, greek_index);
  StoreU32(out, 126, short_titles);
  StoreU32(out, 130, long_titles);
  StoreU32(out, 134, word_list);
  StoreU16(out, 138, short_titles_size);
  StoreU16(out, 140, long_titles_size);
  StoreU32(out, 142, word_list_size);
  StoreShortString(out, 148, 6, magic);
  return out;
}

Status BibleHeader::Validate(uint64_t file_size, const std::string& path) const {
  auto invalid = [&](const std::string& why) {
    return Status::Error(ErrorKind::kCreate, "File header invalid: " + path + " (" + why + ")");
  };
  if (magic != kBibleMagic)
    return Status::Error(ErrorKind::kCreate, "File header invalid: " + magic.substr(0, 5));
  if (verse_count != kVerseCount) return invalid("verse count " + std::to_string(verse_count));
  if (book_count < 1 || book_count > kBookCount)
    return invalid("book count " + std::to_string(book_count));
  if (!FitsIn(verse_table, uint64_t{verse_count} * kBibleVerseRecordSize, file_size))
    return invalid("verse table outside the file");
  if (word_count > 0 && !FitsIn(word_index, uint64_t{word_count} * kVerseListRecordSize, file_size))
    return invalid("word index outside the file");
  if (has_strongs) {
    if (!FitsIn(hebrew_index, uint64_t{kHebrewStrongsCount} * kVerseListRecordSize, file_size))
      return invalid("Hebrew Strong's index outside the file");
    if (!FitsIn(greek_index, uint64_t{kGreekStrongsCount} * kVerseListRecordSize, file_size))
      return invalid("Greek Strong's index outside the file");
  }
  if (!FitsIn(short_titles, short_titles_size, file_size) ||
      !FitsIn(long_titles, long_titles_size, file_size))
    return invalid("title list outside the file");
  if (!FitsIn(word_list, word_list_size, file_size)) return invalid("word list outside the file");
  return Status::Ok();
}

BibleVerseRecord BibleVerseRecord::DecodeFrom(const uint8_t* b) {
  BibleVerseRecord r;
  r.offset = LoadI32(b);
  r.size = LoadU16(b + 4);
  r.book = b[6];
  r.chapter = b[7];
  r.verse = b[8];
  return r;
}

void BibleVerseRecord::AppendTo(std::string& out) const {
  AppendU32(out, static_cast<uint32_t>(offset));
  AppendU16(out, size);
  out.push_back(static_cast<char>(book));
  out.push_back(static_cast<char>(chapter));
  out.push_back(static_cast<char>(verse));
}

}  // namespace lumora
