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
#include "views/bible_view_logic.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"

namespace lumora::ui {

void TSelectorBox::showPopup() {
  if (rows) setMaxVisibleItems(std::max(1, rows()));
  QComboBox::showPopup();
}

TFrameBibleView::TFrameBibleView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FrameBibleView"));
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

  text_view_ = new TFrameTextView(this);
  layout->addWidget(text_view_, 1);
  setFocusProxy(text_view_->HTMLView());

  CreateActions();
  CreateToolBar();
  WireTextView();

  connect(tabs_, &TResourceTabs::currentTabChanged, this, &TFrameBibleView::OnTabChanged);
  connect(tabs_, &TResourceTabs::tabMenuRequested, this, [this](int index, const QPoint& at) {
    if (index < 0 || index >= static_cast<int>(bibles_.size())) return;
    QMenu menu(this);
    QAction* compare = menu.addAction(QStringLiteral("Show as comparison version"));
    compare->setStatusTip(
        QStringLiteral("Show this Bible text in Bible display as comparison version."));
    compare->setCheckable(true);
    compare->setChecked(CompareBible() == bibles_[static_cast<size_t>(index)]);
    compare->setEnabled(bibles_.size() >= 2 && !config::GlobalProperties().bible_view.para_mode);
    if (menu.exec(at) == compare) SetCompareBible(bibles_[static_cast<size_t>(index)]);
  });
  connect(book_box_, &QComboBox::activated, this, &TFrameBibleView::OnBookActivated);
  connect(chapter_box_, &QComboBox::activated, this, &TFrameBibleView::OnChapterActivated);
  book_box_->rows = [this] { return SelectorRows(); };
  chapter_box_->rows = [this] { return SelectorRows(); };

  // Ctrl+navigation keys belong to the pane's commands, not to the text
  // widget's caret movement.
  text_view_->HTMLView()->installEventFilter(this);
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
  tv->on_go_to_verse = [this](int verse, bool select_label) {
    GoToVerse(verse);
    if (select_label && current_verse_ == verse) text_view_->SelectVerse(verse);
  };
  tv->on_show_book_entry = [this](const TLMDictionaryModule* book, int entry) {
    if (host_.show_book_entry) host_.show_book_entry(book, entry);
  };
  tv->on_show_commentary = [this](int k, int position) {
    const auto& list = text_view_->Renderer().LinkedCommentaries();
    if (host_.show_commentary && k >= 0 && k < static_cast<int>(list.size()))
      host_.show_commentary(list[static_cast<size_t>(k)], position);
  };
  tv->on_edit_commentary = [this](int k, int position) {
    if (host_.edit_commentary) host_.edit_commentary(k, position);
  };
  tv->on_open_book_at_verse = [this](const TLMDictionaryModule* book, int verse) {
    if (host_.open_book_at_verse) host_.open_book_at_verse(book, verse);
  };
  tv->on_right_click = [this](const std::string& url, const std::string& /*target*/,
                              const std::string& /*word*/, const std::string& selected,
                              uint16_t verse,
                              const QPoint& at) { ShowContextMenu(url, selected, verse, at); };
  tv->on_word_double_click = [this](const std::string& word) {
    if (host_.look_up_word) host_.look_up_word(word);
  };
  tv->on_preview_active = [this](bool active) {
    if (host_.preview_active) host_.preview_active(active);
  };
  connect(tv->HTMLView(), &QTextEdit::copyAvailable, this, [this](bool) { UpdateActions(); });
}

// --- Set-up ------------------------------------------------------------------

void TFrameBibleView::SetBibles(const std::vector<const TLMBibleModule*>& bibles,
                                const TLMBibleModule* kjv) {
  bibles_ = bibles;
  kjv_ = kjv;
  history_.Clear();
  current_verse_ = 0;
  std::vector<TResourceTabs::Entry> entries;
  for (const TLMBibleModule* b : bibles_) {
    // The flag lives on the module; the strip only reads it.
    entries.push_back({b->GetAbbreviation(), b->GetTitle(), &b->tab_visible});
  }
  tabs_->SetEntries(std::move(entries));
  for (int i = 0; i < static_cast<int>(bibles_.size()); ++i) {
    if (!bibles_[static_cast<size_t>(i)]->tab_visible && i != tabs_->currentIndex())
      tabs_->setTabVisible(i, false);
  }
  FillBookSelector(CurrentBible() != nullptr ? CurrentBible() : kjv_, 0);
  chapter_box_->clear();
  text_view_->Renderer().SetPaged(false);
  text_view_->SetCompareBible(nullptr);
  ApplySettingsToTextView();
  const config::TPropertiesBibleView& s = config::GlobalProperties().bible_view;
  saved_link_settings_ = {s.link_commentaries, s.link_dictionaries, s.show_footnotes,
                          s.show_edit_links};
  UpdateActions();
}

