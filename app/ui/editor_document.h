// The formatted surface's document and the entry text it stands for.
//
// Loading goes through the display boundary with every lexicon-font run
// decoded, so Greek and Hebrew are edited as real letters. Saving walks the
// document's blocks and fragments and writes only body content, in a small
// fixed vocabulary (<p>, <br>, <b>, <i>, <u>, <font>, <span> for a
// background colour, <ol>/<ul>/<li>, <a>, <img>, <hr>, <h1>..<h6>), and
// only what differs from the pane's font: the document's own defaults never
// reach the entry, and writing an entry that was just loaded from such
// output gives the same bytes again.
#pragma once

#include <QString>
#include <string>
#include <string_view>

class QTextDocument;

namespace lumora::ui {

struct TEditorFont {
  QString family;
  int point_size = 10;
};

// Puts `editable` (entry text with readable references) into `document`,
// with the editor's style block and `font` as the default font; the document
// is left unmodified.
void LoadEditorDocument(QTextDocument& document, std::string_view editable,
                        const TEditorFont& font);

// The document's body as entry HTML (Windows-1252; characters the code page
// lacks as "&#N;"; Greek and Hebrew back in their lexicon fonts).
std::string SerializeEditorDocument(const QTextDocument& document, const TEditorFont& font);

}  // namespace lumora::ui
