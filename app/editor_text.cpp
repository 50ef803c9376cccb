#include "app/editor_text.h"

#include "core/text/cp1252.h"
#include "core/text/legacy_fonts.h"

namespace lumora {
namespace {

constexpr char32_t kNoBreakSpace = 0xA0;

void AppendReference(std::string& out, char32_t cp) {
  out += "&#";
  out += std::to_string(static_cast<uint32_t>(cp));
  out += ';';
}

void AppendCharacter(std::string& out, char32_t cp, EditorTextKind kind) {
  if (kind != EditorTextKind::kSource) {
    switch (cp) {
      case '&':
        out += "&amp;";
        return;
      case '<':
        out += "&lt;";
        return;
      case '>':
        out += "&gt;";
        return;
      case kNoBreakSpace:
        out += "&nbsp;";
        return;
      case '"':
        if (kind == EditorTextKind::kAttribute) {
          out += "&quot;";
          return;
        }
        break;
      default:
        break;
    }
  }
  const int byte = cp1252::FromCodePoint(cp);
  if (byte >= 0)
    out += static_cast<char>(byte);
  else
    AppendReference(out, cp);
}

bool IsAsciiAlphanumeric(char32_t cp) {
  return (cp >= '0' && cp <= '9') || (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z');
}

// The end of the lexicon-font run that starts with the letter at `begin`:
// letters of the script, and between them blanks and punctuation the font
// holds; it ends on a letter.
size_t LegacyRunEnd(std::u32string_view text, size_t begin, LegacyFont font) {
  size_t end = begin + 1;
  for (size_t i = end; i < text.size(); ++i) {
    const char32_t cp = text[i];
    if (IsLegacyFontLetter(font, cp)) {
      if (LegacyFontByte(font, cp) < 0) break;
      end = i + 1;
      continue;
    }
    if (IsAsciiAlphanumeric(cp) || cp == '<' || cp == '>' || cp == '&' ||
        LegacyFontByte(font, cp) < 0)
      break;
  }
  return end;
}

const char* FontFace(LegacyFont font) {
  return font == LegacyFont::kSymbolGreek ? "Symbol" : "Basic Hebrew";
}

// Writes the lexicon-font run starting at `begin` when one starts there;
// returns where the text goes on (`begin` when no run starts).
size_t AppendLegacyRun(std::string& out, std::u32string_view text, size_t begin) {
  const char32_t cp = text[begin];
  for (const LegacyFont font : {LegacyFont::kSymbolGreek, LegacyFont::kBasicHebrew}) {
    if (!IsLegacyFontLetter(font, cp) || LegacyFontByte(font, cp) < 0) continue;
    const size_t end = LegacyRunEnd(text, begin, font);
    out += "<font face=\"";
    out += FontFace(font);
    out += "\">";
    for (size_t k = begin; k < end; ++k) out += static_cast<char>(LegacyFontByte(font, text[k]));
    out += "</font>";
    return end;
  }
  return begin;
}

}  // namespace

std::string EncodeEditorText(std::u32string_view text, EditorTextKind kind) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (kind == EditorTextKind::kDocumentText) {
      const size_t next = AppendLegacyRun(out, text, i);
      if (next != i) {
        i = next;
        continue;
      }
    }
    AppendCharacter(out, text[i], kind);
    ++i;
  }
  return out;
}

}  // namespace lumora
