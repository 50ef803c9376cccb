#include "render/verse_markup.h"

#include <vector>

#include "core/modules/verse_text_codec.h"
#include "core/text/fast_strings.h"
#include "render/html_escape.h"
#include "render/key_highlighter.h"

namespace lumora {
namespace {

// A Strong's word stands in the text as kHole, its number in letters A..P
// (four bits each) and kHole, until the bracket and brace steps are done.
// The letters and kHole are none of "[]{}" and the steps never split them.
constexpr char kHole = '\x01';

void AppendHole(std::string& out, size_t number) {
  out += kHole;
  do {
    out += static_cast<char>('A' + (number & 0xF));
    number >>= 4;
  } while (number != 0);
  out += kHole;
}

// Puts the words back into s[from, end).
void FillHoles(std::string& s, size_t from, const std::vector<std::string>& words) {
  if (words.empty()) return;
  size_t hole = s.find(kHole, from);
  if (hole == std::string::npos) return;
  std::string out = s.substr(0, hole);
  while (hole != std::string::npos) {
    const size_t end = s.find(kHole, hole + 1);
    if (end == std::string::npos) {  // never written that way
      out.append(s, hole, std::string::npos);
      break;
    }
    size_t number = 0;
    for (size_t k = end; k-- > hole + 1;) number = (number << 4) | size_t(s[k] - 'A');
    if (number < words.size()) out += words[number];
    hole = s.find(kHole, end + 1);
    out.append(s, end + 1, hole == std::string::npos ? std::string::npos : hole - end - 1);
  }
  s = std::move(out);
}

// The text with every byte a replaced by ra and every byte b by rb.
std::string ReplaceTwoBytes(std::string text, char a, std::string_view ra, char b,
                            std::string_view rb) {
  if (text.find(a) == std::string::npos && text.find(b) == std::string::npos) return text;
  std::string out;
  out.reserve(text.size() + 32);
  size_t from = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != a && c != b) continue;
    out.append(text, from, i - from);
    out += c == a ? ra : rb;
    from = i + 1;
  }
  out.append(text, from, std::string::npos);
  return out;
}

std::string InsertStrongsLinks(const std::string& text, const TVerseMarkupOptions& o,
                               std::vector<std::string>& words) {
  std::string out;
  out.reserve(text.size() * 2 + 64);
  size_t j = 0;
  while (j < text.size()) {
    const char c = text[j];
    if (c == kHole) {  // a byte of the text itself: keep it through the steps
      AppendHole(out, words.size());
      words.emplace_back(1, kHole);
      ++j;
      continue;
    }
    if (!IsStrongsByte(c)) {
      size_t run = j + 1;
      while (run < text.size() && text[run] != kHole && !IsStrongsByte(text[run])) ++run;
      out.append(text, j, run - j);
      j = run;
      continue;
    }
    int number = 0;
    if (!ParseStrongsNumber(text.substr(j + 1, 5), number)) {
      ++j;  // the byte alone goes; what follows is text
      continue;
    }
    const bool hebrew = c == '\x02';
    out += hebrew ? " <a href=\"h:" : " <a href=\"g:";
    out += std::to_string(number);
    out += "\"><font face=\"";
    out += hebrew ? "Basic Hebrew" : "Symbol";
    out += "\" color=\"";
    out += o.strongs_color;
    out += "\">";
    std::string word;
    if (o.strongs_data != nullptr)
      word = o.strongs_data->GetStrongsString(
          hebrew ? StrongsLanguage::kHebrew : StrongsLanguage::kGreek, number, StrongsField::kWord);
    AppendHole(out, words.size());
    words.push_back(HtmlEscape(word));
    out += "</font></a>";
    j += 6;
  }
  return out;
}

std::string ExtractFootnotes(std::string text, const TVerseMarkupOptions& o,
                             std::string& side_text, char& letter) {
  if (text.find('{') == std::string::npos) return text;
  std::string out;
  out.reserve(text.size() + 64);
  size_t pos = 0;
  for (;;) {
    // Everything before pos is free of braces, so the first "{" and "}" of
    // the whole text are the first ones from pos.
    const size_t p = text.find('{', pos);
    const size_t q = text.find('}', pos);
    if (p == std::string::npos || q == std::string::npos || p > q) break;
    letter = letter == 'z' ? 'a' : static_cast<char>(letter + 1);
    side_text += "<font color=\"#";
    side_text += o.footnotes_color;
    side_text += "\"><b>";
    side_text += letter;
    side_text += ".</b> ";
    if (o.has_font) {
      side_text += "<font face=\"";
      side_text += o.font_name;
      side_text += "\">";
      side_text.append(text, p + 1, q - p - 1);
      side_text += "</font>";
    } else {
      side_text.append(text, p + 1, q - p - 1);
    }
    side_text += "<br>";
    out.append(text, pos, p - pos);
    if (!out.empty() && out.back() == ' ') out.pop_back();
    out += "<font color=\"#";
    out += o.footnotes_color;
    out += "\"><sup>";
    out += letter;
    out += " </sup></font>";
    pos = q + 1;
  }
  out.append(text, pos);
  return out;
}

std::string InlineFootnotes(std::string text, const std::string& color) {
  return ReplaceTwoBytes(std::move(text), '{', "<font color=\"#" + color + "\">{", '}',
                         "}</font>");
}

std::string ItalicWords(std::string text, uint8_t mode) {
  if (mode == 0) return ReplaceTwoBytes(std::move(text), '[', "<I>", ']', "</I>");
  if (mode == 2) return ReplaceTwoBytes(std::move(text), '[', "", ']', "");
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ParseStrongsNumber(const std::string& chars, int& number) {
  size_t i = 0;
  bool negative = false;
  if (i < chars.size() && (chars[i] == '+' || chars[i] == '-')) negative = chars[i++] == '-';
  int base = 10;
  if (i < chars.size() && chars[i] == '$') {
    base = 16;
    ++i;
  }
  if (i == chars.size()) return false;
  int value = 0;
  for (; i < chars.size(); ++i) {
    const int d = HexDigit(chars[i]);
    if (d < 0 || d >= base) return false;
    value = value * base + d;  // at most five characters: no overflow
  }
  number = negative ? -value : value;
  return true;
}

std::string ReplaceSmallText(std::string text) {
  if (text.find(">>") == std::string::npos && text.find("<<") == std::string::npos) return text;
  return ReplaceAll(ReplaceAll(text, ">>", "</font>", true), "<<", "<font size=-1>", true);
}

std::string MarkUpVerseText(std::string text, const TVerseMarkupOptions& o,
                            std::string& side_text, char& letter) {
  text = ReplaceSmallText(std::move(text));
  // Markers become HTML only now, so that a highlight ending right before
  // ">>" cannot merge with it.
  if (o.highlights) {
    text = ReplaceTwoBytes(std::move(text), kHighlightStart,
                           "<b><font color=\"#" + o.highlight_color + "\">", kHighlightEnd,
                           "</font></b>");
  }
  std::vector<std::string> words;
  if (o.strongs_links) text = InsertStrongsLinks(text, o, words);
  const size_t side_start = side_text.size();
  if (o.footnotes) {
    text = o.column_mode ? ExtractFootnotes(std::move(text), o, side_text, letter)
                         : InlineFootnotes(std::move(text), o.footnotes_color);
  }
  if (o.brackets) text = ItalicWords(std::move(text), o.italics_mode);
  FillHoles(text, 0, words);
  FillHoles(side_text, side_start, words);
  return text;
}

}  // namespace lumora
