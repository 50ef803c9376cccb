// Text typed or pasted into the entry editor goes back to entry bytes
// (Windows-1252). The editor shows lexicon-font runs as real Greek and
// Hebrew letters, so those letters return to the fonts' 8-bit layouts inside
// their font elements; any other character the code page cannot hold is
// kept as a numeric character reference rather than lost as "?".
#pragma once

#include <string>
#include <string_view>

namespace lumora {

enum class EditorTextKind {
  // Text of the formatted surface: "&", "<", ">" and the no-break space
  // become entities, Greek and Hebrew runs get their lexicon font element.
  kDocumentText,
  // An attribute value (a link address, a picture name): as document text
  // with '"' as "&quot;", and no font elements.
  kAttribute,
  // The raw surface's HTML source: markup stays markup; only characters
  // outside the code page become references.
  kSource,
};

std::string EncodeEditorText(std::u32string_view text, EditorTextKind kind);

}  // namespace lumora
