// The Commentary and Book range commands: their input boxes and dialogs,
// messages and loops, what they copy (headings, Unicode script runs, HTML
// without placeholder links) and when they are enabled.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QInputDialog>
#include <QStatusBar>

#include "app/ui/book_range_dialog.h"
#include "core/modules/book_module.h"
#include "core/text/legacy_fonts.h"
#include "render/export_procs.h"
#include "tests/support/test_bible.h"
#include "tests/ui/output_test_kit.h"
#include "tests/ui/synthetic_library.h"
#include "tests/ui/wait_until.h"
#include "tools/builder/entry_builders.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"

namespace lumora::ui {
namespace {

using test::TStartedWindow;

// Shows the Commentary named `abbreviation` at `verse` in the Commentary view.
void ShowRangeCommentary(TMain& main, const std::string& abbreviation, int verse) {
  const TLMCommentaryModule* c = main.Library().FindCommentary(abbreviation);
  ASSERT_NE(c, nullptr) << abbreviation;
  main.CommentView()->ShowComment(main.Library().IndexOf(c), verse - 1, 0, 0, false);
  ASSERT_EQ(main.CommentView()->CurrentCommentary(), c);
}

void ShowRangeBook(TMain& main, const std::string& abbreviation) {
  const TLMDictionaryModule* b = main.Library().FindBook(abbreviation);
  ASSERT_NE(b, nullptr) << abbreviation;
  main.DictView()->ShowBook(b);
  ASSERT_EQ(main.DictView()->CurrentBook(), b);
}

// Types `text` into the open range box and presses OK.
void AnswerRangeBox(TStartedWindow& w, const QString& text) {
  QInputDialog* box = w.Commands().CommentRangeBox();
  ASSERT_TRUE(box->isVisible());
  box->setTextValue(text);
  box->accept();
  test::Settle();
}

class RangeCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { test::ResetSettings(); }
  test::TOutputDoubles doubles_;
};

TEST_F(RangeCommandsTest, CommentsCopyUnderHeadingsAndTheBoxComesBack) {
  LUMORA_REQUIRE_SAMPLE(folder);
  TStartedWindow w(folder);
  TMain& main = w.Main();
  const TLMBibleModule& kjv = *main.Library().Kjv();
  ShowRangeCommentary(main, "TDavid", kjv.LocateVerse(19, 23, 1));
  w.Run("ActionCopyCommentRange");
  QInputDialog* box = w.Commands().CommentRangeBox();
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Copy range of TDavid"));
  EXPECT_EQ(box->labelText(), QStringLiteral("Enter verse references to copy:"));
  // Text that is no reference: the message, and the box again with the text.
  AnswerRangeBox(w, QStringLiteral("no such book"));
  EXPECT_EQ(w.messages, QStringList{QStringLiteral("Unrecognized reference.")});
  LUMORA_WAIT_UNTIL(box->isVisible());
  EXPECT_EQ(box->textValue(), QStringLiteral("no such book"));
  // Matthew 1 has no comment in TDavid: the message, and the box again, empty.
  AnswerRangeBox(w, QStringLiteral("mt 1"));
  EXPECT_EQ(w.messages.last(), QStringLiteral("No commentary text in that range."));
  LUMORA_WAIT_UNTIL(box->isVisible());
  EXPECT_TRUE(box->textValue().isEmpty());
  EXPECT_EQ(doubles_.clipboard.sets, 0);
  // Psalm 23: one heading per commented verse, as the formatter writes them.
  AnswerRangeBox(w, QStringLiteral("ps 23"));
  EXPECT_FALSE(box->isVisible());
  const QString& text = doubles_.clipboard.text;
  EXPECT_TRUE(text.startsWith(QLatin1String("[[ TDAVID PSALMS 23:1 ]]\n\n"))) << text.toStdString();
  EXPECT_EQ(text.count(QLatin1String("[[ TDAVID PSALMS 23:")), 6);
  EXPECT_FALSE(text.contains(QLatin1Char('\r')));
  EXPECT_TRUE(doubles_.clipboard.html.contains(QLatin1String("<b>TDavid Psalms 23:1</b>")));
  EXPECT_FALSE(doubles_.clipboard.html.contains(QLatin1String("href=\"0:0\"")));
  // Cancel ends the loop.
  w.Run("ActionCopyCommentRange");
  box->reject();
  test::Settle();
  EXPECT_FALSE(box->isVisible());
}

TEST_F(RangeCommandsTest, PrintingCommentsWithoutTextSaysSo) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  ShowRangeCommentary(w.Main(), "CR", test::kJohn3_16);
  w.Run("ActionPrintCommentary");
  AnswerRangeBox(w, QStringLiteral("gen 1:1"));
  EXPECT_EQ(w.messages, QStringList{QStringLiteral("No commentary text on specified verse(s).")});
  EXPECT_EQ(doubles_.dialogs.print_calls, 0);
  LUMORA_WAIT_UNTIL(w.Commands().CommentRangeBox()->isVisible());
  w.Commands().CommentRangeBox()->reject();
}

