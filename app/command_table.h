// The main window's commands: name, caption, hint and shortcut of each, in
// one table. The window makes one action per row; the feature that owns a
// command binds its handler and its enabled rule; an unbound command stays
// disabled. The key list in the help comes from the same table.
//
// Shortcuts are in Qt's portable text ("Ctrl+Shift+1", "Alt+F11"); empty
// for none. Captions keep their "&" mnemonics.
#pragma once

#include <string_view>
#include <vector>

namespace lumora {

struct CommandSpec {
  const char* name;      // "ActionExit"
  const char* caption;   // "Exit"
  const char* hint;      // tool tip and status-bar text; "" for none
  const char* shortcut;  // "" for none
};

// Every command of the main window, in menu order.
const std::vector<CommandSpec>& MainCommands();
// The row of `name`; null when there is none.
const CommandSpec* FindMainCommand(std::string_view name);

// The menu number text of a bookmark index ("&1" .. "&9", "1&0" for 0).
const char* BookmarkNumberText(int index);

}  // namespace lumora
