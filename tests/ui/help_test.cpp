// The help as shipped beside the program: a page for every topic, every page
// reachable from the contents, every link sound; the help window's
// navigation and find; F1, Help buttons and the About dialog.
#include "app/ui/help_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <map>
#include <set>

#include "app/help_topics.h"
#include "app/ui/about_dialog.h"
#include "app/ui/help_feature.h"
#include "core/platform/file_system.h"
#include "tests/ui/feature_window.h"
#include "tests/ui/test_host.h"

namespace lumora::ui {
namespace {

QString ShippedHelpFolder() { return QString::fromStdString(FindHelpFolder(ExecutableFolder())); }

QString ReadPage(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The href and name attributes of a page.
QStringList Attributes(const QString& html, const char* attribute) {
  QStringList values;
  const QRegularExpression re(QStringLiteral("\\b%1=\"([^\"]*)\"").arg(QLatin1String(attribute)));
  for (const QRegularExpressionMatch& m : re.globalMatch(html)) values << m.captured(1);
  return values;
}

TEST(HelpPages, EveryTopicHasAPageReachableFromTheContentsWithSoundLinks) {
  const QString folder = ShippedHelpFolder();
  ASSERT_FALSE(folder.isEmpty()) << "no help folder beside " << ExecutableFolder();
  // Every page, and what it links to.
  std::map<QString, QStringList> links;
  const QStringList pages = QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files);
  for (const QString& page : pages) {
    const QString html = ReadPage(folder + page);
    ASSERT_FALSE(html.isEmpty()) << page.toStdString();
    for (const QString& href : Attributes(html, "href")) {
      EXPECT_FALSE(href.startsWith(QStringLiteral("http"))) << page.toStdString() << ": "
                                                             << href.toStdString();
      const QString file = href.section(QLatin1Char('#'), 0, 0);
      const QString fragment = href.section(QLatin1Char('#'), 1);
      const QString target = file.isEmpty() ? page : file;
      EXPECT_TRUE(QFile::exists(folder + target))
          << page.toStdString() << " links to missing " << href.toStdString();
      if (!fragment.isEmpty()) {
        EXPECT_TRUE(Attributes(ReadPage(folder + target), "name").contains(fragment))
            << page.toStdString() << " links to a missing anchor " << href.toStdString();
      }
      if (target.endsWith(QStringLiteral(".html"))) links[page] << target;
    }
  }
  // Reachable from the contents.
  std::set<QString> seen{QStringLiteral("contents.html")};
  QStringList queue{QStringLiteral("contents.html")};
  while (!queue.isEmpty()) {
    const QString page = queue.takeFirst();
    for (const QString& next : links[page])
      if (seen.insert(next).second) queue << next;
  }
  for (const QString& page : pages)
    EXPECT_TRUE(seen.count(page)) << page.toStdString() << " is not reachable from the contents";
  // A page per topic, titled as the table says.
  for (const HelpTopic& topic : HelpTopics()) {
    const QString html = ReadPage(folder + QString::fromLatin1(topic.file));
    ASSERT_FALSE(html.isEmpty()) << topic.id << ": " << topic.file;
    EXPECT_TRUE(html.contains(QStringLiteral("<title>%1</title>").arg(QString::fromLatin1(topic.title))))
        << topic.id;
  }
  EXPECT_EQ(static_cast<size_t>(pages.size()), HelpTopics().size()) << "a page with no topic";
}

TEST(HelpPages, TheKeyListIsTheCommandTables) {
  const QString folder = ShippedHelpFolder();
  ASSERT_FALSE(folder.isEmpty());
  EXPECT_EQ(ReadPage(folder + QString::fromLatin1(kHelpKeysFile)).toStdString(),
            KeyListHtml(MainCommands()));
}

class HelpWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<THelpWindow>(ShippedHelpFolder().toStdString(),
                                            [this](const std::string& href) { opened_.push_back(href); });
    ASSERT_FALSE(window_->Folder().empty());
  }
  QString Title() const { return window_->Browser()->documentTitle(); }
  std::unique_ptr<THelpWindow> window_;
  std::vector<std::string> opened_;
};

