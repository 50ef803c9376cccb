// TMain: layout, commands, menus and the close sequence. The start-up
// sequence is in startup.cpp.
#include "app/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "config/properties.h"
#include "app/ui/platform/clipboard.h"
#include "app/ui/platform/printing.h"
#include "app/ui/settings_bridge.h"
#include "app/ui/splash.h"
#include "core/text/cp1252.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "views/bible_view.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"

namespace lumora::ui {
namespace {

// Sorted without regard to case, no repeats (the store's sorted lists).
void SortedInsert(std::vector<std::string>& list, const std::string& item) {
  const auto less = [](const std::string& a, const std::string& b) {
    return cp1252::CompareNoCase(a, b) < 0;
  };
  const auto at = std::lower_bound(list.begin(), list.end(), item, less);
  if (at != list.end() && cp1252::EqualNoCase(*at, item)) return;
  list.insert(at, item);
}

void SortedErase(std::vector<std::string>& list, const std::string& item) {
  list.erase(std::remove_if(list.begin(), list.end(),
                            [&](const std::string& s) { return cp1252::EqualNoCase(s, item); }),
             list.end());
}

}  // namespace

bool PositionOnScreens(const QRect& rect, const QList<QRect>& available) {
  const QRect title_strip(rect.left(), rect.top(), rect.width(), std::min(rect.height(), 30));
  for (const QRect& area : available) {
    const QRect overlap = area.intersected(title_strip);
    if (overlap.width() >= 40 && overlap.height() >= 10) return true;
  }
  return false;
}

TMain::TMain(TMainOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(QString::fromLatin1(kMainCaption));
  setMinimumSize(200, 200);
  resize(785, 566);
  printing_ = std::make_unique<TSystemPrinting>();

  // Two columns: the left (verse list over Book) is empty until those panes
  // exist; the right holds the Bible pane (the Commentary pane joins later).
  splitter_lr_ = new QSplitter(Qt::Horizontal, this);
  splitter_lr_->setObjectName(QStringLiteral("SplitterLR"));
  splitter_lr_->setChildrenCollapsible(false);
  panel_left_ = new QSplitter(Qt::Vertical, splitter_lr_);
  panel_left_->setObjectName(QStringLiteral("PanelLeft"));
  panel_left_->setChildrenCollapsible(false);
  panel_left_->hide();
  panel_right_ = new QSplitter(Qt::Vertical, splitter_lr_);
  panel_right_->setObjectName(QStringLiteral("PanelRight"));
  panel_right_->setChildrenCollapsible(false);
  bible_view_ = new TFrameBibleView(panel_right_);
  bible_view_->setObjectName(QStringLiteral("PanelBibleView"));
  bible_view_->setMinimumHeight(50);
  setCentralWidget(splitter_lr_);

  TBibleViewHost host;
  host.show_bible_pane = [this] { ShowBiblePane(); };
  host.set_quick_jump_text = [this](const QString& text) { quick_jump_->setText(text); };
  host.set_status_text = [this](const QString& text) { SetStatusText(text); };
  host.bible_pane_alone = [this] { return BiblePaneVisible() && !panel_left_->isVisible(); };
  host.printing = printing_.get();
  bible_view_->SetHost(std::move(host));

  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  CreateActions();
  CreateToolBar();
  CreateMenus();

  FormCreate();
}

TMain::~TMain() {
  // The panes refer to the catalogue's modules: they go first.
  delete splitter_lr_;
  splitter_lr_ = nullptr;
  delete splash_;
}

config::SettingsStorage& TMain::Storage() {
  if (options_.storage != nullptr) return *options_.storage;
  return config::GlobalSettingsStorage();
}

void TMain::ShowMessage(const QString& text) {
  if (options_.show_message) {
    options_.show_message(text);
    return;
  }
  QMessageBox::warning(isVisible() ? this : nullptr, QString::fromLatin1(kApplicationTitle), text);
}

void TMain::SetStatusText(const QString& text) {
  if (text.isEmpty())
    statusBar()->clearMessage();
  else
    statusBar()->showMessage(text);
  statusBar()->repaint();
}

// --- Commands ----------------------------------------------------------------

void TMain::CreateActions() {
  const auto add = [this](const QString& caption, const QKeySequence& key = {}) {
    auto* a = new QAction(caption, this);
    if (!key.isEmpty()) a->setShortcut(key);
    addAction(a);
    return a;
  };
  // Ctrl+C and Ctrl+Shift+C belong to the focused pane (each pane binds
  // them in its own scope); the menu items only name the keys.
  ActionMainCopy = add(QStringLiteral("Copy Selected Text\tCtrl+C"));
  connect(ActionMainCopy, &QAction::triggered, this, [this] { CopyFocused(false); });
  ActionMainAppend = add(QStringLiteral("Append Selected Text\tCtrl+Shift+C"));
  connect(ActionMainAppend, &QAction::triggered, this, [this] { CopyFocused(true); });

  ActionNextBible = add(QString(), QKeySequence(Qt::ALT | Qt::Key_Right));
  connect(ActionNextBible, &QAction::triggered, this, [this] { StepBible(1); });
  ActionPrevBible = add(QString(), QKeySequence(Qt::ALT | Qt::Key_Left));
  connect(ActionPrevBible, &QAction::triggered, this, [this] { StepBible(-1); });
  ActionFocusBible = add(QString(), QKeySequence(Qt::ALT | Qt::Key_2));
  connect(ActionFocusBible, &QAction::triggered, this, [this] {
    ShowBiblePane();
    bible_view_->TextView()->HTMLView()->setFocus(Qt::ShortcutFocusReason);
  });
  // Alt+G is the mnemonic of the box's label (its buddy); a second binding
  // of the key would make both ambiguous.
  ActionFocusQuickJump = add(QString());
  connect(ActionFocusQuickJump, &QAction::triggered, this, [this] {
    quick_jump_->setFocus(Qt::ShortcutFocusReason);
    quick_jump_->selectAll();
  });
  ActionFontPlus =
      add(QStringLiteral("Increase Font Sizes"), QKeySequence(Qt::CTRL | Qt::Key_BracketRight));
  connect(ActionFontPlus, &QAction::triggered, this, [this] { ChangeFontSizes(1); });
  ActionFontMinus =
      add(QStringLiteral("Decrease Font Sizes"), QKeySequence(Qt::CTRL | Qt::Key_BracketLeft));
  connect(ActionFontMinus, &QAction::triggered, this, [this] { ChangeFontSizes(-1); });
  ActionTabsShowAll = add(QStringLiteral("Show All Tabs"), QKeySequence(Qt::ALT | Qt::Key_F11));
  ActionTabsShowAll->setStatusTip(QStringLiteral("Show all resource tabs"));
  connect(ActionTabsShowAll, &QAction::triggered, this, [this] {
    bible_view_->Tabs()->ShowAll(2);
    UpdateTabActions();
  });
  ActionTabsShowFavs =
      add(QStringLiteral("Show Only Selected Tabs"), QKeySequence(Qt::ALT | Qt::Key_F12));
  ActionTabsShowFavs->setStatusTip(QStringLiteral("Show only selected resource tabs"));
  connect(ActionTabsShowFavs, &QAction::triggered, this, [this] {
    bible_view_->Tabs()->ShowOnlySelected();
    UpdateTabActions();
  });
  ActionAbout = add(QStringLiteral("About Lumora"));
  connect(ActionAbout, &QAction::triggered, this, [this] {
    QMessageBox box(this);
    box.setWindowTitle(QStringLiteral("About Lumora"));
    box.setIconPixmap(LogoPixmap(QSize(196, 161)));
    box.setText(QString::fromLatin1(kVersionText));
    box.exec();
  });
  ActionExit = add(QStringLiteral("Exit"));
  connect(ActionExit, &QAction::triggered, this, &QWidget::close);
}

void TMain::CreateToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Main"));
  bar->setObjectName(QStringLiteral("ToolBarMain"));
  bar->setMovable(false);
  bar->setAutoFillBackground(true);
  bar->setBackgroundRole(QPalette::Button);
  bar->addAction(bible_view_->ActionCopySelection);
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

bool TMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == quick_jump_label_ && event->type() == QEvent::MouseButtonPress) {
    ActionFocusQuickJump->trigger();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMain::CreateMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->addAction(ActionExit);

  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  edit->addAction(ActionMainCopy);
  edit->addAction(ActionMainAppend);
  QAction* copy_all = edit->addAction(QStringLiteral("Copy All Verses from Bible View"));
  connect(copy_all, &QAction::triggered, bible_view_->ActionCopyAllVerses, &QAction::trigger);
  connect(edit, &QMenu::aboutToShow, this, [this] { UpdateMainActions(); });

  menu_bible_ = bar->addMenu(QStringLiteral("&Bible"));
  menu_bible_separator_ = menu_bible_->addSeparator();
  menu_compare_ = menu_bible_->addMenu(QStringLiteral("Compare Version"));
  menu_bible_->addAction(bible_view_->ActionToggleFootnotes);
  menu_bible_->addAction(bible_view_->ActionToggleCommentaryLinks);
  menu_bible_->addAction(bible_view_->ActionToggleDictionaryLinks);
  menu_bible_->addAction(bible_view_->ActionToggleEditLinks);
  menu_bible_->addAction(bible_view_->ActionToggleParaMode);
  menu_bible_->addSeparator();
  menu_bible_->addAction(bible_view_->ActionProverb);
  connect(menu_bible_, &QMenu::aboutToShow, this, [this] {
    bible_view_->UpdateActions();
    const TLMBibleModule* current = bible_view_->CurrentBible();
    for (QAction* a : menu_bible_->actions()) {
      if (a == menu_bible_separator_) break;
      a->setChecked(a->data().value<quintptr>() == reinterpret_cast<quintptr>(current));
    }
    const auto& bibles = bible_view_->Bibles();
    menu_compare_->clear();
    menu_compare_->setEnabled(bibles.size() >= 2 &&
                              !config::GlobalProperties().bible_view.para_mode);
    if (!menu_compare_->isEnabled()) return;
    QAction* none = menu_compare_->addAction(QStringLiteral("None"));
    connect(none, &QAction::triggered, this, [this] { bible_view_->SetCompareBible(nullptr); });
    for (const TLMBibleModule* b : bibles) {
      QAction* item = menu_compare_->addAction(EscapeMnemonic(ToDisplayText(b->GetAbbreviation())) +
                                               QLatin1Char('\t') +
                                               EscapeMnemonic(ToDisplayText(b->GetTitle())));
      item->setCheckable(true);
      item->setChecked(bible_view_->CompareBible() == b);
      connect(item, &QAction::triggered, this, [this, b] { bible_view_->SetCompareBible(b); });
    }
  });

  QMenu* tabs = bar->addMenu(QStringLiteral("Tabs"));
  tabs->addAction(ActionTabsShowAll);
  tabs->addAction(ActionTabsShowFavs);
  connect(tabs, &QMenu::aboutToShow, this, [this] { UpdateTabActions(); });

  QMenu* view = bar->addMenu(QStringLiteral("Vie&w"));
  bible_view_->ActionMax->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
  bible_view_->ActionMax->setShortcutContext(Qt::WindowShortcut);
  addAction(bible_view_->ActionMax);
  view->addAction(bible_view_->ActionMax);
  view->addSeparator();
  view->addAction(ActionFontPlus);
  view->addAction(ActionFontMinus);
  connect(view, &QMenu::aboutToShow, this, [this] { UpdateMainActions(); });

  QMenu* help = bar->addMenu(QStringLiteral("Help"));
  help->addAction(ActionAbout);
}

