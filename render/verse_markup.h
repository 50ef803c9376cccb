// The markup steps of one verse text in one pass of the passage renderer:
// small text, highlight markers, Strong's links, footnotes and italic words.
// Key marking (key_highlighter.h) comes before; own font, paragraph mark and
// compare suffix after.
#pragma once

#include <cstdint>
#include <string>

#include "core/modules/strongs_data.h"

namespace lumora {

struct TVerseMarkupOptions {
  bool strongs_links = false;   // text carries written-out Strong's tokens
  bool footnotes = false;       // module has footnotes and they are shown
  bool column_mode = false;     // footnotes as lettered side notes
  bool brackets = false;        // module marks italic words with "[" "]"
  uint8_t italics_mode = 0;     // 0 "<I>", 2 brackets removed, else shown
  bool has_font = false;        // module uses its own font
  std::string font_name;        // that font, HTML-escaped
  std::string footnotes_color;  // six hex digits
  std::string strongs_color;    // six hex digits
  bool highlights = false;      // text may hold highlight markers
  std::string highlight_color;  // six hex digits
  const TLMStrongsDataModule* strongs_data = nullptr;  // none: empty words
};

// The footnote letter before "a": every page starts here.
inline constexpr char kFootnoteLetterStart = 'a' - 1;

// Runs the steps on `text` (which may hold highlight markers). Lettered
// footnotes go to the end of `side_text`, advancing `letter` ("z" is
// followed by "a"). Strong's words are HTML-escaped and inserted after the
// footnote and italics steps have run, so their bytes are never read as
// markup.
std::string MarkUpVerseText(std::string text, const TVerseMarkupOptions& options,
                            std::string& side_text, char& letter);

// Single steps, exposed for tests.
std::string ReplaceSmallText(std::string text);
// The number of a Strong's token from the (up to) five characters after its
// byte: "$" and hexadecimal digits, or decimal digits, with an optional
// sign; false when they do not form a number.
bool ParseStrongsNumber(const std::string& chars, int& number);

}  // namespace lumora
