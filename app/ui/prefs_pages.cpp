// TDlgPrefs: the five pages and their controls. Every control writes the
// dialog's record only when the user chooses something.
#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ui/prefs_controls.h"
#include "app/ui/prefs_dialog.h"
#include "views/resource_tabs.h"

namespace lumora::ui {
namespace {

// The parts every group has, by group.
std::string& PrefsFontOf(TPrefsChoice& c, TLookGroup g) {
  switch (g) {
    case TLookGroup::kVerseList:
      return c.verse_list.font;
    case TLookGroup::kBible:
      return c.bible.font;
    case TLookGroup::kBook:
      return c.book.font;
    case TLookGroup::kCommentary:
      break;
  }
  return c.commentary.font;
}
int32_t& PrefsSizeOf(TPrefsChoice& c, TLookGroup g) {
  switch (g) {
    case TLookGroup::kVerseList:
      return c.verse_list.size;
    case TLookGroup::kBible:
      return c.bible.size;
    case TLookGroup::kBook:
      return c.book.size;
    case TLookGroup::kCommentary:
      break;
  }
  return c.commentary.size;
}
config::TColor& PrefsTextOf(TPrefsChoice& c, TLookGroup g) {
  switch (g) {
    case TLookGroup::kVerseList:
      return c.verse_list.text;
    case TLookGroup::kBible:
      return c.bible.text;
    case TLookGroup::kBook:
      return c.book.text;
    case TLookGroup::kCommentary:
      break;
  }
  return c.commentary.text;
}
config::TColor& PrefsBackgroundOf(TPrefsChoice& c, TLookGroup g) {
  switch (g) {
    case TLookGroup::kVerseList:
      return c.verse_list.background;
    case TLookGroup::kBible:
      return c.bible.background;
    case TLookGroup::kBook:
      return c.book.background;
    case TLookGroup::kCommentary:
      break;
  }
  return c.commentary.background;
}
TBibleLook* PrefsBibleLookOf(TPrefsChoice& c, TLookGroup g) {
  return g == TLookGroup::kVerseList ? &c.verse_list : g == TLookGroup::kBible ? &c.bible : nullptr;
}
TResourceLook* PrefsResourceLookOf(TPrefsChoice& c, TLookGroup g) {
  return g == TLookGroup::kBook ? &c.book : g == TLookGroup::kCommentary ? &c.commentary : nullptr;
}

QLabel* PrefsWrappedText(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  return label;
}

QTreeWidget* PrefsCheckList(const QString& name, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(name);
  list->setColumnCount(2);
  list->setHeaderHidden(true);
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setUniformRowHeights(true);
  list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  return list;
}

}  // namespace

QButtonGroup* TDlgPrefs::RadioGroup(QWidget* parent, const QStringList& captions,
                                    const QString& name, std::function<void(int)> chosen) {
  auto* group = new QButtonGroup(parent);
  group->setObjectName(name);
  auto* layout = qobject_cast<QBoxLayout*>(parent->layout());
  for (int i = 0; i < captions.size(); ++i) {
    auto* button = new QRadioButton(captions[i], parent);
    button->setObjectName(name + QString::number(i));
    group->addButton(button, i);
    if (layout != nullptr) layout->addWidget(button);
  }
  connect(group, &QButtonGroup::idClicked, this, [this, chosen = std::move(chosen)](int id) {
    if (!filling_) chosen(id);
  });
  return group;
}

QCheckBox* TDlgPrefs::CheckBox(const QString& caption, const QString& name,
                               std::function<void(bool)> chosen) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  connect(box, &QCheckBox::clicked, this, [this, chosen = std::move(chosen)](bool on) {
    if (!filling_) chosen(on);
  });
  return box;
}

// --- Fonts and Colors -------------------------------------------------------------------

