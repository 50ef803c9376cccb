// What the sample library's import keeps of its Debian sources: headings and
// divine names the printed Bibles have, cross-reference notes, commentary
// introductions, and Strong's words without "?" for a letter.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/modules/bible_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/strongs_data.h"
#include "tests/library/library_fixture.h"
#include "tools/builder/kjv_versification.h"

namespace lumora {
namespace {

using builder::KjvVerseIndex;

std::string InLibrary(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).string();
}

enum class Where { kStarts, kEnds, kHolds };
constexpr Where kStarts = Where::kStarts, kEnds = Where::kEnds, kHolds = Where::kHolds;

TEST(RealImport, VersesKeepTheirHeadingsDivineNamesAndCrossReferences) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const struct {
    const char* bible;
    int book, chapter, verse;
    std::string expected;
    Where where;
  } kCases[] = {
      {"KJV", 19, 119, 1, "ALEPH. Blessed [are] the undefiled", kStarts},
      {"KJV", 19, 119, 169, "TAU. Let my cry come near", kStarts},
      {"KJV", 48, 6, 18, "Amen. Unto the Galatians written from Rome.", kEnds},
      {"KJV", 45, 16, 27, "Amen. Written to the Romans from Corinthus, [and sent] by Phebe",
       kHolds},
      {"KJV", 4, 23, 15, "while I meet [the LORD] yonder", kHolds},
      {"KJV", 19, 68, 4, "by his name JAH, and", kHolds},
      {"KJV", 19, 118, 23, "This is the LORD\x92S doing", kStarts},
      {"KJV", 19, 3, 1, "A Psalm of David, when he fled from Absalom his son. LORD,", kStarts},
      {"WEB", 22, 1, 2, "Beloved Let him kiss me", kStarts},
      {"WEB", 22, 2, 1, "Beloved I am a rose of Sharon", kStarts},  // from the chapter's intro
      {"WEB", 19, 42, 1, "BOOK 2 For the Chief Musician.", kStarts},
      {"WEB", 40, 4, 4,
       "{<a href=\"lp:" + std::to_string(KjvVerseIndex(5, 8, 3)) + "\">Deuteronomy 8:3</a>}",
       kEnds},
  };
  for (const auto& c : kCases) {
    auto bible =
        TLMBibleModule::Create(InLibrary(folder, std::string("Bibles/") + c.bible + ".lmb"));
    ASSERT_TRUE(bible.ok()) << bible.status().message();
    const std::string text =
        (*bible)->GetVerseText(KjvVerseIndex(c.book, c.chapter, c.verse), false, true);
    const bool found = c.where == kStarts ? text.starts_with(c.expected)
                       : c.where == kEnds ? text.ends_with(c.expected)
                                          : text.find(c.expected) != std::string::npos;
    EXPECT_TRUE(found) << c.bible << ' ' << c.book << ' ' << c.chapter << ':' << c.verse << ": "
                       << text;
  }
}

TEST(RealImport, IntroductionsOpenTheCommentOnTheirFirstVerse) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const struct {
    const char* commentary;
    int book, chapter, verse;
    const char* opening;
  } kCases[] = {
      {"MHCC", 3, 19, 1, "<b>Chapter 19</b><p>laws.<p>--There are some ceremonial precepts"},
      {"MHCC", 31, 1, 1, "<b>Obadiah</b><p>The first part denounces"},
      {"Scofield", 7, 1, 1, "<b>Book Introduction - Judges</b>"},
      {"TDavid", 19, 1, 1, "<b>Preface</b><p>My Preface shall at least possess"},
  };
  for (const auto& c : kCases) {
    auto opened = TLMCommentaryModule::Create(
        InLibrary(folder, std::string("Commentaries/") + c.commentary + ".lmc"));
    ASSERT_TRUE(opened.ok()) << opened.status().message();
    const std::string text = (*opened)->GetEntryText(KjvVerseIndex(c.book, c.chapter, c.verse) - 1);
    EXPECT_TRUE(text.starts_with(c.opening)) << c.commentary << ": " << text.substr(0, 200);
  }
}

// The hover preview of H6213 and a copied Genesis 1:6 show these strings.
TEST(RealImport, StrongsWordsFoldWhatTheCodePageLacks) {
  LUMORA_REQUIRE_LIBRARY(folder);
  auto data = TLMStrongsDataModule::Create(InLibrary(folder, "stgdat.lm4"));
  ASSERT_TRUE(data.ok()) << data.status().message();
  const auto latin = [&](int n) {
    return (*data)->GetStrongsString(StrongsLanguage::kHebrew, n, StrongsField::kTransliteration);
  };
  EXPECT_EQ(latin(6213), "\x91\xE2s\xE2h");  // the ayin mark as an opening quotation mark
  EXPECT_EQ(latin(7549), "r\xE2q\xEEya\x91");
  EXPECT_EQ(latin(3478), "yisr\xE2'\xEAl");  // the lexicon's omega for the sin's s
}

}  // namespace
}  // namespace lumora
