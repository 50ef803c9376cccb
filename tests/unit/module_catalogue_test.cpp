#include "core/catalogue/module_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/modules/bible_mapping_cache.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"

namespace lumora {
namespace {

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BibleMappingCache::Instance().Clear();
    bibles_ = JoinPath(dir_.Path(), kBiblesFolder);
    std::filesystem::create_directories(bibles_);
    test::WriteTestStrongsData(dir_.Path());
  }

  // A small Bible under Bibles/; `strongs` decides whether it gets a twin.
  void AddBible(const std::string& file, const std::string& abbreviation, bool strongs = false,
                const std::string& title = "") {
    builder::BibleSource s = test::MakeTestBible(abbreviation, strongs);
    s.title = title.empty() ? abbreviation + " Bible" : title;
    test::WriteTestBible(bibles_, file, s);
  }

  std::vector<std::string> Abbreviations(const TModuleCatalogue& c) {
    std::vector<std::string> out;
    for (const auto& b : c.Bibles()) out.push_back(b->GetAbbreviation());
    return out;
  }

  test::TempFolder dir_;
  std::string bibles_;
};

using Names = std::vector<std::string>;

TEST_F(CatalogueTest, KjvFirstThenItsTwinThenTheRestByAbbreviation) {
  AddBible("zb.lmb", "ZB");
  AddBible("ab.lmb", "AB");
  AddBible("kjv.lmb", "KJV", true);
  TModuleCatalogue catalogue;
  std::vector<std::string> said;
  ASSERT_TRUE(catalogue.LoadModules(dir_.Path(), [&](const std::string& s) {
    said.push_back(s);
  }).ok());
  EXPECT_EQ(Abbreviations(catalogue), (Names{"KJV", "KJVSL", "AB", "ZB"}));
  EXPECT_EQ(said, (Names{"Initializing Strong's Data", "Initializing Bibles", "Initializing Books",
                         "Initializing Commentaries", "Initializing", "Initializing"}));
  ASSERT_NE(catalogue.StrongsLinksBible(), nullptr);
  EXPECT_EQ(catalogue.StrongsLinksBible()->GetAbbreviation(), "KJVSL");
  EXPECT_EQ(catalogue.StrongsLinksBible()->GetTitle(), "KJV Bible with Strong's Links");
  EXPECT_EQ(catalogue.KjvBible()->GetAbbreviation(), "KJV");
  // The twin reads the same file with Strong's written out.
  EXPECT_NE(catalogue.StrongsLinksBible()->GetVerseText(1, true, false).find('\x02'),
            std::string::npos);
  // The twin is in no name list.
  EXPECT_EQ(catalogue.BiblesByAbbreviation().Find("KJVSL"), nullptr);
  EXPECT_EQ(catalogue.BiblesByAbbreviation().Size(), 3u);
  EXPECT_TRUE(catalogue.NamesInUse().Contains("kjv bible"));
  EXPECT_TRUE(catalogue.NamesInUse().Contains("ab"));
}

TEST_F(CatalogueTest, OnlyTheKjv) {
  AddBible("kjv.lmb", "KJV", true);
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(dir_.Path()).ok());
  EXPECT_EQ(Abbreviations(catalogue), (Names{"KJV", "KJVSL"}));
}

TEST_F(CatalogueTest, SortIsByteWiseWithCase) {
  AddBible("1.lmb", "a");
  AddBible("2.lmb", "B");
  AddBible("3.lmb", "KJV");
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(dir_.Path()).ok());
  EXPECT_EQ(Abbreviations(catalogue), (Names{"KJV", "B", "a"}));
}

TEST_F(CatalogueTest, DuplicateAbbreviationsBothLoadButTheFirstKeepsTheName) {
  AddBible("a.lmb", "KJV", false, "First KJV");
  AddBible("b.lmb", "KJV", false, "Second KJV");
  AddBible("c.lmb", "XX", false, "First KJV");
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(dir_.Path()).ok());
  EXPECT_EQ(catalogue.Bibles().size(), 3u);
  // Scanned in sorted file-name order, so a.lmb is the KJV Bible.
  EXPECT_EQ(catalogue.KjvBible()->GetTitle(), "First KJV");
  EXPECT_EQ(catalogue.BiblesByAbbreviation().Find("kjv")->GetTitle(), "First KJV");
  // KJV, First KJV, Second KJV, XX: each name once.
  EXPECT_EQ(catalogue.NamesInUse().Size(), 4u);
  EXPECT_TRUE(catalogue.NamesInUse().Contains("second kjv"));
}

