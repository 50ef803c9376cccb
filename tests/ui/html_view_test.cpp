#include "render/ui/html_view.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <string>

namespace lumora::ui {
namespace {

class HtmlViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_.SetDisplayTextOptions({true, true, true});
    view_.resize(500, 300);
    view_.show();
  }
  // Display position of the first `text` in the source (its first byte).
  int PosOf(const std::string& text) const {
    return view_.FindDisplayPosition(static_cast<int64_t>(view_.DocumentSource().find(text)), false);
  }
  QChar CharAt(int pos) const { return view_.document()->characterAt(pos); }
  // A viewport point on the middle of the character at `pos`.
  QPoint PointAt(int pos) const {
    QTextCursor c(view_.document());
    c.setPosition(pos);
    const QRect r = view_.cursorRect(c);
    c.setPosition(pos + 1);
    return QPoint((r.left() + view_.cursorRect(c).left()) / 2, r.center().y());
  }
  std::string LongDocument(int paragraphs) const {
    std::string html;
    for (int i = 1; i <= paragraphs; ++i)
      html += "<p><a name=\"#" + std::to_string(i) + "\"><b>Label " + std::to_string(i) +
              "</b></a> text of paragraph</p>";
    return html;
  }

  THtmlView view_;
};

TEST_F(HtmlViewTest, AnchorsMatchWithoutCaseOrLeadingHash) {
  view_.LoadHtml(LongDocument(200) + "<a name=\"Intro\">end</a>");
  struct Case {
    const char* name;
    bool found;
  } cases[] = {{"#26", true}, {"26", true}, {"#INTRO", true}, {"intro", true},
               {"##26", false}, {"missing", false}, {"", false}};
  for (const Case& c : cases) {
    view_.SetVScrollBarPosition(0);
    EXPECT_EQ(view_.PositionTo(c.name), c.found) << c.name;
    if (!c.found) {
      EXPECT_EQ(view_.VScrollBarPosition(), 0) << c.name;
    }
  }
  // Found: the anchor's line is at the top of the view.
  ASSERT_TRUE(view_.PositionTo("#26"));
  EXPECT_EQ(view_.VScrollBarPosition(), view_.DisplayPositionCoords(PosOf("Label 26"))->y());
  EXPECT_GT(view_.VScrollBarPosition(), 0);
  // Near the end: as far as the document allows.
  ASSERT_TRUE(view_.PositionTo("199"));
  EXPECT_EQ(view_.VScrollBarPosition(), view_.verticalScrollBar()->maximum());
}

TEST_F(HtmlViewTest, GeneratedColoursShowAndTextComesBackAsCodePage) {
  view_.LoadHtml("<font color=\"008000\">green</font> \x93quoted\x94");
  QTextCursor c(view_.document());
  c.setPosition(PosOf("green") + 1);
  EXPECT_EQ(c.charFormat().foreground().color(), QColor(0x00, 0x80, 0x00));
  view_.selectAll();
  EXPECT_EQ(view_.SelectedText(), "green \x93quoted\x94");
  EXPECT_EQ(view_.DocumentSource(), "<font color=\"008000\">green</font> \x93quoted\x94");
}

TEST_F(HtmlViewTest, SourceOffsetsMapToDisplayPositions) {
  view_.LoadHtml("<p>In the <b>begin&amp;ning</b>  was</p><p>the Word</p>");
  const std::string& src = view_.DocumentSource();
  const auto at = [&](const std::string& s) { return static_cast<int64_t>(src.find(s)); };
  EXPECT_EQ(CharAt(PosOf("In")), QChar('I'));
  EXPECT_EQ(CharAt(PosOf("the <b>")), QChar('t'));
  EXPECT_EQ(CharAt(view_.FindDisplayPosition(at("<b>"), false)), QChar('b'));   // tag: next text
  EXPECT_EQ(CharAt(view_.FindDisplayPosition(at("<b>"), true)), QChar(' '));    // the blank before
  EXPECT_EQ(CharAt(view_.FindDisplayPosition(at("ning"), false)), QChar('n'));  // after an entity
  EXPECT_EQ(CharAt(view_.FindDisplayPosition(at("amp;"), false)), QChar('&'));  // inside it
  EXPECT_EQ(CharAt(view_.FindDisplayPosition(at("was"), false)), QChar('w'));   // collapsed blanks
  EXPECT_EQ(CharAt(view_.FindDisplayPosition(at("<p>the"), false)), QChar('t'));
  EXPECT_EQ(CharAt(view_.FindDisplayPosition(at("<p>the"), true)), QChar('s'));
  EXPECT_EQ(view_.FindDisplayPosition(static_cast<int64_t>(src.size()) + 5, false), view_.DocumentEnd());
  EXPECT_EQ(view_.FindDisplayPosition(0, true), 0);
}

