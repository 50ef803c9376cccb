// The Book pane on the synthetic library: the topic across Books, entries
// and their redraws, the footer links, the entry box, history, the
// right-click menu, the corresponding tab colours and the library's
// changes.
#include "views/dict_view.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include "app/ui/platform/clipboard.h"
#include "config/properties.h"
#include "core/codec/base205.h"
#include "render/export_procs.h"
#include "render/ui/display_colors.h"
#include "search/bible_search_text.h"
#include "tests/ui/recording_services.h"
#include "tests/ui/resource_pane_fixture.h"
#include "tests/ui/test_host.h"
#include "views/entry_box.h"
#include "views/resource_menu.h"
#include "views/resource_tabs.h"
#include "views/resource_view_frame.h"

namespace lumora::ui {
namespace {

using test::kJohn3_16;

class DictViewTest : public ::testing::Test {
 protected:
  DictViewTest() { config::GlobalProperties() = config::DefaultProperties(); }
  void SetUp() override {
    if (kit_.library.IsLoaded() == false) kit_.library.Adopt(test::LoadSyntheticLibrary());
    kit_.host.bible = kit_.library.Kjv();
    view_.resize(700, 400);
    view_.show();
    view_.SetBooks();
  }
  const TLMDictionaryModule* Book(const char* abbreviation) const {
    return kit_.library.FindBook(abbreviation);
  }
  // Shows `title` of `abbreviation` as a link would.
  void Show(const char* abbreviation, const std::string& title) {
    const TLMDictionaryModule* b = Book(abbreviation);
    ASSERT_NE(b, nullptr) << abbreviation;
    view_.ShowBookEntry(b, b->FindTitle(title), 0, 0);
  }
  std::string Shown() const {
    const TLMDictionaryModule* b = view_.CurrentBook();
    if (b == nullptr || view_.CurrentEntry() < 0) return "-";
    return b->GetAbbreviation() + " " + b->EntryTitles()[static_cast<size_t>(view_.CurrentEntry())];
  }
  // A click on a tab, as the user makes it.
  void ClickTab(const char* abbreviation) {
    const int i = kit_.library.IndexOf(Book(abbreviation));
    QTest::mouseClick(view_.Tabs(), Qt::LeftButton, {}, view_.Tabs()->tabRect(i).center());
  }
  std::vector<std::string> Back() const {
    std::vector<std::string> out;
    for (const TBookPlace& p : view_.History().Back())
      out.push_back(p.abbreviation + " " + std::to_string(p.entry));
    return out;
  }
  int Entry(const char* abbreviation, const std::string& title) const {
    return Book(abbreviation)->FindTitle(title);
  }

