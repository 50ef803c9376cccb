// The preferences dialog on a real main window: every control round-trips,
// untouched controls give back exactly what is stored, Apply re-renders
// only the panes concerned and saves at once, and the dialog's edge cases.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "app/ui/prefs_controls.h"
#include "app/ui/prefs_dialog.h"
#include "app/ui/prefs_feature.h"
#include "config/properties.h"
#include "core/modules/book_module.h"
#include "render/ui/display_colors.h"
#include "render/ui/html_view.h"
#include "tests/support/test_bible.h"
#include "tests/ui/output_test_kit.h"
#include "tests/ui/synthetic_library.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

using test::TStartedWindow;

TDlgPrefs* OpenPrefs(TStartedWindow& w, const char* command = "ActionPrefs") {
  w.Run(command);
  auto* dialog = w.Main().findChild<TDlgPrefs*>();
  EXPECT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog != nullptr && dialog->isVisible());
  return dialog;
}

template <typename T>
T* PrefsControl(TDlgPrefs* dialog, const char* name) {
  T* control = dialog->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(control, nullptr) << name;
  return control;
}

// Chooses the next entry of a drop-down as the keyboard does.
void ChooseNextEntry(QComboBox* box) { QTest::keyClick(box, Qt::Key_Down); }

// A font family installed here other than `not_this`.
std::string OtherInstalledFamily(const std::string& not_this) {
  for (const QString& f : QFontDatabase::families())
    if (f.toStdString() != not_this && !QFontDatabase::isPrivateFamily(f)) return f.toStdString();
  return {};
}

void ChooseFontFamily(TFontBox* box, const std::string& family) {
  const int i = box->findText(QString::fromStdString(family));
  ASSERT_GE(i, 0);
  box->setCurrentIndex(i);
  Q_EMIT box->activated(i);
}

void PressButton(TDlgPrefs* dialog, const char* name) {
  PrefsControl<QPushButton>(dialog, name)->click();
  test::Settle();
}

// Counts the renders of a pane's display widget: the times a page (not
// the "Loading..." placeholder, not the emptied widget) was loaded.
struct TPaneRenderCount {
  explicit TPaneRenderCount(THtmlView* view) {
    QObject::connect(view, &QTextEdit::textChanged, &context, [this, view] {
      const QString text = view->toPlainText();
      if (!text.isEmpty() && text != QLatin1String("Loading...")) ++renders;
    });
  }
  int Take() { return std::exchange(renders, 0); }
  QObject context;
  int renders = 0;
};

class PreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override { test::ResetSettings(); }
  test::TOutputDoubles doubles_;
};

