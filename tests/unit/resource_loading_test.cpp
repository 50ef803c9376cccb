// Start-up loading of Books and Commentaries by the module catalogue.
#include <gtest/gtest.h>

#include "app/startup_problems.h"
#include "core/catalogue/module_catalogue.h"
#include "core/modules/bible_mapping_cache.h"
#include "core/platform/memory/memory_file_system.h"
#include "tests/support/test_bible.h"
#include "tools/builder/entry_builders.h"

namespace lumora {
namespace {

using Names = std::vector<std::string>;

class ResourceLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BibleMappingCache::Instance().Clear();
    fs_.SetFile("/lib/Bibles/kjv.lmb", test::TestBibleBytes("KJV"));
    std::vector<StrongsWord> none;
    fs_.SetFile("/lib/stgdat.lm4", BuildStrongsDataFile(none, none));
  }

  void AddBook(const std::string& path, const std::string& abbreviation,
               const std::string& code = "", const std::string& title = "") {
    builder::BookSource s;
    s.title = title.empty() ? abbreviation + " title" : title;
    s.abbreviation = abbreviation;
    s.module_code = code;
    s.entries = {{"Entry", "text \x05" "1\x08"}};
    Result<std::string> bytes = builder::BuildBookModule(s);
    ASSERT_TRUE(bytes.ok());
    fs_.SetFile(path, *bytes);
  }

  void AddCommentary(const std::string& path, const std::string& abbreviation) {
    builder::CommentarySource s;
    s.title = abbreviation + " title";
    s.abbreviation = abbreviation;
    s.slots = {"on Genesis 1:1"};
    Result<std::string> bytes = builder::BuildCommentaryModule(s);
    ASSERT_TRUE(bytes.ok());
    fs_.SetFile(path, *bytes);
  }

  Status Load(TModuleCatalogue& c, Names* said = nullptr) {
    return c.LoadModules("/lib", [said](const std::string& s) {
      if (said) said->push_back(s);
    });
  }

  template <typename List>
  Names Abbreviations(const List& list) {
    Names out;
    for (const auto& m : list) out.push_back(m->GetAbbreviation());
    return out;
  }

  MemoryFileSystem fs_;
};

TEST_F(ResourceLoadingTest, BooksSortByLowerCasedAbbreviation) {
  AddBook("/lib/Books/1.lmk", "b");
  AddBook("/lib/Books/2.lmk", "A");
  AddBook("/lib/Books/3.lmk", "c");
  TModuleCatalogue c(fs_);
  ASSERT_TRUE(Load(c).ok());
  EXPECT_EQ(Abbreviations(c.Books()), (Names{"A", "b", "c"}));
  EXPECT_EQ(c.BooksByTitle().Find("B TITLE"), c.BooksByAbbreviation().Find("b"));
}

TEST_F(ResourceLoadingTest, AFileNameLoadsOnceAcrossFoldersButNotAcrossKinds) {
  AddBook("/lib/Books/same.lmk", "shipped");
  AddBook("/lib/User/same.lmk", "user");
  AddCommentary("/lib/Commentaries/same.lmc", "comm");
  TModuleCatalogue c(fs_);
  ASSERT_TRUE(Load(c).ok());
  EXPECT_EQ(Abbreviations(c.Books()), Names{"shipped"});
  EXPECT_EQ(Abbreviations(c.Commentaries()), Names{"comm"});
}

TEST_F(ResourceLoadingTest, SpecialBooksByModuleCodeTheLaterWins) {
  AddBook("/lib/Books/1.lmk", "heb1", "StrHeb");
  AddBook("/lib/Books/2.lmk", "heb2", "StrHeb");
  AddBook("/lib/Books/3.lmk", "grk", "StrGrk");
  AddBook("/lib/Books/4.lmk", "nave", "strheb");  // compared with case
  TModuleCatalogue c(fs_);
  ASSERT_TRUE(Load(c).ok());
  ASSERT_NE(c.HebrewStrongsBook(), nullptr);
  EXPECT_EQ(c.HebrewStrongsBook()->GetAbbreviation(), "heb2");
  EXPECT_EQ(c.GreekStrongsBook()->GetAbbreviation(), "grk");
  EXPECT_EQ(c.NvcxBook(), nullptr);
}

TEST_F(ResourceLoadingTest, EditableCommentariesAreTheUserOnes) {
  AddCommentary("/lib/Commentaries/ship.lmc", "ship");
  ASSERT_TRUE(TLMCommentaryModule::CreateUserCommentaryFile("Mine", "mine", "/lib/User", fs_).ok());
  TModuleCatalogue c(fs_);
  ASSERT_TRUE(Load(c).ok());
  EXPECT_EQ(Abbreviations(c.Commentaries()), (Names{"mine", "ship"}));
  ASSERT_EQ(c.EditableCommentaries().size(), 1u);
  EXPECT_EQ(c.EditableCommentaries()[0]->GetAbbreviation(), "mine");
  EXPECT_TRUE(c.NamesInUse().Contains("MINE"));
}

