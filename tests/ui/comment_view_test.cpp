// The Commentary pane on the synthetic library (CN: Genesis 1:1, John 3:16
// and 3:17; CR: John 3:16; UN: a user Commentary): tabs, the entry box,
// positions and redraws, history, commands, the right-click menu, the
// corresponding tab colours and the library's changes.
#include "views/comment_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "config/properties.h"
#include "core/codec/base205.h"
#include "render/ui/display_colors.h"
#include "tests/ui/recording_services.h"
#include "tests/ui/resource_pane_fixture.h"
#include "tests/ui/test_host.h"
#include "views/entry_box.h"
#include "views/resource_tabs.h"
#include "views/resource_view_frame.h"

namespace lumora::ui {
namespace {

using test::kJohn3_16;
constexpr int kJ316 = kJohn3_16 - 1;  // its Commentary position

class CommentViewTest : public ::testing::Test {
 protected:
  CommentViewTest() { config::GlobalProperties() = config::DefaultProperties(); }
  void SetUp() override {
    if (!kit_.library.IsLoaded()) kit_.library.Adopt(test::LoadSyntheticLibrary());
    kit_.host.bible = kit_.library.Kjv();
    view_.resize(700, 400);
    view_.show();
    view_.SetCommentaries();
  }
  int Index(const char* abbreviation) const {
    return kit_.library.IndexOf(kit_.library.FindCommentary(abbreviation));
  }
  void Show(const char* abbreviation, int position) {
    view_.ShowComment(Index(abbreviation), position, 0, 0, false);
  }
  std::string Shown() const {
    const TLMCommentaryModule* c = view_.CurrentCommentary();
    return (c ? c->GetAbbreviation() : std::string("-")) + " " +
           std::to_string(view_.CurrentPosition());
  }
  std::vector<std::string> Items(bool back) const {
    std::vector<std::string> out;
    for (const TCommentaryPlace& p : back ? view_.History().Back() : view_.History().Forward())
      out.push_back(p.abbreviation + " " + std::to_string(p.position));
    return out;
  }
  QLineEdit& Edit() { return *view_.EntryBox()->lineEdit(); }

