#include "search/bible_search_text.h"

#include "core/text/fast_strings.h"

namespace lumora {

bool IsBlankSearchText(std::string_view typed) {
  for (char c : typed)
    if (static_cast<unsigned char>(c) > ' ') return false;
  return true;
}

std::string CleanSearchText(std::string_view typed) {
  std::string text = ReplaceAll(typed, ".", "", true);
  text = ReplaceAll(text, ",", "", true);
  return ReplaceAll(text, ";", "", true);
}

std::string SearchTextFromSelection(std::string_view selected) {
  std::string out;
  out.reserve(selected.size());
  for (const char c : selected) {
    const auto b = static_cast<unsigned char>(c);
    const bool keep = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                      b == ' ' || b == '-' || b >= 0xC0;
    if (keep) out += c;
  }
  return out;
}

std::string StrongsSearchText(bool hebrew, int number) {
  return (hebrew ? "H" : "G") + std::to_string(number);
}

std::string BibleSearchTitle(const TLMBibleModule& bible, std::string_view typed) {
  return bible.GetAbbreviation() + " search: " + std::string(typed);
}

}  // namespace lumora