TEST_F(PreferencesTest, EveryControlRoundTrips) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  TDlgPrefs* dialog = OpenPrefs(w);
  const std::string family = OtherInstalledFamily(config::GlobalProperties().bible_view.main_font);
  ASSERT_FALSE(family.empty());
  config::TColor next = 0x00102030;
  std::vector<std::pair<TColorBox*, config::TColor>> colors;
  for (const char* group : {"VerseList", "Bible", "Book", "Commentary"}) {
    const std::string g(group);
    ChooseFontFamily(PrefsControl<TFontBox>(dialog, (g + "Font").c_str()), family);
    ChooseNextEntry(PrefsControl<TSizeBox>(dialog, (g + "Size").c_str()));
    std::vector<std::string> boxes = {"Color", "Background"};
    if (g == "VerseList" || g == "Bible")
      boxes.insert(boxes.end(), {"CmtLink", "BookLink", "Footnotes", "StrongsLink"});
    else
      boxes.push_back("Links");
    if (g == "VerseList") boxes.push_back("KeyHighlight");
    for (const std::string& b : boxes) {
      auto* box = PrefsControl<TColorBox>(dialog, (g + b).c_str());
      box->Choose(next);
      colors.emplace_back(box, next);
      next += 0x00010101;
    }
  }
  ChooseFontFamily(PrefsControl<TFontBox>(dialog, "TabsFont"), family);
  ChooseNextEntry(PrefsControl<TSizeBox>(dialog, "TabsSize"));
  for (const char* b : {"TabsColor", "TabsActive", "TabsInactive", "TabsCorresponding"}) {
    PrefsControl<TColorBox>(dialog, b)->Choose(next);
    next += 0x00010101;
  }
  for (const char* b : {"TabsBold", "TabsAlign", "ChapterPrev", "ChapterNext", "EditorStayOnTop",
                        "EditorRawHtml", "SaveWindowStates"})
    PrefsControl<QCheckBox>(dialog, b)->click();
  for (const char* b :
       {"TabsShape2", "SearchDefault1", "Hyperlinking0", "StartupVerse1", "StartupTabs1"})
    PrefsControl<QRadioButton>(dialog, b)->click();
  PressButton(dialog, "Apply");

  const config::Properties& p = config::GlobalProperties();
  for (const auto* look : {&p.verse_list_view, &p.bible_view}) {
    EXPECT_EQ(look->main_font, family);
    EXPECT_EQ(look->main_size, 11);
  }
  EXPECT_EQ(p.dict_view.main_font, family);
  EXPECT_EQ(p.comment_view.main_size, 11);
  EXPECT_EQ(p.verse_list_view.text_color, 0x00102030u);
  EXPECT_EQ(p.key_hilight_color, colors[6].second);
  EXPECT_EQ(p.bible_view.strongs_link_color, colors[12].second);
  EXPECT_EQ(p.comment_view.link_color, colors[colors.size() - 1].second);
  EXPECT_EQ(p.rz_tabs_font, family);
  EXPECT_EQ(p.rz_tabs_font_size, 10);
  EXPECT_EQ(p.rz_tabs_corresponding_color, next - 0x00010101);
  EXPECT_TRUE(p.rz_tabs_text_bold);
  EXPECT_TRUE(p.rz_tabs_align);
  EXPECT_EQ(p.rz_tabs_style, 2);
  EXPECT_TRUE(p.inc_ch_prev);
  EXPECT_FALSE(p.inc_ch_next);
  EXPECT_FALSE(p.editor_stay_on_top);
  EXPECT_TRUE(p.editor_raw_html);
  EXPECT_FALSE(p.save_window_states);
  EXPECT_EQ(p.search_bible_default, 1);
  EXPECT_TRUE(p.link_multiple_verses);
  EXPECT_EQ(p.startup_verse, 1);
  EXPECT_FALSE(p.startup_fav_tabs);
  // Shown again as chosen.
  dialog->reject();
  dialog = OpenPrefs(w);
  for (const auto& [box, color] : colors) EXPECT_EQ(box->Shown(), color);
  EXPECT_EQ(PrefsControl<TFontBox>(dialog, "BookFont")->Shown(), family);
  EXPECT_TRUE(PrefsControl<QRadioButton>(dialog, "TabsShape2")->isChecked());
  EXPECT_TRUE(PrefsControl<QRadioButton>(dialog, "StartupTabs1")->isChecked());
}

TEST_F(PreferencesTest, UntouchedControlsGiveBackExactlyWhatIsStored) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  config::Properties& p = config::GlobalProperties();
  // Values no control can show as they are.
  p.bible_view.main_font = "No Such Font";
  p.dict_view.main_font = "arial";
  p.verse_list_view.main_size = 25;
  p.comment_view.main_size = 3;
  p.rz_tabs_font_size = 30;
  p.bible_view.text_color = 0x80000010;  // a system colour
  p.dict_view.link_color = 0x00123456;   // neither default nor standard
  p.rz_tabs_style = 7;
  p.search_bible_default = 5;
  p.startup_verse = 9;
  const config::Properties before = p;
  QSignalSpy committed(&w.Main().Settings(), &TSettings::changed);
  TDlgPrefs* dialog = OpenPrefs(w);
  EXPECT_EQ(PrefsControl<TFontBox>(dialog, "BibleFont")->currentText(),
            QStringLiteral("No Such Font"));
  EXPECT_EQ(PrefsControl<TSizeBox>(dialog, "VerseListSize")->currentText(), QStringLiteral("20"));
  EXPECT_EQ(PrefsControl<TSizeBox>(dialog, "CommentarySize")->currentText(), QStringLiteral("6"));
  EXPECT_EQ(PrefsControl<TSizeBox>(dialog, "TabsSize")->currentText(), QStringLiteral("14"));
  EXPECT_EQ(PrefsControl<TColorBox>(dialog, "BibleColor")->Shown(), 0x80000010u);
  EXPECT_EQ(PrefsControl<TColorBox>(dialog, "BookLinks")->Shown(), 0x00123456u);
  EXPECT_TRUE(PrefsControl<QRadioButton>(dialog, "TabsShape0")->isChecked());
  EXPECT_EQ(PrefsControl<QButtonGroup>(dialog, "SearchDefault")->checkedId(), -1);
  dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  test::Settle();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(p.bible_view, before.bible_view);
  EXPECT_EQ(p.verse_list_view, before.verse_list_view);
  EXPECT_EQ(p.dict_view, before.dict_view);
  EXPECT_EQ(p.comment_view, before.comment_view);
  EXPECT_EQ(p.rz_tabs_font_size, 30);
  EXPECT_EQ(p.rz_tabs_style, 7);
  EXPECT_EQ(p.search_bible_default, 5);
  EXPECT_EQ(p.startup_verse, 9);
  EXPECT_EQ(committed.count(), 0) << "nothing re-rendered";
}

