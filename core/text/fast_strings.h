// The program's one fixed-string search: Boyer-Moore-Horspool over
// single-byte text, with a case-insensitive form that compares through the
// Windows-1252 upper-case map. Positions are 1-based; 0 means "not found".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/status.h"

namespace lumora {

using SkipTable = std::array<int32_t, 256>;

// Fill `table` for `pattern`. An empty pattern cannot be searched for: the
// error message is "BufferLen is 0" and the table is left alone.
Status BuildSkipTable(std::string_view pattern, SkipTable& table);
Status BuildSkipTableNoCase(std::string_view pattern, SkipTable& table);

// First byte of the leftmost match of `pattern` in text[0, length), or
// nullptr. A text shorter than the pattern is not touched.
const char* SkipScan(const char* text, std::string_view pattern, int64_t length,
                     const SkipTable& table);
const char* SkipScanNoCase(const char* text, std::string_view pattern, int64_t length,
                           const SkipTable& table);

// Position of the first occurrence of `find` beginning at or after `start`
// (a start below 1 counts as 1). An empty find string is never found.
size_t PosFrom(std::string_view source, std::string_view find, int64_t start = 1);
size_t PosFromNoCase(std::string_view source, std::string_view find, int64_t start = 1);

// Position of the last occurrence beginning at or before `start`; a start of
// 0, or one too late for the find string to fit, means "from the end".
size_t PosBackNoCase(std::string_view source, std::string_view find, int64_t start = 0);

// Position of the first `ch` at or after `start` (below 1 counts as 1).
size_t CharPosFrom(std::string_view s, char ch, int64_t start = 1);

// Every non-overlapping occurrence of `find`, left to right, replaced. In the
// case-insensitive form only matching ignores case. An empty find string
// leaves the source unchanged.
std::string ReplaceAll(std::string_view source, std::string_view find,
                       std::string_view replacement, bool case_sensitive);

}  // namespace lumora
