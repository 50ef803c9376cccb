// ExportProcs: everything the program copies, exports or prints, built as one
// string of plain text or HTML: runs of Bible verses in eight styles, lists
// of verse ranges, and Book and Commentary entries converted from entry
// markup. The searches also use the plain-text entry conversion to scan
// entries.
//
// Everything the formatter reads (format settings, the Bible view's colours,
// the Strong's data) is passed in; nothing here reads process-wide settings.
// All texts are Windows-1252 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/color.h"
#include "config/view_properties.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/strongs_data.h"
#include "core/refs/verse_range.h"
#include "render/script_runs.h"

namespace lumora {

namespace config {
struct Properties;
}

// The export format settings, in stored order ("Formatting ..." values).
struct ExportFormatSettings {
  // 0..7 are the styles "A".."H"; any other value formats as style "A".
  int32_t style = 0;
  bool include_brackets = false;     // plain text keeps "[" "]" around italic words
  bool include_footnotes = false;    // "{...}" notes stay in the verse text
  bool include_version_tag = false;  // the Bible's abbreviation follows references

  bool operator==(const ExportFormatSettings&) const = default;
};

// The four settings as the configuration store holds them.
ExportFormatSettings ExportFormatFrom(const config::Properties& properties);

// What verse export reads besides the format settings: the Bible view's
// colours and italics mode (HTML only) and the Strong's data that names the
// numbers of a Strong's-links Bible (both outputs; null: every word empty).
struct ExportBibleView {
  config::TColor footnotes_color = 0x00800080;
  config::TColor strongs_link_color = 0x00008000;
  // 0 "[" "]" become <i> </i>; 2 they are removed; anything else keeps them.
  uint8_t italics_mode = 0;
  const TLMStrongsDataModule* strongs_data = nullptr;
};

ExportBibleView ExportViewFrom(const config::TPropertiesBibleView& bible_view,
                               const TLMStrongsDataModule* strongs_data);

// Verse indexes first..last of `bible` in the chosen style. Verses outside
// the Bible are not formatted (a style's run reference still names the
// range as given); first > last formats no verse. Trailing blanks and line
// breaks are trimmed.
std::string FormatVerses(int first, int last, const TLMBibleModule& bible, bool html,
                         const ExportFormatSettings& settings, const ExportBibleView& view);

// FormatVerses of each range, each followed by "\r\n\r\n"; the whole trimmed
// of trailing blanks and line breaks.
std::string FormatVerseRanges(const TVerseRangeList& ranges, const TLMBibleModule& bible,
                              const ExportFormatSettings& settings, bool html,
                              const ExportBibleView& view);

// One entry's stored markup converted to HTML (plain false) or plain text.
// `bible` is the KJV Bible: it names the verses of reference lists and
// Commentary links. paragraph_breaks (plain text): paragraphs become line
// breaks, else blanks and the text one line. reference_lists: 0x05 lists are
// converted; otherwise they stay as stored. Never reads outside `text`;
// malformed markup always converts:
//  - a 0x05 or 0x06 without a later 0x08 becomes "?" and the text after it
//    is kept as text (so does the first 0x01 or 0x02 without one; the later
//    ones stay as they are);
//  - a 0x06 number that names no entry (Book) or no title (Commentary)
//    writes nothing;
//  - a 0x0E without two base-205 digits after it is dropped, the bytes after
//    it kept; one whose digits name no verse is dropped with its digits;
//  - the reference lists of one entry write out at most 8 x 31102 verses
//    (a real entry names a few thousand); lists past that write only what
//    still fits, so a hostile entry cannot take minutes and gigabytes.
// A "[Non-fatal internal error: " text of a damaged record converts like any
// other text.
std::string ExportEntryText(std::string_view text, const TLMDictionaryModule& book,
                            const TLMBibleModule& bible, bool paragraph_breaks,
                            bool reference_lists, bool plain);
std::string ExportEntryText(std::string_view text, const TLMCommentaryModule& commentary,
                            const TLMBibleModule& bible, bool paragraph_breaks,
                            bool reference_lists, bool plain);
// The same text; for plain text `runs` (when not null) also receives where
// its script runs' letters are (the bytes between "{" and "}"). An entry
// that itself holds one of the bytes 0x11..0x13 reports no runs.
std::string ExportEntryText(std::string_view text, const TLMDictionaryModule& book,
                            const TLMBibleModule& bible, bool paragraph_breaks,
                            bool reference_lists, bool plain, PlainScriptRuns* runs);
std::string ExportEntryText(std::string_view text, const TLMCommentaryModule& commentary,
                            const TLMBibleModule& bible, bool paragraph_breaks,
                            bool reference_lists, bool plain, PlainScriptRuns* runs);

// The comments of `commentary` on every verse of the ranges that has one,
// each under a heading with the long book title of `bible` (the KJV Bible);
// empty when no verse in the ranges has a comment.
std::string FormatCommentRange(const TVerseRangeList& ranges, const TLMBibleModule& bible,
                               const TLMCommentaryModule& commentary, bool plain);
// With the script runs of the plain text (see ExportEntryText).
std::string FormatCommentRange(const TVerseRangeList& ranges, const TLMBibleModule& bible,
                               const TLMCommentaryModule& commentary, bool plain,
                               PlainScriptRuns* runs);

// Book entries first..last (0-based entry numbers), each under a heading with
// its title; numbers outside the Book are skipped, last < first gives "".
std::string FormatBookRange(int first, int last, const TLMBibleModule& bible,
                            const TLMDictionaryModule& book, bool plain);
std::string FormatBookRange(int first, int last, const TLMBibleModule& bible,
                            const TLMDictionaryModule& book, bool plain, PlainScriptRuns* runs);

}  // namespace lumora
