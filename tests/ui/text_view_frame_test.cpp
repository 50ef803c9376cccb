#include "views/text_view_frame.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QToolTip>

#include <memory>
#include <string>
#include <vector>

#include "core/catalogue/module_catalogue.h"
#include "tests/library/library_fixture.h"
#include "tests/support/test_bible.h"
#include "tests/ui/sample_library.h"
#include "tests/ui/synthetic_library.h"
#include "tests/ui/test_host.h"
#include "tests/ui/wait_until.h"

namespace lumora::ui {
namespace {

using test::kJohn3_16;

TVerseList Chapter(const TLMBibleModule& bible, int book, int chapter) {
  TVerseList list;
  const int first = bible.LocateVerse(book, chapter, 1);
  for (int k = 0; k < bible.GetVerseCount(book, chapter); ++k) list.push_back(static_cast<uint16_t>(first + k));
  return list;
}

// A timer the test fires itself.
class ManualTimer : public IPreviewTimer {
 public:
  void Start(int ms, std::function<void()> fire) override {
    started.push_back(ms);
    fire_ = std::move(fire);
  }
  void Stop() override { fire_ = nullptr; }
  bool Running() const { return static_cast<bool>(fire_); }
  std::vector<int> started;

 private:
  std::function<void()> fire_;
};

class TextViewFrameTest : public ::testing::Test {
 protected:
  TextViewFrameTest() { kit_.library.Adopt(test::LoadSyntheticLibrary()); }
  void SetUp() override {
    frame_.resize(600, 300);
    frame_.show();
    frame_.HTMLView()->SetDisplayTextOptions({true, true, true});
    frame_.SetBible(Bible());
    frame_.AttachLibrary({});
  }
  const TLMBibleModule* Bible() const { return kit_.library.Kjv(); }
  void ShowJohn3(const config::TPropertiesBibleView& settings = {}) {
    frame_.Renderer().SetSettings(settings);
    frame_.ShowVerses(Chapter(*Bible(), 43, 3), {}, false, false);
  }
  int Verse(int chapter_verse) const { return Bible()->LocateVerse(43, 3, chapter_verse); }
  std::string Label(int chapter_verse) const {
    return Bible()->GetLongBookTitle(43) + " 3:" + std::to_string(chapter_verse);
  }
  THtmlView& View() { return *frame_.HTMLView(); }

