// The passes of the entry-to-export conversion that do not depend on a
// module. Each reads its input once and writes a new string, so the cost is
// linear in the entry's size however many sequences it holds.
#pragma once

#include <string>
#include <string_view>

namespace lumora::export_text {

// Script runs of one kind: every `opener` byte that has a 0x08 after it
// becomes `open` and that 0x08 `close`, each opener taking the first 0x08
// after it that an earlier opener has not taken. The first opener left
// without a 0x08 becomes "?"; the openers after it stay as they are.
std::string ConvertScriptRuns(std::string_view text, char opener, std::string_view open,
                              std::string_view close);

// One line, then "\r\n": the first line as it stands, then every later line
// that holds more than white space, each after a blank and without its
// leading white space; the last line so appended also loses its trailing
// white space. Lines end at CR LF, LF or CR; white space is blanks, tabs,
// VT and FF (markup control bytes are never trimmed). Empty text stays
// empty.
std::string JoinLines(std::string_view text);

// The plain-text steps: the head cut off, paragraphs turned into line breaks
// (or blanks and one line), "&nbsp;" and "&quot;" decoded, tags dropped,
// 0x01, 0x02 and 0x08 removed and the remaining entities decoded once.
std::string PlainTextFromEntryHtml(std::string_view html, bool paragraph_breaks);

// Removes each "<" up to and including the next ">"; a "<" with no ">"
// after it is kept with the rest of the text.
std::string DropTags(std::string_view text);

// "&amp;", "&lt;", "&gt;" and "&#8209;" (a non-breaking hyphen, written as
// "-") decoded in one pass: decoded text is never decoded again.
std::string DecodeEntities(std::string_view text);

}  // namespace lumora::export_text
