#include "render/passage_renderer.h"

#include <algorithm>

#include "core/text/cp1252.h"
#include "render/html_escape.h"
#include "render/key_highlighter.h"
#include "render/passage_templates.h"
#include "render/verse_markup.h"

namespace lumora {
namespace {

constexpr std::string_view kNonFatalPrefix = "[Non-fatal internal error: ";

// Settings of one render, worked out once.
struct RenderContext {
  TPassageLayout layout;
  bool show_footnotes = false;
  bool paragraph_marks = false;
  bool link_commentaries = false;
  bool link_books = false;
  bool edit_links = false;
  uint8_t italics_mode = 0;
  std::string footnotes_color;
  std::string strongs_color;
  std::string comment_color;
  std::string dict_color;
  std::string key_color;
  char letter = kFootnoteLetterStart;
};

template <typename T>
std::vector<const T*> Pointers(const std::vector<std::unique_ptr<T>>& list) {
  std::vector<const T*> out;
  out.reserve(list.size());
  for (const auto& m : list) out.push_back(m.get());
  return out;
}

// Appends "<a href=\"SCHEME:k,n\"><font color=\"C\">CAPTION</font></a> ".
void AppendModuleLink(std::string& links, const char* scheme, size_t k, int n,
                      const std::string& color, const std::string& caption) {
  links += "<a href=\"";
  links += scheme;
  links += std::to_string(k);
  links += ',';
  links += std::to_string(n);
  links += "\"><font color=\"";
  links += color;
  links += "\">";
  links += caption;
  links += "</font></a> ";
}

// "%s %s" of the side text and the links, without the links' last blank.
void AddLinksToSide(std::string& side, std::string& links) {
  if (links.empty()) return;
  links.pop_back();
  side += ' ';
  side += links;
}

}  // namespace

TPassageRenderer::TPassageRenderer() : verse_positions_(kMinVersePositions) {}

void TPassageRenderer::GrowVersePositions(const TLMBibleModule* bible) {
  if (bible == nullptr) return;
  const size_t wanted =
      std::max(kMinVersePositions, static_cast<size_t>(std::max(bible->VerseCount(), 0)) + 1);
  if (verse_positions_.size() < wanted) verse_positions_.resize(wanted);
}

void TPassageRenderer::SetBible(const TLMBibleModule* bible) {
  bible_ = bible;
  GrowVersePositions(bible);
}

void TPassageRenderer::SetCompareBible(const TLMBibleModule* bible) {
  compare_bible_ = bible;
  GrowVersePositions(bible);
}

TPassageWidgetDefaults TPassageRenderer::WidgetDefaults() const {
  return {settings_.main_font, settings_.main_size, settings_.background_color,
          settings_.text_color};
}

void TPassageRenderer::SetLinkedCommentaries(
    const std::vector<std::unique_ptr<TLMCommentaryModule>>& list) {
  linked_commentaries_ = Pointers(list);
}

void TPassageRenderer::SetLinkedBooks(
    const std::vector<std::unique_ptr<TLMDictionaryModule>>& list) {
  linked_books_ = Pointers(list);
}

void TPassageRenderer::SetEditableCommentaries(const std::vector<TLMCommentaryModule*>& list) {
  editable_commentaries_.assign(list.begin(), list.end());
}

void TPassageRenderer::SetExcludedFromLinking(std::vector<std::string> abbreviations) {
  std::sort(abbreviations.begin(), abbreviations.end(),
            [](const std::string& a, const std::string& b) {
              return cp1252::CompareNoCase(a, b) < 0;
            });
  excluded_from_linking_ = std::move(abbreviations);
}

bool TPassageRenderer::IsExcluded(const std::string& abbreviation,
                                  bool included_in_linking) const {
  if (!included_in_linking) return true;
  return std::binary_search(excluded_from_linking_.begin(), excluded_from_linking_.end(),
                            abbreviation, [](const std::string& a, const std::string& b) {
                              return cp1252::CompareNoCase(a, b) < 0;
                            });
}

int TPassageRenderer::Rerender() {
  // ShowVerses takes its own stored lists safely.
  return ShowVerses(verses_, keys_, case_sensitive_, reference_links_);
}

namespace {

// One pass over module `m`: the verse's finished text; lettered footnotes
// go to `side`.
std::string PassText(const TLMBibleModule& m, int verse, const TKeyArray& keys,
                     bool case_sensitive, RenderContext& ctx,
                     const TLMStrongsDataModule* strongs_data, bool paragraph_start,
                     std::string& side) {
  std::string text = m.GetVerseText(verse, m.IsStrongsLinks(), ctx.show_footnotes);
  // Bytes 4 and 5 are the highlight markers; a damaged text must not bring
  // its own, not even one that reads like a reader's message.
  std::erase_if(text, [](char c) { return c == '\x04' || c == '\x05'; });
  if (text.starts_with(kNonFatalPrefix)) {
    // A damaged record: its message, shown as plain text.
    text = HtmlEscape(text);
  } else {
    if (!keys.empty()) MarkKeys(text, keys, case_sensitive, m.IsStrongsLinks());
    TVerseMarkupOptions o;
    o.strongs_links = m.IsStrongsLinks();
    o.footnotes = m.HasFootnotes() && ctx.show_footnotes;
    o.column_mode = ctx.layout.column_mode;
    o.brackets = m.HasBrackets();
    o.italics_mode = ctx.italics_mode;
    o.has_font = m.HasFont();
    if (o.has_font) o.font_name = HtmlEscape(m.GetFontName());
    o.footnotes_color = ctx.footnotes_color;
    o.strongs_color = ctx.strongs_color;
    o.highlights = !keys.empty();
    o.highlight_color = ctx.key_color;
    o.strongs_data = strongs_data;
    text = MarkUpVerseText(std::move(text), o, side, ctx.letter);
    if (o.has_font) text = "<font face=\"" + o.font_name + "\">" + text + "</font>";
  }
  if (ctx.paragraph_marks && paragraph_start) text = "\xB6 " + text;
  if (ctx.layout.compare) text += " (" + HtmlEscape(m.GetAbbreviation()) + ")";
  return text;
}

}  // namespace

int TPassageRenderer::ShowVerses(const TVerseList& verses, const TKeyArray& keys,
                                 bool case_sensitive, bool reference_links) {
  if (&keys != &keys_) keys_ = keys;
  case_sensitive_ = case_sensitive;
  reference_links_ = reference_links;
  const config::TPropertiesBibleView& s = settings_;
  RenderContext ctx;
  ctx.layout.reference_links = reference_links;
  ctx.layout.para_mode = s.para_mode;
  ctx.layout.column_mode = s.column_mode && !s.para_mode;
  ctx.layout.compare = !s.para_mode && compare_bible_ != nullptr && compare_bible_ != bible_;
  ctx.show_footnotes = s.show_footnotes;
  ctx.paragraph_marks = s.show_paragraph_marks && !s.para_mode;
  // Paragraph mode shows no side text: skip the link look-ups.
  ctx.link_commentaries = s.link_commentaries && !s.para_mode && !linked_commentaries_.empty();
  ctx.link_books = s.link_dictionaries && !s.para_mode && !linked_books_.empty();
  ctx.edit_links = s.show_edit_links && !s.para_mode && !editable_commentaries_.empty();
  ctx.italics_mode = s.italics_mode;
  ctx.footnotes_color = config::ColorToHtml(s.footnotes_color);
  ctx.strongs_color = config::ColorToHtml(s.strongs_link_color);
  ctx.comment_color = config::ColorToHtml(s.comment_link_color);
  ctx.dict_color = config::ColorToHtml(s.dict_link_color);
  ctx.key_color = config::ColorToHtml(key_color_);
  if (bible_ == nullptr) return 0;

  if (&verses != &verses_) verses_ = verses;
  const TLMBibleModule& bible = *bible_;
  const int length = static_cast<int>(verses_.size());
  const int last_index = length - 1;
  html_.clear();
  html_.reserve(static_cast<size_t>(std::min(length, kPassagePageLength)) * 400 + 256);

  if (prev_chapter_link_ && length > 0 && verses_.front() > 1 &&
      IsUsableVerse(bible, verses_.front()))
    html_ = PreviousChapterLinkHtml(verses_.front() - 1);
  if (ctx.layout.column_mode) html_ += "<table cellspacing=0 cellpadding=2>";

  if (paged_) {
    // A stale start (from an older, longer list or a crafted link) is
    // brought back into the list.
    if (page_first_ > last_index) page_first_ = std::max(0, last_index / kPassagePageLength *
                                                               kPassagePageLength);
    if (page_first_ < 0) page_first_ = 0;
    page_last_ = std::min(page_first_ + kPassagePageLength - 1, last_index);
  } else {
    page_first_ = 0;
    page_last_ = last_index;
  }
  std::string page_line;
  if (paged_ && (page_first_ > 0 || page_last_ < last_index)) {
    page_line = PageLine(page_first_, page_last_, length, kPassagePageLength);
    html_ = "<center>" + page_line + "</center><p>" + html_;
  }

  int count = 0;
  has_side_notes_ = false;
  TVerseCell cell;
  for (int i = page_first_; i <= page_last_; ++i) {
    const int e = verses_[static_cast<size_t>(i)];
    if (e == kVerseListSeparator) {
      html_ += ctx.layout.column_mode ? "<tr><td>&nbsp;</td></tr>" : "<p>";
      continue;
    }
    if (!IsUsableVerse(bible, e)) continue;
    ++count;
    cell.side_text.clear();
    cell.compare_text.clear();
    const TVerseLocation loc = bible.GetVerseLocation(e);
    const bool paragraph_start = paragraph_map_ != nullptr && paragraph_map_->StartsParagraph(e);
    cell.verse_index = e;
    cell.verse_number = loc.verse;
    cell.paragraph_start = paragraph_start;
    cell.text = PassText(bible, e, keys_, case_sensitive_, ctx, strongs_data_, paragraph_start,
                         cell.side_text);
    if (ctx.layout.compare)
      cell.compare_text = PassText(*compare_bible_, e, keys_, case_sensitive_, ctx,
                                   strongs_data_, paragraph_start, cell.side_text);
    if (ctx.layout.column_mode && !cell.side_text.empty()) has_side_notes_ = true;

    std::string links;
    if (ctx.link_commentaries) {
      for (size_t k = 0; k < linked_commentaries_.size(); ++k) {
        const TLMCommentaryModule* c = linked_commentaries_[k];
        if (c == nullptr || IsExcluded(c->GetAbbreviation(), c->included_in_linking)) continue;
        if (c->HasEntry(e - 1))
          AppendModuleLink(links, "lc:", k, e - 1, ctx.comment_color,
                           HtmlEscape(c->GetAbbreviation()));
      }
      AddLinksToSide(cell.side_text, links);
    }
    if (ctx.link_books) {
      links.clear();
      for (size_t k = 0; k < linked_books_.size(); ++k) {
        const TLMDictionaryModule* b = linked_books_[k];
        if (b == nullptr || IsExcluded(b->GetAbbreviation(), b->included_in_linking)) continue;
        if (b->HasVerseEntries(e - 1))
          AppendModuleLink(links, "ld:", k, e, ctx.dict_color, HtmlEscape(b->GetAbbreviation()));
      }
      AddLinksToSide(cell.side_text, links);
    }
    if (ctx.edit_links) {
      links.clear();
      for (size_t k = 0; k < editable_commentaries_.size(); ++k) {
        const TLMCommentaryModule* u = editable_commentaries_[k];
        if (u == nullptr) continue;
        AppendModuleLink(links, "ec:", k, e - 1, ctx.comment_color,
                         "Edit&nbsp;" + HtmlEscape(u->GetAbbreviation()));
      }
      AddLinksToSide(cell.side_text, links);
    }

    TVersePosition& position = verse_positions_[static_cast<size_t>(e)];
    const std::string chapter_verse = std::to_string(loc.chapter) + ":" + std::to_string(loc.verse);
    if (s.para_mode && !reference_links) {
      cell.label = std::to_string(loc.verse);
      position.LabelLength = static_cast<int32_t>(cell.label.size());
    } else {
      // "&nbsp;" shows as one character.
      const std::string title = bible.GetLongBookTitle(loc.book);
      cell.label = HtmlEscape(title) + "&nbsp;" + chapter_verse;
      position.LabelLength = static_cast<int32_t>(title.size() + 1 + chapter_verse.size());
    }
    position.SourceOffset = static_cast<int32_t>(html_.size());
    if (s.para_mode && !reference_links && paragraph_start)
      position.SourceOffset += kParagraphPieceOffset;
    AppendVerse(html_, ctx.layout, cell);
  }

  if (ctx.layout.column_mode) html_ += "</table>";
  if (next_chapter_link_ && length > 0 && IsUsableVerse(bible, verses_.back()) &&
      verses_.back() < bible.VerseCount())
    html_ += NextChapterLinkHtml(verses_.back() + 1);
  if (!page_line.empty()) html_ += "<p><center>" + page_line + "</center>";
  return count;
}

}  // namespace lumora
