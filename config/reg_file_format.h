// The per-user settings file: the registry's export syntax (REGEDIT4), in
// UTF-8, so a person can read and edit it and the values keep the registry's
// types exactly.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Lumora 4]
//   "RzTabsFont"="Arial"
//   "RzTabsFontSize"=dword:00000009
//   "LeftPanelPct"=hex:cd,cc,cc,cc,cc,cc,dc,3f
//
// Strings are quoted with \\ and \" as the only escapes. A string holding a
// control character other than tab is written as hex(1): its Windows-1252
// bytes and a terminating 00, as REGEDIT4 does, so every value stays on one
// line. Values of other registry types are kept as hex(N).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/settings_document.h"

namespace lumora::config {

std::string FormatRegFile(const SettingsDocument& doc);

// Reads `text` into `doc` (later values of the same name win). Reading never
// stops: a line that cannot be read (garbage, a truncated last line, a dword
// that is not eight hex digits, a hex byte that is not two) is skipped and
// described in `problems`, at most kMaxReportedLines of them plus a count.
void ParseRegFile(std::string_view text, SettingsDocument& doc, std::vector<std::string>& problems);

inline constexpr int kMaxReportedLines = 10;

}  // namespace lumora::config
