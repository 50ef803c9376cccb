// The main window's links between panes on the synthetic library: the
// "Reference Links" chooser (filling, clicks, keys, geometry, a change of
// the library while it shows), the resource links with every message, the
// desktop's links, and a walk across the four panes as a user makes it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/resource_link.h"
#include "app/ui/main_window.h"
#include "app/ui/platform/shell_open.h"
#include "app/ui/resource_link_dialog.h"
#include "config/memory_storage.h"
#include "config/properties.h"
#include "tests/support/test_bible.h"
#include "tests/ui/sample_library.h"
#include "tests/ui/synthetic_library.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

using test::kJohn3_16;

class RecordingShellOpen : public IShellOpen {
 public:
  bool Open(const std::string& href) override {
    opened.push_back(href);
    return true;
  }
  std::vector<std::string> opened;
};

class ResourceLinksTest : public ::testing::Test {
 protected:
  void SetUp() override { test::ResetSettings(); }

  // A main window on the synthetic library, settings from `storage_`.
  void Start() {
    TMainOptions options;
    options.data_folder = test::SyntheticLibraryFolder();
    options.storage = &storage_;
    options.show_splash = false;
    options.show_message = [this](const QString& text) { messages_ << text; };
    options.ask_yes_no = [this](const QString&, const QString& question) {
      questions_ << question;
      return answer_yes_;
    };
    options.shell = &shell_;
    window_ = std::make_unique<TMain>(std::move(options));
    ASSERT_TRUE(window_->StartupComplete());
    window_->setGeometry(100, 80, 900, 600);
    window_->show();
  }

  const TLMDictionaryModule* Book(const char* abbreviation) const {
    return window_->Library().FindBook(abbreviation);
  }
  const TLMCommentaryModule* Commentary(const char* abbreviation) const {
    return window_->Library().FindCommentary(abbreviation);
  }
  // The current Book and entry as "SYNT LOVE".
  std::string BookShown() const {
    const TLMDictionaryModule* b = window_->DictView()->CurrentBook();
    const int e = window_->DictView()->CurrentEntry();
    if (b == nullptr) return "none";
    return b->GetAbbreviation() + " " +
           (e >= 0 && e < b->EntryCount() ? b->EntryTitles()[static_cast<size_t>(e)] : "-");
  }
  std::string CommentaryShown() const {
    const TLMCommentaryModule* c = window_->CommentView()->CurrentCommentary();
    return (c != nullptr ? c->GetAbbreviation() : std::string("none")) + " " +
           std::to_string(window_->CommentView()->CurrentPosition());
  }
  TDlgResourceLink2* OpenChooserForJohn316() {
    window_->OpenBookAtVerse(*Book("SYNT"), kJohn3_16, window_->Library().Kjv());
    return window_->ResourceLinkChooser();
  }
  QStringList Rows(const QListWidget& list) const {
    QStringList rows;
    for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
    return rows;
  }
  void ClickRow(TDlgResourceLink2& chooser, int row) {
    QListWidget* list = chooser.ListBox();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }

  config::MemoryStorage storage_;
  RecordingShellOpen shell_;
  QStringList messages_;
  QStringList questions_;
  bool answer_yes_ = true;
  std::unique_ptr<TMain> window_;
};

