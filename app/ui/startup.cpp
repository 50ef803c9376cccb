// The start-up sequence of the main window (TMain::FormCreate) and its
// clock.
#include "app/ui/startup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "config/properties.h"
#include "app/startup_problems.h"
#include "app/ui/main_window.h"
#include "app/ui/settings_bridge.h"
#include "app/ui/splash.h"
#include "core/text/cp1252.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "render/verse_list.h"
#include "views/actions.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

bool InList(const std::vector<std::string>& list, const std::string& name) {
  return std::any_of(list.begin(), list.end(),
                     [&](const std::string& s) { return cp1252::EqualNoCase(s, name); });
}

// The tab visible flags of one kind: on unless hidden; the first module
// gets it when none has.
template <typename Module>
void SetTabFlags(const std::vector<std::unique_ptr<Module>>& list,
                 const std::vector<std::string>& hidden) {
  bool any = false;
  for (const auto& m : list) {
    m->tab_visible = !InList(hidden, m->GetAbbreviation());
    any = any || m->tab_visible;
  }
  if (!any && !list.empty()) list.front()->tab_visible = true;
}

template <typename Module>
void SetLinkFlags(const std::vector<std::unique_ptr<Module>>& list,
                  const std::vector<std::string>& excluded) {
  for (const auto& m : list) m->included_in_linking = !InList(excluded, m->GetAbbreviation());
}

}  // namespace

void TStartupTiming::Step(const char* name) {
  const double ms = static_cast<double>(launch_.nsecsElapsed()) / 1e6;
  marks_.push_back({name, ms});
  if (out_ != nullptr) {
    std::fprintf(out_, "startup: %8.1f ms (+%7.1f) %s\n", ms, ms - last_ms_, name);
    std::fflush(out_);
  }
  last_ms_ = ms;
}

void TStartupTiming::Note(const QString& text) {
  if (out_ == nullptr) return;
  std::fprintf(out_, "startup: %s\n", text.toUtf8().constData());
  std::fflush(out_);
}

bool TMain::Fail(const QString& message) {
  startup_failed_ = true;
  if (splash_ != nullptr) splash_->hide();
  ShowMessage(message);
  return false;
}

void TMain::FormCreate() {
  TStartupTiming* timing = options_.timing;
  const auto step = [timing](const char* name) {
    if (timing != nullptr) timing->Step(name);
  };
  step("main window created");

  if (options_.show_splash) {
    splash_ = new TSplash;
    splash_->show();
    splash_->SetStatus(QStringLiteral("Initializing"));
    step("splash shown");
  }
  const auto status = [this](const QString& text) {
    if (splash_ != nullptr) splash_->SetStatus(text);
  };

  program_folder_ = options_.data_folder.empty() ? ExecutableFolder() : options_.data_folder;
  if (!program_folder_.empty() && program_folder_.back() != '/' && program_folder_.back() != '\\')
    program_folder_ += '/';

  (void)LoadSettings(Storage(), program_folder_);
  step("settings loaded");
  const config::Properties& p = config::GlobalProperties();

  PlaceWindow();
  const TabAppearance look = TabAppearanceFrom(p);
  for (TResourceTabs* tabs : {bible_view_->Tabs(), dict_view_->Tabs(), comment_view_->Tabs(),
                              verse_list_view_->Tabs()})
    tabs->ApplyAppearance(look);

  status(QStringLiteral("Initializing Images"));
  Q_EMIT startupStage(TStartupStage::kImages);
  status(QStringLiteral("Initializing"));
  Result<ParagraphMap> map =
      ParagraphMap::Load(DefaultFileSystem(), program_folder_ + kParagraphMapFileName);
  if (!map.ok()) {
    Fail(QString::fromLatin1(kPmapMissingMessage));
    return;
  }
  if (library_->Paragraphs() == nullptr)
    library_->SetParagraphMap(std::make_unique<ParagraphMap>(std::move(map.value())));
  step("pmap.dat read");
  Q_EMIT startupStage(TStartupStage::kDevotions);

  const Status loaded = library_->Load(
      program_folder_, [&status](const std::string& text) { status(ToDisplayText(text)); });
  if (!loaded.ok()) {
    Fail(ToDisplayText(loaded.message()));
    return;
  }
  step("modules loaded");

  ApplyTabFlags();
  SetUpPanes();
  step("panes set up");

  // The last passage, or today's Proverb.
  if (p.startup_verse == 1) {
    bible_view_->ActionProverb->trigger();
  } else {
    const TLMBibleModule* b = bible_view_->CurrentBible();
    const int verse = (b != nullptr && IsUsableVerse(*b, p.last_bible_verse)) ? p.last_bible_verse
                                                                              : kDefaultVerse;
    bible_view_->GoToVerse(verse);
    bible_view_->TextView()->HTMLView()->SetSavedPosition(static_cast<uint32_t>(p.doc_pos_bible));
  }
  step("first chapter rendered");

  // The Book and Commentary shown at the last close.
  const auto& active = p.active_resources;
  const auto number = [](const std::string& text, int fallback) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return fallback;
    return std::stoi(text);
  };
  if (!library_->Books().empty()) {
    const TLMDictionaryModule* book =
        active.size() > 4 ? library_->FindBook(active[config::kActiveBook]) : nullptr;
    if (book != nullptr) {
      const int entry = number(active[config::kActiveBookEntry], 0);
      dict_view_->ShowBookEntry(book, entry < book->EntryCount() ? entry : 0, 0, 0);
      dict_view_->HTMLView()->SetSavedPosition(static_cast<uint32_t>(p.doc_pos_book));
    } else {
      dict_view_->ShowEntry(0, 0, 0);
    }
  }
  if (!library_->Commentaries().empty()) {
    const TLMCommentaryModule* commentary =
        active.size() > 4 ? library_->FindCommentary(active[config::kActiveCommentary]) : nullptr;
    const int position = number(active.size() > 4 ? active[config::kActiveCommentaryPosition]
                                                  : std::string(),
                                -1);
    if (commentary != nullptr && IsUsableCommentaryPosition(position)) {
      comment_view_->ShowComment(library_->IndexOf(commentary), position, 0, 0, false);
      comment_view_->HTMLView()->SetSavedPosition(static_cast<uint32_t>(p.doc_pos_commentary));
    } else if (bible_view_->CurrentVerse() > 0) {
      comment_view_->ShowComment(0, bible_view_->CurrentVerse() - 1, 0, 0, false);
    }
  }

  for (TResourceTabs* tabs : {bible_view_->Tabs(), dict_view_->Tabs(), comment_view_->Tabs()}) {
    if (p.startup_fav_tabs)
      tabs->ShowOnlySelected();
    else
      tabs->ShowAll(tabs == bible_view_->Tabs() ? 2 : 1);
  }
  if (p.view_verse_list) SetPaneShown(TPane::kVerseList, true);
  if (p.view_dict && !library_->Books().empty()) SetPaneShown(TPane::kBook, true);
  if (p.view_comment && !library_->Commentaries().empty()) SetPaneShown(TPane::kCommentary, true);
  RebuildResourceMenus();
  Q_EMIT startupStage(TStartupStage::kPanesReady);

  startup_complete_ = true;
  pane_showing_locked_ = false;
  ApplyLayout();
  actions_->UpdateNow();
  Q_EMIT startupStage(TStartupStage::kComplete);
  step("start-up complete");

  // What could not be done with the user's own modules, told once, after
  // the window shows.
  if (const std::string report = UserModuleProblems(library_->Catalogue(), DefaultFileSystem());
      !report.empty())
    QTimer::singleShot(0, this, [this, text = ToDisplayText(report)] { ShowMessage(text); });

  // The splash goes at the first idle moment.
  QTimer::singleShot(0, this, [this] {
    delete splash_;
    splash_ = nullptr;
  });
}

