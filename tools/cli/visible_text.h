// Terminal form of stored text: Windows-1252 becomes UTF-8 and marker bytes
// become readable tags, so nothing non-printable reaches the terminal.
#pragma once

#include <string>
#include <string_view>

namespace lumora::cli {

// Strong's tokens (written-out or stored form) become "<H0430>" / "<G0025>";
// any other byte below 32 becomes "<0x0E>".
std::string MakeVisible(std::string_view text);
// For Book and Commentary entries, whose marker bytes mean other things:
// every byte below 32 becomes "<0x05>" and nothing is decoded.
std::string MakeVisibleEntry(std::string_view text);

}  // namespace lumora::cli