void TFrameBibleView::SetResources(
    const std::vector<const TLMCommentaryModule*>& commentaries,
    const std::vector<const TLMDictionaryModule*>& books,
    const std::vector<const TLMCommentaryModule*>& editable_commentaries,
    const std::vector<std::string>& excluded_from_linking) {
  commentaries_ = commentaries;
  books_ = books;
  editable_commentaries_ = editable_commentaries;
  TPassageRenderer& r = text_view_->Renderer();
  r.SetLinkedCommentaries(commentaries);
  r.SetLinkedBooks(books);
  r.SetEditableCommentaries(editable_commentaries);
  r.SetExcludedFromLinking(excluded_from_linking);
  UpdateActions();
}

void TFrameBibleView::SetStrongsBooks(const TLMDictionaryModule* hebrew,
                                      const TLMDictionaryModule* greek) {
  text_view_->SetStrongsBooks(hebrew, greek);
}

void TFrameBibleView::SetStrongsData(const TLMStrongsDataModule* data) {
  strongs_data_ = data;
  text_view_->Renderer().SetStrongsData(data);
  text_view_->SetStrongsData(data);
}

void TFrameBibleView::SetParagraphMap(const ParagraphMap* map) {
  text_view_->Renderer().SetParagraphMap(map);
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
  if (i < 0 || i >= static_cast<int>(bibles_.size())) return nullptr;
  return bibles_[static_cast<size_t>(i)];
}

const TLMBibleModule* TFrameBibleView::CompareBible() const {
  return text_view_->Renderer().CompareBible();
}

int TFrameBibleView::TopVerse() const {
  const int first = text_view_->FirstVisibleVerse();
  return first > 0 ? first : current_verse_;
}

// --- Navigation --------------------------------------------------------------

void TFrameBibleView::GoToVerse(int v) {
  const TLMBibleModule* b = CurrentBible();
  // Links, bookmarks and stored settings can carry any number.
  if (b == nullptr || !IsUsableVerse(*b, v)) return;
  if (host_.show_bible_pane) host_.show_bible_pane();

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
  if (from.book == to.book && from.chapter == to.chapter) {
    text_view_->ScrollToVerse(v);
  } else {
    const ChapterSpan chapter = ChapterOf(*b, v);
    chapter_verses_.clear();
    for (int i = chapter.first; i <= chapter.last; ++i)
      chapter_verses_.push_back(static_cast<uint16_t>(i));
    text_view_->SetBible(b);
    text_view_->ShowVerses(chapter_verses_, {}, false, false);
    if (to.verse != 1) text_view_->ScrollToVerse(v);
  }

  if (host_.set_quick_jump_text) {
    const TLMBibleModule& titles = kjv_ != nullptr ? *kjv_ : *b;
    host_.set_quick_jump_text(ToDisplayText(VerseReference(titles, v, true)));
  }
  UpdateActions();
}

void TFrameBibleView::RefreshView() {
  ApplySettingsToTextView();
  const TLMBibleModule* b = CurrentBible();
  const int top = TopVerse();
  if (b == nullptr || !IsUsableVerse(*b, top)) {
    UpdateActions();
    return;
  }
  current_verse_ = -1;
  GoToVerse(top);
}

void TFrameBibleView::ShowBible(const TLMBibleModule* bible) {
  const auto it = std::find(bibles_.begin(), bibles_.end(), bible);
  if (it == bibles_.end()) return;
  const int index = static_cast<int>(it - bibles_.begin());
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
  UpdateActions();
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
  int height = text_view_->height();
  if (host_.commentary_pane_height) height += host_.commentary_pane_height();
  return height / (QFontMetrics(book_box_->font()).height() + 2);
}

// --- History -----------------------------------------------------------------

void TFrameBibleView::JumpBack(int k) {
  if (k < 0) return;
  const int top = TopVerse();
  history_.JumpBack(static_cast<size_t>(k), static_cast<uint16_t>(top > 0 ? top : 0), top > 0,
                    [this](uint16_t target) { GoToVerse(target); });
  UpdateActions();
}

void TFrameBibleView::JumpForward(int k) {
  if (k < 0) return;
  const int top = TopVerse();
  history_.JumpForward(static_cast<size_t>(k), static_cast<uint16_t>(top > 0 ? top : 0), top > 0,
                       [this](uint16_t target) { GoToVerse(target); });
  UpdateActions();
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
