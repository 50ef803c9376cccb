#include "views/text_view_frame.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

#include <memory>
#include <string>
#include <vector>

#include "core/catalogue/module_catalogue.h"
#include "core/platform/memory/memory_file_system.h"
#include "tests/library/library_fixture.h"
#include "tests/support/test_bible.h"
#include "tools/builder/bible_builder.h"
#include "tools/builder/entry_builders.h"

namespace lumora::ui {
namespace {

using test::kJohn3_16;

// One synthetic Bible, Commentary and Book for the whole program (never
// destroyed: modules must not outlive the mapping cache).
struct Modules {
  MemoryFileSystem fs;
  std::unique_ptr<TLMBibleModule> bible;
  std::vector<std::unique_ptr<TLMCommentaryModule>> commentaries;
  std::vector<std::unique_ptr<TLMDictionaryModule>> books;
};

const Modules& Library() {
  static Modules* m = [] {
    auto* lib = new Modules;
    lib->fs.SetFile("/KJV.lmb", test::TestBibleBytes("KJV"));
    lib->bible = std::move(TLMBibleModule::Create("/KJV.lmb", lib->fs)).value();
    std::vector<std::string> notes(31102);
    notes[kJohn3_16 - 1] = "note";
    const builder::CommentarySource c{"Notes", "CN", "TEST", notes};
    lib->fs.SetFile("/CN.lmc", *builder::BuildCommentaryModule(c));
    lib->commentaries.push_back(std::move(TLMCommentaryModule::Create("/CN.lmc", lib->fs)).value());
    builder::BookSource b{"Lexicon", "LX", "TEST", {{"one", "a"}, {"two", "b"}}};
    lib->fs.SetFile("/LX.lmk", *builder::BuildBookModule(b));
    lib->books.push_back(std::move(TLMDictionaryModule::Create("/LX.lmk", lib->fs)).value());
    return lib;
  }();
  return *m;
}

TVerseList Chapter(const TLMBibleModule& bible, int book, int chapter) {
  TVerseList list;
  const int first = bible.LocateVerse(book, chapter, 1);
  for (int k = 0; k < bible.GetVerseCount(book, chapter); ++k) list.push_back(static_cast<uint16_t>(first + k));
  return list;
}

class TextViewFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_.resize(600, 300);
    frame_.show();
    frame_.HTMLView()->SetDisplayTextOptions({true, true, true});
    frame_.SetBible(Library().bible.get());
    frame_.Renderer().SetLinkedCommentaries(Library().commentaries);
    frame_.Renderer().SetLinkedBooks(Library().books);
  }
  void ShowJohn3(const config::TPropertiesBibleView& settings = {}) {
    frame_.Renderer().SetSettings(settings);
    frame_.ShowVerses(Chapter(*Library().bible, 43, 3), {}, false, false);
  }
  int Verse(int chapter_verse) const { return Library().bible->LocateVerse(43, 3, chapter_verse); }
  std::string Label(int chapter_verse) const {
    return Library().bible->GetLongBookTitle(43) + " 3:" + std::to_string(chapter_verse);
  }
  THtmlView& View() { return *frame_.HTMLView(); }