TEST_F(HtmlViewTest, SelectionByDisplayPositions) {
  view_.LoadHtml("<b>Hello</b>&nbsp;world");
  view_.SetSelStart(PosOf("Hello"));
  view_.SetSelLength(11);
  EXPECT_EQ(view_.SelectedText(), "Hello world");  // non-breaking space as a blank
  EXPECT_EQ(view_.SelLength(), 11);
  view_.SetSelStart(PosOf("world") + 5);
  view_.SetSelLength(-5);
  EXPECT_EQ(view_.SelectedText(), "world");
  view_.SetSelLength(0);
  EXPECT_EQ(view_.SelLength(), 0);
  EXPECT_EQ(view_.SelectedText(), "");
}

TEST_F(HtmlViewTest, FindSelectsForwardFromTheCaretOrChangesNothing) {
  view_.LoadHtml("<p>love and Love</p>");
  EXPECT_TRUE(view_.Find("LOVE", false));
  EXPECT_EQ(view_.SelectedText(), "love");
  EXPECT_TRUE(view_.Find("Love", true));
  EXPECT_EQ(view_.CaretPos(), PosOf("Love") + 4);
  EXPECT_FALSE(view_.Find("love", false));
  EXPECT_EQ(view_.SelectedText(), "Love");
}

TEST_F(HtmlViewTest, LinkClicksReportTheRawAddressAndNeverNavigate) {
  // A "vr" address carries base-205 digits above 0x7F.
  const std::string html = "<p>x <a href=\"vr:\xC7\x81+1\">one</a> <a href=\"#far\">two</a></p>" +
                           LongDocument(100) + "<a name=\"far\">far</a>";
  view_.LoadHtml(html);
  std::vector<std::string> clicks;
  bool handle = true;
  view_.OnHotSpotClick = [&](const std::string& href, bool& handled) {
    clicks.push_back(href);
    handled = handle;
  };
  const QString before = view_.toPlainText();
  QTest::mouseClick(view_.viewport(), Qt::LeftButton, {}, PointAt(PosOf("one")));
  QTest::mouseClick(view_.viewport(), Qt::LeftButton, {}, PointAt(PosOf("two")));
  EXPECT_EQ(clicks, (std::vector<std::string>{"vr:\xC7\x81+1", "#far"}));
  EXPECT_EQ(view_.toPlainText(), before);
  EXPECT_EQ(view_.VScrollBarPosition(), 0);
  // Left unhandled, an in-page address is followed inside the document.
  handle = false;
  QTest::mouseClick(view_.viewport(), Qt::LeftButton, {}, PointAt(PosOf("two")));
  EXPECT_GT(view_.VScrollBarPosition(), 0);
  EXPECT_EQ(view_.toPlainText(), before);
}

