#include "app/user_module_naming.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/text/cp1252.h"

namespace lumora {
namespace {

// A library holding "KJV"/"King James Version" and a user file "mine.LMC"
// that the catalogue did not load.
UserModuleNameRules SampleRules() {
  UserModuleNameRules rules;
  rules.name_in_use = [](std::string_view name) {
    for (std::string_view used : {"KJV", "King James Version", "Nave", "MHC"})
      if (cp1252::EqualNoCase(name, used)) return true;
    return false;
  };
  rules.file_taken = [](std::string_view file) {
    return cp1252::EqualNoCase(file, "mine.lmc") || cp1252::EqualNoCase(file, "loaded.lmc");
  };
  rules.suffix = ".lmc";
  return rules;
}

struct NamingCase {
  const char* title;
  const char* abbreviation;
  const char* expected;  // the whole message; "" when accepted
};

TEST(UserModuleNaming, MessagesForEachProblemInOrder) {
  const std::string kBadChars =
      "Abbreviations may not contain spaces or the following characters: ?*<>:\"/\\|.,&";
  const std::vector<NamingCase> cases = {
      {"My Notes", "MYN", ""},
      {"  My Notes\t", " MYN ", ""},
      {"My Notes", "my notes", kBadChars.c_str()},
      {"My Notes", "KJV",
       "A module with the title or abbreviation KJV already exists. Please specify a different "
       "abbreviation."},
      {"mhc", "X",
       "A module with the title or abbreviation mhc already exists. Please specify a different "
       "title."},
      {"", "", "Please specify a title.\n\nPlease specify an abbreviation."},
      {"   ", "A", "Please specify a title."},
      {"Notes", "MINE",
       "A file named MINE.lmc already exists in the User folder. Please specify a different "
       "abbreviation."},
      {"Notes", "Loaded",
       "A file named Loaded.lmc already exists in the User folder. Please specify a different "
       "abbreviation."},
      {"Notes", "a&b", kBadChars.c_str()},
      {"Notes", "a.b", kBadChars.c_str()},
      {"Notes", "a?", kBadChars.c_str()},
      {"No\x01tes", "N", "Titles may not contain control characters."},
      {"Notes", "N\x7F", "Abbreviations may not contain control characters."},
      {"Notes\x81", "N", "Titles may not contain characters outside Windows-1252."},
      {"Notes", "N\x9D", "Abbreviations may not contain characters outside Windows-1252."},
      {"Notes \xE9t\xE9", "\xC9T\xC9", ""},
      {"Notes", "con",
       "The abbreviation con is reserved by the system. Please specify a different "
       "abbreviation."},
      {"Notes", "LPT1",
       "The abbreviation LPT1 is reserved by the system. Please specify a different "
       "abbreviation."},
      {"Notes", "COM0", ""},
      {"Notes", "CONS", ""},
  };
  for (const NamingCase& c : cases) {
    std::string title = c.title;
    std::string abbreviation = c.abbreviation;
    EXPECT_EQ(CheckUserModuleNames(title, abbreviation, SampleRules()), c.expected)
        << "title '" << c.title << "' abbreviation '" << c.abbreviation << "'";
  }
}

TEST(UserModuleNaming, TrimsInPlaceAndShowsBothProblemsTogether) {
  std::string title = "  KJV  ";
  std::string abbreviation = " my notes ";
  const std::string message = CheckUserModuleNames(title, abbreviation, SampleRules());
  EXPECT_EQ(title, "KJV");
  EXPECT_EQ(abbreviation, "my notes");
  EXPECT_EQ(message,
            "A module with the title or abbreviation KJV already exists. Please specify a "
            "different title.\n\nAbbreviations may not contain spaces or the following "
            "characters: ?*<>:\"/\\|.,&");
}

TEST(UserModuleNaming, BookSuffixAndMissingCallbacks) {
  UserModuleNameRules rules = SampleRules();
  rules.suffix = ".lmk";
  std::string title = "Notes";
  std::string abbreviation = "MINE";
  EXPECT_EQ(CheckUserModuleNames(title, abbreviation, rules), "");  // only mine.lmc exists
  UserModuleNameRules none;
  title = "KJV";
  abbreviation = "KJV";
  EXPECT_EQ(CheckUserModuleNames(title, abbreviation, none), "");
}

TEST(UserModuleNaming, DeviceNames) {
  for (const char* name : {"CON", "prn", "Aux", "nul", "com1", "COM9", "lpt3", "nul.txt"})
    EXPECT_TRUE(IsDeviceName(name)) << name;
  for (const char* name : {"CONX", "COM", "COM10", "LPT0", "NULL", "", "KJV"})
    EXPECT_FALSE(IsDeviceName(name)) << name;
}

}  // namespace
}  // namespace lumora
