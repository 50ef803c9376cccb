#include "render/entry_renderer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "config/properties.h"
#include "core/codec/base205.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "render/entry_markup.h"
#include "render/href.h"
#include "render/html_escape.h"

namespace lumora {
namespace {

using namespace entry_markup;

// Longest number text a Strong's or entry link can hold ("$" and eight hex
// digits, or ten decimal digits); anything longer is damaged markup.
constexpr size_t kMaxNumberText = 10;

bool IsMarkupByte(char c) {
  switch (c) {
    case kHebrewRun: case kGreekRun: case kHebrewStrongs: case kGreekStrongs:
    case kVerseList: case kEntryLink: case kTerminator: case kCommentaryLink:
      return true;
    default:
      return false;
  }
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsVerseListByte(char c) {
  return c == ',' || c == '+' || IsBase205Digit(static_cast<unsigned char>(c));
}

// Position of the 0x08 that ends a number of at most kMaxNumberText bytes
// starting at `from`, or npos. Bytes are checked on the way so that a
// sequence never reaches into markup that follows.
size_t NumberEnd(std::string_view text, size_t from, bool (*allowed)(char)) {
  for (size_t i = from; i < text.size() && i - from <= kMaxNumberText; ++i) {
    if (text[i] == kTerminator) return i;
    if (!allowed(text[i])) return std::string_view::npos;
  }
  return std::string_view::npos;
}

void AppendInt(std::string& out, int n) {
  char buf[16];
  const auto end = std::to_chars(buf, buf + sizeof buf, n).ptr;
  out.append(buf, static_cast<size_t>(end - buf));
}

void AppendHex(std::string& out, size_t n) {
  char buf[24];
  const int len = std::snprintf(buf, sizeof buf, "%zX", n);
  out.append(buf, static_cast<size_t>(len));
}

// Every "&#8209;" (non-breaking hyphen) becomes "-".
void ReplaceNonBreakingHyphens(std::string& html) {
  static constexpr std::string_view kHyphen = "&#8209;";
  size_t at = html.find(kHyphen);
  if (at == std::string::npos) return;
  std::string out;
  out.reserve(html.size());
  size_t from = 0;
  while (at != std::string::npos) {
    out.append(html, from, at - from);
    out += '-';
    from = at + kHyphen.size();
    at = html.find(kHyphen, from);
  }
  out.append(html, from, std::string::npos);
  html.swap(out);
}

}  // namespace

TEntryRenderer::TEntryRenderer(const TLMBibleModule& kjv) : kjv_(kjv) {}

// Book, chapter and verse of every KJV verse and the escaped long titles,
// read once: a long entry names thousands of verses.
void TEntryRenderer::LoadKjvTables() {
  if (!places_.empty()) return;
  const int count = std::max(kjv_.VerseCount(), 0);
  places_.resize(static_cast<size_t>(count) + 1);
  for (int v = 1; v <= count; ++v) places_[static_cast<size_t>(v)] = kjv_.GetVerseLocation(v);
  long_titles_.resize(static_cast<size_t>(std::max(kjv_.BookCount(), 0)) + 1);
  for (size_t b = 0; b < long_titles_.size(); ++b)
    long_titles_[b] = HtmlEscape(kjv_.GetLongBookTitle(static_cast<int>(b)));
}

TVerseLocation TEntryRenderer::Place(int verse) const {
  return verse >= 1 && static_cast<size_t>(verse) < places_.size()
             ? places_[static_cast<size_t>(verse)]
             : TVerseLocation{};
}

const std::string& TEntryRenderer::LongTitle(int book) const {
  // Entry 0 holds the module's text for a book out of range.
  return long_titles_[book >= 1 && static_cast<size_t>(book) < long_titles_.size()
                          ? static_cast<size_t>(book)
                          : 0];
}

void TEntryRenderer::ShowEntry(std::string_view entry_text, std::string_view title,
                               const std::vector<std::string>& titles, int first_verse,
                               int last_verse) {
  anchor_placed_ = false;
  highlight_html_ = config::ColorToHtml(key_highlight_color_);
  LoadKjvTables();

  // The page as the markup scan sees it: title, optional header, the entry.
  std::string page;
  page.reserve(entry_text.size() + entry_header_.size() + 2 * title.size() + 96);
  page += "<title>";
  AppendHtmlEscaped(page, title);
  page += "</title><font size=+1><b>";
  AppendHtmlEscaped(page, title);
  page += "</b></font><br>";
  if (!entry_header_.empty()) {
    page += "<font size=-1>";
    page += entry_header_;
    page += "</font><p>";
  }
  page += entry_text;
  page += " <p>";

  referenced_.assign(static_cast<size_t>(std::max(kjv_.VerseCount(), 0)) + 1, false);
  RenderMarkup(page, titles, first_verse, last_verse);
  ReplaceNonBreakingHyphens(html_);

  anchor_.clear();
  if (first_verse != 0) {
    anchor_ = "#v";
    AppendInt(anchor_, first_verse);
  }
}

// One forward pass over the page into html_. Each sequence is converted
// where it starts and the scan continues after it; text enclosed by a
// sequence is copied, not scanned again.
void TEntryRenderer::RenderMarkup(std::string_view text, const std::vector<std::string>& titles,
                                  int first, int last) {
  std::string& out = html_;
  out.clear();
  out.reserve(text.size() + text.size() / 2 + 64);
  // Next 0x08 at or after the scan position, found again only when the scan
  // has passed it, so runs without a terminator stay linear.
  size_t next_terminator = text.find(kTerminator);
  auto terminator_from = [&](size_t i) {
    if (next_terminator != std::string_view::npos && next_terminator < i)
      next_terminator = text.find(kTerminator, i);
    return next_terminator;
  };

  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    switch (c) {
      case kHebrewRun:
      case kGreekRun: {
        const size_t end = terminator_from(i);
        if (end == std::string_view::npos) {
          out += '?';
          ++i;
          break;
        }
        out += "<font face=\"";
        out += c == kHebrewRun ? config::kHebrewLexiconFont : config::kGreekLexiconFont;
        out += "\" size=+1>";
        out.append(text.substr(i + 1, end - i - 1));
        out += "</font>";
        i = end + 1;
        break;
      }
      case kHebrewStrongs:
      case kGreekStrongs: {
        const size_t end =
            NumberEnd(text, i + 1, [](char b) { return b == '$' || IsHexDigit(b); });
        const std::string_view number =
            end == std::string_view::npos ? std::string_view() : text.substr(i + 1, end - i - 1);
        if (!ParseLinkNumber(number)) {
          // Unclosed or damaged: the byte goes, the one after it shows "?".
          out += '?';
          i += 2;
          break;
        }
        out += c == kHebrewStrongs ? "<a href=\"h:" : "<a href=\"g:";
        out.append(number);
        out += "\">";
        out.append(number);
        out += "</a>";
        i = end + 1;
        break;
      }
      case kVerseList: {
        size_t end = i + 1;
        while (end < text.size() && IsVerseListByte(text[end])) ++end;
        if (end == i + 1 || end >= text.size() || text[end] != kTerminator) {
          out += '?';
          out += kUnclosedRefMarker;
          ++i;
          break;
        }
        FormatReferencesTo(out, text.substr(i + 1, end - i - 1), first, last);
        i = end + 1;
        break;
      }
      case kEntryLink: {
        const size_t end = NumberEnd(text, i + 1, IsHexDigit);
        std::string number = "$";
        if (end != std::string_view::npos) number.append(text.substr(i + 1, end - i - 1));
        const std::optional<int32_t> n = ParseLinkNumber(number);
        if (!n) {
          out += '?';
          out += kUnclosedLinkMarker;
          ++i;
          break;
        }
        i = end + 1;
        if (!IsUsableEntryNumber(*n, titles.size())) {
          out += '?';
          out += kBadLinkMarker;
          break;
        }
        out += "<a href=\"cen:";
        out += number;
        out += "\">";
        AppendHtmlEscaped(out, titles[static_cast<size_t>(*n)]);
        out += "</a>";
        break;
      }
      case kCommentaryLink: {
        const int64_t verse = i + 2 < text.size() ? DecodeBase205(text.substr(i + 1, 2)) : -1;
        if (verse < 1 || verse > kjv_.VerseCount()) {
          out += '?';
          ++i;
          break;
        }
        AppendCommentaryLink(out, static_cast<int>(verse), titles);
        i += 3;
        break;
      }
      case kTerminator:
        // A terminator that ends no sequence (left by damaged markup).
        ++i;
        break;
      default: {
        // Copy the run of ordinary bytes up to the next control byte.
        size_t end = i + 1;
        while (end < text.size() && !IsMarkupByte(text[end])) ++end;
        out.append(text.substr(i, end - i));
        i = end;
        break;
      }
    }
  }
}

void TEntryRenderer::AppendCommentaryLink(std::string& out, int verse,
                                          const std::vector<std::string>& titles) {
  const TVerseLocation loc = kjv_.GetVerseLocation(verse);
  std::string reference = kjv_.GetLongBookTitle(loc.book);
  reference += ' ';
  AppendInt(reference, loc.chapter);
  reference += ':';
  AppendInt(reference, loc.verse);
  // Equal titles have equal lengths (the comparison maps bytes one to one),
  // which rules out nearly every title cheaply.
  size_t found = titles.size();
  for (size_t f = 0; f < titles.size(); ++f) {
    if (titles[f].size() == reference.size() && cp1252::EqualNoCase(titles[f], reference)) {
      found = f;
      break;
    }
  }
  if (found == titles.size()) {
    out += "Cmt. on ";
    AppendHtmlEscaped(out, reference);
    return;
  }
  out += "<a href=\"cen:$";
  AppendHex(out, found);
  out += "\">Cmt. on ";
  AppendHtmlEscaped(out, reference);
  out += "</a>";
}

std::string TEntryRenderer::FormatReferences(std::string_view codes, int first_verse,
                                             int last_verse) {
  highlight_html_ = config::ColorToHtml(key_highlight_color_);
  LoadKjvTables();
  if (referenced_.empty())
    referenced_.assign(static_cast<size_t>(std::max(kjv_.VerseCount(), 0)) + 1, false);
  std::string out;
  FormatReferencesTo(out, codes, first_verse, last_verse);
  return out;
}

void TEntryRenderer::FormatReferencesTo(std::string& out, std::string_view codes, int mark_first,
                                        int mark_last) {
  const bool marking = mark_first != 0 && mark_last < kNoMarkedVerse;
  std::string h;
  std::string anchor;
  int previous_book = -1;
  int previous_chapter = -1;
  std::string piece;
  for (const std::string_view code : SplitVerseRangeList(codes)) {
    const std::optional<TVerseRangeItem> item = ParseVerseRangeItem(code);
    if (!item) continue;
    const int first = item->first;
    const int last = item->LastWithin(kVerseCount);
    // A count that runs past the last verse is dropped from the link too.
    const std::string_view link_code = last != item->last ? item->head : code;

    const TVerseLocation a = Place(first);
    const TVerseLocation b = Place(last);
    piece.clear();
    const bool highlighted = marking && first <= mark_last && mark_first <= last;
    if (a.book != previous_book) {
      if (!h.empty()) h += "; ";
      if (!highlighted) piece += "<b>";
      piece += LongTitle(a.book);
      if (!highlighted) piece += "</b>";
      piece += ' ';
      AppendInt(piece, a.chapter);
      piece += ':';
      AppendInt(piece, a.verse);
    } else if (a.chapter == previous_chapter) {
      if (!h.empty()) h += ',';
      AppendInt(piece, a.verse);
    } else {
      if (!h.empty()) h += "; ";
      AppendInt(piece, a.chapter);
      piece += ':';
      AppendInt(piece, a.verse);
    }
    if (last != first) {
      piece += '-';
      if (b.book != a.book) {
        piece += LongTitle(b.book);
        piece += ' ';
        AppendInt(piece, b.chapter);
        piece += ':';
        AppendInt(piece, b.verse);
      } else if (b.chapter == a.chapter) {
        AppendInt(piece, b.verse);
      } else {
        AppendInt(piece, b.chapter);
        piece += ':';
        AppendInt(piece, b.verse);
      }
    }
    previous_book = a.book;
    previous_chapter = a.chapter;

    // A word at a time: an entry may name the whole Bible thousands of times.
    const size_t bits_end = std::min(static_cast<size_t>(last) + 1, referenced_.size());
    if (static_cast<size_t>(first) < bits_end)
      std::fill(referenced_.begin() + first, referenced_.begin() + static_cast<std::ptrdiff_t>(bits_end),
                true);

    if (highlighted) {
      // The bold of the book title gives way to the highlight's own.
      piece.insert(0, "<font color=\"#" + highlight_html_ + "\"><b>");
      piece += "</b></font>";
      if (!anchor_placed_) {
        anchor = "<a name=\"v";
        AppendInt(anchor, mark_first);
        anchor += "\"></a>";
        anchor_placed_ = true;
      }
    }
    if (link_multiple_verses_) {
      h += piece;
    } else {
      h += "<a href=\"vr:";
      h.append(link_code);
      h += "\">";
      h += piece;
      h += "</a>";
    }
  }
  out += anchor;
  if (link_multiple_verses_) {
    out += "<a href=\"vrl:";
    out.append(codes);
    out += "\">";
    out += h;
    out += "</a>";
  } else {
    out += h;
  }
}

TVerseList TEntryRenderer::GetReferencedVerses() const {
  TVerseList verses;
  for (size_t v = 1; v < referenced_.size(); ++v)
    if (referenced_[v]) verses.push_back(static_cast<uint16_t>(v));
  return verses;
}

}  // namespace lumora
