// The Bible pane driven as a user drives it, on the sample library: chapter
// and book steps, selectors, tabs, paragraph mode, the right-click menu,
// copying, keys; plus the text rules it applies.
#include "views/bible_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>
#include <string>

#include "app/ui/platform/clipboard.h"
#include "render/ui/html_view.h"
#include "tests/ui/sample_library.h"
#include "tests/ui/test_host.h"
#include "views/bible_view_logic.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"

namespace lumora::ui {
namespace {

class FakeClipboard : public IClipboard {
 public:
  QString Text() const override { return text; }
  void SetText(const QString& t) override { text = t; }
  void SetHtml(const QString&, const QString& plain) override { text = plain; }
  QString text;
};

class BibleViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { library_ = test::OpenSampleLibrary(); }
  static void TearDownTestSuite() { library_.reset(); }
  void SetUp() override {
    test::ResetSettings();
    InstallClipboard(&clipboard_);
    view_.resize(800, 500);
    view_.show();
  }
  void TearDown() override { InstallClipboard(nullptr); }
  std::string Short(int book) const { return lib_->Kjv().GetShortBookTitle(book); }
  std::string Long(int book) const { return lib_->Kjv().GetLongBookTitle(book); }
  bool Open() {
    lib_ = library_.get();
    if (lib_ == nullptr) return false;
    test::SetUpBibleView(view_, kit_.library, *lib_);
    kit_.host.bible_view = &view_;
    return true;
  }
  int V(int book, int chapter, int verse) const { return lib_->Verse(book, chapter, verse); }

