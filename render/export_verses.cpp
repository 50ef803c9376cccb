// FormatVerses and FormatVerseRanges: runs of Bible verses in the eight
// export styles, as plain text or HTML.
#include <algorithm>
#include <string>

#include "config/properties.h"
#include "core/modules/verse_text_codec.h"
#include "core/refs/reference_format.h"
#include "render/export_procs.h"

namespace lumora {
namespace {

void TrimTrailingBreaks(std::string& s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\n')) s.pop_back();
}

std::string StrongsWord(const ExportBibleView& view, char marker, int number, StrongsField field) {
  if (view.strongs_data == nullptr) return {};
  const StrongsLanguage language =
      marker == kHebrewStrongsByte ? StrongsLanguage::kHebrew : StrongsLanguage::kGreek;
  return view.strongs_data->GetStrongsString(language, number, field);
}

// Verse markup to HTML in one pass over the verse's own bytes: the words
// put in for Strong's numbers are never taken for markup, and a ">>" right
// after a "]", "}" or Strong's word still closes the small text.
std::string HtmlVerse(std::string_view t, const TLMBibleModule& bible,
                      const ExportBibleView& view) {
  const std::string footnote_open =
      "<font color=" + config::ColorToHtml(view.footnotes_color) + ">{";
  const std::string strongs_color = config::ColorToHtml(view.strongs_link_color);
  const bool strongs = bible.IsStrongsLinks();
  std::string out;
  out.reserve(t.size() * 2);
  for (size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (strongs && (c == kHebrewStrongsByte || c == kGreekStrongsByte)) {
      if (const int n = ParseWrittenStrongsToken(t, i); n >= 0) {
        out += " <font face=\"";
        out += c == kHebrewStrongsByte ? config::kHebrewLexiconFont : config::kGreekLexiconFont;
        out += "\" color=\"" + strongs_color + "\">";
        out += StrongsWord(view, c, n, StrongsField::kWord);
        out += "</font>";
        i += 5;
        continue;
      }
    }
    const bool doubled = i + 1 < t.size() && t[i + 1] == c;
    switch (c) {
      case '[':
      case ']':
        if (view.italics_mode == 0)
          out += c == '[' ? "<i>" : "</i>";
        else if (view.italics_mode != 2)
          out += c;
        break;
      case '{':
        out += footnote_open;
        break;
      case '}':
        out += "}</font>";
        break;
      case '>':
        out += doubled ? "</font>" : ">";
        i += doubled ? 1 : 0;
        break;
      case '<':
        out += doubled ? "<font size=-1>" : "<";
        i += doubled ? 1 : 0;
        break;
      default:
        out += c;
    }
  }
  if (bible.HasFont())
    out = "<font face=\"" + bible.GetFontName() + "\" size=+1>" + out + "</font>";
  return out;
}

std::string PlainVerse(std::string_view t, const TLMBibleModule& bible,
                       const ExportFormatSettings& settings, const ExportBibleView& view) {
  const bool strongs = bible.IsStrongsLinks();
  std::string out;
  out.reserve(t.size() + t.size() / 2);
  for (size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (strongs && (c == kHebrewStrongsByte || c == kGreekStrongsByte)) {
      if (const int n = ParseWrittenStrongsToken(t, i); n >= 0) {
        out += " <" + StrongsWord(view, c, n, StrongsField::kTransliteration) + ">";
        i += 5;
        continue;
      }
    }
    if ((c == '[' || c == ']') && !settings.include_brackets) continue;
    // The links of a cross-reference note are markup: plain text keeps
    // their words only.
    if (c == '<' && (t.substr(i, 3) == "<a " || t.substr(i, 4) == "</a>")) {
      const size_t close = t.find('>', i);
      if (close != std::string_view::npos) {
        i = close;
        continue;
      }
    }
    out += c;
  }
  return out;
}

std::string BookTitle(const TLMBibleModule& bible, int book, bool long_titles) {
  return long_titles ? bible.GetLongBookTitle(book) : bible.GetShortBookTitle(book);
}

std::string ChapterVerse(const TVerseLocation& at) {
  return std::to_string(at.chapter) + ":" + std::to_string(at.verse);
}

}  // namespace

ExportFormatSettings ExportFormatFrom(const config::Properties& p) {
  return {p.verse_export_style, p.include_brackets, p.include_footnotes, p.include_version_tag};
}

ExportBibleView ExportViewFrom(const config::TPropertiesBibleView& v,
                               const TLMStrongsDataModule* strongs_data) {
  return {v.footnotes_color, v.strongs_link_color, v.italics_mode, strongs_data};
}

std::string FormatVerses(int first, int last, const TLMBibleModule& bible, bool html,
                         const ExportFormatSettings& settings, const ExportBibleView& view) {
  const int style = settings.style >= 0 && settings.style <= 7 ? settings.style : 0;
  const bool long_titles = style % 2 == 1;
  const bool tag = settings.include_version_tag;
  const std::string abbreviation = bible.GetAbbreviation();
  std::string r;
  std::string run_reference;
  if (style <= 3)
    run_reference =
        FormatRange(bible, first, last, long_titles ? BookTitleKind::kLong : BookTitleKind::kShort);
  if (style <= 1) {
    r = tag ? run_reference + " (" + abbreviation + ")  " : run_reference + "  ";
    if (html) r = "<b>" + r + "</b>";
  }
  int previous_book = -1, previous_chapter = -1;
  for (int i = std::max(first, 1); i <= std::min(last, bible.VerseCount()); ++i) {
    const std::string stored =
        bible.GetVerseText(i, bible.IsStrongsLinks(), settings.include_footnotes);
    const std::string t =
        html ? HtmlVerse(stored, bible, view) : PlainVerse(stored, bible, settings, view);
    const TVerseLocation at = bible.GetVerseLocation(i);
    if (style <= 3) {
      r += t;
      r += ' ';
    } else {
      std::string reference;
      if (style >= 6 || at.book != previous_book || at.chapter != previous_chapter) {
        reference = BookTitle(bible, at.book, long_titles) + " " + ChapterVerse(at);
        if (tag) reference += " (" + abbreviation + ")";
      } else {
        reference = std::to_string(at.verse);
      }
      if (html)
        r += "<br><b>" + reference + "</b> " + t;
      else
        r += reference + " " + t + (style >= 6 ? "\r\n" : "\r\n\r\n");
    }
    previous_book = at.book;
    previous_chapter = at.chapter;
  }
  if (style == 2 || style == 3) {
    const std::string inner = tag ? run_reference + " " + abbreviation : run_reference;
    r += html ? "<b>(" + inner + ")</b>" : "(" + inner + ")";
  }
  TrimTrailingBreaks(r);
  return r;
}

std::string FormatVerseRanges(const TVerseRangeList& ranges, const TLMBibleModule& bible,
                              const ExportFormatSettings& settings, bool html,
                              const ExportBibleView& view) {
  std::string r;
  for (const TVerseRange& range : ranges) {
    r += FormatVerses(range.first, range.last, bible, html, settings, view);
    r += "\r\n\r\n";
  }
  TrimTrailingBreaks(r);
  return r;
}

}  // namespace lumora