void TMain::PlaceWindow() {
  const config::Properties& p = config::GlobalProperties();
  placed_maximized_ = p.closed_maximized;
  QRect geometry(0, 0, 785, 566);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    geometry.moveCenter(screen->availableGeometry().center());
  if (p.state_main.IsStored()) {
    const QRect stored(p.state_main.left, p.state_main.top, p.state_main.width,
                       p.state_main.height);
    QList<QRect> available;
    for (const QScreen* screen : QGuiApplication::screens())
      available << screen->availableGeometry();
    // A position on a screen that is no longer there is not used.
    if (PositionOnScreens(stored, available)) geometry = stored;
  }
  placed_geometry_ = geometry;
}

void TMain::ApplyTabFlags() {
  const config::Properties& p = config::GlobalProperties();
  TModuleCatalogue& c = library_->Catalogue();
  for (const auto& b : c.Bibles()) {
    b->tab_visible = b.get() == c.KjvBible() || !InList(p.hidden_tabs, b->GetAbbreviation());
  }
  SetTabFlags(c.Books(), p.hidden_tabs);
  SetTabFlags(c.Commentaries(), p.hidden_tabs);
  SetLinkFlags(c.Books(), p.exclude_from_linking);
  SetLinkFlags(c.Commentaries(), p.exclude_from_linking);
}

void TMain::SetUpPanes() {
  const config::Properties& p = config::GlobalProperties();
  bible_view_->SetBibles();

  // The Bible shown at the last close: searched from the last Bible down to
  // the second; the first (the KJV Bible) otherwise.
  const auto& bibles = library_->Bibles();
  const TLMBibleModule* chosen = bibles.empty() ? nullptr : bibles.front();
  if (p.active_resources.size() > 4 && !p.active_resources[config::kActiveBible].empty()) {
    for (size_t i = bibles.size(); i-- > 1;) {
      if (cp1252::EqualNoCase(bibles[i]->GetAbbreviation(),
                              p.active_resources[config::kActiveBible])) {
        chosen = bibles[i];
        break;
      }
    }
  }
  if (chosen != nullptr) bible_view_->ShowBible(chosen);
  dict_view_->SetBooks();
  comment_view_->SetCommentaries();
  const TLMBibleModule* list_bible =
      p.active_resources.size() > 5 ? library_->FindBible(p.active_resources[5]) : nullptr;
  verse_list_view_->SetBible(list_bible != nullptr ? list_bible : library_->Kjv());
}

}  // namespace lumora::ui
