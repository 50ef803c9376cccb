#include "search/full_search_page.h"

#include <algorithm>

#include "core/text/fast_strings.h"
#include "render/html_escape.h"
#include "search/full_search_results.h"
#include "search/full_search_text.h"

namespace lumora {

std::string FullSearchSummary(int a, int b, int count, std::string_view title) {
  std::string s = "<font size=-1>";
  if (a > 0 || b != count - 1) {
    s += "Showing results " + std::to_string(a + 1) + " - " + std::to_string(b + 1) + " of " +
         std::to_string(count) + " in ";
    AppendHtmlEscaped(s, title);
    s += ".<br>";
    // A page may start anywhere through a "loadview:" link; never link below 0.
    if (a > 0)
      s += "<a href=\"loadview:" + std::to_string(std::max(a - kFullSearchPageSize, 0)) +
           "\">Previous 100</a> ";
    const int remaining = count - 1 - b;
    if (remaining > 0) {
      s += "<a href=\"loadview:" + std::to_string(b + 1) + "\">Next ";
      s += std::to_string(std::min(remaining, kFullSearchPageSize)) + "</a>";
    }
  } else {
    s += "Showing all " + std::to_string(count) + " results in ";
    AppendHtmlEscaped(s, title);
    s += ".";
  }
  return s + "</font>";
}

std::string FullSearchExcerpt(std::string_view text, int position) {
  const auto length = static_cast<int64_t>(text.size());
  int64_t s = length < int64_t{position} + 100 ? length - 200 : int64_t{position} - 100;
  s = std::max<int64_t>(s, 1);
  std::string excerpt;
  if (s >= 2) excerpt = "...";
  if (s <= length) excerpt += text.substr(static_cast<size_t>(s - 1), 200);
  if (s + 200 < length) excerpt += "...";
  return excerpt;
}

namespace {

// `text` escaped, with its first occurrence of `key` marked when `mark`.
std::string MarkedText(std::string_view text, const FullSearchPageRequest& r, bool mark) {
  size_t at = 0;
  if (mark && !r.search_text.empty())
    at = r.case_sensitive ? PosFrom(text, r.search_text) : PosFromNoCase(text, r.search_text);
  if (at == 0) return HtmlEscape(text);
  const size_t begin = at - 1, end = begin + r.search_text.size();
  std::string out = HtmlEscape(text.substr(0, begin));
  out += "<b><font color=\"#" + config::ColorToHtml(r.highlight) + "\">";
  AppendHtmlEscaped(out, text.substr(begin, end - begin));
  out += "</font></b>";
  AppendHtmlEscaped(out, text.substr(end));
  return out;
}

std::string ResultHtml(const FullSearchPageRequest& r, int item) {
  const ModuleRef& m = r.node->module;
  const int32_t position = r.node->positions[static_cast<size_t>(item)];
  std::string html = "<p><a href=\"loadentry:";
  if (m.kind == ModuleKind::kBook) {
    html += std::to_string(item) + "\">";
    AppendHtmlEscaped(html, m.book->EntryTitles()[static_cast<size_t>(item)]);
  } else {
    html += std::to_string(item + 1) + "\">";
    AppendHtmlEscaped(html, FullSearchReference(*r.kjv, item + 1));
  }
  html += "</a><br>";
  const FullSearchItem text = FullSearchItemText(m, item, *r.kjv);
  const bool mark = position != -1 && !text.damaged;
  if (m.kind == ModuleKind::kBible) {
    const bool font = m.bible->HasFont();
    if (font) html += "<font face=\"" + HtmlEscape(m.bible->GetFontName()) + "\">";
    html += MarkedText(text.text, r, mark);
    if (font) html += "</font>";
  } else {
    html += MarkedText(FullSearchExcerpt(text.text, position), r, mark);
  }
  return html;
}

}  // namespace

std::string FullSearchPageHtml(const FullSearchPageRequest& r) {
  const std::vector<int>& results = *r.results;
  const int count = static_cast<int>(results.size());
  const int a = r.start;
  if (a < 0 || a >= count) return {};
  const int b = std::min(a + kFullSearchPageSize - 1, count - 1);
  const std::string summary = FullSearchSummary(a, b, count, r.node->module.Title());
  std::string page = summary;
  for (int i = a; i <= b; ++i) {
    const int item = results[static_cast<size_t>(i)];
    if (item < 0 || static_cast<size_t>(item) >= r.node->positions.size()) continue;
    page += ResultHtml(r, item);
  }
  return page + "<p>" + summary;
}

}  // namespace lumora
