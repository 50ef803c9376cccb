// The bookmarks on a real main window over the synthetic library: the
// commands' captions and enabled states, the Set Bookmark dialog and its
// preselection, the panes' submenus, following each kind, missing modules,
// damaged records, titles across a restart, and the keys.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "app/ui/bookmark_dialogs.h"
#include "app/ui/bookmarks_feature.h"
#include "app/ui/main_window.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "render/ui/html_view.h"
#include "tests/support/test_bible.h"
#include "tests/ui/synthetic_library.h"
#include "tests/ui/synthetic_main_window.h"
#include "views/comment_view.h"
#include "views/dict_view.h"

namespace lumora::ui {
namespace {

using config::BookmarkRecord;
using test::V;

BookmarkRecord BmRecord(int kind, std::string abbrev, int position, std::string text) {
  BookmarkRecord r;
  r.kind = kind;
  r.abbrev = std::move(abbrev);
  r.position = position;
  r.text = std::move(text);
  return r;
}

class BookmarksUiTest : public test::SyntheticMainWindowTest {
 protected:
  TBookmarks& Service() { return dynamic_cast<TBookmarks&>(window_->Bookmarks()); }
  const TLMCommentaryModule* Commentary(const std::string& a) const {
    return library_->FindCommentary(a);
  }
  const TLMDictionaryModule* Book(const std::string& a) const { return library_->FindBook(a); }
};

TEST_F(BookmarksUiTest, ANewInstallationShowsTenUnusedDisabledBookmarks) {
  Start();
  const char* numbers[] = {"1&0", "&1", "&2", "&3", "&4", "&5", "&6", "&7", "&8", "&9"};
  for (int n = 0; n < 10; ++n) {
    const std::string d = std::to_string(n);
    const QString number = QString::fromLatin1(numbers[n]);
    EXPECT_EQ(Main("ActionGoBookmark" + d)->text(), number + QStringLiteral(": Not in use"));
    EXPECT_FALSE(Main("ActionGoBookmark" + d)->isEnabled()) << n;
    EXPECT_EQ(Main("ActionSetBookmark" + d)->text(),
              QStringLiteral("Set BookMark ") + number + QStringLiteral("..."));
    EXPECT_TRUE(Main("ActionSetBookmark" + d)->isEnabled());
    EXPECT_EQ(Main("ActionClearBookmark" + d)->text(), QStringLiteral("Clear BookMark ") + number);
  }
  EXPECT_TRUE(Main("ActionClearAllBookmarks")->isEnabled());
  EXPECT_TRUE(Main("ActionSetTitles")->isEnabled());
  // The menu shows them in place, 1 to 9 then 10.
  const QList<QAction*> items = window_->Menu("MenuBookmarks")->actions();
  ASSERT_GT(items.size(), 10);
  EXPECT_EQ(items[0], Main("ActionGoBookmark1"));
  EXPECT_EQ(items[9], Main("ActionGoBookmark0"));
}

TEST_F(BookmarksUiTest, TheDialogPreselectsThePaneWithTheFocusAndStoresTheChoice) {
  TMain& w = Start();
  ShowActive();
  const int john3_16 = V(43, 3, 16);
  w.GoToVerse(V(19, 23, 1), false);
  w.ShowCommentary(Commentary("CN"), john3_16 - 1, 0, 0);
  const TLMDictionaryModule* synt = Book(test::kSyntheticTopics);
  ASSERT_NE(synt, nullptr);
  const int abraham = synt->FindTitle("ABRAHAM");
  w.ShowBookEntry(*synt, abraham, kNoMarkedVerse, kNoMarkedVerse);

  struct Case {
    QWidget* focus;
    int index;
    int choice;
    BookmarkRecord stored;
  } cases[] = {
      {w.DictView()->HTMLView(), 3, 2, BmRecord(2, "SYNT", -1, "ABRAHAM")},
      {w.CommentView()->HTMLView(), 0, 1, BmRecord(1, "CN", john3_16 - 1, "John 3:16")},
      {w.BibleView()->TextView()->HTMLView(), 7, 0, BmRecord(0, "KJV", V(19, 23, 1), "Ps 23:1")},
  };
  for (const Case& c : cases) {
    c.focus->setFocus();
    LUMORA_WAIT_UNTIL(c.focus->hasFocus());
    Main("ActionSetBookmark" + std::to_string(c.index))->trigger();
    TDlgSetBookmark* dialog = Service().SetDialog();
    ASSERT_NE(dialog, nullptr);
    LUMORA_WAIT_UNTIL(dialog->isVisible());
    EXPECT_EQ(dialog->Heading()->text(),
              QStringLiteral("Set Bookmark #%1").arg(c.index == 0 ? 10 : c.index));
    EXPECT_EQ(dialog->Currently()->text(), QStringLiteral("Currently not in use."));
    EXPECT_TRUE(dialog->ChoiceButton(c.choice)->isChecked()) << c.index;
    EXPECT_EQ(dialog->ChoiceButton(0)->text(), QStringLiteral("Ps 23:1"));
    EXPECT_EQ(dialog->ChoiceButton(1)->text(), QStringLiteral("CN: John 3:16"));
    EXPECT_EQ(dialog->ChoiceButton(2)->text(), QStringLiteral("SYNT: ABRAHAM"));
    EXPECT_TRUE(dialog->HelpButton()->isEnabled());
    dialog->accept();
    EXPECT_EQ(P().bookmarks[static_cast<size_t>(c.index)], c.stored);
    EXPECT_EQ(Stored().bookmarks[static_cast<size_t>(c.index)], c.stored);  // written at once
  }
  test::Settle();
  EXPECT_EQ(Main("ActionGoBookmark3")->text(), QStringLiteral("&3: SYNT: ABRAHAM"));
  EXPECT_EQ(Main("ActionGoBookmark0")->text(), QStringLiteral("1&0: CN: John 3:16"));
  EXPECT_EQ(Main("ActionGoBookmark7")->text(), QStringLiteral("&7: Ps 23:1"));

  // Reopened: the "currently" line; Cancel keeps the record; Help asks the
  // help viewer once there is one.
  QStringList topics;
  w.help_viewer = [&](const QString& topic) { topics << topic; };
  Main("ActionSetBookmark3")->trigger();
  TDlgSetBookmark* dialog = Service().SetDialog();
  LUMORA_WAIT_UNTIL(dialog->isVisible());
  EXPECT_EQ(dialog->Currently()->text(), QStringLiteral("Currently SYNT: ABRAHAM"));
  ASSERT_TRUE(dialog->HelpButton()->isEnabled());
  QTest::mouseClick(dialog->HelpButton(), Qt::LeftButton);
  EXPECT_EQ(topics, QStringList{QStringLiteral("Scribble110")});
  dialog->ChoiceButton(0)->setChecked(true);
  dialog->reject();
  EXPECT_EQ(P().bookmarks[3], BmRecord(2, "SYNT", -1, "ABRAHAM"));
}

TEST_F(BookmarksUiTest, AChoiceTheBookViewCannotFillStoresNothing) {
  TMain& w = Start();
  ShowActive();
  // The Book view with no entry: its choice is offered disabled and stores
  // nothing even when chosen.
  w.DictView()->ShowEntry(-1, 0, 0);
  ASSERT_LT(w.DictView()->CurrentEntry(), 0);
  P().bookmarks[2] = BmRecord(0, "KJV", 5, "Ge 1:5");
  Main("ActionSetBookmark2")->trigger();
  TDlgSetBookmark* dialog = Service().SetDialog();
  LUMORA_WAIT_UNTIL(dialog->isVisible());
  EXPECT_EQ(dialog->ChoiceButton(2)->text(), QStringLiteral("(no dictionary entry selected)"));
  EXPECT_FALSE(dialog->ChoiceButton(2)->isEnabled());
  dialog->ChoiceButton(2)->setChecked(true);
  dialog->accept();
  EXPECT_EQ(P().bookmarks[2], BmRecord(0, "KJV", 5, "Ge 1:5"));
}

TEST_F(BookmarksUiTest, EveryPanesSubmenuStoresWhatThatPaneShows) {
  TMain& w = Start();
  const int john3_16 = V(43, 3, 16);
  // The Bible view's own context menu.
  w.GoToVerse(john3_16, false);
  QMenu bible_menu;
  w.BibleView()->PopulateContextMenu(bible_menu, "", "", john3_16);
  QMenu* sub = bible_menu.findChild<QMenu*>(QStringLiteral("MenuSetBookmark"));
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->title(), QStringLiteral("Set &Bookmark to John 3:16"));
  ASSERT_EQ(sub->actions().size(), 10);
  EXPECT_EQ(sub->actions()[0]->text(), QStringLiteral("&1, not currently used"));
  EXPECT_EQ(sub->actions()[9]->text(), QStringLiteral("1&0, not currently used"));
  sub->actions()[4]->trigger();  // bookmark 5
  EXPECT_EQ(P().bookmarks[5], BmRecord(0, "KJV", john3_16, "Joh 3:16"));