QWidget* TDlgPrefs::BuildLookGroup(TLookGroup group, const QString& title, const QString& name) {
  auto* box = new QGroupBox(title);
  box->setObjectName(name + QStringLiteral("Group"));
  auto* form = new QFormLayout(box);
  TLookControls& c = looks_[static_cast<size_t>(group)];
  c.font = new TFontBox(box);
  c.font->setObjectName(name + QStringLiteral("Font"));
  c.size = new TSizeBox(6, 20, box);
  c.size->setObjectName(name + QStringLiteral("Size"));
  auto* font_row = new QHBoxLayout;
  font_row->addWidget(c.font, 1);
  font_row->addWidget(c.size);
  form->addRow(QStringLiteral("Font:"), font_row);
  connect(c.font, &TFontBox::fontChosen, this,
          [this, group](const std::string& f) { PrefsFontOf(choice_, group) = f; });
  connect(c.size, &TSizeBox::sizeChosen, this,
          [this, group](int s) { PrefsSizeOf(choice_, group) = s; });

  const auto color_row = [&](TColorBox*& box_out, const QString& caption, const QString& suffix,
                             auto field) {
    box_out = new TColorBox(box);
    box_out->setObjectName(name + suffix);
    form->addRow(caption, box_out);
    connect(box_out, &TColorBox::colorChosen, this,
            [this, field](config::TColor color) { field(choice_) = color; });
  };
  color_row(c.text, QStringLiteral("Color:"), QStringLiteral("Color"),
            [group](TPrefsChoice& ch) -> config::TColor& { return PrefsTextOf(ch, group); });
  color_row(c.background, QStringLiteral("Background:"), QStringLiteral("Background"),
            [group](TPrefsChoice& ch) -> config::TColor& { return PrefsBackgroundOf(ch, group); });
  if (group == TLookGroup::kVerseList || group == TLookGroup::kBible) {
    color_row(c.comment_link, QStringLiteral("Cmt. Link:"), QStringLiteral("CmtLink"),
              [group](TPrefsChoice& ch) -> config::TColor& {
                return PrefsBibleLookOf(ch, group)->comment_link;
              });
    color_row(c.dict_link, QStringLiteral("Book Ref. Link:"), QStringLiteral("BookLink"),
              [group](TPrefsChoice& ch) -> config::TColor& {
                return PrefsBibleLookOf(ch, group)->dict_link;
              });
    color_row(c.footnotes, QStringLiteral("Footnotes:"), QStringLiteral("Footnotes"),
              [group](TPrefsChoice& ch) -> config::TColor& {
                return PrefsBibleLookOf(ch, group)->footnotes;
              });
    color_row(c.strongs_link, QStringLiteral("Strong's Link:"), QStringLiteral("StrongsLink"),
              [group](TPrefsChoice& ch) -> config::TColor& {
                return PrefsBibleLookOf(ch, group)->strongs_link;
              });
    if (group == TLookGroup::kVerseList)
      color_row(c.key_highlight, QStringLiteral("Key Highlight:"), QStringLiteral("KeyHighlight"),
                [](TPrefsChoice& ch) -> config::TColor& { return ch.key_highlight; });
  } else {
    color_row(c.link, QStringLiteral("Links:"), QStringLiteral("Links"),
              [group](TPrefsChoice& ch) -> config::TColor& {
                return PrefsResourceLookOf(ch, group)->link;
              });
  }
  auto* set_all = new QPushButton(QStringLiteral("Set All"), box);
  set_all->setObjectName(name + QStringLiteral("SetAll"));
  form->addRow(QString(), set_all);
  connect(set_all, &QPushButton::clicked, this, [this, group] {
    SetAll(choice_, group);
    for (TLookGroup g :
         {TLookGroup::kVerseList, TLookGroup::kBible, TLookGroup::kBook, TLookGroup::kCommentary})
      ShowLook(g);
  });
  return box;
}

QWidget* TDlgPrefs::BuildFontsPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  grid->addWidget(BuildLookGroup(TLookGroup::kVerseList, QStringLiteral(" Verse List "),
                                 QStringLiteral("VerseList")),
                  0, 0, 2, 1);
  grid->addWidget(
      BuildLookGroup(TLookGroup::kBible, QStringLiteral(" Bible "), QStringLiteral("Bible")), 0, 1,
      2, 1);
  grid->addWidget(
      BuildLookGroup(TLookGroup::kBook, QStringLiteral(" Book "), QStringLiteral("Book")), 0, 2);
  grid->addWidget(BuildLookGroup(TLookGroup::kCommentary, QStringLiteral(" Commentary "),
                                 QStringLiteral("Commentary")),
                  1, 2);
  return page;
}

