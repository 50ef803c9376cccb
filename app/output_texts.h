// The texts the copy, export and print commands hand to delivery, apart
// from the widgets: the verses of typed ranges, the verse list's whole-list
// texts, the clipboard's HTML without placeholder links, and the names
// print jobs carry. All texts are Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "core/modules/bible_module.h"
#include "core/refs/verse_range.h"
#include "render/export_procs.h"
#include "render/verse_list.h"

namespace lumora {

// Every verse of every range, from its first verse to its last, ranges in
// the order given, duplicates kept ("Display Verse(s)..."). Verses outside
// 1..verse_count are left out; a range given backwards counts forwards.
TVerseList ExpandRanges(const TVerseRangeList& ranges, int verse_count);

// The verse list's "Copy All Verses": each verse of the list (separators
// and verses the Bible lacks skipped) in the export style, followed by
// "\r\n\r\n" in plain text or "<p>" in HTML, the whole trimmed of trailing
// blanks and line breaks. Printing the list uses the HTML form.
std::string VerseListText(const TVerseList& verses, const TLMBibleModule& bible,
                          const ExportFormatSettings& settings, const ExportBibleView& view,
                          bool html);
// The verse list's export: per verse a line with the verse in the export
// style, then a line "<p>" (HTML) or an empty line (text); lines end with
// "\r\n".
std::string VerseListExportText(const TVerseList& verses, const TLMBibleModule& bible,
                                const ExportFormatSettings& settings, const ExportBibleView& view,
                                bool html);

// The formatter's HTML with its "0:0" placeholder links taken out, their
// text kept (the clipboard's HTML: a receiving program would follow them).
std::string UnlinkPlaceholders(std::string_view html);

// What a job prints, as its name: the verses of `ranges` in the compact
// reference form ("John 3:16-18; Romans 5:8"), at most `limit` bytes (an
// ellipsis "..." ends a longer text).
std::string RangesCaption(const TVerseRangeList& ranges, const TLMBibleModule& bible,
                          size_t limit = 80);
// "Lumora - " followed by `what`.
std::string PrintJobName(std::string_view what);

// A Book range chosen "From" and "Through" in either order: (lower, higher).
inline std::pair<int, int> OrderedEntryRange(int from, int through) {
  return from <= through ? std::pair{from, through} : std::pair{through, from};
}

}  // namespace lumora
