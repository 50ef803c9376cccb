// TMain: the commands of the command table, the menus, the tool bar and the
// resource menus. Every main-window command is made here from the table;
// the window binds its own (panes, layout, fonts, focus, tabs, help's web
// page and about box), features bind theirs, and an unbound one stays
// disabled in its place.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

#include "app/command_table.h"
#include "app/ui/main_window.h"
#include "app/ui/platform/shell_open.h"
#include "app/ui/splash.h"
#include "config/properties.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "views/actions.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/resource_tabs.h"
#include "views/settings.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

QString Caption(const std::string& cp1252) { return EscapeMnemonic(ToDisplayText(cp1252)); }

// One menu entry of the layout below: a command key, "-" for a separator,
// "@name" for a submenu or a generated list the window fills.
using MenuLayout = std::vector<const char*>;

struct MenuSpec {
  const char* caption;
  const char* object_name;
  MenuLayout items;
};

// The fourteen menus, in order. Pane commands are keyed by the pane's
// object name; the verse list's whole-list commands belong to that pane.
const std::vector<MenuSpec>& Menus() {
  static const std::vector<MenuSpec> menus = {
      {"&File",
       "MenuFile",
       {"Main.ActionExportVerses", "FrameVerseListView.ActionExportVerseList", "-",
        "Main.ActionPrintVerses", "FrameVerseListView.ActionPrintVerseList",
        "Main.ActionPrintCommentary", "Main.ActionPrintDict", "-", "Main.ActionPrintSetup", "-",
        "Main.ActionPrefs", "-", "Main.ActionExit"}},
      {"&Edit",
       "MenuEdit",
       {"Main.ActionMainCopy", "Main.ActionMainAppend", "Main.ActionCopyVerses",
        "Main.ActionCopyAllVersesVL", "Main.ActionCopyAllReferencesVL",
        "Main.ActionCopyAllVersesBible", "-", "Main.ActionConfigureFormat", "-",
        "Main.ActionCopyCommentRange", "Main.ActionCopyBookRange"}},
      {"&Search",
       "MenuSearch",
       {"Main.ActionSearchBible", "Main.ActionSearchDictionary", "Main.ActionSearchCommentary",
        "-", "Main.ActionTopicGuide", "Main.ActionBigSearch", "Main.ActionDefineSets"}},
      {"&Verse List",
       "MenuVerseList",
       {"@resources", "-", "@compare", "Main.ActionPopVerseList",
        "FrameVerseListView.ActionToggleFootnotes", "FrameVerseListView.ActionToggleCommentaryLinks",
        "FrameVerseListView.ActionToggleDictionaryLinks", "FrameVerseListView.ActionToggleEditLinks"}},
      {"&Bible",
       "MenuBible",
       {"@resources", "-", "@compare", "FrameBibleView.ActionToggleFootnotes",
        "FrameBibleView.ActionToggleCommentaryLinks", "FrameBibleView.ActionToggleDictionaryLinks",
        "FrameBibleView.ActionToggleEditLinks", "FrameBibleView.ActionToggleParaMode", "-",
        "FrameBibleView.ActionProverb"}},
      {"Boo&k",
       "MenuBook",
       {"@resources", "-", "FrameDictView.ActionEditEntry", "FrameDictView.ActionAddEntry",
        "FrameDictView.ActionDeleteEntry"}},
      {"&Commentary",
       "MenuCommentary",
       {"@resources", "-", "FrameCommentView.ActionEditComment",
        "FrameCommentView.ActionClearComment"}},
      {"Book&marks",
       "MenuBookmarks",
       {"Main.ActionGoBookmark1", "Main.ActionGoBookmark2", "Main.ActionGoBookmark3",
        "Main.ActionGoBookmark4", "Main.ActionGoBookmark5", "Main.ActionGoBookmark6",
        "Main.ActionGoBookmark7", "Main.ActionGoBookmark8", "Main.ActionGoBookmark9",
        "Main.ActionGoBookmark0", "-", "Main.ActionSetBookmark1", "Main.ActionSetBookmark2",
        "Main.ActionSetBookmark3", "Main.ActionSetBookmark4", "Main.ActionSetBookmark5",
        "Main.ActionSetBookmark6", "Main.ActionSetBookmark7", "Main.ActionSetBookmark8",
        "Main.ActionSetBookmark9", "Main.ActionSetBookmark0", "-", "@clear-bookmarks", "-",
        "Main.ActionSetTitles"}},
      {"Devotional",
       "MenuDevotional",
       {"Main.ActionMornDevotion", "Main.ActionEveDevotion", "Main.ActionPickDevotion", "-",
        "FrameBibleView.ActionProverb"}},
      {"Images", "MenuImages", {"Main.ActionImageViewer", "-"}},
      {"Tabs",
       "MenuTabs",
       {"Main.ActionTabsShowAll", "Main.ActionTabsShowFavs", "Main.ActionTabsConfigure"}},
      {"Vie&w",
       "MenuView",
       {"Main.ActionViewVerseList", "Main.ActionViewBible", "Main.ActionViewDict",
        "Main.ActionViewComment", "-", "Main.ActionViewAll", "-", "FrameVerseListView.ActionMax",
        "FrameBibleView.ActionMax", "FrameDictView.ActionMax", "FrameCommentView.ActionMax", "-",
        "Main.ActionRestoreSizes", "-", "Main.ActionFontPlus", "Main.ActionFontMinus"}},
      {"User",
       "MenuUser",
       {"Main.ActionNewCommentary", "Main.ActionNewBook", "-", "@delete-commentary",
        "@delete-book", "-", "Main.ActionImport3x"}},
      {"Help",
       "MenuHelp",
       {"Main.ActionOpenHelp", "-", "Main.ActionLMWeb", "-", "Main.ActionAbout"}},
  };
  return menus;
}

