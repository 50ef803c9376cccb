// The verse list pane on the synthetic library: loading, paging, the
// status bar, re-rendering in place, the Bible submenus, the toggles and
// every item of the right-click menu, with recording services where an item
// calls a feature outside the pane.
#include "views/verse_list_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/properties.h"
#include "render/ui/html_view.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tests/ui/sample_library.h"
#include "tests/ui/synthetic_library.h"
#include "tests/ui/test_host.h"
#include "views/bible_view_logic.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"

namespace lumora::ui {
namespace {

using test::kJohn3_16;

// Search and topic guide that can run and record what they were asked.
class VerseListSearchRecorder : public ISearchService {
 public:
  bool CanSearchBible() const override { return true; }
  void SearchBible(const std::string& text, const TLMBibleModule* bible) override {
    calls.push_back(text + " in " + (bible ? bible->GetAbbreviation() : std::string("-")));
  }
  bool CanTopicGuide() const override { return true; }
  void TopicGuide(const std::string& text) override { calls.push_back("guide " + text); }
  std::vector<std::string> calls;
};

class VerseListEditorRecorder : public TNoAuthoring {
 public:
  bool EditorEditing() const override { return true; }
  void SendToEditor(const std::string& text) override { sent.push_back(text); }
  std::vector<std::string> sent;
};

class VerseListBookmarkRecorder : public IBookmarkService {
 public:
  void AddSetBookmarkMenu(QMenu& menu, const QString& caption, const TBookmarkTarget& t,
                          bool) override {
    QAction* item = menu.addMenu(caption)->addAction(QStringLiteral("&1"));
    connect_target = t;
    QObject::connect(item, &QAction::triggered, [this] { stored.push_back(connect_target); });
  }
  TBookmarkTarget connect_target;
  std::vector<TBookmarkTarget> stored;
};

// Every action of a menu and its submenus, by caption.
QAction* FindItem(const QMenu& menu, const QString& caption) {
  for (QAction* a : menu.actions()) {
    if (a->text() == caption) return a;
    if (a->menu() != nullptr)
      if (QAction* inner = FindItem(*a->menu(), caption)) return inner;
  }
  return nullptr;
}

QStringList MenuCaptions(const QMenu& menu) {
  QStringList out;
  for (QAction* a : menu.actions())
    if (!a->isSeparator()) out << a->text();
  return out;
}

TVerseList VerseRun(int first, int count) {
  TVerseList list;
  for (int v = first; v < first + count; ++v) list.push_back(static_cast<uint16_t>(v));
  return list;
}

class VerseListViewTest : public ::testing::Test {
 protected:
  VerseListViewTest() : VerseListViewTest(test::SyntheticLibraryFolder()) {}
  explicit VerseListViewTest(const std::string& folder) {
    test::ResetSettings();
    kit_.library.Adopt(test::LoadSyntheticLibrary(folder));
  }
  void SetUp() override { Make(); }
  void Make() {
    view_ = std::make_unique<TFrameVerseListView>(kit_.Context());
    view_->resize(700, 400);
    view_->show();
    view_->TextView()->HTMLView()->SetDisplayTextOptions({true, true, true});
    view_->SetBible(kit_.library.Kjv());
  }
  const TLMBibleModule* Bible(const char* abbreviation) const {
    return kit_.library.FindBible(abbreviation);
  }
  const std::string& Page() const { return view_->TextView()->HTMLView()->DocumentSource(); }
  bool Contains(const std::string& text) const { return Page().find(text) != std::string::npos; }
  void Click(const std::string& href) {
    bool handled = false;
    view_->TextView()->HTMLViewHotSpotClick(href, handled);
    EXPECT_TRUE(handled);
  }