TEST_F(ResourceLinksTest, ChooserListsTheEntriesCitingTheVerseAndOpensThem) {
  Start();
  const std::string short_title = window_->Library().Kjv()->GetShortBookTitle(43);
  TDlgResourceLink2* chooser = OpenChooserForJohn316();
  ASSERT_NE(chooser, nullptr);
  EXPECT_TRUE(chooser->isVisible());
  EXPECT_FALSE(chooser->isModal());
  EXPECT_TRUE(chooser->windowFlags().testFlag(Qt::Tool));
  EXPECT_EQ(chooser->parentWidget(), window_.get());
  EXPECT_EQ(chooser->windowTitle().toStdString(), "SYNT: " + test::KjvRef(kJohn3_16));
  EXPECT_EQ(chooser->LabelTitle()->text(), QStringLiteral("Synthetic Topics"));
  EXPECT_EQ(chooser->LabelRef()->text().toStdString(), short_title + " 3:16");
  EXPECT_EQ(Rows(*chooser->ListBox()), (QStringList{"GRACE", "LOVE"}));
  EXPECT_EQ(chooser->ListBox()->currentRow(), -1);
  EXPECT_EQ(chooser->ListBox()->font().family(), QStringLiteral("Arial"));

  // A click opens the entry marking the verse; the window stays open.
  ClickRow(*chooser, 1);
  EXPECT_EQ(BookShown(), "SYNT LOVE");
  EXPECT_TRUE(chooser->isVisible());
  ClickRow(*chooser, 0);
  EXPECT_EQ(BookShown(), "SYNT GRACE");

  // One citing entry opens directly; the chooser keeps its list.
  window_->OpenBookAtVerse(*Book("SYND"), kJohn3_16, nullptr);
  EXPECT_EQ(BookShown(), "SYND World");
  EXPECT_EQ(chooser->Book(), Book("SYNT"));
  // No citing entry, or no verse: nothing.
  window_->OpenBookAtVerse(*Book("SYND"), test::kGenesis1_1, nullptr);
  window_->OpenBookAtVerse(*Book("SYNT"), 0, nullptr);
  window_->OpenBookAtVerse(*Book("SYNT"), 31103, nullptr);
  EXPECT_EQ(BookShown(), "SYND World");
  EXPECT_TRUE(messages_.isEmpty());

  // A title the Book no longer has.
  chooser->ListBox()->item(0)->setData(Qt::UserRole, QByteArray("NO SUCH TITLE"));
  chooser->OpenRow(0);
  EXPECT_EQ(messages_, QStringList{QStringLiteral("Error: Entry title not found.")});
  EXPECT_EQ(BookShown(), "SYND World");
}

TEST_F(ResourceLinksTest, ChooserByKeyboard) {
  Start();
  TDlgResourceLink2* chooser = OpenChooserForJohn316();
  QListWidget* list = chooser->ListBox();
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->currentRow(), 1);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(BookShown(), "SYNT LOVE");
  QTest::keyClick(list, Qt::Key_Up);
  QTest::keyClick(list, Qt::Key_Enter);
  EXPECT_EQ(BookShown(), "SYNT GRACE");
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(chooser->isVisible());
  // Shown again on the next choice, same window.
  EXPECT_EQ(OpenChooserForJohn316(), chooser);
  EXPECT_TRUE(chooser->isVisible());
}

TEST_F(ResourceLinksTest, ChooserEmptiesAndHidesWhenTheLibraryChanges) {
  Start();
  TDlgResourceLink2* chooser = OpenChooserForJohn316();
  ASSERT_TRUE(chooser->isVisible());
  window_->Library().Catalogue().NotifyAboutToChange();
  EXPECT_FALSE(chooser->isVisible());
  EXPECT_EQ(chooser->Book(), nullptr);
  EXPECT_EQ(chooser->ListBox()->count(), 0);
  window_->Library().Catalogue().NotifyChanged();
  const std::string before = BookShown();
  chooser->OpenRow(0);
  EXPECT_EQ(BookShown(), before);
  EXPECT_TRUE(messages_.isEmpty());
  // The next choice fills it again.
  OpenChooserForJohn316();
  EXPECT_EQ(chooser->ListBox()->count(), 2);
}

