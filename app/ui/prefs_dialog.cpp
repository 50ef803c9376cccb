#include "app/ui/prefs_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ui/main_window.h"
#include "app/ui/prefs_controls.h"
#include "app/ui/settings_bridge.h"
#include "render/ui/display_text.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/resource_tabs.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

constexpr int kPrefsListKindRole = Qt::UserRole;       // 0 Bible, 1 Book, 2 Commentary; -1 heading
constexpr int kPrefsListIndexRole = Qt::UserRole + 1;  // place in the catalogue's list

// Checks a radio button of `group`, or none for a value without one.
void CheckPrefsRadio(QButtonGroup* group, int id) {
  if (QAbstractButton* b = group->button(id)) {
    b->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* b : group->buttons()) b->setChecked(false);
  group->setExclusive(true);
}

QTreeWidgetItem* PrefsListHeading(QTreeWidget* list, const QString& text) {
  auto* item = new QTreeWidgetItem(list, {text});
  item->setFlags(Qt::ItemIsEnabled);
  item->setData(0, kPrefsListKindRole, -1);
  QFont bold = item->font(0);
  bold.setBold(true);
  item->setFont(0, bold);
  item->setFirstColumnSpanned(true);
  return item;
}

template <typename Module>
void PrefsModuleItem(QTreeWidget* list, const Module& m, int kind, size_t index, bool checked,
                     bool fixed) {
  auto* item =
      new QTreeWidgetItem(list, {ToDisplayText(m.GetAbbreviation()), ToDisplayText(m.GetTitle())});
  item->setData(0, kPrefsListKindRole, kind);
  item->setData(0, kPrefsListIndexRole, static_cast<int>(index));
  // A fixed item (the KJV Bible) is shown checked and cannot change.
  item->setFlags(fixed ? Qt::ItemFlags(Qt::NoItemFlags)
                       : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
  item->setCheckState(0, checked || fixed ? Qt::Checked : Qt::Unchecked);
}

}  // namespace

const char* TDlgPrefs::HelpTopic(int page) {
  static const char* const topics[] = {"Scribble170", "Scribble410", "Scribble190", "Scribble200",
                                       "Scribble430"};
  return page >= 0 && page < 5 ? topics[page] : topics[0];
}

