// Back/forward history: the shared rule on its own, then the Bible view's
// history driven through its selectors and buttons on the sample library.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "tests/ui/sample_library.h"
#include "tests/ui/test_host.h"
#include "views/bible_view.h"
#include "views/navigation_history.h"

namespace lumora {
namespace {

using History = NavigationHistory<int>;

std::vector<int> List(const std::deque<int>& d) { return {d.begin(), d.end()}; }

TEST(NavigationHistoryTest, RecordKeepsFifteenWithoutDuplicatesAndSkipsPositionsThatDoNotCount) {
  History h;
  h.Record(99, false);  // nothing shown yet
  EXPECT_FALSE(h.CanGoBack());
  for (int i = 1; i <= 16; ++i) h.Record(i, true);
  ASSERT_EQ(h.Back().size(), 15u);
  EXPECT_EQ(h.Back().front(), 16);
  EXPECT_EQ(h.Back().back(), 2);  // the oldest fell off
  h.Record(16, true);             // already the most recent item
  EXPECT_EQ(h.Back().size(), 15u);
  EXPECT_EQ(h.Back()[1], 15);
}

TEST(NavigationHistoryTest, JumpsMoveItemsBetweenListsWithRecordingOff) {
  History h;
  for (int i : {10, 20, 30, 40}) h.Record(i, true);  // back: 40 30 20 10
  int target = 0;
  bool recording_during_jump = true;
  ASSERT_TRUE(h.JumpBack(2, 50, true, [&](int t) {
    target = t;
    recording_during_jump = h.Recording();
  }));
  EXPECT_EQ(target, 20);
  EXPECT_FALSE(recording_during_jump);
  EXPECT_TRUE(h.Recording());
  EXPECT_EQ(List(h.Back()), (std::vector<int>{10}));
  // Back item k-1 first, ..., back item 0, then the position left.
  EXPECT_EQ(List(h.Forward()), (std::vector<int>{30, 40, 50}));

  ASSERT_TRUE(h.JumpForward(0, 20, true, [&](int t) { target = t; }));
  EXPECT_EQ(target, 30);
  EXPECT_EQ(List(h.Back()), (std::vector<int>{20, 10}));
  EXPECT_EQ(List(h.Forward()), (std::vector<int>{40, 50}));

  // A position that does not count is not moved (Commentary, Book views).
  ASSERT_TRUE(h.JumpBack(0, 77, false, [&](int t) { target = t; }));
  EXPECT_EQ(List(h.Forward()), (std::vector<int>{40, 50}));

  // A drop-down row that no longer exists changes nothing.
  EXPECT_FALSE(h.JumpBack(5, 1, true, [&](int) { FAIL(); }));
  h.Record(5, true);
  EXPECT_FALSE(h.CanGoForward());
}

// --- The Bible view ----------------------------------------------------------

class BibleHistoryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { library_ = test::OpenSampleLibrary(); }
  static void TearDownTestSuite() { library_.reset(); }
  void SetUp() override {
    test::ResetSettings();
    view_.resize(800, 500);
    view_.show();
  }
  // A user's choice in the book selector.
  void ChooseBook(int book) {
    view_.BookSelector()->setCurrentIndex(book - 1);
    Q_EMIT view_.BookSelector()->activated(book - 1);
  }
  void ChooseChapter(int chapter) {
    view_.ChapterSelector()->setCurrentIndex(chapter - 1);
    Q_EMIT view_.ChapterSelector()->activated(chapter - 1);
  }
  std::vector<int> Back() const {
    return {view_.History().Back().begin(), view_.History().Back().end()};
  }
  std::vector<int> Forward() const {
    return {view_.History().Forward().begin(), view_.History().Forward().end()};
  }

