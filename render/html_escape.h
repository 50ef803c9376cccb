// Escaping of plain text (titles, stored plain text, search excerpts) that
// is inserted into generated HTML. Stored verse and entry markup is never
// escaped: it is HTML already.
#pragma once

#include <string>
#include <string_view>

namespace lumora {

// "&", "<" and ">" as entities; every other byte unchanged (Windows-1252).
std::string HtmlEscape(std::string_view text);
void AppendHtmlEscaped(std::string& out, std::string_view text);

}  // namespace lumora