TEST_F(PreferencesTest, TheDialogsEdgeCases) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  config::Properties& p = config::GlobalProperties();
  p.bible_view.main_size = 20;
  TDlgPrefs* dialog = OpenPrefs(w);
  auto* bible_size = PrefsControl<TSizeBox>(dialog, "BibleSize");
  EXPECT_EQ(bible_size->currentIndex(), bible_size->count() - 1);
  EXPECT_EQ(bible_size->itemText(0), QStringLiteral("6"));
  auto* tab_size = PrefsControl<TSizeBox>(dialog, "TabsSize");
  EXPECT_EQ(tab_size->count(), 9);
  EXPECT_EQ(tab_size->itemText(8), QStringLiteral("14"));
  // "Set All" in the Bible group copies by the rules...
  PrefsControl<TColorBox>(dialog, "BibleFootnotes")->Choose(0x00010203);
  PrefsControl<TColorBox>(dialog, "BibleBackground")->Choose(0x00040506);
  PressButton(dialog, "BibleSetAll");
  const TPrefsChoice& c = dialog->Choice();
  EXPECT_EQ(c.verse_list.footnotes, 0x00010203u);
  EXPECT_EQ(c.book.background, 0x00040506u);
  EXPECT_EQ(c.commentary.size, 20);
  EXPECT_EQ(PrefsControl<TColorBox>(dialog, "BookBackground")->Shown(), 0x00040506u);
  // ... and Cancel drops it all.
  const config::Properties before = p;
  dialog->reject();
  EXPECT_EQ(p, before);
  // "Uncheck All" on "Visible Tabs" leaves the KJV Bible.
  dialog = OpenPrefs(w, "ActionTabsConfigure");
  EXPECT_EQ(dialog->Pages()->currentIndex(), TDlgPrefs::kVisibleTabsPage);
  PressButton(dialog, "TabsUncheckAll");
  auto* list = PrefsControl<QTreeWidget>(dialog, "TabsList");
  int checked = 0;
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list->topLevelItem(i);
    if (item->checkState(0) != Qt::Checked) continue;
    ++checked;
    EXPECT_TRUE(item->text(0) == QLatin1String("KJV") || item->text(0) == QLatin1String("KJVSL"))
        << item->text(0).toStdString();
    EXPECT_FALSE(item->flags() & Qt::ItemIsUserCheckable);
  }
  EXPECT_GE(checked, 1);
  EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Bibles"));
  // Apply, then OK without a change: the second re-renders nothing.
  QSignalSpy committed(&w.Main().Settings(), &TSettings::changed);
  PressButton(dialog, "Apply");
  EXPECT_EQ(committed.count(), 1);
  dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_EQ(committed.count(), 1);
  // Every Book and Commentary tab flag is off; the strips still show their
  // first tab.
  EXPECT_TRUE(w.Main().DictView()->Tabs()->isTabVisible(0));
  EXPECT_FALSE(w.Main().DictView()->Tabs()->isTabVisible(1));
}