void TDlgPrefs::ShowLook(TLookGroup group) {
  const TLookControls& c = looks_[static_cast<size_t>(group)];
  c.font->Show(PrefsFontOf(choice_, group));
  c.size->Show(PrefsSizeOf(choice_, group));
  const bool bible_kind = group == TLookGroup::kVerseList || group == TLookGroup::kBible;
  const config::TPropertiesBibleView& bible_defaults = defaults_.bible_view;
  const config::TPropertiesResourceView& resource_defaults = defaults_.dict_view;
  c.text->Show(PrefsTextOf(choice_, group),
               bible_kind ? bible_defaults.text_color : resource_defaults.text_color);
  c.background->Show(PrefsBackgroundOf(choice_, group), bible_kind
                                                            ? bible_defaults.background_color
                                                            : resource_defaults.background_color);
  if (const TBibleLook* look = PrefsBibleLookOf(choice_, group)) {
    c.comment_link->Show(look->comment_link, bible_defaults.comment_link_color);
    c.dict_link->Show(look->dict_link, bible_defaults.dict_link_color);
    c.footnotes->Show(look->footnotes, bible_defaults.footnotes_color);
    c.strongs_link->Show(look->strongs_link, bible_defaults.strongs_link_color);
    if (c.key_highlight != nullptr)
      c.key_highlight->Show(choice_.key_highlight, defaults_.key_hilight_color);
  } else if (const TResourceLook* r = PrefsResourceLookOf(choice_, group)) {
    c.link->Show(r->link, resource_defaults.link_color);
  }
}

// --- Tab Appearance -----------------------------------------------------------------------

QWidget* TDlgPrefs::BuildTabsPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(PrefsWrappedText(
      QStringLiteral("\"Resource tabs\" are the tabs used to allow you to switch between various "
                     "resources in Lumora (Bibles, Books, and Commentaries).  Here you may adjust "
                     "display settings for the tabs."),
      page));
  auto* columns = new QHBoxLayout;
  auto* text_box = new QGroupBox(QStringLiteral(" Tab Text "), page);
  auto* text_form = new QFormLayout(text_box);
  tabs_font_ = new TFontBox(text_box);
  tabs_font_->setObjectName(QStringLiteral("TabsFont"));
  tabs_size_ = new TSizeBox(6, 14, text_box);
  tabs_size_->setObjectName(QStringLiteral("TabsSize"));
  tabs_text_ = new TColorBox(text_box);
  tabs_text_->setObjectName(QStringLiteral("TabsColor"));
  tabs_bold_ = CheckBox(QStringLiteral("Bold"), QStringLiteral("TabsBold"), [this](bool on) {
    choice_.tabs.bold = on;
    UpdateSample();
  });
  text_form->addRow(QStringLiteral("Font:"), tabs_font_);
  text_form->addRow(QStringLiteral("Size:"), tabs_size_);
  text_form->addRow(QStringLiteral("Color:"), tabs_text_);
  text_form->addRow(QString(), tabs_bold_);
  connect(tabs_font_, &TFontBox::fontChosen, this, [this](const std::string& f) {
    choice_.tabs.font = f;
    UpdateSample();
  });
  connect(tabs_size_, &TSizeBox::sizeChosen, this, [this](int s) {
    choice_.tabs.size = s;
    UpdateSample();
  });
  connect(tabs_text_, &TColorBox::colorChosen, this, [this](config::TColor c) {
    choice_.tabs.text = c;
    UpdateSample();
  });
  columns->addWidget(text_box);

  auto* colors_box = new QGroupBox(QStringLiteral(" Tab Colors "), page);
  auto* colors_form = new QFormLayout(colors_box);
  const auto color = [&](TColorBox*& out, const QString& caption, const QString& name,
                         config::TColor TTabLook::*field) {
    out = new TColorBox(colors_box);
    out->setObjectName(name);
    auto* label = PrefsWrappedText(caption, colors_box);
    colors_form->addRow(label, out);
    connect(out, &TColorBox::colorChosen, this, [this, field](config::TColor c) {
      choice_.tabs.*field = c;
      UpdateSample();
    });
  };
  color(tabs_active_, QStringLiteral("Active Tab:"), QStringLiteral("TabsActive"),
        &TTabLook::active);
  color(tabs_inactive_, QStringLiteral("Inactive Tabs:"), QStringLiteral("TabsInactive"),
        &TTabLook::inactive);
  color(tabs_corresponding_,
        QStringLiteral("Inactive tabs with corresponding entries (Books and Commentaries):"),
        QStringLiteral("TabsCorresponding"), &TTabLook::corresponding);
  columns->addWidget(colors_box);
  layout->addLayout(columns);

  auto* shapes = new QHBoxLayout;
  auto* shape_box = new QGroupBox(QStringLiteral(" Tab Shape "), page);
  new QVBoxLayout(shape_box);
  tabs_shape_ = RadioGroup(shape_box,
                           {QStringLiteral("Single Slant"), QStringLiteral("Double Slant"),
                            QStringLiteral("Cut Corner"), QStringLiteral("Round Corners")},
                           QStringLiteral("TabsShape"), [this](int id) {
                             choice_.tabs.style = id;
                             UpdateSample();
                           });
  shapes->addWidget(shape_box);
  auto* align_box = new QGroupBox(QStringLiteral(" Tab Alignment "), page);
  auto* align_layout = new QVBoxLayout(align_box);
  tabs_align_ =
      CheckBox(QStringLiteral("Align Tabs"), QStringLiteral("TabsAlign"), [this](bool on) {
        choice_.tabs.align = on;
        UpdateSample();
      });
  align_layout->addWidget(tabs_align_);
  align_layout->addStretch();
  shapes->addWidget(align_box);
  layout->addLayout(shapes);

  auto* sample_box = new QGroupBox(QStringLiteral(" Sample Tabs "), page);
  auto* sample_layout = new QVBoxLayout(sample_box);
  sample_ = new TResourceTabs(sample_box);
  sample_->setObjectName(QStringLiteral("SampleTabs"));
  sample_->SetEntries({{"Item A", "Item A", nullptr},
                       {"Item B", "Item B", nullptr},
                       {"Item C", "Item C", nullptr},
                       {"Tab A", "Tab A", nullptr},
                       {"Tab B", "Tab B", nullptr},
                       {"Tab C", "Tab C", nullptr}});
  // The tab three places before or after the active one has "entries".
  sample_->SetCorrespondingTest(
      [this](int index) { return std::abs(index - sample_->currentIndex()) == 3; });
  connect(sample_, &TResourceTabs::currentTabChanged, this, [this] { UpdateSample(); });
  sample_layout->addWidget(sample_);
  layout->addWidget(sample_box);
  layout->addStretch();
  return page;
}

