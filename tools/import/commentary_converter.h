// Lays the comments of a SWORD commentary out on the 31102 slots of a Lumora
// Commentary.
//   - A comment covering a verse range is stored at its first verse; every
//     further verse of the range gets a short entry with a 0x0E link to it,
//     so the verse shows that it has commentary and leads there.
//   - With split_at_verse_headings, a comment on a whole chapter (the
//     Treasury of David stores each psalm at its first verse) is cut at its
//     "Verse 3." / "Verses 4, 5." / "Ver. 6." headings and each piece goes to
//     its verse, under the section title it stood in (Exposition,
//     Explanatory Notes, Hints ...). A whole psalm would not fit one entry.
//   - A slot whose text still compresses beyond the entry limit is cut at a
//     paragraph break and ends with a note saying so.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/builder/entry_builders.h"
#include "tools/import/entry_converter.h"
#include "tools/import/source_entries.h"

namespace lumora::import {

struct CommentaryOptions {
  std::string work;  // the SWORD module name: its "Work:ref" links are note links
  bool split_at_verse_headings = false;
  CodePageFolds* folds = nullptr;  // counts what the code page could not hold
};

struct CommentaryLayout {
  std::vector<std::string> slots;  // 31102, entry markup
  EntryConversion totals;          // text empty
  int comments = 0;
  int range_comments = 0;   // comments covering more than one verse
  int link_entries = 0;     // slots holding only the link to the range's first verse
  int split_comments = 0;   // comments cut at verse headings
  int shortened_slots = 0;  // cut to fit the entry limit
  int overlapping = 0;      // range verses that already had a comment of their own
};

CommentaryLayout LayOutCommentary(const std::vector<SourceComment>& comments,
                                  const CommentaryOptions& options);

// Introductions the source stores before a book's or a chapter's first
// verse, each given as a comment on the verse it introduces (`comments`
// ascending by first verse, as the reader gives them). Each goes before
// that verse's own comment, or becomes its comment when it has none, under
// a heading: its own, else its first line when that is a short one (the
// Treasury's "Preface"), else "Introduction". Returns how many were placed.
int PlaceIntroductions(std::vector<SourceComment>& comments,
                       const std::vector<SourceComment>& introductions);

// The introduction's markup opening with a heading (see PlaceIntroductions).
std::string WithHeading(std::string_view markup);

// The pieces of one chapter comment, in source order: verse number (1 for
// what comes before the first heading) and markup, each piece preceded by
// the section title it falls under when that title differs from the one
// before it on the same verse. Headings naming a verse outside 1..verse_count
// leave their text on the verse before.
struct VersePiece {
  int verse = 0;
  std::string markup;
};
std::vector<VersePiece> SplitAtVerseHeadings(std::string_view markup, int verse_count);

}  // namespace lumora::import
