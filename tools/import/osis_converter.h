// Turns the OSIS markup of one SWORD verse entry into Lumora verse text.
// Pure text work, no libsword: the tag scanner is hand-written so that
// malformed or truncated entries degrade to plain text instead of failing.
#pragma once

#include <string>
#include <string_view>

#include "tools/import/code_page_folds.h"

namespace lumora::import {

struct OsisOptions {
  bool strongs = true;    // write Strong's tokens after tagged words
  // Keep translator notes as "{...}", and cross-reference notes as notes
  // whose references are verse links: "{<a href=\"lp:2342\">Exodus 30:12</a>}"
  // ("lp:" and the verse index, which the Bible view follows).
  bool footnotes = true;
  // Write the headings only (see OsisVerse::text): for the book and chapter
  // introductions, whose headings belong to the verse that follows.
  bool headings_only = false;
  CodePageFolds* folds = nullptr;  // counts what the code page could not hold
};

struct OsisVerse {
  // Windows-1252 verse text in Lumora markup; empty when the entry held
  // nothing but structure. Headings of the printed text stay in it where
  // they stand, as plain text: canonical titles (Psalm titles), untyped
  // titles (the acrostic letters of Psalm 119, the subscriptions closing
  // Paul's epistles, the divisions of the Psalter) and speaker labels
  // ("Beloved"). Script the code page cannot hold is left out of a heading
  // ("ALEPH." for "<Hebrew aleph> ALEPH."). Divine names are upper-cased
  // whole ("LORD'S", also within supplied words).
  std::string text;
  // A paragraph mark ("¶", an x-p milestone or a paragraph div) stands
  // before the first word of the verse. Entries without words (chapter and
  // book intros) report a mark they hold, for the verse that follows.
  bool paragraph = false;
  // A paragraph mark follows the last word: the next verse starts one (line
  // breaks closing a stanza sit at the end of the verse before).
  bool paragraph_after = false;
  bool has_brackets = false;  // "[" "]" around supplied words were written
  int footnotes = 0;          // "{...}" notes written, cross-references included
  int cross_references = 0;   // of those, cross-reference notes
  int verse_links = 0;        // verse links written in cross-reference notes
  int headings = 0;           // headings and speaker labels written
  int strongs = 0;            // Strong's tokens written
};

OsisVerse ConvertOsisVerse(std::string_view osis_utf8, const OsisOptions& options = {});


}  // namespace lumora::import