TEST_F(ResourceLinksTest, ChooserGeometryIsStoredAndRestored) {
  Start();
  TDlgResourceLink2* chooser = OpenChooserForJohn316();
  // First show: centred on the main window.
  EXPECT_EQ(chooser->geometry().center(), window_->geometry().center());
  chooser->setGeometry(130, 90, 333, 222);
  // Closing the main window closes the chooser and saves its place with the
  // other settings.
  window_->close();
  EXPECT_FALSE(chooser->isVisible());
  const config::WindowState stored = config::GlobalProperties().state_resource_link;
  EXPECT_EQ(stored, (config::WindowState{130, 90, 222, 333}));
  window_.reset();

  test::ResetSettings();
  Start();
  EXPECT_EQ(config::GlobalProperties().state_resource_link, stored);
  chooser = OpenChooserForJohn316();
  EXPECT_EQ(chooser->geometry(), QRect(130, 90, 333, 222));
  window_->close();
  window_.reset();

  // A place on no screen is not used.
  test::ResetSettings();
  config::Properties p = config::DefaultProperties();
  p.state_resource_link = {-20000, -20000, 200, 300};
  ASSERT_TRUE(config::SaveProperties(p, storage_).ok());
  Start();
  chooser = OpenChooserForJohn316();
  EXPECT_EQ(chooser->geometry().center(), window_->geometry().center());
}

TEST_F(ResourceLinksTest, ResourceLinksShowTheirTargetsOrTheirMessages) {
  Start();
  const struct {
    const char* href;
    const char* message;  // "" for none
    const char* book;     // BookShown() afterwards, "" when unchanged
    const char* comment;  // CommentaryShown() afterwards, "" when unchanged
  } cases[] = {
      {"lmbook:SYND|Aaron", "", "SYND Aaron", ""},
      {"lmbook:synd|ABRAHAM", "", "SYND Abraham", ""},
      // No abbreviation: the Book the Book view shows (SYND now).
      {"lmbook:|World", "", "SYND World", ""},
      {"lmbook:Moses", "Error: \"moses\" not found in \"SYND\"", "", ""},
      {"lmbook:NAVES|Aaron", "Error: \"naves\" book not available.", "", ""},
      {"lmcmt:CN|Jn 3:16", "", "", "CN 26136"},
      {"lmcmt:Gen 1:1", "", "", "CN 0"},
      {"lmcmt:CR|john 3:16", "", "", "CR 26136"},
      {"lmcmt:ABC|", "Error: badly formed link.", "", ""},
      {"lmcmt:ABC|Jn 3:16", "Error: \"abc\" commentary not available.", "", ""},
      {"lmcmt:CN|no such place", "Error: \"no such place\" not a valid reference.", "", ""},
      {"lmimage:Map", "Error: Image not found.", "", ""},
      {"lmnothing:x", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.href);
    messages_.clear();
    const std::string book = BookShown();
    const std::string comment = CommentaryShown();
    window_->OpenResourceLink(c.href);
    EXPECT_EQ(messages_, *c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList{});
    EXPECT_EQ(BookShown(), *c.book ? std::string(c.book) : book);
    EXPECT_EQ(CommentaryShown(), *c.comment ? std::string(c.comment) : comment);
  }
  // An image viewer takes image links by their lower-cased name.
  std::vector<std::string> images;
  window_->InstallImageViewer([&images](const std::string& name) {
    images.push_back(name);
    return name == "map";
  });
  messages_.clear();
  window_->OpenResourceLink("lmimage:Map");
  window_->OpenResourceLink("lmimage:Other");
  EXPECT_EQ(images, (std::vector<std::string>{"map", "other"}));
  EXPECT_EQ(messages_, QStringList{QStringLiteral("Error: Image not found.")});
}

TEST_F(ResourceLinksTest, DesktopLinksAndTheFileQuestion) {
  Start();
  window_->OpenExternal("http://example.org/a?b=c");
  window_->OpenExternal("HTTP://example.org/");
  window_->OpenExternal("mailto:a@example.org");
  window_->OpenExternal("https://example.org/");
  window_->OpenExternal("ftp://example.org/");
  window_->OpenExternal("no colon");
  EXPECT_EQ(shell_.opened,
            (std::vector<std::string>{"http://example.org/a?b=c", "HTTP://example.org/",
                                      "mailto:a@example.org"}));
  EXPECT_TRUE(questions_.isEmpty());
  shell_.opened.clear();
  answer_yes_ = false;
  window_->OpenExternal("file:///etc/hosts");
  EXPECT_TRUE(shell_.opened.empty());
  ASSERT_EQ(questions_.size(), 1);
  EXPECT_TRUE(questions_[0].contains(QStringLiteral("/etc/hosts"))) << questions_[0].toStdString();
  answer_yes_ = true;
  window_->OpenExternal("file:///etc/hosts");
  EXPECT_EQ(shell_.opened, std::vector<std::string>{"file:///etc/hosts"});
}