  // The other panes hand the service what they show.
  const struct {
    TBookmarkTarget target;
    int menu_item;
    int index;
  } panes[] = {
      {{0, "WEB", V(19, 23, 1), "Ps 23:1"}, 0, 1},   // verse list
      {{1, "CN", john3_16 - 1, "John 3:16"}, 1, 2},  // Commentary view
      {{2, "SYNT", -1, "ABRAHAM"}, 9, 0},            // Book view
  };
  for (const auto& pane : panes) {
    QMenu menu;
    w.Bookmarks().AddSetBookmarkMenu(menu, QStringLiteral("Set Bookmark"), pane.target, true);
    QMenu* items = menu.findChild<QMenu*>(QStringLiteral("MenuSetBookmark"));
    ASSERT_NE(items, nullptr);
    items->actions()[pane.menu_item]->trigger();
    const TBookmarkTarget& t = pane.target;
    EXPECT_EQ(P().bookmarks[static_cast<size_t>(pane.index)],
              BmRecord(t.kind, t.abbreviation, t.position, t.text));
  }
  // A fresh submenu shows what each bookmark holds now.
  QMenu menu;
  w.Bookmarks().AddSetBookmarkMenu(menu, QStringLiteral("Set Bookmark"), panes[0].target, false);
  const QList<QAction*> items =
      menu.findChild<QMenu*>(QStringLiteral("MenuSetBookmark"))->actions();
  EXPECT_EQ(items[0]->text(), QStringLiteral("&1: currently \"Ps 23:1\""));
  EXPECT_EQ(items[1]->text(), QStringLiteral("&2: currently \"CN: John 3:16\""));
  EXPECT_EQ(items[9]->text(), QStringLiteral("1&0: currently \"SYNT: ABRAHAM\""));
  EXPECT_FALSE(items[0]->isEnabled());  // the pane said no (a Book view without an entry)
  // A target that cannot be followed is never stored.
  QMenu bad;
  w.Bookmarks().AddSetBookmarkMenu(bad, QStringLiteral("Set Bookmark"), {0, "KJV", 0, "x"}, true);
  EXPECT_FALSE(bad.findChild<QMenu*>(QStringLiteral("MenuSetBookmark"))->actions()[3]->isEnabled());
  EXPECT_FALSE(Service().Store(4, BmRecord(0, "KJV", 0, "x")));
  EXPECT_FALSE(P().bookmarks[4].InUse());
}

TEST_F(BookmarksUiTest, FollowingEachKind) {
  TMain& w = Start();
  const TLMBibleModule* web = library_->FindBible("WEB");
  const TLMDictionaryModule* synt = Book(test::kSyntheticTopics);
  ASSERT_NE(web, nullptr);
  ASSERT_NE(synt, nullptr);
  ASSERT_TRUE(Service().Store(1, BmRecord(0, "KJV", V(19, 23, 1), "Ps 23:1")));
  ASSERT_TRUE(Service().Store(2, BmRecord(1, "CN", V(43, 3, 16) - 1, "John 3:16")));
  ASSERT_TRUE(Service().Store(3, BmRecord(2, "SYNT", -1, "ABRAHAM")));
  ASSERT_TRUE(Service().Store(4, BmRecord(2, "SYNT", -1, "NO SUCH TOPIC")));
  test::Settle();

  // Set in the KJV, followed while the WEB is shown: the WEB at Psalm 23:1.
  w.BibleView()->ShowBible(web);
  Main("ActionGoBookmark1")->trigger();
  EXPECT_EQ(w.BibleView()->CurrentBible(), web);
  EXPECT_EQ(w.BibleView()->CurrentVerse(), V(19, 23, 1));

  Main("ActionGoBookmark2")->trigger();
  EXPECT_EQ(w.CommentView()->CurrentCommentary(), Commentary("CN"));
  EXPECT_EQ(w.CommentView()->CurrentPosition(), V(43, 3, 16) - 1);
  EXPECT_TRUE(w.PaneVisible(TPane::kCommentary));

  w.ShowBookEntry(*Book(test::kSyntheticDictionary), 0, kNoMarkedVerse, kNoMarkedVerse);
  Main("ActionGoBookmark3")->trigger();
  EXPECT_EQ(w.DictView()->CurrentBook(), synt);
  EXPECT_EQ(w.DictView()->CurrentEntry(), synt->FindTitle("ABRAHAM"));

  // A title the Book does not hold: the Book keeps its current entry.
  const int before = w.DictView()->CurrentEntry();
  Main("ActionGoBookmark4")->trigger();
  EXPECT_EQ(w.DictView()->CurrentBook(), synt);
  EXPECT_EQ(w.DictView()->CurrentEntry(), before);
}

TEST_F(BookmarksUiTest, AMissingModuleDisablesItsBookmarkAndKeepsTheRecord) {
  P().bookmarks[6] = BmRecord(1, "GONE", 100, "Genesis 4:21");
  P().bookmarks[8] = BmRecord(2, "NOBOOK", -1, "AARON");
  config::Properties seed = config::DefaultProperties();
  seed.bookmarks = P().bookmarks;
  ASSERT_TRUE(config::SaveProperties(seed, storage_).ok());
  TMain& w = Start();
  EXPECT_FALSE(Main("ActionGoBookmark6")->isEnabled());
  EXPECT_FALSE(Main("ActionGoBookmark8")->isEnabled());
  EXPECT_EQ(Main("ActionGoBookmark6")->text(), QStringLiteral("&6: GONE: Genesis 4:21"));
  const int position = w.CommentView()->CurrentPosition();
  Service().Follow(6);
  Service().Follow(8);
  EXPECT_EQ(w.CommentView()->CurrentPosition(), position);
  w.close();
  EXPECT_EQ(Stored().bookmarks[6], BmRecord(1, "GONE", 100, "Genesis 4:21"));
  EXPECT_EQ(Stored().bookmarks[8], BmRecord(2, "NOBOOK", -1, "AARON"));
}

TEST_F(BookmarksUiTest, DamagedRecordsReadAsNotInUse) {
  // In the store: an unknown kind, a length larger than its field, a
  // record of the wrong size, a verse index out of range.
  std::string unknown_kind = config::EncodeBookmark(BmRecord(0, "KJV", 5, "Ge 1:5"));
  unknown_kind[0] = 7;
  std::string long_text = config::EncodeBookmark(BmRecord(0, "KJV", 5, "Ge 1:5"));
  long_text[24] = static_cast<char>(200);
  std::string bad_verse = config::EncodeBookmark(BmRecord(0, "KJV", 5, "Ge 1:5"));
  bad_verse[20] = bad_verse[21] = bad_verse[22] = static_cast<char>(0x7F);
  storage_.Set(config::kSettingsKey, "Bookmark 1", config::SettingsValue::Binary(unknown_kind));
  storage_.Set(config::kSettingsKey, "Bookmark 2", config::SettingsValue::Binary(long_text));
  storage_.Set(config::kSettingsKey, "Bookmark 3", config::SettingsValue::Binary("short"));
  storage_.Set(config::kSettingsKey, "Bookmark 4", config::SettingsValue::Binary(bad_verse));
  TMain& w = Start();
  for (int n : {1, 2, 3, 4}) {
    EXPECT_FALSE(Main("ActionGoBookmark" + std::to_string(n))->isEnabled()) << n;
    EXPECT_TRUE(Main("ActionGoBookmark" + std::to_string(n))->text().endsWith(": Not in use"));
  }
  // In memory, whoever put them there: not followed, strings cut.
  P().bookmarks[5] = BmRecord(9, "KJV", 5, "Ge 1:5");
  P().bookmarks[6] = BmRecord(0, "KJV", 0, "nowhere");
  P().bookmarks[7] = BmRecord(1, std::string(20, 'C'), 5, std::string(90, 't'));
  w.Settings().Commit(kSettingsBookmarks);
  test::Settle();
  EXPECT_EQ(Main("ActionGoBookmark5")->text(), QStringLiteral("&5: Not in use"));
  EXPECT_EQ(Main("ActionGoBookmark6")->text(), QStringLiteral("&6: Not in use"));
  EXPECT_EQ(Main("ActionGoBookmark7")->text(),
            QStringLiteral("&7: ") + QString(15, QLatin1Char('C')) + QStringLiteral(": ") +
                QString(70, QLatin1Char('t')));
  const int verse = w.BibleView()->CurrentVerse();
  Service().Follow(5);
  Service().Follow(6);
  EXPECT_EQ(w.BibleView()->CurrentVerse(), verse);
}

TEST_F(BookmarksUiTest, TitlesWithBlanksAndCommasSurviveARestart) {
  Start();
  ShowActive();
  ASSERT_TRUE(Service().Store(1, BmRecord(0, "KJV", V(19, 23, 1), "Ps 23:1")));
  Main("ActionSetTitles")->trigger();
  TDlgBookmarkTitles* dialog = Service().TitlesDialog();
  ASSERT_NE(dialog, nullptr);
  LUMORA_WAIT_UNTIL(dialog->isVisible());
  QTableWidget* grid = dialog->Grid();
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Bookmark"));
  EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Title"));
  EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("1 (Ps 23:1)"));
  EXPECT_EQ(grid->item(9, 0)->text(), QStringLiteral("10 (Not in use)"));
  grid->item(0, 1)->setText(QStringLiteral("  Morning, evening  "));
  grid->item(9, 1)->setText(QStringLiteral("Say \"grace\", then eat"));
  grid->item(4, 1)->setText(QStringLiteral("caf\u00E9 & cr\u00E8me"));
  dialog->accept();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(P().bookmark_titles[1], "Morning, evening");
  EXPECT_EQ(P().bookmark_titles[0], "Say \"grace\", then eat");
  EXPECT_EQ(P().bookmark_titles[5], "caf\xE9 & cr\xE8me");
  test::Settle();
  EXPECT_EQ(Main("ActionGoBookmark1")->text(), QStringLiteral("&1 (Morning, evening): Ps 23:1"));
  EXPECT_EQ(Main("ActionSetBookmark5")->text(),
            QStringLiteral("Set BookMark &5 (caf\u00E9 && cr\u00E8me)..."));
  EXPECT_EQ(Main("ActionClearBookmark0")->text(),
            QStringLiteral("Clear BookMark 1&0 (Say \"grace\", then eat)"));
  EXPECT_EQ(Stored().bookmark_titles, P().bookmark_titles);  // written at once