// Tool bar icons drawn from a short glyph, so the program needs no image
// files.
QIcon GlyphIcon(const QString& glyph) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QFont f = QApplication::font();
  f.setPixelSize(glyph.size() > 2 ? 12 : glyph.size() > 1 ? 15 : 22);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QApplication::palette().color(QPalette::ButtonText));
  p.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
  return QIcon(pixmap);
}

}  // namespace

QAction* TMain::MainAction(const char* name) const {
  return actions_->Find(QStringLiteral("Main.") + QString::fromLatin1(name));
}

void TMain::CreateActions() {
  for (const CommandSpec& c : MainCommands()) {
    QAction* a = actions_->Add(this, QString::fromLatin1(c.name), QString::fromLatin1(c.caption),
                               QString::fromLatin1(c.hint),
                               QKeySequence::fromString(QString::fromLatin1(c.shortcut),
                                                        QKeySequence::PortableText));
    // Disabled until the feature that owns it binds it and its rule.
    a->setEnabled(false);
  }
  // Ctrl+C and Ctrl+Shift+C belong to the focused pane (each pane binds
  // them in its own scope); the menu items only name the keys.
  MainAction("ActionMainCopy")->setText(QStringLiteral("Copy Selected Text\tCtrl+C"));
  MainAction("ActionMainAppend")->setText(QStringLiteral("Append Selected Text\tCtrl+Shift+C"));

  // Menu twins of pane commands whose menu caption differs: they run the
  // pane's command and take its enabled state.
  const auto twin = [this](const char* name, const QString& caption, QAction* pane_action) {
    QAction* a = actions_->Add(this, QString::fromLatin1(name), caption);
    connect(a, &QAction::triggered, pane_action, &QAction::trigger);
    actions_->AddUpdater(a, [a, pane_action] { a->setEnabled(pane_action->isEnabled()); });
    return a;
  };
  twin("ActionCopyAllVersesBible", QStringLiteral("Copy All Verses from Bible View"),
       bible_view_->ActionCopyAllVerses);
  for (const auto& [name, pane_key, caption] :
       {std::tuple{"ActionCopyAllVersesVL", "FrameVerseListView.ActionCopyAllVerses",
                   "Copy All Verses from Verse List"},
        std::tuple{"ActionCopyAllReferencesVL", "FrameVerseListView.ActionCopyAllReferences",
                   "Copy All References from Verse List"}}) {
    if (QAction* pane_action = actions_->Find(QString::fromLatin1(pane_key)))
      twin(name, QString::fromLatin1(caption), pane_action);
    else
      actions_->Add(this, QString::fromLatin1(name), QString::fromLatin1(caption))
          ->setEnabled(false);
  }
  BindWindowCommands();
}

