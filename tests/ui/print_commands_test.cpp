// Printing to PDF: every print command and "Print this window" of every
// pane; the page count offered equals the pages printed, a range prints
// only those pages, "all" the whole document; Cancel and every way out
// clear the print view and the status text; Printer Setup changes later
// jobs.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
#include <QStatusBar>

#include "app/pane_print.h"
#include "app/ui/book_range_dialog.h"
#include "app/ui/history_box.h"
#include "app/ui/print_document.h"
#include "app/ui/verse_entry_dialog.h"
#include "config/properties.h"
#include "render/ui/html_view.h"
#include "tests/support/test_bible.h"
#include "tests/ui/output_test_kit.h"
#include "tests/ui/synthetic_library.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

using test::TStartedWindow;

class PrintCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetSettings();
    doubles_.dialogs.pdf_path = Pdf();
  }
  QString Pdf(const char* name = "out.pdf") const {
    return QString::fromStdString(files_.File(name));
  }
  // The job printed: its text, and pages printed equal to pages offered.
  QString Printed(TStartedWindow& w) {
    EXPECT_TRUE(QFileInfo::exists(Pdf()));
    EXPECT_EQ(test::PdfPages(Pdf()), doubles_.dialogs.offered_pages);
    EXPECT_TRUE(w.Main().statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(w.Output().PrintDocument().IsEmpty());
    const QString text = test::PdfText(Pdf());
    QFile::remove(Pdf());
    return text;
  }
  void PrintVerses(TStartedWindow& w, const QString& refs) {
    w.Run("ActionPrintVerses");
    TDlgVerseEntry* dialog = w.Commands().VerseEntryDialog();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Print Verse(s)"));
    dialog->ReferenceBox()->setEditText(refs);
    dialog->accept();
    test::Settle();
  }

  test::TOutputDoubles doubles_;
  test::TempFolder files_;
};

TEST_F(PrintCommandsTest, PrintVersesPrintsTheJobItNames) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  PrintVerses(w, QStringLiteral("jn 3:16-17"));
  EXPECT_EQ(doubles_.dialogs.doc_name, QStringLiteral("Lumora - John 3:16-17"));
  EXPECT_EQ(test::PdfTitle(Pdf()), QStringLiteral("Lumora - John 3:16-17"));
  const QString text = Printed(w);
  EXPECT_TRUE(text.contains(QLatin1String("Joh 3:16-17"))) << text.toStdString();
}

TEST_F(PrintCommandsTest, RangesAllPagesAndCancel) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  config::GlobalProperties().verse_export_style = 4;  // a line per verse: several pages
  // "All": every page of the document, however many.
  PrintVerses(w, QStringLiteral("ps 1:1-40:17"));
  const int pages = doubles_.dialogs.offered_pages;
  ASSERT_GE(pages, 4);
  const QString pages_2_3 = test::RunTool(
      QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                                    QStringLiteral("3"), Pdf(), QStringLiteral("-")});
  const QString all = Printed(w);
  EXPECT_TRUE(all.contains(QLatin1String(" 1:1 ")));
  EXPECT_TRUE(all.contains(QLatin1String(" 40:1 ")));
  // Pages 2 to 3 only: what the whole printout has on those pages.
  doubles_.dialogs.print_range = {2, 3, false};
  PrintVerses(w, QStringLiteral("ps 1:1-40:17"));
  EXPECT_EQ(test::PdfPages(Pdf()), 2);
  const QString some = test::RunTool(QStringLiteral("pdftotext"), {Pdf(), QStringLiteral("-")});
  EXPECT_EQ(some, pages_2_3);
  EXPECT_FALSE(some.contains(QLatin1String(" 1:1 "))) << "page 1 is not printed";
  QFile::remove(Pdf());
  // Cancel: nothing printed, view and status cleared.
  doubles_.dialogs.print_confirm = false;
  PrintVerses(w, QStringLiteral("ps 1:1-40:17"));
  EXPECT_FALSE(QFileInfo::exists(Pdf()));
  EXPECT_TRUE(w.Output().PrintDocument().IsEmpty());
  EXPECT_TRUE(w.Main().statusBar()->currentMessage().isEmpty());
}

