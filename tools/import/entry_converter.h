// Turns the markup of one SWORD Book or Commentary entry (TEI, OSIS or
// ThML, UTF-8) into Lumora entry markup: Windows-1252 HTML with the control
// sequences of the entry renderer.
//   - italics, bold, superscript, line and paragraph breaks, lists and
//     tables become plain HTML tags;
//   - Greek and Hebrew words become script runs (0x02 / 0x01 ... 0x08) in the
//     lexicon fonts' encodings (core/text/legacy_fonts.h);
//   - scripture references become verse lists (0x05 ... 0x08); references
//     separated by nothing but blanks, commas and semicolons share one list,
//     whose separators the renderer writes itself;
//   - Strong's references become 0x03 / 0x04 links, references to entries of
//     the same Book 0x06 links, references to notes of the same Commentary
//     0x0E links;
//   - everything else is text, with "<", ">" and "&" escaped.
// The output never holds a control byte outside those sequences.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "tools/import/code_page_folds.h"

namespace lumora::import {

struct EntryContext {
  // The SWORD name of the work being converted. A "target" naming it
  // ("Nave:ACHBOR") is an entry link, an "osisRef" naming it
  // ("Scofield:Ge 1:26") a link to the note on that verse.
  std::string_view work;
  // Entry number of a key of this Book, or -1 (no Book: always -1).
  std::function<int(std::string_view key)> entry_number;
  CodePageFolds* folds = nullptr;  // counts what the code page could not hold
};

struct EntryConversion {
  std::string text;
  int verse_lists = 0;
  int verse_ranges = 0;
  int strongs_links = 0;
  int entry_links = 0;
  int comment_links = 0;
  // References left as their plain text: an unknown work, a Book key that
  // does not exist, scripture that names no KJV verse.
  int unresolved = 0;
  size_t dropped_script_chars = 0;  // accents, points and breathings
};

EntryConversion ConvertEntry(std::string_view markup, const EntryContext& context = {});

// Adds one conversion's counts (not its text) to a running total.
void AddCounts(EntryConversion& total, const EntryConversion& one);

// The text of a fragment with every tag removed and character references
// decoded, white space collapsed, still UTF-8.
std::string PlainText(std::string_view markup);

// A 0x0E link to the Commentary note on a verse (index 1..31102): the byte
// and exactly two base-205 digits.
std::string CommentLink(int verse_index);

}  // namespace lumora::import
