#include "app/output_texts.h"

#include <algorithm>
#include <vector>

#include "core/refs/reference_format.h"

namespace lumora {
namespace {

void TrimTrailingOutput(std::string& s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\n')) s.pop_back();
}

bool IsListedOutputVerse(uint16_t v, const TLMBibleModule& bible) {
  return v != kVerseListSeparator && IsUsableVerse(bible, v);
}

}  // namespace

TVerseList ExpandRanges(const TVerseRangeList& ranges, int verse_count) {
  TVerseList verses;
  for (const TVerseRange& r : ranges) {
    const int first = std::max(std::min(r.first, r.last), 1);
    const int last = std::min(std::max(r.first, r.last), verse_count);
    for (int v = first; v <= last; ++v) verses.push_back(static_cast<uint16_t>(v));
  }
  return verses;
}

std::string VerseListText(const TVerseList& verses, const TLMBibleModule& bible,
                          const ExportFormatSettings& settings, const ExportBibleView& view,
                          bool html) {
  std::string r;
  for (const uint16_t v : verses) {
    if (!IsListedOutputVerse(v, bible)) continue;
    r += FormatVerses(v, v, bible, html, settings, view);
    r += html ? "<p>" : "\r\n\r\n";
  }
  TrimTrailingOutput(r);
  return r;
}

std::string VerseListExportText(const TVerseList& verses, const TLMBibleModule& bible,
                                const ExportFormatSettings& settings, const ExportBibleView& view,
                                bool html) {
  std::string r;
  for (const uint16_t v : verses) {
    if (!IsListedOutputVerse(v, bible)) continue;
    r += FormatVerses(v, v, bible, html, settings, view);
    r += html ? "\r\n<p>\r\n" : "\r\n\r\n";
  }
  return r;
}

std::string UnlinkPlaceholders(std::string_view html) {
  static constexpr std::string_view kOpen = "<a href=\"0:0\">";
  static constexpr std::string_view kClose = "</a>";
  std::string out;
  out.reserve(html.size());
  size_t pos = 0;
  while (pos < html.size()) {
    const size_t open = html.find(kOpen, pos);
    if (open == std::string_view::npos) break;
    out.append(html.substr(pos, open - pos));
    const size_t text = open + kOpen.size();
    const size_t close = html.find(kClose, text);
    if (close == std::string_view::npos) {  // never closed: keep the text
      pos = text;
      break;
    }
    out.append(html.substr(text, close - text));
    pos = close + kClose.size();
  }
  out.append(html.substr(std::min(pos, html.size())));
  return out;
}

std::string RangesCaption(const TVerseRangeList& ranges, const TLMBibleModule& bible,
                          size_t limit) {
  std::vector<int> verses;
  for (const TVerseRange& r : ranges) {
    const int first = std::max(std::min(r.first, r.last), 1);
    const int last = std::min(std::max(r.first, r.last), bible.VerseCount());
    for (int v = first; v <= last; ++v) verses.push_back(v);
  }
  std::string caption = FormatVerseList(verses, bible);
  if (caption.size() > limit && limit > 3) {
    caption.resize(limit - 3);
    caption += "...";
  }
  return caption;
}

std::string PrintJobName(std::string_view what) {
  std::string name = "Lumora - ";
  name += what;
  return name;
}

}  // namespace lumora