TEST_F(PrintCommandsTest, PrinterSetupChangesLaterJobs) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  config::GlobalProperties().verse_export_style = 4;
  PrintVerses(w, QStringLiteral("ps 1:1-40:17"));
  const int a4_pages = doubles_.dialogs.offered_pages;
  QFile::remove(Pdf());
  doubles_.dialogs.page_size = QPageSize::A6;
  w.Run("ActionPrintSetup");
  EXPECT_EQ(doubles_.dialogs.page_setup_calls, 1);
  PrintVerses(w, QStringLiteral("ps 1:1-40:17"));
  EXPECT_GT(doubles_.dialogs.offered_pages, a4_pages);
  EXPECT_EQ(test::PdfPages(Pdf()), doubles_.dialogs.offered_pages);
  // The session's printer keeps its 2 cm margins.
  const QMarginsF margins = w.Output().Printer().pageLayout().margins(QPageLayout::Millimeter);
  EXPECT_NEAR(margins.left(), 20, 0.5);
  EXPECT_NEAR(margins.top(), 20, 0.5);
}

TEST_F(PrintCommandsTest, RangeCommandsPrint) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  TMain& main = w.Main();
  // Comments on John 3:16-17 in the first Commentary (CN).
  main.CommentView()->ShowComment(0, test::kJohn3_16 - 1, 0, 0, false);
  w.Run("ActionPrintCommentary");
  QInputDialog* box = w.Commands().CommentRangeBox();
  ASSERT_TRUE(box->isVisible());
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Print range of CN"));
  EXPECT_EQ(box->labelText(), QStringLiteral("Enter verse references to print:"));
  box->setTextValue(QStringLiteral("jn 3:16-17"));
  box->accept();
  test::Settle();
  EXPECT_EQ(doubles_.dialogs.doc_name, QStringLiteral("Lumora - CN John 3:16-17"));
  QString text = Printed(w);
  EXPECT_TRUE(text.contains(QLatin1String("CN John 3:16"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QLatin1String("Not to condemn.")));
  // Book entries 1..2 of SYND.
  main.DictView()->ShowBook(main.Library().FindBook(test::kSyntheticDictionary));
  w.Run("ActionPrintDict");
  TDlgBookRange* range = w.Commands().BookRangeDialog();
  ASSERT_TRUE(range->isVisible());
  EXPECT_EQ(range->windowTitle(), QStringLiteral("Print range of entries: SYND"));
  range->FromList()->setCurrentIndex(2);
  range->ThroughList()->setCurrentIndex(1);
  range->accept();
  test::Settle();
  text = Printed(w);
  EXPECT_TRUE(text.contains(QLatin1String("SYND - Abraham")));
  EXPECT_TRUE(text.contains(QLatin1String("SYND - World")));
  EXPECT_FALSE(text.contains(QLatin1String("SYND - Aaron")));
  // The verse list's print.
  w.Output().PrintVerseList({test::kJohn3_16, test::kJohn3_16 + 1}, *main.Library().Kjv(),
                            "User verse list");
  EXPECT_EQ(doubles_.dialogs.doc_name, QStringLiteral("Lumora - User verse list"));
  text = Printed(w);
  EXPECT_TRUE(text.contains(QLatin1String("Joh 3:17")));
}

