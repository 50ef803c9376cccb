// The main window on the sample library: start-up from a temporary
// settings file, the close sequence that saves it, window placement, the
// single-instance hand-over and the main-window commands that exist so far.
#include "app/ui/main_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "config/file_storage.h"
#include "app/ui/platform/single_instance.h"
#include "core/platform/file_system.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/sample_library.h"
#include "tests/ui/test_host.h"
#include "views/actions.h"
#include "views/bible_view.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"

namespace lumora::ui {
namespace {

QAction* Act(const TMain& w, const char* name) {
  return w.Actions().Find(QStringLiteral("Main.") + QString::fromLatin1(name));
}

#define REQUIRE_LIBRARY()                  \
  if (test::SampleLibraryFolder().empty()) \
  GTEST_SKIP() << "sample library not built (set LUMORA_LIBRARY)"

const TLMBibleModule* BibleOf(const TMain& w, const std::string& abbreviation) {
  for (const auto& b : w.Catalogue().Bibles())
    if (b->GetAbbreviation() == abbreviation) return b.get();
  return nullptr;
}

int VerseOf(const TMain& w, int book, int chapter, int verse) {
  return w.Catalogue().KjvBible()->LocateVerse(book, chapter, verse);
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { test::ResetSettings(); }

  // Writes `p` as the stored settings of the next start.
  void StoreSettings(const config::Properties& p) {
    config::FileStorage storage(DefaultFileSystem(), SettingsPath());
    ASSERT_TRUE(config::SaveProperties(p, storage).ok());
  }
  // The settings as the file holds them now.
  config::Properties StoredSettings() {
    config::FileStorage storage(DefaultFileSystem(), SettingsPath());
    config::Properties p = config::DefaultProperties();
    (void)config::LoadProperties(p, storage);
    return p;
  }
  std::string SettingsPath() const { return temp_.File("settings.reg"); }

  // A main window started from the settings file, as the program starts.
  std::unique_ptr<TMain> Start(const std::string& data_folder = test::SampleLibraryFolder()) {
    storage_ = std::make_unique<config::FileStorage>(DefaultFileSystem(), SettingsPath());
    TMainOptions options;
    options.data_folder = data_folder;
    options.storage = storage_.get();
    options.show_splash = false;
    options.show_message = [this](const QString& text) { messages_ << text; };
    return std::make_unique<TMain>(std::move(options));
  }

  test::TempFolder temp_;
  std::unique_ptr<config::FileStorage> storage_;
  QStringList messages_;
};

TEST_F(MainWindowTest, FirstRunOpensJohnOneInTheKjvMaximised) {
  REQUIRE_LIBRARY();
  auto w = Start();
  ASSERT_TRUE(w->StartupComplete()) << messages_.join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(messages_.isEmpty());
  EXPECT_EQ(w->BibleView()->CurrentBible(), w->Catalogue().KjvBible());
  EXPECT_EQ(w->BibleView()->CurrentVerse(), 26046);
  EXPECT_EQ(w->QuickJump()->text().toStdString(),
            w->Catalogue().KjvBible()->GetLongBookTitle(43) + " 1:1");
  EXPECT_TRUE(w->PlacedMaximized());
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Lumora 4.4d"));
  EXPECT_EQ(w->BibleView()->Tabs()->count(), static_cast<int>(w->Catalogue().Bibles().size()));
  EXPECT_NE(w->BibleView()->TextView()->HTMLView()->toPlainText().indexOf(
                QStringLiteral("In the beginning was the Word")),
            -1);
  // The Bible menu lists every Bible above its fixed items.
  int listed = 0;
  for (QAction* a : w->MenuBible()->actions()) {
    if (a->isSeparator()) break;
    ++listed;
  }
  EXPECT_EQ(listed, static_cast<int>(w->Catalogue().Bibles().size()));
}

TEST_F(MainWindowTest, CloseSavesTheWorkingStateAndTheNextStartRestoresIt) {
  REQUIRE_LIBRARY();
  int rom8_28 = 0;
  {
    auto w = Start();
    ASSERT_TRUE(w->StartupComplete());
    const TLMBibleModule* web = BibleOf(*w, "WEB");
    ASSERT_NE(web, nullptr);
    rom8_28 = VerseOf(*w, 45, 8, 28);
    w->ShowAsPlaced();
    w->BibleView()->ShowBible(web);
    w->BibleView()->GoToVerse(rom8_28);
    w->BibleView()->ActionToggleFootnotes->trigger();
    w->BibleView()->ActionToggleParaMode->trigger();
    w->close();
  }
  ASSERT_TRUE(std::filesystem::exists(SettingsPath()));
  const config::Properties saved = StoredSettings();
  EXPECT_EQ(saved.last_bible_verse, rom8_28);
  ASSERT_GE(saved.active_resources.size(), 6u);
  EXPECT_EQ(saved.active_resources[config::kActiveBible], "WEB");
  EXPECT_TRUE(saved.bible_view.para_mode);

  test::ResetSettings();
  auto again = Start();
  ASSERT_TRUE(again->StartupComplete());
  EXPECT_EQ(again->BibleView()->CurrentBible(), BibleOf(*again, "WEB"));
  EXPECT_EQ(again->BibleView()->CurrentVerse(), rom8_28);
  EXPECT_TRUE(config::GlobalProperties().bible_view.para_mode);
  EXPECT_TRUE(again->BibleView()->ActionToggleParaMode->isChecked());
  // Leaving paragraph mode after the restart brings back what was on
  // before it: footnotes, Commentary and Book links (they were saved beside
  // the mode, not as the all-off values paragraph mode shows).
  again->BibleView()->ActionToggleParaMode->trigger();
  const config::TPropertiesBibleView& s = config::GlobalProperties().bible_view;
  EXPECT_TRUE(s.show_footnotes);
  EXPECT_TRUE(s.link_commentaries);
  EXPECT_TRUE(s.link_dictionaries);
}

TEST_F(MainWindowTest, MaximisedWindowSavesItsRestoredGeometry) {
  REQUIRE_LIBRARY();
  config::Properties p = config::DefaultProperties();
  p.state_main = {100, 120, 500, 700};  // left, top, height, width
  p.closed_maximized = true;
  StoreSettings(p);
  test::ResetSettings();
  auto w = Start();
  ASSERT_TRUE(w->StartupComplete());
  EXPECT_EQ(w->PlacedGeometry(), QRect(100, 120, 700, 500));
  w->ShowAsPlaced();
  ASSERT_TRUE(w->isMaximized());
  w->close();
  const config::Properties saved = StoredSettings();
  EXPECT_TRUE(saved.closed_maximized);
  EXPECT_EQ(saved.state_main, (config::WindowState{100, 120, 500, 700}));
}

TEST(WindowPlacementTest, PositionOnScreensNeedsAReachableTitleBar) {
  const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
  struct Case {
    QRect window;
    bool usable;
  } cases[] = {
      {QRect(100, 100, 800, 600), true},
      {QRect(2000, 50, 800, 600), true},       // on the second screen
      {QRect(-5000, -5000, 800, 600), false},  // a screen that is gone
      {QRect(-780, 100, 800, 600), false},     // only 20 pixels of title bar visible
      {QRect(100, 1075, 800, 600), false},     // title bar below the screens
      {QRect(100, -25, 800, 600), false},      // title bar above the top edge
  };
  for (const Case& c : cases)
    EXPECT_EQ(PositionOnScreens(c.window, screens), c.usable) << c.window.x();
}

TEST_F(MainWindowTest, PositionOffEveryScreenIsNotUsed) {
  REQUIRE_LIBRARY();
  config::Properties p = config::DefaultProperties();
  p.state_main = {-5000, -5000, 500, 700};
  p.closed_maximized = false;
  StoreSettings(p);
  test::ResetSettings();
  auto w = Start();
  EXPECT_EQ(w->PlacedGeometry().size(), QSize(785, 566));
  EXPECT_FALSE(w->PlacedMaximized());
}

TEST_F(MainWindowTest, StoredVerseThatIsNoVerseOpensJohnOne) {
  REQUIRE_LIBRARY();
  for (int stored : {0, -7, 31103, 40000}) {
    config::Properties p = config::DefaultProperties();
    p.last_bible_verse = stored;
    StoreSettings(p);
    test::ResetSettings();
    auto w = Start();
    ASSERT_TRUE(w->StartupComplete());
    EXPECT_EQ(w->BibleView()->CurrentVerse(), 26046) << stored;
  }
}

TEST_F(MainWindowTest, TodaysProverbAtStartWhenChosen) {
  REQUIRE_LIBRARY();
  config::Properties p = config::DefaultProperties();
  p.startup_verse = 1;
  StoreSettings(p);
  test::ResetSettings();
  auto w = Start();
  const TVerseLocation at =
      w->Catalogue().KjvBible()->GetVerseLocation(w->BibleView()->CurrentVerse());
  EXPECT_EQ(at.book, 20);
  EXPECT_EQ(at.chapter, QDate::currentDate().day());
}

TEST_F(MainWindowTest, MissingParagraphMapStopsStartUpAndSavesNothing) {
  test::TempFolder empty;
  auto w = Start(empty.Path());
  EXPECT_TRUE(w->StartupFailed());
  EXPECT_FALSE(w->StartupComplete());
  EXPECT_EQ(
      messages_,
      QStringList{QStringLiteral("pmap.dat file not found. Reinstallation may be necessary.")});
  w->close();
  EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
}

TEST_F(MainWindowTest, HiddenTabsOfModulesNoLongerInstalledDropOutAtClose) {
  REQUIRE_LIBRARY();
  config::Properties p = config::DefaultProperties();
  p.hidden_tabs = {"GONE", "KJV", "RV1909"};
  p.exclude_from_linking = {"MHCC", "NOTHERE"};
  StoreSettings(p);
  test::ResetSettings();
  auto w = Start();
  ASSERT_TRUE(w->StartupComplete());
  const auto& bibles = w->BibleView()->Bibles();
  const TLMBibleModule* rv = BibleOf(*w, "RV1909");
  ASSERT_NE(rv, nullptr);
  const int rv_index =
      static_cast<int>(std::find(bibles.begin(), bibles.end(), rv) - bibles.begin());
  EXPECT_FALSE(w->BibleView()->Tabs()->isTabVisible(rv_index));
  EXPECT_TRUE(w->BibleView()->Tabs()->isTabVisible(0));  // the KJV Bible is never hidden
  // Show All, then Show Only Selected again.
  Act(*w, "ActionTabsShowAll")->trigger();
  EXPECT_TRUE(w->BibleView()->Tabs()->isTabVisible(rv_index));
  test::Settle();
  // The enabled state followed the strip at once (it went stale before).
  EXPECT_TRUE(Act(*w, "ActionTabsShowFavs")->isEnabled());
  Act(*w, "ActionTabsShowFavs")->trigger();
  EXPECT_FALSE(w->BibleView()->Tabs()->isTabVisible(rv_index));
  // Revealing by choosing the Bible shows its tab without changing the flag.
  w->BibleView()->ShowBible(rv);
  EXPECT_TRUE(w->BibleView()->Tabs()->isTabVisible(rv_index));
  w->show();
  w->close();
  const config::Properties saved = StoredSettings();
  EXPECT_EQ(saved.hidden_tabs, (std::vector<std::string>{"RV1909"}));
  EXPECT_EQ(saved.exclude_from_linking, (std::vector<std::string>{"MHCC", "NOTHERE"}));
}

TEST_F(MainWindowTest, NextAndPreviousBibleWrapAndFontSizesStopAtTheirLimits) {
  REQUIRE_LIBRARY();
  auto w = Start();
  const auto& bibles = w->BibleView()->Bibles();
  ASSERT_GE(bibles.size(), 2u);
  Act(*w, "ActionPrevBible")->trigger();
  EXPECT_EQ(w->BibleView()->CurrentBible(), bibles.back());
  EXPECT_EQ(w->BibleView()->CurrentVerse(), 26046);
  Act(*w, "ActionNextBible")->trigger();
  EXPECT_EQ(w->BibleView()->CurrentBible(), bibles.front());

  int& size = config::GlobalProperties().bible_view.main_size;
  size = 19;
  Act(*w, "ActionFontPlus")->trigger();
  EXPECT_EQ(size, 20);
  Act(*w, "ActionFontPlus")->trigger();
  EXPECT_EQ(size, 20);
  EXPECT_EQ(w->BibleView()->TextView()->HTMLView()->DefFontSize(), 20);
  size = 7;
  Act(*w, "ActionFontMinus")->trigger();
  Act(*w, "ActionFontMinus")->trigger();
  EXPECT_EQ(size, 6);
}

TEST_F(MainWindowTest, SecondStartBringsTheRunningWindowForward) {
  REQUIRE_LIBRARY();
  const QString key = QStringLiteral("lumora-ui-test-%1").arg(QCoreApplication::applicationPid());
  TLocalSocketInstanceLock first(key);
  ASSERT_EQ(first.Acquire(), TInstanceRole::kPrimary);
  auto w = Start();
  first.SetActivateHandler([&] { w->BringToFront(); });
  w->showMinimized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w->isMinimized(); }, 2000));
  TLocalSocketInstanceLock second(key);
  EXPECT_EQ(second.Acquire(), TInstanceRole::kSecondary);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !w->isMinimized() && w->isVisible(); }, 5000));
}

}  // namespace
}  // namespace lumora::ui
