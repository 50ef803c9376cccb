// Turns the OSIS markup of one SWORD verse entry into Lumora verse text.
// Pure text work, no libsword: the tag scanner is hand-written so that
// malformed or truncated entries degrade to plain text instead of failing.
#pragma once

#include <string>
#include <string_view>

namespace lumora::import {

struct OsisOptions {
  bool strongs = true;    // write Strong's tokens after tagged words
  bool footnotes = true;  // keep translator notes as "{...}"
};

struct OsisVerse {
  // Windows-1252 verse text in Lumora markup; empty when the entry held
  // nothing but headings, labels and structure.
  std::string text;
  // A paragraph mark ("¶", an x-p milestone or a paragraph div) stands
  // before the first word of the verse. Entries without words (chapter and
  // book intros) report a mark they hold, for the verse that follows.
  bool paragraph = false;
  // A paragraph mark follows the last word: the next verse starts one (line
  // breaks closing a stanza sit at the end of the verse before).
  bool paragraph_after = false;
  bool has_brackets = false;  // "[" "]" around supplied words were written
  int footnotes = 0;          // "{...}" notes written
  int strongs = 0;            // Strong's tokens written
};

OsisVerse ConvertOsisVerse(std::string_view osis_utf8, const OsisOptions& options = {});


}  // namespace lumora::import