void TMain::BindWindowCommands() {
  const auto bind = [this](const char* name, auto&& handler) {
    QAction* a = MainAction(name);
    connect(a, &QAction::triggered, this, std::forward<decltype(handler)>(handler));
    a->setEnabled(true);
    return a;
  };
  bind("ActionExit", [this] { close(); });
  bind("ActionMainCopy", [this] { CopyFocused(false); });
  bind("ActionMainAppend", [this] { CopyFocused(true); });
  bind("ActionNextBible", [this] { StepBible(1); });
  bind("ActionPrevBible", [this] { StepBible(-1); });
  const std::pair<const char*, TPane> toggles[] = {{"ActionViewVerseList", TPane::kVerseList},
                                                   {"ActionViewBible", TPane::kBible},
                                                   {"ActionViewDict", TPane::kBook},
                                                   {"ActionViewComment", TPane::kCommentary}};
  for (const auto& [name, pane] : toggles) {
    bind(name, [this, pane = pane] { TogglePane(pane); })->setCheckable(true);
  }
  bind("ActionViewAll", [this] {
    for (TPane pane : {TPane::kBible, TPane::kVerseList, TPane::kBook, TPane::kCommentary})
      ShowPane(pane);
  });
  bind("ActionRestoreSizes", [this] { RestoreDefaultSizes(); });
  bind("ActionFontPlus", [this] { ChangeFontSizes(1); });
  bind("ActionFontMinus", [this] { ChangeFontSizes(-1); });
  const auto focus = [this](TPane pane, QWidget* view) {
    ShowPane(pane);
    if (PaneVisible(pane)) view->setFocus(Qt::ShortcutFocusReason);
  };
  bind("ActionFocusVL",
       [this, focus] { focus(TPane::kVerseList, verse_list_view_->TextView()->HTMLView()); });
  bind("ActionFocusBible",
       [this, focus] { focus(TPane::kBible, bible_view_->TextView()->HTMLView()); });
  bind("ActionFocusBook", [this, focus] {
    if (!library_->Books().empty()) focus(TPane::kBook, dict_view_->HTMLView());
  });
  bind("ActionFocusComment", [this, focus] {
    if (!library_->Commentaries().empty()) focus(TPane::kCommentary, comment_view_->HTMLView());
  });
  bind("ActionFocusQuickJump", [this] {
    quick_jump_->setFocus(Qt::ShortcutFocusReason);
    quick_jump_->selectAll();
  });
  bind("ActionTabsShowAll", [this] {
    bible_view_->Tabs()->ShowAll(2);
    dict_view_->Tabs()->ShowAll(1);
    comment_view_->Tabs()->ShowAll(1);
  });
  bind("ActionTabsShowFavs", [this] {
    bible_view_->Tabs()->ShowOnlySelected();
    dict_view_->Tabs()->ShowOnlySelected();
    comment_view_->Tabs()->ShowOnlySelected();
  });
  bind("ActionTabsConfigure", [this] { preferences_->ShowPreferences(true); });
  bind("ActionLMWeb", [this] {
    if (options_.shell != nullptr) options_.shell->Open(kWebPageAddress);
  });
  bind("ActionAbout", [this] {
    QMessageBox box(this);
    box.setWindowTitle(QStringLiteral("About Lumora"));
    box.setIconPixmap(LogoPixmap(QSize(196, 161)));
    box.setText(QString::fromLatin1(kVersionText));
    box.exec();
  });
  for (TResourceTabs* tabs : {bible_view_->Tabs(), dict_view_->Tabs(), comment_view_->Tabs()})
    connect(tabs, &TResourceTabs::tabsChanged, actions_, &TActions::Invalidate);
}

void TMain::TogglePane(TPane pane) {
  const PaneVisibility v = Visibility();
  for (const PaneStep& step : ToggleSteps(v, static_cast<LayoutPane>(static_cast<int>(pane)))) {
    const TPane p = static_cast<TPane>(static_cast<int>(step.pane));
    if (step.show)
      ShowPane(p);
    else
      HidePane(p);
  }
}