// --- Options -----------------------------------------------------------------------------

QWidget* TDlgPrefs::BuildOptionsPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  const auto group_box = [&](const QString& title) {
    auto* box = new QGroupBox(title, page);
    new QVBoxLayout(box);
    layout->addWidget(box);
    return box;
  };
  search_default_ = RadioGroup(
      group_box(QStringLiteral(" Search Bible Default ")),
      {QStringLiteral("Last Searched Bible Version"), QStringLiteral("Active Bible Version")},
      QStringLiteral("SearchDefault"), [this](int id) { choice_.search_bible_default = id; });
  hyperlinking_ = RadioGroup(
      group_box(QStringLiteral(" Verse Hyperlinking Style ")),
      {QStringLiteral("Multiple: Link consecutive verse references; click loads verses in Verse "
                      "List."),
       QStringLiteral("Individual: Link verse references individually; click sets Bible View to "
                      "verse.")},
      QStringLiteral("Hyperlinking"), [this](int id) { choice_.link_multiple_verses = id == 0; });
  startup_verse_ =
      RadioGroup(group_box(QStringLiteral(" Startup Verse ")),
                 {QStringLiteral("Last viewed passage"), QStringLiteral("Daily Proverb")},
                 QStringLiteral("StartupVerse"), [this](int id) { choice_.startup_verse = id; });
  QGroupBox* chapter = group_box(QStringLiteral(" Bible Display Chapter Links"));
  chapter_prev_ =
      CheckBox(QStringLiteral("Include \"Previous Chapter\" link"), QStringLiteral("ChapterPrev"),
               [this](bool on) { choice_.inc_ch_prev = on; });
  chapter_next_ =
      CheckBox(QStringLiteral("Include \"Next Chapter\" link"), QStringLiteral("ChapterNext"),
               [this](bool on) { choice_.inc_ch_next = on; });
  chapter->layout()->addWidget(chapter_prev_);
  chapter->layout()->addWidget(chapter_next_);
  QGroupBox* editor = group_box(QStringLiteral(" User Editor (Changes effective on next edit)  "));
  editor_on_top_ = CheckBox(QStringLiteral("Stay on top"), QStringLiteral("EditorStayOnTop"),
                            [this](bool on) { choice_.editor_stay_on_top = on; });
  editor_raw_ =
      CheckBox(QStringLiteral("Edit raw HTML (for advanced users, disables WYSIWYG editor)"),
               QStringLiteral("EditorRawHtml"), [this](bool on) { choice_.editor_raw_html = on; });
  editor->layout()->addWidget(editor_on_top_);
  editor->layout()->addWidget(editor_raw_);
  QGroupBox* windows = group_box(QStringLiteral(" Window Positions "));
  save_states_ = CheckBox(QStringLiteral("Save window positions  (Main window, Topic Guide, etc)"),
                          QStringLiteral("SaveWindowStates"),
                          [this](bool on) { choice_.save_window_states = on; });
  windows->layout()->addWidget(save_states_);
  layout->addStretch();
  return page;
}

