// TMain: construction, the pane host, commands, menus and the close
// sequence. The start-up sequence is in startup.cpp, the pane layout in
// main_layout.cpp.
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
#include <QTimer>
#include <QToolBar>
#include <algorithm>

#include "app/ui/basic_output.h"
#include "app/ui/platform/clipboard.h"
#include "app/ui/platform/printing.h"
#include "app/ui/platform/shell_open.h"
#include "app/ui/settings_bridge.h"
#include "app/ui/splash.h"
#include "config/properties.h"
#include "core/text/cp1252.h"
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

TMain::TMain(TMainOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(QString::fromLatin1(kMainCaption));
  setMinimumSize(200, 200);
  resize(785, 566);

  library_ = options_.library;
  if (library_ == nullptr) {
    own_library_ = std::make_unique<TLibrary>();
    library_ = own_library_.get();
  }
  settings_ = options_.settings;
  if (settings_ == nullptr) {
    own_settings_ = std::make_unique<TSettings>();
    settings_ = own_settings_.get();
  }
  if (options_.shell == nullptr) {
    own_shell_ = std::make_unique<TDesktopShellOpen>();
    options_.shell = own_shell_.get();
  }
  printing_ = std::make_unique<TSystemPrinting>();
  actions_ = new TActions(this);
  search_ = std::make_unique<TNoSearch>();
  authoring_ = std::make_unique<TNoAuthoring>();
  bookmarks_ = std::make_unique<TNoBookmarks>();
  output_ = std::make_unique<TBasicOutput>(*this, *printing_, this);
  preferences_ = std::make_unique<TNoPreferences>();

  CreatePanes();
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  CreateActions();
  CreateToolBar();
  CreateMenus();
  InstallFeatures();

  connect(library_, &TLibrary::modulesChanged, this, &TMain::OnModulesChanged);
  connect(library_, &TLibrary::modulesChanged, actions_, &TActions::Invalidate);
  connect(settings_, &TSettings::changed, actions_, &TActions::Invalidate);
  actions_->AddUpdater(this, [this] { UpdateMainActions(); });

  FormCreate();
}

TMain::~TMain() {
  // The panes refer to the library's modules: they go first.
  delete splitter_lr_;
  splitter_lr_ = nullptr;
  delete splash_;
}

const TModuleCatalogue& TMain::Catalogue() const { return library_->Catalogue(); }

config::SettingsStorage& TMain::Storage() {
  if (options_.storage != nullptr) return *options_.storage;
  return config::GlobalSettingsStorage();
}

void TMain::InstallSearch(std::unique_ptr<ISearchService> service) {
  search_ = std::move(service);
  actions_->Invalidate();
}
void TMain::InstallAuthoring(std::unique_ptr<IAuthoringService> service) {
  authoring_ = std::move(service);
  actions_->Invalidate();
}
void TMain::InstallBookmarks(std::unique_ptr<IBookmarkService> service) {
  bookmarks_ = std::move(service);
  actions_->Invalidate();
}
void TMain::InstallOutput(std::unique_ptr<IOutputService> service) {
  output_ = std::move(service);
  actions_->Invalidate();
}
void TMain::InstallPreferences(std::unique_ptr<IPreferencesService> service) {
  preferences_ = std::move(service);
  actions_->Invalidate();
}

// --- Panes -----------------------------------------------------------------------