TEST_F(HelpWindowTest, TopicsBackForwardAndLinks) {
  window_->ShowTopic(QStringLiteral("Scribble110"));
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(Title(), QStringLiteral("Bookmarks"));
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Lumora Help - Bookmarks"));
  // Every topic loads its page.
  for (const HelpTopic& t : HelpTopics()) {
    window_->ShowTopic(QString::fromLatin1(t.id));
    EXPECT_EQ(Title(), QString::fromLatin1(t.title)) << t.id;
  }
  window_->ShowTopic(QStringLiteral("Scribble10"));
  Q_EMIT window_->Browser()->anchorClicked(QUrl(QStringLiteral("devotionals.html")));
  EXPECT_EQ(Title(), QStringLiteral("Devotional readings"));
  auto* back = window_->findChild<QToolButton*>(QStringLiteral("HelpBack"));
  auto* forward = window_->findChild<QToolButton*>(QStringLiteral("HelpForward"));
  ASSERT_TRUE(back->isEnabled());
  back->click();
  EXPECT_EQ(Title(), QStringLiteral("Lumora Help"));
  ASSERT_TRUE(forward->isEnabled());
  forward->click();
  EXPECT_EQ(Title(), QStringLiteral("Devotional readings"));
  window_->findChild<QToolButton*>(QStringLiteral("HelpContents"))->click();
  EXPECT_EQ(Title(), QStringLiteral("Lumora Help"));
  // The web goes to the desktop; the page stays.
  Q_EMIT window_->Browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/x")));
  EXPECT_EQ(opened_, std::vector<std::string>{"https://example.org/x"});
  EXPECT_EQ(Title(), QStringLiteral("Lumora Help"));
  // An unknown topic: the contents, with a note.
  window_->ShowTopic(QStringLiteral("Scribble999"));
  EXPECT_EQ(Title(), QStringLiteral("Lumora Help"));
  EXPECT_TRUE(window_->findChild<QLabel*>(QStringLiteral("HelpNote"))->text().contains(
      QStringLiteral("Scribble999")));
}

TEST_F(HelpWindowTest, FindSelectsAndWraps) {
  window_->ShowTopic(QStringLiteral("Scribble40"));
  window_->FindBox()->setText(QStringLiteral("wheel"));
  ASSERT_TRUE(window_->FindNext());
  EXPECT_EQ(window_->Browser()->textCursor().selectedText().toLower(), QStringLiteral("wheel"));
  const int first = window_->Browser()->textCursor().position();
  ASSERT_TRUE(window_->FindNext());
  EXPECT_GT(window_->Browser()->textCursor().position(), first);
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(window_->FindNext());  // wraps round
  window_->FindBox()->setText(QStringLiteral("no such words here"));
  EXPECT_FALSE(window_->FindNext());
  EXPECT_EQ(window_->findChild<QLabel*>(QStringLiteral("HelpNote"))->text(),
            QStringLiteral("Not found"));
}

TEST(HelpWindow, MissingFolderSaysWhereThePagesBelong) {
  THelpWindow window("", {});
  window.ShowTopic(QStringLiteral("Scribble10"));
  EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("help pages were not found")));
  EXPECT_EQ(FindHelpFolder("/nonexistent-folder"), FindHelpFolder(ExecutableFolder()));
}

TEST(HelpFeature, F1HelpButtonsAboutAndClose) {
  test::TFeatureWindow fixture;
  ASSERT_TRUE(DefaultFileSystem()
                  .WriteFile(fixture.File("README.txt"), "Sample library\nKJV.lmb from a package\n")
                  .ok());
  TMain& w = fixture.Start();
  ASSERT_TRUE(w.StartupComplete());
  QAction* help = w.MainAction("ActionOpenHelp");
  EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_TRUE(help->isEnabled());
  help->trigger();
  auto* feature = w.findChild<THelpFeature*>();
  ASSERT_NE(feature, nullptr);
  THelpWindow* window = feature->Window();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Browser()->documentTitle(), QStringLiteral("Lumora Help"));
  // What a dialog's Help button calls.
  ASSERT_TRUE(w.help_viewer);
  w.ShowHelpTopic(QStringLiteral("Scribble290"));
  EXPECT_EQ(window->Browser()->documentTitle(),
            QStringLiteral("Finding text in a Book or Commentary"));

  w.MainAction("ActionAbout")->trigger();
  TAboutDialog* about = feature->About();
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->VersionLabel()->text(), QStringLiteral("Release Version 4.4.2003.10.16 (4.4d)"));
  EXPECT_TRUE(about->WebLink()->text().contains(QString::fromLatin1(kWebPageAddress)));
  EXPECT_EQ(about->Sources()->toPlainText(),
            QStringLiteral("Sample library\nKJV.lmb from a package\n"));
  // Only the dialog opened: the first About box is no longer bound.
  EXPECT_TRUE(fixture.messages.isEmpty());
  about->reject();
  ASSERT_TRUE(DefaultFileSystem().Remove(fixture.File("README.txt")).ok());
  w.MainAction("ActionAbout")->trigger();
  EXPECT_EQ(about->Sources()->toPlainText(), QString::fromLatin1(kNoLibraryReadme));
  about->reject();

  w.close();  // the help window closes with the main window
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace lumora::ui
