// Export Verses to File and the verse list's export: the bytes on disk for
// each file type, names without an extension, the starting folder, and
// failures that never look like success.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStatusBar>
#include <fstream>

#include "app/ui/history_box.h"
#include "app/ui/verse_entry_dialog.h"
#include "config/properties.h"
#include "render/ui/display_text.h"
#include "tests/support/test_bible.h"
#include "tests/ui/output_test_kit.h"
#include "tests/ui/synthetic_library.h"

namespace lumora::ui {
namespace {

using test::TStartedWindow;

QByteArray ReadExported(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteExisting(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// Every line break is CR LF and the bytes are valid UTF-8.
void ExpectCrLfUtf8File(const QByteArray& bytes) {
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
    }
    if (bytes[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
    }
  }
  const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
  EXPECT_EQ(QString::fromUtf8(body).toUtf8(), body);
  EXPECT_FALSE(QString::fromUtf8(body).contains(QChar(0xFFFD)));
}

// Runs Export Verses to File for `refs` in `bible`, answering the save
// dialog with `path` and `filter`.
void ExportVerses(TStartedWindow& w, test::TScriptedDialogs& dialogs, const QString& refs,
                  const QString& path, int filter, const QString& bible = QStringLiteral("KJV")) {
  dialogs.save_path = path;
  dialogs.save_filter = filter;
  w.Run("ActionExportVerses");
  TDlgVerseEntry* dialog = w.Commands().VerseEntryDialog();
  ASSERT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Export Verse(s) to File"));
  dialog->ReferenceBox()->setEditText(refs);
  const int i = dialog->BibleList()->findText(bible + QStringLiteral(" ("), Qt::MatchStartsWith);
  ASSERT_GE(i, 0);
  dialog->BibleList()->setCurrentIndex(i);
  dialog->accept();
  test::Settle();
}

// An export file that fails one step (0 open, 1 write, 2 commit) and is a
// real QSaveFile otherwise.
class TFailingExport : public IExportFile {
 public:
  explicit TFailingExport(int fail_at) : fail_at_(fail_at), real_(MakeSaveFile()) {}
  bool Open(const QString& path) override { return fail_at_ != 0 && real_->Open(path); }
  bool Write(const QByteArray& bytes) override {
    if (fail_at_ == 1) {
      (void)real_->Write(bytes.left(bytes.size() / 2));  // a torn write
      return false;
    }
    return real_->Write(bytes);
  }
  bool Commit() override { return fail_at_ != 2 && real_->Commit(); }
  QString ErrorString() const override { return QStringLiteral("injected fault %1").arg(fail_at_); }

 private:
  int fail_at_;
  std::unique_ptr<IExportFile> real_;
};

class ExportCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { test::ResetSettings(); }
  QString In(const char* name) const { return QString::fromStdString(files_.File(name)); }
  test::TOutputDoubles doubles_;
  test::TempFolder files_;
};

TEST_F(ExportCommandsTest, EachFileTypeWritesItsForm) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  const QByteArray kBom("\xEF\xBB\xBF");
  const QByteArray kMeta("<meta charset=\"utf-8\">\r\n");
  struct Case {
    const char* typed;
    int filter;
    const char* written;  // the file that appears
    bool html;
  };
  const Case cases[] = {{"a.txt", 0, "a.txt", false},     {"b.html", 1, "b.html", true},
                        {"c.html", 2, "c.html", false},   {"d.html", 0, "d.html", false},
                        {"plain", 0, "plain.txt", false}, {"page", 1, "page.html", true},
                        {"bare", 2, "bare", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ExportVerses(w, doubles_.dialogs, QStringLiteral("jn 3:16-17"), In(c.typed), c.filter);
    EXPECT_EQ(doubles_.dialogs.save_caption, QStringLiteral("Export Verse(s) to Text File"));
    EXPECT_EQ(doubles_.dialogs.offered_filter, 1) << "HTML is preselected";
    EXPECT_EQ(doubles_.dialogs.save_filters.size(), 3);
    const QByteArray bytes = ReadExported(In(c.written));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(bytes.startsWith(c.html ? kMeta : kBom));
    ExpectCrLfUtf8File(bytes);
    EXPECT_EQ(bytes.contains("<b>Joh 3:16-17"), c.html);
    EXPECT_TRUE(bytes.contains("Joh 3:16-17  "));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
  }
  EXPECT_FALSE(QFileInfo::exists(In("plain"))) << "the typed name took the type's extension";
  EXPECT_TRUE(w.Main().statusBar()->currentMessage().isEmpty());
  EXPECT_TRUE(w.messages.isEmpty()) << w.messages.join(QLatin1Char('|')).toStdString();
}

TEST_F(ExportCommandsTest, SampleExportsAreUtf8WithGreekAndTheCommandLinesText) {
  LUMORA_REQUIRE_SAMPLE(folder);
  TStartedWindow w(folder);
  config::GlobalProperties().verse_export_style = 4;
  ExportVerses(w, doubles_.dialogs, QStringLiteral("jn 3:16-18"), In("kjvsl.html"), 1,
               QStringLiteral("KJVSL"));
  const QString html = QString::fromUtf8(ReadExported(In("kjvsl.html")));
  EXPECT_FALSE(html.contains(QLatin1String("face=\"Symbol\"")));
  EXPECT_TRUE(std::any_of(html.begin(), html.end(), [](QChar ch) {
    return ch.unicode() >= 0x3B1 && ch.unicode() <= 0x3C9;
  })) << "the Strong's words print as Greek letters";
  ExportVerses(w, doubles_.dialogs, QStringLiteral("jn 3:16"), In("rv.txt"), 0,
               QStringLiteral("RV1909"));
  QString text = QString::fromUtf8(ReadExported(In("rv.txt")).mid(3));
  EXPECT_TRUE(text.contains(QStringLiteral("amó Dios al mundo")));
  // The same text the command line exports, line ends aside.
  QProcess cli;
  cli.start(QStringLiteral(LUMORA_CLI_PATH),
            {QStringLiteral("--data"), QString::fromStdString(folder), QStringLiteral("export"),
             QStringLiteral("--bible"), QStringLiteral("RV1909"), QStringLiteral("--style"),
             QStringLiteral("E"), QStringLiteral("jn"), QStringLiteral("3:16")});
  ASSERT_TRUE(cli.waitForFinished(30000));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  EXPECT_EQ(text, QString::fromUtf8(cli.readAllStandardOutput()));
}

TEST_F(ExportCommandsTest, AFailedStepShowsTheFileAndKeepsTheOldOne) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  const QString target = In("kept.txt");
  WriteExisting(target, "old contents");
  for (int step = 0; step < 3; ++step) {
    SCOPED_TRACE(step);
    w.messages.clear();
    w.Output().make_export_file = [step] { return std::make_unique<TFailingExport>(step); };
    ExportVerses(w, doubles_.dialogs, QStringLiteral("jn 3:16"), target, 0);
    ASSERT_EQ(w.messages.size(), 1);
    EXPECT_TRUE(w.messages[0].contains(QDir::toNativeSeparators(target)));
    EXPECT_TRUE(w.messages[0].contains(QStringLiteral("injected fault %1").arg(step)));
    EXPECT_EQ(ReadExported(target), QByteArray("old contents"));
    EXPECT_TRUE(w.Main().statusBar()->currentMessage().isEmpty());
    // Nothing but the old file is left in the folder.
    EXPECT_EQ(QDir(QString::fromStdString(files_.Path())).entryList(QDir::Files),
              QStringList{QStringLiteral("kept.txt")});
  }
  // A real failure: a folder on the way that is a file (root may write
  // anywhere else).
  w.Output().make_export_file = nullptr;
  w.messages.clear();
  const QString inside = In("kept.txt") + QStringLiteral("/sub/out.txt");
  ExportVerses(w, doubles_.dialogs, QStringLiteral("jn 3:16"), inside, 0);
  ASSERT_EQ(w.messages.size(), 1);
  EXPECT_TRUE(w.messages[0].contains(QDir::toNativeSeparators(inside)));
  EXPECT_EQ(ReadExported(target), QByteArray("old contents"));
}

TEST_F(ExportCommandsTest, CancelWritesNothingAndAnAddedExtensionAsksFirst) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  ExportVerses(w, doubles_.dialogs, QStringLiteral("jn 3:16"), QString(), 0);
  EXPECT_EQ(doubles_.dialogs.save_calls, 1);
  EXPECT_TRUE(QDir(QString::fromStdString(files_.Path())).isEmpty());
  EXPECT_TRUE(w.Main().statusBar()->currentMessage().isEmpty());
  // "name" becomes "name.txt", which exists: the user is asked.
  WriteExisting(In("name.txt"), "mine");
  w.answer_yes = false;
  ExportVerses(w, doubles_.dialogs, QStringLiteral("jn 3:16"), In("name"), 0);
  ASSERT_EQ(w.questions.size(), 1);
  EXPECT_TRUE(w.questions[0].contains(QStringLiteral("name.txt")));
  EXPECT_EQ(ReadExported(In("name.txt")), QByteArray("mine"));
  w.answer_yes = true;
  ExportVerses(w, doubles_.dialogs, QStringLiteral("jn 3:16"), In("name"), 0);
  EXPECT_TRUE(ReadExported(In("name.txt")).startsWith("\xEF\xBB\xBF"));
}

