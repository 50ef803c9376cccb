#include "tools/cli/check_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/codec/base205.h"
#include "core/modules/book_header.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tools/builder/bible_builder.h"
#include "tools/builder/entry_builders.h"

namespace lumora::cli {
namespace {

namespace fs = std::filesystem;

std::string VerseList(int first, int last) {
  return "\x05" + EncodeVerseRanges({{first, last}}) + "\x08";
}

// A program folder that passes: the test KJV, a Book, a Commentary, the
// Strong's data and a paragraph map.
class CheckCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteTestBible(Sub("Bibles"), "KJV.lmb", test::MakeTestBible("KJV"));
    WriteBook("Books/Topics.lmk", "NVCX",
              {{"ALPHA", "see " + VerseList(1, 3)}, {"beta", "no list"}});
    builder::CommentarySource c;
    c.title = "Notes";
    c.abbreviation = "Notes";
    c.module_code = "NOTES";
    c.slots.resize(31102);
    c.slots[0] = "In the beginning " + VerseList(26137, 26137);
    c.slots[1] =
        "See \x0E"
        "01";
    ASSERT_TRUE(builder::WriteCommentaryModule(c, Path("Commentaries/Notes.lmc")).ok());
    test::WriteTestStrongsData(folder_.Path());
    std::ofstream(Path("pmap.dat"), std::ios::binary) << std::string(31102, '\0');
  }

  std::string Sub(const std::string& name) {
    fs::create_directories(fs::path(folder_.Path()) / name);
    return (fs::path(folder_.Path()) / name).string();
  }
  std::string Path(const std::string& name) {
    fs::create_directories((fs::path(folder_.Path()) / name).parent_path());
    return (fs::path(folder_.Path()) / name).string();
  }
  void WriteBook(const std::string& name, const std::string& code,
                 std::vector<builder::BookSource::Entry> entries) {
    builder::BookSource b;
    b.title = "Test Book";
    b.abbreviation = fs::path(name).stem().string();
    b.module_code = code;
    b.entries = std::move(entries);
    ASSERT_TRUE(builder::WriteBookModule(b, Path(name)).ok());
  }

  int Check(std::string* output = nullptr) {
    std::ostringstream out;
    const int rc = RunCheckCommand(folder_.Path(), out);
    if (output) *output = out.str();
    return rc;
  }

  test::TempFolder folder_;
};

TEST_F(CheckCommandTest, AGoodFolderPassesWithOneLinePerFile) {
  std::string out;
  EXPECT_EQ(Check(&out), 0) << out;
  EXPECT_NE(out.find("ok\tBibles/KJV.lmb\t"), std::string::npos) << out;
  EXPECT_NE(out.find("ok\tBooks/Topics.lmk\t"), std::string::npos) << out;
  EXPECT_NE(out.find("ok\tCommentaries/Notes.lmc\t"), std::string::npos) << out;
  EXPECT_NE(out.find("ok\tstgdat.lm4\t"), std::string::npos) << out;
  EXPECT_NE(out.find("ok\tpmap.dat\t"), std::string::npos) << out;
  EXPECT_EQ(out.find("FAULT"), std::string::npos) << out;
}

TEST_F(CheckCommandTest, AVerseLinkIndexThatDiffersFromTheEntriesIsAFault) {
  // Point the one posting (verse 1 -> entry 0) at entry 1 instead.
  std::fstream f(Path("Books/Topics.lmk"), std::ios::in | std::ios::out | std::ios::binary);
  uint8_t header[kBookHeaderSize];
  f.read(reinterpret_cast<char*>(header), sizeof header);
  const BookHeader h = BookHeader::DecodeFrom(header);
  ASSERT_GT(h.postings, 0);
  f.seekp(h.postings);
  f.put('\x01').put('\x00');
  f.close();
  std::string out;
  EXPECT_EQ(Check(&out), 1);
  EXPECT_NE(out.find("FAULT\tBooks/Topics.lmk\tverse-link index differs"), std::string::npos)
      << out;
}