TEST_F(PreferencesTest, EachSettingReachesOnlyItsPanes) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  TMain& main = w.Main();
  main.BibleView()->GoToVerse(test::kJohn3_16);
  test::Settle();
  TPaneRenderCount bible(main.BibleView()->TextView()->HTMLView());
  QSignalSpy committed(&main.Settings(), &TSettings::changed);
  const auto apply = [&](auto&& change) -> SettingsParts {
    TDlgPrefs* dialog = OpenPrefs(w);
    change(dialog);
    committed.clear();
    PressButton(dialog, "Apply");
    dialog->reject();
    EXPECT_LE(committed.count(), 1);
    return committed.isEmpty() ? 0 : committed.takeFirst().at(0).value<SettingsParts>();
  };
  EXPECT_EQ(
      apply([](TDlgPrefs* d) { PrefsControl<TColorBox>(d, "BookLinks")->Choose(0x000000FF); }),
      kSettingsDictView);
  EXPECT_EQ(bible.Take(), 0);
  EXPECT_EQ(
      apply([](TDlgPrefs* d) { ChooseNextEntry(PrefsControl<TSizeBox>(d, "CommentarySize")); }),
      kSettingsCommentView);
  EXPECT_EQ(apply([](TDlgPrefs* d) {
              PrefsControl<TColorBox>(d, "VerseListKeyHighlight")->Choose(0x00FF00);
            }),
            kSettingsVerseListView);
  EXPECT_EQ(bible.Take(), 0);
  EXPECT_EQ(apply([](TDlgPrefs* d) { PrefsControl<QRadioButton>(d, "Hyperlinking0")->click(); }),
            kSettingsDictView | kSettingsCommentView);
  EXPECT_EQ(apply([](TDlgPrefs* d) { PrefsControl<QRadioButton>(d, "StartupVerse1")->click(); }),
            kSettingsOther);
  EXPECT_EQ(bible.Take(), 0);
  // The Bible group: the view renders once, with the new values.
  EXPECT_EQ(apply([](TDlgPrefs* d) {
              PrefsControl<TColorBox>(d, "BibleFootnotes")->Choose(0x00336699);
              ChooseNextEntry(PrefsControl<TSizeBox>(d, "BibleSize"));
              PrefsControl<QCheckBox>(d, "ChapterPrev")->click();
            }),
            kSettingsBibleView);
  EXPECT_EQ(bible.Take(), 1);
  const TPassageRenderer& shown = main.BibleView()->TextView()->Renderer();
  EXPECT_EQ(shown.Settings().footnotes_color, 0x00336699u);
  EXPECT_TRUE(shown.PrevChapterLink());
  EXPECT_EQ(main.BibleView()->TextView()->HTMLView()->DefFontSize(), 11);
  // A Book left out of linking: the verse texts re-render; the Book stays
  // in its menu.
  const TLMDictionaryModule* synd = main.Library().FindBook(test::kSyntheticDictionary);
  EXPECT_EQ(apply([&](TDlgPrefs* d) {
              QTreeWidget* list = PrefsControl<QTreeWidget>(d, "LinksList");
              const auto found = list->findItems(QString::fromLatin1(test::kSyntheticDictionary),
                                                 Qt::MatchExactly, 0);
              ASSERT_EQ(found.size(), 1);
              found[0]->setCheckState(0, Qt::Unchecked);
            }),
            kSettingsVerseListView | kSettingsBibleView | kSettingsLinking);
  EXPECT_EQ(bible.Take(), 1);
  EXPECT_FALSE(synd->included_in_linking);
  EXPECT_EQ(config::GlobalProperties().exclude_from_linking,
            std::vector<std::string>{test::kSyntheticDictionary});
  bool in_menu = false;
  for (QAction* a : main.Menu("MenuBook")->actions())
    in_menu |= a->text().startsWith(QLatin1String("SYND - "));
  EXPECT_TRUE(in_menu);
  // A Commentary's tab: hidden in its strip.
  EXPECT_EQ(apply([](TDlgPrefs* d) {
              const auto found = PrefsControl<QTreeWidget>(d, "TabsList")
                                     ->findItems(QStringLiteral("CR"), Qt::MatchExactly, 0);
              ASSERT_EQ(found.size(), 1);
              found[0]->setCheckState(0, Qt::Unchecked);
            }),
            kSettingsTabs);
  const int cr = main.Library().IndexOf(main.Library().FindCommentary("CR"));
  EXPECT_FALSE(main.CommentView()->Tabs()->isTabVisible(cr));
  EXPECT_EQ(config::GlobalProperties().hidden_tabs, std::vector<std::string>{"CR"});
  // The tab look reaches all four strips.
  EXPECT_EQ(apply([](TDlgPrefs* d) { ChooseNextEntry(PrefsControl<TSizeBox>(d, "TabsSize")); }),
            kSettingsTabs);
  for (TResourceTabs* tabs : {main.BibleView()->Tabs(), main.DictView()->Tabs(),
                              main.CommentView()->Tabs(), main.VerseListView()->Tabs()})
    EXPECT_EQ(tabs->font().pointSize(), 10);
  EXPECT_EQ(bible.Take(), 0);
}

