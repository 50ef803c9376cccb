#include "app/pane_print.h"

#include "render/entry_renderer.h"
#include "render/html_escape.h"
#include "render/passage_renderer.h"

namespace lumora {

config::TColor PaperColor(config::TColor color) {
  return config::IsSystemColor(color) ? config::DefaultSystemColor(static_cast<int>(color & 0xFF))
                                      : color;
}

config::TPropertiesBibleView PaperSettings(const config::TPropertiesBibleView& shown) {
  config::TPropertiesBibleView s = shown;
  s.link_commentaries = false;
  s.link_dictionaries = false;
  s.show_edit_links = false;
  s.background_color = 0x00FFFFFF;
  s.text_color = PaperColor(s.text_color);
  s.footnotes_color = PaperColor(s.footnotes_color);
  s.strongs_link_color = PaperColor(s.strongs_link_color);
  s.comment_link_color = PaperColor(s.comment_link_color);
  s.dict_link_color = PaperColor(s.dict_link_color);
  return s;
}

ExportBibleView PaperView(ExportBibleView view) {
  view.footnotes_color = PaperColor(view.footnotes_color);
  view.strongs_link_color = PaperColor(view.strongs_link_color);
  return view;
}

std::string PrintHeading(std::string_view main_line, std::string_view sub_line) {
  if (main_line.empty() && sub_line.empty()) return {};
  std::string html = "<p>";
  if (!main_line.empty()) {
    html += "<font size=+1><b>";
    AppendHtmlEscaped(html, main_line);
    html += "</b></font>";
    if (!sub_line.empty()) html += "<br>";
  }
  if (!sub_line.empty()) {
    html += "<font size=-1>";
    AppendHtmlEscaped(html, sub_line);
    html += "</font>";
  }
  html += "</p>";
  return html;
}

std::string PrintablePassage(const TPassagePrint& print, std::string_view heading) {
  if (print.bible == nullptr) return {};
  TPassageRenderer r;
  r.SetBible(print.bible);
  r.SetCompareBible(print.compare);
  r.SetStrongsData(print.strongs_data);
  r.SetParagraphMap(print.paragraphs);
  r.SetSettings(PaperSettings(print.settings));
  r.SetKeyHighlightColor(PaperColor(print.key_color));
  r.SetPaged(false);
  r.SetNextChapterLink(false);
  r.SetPrevChapterLink(false);
  r.ShowVerses(print.verses, print.keys, print.case_sensitive, print.reference_links);
  std::string html(heading);
  html += r.Html();
  return html;
}

std::string PrintableEntry(std::string_view entry_text, std::string_view title,
                           const std::vector<std::string>& titles, const TLMBibleModule& kjv,
                           bool link_multiple_verses, config::TColor key_color,
                           std::string_view heading) {
  TEntryRenderer r(kjv);
  r.SetLinkMultipleVerses(link_multiple_verses);
  r.SetKeyHighlightColor(PaperColor(key_color));
  r.ShowEntry(entry_text, title, titles, 0, 0);
  std::string html(heading);
  html += r.Html();
  return html;
}

}  // namespace lumora