void TMain::RebuildResourceMenus() {
  for (QAction* a : menu_bible_->actions()) {
    if (a == menu_bible_separator_) break;
    menu_bible_->removeAction(a);
    a->deleteLater();
  }
  for (const TLMBibleModule* b : bible_view_->Bibles()) {
    auto* item = new QAction(EscapeMnemonic(ToDisplayText(b->GetAbbreviation())) +
                                 QLatin1Char('\t') + EscapeMnemonic(ToDisplayText(b->GetTitle())),
                             menu_bible_);
    item->setCheckable(true);
    item->setData(QVariant::fromValue(reinterpret_cast<quintptr>(b)));
    connect(item, &QAction::triggered, this, [this, b] {
      ShowBiblePane();
      if (bible_view_->CurrentBible() != b) bible_view_->ShowBible(b);
    });
    menu_bible_->insertAction(menu_bible_separator_, item);
  }
}

void TMain::UpdateMainActions() {
  const auto* view = qobject_cast<const THtmlView*>(QApplication::focusWidget());
  const bool can_copy = view != nullptr && view->SelLength() > 0;
  ActionMainCopy->setEnabled(can_copy);
  ActionMainAppend->setEnabled(can_copy);
  const int size = config::GlobalProperties().bible_view.main_size;
  ActionFontPlus->setEnabled(size < 20);
  ActionFontMinus->setEnabled(size > 6);
  bible_view_->UpdateActions();
}