TEST_F(HtmlViewTest, HoverRightClickAndDoubleClickReportTheirTargets) {
  view_.LoadHtml("<p>plain caf\xE9-au-lait <a href=\"h:7225\">link</a></p>");
  std::vector<std::string> covered;
  view_.OnHotSpotCovered = [&](const std::string& href) { covered.push_back(href); };
  QTest::mouseMove(view_.viewport(), PointAt(PosOf("link") + 1));
  QTest::mouseMove(view_.viewport(), PointAt(PosOf("plain") + 1));
  EXPECT_EQ(covered, (std::vector<std::string>{"h:7225", ""}));

  TRightClickParameters got;
  view_.OnRightClick = [&](const TRightClickParameters& p) { got = p; };
  view_.SetSelStart(PosOf("plain"));
  view_.SetSelLength(5);
  QTest::mouseClick(view_.viewport(), Qt::RightButton, {}, PointAt(PosOf("link") + 2));
  EXPECT_EQ(got.url, "h:7225");
  EXPECT_EQ(got.word, "link");
  EXPECT_EQ(got.caret, PosOf("link") + 2);
  EXPECT_EQ(view_.SelectedText(), "plain");  // the selection survives

  int doubles = 0;
  view_.OnMouseDouble = [&] { ++doubles; };
  QTest::mouseDClick(view_.viewport(), Qt::LeftButton, {}, PointAt(PosOf("f\xE9") + 1));
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(view_.SelectedText(), "caf\xE9");  // "-" ends the word
}

TEST_F(HtmlViewTest, ClearEmptiesDocumentTitleAndSource) {
  view_.LoadHtml("<title>Aaron</title>entry");
  EXPECT_EQ(view_.DocumentTitle(), "Aaron");
  view_.LoadHtml("no title");
  EXPECT_EQ(view_.DocumentTitle(), "");
  view_.LoadHtml("<title>Aaron</title>entry");
  view_.Clear();
  EXPECT_EQ(view_.DocumentTitle(), "");
  EXPECT_EQ(view_.DocumentSource(), "");
  EXPECT_TRUE(view_.toPlainText().isEmpty());
}

TEST_F(HtmlViewTest, BorderShowsOnlyWithTheFocus) {
  view_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&view_));
  view_.clearFocus();
  EXPECT_FALSE(view_.HasFocusBorder());
  const int width = view_.viewport()->width();
  view_.setFocus();
  EXPECT_TRUE(view_.HasFocusBorder());
  view_.clearFocus();
  EXPECT_FALSE(view_.HasFocusBorder());
  EXPECT_EQ(view_.viewport()->width(), width);  // the text does not move
}

// A page that needs scrolling after a short one ("Loading...") is laid out
// at the width it is shown at: the text width never changes between loads.
TEST_F(HtmlViewTest, TextWidthIsTheSameForShortAndLongPages) {
  view_.LoadText("Loading...");
  const int short_width = view_.viewport()->width();
  view_.LoadHtml(LongDocument(200));
  EXPECT_EQ(view_.viewport()->width(), short_width);
  EXPECT_GT(view_.verticalScrollBar()->maximum(), 0);
  view_.LoadText("Loading...");
  EXPECT_EQ(view_.viewport()->width(), short_width);
}

TEST_F(HtmlViewTest, SavedPositionRestoresTheSamePart) {
  const std::string html = LongDocument(150);
  view_.LoadHtml(html);
  ASSERT_TRUE(view_.PositionTo("#70"));
  const uint32_t saved = view_.SavedPosition();
  const int y = view_.VScrollBarPosition();
  view_.LoadHtml(html);
  view_.SetSavedPosition(saved);
  EXPECT_EQ(view_.VScrollBarPosition(), y);
  view_.SetSavedPosition(0xFFFFFFF0u);  // does not fit: ignored
  EXPECT_EQ(view_.VScrollBarPosition(), y);
}

TEST_F(HtmlViewTest, PrintedPageCountGrowsWithTheDocument) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QDir::temp().filePath("lumora-html-view-test.pdf"));
  view_.LoadHtml("<p>one short page</p>");
  EXPECT_EQ(view_.PrintedPageCount(printer), 1);
  view_.LoadHtml(LongDocument(400));
  const int pages = view_.PrintedPageCount(printer);
  EXPECT_GT(pages, 3);
  view_.Print(printer, 1, 9999);  // past the end: prints to the end
  EXPECT_GT(QFileInfo(printer.outputFileName()).size(), 0);
  QFile::remove(printer.outputFileName());
}

}  // namespace
}  // namespace lumora::ui
