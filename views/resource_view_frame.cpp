#include "views/resource_view_frame.h"

#include <QAction>
#include <QVBoxLayout>
#include <optional>

#include "config/properties.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "render/hover_preview.h"
#include "render/href.h"
#include "render/link_ranges.h"
#include "render/passage_renderer.h"
#include "views/library.h"
#include "views/pane_host.h"

namespace lumora::ui {

TFrameResourceView::TFrameResourceView(IPaneHost& host, TLibrary& library, QWidget* parent)
    : QWidget(parent), host_(host), library_(library) {
  auto* layout = new QVBoxLayout(this);  // owned by this widget
  layout->setContentsMargins(0, 0, 0, 0);
  html_view_ = new THtmlView(this);
  html_view_->setObjectName(QStringLiteral("HTMLViewer"));
  layout->addWidget(html_view_);
  // The resource view's own widget settings; the owner sets font, size and
  // colours again before it shows content.
  html_view_->SetDefFontName("Arial");
  html_view_->SetDefFontSize(9);
  html_view_->SetHorizontalScrolling(true);
  setFocusProxy(html_view_);

  html_view_->OnHotSpotClick = [this](const std::string& href, bool& handled) {
    HTMLViewerHotSpotClick(href, handled);
  };
  html_view_->OnHotSpotCovered = [this](const std::string& href) {
    HTMLViewerHotSpotCovered(href);
  };
  html_view_->OnMouseMove = [this](QMouseEvent*) { preview_->MouseMoved(); };
  html_view_->OnRightClick = [this](const TRightClickParameters& p) { HTMLViewerRightClick(p); };

  copy_action_ = new QAction(QStringLiteral("Copy Selected Text"), this);
  copy_action_->setShortcut(QKeySequence::Copy);
  copy_action_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(copy_action_, &QAction::triggered, this, [this] { html_view_->CopyToClipboard(); });

  preview_ = new TLinkPreview(
      html_view_, kResourceViewPreviewDelayMs,
      [this](const std::string& href) { return PreviewOf(href); },
      [this](bool active) { host_.SetPreviewActive(active); });
}

TFrameResourceView::~TFrameResourceView() = default;

// --- Library -------------------------------------------------------------------------

void TFrameResourceView::AttachLibrary() {
  const TLMBibleModule* kjv = library_.Kjv();
  renderer_ = kjv != nullptr ? std::make_unique<TEntryRenderer>(*kjv) : nullptr;
  if (renderer_) renderer_->SetEntryHeader(header_);
}

void TFrameResourceView::DropModules() {
  preview_->Covered(std::string(), QPoint());
  Clear();
  renderer_.reset();
}

// --- Rendering -------------------------------------------------------------------------

void TFrameResourceView::ApplyDisplaySettings(const config::TPropertiesResourceView& s) {
  html_view_->SetDefFontName(s.main_font);
  html_view_->SetDefFontSize(s.main_size);
  html_view_->SetDefFontColor(s.text_color);
  html_view_->SetDefBackground(s.background_color);
  html_view_->SetDefHotSpotColor(s.link_color);
}

void TFrameResourceView::SetEntryHeader(std::string header) {
  header_ = std::move(header);
  if (renderer_) renderer_->SetEntryHeader(header_);
}

bool TFrameResourceView::ShowEntry(std::string_view text, std::string_view title,
                                   const std::vector<std::string>& titles, int first_verse,
                                   int last_verse) {
  if (!renderer_) {
    Clear();
    return false;
  }
  // The placeholder paints now; no pending event runs inside a render.
  html_view_->LoadText(kLoadingPlaceholder);
  html_view_->PaintNow();
  const config::Properties& p = config::GlobalProperties();
  renderer_->SetLinkMultipleVerses(p.link_multiple_verses);
  renderer_->SetKeyHighlightColor(p.key_hilight_color);
  renderer_->ShowEntry(text, title, titles, first_verse, last_verse);
  html_view_->LoadHtml(renderer_->Html());
  if (!renderer_->Anchor().empty()) html_view_->PositionTo(renderer_->Anchor());
  shown_ = true;
  return true;
}

void TFrameResourceView::Clear() {
  html_view_->Clear();
  shown_ = false;
}

TVerseList TFrameResourceView::GetReferencedVerses() const {
  return shown_ && renderer_ ? renderer_->GetReferencedVerses() : TVerseList{};
}

// --- Widget events -----------------------------------------------------------------------

void TFrameResourceView::HTMLViewerRightClick(const TRightClickParameters& params) {
  // Only over an entry: every page ShowEntry builds has a title.
  if (!on_right_click || html_view_->DocumentTitle().empty()) return;
  on_right_click(params.url, params.target, params.word, html_view_->SelectedText(),
                 params.global_pos);
}

int TFrameResourceView::BibleVerseCount() const {
  const TLMBibleModule* bible = host_.BibleViewBible();
  return bible != nullptr ? bible->VerseCount() : kVerseCount;
}

void TFrameResourceView::HTMLViewerHotSpotClick(const std::string& href, bool& handled) {
  handled = true;
  if (!href.empty() && href.front() == '#') {
    html_view_->PositionTo(href);
    return;
  }
  const std::optional<THref> split = SplitHref(href);
  if (!split) return;
  const std::string scheme = cp1252::LowerAscii(split->scheme);
  const std::string_view data = split->data;
  if (scheme == "editd" || scheme == "editc") {
    if (on_edit_link) on_edit_link(scheme == "editd");
  } else if (scheme == "stgsrch") {
    const std::optional<std::string> text = StrongsSearchText(data);
    if (text && host_.Search().CanSearchBible())
      host_.Search().SearchBible(*text, library_.StrongsLinksBible());
  } else if (scheme == "h" || scheme == "g") {
    const TLMDictionaryModule* book =
        scheme == "h" ? library_.HebrewStrongsBook() : library_.GreekStrongsBook();
    const std::optional<int32_t> n = ParseLinkNumber(data);
    if (book == nullptr || !n ||
        !IsUsableEntryNumber(int64_t{*n} - 1, static_cast<size_t>(book->EntryCount())))
      return;
    host_.ShowBookEntry(*book, *n - 1, 0, 0);
  } else if (scheme == "cen") {
    const std::optional<int32_t> n = ParseLinkNumber(data);
    if (n && on_entry_link) on_entry_link(*n);
  } else if (scheme == "lmimage" || scheme == "lmbook" || scheme == "lmcmt") {
    host_.OpenResourceLink(href);
  } else if (scheme == "vr") {
    const TVerseRangeList ranges = LinkedVerseRanges(href, BibleVerseCount());
    if (!ranges.empty()) host_.GoToVerse(ranges.front().first, true);
  } else if (scheme == "vrl") {
    const TVerseList verses = ExpandRanges(LinkedVerseRanges(href, BibleVerseCount()));
    if (!verses.empty()) host_.ShowVerseList(verses, {}, "References", false);
  } else if (scheme == "http" || scheme == "mailto" || scheme == "file") {
    host_.OpenExternal(href);
  }
}

void TFrameResourceView::HTMLViewerHotSpotCovered(const std::string& href) {
  preview_->Covered(href, html_view_->CoveredGlobalPoint());
}

std::string TFrameResourceView::PreviewOf(const std::string& href) const {
  TPreviewContext context;
  context.strongs_data = library_.StrongsData();
  context.hebrew_book = library_.HebrewStrongsBook();
  context.greek_book = library_.GreekStrongsBook();
  context.books = library_.Books();
  context.commentaries = library_.Commentaries();
  context.editable_commentaries = library_.EditableCommentaries();
  context.bible = host_.BibleViewBible() != nullptr ? host_.BibleViewBible() : library_.Kjv();
  return ResourceViewPreview(href, context);
}

}  // namespace lumora::ui
