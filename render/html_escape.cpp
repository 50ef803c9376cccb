#include "render/html_escape.h"

namespace lumora {

void AppendHtmlEscaped(std::string& out, std::string_view text) {
  out.reserve(out.size() + text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  AppendHtmlEscaped(out, text);
  return out;
}

}  // namespace lumora
