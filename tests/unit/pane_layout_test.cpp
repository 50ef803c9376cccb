#include "app/pane_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumora {
namespace {

using P = LayoutPane;

PaneVisibility Panes(bool vl, bool book, bool bible, bool comment) {
  return {vl, book, bible, comment};
}

TEST(PaneLayout, RoundsHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(353.25), 353);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
}

TEST(PaneLayout, SizesFollowTheFractionsOfWhatShows) {
  const PaneFractions f{0.45, 0.3, 0.45};
  struct Case {
    PaneVisibility v;
    PaneSizes want;
  } cases[] = {
      // 785 * 0.45 = 353.25; 500 * 0.3 = 150; 500 * 0.45 = 225.
      {Panes(true, true, true, true), {353, 150, 225}},
      {Panes(true, false, true, true), {353, 500, 225}},   // no Book: the verse list fills
      {Panes(false, true, true, false), {353, 0, 0}},
      {Panes(true, true, false, false), {785, 150, 0}},    // no right column
      {Panes(false, false, true, true), {0, 0, 225}},      // no left column
      {Panes(false, false, false, true), {0, 0, 500}},     // the Commentary fills its column
  };
  for (const Case& c : cases) {
    const PaneSizes s = ComputePaneSizes(c.v, f, 785, 500);
    EXPECT_EQ(s.left_width, c.want.left_width);
    EXPECT_EQ(s.verse_list_height, c.want.verse_list_height);
    EXPECT_EQ(s.commentary_height, c.want.commentary_height);
  }
  // 0.5 of an odd height: the half goes to the even neighbour.
  EXPECT_EQ(ComputePaneSizes(Panes(true, true, false, false), {0.45, 0.5, 0.45}, 100, 501)
                .verse_list_height,
            250);
}

TEST(PaneLayout, TogglesNeverLeaveTheWindowEmpty) {
  struct Case {
    PaneVisibility v;
    LayoutPane pane;
    std::vector<PaneStep> want;
  } cases[] = {
      {Panes(false, false, true, false), P::kCommentary, {{P::kCommentary, true}}},
      {Panes(false, false, true, true), P::kBible, {{P::kBible, false}}},
      // The only pane: the Bible shows first (for the Bible, the verse list).
      {Panes(false, false, false, true), P::kCommentary,
       {{P::kBible, true}, {P::kCommentary, false}}},
      {Panes(false, false, true, false), P::kBible, {{P::kVerseList, true}, {P::kBible, false}}},
      {Panes(true, false, false, false), P::kVerseList,
       {{P::kBible, true}, {P::kVerseList, false}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ToggleSteps(c.v, c.pane), c.want);
}

TEST(PaneLayout, ViewAllCountsOnlyPanesThatCanShow) {
  EXPECT_TRUE(ViewAllEnabled(Panes(false, false, true, false), false, false));
  EXPECT_FALSE(ViewAllEnabled(Panes(true, false, true, false), false, false));
  EXPECT_TRUE(ViewAllEnabled(Panes(true, false, true, false), true, false));
  EXPECT_FALSE(ViewAllEnabled(Panes(true, true, true, true), true, true));
}

TEST(PaneLayout, MaximiseShowsOneAndHidesTheRest) {
  EXPECT_EQ(MaximizeSteps(P::kBook),
            (std::vector<PaneStep>{{P::kBook, true}, {P::kBible, false}, {P::kCommentary, false},
                                   {P::kVerseList, false}}));
}

TEST(PaneLayout, DragsGiveFractionsStrictlyInsideTheWhole) {
  EXPECT_DOUBLE_EQ(FractionAfterDrag(150, 500, 0.5), 0.3);
  EXPECT_DOUBLE_EQ(FractionAfterDrag(0, 500, 0.5), 0.5);
  EXPECT_DOUBLE_EQ(FractionAfterDrag(500, 500, 0.5), 0.5);
  EXPECT_DOUBLE_EQ(FractionAfterDrag(10, 0, 0.45), 0.45);
}

}  // namespace
}  // namespace lumora
