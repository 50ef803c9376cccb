// Delivery on a real X display (scripts/xvfb-delivery-test.sh runs these
// under Xvfb; elsewhere they skip): another program reads a formatted copy
// from the clipboard as HTML and as UTF-8 text, and the pictures of the
// "Tab Appearance" page and of a printed page go to the artefacts folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTabWidget>
#include <QTest>

#include "app/ui/history_box.h"
#include "app/ui/prefs_dialog.h"
#include "app/ui/prefs_feature.h"
#include "app/ui/verse_entry_dialog.h"
#include "tests/ui/output_test_kit.h"
#include "tests/ui/synthetic_library.h"
#include "tests/ui/wait_until.h"

namespace lumora::ui {
namespace {

#define REQUIRE_X_DISPLAY()                                               \
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {          \
    GTEST_SKIP() << "needs an X display (scripts/xvfb-delivery-test.sh)"; \
  }                                                                       \
  static_assert(true)

QString ArtifactsFolder() {
  const QString folder = qEnvironmentVariable("LUMORA_ARTIFACTS", QDir::tempPath());
  QDir().mkpath(folder);
  return folder;
}

// xclip's answer for one clipboard target; the event loop keeps running
// meanwhile, so this program can serve the request.
void ReadClipboardInto(const QString& target, QByteArray& out) {
  QProcess xclip;
  xclip.start(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                        QStringLiteral("clipboard"), QStringLiteral("-t"), target});
  ASSERT_TRUE(xclip.waitForStarted(5000));
  LUMORA_WAIT_UNTIL_MS(xclip.state() == QProcess::NotRunning, 10000);
  out = xclip.readAllStandardOutput();
}
QByteArray ReadClipboard(const QString& target) {
  QByteArray out;
  ReadClipboardInto(target, out);
  return out;
}

TEST(XvfbDelivery, AnotherProgramReadsTheCopyAsHtmlAndUtf8) {
  REQUIRE_X_DISPLAY();
  test::ResetSettings();
  test::TStartedWindow w(test::SyntheticLibraryFolder());
  w.Output().CopyFormatted({"\x93John\x94 3:16\r\nloved \x80", "<b>\x93John\x94</b> 3:16"});
  const QByteArray targets = ReadClipboard(QStringLiteral("TARGETS"));
  EXPECT_TRUE(targets.contains("text/html")) << targets.toStdString();
  EXPECT_TRUE(targets.contains("UTF8_STRING"));
  EXPECT_EQ(QString::fromUtf8(ReadClipboard(QStringLiteral("UTF8_STRING"))),
            QStringLiteral("\u201CJohn\u201D 3:16\nloved \u20AC"));
  const QString html = QString::fromUtf8(ReadClipboard(QStringLiteral("text/html")));
  EXPECT_TRUE(html.contains(QStringLiteral("<b>\u201CJohn\u201D</b> 3:16"))) << html.toStdString();
  EXPECT_TRUE(html.contains(QLatin1String("<meta charset=\"utf-8\">")));
}

TEST(XvfbDelivery, PicturesOfTabAppearanceAndOfAPrintedPage) {
  REQUIRE_X_DISPLAY();
  test::ResetSettings();
  test::TOutputDoubles doubles;
  test::TStartedWindow w(test::SyntheticLibraryFolder());
  w.Run("ActionPrefs");
  auto* dialog = w.Main().findChild<TDlgPrefs*>();
  ASSERT_NE(dialog, nullptr);
  dialog->Pages()->setCurrentIndex(TDlgPrefs::kTabsPage);
  dialog->resize(760, 620);
  QTest::qWait(200);
  const QString tabs_picture = ArtifactsFolder() + QStringLiteral("/prefs-tab-appearance.png");
  ASSERT_TRUE(dialog->grab().save(tabs_picture));
  dialog->reject();

  doubles.dialogs.pdf_path = ArtifactsFolder() + QStringLiteral("/print-verses.pdf");
  w.Run("ActionPrintVerses");
  TDlgVerseEntry* entry = w.Commands().VerseEntryDialog();
  entry->ReferenceBox()->setEditText(QStringLiteral("jn 3:1-21"));
  entry->accept();
  test::Settle();
  ASSERT_EQ(test::PdfPages(doubles.dialogs.pdf_path), doubles.dialogs.offered_pages);
  const QString page = ArtifactsFolder() + QStringLiteral("/print-page");
  test::RunTool(
      QStringLiteral("pdftoppm"),
      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
       QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
       QStringLiteral("-singlefile"), doubles.dialogs.pdf_path, page});
  EXPECT_FALSE(QImage(page + QStringLiteral(".png")).isNull());
}

}  // namespace
}  // namespace lumora::ui