TEST_F(ExportCommandsTest, TheDialogStartsInDocumentsThenInTheLastExportsFolder) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  ExportVerses(w, doubles_.dialogs, QStringLiteral("jn 3:16"), QString(), 0);
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  EXPECT_EQ(doubles_.dialogs.save_folder, QDir(documents).exists() ? documents : QDir::homePath());
  ExportVerses(w, doubles_.dialogs, QStringLiteral("jn 3:16"), In("first.txt"), 0);
  ExportVerses(w, doubles_.dialogs, QStringLiteral("jn 3:16"), QString(), 0);
  EXPECT_EQ(QDir(doubles_.dialogs.save_folder), QDir(QString::fromStdString(files_.Path())));
}

TEST_F(ExportCommandsTest, TheVerseListExportsOneVersePerLine) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  const TLMBibleModule& kjv = *w.Main().Library().Kjv();
  const TVerseList verses = {test::kJohn3_16, kVerseListSeparator, test::kJohn3_16 + 1};
  doubles_.dialogs.save_path = In("list.txt");
  doubles_.dialogs.save_filter = 0;
  w.Output().ExportVerseList(verses, kjv);
  QString text = QString::fromUtf8(ReadExported(In("list.txt")).mid(3));
  QStringList lines = text.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 5);  // verse, empty, verse, empty, and after the last break
  EXPECT_TRUE(lines[0].startsWith(QLatin1String("Joh 3:16  ")));
  EXPECT_TRUE(lines[1].isEmpty());
  EXPECT_TRUE(lines[2].startsWith(QLatin1String("Joh 3:17  ")));
  doubles_.dialogs.save_path = In("list.html");
  doubles_.dialogs.save_filter = 1;
  w.Output().ExportVerseList(verses, kjv);
  lines = QString::fromUtf8(ReadExported(In("list.html"))).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[0], QStringLiteral("<meta charset=\"utf-8\">"));
  EXPECT_TRUE(lines[1].startsWith(QLatin1String("<b>Joh 3:16  </b>")));
  EXPECT_EQ(lines[2], QStringLiteral("<p>"));
  EXPECT_TRUE(w.Main().statusBar()->currentMessage().isEmpty());
}

}  // namespace
}  // namespace lumora::ui
