// The real King James Version imported from Debian's package.
#include <gtest/gtest.h>

#include <random>

#include "core/catalogue/module_catalogue.h"
#include "core/modules/bible_mapping_cache.h"
#include "core/refs/paragraph_map.h"
#include "tests/library/library_fixture.h"
#include "tests/support/temp_folder.h"

namespace lumora {
namespace {

constexpr int kJohn3_16 = 26137;

class RealLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override { BibleMappingCache::Instance().Clear(); }
};

TEST_F(RealLibraryTest, CatalogueLoadsTheSampleBiblesInOrder) {
  LUMORA_REQUIRE_LIBRARY(folder);
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(folder).ok());
  ASSERT_GE(catalogue.Bibles().size(), 2u);
  EXPECT_EQ(catalogue.Bibles()[0]->GetAbbreviation(), "KJV");
  EXPECT_EQ(catalogue.Bibles()[1]->GetAbbreviation(), "KJVSL");
  EXPECT_TRUE(catalogue.SkippedFiles().empty());
  for (const auto& bible : catalogue.Bibles()) EXPECT_EQ(bible->VerseCount(), 31102);
}

TEST_F(RealLibraryTest, John316PlainAndWithStrongs) {
  LUMORA_REQUIRE_LIBRARY(folder);
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(folder).ok());
  const TLMBibleModule& kjv = *catalogue.KjvBible();
  EXPECT_EQ(kjv.LocateVerse(43, 3, 16), kJohn3_16);
  EXPECT_EQ(kjv.GetVerseText(kJohn3_16, false, false),
            "For God so loved the world, that he gave his only begotten Son, that whosoever "
            "believeth in him should not perish, but have everlasting life.");
  const std::string strongs = kjv.GetVerseText(kJohn3_16, true, false);
  EXPECT_NE(strongs.find("loved\x03$0019"), std::string::npos) << strongs;  // G25 agapao
  EXPECT_NE(strongs.find("God\x03$090c"), std::string::npos) << strongs;   // G2316 theos
  const std::string genesis = kjv.GetVerseText(1, true, false);
  EXPECT_NE(genesis.find("beginning\x02$1c39"), std::string::npos) << genesis;  // H7225
  EXPECT_EQ(kjv.GetShortBookTitle(43).substr(0, 3), "Joh");
  EXPECT_EQ(kjv.GetLongBookTitle(43), "John");
  EXPECT_GT(kjv.GreekVerses(25).size(), 100u);
  EXPECT_GT(kjv.HebrewVerses(7225).size(), 40u);
  const int god = kjv.FindWord("god");
  ASSERT_GE(god, 0);
  EXPECT_GT(kjv.WordVerses(god).size(), 3000u);
}

TEST_F(RealLibraryTest, EveryVerseOfEveryBibleReads) {
  LUMORA_REQUIRE_LIBRARY(folder);
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(folder).ok());
  for (const auto& bible : catalogue.Bibles()) {
    int with_text = 0;
    for (int i = 1; i <= 31102; ++i) {
      const std::string text = bible->GetVerseText(i, true, true);
      ASSERT_EQ(text.find("[Non-fatal internal error"), std::string::npos)
          << bible->GetAbbreviation() << ' ' << i;
      with_text += text != "-";
    }
    EXPECT_GT(with_text, 31000) << bible->GetAbbreviation();
  }
}

TEST_F(RealLibraryTest, ParagraphMapMarksChapterStarts) {
  LUMORA_REQUIRE_LIBRARY(folder);
  Result<ParagraphMap> map =
      ParagraphMap::Load(DefaultFileSystem(), JoinPath(folder, kParagraphMapFileName));
  ASSERT_TRUE(map.ok()) << map.status().message();
  EXPECT_TRUE(map->StartsParagraph(1));
  int starts = 0;
  for (int i = 1; i <= 31102; ++i) starts += map->StartsParagraph(i);
  EXPECT_GT(starts, 1000);
  EXPECT_LT(starts, 31102);
}

// Truncated and bit-flipped copies of the real module: refused or read,
// never a crash.
TEST_F(RealLibraryTest, DamagedCopiesOfTheRealKjvNeverCrash) {
  LUMORA_REQUIRE_LIBRARY(folder);
  Result<std::string> good = DefaultFileSystem().ReadFile(JoinPath(JoinPath(folder, "Bibles"), "KJV.lmb"));
  ASSERT_TRUE(good.ok());
  test::TempFolder dir;
  const std::string path = dir.File("kjv.lmb");
  std::mt19937 rng(99);
  for (int round = 0; round < 60; ++round) {
    std::string bytes = *good;
    if (round % 2 == 0) {
      bytes.resize(rng() % bytes.size());
    } else {
      const size_t limit = round % 4 == 1 ? 400000 : bytes.size();
      for (int k = 0; k < 8; ++k) bytes[rng() % limit] ^= static_cast<char>(1u << (rng() % 8));
    }
    ASSERT_TRUE(DefaultFileSystem().WriteFile(path, bytes).ok());
    Result<std::unique_ptr<TLMBibleModule>> r = TLMBibleModule::Create(path);
    if (!r.ok()) continue;
    for (int i = 1; i <= 31102; i += 17) (void)(*r)->GetVerseText(i, true, true);
    for (int b = 1; b <= 66; ++b) (void)(*r)->GetLongBookTitle(b);
    (void)(*r)->LocateVerse(43, 3, 16);
  }
}

}  // namespace
}  // namespace lumora