  test::TPaneTestKit kit_;
  TFrameTextView frame_{kit_.host, kit_.library};
};

TEST_F(TextViewFrameTest, SelectVerseSelectsTheLabelInEveryLayout) {
  config::TPropertiesBibleView columns, flowing, paragraphs;
  flowing.column_mode = false;
  paragraphs.para_mode = true;
  for (const auto& [settings, label] :
       {std::pair{columns, Label(16)}, {flowing, Label(16)}, {paragraphs, std::string("16")}}) {
    ShowJohn3(settings);
    frame_.SelectVerse(kJohn3_16);
    EXPECT_EQ(View().SelectedText(), label);
    // Shown on screen: the label line is within the view.
    const int y = View().DisplayPositionCoords(View().CaretPos())->y();
    EXPECT_GE(y, View().VScrollBarPosition());
    EXPECT_LE(y, View().VScrollBarPosition() + View().ViewHeight());
  }
}

// A footnote in the side column must not take the text column's width on
// every row: the side column keeps a fixed share, its notes wrap.
TEST_F(TextViewFrameTest, FootnotesInTheSideColumnLeaveTheTextColumnWide) {
  for (const bool footnotes : {false, true}) {
    config::TPropertiesBibleView settings;
    settings.show_footnotes = footnotes;
    ShowJohn3(settings);
    QTextDocument& document = *View().document();
    QTextTable* table = nullptr;
    for (QTextFrame* frame : document.rootFrame()->childFrames())
      if ((table = qobject_cast<QTextTable*>(frame)) != nullptr) break;
    ASSERT_NE(table, nullptr);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    if (!footnotes) {
      for (const QTextLength& w : widths)  // no notes: the natural widths stay
        EXPECT_EQ(w.type(), QTextLength::VariableLength);
      continue;
    }
    ASSERT_EQ(widths.size(), table->columns());
    EXPECT_EQ(widths.back().type(), QTextLength::PercentageLength);
    // Laid out at the widget's width, the side column starts right of the
    // middle on every row.
    (void)document.documentLayout()->documentSize();
    const QRectF box = document.documentLayout()->frameBoundingRect(table);
    const int side = table->columns() - 1;
    const QTextBlock first_side = table->cellAt(0, side).firstCursorPosition().block();
    EXPECT_GT(document.documentLayout()->blockBoundingRect(first_side).left(),
              box.left() + box.width() * 0.6);
  }
}

TEST_F(TextViewFrameTest, SelectVerseIgnoresVersesNotOnThePage) {
  ShowJohn3();
  frame_.SelectVerse(kJohn3_16);
  const int scroll = View().VScrollBarPosition();
  for (int v : {0, -1, 31103, 65535, 70000, test::kGenesis1_1, Verse(36) + 1}) {
    frame_.SelectVerse(v);
    EXPECT_EQ(View().SelectedText(), Label(16)) << v;
    EXPECT_EQ(View().VScrollBarPosition(), scroll) << v;
  }
}

TEST_F(TextViewFrameTest, SelectVerseScrollsOnlyWhenTheLabelIsOutOfView) {
  ShowJohn3();
  frame_.SelectVerse(Verse(2));  // in view at the top: no scrolling
  EXPECT_EQ(View().VScrollBarPosition(), 0);
  frame_.SelectVerse(Verse(30));  // below: to the middle
  const int y = View().DisplayPositionCoords(View().FindDisplayPosition(
      frame_.Renderer().VersePositions()[Verse(30)].SourceOffset, false))->y();
  EXPECT_EQ(View().VScrollBarPosition(), std::min(y - View().ViewHeight() / 2,
                                                   View().verticalScrollBar()->maximum()));
}

TEST_F(TextViewFrameTest, FirstVisibleVerseFollowsTheScrollPosition) {
  ShowJohn3();
  EXPECT_EQ(frame_.FirstVisibleVerse(), Verse(1));
  frame_.ScrollToVerse(kJohn3_16);
  EXPECT_EQ(frame_.FirstVisibleVerse(), kJohn3_16);
  const int scroll = View().VScrollBarPosition();
  frame_.ScrollToVerse(test::kGenesis1_1);  // not on the page
  EXPECT_EQ(View().VScrollBarPosition(), scroll);
  frame_.ShowVerses({}, {}, false, false);
  EXPECT_EQ(frame_.FirstVisibleVerse(), -1);
}

TEST_F(TextViewFrameTest, RightClickFindsTheVerseAroundTheCaret) {
  const uint16_t sep = kVerseListSeparator;
  frame_.ShowVerses({static_cast<uint16_t>(Verse(1)), static_cast<uint16_t>(Verse(2)), sep,
                     static_cast<uint16_t>(kJohn3_16)},
                    {}, false, true);
  const std::string& html = frame_.Renderer().Html();
  const auto pos = [&](const std::string& s) {
    return View().FindDisplayPosition(static_cast<int64_t>(html.find(s)), false);
  };
  EXPECT_EQ(frame_.VerseAtDisplayPosition(0), Verse(1));
  EXPECT_EQ(frame_.VerseAtDisplayPosition(pos("3:2 ") + 2), Verse(2));  // its text
  EXPECT_EQ(frame_.VerseAtDisplayPosition(pos("<tr><td>&nbsp;</td></tr>")), Verse(2));  // the gap
  const int label16 = View().FindDisplayPosition(
      frame_.Renderer().VersePositions()[kJohn3_16].SourceOffset, false);
  EXPECT_EQ(frame_.VerseAtDisplayPosition(label16), kJohn3_16);
  EXPECT_EQ(frame_.VerseAtDisplayPosition(label16 - 1), Verse(2));
  EXPECT_EQ(frame_.VerseAtDisplayPosition(View().DocumentEnd()), kJohn3_16);

  // A page that opens with a separator never reports the separator.
  frame_.ShowVerses({sep, static_cast<uint16_t>(Verse(1))}, {}, false, true);
  EXPECT_EQ(frame_.VerseAtDisplayPosition(0), Verse(1));

  uint16_t reported = 0;
  frame_.on_right_click = [&](const std::string&, const std::string&, const std::string&,
                              const std::string&, uint16_t verse, const QPoint&) { reported = verse; };
  View().OnRightClick({"", "", "", QPoint(), 0});
  EXPECT_EQ(reported, Verse(1));
}

TEST_F(TextViewFrameTest, LinkDispatchCallsTheHostOnlyWithUsableNumbers) {
  ShowJohn3();
  // Commentaries: CN, CR, UN (user); Books: StrGrk, StrHeb, SYND, SYNT.
  struct Case {
    const char* href;
    std::string call;  // empty: nothing happens
  } cases[] = {
      {"lp:26137", "GoToVerse 26137 select"}, {"lp:$6619", "GoToVerse 26137 select"},
      {"lp:0", ""}, {"lp:31103", ""}, {"lp:-1", ""}, {"lp:", ""}, {"lp26137", ""},
      {"lc:0,26136", "ShowCommentary CN 26136"}, {"lc:2,5", "ShowCommentary UN 5"},
      {"lc:3,26136", ""}, {"lc:0,31102", ""}, {"lc:0", ""},
      {"ec:0,5", ""},  // the editor is not available
      {"ld:3,26137", "OpenBookAtVerse SYNT 26137"}, {"ld:3,0", ""}, {"ld:4,1", ""},
      {"h:2", "ShowBookEntry StrHeb 1"}, {"h:30", "ShowBookEntry StrHeb 29"}, {"h:31", ""},
      {"h:0", ""}, {"g:26", "ShowBookEntry StrGrk 25"}, {"g:$1A", "ShowBookEntry StrGrk 25"},
      {"LP:26137", ""}, {"http://example.org", ""}, {"pn:99", ""},
  };
  for (const Case& c : cases) {
    kit_.host.log.clear();
    bool handled = false;
    frame_.HTMLViewHotSpotClick(c.href, handled);
    EXPECT_TRUE(handled) << c.href;
    EXPECT_EQ(kit_.host.log,
              c.call.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.call})
        << c.href;
  }
  // The Bible view's own chapter links go to the verse without selecting.
  frame_.Renderer().SetNextChapterLink(true);
  kit_.host.log.clear();
  bool handled = false;
  frame_.HTMLViewHotSpotClick("lp:26137", handled);
  EXPECT_EQ(kit_.host.log, std::vector<std::string>{"GoToVerse 26137"});
}

TEST_F(TextViewFrameTest, PageLinksRerenderThisViewAtTheirPage) {
  TVerseList list;
  for (int v = 1; v <= 150; ++v) list.push_back(static_cast<uint16_t>(v));
  frame_.Renderer().SetPaged(true);
  frame_.Renderer().SetPageFirst(0);
  frame_.ShowVerses(list, {}, false, true);
  bool handled = false;
  frame_.HTMLViewHotSpotClick("pn:100", handled);
  EXPECT_EQ(frame_.Renderer().PageFirst(), 100);
  EXPECT_EQ(frame_.FirstVisibleVerse(), 101);
  EXPECT_EQ(View().DocumentSource(), frame_.Renderer().Html());
  frame_.HTMLViewHotSpotClick("pn:150", handled);  // past the list
  EXPECT_EQ(frame_.Renderer().PageFirst(), 100);
}

TEST_F(TextViewFrameTest, HoverPreviewsAfterTheDelayAndLeavingClearsIt) {
  ShowJohn3();
  auto timer = std::make_unique<ManualTimer>();
  ManualTimer& clock = *timer;
  frame_.Preview().SetTimer(std::move(timer));
  frame_.HTMLViewHotSpotCovered("lc:7,1");  // no such Commentary: nothing to show
  EXPECT_EQ(clock.started, std::vector<int>{kTextViewPreviewDelayMs});
  frame_.Preview().Fire();
  EXPECT_EQ(frame_.HintText(), "");
  EXPECT_FALSE(QToolTip::isVisible());

  frame_.HTMLViewHotSpotCovered("lc:0,26136");
  // Nothing is computed before the delay has passed.
  EXPECT_EQ(frame_.HintText(), "");
  EXPECT_EQ(frame_.Preview().PendingDelay(), kTextViewPreviewDelayMs);
  frame_.Preview().Fire();
  EXPECT_EQ(frame_.HintText(), "Synthetic Notes");
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("Synthetic Notes")));

  frame_.HTMLViewHotSpotCovered("");
  EXPECT_EQ(frame_.HintText(), "");
  EXPECT_FALSE(clock.Running());
  EXPECT_EQ(kit_.host.log, (std::vector<std::string>{"Preview on", "Preview off"}));
  LUMORA_WAIT_UNTIL(!QToolTip::isVisible());
}