void TMain::UpdateMainActions() {
  const auto* view = qobject_cast<const THtmlView*>(QApplication::focusWidget());
  const bool can_copy = view != nullptr && view->SelLength() > 0;
  MainAction("ActionMainCopy")->setEnabled(can_copy);
  MainAction("ActionMainAppend")->setEnabled(can_copy);
  const config::Properties& p = config::GlobalProperties();
  const int sizes[] = {p.bible_view.main_size, p.verse_list_view.main_size, p.dict_view.main_size,
                       p.comment_view.main_size};
  MainAction("ActionFontPlus")
      ->setEnabled(std::any_of(std::begin(sizes), std::end(sizes), [](int s) { return s < 20; }));
  MainAction("ActionFontMinus")
      ->setEnabled(std::any_of(std::begin(sizes), std::end(sizes), [](int s) { return s > 6; }));
  const std::initializer_list<TResourceTabs*> strips = {bible_view_->Tabs(), dict_view_->Tabs(),
                                                        comment_view_->Tabs()};
  MainAction("ActionTabsShowAll")
      ->setEnabled(std::any_of(strips.begin(), strips.end(),
                               [](TResourceTabs* t) { return t->AnyHidden(); }));
  MainAction("ActionTabsShowFavs")
      ->setEnabled(std::any_of(strips.begin(), strips.end(),
                               [](TResourceTabs* t) { return t->AnyDiffersFromFlags(); }));
  MainAction("ActionTabsConfigure")->setEnabled(preferences_->CanShowPreferences());

  const PaneVisibility v = Visibility();
  const bool any_book = !library_->Books().empty();
  const bool any_commentary = !library_->Commentaries().empty();
  const std::pair<const char*, TPane> toggles[] = {{"ActionViewVerseList", TPane::kVerseList},
                                                   {"ActionViewBible", TPane::kBible},
                                                   {"ActionViewDict", TPane::kBook},
                                                   {"ActionViewComment", TPane::kCommentary}};
  for (const auto& [name, pane] : toggles) {
    const QWidget* w = PaneWidget(pane);
    MainAction(name)->setChecked(PaneVisible(pane) && w->width() > 0 && w->height() > 0);
  }
  MainAction("ActionViewDict")->setEnabled(any_book);
  MainAction("ActionViewComment")->setEnabled(any_commentary);
  MainAction("ActionFocusBook")->setEnabled(any_book);
  MainAction("ActionFocusComment")->setEnabled(any_commentary);
  MainAction("ActionViewAll")->setEnabled(ViewAllEnabled(v, any_book, any_commentary));
}

void TMain::CreateToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Main"));
  bar->setObjectName(QStringLiteral("ToolBarMain"));
  bar->setMovable(false);
  bar->setIconSize(QSize(16, 16));
  bar->setAutoFillBackground(true);
  bar->setBackgroundRole(QPalette::Button);
  QStyle* st = style();
  const auto add = [&](const char* key, const QIcon& icon) {
    QAction* a = actions_->Find(QString::fromLatin1(key));
    if (a == nullptr) return;
    if (a->icon().isNull()) a->setIcon(icon);
    bar->addAction(a);
  };
  add("FrameBibleView.ActionCopySelection", st->standardIcon(QStyle::SP_FileDialogDetailedView));
  bar->addSeparator();
  add("Main.ActionCopyVerses", GlyphIcon(QStringLiteral("F5")));
  add("Main.ActionCopyAllVersesVL", GlyphIcon(QStringLiteral("VL")));
  add("Main.ActionCopyAllReferencesVL", GlyphIcon(QStringLiteral("Ref")));
  bar->addSeparator();
  add("Main.ActionSearchBible", GlyphIcon(QStringLiteral("?")));
  add("Main.ActionSearchDictionary", GlyphIcon(QStringLiteral("?B")));
  add("Main.ActionSearchCommentary", GlyphIcon(QStringLiteral("?C")));
  bar->addSeparator();
  add("Main.ActionTopicGuide", GlyphIcon(QStringLiteral("T")));
  add("Main.ActionBigSearch", GlyphIcon(QStringLiteral("R")));
  bar->addSeparator();
  add("Main.ActionViewVerseList", GlyphIcon(QStringLiteral("1")));
  add("Main.ActionViewBible", GlyphIcon(QStringLiteral("2")));
  add("Main.ActionViewDict", GlyphIcon(QStringLiteral("3")));
  add("Main.ActionViewComment", GlyphIcon(QStringLiteral("4")));
  bar->addSeparator();
  add("Main.ActionViewAll", GlyphIcon(QStringLiteral("All")));
  bar->addSeparator();
  const QString hint = QStringLiteral("QuickJump to Verse (type reference + Enter) (Alt+G)");
  quick_jump_label_ = new QLabel(QStringLiteral(" &Go to Verse: "), bar);
  quick_jump_label_->setToolTip(hint);
  quick_jump_label_->setStatusTip(hint);
  bar->addWidget(quick_jump_label_);
  quick_jump_ = new QLineEdit(bar);
  quick_jump_->setObjectName(QStringLiteral("QuickJump"));
  quick_jump_->setMaxLength(25);
  quick_jump_->setToolTip(hint);
  quick_jump_->setStatusTip(hint);
  // The designed 78 pixels hold "John 1:1"; the longest titles need more.
  quick_jump_->setMinimumWidth(std::max(
      78,
      quick_jump_->fontMetrics().horizontalAdvance(QStringLiteral("Song of Solomon 8:14")) + 12));
  quick_jump_->setMaximumWidth(quick_jump_->minimumWidth());
  bar->addWidget(quick_jump_);
  quick_jump_label_->setBuddy(quick_jump_);
  // Clicking the label does what Alt+G does.
  quick_jump_label_->installEventFilter(this);
}