  static std::shared_ptr<const test::SampleLibrary> library_;
  const test::SampleLibrary* lib_ = nullptr;
  FakeClipboard clipboard_;
  test::TPaneTestKit kit_;
  TFrameBibleView view_{kit_.Context()};
};

std::shared_ptr<const test::SampleLibrary> BibleViewTest::library_;

#define REQUIRE_OPEN() \
  if (!Open()) GTEST_SKIP() << "sample library not built (set LUMORA_LIBRARY)"

TEST_F(BibleViewTest, ChapterAndBookStepsWrapAtTheEnds) {
  REQUIRE_OPEN();
  struct Case {
    int from[3];
    QAction* TFrameBibleView::*action;
    int to[3];             // CurrentVerse afterwards
    int chapter_first[3];  // first verse of the chapter shown
  } cases[] = {
      {{66, 22, 1}, &TFrameBibleView::ActionNextChapter, {1, 1, 1}, {1, 1, 1}},
      {{1, 1, 1}, &TFrameBibleView::ActionPrevChapter, {66, 22, 21}, {66, 22, 1}},
      {{2, 1, 1}, &TFrameBibleView::ActionPrevChapter, {1, 50, 26}, {1, 50, 1}},
      {{1, 50, 1}, &TFrameBibleView::ActionNextChapter, {2, 1, 1}, {2, 1, 1}},
      {{66, 3, 4}, &TFrameBibleView::ActionNextBook, {1, 1, 1}, {1, 1, 1}},
      {{1, 3, 4}, &TFrameBibleView::ActionPrevBook, {66, 1, 1}, {66, 1, 1}},
      {{43, 3, 16}, &TFrameBibleView::ActionNextBook, {44, 1, 1}, {44, 1, 1}},
  };
  for (const Case& c : cases) {
    view_.GoToVerse(V(c.from[0], c.from[1], c.from[2]));
    (view_.*c.action)->trigger();
    SCOPED_TRACE(c.from[0] * 10000 + c.from[1] * 100 + c.from[2]);
    EXPECT_EQ(view_.CurrentVerse(), V(c.to[0], c.to[1], c.to[2]));
    ASSERT_FALSE(view_.ChapterVerses().empty());
    EXPECT_EQ(view_.ChapterVerses().front(),
              V(c.chapter_first[0], c.chapter_first[1], c.chapter_first[2]));
    EXPECT_EQ(view_.BookSelector()->currentIndex(), c.to[0] - 1);
    EXPECT_EQ(view_.ChapterSelector()->currentIndex(), c.to[1] - 1);
    EXPECT_EQ(view_.ChapterSelector()->count(), lib_->Kjv().GetChapterCount(c.to[0]));
  }
}

// The page's own chapter links ("IncChPrev", "IncChNext") at the two ends
// of the Bible, clicked through the text view's link dispatcher.
TEST_F(BibleViewTest, PageChapterLinksAtGenesisOneAndRevelationTwentyTwo) {
  REQUIRE_OPEN();
  config::GlobalProperties().inc_ch_prev = true;
  config::GlobalProperties().inc_ch_next = true;
  view_.RefreshView();
  const auto href = [](int verse) { return "lp:" + std::to_string(verse); };
  const auto click = [this](const std::string& link) {
    bool handled = false;
    view_.TextView()->HTMLViewHotSpotClick(link, handled);
    EXPECT_TRUE(handled);
  };
  view_.GoToVerse(V(1, 1, 1));
  std::string page = view_.TextView()->HTMLView()->DocumentSource();
  EXPECT_EQ(page.find("Previous Chapter"), std::string::npos);
  EXPECT_NE(page.find("\"" + href(V(1, 2, 1)) + "\">Next Chapter"), std::string::npos);
  click(href(V(1, 2, 1)));
  EXPECT_EQ(view_.CurrentVerse(), V(1, 2, 1));
  EXPECT_EQ(view_.TextView()->HTMLView()->SelLength(), 0);  // the Bible view selects no label

  view_.GoToVerse(V(66, 22, 1));
  page = view_.TextView()->HTMLView()->DocumentSource();
  EXPECT_EQ(page.find("Next Chapter"), std::string::npos);
  EXPECT_NE(page.find("\"" + href(V(66, 21, 27)) + "\">Previous Chapter"), std::string::npos);
  click(href(V(66, 21, 27)));
  EXPECT_EQ(view_.CurrentVerse(), V(66, 21, 27));
  EXPECT_EQ(view_.ChapterVerses().front(), V(66, 21, 1));
  // A link naming no verse does nothing.
  click("lp:99999");
  EXPECT_EQ(view_.CurrentVerse(), V(66, 21, 27));
}

TEST_F(BibleViewTest, VerseInTheShownChapterScrollsWithoutRenderingAndRecords) {
  REQUIRE_OPEN();
  const int john1_1 = V(43, 1, 1);
  view_.GoToVerse(john1_1);
  const std::string html = view_.TextView()->HTMLView()->DocumentSource();
  EXPECT_NE(html.find("In the beginning was the Word"), std::string::npos);
  const int revision = view_.TextView()->HTMLView()->document()->revision();
  view_.GoToVerse(V(43, 1, 40));
  EXPECT_EQ(view_.TextView()->HTMLView()->document()->revision(), revision);
  EXPECT_EQ(view_.TopVerse(), V(43, 1, 40));
  ASSERT_EQ(view_.History().Back().size(), 1u);
  EXPECT_EQ(view_.History().Back().front(), john1_1);
}

// Links, bookmarks and stored settings can carry any number.
TEST_F(BibleViewTest, GoToVerseIgnoresNumbersThatAreNoVerse) {
  REQUIRE_OPEN();
  view_.GoToVerse(V(43, 3, 16));
  view_.GoToVerse(V(45, 8, 28));
  for (int bad : {0, -1, -26046, 31103, 65535, 65536 + 26046, INT_MAX, INT_MIN}) {
    view_.GoToVerse(bad);
    EXPECT_EQ(view_.CurrentVerse(), V(45, 8, 28)) << bad;
    EXPECT_EQ(view_.History().Back().size(), 1u) << bad;
  }
}

// Selecting the book and chapter for a verse must not run the user's
// selector handlers (which would jump to the chapter's start and record
// again), nor may a tab selected by the program.
TEST_F(BibleViewTest, ProgrammaticSelectorAndTabChangesRunNoUserHandler) {
  REQUIRE_OPEN();
  const TLMBibleModule* web = lib_->Bible("WEB");
  ASSERT_NE(web, nullptr);
  QSignalSpy tab_changes(view_.Tabs(), &TResourceTabs::currentTabChanged);
  view_.GoToVerse(V(43, 3, 16));
  view_.GoToVerse(V(45, 8, 28));
  EXPECT_EQ(view_.CurrentVerse(), V(45, 8, 28));
  EXPECT_EQ(view_.History().Back().size(), 1u);
  // Near a chapter's end the view cannot bring the verse to its top; the
  // top verse is what the new Bible shows.
  const int top = view_.TopVerse();
  view_.ShowBible(web);
  EXPECT_EQ(view_.CurrentBible(), web);
  EXPECT_EQ(tab_changes.count(), 0);
  EXPECT_EQ(view_.CurrentVerse(), top);
  EXPECT_EQ(view_.History().Back().size(), 1u);
}

TEST_F(BibleViewTest, ClickingATabKeepsTheTopVerseAndAddsNoHistory) {
  REQUIRE_OPEN();
  const TLMBibleModule* web = lib_->Bible("WEB");
  ASSERT_NE(web, nullptr);
  view_.GoToVerse(V(43, 1, 1));
  view_.GoToVerse(V(43, 3, 16));
  const int top = view_.TopVerse();
  ASSERT_EQ(top, V(43, 3, 16));
  const size_t back = view_.History().Back().size();
  const int index = static_cast<int>(std::find(view_.Bibles().begin(), view_.Bibles().end(), web) -
                                     view_.Bibles().begin());
  QTest::mouseClick(view_.Tabs(), Qt::LeftButton, {}, view_.Tabs()->tabRect(index).center());
  EXPECT_EQ(view_.CurrentBible(), web);
  EXPECT_EQ(view_.CurrentVerse(), top);
  EXPECT_EQ(view_.History().Back().size(), back);
  EXPECT_EQ(view_.TextView()->Bible(), web);
  EXPECT_EQ(view_.BookSelector()->currentIndex(), 42);
  EXPECT_EQ(view_.BookSelector()->itemText(42).toStdString(), web->GetShortBookTitle(43));
}

TEST_F(BibleViewTest, ParagraphModeRestoresAllFourLinkSettings) {
  REQUIRE_OPEN();
  config::TPropertiesBibleView& s = config::GlobalProperties().bible_view;
  s.link_commentaries = true;
  s.link_dictionaries = false;
  s.show_footnotes = true;
  s.show_edit_links = true;
  view_.GoToVerse(V(43, 3, 16));
  view_.ActionToggleParaMode->trigger();
  EXPECT_TRUE(s.para_mode);
  EXPECT_FALSE(s.link_commentaries || s.link_dictionaries || s.show_footnotes || s.show_edit_links);
  EXPECT_TRUE(view_.ActionToggleParaMode->isChecked());
  EXPECT_EQ(view_.TextView()->Renderer().Settings(), s);
  view_.ActionToggleParaMode->trigger();
  EXPECT_FALSE(s.para_mode);
  EXPECT_TRUE(s.link_commentaries);
  EXPECT_FALSE(s.link_dictionaries);
  EXPECT_TRUE(s.show_footnotes);
  EXPECT_TRUE(s.show_edit_links);
  EXPECT_EQ(view_.CurrentVerse(), V(43, 3, 16));

  // Any other toggle leaves paragraph mode: the user's four settings come
  // back first, then the toggle applies to them.
  view_.SetParaMode(true);
  view_.ActionToggleCommentaryLinks->trigger();
  EXPECT_FALSE(s.para_mode);
  EXPECT_FALSE(s.link_commentaries);
  EXPECT_FALSE(s.link_dictionaries);
  EXPECT_TRUE(s.show_footnotes && s.show_edit_links);
  view_.SetParaMode(true);
  view_.ActionToggleDictionaryLinks->trigger();
  EXPECT_FALSE(s.link_commentaries);
  EXPECT_TRUE(s.link_dictionaries && s.show_footnotes && s.show_edit_links);
}

TEST_F(BibleViewTest, TodaysProverbIsTheChapterOfTheDay) {
  REQUIRE_OPEN();
  view_.GoToProverb(31);
  EXPECT_EQ(view_.CurrentVerse(), V(20, 31, 1));
  view_.GoToProverb(5);
  EXPECT_EQ(view_.CurrentVerse(), V(20, 5, 1));
}

TEST_F(BibleViewTest, CopyThroughMenuListsLaterVersesInColumnsOfTwenty) {
  REQUIRE_OPEN();
  ASSERT_EQ(lib_->Kjv().GetVerseCount(2, 2), 25);
  view_.GoToVerse(V(2, 2, 1));
  QMenu menu;
  view_.PopulateContextMenu(menu, "", "", V(2, 2, 3));
  const QString reference = QString::fromStdString(Long(2) + " 2:3");
  QStringList captions;
  for (QAction* a : menu.actions()) captions << a->text();
  EXPECT_TRUE(captions.contains(QStringLiteral("Copy ") + reference));
  EXPECT_TRUE(captions.contains(QStringLiteral("Copy from %1 through verse").arg(reference)));
  auto* grid_widget = menu.findChild<QWidget*>(QStringLiteral("CopyThroughGrid"));
  ASSERT_NE(grid_widget, nullptr);
  auto* grid = static_cast<QGridLayout*>(grid_widget->layout());
  QStringList numbers;
  for (int i = 0; i < grid->count(); ++i)
    numbers << static_cast<QToolButton*>(grid->itemAt(i)->widget())->text();
  QStringList expected;
  for (int n = 4; n <= 25; ++n) expected << QString::number(n);
  EXPECT_EQ(numbers, expected);
  int row = 0, column = 0, span = 0;
  grid->getItemPosition(numbers.indexOf(QStringLiteral("20")), &row, &column, &span, &span);
  EXPECT_EQ(column, 1);
  EXPECT_EQ(row, 0);
  grid->getItemPosition(numbers.indexOf(QStringLiteral("19")), &row, &column, &span, &span);
  EXPECT_EQ(column, 0);

  // The chapter's last verse has nothing to copy through.
  QMenu last;
  view_.PopulateContextMenu(last, "", "", V(2, 2, 25));
  for (QAction* a : last.actions()) {
    if (a->text().startsWith(QStringLiteral("Copy from"))) {
      EXPECT_FALSE(a->isEnabled());
    }
  }
}

TEST_F(BibleViewTest, CopiesUseTheConfiguredAndTheChapterStyles) {
  REQUIRE_OPEN();
  config::Properties& p = config::GlobalProperties();
  p.verse_export_style = 6;  // G: one line per verse with its reference
  view_.GoToVerse(V(43, 3, 1));
  view_.CopyVerses(V(43, 3, 16), V(43, 3, 17));
  const QString g = clipboard_.text;
  EXPECT_TRUE(g.startsWith(QString::fromStdString(Short(43) + " 3:16 For God so loved")))
      << g.toStdString();
  EXPECT_TRUE(g.contains(QString::fromStdString("\r\n" + Short(43) + " 3:17 "))) << g.toStdString();
  EXPECT_FALSE(g.endsWith(QStringLiteral("\n")));

  // Copy All Verses: style E whatever is configured.
  view_.ActionCopyAllVerses->trigger();
  const QString e = clipboard_.text;
  EXPECT_TRUE(e.startsWith(QString::fromStdString(Short(43) + " 3:1 "))) << e.toStdString();
  EXPECT_TRUE(e.contains(QStringLiteral("\r\n\r\n2 ")));
  EXPECT_TRUE(e.contains(QStringLiteral("\r\n\r\n36 ")));
}

TEST_F(BibleViewTest, KeysReachTheFocusedPaneCommandsBeforeTheCaret) {
  REQUIRE_OPEN();
  // Two panes that both bind the same keys in one window.
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* mine = new TFrameBibleView(kit_.Context(), &window);
  auto* other = new TFrameBibleView(kit_.Context(), &window);
  for (TFrameBibleView* v : {mine, other}) {
    test::SetUpBibleView(*v, kit_.library, *lib_);
    layout->addWidget(v);
  }
  window.resize(800, 900);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  mine->GoToVerse(V(43, 1, 1));
  other->GoToVerse(V(1, 1, 1));

  THtmlView* my_text = mine->TextView()->HTMLView();
  my_text->setFocus();
  QTest::keyClick(my_text, Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(mine->CurrentVerse(), V(43, 2, 1));
  EXPECT_EQ(other->CurrentVerse(), V(1, 1, 1));
  QTest::keyClick(my_text, Qt::Key_Home, Qt::ControlModifier);  // Previous Book
  EXPECT_EQ(mine->CurrentVerse(), V(42, 1, 1));
  QTest::keyClick(my_text, Qt::Key_End, Qt::ControlModifier);  // Next Book
  EXPECT_EQ(mine->CurrentVerse(), V(43, 1, 1));
  QTest::keyClick(my_text, Qt::Key_Down, Qt::ControlModifier);  // Scroll Down One Verse
  EXPECT_EQ(mine->CurrentVerse(), V(43, 1, 2));

  THtmlView* their_text = other->TextView()->HTMLView();
  their_text->setFocus();
  their_text->SetSelStart(0);
  their_text->SetSelLength(8);
  const QString selected = their_text->SelectedDisplayText();
  ASSERT_FALSE(selected.isEmpty());
  other->UpdateActions();
  clipboard_.text = QStringLiteral("old");
  QTest::keyClick(their_text, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(clipboard_.text, QStringLiteral("old\r\n") + selected);
  // Ctrl+C is the widget's own copy, through the clipboard interface, once.
  QGuiApplication::clipboard()->clear();
  clipboard_.text.clear();
  QTest::keyClick(their_text, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard_.text, selected);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
  QTest::keyClick(their_text, Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(other->CurrentVerse(), V(1, 2, 1));
  EXPECT_EQ(mine->CurrentVerse(), V(43, 1, 2));
}

TEST(BibleViewTextTest, CaptionsFromDataShowAmpersandsLiterally) {
  EXPECT_EQ(EscapeMnemonic(QStringLiteral("A&B && C")), QStringLiteral("A&&B &&&& C"));
  TResourceTabs tabs;
  tabs.SetEntries({{"A&B", "Title & more", nullptr}, {"KJV", "King James", nullptr}});
  EXPECT_EQ(tabs.tabText(0), QStringLiteral("A&&B"));
  EXPECT_EQ(tabs.tabToolTip(0), QStringLiteral("Title & more"));
}

TEST(BibleViewTextTest, TabsShowOnlySelectedKeepsTheFirstWhenNoneIsSelected) {
  bool off1 = false, off2 = false, on = true;
  TResourceTabs tabs;
  tabs.SetEntries({{"A", "", &off1}, {"B", "", &off2}, {"C", "", &on}});
  tabs.SetCurrentSilently(0);
  QSignalSpy changes(&tabs, &TResourceTabs::currentTabChanged);
  tabs.ShowOnlySelected();
  EXPECT_FALSE(tabs.isTabVisible(0));
  EXPECT_TRUE(tabs.isTabVisible(2));
  EXPECT_EQ(tabs.currentIndex(), 2);
  EXPECT_EQ(changes.count(), 1);  // the pane follows the new current tab once
  EXPECT_FALSE(tabs.AnyDiffersFromFlags());
  tabs.ShowAll(2);
  EXPECT_FALSE(tabs.AnyHidden());
  on = false;
  tabs.ShowOnlySelected();
  EXPECT_TRUE(tabs.isTabVisible(0));
  EXPECT_FALSE(tabs.isTabVisible(1));
  EXPECT_FALSE(tabs.isTabVisible(2));
}

}  // namespace
}  // namespace lumora::ui
