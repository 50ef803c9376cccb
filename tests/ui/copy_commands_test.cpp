// Copy Verse(s), Display Verse(s), the formatting dialog and the copies of
// the panes, on a real main window: what reaches the clipboard (plain and
// HTML) and what does not.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include "app/ui/export_format_dialog.h"
#include "app/ui/history_box.h"
#include "app/ui/verse_entry_dialog.h"
#include "config/properties.h"
#include "render/export_procs.h"
#include "render/ui/html_view.h"
#include "tests/support/test_bible.h"
#include "tests/ui/output_test_kit.h"
#include "tests/ui/synthetic_library.h"
#include "tests/ui/wait_until.h"
#include "app/help_topics.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

using test::TStartedWindow;

// Opens the verse-entry dialog with `command`, types `text`, picks the Bible
// whose abbreviation is `bible` (empty: as preselected) and presses OK.
void EnterCopyVerses(TStartedWindow& w, const char* command, const QString& text,
                     const QString& bible = {}) {
  w.Run(command);
  TDlgVerseEntry* dialog = w.Commands().VerseEntryDialog();
  ASSERT_TRUE(dialog->isVisible());
  dialog->ReferenceBox()->setEditText(text);
  if (!bible.isEmpty()) {
    const int i = dialog->BibleList()->findText(bible + QStringLiteral(" ("), Qt::MatchStartsWith);
    ASSERT_GE(i, 0) << bible.toStdString();
    dialog->BibleList()->setCurrentIndex(i);
  }
  dialog->accept();
  test::Settle();
}

// lumora-cli's export of the same verses: terminal text (UTF-8, "\n"), or
// with `raw` the formatter's own Windows-1252 bytes.
QByteArray CliExportOutput(const std::string& folder, const QStringList& arguments,
                           bool raw = false) {
  QProcess cli;
  QStringList all = {QStringLiteral("--data"), QString::fromStdString(folder),
                     QStringLiteral("export")};
  all << arguments;
  if (raw) all << QStringLiteral("--raw");
  cli.start(QStringLiteral(LUMORA_CLI_PATH), all);
  EXPECT_TRUE(cli.waitForFinished(30000));
  return cli.readAllStandardOutput();
}

class CopyCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { test::ResetSettings(); }
  test::TOutputDoubles doubles_;
};

