#include "tests/render/passage_fixture.h"

#include <map>

#include "core/codec/base205.h"
#include "core/modules/bible_header.h"
#include "tests/support/test_bible.h"
#include "tools/builder/entry_builders.h"

namespace lumora::test {
namespace {

std::string H(int n) { return builder::StrongsToken(true, n); }

// Only Genesis 1 and 2 carry text (the rest reads "-"): building is quick.
void KeepGenesisOneAndTwo(builder::BibleSource& s) {
  for (size_t i = 60; i < s.verses.size(); ++i) s.verses[i].reset();
}

builder::BibleSource MainSource() {
  builder::BibleSource s = MakeTestBible("TST");
  KeepGenesisOneAndTwo(s);
  auto set = [&](int v, std::string text) { s.verses[static_cast<size_t>(v - 1)] = text; };
  set(kStrongsVerse, "In the beginning" + H(7225) + " God" + H(430) + " created the heaven.");
  set(kLoveVerse, "love beloved love. Lovely love");
  set(kFootnoteVerse, "word {note one} more {note two}end");
  set(kItalicVerse, "he [was] good");
  set(kSmallTextVerse, "<<Title>> text");
  std::string notes;
  for (int k = 0; k < 14; ++k) notes += "w{n" + std::to_string(k) + "} ";
  set(kFourteenNotes, notes);
  notes.clear();
  for (int k = 14; k < 27; ++k) notes += "w{n" + std::to_string(k) + "} ";
  set(kThirteenNotes, notes);
  set(kMarkupWordVerse, "x" + H(1) + " [y] {z}");
  set(kBadTokenVerse, "big" + H(9000) + " end");
  set(kBlankNoteVerse, "one {gone} two");
  set(kHoleByteVerse, "odd\x01 byte" + H(1) + " here");
  set(kCaretVerse, "a^b ^^");
  return s;
}

std::unique_ptr<TLMBibleModule> Open(MemoryFileSystem& fs, const std::string& path) {
  Result<std::unique_ptr<TLMBibleModule>> b = TLMBibleModule::Create(path, fs);
  EXPECT_TRUE(b.ok()) << b.status().message();
  return b.ok() ? std::move(b).value() : nullptr;
}

std::string VerseList(int first, int last) {
  return "\x05" + EncodeVerseRanges({{first, last}}) + "\x08";
}

void Build(PassageLibrary& lib) {
  const Result<std::string> main = builder::BuildBibleModule(MainSource());
  ASSERT_TRUE(main.ok()) << main.status().message();
  lib.fs.SetFile("/lib/TST.lmb", *main);
  lib.bible = Open(lib.fs, "/lib/TST.lmb");
  lib.strongs_links = Open(lib.fs, "/lib/TST.lmb");
  lib.strongs_links->MakeStrongsLinksTwin("TST Test Bible with Strong's Links", "TSTSL");

  std::string damaged = *main;
  const BibleHeader header =
      BibleHeader::DecodeFrom(reinterpret_cast<const uint8_t*>(damaged.data()));
  const BibleVerseRecord rec = BibleVerseRecord::DecodeFrom(
      reinterpret_cast<const uint8_t*>(damaged.data()) + header.verse_table +
      9 * (kDamagedVerse - 1));
  for (uint16_t k = 2; k < rec.size; ++k) damaged[static_cast<size_t>(rec.offset) + k] ^= 0x33;
  lib.fs.SetFile("/lib/DMG.lmb", damaged);
  lib.damaged = Open(lib.fs, "/lib/DMG.lmb");

  builder::BibleSource cmp = MakeTestBible("CMP", false);
  cmp.has_brackets = false;
  cmp.has_font = true;
  cmp.font_name = "Fnt";
  KeepGenesisOneAndTwo(cmp);
  cmp.verses[0] = "Am Anfang {fn} schuf";
  const Result<std::string> cmp_bytes = builder::BuildBibleModule(cmp);
  ASSERT_TRUE(cmp_bytes.ok()) << cmp_bytes.status().message();
  lib.fs.SetFile("/lib/CMP.lmb", *cmp_bytes);
  lib.compare = Open(lib.fs, "/lib/CMP.lmb");

  std::vector<StrongsWord> hebrew(8674), greek(5624);
  hebrew[0].word = "a[b]{c}<d>&";
  hebrew[429].word = "'lhym";
  hebrew[7224].word = "ray";
  lib.fs.SetFile("/lib/stgdat.lm4", BuildStrongsDataFile(hebrew, greek));
  Result<std::unique_ptr<TLMStrongsDataModule>> strongs =
      TLMStrongsDataModule::Create("/lib/stgdat.lm4", lib.fs);
  ASSERT_TRUE(strongs.ok()) << strongs.status().message();
  lib.strongs = std::move(strongs).value();

  const std::map<std::string, std::vector<int>> commentaries = {
      {"CA", {1, 2}}, {"C&B", {1}}, {"CX", {1}}};
  for (const char* abbreviation : {"CA", "C&B", "CX"}) {
    builder::CommentarySource c;
    c.title = std::string(abbreviation) + " title";
    c.abbreviation = abbreviation;
    c.module_code = "TEST";
    c.slots.resize(31102);
    for (int v : commentaries.at(abbreviation)) c.slots[static_cast<size_t>(v - 1)] = "note";
    const Result<std::string> bytes = builder::BuildCommentaryModule(c);
    ASSERT_TRUE(bytes.ok()) << bytes.status().message();
    const std::string path = std::string("/lib/c") + std::to_string(lib.commentaries.size());
    lib.fs.SetFile(path, *bytes);
    auto module = TLMCommentaryModule::Create(path, lib.fs);
    ASSERT_TRUE(module.ok()) << module.status().message();
    lib.commentaries.push_back(std::move(module).value());
  }
  builder::BookSource b;
  b.title = "Book";
  b.abbreviation = "BK";
  b.module_code = "TEST";
  b.entries = {{"first", "see " + VerseList(1, 2)}, {"second", "none"}};
  const Result<std::string> book_bytes = builder::BuildBookModule(b);
  ASSERT_TRUE(book_bytes.ok()) << book_bytes.status().message();
  lib.fs.SetFile("/lib/BK.lmk", *book_bytes);
  auto book = TLMDictionaryModule::Create("/lib/BK.lmk", lib.fs);
  ASSERT_TRUE(book.ok()) << book.status().message();
  lib.books.push_back(std::move(book).value());

  std::string map(31102, '\0');
  for (int v : {kStrongsVerse, kFootnoteVerse, kSmallTextVerse}) map[static_cast<size_t>(v - 1)] = 1;
  lib.fs.SetFile("/lib/pmap.dat", map);
  Result<ParagraphMap> paragraphs = ParagraphMap::Load(lib.fs, "/lib/pmap.dat");
  ASSERT_TRUE(paragraphs.ok());
  lib.paragraphs = std::move(paragraphs).value();
}

}  // namespace

const PassageLibrary& Library() {
  // Never destroyed: the modules must not outlive the mapping cache.
  static PassageLibrary* lib = [] {
    auto* l = new PassageLibrary;
    Build(*l);
    return l;
  }();
  return *lib;
}

TPassageRenderer PlainRenderer(const TLMBibleModule* bible) {
  const PassageLibrary& lib = Library();
  TPassageRenderer r;
  r.SetBible(bible);
  r.SetStrongsData(lib.strongs.get());
  r.SetParagraphMap(&lib.paragraphs);
  r.SetLinkedCommentaries(lib.commentaries);
  r.SetLinkedBooks(lib.books);
  config::TPropertiesBibleView s;
  s.link_commentaries = s.link_dictionaries = s.show_edit_links = false;
  r.SetSettings(s);
  return r;
}

std::string Fmt(const std::string& format, const std::vector<std::string>& args) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == 'd')) {
      out += next < args.size() ? args[next++] : "<MISSING>";
      ++i;
    } else {
      out += format[i];
    }
  }
  EXPECT_EQ(next, args.size()) << format;
  return out;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

}  // namespace lumora::test
