#include <gtest/gtest.h>

#include "tools/builder/bible_builder.h"
#include "tools/cli/cli_options.h"
#include "tools/cli/visible_text.h"

namespace lumora::cli {
namespace {

TEST(VisibleText, StrongsTokensBecomeTagsInBothForms) {
  EXPECT_EQ(MakeVisible("God" + builder::StrongsToken(true, 430) + " created"),
            "God<H0430> created");
  EXPECT_EQ(MakeVisible("loved" + builder::StrongsToken(false, 25)), "loved<G0025>");
  EXPECT_EQ(MakeVisible("x\x03" "0a"), "x<G0049>");  // stored form
}

TEST(VisibleText, NoControlByteReachesTheTerminal) {
  EXPECT_EQ(MakeVisible("a\x0E" "b\x02"), "a<0x0E>b<0x02>");
  EXPECT_EQ(MakeVisible("\x03$00"), "<0x03>$00");  // cut token: shown, not read past the end
  for (int b = 0; b < 32; ++b) {
    const std::string out = MakeVisible(std::string(1, static_cast<char>(b)));
    for (char c : out) EXPECT_GE(static_cast<unsigned char>(c), 32) << b;
  }
}

TEST(VisibleText, EntryMarkersAreShownNotDecoded) {
  // In entries 0x02 starts a Greek run: "ag" are letters, not digits.
  EXPECT_EQ(MakeVisibleEntry("\x02" "agaph\x08 \x05" "1\x08"), "<0x02>agaph<0x08> <0x05>1<0x08>");
  EXPECT_EQ(MakeVisibleEntry("\xE9"), "\xC3\xA9");
}

TEST(VisibleText, Windows1252BecomesUtf8) {
  EXPECT_EQ(MakeVisible("am\xF3"), "am\xC3\xB3");
  EXPECT_EQ(MakeVisible("\x93quoted\x94"), "\xE2\x80\x9Cquoted\xE2\x80\x9D");
}

TEST(CliOptions, ParsesCommandArgumentsAndFlagsInAnyOrder) {
  const char* argv[] = {"lumora-cli", "verse", "--data", "/lib", "KJV", "43", "--strongs",
                        "3", "16"};
  std::string error;
  auto o = ParseCliOptions(9, const_cast<char**>(argv), error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->command, "verse");
  EXPECT_EQ(o->data_folder, "/lib");
  EXPECT_TRUE(o->strongs);
  EXPECT_FALSE(o->footnotes);
  EXPECT_EQ(o->arguments, (std::vector<std::string>{"KJV", "43", "3", "16"}));
}

TEST(CliOptions, UsageErrors) {
  std::string error;
  const char* missing[] = {"lumora-cli", "--data"};
  EXPECT_FALSE(ParseCliOptions(2, const_cast<char**>(missing), error));
  const char* unknown[] = {"lumora-cli", "--bogus", "bibles"};
  EXPECT_FALSE(ParseCliOptions(3, const_cast<char**>(unknown), error));
  // After the command, options are the command's own.
  const char* own[] = {"lumora-cli", "search", "KJV", "love", "--type", "phrase"};
  const auto options = ParseCliOptions(6, const_cast<char**>(own), error);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->arguments, (std::vector<std::string>{"KJV", "love", "--type", "phrase"}));
  const char* none[] = {"lumora-cli"};
  EXPECT_FALSE(ParseCliOptions(1, const_cast<char**>(none), error));
}

// --help and --version need no command and win wherever they stand.
TEST(CliOptions, HelpAndVersionAnywhere) {
  const struct {
    std::vector<const char*> argv;
    bool help, version;
  } kCases[] = {
      {{"lumora-cli", "--help"}, true, false},
      {{"lumora-cli", "-h"}, true, false},
      {{"lumora-cli", "--version"}, false, true},
      {{"lumora-cli", "--data", "/lib", "ref", "--help"}, true, false},
      {{"lumora-cli", "bibles"}, false, false},
  };
  for (const auto& c : kCases) {
    std::string error;
    const auto o =
        ParseCliOptions(static_cast<int>(c.argv.size()), const_cast<char**>(c.argv.data()), error);
    ASSERT_TRUE(o) << c.argv.back() << ": " << error;
    EXPECT_EQ(o->help, c.help) << c.argv.back();
    EXPECT_EQ(o->version, c.version) << c.argv.back();
  }
}

}  // namespace
}  // namespace lumora::cli
