// The devotional index: which lines are kept, the lookup with its wrap and
// next-reading rules, the day lists, and the synthetic sample made from it.
#include "app/devotions.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/platform/memory/memory_file_system.h"
#include "tests/support/test_bible.h"
#include "tools/devotions/devotion_samples.h"

namespace lumora {
namespace {

TEST(DevotionIndex, KeepsOnlyWellFormedReadingLines) {
  struct Case {
    const char* line;
    bool kept;
  } cases[] = {
      {"03/05/AM/65BE", true},
      {"03/05/PM/65be  John 1:1", true},    // lower-case hex; the rest ignored
      {"03/05/am/0001", true},              // AM/PM in either case
      {"02/29/AM/0001", true},              // the leap day
      {"12/31/PM/797E", true},              // verse 31102
      {"02/30/AM/0001", false},             // no such date
      {"04/31/PM/0001", false},
      {"13/01/AM/0001", false},
      {"00/10/AM/0001", false},
      {"03/00/AM/0001", false},
      {"03/05/XM/0001", false},
      {"03/05/AM/0000", false},             // verse 0
      {"03/05/AM/797F", false},             // verse 31103
      {"03/05/AM/65B", false},              // too short
      {"03-05/AM/65BE", false},
      {"3/5/AM/65BE00", false},
      {"03/05/AM/65G0", false},
      {"", false},
      {"Synthetic devotional index", false},
  };
  for (const Case& c : cases) {
    const DevotionIndex index = DevotionIndex::Parse(std::string(c.line) + "\r\n");
    EXPECT_EQ(index.size(), c.kept ? 1u : 0u) << c.line;
  }
}

TEST(DevotionIndex, FindsTheFirstLineAtOrAfterTheKey) {
  const DevotionIndex index = DevotionIndex::Parse(
      "03/05/PM/0002\n"
      "garbage line\n"
      "03/05/AM/65BE\n"
      "03/07/AM/0010\n"
      "12/30/PM/0020\n"
      "01/01/AM/0030\r\n"
      "03/05/AM/0099\n");  // a second line for one day and time: the first wins
  ASSERT_EQ(index.size(), 6u);
  struct Case {
    int month, day;
    bool morning;
    int verse;
    const char* heading;
  } cases[] = {
      {3, 5, true, 0x65BE, "03/05/AM"},
      {3, 5, false, 2, "03/05/PM"},
      {3, 6, true, 0x10, "03/07/AM"},    // a missing day: the next reading
      {3, 7, false, 0x20, "12/30/PM"},
      {12, 31, true, 0x30, "01/01/AM"},  // after the last line: the first reading
      {1, 1, true, 0x30, "01/01/AM"},
  };
  for (const Case& c : cases) {
    const auto r = index.Find(c.month, c.day, c.morning);
    ASSERT_TRUE(r.has_value()) << c.month << "/" << c.day;
    EXPECT_EQ(r->verse, c.verse) << c.month << "/" << c.day << (c.morning ? " AM" : " PM");
    EXPECT_EQ(r->heading, c.heading);
  }
  EXPECT_FALSE(DevotionIndex().Find(3, 5, true).has_value());
}

TEST(DevotionIndex, DayListsCountDistinctDays) {
  // Day 2 has only its evening reading, day 3 three lines; a stray line of
  // another month sorts in between.
  const DevotionIndex index = DevotionIndex::Parse(
      "02/01/AM/0001\n02/01/PM/0002\n02/02/PM/0003\n02/03/AM/0004\n02/03/PM/0005\n"
      "02/03/PM/0006\n01/31/PM/0007\n03/01/AM/0008\n");
  EXPECT_EQ(index.DaysOf(2), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(index.DaysOf(1), (std::vector<int>{31}));
  EXPECT_TRUE(index.DaysOf(4).empty());
  EXPECT_TRUE(index.DaysOf(0).empty());
  EXPECT_TRUE(index.DaysOf(13).empty());
}

TEST(DevotionIndex, MissingFileIsAnEmptyIndex) {
  MemoryFileSystem fs;
  EXPECT_TRUE(DevotionIndex::Load(fs, "/lib/devotion.dys").empty());
  fs.SetFile("/lib/devotion.dys", "01/01/AM/0001\n");
  EXPECT_EQ(DevotionIndex::Load(fs, "/lib/devotion.dys").size(), 1u);
  fs.FailNext(FileOp::kRead);
  EXPECT_TRUE(DevotionIndex::Load(fs, "/lib/devotion.dys").empty());
}

TEST(DevotionIndex, KeysAndCalendar) {
  EXPECT_EQ(DevotionKey(3, 5, true), "03/05/AM");
  EXPECT_EQ(DevotionKey(12, 31, false), "12/31/PM");
  EXPECT_EQ(DaysInMonthOfLeapYear(2), 29);
  EXPECT_EQ(DaysInMonthOfLeapYear(0), 0);
  const CalendarDay today = LocalToday();
  EXPECT_GE(today.month, 1);
  EXPECT_LE(today.day, DaysInMonthOfLeapYear(today.month));
}

// The sample: 732 readings, February has 29 days, every reading's entry
// holds its heading, and exactly one verse carries two readings.
TEST(DevotionSamples, IndexAndCommentaryAgree) {
  auto kjv = TLMBibleModule::Create(test::WriteTestBible(
      ::testing::TempDir(), "devotion-kjv.lmb", test::MakeTestBible("KJV")));
  ASSERT_TRUE(kjv.ok()) << kjv.status().message();
  const auto readings = builder::SyntheticDevotionReadings();
  ASSERT_EQ(readings.size(), 732u);
  const DevotionIndex index = DevotionIndex::Parse(builder::DevotionIndexText(readings, **kjv));
  ASSERT_EQ(index.size(), 732u);
  EXPECT_EQ(index.DaysOf(2).size(), 29u);
  for (int m = 1; m <= 12; ++m)
    EXPECT_EQ(static_cast<int>(index.DaysOf(m).size()), DaysInMonthOfLeapYear(m));

  const builder::CommentarySource sme = builder::SyntheticDevotionalCommentary(readings, **kjv);
  EXPECT_EQ(sme.abbreviation, "SME");
  EXPECT_EQ(sme.title, "Synthetic Morning and Evening Readings (sample)");
  std::set<int> verses;
  int shared = 0;
  for (const builder::DevotionSample& r : readings) {
    const auto found = index.Find(r.month, r.day, r.morning);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->verse, r.verse);
    const std::string& entry = sme.slots[static_cast<size_t>(r.verse - 1)];
    EXPECT_NE(entry.find(DevotionKey(r.month, r.day, r.morning)), std::string::npos);
    if (!verses.insert(r.verse).second) ++shared;
  }
  EXPECT_EQ(shared, 1);
  const auto christmas = index.Find(12, 25, false);
  ASSERT_TRUE(christmas.has_value());
  const std::string& both = sme.slots[static_cast<size_t>(christmas->verse - 1)];
  EXPECT_LT(both.find("12/25/AM"), both.find("12/25/PM"));
}

}  // namespace
}  // namespace lumora
