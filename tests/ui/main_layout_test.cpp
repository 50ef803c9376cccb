// The main window's four panes on the synthetic library: the show, hide,
// toggle and maximise rules, the fractions, font sizes, and a restart that
// brings the working state back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/ui/main_window.h"
#include "config/memory_storage.h"
#include "config/properties.h"
#include "render/ui/html_view.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tests/ui/synthetic_library.h"
#include "tests/ui/test_host.h"
#include "tests/ui/wait_until.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

using test::V;

class MainLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { config::GlobalProperties() = config::DefaultProperties(); }

  // A window as the program starts one, on `folder` and this test's
  // settings (kept across starts).
  std::unique_ptr<TMain> Start(const std::string& folder = test::SyntheticLibraryFolder()) {
    libraries_.push_back(std::make_unique<TLibrary>());
    TMainOptions options;
    options.data_folder = folder;
    options.storage = &storage_;
    options.show_splash = false;
    options.library = libraries_.back().get();
    options.settings = &settings_;
    options.show_message = [this](const QString& text) { messages_ << text; };
    auto w = std::make_unique<TMain>(std::move(options));
    EXPECT_TRUE(w->StartupComplete()) << messages_.join(QLatin1Char('|')).toStdString();
    w->setGeometry(50, 50, 1000, 700);
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    return w;
  }
  void Trigger(TMain& w, const char* name) {
    test::Settle();
    QAction* a = w.MainAction(name);
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
  }
  static PaneVisibility Panes(bool vl, bool book, bool bible, bool comment) {
    return {vl, book, bible, comment};
  }

  config::MemoryStorage storage_;
  TSettings settings_;
  std::vector<std::unique_ptr<TLibrary>> libraries_;
  QStringList messages_;
};

TEST_F(MainLayoutTest, TogglesFollowTheShowAndHideRules) {
  auto w = Start();
  // First run: Bible, Book and Commentary show; the verse list does not.
  EXPECT_EQ(w->Visibility(), Panes(false, true, true, true));
  Trigger(*w, "ActionViewVerseList");
  EXPECT_EQ(w->Visibility(), Panes(true, true, true, true));
  Trigger(*w, "ActionViewDict");
  Trigger(*w, "ActionViewVerseList");
  EXPECT_EQ(w->Visibility(), Panes(false, false, true, true));
  EXPECT_TRUE(w->findChild<QSplitter*>(QStringLiteral("PanelLeft"))->isHidden());
  // Hiding the Bible lets the Commentary fill the right column.
  Trigger(*w, "ActionViewBible");
  EXPECT_EQ(w->Visibility(), Panes(false, false, false, true));
  LUMORA_WAIT_UNTIL(w->CommentView()->height() ==
                    w->findChild<QSplitter*>(QStringLiteral("PanelRight"))->height());
  // The last pane toggled off: the Bible shows first.
  Trigger(*w, "ActionViewComment");
  EXPECT_EQ(w->Visibility(), Panes(false, false, true, false));
  Trigger(*w, "ActionViewBible");  // for the Bible: the verse list first
  EXPECT_EQ(w->Visibility(), Panes(true, false, false, false));
  test::Settle();
  EXPECT_TRUE(w->MainAction("ActionViewVerseList")->isChecked());
  EXPECT_FALSE(w->MainAction("ActionViewBible")->isChecked());
  Trigger(*w, "ActionViewAll");
  EXPECT_EQ(w->Visibility(), Panes(true, true, true, true));
  test::Settle();
  EXPECT_FALSE(w->MainAction("ActionViewAll")->isEnabled());
}

TEST_F(MainLayoutTest, MaximiseShowsOnePaneAndItsButtonKnowsIt) {
  auto w = Start();
  QAction* max = w->BibleView()->ActionMax;
  test::Settle();
  EXPECT_TRUE(max->isEnabled());
  max->trigger();
  EXPECT_EQ(w->Visibility(), Panes(false, false, true, false));
  test::Settle();
  EXPECT_FALSE(max->isEnabled());  // one action: tool button and menu item alike
  w->CommentView()->ActionMax->trigger();
  EXPECT_EQ(w->Visibility(), Panes(false, false, false, true));
}

