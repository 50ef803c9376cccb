#include "tests/render/export_fixture.h"

#include <gtest/gtest.h>

#include "core/codec/compression.h"
#include "tests/support/test_bible.h"
#include "tools/builder/entry_builders.h"
#include "tools/builder/kjv_versification.h"

namespace lumora::test {
namespace {

template <typename Module>
std::unique_ptr<Module> Open(MemoryFileSystem& fs, const std::string& path,
                             const std::string& bytes) {
  fs.SetFile(path, bytes);
  auto m = Module::Create(path, fs);
  EXPECT_TRUE(m.ok()) << m.status().message();
  return m.ok() ? std::move(m).value() : nullptr;
}

std::string Built(const Result<std::string>& bytes) {
  EXPECT_TRUE(bytes.ok()) << bytes.status().message();
  return bytes.ok() ? bytes.value() : std::string();
}

const std::string kDamagedText(400, 'm');

void Build(ExportLibrary& lib) {
  lib.source = MakeTestBible("KJV");
  lib.source.verses[kBadStrongsVerse - 1] = "void" + builder::StrongsToken(true, 9999) + " deep";
  lib.source.verses[kSmallTextVerse - 1] = "a <<small [words]>> b";
  lib.source.verses[kMarkupWordVerse - 1] = "w" + builder::StrongsToken(true, 1);
  lib.source.verses[kVerseLinkVerse - 1] = "day {<a href=\"lp:2\">Ge 1:2</a>} night";
  const std::string bible = Built(builder::BuildBibleModule(lib.source));
  lib.kjv = Open<TLMBibleModule>(lib.fs, "/lib/KJV.lmb", bible);
  lib.kjvsl = Open<TLMBibleModule>(lib.fs, "/lib/KJV.lmb", bible);
  lib.kjvsl->MakeStrongsLinksTwin("KJV Test Bible with Strong's Links", "KJVSL");

  builder::BibleSource font = MakeTestBible("FNT", false);
  font.has_font = true;
  font.font_name = "Fnt";
  lib.font_bible =
      Open<TLMBibleModule>(lib.fs, "/lib/FNT.lmb", Built(builder::BuildBibleModule(font)));

  std::vector<StrongsWord> hebrew(8674), greek(5624);
  hebrew[0] = {"a[b]{c}>", "x[y]", "z"};
  hebrew[7224] = {"tyvar", "re'shiyth", "ray-sheeth'"};
  greek[2315] = {"qeoj", "theos", "theh'-os"};
  greek[24] = {"agapaw", "agapao", "ag-ap-ah'-o"};
  lib.strongs =
      Open<TLMStrongsDataModule>(lib.fs, "/lib/stgdat.lm4", BuildStrongsDataFile(hebrew, greek));

  builder::BookSource book{"Test Book", "TB", "TB", {}};
  book.entries = {{"Aaron", "Aaron<p>the priest"},
                  {"Abel", "Abel text"},
                  {"Mid", kDamagedText},
                  {"Zion", "Zion text"}};
  const std::string book_bytes = Built(builder::BuildBookModule(book));
  lib.book = Open<TLMDictionaryModule>(lib.fs, "/lib/TB.lmk", book_bytes);
  // Damage the middle of one entry's compressed text.
  std::string damaged = book_bytes;
  const std::string record = Built(CompressString(kDamagedText));
  const size_t at = damaged.find(record);
  EXPECT_NE(at, std::string::npos);
  if (at != std::string::npos)
    for (size_t k = 2; k + 4 < record.size(); ++k) damaged[at + k] ^= 0x5A;
  lib.damaged_book = Open<TLMDictionaryModule>(lib.fs, "/lib/DMG.lmk", damaged);

  builder::CommentarySource comments{"Test Commentary", "Tc", "TC", {}};
  comments.slots.resize(kJohn3_16);
  comments.slots[kCommentedVerse - 1] = "On the deep";
  comments.slots[kJohn3_16 - 1] = "On love";
  lib.commentary = Open<TLMCommentaryModule>(lib.fs, "/lib/TC.lmc",
                                             Built(builder::BuildCommentaryModule(comments)));
}

}  // namespace

const ExportLibrary& ExportModules() {
  static ExportLibrary lib;
  static const bool built = (Build(lib), true);
  (void)built;
  return lib;
}

std::string StoredVerse(int v) {
  return ExportModules().source.verses[static_cast<size_t>(v - 1)].value_or("");
}

int Verse(int book, int chapter, int verse) { return builder::KjvVerseIndex(book, chapter, verse); }

}  // namespace lumora::test
