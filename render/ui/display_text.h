// The one boundary between the program's text (Windows-1252 bytes, as the
// modules store it and the renderers write it) and the widgets' Unicode.
//
// Generated HTML goes through ToDisplayHtml on its way into the display
// widget; what the widget hands back (selected text, the word under the
// pointer, link addresses) comes back through FromDisplayText. Plain texts
// (hints, titles, find strings) use ToDisplayText.
//
// The lexicon fonts: the Strong's words and the script runs of lexicon
// entries stand inside <font face="Symbol"> (Greek) and
// <font face="Basic Hebrew"> (Hebrew) elements, in those fonts' 8-bit
// layouts (core/text/legacy_fonts.h). Where the font is not installed, the
// text of such an element is decoded to real Greek or Hebrew letters and the
// face attribute is dropped, so the widget's font (with the system's font
// fallback) draws the letters. Hebrew is stored in logical order, first
// letter first, so the decoded run is in logical order too and the widget's
// bidirectional layout shows it right to left; nothing is reversed here.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/script_runs.h"

namespace lumora::ui {

struct TDisplayTextOptions {
  // Decode text inside <font face="Symbol"> / <font face="Basic Hebrew">.
  bool decode_greek = true;
  bool decode_hebrew = true;
  // color="008000" -> color="#008000" (also bgcolor): the renderers write
  // six hex digits without "#", which the widget would not read as a colour.
  bool fix_colors = true;
};

// Options for this machine: a lexicon font's runs are decoded unless a font
// of that family is installed (asked of QFontDatabase once; needs a
// QGuiApplication).
const TDisplayTextOptions& InstalledFontOptions();

// Options for text that leaves the program (clipboard, files, printouts):
// every lexicon-font run decoded, since the receiver need not have the
// legacy fonts; colours fixed.
const TDisplayTextOptions& PortableTextOptions();

// Windows-1252 text to Unicode, byte for byte (no markup handling).
QString ToDisplayText(std::string_view cp1252);

// Plain export text (Windows-1252) whose script runs' letters are in the
// lexicon fonts' layouts: the runs decoded to real Greek and Hebrew letters
// (an undefined byte becomes U+FFFD; control bytes stay), the rest as
// ToDisplayText. Runs outside the text are ignored.
QString ToDisplayText(std::string_view cp1252, const PlainScriptRuns& runs);

// Generated HTML (Windows-1252) to the HTML the widget loads: every byte of
// text and attribute values converted to Unicode, lexicon-font runs decoded
// and colour attributes given their "#" as `options` say. Tags, entities and
// comments pass through unchanged otherwise. Malformed markup (an
// unterminated tag or quote) is converted as text to the end: nothing is
// dropped and nothing is read past the input.
QString ToDisplayHtml(std::string_view html,
                      const TDisplayTextOptions& options = InstalledFontOptions());

// Run marks, for mapping source offsets to display positions: the same
// conversion, with an empty named anchor (MarkName(i)) put before every run
// of text between tags that shows something (not blanks only; not inside
// title, style or script). runs[i] receives the run's source range
// [begin, end). The widget finds each mark on the first character it lays
// out for the run. Inputs of 2 GiB and more are converted without marks.
struct TTextRun {
  int32_t begin = 0;
  int32_t end = 0;
};
QString ToDisplayHtmlMarked(std::string_view html, const TDisplayTextOptions& options,
                            std::vector<TTextRun>& runs);
// Mark names cycle through kMarkCycle names (a private-use character and a
// number, which no converted text contains): every distinct name is a
// distinct character format in the widget, and thousands of them make
// loading several times slower. The reader recovers run i from the order of
// the marks in the document and the residue MarkResidue gives
// (i % kMarkCycle).
inline constexpr size_t kMarkCycle = 16;
QString MarkName(size_t index);
std::optional<size_t> MarkResidue(const QString& anchor_name);

// Unicode from the widget back to Windows-1252: each character the code page
// holds becomes its byte, the widget's paragraph and line separators
// (U+2029, U+2028) become "\n", and anything else becomes "?".
std::string FromDisplayText(const QString& text);

// Whether every character of `text` has a Windows-1252 byte: text that does
// not would reach a search or a stored name as "?".
bool FitsCodePage(const QString& text);

// True for a character of a word as the double click and the right click
// take it: ASCII letters and digits and the code page's letters from 0xC0
// up; characters outside the code page count when Unicode calls them
// letters or digits (decoded Greek and Hebrew).
bool IsDisplayWordChar(QChar c);

}  // namespace lumora::ui
