// The entry editor's text conversions. Stored entries carry verse
// references as binary tokens (0x05, a verse-range list, 0x08); the editor
// shows them as "#" + readable references + "|" and turns such text back
// into tokens when the entry is saved. Around that: which surface an entry
// must open on, and the style block the formatted surface gets (and loses
// again on saving).
#pragma once

#include <string>
#include <string_view>

namespace lumora {

class ReferenceParser;
class TLMBibleModule;

// --- Opening -------------------------------------------------------------

// Stored text to editable text: every verse-reference token becomes
// "#John 3:16,18; 4:1-3; Romans 8:28|" with the long titles and verse table
// of `kjv`. Items outside 1..31102 are dropped; a range whose count passes
// 31102 shows its first verse only. A 0x05 with no 0x08 after it is kept,
// with everything after it, byte for byte.
std::string StoredToEditable(std::string_view stored, const TLMBibleModule& kjv);

// Why `stored` must open on the raw surface, or "" when the formatted one
// may take it: the formatted control would drop the other markup bytes
// (0x01-0x04, 0x06, 0x0E) and the bytes of an unclosed reference token.
std::string RawSurfaceReason(std::string_view stored);

// The editor's own style block, "<STYLE> BODY {...; LM-LINE-CLR: 1;}</STYLE>"
// and an LF, with the pane's font size and name.
std::string EditorStyleBlock(int font_size, std::string_view font_name);

// The document the formatted surface loads: the style block put before the
// first "</HEAD>" (any case) or at the start; for a text that is empty or
// blank, the seven-line skeleton (CR LF line ends) holding the block.
std::string FormattedDocument(std::string_view editable, int font_size, std::string_view font_name);

// --- Saving --------------------------------------------------------------

enum class EditSurface { kFormatted, kRaw };

// Deletes the style block holding "LM-LINE-CLR" (any case); the blanks, CR
// and LF on both sides of it become one LF. Other style blocks stay.
std::string RemoveEditorStyleBlock(std::string_view text);

// Deletes every "<?...>" (through the first ">" after "<?"), which the
// formatted control adds and no stored entry needs. A "<?" without ">"
// ends the removal.
std::string RemoveProcessingInstructions(std::string_view text);

// True when nothing of `text` would show: no characters besides tags,
// blanks, CR, LF, tabs and "&nbsp;", and no picture ("<img") or line ("<hr").
bool IsBlankDocument(std::string_view text);

// Every "#" + references + "|" that `parser` (built on the KJV Bible) reads
// as references becomes the tags found inside it, then the token, then any
// part the parser did not take. Text that is not a reference list, a "#"
// with no "|" after it and every other byte (0x02 included) stay as typed.
std::string LinkReferences(std::string_view text, const ReferenceParser& parser);

// The whole save conversion: on the formatted surface the style block and
// processing instructions go first; a blank document saves as "".
std::string EditableToStored(std::string_view editable, EditSurface surface,
                             const ReferenceParser& parser);

}  // namespace lumora