TEST_F(PrintCommandsTest, EveryPanePrintsForPaperWithAHeading) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  TMain& main = w.Main();
  main.MainAction("ActionViewAll")->trigger();
  main.BibleView()->GoToVerse(test::kJohn3_16);
  main.CommentView()->ShowComment(0, test::kJohn3_16 - 1, 0, 0, false);
  main.DictView()->ShowBook(main.Library().FindBook(test::kSyntheticDictionary));
  main.DictView()->ShowEntry(2, 0, 0);
  main.ShowVerseList({test::kJohn3_16, test::kJohn3_16 + 1}, {}, "User verse list", false);
  test::Settle();
  struct Case {
    THtmlView* view;
    const char* job;
    const char* heading;
    const char* text;
  };
  const Case cases[] = {
      {main.BibleView()->TextView()->HTMLView(), "Lumora - John 3 (KJV)", "John 3", "John 3:16"},
      {main.VerseListView()->TextView()->HTMLView(), "Lumora - User verse list", "User verse list",
       "John 3:17"},
      {main.DictView()->HTMLView(), "Lumora - SYND - World", "Synthetic Dictionary", "World"},
      {main.CommentView()->HTMLView(), "Lumora - CN John 3:16", "Synthetic Notes",
       "God's love for the world."}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.job);
    ASSERT_FALSE(c.view->DocumentSource().empty());
    main.Output().PrintView(*c.view, QStringLiteral("unused"));
    EXPECT_EQ(doubles_.dialogs.doc_name, QString::fromLatin1(c.job));
    const QString text = Printed(w);
    EXPECT_TRUE(text.contains(QLatin1String(c.heading))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String(c.text))) << text.toStdString();
  }
}

TEST_F(PrintCommandsTest, PanePrintoutsLeaveOutScreenLinksAndResolveColoursForPaper) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  TMain& main = w.Main();
  main.BibleView()->GoToVerse(test::kJohn3_16);
  const TPassageRenderer& shown = main.BibleView()->TextView()->Renderer();
  ASSERT_NE(shown.Html().find("href=\"lc:"), std::string::npos) << "Commentary links on screen";
  TPassagePrint print;
  print.verses = main.BibleView()->ChapterVerses();
  print.bible = shown.Bible();
  print.settings = config::GlobalProperties().bible_view;
  const std::string html = PrintablePassage(print, PrintHeading("John 3", "KJV"));
  for (const char* scheme : {"href=\"lc:", "href=\"ld:", "href=\"ec:", "href=\"pn:"})
    EXPECT_EQ(html.find(scheme), std::string::npos) << scheme;
  EXPECT_EQ(html.rfind("<p><font size=+1><b>John 3</b></font><br><font size=-1>KJV</font></p>", 0),
            0u);
  // System colours as on a light desktop, whatever the palette says.
  EXPECT_EQ(PaperColor(config::kClWindowText), 0x000000u);
  EXPECT_EQ(PaperSettings(print.settings).background_color, 0xFFFFFFu);
  EXPECT_EQ(PaperColor(0x00123456), 0x00123456u);
}

TEST_F(PrintCommandsTest, ADarkDesktopStillPrintsDarkTextOnWhite) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  const QPalette before = QApplication::palette();
  QPalette dark = before;
  dark.setColor(QPalette::Base, QColor(20, 20, 20));
  dark.setColor(QPalette::Window, QColor(30, 30, 30));
  dark.setColor(QPalette::Text, QColor(240, 240, 240));
  dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
  QApplication::setPalette(dark);
  w.Main().BibleView()->GoToVerse(test::kJohn3_16);
  w.Main().Output().PrintView(*w.Main().BibleView()->TextView()->HTMLView(), QString());
  QApplication::setPalette(before);
  ASSERT_TRUE(QFileInfo::exists(Pdf()));
  const QString png = QString::fromStdString(files_.File("page"));
  test::RunTool(QStringLiteral("pdftoppm"),
                {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"),
                 QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                 QStringLiteral("1"), QStringLiteral("-singlefile"), Pdf(), png});
  const QImage page(png + QStringLiteral(".png"));
  ASSERT_FALSE(page.isNull());
  int dark_pixels = 0, light_pixels = 0;
  for (int y = 0; y < page.height(); y += 2)
    for (int x = 0; x < page.width(); x += 2) {
      const int gray = qGray(page.pixel(x, y));
      dark_pixels += gray < 100;
      light_pixels += gray > 240;
    }
  EXPECT_GT(dark_pixels, 50) << "text is dark";
  EXPECT_GT(light_pixels, dark_pixels * 5) << "paper is white";
}

}  // namespace
}  // namespace lumora::ui