TEST_F(MainLayoutTest, SizesComeFromTheFractionsAndOnlyADragChangesThem) {
  auto w = Start();
  Trigger(*w, "ActionViewVerseList");
  auto* left = w->findChild<QSplitter*>(QStringLiteral("PanelLeft"));
  auto* lr = w->findChild<QSplitter*>(QStringLiteral("SplitterLR"));
  config::Properties& p = config::GlobalProperties();
  EXPECT_EQ(p.left_top_pct, 0.5);
  // A drag of the handle between verse list and Book: 30% of the column.
  QSplitterHandle* handle = left->handle(1);
  LUMORA_WAIT_UNTIL(w->VerseListView()->height() > 100);
  const int target = static_cast<int>(left->height() * 0.3);
  const QPoint from = handle->rect().center();
  const QPoint to = from + QPoint(0, target - handle->y());
  QTest::mousePress(handle, Qt::LeftButton, {}, from);
  QMouseEvent move(QEvent::MouseMove, to, handle->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(handle, &move);
  QTest::mouseRelease(handle, Qt::LeftButton, {}, to);
  EXPECT_NEAR(p.left_top_pct, 0.3, 0.02);
  const double dragged = p.left_top_pct;
  w->resize(800, 600);
  LUMORA_WAIT_UNTIL(lr->width() == w->centralWidget()->width());
  EXPECT_EQ(p.left_top_pct, dragged);  // a resize never changes a fraction
  EXPECT_NEAR(static_cast<double>(w->VerseListView()->height()) / left->height(), dragged, 0.02);
  // Restore Default Window Sizes: every fraction 0.45.
  Trigger(*w, "ActionRestoreSizes");
  EXPECT_EQ(p.left_top_pct, 0.45);
  EXPECT_EQ(p.left_panel_pct, 0.45);
  EXPECT_EQ(p.right_bottom_pct, 0.45);
}

TEST_F(MainLayoutTest, FontSizeCommandsChangeEveryPaneWithinItsLimits) {
  auto w = Start();
  config::Properties& p = config::GlobalProperties();
  p.bible_view.main_size = 20;
  p.dict_view.main_size = 12;
  p.comment_view.main_size = 6;
  p.verse_list_view.main_size = 19;
  Trigger(*w, "ActionFontPlus");
  EXPECT_EQ(p.bible_view.main_size, 20);
  EXPECT_EQ(p.dict_view.main_size, 13);
  EXPECT_EQ(p.comment_view.main_size, 7);
  EXPECT_EQ(p.verse_list_view.main_size, 20);
  Trigger(*w, "ActionFontMinus");
  EXPECT_EQ(p.comment_view.main_size, 6);
  EXPECT_EQ(p.bible_view.main_size, 19);
}

TEST_F(MainLayoutTest, LibraryWithoutBooksOrCommentariesShowsTheBibleAlone) {
  test::TempFolder folder;
  test::CopySyntheticLibrary(folder.Path());
  for (const char* sub : {"Books", "Commentaries", "User"})
    std::filesystem::remove_all(std::filesystem::path(folder.Path()) / sub);
  auto w = Start(folder.Path());
  EXPECT_EQ(w->Visibility(), Panes(false, false, true, false));
  test::Settle();
  EXPECT_FALSE(w->MainAction("ActionViewDict")->isEnabled());
  EXPECT_FALSE(w->MainAction("ActionViewComment")->isEnabled());
  EXPECT_TRUE(w->MainAction("ActionViewAll")->isEnabled());  // the verse list can show
  Trigger(*w, "ActionViewAll");
  EXPECT_EQ(w->Visibility(), Panes(true, false, true, false));
}

// A restart at a verse in the middle of a long chapter comes back with
// that verse at the top and every pane where it was.
TEST_F(MainLayoutTest, RestartBringsBackPanesModulesAndPositions) {
  const int psalm119_100 = V(19, 119, 100);
  int top = 0;
  uint32_t bible_pos = 0;
  {
    auto w = Start();
    Trigger(*w, "ActionViewVerseList");
    w->BibleView()->GoToVerse(psalm119_100);
    top = w->BibleView()->TopVerse();
    EXPECT_EQ(top, psalm119_100);
    bible_pos = w->BibleView()->TextView()->HTMLView()->SavedPosition();
    EXPECT_GT(bible_pos, 0u);
    const auto& books = w->Library().Books();
    w->DictView()->ShowBook(books.back());
    w->DictView()->ShowEntry(1, 0, 0);
    w->ShowCommentary(w->Library().FindCommentary("CR"), test::kJohn3_16 - 1, 0, 0);
    w->close();
  }
  libraries_.clear();  // the program has one library: the next start opens the files again
  auto again = Start();
  EXPECT_EQ(again->Visibility(), Panes(true, true, true, true));
  LUMORA_WAIT_UNTIL(again->BibleView()->TopVerse() == psalm119_100)
      << again->BibleView()->TopVerse();
  EXPECT_EQ(again->BibleView()->TextView()->FirstVisibleVerse(), psalm119_100);
  EXPECT_EQ(again->BibleView()->TextView()->HTMLView()->SavedPosition(), bible_pos);
  ASSERT_NE(again->DictView()->CurrentBook(), nullptr);
  EXPECT_EQ(again->DictView()->CurrentBook(), again->Library().Books().back());
  EXPECT_EQ(again->DictView()->CurrentEntry(), 1);
  ASSERT_NE(again->CommentView()->CurrentCommentary(), nullptr);
  EXPECT_EQ(again->CommentView()->CurrentCommentary()->GetAbbreviation(), "CR");
  EXPECT_EQ(again->CommentView()->CurrentPosition(), test::kJohn3_16 - 1);
}

}  // namespace
}  // namespace lumora::ui
