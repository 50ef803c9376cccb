// The help: one HTML page per topic identifier, in the "help" folder shipped
// beside the program. Commands and dialogs name a topic by its identifier
// ("Scribble10" is the contents); this table is the one place that maps an
// identifier to its page. The key list page is generated from the command
// table when the program is built.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/command_table.h"

namespace lumora {

struct HelpTopic {
  const char* id;     // "Scribble90"
  const char* file;   // page file name inside the help folder
  const char* title;  // the page's heading
};

inline constexpr const char* kHelpContentsTopic = "Scribble10";
inline constexpr const char* kHelpFolderName = "help";
inline constexpr const char* kHelpKeysFile = "keys.html";

// Every topic, the contents first.
const std::vector<HelpTopic>& HelpTopics();
// The topic of an identifier (compared without regard to case); null when
// there is none.
const HelpTopic* FindHelpTopic(std::string_view id);

// The key list page: every command of `commands` that has a shortcut, with
// its caption (mnemonics removed) and hint, as a complete HTML page.
std::string KeyListHtml(const std::vector<CommandSpec>& commands);

}  // namespace lumora