void TMain::CreatePanes() {
  const TPaneContext context{*this, *library_, *settings_, *actions_};
  splitter_lr_ = new QSplitter(Qt::Horizontal, this);
  splitter_lr_->setObjectName(QStringLiteral("SplitterLR"));
  panel_left_ = new QSplitter(Qt::Vertical, splitter_lr_);
  panel_left_->setObjectName(QStringLiteral("PanelLeft"));
  panel_right_ = new QSplitter(Qt::Vertical, splitter_lr_);
  panel_right_->setObjectName(QStringLiteral("PanelRight"));
  // The panes keep their own object names (FrameVerseListView, ...): their
  // commands are registered under them.
  verse_list_view_ = new TFrameVerseListView(context, panel_left_);
  dict_view_ = new TFrameDictView(context, panel_left_);
  bible_view_ = new TFrameBibleView(context, panel_right_);
  comment_view_ = new TFrameCommentView(context, panel_right_);
  for (QSplitter* s : {splitter_lr_, panel_left_, panel_right_}) {
    // Splitters never snap a pane closed; a fraction changes only on a
    // user drag.
    s->setChildrenCollapsible(false);
    s->setHandleWidth(5);
    connect(s, &QSplitter::splitterMoved, this, [this, s] { OnSplitterMoved(s); });
  }
  for (QWidget* pane : {static_cast<QWidget*>(verse_list_view_), static_cast<QWidget*>(dict_view_),
                        static_cast<QWidget*>(bible_view_), static_cast<QWidget*>(comment_view_)})
    pane->setMinimumSize(50, 50);
  for (QWidget* pane : {static_cast<QWidget*>(verse_list_view_), static_cast<QWidget*>(dict_view_),
                        static_cast<QWidget*>(comment_view_)})
    pane->hide();
  panel_left_->hide();
  splitter_lr_->installEventFilter(this);
  setCentralWidget(splitter_lr_);
  connect(bible_view_, &TFrameBibleView::verseChanged, this, [this](int v) {
    if (const TLMBibleModule* kjv = library_->Kjv(); kjv != nullptr && IsUsableVerse(*kjv, v)) {
      const TVerseLocation at = kjv->GetVerseLocation(v);
      quick_jump_->setText(ToDisplayText(kjv->GetLongBookTitle(at.book) + " " +
                                         std::to_string(at.chapter) + ":" +
                                         std::to_string(at.verse)));
    }
  });
}

// --- The pane host ------------------------------------------------------------------

void TMain::ShowMessage(const QString& text) {
  if (options_.show_message) {
    options_.show_message(text);
    return;
  }
  // Plain text: a message quoting a title or a link shows it as typed.
  QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kApplicationTitle), text,
                  QMessageBox::Ok, isVisible() ? this : nullptr);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool TMain::AskYesNo(const QString& caption, const QString& question) {
  if (options_.ask_yes_no) return options_.ask_yes_no(caption, question);
  QMessageBox box(QMessageBox::Question, caption, question, QMessageBox::Yes | QMessageBox::No,
                  this);
  box.setTextFormat(Qt::PlainText);
  return box.exec() == QMessageBox::Yes;
}

void TMain::SetStatusText(const QString& text) {
  if (text.isEmpty())
    statusBar()->clearMessage();
  else
    statusBar()->showMessage(text);
  statusBar()->repaint();
}

void TMain::SetPreviewActive(bool active) { preview_active_ = active; }

const TLMBibleModule* TMain::BibleViewBible() const { return bible_view_->CurrentBible(); }

int TMain::BibleViewVerse() const { return bible_view_->CurrentVerse(); }

// --- Commands ----------------------------------------------------------------------

void TMain::CopyFocused(bool append) {
  auto* view = qobject_cast<THtmlView*>(QApplication::focusWidget());
  if (view == nullptr || view->SelLength() == 0) return;
  if (!append) {
    view->CopyToClipboard();
    return;
  }
  output_->AppendText(view->SelectedDisplayText());
}

void TMain::StepBible(int delta) {
  const auto& bibles = library_->Bibles();
  const int n = static_cast<int>(bibles.size());
  if (n < 2) return;
  const int at = std::max(0, library_->IndexOf(bible_view_->CurrentBible()));
  bible_view_->ShowBible(bibles[static_cast<size_t>(((at + delta) % n + n) % n)]);
}