TEST_F(RangeCommandsTest, BookEntriesTenthThroughThirdCopyThirdToTenth) {
  LUMORA_REQUIRE_SAMPLE(folder);
  TStartedWindow w(folder);
  TMain& main = w.Main();
  ShowRangeBook(main, "Naves");
  w.Run("ActionCopyBookRange");
  TDlgBookRange* dialog = w.Commands().BookRangeDialog();
  ASSERT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Copy range of entries: Naves"));
  const TLMDictionaryModule& naves = *main.DictView()->CurrentBook();
  EXPECT_EQ(dialog->FromList()->count(), naves.EntryCount());
  EXPECT_EQ(dialog->FromList()->currentIndex(), 0);
  EXPECT_EQ(dialog->ThroughList()->currentIndex(), 0);
  EXPECT_EQ(dialog->FromList()->maxVisibleItems(), 20);
  dialog->FromList()->setCurrentIndex(9);
  dialog->ThroughList()->setCurrentIndex(2);
  dialog->accept();
  test::Settle();
  const QString& text = doubles_.clipboard.text;
  EXPECT_EQ(text.count(QLatin1String("[[ Naves - ")), 8);
  EXPECT_TRUE(text.startsWith(QStringLiteral("[[ Naves - ") +
                              ToDisplayText(naves.EntryTitles()[2]) + QStringLiteral(" ]]")));
  EXPECT_TRUE(text.contains(ToDisplayText(naves.EntryTitles()[9])));
  EXPECT_FALSE(text.contains(ToDisplayText("[[ Naves - " + naves.EntryTitles()[10] + " ]]")));
  EXPECT_TRUE(doubles_.clipboard.html.contains(
      ToDisplayText("<b>Naves - " + naves.EntryTitles()[9] + "</b>")));
}

TEST_F(RangeCommandsTest, LexiconRunsCopyAsGreekLetters) {
  LUMORA_REQUIRE_SAMPLE(folder);
  TStartedWindow w(folder);
  ShowRangeBook(w.Main(), "StrGrk");
  w.Run("ActionCopyBookRange");
  TDlgBookRange* dialog = w.Commands().BookRangeDialog();
  dialog->FromList()->setCurrentIndex(25);
  dialog->ThroughList()->setCurrentIndex(25);
  dialog->accept();
  test::Settle();
  // Entry 25 is G26: its run "agaph" in the Symbol layout is Greek.
  QString greek;
  for (const char c : std::string("agaph"))
    greek += QChar(static_cast<char16_t>(
        LegacyFontCodePoint(LegacyFont::kSymbolGreek, static_cast<unsigned char>(c))));
  EXPECT_TRUE(doubles_.clipboard.text.contains(QLatin1Char('{') + greek + QLatin1Char('}')))
      << doubles_.clipboard.text.toStdString();
  EXPECT_FALSE(doubles_.clipboard.text.contains(QLatin1String("{agaph}")));
  EXPECT_TRUE(doubles_.clipboard.html.contains(greek));
  EXPECT_FALSE(doubles_.clipboard.html.contains(QLatin1String("face=\"Symbol\"")));
  // A printout carries the same letters.
  test::TempFolder files;
  doubles_.dialogs.pdf_path = QString::fromStdString(files.File("g26.pdf"));
  w.Run("ActionPrintDict");
  dialog->FromList()->setCurrentIndex(25);
  dialog->ThroughList()->setCurrentIndex(25);
  dialog->accept();
  test::Settle();
  EXPECT_TRUE(test::PdfText(doubles_.dialogs.pdf_path).contains(greek));
}

TEST_F(RangeCommandsTest, RangeCommandsFollowWhatTheViewsHold) {
  test::TempFolder library;
  test::CopySyntheticLibrary(library.Path());
  ASSERT_TRUE(TLMDictionaryModule::CreateUserBookFile("Synthetic Empty Book", "EMPTY",
                                                      library.Path() + "/User")
                  .ok());
  TStartedWindow w(library.Path());
  TMain& main = w.Main();
  ShowRangeBook(main, "EMPTY");
  main.Actions().UpdateNow();
  EXPECT_FALSE(w.Action("ActionCopyBookRange")->isEnabled());
  EXPECT_FALSE(w.Action("ActionPrintDict")->isEnabled());
  // Triggered anyway (a stale shortcut): nothing opens.
  w.Commands().BookRange(false);
  EXPECT_TRUE(w.Commands().BookRangeDialog()->isHidden());
  ShowRangeBook(main, test::kSyntheticDictionary);
  main.Actions().UpdateNow();
  EXPECT_TRUE(w.Action("ActionCopyBookRange")->isEnabled());
  EXPECT_TRUE(w.Action("ActionCopyCommentRange")->isEnabled());
  EXPECT_EQ(w.Action("ActionCopyBookRange")->text(),
            QStringLiteral("Copy Range of Book Entries..."));
  // A range dialog with nothing selected counts as Cancel.
  w.Run("ActionCopyBookRange");
  TDlgBookRange* dialog = w.Commands().BookRangeDialog();
  dialog->FromList()->setCurrentIndex(-1);
  dialog->accept();
  test::Settle();
  EXPECT_EQ(doubles_.clipboard.sets, 0);
}

TEST_F(RangeCommandsTest, WithoutCommentariesOrBooksTheirCommandsAreDisabled) {
  test::TempFolder library;
  test::CopySyntheticLibrary(library.Path());
  std::filesystem::remove_all(library.Path() + "/Commentaries");
  std::filesystem::remove_all(library.Path() + "/User");
  TStartedWindow w(library.Path());
  w.Main().Actions().UpdateNow();
  EXPECT_FALSE(w.Action("ActionCopyCommentRange")->isEnabled());
  EXPECT_FALSE(w.Action("ActionPrintCommentary")->isEnabled());
  EXPECT_TRUE(w.Action("ActionCopyBookRange")->isEnabled());
  EXPECT_TRUE(w.Action("ActionPrintSetup")->isEnabled());
  EXPECT_TRUE(w.Action("ActionCopyVerses")->isEnabled());
}

}  // namespace
}  // namespace lumora::ui