// --- Commentary/Book Links and Visible Tabs
// -------------------------------------------------------

QWidget* TDlgPrefs::BuildLinksPage() {
  links_page_ = new QWidget;
  auto* layout = new QVBoxLayout(links_page_);
  layout->addWidget(PrefsWrappedText(
      QStringLiteral("Select the Books that take part in the Book reference links of the Verse "
                     "List and the Bible View, and the Commentaries that take part in their "
                     "Commentary links."),
      links_page_));
  layout->addWidget(PrefsWrappedText(
      QStringLiteral("Resources with checkmarks beside them will be included. Unchecked resources "
                     "will be excluded from linking. You will still be able to access excluded "
                     "resources using the various menus and tabs in the program."),
      links_page_));
  links_list_ = PrefsCheckList(QStringLiteral("LinksList"), links_page_);
  connect(links_list_, &QTreeWidget::itemChanged, this, &TDlgPrefs::OnListItemChanged);
  auto* buttons = new QHBoxLayout;
  auto* check_all = new QPushButton(QStringLiteral("Check All"), links_page_);
  check_all->setObjectName(QStringLiteral("LinksCheckAll"));
  auto* uncheck_all = new QPushButton(QStringLiteral("Uncheck All"), links_page_);
  uncheck_all->setObjectName(QStringLiteral("LinksUncheckAll"));
  connect(check_all, &QPushButton::clicked, this, [this] { CheckAllItems(links_list_, true); });
  connect(uncheck_all, &QPushButton::clicked, this, [this] { CheckAllItems(links_list_, false); });
  buttons->addWidget(check_all);
  buttons->addWidget(uncheck_all);
  buttons->addStretch();
  layout->addLayout(buttons);
  layout->addWidget(links_list_, 1);
  return links_page_;
}

QWidget* TDlgPrefs::BuildVisibleTabsPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(PrefsWrappedText(
      QStringLiteral("If there are some resources you are not interested in, you may de-select "
                     "the resource here, and a tab for the resource will not be initially shown.  "
                     "You will still be able to access the resources from the Bible, Book, and "
                     "Commentary menu regardless of your selection here. If you do not select any "
                     "Books or Commentaries, the tabs for the first Book or Commentary will still "
                     "be shown."),
      page));
  tabs_list_ = PrefsCheckList(QStringLiteral("TabsList"), page);
  connect(tabs_list_, &QTreeWidget::itemChanged, this, &TDlgPrefs::OnListItemChanged);
  auto* buttons = new QHBoxLayout;
  auto* check_all = new QPushButton(QStringLiteral("Check All"), page);
  check_all->setObjectName(QStringLiteral("TabsCheckAll"));
  auto* uncheck_all = new QPushButton(QStringLiteral("Uncheck All"), page);
  uncheck_all->setObjectName(QStringLiteral("TabsUncheckAll"));
  connect(check_all, &QPushButton::clicked, this, [this] { CheckAllItems(tabs_list_, true); });
  connect(uncheck_all, &QPushButton::clicked, this, [this] { CheckAllItems(tabs_list_, false); });
  buttons->addWidget(check_all);
  buttons->addWidget(uncheck_all);
  buttons->addStretch();
  layout->addLayout(buttons);
  layout->addWidget(tabs_list_, 1);
  auto* startup = new QGroupBox(QStringLiteral(" When Lumora Starts, "), page);
  new QVBoxLayout(startup);
  startup_tabs_ = RadioGroup(
      startup, {QStringLiteral("Show only my selected tabs."), QStringLiteral("Show all tabs.")},
      QStringLiteral("StartupTabs"), [this](int id) { choice_.startup_fav_tabs = id == 0; });
  layout->addWidget(startup);
  return page;
}

}  // namespace lumora::ui
