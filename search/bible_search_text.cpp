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
  for (char c : selected)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' ||
        c == '-')
      out += c;
  return out;
}

std::string StrongsSearchText(bool hebrew, int number) {
  return (hebrew ? "H" : "G") + std::to_string(number);
}

std::string BibleSearchTitle(const TLMBibleModule& bible, std::string_view typed) {
  return bible.GetAbbreviation() + " search: " + std::string(typed);
}

}  // namespace lumora