void TMain::CreateMenus() {
  QMenuBar* bar = menuBar();
  for (const MenuSpec& spec : Menus()) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(spec.caption));
    menu->setObjectName(QString::fromLatin1(spec.object_name));
    menus_[spec.object_name] = menu;
    for (const char* item : spec.items) {
      const std::string_view key(item);
      if (key == "-") {
        QAction* separator = menu->addSeparator();
        if (!resource_separators_.contains(menu)) resource_separators_[menu] = separator;
      } else if (key == "@resources") {
        // Filled by RebuildResourceMenus above the first separator.
      } else if (key == "@compare") {
        QMenu* compare = menu->addMenu(QStringLiteral("Compare Version"));
        compare->setObjectName(menu->objectName() + QStringLiteral("Compare"));
        connect(menu, &QMenu::aboutToShow, this, [this, compare, menu] {
          FillCompareMenu(*compare, menu == menus_["MenuBible"]);
        });
      } else if (key == "@clear-bookmarks") {
        QMenu* clear = menu->addMenu(QStringLiteral("Clear Bookmark"));
        clear->setObjectName(QStringLiteral("MenuClearBookmark"));
        for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0})
          clear->addAction(MainAction(("ActionClearBookmark" + std::to_string(n)).c_str()));
        clear->addSeparator();
        clear->addAction(MainAction("ActionClearAllBookmarks"));
      } else if (key == "@delete-commentary" || key == "@delete-book") {
        QMenu* sub = menu->addMenu(key == "@delete-book" ? QStringLiteral("Delete User Book")
                                                         : QStringLiteral("Delete User Commentary"));
        sub->setObjectName(key == "@delete-book" ? QStringLiteral("MenuDeleteUserBook")
                                                 : QStringLiteral("MenuDeleteUserCommentary"));
        sub->setEnabled(false);
      } else if (QAction* a = actions_->Find(QString::fromLatin1(item))) {
        menu->addAction(a);
      } else {
        // A pane command not built yet: shown, disabled, never silent.
        QAction* placeholder = menu->addAction(QString::fromLatin1(item).section(QLatin1Char('.'), 1));
        placeholder->setEnabled(false);
      }
    }
    // Qt has no idle update: every menu recomputes the states it shows.
    connect(menu, &QMenu::aboutToShow, actions_, &TActions::UpdateNow);
  }
  connect(menus_["MenuBible"], &QMenu::aboutToShow, this,
          [this] { CheckResourceItems(*menus_["MenuBible"], library_->IndexOf(bible_view_->CurrentBible())); });
  connect(menus_["MenuVerseList"], &QMenu::aboutToShow, this, [this] {
    CheckResourceItems(*menus_["MenuVerseList"], library_->IndexOf(verse_list_view_->Bible()));
  });
  connect(menus_["MenuBook"], &QMenu::aboutToShow, this,
          [this] { CheckResourceItems(*menus_["MenuBook"], library_->IndexOf(dict_view_->CurrentBook())); });
  connect(menus_["MenuCommentary"], &QMenu::aboutToShow, this, [this] {
    QMenu& menu = *menus_["MenuCommentary"];
    CheckResourceItems(menu, library_->IndexOf(comment_view_->CurrentCommentary()));
    // One of two icons: whether the Commentary has an entry at the view's
    // position.
    const int position = comment_view_->CurrentPosition();
    const auto& list = library_->Commentaries();
    for (QAction* a : menu.actions()) {
      if (a == resource_separators_[&menu]) break;
      const int k = a->data().toInt();
      const bool has = k >= 0 && k < static_cast<int>(list.size()) && position >= 0 &&
                       list[static_cast<size_t>(k)]->HasEntry(position);
      a->setIcon(style()->standardIcon(has ? QStyle::SP_FileIcon : QStyle::SP_FileLinkIcon));
    }
  });
}