  // Clearing bookmarks keeps the titles.
  Main("ActionClearAllBookmarks")->trigger();
  EXPECT_FALSE(P().bookmarks[1].InUse());
  EXPECT_EQ(P().bookmark_titles[1], "Morning, evening");

  // Restart: the titles are back.
  const BookmarkTitles titles = P().bookmark_titles;
  Start();
  EXPECT_EQ(P().bookmark_titles, titles);
  EXPECT_EQ(Main("ActionGoBookmark1")->text(), QStringLiteral("&1 (Morning, evening): Not in use"));
}

TEST_F(BookmarksUiTest, TheTitlesDialogClearsOnlyOnYesAndRefusesForeignCharacters) {
  Start();
  ShowActive();
  P().bookmark_titles[2] = "kept";
  Main("ActionSetTitles")->trigger();
  TDlgBookmarkTitles* dialog = Service().TitlesDialog();
  LUMORA_WAIT_UNTIL(dialog->isVisible());
  QTableWidget* grid = dialog->Grid();
  EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("kept"));
  QStringList topics;
  window_->help_viewer = [&topics](const QString& topic) { topics << topic; };
  QTest::mouseClick(dialog->HelpButton(), Qt::LeftButton);
  EXPECT_EQ(topics, QStringList{QStringLiteral("Scribble110")});

  answer_yes_ = false;
  QTest::mouseClick(dialog->ClearAllButton(), Qt::LeftButton);
  EXPECT_EQ(questions_.last(),
            QStringLiteral("Are you sure you wish to clear all bookmark titles?"));
  EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("kept"));
  answer_yes_ = true;
  QTest::mouseClick(dialog->ClearAllButton(), Qt::LeftButton);
  EXPECT_EQ(grid->item(1, 1)->text(), QString());
  EXPECT_EQ(P().bookmark_titles[2], "kept");  // only OK stores
  dialog->reject();
  EXPECT_EQ(P().bookmark_titles[2], "kept");

  Main("ActionSetTitles")->trigger();
  LUMORA_WAIT_UNTIL(dialog->isVisible());
  grid->item(3, 1)->setText(QStringLiteral("\u03A9 omega"));
  dialog->accept();
  EXPECT_TRUE(dialog->isVisible());  // refused
  ASSERT_FALSE(messages_.isEmpty());
  EXPECT_TRUE(messages_.last().contains(QStringLiteral("bookmark 4")));
  EXPECT_EQ(P().bookmark_titles[4], "");
  grid->item(3, 1)->setText(QStringLiteral("omega"));
  dialog->accept();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(P().bookmark_titles[4], "omega");
  EXPECT_EQ(P().bookmark_titles[2], "kept");
}

