#include "tools/builder/bible_builder.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "core/codec/base205.h"
#include "core/codec/compression.h"
#include "core/io/byte_io.h"
#include "core/modules/bible_header.h"
#include "core/modules/verse_text_codec.h"
#include "core/platform/file_system.h"
#include "core/refs/verse_index.h"
#include "core/text/comma_text.h"
#include "core/text/cp1252.h"
#include "tools/builder/kjv_versification.h"
#include "tools/builder/word_coder.h"

namespace lumora::builder {
namespace {

Status Invalid(const std::string& why) {
  return Status::Error(ErrorKind::kInvalidArgument, why);
}

struct StrongsRef {
  bool hebrew;
  int number;
};

// Turns written-out Strong's tokens into their stored form and collects the
// numbers. Refuses the word-code bytes and malformed tokens.
Result<std::string> ToStoredForm(std::string_view text, int verse,
                                 std::vector<StrongsRef>& refs) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == kWordCode1Byte || c == kWordCode2Byte)
      return Invalid("verse " + std::to_string(verse) + " holds a reserved byte 4 or 5");
    if (c != kHebrewStrongsByte && c != kGreekStrongsByte) {
      out += c;
      continue;
    }
    const int n = ParseWrittenStrongsToken(text, i);
    if (n < 1 || n >= kBase205 * kBase205)
      return Invalid("verse " + std::to_string(verse) + " holds a malformed Strong's token");
    refs.push_back({c == kHebrewStrongsByte, n});
    out += c;
    out += static_cast<char>(kBase205FirstDigit + n / kBase205);
    out += static_cast<char>(kBase205FirstDigit + n % kBase205);
    i += 5;
  }
  return out;
}

using VerseSet = std::vector<uint16_t>;  // 0-based verse indexes, ascending

void AddVerse(VerseSet& set, uint16_t verse0) {
  if (set.empty() || set.back() != verse0) set.push_back(verse0);
}

// Appends the verse-list records of `lists` (one per record) to `index`,
// their data to `data` (which starts at file offset `data_base`).
Status WriteIndex(const std::vector<const VerseSet*>& lists, std::string& index,
                  std::string& data, size_t data_base) {
  std::map<const VerseSet*, uint32_t> written;  // shared lists are stored once
  for (const VerseSet* list : lists) {
    uint32_t offset = 0;
    uint16_t count = 0;
    if (list != nullptr && !list->empty()) {
      if (list->size() > 0xFFFF) return Invalid("verse list too long");
      auto it = written.find(list);
      if (it == written.end()) {
        offset = static_cast<uint32_t>(data_base + data.size());
        for (uint16_t v : *list) AppendU16(data, v);
        written.emplace(list, offset);
      } else {
        offset = it->second;
      }
      count = static_cast<uint16_t>(list->size());
    }
    AppendU32(index, offset);
    AppendU16(index, count);
  }
  return Status::Ok();
}

Result<std::string> CompressList(const std::vector<std::string>& items, size_t max_size,
                                 const char* what) {
  if (items.empty()) return std::string();
  Result<std::string> packed = CompressString(FormatCommaText(items));
  if (!packed.ok()) return packed.status();
  if (packed->size() > max_size) return Invalid(std::string(what) + " too large");
  return packed;
}

}  // namespace

std::string StrongsToken(bool hebrew, int number) {
  return WrittenStrongsToken(hebrew ? kHebrewStrongsByte : kGreekStrongsByte, number);
}