  TFrameTextView frame_;
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

TEST_F(TextViewFrameTest, LinkDispatchCallsTheOwnerOnlyWithUsableNumbers) {
  ShowJohn3();
  frame_.SetStrongsBooks(Library().books[0].get(), nullptr);
  std::vector<std::string> calls;
  const auto log = [&](std::string s) { calls.push_back(std::move(s)); };
  frame_.on_go_to_verse = [&](int v, bool select) { log("go " + std::to_string(v) + " " + (select ? "select" : "")); };
  frame_.on_show_commentary = [&](int k, int p) { log("lc " + std::to_string(k) + " " + std::to_string(p)); };
  frame_.on_edit_commentary = [&](int k, int p) { log("ec " + std::to_string(k) + " " + std::to_string(p)); };
  frame_.on_open_book_at_verse = [&](const TLMDictionaryModule* b, int v) { log("ld " + b->GetAbbreviation() + " " + std::to_string(v)); };
  frame_.on_show_book_entry = [&](const TLMDictionaryModule* b, int e) { log("lex " + b->GetAbbreviation() + " " + std::to_string(e)); };
  struct Case {
    const char* href;
    std::string call;  // empty: nothing happens
  } cases[] = {
      {"lp:26137", "go 26137 select"}, {"lp:$6619", "go 26137 select"},
      {"lp:0", ""}, {"lp:31103", ""}, {"lp:-1", ""}, {"lp:", ""}, {"lp26137", ""},
      {"lc:0,26136", "lc 0 26136"}, {"lc:1,26136", ""}, {"lc:0,31102", ""},
      {"ec:0,5", ""},  // no editable Commentary
      {"ld:0,26137", "ld LX 26137"}, {"ld:0,0", ""}, {"ld:2,1", ""},
      {"h:2", "lex LX 1"}, {"h:3", ""}, {"h:0", ""}, {"g:1", ""},  // no Greek lexicon
      {"LP:26137", ""}, {"http://example.org", ""}, {"pn:99", ""},
  };
  for (const Case& c : cases) {
    calls.clear();
    bool handled = false;
    frame_.HTMLViewHotSpotClick(c.href, handled);
    EXPECT_TRUE(handled) << c.href;
    EXPECT_EQ(calls, c.call.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.call})
        << c.href;
  }
  // The Bible view's own chapter links go to the verse without selecting.
  frame_.Renderer().SetNextChapterLink(true);
  calls.clear();
  bool handled = false;
  frame_.HTMLViewHotSpotClick("lp:26137", handled);
  EXPECT_EQ(calls, std::vector<std::string>{"go 26137 "});
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

TEST_F(TextViewFrameTest, HoverShowsThePreviewAfterItsDelayAndLeavingClearsIt) {
  ShowJohn3();
  std::vector<bool> active;
  frame_.on_preview_active = [&](bool on) { active.push_back(on); };
  frame_.HTMLViewHotSpotCovered("lc:7,1");  // no such Commentary: no preview
  EXPECT_EQ(frame_.HintText(), "");
  frame_.HTMLViewHotSpotCovered("lc:0,26136");
  EXPECT_EQ(frame_.HintText(), "Notes");
  EXPECT_FALSE(QToolTip::isVisible());
  QTest::qWait(600);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("Notes")));
  frame_.HTMLViewHotSpotCovered("");
  EXPECT_EQ(frame_.HintText(), "");
  QTest::qWait(600);  // the tooltip takes a moment to go
  EXPECT_FALSE(QToolTip::isVisible());
  EXPECT_EQ(active, (std::vector<bool>{true, true, false}));
}

TEST(TextViewFrameLibrary, SelectsJohn316InTheStrongsLinksKjv) {
  LUMORA_REQUIRE_LIBRARY(folder);
  static TModuleCatalogue* catalogue = [&] {
    auto* c = new TModuleCatalogue;  // never destroyed, as the program's
    EXPECT_TRUE(c->LoadModules(folder).ok());
    return c;
  }();
  for (const TLMBibleModule* bible : {catalogue->KjvBible(), catalogue->StrongsLinksBible()}) {
    ASSERT_NE(bible, nullptr);
    TFrameTextView frame;
    frame.resize(600, 300);
    frame.show();
    frame.SetBible(bible);
    frame.SetStrongsData(catalogue->StrongsData());
    frame.Renderer().SetLinkedCommentaries(catalogue->Commentaries());
    frame.Renderer().SetLinkedBooks(catalogue->Books());
    frame.ShowVerses(Chapter(*bible, 43, 3), {}, false, false);
    frame.SelectVerse(kJohn3_16);
    EXPECT_EQ(frame.HTMLView()->SelectedText(), "John 3:16") << bible->GetAbbreviation();
    frame.ScrollToVerse(kJohn3_16);
    EXPECT_EQ(frame.FirstVisibleVerse(), kJohn3_16) << bible->GetAbbreviation();
  }
}

}  // namespace
}  // namespace lumora::ui