  test::TPaneTestKit kit_;
  std::unique_ptr<TFrameVerseListView> view_;
};

TEST_F(VerseListViewTest, StartsEmptyWithItsTabToolBarAndStatusPanes) {
  EXPECT_EQ(view_->Tabs()->count(), 1);
  EXPECT_EQ(view_->Tabs()->tabText(0), QStringLiteral("Verse List"));
  EXPECT_EQ(view_->Tabs()->tabToolTip(0), QStringLiteral("Verse List"));
  QStringList tools;
  for (QAction* a : view_->ToolBar()->actions()) tools << (a->isSeparator() ? "|" : a->text());
  EXPECT_EQ(tools,
            (QStringList{"Show Footnotes", "Show Commentary Links", "Show Book Reference Links",
                         "Show Edit Commentary Links", "|", "Maximize Verse List View"}));
  EXPECT_EQ(view_->StatusText(0), QStringLiteral("KJV"));
  EXPECT_EQ(view_->StatusText(1), QString());
  EXPECT_EQ(view_->StatusText(2), QString());
  // The commands on the whole list wait for one; export and print are
  // another feature's and stay disabled with their captions.
  kit_.actions.UpdateNow();
  EXPECT_FALSE(view_->ActionCopyAllVerses->isEnabled());
  EXPECT_FALSE(view_->ActionCopyAllReferences->isEnabled());
  EXPECT_EQ(view_->ActionExportVerseList->text(),
            QStringLiteral("Export Verse from Verse List to File"));
  EXPECT_EQ(view_->ActionExportVerseList->toolTip(), QStringLiteral("Export verse list to a file"));
  EXPECT_EQ(view_->ActionPrintVerseList->text(), QStringLiteral("Print Verses from Verse List"));
  EXPECT_EQ(view_->ActionPrintVerseList->toolTip(),
            QStringLiteral("Print verses from the verse list"));
  // The toggles default to off in the verse list.
  for (QAction* a : {view_->ActionToggleFootnotes, view_->ActionToggleCommentaryLinks,
                     view_->ActionToggleDictionaryLinks, view_->ActionToggleEditLinks})
    EXPECT_FALSE(a->isChecked()) << a->text().toStdString();
  EXPECT_EQ(kit_.actions.Find(QStringLiteral("FrameVerseListView.ActionCopyAllVerses"))->shortcut(),
            QKeySequence(Qt::Key_F7));
  EXPECT_EQ(view_->ActionCopyAllReferences->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F7));
  EXPECT_TRUE(kit_.actions.ShortcutConflicts().isEmpty())
      << kit_.actions.ShortcutConflicts().join(QStringLiteral("; ")).toStdString();
}

TEST_F(VerseListViewTest, PagesOfAHundredAndCopyAllTakesTheWholeList) {
  view_->LoadList(VerseRun(1, 250), {}, "KJV search: x", false);
  EXPECT_EQ(kit_.host.log.front(), "ShowPane VerseList");
  EXPECT_TRUE(Contains("Showing 1 to 100 of 250."));
  EXPECT_TRUE(Contains("<a href=\"pn:100\">Next&nbsp;100</a>"));
  EXPECT_FALSE(Contains("Previous&nbsp;"));
  EXPECT_TRUE(view_->TextView()->IsVerseOnPage(100));
  EXPECT_FALSE(view_->TextView()->IsVerseOnPage(101));
  EXPECT_EQ(view_->StatusText(0), QStringLiteral("KJV"));
  EXPECT_EQ(view_->StatusText(1), QStringLiteral("250"));
  EXPECT_EQ(view_->StatusText(2), QStringLiteral("KJV search: x"));

  // A page link moves this pane's page; the list and the status stay.
  Click("pn:200");
  EXPECT_TRUE(Contains("Showing 201 to 250 of 250. | <a href=\"pn:100\">Previous&nbsp;100</a>"));
  EXPECT_TRUE(view_->TextView()->IsVerseOnPage(250));
  EXPECT_EQ(view_->List().size(), 250u);
  EXPECT_EQ(view_->StatusText(1), QStringLiteral("250"));
  Click("pn:100");
  EXPECT_TRUE(Contains("Showing 101 to 200 of 250."));

  kit_.actions.UpdateNow();
  ASSERT_TRUE(view_->ActionCopyAllVerses->isEnabled());
  view_->ActionCopyAllVerses->trigger();
  ASSERT_EQ(kit_.Output().copies.size(), 1u);
  const std::string& all = kit_.Output().copies.back().plain;
  // Style A: each verse under its reference, a blank line between verses.
  size_t blocks = 1;
  for (size_t at = all.find("\r\n\r\n"); at != std::string::npos; at = all.find("\r\n\r\n", at + 4))
    ++blocks;
  EXPECT_EQ(blocks, 250u);
  EXPECT_NE(all.find(kit_.library.Kjv()->GetVerseText(250, false, false)), std::string::npos);
  EXPECT_NE(all.back(), '\n');
  EXPECT_FALSE(kit_.Output().copies.back().html.empty());

  // A new list starts at page 1 again.
  view_->LoadList(VerseRun(1, 150), {}, "Again", false);
  EXPECT_TRUE(Contains("Showing 1 to 100 of 150."));
  EXPECT_EQ(view_->StatusText(2), QStringLiteral("Again"));
}

TEST_F(VerseListViewTest, SeparatorsAreNotCountedAndCopiesSkipThem) {
  view_->LoadList(
      {static_cast<uint16_t>(kJohn3_16), kVerseListSeparator, static_cast<uint16_t>(kJohn3_16 + 1),
       static_cast<uint16_t>(kJohn3_16 + 2), static_cast<uint16_t>(test::kGenesis1_1)},
      {}, "References", false);
  EXPECT_EQ(view_->VerseCount(), 4);
  EXPECT_EQ(view_->StatusText(1), QStringLiteral("4"));
  view_->ActionCopyAllReferences->trigger();
  ASSERT_EQ(kit_.Output().copies.size(), 1u);
  EXPECT_EQ(kit_.Output().copies.back().plain,
            test::KjvRef(kJohn3_16) + "-18; " + test::KjvRef(test::kGenesis1_1));
}

TEST_F(VerseListViewTest, VersionSwitchKeepsTheVerseIndexesAndThePage) {
  view_->LoadList(VerseRun(kJohn3_16 - 120, 250), {}, "List", false);
  Click("pn:100");
  QMenu version;
  view_->FillVersionMenu(version);
  EXPECT_EQ(MenuCaptions(version),
            (QStringList{"KJV\tKJV Test Bible", "KJVSL\tKJV Test Bible with Strong's Links",
                         "WEB\tWEB Test Bible"}))
      << MenuCaptions(version).join('|').toStdString();
  EXPECT_TRUE(version.actions().front()->isChecked());
  const TVerseList before = view_->List();
  version.actions().back()->trigger();
  EXPECT_EQ(view_->Bible(), Bible("WEB"));
  EXPECT_EQ(view_->List(), before);
  EXPECT_EQ(view_->StatusText(0), QStringLiteral("WEB"));
  // Same page, same verses, now in the other Bible.
  EXPECT_TRUE(Contains("Showing 101 to 200 of 250."));
  EXPECT_TRUE(view_->TextView()->IsVerseOnPage(kJohn3_16));
  EXPECT_EQ(view_->TextView()->Renderer().Bible(), Bible("WEB"));
  // The Strong's-links Bible writes its numbers as links.
  EXPECT_FALSE(Contains("\"g:"));
  QMenu again;
  view_->FillVersionMenu(again);
  FindItem(again, QStringLiteral("KJVSL\tKJV Test Bible with Strong's Links"))->trigger();
  EXPECT_TRUE(Contains("\"g:"));

  QMenu compare;
  view_->FillCompareMenu(compare);
  EXPECT_TRUE(compare.isEnabled());
  EXPECT_EQ(MenuCaptions(compare).front(), QStringLiteral("None"));
  FindItem(compare, QStringLiteral("WEB\tWEB Test Bible"))->trigger();
  EXPECT_EQ(view_->CompareBible(), Bible("WEB"));
  EXPECT_TRUE(Contains(" (WEB)"));
  QMenu compare2;
  view_->FillCompareMenu(compare2);
  EXPECT_TRUE(FindItem(compare2, QStringLiteral("WEB\tWEB Test Bible"))->isChecked());
  FindItem(compare2, QStringLiteral("None"))->trigger();
  EXPECT_EQ(view_->CompareBible(), nullptr);
  EXPECT_FALSE(Contains(" (WEB)"));
}

TEST_F(VerseListViewTest, TogglesCommitTheirSettingsAndReRenderInPlace) {
  config::Properties& p = config::GlobalProperties();
  view_->LoadList(VerseRun(kJohn3_16 - 50, 100), {}, "List", false);
  THtmlView* html = view_->TextView()->HTMLView();
  html->SetVScrollBarPosition(html->verticalScrollBar()->maximum() / 2);
  const int top = view_->TextView()->FirstVisibleVerse();
  ASSERT_GT(top, kJohn3_16 - 50);
  int commits = 0;
  QObject::connect(&kit_.settings, &TSettings::changed, [&commits](SettingsParts parts) {
    if (parts & kSettingsVerseListView) ++commits;
  });
  const struct {
    QAction* TFrameVerseListView::*action;
    bool config::TPropertiesBibleView::*field;
    const char* mark;  // what the page shows with the setting on
  } toggles[] = {
      {&TFrameVerseListView::ActionToggleCommentaryLinks,
       &config::TPropertiesBibleView::link_commentaries, "\"lc:"},
      {&TFrameVerseListView::ActionToggleDictionaryLinks,
       &config::TPropertiesBibleView::link_dictionaries, "\"ld:"},
      {&TFrameVerseListView::ActionToggleEditLinks, &config::TPropertiesBibleView::show_edit_links,
       "\"ec:"},
  };
  for (const auto& t : toggles) {
    QAction* action = view_.get()->*t.action;
    SCOPED_TRACE(action->text().toStdString());
    kit_.actions.UpdateNow();
    ASSERT_TRUE(action->isEnabled());
    EXPECT_FALSE(Contains(t.mark));
    action->trigger();
    EXPECT_TRUE(p.verse_list_view.*t.field);
    EXPECT_TRUE(Contains(t.mark));
    EXPECT_TRUE(action->isChecked());
    EXPECT_EQ(view_->TextView()->FirstVisibleVerse(), top);
    action->trigger();
    EXPECT_FALSE(p.verse_list_view.*t.field);
    EXPECT_FALSE(Contains(t.mark));
  }
  EXPECT_EQ(commits, 6);
  // The footnote toggle is always enabled and flips its value.
  view_->ActionToggleFootnotes->trigger();
  EXPECT_TRUE(p.verse_list_view.show_footnotes);
  EXPECT_TRUE(view_->ActionToggleFootnotes->isChecked());
  // The Bible view's record is not the verse list's.
  EXPECT_FALSE(p.bible_view.show_footnotes);
}

TEST_F(VerseListViewTest, SettingsOfOtherPanesDoNotRedrawAndAHiddenPaneRedrawsWhenShown) {
  view_->LoadList(VerseRun(kJohn3_16, 5), {}, "List", false);
  config::GlobalProperties().bible_view.link_commentaries = true;
  kit_.settings.Commit(kSettingsBibleView);
  EXPECT_FALSE(Contains("\"lc:"));
  view_->hide();
  kit_.host.log.clear();
  config::GlobalProperties().verse_list_view.main_size = 14;
  config::GlobalProperties().verse_list_view.link_commentaries = true;
  kit_.settings.Commit(kSettingsVerseListView);
  // Another command changed the settings: the pane does not pop up.
  EXPECT_TRUE(kit_.host.log.empty());
  EXPECT_FALSE(Contains("\"lc:"));
  view_->show();
  EXPECT_TRUE(Contains("\"lc:"));
  EXPECT_EQ(view_->TextView()->HTMLView()->DefFontSize(), 14);
}

// Start-up makes the pane before the library is loaded (without a change
// notice); its first list still links the loaded modules.
TEST(VerseListStartup, FirstListLinksTheModulesLoadedAfterThePaneWasMade) {
  test::ResetSettings();
  test::TPaneTestKit kit;
  TFrameVerseListView view(kit.Context());
  view.resize(600, 300);
  view.show();
  kit.library.Adopt(test::LoadSyntheticLibrary());
  view.SetBible(kit.library.Kjv());
  config::GlobalProperties().verse_list_view.link_commentaries = true;
  config::GlobalProperties().verse_list_view.link_dictionaries = true;
  view.LoadList({static_cast<uint16_t>(kJohn3_16)}, {}, "List", false);
  const std::string& page = view.TextView()->HTMLView()->DocumentSource();
  EXPECT_NE(page.find("\"lc:"), std::string::npos);
  EXPECT_NE(page.find("\"ld:"), std::string::npos);
}

TEST_F(VerseListViewTest, StrongsItemsOnlyOverStrongsLinks) {
  view_->LoadList({static_cast<uint16_t>(kJohn3_16)}, {}, "List", false);
  const struct {
    const char* url;
    const char* item;  // "" for none
  } cases[] = {{"", ""},
               {"lc:0,26136", ""},
               {"g:3588", "Search Bible for G3588"},
               {"h:7225", "Search Bible for H7225"},
               {"g:x1", ""},
               {"G:1", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    QMenu menu;
    view_->PopulateContextMenu(menu, c.url, "", kJohn3_16);
    QStringList strongs;
    for (const QString& caption : MenuCaptions(menu))
      if (caption.startsWith(QStringLiteral("Search Bible for ")) &&
          caption != QStringLiteral("Search Bible for Selected Text"))
        strongs << caption;
    EXPECT_EQ(strongs, *c.item ? QStringList{QString::fromLatin1(c.item)} : QStringList{});
    if (*c.item) {
      // No search feature yet: shown, but disabled.
      EXPECT_FALSE(FindItem(menu, QString::fromLatin1(c.item))->isEnabled());
    }
  }
  // With the search feature the items run it on the Strong's-links Bible.
  auto search = std::make_unique<VerseListSearchRecorder>();
  VerseListSearchRecorder& calls = *search;
  kit_.host.search = std::move(search);
  QMenu menu;
  view_->PopulateContextMenu(menu, "g:3588", "", kJohn3_16);
  QAction* item = FindItem(menu, QStringLiteral("Search Bible for G3588"));
  ASSERT_TRUE(item->isEnabled());
  item->trigger();
  EXPECT_EQ(calls.calls, std::vector<std::string>{"G3588 in KJVSL"});
}

TEST_F(VerseListViewTest, MenuItemsForTheClickedVerse) {
  view_->LoadList({static_cast<uint16_t>(kJohn3_16), static_cast<uint16_t>(test::kGenesis1_1)}, {},
                  "List", false);
  const QString ref = QString::fromStdString(test::KjvRef(kJohn3_16));
  {
    QMenu menu;
    view_->PopulateContextMenu(menu, "", "", kJohn3_16);
    const QStringList captions = MenuCaptions(menu);
    for (const QString& expected :
         {QStringLiteral("Copy Selected Text"), QStringLiteral("Append Selected Text"),
          QStringLiteral("Copy ") + ref, QStringLiteral("Copy All Verses from Verse List"),
          QStringLiteral("Copy All References"), QStringLiteral("Send Verse Link To Editor"),
          QStringLiteral("Search Bible for Selected Text"), QStringLiteral("Version"),
          QStringLiteral("Compare Version"), QStringLiteral("Set &Bookmark to ") + ref,
          QStringLiteral("Go to ") + ref + QStringLiteral(" in Active Commentary"),
          QStringLiteral("Commentaries on ") + ref, QStringLiteral("Books referencing ") + ref,
          QStringLiteral("Show Footnotes"), QStringLiteral("Print this window")})
      EXPECT_TRUE(captions.contains(expected)) << expected.toStdString();
    // Topic guide items only while the guide can run.
    EXPECT_FALSE(captions.contains(QStringLiteral("Topic Guide for ") + ref));
    EXPECT_FALSE(captions.contains(QStringLiteral("Topic Guide for Selected Text")));
    // Hooks of features not yet installed show disabled.
    EXPECT_FALSE(FindItem(menu, QStringLiteral("Send Verse Link To Editor"))->isEnabled());
    EXPECT_FALSE(FindItem(menu, QStringLiteral("Set &Bookmark to ") + ref)->isEnabled());
    EXPECT_FALSE(FindItem(menu, QStringLiteral("Search Bible for Selected Text"))->isEnabled());

    // Commentaries: one item per Commentary, checked where it has a comment.
    QMenu* on = FindItem(menu, QStringLiteral("Commentaries on ") + ref)->menu();
    EXPECT_EQ(MenuCaptions(*on), (QStringList{"CN\tSynthetic Notes", "CR\tSynthetic Remarks",
                                              "UN\tSynthetic User Notes"}));
    EXPECT_TRUE(on->actions()[0]->isChecked());
    EXPECT_TRUE(on->actions()[1]->isChecked());
    EXPECT_FALSE(on->actions()[2]->isChecked());
    on->actions()[1]->trigger();
    EXPECT_EQ(kit_.host.Last(), "ShowCommentary CR " + std::to_string(kJohn3_16 - 1));
    FindItem(menu, QStringLiteral("Go to ") + ref + QStringLiteral(" in Active Commentary"))
        ->trigger();
    EXPECT_EQ(kit_.host.Last(), "ShowCommentary current " + std::to_string(kJohn3_16 - 1));

    // Books: only those that reference the verse.
    QMenu* books = FindItem(menu, QStringLiteral("Books referencing ") + ref)->menu();
    EXPECT_TRUE(books->isEnabled());
    EXPECT_EQ(MenuCaptions(*books),
              (QStringList{"SYND\tSynthetic Dictionary", "SYNT\tSynthetic Topics"}));
    books->actions()[1]->trigger();
    EXPECT_EQ(kit_.host.Last(), "OpenBookAtVerse SYNT " + std::to_string(kJohn3_16));

    FindItem(menu, QStringLiteral("Copy ") + ref)->trigger();
    ASSERT_EQ(kit_.Output().copies.size(), 1u);
    EXPECT_NE(kit_.Output().copies.back().plain.find("For God so loved"), std::string::npos)
        << kit_.Output().copies.back().plain;
    FindItem(menu, QStringLiteral("Print this window"))->trigger();
    EXPECT_EQ(kit_.Output().printed, QStringList{QStringLiteral("List")});
  }
  {
    // Genesis 1:1: no Book references it.
    QMenu menu;
    view_->PopulateContextMenu(menu, "", "", test::kGenesis1_1);
    const QString gen = QString::fromStdString(test::KjvRef(test::kGenesis1_1));
    EXPECT_FALSE(FindItem(menu, QStringLiteral("Books referencing ") + gen)->isEnabled());
  }
  {
    // With the features installed.
    kit_.host.search = std::make_unique<VerseListSearchRecorder>();
    auto editor = std::make_unique<VerseListEditorRecorder>();
    VerseListEditorRecorder& sent = *editor;
    kit_.host.authoring = std::move(editor);
    auto marks = std::make_unique<VerseListBookmarkRecorder>();
    VerseListBookmarkRecorder& stored = *marks;
    kit_.host.bookmarks = std::move(marks);
    QMenu menu;
    view_->PopulateContextMenu(menu, "", "selected words", kJohn3_16);
    QAction* send = FindItem(menu, QStringLiteral("Send Verse Link To Editor"));
    ASSERT_TRUE(send->isEnabled());
    send->trigger();
    EXPECT_EQ(sent.sent, std::vector<std::string>{" #" + test::KjvRef(kJohn3_16) + "| "});
    FindItem(menu, QStringLiteral("&1"))->trigger();
    ASSERT_EQ(stored.stored.size(), 1u);
    EXPECT_EQ(stored.stored[0].kind, 0);
    EXPECT_EQ(stored.stored[0].abbreviation, "KJV");
    EXPECT_EQ(stored.stored[0].position, kJohn3_16);
    EXPECT_EQ(stored.stored[0].text, VerseReference(*kit_.library.Kjv(), kJohn3_16, false));
    auto& guide = static_cast<VerseListSearchRecorder&>(*kit_.host.search);
    QAction* topic = FindItem(menu, QStringLiteral("Topic Guide for ") + ref);
    ASSERT_NE(topic, nullptr);
    topic->trigger();
    QAction* topic_text = FindItem(menu, QStringLiteral("Topic Guide for Selected Text"));
    ASSERT_NE(topic_text, nullptr);
    EXPECT_TRUE(topic_text->isEnabled());
    topic_text->trigger();
    EXPECT_EQ(guide.calls, (std::vector<std::string>{"guide " + test::KjvRef(kJohn3_16),
                                                     "guide selected words"}));
  }
}

TEST_F(VerseListViewTest, ARealRightClickOpensTheMenuOfTheVerseUnderThePointer) {
  view_->LoadList({static_cast<uint16_t>(kJohn3_16)}, {}, "List", false);
  QWidget* viewport = view_->TextView()->HTMLView()->viewport();
  QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(20, 10));
  QMenu* menu = nullptr;
  EXPECT_TRUE(QTest::qWaitFor([&] {
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return menu != nullptr;
  }));
  ASSERT_NE(menu, nullptr);
  EXPECT_NE(
      FindItem(*menu, QStringLiteral("Copy ") + QString::fromStdString(test::KjvRef(kJohn3_16))),
      nullptr);
  menu->close();
}

// A library without Commentaries: the Commentary items and toggles.
class VerseListWithoutCommentariesTest : public VerseListViewTest {
 protected:
  static std::string Folder() {
    static test::TempFolder* folder = [] {
      auto* f = new test::TempFolder;
      test::CopySyntheticLibrary(f->Path());
      std::filesystem::remove_all(std::filesystem::path(f->Path()) / "Commentaries");
      std::filesystem::remove_all(std::filesystem::path(f->Path()) / "User");
      return f;
    }();
    return folder->Path();
  }
  VerseListWithoutCommentariesTest() : VerseListViewTest(Folder()) {}
};

TEST_F(VerseListWithoutCommentariesTest, CommentaryItemsHiddenOrDisabled) {
  ASSERT_TRUE(kit_.library.Commentaries().empty());
  view_->LoadList({static_cast<uint16_t>(kJohn3_16)}, {}, "List", false);
  kit_.actions.UpdateNow();
  EXPECT_FALSE(view_->ActionToggleCommentaryLinks->isEnabled());
  EXPECT_FALSE(view_->ActionToggleEditLinks->isEnabled());
  EXPECT_TRUE(view_->ActionToggleFootnotes->isEnabled());
  QMenu menu;
  view_->PopulateContextMenu(menu, "", "", kJohn3_16);
  const QString ref = QString::fromStdString(test::KjvRef(kJohn3_16));
  EXPECT_EQ(
      FindItem(menu, QStringLiteral("Go to ") + ref + QStringLiteral(" in Active Commentary")),
      nullptr);
  QAction* on = FindItem(menu, QStringLiteral("Commentaries on ") + ref);
  ASSERT_NE(on, nullptr);
  EXPECT_FALSE(on->isEnabled());
  EXPECT_TRUE(FindItem(menu, QStringLiteral("Books referencing ") + ref)->isEnabled());
}

}  // namespace
}  // namespace lumora::ui
