#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/catalogue/module_catalogue.h"
#include "core/modules/bible_mapping_cache.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"

namespace lumora {
namespace {

// Counts the notifications and what the lists held at each.
class CountingObserver : public CatalogueObserver {
 public:
  explicit CountingObserver(const TModuleCatalogue& c) : catalogue_(c) {}
  void ModulesAboutToChange() override {
    ++before;
    commentaries_before = catalogue_.Commentaries().size();
  }
  void ModulesChanged() override { ++after; }
  int before = 0;
  int after = 0;
  size_t commentaries_before = 0;

 private:
  const TModuleCatalogue& catalogue_;
};

class UserModuleCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BibleMappingCache::Instance().Clear();
    const std::string bibles = JoinPath(dir_.Path(), kBiblesFolder);
    std::filesystem::create_directories(bibles);
    test::WriteTestStrongsData(dir_.Path());
    builder::BibleSource s = test::MakeTestBible("KJV", false);
    s.title = "King James Version";
    test::WriteTestBible(bibles, "kjv.lmb", s);
    ASSERT_TRUE(catalogue_.LoadModules(dir_.Path()).ok());
    catalogue_.AddObserver(&observer_);
  }
  void TearDown() override { catalogue_.RemoveObserver(&observer_); }
  std::string UserFile(const std::string& name) {
    return JoinPath(JoinPath(dir_.Path(), kUserFolder), name);
  }

  test::TempFolder dir_;
  TModuleCatalogue catalogue_;
  CountingObserver observer_{catalogue_};
};

TEST_F(UserModuleCatalogueTest, FirstCommentaryIsCreatedWritableAndNamed) {
  ASSERT_TRUE(catalogue_.Commentaries().empty());
  Result<TLMCommentaryModule*> made = catalogue_.CreateUserCommentary("My Notes", "MYN");
  ASSERT_TRUE(made.ok()) << made.status().message();
  TLMCommentaryModule* c = *made;
  EXPECT_EQ(observer_.before, 1);
  EXPECT_EQ(observer_.after, 1);
  EXPECT_EQ(observer_.commentaries_before, 0u);
  ASSERT_EQ(catalogue_.Commentaries().size(), 1u);
  EXPECT_EQ(catalogue_.Commentaries()[0].get(), c);
  EXPECT_FALSE(c->IsReadOnly());
  EXPECT_EQ(catalogue_.EditableCommentaries(), std::vector<TLMCommentaryModule*>{c});
  EXPECT_TRUE(catalogue_.NamesInUse().Contains("myn"));
  EXPECT_TRUE(catalogue_.NamesInUse().Contains("MY NOTES"));
  EXPECT_EQ(catalogue_.CommentariesByAbbreviation().Find("MYN"), c);
  EXPECT_TRUE(catalogue_.IsFileLoaded("MYN.lmc"));
  EXPECT_TRUE(std::filesystem::exists(UserFile("MYN.lmc")));
  // It takes text through its writer.
  ASSERT_TRUE(c->WriteEntry("A note", 0, *catalogue_.KjvBible()).ok());
  EXPECT_TRUE(c->HasEntry(0));
}

TEST_F(UserModuleCatalogueTest, CreatingOverAnUnloadedFileFailsAndChangesNothing) {
  std::filesystem::create_directories(JoinPath(dir_.Path(), kUserFolder));
  std::ofstream(UserFile("XB.lmk")) << "not a module";
  Result<TLMDictionaryModule*> made = catalogue_.CreateUserBook("Extra", "XB");
  EXPECT_FALSE(made.ok());
  EXPECT_TRUE(catalogue_.Books().empty());
  EXPECT_FALSE(catalogue_.NamesInUse().Contains("Extra"));
  EXPECT_EQ(observer_.before, 1);
  EXPECT_EQ(observer_.after, 1);
  std::ifstream kept(UserFile("XB.lmk"));
  std::string text((std::istreambuf_iterator<char>(kept)), {});
  EXPECT_EQ(text, "not a module");
}

TEST_F(UserModuleCatalogueTest, DeleteRemovesOnlyItsOwnNamesAndItsFile) {
  Result<TLMDictionaryModule*> a = catalogue_.CreateUserBook("Alpha Notes", "ALN");
  Result<TLMDictionaryModule*> b = catalogue_.CreateUserBook("Beta Notes", "BEN");
  ASSERT_TRUE(a.ok() && b.ok());
  ASSERT_TRUE((*a)->AddEntry("Faith").ok());
  // A ".bak" exists now (the add rewrote the file); it stays after delete.
  ASSERT_EQ(catalogue_.Books().size(), 2u);
  ASSERT_TRUE(catalogue_.DeleteUserBook(*a).ok());
  ASSERT_EQ(catalogue_.Books().size(), 1u);
  EXPECT_EQ(catalogue_.Books()[0].get(), *b);
  EXPECT_FALSE(catalogue_.NamesInUse().Contains("ALN"));
  EXPECT_FALSE(catalogue_.NamesInUse().Contains("Alpha Notes"));
  EXPECT_TRUE(catalogue_.NamesInUse().Contains("BEN"));
  EXPECT_TRUE(catalogue_.NamesInUse().Contains("KJV"));
  EXPECT_TRUE(catalogue_.NamesInUse().Contains("King James Version"));
  EXPECT_EQ(catalogue_.BooksByTitle().Find("Alpha Notes"), nullptr);
  EXPECT_FALSE(catalogue_.IsFileLoaded("ALN.lmk"));
  EXPECT_FALSE(std::filesystem::exists(UserFile("ALN.lmk")));
  EXPECT_TRUE(std::filesystem::exists(UserFile("ALN.lmk.bak")));
  EXPECT_EQ(observer_.before, 3);
  EXPECT_EQ(observer_.after, 3);
  // The name may be used again, and the file made anew.
  Result<TLMDictionaryModule*> again = catalogue_.CreateUserBook("Alpha Notes", "ALN");
  ASSERT_TRUE(again.ok()) << again.status().message();
  EXPECT_EQ((*again)->EntryCount(), 0);
}

TEST_F(UserModuleCatalogueTest, DeletingTheLastCommentaryLeavesEmptyLists) {
  Result<TLMCommentaryModule*> c = catalogue_.CreateUserCommentary("Only", "ONE");
  ASSERT_TRUE(c.ok());
  ASSERT_TRUE(catalogue_.DeleteUserCommentary(*c).ok());
  EXPECT_TRUE(catalogue_.Commentaries().empty());
  EXPECT_TRUE(catalogue_.EditableCommentaries().empty());
  EXPECT_EQ(catalogue_.CommentariesByTitle().Size(), 0u);
  EXPECT_FALSE(std::filesystem::exists(UserFile("ONE.lmc")));
}

TEST_F(UserModuleCatalogueTest, ModulesThatAreNotLoadedUserModulesAreRefused) {
  EXPECT_EQ(catalogue_.DeleteUserCommentary(nullptr).kind(), ErrorKind::kReadOnly);
  EXPECT_EQ(catalogue_.DeleteUserBook(nullptr).kind(), ErrorKind::kReadOnly);
  EXPECT_EQ(observer_.before, 0);
}

}  // namespace
}  // namespace lumora
