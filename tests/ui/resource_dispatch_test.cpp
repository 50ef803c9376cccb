// The resource view's link dispatcher from both panes that hold one, the
// clicks from a real document, and its hover previews.
#include <gtest/gtest.h>

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>
#include <memory>
#include <string>
#include <vector>

#include "core/codec/base205.h"
#include "render/hover_preview.h"
#include "tests/support/test_bible.h"
#include "tests/ui/recording_services.h"
#include "tests/ui/synthetic_library.h"
#include "tests/ui/test_host.h"
#include "tests/ui/wait_until.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/resource_view_frame.h"

namespace lumora::ui {
namespace {

using test::kJohn3_16;

std::string B205(int n) { return EncodeBase205(n); }

// A timer the test fires itself.
class ResourceManualTimer : public IPreviewTimer {
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

// Both resource panes on the synthetic library and one host, the Bible
// view's Bible the KJV: the Book pane shows SYNT's "LINKS", the Commentary
// pane CN at John 3:16.
class ResourcePanesTest : public ::testing::Test {
 protected:
  ResourcePanesTest() {
    kit_.library.Adopt(test::LoadSyntheticLibrary());
    kit_.host.bible = kit_.library.Kjv();
    test::InstallRecordingServices(kit_.host);
    config::GlobalProperties() = config::DefaultProperties();
  }
  void SetUp() override {
    book_.resize(700, 400);
    book_.show();
    book_.SetBooks();
    book_.ShowBook(book_kit_.library.FindBook("SYNT"));
    const TLMDictionaryModule* synt = book_.CurrentBook();
    ASSERT_NE(synt, nullptr);
    book_.ShowEntry(synt->FindTitle("LINKS"), 0, 0);
    comment_.resize(700, 400);
    comment_.show();
    comment_.SetCommentaries();
    comment_.ShowComment(0, kJohn3_16 - 1, 0, 0, false);
    book_kit_.host.log.clear();
    comment_kit_.host.log.clear();
  }
  std::vector<std::string> Click(TFrameResourceView& frame, test::TTestHost& host,
                                 const std::string& href) {
    host.log.clear();
    bool handled = false;
    frame.HTMLViewerHotSpotClick(href, handled);
    EXPECT_TRUE(handled) << href;
    return host.log;
  }