  static std::shared_ptr<const test::SampleLibrary> library_;
  test::TPaneTestKit kit_;
  ui::TFrameBibleView view_{kit_.Context()};
};

std::shared_ptr<const test::SampleLibrary> BibleHistoryTest::library_;

#define LUMORA_REQUIRE_SAMPLE_LIBRARY(lib)         \
  const test::SampleLibrary* lib = library_.get(); \
  if (lib == nullptr) GTEST_SKIP() << "sample library not built (set LUMORA_LIBRARY)"

TEST_F(BibleHistoryTest, BackFromBookSelectorVisitsAndNewChapterEmptiesForward) {
  LUMORA_REQUIRE_SAMPLE_LIBRARY(lib);
  test::SetUpBibleView(view_, kit_.library, *lib);
  const int gen1 = lib->Verse(1, 1, 1), exod1 = lib->Verse(2, 1, 1), lev1 = lib->Verse(3, 1, 1);
  view_.GoToVerse(gen1);  // the first navigation records nothing
  EXPECT_TRUE(Back().empty());
  ChooseBook(2);
  ChooseBook(3);
  EXPECT_EQ(Back(), (std::vector<int>{exod1, gen1}));
  view_.ActionBack->trigger();
  EXPECT_EQ(view_.CurrentVerse(), exod1);
  EXPECT_EQ(view_.BookSelector()->currentIndex(), 1);
  EXPECT_EQ(Forward(), (std::vector<int>{lev1}));
  EXPECT_TRUE(view_.ActionForward->isEnabled());
  ChooseChapter(3);
  EXPECT_EQ(view_.CurrentVerse(), lib->Verse(2, 3, 1));
  EXPECT_TRUE(Forward().empty());
  EXPECT_FALSE(view_.ActionForward->isEnabled());
}

TEST_F(BibleHistoryTest, DropDownThirdItemMovesTwoItemsAndPositionLeft) {
  LUMORA_REQUIRE_SAMPLE_LIBRARY(lib);
  test::SetUpBibleView(view_, kit_.library, *lib);
  const int a = lib->Verse(1, 1, 1), b = lib->Verse(2, 1, 1), c = lib->Verse(3, 1, 1),
            d = lib->Verse(4, 1, 1), e = lib->Verse(5, 1, 1);
  for (int v : {a, b, c, d, e}) view_.GoToVerse(v);  // back: d c b a
  view_.JumpBack(2);
  EXPECT_EQ(view_.CurrentVerse(), b);
  EXPECT_EQ(Back(), (std::vector<int>{a}));
  EXPECT_EQ(Forward(), (std::vector<int>{c, d, e}));
  // Jumps record nothing of their own.
  view_.JumpForward(0);
  EXPECT_EQ(view_.CurrentVerse(), c);
  EXPECT_EQ(Back(), (std::vector<int>{b, a}));
  EXPECT_EQ(Forward(), (std::vector<int>{d, e}));
}

TEST_F(BibleHistoryTest, SixteenNavigationsKeepFifteenAndReturningAddsNoDuplicate) {
  LUMORA_REQUIRE_SAMPLE_LIBRARY(lib);
  test::SetUpBibleView(view_, kit_.library, *lib);
  for (int book = 1; book <= 17; ++book) view_.GoToVerse(lib->Verse(book, 1, 1));
  ASSERT_EQ(Back().size(), 15u);
  EXPECT_EQ(Back().front(), lib->Verse(16, 1, 1));
  EXPECT_EQ(Back().back(), lib->Verse(2, 1, 1));
  // Leaving the same place twice records it once.
  const int here = view_.CurrentVerse();
  view_.GoToVerse(here);
  EXPECT_EQ(Back().front(), here);
  view_.GoToVerse(here);
  EXPECT_EQ(Back().front(), here);
  EXPECT_EQ(Back()[1], lib->Verse(16, 1, 1));
}

TEST_F(BibleHistoryTest, CaptionsUseShortTitlesAndOmitVerseOne) {
  LUMORA_REQUIRE_SAMPLE_LIBRARY(lib);
  test::SetUpBibleView(view_, kit_.library, *lib);
  const std::string gen = lib->Kjv().GetShortBookTitle(1);
  EXPECT_EQ(BibleHistoryCaption(lib->Kjv(), lib->Verse(1, 1, 1)), gen + " 1");
  EXPECT_EQ(BibleHistoryCaption(lib->Kjv(), lib->Verse(1, 1, 5)), gen + " 1:5");
  view_.GoToVerse(lib->Verse(1, 1, 5));
  view_.GoToVerse(lib->Verse(1, 2, 1));
  view_.GoToVerse(lib->Verse(1, 3, 1));
  EXPECT_EQ(view_.HistoryCaptions(true), (QStringList{QString::fromStdString(gen + " 2"),
                                                      QString::fromStdString(gen + " 1:5")}));
}

}  // namespace
}  // namespace lumora