  test::TPaneTestKit kit_;
  TFrameDictView view_{kit_.Context()};
};

TEST_F(DictViewTest, TabChangeKeepsTheTopicOrShowsTheFirstEntry) {
  Show("SYNT", "AARON");
  ClickTab("SYND");
  EXPECT_EQ(Shown(), "SYND Aaron");
  EXPECT_EQ(view_.EntryBox()->count(), Book("SYND")->EntryCount());
  EXPECT_EQ(view_.EntryBox()->currentText(), QStringLiteral("Aaron"));
  ClickTab("StrGrk");  // no such topic
  EXPECT_EQ(Shown(), "StrGrk G0001");
  // Each Book left once, most recent first.
  EXPECT_EQ(Back(), (std::vector<std::string>{"SYND " + std::to_string(Entry("SYND", "Aaron")),
                                              "SYNT " + std::to_string(Entry("SYNT", "AARON"))}));
}

TEST_F(DictViewTest, ShowBookRevealsAHiddenTabAndLeavesItsFlag) {
  auto& synd = const_cast<TLMDictionaryModule&>(*Book("SYND"));
  synd.tab_visible = false;
  view_.Tabs()->ShowOnlySelected();
  const int i = kit_.library.IndexOf(&synd);
  ASSERT_FALSE(view_.Tabs()->isTabVisible(i));
  view_.ShowBook(&synd);
  EXPECT_TRUE(view_.Tabs()->isTabVisible(i));
  EXPECT_EQ(view_.Tabs()->currentIndex(), i);
  EXPECT_FALSE(synd.tab_visible);
  EXPECT_TRUE(view_.Tabs()->AnyDiffersFromFlags());
}

TEST_F(DictViewTest, OneStepShowOfAnotherBookRendersOnceAndRecordsOnce) {
  Show("SYNT", "AARON");
  test::RenderCounter renders(view_.HTMLView());
  Show("StrGrk", "G0026");
  EXPECT_EQ(renders.count, 1);
  EXPECT_EQ(Shown(), "StrGrk G0026");
  EXPECT_EQ(Back(), (std::vector<std::string>{"SYNT " + std::to_string(Entry("SYNT", "AARON"))}));
}

TEST_F(DictViewTest, EntriesRedrawOnlyWhenSomethingChanged) {
  Show("SYNT", "LOVE");
  const int love = view_.CurrentEntry();
  test::RenderCounter renders(view_.HTMLView());
  view_.ShowEntry(love, 0, 0);  // the same, marked alike
  EXPECT_EQ(renders.count, 0);
  view_.ShowEntry(love, kJohn3_16, kJohn3_16);  // marked now
  EXPECT_EQ(renders.count, 1);
  EXPECT_NE(view_.HTMLView()->DocumentSource().find("<a name=\"v26137\"></a>"), std::string::npos);
  view_.ShowEntry(love, kNoMarkedVerse, kNoMarkedVerse);  // always drawn, marks nothing
  view_.ShowEntry(love, kNoMarkedVerse, kNoMarkedVerse);
  EXPECT_EQ(renders.count, 3);
  EXPECT_EQ(view_.HTMLView()->DocumentSource().find("<a name=\"v"), std::string::npos);
  // Settings applied again: drawn again, the mark kept, no history.
  view_.ShowEntry(love, kJohn3_16, kJohn3_16);
  const auto back = Back();
  config::GlobalProperties().dict_view.main_size = 14;
  kit_.settings.Commit(kSettingsDictView);
  EXPECT_EQ(renders.count, 5);
  EXPECT_EQ(view_.HTMLView()->DefFontSize(), 14);
  EXPECT_EQ(view_.MarkedVerse(), kJohn3_16);
  EXPECT_EQ(Back(), back);
  // Outside the title list: cleared, no entry.
  for (int bad : {-1, Book("SYNT")->EntryCount(), 70000}) {
    view_.ShowEntry(love, 0, 0);
    view_.ShowEntry(bad, 0, 0);
    EXPECT_EQ(view_.CurrentEntry(), -1) << bad;
    EXPECT_TRUE(view_.HTMLView()->DocumentSource().empty()) << bad;
    EXPECT_EQ(view_.EntryBox()->currentIndex(), -1) << bad;
  }
}

TEST_F(DictViewTest, LexiconArticlesOfferTheirStrongsSearchAndOtherBooksNone) {
  Show("StrGrk", "G0026");
  EXPECT_EQ(view_.CurrentEntry(), 25);
  const std::string& page = view_.HTMLView()->DocumentSource();
  EXPECT_NE(page.find("<a href=\"stgsrch:G26\">Search for G26 in KJVSL</a>"), std::string::npos);
  Show("StrHeb", "H0001");
  EXPECT_NE(view_.HTMLView()->DocumentSource().find("Search for H1 in KJVSL"), std::string::npos);
  Show("SYNT", "AARON");
  EXPECT_EQ(view_.HTMLView()->DocumentSource().find("stgsrch"), std::string::npos);
  EXPECT_EQ(view_.HTMLView()->DocumentSource().find("editd"), std::string::npos);
}

TEST_F(DictViewTest, EntryBoxCompletesTypedTitlesAndOnlyUserActionsShowEntries) {
  Show("SYNT", "AARON");
  TEntryBox& box = *view_.EntryBox();
  QLineEdit& edit = *box.lineEdit();
  edit.setFocus();
  edit.selectAll();
  QTest::keyClicks(&edit, "ab");
  EXPECT_EQ(Shown(), "SYNT ABRAHAM");
  EXPECT_EQ(edit.text(), QStringLiteral("ABRAHAM"));
  EXPECT_EQ(edit.selectedText(), QStringLiteral("RAHAM"));
  QTest::keyClick(&edit, Qt::Key_Backspace);  // the completion goes, nothing else
  EXPECT_EQ(edit.text(), QStringLiteral("AB"));
  EXPECT_EQ(Shown(), "SYNT ABRAHAM");
  edit.selectAll();
  QTest::keyClicks(&edit, "mos");
  EXPECT_EQ(Shown(), "SYNT MOSES");
  // Programmatic selection runs no handler.
  box.Select(0);
  EXPECT_EQ(Shown(), "SYNT MOSES");
  // Enter takes a typed title (or the first that begins with it).
  edit.setText(QStringLiteral("love"));
  QTest::keyClick(&edit, Qt::Key_Return);
  EXPECT_EQ(Shown(), "SYNT LOVE");
  EXPECT_EQ(edit.selectedText(), QStringLiteral("LOVE"));
  // Leaving the box does not look its text up.
  view_.EntryBox()->SetTypeAhead(false);
  edit.clear();
  QTest::keyClicks(&edit, QStringLiteral("GRACE"));
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&edit, &out);
  view_.EntryBox()->SetTypeAhead(true);
  EXPECT_EQ(Shown(), "SYNT LOVE");
  // The drop-down: as many rows as fit the display, as wide as it allows.
  box.showPopup();
  const int rows = view_.ResourceView()->height() / (QFontMetrics(box.font()).height() + 2);
  EXPECT_EQ(box.maxVisibleItems(), std::max(1, rows));
  box.hidePopup();
}

TEST_F(DictViewTest, LookUpWordShowsTheFirstTitleBeginningWithIt) {
  Show("SYNT", "AARON");
  view_.LookUpWord("abra");
  EXPECT_EQ(Shown(), "SYNT ABRAHAM");
  view_.LookUpWord("Zebulun");
  EXPECT_EQ(Shown(), "SYNT ABRAHAM");
}

TEST_F(DictViewTest, HistoryBackForwardAndItsCaptions) {
  for (const char* t : {"AARON", "ABRAHAM", "GRACE"}) Show("SYNT", t);
  view_.ActionBack->trigger();
  EXPECT_EQ(Shown(), "SYNT ABRAHAM");
  EXPECT_TRUE(view_.ActionForward->isEnabled());
  view_.ActionForward->trigger();
  EXPECT_EQ(Shown(), "SYNT GRACE");
  view_.ActionBack->trigger();
  Show("SYNT", "LOVE");  // a new entry: the forward list empties
  EXPECT_FALSE(view_.ActionForward->isEnabled());
  EXPECT_EQ(view_.HistoryCaptions(true),
            (QStringList{QStringLiteral("SYNT - ABRAHAM"), QStringLiteral("SYNT - AARON")}));
  // The third drop-down item: two items and the position left go forward.
  Show("StrGrk", "G0002");
  Show("SYND", "World");
  view_.JumpBack(2);
  EXPECT_EQ(Shown(), "SYNT ABRAHAM");
  EXPECT_EQ(view_.HistoryCaptions(false),
            (QStringList{QStringLiteral("SYNT - LOVE"), QStringLiteral("StrGrk - G0002"),
                         QStringLiteral("SYND - World")}));
  // Sixteen entries keep fifteen.
  for (int n = 1; n <= 17; ++n)
    Show("StrHeb", "H00" + std::string(n < 10 ? "0" : "") + std::to_string(n));
  EXPECT_EQ(view_.History().Back().size(), 15u);
  EXPECT_EQ(view_.History().Back().front().entry, 15);
  // An item whose entry is not there any more.
  EXPECT_EQ(BookHistoryCaption({"StrHeb", 999}, Book("StrHeb")), "Internal Error");
  EXPECT_EQ(BookHistoryCaption({"XYZ", 0}, nullptr), "Internal Error");
  // The mouse's back button over the pane.
  QTest::mouseClick(view_.HTMLView()->viewport(), Qt::BackButton, {}, QPoint(10, 10));
  EXPECT_EQ(Shown(), "StrHeb H0016");
  QTest::mouseClick(view_.Tabs(), Qt::ForwardButton, {}, QPoint(5, 5));
  EXPECT_EQ(Shown(), "StrHeb H0017");
}

// --- Right-click menu ---------------------------------------------------------------

QAction* Item(QMenu& menu, const QString& text) {
  for (QAction* a : menu.actions())
    if (a->text() == text) return a;
  return nullptr;
}

std::string VerseListLink(int items) {
  std::string href = "vrl:";
  for (int i = 0; i < items; ++i) href += (i ? "," : "") + EncodeBase205(1 + i * 40);
  return href;
}

TEST_F(DictViewTest, HookItemsAreDisabledUntilTheirServicesCanAct) {
  Show("SYNT", "LOVE");
  view_.HTMLView()->selectAll();
  const std::string selected = view_.HTMLView()->SelectedText();
  QMenu menu;
  view_.PopulateContextMenu(menu, "", selected);
  for (const char* text :
       {"Search Bible for Selected Text", "Topic Guide for Selected Text",
        "Topic Guide for \"LOVE\"", "Send Book Entry Link to Editor", "Set Bookmark"}) {
    QAction* a = Item(menu, QString::fromLatin1(text));
    ASSERT_NE(a, nullptr) << text;
    EXPECT_FALSE(a->isEnabled()) << text;
  }
  EXPECT_TRUE(Item(menu, QStringLiteral("Copy Selected Text"))->isEnabled());
  EXPECT_FALSE(Item(menu, QStringLiteral("Copy HTML Source"))->isVisible());
  EXPECT_FALSE(view_.ActionEditEntry->isEnabled());
  EXPECT_FALSE(view_.ActionAddEntry->isEnabled());

  test::InstallRecordingServices(kit_.host);
  static_cast<test::TRecordingAuthoring&>(*kit_.host.authoring).editing = true;
  QMenu live;
  view_.PopulateContextMenu(live, "", selected);
  kit_.host.log.clear();
  for (const char* text : {"Search Bible for Selected Text", "Topic Guide for Selected Text",
                           "Topic Guide for \"LOVE\"", "Send Book Entry Link to Editor"}) {
    QAction* a = Item(live, QString::fromLatin1(text));
    ASSERT_TRUE(a->isEnabled()) << text;
    a->trigger();
  }
  Item(live, QStringLiteral("Set Bookmark"))->menu()->actions().front()->trigger();
  EXPECT_EQ(kit_.host.log,
            (std::vector<std::string>{"SearchBible " + SearchTextFromSelection(selected) + " -",
                                      "TopicGuide " + selected, "TopicGuide LOVE",
                                      "SendToEditor <a href=\"lmbook:SYNT|LOVE\">SYNT: LOVE</a>",
                                      "Bookmark 2 SYNT -1 LOVE"}));
  // A read-only Book is never edited.
  EXPECT_FALSE(view_.ActionEditEntry->isEnabled());
}

TEST_F(DictViewTest, CopyCommandsWorkOnTheDisplay) {
  Show("SYNT", "AARON");
  Clipboard().SetText(QStringLiteral("before"));
  view_.ActionCopyAll->trigger();
  EXPECT_TRUE(Clipboard().Text().startsWith(QStringLiteral("AARON")));
  EXPECT_TRUE(Clipboard().Text().contains(QStringLiteral("Brother of Moses.")));
  EXPECT_EQ(view_.HTMLView()->SelLength(), 0);
  view_.HTMLView()->SetSelStart(0);
  view_.HTMLView()->SetSelLength(5);
  test::Settle();
  ASSERT_TRUE(view_.ActionAppendSelection->isEnabled());
  Clipboard().SetText(QStringLiteral("before"));
  view_.ActionAppendSelection->trigger();
  EXPECT_EQ(Clipboard().Text(), QStringLiteral("before\r\nAARON"));
}

TEST_F(DictViewTest, VerseLinksCopyTheirVersesAndListLinksOfferTheirPassages) {
  Show("SYNT", "LOVE");
  const std::string vr = "vr:" + EncodeBase205(kJohn3_16) + "+" + EncodeBase205(1);
  QMenu menu;
  view_.PopulateContextMenu(menu, vr, "");
  EXPECT_EQ(Item(menu, QStringLiteral("Go to Bible Passage")), nullptr);
  QAction* copy = Item(menu, QStringLiteral("Copy Verse(s) from this Link"));
  ASSERT_TRUE(copy->isEnabled());
  copy->trigger();
  ASSERT_EQ(kit_.Output().copies.size(), 1u);
  const ExportFormatSettings format = ExportFormatFrom(config::GlobalProperties());
  const ExportBibleView export_view =
      ExportViewFrom(config::GlobalProperties().bible_view, kit_.library.StrongsData());
  EXPECT_EQ(kit_.Output().copies[0].plain,
            FormatVerseRanges({{kJohn3_16, kJohn3_16 + 1}}, *kit_.library.Kjv(), format, false,
                              export_view));
  QMenu other;
  view_.PopulateContextMenu(other, "h:1", "");
  EXPECT_FALSE(Item(other, QStringLiteral("Copy Verse(s) from this Link"))->isEnabled());

  // Thirty items: a second column from the 26th.
  QMenu thirty;
  view_.PopulateContextMenu(thirty, VerseListLink(30), "");
  QAction* go = Item(thirty, QStringLiteral("Go to Bible Passage"));
  ASSERT_NE(go, nullptr);
  auto* grid = go->menu()->findChild<QWidget*>(QStringLiteral("GoToPassageGrid"));
  ASSERT_NE(grid, nullptr);
  auto* layout = static_cast<QGridLayout*>(grid->layout());
  const QList<QToolButton*> buttons =
      grid->findChildren<QToolButton*>(QStringLiteral("GoToPassage"));
  ASSERT_EQ(buttons.size(), 30);
  int row = 0, column = 0, span = 0;
  layout->getItemPosition(layout->indexOf(buttons[25]), &row, &column, &span, &span);
  EXPECT_EQ(std::pair(row, column), std::pair(0, 1));
  layout->getItemPosition(layout->indexOf(buttons[24]), &row, &column, &span, &span);
  EXPECT_EQ(std::pair(row, column), std::pair(24, 0));
  EXPECT_EQ(buttons[1]->text(), QString::fromStdString(test::KjvRef(41)));
  kit_.host.log.clear();
  buttons[1]->click();
  EXPECT_EQ(kit_.host.log, std::vector<std::string>{"GoToVerse 41 select"});

  // At most 200 items; the last loads every referenced verse.
  QMenu many;
  view_.PopulateContextMenu(many, VerseListLink(250), "");
  const QList<QToolButton*> cut = Item(many, QStringLiteral("Go to Bible Passage"))
                                      ->menu()
                                      ->findChildren<QToolButton*>(QStringLiteral("GoToPassage"));
  ASSERT_EQ(cut.size(), kPassageMenuMax);
  EXPECT_EQ(cut.back()->text(), QStringLiteral("Load all Referenced Verses"));
  kit_.host.log.clear();
  cut.back()->click();
  ASSERT_EQ(kit_.host.log.size(), 1u);
  EXPECT_EQ(kit_.host.log[0].rfind("ShowVerseList References 26137", 0), 0u) << kit_.host.log[0];
}

// --- User Books and the library's changes --------------------------------------------------

class DictViewUserBookTest : public DictViewTest {
 protected:
  void SetUp() override {
    test::MakeUserLibrary(folder_);
    kit_.library.Adopt(test::LoadSyntheticLibrary(folder_.Path()));
    test::InstallRecordingServices(kit_.host);
    DictViewTest::SetUp();
  }
  test::TempFolder folder_;
};

TEST_F(DictViewUserBookTest, EmptyUserEntriesInviteEditingAndDataStaysLiteral) {
  Show(test::kUserBook, test::kUserBookNotes);
  const int notes = view_.CurrentEntry();
  EXPECT_NE(view_.HTMLView()->DocumentSource().find("<a href=\"editd:" + std::to_string(notes) +
                                                    "\">Edit this entry</a>"),
            std::string::npos);
  kit_.host.log.clear();
  bool handled = false;
  view_.ResourceView()->HTMLViewerHotSpotClick("editd:" + std::to_string(notes), handled);
  EXPECT_EQ(kit_.host.log, std::vector<std::string>{"EditBookEntry UB " + std::to_string(notes)});
  Show(test::kUserBook, test::kUserBookSalt);
  EXPECT_EQ(view_.HTMLView()->DocumentSource().find("editd"), std::string::npos);
  test::Settle();
  EXPECT_EQ(view_.ActionTopicGuide->text(), QStringLiteral("Topic Guide for \"Salt && Light\""));
  EXPECT_TRUE(view_.ActionEditEntry->isEnabled());
  EXPECT_TRUE(view_.ActionAddEntry->isEnabled());
  EXPECT_TRUE(view_.ActionDeleteEntry->isEnabled());
  kit_.host.log.clear();
  view_.ActionDeleteEntry->trigger();
  EXPECT_EQ(kit_.host.log,
            std::vector<std::string>{"DeleteBookEntry UB " + std::to_string(view_.CurrentEntry())});
}

TEST_F(DictViewUserBookTest, ARewrittenEntryIsDrawnAgain) {
  Show(test::kUserBook, test::kUserBookSalt);
  const int salt = view_.CurrentEntry();
  auto& book = const_cast<TLMDictionaryModule&>(*view_.CurrentBook());
  ASSERT_TRUE(book.WriteEntry("Savour.", salt).ok());
  view_.ShowEntry(salt, 0, 0);
  EXPECT_NE(view_.HTMLView()->DocumentSource().find("Savour."), std::string::npos);
}

TEST_F(DictViewUserBookTest, ABookThatLeavesTakesItsHistoryAndTheDisplayWithIt) {
  Show("SYNT", "AARON");
  Show(test::kUserBook, test::kUserBookSalt);
  Show(test::kUserBook, test::kUserBookNotes);
  Show("SYNT", "ABRAHAM");
  ASSERT_EQ(view_.History().Back().size(), 3u);
  // The lists change: the same library without the user Book.
  test::SwapCatalogue(kit_.library, test::LoadSyntheticLibrary());
  EXPECT_EQ(Shown(), "SYNT ABRAHAM");  // its Book stayed: drawn again
  EXPECT_NE(view_.HTMLView()->DocumentSource().find("Father of the faithful."), std::string::npos);
  EXPECT_EQ(Back(), (std::vector<std::string>{"SYNT " + std::to_string(Entry("SYNT", "AARON"))}));
  EXPECT_EQ(view_.Tabs()->count(), 4);
  view_.ActionBack->trigger();
  EXPECT_EQ(Shown(), "SYNT AARON");
  EXPECT_FALSE(view_.ActionBack->isEnabled());
}

TEST_F(DictViewUserBookTest, ThePaneOfABookThatLeftIsCleared) {
  Show("SYNT", "AARON");
  Show(test::kUserBook, test::kUserBookSalt);
  test::SwapCatalogue(kit_.library, test::LoadSyntheticLibrary());
  EXPECT_EQ(view_.CurrentEntry(), -1);
  EXPECT_TRUE(view_.HTMLView()->DocumentSource().empty());
  EXPECT_EQ(view_.EntryBox()->count(), view_.CurrentBook()->EntryCount());
  view_.ActionBack->trigger();
  EXPECT_EQ(Shown(), "SYNT AARON");
}

// --- Tab colours ------------------------------------------------------------------------------

TEST_F(DictViewTest, OtherBooksWithTheTitleShownTakeTheCorrespondingColour) {
  TabAppearance look;
  look.active_color = 0x000000FF;
  look.inactive_color = 0x0000FF00;
  look.corresponding_color = 0x00FFFF00;
  view_.Tabs()->ApplyAppearance(look);
  Show("SYNT", "ABRAHAM");
  const auto colour = [&](const char* abbreviation) {
    return view_.Tabs()->TabColor(kit_.library.IndexOf(Book(abbreviation)));
  };
  EXPECT_EQ(colour("SYNT"), ToQColor(look.active_color));
  EXPECT_EQ(colour("SYND"), ToQColor(look.corresponding_color));  // "Abraham"
  EXPECT_EQ(colour("StrGrk"), ToQColor(look.inactive_color));
  Show("SYNT", "GRACE");
  EXPECT_EQ(colour("SYND"), ToQColor(look.inactive_color));
  view_.ShowEntry(-1, 0, 0);
  EXPECT_EQ(colour("SYND"), ToQColor(look.inactive_color));
}

}  // namespace
}  // namespace lumora::ui
