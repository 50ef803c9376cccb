// Settings comma text, colours and the two binary records of the store.
#include <gtest/gtest.h>

#include <random>

#include "config/bookmark_record.h"
#include "config/color.h"
#include "config/window_state.h"
#include "core/io/byte_io.h"
#include "core/text/comma_text.h"

namespace lumora::config {
namespace {

using Items = std::vector<std::string>;

TEST(SettingsCommaText, EmptyItemsAreWrittenAsNothing) {
  const Items ten_empty(10, "");
  EXPECT_EQ(FormatSettingsCommaText(ten_empty), ",,,,,,,,,");
  EXPECT_EQ(ParseSettingsCommaText(",,,,,,,,,"), ten_empty);
  EXPECT_EQ(FormatSettingsCommaText({"KJV", "", "12", "", ""}), "KJV,,12,,");
  EXPECT_EQ(ParseSettingsCommaText("KJV,,12,,"), (Items{"KJV", "", "12", "", ""}));
  // Only a comma that ends the text adds an item.
  EXPECT_EQ(ParseSettingsCommaText("a,"), (Items{"a", ""}));
  EXPECT_EQ(ParseSettingsCommaText("a, "), Items{"a"});
  // One empty item must not read back as none.
  EXPECT_EQ(FormatSettingsCommaText({""}), "\"\"");
  EXPECT_EQ(ParseSettingsCommaText("\"\""), Items{""});
  EXPECT_EQ(ParseSettingsCommaText(""), Items{});
}

TEST(SettingsCommaText, QuotesItemsWithBlanksCommasQuotesOrControls) {
  EXPECT_EQ(FormatSettingsCommaText({"My Set", "a,b", "say \"x\"", "t\tab", "plain"}),
            "\"My Set\",\"a,b\",\"say \"\"x\"\"\",\"t\tab\",plain");
}

TEST(SettingsCommaText, AnyListReadsBackItemForItem) {
  std::mt19937 rng(7);
  const std::string alphabet = std::string("ab ,\"\t\x01\xE9Z", 10);
  for (int round = 0; round < 2000; ++round) {
    Items items(rng() % 6);
    for (std::string& item : items)
      for (size_t n = rng() % 5; n > 0; --n) item += alphabet[rng() % alphabet.size()];
    EXPECT_EQ(ParseSettingsCommaText(FormatSettingsCommaText(items)), items)
        << FormatSettingsCommaText(items);
  }
}

TEST(SortedSettingsList, SortsWithoutRegardToCaseAndKeepsTheFirstOfEqualItems) {
  EXPECT_EQ(ParseSortedSettingsCommaText("zeta,Alpha,,beta,ALPHA,\xE9t\xE9,\xC9T\xC9"),
            (Items{"Alpha", "beta", "zeta", "\xE9t\xE9"}));
  Items list = {"Alpha", "zeta"};
  EXPECT_TRUE(InsertSortedNoCase(list, "Mid"));
  EXPECT_FALSE(InsertSortedNoCase(list, "mid"));
  EXPECT_FALSE(InsertSortedNoCase(list, ""));
  EXPECT_EQ(list, (Items{"Alpha", "Mid", "zeta"}));
}

TEST(ColorToHtml, WritesRedGreenBlue) {
  struct Case {
    TColor color;
    const char* html;
  };
  for (const Case& c : {Case{0x00800080, "800080"}, Case{0x00FF0000, "0000FF"},
                        Case{0x000000FF, "FF0000"}, Case{0x00123456, "563412"}})
    EXPECT_EQ(ColorToHtml(c.color, nullptr), c.html);
}

TEST(ColorToHtml, SystemColoursGoThroughThePalette) {
  std::vector<int> asked;
  const SystemColorPalette palette = [&](int number) {
    asked.push_back(number);
    return TColor(0x00102030 + number);
  };
  EXPECT_EQ(ColorToHtml(kClWindow, palette), "352010");
  EXPECT_EQ(ColorToHtml(kClBtnHighlight, palette), "442010");
  EXPECT_EQ(asked, (std::vector<int>{5, 20}));
  // Without a palette the built-in one gives real colours, not the raw
  // number's low bytes ("050000" would be near black for the background).
  EXPECT_EQ(ColorToHtml(kClWindow, nullptr), "FFFFFF");
  EXPECT_EQ(ColorToHtml(kClWindowText, nullptr), "000000");
  // The process-wide palette serves the one-argument form.
  SetSystemColorPalette([](int) { return TColor(0x000000FF); });
  EXPECT_EQ(ColorToHtml(kClBtnFace), "FF0000");
  SetSystemColorPalette(nullptr);
  EXPECT_EQ(ColorToHtml(kClBtnFace), "F0F0F0");
}

TEST(ColorDomain, PlainOrOneOfTheSystemColours) {
  EXPECT_TRUE(IsValidColor(0x00FFFFFF));
  EXPECT_TRUE(IsValidColor(kClBtnHighlight));
  EXPECT_TRUE(IsValidColor(0x8000001E));
  EXPECT_FALSE(IsValidColor(0x8000001F));
  EXPECT_FALSE(IsValidColor(0x80000105));
  EXPECT_FALSE(IsValidColor(0x01000000));
  EXPECT_FALSE(IsValidColor(0xFFFFFFFF));
}

TEST(WindowStateRecord, StoresLeftTopHeightWidthInThatOrder) {
  const std::string bytes = EncodeWindowState({10, -20, 300, 400});
  ASSERT_EQ(bytes.size(), kWindowStateSize);
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  EXPECT_EQ(LoadI32(p), 10);
  EXPECT_EQ(LoadI32(p + 4), -20);
  EXPECT_EQ(LoadI32(p + 8), 300);  // height before width
  EXPECT_EQ(LoadI32(p + 12), 400);
  EXPECT_EQ(DecodeWindowState(bytes), (WindowState{10, -20, 300, 400}));
}

TEST(WindowStateRecord, RefusesWrongLengthsAndImpossibleWindows) {
  const std::string good = EncodeWindowState({0, 0, 480, 640});
  EXPECT_FALSE(DecodeWindowState(good.substr(0, 15)));
  EXPECT_FALSE(DecodeWindowState(good + '\0'));
  EXPECT_FALSE(DecodeWindowState(EncodeWindowState({0, 0, 0, 640})));
  EXPECT_FALSE(DecodeWindowState(EncodeWindowState({0, 0, 480, -5})));
  EXPECT_FALSE(DecodeWindowState(EncodeWindowState({0, 0, 480, 1 << 20})));
  EXPECT_FALSE(DecodeWindowState(EncodeWindowState({1 << 24, 0, 480, 640})));
  // Left -1 is "no position": whatever else the record holds is harmless.
  const auto none = DecodeWindowState(EncodeWindowState({-1, 99, 0, -7}));
  ASSERT_TRUE(none);
  EXPECT_FALSE(none->IsStored());
}

TEST(BookmarkRecord, LayoutHasNoPaddingAndCutsLongStrings) {
  BookmarkRecord r{kBookmarkBook, std::string(20, 'A'), -1, std::string(80, 't')};
  const std::string bytes = EncodeBookmark(r);
  ASSERT_EQ(bytes.size(), kBookmarkRecordSize);
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  EXPECT_EQ(LoadI32(p), 2);
  EXPECT_EQ(p[4], 15);
  EXPECT_EQ(LoadI32(p + 20), -1);
  EXPECT_EQ(p[24], 70);
  EXPECT_EQ(p[25], 't');
  const auto back = DecodeBookmark(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->abbrev, std::string(15, 'A'));
  EXPECT_EQ(back->text, std::string(70, 't'));

  const BookmarkRecord bible{kBookmarkBible, "KJV", 19171, "Ps 23:1"};
  EXPECT_EQ(DecodeBookmark(EncodeBookmark(bible)), bible);
}

TEST(BookmarkRecord, RefusesRecordsThatCannotBeFollowed) {
  auto with = [](int32_t kind, int32_t position) {
    return EncodeBookmark({kind, "X", position, "t"});
  };
  struct Case {
    std::string bytes;
    bool ok;
  };
  std::string long_abbrev = with(0, 1);
  long_abbrev[4] = 16;
  std::string long_text = with(0, 1);
  long_text[24] = 71;
  const Case cases[] = {
      {with(-1, -1), true},      {with(2, -1), true},    {with(0, 1), true},
      {with(0, 31102), true},    {with(0, 0), false},    {with(0, 31103), false},
      {with(1, 0), true},        {with(1, 31101), true}, {with(1, -1), false},
      {with(1, 31102), false},   {with(3, 5), false},    {with(-2, -1), false},
      {long_abbrev, false},      {long_text, false},     {with(0, 1).substr(0, 94), false},
      {with(0, 1) + "x", false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    std::string why;
    EXPECT_EQ(DecodeBookmark(cases[i].bytes, &why).has_value(), cases[i].ok) << i;
    EXPECT_EQ(why.empty(), cases[i].ok) << i;
  }
}

}  // namespace
}  // namespace lumora::config
