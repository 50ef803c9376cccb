// TFrameCommentView: construction, set-up, navigation (ShowComment and its
// relatives, tabs, the entry box, history) and the library's changes. The
// commands and the right-click menu are in comment_view_commands.cpp.
#include "views/comment_view.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "config/properties.h"
#include "render/ui/display_text.h"
#include "views/actions.h"
#include "views/bible_view_logic.h"
#include "views/entry_box.h"
#include "views/library.h"
#include "views/resource_menu.h"
#include "views/resource_tabs.h"
#include "views/resource_view_frame.h"

namespace lumora::ui {

TFrameCommentView::TFrameCommentView(const TPaneContext& context, QWidget* parent)
    : QWidget(parent), context_(context), host_(context.host), library_(context.library) {
  setObjectName(QStringLiteral("FrameCommentView"));
  setAccessibleName(QStringLiteral("Commentary View"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  tabs_ = new TResourceTabs(this);
  tabs_->setObjectName(QStringLiteral("TabsCommentary"));
  tabs_->setAccessibleName(QStringLiteral("Commentaries"));
  layout->addWidget(tabs_);

  tool_bar_ = new QToolBar(this);
  tool_bar_->setObjectName(QStringLiteral("ToolBarCommentary"));
  tool_bar_->setIconSize(QSize(16, 16));
  tool_bar_->setAutoFillBackground(true);
  tool_bar_->setBackgroundRole(QPalette::Button);
  layout->addWidget(tool_bar_);

  resource_view_ = new TFrameResourceView(host_, library_, this);
  layout->addWidget(resource_view_, 1);
  setFocusProxy(resource_view_->HTMLViewer());

  entry_box_ = new TEntryBox(tool_bar_);
  entry_box_->setObjectName(QStringLiteral("ComboCommentary"));
  entry_box_->setToolTip(QStringLiteral("Current Entry"));
  entry_box_->setStatusTip(QStringLiteral("Current Entry"));
  entry_box_->setAccessibleName(QStringLiteral("Current Entry"));
  entry_box_->rows = [this] {
    return resource_view_->height() / (QFontMetrics(entry_box_->font()).height() + 2);
  };

  CreateActions();
  CreateToolBar();

  tabs_->SetCorrespondingTest([this](int index) { return Corresponds(index); });
  connect(tabs_, &TResourceTabs::currentTabChanged, this, &TFrameCommentView::OnTabChanged);
  connect(tabs_, &TResourceTabs::tabsChanged, this, &TFrameCommentView::stateChanged);
  connect(entry_box_, &TEntryBox::chosen, this, &TFrameCommentView::ShowCommentEntry);
  connect(entry_box_, &TEntryBox::enterPressed, this, &TFrameCommentView::OnEntryBoxEnter);

  resource_view_->on_entry_link = [this](int n) { ShowCommentEntry(n); };
  resource_view_->on_edit_link = [this](bool book) {
    if (!book && ActionEditComment->isEnabled()) EditComment();
  };
  resource_view_->on_right_click = [this](const std::string& url, const std::string&,
                                          const std::string&, const std::string& selected,
                                          const QPoint& at) { ShowContextMenu(url, selected, at); };
  connect(resource_view_->HTMLViewer(), &QTextEdit::copyAvailable, this,
          &TFrameCommentView::stateChanged);
  // Ctrl+Shift+C reaches the pane's command, not the widget's selection keys.
  resource_view_->HTMLViewer()->installEventFilter(this);
  history_buttons_ = new THistoryButtons(this, [this](bool back) {
    if (back)
      JumpBack(0);
    else
      JumpForward(0);
  });

  connect(this, &TFrameCommentView::stateChanged, this, &TFrameCommentView::UpdateActions);
  connect(this, &TFrameCommentView::stateChanged, &context_.actions, &TActions::Invalidate);
  context_.actions.AddUpdater(this, [this] { UpdateActions(); });
  connect(&library_, &TLibrary::modulesAboutToChange, this, &TFrameCommentView::DropModules);
  connect(&library_, &TLibrary::modulesChanged, this, &TFrameCommentView::AttachModules);
  connect(&context_.settings, &TSettings::changed, this, &TFrameCommentView::OnSettingsChanged);
  UpdateActions();
}

TFrameCommentView::~TFrameCommentView() = default;

void TFrameCommentView::CreateToolBar() {
  back_button_ = new QToolButton(tool_bar_);
  back_button_->setObjectName(QStringLiteral("ButtonBack"));
  back_button_->setDefaultAction(ActionBack);
  back_button_->setPopupMode(QToolButton::MenuButtonPopup);
  auto* back_menu = new QMenu(back_button_);
  connect(back_menu, &QMenu::aboutToShow, this, [this, back_menu] {
    FillHistoryMenu(back_menu, HistoryCaptions(true), [this](int k) { JumpBack(k); });
  });
  back_button_->setMenu(back_menu);
  tool_bar_->addWidget(back_button_);

  forward_button_ = new QToolButton(tool_bar_);
  forward_button_->setObjectName(QStringLiteral("ButtonForward"));
  forward_button_->setDefaultAction(ActionForward);
  forward_button_->setPopupMode(QToolButton::MenuButtonPopup);
  auto* forward_menu = new QMenu(forward_button_);
  connect(forward_menu, &QMenu::aboutToShow, this, [this, forward_menu] {
    FillHistoryMenu(forward_menu, HistoryCaptions(false), [this](int k) { JumpForward(k); });
  });
  forward_button_->setMenu(forward_menu);
  tool_bar_->addWidget(forward_button_);

  tool_bar_->addWidget(entry_box_);
  tool_bar_->addAction(ActionTopicGuideCmt);
  tool_bar_->addAction(ActionEditComment);
  tool_bar_->addAction(ActionClearComment);
  tool_bar_->addAction(ActionGoBible);
  tool_bar_->addSeparator();
  tool_bar_->addAction(ActionMax);
}

// --- Set-up and the library ----------------------------------------------------------

void TFrameCommentView::ApplyDisplaySettings() {
  resource_view_->ApplyDisplaySettings(config::GlobalProperties().comment_view);
}

void TFrameCommentView::SetCommentaries() {
  dropped_ = false;
  ApplyDisplaySettings();
  history_.Clear();
  resource_view_->SetEntryHeader(std::string());
  resource_view_->AttachLibrary();
  const TLMBibleModule* kjv = library_.Kjv();
  parser_ = kjv != nullptr ? std::make_unique<ReferenceParser>(*kjv) : nullptr;
  std::vector<TResourceTabs::Entry> entries;
  for (const TLMCommentaryModule* c : library_.Commentaries())
    entries.push_back({c->GetAbbreviation(), c->GetTitle(), &c->tab_visible});
  tabs_->SetEntries(std::move(entries));
  current_position_ = -1;
  shown_abbreviation_.clear();
  resource_view_->Clear();
  FillEntryBox();
  UpdateCorresponding();
  Q_EMIT stateChanged();
}

void TFrameCommentView::DropModules() {
  // A menu built for the old lists would act on modules that may go.
  if (context_menu_) context_menu_->close();
  // What the strip shows, by abbreviation: tabs survive the rebuild.
  kept_hidden_.clear();
  const auto& list = library_.Commentaries();
  for (int i = 0; i < tabs_->count() && i < static_cast<int>(list.size()); ++i)
    if (!tabs_->isTabVisible(i))
      kept_hidden_.push_back(list[static_cast<size_t>(i)]->GetAbbreviation());
  const TLMCommentaryModule* current = CurrentCommentary();
  kept_current_ = current != nullptr ? current->GetAbbreviation() : std::string();
  dropped_ = true;
  resource_view_->DropModules();
  entry_box_->SetTitles({});
  parser_.reset();
  title_slots_.clear();
  corresponding_.clear();
  // The strip reads the modules' tab visible flags: it lets go of them too.
  tabs_->SetEntries({});
  Q_EMIT stateChanged();
}

void TFrameCommentView::AttachModules() {
  const int position = current_position_;
  const bool was_shown = !shown_abbreviation_.empty() && shown_abbreviation_ == kept_current_;
  const auto& list = library_.Commentaries();
  dropped_ = false;
  resource_view_->AttachLibrary();
  const TLMBibleModule* kjv = library_.Kjv();
  parser_ = kjv != nullptr ? std::make_unique<ReferenceParser>(*kjv) : nullptr;
  history_.RemoveIf([this](const TCommentaryPlace& item) {
    return library_.FindCommentary(item.abbreviation) == nullptr;
  });
  std::vector<TResourceTabs::Entry> entries;
  for (const TLMCommentaryModule* c : list)
    entries.push_back({c->GetAbbreviation(), c->GetTitle(), &c->tab_visible});
  tabs_->SetEntries(std::move(entries));
  for (int i = 0; i < static_cast<int>(list.size()); ++i) {
    for (const std::string& h : kept_hidden_)
      if (h == list[static_cast<size_t>(i)]->GetAbbreviation()) tabs_->setTabVisible(i, false);
  }
  const TLMCommentaryModule* own =
      kept_current_.empty() ? nullptr : library_.FindCommentary(kept_current_);
  if (own != nullptr) tabs_->SetCurrentSilently(library_.IndexOf(own));
  FillEntryBox();
  if (own != nullptr && was_shown && IsUsableCommentaryPosition(position)) {
    ShowPosition(position, Reference(position), TitleIndexOf(position), 0, 0);
  } else {
    // The Commentary shown left with the old lists: nothing is shown.
    ClearPosition();
  }
}

void TFrameCommentView::OnSettingsChanged(SettingsParts parts) {
  if ((parts & (kSettingsCommentView | kSettingsLinking | kSettingsColors)) == 0) return;
  RefreshView();
}

const TLMCommentaryModule* TFrameCommentView::CurrentCommentary() const {
  if (dropped_) return nullptr;
  const auto& list = library_.Commentaries();
  const int i = tabs_->currentIndex();
  return i >= 0 && i < static_cast<int>(list.size()) ? list[static_cast<size_t>(i)] : nullptr;
}

THtmlView* TFrameCommentView::HTMLView() const { return resource_view_->HTMLViewer(); }

// --- Entry box ---------------------------------------------------------------------

void TFrameCommentView::FillEntryBox() {
  title_slots_.clear();
  const TLMCommentaryModule* c = CurrentCommentary();
  if (c == nullptr) {
    entry_box_->SetTitles({});
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::vector<std::string>& titles = c->EntryTitles();
  // The titles are the references of the slots with text, in slot order.
  title_slots_.reserve(titles.size());
  for (int slot = 0; slot <= kLastCommentaryPosition; ++slot)
    if (c->HasEntry(slot)) title_slots_.push_back(slot);
  if (title_slots_.size() != titles.size()) {
    // A title block that does not match the slots: read the titles.
    title_slots_.clear();
    for (const std::string& t : titles) {
      const ParsedReferences parsed = parser_ ? parser_->Parse(t) : ParsedReferences{};
      title_slots_.push_back(parsed.ranges.empty() ? -1 : parsed.ranges.front().first - 1);
    }
  }
  entry_box_->SetTitles(titles);
  QApplication::restoreOverrideCursor();
}

int TFrameCommentView::TitleIndexOf(int position) const {
  const auto it = std::lower_bound(title_slots_.begin(), title_slots_.end(), position);
  if (it != title_slots_.end() && *it == position)
    return static_cast<int>(it - title_slots_.begin());
  // Titles read one by one need not be sorted.
  const auto found = std::find(title_slots_.begin(), title_slots_.end(), position);
  return found == title_slots_.end() ? -1 : static_cast<int>(found - title_slots_.begin());
}

std::string TFrameCommentView::Reference(int position) const {
  const TLMBibleModule* kjv = library_.Kjv();
  if (kjv == nullptr || dropped_ || !IsUsableVerse(*kjv, position + 1)) return {};
  return VerseReference(*kjv, position + 1, true);
}

void TFrameCommentView::OnEntryBoxEnter(const QString& text) {
  const std::string typed = FromDisplayText(text.trimmed());
  if (!typed.empty() && parser_) {
    const ParsedReferences parsed = parser_->Parse(typed);
    if (parsed.ranges.empty())
      host_.ShowMessage(QString::fromLatin1(kUnrecognizedReference));
    else
      ShowCommentAt(parsed.ranges.front().first - 1);
  }
  entry_box_->lineEdit()->selectAll();
}

// --- Navigation ---------------------------------------------------------------------

void TFrameCommentView::RecordHistory() {
  if (!history_.Recording()) return;
  const TLMCommentaryModule* shown = shown_abbreviation_.empty() || dropped_
                                         ? nullptr
                                         : library_.FindCommentary(shown_abbreviation_);
  // A position counts only where the Commentary has a comment.
  const bool counts =
      current_position_ >= 0 && shown != nullptr && shown->HasEntry(current_position_);
  history_.Record({shown_abbreviation_, static_cast<uint16_t>(std::max(current_position_, 0))},
                  counts);
}

void TFrameCommentView::ShowComment(int k, int position, int first, int last, bool force) {
  const auto& list = library_.Commentaries();
  if (dropped_ || k < 0 || k >= static_cast<int>(list.size())) return;
  host_.ShowPane(TPane::kCommentary);
  RecordHistory();
  if (force || tabs_->currentIndex() != k) {
    resource_view_->Clear();
    // Selected without the tab-change handling: this verse is shown once,
    // in the new Commentary, and the old one is not shown again first.
    tabs_->SetCurrentSilently(k);
    FillEntryBox();
  }
  if (!IsUsableCommentaryPosition(position)) {
    ClearPosition();
    return;
  }
  ShowPosition(position, Reference(position), TitleIndexOf(position), first, last);
}

void TFrameCommentView::ShowCommentAt(int position) {
  if (CurrentCommentary() == nullptr) return;
  host_.ShowPane(TPane::kCommentary);
  RecordHistory();
  if (!IsUsableCommentaryPosition(position)) {
    ClearPosition();
    return;
  }
  ShowPosition(position, Reference(position), TitleIndexOf(position), 0, 0);
}

void TFrameCommentView::ShowCommentEntry(int n) {
  const TLMCommentaryModule* c = CurrentCommentary();
  if (c == nullptr || n < 0 || n >= static_cast<int>(c->EntryTitles().size())) return;
  host_.ShowPane(TPane::kCommentary);
  const std::string title = c->EntryTitles()[static_cast<size_t>(n)];
  const ParsedReferences parsed = parser_ ? parser_->Parse(title) : ParsedReferences{};
  if (parsed.ranges.empty() || !IsUsableCommentaryPosition(parsed.ranges.front().first - 1)) {
    tabs_->update();
    return;
  }
  RecordHistory();
  ShowPosition(parsed.ranges.front().first - 1, title, n, 0, 0);
}

void TFrameCommentView::ShowPosition(int position, const std::string& title, int item, int first,
                                     int last) {
  const TLMCommentaryModule* c = CurrentCommentary();
  if (c == nullptr) return;
  entry_box_->Select(item);
  current_position_ = position;
  // An empty verse of a user Commentary invites the user to write on it.
  std::string header;
  if (!c->IsReadOnly() && !c->HasEntry(position))
    header = "<a href=\"editc:" + std::to_string(position) + "\">Edit this comment</a>";
  resource_view_->SetEntryHeader(std::move(header));
  resource_view_->ShowEntry(c->GetEntryText(position), title, c->EntryTitles(), first, last);
  shown_abbreviation_ = c->GetAbbreviation();
  UpdateCorresponding();
  Q_EMIT stateChanged();
}

void TFrameCommentView::ClearPosition() {
  resource_view_->Clear();
  resource_view_->SetEntryHeader(std::string());
  current_position_ = -1;
  shown_abbreviation_.clear();
  entry_box_->Select(-1);
  UpdateCorresponding();
  Q_EMIT stateChanged();
}

void TFrameCommentView::EntriesChanged() {
  FillEntryBox();
  RefreshView();
}

void TFrameCommentView::RefreshView() {
  ApplyDisplaySettings();
  // Nothing shown yet: nothing to show again.
  if (current_position_ < 0 || CurrentCommentary() == nullptr) return;
  // Re-shown as it is: no history, the pane left as it is.
  ShowPosition(current_position_, Reference(current_position_), TitleIndexOf(current_position_), 0,
               0);
}

void TFrameCommentView::OnTabChanged(int /*index*/) {
  resource_view_->Clear();
  FillEntryBox();
  if (CurrentCommentary() != nullptr && current_position_ >= 0) {
    // The same verse in the new Commentary.
    ShowCommentAt(current_position_);
    return;
  }
  UpdateCorresponding();
  Q_EMIT stateChanged();
}

// --- History -----------------------------------------------------------------------

void TFrameCommentView::JumpBack(int k) {
  if (k < 0 || dropped_) return;
  const TLMCommentaryModule* shown =
      shown_abbreviation_.empty() ? nullptr : library_.FindCommentary(shown_abbreviation_);
  const bool counts =
      current_position_ >= 0 && shown != nullptr && shown->HasEntry(current_position_);
  history_.JumpBack(static_cast<size_t>(k),
                    {shown_abbreviation_, static_cast<uint16_t>(std::max(current_position_, 0))},
                    counts, [this](const TCommentaryPlace& target) {
                      const TLMCommentaryModule* c = library_.FindCommentary(target.abbreviation);
                      const int index = c != nullptr ? library_.IndexOf(c) : 0;
                      ShowComment(index, target.position, 0, 0, false);
                    });
  Q_EMIT stateChanged();
}

void TFrameCommentView::JumpForward(int k) {
  if (k < 0 || dropped_) return;
  // The forward jump keeps the position left whether or not it has a
  // comment (a position is always shown when there is somewhere to go).
  history_.JumpForward(static_cast<size_t>(k),
                       {shown_abbreviation_, static_cast<uint16_t>(std::max(current_position_, 0))},
                       current_position_ >= 0 && !shown_abbreviation_.empty(),
                       [this](const TCommentaryPlace& target) {
                         const TLMCommentaryModule* c =
                             library_.FindCommentary(target.abbreviation);
                         const int index = c != nullptr ? library_.IndexOf(c) : 0;
                         ShowComment(index, target.position, 0, 0, false);
                       });
  Q_EMIT stateChanged();
}

QStringList TFrameCommentView::HistoryCaptions(bool back) const {
  QStringList captions;
  const TLMBibleModule* kjv = library_.Kjv();
  if (kjv == nullptr || dropped_) return captions;
  for (const TCommentaryPlace& item : back ? history_.Back() : history_.Forward())
    captions << ToDisplayText(CommentaryHistoryCaption(item, *kjv));
  return captions;
}

// --- Tabs ---------------------------------------------------------------------------

void TFrameCommentView::UpdateCorresponding() {
  const auto& list = library_.Commentaries();
  corresponding_.assign(list.size(), false);
  if (!dropped_ && current_position_ >= 0) {
    for (size_t i = 0; i < list.size(); ++i)
      corresponding_[i] = list[i]->HasEntry(current_position_);
  }
  tabs_->update();
}

bool TFrameCommentView::Corresponds(int index) const {
  return !dropped_ && index >= 0 && index < static_cast<int>(corresponding_.size()) &&
         corresponding_[static_cast<size_t>(index)];
}

// --- Keys ---------------------------------------------------------------------------

bool TFrameCommentView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (ActionAppendSelection->shortcut() == QKeySequence(key->keyCombination())) {
      // Left unaccepted, the key goes to the pane's command.
      event->ignore();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace lumora::ui