Result<std::string> BuildBibleModule(const BibleSource& source, BibleBuildStats* stats) {
  if (source.verses.size() > static_cast<size_t>(kVerseCount))
    return Invalid("more verses than the versification holds");
  const auto& books = KjvBooks();
  std::vector<std::string> short_titles = source.short_titles;
  std::vector<std::string> long_titles = source.long_titles;
  if (short_titles.empty())
    for (const KjvBook& b : books) short_titles.push_back(b.short_title);
  if (long_titles.empty())
    for (const KjvBook& b : books) long_titles.push_back(b.long_title);

  // Stored texts, words and Strong's references of every verse.
  std::vector<std::optional<std::string>> stored(kVerseCount);
  // Hashed: the word order comes from sorting below, and tens of thousands
  // of spellings make an ordered map the slowest part of a build.
  std::unordered_map<std::string, VerseSet> word_verses;  // exact spelling -> verses
  std::vector<VerseSet> hebrew(kHebrewStrongsCount), greek(kGreekStrongsCount);
  size_t with_text = 0;
  for (size_t i = 0; i < source.verses.size(); ++i) {
    if (!source.verses[i]) continue;
    std::vector<StrongsRef> refs;
    Result<std::string> text = ToStoredForm(*source.verses[i], static_cast<int>(i + 1), refs);
    if (!text.ok()) return text.status();
    const auto verse0 = static_cast<uint16_t>(i);
    ForEachWord(*text, [&](size_t off, size_t len) {
      AddVerse(word_verses[text->substr(off, len)], verse0);
    });
    for (const StrongsRef& r : refs) {
      auto& lists = r.hebrew ? hebrew : greek;
      if (r.number <= static_cast<int>(lists.size())) AddVerse(lists[r.number - 1], verse0);
    }
    stored[i] = std::move(text).value();
    ++with_text;
  }

  // The word list in the one order the reader searches.
  std::vector<std::string> words;
  words.reserve(word_verses.size());
  for (const auto& entry : word_verses) words.push_back(entry.first);
  if (source.word_order)
    std::sort(words.begin(), words.end(), source.word_order);
  else
    std::sort(words.begin(), words.end(), cp1252::LessNoCaseThenBytes);
  if (words.size() > 0xFFFF) return Invalid("more than 65535 distinct words");
  std::unordered_map<std::string, int> position;
  position.reserve(words.size());
  for (size_t p = 0; p < words.size(); ++p) position[words[p]] = static_cast<int>(p);

  // Spellings that differ only in case share one verse list, so whichever
  // spelling a case-insensitive lookup lands on finds every verse.
  std::vector<VerseSet> groups;
  std::vector<const VerseSet*> word_lists(words.size());
  {
    std::vector<size_t> group_of(words.size());
    for (size_t p = 0; p < words.size(); ++p) {
      if (p == 0 || cp1252::CompareNoCase(words[p - 1], words[p]) != 0) groups.emplace_back();
      group_of[p] = groups.size() - 1;
      VerseSet merged;
      const VerseSet& mine = word_verses[words[p]];
      std::set_union(groups.back().begin(), groups.back().end(), mine.begin(), mine.end(),
                     std::back_inserter(merged));
      groups.back() = std::move(merged);
    }
    for (size_t p = 0; p < words.size(); ++p) word_lists[p] = &groups[group_of[p]];
  }

  // Verse texts with word codes, compressed.
  std::vector<std::string> packed(kVerseCount);
  size_t coded = 0;
  for (int i = 0; i < kVerseCount; ++i) {
    if (!stored[i]) continue;
    const std::string& text = *stored[i];
    std::string out;
    size_t last = 0;
    ForEachWord(text, [&](size_t off, size_t len) {
      const std::string code = WordCode(position[text.substr(off, len)], len);
      if (code.empty()) return;
      out.append(text, last, off - last);
      out += code;
      last = off + len;
      ++coded;
    });
    out.append(text, last, std::string::npos);
    if (out.empty()) continue;  // stored as an empty record
    Result<std::string> z = CompressString(out);
    if (!z.ok()) return z.status();
    if (z->size() > 0xFFFF) return Invalid("verse " + std::to_string(i + 1) + " too large");
    packed[i] = std::move(z).value();
  }

  Result<std::string> short_z = CompressList(short_titles, 0xFFFF, "short title list");
  if (!short_z.ok()) return short_z.status();
  Result<std::string> long_z = CompressList(long_titles, 0xFFFF, "long title list");
  if (!long_z.ok()) return long_z.status();
  Result<std::string> words_z = CompressList(words, 0xFFFFFFFF, "word list");
  if (!words_z.ok()) return words_z.status();

  // Layout: header, verse table, word index, Hebrew and Greek indexes,
  // verse-list data, title lists, word list, verse texts.
  BibleHeader h;
  h.title = source.title;
  h.abbreviation = source.abbreviation;
  h.book_count = static_cast<uint8_t>(source.header_book_count.value_or(kBookCount));
  h.verse_count = static_cast<uint16_t>(source.header_verse_count.value_or(kVerseCount));
  h.word_count = static_cast<uint16_t>(words.size());
  h.has_strongs = source.has_strongs;
  h.has_brackets = source.has_brackets;
  h.has_font = source.has_font;
  h.has_footnotes = source.has_footnotes;
  h.font_name = source.font_name;
  h.magic = kBibleMagic;

  const size_t table_at = kBibleHeaderSize;
  const size_t word_index_at = table_at + size_t{kVerseCount} * kBibleVerseRecordSize;
  const size_t hebrew_at = word_index_at + words.size() * kVerseListRecordSize;
  const size_t greek_at = hebrew_at + size_t{kHebrewStrongsCount} * kVerseListRecordSize;
  const size_t data_at = greek_at + size_t{kGreekStrongsCount} * kVerseListRecordSize;

  std::string indexes, data;
  if (Status s = WriteIndex(word_lists, indexes, data, data_at); !s.ok()) return s;
  std::vector<const VerseSet*> hebrew_lists, greek_lists;
  for (const VerseSet& v : hebrew) hebrew_lists.push_back(&v);
  for (const VerseSet& v : greek) greek_lists.push_back(&v);
  if (Status s = WriteIndex(hebrew_lists, indexes, data, data_at); !s.ok()) return s;
  if (Status s = WriteIndex(greek_lists, indexes, data, data_at); !s.ok()) return s;

  h.verse_table = static_cast<uint32_t>(table_at);
  h.word_index = static_cast<uint32_t>(word_index_at);
  h.hebrew_index = static_cast<uint32_t>(hebrew_at);
  h.greek_index = static_cast<uint32_t>(greek_at);
  size_t at = data_at + data.size();
  h.short_titles = static_cast<uint32_t>(at);
  h.short_titles_size = static_cast<uint16_t>(short_z->size());
  at += short_z->size();
  h.long_titles = static_cast<uint32_t>(at);
  h.long_titles_size = static_cast<uint16_t>(long_z->size());
  at += long_z->size();
  h.word_list = static_cast<uint32_t>(at);
  h.word_list_size = static_cast<uint32_t>(words_z->size());
  at += words_z->size();

  const auto& table = KjvVerseTable();
  std::string verse_table;
  verse_table.reserve(size_t{kVerseCount} * kBibleVerseRecordSize);
  for (int i = 0; i < kVerseCount; ++i) {
    BibleVerseRecord r;
    r.book = table[i].book;
    r.chapter = table[i].chapter;
    r.verse = table[i].verse;
    if (stored[i]) {
      r.offset = static_cast<int32_t>(at);
      r.size = static_cast<uint16_t>(packed[i].size());
      at += packed[i].size();
    }
    r.AppendTo(verse_table);
  }
  if (at > 0x7FFFFFFF) return Invalid("module larger than 2 GB");

  std::string file = h.Encode();
  file.reserve(at);
  file += verse_table;
  file += indexes;
  file += data;
  file += *short_z;
  file += *long_z;
  file += *words_z;
  for (const std::string& z : packed) file += z;

  if (stats != nullptr) {
    stats->file_size = file.size();
    stats->word_count = words.size();
    stats->coded_words = coded;
    stats->verses_with_text = with_text;
  }
  return file;
}

Status WriteBibleModule(const BibleSource& source, const std::string& path,
                        BibleBuildStats* stats) {
  Result<std::string> file = BuildBibleModule(source, stats);
  if (!file.ok()) return file.status();
  FileSystem& fs = DefaultFileSystem();
  const std::string temp = path + ".tmp";
  if (Status s = fs.WriteFile(temp, *file); !s.ok()) return s;
  return fs.Rename(temp, path);
}

Status WriteParagraphMap(const std::vector<uint8_t>& starts, const std::string& path) {
  if (starts.size() != static_cast<size_t>(kVerseCount))
    return Invalid("a paragraph map holds 31102 bytes");
  FileSystem& fs = DefaultFileSystem();
  const std::string temp = path + ".tmp";
  if (Status s = fs.WriteFile(temp, std::string(starts.begin(), starts.end())); !s.ok()) return s;
  return fs.Rename(temp, path);
}

}  // namespace lumora::builder