TEST_F(ResourceLoadingTest, EmptyUserBookIsReportedAtEveryStartAndNeverWritten) {
  ASSERT_TRUE(TLMDictionaryModule::CreateUserBookFile("Notes", "notes", "/lib/User", fs_).ok());
  const std::string before = *fs_.GetFile("/lib/User/notes.lmk");
  for (int start = 0; start < 2; ++start) {
    TModuleCatalogue c(fs_);
    Names said;
    ASSERT_TRUE(Load(c, &said).ok());
    EXPECT_NE(std::find(said.begin(), said.end(), "Updating Verse Links: notes"), said.end());
    EXPECT_EQ(*fs_.GetFile("/lib/User/notes.lmk"), before);
  }
}

TEST_F(ResourceLoadingTest, StaleIndexesAreRebuiltWrittenOnlyWhenWritable) {
  AddBook("/lib/Books/ship.lmk", "ship");
  AddBook("/lib/User/mine.lmk", "mine");
  for (const char* p : {"/lib/Books/ship.lmk", "/lib/User/mine.lmk"}) {
    std::string bytes = *fs_.GetFile(p);
    bytes[99] = 10;  // an index from an older program
    bytes[90] = 0;
    fs_.SetFile(p, bytes);
  }
  const std::string shipped_before = *fs_.GetFile("/lib/Books/ship.lmk");
  TModuleCatalogue c(fs_);
  Names said;
  ASSERT_TRUE(Load(c, &said).ok());
  EXPECT_NE(std::find(said.begin(), said.end(), "Updating Verse Links: ship"), said.end());
  EXPECT_NE(std::find(said.begin(), said.end(), "Updating Verse Links: mine"), said.end());
  for (const auto& book : c.Books()) EXPECT_EQ(book->GetVerseEntries(0), TEntryIndex{0});
  EXPECT_EQ(*fs_.GetFile("/lib/Books/ship.lmk"), shipped_before);
  EXPECT_EQ(static_cast<uint8_t>((*fs_.GetFile("/lib/User/mine.lmk"))[99]), 11);
  EXPECT_TRUE(c.Problems().empty());
}

TEST_F(ResourceLoadingTest, CorruptModulesAreSkipped) {
  AddBook("/lib/Books/good.lmk", "good");
  fs_.SetFile("/lib/Books/bad.lmk", "LMDICT but nothing else");
  fs_.SetFile("/lib/Commentaries/bad.lmc", std::string(500, '\0'));
  TModuleCatalogue c(fs_);
  ASSERT_TRUE(Load(c).ok());
  EXPECT_EQ(Abbreviations(c.Books()), Names{"good"});
  EXPECT_TRUE(c.Commentaries().empty());
  EXPECT_EQ(c.SkippedFiles().size(), 2u);
}

TEST_F(ResourceLoadingTest, MissingStrongsDataIsFatalBeforeAnythingLoads) {
  ASSERT_TRUE(fs_.Remove("/lib/stgdat.lm4").ok());
  TModuleCatalogue c(fs_);
  Names said;
  const Status s = Load(c, &said);
  ASSERT_FALSE(s.ok());
  // The folder and the name are joined with the platform separator.
  EXPECT_EQ(s.message(), JoinPath("/lib", "stgdat.lm4") + " not found. Can not continue loading.");
  EXPECT_EQ(said, Names{"Initializing Strong's Data"});
  EXPECT_TRUE(c.Bibles().empty());
}

TEST_F(ResourceLoadingTest, DamagedStrongsDataIsFatalWithItsOwnText) {
  fs_.SetFile("/lib/stgdat.lm4", "too short");
  TModuleCatalogue c(fs_);
  const Status s = Load(c);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message().rfind("File header invalid: ", 0), 0u) << s.message();
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

// Start-up's report covers the user's own files only, with their ".bak".
TEST_F(ResourceLoadingTest, ProblemReportNamesUserFilesAndTheirBackups) {
  AddBook("/lib/Books/good.lmk", "good");
  fs_.SetFile("/lib/Books/bad.lmk", "LMDICT but nothing else");
  fs_.SetFile("/lib/User/mine.lmk", "LMDICT damaged");
  fs_.SetFile("/lib/User/mine.lmk.bak", "the previous version");
  fs_.SetFile("/lib/User/notes.lmc", std::string(500, '\0'));
  {
    TModuleCatalogue c(fs_);
    ASSERT_TRUE(Load(c).ok());
    const std::string report = UserModuleProblems(c, fs_);
    EXPECT_EQ(report.rfind(kUserModuleProblemsHeading, 0), 0u) << report;
    EXPECT_NE(report.find("mine.lmk: not opened: "), std::string::npos) << report;
    EXPECT_NE(report.find("(the previous version is kept in "), std::string::npos) << report;
    EXPECT_NE(report.find("notes.lmc: not opened: "), std::string::npos) << report;
    EXPECT_EQ(report.find("bad.lmk"), std::string::npos) << report;  // shipped: silent
  }
  TModuleCatalogue clean(fs_);
  ASSERT_TRUE(fs_.Remove("/lib/User/mine.lmk").ok());
  ASSERT_TRUE(fs_.Remove("/lib/User/notes.lmc").ok());
  ASSERT_TRUE(Load(clean).ok());
  EXPECT_EQ(UserModuleProblems(clean, fs_), "");
}

}  // namespace
}  // namespace lumora
