// What "Print this window" prints of a pane: the pane's content rendered
// again for paper. A printout carries a heading (the module, and the book
// and chapter or the list's title; entry pages bring their title), leaves
// out what only serves the screen (Commentary, Book and edit links, chapter
// and page links, the edit header of an entry), fills no background and
// resolves system colours as on a light desktop, so a dark theme never
// prints white on white. Texts are Windows-1252 HTML.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/color.h"
#include "config/view_properties.h"
#include "core/modules/bible_module.h"
#include "core/modules/strongs_data.h"
#include "core/refs/paragraph_map.h"
#include "render/export_procs.h"
#include "render/verse_list.h"

namespace lumora {

// A settings colour for paper: system colours as a light desktop shows them.
config::TColor PaperColor(config::TColor color);
// The Bible view or verse list settings for paper: links off, white
// background, colours resolved.
config::TPropertiesBibleView PaperSettings(const config::TPropertiesBibleView& shown);
// The export formatter's colours for paper.
ExportBibleView PaperView(ExportBibleView view);

// "<p><font size=+1><b>main</b></font><br><font size=-1>sub</font></p>",
// both escaped; an empty part is left out.
std::string PrintHeading(std::string_view main_line, std::string_view sub_line);

// A Bible view chapter or a verse list page.
struct TPassagePrint {
  TVerseList verses;
  const TLMBibleModule* bible = nullptr;
  const TLMBibleModule* compare = nullptr;
  TKeyArray keys;
  bool case_sensitive = false;
  bool reference_links = false;           // the verse list's references
  config::TPropertiesBibleView settings;  // as shown; PaperSettings is applied
  config::TColor key_color = 0x000000FF;
  const TLMStrongsDataModule* strongs_data = nullptr;
  const ParagraphMap* paragraphs = nullptr;
};
// The verses rendered for paper after `heading` (empty without a Bible).
std::string PrintablePassage(const TPassagePrint& print, std::string_view heading);

// A Book or Commentary entry rendered for paper after `heading`: `titles`
// the resource's entry titles, `kjv` the reference Bible.
std::string PrintableEntry(std::string_view entry_text, std::string_view title,
                           const std::vector<std::string>& titles, const TLMBibleModule& kjv,
                           bool link_multiple_verses, config::TColor key_color,
                           std::string_view heading);

}  // namespace lumora
