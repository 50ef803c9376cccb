// TFrameDictView: construction, set-up, navigation (tabs, entries, the
// entry box, history) and the library's changes. The commands and the
// right-click menu are in dict_view_commands.cpp.
#include "views/dict_view.h"

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
#include "core/text/cp1252.h"
#include "render/html_escape.h"
#include "render/ui/display_text.h"
#include "views/actions.h"
#include "views/entry_box.h"
#include "views/library.h"
#include "views/resource_menu.h"
#include "views/resource_tabs.h"
#include "views/resource_view_frame.h"

namespace lumora::ui {

TFrameDictView::TFrameDictView(const TPaneContext& context, QWidget* parent)
    : QWidget(parent), context_(context), host_(context.host), library_(context.library) {
  setObjectName(QStringLiteral("FrameDictView"));
  setAccessibleName(QStringLiteral("Book View"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  tabs_ = new TResourceTabs(this);
  tabs_->setObjectName(QStringLiteral("TabsBook"));
  tabs_->setAccessibleName(QStringLiteral("Books"));
  layout->addWidget(tabs_);

  tool_bar_ = new QToolBar(this);
  tool_bar_->setObjectName(QStringLiteral("ToolBarBook"));
  tool_bar_->setIconSize(QSize(16, 16));
  tool_bar_->setAutoFillBackground(true);
  tool_bar_->setBackgroundRole(QPalette::Button);
  layout->addWidget(tool_bar_);

  resource_view_ = new TFrameResourceView(host_, library_, this);
  layout->addWidget(resource_view_, 1);
  setFocusProxy(resource_view_->HTMLViewer());

  entry_box_ = new TEntryBox(tool_bar_);
  entry_box_->setObjectName(QStringLiteral("ComboBook"));
  entry_box_->setToolTip(QStringLiteral("Current Entry"));
  entry_box_->setStatusTip(QStringLiteral("Current Entry"));
  entry_box_->setAccessibleName(QStringLiteral("Current Entry"));
  entry_box_->SetTypeAhead(true);
  entry_box_->rows = [this] {
    return resource_view_->height() / (QFontMetrics(entry_box_->font()).height() + 2);
  };
  entry_box_->popup_width = [this] {
    return resource_view_->width() - entry_box_->mapTo(this, QPoint(0, 0)).x() - 10;
  };

  CreateActions();
  CreateToolBar();

  tabs_->SetCorrespondingTest([this](int index) { return Corresponds(index); });
  connect(tabs_, &TResourceTabs::currentTabChanged, this, &TFrameDictView::OnTabChanged);
  connect(tabs_, &TResourceTabs::tabsChanged, this, &TFrameDictView::stateChanged);
  connect(entry_box_, &TEntryBox::chosen, this, [this](int index) { ShowEntry(index, 0, 0); });
  connect(entry_box_, &TEntryBox::enterPressed, this, [this](const QString& text) {
    // Enter takes the title typed (or the first that begins with it).
    const std::string typed = FromDisplayText(text.trimmed());
    int index = entry_box_->Model().FindExact(typed);
    if (index < 0) index = entry_box_->Model().FindPrefix(typed);
    if (index >= 0) ShowEntry(index, 0, 0);
    entry_box_->lineEdit()->selectAll();
  });

  resource_view_->on_entry_link = [this](int n) {
    const TLMDictionaryModule* b = CurrentBook();
    // A link to an entry the Book does not have does nothing.
    if (b != nullptr && n >= 0 && n < b->EntryCount()) ShowEntry(n, 0, 0);
  };
  resource_view_->on_edit_link = [this](bool book) {
    UpdateActions();
    if (book && ActionEditEntry->isEnabled()) ActionEditEntry->trigger();
  };
  resource_view_->on_right_click = [this](const std::string& url, const std::string&,
                                          const std::string&, const std::string& selected,
                                          const QPoint& at) { ShowContextMenu(url, selected, at); };
  connect(resource_view_->HTMLViewer(), &QTextEdit::copyAvailable, this,
          &TFrameDictView::stateChanged);
  resource_view_->HTMLViewer()->installEventFilter(this);
  history_buttons_ = new THistoryButtons(this, [this](bool back) {
    if (back)
      JumpBack(0);
    else
      JumpForward(0);
  });

  connect(this, &TFrameDictView::stateChanged, this, &TFrameDictView::UpdateActions);
  connect(this, &TFrameDictView::stateChanged, &context_.actions, &TActions::Invalidate);
  context_.actions.AddUpdater(this, [this] { UpdateActions(); });
  connect(&library_, &TLibrary::modulesAboutToChange, this, &TFrameDictView::DropModules);
  connect(&library_, &TLibrary::modulesChanged, this, &TFrameDictView::AttachModules);
  // A Book that gains or loses an entry renumbers the ones after it: the
  // history follows them by title.
  connect(&library_, &TLibrary::bookEntriesAboutToChange, this,
          [this](const TLMDictionaryModule* book) { titles_before_ = book->EntryTitles(); });
  connect(&library_, &TLibrary::bookEntriesChanged, this, [this](const TLMDictionaryModule* book) {
    const std::string abbreviation = book->GetAbbreviation();
    history_.Remap([&](TBookPlace& item) {
      if (item.abbreviation != abbreviation) return true;
      if (item.entry < 0 || static_cast<size_t>(item.entry) >= titles_before_.size()) return false;
      item.entry = book->FindTitle(titles_before_[static_cast<size_t>(item.entry)]);
      return item.entry >= 0;
    });
    titles_before_.clear();
  });
  connect(&context_.settings, &TSettings::changed, this, &TFrameDictView::OnSettingsChanged);
  UpdateActions();
}

TFrameDictView::~TFrameDictView() = default;

void TFrameDictView::CreateToolBar() {
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
  tool_bar_->addAction(ActionTopicGuide);
  tool_bar_->addAction(ActionEditEntry);
  tool_bar_->addAction(ActionAddEntry);
  tool_bar_->addAction(ActionDeleteEntry);
  tool_bar_->addSeparator();
  tool_bar_->addAction(ActionMax);
}

// --- Set-up and the library -----------------------------------------------------------

void TFrameDictView::ApplyDisplaySettings() {
  resource_view_->ApplyDisplaySettings(config::GlobalProperties().dict_view);
}

void TFrameDictView::BuildTabs() {
  std::vector<TResourceTabs::Entry> entries;
  for (const TLMDictionaryModule* b : library_.Books())
    entries.push_back({b->GetAbbreviation(), b->GetTitle(), &b->tab_visible});
  tabs_->SetEntries(std::move(entries));
}

void TFrameDictView::SetBooks() {
  dropped_ = false;
  ApplyDisplaySettings();
  history_.Clear();
  resource_view_->AttachLibrary();
  BuildTabs();
  ClearEntry();
  FillEntryBox();
}

void TFrameDictView::DropModules() {
  if (context_menu_) context_menu_->close();
  kept_hidden_.clear();
  const auto& books = library_.Books();
  for (int i = 0; i < tabs_->count() && i < static_cast<int>(books.size()); ++i)
    if (!tabs_->isTabVisible(i))
      kept_hidden_.push_back(books[static_cast<size_t>(i)]->GetAbbreviation());
  const TLMDictionaryModule* current = CurrentBook();
  kept_current_ = current != nullptr ? current->GetAbbreviation() : std::string();
  dropped_ = true;
  resource_view_->DropModules();
  entry_box_->SetTitles({});
  corresponding_.clear();
  tabs_->SetEntries({});
  Q_EMIT stateChanged();
}

void TFrameDictView::AttachModules() {
  const bool was_shown = !shown_abbreviation_.empty() && shown_abbreviation_ == kept_current_;
  const int entry = current_entry_;
  const int first = marked_first_;
  dropped_ = false;
  resource_view_->AttachLibrary();
  history_.RemoveIf(
      [this](const TBookPlace& item) { return library_.FindBook(item.abbreviation) == nullptr; });
  BuildTabs();
  const auto& books = library_.Books();
  for (int i = 0; i < static_cast<int>(books.size()); ++i) {
    for (const std::string& h : kept_hidden_)
      if (h == books[static_cast<size_t>(i)]->GetAbbreviation()) tabs_->setTabVisible(i, false);
  }
  const TLMDictionaryModule* own =
      kept_current_.empty() ? nullptr : library_.FindBook(kept_current_);
  if (own != nullptr) tabs_->SetCurrentSilently(library_.IndexOf(own));
  FillEntryBox();
  if (own != nullptr && was_shown && entry >= 0 && entry < own->EntryCount()) {
    Render(entry, first, first == 0 ? 0 : marked_last_);
  } else {
    // The Book shown left with the old lists (or its entry did): nothing
    // is shown.
    ClearEntry();
  }
}

void TFrameDictView::OnSettingsChanged(SettingsParts parts) {
  if ((parts & (kSettingsDictView | kSettingsLinking | kSettingsColors)) == 0) return;
  RefreshView();
}

const TLMDictionaryModule* TFrameDictView::CurrentBook() const {
  if (dropped_) return nullptr;
  const auto& list = library_.Books();
  const int i = tabs_->currentIndex();
  return i >= 0 && i < static_cast<int>(list.size()) ? list[static_cast<size_t>(i)] : nullptr;
}

THtmlView* TFrameDictView::HTMLView() const { return resource_view_->HTMLViewer(); }

void TFrameDictView::FillEntryBox() {
  const TLMDictionaryModule* b = CurrentBook();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  entry_box_->SetTitles(b != nullptr ? b->EntryTitles() : std::vector<std::string>{});
  QApplication::restoreOverrideCursor();
}

// --- Books and tabs ----------------------------------------------------------------------

void TFrameDictView::ShowBook(const TLMDictionaryModule* book) {
  const int index = library_.IndexOf(book);
  if (dropped_ || index < 0 || index == tabs_->currentIndex()) return;
  RecordHistory();
  const std::string topic = entry_box_->Text();
  current_entry_ = -1;
  // Selected (and shown if hidden) without the tab's notification: the
  // rule below runs once.
  tabs_->SetCurrentSilently(index);
  EnterBook(topic);
}

void TFrameDictView::ShowBookByName(const std::string& name) {
  for (const TLMDictionaryModule* b : library_.Books()) {
    if (cp1252::EqualNoCase(b->GetAbbreviation(), name) || cp1252::EqualNoCase(b->GetTitle(), name))
      return ShowBook(b);
  }
}

void TFrameDictView::OnTabChanged(int /*index*/) {
  RecordHistory();
  const std::string topic = entry_box_->Text();
  current_entry_ = -1;
  EnterBook(topic);
}

void TFrameDictView::EnterBook(const std::string& topic) {
  resource_view_->Clear();
  FillEntryBox();
  current_entry_ = -1;
  shown_abbreviation_.clear();
  if (CurrentBook() == nullptr) {
    ClearEntry();
    return;
  }
  // The same topic in the new Book when it has it.
  const int found = entry_box_->Model().FindPrefix(topic);
  ShowEntry(found >= 0 ? found : 0, 0, 0);
}

// --- Entries -------------------------------------------------------------------------------

void TFrameDictView::RecordHistory() {
  if (!history_.Recording()) return;
  history_.Record({shown_abbreviation_, current_entry_},
                  current_entry_ >= 0 && !shown_abbreviation_.empty());
}

void TFrameDictView::ShowEntry(int entry, int first, int last) {
  const TLMDictionaryModule* b = CurrentBook();
  if (b == nullptr) return;
  host_.ShowPane(TPane::kBook);
  if (entry < 0 || entry >= b->EntryCount()) {
    ClearEntry();
    return;
  }
  // Nothing to redraw: the same entry, marked alike, with the same text.
  if (entry == current_entry_ && first == marked_first_ && first != kNoMarkedVerse &&
      shown_abbreviation_ == b->GetAbbreviation() && b->GetEntryText(entry) == shown_text_)
    return;
  RecordHistory();
  Render(entry, first, last);
}

void TFrameDictView::ShowBookEntry(const TLMDictionaryModule* book, int entry, int first,
                                   int last) {
  const int index = library_.IndexOf(book);
  if (dropped_ || index < 0) return;
  if (index == tabs_->currentIndex()) {
    ShowEntry(entry, first, last);
    return;
  }
  host_.ShowPane(TPane::kBook);
  RecordHistory();
  tabs_->SetCurrentSilently(index);
  resource_view_->Clear();
  FillEntryBox();
  current_entry_ = -1;
  shown_abbreviation_.clear();
  if (entry < 0 || entry >= book->EntryCount()) {
    ClearEntry();
    return;
  }
  Render(entry, first, last);
}

void TFrameDictView::Render(int entry, int first, int last) {
  const TLMDictionaryModule* b = CurrentBook();
  if (b == nullptr || entry < 0 || entry >= b->EntryCount()) return;
  std::string text = b->GetEntryText(entry);
  current_entry_ = entry;
  marked_first_ = first;
  marked_last_ = last;
  resource_view_->SetEntryHeader(FooterOf(*b, entry, text));
  resource_view_->ShowEntry(text, b->EntryTitles()[static_cast<size_t>(entry)], b->EntryTitles(),
                            first, last);
  shown_abbreviation_ = b->GetAbbreviation();
  shown_text_ = std::move(text);
  entry_box_->Select(entry);
  UpdateCorresponding();
  Q_EMIT stateChanged();
}

void TFrameDictView::ClearEntry() {
  resource_view_->Clear();
  resource_view_->SetEntryHeader(std::string());
  current_entry_ = -1;
  marked_first_ = 0;
  marked_last_ = 0;
  shown_abbreviation_.clear();
  shown_text_.clear();
  entry_box_->Select(-1);
  UpdateCorresponding();
  Q_EMIT stateChanged();
}

std::string TFrameDictView::FooterOf(const TLMDictionaryModule& book, int entry,
                                     const std::string& text) const {
  const TLMBibleModule* links = library_.StrongsLinksBible();
  const bool hebrew = &book == library_.HebrewStrongsBook();
  if ((hebrew || &book == library_.GreekStrongsBook()) && links != nullptr) {
    const std::string number = (hebrew ? "H" : "G") + std::to_string(entry + 1);
    return "<a href=\"stgsrch:" + number + "\">Search for " + number + " in " +
           HtmlEscape(links->GetAbbreviation()) + "</a>";
  }
  if (book.IsReadOnly() || !text.empty()) return {};
  // An empty entry of a user Book invites the user to write it.
  return "<a href=\"editd:" + std::to_string(entry) + "\">Edit this entry</a>";
}

void TFrameDictView::LookUpWord(const std::string& word) {
  if (CurrentBook() == nullptr || word.empty()) return;
  const int found = entry_box_->Model().FindPrefix(word);
  if (found >= 0) ShowEntry(found, 0, 0);
}

void TFrameDictView::EntriesChanged(int show) {
  const TLMDictionaryModule* b = CurrentBook();
  FillEntryBox();
  if (b == nullptr || show < 0 || show >= b->EntryCount()) {
    ClearEntry();
    return;
  }
  Render(show, kNoMarkedVerse, kNoMarkedVerse);
}

void TFrameDictView::RefreshView() {
  ApplyDisplaySettings();
  // Drawn again as it is: no history, the pane left as it is.
  if (current_entry_ >= 0 && CurrentBook() != nullptr)
    Render(current_entry_, marked_first_, marked_last_);
}

// --- History ------------------------------------------------------------------------------

void TFrameDictView::JumpBack(int k) {
  if (k < 0 || dropped_) return;
  history_.JumpBack(static_cast<size_t>(k), {shown_abbreviation_, current_entry_},
                    current_entry_ >= 0 && !shown_abbreviation_.empty(),
                    [this](const TBookPlace& target) {
                      ShowBookEntry(library_.FindBook(target.abbreviation), target.entry, 0, 0);
                    });
  Q_EMIT stateChanged();
}

void TFrameDictView::JumpForward(int k) {
  if (k < 0 || dropped_) return;
  history_.JumpForward(static_cast<size_t>(k), {shown_abbreviation_, current_entry_},
                       current_entry_ >= 0 && !shown_abbreviation_.empty(),
                       [this](const TBookPlace& target) {
                         ShowBookEntry(library_.FindBook(target.abbreviation), target.entry, 0, 0);
                       });
  Q_EMIT stateChanged();
}

QStringList TFrameDictView::HistoryCaptions(bool back) const {
  QStringList captions;
  if (dropped_) return captions;
  for (const TBookPlace& item : back ? history_.Back() : history_.Forward())
    captions << ToDisplayText(BookHistoryCaption(item, library_.FindBook(item.abbreviation)));
  return captions;
}

// --- Tabs -------------------------------------------------------------------------------

void TFrameDictView::UpdateCorresponding() {
  const auto& books = library_.Books();
  corresponding_.assign(books.size(), false);
  const TLMDictionaryModule* b = CurrentBook();
  if (b != nullptr && current_entry_ >= 0 && current_entry_ < b->EntryCount()) {
    const std::string& title = b->EntryTitles()[static_cast<size_t>(current_entry_)];
    // Worked out once per entry shown; painting only reads it.
    for (size_t i = 0; i < books.size(); ++i)
      corresponding_[i] = books[i] != b && books[i]->FindTitle(title) >= 0;
  }
  tabs_->update();
}

bool TFrameDictView::Corresponds(int index) const {
  return !dropped_ && index >= 0 && index < static_cast<int>(corresponding_.size()) &&
         corresponding_[static_cast<size_t>(index)];
}

bool TFrameDictView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (ActionAppendSelection->shortcut() == QKeySequence(key->keyCombination())) {
      event->ignore();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace lumora::ui