// A walk across the panes: the Bible view at John 3:16, its Commentaries
// submenu, a Book link that two entries answer (chooser, pick), a Strong's
// link, the verse list loaded from the window, its "Go to comment" and
// Books items, a resource link back into a Book.
TEST_F(ResourceLinksTest, LinkedWalkAcrossThePanes) {
  Start();
  TFrameBibleView* bible = window_->BibleView();
  const auto click = [](TFrameTextView* view, const std::string& href) {
    bool handled = false;
    view->HTMLViewHotSpotClick(href, handled);
    EXPECT_TRUE(handled);
  };
  window_->GoToVerse(kJohn3_16, true);
  EXPECT_EQ(bible->CurrentVerse(), kJohn3_16);

  QMenu menu;
  bible->PopulateContextMenu(menu, "", "", kJohn3_16);
  QMenu* on = nullptr;
  for (QAction* a : menu.actions())
    if (a->text().startsWith(QStringLiteral("Commentaries on "))) on = a->menu();
  ASSERT_NE(on, nullptr);
  on->actions()[1]->trigger();  // CR
  EXPECT_EQ(CommentaryShown(), "CR " + std::to_string(kJohn3_16 - 1));

  const int synt = window_->Library().IndexOf(Book("SYNT"));
  click(bible->TextView(), "ld:" + std::to_string(synt) + "," + std::to_string(kJohn3_16));
  TDlgResourceLink2* chooser = window_->ResourceLinkChooser();
  ASSERT_NE(chooser, nullptr);
  EXPECT_TRUE(chooser->isVisible());
  ClickRow(*chooser, 1);
  EXPECT_EQ(BookShown(), "SYNT LOVE");

  bible->ShowBible(window_->Library().FindBible("KJVSL"));
  click(bible->TextView(), "g:26");
  EXPECT_EQ(BookShown(), "StrGrk G0026");

  window_->ShowVerseList({static_cast<uint16_t>(kJohn3_16), static_cast<uint16_t>(kJohn3_16 + 1)},
                         {}, "References", false);
  TFrameVerseListView* list = window_->VerseListView();
  EXPECT_TRUE(window_->PaneVisible(TPane::kVerseList));
  EXPECT_EQ(list->StatusText(2), QStringLiteral("References"));
  EXPECT_EQ(list->VerseCount(), 2);
  QMenu list_menu;
  list->PopulateContextMenu(list_menu, "", "", kJohn3_16 + 1);
  for (QAction* a : list_menu.actions()) {
    if (a->text().startsWith(QStringLiteral("Go to "))) a->trigger();
  }
  EXPECT_EQ(CommentaryShown(), "CR " + std::to_string(kJohn3_16));
  for (QAction* a : list_menu.actions()) {
    if (a->text().startsWith(QStringLiteral("Books referencing ")))
      a->menu()->actions().front()->trigger();  // SYNT: GRACE alone cites 3:17
  }
  EXPECT_EQ(BookShown(), "SYNT GRACE");

  // A verse label in the list takes the Bible view there, label selected.
  click(list->TextView(), "lp:" + std::to_string(kJohn3_16 + 1));
  EXPECT_EQ(bible->CurrentVerse(), kJohn3_16 + 1);
  EXPECT_GT(bible->TextView()->HTMLView()->SelLength(), 0);

  window_->OpenResourceLink("lmbook:SYND|World");
  EXPECT_EQ(BookShown(), "SYND World");
  EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();
}

}  // namespace
}  // namespace lumora::ui