QMenu* TMain::Menu(const char* object_name) const {
  const auto it = menus_.find(object_name);
  return it == menus_.end() ? nullptr : it->second;
}

void TMain::CheckResourceItems(QMenu& menu, int current) {
  for (QAction* a : menu.actions()) {
    if (a == resource_separators_[&menu]) break;
    a->setChecked(a->data().toInt() == current);
  }
}

void TMain::FillCompareMenu(QMenu& menu, bool bible_view) {
  const auto& bibles = library_->Bibles();
  menu.clear();
  // The verse list compares in paragraph mode too; the Bible view does not.
  menu.setEnabled(bibles.size() >= 2 &&
                  !(bible_view && config::GlobalProperties().bible_view.para_mode));
  if (!menu.isEnabled()) return;
  const TLMBibleModule* current =
      bible_view ? bible_view_->CompareBible() : verse_list_view_->CompareBible();
  const auto set = [this, bible_view](const TLMBibleModule* b) {
    if (bible_view)
      bible_view_->SetCompareBible(b);
    else {
      verse_list_view_->SetCompareBible(b);
      verse_list_view_->Rerender();
    }
  };
  connect(menu.addAction(QStringLiteral("None")), &QAction::triggered, this,
          [set] { set(nullptr); });
  for (const TLMBibleModule* b : bibles) {
    QAction* item = menu.addAction(Caption(b->GetAbbreviation()) + QLatin1Char('\t') +
                                   Caption(b->GetTitle()));
    item->setCheckable(true);
    item->setChecked(current == b);
    const std::string abbreviation = b->GetAbbreviation();
    connect(item, &QAction::triggered, this, [this, set, abbreviation] {
      if (const TLMBibleModule* bible = library_->FindBible(abbreviation)) set(bible);
    });
  }
}