TEST_F(PreferencesTest, OkSavesAtOnceAndApplyWorksRightAfterStart) {
  test::TempFolder library;
  test::CopySyntheticLibrary(library.Path());
  ASSERT_TRUE(TLMDictionaryModule::CreateUserBookFile("Synthetic Empty Book", "EMPTY",
                                                      library.Path() + "/User")
                  .ok());
  TStartedWindow w(library.Path());
  TMain& main = w.Main();
  main.DictView()->ShowBook(main.Library().FindBook("EMPTY"));
  TDlgPrefs* dialog = OpenPrefs(w);
  for (const char* size : {"BookSize", "CommentarySize", "BibleSize", "VerseListSize"})
    ChooseNextEntry(PrefsControl<TSizeBox>(dialog, size));
  PrefsControl<QRadioButton>(dialog, "SearchDefault1")->click();
  const auto found =
      PrefsControl<QTreeWidget>(dialog, "TabsList")
          ->findItems(QString::fromLatin1(test::kSyntheticTopics), Qt::MatchExactly, 0);
  ASSERT_EQ(found.size(), 1);
  found[0]->setCheckState(0, Qt::Unchecked);
  dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  test::Settle();
  const config::Properties stored = w.StoredSettings();
  EXPECT_EQ(stored.search_bible_default, 1);
  EXPECT_EQ(stored.dict_view.main_size, 11);
  EXPECT_EQ(stored.hidden_tabs, std::vector<std::string>{test::kSyntheticTopics});
  EXPECT_EQ(main.DictView()->CurrentBook(), main.Library().FindBook("EMPTY"));
}

TEST_F(PreferencesTest, ColourBoxesSampleTabsAndHelp) {
  TStartedWindow w(test::SyntheticLibraryFolder());
  auto* service = static_cast<TPreferencesService*>(&w.Main().Preferences());
  QStringList topics;
  service->show_help = [&topics](const QString& topic) { topics << topic; };
  TDlgPrefs* dialog = OpenPrefs(w);
  // "Custom..." asks the colour dialog; "Default" is the store's default.
  auto* box = PrefsControl<TColorBox>(dialog, "TabsActive");
  doubles_.dialogs.color = QColor(0xFF, 0, 0);
  box->setCurrentIndex(box->findText(QString::fromLatin1(TColorBox::kCustom)));
  Q_EMIT box->activated(box->currentIndex());
  EXPECT_EQ(doubles_.dialogs.color_calls, 1);
  EXPECT_EQ(dialog->Choice().tabs.active, 0x000000FFu);
  box->setCurrentIndex(0);
  Q_EMIT box->activated(0);
  EXPECT_EQ(dialog->Choice().tabs.active, config::kClBtnFace) << "Default is a system colour";
  box->Choose(0x000000FF);
  // The sample paints the active tab red, the tab three places on in the
  // corresponding colour.
  TResourceTabs* sample = dialog->SampleTabs();
  ASSERT_EQ(sample->count(), 6);
  dialog->Pages()->setCurrentIndex(TDlgPrefs::kTabsPage);
  sample->resize(600, sample->heightForWidth(600));
  const QImage picture = sample->grab().toImage();
  const QRect active = sample->tabRect(sample->currentIndex());
  const QColor painted = picture.pixelColor(active.center().x(), active.bottom() - 2);
  EXPECT_GT(painted.red(), 150);
  EXPECT_LT(painted.green(), 100);
  // Help per page.
  for (int page = 0; page < dialog->Pages()->count(); ++page) {
    dialog->Pages()->setCurrentIndex(page);
    PressButton(dialog, "Help");
  }
  EXPECT_EQ(topics, (QStringList{QStringLiteral("Scribble170"), QStringLiteral("Scribble410"),
                                 QStringLiteral("Scribble190"), QStringLiteral("Scribble200"),
                                 QStringLiteral("Scribble430")}));
  dialog->reject();
}

}  // namespace
}  // namespace lumora::ui
