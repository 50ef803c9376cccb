// TFrameBibleView: construction, set-up, navigation (GoToVerse, tabs,
// selectors, history). Commands are in bible_view_commands.cpp, the
// right-click and tab menus in bible_view_menu.cpp.
#include "views/bible_view.h"

#include <QAbstractItemView>
#include <QAction>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "config/properties.h"
#include "render/ui/display_text.h"
#include "views/actions.h"
#include "views/bible_view_logic.h"
#include "views/library.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"

namespace lumora::ui {

void TSelectorBox::showPopup() {
  if (rows) setMaxVisibleItems(std::max(1, rows()));
  QComboBox::showPopup();
}

TFrameBibleView::TFrameBibleView(const TPaneContext& context, QWidget* parent)
    : QWidget(parent), context_(context), host_(context.host), library_(context.library) {
  setObjectName(QStringLiteral("FrameBibleView"));
  setAccessibleName(QStringLiteral("Bible View"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  tabs_ = new TResourceTabs(this);
  tabs_->setObjectName(QStringLiteral("TabsBible"));
  layout->addWidget(tabs_);

  tool_bar_ = new QToolBar(this);
  tool_bar_->setObjectName(QStringLiteral("ToolBarBible"));
  tool_bar_->setIconSize(QSize(16, 16));
  tool_bar_->setAutoFillBackground(true);
  tool_bar_->setBackgroundRole(QPalette::Button);
  layout->addWidget(tool_bar_);

  text_view_ = new TFrameTextView(host_, library_, this);
  layout->addWidget(text_view_, 1);
  setFocusProxy(text_view_->HTMLView());

  CreateActions();
  CreateToolBar();
  WireTextView();

  connect(tabs_, &TResourceTabs::currentTabChanged, this, &TFrameBibleView::OnTabChanged);
  connect(tabs_, &TResourceTabs::tabMenuRequested, this, &TFrameBibleView::ShowTabMenu);
  connect(tabs_, &TResourceTabs::tabsChanged, this, &TFrameBibleView::stateChanged);
  connect(book_box_, &QComboBox::activated, this, &TFrameBibleView::OnBookActivated);
  connect(chapter_box_, &QComboBox::activated, this, &TFrameBibleView::OnChapterActivated);
  book_box_->rows = [this] { return SelectorRows(); };
  chapter_box_->rows = [this] { return SelectorRows(); };

  // Ctrl+navigation keys belong to the pane's commands, not to the text
  // widget's caret movement.
  text_view_->HTMLView()->installEventFilter(this);

  // The pane's own commands follow at once (a command may run right after
  // the change); everything else in the next update pass.
  connect(this, &TFrameBibleView::stateChanged, this, &TFrameBibleView::UpdateActions);
  connect(this, &TFrameBibleView::stateChanged, &context_.actions, &TActions::Invalidate);
  context_.actions.AddUpdater(this, [this] { UpdateActions(); });
  connect(&library_, &TLibrary::modulesAboutToChange, this, &TFrameBibleView::DropModules);
  connect(&library_, &TLibrary::modulesChanged, this, [this] {
    AttachResources();
    RefreshView();
  });
  connect(&context_.settings, &TSettings::changed, this, &TFrameBibleView::OnSettingsChanged);
  UpdateActions();
}

TFrameBibleView::~TFrameBibleView() = default;

void TFrameBibleView::CreateToolBar() {
  back_button_ = new QToolButton(tool_bar_);
  back_button_->setDefaultAction(ActionBack);
  back_button_->setPopupMode(QToolButton::MenuButtonPopup);
  auto* back_menu = new QMenu(back_button_);
  connect(back_menu, &QMenu::aboutToShow, this,
          [this, back_menu] { FillHistoryMenu(back_menu, true); });
  back_button_->setMenu(back_menu);
  tool_bar_->addWidget(back_button_);

  forward_button_ = new QToolButton(tool_bar_);
  forward_button_->setDefaultAction(ActionForward);
  forward_button_->setPopupMode(QToolButton::MenuButtonPopup);
  auto* forward_menu = new QMenu(forward_button_);
  connect(forward_menu, &QMenu::aboutToShow, this,
          [this, forward_menu] { FillHistoryMenu(forward_menu, false); });
  forward_button_->setMenu(forward_menu);
  tool_bar_->addWidget(forward_button_);

  book_box_ = new TSelectorBox(tool_bar_);
  book_box_->setObjectName(QStringLiteral("ComboBook"));
  book_box_->setToolTip(QStringLiteral("Current Book"));
  book_box_->setStatusTip(QStringLiteral("Current Book"));
  book_box_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  book_box_->setFocusPolicy(Qt::TabFocus);
  tool_bar_->addWidget(book_box_);

  chapter_box_ = new TSelectorBox(tool_bar_);
  chapter_box_->setObjectName(QStringLiteral("ComboChapter"));
  chapter_box_->setToolTip(QStringLiteral("Current Chapter"));
  chapter_box_->setStatusTip(QStringLiteral("Current Chapter"));
  chapter_box_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  chapter_box_->setFocusPolicy(Qt::TabFocus);
  tool_bar_->addWidget(chapter_box_);

  tool_bar_->addAction(ActionPrevChapter);
  tool_bar_->addAction(ActionNextChapter);
  tool_bar_->addSeparator();
  tool_bar_->addAction(ActionToggleFootnotes);
  tool_bar_->addAction(ActionToggleCommentaryLinks);
  tool_bar_->addAction(ActionToggleDictionaryLinks);
  tool_bar_->addAction(ActionToggleEditLinks);
  tool_bar_->addAction(ActionToggleParaMode);
  tool_bar_->addSeparator();
  tool_bar_->addAction(ActionMax);
}

void TFrameBibleView::WireTextView() {
  TFrameTextView* tv = text_view_;
  tv->on_right_click = [this](const std::string& url, const std::string& /*target*/,
                              const std::string& /*word*/, const std::string& selected,
                              uint16_t verse,
                              const QPoint& at) { ShowContextMenu(url, selected, verse, at); };
  connect(tv->HTMLView(), &QTextEdit::copyAvailable, this, &TFrameBibleView::stateChanged);
}

// --- Set-up ------------------------------------------------------------------

void TFrameBibleView::SetBibles() {
  history_.Clear();
  current_verse_ = 0;
  std::vector<TResourceTabs::Entry> entries;
  for (const TLMBibleModule* b : Bibles()) {
    // The flag lives on the module; the strip only reads it.
    entries.push_back({b->GetAbbreviation(), b->GetTitle(), &b->tab_visible});
  }
  tabs_->SetEntries(std::move(entries));
  for (int i = 0; i < static_cast<int>(Bibles().size()); ++i) {
    if (!Bibles()[static_cast<size_t>(i)]->tab_visible && i != tabs_->currentIndex())
      tabs_->setTabVisible(i, false);
  }
  FillBookSelector(CurrentBible() != nullptr ? CurrentBible() : Kjv(), 0);
  chapter_box_->clear();
  text_view_->Renderer().SetPaged(false);
  text_view_->SetCompareBible(nullptr);
  AttachResources();
  ApplySettingsToTextView();
  const config::Properties& p = config::GlobalProperties();
  const config::TPropertiesBibleView& s = p.bible_view;
  // Started in paragraph mode: the user's own values were saved beside it.
  saved_link_settings_ = s.para_mode ? p.para_saved_links
                                     : std::array<bool, 4>{s.link_commentaries, s.link_dictionaries,
                                                           s.show_footnotes, s.show_edit_links};
  Q_EMIT stateChanged();
}

void TFrameBibleView::AttachResources() {
  text_view_->AttachLibrary(config::GlobalProperties().exclude_from_linking);
  text_view_->Renderer().SetParagraphMap(library_.Paragraphs());
}

void TFrameBibleView::DropModules() {
  // A menu built for the old lists would act on modules that may go.
  if (context_menu_) context_menu_->close();
  TPassageRenderer& r = text_view_->Renderer();
  r.SetLinkedCommentaries(std::vector<const TLMCommentaryModule*>{});
  r.SetLinkedBooks(std::vector<const TLMDictionaryModule*>{});
  r.SetEditableCommentaries(std::vector<const TLMCommentaryModule*>{});
}

void TFrameBibleView::OnSettingsChanged(SettingsParts parts) {
  if ((parts & (kSettingsBibleView | kSettingsLinking | kSettingsColors)) == 0) return;
  if (parts & kSettingsLinking) AttachResources();
  RefreshView();
}

const std::vector<const TLMBibleModule*>& TFrameBibleView::Bibles() const {
  return library_.Bibles();
}

const TLMBibleModule* TFrameBibleView::Kjv() const { return library_.Kjv(); }

std::array<bool, 4> TFrameBibleView::UserLinkSettings() const {
  const config::TPropertiesBibleView& s = config::GlobalProperties().bible_view;
  if (s.para_mode) return saved_link_settings_;
  return {s.link_commentaries, s.link_dictionaries, s.show_footnotes, s.show_edit_links};
}

void TFrameBibleView::ApplySettingsToTextView() {
  const config::Properties& p = config::GlobalProperties();
  TPassageRenderer& r = text_view_->Renderer();
  r.SetNextChapterLink(p.inc_ch_next);
  r.SetPrevChapterLink(p.inc_ch_prev);
  r.SetSettings(p.bible_view);
  r.SetKeyHighlightColor(p.key_hilight_color);
}

// --- State -------------------------------------------------------------------

const TLMBibleModule* TFrameBibleView::CurrentBible() const {
  const int i = tabs_->currentIndex();
  const auto& bibles = Bibles();
  if (i < 0 || i >= static_cast<int>(bibles.size())) return nullptr;
  return bibles[static_cast<size_t>(i)];
}

const TLMBibleModule* TFrameBibleView::CompareBible() const {
  return text_view_->Renderer().CompareBible();
}

int TFrameBibleView::TopVerse() const {
  // The verse the program put at the top, while the widget still holds it
  // there: a shorter page (another Bible, paragraph mode) may not have let
  // it reach the top, and that must not move the reader.
  if (anchored_verse_ > 0 && text_view_->HTMLView()->PositionHeld()) return anchored_verse_;
  const int first = text_view_->FirstVisibleVerse();
  return first > 0 ? first : current_verse_;
}

// --- Navigation --------------------------------------------------------------

void TFrameBibleView::GoToVerse(int v) {
  const TLMBibleModule* b = CurrentBible();
  // Links, bookmarks and stored settings can carry any number.
  if (b == nullptr || !IsUsableVerse(*b, v)) return;
  host_.ShowPane(TPane::kBible);

  if (history_.Recording()) {
    const int top = TopVerse();
    history_.Record(static_cast<uint16_t>(top > 0 ? top : 0), current_verse_ > 0);
  }

  const TVerseLocation from =
      current_verse_ > 0 ? b->GetVerseLocation(current_verse_) : TVerseLocation{};
  const TVerseLocation to = b->GetVerseLocation(v);
  if (from.book != to.book) {
    book_box_->setCurrentIndex(to.book - 1);
    FillChapterSelector(*b, to.book, to.chapter);
  }
  if (chapter_box_->currentIndex() != to.chapter - 1) chapter_box_->setCurrentIndex(to.chapter - 1);

  current_verse_ = v;
  anchored_verse_ = v;
  if (from.book == to.book && from.chapter == to.chapter) {
    text_view_->ScrollToVerse(v);
  } else {
    const ChapterSpan chapter = ChapterOf(*b, v);
    chapter_verses_.clear();
    for (int i = chapter.first; i <= chapter.last; ++i)
      chapter_verses_.push_back(static_cast<uint16_t>(i));
    text_view_->SetBible(b);
    text_view_->ShowVerses(chapter_verses_, {}, false, false);
    if (to.verse != 1)
      text_view_->ScrollToVerse(v);
    else
      text_view_->HTMLView()->HoldTop();
  }

  Q_EMIT verseChanged(v);
  Q_EMIT stateChanged();
}

void TFrameBibleView::RefreshView() {
  ApplySettingsToTextView();
  const TLMBibleModule* b = CurrentBible();
  const int top = TopVerse();
  if (b == nullptr || !IsUsableVerse(*b, top)) {
    Q_EMIT stateChanged();
    return;
  }
  current_verse_ = -1;
  GoToVerse(top);
}

void TFrameBibleView::ShowBible(const TLMBibleModule* bible) {
  const int index = library_.IndexOf(bible);
  if (index < 0) return;
  if (index == tabs_->currentIndex()) return;
  tabs_->SetCurrentSilently(index);
  OnTabChanged(index);
}

void TFrameBibleView::OnTabChanged(int /*index*/) {
  const TLMBibleModule* b = CurrentBible();
  if (b == nullptr) return;
  FillBookSelector(b, book_box_->currentIndex());
  if (current_verse_ != 0) {
    const int top = TopVerse();
    current_verse_ = 0;
    // The same verse in the new Bible; a Bible without it starts at its
    // first verse.
    GoToVerse(IsUsableVerse(*b, top) ? top : 1);
  }
  Q_EMIT stateChanged();
}

void TFrameBibleView::FillBookSelector(const TLMBibleModule* bible, int keep_index) {
  book_box_->clear();
  if (bible == nullptr) return;
  QStringList titles;
  for (int book = 1; book <= bible->BookCount(); ++book)
    titles << ToDisplayText(bible->GetShortBookTitle(book));
  book_box_->addItems(titles);
  if (keep_index >= 0 && keep_index < book_box_->count()) book_box_->setCurrentIndex(keep_index);
}

void TFrameBibleView::FillChapterSelector(const TLMBibleModule& bible, int book, int chapter) {
  chapter_box_->clear();
  QStringList numbers;
  for (int c = 1; c <= bible.GetChapterCount(book); ++c) numbers << QString::number(c);
  chapter_box_->addItems(numbers);
  chapter_box_->setCurrentIndex(chapter - 1);
}

void TFrameBibleView::OnBookActivated(int index) {
  const TLMBibleModule* b = CurrentBible();
  if (b == nullptr || index < 0) return;
  GoToVerse(b->LocateVerse(index + 1, 1, 1));
}

void TFrameBibleView::OnChapterActivated(int index) {
  const TLMBibleModule* b = CurrentBible();
  if (b == nullptr || index < 0 || book_box_->currentIndex() < 0) return;
  GoToVerse(b->LocateVerse(book_box_->currentIndex() + 1, index + 1, 1));
}

void TFrameBibleView::StepBook(int delta) {
  const TLMBibleModule* b = CurrentBible();
  const int n = book_box_->count();
  if (b == nullptr || n == 0) return;
  const int index = ((book_box_->currentIndex() + delta) % n + n) % n;
  book_box_->setCurrentIndex(index);
  OnBookActivated(index);
}

int TFrameBibleView::SelectorRows() const {
  const int height = text_view_->height() + host_.PaneHeight(TPane::kCommentary);
  return height / (QFontMetrics(book_box_->font()).height() + 2);
}

// --- History -----------------------------------------------------------------

void TFrameBibleView::JumpBack(int k) {
  if (k < 0) return;
  const int top = TopVerse();
  history_.JumpBack(static_cast<size_t>(k), static_cast<uint16_t>(top > 0 ? top : 0), top > 0,
                    [this](uint16_t target) { GoToVerse(target); });
  Q_EMIT stateChanged();
}

void TFrameBibleView::JumpForward(int k) {
  if (k < 0) return;
  const int top = TopVerse();
  history_.JumpForward(static_cast<size_t>(k), static_cast<uint16_t>(top > 0 ? top : 0), top > 0,
                       [this](uint16_t target) { GoToVerse(target); });
  Q_EMIT stateChanged();
}

QStringList TFrameBibleView::HistoryCaptions(bool back) const {
  QStringList captions;
  const TLMBibleModule* b = CurrentBible();
  if (b == nullptr) return captions;
  for (const uint16_t v : back ? history_.Back() : history_.Forward())
    captions << ToDisplayText(BibleHistoryCaption(*b, v));
  return captions;
}

void TFrameBibleView::FillHistoryMenu(QMenu* menu, bool back) {
  menu->clear();
  const QStringList captions = HistoryCaptions(back);
  for (int k = 0; k < captions.size(); ++k) {
    QAction* item = menu->addAction(EscapeMnemonic(captions[k]));
    connect(item, &QAction::triggered, this, [this, k, back] {
      if (back)
        JumpBack(k);
      else
        JumpForward(k);
    });
  }
}

void TFrameBibleView::ShowTabMenu(int index, const QPoint& at) {
  const auto& bibles = Bibles();
  if (index < 0 || index >= static_cast<int>(bibles.size())) return;
  const TLMBibleModule* bible = bibles[static_cast<size_t>(index)];
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* compare = menu->addAction(QStringLiteral("Show as comparison version"));
  compare->setStatusTip(
      QStringLiteral("Show this Bible text in Bible display as comparison version."));
  compare->setCheckable(true);
  compare->setChecked(CompareBible() == bible);
  compare->setEnabled(bibles.size() >= 2 && !config::GlobalProperties().bible_view.para_mode);
  // The Bible is taken now; the menu runs after this returns, and a
  // module change closes it first (DropModules).
  connect(compare, &QAction::triggered, this, [this, bible] {
    if (library_.IndexOf(bible) >= 0) SetCompareBible(bible);
  });
  context_menu_ = menu;
  menu->popup(at);
}

// --- Keys --------------------------------------------------------------------

bool TFrameBibleView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeyCombination combo = key->keyCombination();
    for (QAction* a : {ActionPrevChapter, ActionNextChapter, ActionPrevBook, ActionNextBook,
                       ActionPrevVerse, ActionNextVerse, ActionAppendSelection}) {
      if (a->shortcut() == QKeySequence(combo)) {
        // Left unaccepted, the key goes to the pane's shortcut instead of
        // moving the widget's caret.
        event->ignore();
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace lumora::ui