  test::TPaneTestKit kit_;
  test::TPaneTestKit& book_kit_ = kit_;
  test::TPaneTestKit& comment_kit_ = kit_;
  TFrameDictView book_{kit_.Context()};
  TFrameCommentView comment_{kit_.Context()};
};

TEST_F(ResourcePanesTest, EverySchemeFromBothPanesReachesItsTargetAndMalformedLinksNothing) {
  const std::string j316 = B205(kJohn3_16);
  using Log = std::vector<std::string>;
  struct Case {
    std::string href;
    Log book;     // what the Book pane's host heard
    Log comment;  // the Commentary pane's
  };
  const auto both = [](std::string href, Log log) { return Case{std::move(href), log, log}; };
  const std::vector<Case> cases = {
      both("h:2", {"ShowBookEntry StrHeb 1"}),
      both("H:30", {"ShowBookEntry StrHeb 29"}),  // the resource view lower-cases the scheme
      both("g:26", {"ShowBookEntry StrGrk 25"}),
      both("g:$1A", {"ShowBookEntry StrGrk 25"}),
      both("h:0", {}),
      both("h:31", {}),
      both("h:", {}),
      both("h:2x", {}),
      both("g:-1", {}),
      both("stgsrch:G26", {"SearchBible G26 KJVSL"}),
      both("stgsrch:H7225", {"SearchBible H7225 KJVSL"}),
      both("stgsrch:G", {}),
      both("stgsrch:Q26", {}),
      both("stgsrch:G$1A", {}),
      // Whole hrefs, byte for byte, to the window's dispatcher.
      both("lmbook:SYND|Aaron", {"OpenResourceLink lmbook:SYND|Aaron"}),
      both("LMCMT:CN|Jn 3:16", {"OpenResourceLink LMCMT:CN|Jn 3:16"}),
      both("lmcmt:ABC|", {"OpenResourceLink lmcmt:ABC|"}),
      both("lmimage:Map?x=%20", {"OpenResourceLink lmimage:Map?x=%20"}),
      both("vr:" + j316, {"GoToVerse 26137 select"}),
      both("vr:" + j316 + "+" + B205(2), {"GoToVerse 26137 select"}),
      both("vr:" + B205(0), {}),
      both("vr:", {}),
      both("vr:" + B205(31103), {}),
      both("vrl:" + j316 + "+" + B205(1) + "," + B205(1),
           {"ShowVerseList References 26137 26138 1"}),
      both("vrl:" + B205(31102) + "+" + B205(5), {"ShowVerseList References 31102"}),
      both("vrl:,", {}),
      both("vrl:", {}),
      both("vrl:" + B205(0) + ",", {}),
      both("http://example.org/a?b=c d", {"OpenExternal http://example.org/a?b=c d"}),
      both("HTTP://example.org/", {"OpenExternal HTTP://example.org/"}),
      both("mailto:a@example.org", {"OpenExternal mailto:a@example.org"}),
      both("file:///etc/hosts", {"OpenExternal file:///etc/hosts"}),
      both("https://example.org/", {}),
      both("ftp://example.org/", {}),
      both("nocolon", {}),
      both("", {}),
      both("lp:26137", {}),
      both("lc:0,1", {}),
      both("#bottom", {}),
      // The owner's own entries: item 1 of SYNT is ABRAHAM, of CN John 3:16.
      {"cen:$1", {"ShowPane Book"}, {"ShowPane Commentary"}},
      both("cen:$FFFF", {}),
      both("cen:zz", {}),
      both("cen:", {}),
      // Edit links act only where the module may be written (SYNT and CN
      // are read-only).
      both("editd:0", {}),
      both("editc:5", {}),
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Click(*book_.ResourceView(), book_kit_.host, c.href), c.book) << "Book " << c.href;
    EXPECT_EQ(Click(*comment_.ResourceView(), comment_kit_.host, c.href), c.comment)
        << "Commentary " << c.href;
  }
  EXPECT_EQ(book_.CurrentBook()->EntryTitles()[static_cast<size_t>(book_.CurrentEntry())],
            "ABRAHAM");
  EXPECT_EQ(comment_.CurrentPosition(), kJohn3_16 - 1);
}

TEST_F(ResourcePanesTest, WithoutTheServicesSearchLinksDoNothing) {
  book_kit_.host.search = std::make_unique<TNoSearch>();
  EXPECT_TRUE(Click(*book_.ResourceView(), book_kit_.host, "stgsrch:G26").empty());
}

// Where a link's text is drawn, in viewport coordinates.
QPoint LinkPoint(THtmlView& view, const QString& text) {
  const QTextCursor found = view.document()->find(text);
  EXPECT_FALSE(found.isNull()) << text.toStdString();
  QTextCursor at(view.document());
  at.setPosition(found.selectionStart() + 1);
  return view.cursorRect(at).center();
}

TEST_F(ResourcePanesTest, ClicksInTheDocumentHandTheAnchorsHrefOverUnchanged) {
  THtmlView& view = *book_.HTMLView();
  const std::string source = view.DocumentSource();
  for (const auto& [text, href] : {std::pair{"lmcmt", "OpenResourceLink lmcmt:CN|Jn 3:16"},
                                   std::pair{"lmbook", "OpenResourceLink lmbook:SYND|Aaron"},
                                   std::pair{"mail", "OpenExternal mailto:a@example.org"}}) {
    book_kit_.host.log.clear();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      LinkPoint(view, QString::fromLatin1(text)));
    EXPECT_EQ(book_kit_.host.log, std::vector<std::string>{href}) << text;
  }
  // The widget never follows a link itself.
  EXPECT_EQ(view.DocumentSource(), source);
  // "#" anchors scroll this view.
  book_kit_.host.log.clear();
  view.SetVScrollBarPosition(0);
  view.resize(view.width(), 60);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, LinkPoint(view, QStringLiteral("anchor")));
  EXPECT_TRUE(book_kit_.host.log.empty());
  EXPECT_GT(view.VScrollBarPosition(), 0);
}

