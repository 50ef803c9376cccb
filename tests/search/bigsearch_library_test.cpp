// The full reference search and the topic guide on the sample library
// (skipped without LUMORA_LIBRARY).
#include <gtest/gtest.h>

#include <memory>

#include "search/full_search_results.h"
#include "search/full_search_scan.h"
#include "search/topic_guide.h"
#include "tests/library/library_fixture.h"

namespace lumora {
namespace {

using Names = std::vector<std::string>;

// One catalogue for the suite, released at its end: the library's files are
// opened exclusively, so no other suite's catalogue may hold them meanwhile.
class BigSearchLibraryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string folder = test::SampleLibraryFolder();
    if (folder.empty()) return;
    catalogue_ = std::make_unique<TModuleCatalogue>();
    const Status loaded = catalogue_->LoadModules(folder);
    EXPECT_TRUE(loaded.ok()) << loaded.message();
  }
  static void TearDownTestSuite() { catalogue_.reset(); }
  static const TModuleCatalogue& Library(const std::string&) { return *catalogue_; }

  static std::unique_ptr<TModuleCatalogue> catalogue_;
};

std::unique_ptr<TModuleCatalogue> BigSearchLibraryTest::catalogue_;

int Scan(TBigSearchArray& job, const TModuleCatalogue& c, const std::string& text) {
  auto matcher = FullSearchMatcher::Create(text, false, true);
  EXPECT_TRUE(matcher.ok());
  return RunFullSearch(job, *matcher, *c.KjvBible(), nullptr).found;
}

TEST_F(BigSearchLibraryTest, GraceIsCountedOncePerVerseAndEntry) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const TModuleCatalogue& c = Library(folder);
  TBigSearchArray all = BuildSetJob(c, kSetEverything, {}).value();
  const int found = Scan(all, c, "grace");
  int sum = 0, bibles = 0;
  for (const TBigSearchNode& node : all) {
    sum += node.hit_count;
    EXPECT_EQ(node.damaged_count, 0) << node.module.Title();
    if (node.module.kind == ModuleKind::kBible) {
      ++bibles;
      EXPECT_FALSE(node.module.bible->IsStrongsLinks());
      // The same module searched alone gives the same count.
      TBigSearchArray one = BuildSingleModuleJob(node.module);
      EXPECT_EQ(Scan(one, c, "grace"), node.hit_count) << node.module.Title();
    }
  }
  EXPECT_EQ(sum, found);
  EXPECT_GT(found, 1000);
  EXPECT_EQ(bibles, 3);  // KJV, RV1909, WEB; never their Strong's-links twins
  // A set naming a twin by title adds nothing.
  const std::vector<config::ReferenceSet> sets = {
      {"Twins", {"?BIBLES", "King James Version with Strong's Links"}}};
  EXPECT_EQ(BuildSetJob(c, kFixedSetCount, sets).value().size(), 3u);
  for (const FullSearchTreeRoot& root : BuildFullSearchTree(all))
    for (const FullSearchTreeModule& m : root.modules)
      EXPECT_EQ(m.caption.find("Strong's Links"), std::string::npos) << m.caption;
}

TEST_F(BigSearchLibraryTest, TopicModeOnNavesTitles) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const TopicGuide guide(Library(folder));
  const TopicGuideResult love = guide.Search("love").value();
  ASSERT_FALSE(love.verse_mode);
  Names roots;
  for (const auto& r : love.roots) roots.push_back(r.caption);
  // LOVEFEASTS and LOVERS hold "love" only inside a longer word.
  EXPECT_EQ(roots, Names{"LOVE"});
  EXPECT_EQ(love.selected_root, 0);
  const TopicGuideResult kindness = guide.Search("kindness").value();
  roots.clear();
  for (const auto& r : kindness.roots) roots.push_back(r.caption);
  EXPECT_EQ(roots, (Names{"BROTHERLY KINDNESS", "KINDNESS"}));
  EXPECT_EQ(kindness.selected_root, 1);
}

TEST_F(BigSearchLibraryTest, VerseModeForJohn3_16To18) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const TModuleCatalogue& c = Library(folder);
  const TopicGuideResult r = TopicGuide(c).Search("john 3:16-18").value();
  ASSERT_TRUE(r.verse_mode);
  const std::string ref = c.KjvBible()->GetShortBookTitle(43) + " 3:16-18";
  EXPECT_EQ(r.reference, ref);
  ASSERT_GE(r.roots.size(), 4u);
  EXPECT_EQ(r.roots[0].caption, "BIBLES for " + ref);
  EXPECT_EQ(r.roots[0].children.size(), c.Bibles().size());
  EXPECT_EQ(r.roots[1].caption, "Commentaries ON " + ref);
  Names on;
  for (const auto& n : r.roots[1].children) on.push_back(n.caption);
  EXPECT_EQ(on, (Names{"Scofield Reference Notes (1917) - John 3:16",
                       "Scofield Reference Notes (1917) - John 3:17",
                       "Scofield Reference Notes (1917) - John 3:18"}));
  EXPECT_EQ(r.roots[2].caption, "Commentaries REFERENCING " + ref);
  for (const TopicGuideHit& hit : r.hits) {
    if (hit.module.kind != ModuleKind::kBook) continue;
    EXPECT_EQ(hit.first_verse, 26137);
    EXPECT_EQ(hit.last_verse, 26139);
  }
  EXPECT_NE(r.StatusText(), kTopicGuideNoMatches);
}

}  // namespace
}  // namespace lumora