TEST_F(CopyCommandsTest, EveryStyleCopiesWhatTheCommandLineExports) {
  LUMORA_REQUIRE_SAMPLE(folder);
  TStartedWindow w(folder);
  config::Properties& p = config::GlobalProperties();
  struct Case {
    int style;
    bool brackets, footnotes, tag;
    const char* bible;
    const char* refs;
  };
  const Case cases[] = {{0, false, false, false, "KJV", "jn 3:16-18"},
                        {1, true, false, true, "KJV", "jn 3:16-18"},
                        {2, false, true, false, "WEB", "jn 3:16-18; rom 5:8"},
                        {3, true, false, true, "KJV", "jn 3:35-4:2"},
                        {4, false, false, true, "WEB", "jn 3:35-4:2"},
                        {5, true, true, false, "KJV", "ob 1:21-jon 1:1"},
                        {6, false, false, false, "KJVSL", "jn 3:16-17"},
                        {7, true, true, true, "WEB", "gen 1:1-3"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    p.verse_export_style = c.style;
    p.include_brackets = c.brackets;
    p.include_footnotes = c.footnotes;
    p.include_version_tag = c.tag;
    EnterCopyVerses(w, "ActionCopyVerses", QString::fromLatin1(c.refs),
                    QString::fromLatin1(c.bible));
    QStringList args = {QStringLiteral("--bible"), QString::fromLatin1(c.bible),
                        QStringLiteral("--style"), QString(QChar('A' + c.style))};
    if (c.brackets) args << QStringLiteral("--brackets");
    if (c.footnotes) args << QStringLiteral("--footnotes");
    if (c.tag) args << QStringLiteral("--tag");
    args << QString::fromLatin1(c.refs).split(QLatin1Char(' '));
    QString expected = QString::fromUtf8(CliExportOutput(folder, args));
    ASSERT_TRUE(expected.endsWith(QLatin1Char('\n')));
    expected.chop(1);
    EXPECT_EQ(doubles_.clipboard.text, expected);
    EXPECT_FALSE(doubles_.clipboard.text.contains(QLatin1Char('\r')));
    // The HTML of the same content, as a small UTF-8 document.
    const QByteArray raw_html = CliExportOutput(folder, args << QStringLiteral("--html"), true);
    EXPECT_EQ(doubles_.clipboard.html, ClipboardHtml(raw_html.toStdString()));
    EXPECT_TRUE(doubles_.clipboard.html.contains(QLatin1String("<meta charset=\"utf-8\">")));
  }
}

TEST_F(CopyCommandsTest, KjvslCopiesCarryGreekAndTransliterations) {
  LUMORA_REQUIRE_SAMPLE(folder);
  TStartedWindow w(folder);
  EnterCopyVerses(w, "ActionCopyVerses", QStringLiteral("jn 3:16"), QStringLiteral("KJVSL"));
  EXPECT_TRUE(doubles_.clipboard.text.contains(QStringLiteral("God <theós>")))
      << doubles_.clipboard.text.toStdString();
  EXPECT_FALSE(doubles_.clipboard.html.contains(QLatin1String("face=\"Symbol\"")));
  EXPECT_TRUE(std::any_of(doubles_.clipboard.html.begin(), doubles_.clipboard.html.end(),
                          [](QChar ch) { return ch.unicode() >= 0x3B1 && ch.unicode() <= 0x3C9; }));
}

TEST_F(CopyCommandsTest, AccentsAndTheCodePagesUpperHalfArriveAsUnicode) {
  LUMORA_REQUIRE_SAMPLE(folder);
  {
    TStartedWindow w(folder);
    EnterCopyVerses(w, "ActionCopyVerses", QStringLiteral("jn 3:16"), QStringLiteral("RV1909"));
    EXPECT_TRUE(doubles_.clipboard.text.contains(QStringLiteral("amó Dios al mundo")))
        << doubles_.clipboard.text.toStdString();
    EXPECT_TRUE(doubles_.clipboard.html.contains(QStringLiteral("amó Dios al mundo")));
  }
  // A Bible whose text uses 0x80..0x9F: curly quotes, dashes, the euro.
  test::TempFolder library;
  test::CopySyntheticLibrary(library.Path());
  builder::BibleSource cp = test::MakeTestBible("CPB", false);
  cp.title = "Synthetic Code Page Bible";
  cp.verses[static_cast<size_t>(test::kJohn3_16 - 1)] =
      "\x93Quoted\x94 \x96 en \x97 em \x80 euro \x85 \x91s\x92";
  test::WriteTestBible(library.Path() + "/Bibles", "CPB.lmb", cp);
  TStartedWindow w(library.Path());
  EnterCopyVerses(w, "ActionCopyVerses", QStringLiteral("jn 3:16"), QStringLiteral("CPB"));
  const QString expected =
      QStringLiteral("\u201CQuoted\u201D \u2013 en \u2014 em \u20AC euro \u2026 \u2018s\u2019");
  EXPECT_TRUE(doubles_.clipboard.text.endsWith(expected)) << doubles_.clipboard.text.toStdString();
  // An export file carries the same letters, in UTF-8.
  const QString path = QString::fromStdString(library.File("cp.txt"));
  doubles_.dialogs.save_path = path;
  doubles_.dialogs.save_filter = 0;
  EnterCopyVerses(w, "ActionExportVerses", QStringLiteral("jn 3:16"), QStringLiteral("CPB"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains(expected.toUtf8()));
}

TEST_F(CopyCommandsTest, UnrecognisedOrCancelledLeavesTheClipboardAlone) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  doubles_.clipboard.text = QStringLiteral("kept");
  EnterCopyVerses(w, "ActionCopyVerses", QStringLiteral("no such place"));
  w.Run("ActionCopyVerses");
  w.Commands().VerseEntryDialog()->ReferenceBox()->setEditText(QStringLiteral("jn 3:16"));
  w.Commands().VerseEntryDialog()->reject();
  test::Settle();
  EXPECT_EQ(doubles_.clipboard.sets, 0);
  EXPECT_EQ(doubles_.clipboard.text, QStringLiteral("kept"));
  EXPECT_TRUE(w.messages.isEmpty()) << "no message for unrecognised text";
  EXPECT_TRUE(w.Main().statusBar()->currentMessage().isEmpty());
}

TEST_F(CopyCommandsTest, F5OpensTheDialogWithTheViewsBibleAndKeepsTheHistory) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  w.Main().activateWindow();
  LUMORA_WAIT_UNTIL(w.Main().isActiveWindow());
  QTest::keyClick(&w.Main(), Qt::Key_F5);
  TDlgVerseEntry* dialog = w.Commands().VerseEntryDialog();
  LUMORA_WAIT_UNTIL(dialog->isVisible());
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Copy Verse(s)"));
  EXPECT_TRUE(dialog->BibleList()->currentText().startsWith(QLatin1String("KJV (")));
  EXPECT_TRUE(dialog->focusWidget() == dialog->ReferenceBox() ||
              dialog->focusWidget() == dialog->ReferenceBox()->lineEdit());
  // Help opens a page of Lumora's own help.
  QStringList topics;
  w.Main().help_viewer = [&topics](const QString& topic) { topics << topic; };
  QTest::mouseClick(dialog->HelpButton(), Qt::LeftButton);
  ASSERT_EQ(topics.size(), 1);
  EXPECT_NE(FindHelpTopic(topics[0].toStdString()), nullptr) << topics[0].toStdString();
  dialog->ReferenceBox()->setEditText(QStringLiteral("jn 3:16"));
  dialog->accept();
  test::Settle();
  EXPECT_FALSE(doubles_.clipboard.text.isEmpty());
  // The history list: on top in memory and written to the store at once.
  const config::MruList& history = config::GlobalProperties().Mru(config::MruId::kExport);
  ASSERT_FALSE(history.empty());
  EXPECT_EQ(history.front(), "jn 3:16");
  EXPECT_EQ(w.StoredSettings().Mru(config::MruId::kExport).front(), "jn 3:16");
  // Reopened: the text is there, selected, and a new result is empty.
  w.Run("ActionCopyVerses");
  EXPECT_EQ(dialog->ReferenceBox()->lineEdit()->selectedText(), QStringLiteral("jn 3:16"));
  EXPECT_TRUE(dialog->Ranges().empty());
  dialog->ReferenceBox()->RemoveCurrent();
  EXPECT_TRUE(config::GlobalProperties().Mru(config::MruId::kExport).empty());
  dialog->reject();
}

