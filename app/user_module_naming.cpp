#include "app/user_module_naming.h"

#include <array>

#include "core/text/cp1252.h"

namespace lumora {

namespace {

bool IsTrimmedByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool HasControlByte(std::string_view s) {
  for (unsigned char c : s)
    if (c < 0x20 || c == 0x7F) return true;
  return false;
}

// The five byte values Windows-1252 leaves undefined.
bool HasUndefinedByte(std::string_view s) {
  for (unsigned char c : s)
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) return true;
  return false;
}

bool HasForbiddenAbbreviationByte(std::string_view s) {
  constexpr std::string_view kForbidden = "<>:\"/\\| .,&*?";
  return s.find_first_of(kForbidden) != std::string_view::npos;
}

std::string AlreadyExists(const std::string& name, const char* what) {
  return "A module with the title or abbreviation " + name +
         " already exists. Please specify a different " + what + ".";
}

}  // namespace

void TrimName(std::string& name) {
  size_t begin = 0;
  while (begin < name.size() && IsTrimmedByte(name[begin])) ++begin;
  size_t end = name.size();
  while (end > begin && IsTrimmedByte(name[end - 1])) --end;
  name = name.substr(begin, end - begin);
}

bool IsDeviceName(std::string_view name) {
  const std::string_view stem = name.substr(0, name.find('.'));
  static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view d : kPlain)
    if (cp1252::EqualNoCase(stem, d)) return true;
  if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9')
    return cp1252::EqualNoCase(stem.substr(0, 3), "COM") ||
           cp1252::EqualNoCase(stem.substr(0, 3), "LPT");
  return false;
}

std::string CheckUserModuleNames(std::string& title, std::string& abbreviation,
                                 const UserModuleNameRules& rules) {
  TrimName(title);
  TrimName(abbreviation);
  std::string problems;
  const auto add = [&problems](const std::string& text) { problems += text + "\n\n"; };
  const auto in_use = [&rules](const std::string& name) {
    return !name.empty() && rules.name_in_use && rules.name_in_use(name);
  };

  if (in_use(title)) add(AlreadyExists(title, "title"));
  if (title.empty()) add("Please specify a title.");
  if (HasControlByte(title)) add("Titles may not contain control characters.");
  if (HasUndefinedByte(title)) add("Titles may not contain characters outside Windows-1252.");
  if (abbreviation.empty()) add("Please specify an abbreviation.");
  if (in_use(abbreviation)) {
    add(AlreadyExists(abbreviation, "abbreviation"));
  } else if (!abbreviation.empty() && rules.file_taken &&
             rules.file_taken(abbreviation + rules.suffix)) {
    add("A file named " + abbreviation + rules.suffix +
        " already exists in the User folder. Please specify a different abbreviation.");
  }
  if (HasForbiddenAbbreviationByte(abbreviation))
    add("Abbreviations may not contain spaces or the following characters: ?*<>:\"/\\|.,&");
  if (HasControlByte(abbreviation)) add("Abbreviations may not contain control characters.");
  if (HasUndefinedByte(abbreviation))
    add("Abbreviations may not contain characters outside Windows-1252.");
  if (IsDeviceName(abbreviation))
    add("The abbreviation " + abbreviation +
        " is reserved by the system. Please specify a different abbreviation.");

  while (!problems.empty() && (problems.back() == '\n' || problems.back() == '\r'))
    problems.pop_back();
  return problems;
}

}  // namespace lumora