TEST(TextViewFrameLibrary, SelectsJohn316InTheStrongsLinksKjv) {
  LUMORA_REQUIRE_LIBRARY(folder);
  // Held only while the test runs: module files are mapped exclusively, and
  // the main window tests open the same library later.
  const std::shared_ptr<const test::SampleLibrary> lib = test::OpenSampleLibrary();
  ASSERT_NE(lib, nullptr) << folder;
  const TModuleCatalogue* catalogue = lib->catalogue.get();
  test::TPaneTestKit kit;
  test::AttachSample(kit.library, *lib);
  for (const TLMBibleModule* bible : {catalogue->KjvBible(), catalogue->StrongsLinksBible()}) {
    ASSERT_NE(bible, nullptr);
    TFrameTextView frame(kit.host, kit.library);
    frame.resize(600, 300);
    frame.show();
    frame.SetBible(bible);
    frame.AttachLibrary({});
    frame.ShowVerses(Chapter(*bible, 43, 3), {}, false, false);
    frame.SelectVerse(kJohn3_16);
    EXPECT_EQ(frame.HTMLView()->SelectedText(), "John 3:16") << bible->GetAbbreviation();
    frame.ScrollToVerse(kJohn3_16);
    EXPECT_EQ(frame.FirstVisibleVerse(), kJohn3_16) << bible->GetAbbreviation();
  }
}

}  // namespace
}  // namespace lumora::ui