void TMain::UpdateTabActions() {
  ActionTabsShowAll->setEnabled(bible_view_->Tabs()->AnyHidden());
  ActionTabsShowFavs->setEnabled(bible_view_->Tabs()->AnyDiffersFromFlags());
}

void TMain::CopyFocused(bool append) {
  auto* view = qobject_cast<THtmlView*>(QApplication::focusWidget());
  if (view == nullptr || view->SelLength() == 0) return;
  if (!append) {
    view->CopyToClipboard();
    return;
  }
  Clipboard().SetText(Clipboard().Text() + QStringLiteral("\r\n") + view->SelectedDisplayText());
}

void TMain::StepBible(int delta) {
  const auto& bibles = bible_view_->Bibles();
  const int n = static_cast<int>(bibles.size());
  if (n < 2) return;
  const auto it = std::find(bibles.begin(), bibles.end(), bible_view_->CurrentBible());
  const int at = it == bibles.end() ? 0 : static_cast<int>(it - bibles.begin());
  bible_view_->ShowBible(bibles[static_cast<size_t>(((at + delta) % n + n) % n)]);
}

void TMain::ChangeFontSizes(int delta) {
  int& size = config::GlobalProperties().bible_view.main_size;
  if ((delta > 0 && size < 20) || (delta < 0 && size > 6)) {
    size += delta;
    bible_view_->RefreshView();
  }
  UpdateMainActions();
}

