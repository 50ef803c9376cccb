// The full search on worker threads against the scan on the calling thread,
// on the synthetic library of bigsearch_fixture.h: the same job, outcome
// and observer calls for any number of workers, also when stopped anywhere.
#include <gtest/gtest.h>

#include "search/full_search_job.h"
#include "search/full_search_pool.h"
#include "tests/concurrency/full_search_trace.h"
#include "tests/search/bigsearch_fixture.h"

namespace lumora {
namespace {

struct TracedScan {
  TracedScan(const std::string& text, bool case_sensitive, bool substring, int workers,
             long stop_at = -1)
      : job(BuildSetJob(test::BigSearchLibrary(), kSetEverything, {}).value()), trace(stop_at) {
    auto matcher = FullSearchMatcher::Create(text, case_sensitive, substring);
    EXPECT_TRUE(matcher.ok());
    outcome = RunFullSearch(job, *matcher, *test::BigSearchLibrary().KjvBible(), &trace, workers);
  }
  TBigSearchArray job;
  test::FullSearchTrace trace;
  FullSearchOutcome outcome;
};

void ExpectSameScan(const TracedScan& pooled, const TracedScan& alone, const std::string& what) {
  EXPECT_EQ(test::OutcomeText(pooled.outcome), test::OutcomeText(alone.outcome)) << what;
  EXPECT_EQ(test::JobState(pooled.job), test::JobState(alone.job)) << what;
  EXPECT_EQ(pooled.trace.questions, alone.trace.questions) << what;
  EXPECT_EQ(pooled.trace.calls, alone.trace.calls) << what;
}

TEST(ParallelFullSearchTest, AnyNumberOfWorkersScansAsOneThreadDoes) {
  struct Search {
    const char* text;
    bool case_sensitive, substring;
  } searches[] = {{"grace", false, true}, {"Lord", true, false}, {"internal error", false, true},
                  {"love", false, false}};
  for (const Search& s : searches) {
    const TracedScan alone(s.text, s.case_sensitive, s.substring, 0);
    EXPECT_FALSE(alone.outcome.stopped);
    for (const int workers : {1, 2, 3, 8})
      ExpectSameScan(TracedScan(s.text, s.case_sensitive, s.substring, workers), alone,
                     std::string(s.text) + " with " + std::to_string(workers) + " workers");
  }
}

TEST(ParallelFullSearchTest, StopKeepsExactlyWhatOneThreadWouldHaveFound) {
  const TracedScan whole("grace", false, true, 0);
  const long questions = whole.trace.questions;
  // Within the first Bible, at slice ends, between modules, in the Books and
  // at the last question of all.
  for (const long stop : {1L, 2L, 999L, 1000L, 1001L, 31102L, 31103L, 62204L, 93306L, 93307L,
                          93310L, questions - 1, questions}) {
    const TracedScan alone("grace", false, true, 0, stop);
    EXPECT_TRUE(alone.outcome.stopped) << stop;
    EXPECT_EQ(alone.trace.questions, stop);
    ExpectSameScan(TracedScan("grace", false, true, 2, stop), alone,
                   "stopped at question " + std::to_string(stop));
  }
}

TEST(ParallelFullSearchTest, PoolHandsOutEveryItemInJobOrder) {
  const TModuleCatalogue& library = test::BigSearchLibrary();
  const TBigSearchArray job = BuildSetJob(library, kSetAllBooks, {}).value();
  auto matcher = FullSearchMatcher::Create("grace", false, true);
  ASSERT_TRUE(matcher.ok());
  FullSearchPool pool(job, *matcher, *library.KjvBible(), 2);
  std::vector<std::string> states;
  for (size_t n = 0; n < job.size(); ++n)
    for (int item = 0; item < job[n].module.ItemCount(); ++item) {
      const FullSearchProbe& p = pool.Take(n, item);
      const FullSearchProbe alone =
          ProbeFullSearchItem(job[n].module, item, *matcher, *library.KjvBible());
      EXPECT_EQ(p.state, alone.state);
      EXPECT_EQ(p.hit, alone.hit);
      EXPECT_EQ(p.damage, alone.damage);
      states.push_back(std::to_string(static_cast<int>(p.state)) + "@" + std::to_string(p.hit));
    }
  // DMG: A hit, B damaged, C hit; TT: LOVE's text holds "grace".
  EXPECT_EQ(states, (std::vector<std::string>{"1@6", "2@0", "1@6", "1@0", "1@0", "1@0", "1@30",
                                              "1@0", "1@0"}));
  // Past the job, or backwards: nothing, not a crash.
  EXPECT_EQ(pool.Take(job.size(), 0).state, FullSearchProbe::State::kAbsent);
  EXPECT_EQ(pool.Take(0, 0).state, FullSearchProbe::State::kAbsent);
}

}  // namespace
}  // namespace lumora
