#include "views/text_view_frame.h"

#include <QAction>
#include <QCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

#include "core/refs/verse_index.h"
#include "render/href.h"
#include "render/verse_list.h"
#include "views/library.h"
#include "views/pane_host.h"

namespace lumora::ui {
namespace {

// A selected label this close to the view's bottom is scrolled to the middle.
constexpr int kSelectBottomMargin = 20;

}  // namespace

TFrameTextView::TFrameTextView(IPaneHost& host, TLibrary& library, QWidget* parent)
    : QWidget(parent), host_(host), library_(library) {
  auto* layout = new QVBoxLayout(this);  // owned by this widget
  layout->setContentsMargins(0, 0, 0, 0);
  html_view_ = new THtmlView(this);
  layout->addWidget(html_view_);

  html_view_->OnHotSpotClick = [this](const std::string& href, bool& handled) {
    HTMLViewHotSpotClick(href, handled);
  };
  html_view_->OnHotSpotCovered = [this](const std::string& href) { HTMLViewHotSpotCovered(href); };
  html_view_->OnMouseMove = [this](QMouseEvent*) { preview_->MouseMoved(); };
  html_view_->OnRightClick = [this](const TRightClickParameters& p) { HTMLViewRightClick(p); };
  html_view_->OnMouseDouble = [this] { HTMLViewMouseDouble(); };

  copy_action_ = new QAction(QStringLiteral("Copy"), this);
  copy_action_->setShortcut(QKeySequence::Copy);
  copy_action_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(copy_action_, &QAction::triggered, this, [this] { html_view_->CopyToClipboard(); });
  addAction(copy_action_);
  select_all_action_ = new QAction(QStringLiteral("Select All"), this);
  select_all_action_->setShortcut(QKeySequence::SelectAll);
  select_all_action_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(select_all_action_, &QAction::triggered, this, [this] { html_view_->selectAll(); });
  addAction(select_all_action_);

  preview_ = new TLinkPreview(
      html_view_, kTextViewPreviewDelayMs,
      [this](const std::string& href) { return PreviewOf(href); },
      [this](bool active) { host_.SetPreviewActive(active); });
}

TFrameTextView::~TFrameTextView() = default;

namespace {

// Qt shares a table's width out by the cells' natural widths, so one long
// footnote in the side column would halve the text column on every row.
// The side column gets a fixed share; its notes wrap inside it.
constexpr double kSideColumnPercent = 30;

void KeepTextColumnWide(QTextDocument& document) {
  for (QTextFrame* frame : document.rootFrame()->childFrames()) {
    auto* table = qobject_cast<QTextTable*>(frame);
    if (table == nullptr || table->columns() < 2) continue;
    QTextTableFormat format = table->format();
    QList<QTextLength> widths(table->columns(), QTextLength(QTextLength::VariableLength, 0));
    widths.back() = QTextLength(QTextLength::PercentageLength, kSideColumnPercent);
    format.setColumnWidthConstraints(widths);
    table->setFormat(format);
  }
}

}  // namespace

// --- Rendering ---------------------------------------------------------------------

void TFrameTextView::ApplyWidgetDefaults() {
  const TPassageWidgetDefaults defaults = renderer_.WidgetDefaults();
  html_view_->SetDefFontName(defaults.font_name);
  html_view_->SetDefFontSize(defaults.font_size);
  html_view_->SetDefBackground(defaults.background);
  html_view_->SetDefFontColor(defaults.text_color);
}

int TFrameTextView::ShowVerses(const TVerseList& verses, const TKeyArray& keys,
                               bool case_sensitive, bool reference_links) {
  ApplyWidgetDefaults();
  const bool has_bible = renderer_.Bible() != nullptr;
  if (has_bible) {
    html_view_->LoadText(kLoadingPlaceholder);
    html_view_->PaintNow();
  }
  const int count = renderer_.ShowVerses(verses, keys, case_sensitive, reference_links);
  if (has_bible) {
    html_view_->LoadHtml(renderer_.Html());
    if (renderer_.HasSideNotes()) KeepTextColumnWide(*html_view_->document());
  }
  return count;
}

int TFrameTextView::Rerender() {
  return ShowVerses(renderer_.VerseList(), renderer_.Keys(), renderer_.CaseSensitive(),
                    renderer_.ReferenceLinks());
}

// --- Verses and places -------------------------------------------------------------

bool TFrameTextView::IsVerseOnPage(int verse) const {
  const TVerseList& list = renderer_.VerseList();
  if (verse <= 0 || verse == kVerseListSeparator || list.empty()) return false;
  const int first = std::max(renderer_.PageFirst(), 0);
  const int last = std::min(renderer_.PageLast(), static_cast<int>(list.size()) - 1);
  for (int i = first; i <= last; ++i)
    if (list[static_cast<size_t>(i)] == verse) return true;
  return false;
}

void TFrameTextView::ScrollToVerse(int verse) {
  html_view_->PositionTo("#" + std::to_string(verse));
}

void TFrameTextView::SelectVerse(int verse) {
  const TLMBibleModule* bible = renderer_.Bible();
  const auto& positions = renderer_.VersePositions();
  if (bible == nullptr || !IsUsableVerse(*bible, verse) ||
      static_cast<size_t>(verse) >= positions.size() || !IsVerseOnPage(verse))
    return;
  const TVersePosition& at = positions[static_cast<size_t>(verse)];
  const int d = html_view_->FindDisplayPosition(at.SourceOffset, false);
  html_view_->SetSelStart(d);
  html_view_->SetSelLength(at.LabelLength);
  const std::optional<QPoint> coords = html_view_->DisplayPositionCoords(d);
  if (!coords) return;
  const int y = coords->y();
  const int t = html_view_->VScrollBarPosition();
  const int h = html_view_->ViewHeight();
  if (t <= y && y <= t + h - kSelectBottomMargin) return;
  html_view_->SetVScrollBarPosition(y - h / 2);
}

int TFrameTextView::FirstVisibleVerse() const {
  const TVerseList& list = renderer_.VerseList();
  const auto& positions = renderer_.VersePositions();
  const int t = html_view_->VScrollBarPosition();
  const int first = std::max(renderer_.PageFirst(), 0);
  const int last = std::min(renderer_.PageLast(), static_cast<int>(list.size()) - 1);
  for (int i = first; i <= last; ++i) {
    const uint16_t e = list[static_cast<size_t>(i)];
    if (e == kVerseListSeparator || e >= positions.size()) continue;
    const int d = html_view_->FindDisplayPosition(positions[e].SourceOffset, false);
    const std::optional<QPoint> coords = html_view_->DisplayPositionCoords(d);
    if (coords && coords->y() >= t) return e;
  }
  return -1;
}

int TFrameTextView::VerseAtDisplayPosition(int caret) const {
  const TVerseList& list = renderer_.VerseList();
  const auto& positions = renderer_.VersePositions();
  const int first = std::max(renderer_.PageFirst(), 0);
  const int last = std::min(renderer_.PageLast(), static_cast<int>(list.size()) - 1);
  if (last < first) return 0;
  int clicked = last;
  for (int i = first + 1; i <= last; ++i) {
    const uint16_t e = list[static_cast<size_t>(i)];
    if (e == kVerseListSeparator || e >= positions.size()) continue;
    // Everything before an entry's first visible character (the label)
    // belongs to the entry before it: the blank cells of a separator's gap
    // row and the empty side cell of a row included.
    if (html_view_->FindDisplayPosition(positions[e].SourceOffset, false) > caret) {
      clicked = i - 1;
      break;
    }
  }
  clicked = std::max(clicked, first);
  // A separator stands for the gap after the verse before it; the step back
  // never leaves the page.
  while (list[static_cast<size_t>(clicked)] == kVerseListSeparator && clicked > first) --clicked;
  // A page that opens with separators: the first verse after them.
  while (clicked < last && list[static_cast<size_t>(clicked)] == kVerseListSeparator) ++clicked;
  const uint16_t verse = list[static_cast<size_t>(clicked)];
  return verse == kVerseListSeparator ? 0 : verse;
}

// --- Widget events -------------------------------------------------------------------

void TFrameTextView::HTMLViewRightClick(const TRightClickParameters& params) {
  if (!on_right_click || renderer_.VerseList().empty()) return;
  const int verse = VerseAtDisplayPosition(params.caret);
  if (verse <= 0) return;
  on_right_click(params.url, params.target, params.word, html_view_->SelectedText(),
                 static_cast<uint16_t>(verse), params.global_pos);
}

void TFrameTextView::HTMLViewMouseDouble() {
  const std::string word = html_view_->SelectedText();
  if (!word.empty()) host_.LookUpWord(word);
}

bool TFrameTextView::IsUsableLinkVerse(int verse) const {
  const TLMBibleModule* bible = renderer_.Bible();
  return bible != nullptr ? IsUsableVerse(*bible, verse) : IsVerseIndex(verse);
}

void TFrameTextView::AttachLibrary(const std::vector<std::string>& excluded) {
  renderer_.SetLinkedCommentaries(library_.Commentaries());
  renderer_.SetLinkedBooks(library_.Books());
  renderer_.SetEditableCommentaries(library_.EditableCommentaries());
  renderer_.SetExcludedFromLinking(excluded);
  renderer_.SetStrongsData(library_.StrongsData());
}

void TFrameTextView::HTMLViewHotSpotClick(const std::string& href, bool& handled) {
  handled = true;
  const std::optional<THref> split = SplitHref(href);
  if (!split) return;
  const std::string_view scheme = split->scheme;
  if (scheme == "h" || scheme == "g") {
    const TLMDictionaryModule* book =
        scheme == "h" ? library_.HebrewStrongsBook() : library_.GreekStrongsBook();
    const std::optional<int32_t> n = ParseLinkNumber(split->data);
    if (book == nullptr || !n ||
        !IsUsableEntryNumber(int64_t{*n} - 1, static_cast<size_t>(book->EntryCount())))
      return;
    host_.ShowBookEntry(*book, *n - 1, 0, 0);
  } else if (scheme == "lp") {
    const std::optional<int32_t> v = ParseLinkNumber(split->data);
    if (!v || !IsUsableLinkVerse(*v)) return;
    // A view with neither chapter link (the verse list) has the Bible view
    // select the verse's label.
    host_.GoToVerse(*v, !renderer_.NextChapterLink() && !renderer_.PrevChapterLink());
  } else if (scheme == "lc" || scheme == "ec") {
    const std::optional<TLinkPair> pair = ParseLinkPair(split->data);
    const auto& list =
        scheme == "lc" ? library_.Commentaries() : library_.EditableCommentaries();
    if (!pair || static_cast<size_t>(pair->k) >= list.size() ||
        !IsUsableCommentaryPosition(pair->n))
      return;
    const TLMCommentaryModule* commentary = list[static_cast<size_t>(pair->k)];
    if (scheme == "lc")
      host_.ShowCommentary(commentary, pair->n, 0, 0);
    else if (host_.Authoring().CanEdit())
      host_.Authoring().EditCommentary(*commentary, pair->n);
  } else if (scheme == "pn") {
    const std::optional<int32_t> n = ParseLinkNumber(split->data);
    if (!n || static_cast<size_t>(*n) >= renderer_.VerseList().size()) return;
    renderer_.SetPageFirst(*n);
    Rerender();
  } else if (scheme == "ld") {
    const std::optional<TLinkPair> pair = ParseLinkPair(split->data);
    const auto& books = library_.Books();
    if (!pair || static_cast<size_t>(pair->k) >= books.size() || !IsUsableLinkVerse(pair->n))
      return;
    host_.OpenBookAtVerse(*books[static_cast<size_t>(pair->k)], pair->n, renderer_.Bible());
  }
}

void TFrameTextView::HTMLViewHotSpotCovered(const std::string& href) {
  preview_->Covered(href, html_view_->CoveredGlobalPoint());
}

std::string TFrameTextView::PreviewOf(const std::string& href) const {
  const std::optional<THref> split = SplitHref(href);
  if (!split) return {};
  TPreviewContext context;
  context.strongs_data = library_.StrongsData();
  context.hebrew_book = library_.HebrewStrongsBook();
  context.greek_book = library_.GreekStrongsBook();
  context.books = library_.Books();
  context.commentaries = library_.Commentaries();
  context.editable_commentaries = library_.EditableCommentaries();
  context.bible = renderer_.Bible();
  return TextViewPreview(split->scheme, split->data, context);
}

}  // namespace lumora::ui