void TMain::ChangeFontSizes(int delta) {
  config::Properties& p = config::GlobalProperties();
  SettingsParts changed = 0;
  const auto step = [&](int32_t& size, SettingsParts part) {
    if ((delta > 0 && size < 20) || (delta < 0 && size > 6)) {
      size += delta;
      changed |= part;
    }
  };
  step(p.bible_view.main_size, kSettingsBibleView);
  step(p.verse_list_view.main_size, kSettingsVerseListView);
  step(p.dict_view.main_size, kSettingsDictView);
  step(p.comment_view.main_size, kSettingsCommentView);
  if (changed != 0) settings_->Commit(changed);
}

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
  const TLibrary& lib = *library_;
  for (const TLMBibleModule* b : lib.Bibles()) {
    if (b != lib.Kjv() && !b->IsStrongsLinks() && !b->tab_visible)
      SortedInsert(p.hidden_tabs, b->GetAbbreviation());
  }
  for (const TLMDictionaryModule* k : lib.Books())
    if (!k->tab_visible) SortedInsert(p.hidden_tabs, k->GetAbbreviation());
  for (const TLMCommentaryModule* m : lib.Commentaries())
    if (!m->tab_visible) SortedInsert(p.hidden_tabs, m->GetAbbreviation());

  if (bible_view_->CurrentVerse() > 0) p.last_bible_verse = bible_view_->CurrentVerse();
  p.para_saved_links = bible_view_->UserLinkSettings();
  p.view_verse_list = PaneVisible(TPane::kVerseList);
  p.view_bible = PaneVisible(TPane::kBible);
  p.view_dict = lib.Books().empty() || PaneVisible(TPane::kBook);
  p.view_comment = lib.Commentaries().empty() || PaneVisible(TPane::kCommentary);

  std::vector<std::string> now(6);
  if (const TLMBibleModule* b = bible_view_->CurrentBible())
    now[config::kActiveBible] = b->GetAbbreviation();
  if (!lib.Commentaries().empty()) {
    if (const TLMCommentaryModule* c = comment_view_->CurrentCommentary()) {
      now[config::kActiveCommentary] = c->GetAbbreviation();
      now[config::kActiveCommentaryPosition] = std::to_string(comment_view_->CurrentPosition());
    }
  }
  if (!lib.Books().empty()) {
    if (const TLMDictionaryModule* k = dict_view_->CurrentBook()) {
      now[config::kActiveBook] = k->GetAbbreviation();
      now[config::kActiveBookEntry] = std::to_string(dict_view_->CurrentEntry());
    }
  }
  if (const TLMBibleModule* b = verse_list_view_->Bible())
    now[config::kActiveVerseListBible] = b->GetAbbreviation();
  p.active_resources = std::move(now);

  p.doc_pos_bible = static_cast<int32_t>(bible_view_->TextView()->HTMLView()->SavedPosition());
  p.doc_pos_book =
      lib.Books().empty() ? 0 : static_cast<int32_t>(dict_view_->HTMLView()->SavedPosition());
  p.doc_pos_commentary = lib.Commentaries().empty()
                             ? 0
                             : static_cast<int32_t>(comment_view_->HTMLView()->SavedPosition());

  for (const TLMCommentaryModule* m : lib.Commentaries()) {
    if (m->included_in_linking)
      SortedErase(p.exclude_from_linking, m->GetAbbreviation());
    else
      SortedInsert(p.exclude_from_linking, m->GetAbbreviation());
  }
  for (const TLMDictionaryModule* k : lib.Books()) {
    if (k->included_in_linking)
      SortedErase(p.exclude_from_linking, k->GetAbbreviation());
    else
      SortedInsert(p.exclude_from_linking, k->GetAbbreviation());
  }
}

bool TMain::SaveSettingsNow() {
  if (!startup_complete_) return false;
  GatherState();
  return SaveSettings(Storage()).ok();
}

bool TMain::BeginLongWork(std::function<void()> stop) {
  if (stop_long_work_) return false;
  stop_long_work_ = stop ? std::move(stop) : [] {};
  return true;
}

void TMain::RunAfterLongWork(std::function<void()> work) {
  if (!stop_long_work_) {
    work();
    return;
  }
  after_long_work_.push_back(std::move(work));
  stop_long_work_();
}

void TMain::EndLongWork() {
  stop_long_work_ = nullptr;
  if (!after_long_work_.empty()) {
    // Once the long work's caller has returned and nothing of it is on the
    // stack any more.
    QTimer::singleShot(0, this, [this] {
      std::vector<std::function<void()>> queued;
      queued.swap(after_long_work_);
      for (auto& work : queued) work();
    });
  }
  if (close_after_long_work_) {
    close_after_long_work_ = false;
    // After the work's own caller has returned.
    QTimer::singleShot(0, this, [this] { close(); });
  }
}

void TMain::closeEvent(QCloseEvent* event) {
  // A loop that lets events run is under way: it stops, and the window
  // closes once it has returned.
  if (stop_long_work_) {
    close_after_long_work_ = true;
    stop_long_work_();
    event->ignore();
    return;
  }
  // The close query: the entry editor may keep the window open.
  if (!authoring_->QueryClose()) {
    event->ignore();
    return;
  }
  if (startup_complete_) {
    Q_EMIT closingWindows();
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