TDlgPrefs::TDlgPrefs(TMain& main)
    : QDialog(&main), main_(main), defaults_(config::DefaultProperties()) {
  setObjectName(QStringLiteral("DlgPrefs"));
  setWindowTitle(QStringLiteral("Lumora Preferences"));
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PrefsPages"));
  pages_->addTab(BuildFontsPage(), QStringLiteral("Fonts and Colors"));
  pages_->addTab(BuildTabsPage(), QStringLiteral("Tab Appearance"));
  pages_->addTab(BuildOptionsPage(), QStringLiteral("Options"));
  pages_->addTab(BuildLinksPage(), QStringLiteral("Commentary/Book Links"));
  pages_->addTab(BuildVisibleTabsPage(), QStringLiteral("Visible Tabs"));
  layout->addWidget(pages_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  help_ = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  help_->setObjectName(QStringLiteral("Help"));
  QPushButton* apply = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::ApplyRole);
  apply->setObjectName(QStringLiteral("Apply"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    Apply();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(apply, &QPushButton::clicked, this, [this] { Apply(); });
  connect(help_, &QPushButton::clicked, this, [this] {
    if (show_help) show_help(QString::fromLatin1(HelpTopic(pages_->currentIndex())));
  });
}

TDlgPrefs::~TDlgPrefs() = default;

void TDlgPrefs::Open(int page) {
  const TLibrary& library = main_.Library();
  if (!library.IsLoaded()) return;
  choice_ = ChoiceFromStore(config::GlobalProperties(), library.Catalogue());
  ShowChoice();
  links_page_->setEnabled(!library.Books().empty() || !library.Commentaries().empty());
  help_->setEnabled(static_cast<bool>(show_help));
  if (page >= 0 && page < pages_->count()) pages_->setCurrentIndex(page);
  open();
}

void TDlgPrefs::ShowChoice() {
  filling_ = true;
  for (TLookGroup g :
       {TLookGroup::kVerseList, TLookGroup::kBible, TLookGroup::kBook, TLookGroup::kCommentary})
    ShowLook(g);
  tabs_font_->Show(choice_.tabs.font);
  tabs_size_->Show(choice_.tabs.size);
  tabs_text_->Show(choice_.tabs.text, defaults_.rz_tabs_text_color);
  tabs_bold_->setChecked(choice_.tabs.bold);
  tabs_active_->Show(choice_.tabs.active, defaults_.rz_tabs_active_color);
  tabs_inactive_->Show(choice_.tabs.inactive, defaults_.rz_tabs_inactive_color);
  tabs_corresponding_->Show(choice_.tabs.corresponding, defaults_.rz_tabs_corresponding_color);
  // Any stored shape outside 0..3 draws as shape 0.
  CheckPrefsRadio(tabs_shape_,
                  choice_.tabs.style >= 0 && choice_.tabs.style <= 3 ? choice_.tabs.style : 0);
  tabs_align_->setChecked(choice_.tabs.align);
  CheckPrefsRadio(search_default_, choice_.search_bible_default);
  CheckPrefsRadio(hyperlinking_, choice_.link_multiple_verses ? 0 : 1);
  CheckPrefsRadio(startup_verse_, choice_.startup_verse);
  chapter_prev_->setChecked(choice_.inc_ch_prev);
  chapter_next_->setChecked(choice_.inc_ch_next);
  editor_on_top_->setChecked(choice_.editor_stay_on_top);
  editor_raw_->setChecked(choice_.editor_raw_html);
  save_states_->setChecked(choice_.save_window_states);
  CheckPrefsRadio(startup_tabs_, choice_.startup_fav_tabs ? 0 : 1);
  FillLinksList();
  FillTabsList();
  filling_ = false;
  UpdateSample();
}

void TDlgPrefs::FillLinksList() {
  const TModuleCatalogue& c = main_.Library().Catalogue();
  const QSignalBlocker block(links_list_);
  links_list_->clear();
  PrefsListHeading(links_list_, QStringLiteral("Books"));
  for (size_t i = 0; i < c.Books().size(); ++i)
    PrefsModuleItem(links_list_, *c.Books()[i], 1, i, choice_.link_books[i], false);
  PrefsListHeading(links_list_, QStringLiteral("Commentaries"));
  for (size_t i = 0; i < c.Commentaries().size(); ++i)
    PrefsModuleItem(links_list_, *c.Commentaries()[i], 2, i, choice_.link_commentaries[i], false);
}

void TDlgPrefs::FillTabsList() {
  const TModuleCatalogue& c = main_.Library().Catalogue();
  const QSignalBlocker block(tabs_list_);
  tabs_list_->clear();
  PrefsListHeading(tabs_list_, QStringLiteral("Bibles"));
  for (size_t i = 0; i < c.Bibles().size(); ++i)
    PrefsModuleItem(tabs_list_, *c.Bibles()[i], 0, i, choice_.tab_bibles[i], IsFixedTabBible(c, i));
  PrefsListHeading(tabs_list_, QStringLiteral("Books"));
  for (size_t i = 0; i < c.Books().size(); ++i)
    PrefsModuleItem(tabs_list_, *c.Books()[i], 1, i, choice_.tab_books[i], false);
  PrefsListHeading(tabs_list_, QStringLiteral("Commentaries"));
  for (size_t i = 0; i < c.Commentaries().size(); ++i)
    PrefsModuleItem(tabs_list_, *c.Commentaries()[i], 2, i, choice_.tab_commentaries[i], false);
}

void TDlgPrefs::OnListItemChanged(QTreeWidgetItem* item) {
  const int kind = item->data(0, kPrefsListKindRole).toInt();
  const auto index = static_cast<size_t>(item->data(0, kPrefsListIndexRole).toInt());
  if (kind < 0 || !(item->flags() & Qt::ItemIsUserCheckable)) return;
  const bool checked = item->checkState(0) == Qt::Checked;
  const bool links = item->treeWidget() == links_list_;
  std::vector<bool>& flags = links ? (kind == 1 ? choice_.link_books : choice_.link_commentaries)
                                   : (kind == 0   ? choice_.tab_bibles
                                      : kind == 1 ? choice_.tab_books
                                                  : choice_.tab_commentaries);
  if (index < flags.size()) flags[index] = checked;
}

void TDlgPrefs::CheckAllItems(QTreeWidget* list, bool checked) {
  // Fixed items keep their check: "Uncheck All" leaves the KJV Bible.
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list->topLevelItem(i);
    if (item->flags() & Qt::ItemIsUserCheckable)
      item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
  }
}

void TDlgPrefs::UpdateSample() {
  TabAppearance look;
  look.font_name = ToDisplayText(choice_.tabs.font);
  look.font_size = choice_.tabs.size;
  look.text_color = choice_.tabs.text;
  look.text_bold = choice_.tabs.bold;
  look.style = choice_.tabs.style >= 1 && choice_.tabs.style <= 3 ? choice_.tabs.style : 0;
  look.align = choice_.tabs.align;
  look.active_color = choice_.tabs.active;
  look.inactive_color = choice_.tabs.inactive;
  look.corresponding_color = choice_.tabs.corresponding;
  sample_->ApplyAppearance(look);
  sample_->update();
}

SettingsParts TDlgPrefs::Apply() {
  TLibrary& library = main_.Library();
  if (!library.IsLoaded()) return 0;
  config::Properties& p = config::GlobalProperties();
  TModuleCatalogue& catalogue = library.Catalogue();
  // Steps 1 to 8: the record into the store and the flags.
  const TPrefsMarks marks = ApplyChoice(choice_, p, catalogue);
  // The stored lists follow the flags at once (the panes read the
  // exclusions when they re-attach, and a later crash keeps them).
  SyncFlagLists(p, catalogue);
  // 9. The tab look on all four strips.
  const TabAppearance look = TabAppearanceFrom(p);
  for (TResourceTabs* tabs : {main_.BibleView()->Tabs(), main_.DictView()->Tabs(),
                              main_.CommentView()->Tabs(), main_.VerseListView()->Tabs()})
    tabs->ApplyAppearance(look);
  // 10. The strips whose flags changed show their selection; the panes
  // whose settings changed re-render.
  if (marks.bible_tabs) main_.BibleView()->Tabs()->ShowOnlySelected();
  if (marks.book_tabs) main_.DictView()->Tabs()->ShowOnlySelected();
  if (marks.commentary_tabs) main_.CommentView()->Tabs()->ShowOnlySelected();
  SettingsParts parts = 0;
  if (marks.verse_list) parts |= kSettingsVerseListView;
  if (marks.bible) parts |= kSettingsBibleView;
  if (marks.linking) parts |= kSettingsLinking;
  if (marks.book && !library.Books().empty()) parts |= kSettingsDictView;
  if (marks.commentary && !library.Commentaries().empty()) parts |= kSettingsCommentView;
  if (marks.tab_look || marks.bible_tabs || marks.book_tabs || marks.commentary_tabs)
    parts |= kSettingsTabs;
  if (marks.other) parts |= kSettingsOther;
  main_.SaveSettingsNow();
  if (parts != 0) main_.Settings().Commit(parts);
  return parts;
}

}  // namespace lumora::ui