  test::TPaneTestKit kit_;
  TFrameCommentView view_{kit_.Context()};
};

TEST_F(CommentViewTest, ATabChangeShowsTheSameVerseInTheNewCommentary) {
  Show("CN", kJ316);
  EXPECT_EQ(view_.EntryBox()->count(), 3);
  const QRect cr = view_.Tabs()->tabRect(Index("CR"));
  QTest::mouseClick(view_.Tabs(), Qt::LeftButton, {}, cr.center());
  EXPECT_EQ(Shown(), "CR " + std::to_string(kJ316));
  EXPECT_NE(view_.HTMLView()->DocumentSource().find("A remark on John 3:16."), std::string::npos);
  EXPECT_EQ(view_.EntryBox()->count(), 1);
  EXPECT_EQ(view_.EntryBox()->currentText().toStdString(), test::KjvRef(kJohn3_16));
  EXPECT_EQ(Items(true), std::vector<std::string>{"CN " + std::to_string(kJ316)});
}

TEST_F(CommentViewTest, ShowCommentSwitchesTabsWithOneRenderAndOneHistoryItem) {
  Show("CN", 0);
  test::RenderCounter renders(view_.HTMLView());
  Show("CR", kJ316);
  EXPECT_EQ(renders.count, 1);
  EXPECT_EQ(Shown(), "CR " + std::to_string(kJ316));
  EXPECT_EQ(Items(true), std::vector<std::string>{"CN 0"});
  // Forced: the tab selected again, still one render.
  view_.ShowComment(Index("CR"), kJ316 + 1, 0, 0, true);
  EXPECT_EQ(renders.count, 2);
}

TEST_F(CommentViewTest, PositionsOutsideTheBibleClearAndReadNothing) {
  test::RenderCounter renders(view_.HTMLView());
  view_.RefreshView();  // before any verse: nothing
  EXPECT_EQ(renders.count, 0);
  EXPECT_EQ(view_.CurrentPosition(), -1);
  Show("CN", kJ316);
  for (int bad : {31102, -1, 70000}) {
    Show("CN", kJ316);
    Show("CR", bad);
    EXPECT_EQ(view_.CurrentPosition(), -1) << bad;
    EXPECT_TRUE(view_.HTMLView()->DocumentSource().empty()) << bad;
    EXPECT_EQ(view_.EntryBox()->currentIndex(), -1) << bad;
    view_.ShowCommentAt(bad);
    EXPECT_EQ(view_.CurrentPosition(), -1) << bad;
  }
  EXPECT_EQ(renders.count, 4);
  view_.ShowCommentEntry(5);  // CR has one title
  view_.ShowCommentEntry(-1);
  EXPECT_EQ(view_.CurrentPosition(), -1);
  EXPECT_EQ(renders.count, 4);
}

TEST_F(CommentViewTest, EntryBoxTakesTypedReferencesAndItsItems) {
  Show("CN", 0);
  Edit().setFocus();
  Edit().setText(QStringLiteral("Jn 3:16"));
  QTest::keyClick(&Edit(), Qt::Key_Return);
  EXPECT_EQ(Shown(), "CN " + std::to_string(kJ316));
  EXPECT_EQ(Edit().selectedText().toStdString(), test::KjvRef(kJohn3_16));
  kit_.host.log.clear();
  Edit().setText(QStringLiteral("love"));
  QTest::keyClick(&Edit(), Qt::Key_Return);
  EXPECT_EQ(kit_.host.log, std::vector<std::string>{"Message Unrecognized reference."});
  EXPECT_EQ(Shown(), "CN " + std::to_string(kJ316));
  EXPECT_EQ(Edit().selectedText(), QStringLiteral("love"));
  // An item chosen by the user.
  Q_EMIT view_.EntryBox()->activated(2);
  EXPECT_EQ(Shown(), "CN " + std::to_string(kJ316 + 1));
  // Typing a title and leaving the box shows nothing new.
  Edit().clear();
  QTest::keyClicks(&Edit(), QString::fromStdString(test::KjvRef(1)));
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&Edit(), &out);
  EXPECT_EQ(Shown(), "CN " + std::to_string(kJ316 + 1));
  // Selecting programmatically runs no handler.
  view_.EntryBox()->Select(0);
  EXPECT_EQ(Shown(), "CN " + std::to_string(kJ316 + 1));
}

TEST_F(CommentViewTest, TopicGuideNamesTheVerseOrIsOffWithoutOne) {
  test::InstallRecordingServices(kit_.host);
  test::Settle();
  EXPECT_EQ(view_.ActionTopicGuideCmt->text(), QStringLiteral("Topic Guide for verse"));
  EXPECT_FALSE(view_.ActionTopicGuideCmt->isEnabled());
  Show("CN", kJ316);
  const QString ref = QString::fromStdString(test::KjvRef(kJohn3_16));
  EXPECT_EQ(view_.ActionTopicGuideCmt->text(), QStringLiteral("Topic Guide for ") + ref);
  EXPECT_EQ(view_.ActionTopicGuideCmt->toolTip(), QStringLiteral("Open Topic Guide for ") + ref);
  ASSERT_TRUE(view_.ActionTopicGuideCmt->isEnabled());
  kit_.host.log.clear();
  view_.ActionTopicGuideCmt->trigger();
  view_.ActionGoBible->trigger();
  EXPECT_EQ(kit_.host.log,
            (std::vector<std::string>{"TopicGuide " + ref.toStdString(), "GoToVerse 26137"}));
}

TEST_F(CommentViewTest, HistoryKeepsOnlyVersesWithACommentWhenMovingOn) {
  Show("CN", 0);
  Show("CN", 5);  // no comment there
  Show("CN", kJ316);
  Show("CN", kJ316 + 1);
  EXPECT_EQ(Items(true), (std::vector<std::string>{"CN " + std::to_string(kJ316), "CN 0"}));
  const std::string jn = kit_.library.Kjv()->GetShortBookTitle(43);
  EXPECT_EQ(view_.HistoryCaptions(true),
            (QStringList{QString::fromStdString("CN - " + jn + " 3:16"),
                         QString::fromStdString("CN - " + kit_.library.Kjv()->GetShortBookTitle(1) +
                                                " 1:1")}));
  view_.ActionBack->trigger();
  EXPECT_EQ(Shown(), "CN " + std::to_string(kJ316));
  view_.ActionForward->trigger();
  EXPECT_EQ(Shown(), "CN " + std::to_string(kJ316 + 1));
  // A back jump from a verse without a comment does not keep it...
  Show("CN", 7);
  view_.JumpBack(0);
  EXPECT_EQ(Shown(), "CN " + std::to_string(kJ316 + 1));
  EXPECT_TRUE(Items(false).empty());
  // ...a forward jump leaving one does.
  view_.JumpBack(0);
  view_.ShowCommentAt(9);
  Show("CN", 0);
  view_.JumpBack(0);  // to position 9 (recorded: a forward jump never left it)
  EXPECT_EQ(view_.CurrentPosition(), kJ316);
  view_.JumpForward(0);
  EXPECT_EQ(view_.CurrentPosition(), 0);
  EXPECT_EQ(Items(true).front(), "CN " + std::to_string(kJ316));
  // The mouse's buttons over the pane.
  QTest::mouseClick(view_.HTMLView()->viewport(), Qt::BackButton, {}, QPoint(10, 10));
  EXPECT_EQ(view_.CurrentPosition(), kJ316);
  QTest::mouseClick(view_.EntryBox(), Qt::ForwardButton, {}, QPoint(5, 5));
  EXPECT_EQ(view_.CurrentPosition(), 0);
}

TEST_F(CommentViewTest, RefreshRedrawsWithoutHistoryOrShowingThePane) {
  Show("CN", 0);
  Show("CN", kJ316);
  view_.JumpBack(0);
  const auto back = Items(true);
  const auto forward = Items(false);
  test::RenderCounter renders(view_.HTMLView());
  kit_.host.visible[static_cast<int>(TPane::kCommentary)] = false;
  kit_.host.log.clear();
  config::GlobalProperties().comment_view.main_size = 15;
  kit_.settings.Commit(kSettingsCommentView);
  EXPECT_EQ(renders.count, 1);
  EXPECT_EQ(view_.HTMLView()->DefFontSize(), 15);
  EXPECT_EQ(Items(true), back);
  EXPECT_EQ(Items(false), forward);
  EXPECT_TRUE(kit_.host.log.empty());
  // Other panes' settings leave it alone.
  kit_.settings.Commit(kSettingsBibleView);
  EXPECT_EQ(renders.count, 1);
}

TEST_F(CommentViewTest, EditAndClearNeedAUserCommentaryAndTheEditor) {
  test::InstallRecordingServices(kit_.host);
  Show("CN", kJ316);
  test::Settle();
  EXPECT_FALSE(view_.ActionEditComment->isEnabled());
  EXPECT_FALSE(view_.ActionClearComment->isEnabled());
  Show("UN", kJ316);
  test::Settle();
  EXPECT_TRUE(view_.ActionEditComment->isEnabled());
  EXPECT_FALSE(view_.ActionClearComment->isEnabled());  // nothing written there
  kit_.host.log.clear();
  view_.ActionEditComment->trigger();
  EXPECT_EQ(kit_.host.log, std::vector<std::string>{"EditCommentary UN " + std::to_string(kJ316)});
}

TEST_F(CommentViewTest, RightClickMenuItemsActOnTheCommentAndTheLink) {
  test::InstallRecordingServices(kit_.host);
  static_cast<test::TRecordingAuthoring&>(*kit_.host.authoring).editing = true;
  Show("CN", kJ316);
  const auto item = [](QMenu& menu, const QString& text) -> QAction* {
    for (QAction* a : menu.actions())
      if (a->text() == text) return a;
    return nullptr;
  };
  QMenu plain;
  view_.PopulateContextMenu(plain, "", "");
  EXPECT_EQ(item(plain, QStringLiteral("Go to Bible Passage")), nullptr);
  EXPECT_FALSE(item(plain, QStringLiteral("Copy Verse(s) from this Link"))->isEnabled());
  EXPECT_TRUE(item(plain, QStringLiteral("Load all Referenced Verses"))->isEnabled());
  const std::string ref = test::KjvRef(kJohn3_16);
  kit_.host.log.clear();
  item(plain, QStringLiteral("Load all Referenced Verses"))->trigger();
  item(plain, QStringLiteral("Send Commentary Link to Editor"))->trigger();
  item(plain, QStringLiteral("Set Bookmark"))->menu()->actions().front()->trigger();
  item(plain, QStringLiteral("Print this window"))->trigger();
  EXPECT_EQ(kit_.host.log, (std::vector<std::string>{
                               "ShowVerseList References 26138",
                               "SendToEditor <a href=\"lmcmt:CN|" + ref + "\">CN: " + ref + "</a>",
                               "Bookmark 1 CN " + std::to_string(kJ316) + " " + ref}));
  EXPECT_EQ(kit_.Output().printed, QStringList{QString::fromStdString("CN " + ref)});

  QMenu list;
  view_.PopulateContextMenu(list, "vrl:" + EncodeBase205(1) + "," + EncodeBase205(kJohn3_16), "");
  QAction* go = item(list, QStringLiteral("Go to Bible Passage"));
  ASSERT_NE(go, nullptr);
  EXPECT_TRUE(go->isEnabled());
  EXPECT_TRUE(item(list, QStringLiteral("Copy Verse(s) from this Link"))->isEnabled());
  EXPECT_EQ(view_.LinkedRanges(), (TVerseRangeList{{1, 1}, {kJohn3_16, kJohn3_16}}));
}

TEST_F(CommentViewTest, InactiveTabsWithACommentOnTheVerseTakeTheCorrespondingColour) {
  TabAppearance look;
  look.active_color = 0x000000FF;
  look.inactive_color = 0x0000FF00;
  look.corresponding_color = 0x00FFFF00;
  view_.Tabs()->ApplyAppearance(look);
  const auto colour = [&](const char* abbreviation) {
    return view_.Tabs()->TabColor(Index(abbreviation));
  };
  EXPECT_EQ(colour("CR"), ToQColor(look.inactive_color));  // no verse yet
  Show("CN", kJ316);
  EXPECT_EQ(colour("CN"), ToQColor(look.active_color));
  EXPECT_EQ(colour("CR"), ToQColor(look.corresponding_color));
  EXPECT_EQ(colour("UN"), ToQColor(look.inactive_color));
  Show("CN", 0);
  EXPECT_EQ(colour("CR"), ToQColor(look.inactive_color));
}

// --- The library's changes ---------------------------------------------------------------

class CommentViewListsTest : public CommentViewTest {
 protected:
  void SetUp() override {
    test::CopySyntheticLibrary(before_.Path());
    test::CopySyntheticLibrary(after_.Path());
    std::filesystem::remove(after_.Path() + "/Commentaries/CR.lmc");
    kit_.library.Adopt(test::LoadSyntheticLibrary(before_.Path()));
    CommentViewTest::SetUp();
  }
  test::TempFolder before_, after_;
};

TEST_F(CommentViewListsTest, ACommentaryThatLeavesTakesItsHistoryAndItsDisplay) {
  Show("CN", 0);
  Show("CR", kJ316);
  Show("CN", kJ316);
  Show("CN", kJ316 + 1);
  test::SwapCatalogue(kit_.library, test::LoadSyntheticLibrary(after_.Path()));
  EXPECT_EQ(Shown(), "CN " + std::to_string(kJ316 + 1));  // still there: drawn again
  EXPECT_NE(view_.HTMLView()->DocumentSource().find("Not to condemn."), std::string::npos);
  EXPECT_EQ(Items(true), (std::vector<std::string>{"CN " + std::to_string(kJ316), "CN 0"}));
  EXPECT_EQ(view_.Tabs()->count(), 2);
  EXPECT_EQ(view_.EntryBox()->count(), 3);
}

TEST_F(CommentViewListsTest, ThePaneOfACommentaryThatLeftIsCleared) {
  Show("CN", 0);
  Show("CR", kJ316);
  test::SwapCatalogue(kit_.library, test::LoadSyntheticLibrary(after_.Path()));
  EXPECT_EQ(view_.CurrentPosition(), -1);
  EXPECT_TRUE(view_.HTMLView()->DocumentSource().empty());
  test::Settle();
  EXPECT_TRUE(view_.ActionBack->isEnabled());
  view_.ActionBack->trigger();
  EXPECT_EQ(Shown(), "CN 0");
  EXPECT_FALSE(view_.ActionBack->isEnabled());
}

}  // namespace
}  // namespace lumora::ui
