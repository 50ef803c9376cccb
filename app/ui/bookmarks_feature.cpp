#include "app/ui/bookmarks_feature.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QSessionManager>

#include "app/ui/bookmark_dialogs.h"
#include "app/ui/main_window.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "views/actions.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/settings.h"

namespace lumora::ui {
namespace {

constexpr const char* kBookmarkHelpTopic = "Scribble110";
// The submenus list the bookmarks as the keyboard does: 1 to 9, then 0.
constexpr int kMenuOrder[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0};

QString Text(const std::string& cp1252) { return ToDisplayText(cp1252); }

void SetTextIfChanged(QAction* a, const QString& text) {
  if (a != nullptr && a->text() != text) a->setText(text);
}

bool Inside(const QWidget* view, const QWidget* focus) {
  return view != nullptr && focus != nullptr && (focus == view || view->isAncestorOf(focus));
}

}  // namespace

int ShiftedDigit(int key, quint32 native_scan_code, const QString& platform) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key - Qt::Key_0;
  if (native_scan_code != 0) {
    // The digit row's keys by position: X keycodes 10..19 (evdev 2..11 plus
    // 8) and Windows scan codes 2..11, "1" first and "0" last.
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
      return native_scan_code >= 10 && native_scan_code <= 19
                 ? static_cast<int>(native_scan_code - 9) % 10
                 : -1;
    if (platform == QLatin1String("windows"))
      return native_scan_code >= 2 && native_scan_code <= 11
                 ? static_cast<int>(native_scan_code - 1) % 10
                 : -1;
  }
  switch (key) {
    case Qt::Key_Exclam:
      return 1;
    case Qt::Key_At:
      return 2;
    case Qt::Key_NumberSign:
      return 3;
    case Qt::Key_Dollar:
      return 4;
    case Qt::Key_Percent:
      return 5;
    case Qt::Key_AsciiCircum:
      return 6;
    case Qt::Key_Ampersand:
      return 7;
    case Qt::Key_Asterisk:
      return 8;
    case Qt::Key_ParenLeft:
      return 9;
    case Qt::Key_ParenRight:
      return 0;
    default:
      return -1;
  }
}

TBookmarks::TBookmarks(TMain& main) : main_(main) {
  setObjectName(QStringLiteral("Bookmarks"));
  BindCommands();
  main_.Actions().AddUpdater(this, [this] { UpdateActions(); });
  qApp->installEventFilter(this);
  // A desktop session that ends takes the program with it, perhaps without
  // a close: the settings are written first.
  connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
          [this](QSessionManager&) { SaveForSessionEnd(); });
}

TBookmarks::~TBookmarks() = default;

void TBookmarks::BindCommands() {
  const auto bind = [this](const std::string& name, auto&& handler) {
    QAction* a = main_.MainAction(name.c_str());
    if (a == nullptr) return;
    connect(a, &QAction::triggered, this, std::forward<decltype(handler)>(handler));
    a->setEnabled(true);
  };
  for (int n = 0; n < config::kBookmarkCount; ++n) {
    const std::string digit = std::to_string(n);
    bind("ActionGoBookmark" + digit, [this, n] { Follow(n); });
    bind("ActionSetBookmark" + digit, [this, n] { OpenSetDialog(n); });
    bind("ActionClearBookmark" + digit, [this, n] { Clear(n); });
  }
  bind("ActionClearAllBookmarks", [this] { ClearAll(); });
  bind("ActionSetTitles", [this] { OpenTitlesDialog(); });
  UpdateActions();
}

bool TBookmarks::Loaded(int kind, const std::string& abbreviation) const {
  const TLibrary& library = main_.Library();
  if (kind == config::kBookmarkCommentary) return library.FindCommentary(abbreviation) != nullptr;
  if (kind == config::kBookmarkBook) return library.FindBook(abbreviation) != nullptr;
  return false;
}

void TBookmarks::UpdateActions() {
  const config::Properties& p = main_.Settings().Values();
  const auto loaded = [this](int kind, const std::string& a) { return Loaded(kind, a); };
  for (int n = 0; n < config::kBookmarkCount; ++n) {
    const std::string digit = std::to_string(n);
    const std::string& title = p.bookmark_titles[static_cast<size_t>(n)];
    const config::BookmarkRecord& record = p.bookmarks[static_cast<size_t>(n)];
    QAction* go = main_.MainAction(("ActionGoBookmark" + digit).c_str());
    SetTextIfChanged(go, Text(GoBookmarkCaption(n, record, title)));
    if (go != nullptr) go->setEnabled(BookmarkFollowable(record, loaded));
    SetTextIfChanged(main_.MainAction(("ActionSetBookmark" + digit).c_str()),
                     Text(SetBookmarkCaption(n, title)));
    SetTextIfChanged(main_.MainAction(("ActionClearBookmark" + digit).c_str()),
                     Text(ClearBookmarkCaption(n, title)));
  }
}