// --- Panes -------------------------------------------------------------------

void TMain::ShowBiblePane() {
  if (pane_showing_locked_) return;
  if (!panel_right_->isVisible()) panel_right_->show();
  bible_view_->show();
}

bool TMain::BiblePaneVisible() const { return !bible_view_->isHidden(); }

void TMain::ShowAsPlaced() {
  setGeometry(placed_geometry_);
  if (placed_maximized_)
    showMaximized();
  else
    show();
}

void TMain::BringToFront() {
  if (isMinimized()) setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  show();
  raise();
  activateWindow();
}

// --- Close -------------------------------------------------------------------

void TMain::GatherState() {
  config::Properties& p = config::GlobalProperties();
  // The restored geometry, also when the window is maximised.
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  if (normal.isValid()) {
    p.state_main = {normal.left(), normal.top(), normal.height(), normal.width()};
  }
  p.closed_maximized = isMaximized();

  // "HiddenTabs" from the modules' tab visible flags; modules no longer
  // installed drop out.
  p.hidden_tabs.clear();
  const TModuleCatalogue& c = *catalogue_;
  for (const auto& b : c.Bibles()) {
    if (b.get() != c.KjvBible() && !b->IsStrongsLinks() && !b->tab_visible)
      SortedInsert(p.hidden_tabs, b->GetAbbreviation());
  }
  for (const auto& k : c.Books()) {
    if (!k->tab_visible) SortedInsert(p.hidden_tabs, k->GetAbbreviation());
  }
  for (const auto& m : c.Commentaries()) {
    if (!m->tab_visible) SortedInsert(p.hidden_tabs, m->GetAbbreviation());
  }

  if (bible_view_->CurrentVerse() > 0) p.last_bible_verse = bible_view_->CurrentVerse();
  p.view_bible = BiblePaneVisible();
  if (c.Books().empty()) p.view_dict = true;
  if (c.Commentaries().empty()) p.view_comment = true;

  // "ActiveResources": the Commentary, Book and verse-list entries keep
  // their stored values until those panes exist.
  std::vector<std::string> old = p.active_resources;
  old.resize(6);
  std::vector<std::string> now(6);
  if (const TLMBibleModule* b = bible_view_->CurrentBible())
    now[config::kActiveBible] = b->GetAbbreviation();
  if (!c.Commentaries().empty()) {
    now[config::kActiveCommentary] = old[config::kActiveCommentary];
    now[config::kActiveCommentaryPosition] = old[config::kActiveCommentaryPosition];
  }
  if (!c.Books().empty()) {
    now[config::kActiveBook] = old[config::kActiveBook];
    now[config::kActiveBookEntry] = old[config::kActiveBookEntry];
  }
  now[config::kActiveVerseListBible] =
      old[config::kActiveVerseListBible].empty() && c.KjvBible() != nullptr
          ? c.KjvBible()->GetAbbreviation()
          : old[config::kActiveVerseListBible];
  p.active_resources = std::move(now);

  p.doc_pos_bible = static_cast<int32_t>(bible_view_->TextView()->HTMLView()->SavedPosition());
  if (c.Books().empty()) p.doc_pos_book = 0;
  if (c.Commentaries().empty()) p.doc_pos_commentary = 0;

  for (const auto& m : c.Commentaries()) {
    if (m->included_in_linking)
      SortedErase(p.exclude_from_linking, m->GetAbbreviation());
    else
      SortedInsert(p.exclude_from_linking, m->GetAbbreviation());
  }
  for (const auto& k : c.Books()) {
    if (k->included_in_linking)
      SortedErase(p.exclude_from_linking, k->GetAbbreviation());
    else
      SortedInsert(p.exclude_from_linking, k->GetAbbreviation());
  }
}

void TMain::closeEvent(QCloseEvent* event) {
  if (startup_complete_) {
    GatherState();
    if (const Status saved = SaveSettings(Storage()); !saved.ok()) {
      ShowMessage(QString::fromLatin1(config::kSaveFailedMessage));
    }
    // Saved once: a second close event (the application quitting after
    // the window closed) does not save again.
    startup_complete_ = false;
  }
  event->accept();
}

}  // namespace lumora::ui
