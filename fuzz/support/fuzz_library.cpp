#include "fuzz/support/fuzz_library.h"

#include <cstdio>
#include <cstdlib>

#include "core/codec/base205.h"
#include "tools/builder/bible_builder.h"
#include "tools/builder/entry_builders.h"
#include "tools/builder/kjv_versification.h"

namespace lumora::fuzz {
namespace {

[[noreturn]] void TemplateFailed(const std::string& what) {
  std::fprintf(stderr, "fuzz templates: %s\n", what.c_str());
  std::abort();
}

template <typename T>
T Built(Result<T> result, const char* what) {
  if (!result.ok()) TemplateFailed(std::string(what) + ": " + result.status().message());
  return std::move(result).value();
}

std::string H(int n) { return builder::StrongsToken(true, n); }
std::string G(int n) { return builder::StrongsToken(false, n); }

// Base-205 verse-range list markup of the entry formats.
std::string VerseList(const TVerseRangeList& ranges) {
  return "\x05" + EncodeVerseRanges(ranges) + "\x08";
}

std::string CommentaryLink(int verse) {
  std::string digits = EncodeBase205(verse);
  while (digits.size() < 2) digits.insert(digits.begin(), static_cast<char>(kBase205FirstDigit));
  return "\x0E" + digits;
}

// A verse text with every kind of verse markup spread over the chapter:
// Strong's tokens, "[" "]" words, "{" "}" notes and "<<" ">>" small text.
std::string VerseText(int verse, bool strongs, bool hebrew) {
  static const char* const kWords[] = {"and", "the", "LORD", "said", "unto", "Moses", "God",
                                       "light", "beginning", "love", "world", "Beth-el"};
  std::string text;
  if (verse % 9 == 0) text += "<<Title " + std::to_string(verse) + ">> ";
  for (int k = 0; k < 7; ++k) {
    if (k) text += ' ';
    const char* word = kWords[(verse * 5 + k * 3) % 12];
    if (k == 3 && verse % 3 == 0)
      text += std::string("[") + word + "]";
    else
      text += word;
    if (strongs && k % 3 == 1)
      text += hebrew ? H(1 + (verse * 7 + k) % 12) : G(1 + (verse * 11 + k) % 30);
  }
  if (verse % 4 == 1) text += " {Or, " + std::string(kWords[verse % 12]) + "}";
  text += '.';
  return text;
}

builder::BibleSource BibleSourceWithText(const std::string& abbreviation, bool strongs) {
  builder::BibleSource s;
  s.title = abbreviation + " Fuzz Bible";
  s.abbreviation = abbreviation;
  s.has_strongs = strongs;
  s.has_brackets = strongs;
  s.has_footnotes = true;
  s.verses.resize(builder::KjvVerseTable().size());
  for (int v = kFirstTextVerse; v <= kLastGenesisVerse; ++v)
    s.verses[static_cast<size_t>(v - 1)] = VerseText(v, strongs, true);
  for (int v = kFirstJohnVerse; v <= kLastJohnVerse; ++v)
    s.verses[static_cast<size_t>(v - 1)] = VerseText(v, strongs, false);
  if (strongs) {
    s.verses[0] = "In the beginning" + H(7225) + " God" + H(430) +
                  " created the heaven and the earth.";
    s.verses[26137 - 1] = "For God" + G(2316) + " so loved" + G(25) +
                          " the world, that he gave his only begotten Son, {Or, be lost} "
                          "that whosoever believeth in him should not perish, but have "
                          "[everlasting] life.";
  }
  return s;
}

std::vector<StrongsWord> StrongsWords(size_t count, bool hebrew) {
  std::vector<StrongsWord> words(count);
  for (size_t n = 1; n <= 40 && n <= count; ++n)
    words[n - 1] = {hebrew ? "'b" + std::to_string(n) : "agaph" + std::to_string(n),
                    hebrew ? "'ab" : "agape", hebrew ? "awb" : "ag-ah'-pay"};
  if (hebrew) {
    words[429] = {"'lhym", "'elohiym", "el-o-heem'"};
    words[7224] = {"tyvar", "re'shiyth", "ray-sheeth'"};
  } else {
    words[2315] = {"qeov", "theos", "theh'-os"};
  }
  return words;
}

builder::BookSource StrongsBook(bool hebrew) {
  builder::BookSource b;
  b.title = hebrew ? "Fuzz Hebrew Lexicon" : "Fuzz Greek Lexicon";
  b.abbreviation = hebrew ? "FZH" : "FZG";
  b.module_code = hebrew ? "StrHeb" : "StrGrk";
  for (int n = 1; n <= 12; ++n) {
    char title[8];
    std::snprintf(title, sizeof title, "%05d", n);
    std::string text = "<b>" + std::to_string(n) + "</b> ";
    text += hebrew ? "\x01'ab\x08" : "\x02" "agaph\x08";
    text += " <i>awb</i>; from \x03" + std::to_string(n + 1) + "\x08; father &amp; son<p>";
    text += "see " + VerseList({{n, n + 2}}) + "<br>See Greek \x04" + std::to_string(n) +
            "\x08 &lt;more&gt;";
    b.entries.push_back({title, text});
  }
  return b;
}

builder::BookSource EntryBook() {
  builder::BookSource b;
  b.title = "Fuzz Topics";
  b.abbreviation = "FZK";
  b.module_code = "NVCX";
  b.entries = {
      {"Aaron", "<p>Brother of \x06$3\x08: " + VerseList({{1, 1}, {3, 3}, {35, 37}}) +
                    " and " + CommentaryLink(26137) + "."},
      {"Beginning", "In the beginning " + VerseList({{1, 31}, {26122, 26124}}) +
                        " \x01" "br'shyt\x08 \x03" "7225\x08"},
      {"Love", "<b>Love</b> of God " + VerseList({{26137, 26137}}) + " \x04" "2316\x08 \x02qeov\x08"},
      {"Moses", "See \x06$0\x08 and \x06$1\x08; " + VerseList({{1533, 1534}}) +
                    " &#8209; <a href=\"http://example.org\">web</a>"},
      {"Nothing", ""},
      {"World", "The world " + VerseList({{26137, 26140}, {31102, 31102}}) + " " +
                    CommentaryLink(1)},
  };
  builder::SortBookEntries(b);
  return b;
}

builder::CommentarySource EntryCommentary() {
  builder::CommentarySource c;
  c.title = "Fuzz Commentary";
  c.abbreviation = "FZM";
  c.module_code = "TEST";
  c.slots.resize(31102);
  for (int v = 1; v <= 5; ++v)
    c.slots[static_cast<size_t>(v - 1)] =
        "Verse " + std::to_string(v) + ": compare " + VerseList({{v + 1, v + 3}}) + " and " +
        CommentaryLink(v + 1) + " \x06$" + std::to_string(v) + "\x08";
  c.slots[26137 - 1] = "<b>God so loved</b> " + VerseList({{26137, 26138}, {1, 1}}) +
                       " \x04" "2316\x08";
  return c;
}

TemplateFiles BuildTemplates() {
  TemplateFiles t;
  t.bible = Built(builder::BuildBibleModule(BibleSourceWithText("FZB", true)), "Bible");
  builder::BibleSource compare = BibleSourceWithText("FZC", false);
  compare.has_font = true;
  compare.font_name = "Fnt";
  t.compare = Built(builder::BuildBibleModule(compare), "compare Bible");
  t.strongs = BuildStrongsDataFile(StrongsWords(kHebrewStrongsCount, true),
                                   StrongsWords(kGreekStrongsCount, false));
  t.hebrew_book = Built(builder::BuildBookModule(StrongsBook(true)), "Hebrew Book");
  t.greek_book = Built(builder::BuildBookModule(StrongsBook(false)), "Greek Book");
  t.book = Built(builder::BuildBookModule(EntryBook()), "Book");
  t.commentary = Built(builder::BuildCommentaryModule(EntryCommentary()), "Commentary");
  t.paragraphs.assign(31102, '\0');
  for (int v : {1, 3, 6, 32, 26122, 26137}) t.paragraphs[static_cast<size_t>(v - 1)] = 1;
  return t;
}

TemplateModules* OpenTemplates() {
  const TemplateFiles& t = Templates();
  auto* m = new TemplateModules;
  auto need = [](bool ok, const char* what) {
    if (!ok) TemplateFailed(std::string("cannot open the template ") + what);
  };
  m->bible = OpenBible(m->fs, "/lib/FZB.lmb", t.bible);
  need(m->bible != nullptr, "Bible");
  // The twin opens right after its Bible and shares the mapping.
  Result<std::unique_ptr<TLMBibleModule>> twin = TLMBibleModule::Create("/lib/FZB.lmb", m->fs);
  need(twin.ok(), "Strong's-links Bible");
  m->strongs_links = std::move(twin).value();
  m->strongs_links->MakeStrongsLinksTwin("FZB with Strong's Links", "FZBSL");
  m->compare = OpenBible(m->fs, "/lib/FZC.lmb", t.compare);
  need(m->compare != nullptr, "compare Bible");
  m->fs.SetFile("/lib/stgdat.lm4", t.strongs);
  Result<std::unique_ptr<TLMStrongsDataModule>> strongs =
      TLMStrongsDataModule::Create("/lib/stgdat.lm4", m->fs);
  need(strongs.ok(), "Strong's data");
  m->strongs = std::move(strongs).value();
  m->hebrew_book = OpenBook(m->fs, "/lib/FZH.lmk", t.hebrew_book);
  m->greek_book = OpenBook(m->fs, "/lib/FZG.lmk", t.greek_book);
  m->book = OpenBook(m->fs, "/lib/FZK.lmk", t.book);
  m->commentary = OpenCommentary(m->fs, "/lib/FZM.lmc", t.commentary);
  need(m->hebrew_book && m->greek_book && m->book && m->commentary, "Books and Commentary");
  m->fs.SetFile("/lib/pmap.dat", t.paragraphs);
  Result<ParagraphMap> map = ParagraphMap::Load(m->fs, "/lib/pmap.dat");
  need(map.ok(), "paragraph map");
  m->paragraphs = std::move(map).value();
  return m;
}

}  // namespace

const TemplateFiles& Templates() {
  static const TemplateFiles* files = new TemplateFiles(BuildTemplates());
  return *files;
}

const TemplateModules& Modules() {
  static const TemplateModules* modules = OpenTemplates();
  return *modules;
}

std::unique_ptr<TLMBibleModule> OpenBible(MemoryFileSystem& fs, const std::string& path,
                                          const std::string& bytes) {
  fs.SetFile(path, bytes);
  Result<std::unique_ptr<TLMBibleModule>> m = TLMBibleModule::Create(path, fs);
  return m.ok() ? std::move(m).value() : nullptr;
}

std::unique_ptr<TLMDictionaryModule> OpenBook(MemoryFileSystem& fs, const std::string& path,
                                              const std::string& bytes,
                                              const std::string& user_folder) {
  fs.SetFile(path, bytes);
  Result<std::unique_ptr<TLMDictionaryModule>> m = TLMDictionaryModule::Create(path, fs, user_folder);
  return m.ok() ? std::move(m).value() : nullptr;
}

std::unique_ptr<TLMCommentaryModule> OpenCommentary(MemoryFileSystem& fs, const std::string& path,
                                                    const std::string& bytes,
                                                    const std::string& user_folder) {
  fs.SetFile(path, bytes);
  Result<std::unique_ptr<TLMCommentaryModule>> m =
      TLMCommentaryModule::Create(path, fs, user_folder);
  return m.ok() ? std::move(m).value() : nullptr;
}

}  // namespace lumora::fuzz
