// Plain-text export reports where its script runs' letters are, without
// changing the text it returns.
#include <gtest/gtest.h>

#include "core/platform/memory/memory_file_system.h"
#include "render/export_procs.h"
#include "tests/render/export_fixture.h"
#include "tools/builder/entry_builders.h"

namespace lumora::test {
namespace {

struct RunCase {
  const char* name;
  std::string text;
  // The bytes of each run reported, in order, and whether it is Hebrew.
  std::vector<std::pair<std::string, bool>> runs;
};

class ExportScriptRunsTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(ExportScriptRunsTest, ReportsRunsAndKeepsTheText) {
  const RunCase& c = GetParam();
  const ExportLibrary& lib = ExportModules();
  for (const bool paragraph_breaks : {true, false}) {
    PlainScriptRuns runs;
    const std::string with =
        ExportEntryText(c.text, *lib.book, *lib.kjv, paragraph_breaks, true, true, &runs);
    EXPECT_EQ(with, ExportEntryText(c.text, *lib.book, *lib.kjv, paragraph_breaks, true, true));
    ASSERT_EQ(runs.size(), c.runs.size()) << with;
    for (size_t i = 0; i < runs.size(); ++i) {
      ASSERT_LE(runs[i].end, with.size());
      EXPECT_EQ(with.substr(runs[i].begin, runs[i].end - runs[i].begin), c.runs[i].first);
      EXPECT_EQ(runs[i].hebrew, c.runs[i].second);
      // The run stands between the braces the text shows.
      EXPECT_EQ(with[runs[i].begin - 1], '{');
      EXPECT_EQ(with[runs[i].end], '}');
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ExportScriptRunsTest,
    ::testing::Values(
        RunCase{"HebrewAndGreek", "See \x01tyvar\x08 and \x02lo/goj\x08.",
                {{"tyvar", true}, {"lo/goj", false}}},
        RunCase{"AcrossParagraphsAndEntities", "<p>&amp;\x02qeo\x08<br>\x01\xE0\xE1\x08",
                {{"qeo", false}, {"\xE0\xE1", true}}},
        // The first opener without a terminator becomes "?": no run.
        RunCase{"Unterminated", "a \x02qeo\x08 b \x01xyz", {{"qeo", false}}},
        // A run inside a tag goes with the tag.
        RunCase{"InsideATag", "<a title=\"\x02x\x08\">t</a> \x02y\x08", {{"y", false}}},
        // An entry that holds a marker byte itself reports no runs.
        RunCase{"HoldsAMarkerByte", "\x11 \x02qeo\x08", {}},
        RunCase{"EmptyRun", "\x02\x08 x", {}}),
    [](const ::testing::TestParamInfo<RunCase>& param) { return std::string(param.param.name); });

TEST(ExportScriptRuns, RangesReportRunsAtTheirPlaceInTheWhole) {
  MemoryFileSystem fs;
  builder::BookSource source{"Runs Book", "RB", "RB", {}};
  source.entries = {{"ALPHA", "first \x02lo/goj\x08"}, {"BETA", "second \x01tyvar\x08 end"}};
  const Result<std::string> bytes = builder::BuildBookModule(source);
  ASSERT_TRUE(bytes.ok());
  fs.SetFile("/RB.lmk", bytes.value());
  auto book = TLMDictionaryModule::Create("/RB.lmk", fs);
  ASSERT_TRUE(book.ok());
  const ExportLibrary& lib = ExportModules();
  PlainScriptRuns runs;
  const std::string text = FormatBookRange(0, 1, *lib.kjv, *book.value(), true, &runs);
  EXPECT_EQ(text, FormatBookRange(0, 1, *lib.kjv, *book.value(), true));
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(text.substr(runs[0].begin, runs[0].end - runs[0].begin), "lo/goj");
  EXPECT_EQ(text.substr(runs[1].begin, runs[1].end - runs[1].begin), "tyvar");
  EXPECT_TRUE(runs[1].hebrew);
  // HTML carries the font elements instead and reports nothing.
  PlainScriptRuns none;
  EXPECT_NE(FormatBookRange(0, 1, *lib.kjv, *book.value(), false, &none).find("face=\"Symbol\""),
            std::string::npos);
  EXPECT_TRUE(none.empty());
}

}  // namespace
}  // namespace lumora::test