TEST_F(CopyCommandsTest, DisplayVersesListsEveryVerseInOrderWithDuplicates) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  struct Case {
    const char* refs;
    size_t count;
  };
  for (const Case& c :
       {Case{"Eph 6:17 Heb 4:12", 2}, Case{"2Ti 2:15 3:16-17", 3}, Case{"jn 3:16 jn 3:16", 2}}) {
    w.Run("ActionPopVerseList");
    TDlgVerseEntry* dialog = w.Commands().VerseEntryDialog();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Display Verse(s)"));
    EXPECT_TRUE(dialog->HelpButton()->isHidden());
    EXPECT_TRUE(dialog->FormattingButton()->isHidden());
    EXPECT_TRUE(dialog->BibleList()->isHidden());
    dialog->ReferenceBox()->setEditText(QString::fromLatin1(c.refs));
    dialog->accept();
    test::Settle();
    const TFrameVerseListView* list = w.Main().VerseListView();
    EXPECT_EQ(list->Title(), "User verse list");
    EXPECT_EQ(list->List().size(), c.count) << c.refs;
    // The hidden controls come back for the copy commands.
    EXPECT_FALSE(dialog->FormattingButton()->isHidden());
    EXPECT_FALSE(dialog->BibleList()->isHidden());
  }
  EXPECT_EQ(w.Main().VerseListView()->List()[0], w.Main().VerseListView()->List()[1]);
}

