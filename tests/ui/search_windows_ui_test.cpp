// The full reference search window and the topic and verse guide in a real
// main window over the sample library, with user modules written by the
// test: counts as the engine's, pages and their links, the hits opened in
// the panes, Stop, the early messages, state across a restart, and what a
// close, a deletion or a damaged module does to a scan.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "app/ui/big_search_feature.h"
#include "app/ui/find_resource_feature.h"
#include "app/ui/history_combo_box.h"
#include "app/ui/main_window.h"
#include "app/ui/topic_guide_feature.h"
#include "config/memory_storage.h"
#include "config/properties.h"
#include "core/catalogue/module_catalogue.h"
#include "core/codec/compression.h"
#include "core/modules/bible_module.h"
#include "render/ui/html_view.h"
#include "search/find_in_resource.h"
#include "search/full_search_match.h"
#include "search/full_search_scan.h"
#include "search/ui/big_search_form.h"
#include "search/ui/big_search_progress.h"
#include "search/ui/topic_guide_form.h"
#include "tests/library/library_fixture.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/test_host.h"
#include "tests/ui/wait_until.h"
#include "tools/builder/entry_builders.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"

namespace lumora::ui {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUserBookTitle = "Synthetic User Book";
constexpr const char* kUserNotesTitle = "Synthetic User Notes";
constexpr const char* kDamagedTitle = "Synthetic Damaged Notes";

// A data folder that shows the sample library through links, with its own
// "User" folder, and on request a Commentary with one damaged record.
void MakeDataFolder(const std::string& sample, const std::string& folder, bool damaged) {
  for (const auto& entry : fs::directory_iterator(sample)) {
    const std::string name = entry.path().filename().string();
    if (name == "User") continue;
    if (name == "Commentaries") {
      fs::create_directory(fs::path(folder) / name);
      for (const auto& file : fs::directory_iterator(entry.path()))
        fs::create_symlink(file.path(), fs::path(folder) / name / file.path().filename());
    } else {
      fs::create_symlink(entry.path(), fs::path(folder) / name);
    }
  }
  fs::create_directory(fs::path(folder) / "User");
  if (!damaged) return;
  builder::CommentarySource notes{kDamagedTitle, "SYDN", "SYDN", {}};
  notes.slots.resize(kVerseCount);
  const std::string broken(400, 'g');
  notes.slots[0] = "grace at the start";
  notes.slots[1] = broken;
  notes.slots[2] = "grace after the damage";
  Result<std::string> bytes = builder::BuildCommentaryModule(notes);
  Result<std::string> record = CompressString(broken);
  ASSERT_TRUE(bytes.ok() && record.ok());
  std::string file = bytes.value();
  const size_t at = file.find(record.value());
  ASSERT_NE(at, std::string::npos);
  for (size_t k = 2; k + 4 < record.value().size(); ++k) file[at + k] ^= 0x5A;
  std::ofstream(fs::path(folder) / "Commentaries" / "SyntheticDamaged.lmc", std::ios::binary)
      << file;
}

class SearchWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override { config::GlobalProperties() = config::DefaultProperties(); }
  void TearDown() override {
    window_.reset();
    config::GlobalProperties() = config::DefaultProperties();
  }

