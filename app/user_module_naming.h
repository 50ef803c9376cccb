// The checks a new user module's title and abbreviation pass before its
// file is made. Names are Windows-1252 bytes, as typed and converted at the
// dialog's edge. The checks only read the catalogue through the callbacks,
// so they run the same in the naming dialog and in the tests.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace lumora {

// Abbreviation limits of the naming dialog's boxes.
inline constexpr int kUserTitleMaxLength = 45;
inline constexpr int kUserAbbreviationMaxLength = 7;

struct UserModuleNameRules {
  // A title or abbreviation already used by a loaded module (any case).
  std::function<bool(std::string_view name)> name_in_use;
  // A file of that name (abbreviation plus the kind's suffix) already lies
  // in the "User" folder (any case) or is loaded: creating it would fail or
  // replace it.
  std::function<bool(std::string_view file_name)> file_taken;
  // ".lmc" for a Commentary, ".lmk" for a Book.
  std::string suffix = ".lmc";
};

// Removes leading and trailing blanks (and tabs, CR, LF) in place.
void TrimName(std::string& name);

// Trims both names in place and returns every problem, each followed by a
// blank line, with the trailing line breaks of the last removed; empty when
// the names may be used.
std::string CheckUserModuleNames(std::string& title, std::string& abbreviation,
                                 const UserModuleNameRules& rules);

// A Windows device name ("CON", "nul", "COM1", "lpt9", also with an
// extension) that cannot be a file name on that system.
bool IsDeviceName(std::string_view name);

}  // namespace lumora