TEST_F(CopyCommandsTest, FormattingExampleFollowsTheChoiceAndCancelChangesNothing) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  const TLMBibleModule& kjv = *w.Main().Library().Kjv();
  w.Run("ActionConfigureFormat");
  TDlgExportFormat* dialog = w.Commands().FormatDialog();
  ASSERT_TRUE(dialog->isVisible());
  for (int style = 0; style < 8; ++style) {
    dialog->findChild<QRadioButton*>(QStringLiteral("Style%1").arg(QChar('A' + style)))->click();
    if (style == 5) dialog->findChild<QCheckBox*>(QStringLiteral("IncludeVersionTag"))->click();
    const ExportFormatSettings chosen = dialog->Chosen();
    EXPECT_EQ(chosen.style, style);
    QString expected =
        ToDisplayText(FormatVerses(TDlgExportFormat::kExampleFirst, TDlgExportFormat::kExampleLast,
                                   kjv, false, chosen, ExportViewFrom({}, nullptr)));
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(dialog->ExampleText(), expected);
  }
  dialog->reject();
  EXPECT_EQ(ExportFormatFrom(config::GlobalProperties()), ExportFormatSettings{});
  EnterCopyVerses(w, "ActionCopyVerses", QStringLiteral("jn 3:16-17"));
  // The synthetic Bible's short title is "Joh".
  EXPECT_TRUE(doubles_.clipboard.text.startsWith(QLatin1String("Joh 3:16-17  ")))
      << doubles_.clipboard.text.toStdString();
  // OK stores the copy and saves it.
  w.Run("ActionConfigureFormat");
  dialog->findChild<QRadioButton*>(QStringLiteral("StyleG"))->click();
  dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_EQ(config::GlobalProperties().verse_export_style, 6);
  EXPECT_EQ(w.StoredSettings().verse_export_style, 6);
}

TEST_F(CopyCommandsTest, PaneCopiesAppendsAndCtrlCReachTheClipboardOnce) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  TMain& main = w.Main();
  main.MainAction("ActionViewAll")->trigger();
  EnterCopyVerses(w, "ActionPopVerseList", QStringLiteral("jn 3:16-17"));
  main.BibleView()->GoToVerse(test::kJohn3_16);
  test::Settle();
  const std::vector<THtmlView*> views = {
      main.BibleView()->TextView()->HTMLView(), main.VerseListView()->TextView()->HTMLView(),
      main.DictView()->HTMLView(), main.CommentView()->HTMLView()};
  main.activateWindow();
  LUMORA_WAIT_UNTIL(main.isActiveWindow());
  for (THtmlView* view : views) {
    SCOPED_TRACE(view->parentWidget()->objectName().toStdString());
    ASSERT_GT(view->DocumentEnd(), 4);
    view->setFocus();
    LUMORA_WAIT_UNTIL(QApplication::focusWidget() == view);
    view->SetSelStart(0);
    view->SetSelLength(4);
    const QString selected = view->SelectedDisplayText();
    ASSERT_FALSE(selected.isEmpty());
    doubles_.clipboard.sets = 0;
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(doubles_.clipboard.sets, 1);
    EXPECT_EQ(doubles_.clipboard.text, selected);
    EXPECT_TRUE(doubles_.clipboard.html.isEmpty()) << "selection copies stay plain";
    // The main window's Append acts on the focused pane.
    doubles_.clipboard.text = QStringLiteral("before");
    main.Actions().UpdateNow();
    main.MainAction("ActionMainAppend")->trigger();
    EXPECT_EQ(doubles_.clipboard.text, QStringLiteral("before\n") + selected);
  }
  // The Bible view's Copy All Verses: the chapter in style E, with HTML.
  main.BibleView()->ActionCopyAllVerses->trigger();
  EXPECT_TRUE(doubles_.clipboard.text.startsWith(QLatin1String("Joh 3:1 ")));
  EXPECT_TRUE(doubles_.clipboard.html.contains(QLatin1String("<b>Joh 3:1</b>")));
  // The services the verse list's and links' commands use.
  const TLMBibleModule& kjv = *main.Library().Kjv();
  w.Output().CopyVerseRanges({{test::kJohn3_16, test::kJohn3_16 + 1}}, kjv);
  EXPECT_TRUE(doubles_.clipboard.text.startsWith(QLatin1String("Joh 3:16-17  ")));
  w.Output().CopyVerseList(main.VerseListView()->List(), kjv);
  EXPECT_TRUE(doubles_.clipboard.text.startsWith(QLatin1String("Joh 3:16  ")));
  EXPECT_TRUE(doubles_.clipboard.text.contains(QLatin1String("\n\nJoh 3:17  ")));
  EXPECT_FALSE(doubles_.clipboard.text.endsWith(QLatin1Char('\n')));
}

}  // namespace
}  // namespace lumora::ui