TEST_F(ResourcePanesTest, EditLinksOfWritableModulesRunTheEditCommands) {
  const TLMCommentaryModule* un = comment_kit_.library.FindCommentary("UN");
  ASSERT_NE(un, nullptr);
  ASSERT_FALSE(un->IsReadOnly());
  comment_.ShowComment(comment_kit_.library.IndexOf(un), 41, 0, 0, false);
  // An empty verse of a user Commentary invites the user to write on it.
  EXPECT_NE(
      comment_.HTMLView()->DocumentSource().find("<a href=\"editc:41\">Edit this comment</a>"),
      std::string::npos);
  EXPECT_EQ(Click(*comment_.ResourceView(), comment_kit_.host, "editc:41"),
            std::vector<std::string>{"EditCommentary UN 41"});
  EXPECT_EQ(Click(*comment_.ResourceView(), comment_kit_.host, "editd:41"),
            std::vector<std::string>{});
  // With the editor showing, the edit commands wait.
  static_cast<test::TRecordingAuthoring&>(*comment_kit_.host.authoring).visible = true;
  EXPECT_EQ(Click(*comment_.ResourceView(), comment_kit_.host, "editc:41"),
            std::vector<std::string>{});
}

// --- Previews ------------------------------------------------------------------------------

TEST_F(ResourcePanesTest, PreviewsAreTheRenderersTextAfterTheResourceViewsDelay) {
  TFrameResourceView& frame = *comment_.ResourceView();
  auto timer = std::make_unique<ResourceManualTimer>();
  ResourceManualTimer& clock = *timer;
  frame.Preview().SetTimer(std::move(timer));
  TPreviewContext context =
      MakePreviewContext(comment_kit_.library.Catalogue(), comment_kit_.library.Kjv());
  const std::string j316 = B205(kJohn3_16);
  for (const std::string& href :
       {"vr:" + j316, "vr:" + j316 + "+" + B205(3), "vrl:" + j316 + "," + B205(1) + "+" + B205(20),
        std::string("http://example.org/x"), std::string("LMIMAGE:map")}) {
    comment_kit_.host.log.clear();
    clock.started.clear();
    frame.HTMLViewerHotSpotCovered(href);
    // Nothing is computed before the delay.
    EXPECT_EQ(frame.HintText(), "") << href;
    EXPECT_EQ(clock.started, std::vector<int>{kResourceViewPreviewDelayMs}) << href;
    EXPECT_EQ(comment_kit_.host.log, std::vector<std::string>{"Preview on"}) << href;
    frame.Preview().Fire();
    const std::string expected = ResourceViewPreview(href, context);
    ASSERT_FALSE(expected.empty()) << href;
    EXPECT_EQ(frame.HintText(), expected) << href;
    EXPECT_TRUE(QToolTip::isVisible()) << href;
    // Plain text: the first line of the preview as shown.
    EXPECT_TRUE(QToolTip::text().contains(
        ToDisplayText(expected.substr(0, expected.find('\n'))).toHtmlEscaped()))
        << href;
    frame.HTMLViewerHotSpotCovered("");
    EXPECT_EQ(frame.HintText(), "");
    EXPECT_FALSE(clock.Running());
    EXPECT_EQ(comment_kit_.host.log.back(), "Preview off");
  }
  // Malformed links and schemes the resource view does not preview: nothing.
  for (const std::string& href : {"vr:" + B205(0), std::string("vrl:,"), std::string("h:7225"),
                                  std::string("https://example.org"), std::string("cen:$1")}) {
    frame.HTMLViewerHotSpotCovered(href);
    frame.Preview().Fire();
    EXPECT_EQ(frame.HintText(), "") << href;
  }
  frame.HTMLViewerHotSpotCovered("");
  LUMORA_WAIT_UNTIL(!QToolTip::isVisible());
}

TEST_F(ResourcePanesTest, RightClickOnlyWithAnEntryShown) {
  int menus = 0;
  TFrameResourceView frame(comment_kit_.host, comment_kit_.library);
  frame.resize(300, 200);
  frame.show();
  frame.AttachLibrary();
  frame.on_right_click = [&](const std::string&, const std::string&, const std::string&,
                             const std::string&, const QPoint&) { ++menus; };
  QTest::mouseClick(frame.HTMLViewer()->viewport(), Qt::RightButton, {}, QPoint(20, 20));
  EXPECT_EQ(menus, 0);
  frame.ShowEntry("Some text.", "Title", {"Title"}, 0, 0);
  QTest::mouseClick(frame.HTMLViewer()->viewport(), Qt::RightButton, {}, QPoint(20, 20));
  EXPECT_EQ(menus, 1);
  frame.Clear();
  QTest::mouseClick(frame.HTMLViewer()->viewport(), Qt::RightButton, {}, QPoint(20, 20));
  EXPECT_EQ(menus, 1);
  EXPECT_TRUE(frame.GetReferencedVerses().empty());
}

}  // namespace
}  // namespace lumora::ui