TEST_F(CheckCommandTest, StrongsBooksNeedOneEntryPerNumberInOrder) {
  std::vector<builder::BookSource::Entry> entries;
  for (int n = 1; n <= 5624; ++n) entries.push_back({std::to_string(10000 + n).substr(1), "x"});
  std::swap(entries[24].title, entries[25].title);
  WriteBook("Books/StrGrk.lmk", "StrGrk", entries);
  WriteBook("Books/StrHeb.lmk", "StrHeb", {{"0001", "one"}});
  std::string out;
  EXPECT_EQ(Check(&out), 1);
  EXPECT_NE(out.find("FAULT\tBooks/StrGrk.lmk\t"), std::string::npos) << out;
  EXPECT_NE(out.find("entry 24 is titled \"0026\""), std::string::npos) << out;
  EXPECT_NE(out.find("FAULT\tBooks/StrHeb.lmk\t1 entries for 8674 Strong's numbers"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("ok\tBooks/Topics.lmk"), std::string::npos) << out;  // the rest still checked
}

TEST_F(CheckCommandTest, DamagedAndMissingFilesAreFaults) {
  fs::remove(Path("stgdat.lm4"));
  fs::resize_file(Path("Commentaries/Notes.lmc"), 2000);
  std::string out;
  EXPECT_EQ(Check(&out), 1);
  EXPECT_NE(out.find("FAULT\tstgdat.lm4\tmissing"), std::string::npos) << out;
  EXPECT_NE(out.find("FAULT\tCommentaries/Notes.lmc\t"), std::string::npos) << out;
  EXPECT_NE(out.find("ok\tBibles/KJV.lmb"), std::string::npos) << out;
}

// The sample library's README makes its import facts checks; a KJV that
// lost them is a fault there, and only there.
TEST_F(CheckCommandTest, SampleLibraryFactsAreChecked) {
  std::string out;
  ASSERT_EQ(Check(&out), 0) << out;  // no README: the facts are not asked for
  std::ofstream(Path("README.txt")) << "Lumora sample library\n";
  EXPECT_EQ(Check(&out), 1);
  EXPECT_NE(out.find("FAULT\tBibles/KJV.lmb\t0 of 22 acrostic headings in Psalm 119 (none at Ps "
                     "119:1); 0 of 14 epistle subscriptions (none at Ro 16:27)"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("ok\tCommentaries/Notes.lmc"), std::string::npos) << out;  // not a sample one

  builder::BibleSource kjv = test::MakeTestBible("KJV");
  const char* const kLetters[] = {
      "ALEPH", "BETH", "GIMEL", "DALETH", "HE",  "VAU", "ZAIN",   "CHETH", "TETH", "JOD",   "CAPH",
      "LAMED", "MEM",  "NUN",   "SAMECH", "AIN", "PE",  "TZADDI", "KOPH",  "RESH", "SCHIN", "TAU"};
  for (int k = 0; k < 22; ++k)
    kjv.verses[static_cast<size_t>(test::V(19, 119, 1 + 8 * k) - 1)] =
        std::string(kLetters[k]) + ". Blessed";
  for (int b = 45; b <= 58; ++b) {
    const auto& chapters = builder::KjvBooks()[static_cast<size_t>(b - 1)].verses_per_chapter;
    const int last = test::V(b, static_cast<int>(chapters.size()), chapters.back());
    kjv.verses[static_cast<size_t>(last - 1)] = "Amen. Written from Rome.";
  }
  const size_t num23_15 = static_cast<size_t>(test::V(4, 23, 15) - 1);
  const size_t ps118_23 = static_cast<size_t>(test::V(19, 118, 23) - 1);
  kjv.verses[num23_15] = "while I meet [the Lord] yonder.";
  kjv.verses[ps118_23] = "This is the LORD\x92s" + builder::StrongsToken(true, 3068) + " doing";
  test::WriteTestBible(Sub("Bibles"), "KJV.lmb", kjv);
  EXPECT_EQ(Check(&out), 1);
  EXPECT_NE(out.find("FAULT\tBibles/KJV.lmb\tthe divine name not in capitals: 1 verses with "
                     "LORD's, 1 verses with a tagged name, 1 verses with Lord in supplied words "
                     "(first: Nu 23:15)"),
            std::string::npos)
      << out;
  kjv.verses[num23_15] = "while I meet [the LORD] yonder.";
  kjv.verses[ps118_23] = "This is the LORD\x92S" + builder::StrongsToken(true, 3068) + " doing";
  test::WriteTestBible(Sub("Bibles"), "KJV.lmb", kjv);
  EXPECT_EQ(Check(&out), 0) << out;
  EXPECT_NE(out.find("22 acrostic headings in Psalm 119; 14 epistle subscriptions; the divine "
                     "name in capitals"),
            std::string::npos)
      << out;

  // A WEB's cross-reference links must lead where their text says.
  builder::BibleSource web = test::MakeTestBible("WEB", false);
  web.has_footnotes = true;
  web.verses[0] = "In the beginning {<a href=\"lp:26137\">Exodus 30:12</a>} God";
  test::WriteTestBible(Sub("Bibles"), "WEB.lmb", web);
  EXPECT_EQ(Check(&out), 1);
  EXPECT_NE(out.find("FAULT\tBibles/WEB.lmb\t0 speaker labels in the Song of Solomon, not 33; 1 "
                     "cross-reference links lead elsewhere (first: Ge 1:1)"),
            std::string::npos)
      << out;
  fs::remove(Path("Bibles/WEB.lmb"));

  // Lexicons and the Strong's data: no "?" for a letter.
  std::vector<builder::BookSource::Entry> entries;
  for (int n = 1; n <= 8674; ++n) entries.push_back({std::to_string(10000 + n).substr(1), "x"});
  entries[6212] = {"6213 ?\xE2?\xE2h", "to do"};
  WriteBook("Books/StrHeb.lmk", "StrHeb", entries);
  std::vector<StrongsWord> hebrew(8674), greek(5624);
  hebrew[6212] = {"\xF2\xF9\xE4", "\x91\xE2s\xE2h", "aw-saw'"};
  hebrew[7548] = {"\xF8\xF7\xE9\xF2", "r\xE2q\xEEya?", "raw-kee'-ah"};
  greek[25] = {"agaph", "ag\xE1pe", "ag-ah'-pay"};
  ASSERT_TRUE(builder::WriteStrongsData(hebrew, greek, Path("stgdat.lm4")).ok());
  EXPECT_EQ(Check(&out), 1);
  EXPECT_NE(out.find("FAULT\tBooks/StrHeb.lmk\t1 entries hold \"?\" for a letter (first: entry "
                     "6212)"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("FAULT\tstgdat.lm4\t1 numbers hold \"?\" in their Latin strings (first: "
                     "H7549)"),
            std::string::npos)
      << out;
}

// The sample Commentaries' introductions stand first at the verse they
// introduce, under a heading.
TEST_F(CheckCommandTest, SampleCommentaryIntroductionsOpenTheirVerse) {
  std::ofstream(Path("README.txt")) << "Lumora sample library\n";
  builder::CommentarySource c;
  c.title = "Treasury";
  c.abbreviation = "TDavid";
  c.module_code = "TDAVID";
  c.slots.resize(31102);
  const size_t ps1_1 = static_cast<size_t>(test::V(19, 1, 1) - 1);
  c.slots[ps1_1] = "<b>Psalm 1 OVERVIEW</b><p>Blessed";
  ASSERT_TRUE(builder::WriteCommentaryModule(c, Path("Commentaries/TDavid.lmc")).ok());
  std::string out;
  EXPECT_EQ(Check(&out), 1);
  EXPECT_NE(out.find("FAULT\tCommentaries/TDavid.lmc\t0 of 1 introductions at their first verse "
                     "(none at Ps 1:1)"),
            std::string::npos)
      << out;
  c.slots[ps1_1] =
      "<b>Preface</b><p>My Preface shall at least possess the virtue of "
      "brevity.<p><b>Psalm 1 OVERVIEW</b><p>Blessed";
  ASSERT_TRUE(builder::WriteCommentaryModule(c, Path("Commentaries/TDavid.lmc")).ok());
  EXPECT_NE((Check(&out), out.find("ok\tCommentaries/TDavid.lmc\tTDavid: 1 comments; 1 of 1 "
                                   "introductions at their first verse")),
            std::string::npos)
      << out;
}

TEST(CheckCommand, AFolderWithoutModulesFails) {
  test::TempFolder empty;
  std::ostringstream out;
  EXPECT_EQ(RunCheckCommand(empty.Path(), out), 1);
  EXPECT_EQ(RunCheckCommand(empty.File("nothing-here"), out), 1);
  EXPECT_NE(out.str().find("FAULT"), std::string::npos);
}

}  // namespace
}  // namespace lumora::cli