  // A start of the program (a second call is a restart on the same
  // settings), with a user Book and a user Commentary written on the first.
  TMain& Start(bool damaged = false) {
    if (window_) {
      window_->close();
      window_.reset();
      config::GlobalProperties() = config::DefaultProperties();
    } else {
      MakeDataFolder(sample_, data_.Path(), damaged);
    }
    TMainOptions options;
    options.data_folder = data_.Path();
    options.storage = &storage_;
    options.show_splash = false;
    options.show_message = [this](const QString& text) { messages_ << text; };
    options.ask_yes_no = [this](const QString&, const QString& question) {
      questions_ << question;
      return false;
    };
    window_ = std::make_unique<TMain>(std::move(options));
    EXPECT_TRUE(window_->StartupComplete()) << messages_.join(QLatin1Char('|')).toStdString();
    TModuleCatalogue& catalogue = window_->Library().Catalogue();
    if (UserBook() == nullptr) {
      Result<TLMDictionaryModule*> book = catalogue.CreateUserBook(kUserBookTitle, "SYUB");
      EXPECT_TRUE(book.ok()) << book.status().message();
      if (book.ok()) {
        EXPECT_TRUE((*book)->AddEntry("GRACE NOTES").ok());
        EXPECT_TRUE((*book)->WriteEntry("Peace be with you.", 0).ok());
      }
      Result<TLMCommentaryModule*> notes = catalogue.CreateUserCommentary(kUserNotesTitle, "SYUC");
      EXPECT_TRUE(notes.ok()) << notes.status().message();
      if (notes.ok()) {
        EXPECT_TRUE(
            (*notes)
                ->WriteEntry("Amazing grace in the margin", kJohn3_16 - 1, *catalogue.KjvBible())
                .ok());
      }
    }
    window_->resize(1000, 700);
    window_->show();
    test::Settle();
    big_ = window_->findChild<TBigSearchFeature*>(QStringLiteral("BigSearchFeature"));
    guide_ = window_->findChild<TTopicGuideFeature*>(QStringLiteral("TopicGuideFeature"));
    EXPECT_TRUE(big_ != nullptr && guide_ != nullptr);
    big_->info_message = [this](const QString& text) { infos_ << text; };
    big_->error_message = [this](const QString& text) { errors_ << text; };
    guide_->info_message = [this](const QString& text) { infos_ << text; };
    return *window_;
  }

  const TLMDictionaryModule* UserBook() const {
    for (const TLMDictionaryModule* b : window_->Library().Books())
      if (b->GetTitle() == kUserBookTitle) return b;
    return nullptr;
  }
  TFormBigSearch& Big() {
    window_->MainAction("ActionBigSearch")->trigger();
    test::Settle();
    return *big_->Form();
  }
  // Types `text` and presses Search.
  static void Run(TFormBigSearch& form, const char* text) {
    form.TextBox()->setEditText(QString::fromUtf8(text));
    form.SearchButton()->click();
    test::Settle();
  }
  // The engine alone on the job the window searched.
  TBigSearchArray EngineJob(const TFormBigSearch& form, const char* text) const {
    TBigSearchArray job;
    for (const TBigSearchNode& node : form.Job()) job.emplace_back(node.module);
    auto matcher = FullSearchMatcher::Create(text, false, true);
    (void)RunFullSearch(job, *matcher, *window_->Catalogue().KjvBible(), nullptr, 0);
    return job;
  }
  static int Found(const TBigSearchArray& job) {
    int n = 0;
    for (const TBigSearchNode& node : job) n += node.hit_count;
    return n;
  }
  // Back to the user: cursor, progress window, long work and status text.
  void ExpectWindowsBack(const TFormBigSearch& form) {
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(form.Progress()->isVisible());
    EXPECT_FALSE(form.Scanning());
    EXPECT_FALSE(window_->LongWorkRunning());
  }

  static constexpr int kJohn3_16 = 26137;
  const std::string sample_ = test::SampleLibraryFolder();
  test::TempFolder data_;
  config::MemoryStorage storage_;
  std::unique_ptr<TMain> window_;
  TBigSearchFeature* big_ = nullptr;
  TTopicGuideFeature* guide_ = nullptr;
  QStringList messages_, infos_, errors_, questions_;
};

#define REQUIRE_SAMPLE() \
  if (sample_.empty()) GTEST_SKIP() << "sample library not built (set LUMORA_LIBRARY)"

