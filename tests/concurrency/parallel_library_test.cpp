// The fast path against the reference path on the sample library (skipped
// without LUMORA_LIBRARY): zlib's inflater and a scan on the calling thread
// against libdeflate and the worker pool. Tree, counts, every result page
// and every observer call must be byte for byte the same.
#include <gtest/gtest.h>

#include <memory>

#include "core/codec/compression.h"
#include "core/refs/verse_index.h"
#include "search/full_search_page.h"
#include "search/full_search_results.h"
#include "tests/concurrency/full_search_trace.h"
#include "tests/library/library_fixture.h"

namespace lumora {
namespace {

// One catalogue for the suite: the library's files are opened exclusively.
class ParallelLibraryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string folder = test::SampleLibraryFolder();
    if (folder.empty()) return;
    catalogue_ = std::make_unique<TModuleCatalogue>();
    const Status loaded = catalogue_->LoadModules(folder);
    EXPECT_TRUE(loaded.ok()) << loaded.message();
  }
  static void TearDownTestSuite() { catalogue_.reset(); }
  void TearDown() override { SetInflateEngine(InflateEngine::kFast); }

  static std::unique_ptr<TModuleCatalogue> catalogue_;
};

std::unique_ptr<TModuleCatalogue> ParallelLibraryTest::catalogue_;

// Everything the window would show after a search: the status text, the
// tree, and for each module its page chooser and every result page.
struct SearchShown {
  std::vector<std::string> lines;
  test::FullSearchTrace trace;
};

void Show(const TModuleCatalogue& c, const std::string& text, bool case_sensitive,
          bool substring, int workers, SearchShown& shown) {
  TBigSearchArray job = BuildSetJob(c, kSetEverything, {}).value();
  auto matcher = FullSearchMatcher::Create(text, case_sensitive, substring);
  ASSERT_TRUE(matcher.ok());
  const FullSearchOutcome outcome = RunFullSearch(job, *matcher, *c.KjvBible(), &shown.trace,
                                                  workers);
  std::vector<std::string>& out = shown.lines;
  out.push_back(test::OutcomeText(outcome));
  out.push_back(FullSearchFoundText(outcome.found));
  for (const FullSearchTreeRoot& root : BuildFullSearchTree(job)) {
    out.push_back(root.caption);
    for (const FullSearchTreeModule& m : root.modules) {
      out.push_back(m.caption);
      const TBigSearchNode& node = job[m.node];
      const std::vector<int> results = node.HitList();
      for (const std::string& item : FullSearchPageChooser(node, results, *c.KjvBible()))
        out.push_back(item);
      for (size_t start = 0; start < results.size(); start += kFullSearchPageSize) {
        FullSearchPageRequest page{&node, &results, static_cast<int>(start), text,
                                   case_sensitive, c.KjvBible()};
        out.push_back(FullSearchPageHtml(page));
      }
    }
  }
}

TEST_F(ParallelLibraryTest, FastPathShowsWhatTheReferencePathShows) {
  LUMORA_REQUIRE_LIBRARY(folder);
  struct Search {
    const char* text;
    bool case_sensitive, substring;
  } searches[] = {{"grace", false, true}, {"LORD", true, false}};
  for (const Search& s : searches) {
    SearchShown reference, fast;
    SetInflateEngine(InflateEngine::kZlib);
    Show(*catalogue_, s.text, s.case_sensitive, s.substring, 0, reference);
    SetInflateEngine(InflateEngine::kFast);
    Show(*catalogue_, s.text, s.case_sensitive, s.substring, 2, fast);
    EXPECT_EQ(fast.lines, reference.lines) << s.text;
    EXPECT_EQ(fast.trace.calls, reference.trace.calls) << s.text;
    EXPECT_EQ(fast.trace.questions, reference.trace.questions) << s.text;
    EXPECT_GT(reference.lines.size(), 20u) << s.text;  // hits in many modules, many pages
  }
}

// Every stored text of the library through both inflaters: verses in the
// two modes the search and the Bible view use, entries as stored.
TEST_F(ParallelLibraryTest, EveryTextReadsTheSameWithBothInflaters) {
  LUMORA_REQUIRE_LIBRARY(folder);
  auto read_all = [](const TModuleCatalogue& c) {
    std::vector<std::string> texts;
    for (const auto& b : c.Bibles())
      for (int i = 1; i <= b->VerseCount(); ++i) {
        texts.push_back(b->GetVerseText(i, false, true));
        texts.push_back(b->GetVerseText(i, b->IsStrongsLinks(), false));
      }
    for (const auto& b : c.Books())
      for (int e = 0; e < b->EntryCount(); ++e) texts.push_back(b->GetEntryText(e));
    for (const auto& m : c.Commentaries())
      for (int s = 0; s < kVerseCount; ++s)
        if (m->HasEntry(s)) texts.push_back(m->GetEntryText(s));
    return texts;
  };
  SetInflateEngine(InflateEngine::kZlib);
  const std::vector<std::string> reference = read_all(*catalogue_);
  SetInflateEngine(InflateEngine::kFast);
  const std::vector<std::string> fast = read_all(*catalogue_);
  ASSERT_EQ(fast.size(), reference.size());
  size_t differing = 0;
  for (size_t i = 0; i < fast.size(); ++i) differing += fast[i] != reference[i];
  EXPECT_EQ(differing, 0u);
  EXPECT_GT(fast.size(), 200000u);
}

}  // namespace
}  // namespace lumora