void TMain::RebuildResourceMenus() {
  const auto clear_list = [this](QMenu& menu) {
    for (QAction* a : menu.actions()) {
      if (a == resource_separators_[&menu]) break;
      menu.removeAction(a);
      a->deleteLater();
    }
  };
  const auto add_item = [this](QMenu& menu, const QString& caption, int k, auto&& run) {
    auto* item = new QAction(caption, &menu);
    item->setCheckable(true);
    item->setData(k);
    connect(item, &QAction::triggered, this, std::forward<decltype(run)>(run));
    menu.insertAction(resource_separators_[&menu], item);
  };
  for (const char* name : {"MenuBible", "MenuVerseList"}) {
    QMenu& menu = *menus_[name];
    clear_list(menu);
    const bool for_bible_view = std::string_view(name) == "MenuBible";
    const auto& bibles = library_->Bibles();
    for (int k = 0; k < static_cast<int>(bibles.size()); ++k) {
      const TLMBibleModule* b = bibles[static_cast<size_t>(k)];
      const std::string abbreviation = b->GetAbbreviation();
      add_item(menu, Caption(abbreviation) + QLatin1Char('\t') + Caption(b->GetTitle()), k,
               [this, abbreviation, for_bible_view] {
                 const TLMBibleModule* bible = library_->FindBible(abbreviation);
                 if (bible == nullptr) return;
                 if (for_bible_view) {
                   ShowPane(TPane::kBible);
                   if (bible_view_->CurrentBible() != bible) bible_view_->ShowBible(bible);
                 } else {
                   ShowPane(TPane::kVerseList);
                   if (verse_list_view_->Bible() != bible) {
                     verse_list_view_->SetBible(bible);
                     verse_list_view_->Rerender();
                   }
                 }
               });
    }
  }
  QMenu& books = *menus_["MenuBook"];
  clear_list(books);
  for (int k = 0; k < static_cast<int>(library_->Books().size()); ++k) {
    const TLMDictionaryModule* b = library_->Books()[static_cast<size_t>(k)];
    const std::string abbreviation = b->GetAbbreviation();
    add_item(books, Caption(abbreviation) + QStringLiteral(" - ") + Caption(b->GetTitle()), k,
             [this, abbreviation] {
               const TLMDictionaryModule* book = library_->FindBook(abbreviation);
               if (book == nullptr) return;
               ShowPane(TPane::kBook);
               if (dict_view_->CurrentBook() != book) dict_view_->ShowBook(book);
             });
  }
  QMenu& commentaries = *menus_["MenuCommentary"];
  clear_list(commentaries);
  for (int k = 0; k < static_cast<int>(library_->Commentaries().size()); ++k) {
    const TLMCommentaryModule* c = library_->Commentaries()[static_cast<size_t>(k)];
    const std::string abbreviation = c->GetAbbreviation();
    add_item(commentaries, Caption(abbreviation) + QStringLiteral(" - ") + Caption(c->GetTitle()),
             k, [this, abbreviation] {
               const TLMCommentaryModule* commentary = library_->FindCommentary(abbreviation);
               if (commentary == nullptr) return;
               ShowPane(TPane::kCommentary);
               if (comment_view_->CurrentCommentary() != commentary)
                 comment_view_->ShowComment(library_->IndexOf(commentary),
                                            comment_view_->CurrentPosition(), 0, 0, false);
             });
  }
  // Without modules of a kind, its menu's items are disabled and its pane
  // hidden.
  for (const auto& [menu, empty] :
       {std::pair{&books, library_->Books().empty()},
        std::pair{&commentaries, library_->Commentaries().empty()}}) {
    for (QAction* a : menu->actions())
      if (!a->isSeparator() && empty) a->setEnabled(false);
  }
  if (library_->Books().empty()) HidePane(TPane::kBook);
  if (library_->Commentaries().empty()) HidePane(TPane::kCommentary);

  // The user modules that may be deleted.
  const auto fill_delete = [this](const char* name, auto&& modules, auto&& run) {
    QMenu* sub = menus_["MenuUser"]->findChild<QMenu*>(QString::fromLatin1(name));
    sub->clear();
    for (const auto* m : modules) {
      const std::string abbreviation = m->GetAbbreviation();
      QAction* item = sub->addAction(QStringLiteral("Delete %1 (%2)")
                                         .arg(Caption(abbreviation), Caption(m->GetTitle())));
      item->setEnabled(authoring_->CanDeleteUserModules());
      connect(item, &QAction::triggered, this, [run, abbreviation] { run(abbreviation); });
    }
    sub->setEnabled(!sub->actions().isEmpty());
  };
  std::vector<const TLMCommentaryModule*> user_commentaries(library_->EditableCommentaries());
  std::vector<const TLMDictionaryModule*> user_books;
  for (const TLMDictionaryModule* b : library_->Books())
    if (!b->IsReadOnly()) user_books.push_back(b);
  fill_delete("MenuDeleteUserCommentary", user_commentaries, [this](const std::string& a) {
    if (const TLMCommentaryModule* c = library_->FindCommentary(a))
      authoring_->DeleteUserCommentary(*c);
  });
  fill_delete("MenuDeleteUserBook", user_books, [this](const std::string& a) {
    if (const TLMDictionaryModule* b = library_->FindBook(a)) authoring_->DeleteUserBook(*b);
  });
  actions_->Invalidate();
}

}  // namespace lumora::ui

namespace lumora::ui {

bool TMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == quick_jump_label_ && event->type() == QEvent::MouseButtonPress) {
    MainAction("ActionFocusQuickJump")->trigger();
    return true;
  }
  if (watched == splitter_lr_ && event->type() == QEvent::Resize) ApplyLayout();
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace lumora::ui

namespace lumora::ui {

void TMain::OnModulesChanged() {
  if (startup_complete_) RebuildResourceMenus();
}

}  // namespace lumora::ui
