#include "tools/import/osis_tags.h"

#include "core/modules/bible_header.h"
#include "core/text/cp1252.h"
#include "core/text/utf8.h"

namespace lumora::import {

// Strong's numbers of a lemma attribute as signed numbers (Hebrew negative).
// Only the "strong:" scheme counts; a bare "G3588" continues the scheme of
// the value before it, as some modules write "strong:G2532 G3588".
void ParseStrongsLemma(std::string_view lemma, std::vector<int>& numbers) {
  bool strong_scheme = false;
  size_t i = 0;
  while (i < lemma.size()) {
    while (i < lemma.size() && IsXmlSpace(lemma[i])) ++i;
    const size_t start = i;
    while (i < lemma.size() && !IsXmlSpace(lemma[i])) ++i;
    std::string_view item = lemma.substr(start, i - start);
    if (item.empty()) continue;
    const size_t colon = item.find(':');
    if (colon != std::string_view::npos) {
      strong_scheme = cp1252::EqualNoCase(item.substr(0, colon), "strong");
      item.remove_prefix(colon + 1);
    }
    if (!strong_scheme || item.size() < 2) continue;
    const char lang = item[0];
    if (lang != 'H' && lang != 'G' && lang != 'h' && lang != 'g') continue;
    int number = 0;
    size_t k = 1;
    for (; k < item.size() && item[k] >= '0' && item[k] <= '9' && number <= 99999; ++k)
      number = number * 10 + (item[k] - '0');
    if (k == 1) continue;
    // A trailing letter ("H1254a") narrows the entry; the number stands.
    if (k < item.size() && !(k + 1 == item.size() && IsXmlNameStart(item[k]))) continue;
    const bool hebrew = lang == 'H' || lang == 'h';
    if (number < 1 || number > (hebrew ? kHebrewStrongsCount : kGreekStrongsCount)) continue;
    const int code = hebrew ? -number : number;
    bool seen = false;
    for (const int n : numbers) seen = seen || n == code;
    if (!seen) numbers.push_back(code);
  }
}

// Elements whose start and end separate words even without blanks around
// them in the source.
bool IsWordSeparatorElement(std::string_view name) {
  static constexpr std::string_view kNames[] = {
      "l",    "lg",    "lb",   "div", "p",     "chapter", "verse", "milestone", "list",
      "item", "title", "head", "br",  "table", "row",     "cell",  "speaker"};
  for (const std::string_view n : kNames)
    if (n == name) return true;
  return false;
}

// Titles that print with the text: canonical ones (a Psalm's title), and
// untyped ones (the acrostic letters of Psalm 119, the subscriptions after
// Paul's epistles, the Psalter's "BOOK 2"); not the book names, section
// headings and introductions that carry a type.
bool IsPrintedTitle(const XmlTag& tag) {
  const std::string_view canonical = tag.Get("canonical");
  if (canonical == "true") return true;
  if (canonical == "false") return false;
  return tag.Get("type") == "psalm" || !tag.Has("type");
}

// Hebrew letters and points, which a heading drops: the code page cannot
// hold them, and the heading spells the letter's name beside it.
std::string WithoutHebrewLetters(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const size_t start = i;
    const char32_t cp = DecodeUtf8(utf8, i);
    if ((cp >= 0x0590 && cp <= 0x05FF) || (cp >= 0xFB1D && cp <= 0xFB4F)) continue;
    out.append(utf8, start, i - start);
  }
  return out;
}

bool IsParagraphMark(const XmlTag& tag) {
  if (tag.end || tag.Has("eID")) return false;
  const std::string_view type = tag.Get("type");
  if (tag.name == "p") return true;
  if (tag.name == "div" || tag.name == "milestone" || tag.name == "lb")
    return type == "x-p" || type == "paragraph" || type == "x-paragraph";
  return false;
}

}  // namespace lumora::import