TEST_F(BookmarksUiTest, KeysFollowAndSetBookmarks) {
  TMain& w = Start();
  ShowActive();
  ASSERT_TRUE(Service().Store(1, BmRecord(0, "KJV", V(19, 23, 1), "Ps 23:1")));
  ASSERT_TRUE(Service().Store(0, BmRecord(0, "KJV", V(43, 3, 16), "Joh 3:16")));
  test::Settle();
  QWidget* text = w.BibleView()->TextView()->HTMLView();
  text->setFocus();
  LUMORA_WAIT_UNTIL(text->hasFocus());
  QTest::keyClick(text, Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(w.BibleView()->CurrentVerse(), V(19, 23, 1));
  QTest::keyClick(text, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(w.BibleView()->CurrentVerse(), V(43, 3, 16));

  // Ctrl+Shift+digit, as a digit and as the symbol Shift makes of it.
  const struct {
    Qt::Key key;
    int index;
  } sets[] = {{Qt::Key_1, 1}, {Qt::Key_Exclam, 1}, {Qt::Key_ParenRight, 0}, {Qt::Key_At, 2}};
  for (const auto& s : sets) {
    text->setFocus();
    LUMORA_WAIT_UNTIL(text->hasFocus());
    QTest::keyClick(text, s.key, Qt::ControlModifier | Qt::ShiftModifier);
    TDlgSetBookmark* dialog = Service().SetDialog();
    ASSERT_NE(dialog, nullptr) << s.key;
    LUMORA_WAIT_UNTIL(dialog->isVisible());
    EXPECT_EQ(dialog->Index(), s.index) << s.key;
    dialog->reject();
    LUMORA_WAIT_UNTIL(!dialog->isVisible());
  }
}

TEST_F(BookmarksUiTest, TheDesktopSessionEndWritesEverything) {
  Start();
  P().bookmarks[9] = BmRecord(0, "KJV", 7, "Ge 1:7");
  P().bookmark_titles[9] = "late";
  EXPECT_FALSE(Stored().bookmarks[9].InUse());
  Service().SaveForSessionEnd();
  EXPECT_EQ(Stored().bookmarks[9], BmRecord(0, "KJV", 7, "Ge 1:7"));
  EXPECT_EQ(Stored().bookmark_titles[9], "late");
}

TEST(BookmarkKeys, ShiftedDigitsByKeyScanCodeOrUsSymbol) {
  const struct {
    int key;
    quint32 code;
    const char* platform;
    int digit;
  } cases[] = {
      {Qt::Key_5, 0, "offscreen", 5},          {Qt::Key_Exclam, 0, "offscreen", 1},
      {Qt::Key_ParenRight, 0, "offscreen", 0}, {Qt::Key_A, 0, "offscreen", -1},
      {Qt::Key_QuoteDbl, 11, "xcb", 2},  // a German or UK "2" key
      {Qt::Key_section, 12, "xcb", 3},         {Qt::Key_Equal, 19, "xcb", 0},
      {Qt::Key_Exclam, 20, "xcb", -1},  // not the digit row
      {Qt::Key_QuoteDbl, 3, "windows", 2},     {Qt::Key_Equal, 11, "windows", 0},
      {Qt::Key_Exclam, 30, "windows", -1},     {Qt::Key_ParenLeft, 18, "wayland-egl", 9},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShiftedDigit(c.key, c.code, QString::fromLatin1(c.platform)), c.digit)
        << c.key << " " << c.code << " " << c.platform;
}

}  // namespace
}  // namespace lumora::ui
