// The full reference search on the synthetic library of bigsearch_fixture.h.
#include <gtest/gtest.h>

#include "search/full_search_job.h"
#include "search/full_search_page.h"
#include "search/full_search_results.h"
#include "search/full_search_scan.h"
#include "search/full_search_texts.h"
#include "tests/search/bigsearch_fixture.h"
#include "tests/support/test_bible.h"

namespace lumora {
namespace {

using Names = std::vector<std::string>;
const TLMBibleModule& Kjv() { return *test::BigSearchLibrary().KjvBible(); }

Names Abbreviations(const TBigSearchArray& job) {
  Names out;
  for (const auto& node : job) out.push_back(node.module.Abbreviation());
  return out;
}

class Recorder : public FullSearchObserver {
 public:
  void OnProgress(const FullSearchProgress& p) override {
    if (modules.empty() || modules.back() != p.module_title) modules.push_back(p.module_title);
    maximum = p.maximum;
    last = p;
  }
  void OnModuleDamaged(const std::string& title, const std::string& message) override {
    damaged.push_back(title + "|" + message.substr(0, 27));
  }
  bool ShouldStop() override { return stop_after_first && modules.size() > 1; }

  bool stop_after_first = false;
  Names modules, damaged;
  int64_t maximum = 0;
  FullSearchProgress last;
};

struct Search {
  Search(int choice, const std::string& text, bool case_sensitive = false, bool substring = true,
         Recorder* observer = nullptr)
      : job(BuildSetJob(test::BigSearchLibrary(), choice, {}).value()) {
    auto matcher = FullSearchMatcher::Create(text, case_sensitive, substring);
    EXPECT_TRUE(matcher.ok());
    outcome = RunFullSearch(job, *matcher, Kjv(), observer);
  }
  const TBigSearchNode& Node(const std::string& abbreviation) const {
    for (const auto& n : job)
      if (n.module.Abbreviation() == abbreviation) return n;
    ADD_FAILURE() << abbreviation;
    return job.front();
  }
  std::string Page(const std::string& abbreviation, int start, const std::string& text) const {
    const TBigSearchNode& node = Node(abbreviation);
    static std::vector<int> results;
    results = node.HitList();
    FullSearchPageRequest r{&node, &results, start, text, false, &Kjv(), 0x000000FF};
    return FullSearchPageHtml(r);
  }
  TBigSearchArray job;
  FullSearchOutcome outcome;
};

TEST(FullSearchMatchTest, WholeWordRuleLooksPastRejectedOccurrences) {
  struct Case {
    const char* pattern;
    bool case_sensitive, substring;
    const char* text;
    size_t hit;
  } cases[] = {
      {"lord", false, false, "the lordship of the Lord", 21},
      {"lord", false, true, "the lordship of the Lord", 5},
      {"lord", true, false, "the lordship of the Lord", 0},
      {"Lord", true, false, "the lordship of the Lord", 21},
      {"lord", false, false, "Lord", 1},
      {"lord", false, false, "xlord lordx", 0},
      {"lord", false, false, "(lord.)", 2},
      {"lord", false, false, "\xE9lord", 2},  // only A-Z/a-z are letters here
  };
  for (const Case& c : cases) {
    auto m = FullSearchMatcher::Create(c.pattern, c.case_sensitive, c.substring);
    ASSERT_TRUE(m.ok());
    EXPECT_EQ(m->Match(c.text), c.hit) << c.pattern << " in " << c.text;
  }
  EXPECT_EQ(FullSearchMatcher::Create("", false, true).status().message(), "BufferLen is 0");
}

TEST(FullSearchJobTest, ChoicesAndSetsNeverHoldStrongsLinksTwins) {
  EXPECT_EQ(test::BigSearchLibrary().Bibles().size(), 5u);  // two twins loaded
  const std::pair<int, Names> fixed[] = {
      {kSetEverything, {"KJV", "ABC", "MNY", "DMG", "TT", "TN"}},
      {kSetBooksAndCommentaries, {"DMG", "TT", "TN"}},
      {kSetAllBibles, {"KJV", "ABC", "MNY"}},
      {kSetAllBooks, {"DMG", "TT"}},
      {kSetAllCommentaries, {"TN"}}};
  for (const auto& [choice, names] : fixed)
    EXPECT_EQ(Abbreviations(BuildSetJob(test::BigSearchLibrary(), choice, {}).value()), names)
        << choice;

  const std::vector<config::ReferenceSet> sets = {
      {"Mine", {"?BOOKS", "KJV Bible with Strong's Links", "Gone Module", "test notes"}},
      {"Bibles", {"?BIBLES"}},
      {"Twin only", {"ABC Bible with Strong's Links"}}};
  EXPECT_EQ(Abbreviations(BuildSetJob(test::BigSearchLibrary(), kFixedSetCount, sets).value()),
            (Names{"DMG", "TT", "TN"}));
  EXPECT_EQ(Abbreviations(BuildSetJob(test::BigSearchLibrary(), kFixedSetCount + 1, sets).value()),
            (Names{"KJV", "ABC", "MNY"}));
  EXPECT_EQ(BuildSetJob(test::BigSearchLibrary(), kFixedSetCount + 2, sets).status().message(),
            kFullSearchNoModulesMessage);
  EXPECT_EQ(BuildSetJob(test::BigSearchLibrary(), kFixedSetCount + 3, sets).status().message(),
            kFullSearchNoSetMessage);

  Names single;
  for (const ModuleRef& m : SingleModuleList(test::BigSearchLibrary())) single.push_back(m.Title());
  EXPECT_EQ(single, (Names{"ABC Bible", "Damaged Book", "KJV Bible", "MNY Bible", "Test Notes",
                           "Topical Test"}));
  EXPECT_EQ(FullSearchSetList({}).size(), 5u);
  EXPECT_EQ(SetListIndexOf(sets, "BIBLES"), kFixedSetCount + 1);
}

TEST(FullSearchScanTest, CountsEachVerseOnceAndReportsProgress) {
  Recorder observer;
  const Search s(kSetEverything, "grace", false, true, &observer);
  // KJV: the footnote of John 3:16; MNY: 101 verses; DMG: A and C; TT: LOVE;
  // TN: Genesis 1:1 and John 3:16.
  EXPECT_EQ(s.outcome.found, 1 + 101 + 2 + 1 + 2);
  EXPECT_FALSE(s.outcome.stopped);
  int sum = 0;
  for (const auto& node : s.job) sum += node.hit_count;
  EXPECT_EQ(sum, s.outcome.found);
  EXPECT_EQ(observer.maximum, 4 * int64_t{kVerseCount} + 3 + 6);
  EXPECT_EQ(observer.modules, (Names{"KJV Bible", "ABC Bible", "MNY Bible", "Damaged Book",
                                     "Topical Test", "Test Notes"}));
  EXPECT_EQ(observer.last.found, s.outcome.found);
  EXPECT_EQ(FullSearchFoundText(s.outcome.found), "107 Entries found.");

  const auto tree = BuildFullSearchTree(s.job);
  ASSERT_EQ(tree.size(), 3u);
  EXPECT_EQ(tree[0].caption, "Bibles");
  EXPECT_EQ(tree[0].modules[0].caption, "KJV Bible (1)");
  EXPECT_EQ(tree[0].modules[1].caption, "MNY Bible (101)");
  EXPECT_EQ(tree[1].caption, "Books");
  EXPECT_EQ(tree[2].modules[0].caption, "Test Notes (2)");
}

TEST(FullSearchScanTest, DamagedRecordIsReportedAndNeverMatched) {
  Recorder observer;
  const Search s(kSetAllBooks, "internal error", false, true, &observer);
  EXPECT_EQ(observer.damaged, Names{"Damaged Book|[Non-fatal internal error: "});
  EXPECT_EQ(s.Node("DMG").damaged_count, 1);
  EXPECT_EQ(s.outcome.found, 0);
  EXPECT_EQ(s.outcome.damaged_modules, 1);
  // The scan went on past the damaged record and the damaged module.
  const Search after(kSetAllBooks, "grace");
  EXPECT_EQ(after.Node("DMG").HitList(), (std::vector<int>{0, 2}));
  EXPECT_EQ(after.Node("TT").hit_count, 1);
}

TEST(FullSearchScanTest, StopKeepsTheHitsFoundSoFar) {
  Recorder observer;
  observer.stop_after_first = true;
  const Search s(kSetEverything, "god", false, true, &observer);
  EXPECT_TRUE(s.outcome.stopped);
  EXPECT_EQ(s.Node("KJV").hit_count, 2);  // Genesis 1:1, John 3:16
  EXPECT_EQ(s.outcome.found, 2);
  EXPECT_EQ(s.Node("TN").hit_count, 0);
}

TEST(FullSearchResultsTest, CommentaryHitsAreSlotsAndOpenTheVerseTheyName) {
  const Search s(kSetAllCommentaries, "grace");
  const TBigSearchNode& notes = s.Node("TN");
  const std::vector<int> results = notes.HitList();
  EXPECT_EQ(results, (std::vector<int>{0, test::kJohn3_16 - 1}));
  const std::string page = s.Page("TN", 0, "grace");
  EXPECT_NE(page.find("<p><a href=\"loadentry:" + std::to_string(test::kJohn3_16) +
                      "\">John 3:16</a><br>God so loved: <b><font color=\"#FF0000\">grace</font></b>"),
            std::string::npos)
      << page;
  const FullSearchLink link =
      ResolveFullSearchLink("loadentry:" + std::to_string(test::kJohn3_16), notes, results);
  EXPECT_EQ(link.kind, FullSearchLink::kOpenComment);
  EXPECT_EQ(link.target, test::kJohn3_16 - 1);
  EXPECT_EQ(ResolveFullSearchLink("loadentry:1", notes, results).target, 0);
  // Links that name no result of the page do nothing.
  for (const char* href : {"loadentry:2", "loadentry:-1", "loadview:2", "loadentry:$x", "x:1"})
    EXPECT_EQ(ResolveFullSearchLink(href, notes, results).kind, FullSearchLink::kNone) << href;
  const FullSearchLink view = ResolveFullSearchLink("loadview:1", notes, results);
  EXPECT_EQ(view.kind, FullSearchLink::kShowPage);
  EXPECT_EQ(view.start, 1);
}

TEST(FullSearchPageTest, PagesOfOneHundredWithSummaries) {
  const Search s(kSetAllBibles, "grace");
  const TBigSearchNode& many = s.Node("MNY");
  const std::vector<int> results = many.HitList();
  EXPECT_EQ(FullSearchPageChooser(many, results, Kjv()),
            (Names{"1 - 100 (Genesis 1:1 - Genesis 4:20)", "101 - 101 (Genesis 4:21 - Genesis 4:21)"}));
  const std::string first =
      "<font size=-1>Showing results 1 - 100 of 101 in MNY Bible.<br>"
      "<a href=\"loadview:100\">Next 1</a></font>";
  const std::string page = s.Page("MNY", 0, "grace");
  EXPECT_TRUE(page.starts_with(first + "<p><a href=\"loadentry:1\">Genesis 1:1</a><br>"));
  EXPECT_TRUE(page.ends_with("<p>" + first));
  const std::string second =
      "<font size=-1>Showing results 101 - 101 of 101 in MNY Bible.<br>"
      "<a href=\"loadview:0\">Previous 100</a> </font>";
  EXPECT_TRUE(s.Page("MNY", 100, "grace").starts_with(second));
  const Search mercy(kSetAllBibles, "mercy");
  EXPECT_TRUE(mercy.Page("MNY", 0, "mercy")
                  .starts_with("<font size=-1>Showing all 100 results in MNY Bible.</font>"));
  EXPECT_EQ(s.Page("MNY", 101, "grace"), "");
}

TEST(FullSearchPageTest, InsertedTextIsEscapedAndTheHitMarked) {
  const Search s(kSetEverything, "lord", false, false);
  const std::string mark = "<b><font color=\"#FF0000\">";
  // A Bible without the bracket flag: its markup-like text is escaped.
  EXPECT_NE(s.Page("ABC", 0, "lord").find("<br>x &lt;b&gt;" + mark + "Lord</font></b>&lt;/b&gt; &amp; y"),
            std::string::npos);
  // Brackets removed; the mark goes on the first occurrence, as scanned.
  EXPECT_NE(s.Page("KJV", 0, "lord").find("<br>the " + mark + "lord</font></b>ship of the Lord"),
            std::string::npos);
  // A Book entry found by its title: escaped title, no mark.
  EXPECT_EQ(s.Node("TT").positions[test::kLordAndMaster], -1);
  const std::string book = s.Page("TT", 0, "lord");
  EXPECT_NE(book.find("<a href=\"loadentry:2\">LORD &amp; MASTER</a><br>Title &amp; only"),
            std::string::npos);
  EXPECT_EQ(book.find(mark), std::string::npos);
}

TEST(FullSearchPageTest, ExcerptAroundTheHit) {
  std::string text;
  for (int i = 0; i < 500; ++i) text += static_cast<char>('a' + i % 26);
  EXPECT_EQ(FullSearchExcerpt(text, 250), "..." + text.substr(149, 200) + "...");
  EXPECT_EQ(FullSearchExcerpt(text, 1), text.substr(0, 200) + "...");
  EXPECT_EQ(FullSearchExcerpt(text, -1), text.substr(0, 200) + "...");
  EXPECT_EQ(FullSearchExcerpt(text.substr(0, 250), 240), "..." + text.substr(49, 200));
  EXPECT_EQ(FullSearchExcerpt("short", 2), "short");
}

}  // namespace
}  // namespace lumora