void TBookmarks::Changed() {
  main_.Settings().Commit(kSettingsBookmarks);
  main_.Actions().Invalidate();
  // Written now as well as at close: a crash keeps the bookmarks.
  (void)main_.SaveSettingsNow();
}

// --- Setting, clearing, titles ----------------------------------------------------------

bool TBookmarks::Store(int index, const config::BookmarkRecord& record) {
  if (index < 0 || index >= config::kBookmarkCount) return false;
  const config::BookmarkRecord r = NormalizedBookmark(record);
  if (!r.InUse()) return false;
  main_.Settings().Values().bookmarks[static_cast<size_t>(index)] = r;
  Changed();
  return true;
}

void TBookmarks::Clear(int index) {
  if (index < 0 || index >= config::kBookmarkCount) return;
  main_.Settings().Values().bookmarks[static_cast<size_t>(index)].Clear();
  Changed();
}

void TBookmarks::ClearAll() {
  for (config::BookmarkRecord& r : main_.Settings().Values().bookmarks) r.Clear();
  Changed();
}

void TBookmarks::SetTitles(const BookmarkTitles& titles) {
  auto& stored = main_.Settings().Values().bookmark_titles;
  for (size_t i = 0; i < stored.size(); ++i) stored[i] = TrimmedBookmarkTitle(titles[i]);
  Changed();
}

// --- Following -----------------------------------------------------------------------------

void TBookmarks::Follow(int index) {
  if (index < 0 || index >= config::kBookmarkCount) return;
  const config::BookmarkRecord r =
      NormalizedBookmark(main_.Settings().Values().bookmarks[static_cast<size_t>(index)]);
  const TLibrary& library = main_.Library();
  switch (r.kind) {
    case config::kBookmarkBible:
      // In whatever Bible the view shows; the stored abbreviation is not used.
      main_.GoToVerse(r.position, false);
      break;
    case config::kBookmarkCommentary:
      if (const TLMCommentaryModule* c = library.FindCommentary(r.abbrev))
        main_.ShowCommentary(c, r.position, 0, 0);
      break;
    case config::kBookmarkBook:
      if (const TLMDictionaryModule* b = library.FindBook(r.abbrev)) {
        const int entry = FindBookmarkEntry(*b, r.text);
        if (entry >= 0) {
          main_.ShowBookEntry(*b, entry, kNoMarkedVerse, kNoMarkedVerse);
        } else {
          // The Book without the entry: it keeps its current one.
          main_.ShowPane(TPane::kBook);
          main_.DictView()->ShowBook(b);
        }
      }
      break;
    default:
      break;
  }
}

// --- The panes' submenus -------------------------------------------------------------------

void TBookmarks::AddSetBookmarkMenu(QMenu& menu, const QString& caption,
                                    const TBookmarkTarget& target, bool enabled) {
  QMenu* sub = menu.addMenu(caption);
  sub->setObjectName(QStringLiteral("MenuSetBookmark"));
  const config::BookmarkRecord record =
      MakeBookmark(target.kind, target.abbreviation, target.position, target.text);
  for (int n : kMenuOrder) {
    QAction* item = sub->addAction(QString());
    item->setObjectName(QStringLiteral("SetBookmark%1").arg(n));
    item->setData(n);
    item->setEnabled(enabled && record.InUse());
    connect(item, &QAction::triggered, this, [this, n, record] { Store(n, record); });
  }
  const auto captions = [this, sub] {
    const config::Properties& p = main_.Settings().Values();
    for (QAction* item : sub->actions()) {
      const int n = item->data().toInt();
      SetTextIfChanged(item,
                       Text(SetBookmarkItemCaption(n, p.bookmarks[static_cast<size_t>(n)],
                                                   p.bookmark_titles[static_cast<size_t>(n)])));
    }
  };
  captions();
  connect(sub, &QMenu::aboutToShow, this, captions);
}

// --- The dialogs ----------------------------------------------------------------------------

