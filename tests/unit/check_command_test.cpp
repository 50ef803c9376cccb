#include "tools/cli/check_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/codec/base205.h"
#include "core/modules/book_header.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
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

TEST(CheckCommand, AFolderWithoutModulesFails) {
  test::TempFolder empty;
  std::ostringstream out;
  EXPECT_EQ(RunCheckCommand(empty.Path(), out), 1);
  EXPECT_EQ(RunCheckCommand(empty.File("nothing-here"), out), 1);
  EXPECT_NE(out.str().find("FAULT"), std::string::npos);
}

}  // namespace
}  // namespace lumora::cli