TEST_F(CatalogueTest, CorruptFilesAreSkippedSilently) {
  AddBible("kjv.lmb", "KJV");
  AddBible("web.lmb", "WEB");
  std::string damaged = test::TestBibleBytes("BAD");
  damaged.resize(5000);
  ASSERT_TRUE(DefaultFileSystem().WriteFile(JoinPath(bibles_, "bad.lmb"), damaged).ok());
  ASSERT_TRUE(DefaultFileSystem().WriteFile(JoinPath(bibles_, "empty.lmb"), "").ok());
  ASSERT_TRUE(DefaultFileSystem().WriteFile(JoinPath(bibles_, "notes.txt"), "x").ok());
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(dir_.Path()).ok());
  EXPECT_EQ(Abbreviations(catalogue), (Names{"KJV", "WEB"}));
  EXPECT_EQ(catalogue.SkippedFiles().size(), 2u);
  EXPECT_FALSE(catalogue.IsFileLoaded("bad.lmb"));
  EXPECT_TRUE(catalogue.IsFileLoaded("KJV.LMB"));
}

TEST_F(CatalogueTest, MissingKjvIsFatal) {
  AddBible("web.lmb", "WEB");
  AddBible("kjv.lmb", "kjv");  // abbreviation compared with case
  TModuleCatalogue catalogue;
  const Status s = catalogue.LoadModules(dir_.Path());
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(),
            "KJV Bible Module unable to load or not found.\nLumora requires the KJV Module to "
            "function.");
}

TEST_F(CatalogueTest, MissingFolderIsFatalOnlyForWantOfTheKjv) {
  std::filesystem::remove_all(bibles_);
  TModuleCatalogue catalogue;
  EXPECT_FALSE(catalogue.LoadModules(dir_.Path()).ok());
  EXPECT_TRUE(catalogue.Bibles().empty());
}

TEST_F(CatalogueTest, AFileIsOpenedOnceAcrossScans) {
  AddBible("kjv.lmb", "KJV", true);
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(dir_.Path()).ok());
  catalogue.ScanBibleFolder(bibles_);
  EXPECT_EQ(catalogue.Bibles().size(), 2u);
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

// Observers hear both halves of a change in order; one that leaves while
// being told does not disturb the others.
TEST(CatalogueObservers, TellEveryHolderBeforeAndAfterAChange) {
  struct Recorder : CatalogueObserver {
    std::vector<std::string>* log = nullptr;
    std::string name;
    CatalogueObservers* leave_from = nullptr;
    void ModulesAboutToChange() override {
      log->push_back(name + " drop");
      if (leave_from != nullptr) leave_from->Remove(this);
    }
    void ModulesChanged() override { log->push_back(name + " read"); }
  };
  TModuleCatalogue catalogue;
  std::vector<std::string> log;
  Recorder a, b;
  a.log = b.log = &log;
  a.name = "a";
  b.name = "b";
  catalogue.AddObserver(&a);
  catalogue.AddObserver(&b);
  catalogue.AddObserver(&a);  // once only
  catalogue.NotifyAboutToChange();
  catalogue.NotifyChanged();
  EXPECT_EQ(log, (std::vector<std::string>{"a drop", "b drop", "a read", "b read"}));

  CatalogueObservers list;
  log.clear();
  a.leave_from = &list;
  list.Add(&a);
  list.Add(&b);
  list.AboutToChange();
  list.Changed();
  EXPECT_EQ(log, (std::vector<std::string>{"a drop", "b drop", "b read"}));
  catalogue.RemoveObserver(&a);
  catalogue.RemoveObserver(&b);
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

// With several Strong's-numbered Bibles, Strong's searches and links use the
// KJV Bible's twin, not whichever twin was made last.
TEST_F(CatalogueTest, TheKjvTwinIsTheStrongsLinksBible) {
  AddBible("kjv.lmb", "KJV", true);
  AddBible("rv.lmb", "RV", true);  // sorts after kjv.lmb: its twin is made last
  TModuleCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadModules(dir_.Path()).ok());
  EXPECT_EQ(Abbreviations(catalogue), (Names{"KJV", "KJVSL", "RV", "RVSL"}));
  ASSERT_NE(catalogue.StrongsLinksBible(), nullptr);
  EXPECT_EQ(catalogue.StrongsLinksBible()->GetAbbreviation(), "KJVSL");
}

}  // namespace
}  // namespace lumora
