// The Books, Commentaries and Strong's data imported from Debian's packages,
// read through the module classes, and the library's own check.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/catalogue/module_catalogue.h"
#include "core/codec/base205.h"
#include "core/codec/inflaters.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/strongs_data.h"
#include "core/modules/verse_text_codec.h"
#include "core/text/cp1252.h"
#include "tests/library/library_fixture.h"
#include "tools/builder/kjv_versification.h"
#include "tools/cli/check_command.h"

namespace lumora {
namespace {

using builder::KjvVerseIndex;

std::string PathIn(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).string();
}

std::unique_ptr<TLMDictionaryModule> OpenBook(const std::string& folder, const std::string& name) {
  auto book = TLMDictionaryModule::Create(PathIn(folder, "Books/" + name));
  EXPECT_TRUE(book.ok()) << book.status().message();
  return book.ok() ? std::move(book).value() : nullptr;
}

std::unique_ptr<TLMCommentaryModule> OpenCommentary(const std::string& folder,
                                                    const std::string& name) {
  auto c = TLMCommentaryModule::Create(PathIn(folder, "Commentaries/" + name));
  EXPECT_TRUE(c.ok()) << c.status().message();
  return c.ok() ? std::move(c).value() : nullptr;
}

// Strong's numbers of a verse as the Bible reader writes them out: byte 2
// (Hebrew) or 3 (Greek), "$" and four hex digits.
std::vector<int> StrongsNumbers(const std::string& text, char kind) {
  std::vector<int> numbers;
  for (size_t i = text.find(kind); i != std::string::npos; i = text.find(kind, i + 1))
    if (i + 6 <= text.size() && text[i + 1] == '$')
      numbers.push_back(std::stoi(text.substr(i + 2, 4), nullptr, 16));
  return numbers;
}

// Every verse the 0x05 lists of an entry name.
std::vector<int> ListedVerses(const std::string& text) {
  std::vector<int> verses;
  for (size_t s = text.find('\x05'); s != std::string::npos; s = text.find('\x05', s + 1)) {
    const size_t e = text.find('\x08', s);
    if (e == std::string::npos) break;
    for (const TVerseRange& r : DecodeVerseRanges(text.substr(s + 1, e - s - 1)))
      for (int v = r.first; v <= r.last; ++v) verses.push_back(v);
  }
  return verses;
}

bool Contains(const std::vector<int>& list, int value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

TEST(RealLibrary, CheckPassesOnEveryModule) {
  LUMORA_REQUIRE_LIBRARY(folder);
  std::ostringstream out;
  EXPECT_EQ(cli::RunCheckCommand(folder, out), 0) << out.str();
  for (const char* file :
       {"Books/StrHeb.lmk", "Books/StrGrk.lmk", "Books/Naves.lmk", "Commentaries/Scofield.lmc",
        "Commentaries/TDavid.lmc", "Commentaries/MHCC.lmc", "Commentaries/SME.lmc", "stgdat.lm4"})
    EXPECT_NE(out.str().find(std::string("ok\t") + file + "\t"), std::string::npos) << file;
}

TEST(RealLibrary, CatalogueLoadsEveryModuleWithoutSkipping) {
  LUMORA_REQUIRE_LIBRARY(folder);
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(folder).ok());
  EXPECT_TRUE(catalogue.SkippedFiles().empty());
  EXPECT_EQ(catalogue.Books().size(), 3u);
  // Scofield, TDavid, MHCC and the synthetic devotional SME.
  EXPECT_EQ(catalogue.Commentaries().size(), 4u);
}

TEST(RealLibrary, John316GreekNumbersOpenTheirLexiconEntries) {
  LUMORA_REQUIRE_LIBRARY(folder);
  auto kjv = TLMBibleModule::Create(PathIn(folder, "Bibles/KJV.lmb"));
  ASSERT_TRUE(kjv.ok());
  const std::vector<int> numbers =
      StrongsNumbers((*kjv)->GetVerseText(KjvVerseIndex(43, 3, 16), true, false), '\x03');
  EXPECT_TRUE(Contains(numbers, 25));    // agapao, "loved"
  EXPECT_TRUE(Contains(numbers, 2316));  // theos, "God"
  auto greek = OpenBook(folder, "StrGrk.lmk");
  ASSERT_TRUE(greek);
  for (const int n : numbers) {
    SCOPED_TRACE(n);
    const std::string& title = greek->EntryTitles()[static_cast<size_t>(n - 1)];
    EXPECT_EQ(std::stoi(title.substr(0, 4)), n);
    EXPECT_EQ(greek->GetEntryText(n - 1).front(), '\x02');  // opens with the word in Greek
  }
}

TEST(RealLibrary, Genesis11BeginningIsHebrew7225AndItsLexiconArticle) {
  LUMORA_REQUIRE_LIBRARY(folder);
  auto kjv = TLMBibleModule::Create(PathIn(folder, "Bibles/KJV.lmb"));
  ASSERT_TRUE(kjv.ok());
  const std::string genesis = (*kjv)->GetVerseText(1, true, false);
  EXPECT_NE(genesis.find("beginning\x02$1c39"), std::string::npos) << genesis;
  const std::vector<int> numbers = StrongsNumbers(genesis, '\x02');
  EXPECT_TRUE(Contains(numbers, 430));  // Elohim

  auto hebrew = OpenBook(folder, "StrHeb.lmk");
  ASSERT_TRUE(hebrew);
  ASSERT_EQ(hebrew->EntryCount(), 8674);
  EXPECT_EQ(hebrew->GetModuleCode(), "StrHeb");
  EXPECT_EQ(hebrew->EntryTitles()[7224].substr(0, 5), "7225 ");
  const std::string article = hebrew->GetEntryText(7224);
  // resh alef shin yod tav in the Basic Hebrew layout, then the
  // transliteration and the KJV renderings.
  EXPECT_EQ(article.substr(0, 7), "\x01\xF8\xE0\xF9\xE9\xFA\x08") << article;
  EXPECT_NE(article.find("r\xEA'sh\xEEyth"), std::string::npos);
  EXPECT_NE(article.find("beginning"), std::string::npos);
  EXPECT_NE(article.find("\x03"
                         "7218\x08"),
            std::string::npos);  // "from the same as 7218"

  auto data = TLMStrongsDataModule::Create(PathIn(folder, kStrongsDataFileName));
  ASSERT_TRUE(data.ok()) << data.status().message();
  EXPECT_EQ((*data)->GetStrongsString(StrongsLanguage::kHebrew, 7225, StrongsField::kWord),
            "\xF8\xE0\xF9\xE9\xFA");
  EXPECT_EQ(
      (*data)->GetStrongsString(StrongsLanguage::kHebrew, 7225, StrongsField::kTransliteration),
      "r\xEA'sh\xEEyth");
  EXPECT_EQ((*data)->GetStrongsString(StrongsLanguage::kHebrew, 7225, StrongsField::kPronunciation),
            "ray-sheeth'");
}

TEST(RealLibrary, GreekEntry25IsAgape) {
  LUMORA_REQUIRE_LIBRARY(folder);
  auto greek = OpenBook(folder, "StrGrk.lmk");
  ASSERT_TRUE(greek);
  ASSERT_EQ(greek->EntryCount(), 5624);
  EXPECT_EQ(greek->GetModuleCode(), "StrGrk");
  EXPECT_EQ(greek->EntryTitles()[25].substr(0, 5), "0026 ");
  const std::string agape = greek->GetEntryText(25);
  EXPECT_EQ(agape.substr(0, 7),
            "\x02"
            "agaph\x08")
      << agape;
  EXPECT_NE(agape.find("love-feast"), std::string::npos);
  EXPECT_NE(agape.find("\x04"
                       "25\x08"),
            std::string::npos);  // "from 25"
  auto data = TLMStrongsDataModule::Create(PathIn(folder, kStrongsDataFileName));
  ASSERT_TRUE(data.ok());
  EXPECT_EQ((*data)->GetStrongsString(StrongsLanguage::kGreek, 26, StrongsField::kWord), "agaph");
  EXPECT_EQ((*data)->GetStrongsString(StrongsLanguage::kGreek, 26, StrongsField::kPronunciation),
            "ag-ah'-pay");
}

TEST(RealLibrary, NavesAaronListsExodus623AndTheIndexFindsIt) {
  LUMORA_REQUIRE_LIBRARY(folder);
  auto naves = OpenBook(folder, "Naves.lmk");
  ASSERT_TRUE(naves);
  EXPECT_EQ(naves->GetModuleCode(), "NVCX");
  const int aaron = naves->FindTitle("AARON");
  ASSERT_GE(aaron, 0);
  const int ex6_23 = KjvVerseIndex(2, 6, 23);
  EXPECT_TRUE(Contains(ListedVerses(naves->GetEntryText(aaron)), ex6_23));
  const TEntryIndex entries = naves->GetVerseEntries(ex6_23 - 1);
  EXPECT_NE(std::find(entries.begin(), entries.end(), aaron), entries.end());
  // "See" references lead to other topics by entry number.
  const int abijah = naves->FindTitle("ABIJAH");
  ASSERT_GE(abijah, 0);
  EXPECT_NE(naves->GetEntryText(abijah).find('\x06'), std::string::npos);
}

TEST(RealLibrary, TreasuryOfDavidHasPsalm23ByVerse) {
  LUMORA_REQUIRE_LIBRARY(folder);
  auto tdavid = OpenCommentary(folder, "TDavid.lmc");
  ASSERT_TRUE(tdavid);
  const int ps23_1 = KjvVerseIndex(19, 23, 1);
  ASSERT_TRUE(tdavid->HasEntry(ps23_1 - 1));
  const std::string first = tdavid->GetEntryText(ps23_1 - 1);
  EXPECT_NE(first.find("The Lord is my shepherd"), std::string::npos);
  EXPECT_NE(first.find("EXPOSITION"), std::string::npos);
  for (int v = 2; v <= 6; ++v) {
    SCOPED_TRACE(v);
    EXPECT_TRUE(tdavid->HasEntry(ps23_1 + v - 2));
  }
  EXPECT_NE(tdavid->GetEntryText(ps23_1).find("Verse 2."), std::string::npos);
}

TEST(RealLibrary, RangeCommentsAndNoteLinks) {
  LUMORA_REQUIRE_LIBRARY(folder);
  auto mhcc = OpenCommentary(folder, "MHCC.lmc");
  ASSERT_TRUE(mhcc);
  // Henry comments on Genesis 1:1-2 at once: verse 2 leads to verse 1.
  EXPECT_NE(mhcc->GetEntryText(0).find("Genesis"), std::string::npos);
  EXPECT_EQ(mhcc->GetEntryText(1), std::string("See \x0E") + '0' + '1');
  auto scofield = OpenCommentary(folder, "Scofield.lmc");
  ASSERT_TRUE(scofield);
  size_t note_links = 0, verse_lists = 0;
  for (int s = 0; s < 31102; ++s) {
    if (!scofield->HasEntry(s)) continue;
    const std::string text = scofield->GetEntryText(s);
    note_links += std::count(text.begin(), text.end(), '\x0E');
    verse_lists += std::count(text.begin(), text.end(), '\x05');
  }
  EXPECT_GT(note_links, 1000u);
  EXPECT_GT(verse_lists, 3000u);
}

// Every verse of every sample Bible read through GetVerseText, with the fast
// inflater reading records in place and the one-pass decoder, against zlib
// and the passes one after the other on the record as stored.
TEST(RealLibrary, EveryVerseReadsAsZlibAndThePassesInTurnGiveIt) {
  LUMORA_REQUIRE_LIBRARY(folder);
  // The files as stored, read before the catalogue maps them: on Windows a
  // mapped module cannot be opened a second time.
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(PathIn(folder, "Bibles"))) {
    std::ifstream in(entry.path(), std::ios::binary);
    ASSERT_TRUE(in.is_open()) << entry.path();
    files[entry.path().filename().string()].assign(std::istreambuf_iterator<char>(in),
                                                   std::istreambuf_iterator<char>());
  }
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(folder).ok());
  ASSERT_GE(catalogue.Bibles().size(), 3u);
  for (const auto& bible : catalogue.Bibles()) {
    const std::string& file = files[std::filesystem::path(bible->FileName()).filename().string()];
    ASSERT_GT(file.size(), kBibleHeaderSize) << bible->FileName();
    const auto* base = reinterpret_cast<const uint8_t*>(file.data());
    const PackedStrings& words = bible->Words();
    int compared = 0;
    for (int i = 1; i <= bible->VerseCount(); ++i) {
      const BibleVerseRecord r = BibleVerseRecord::DecodeFrom(
          base + bible->Header().verse_table + size_t(i - 1) * kBibleVerseRecordSize);
      if (r.offset < 0 || r.size == 0) continue;
      Result<std::string> raw = inflaters::InflateWithZlib(base + r.offset, r.size,
                                                           kDefaultInflateLimit);
      ASSERT_TRUE(raw.ok()) << bible->GetAbbreviation() << " " << i;
      const std::string expanded = ExpandWordCodes(*raw, words).value();
      const std::string plain = bible->HasStrongs() ? RemoveStrongs(expanded) : expanded;
      const std::string tagged = bible->HasStrongs() ? WriteOutStrongs(expanded) : expanded;
      ASSERT_EQ(bible->GetVerseText(i, false, true), plain) << bible->GetAbbreviation() << " " << i;
      ASSERT_EQ(bible->GetVerseText(i, true, true), tagged) << bible->GetAbbreviation() << " " << i;
      ASSERT_EQ(bible->GetVerseText(i, false, false),
                bible->HasFootnotes() ? RemoveFootnotes(plain) : plain)
          << bible->GetAbbreviation() << " " << i;
      ++compared;
    }
    EXPECT_GT(compared, 30000) << bible->GetAbbreviation();
  }
}

}  // namespace
}  // namespace lumora