TEST_F(SearchWindowsTest, GraceCountsAsTheEngineForEveryChoice) {
  REQUIRE_SAMPLE();
  Start();
  TFormBigSearch& form = Big();
  EXPECT_EQ(form.SetList()->count(), 5);
  const struct {
    bool single;
    int index;  // set list item, or -1: the KJV in the single list
  } cases[] = {{false, 0}, {false, 1}, {false, 2}, {false, 3}, {false, 4}, {true, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    (c.single ? form.SingleRadio() : form.SetRadio())->setChecked(true);
    if (c.single) {
      int kjv = -1;
      for (size_t i = 0; i < form.SingleModules().size(); ++i)
        if (form.SingleModules()[i].bible == window_->Catalogue().KjvBible()) kjv = int(i);
      ASSERT_GE(kjv, 0);
      form.SingleList()->setCurrentIndex(kjv);
    } else {
      form.SetList()->setCurrentIndex(c.index);
    }
    Run(form, "  grace ");
    const TBigSearchArray engine = EngineJob(form, "grace");
    ASSERT_EQ(engine.size(), form.Job().size());
    for (size_t i = 0; i < engine.size(); ++i)
      EXPECT_EQ(form.Job()[i].hit_count, engine[i].hit_count) << engine[i].module.Title();
    EXPECT_EQ(form.StatusBar()->currentMessage(),
              QString::number(Found(engine)) + QStringLiteral(" Entries found."));
    // The first module with hits shows; every module with hits is listed.
    int listed = 0;
    for (int r = 0; r < form.Tree()->topLevelItemCount(); ++r)
      listed += form.Tree()->topLevelItem(r)->childCount();
    int with_hits = 0;
    for (const TBigSearchNode& n : engine) with_hits += n.hit_count > 0;
    EXPECT_EQ(listed, with_hits);
    EXPECT_NE(form.PageHtml().find("loadentry:"), std::string::npos);
    ExpectWindowsBack(form);
  }
  // The user modules are searched with everything else.
  form.SetRadio()->setChecked(true);
  form.SetList()->setCurrentIndex(0);
  Run(form, "grace");
  std::vector<std::string> titles;
  for (const TBigSearchNode& n : form.Job()) titles.push_back(n.module.Title());
  EXPECT_NE(std::find(titles.begin(), titles.end(), kUserBookTitle), titles.end());
  EXPECT_NE(std::find(titles.begin(), titles.end(), kUserNotesTitle), titles.end());
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(QLatin1Char('|')).toStdString();
}

TEST_F(SearchWindowsTest, PagesOfAHundredAndHitsOpenInTheirPanes) {
  REQUIRE_SAMPLE();
  TMain& w = Start();
  TFormBigSearch& form = Big();
  form.SetRadio()->setChecked(true);
  form.SetList()->setCurrentIndex(0);
  Run(form, "grace");
  // The KJV has more than 100 verses with "grace".
  const TLMBibleModule* kjv = w.Catalogue().KjvBible();
  size_t kjv_node = form.Job().size();
  for (size_t i = 0; i < form.Job().size(); ++i)
    if (form.Job()[i].module.bible == kjv) kjv_node = i;
  ASSERT_LT(kjv_node, form.Job().size());
  ASSERT_TRUE(form.SelectModule(kjv_node));
  const std::vector<int> hits = form.Job()[kjv_node].HitList();
  ASSERT_GT(hits.size(), 100u);
  QComboBox* chooser = form.PageChooser();
  ASSERT_EQ(chooser->count(), int((hits.size() + 99) / 100));
  EXPECT_TRUE(chooser->itemText(0).startsWith(QStringLiteral("1 - 100 (")));
  EXPECT_TRUE(chooser->itemText(1).startsWith(QStringLiteral("101 - ")));
  EXPECT_NE(form.PageHtml().find("\">Next "), std::string::npos);
  form.OpenLink("loadview:100");
  EXPECT_EQ(chooser->currentIndex(), 1);
  EXPECT_NE(form.PageHtml().find("Previous 100"), std::string::npos);
  const std::string second_page = form.PageHtml();

  // Numbers no result of the page has, or not numbers at all, do nothing.
  const int verse_before = w.BibleView()->CurrentVerse();
  for (const char* bad : {"loadview:50x", "loadview:-100", "loadview:99999", "loadentry:",
                          "loadentry:1e3", "loadentry:-1", "loadentry:31103", "loadentry: 5"}) {
    form.OpenLink(bad);
    EXPECT_EQ(form.PageHtml(), second_page) << bad;
    EXPECT_EQ(w.BibleView()->CurrentVerse(), verse_before) << bad;
  }
  // A Bible hit: its verse in the Bible view.
  form.OpenLink("loadentry:" + std::to_string(hits[150] + 1));
  EXPECT_EQ(w.BibleView()->CurrentBible(), kjv);
  EXPECT_EQ(w.BibleView()->CurrentVerse(), hits[150] + 1);

  // A Commentary hit opens its slot with the text selected; a Book hit its
  // entry, found by its title (no word is selected in its text then).
  const struct {
    const char* title;
    const char* link;
    std::string selected;
  } opened[] = {{kUserNotesTitle, "loadentry:26137", "grace"}, {kUserBookTitle, "loadentry:0", ""}};
  for (const auto& o : opened) {
    SCOPED_TRACE(o.title);
    size_t node = form.Job().size();
    for (size_t i = 0; i < form.Job().size(); ++i)
      if (form.Job()[i].module.Title() == o.title) node = i;
    ASSERT_LT(node, form.Job().size());
    ASSERT_TRUE(form.SelectModule(node));
    form.OpenLink(o.link);
    test::Settle();
    if (form.Job()[node].module.commentary != nullptr) {
      EXPECT_EQ(w.CommentView()->CurrentCommentary(), form.Job()[node].module.commentary);
      EXPECT_EQ(w.CommentView()->CurrentPosition(), kJohn3_16 - 1);
      EXPECT_EQ(w.CommentView()->HTMLView()->SelectedText(), o.selected);
    } else {
      EXPECT_EQ(w.DictView()->CurrentBook(), form.Job()[node].module.book);
      EXPECT_EQ(w.DictView()->CurrentEntry(), 0);
      EXPECT_EQ(form.PageHtml().find("<font color"), std::string::npos);
    }
  }
}

TEST_F(SearchWindowsTest, StopAndEscKeepTheHitsSoFarAndGiveTheWindowsBack) {
  REQUIRE_SAMPLE();
  Start();
  TFormBigSearch& form = Big();
  form.SetRadio()->setChecked(true);
  form.SetList()->setCurrentIndex(0);
  TFormBigProgress* progress = form.Progress();
  for (const bool by_key : {false, true}) {
    SCOPED_TRACE(by_key);
    QString first;
    progress->on_events = [&] {
      EXPECT_TRUE(progress->isVisible());
      if (first.isEmpty()) first = progress->SearchingText();
      if (progress->SearchingText() == first) return;
      if (by_key)
        QTest::keyClick(progress, Qt::Key_Escape);
      else
        progress->StopButton()->click();
    };
    Run(form, "the");
    progress->on_events = nullptr;
    ASSERT_GE(form.Job().size(), 2u);
    const TBigSearchArray engine = EngineJob(form, "the");
    EXPECT_EQ(form.Job()[0].hit_count, engine[0].hit_count);
    EXPECT_LT(Found(form.Job()), Found(engine));
    EXPECT_EQ(form.StatusBar()->currentMessage(),
              QString::number(Found(form.Job())) + QStringLiteral(" Entries found."));
    EXPECT_GT(form.Tree()->topLevelItemCount(), 0);
    ExpectWindowsBack(form);
  }
}

TEST_F(SearchWindowsTest, EarlyMessagesAndTextsNoModuleCanHold) {
  REQUIRE_SAMPLE();
  Start();
  config::GlobalProperties().ref_sets = {{"Nothing loaded", {"A Book nobody has"}}};
  TFormBigSearch& form = Big();
  form.SetRadio()->setChecked(true);
  Run(form, "   ");
  form.SetList()->setCurrentIndex(5);
  Run(form, "grace");
  EXPECT_EQ(infos_,
            (QStringList{QStringLiteral("Please enter text to search for."),
                         QStringLiteral("No modules to search.  Widen search reference set.")}));
  EXPECT_TRUE(form.Job().empty());
  // A character outside the code page is in no module: nothing is found,
  // never a "?" that would match.
  form.SetList()->setCurrentIndex(2);
  Run(form,
      "gr\xe4\xb8\x80"
      "ce");
  EXPECT_EQ(form.StatusBar()->currentMessage(), QStringLiteral("0 Entries found."));
  EXPECT_EQ(form.Tree()->topLevelItemCount(), 0);
  EXPECT_EQ(infos_.size(), 2);
  ExpectWindowsBack(form);
}

TEST_F(SearchWindowsTest, StateIsStoredAtCloseAndRestoredAtTheNextStart) {
  REQUIRE_SAMPLE();
  Start();
  {
    TFormBigSearch& form = Big();
    form.CaseBox()->setChecked(true);
    form.SubstringBox()->setChecked(false);
    form.SingleRadio()->setChecked(true);
    form.SingleList()->setCurrentIndex(2);
    form.SetList()->setCurrentIndex(3);
    form.move(40, 50);
    Run(form, "mercy");
  }
  Start();  // the close sequence closes the window and stores its state
  const config::Properties& p = config::GlobalProperties();
  EXPECT_TRUE(p.big_search_case);
  EXPECT_FALSE(p.big_search_substring);
  EXPECT_FALSE(p.big_search_set_type);
  EXPECT_EQ(p.big_search_single_module, 2);
  EXPECT_EQ(p.big_search_ref_set, 3);
  EXPECT_TRUE(p.state_big_search.IsStored());
  EXPECT_EQ(p.mru[static_cast<size_t>(config::MruId::kBigSearch)].front(), "mercy");
  TFormBigSearch& form = Big();
  EXPECT_TRUE(form.CaseBox()->isChecked());
  EXPECT_FALSE(form.SubstringBox()->isChecked());
  EXPECT_TRUE(form.SingleRadio()->isChecked());
  EXPECT_FALSE(form.SetList()->isEnabled());
  EXPECT_EQ(form.SingleList()->currentIndex(), 2);
  EXPECT_EQ(form.SetList()->currentIndex(), 3);
}

TEST_F(SearchWindowsTest, CloseOrDeletionDuringAScanWaitsForIt) {
  REQUIRE_SAMPLE();
  TMain& w = Start();
  TFormBigSearch& form = Big();
  form.SetRadio()->setChecked(true);
  form.SetList()->setCurrentIndex(0);
  // A deletion asked for mid-scan stops the scan and runs after it; the
  // results, which hold the module, are gone before it goes.
  bool deleted = false;
  form.Progress()->on_events = [&] {
    form.Progress()->on_events = nullptr;
    w.RunAfterLongWork([&] {
      EXPECT_FALSE(form.Scanning());
      deleted = w.Library().Catalogue().DeleteUserBook(UserBook()).ok();
    });
  };
  Run(form, "grace");
  LUMORA_WAIT_UNTIL(deleted);
  // (Also when a user Book gains or loses an entry: see below.)
  EXPECT_EQ(UserBook(), nullptr);
  EXPECT_TRUE(form.Job().empty());
  EXPECT_EQ(form.Tree()->topLevelItemCount(), 0);
  form.OpenLink("loadentry:0");  // a click on what the page showed before
  ExpectWindowsBack(form);

  // A close mid-scan stops it; the program closes once it has returned and
  // saves its settings then.
  form.Progress()->on_events = [&] {
    form.Progress()->on_events = nullptr;
    w.close();
    EXPECT_TRUE(w.isVisible());
  };
  Run(form, "grace");
  LUMORA_WAIT_UNTIL(!w.isVisible());
  ExpectWindowsBack(form);
  config::Properties stored = config::DefaultProperties();
  (void)config::LoadProperties(stored, storage_);
  EXPECT_TRUE(stored.state_big_search.IsStored());
}

TEST_F(SearchWindowsTest, ADamagedModuleIsNamedOnceAndTheRestIsFound) {
  REQUIRE_SAMPLE();
  Start(/*damaged=*/true);
  TFormBigSearch& form = Big();
  form.SetRadio()->setChecked(true);
  form.SetList()->setCurrentIndex(4);  // all Commentaries
  Run(form, "grace");
  ASSERT_EQ(errors_.size(), 1);
  EXPECT_TRUE(errors_.front().contains(QString::fromLatin1(kDamagedTitle)));
  for (const TBigSearchNode& n : form.Job()) {
    if (n.module.Title() == kDamagedTitle) {
      EXPECT_EQ(n.hit_count, 2);
    }
  }
  EXPECT_GT(form.Tree()->topLevelItemCount(), 0);
  ExpectWindowsBack(form);
}

// --- Topic and verse guide -----------------------------------------------------------

TEST_F(SearchWindowsTest, GuideVersesAndTopicsOpenEachKindOfItem) {
  REQUIRE_SAMPLE();
  TMain& w = Start();
  ASSERT_TRUE(w.MainAction("ActionTopicGuide")->isEnabled());
  w.MainAction("ActionTopicGuide")->trigger();
  TTopicGuideForm& form = *guide_->Form();
  EXPECT_TRUE(form.isVisible());
  const TLMBibleModule& kjv = *w.Catalogue().KjvBible();
  const std::string gen = kjv.GetShortBookTitle(1), john = kjv.GetShortBookTitle(43);
  const struct {
    const char* typed;
    bool verse_mode;
    std::string box;    // the box afterwards
    std::string first;  // caption of the first root
  } cases[] = {
      {"gen 1:1", true, gen + " 1:1", "BIBLES for " + gen + " 1:1"},
      {"john 3:16-18", true, john + " 3:16-18", "BIBLES for " + john + " 3:16-18"},
      {"love", false, "love", ""},
      {"john3:16", false, "john3:16", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    form.TopicBox()->setText(QString::fromLatin1(c.typed));
    form.SearchButton()->click();
    EXPECT_EQ(form.LastResult().verse_mode, c.verse_mode);
    EXPECT_EQ(form.TopicBox()->text().toStdString(), c.box);
    EXPECT_EQ(form.TopicBox()->selectedText(), form.TopicBox()->text());
    if (!c.first.empty()) {
      EXPECT_EQ(form.Tree()->topLevelItem(0)->text(0).toStdString(), c.first);
    }
    EXPECT_FALSE(form.Busy());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
  // "love": the group LOVE is open and selected, a Book item opens its entry.
  form.TopicBox()->setText(QStringLiteral("love"));
  form.SearchButton()->click();
  QTreeWidgetItem* group = form.Tree()->currentItem();
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->text(0), QStringLiteral("LOVE"));
  EXPECT_TRUE(group->isExpanded());
  ASSERT_GT(group->childCount(), 0);
  EXPECT_TRUE(form.OpenItem(group->child(0)));
  EXPECT_EQ(w.DictView()->CurrentBook()->EntryTitles().at(size_t(w.DictView()->CurrentEntry())),
            "LOVE");
  EXPECT_FALSE(form.OpenItem(group));  // a group has no item

  // John 3:16-18: a Bible item goes to the verse in that Bible, a comment
  // opens its slot.
  form.TopicBox()->setText(QStringLiteral("john 3:16-18"));
  form.SearchButton()->click();
  bool bible_opened = false, comment_opened = false;
  for (int r = 0; r < form.Tree()->topLevelItemCount(); ++r) {
    QTreeWidgetItem* root = form.Tree()->topLevelItem(r);
    const QString caption = root->text(0);
    if (caption.startsWith(QStringLiteral("BIBLES")) && root->childCount() > 0) {
      ASSERT_TRUE(form.OpenItem(root->child(root->childCount() - 1)));
      EXPECT_EQ(w.BibleView()->CurrentVerse(), kJohn3_16);
      bible_opened = true;
    }
    if (caption.startsWith(QStringLiteral("Commentaries ON")) && root->childCount() > 0) {
      ASSERT_TRUE(form.OpenItem(root->child(0)));
      EXPECT_GE(w.CommentView()->CurrentPosition(), kJohn3_16 - 1);
      EXPECT_LE(w.CommentView()->CurrentPosition(), kJohn3_16 + 1);
      comment_opened = true;
    }
  }
  EXPECT_TRUE(bible_opened && comment_opened);
}

TEST_F(SearchWindowsTest, GuideSearchesOneAtATimeAndDropsItsItemsBeforeADeletion) {
  REQUIRE_SAMPLE();
  TMain& w = Start();
  TTopicGuideForm& form = *guide_->Form();
  int nested = 0;
  form.on_events = [&] {
    // Search, Enter and the panes' guide items while a search runs.
    form.on_events = nullptr;
    form.TopicBox()->setText(QStringLiteral("gen 1:1"));
    form.Search();
    QTest::keyClick(form.TopicBox(), Qt::Key_Return);
    w.Search().TopicGuide("john 3:16");
    ++nested;
  };
  form.SearchFor(QStringLiteral("grace"));
  EXPECT_EQ(nested, 1);
  EXPECT_FALSE(form.LastResult().verse_mode);
  form.TopicBox()->setText(QStringLiteral("grace"));
  form.Search();
  EXPECT_FALSE(form.LastResult().hits.empty());
  infos_.clear();
  form.TopicBox()->setText(QStringLiteral("  "));
  form.Search();
  EXPECT_EQ(infos_, QStringList{QStringLiteral("Please enter text.")});

  // A user Book about to gain an entry: its entry numbers go stale, and
  // with them every result that holds one; other results stay.
  TFormBigSearch& big = Big();
  big.SingleRadio()->setChecked(true);
  for (size_t i = 0; i < big.SingleModules().size(); ++i)
    if (big.SingleModules()[i].book == UserBook()) big.SingleList()->setCurrentIndex(int(i));
  Run(big, "grace");
  ASSERT_FALSE(big.Job().empty());
  form.TopicBox()->setText(QStringLiteral("grace"));
  form.Search();
  ASSERT_FALSE(form.LastResult().hits.empty());
  w.Library().AnnounceEntriesChanging(*w.Library().HebrewStrongsBook());
  EXPECT_FALSE(big.Job().empty());
  EXPECT_FALSE(form.LastResult().hits.empty());
  w.Library().AnnounceEntriesChanging(*UserBook());
  EXPECT_TRUE(big.Job().empty());
  EXPECT_EQ(big.Tree()->topLevelItemCount(), 0);
  EXPECT_TRUE(form.LastResult().hits.empty());

  form.TopicBox()->setText(QStringLiteral("grace"));
  form.Search();
  ASSERT_TRUE(w.Library().Catalogue().DeleteUserBook(UserBook()).ok());
  EXPECT_TRUE(form.LastResult().hits.empty());
  EXPECT_EQ(form.Tree()->topLevelItemCount(), 0);
}

// --- Find in a resource ------------------------------------------------------------

TEST_F(SearchWindowsTest, FindShowsAnEntryItCannotSelectInFromItsTopAndGoesOn) {
  REQUIRE_SAMPLE();
  TMain& w = Start();
  auto* book = const_cast<TLMDictionaryModule*>(UserBook());
  ASSERT_NE(book, nullptr);
  // Entry 0: the text holds the word only where the page does not show it;
  // entry 1 shows it.
  ASSERT_TRUE(book->WriteEntry("<title>mustard</title>Nothing to see", 0).ok());
  ASSERT_TRUE(book->AddEntry("HERBS").ok());
  const int herbs = book->FindTitle("HERBS");
  ASSERT_TRUE(book->WriteEntry("A grain of mustard seed", herbs).ok());
  const int grace = book->FindTitle("GRACE NOTES");
  w.ShowBookEntry(*book, grace, kNoMarkedVerse, kNoMarkedVerse);
  auto* find = w.findChild<TFindResourceFeature*>(QStringLiteral("FindResourceFeature"));
  ASSERT_NE(find, nullptr);
  find->info_message = [this](const QString& text, const QString&) { infos_ << text; };
  w.MainAction("ActionSearchDictionary")->trigger();
  TDlgSearchResource* dialog = find->Dialog();
  dialog->SetText(QStringLiteral("mustard"));
  dialog->FirstButton()->click();
  test::Settle();
  // Found by the scan, not selectable on the page: shown from its top.
  EXPECT_EQ(w.DictView()->CurrentEntry(), grace);
  EXPECT_EQ(w.DictView()->HTMLView()->SelectedText(), "");
  EXPECT_EQ(w.DictView()->HTMLView()->verticalScrollBar()->value(), 0);
  // Find Next goes on from the next entry, never back to this one.
  dialog->NextButton()->click();
  test::Settle();
  EXPECT_EQ(w.DictView()->CurrentEntry(), herbs);
  EXPECT_EQ(w.DictView()->HTMLView()->SelectedText(), "mustard");
  dialog->NextButton()->click();
  test::Settle();
  EXPECT_EQ(questions_, QStringList{QString::fromLatin1(kFindAgainQuestion)});
  EXPECT_EQ(w.DictView()->CurrentEntry(), herbs);
  EXPECT_TRUE(infos_.isEmpty());  // No: the pane stays where it is, nothing more said
}

}  // namespace
}  // namespace lumora::ui