BookmarkSources TBookmarks::Sources() const {
  const TLibrary& library = main_.Library();
  BookmarkSources s;
  s.kjv = library.Kjv();
  if (const TLMBibleModule* bible = main_.BibleViewBible())
    s.bible_abbreviation = bible->GetAbbreviation();
  s.bible_verse = main_.BibleViewVerse();
  s.commentaries_loaded = !library.Commentaries().empty();
  if (const TLMCommentaryModule* c = main_.CommentView()->CurrentCommentary()) {
    s.commentary_abbreviation = c->GetAbbreviation();
    s.commentary_position = main_.CommentView()->CurrentPosition();
  }
  s.books_loaded = !library.Books().empty();
  if (const TLMDictionaryModule* b = main_.DictView()->CurrentBook()) {
    s.book_abbreviation = b->GetAbbreviation();
    const int entry = main_.DictView()->CurrentEntry();
    if (entry >= 0 && entry < b->EntryCount()) {
      s.book_has_entry = true;
      s.entry_title = b->EntryTitles()[static_cast<size_t>(entry)];
    }
  }
  return s;
}

BookmarkFocus TBookmarks::Focus() const {
  const QWidget* focus = QApplication::focusWidget();
  if (!main_.Library().Books().empty() && Inside(main_.DictView()->HTMLView(), focus))
    return BookmarkFocus::kBookView;
  if (!main_.Library().Commentaries().empty() && Inside(main_.CommentView()->HTMLView(), focus))
    return BookmarkFocus::kCommentaryView;
  return BookmarkFocus::kElsewhere;
}

void TBookmarks::OpenSetDialog(int index) {
  if (index < 0 || index >= config::kBookmarkCount) return;
  if (set_dialog_ == nullptr) {
    set_dialog_ = new TDlgSetBookmark(&main_);
    set_dialog_->setWindowModality(Qt::WindowModal);
    connect(set_dialog_, &QDialog::accepted, this, [this] {
      const BookmarkChoice& choice = pending_[static_cast<size_t>(set_dialog_->Choice())];
      // A choice whose pane has nothing to offer stores nothing.
      if (choice.available) Store(set_dialog_->Index(), choice.record);
    });
    connect(set_dialog_, &TDlgSetBookmark::helpRequested, this,
            [this] { main_.ShowHelpTopic(QString::fromLatin1(kBookmarkHelpTopic)); });
  }
  const BookmarkFocus focus = Focus();
  pending_ = MakeBookmarkChoices(Sources());
  set_dialog_->Prepare(index, main_.Settings().Values().bookmarks[static_cast<size_t>(index)],
                       pending_, PreselectedBookmarkChoice(focus, pending_),
                       static_cast<bool>(main_.help_viewer));
  set_dialog_->open();
}

void TBookmarks::OpenTitlesDialog() {
  if (titles_dialog_ == nullptr) {
    titles_dialog_ = new TDlgBookmarkTitles(
        &main_,
        [this](const QString& question) {
          return main_.AskYesNo(QStringLiteral("Bookmark Titles"), question);
        },
        [this](const QString& text) { main_.ShowMessage(text); });
    titles_dialog_->setWindowModality(Qt::WindowModal);
    connect(titles_dialog_, &QDialog::accepted, this,
            [this] { SetTitles(titles_dialog_->Titles()); });
    connect(titles_dialog_, &TDlgBookmarkTitles::helpRequested, this,
            [this] { main_.ShowHelpTopic(QString::fromLatin1(kBookmarkHelpTopic)); });
  }
  const config::Properties& p = main_.Settings().Values();
  BookmarkRecords records;
  std::copy(p.bookmarks.begin(), p.bookmarks.end(), records.begin());
  titles_dialog_->Prepare(records, p.bookmark_titles, static_cast<bool>(main_.help_viewer));
  titles_dialog_->open();
}

void TBookmarks::SaveForSessionEnd() { (void)main_.SaveSettingsNow(); }

// --- Keys ----------------------------------------------------------------------------------

bool TBookmarks::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  if (mods != (Qt::ControlModifier | Qt::ShiftModifier)) return false;
  // A digit that got here was not taken by its shortcut (a dialog is open,
  // or the command is disabled): leave it alone.
  if (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9) return false;
  const auto* widget = qobject_cast<const QWidget*>(watched);
  if (widget == nullptr || widget->window() != &main_ || QApplication::activeModalWidget() ||
      QApplication::activePopupWidget())
    return false;
  const int digit =
      ShiftedDigit(key->key(), key->nativeScanCode(), QGuiApplication::platformName());
  if (digit < 0) return false;
  QAction* set = main_.MainAction(("ActionSetBookmark" + std::to_string(digit)).c_str());
  if (set == nullptr || !set->isEnabled()) return false;
  set->trigger();
  return true;
}

void InstallBookmarksFeature(TMain& main) {
  main.InstallBookmarks(std::make_unique<TBookmarks>(main));
}

}  // namespace lumora::ui
