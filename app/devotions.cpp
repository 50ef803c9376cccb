#include "app/devotions.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"

namespace lumora {
namespace {

constexpr size_t kDevotionLineLength = 13;  // "MM/DD/AM/hhhh"

int DevotionDecimalPair(std::string_view s) {
  if (s.size() < 2 || s[0] < '0' || s[0] > '9' || s[1] < '0' || s[1] > '9') return -1;
  return (s[0] - '0') * 10 + (s[1] - '0');
}

int DevotionHexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The verse of a well-formed line, 0 for any other line.
int DevotionLineVerse(std::string_view line) {
  if (line.size() < kDevotionLineLength) return 0;
  if (line[2] != '/' || line[5] != '/' || line[8] != '/') return 0;
  const int month = DevotionDecimalPair(line.substr(0, 2));
  const int day = DevotionDecimalPair(line.substr(3, 2));
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonthOfLeapYear(month)) return 0;
  const char a = static_cast<char>(cp1252::Upper(static_cast<unsigned char>(line[6])));
  const char m = static_cast<char>(cp1252::Upper(static_cast<unsigned char>(line[7])));
  if ((a != 'A' && a != 'P') || m != 'M') return 0;
  int verse = 0;
  for (size_t i = 9; i < kDevotionLineLength; ++i) {
    const int d = DevotionHexDigit(line[i]);
    if (d < 0) return 0;
    verse = verse * 16 + d;
  }
  return IsVerseIndex(verse) ? verse : 0;
}

// Lines order by their "MM/DD/AM" key alone, so of two lines for one day and
// time the first in the file stays first.
constexpr size_t kDevotionKeyLength = 8;
bool DevotionLineLess(const std::string& a, const std::string& b) {
  return cp1252::CompareNoCase(std::string_view(a).substr(0, kDevotionKeyLength),
                               std::string_view(b).substr(0, kDevotionKeyLength)) < 0;
}

}  // namespace

CalendarDay LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return {local.tm_mon + 1, local.tm_mday};
}

std::string DevotionKey(int month, int day, bool morning) {
  char key[16];
  std::snprintf(key, sizeof key, "%.2d/%.2d/%s", std::clamp(month, 0, 99), std::clamp(day, 0, 99),
                morning ? "AM" : "PM");
  return key;
}

int DaysInMonthOfLeapYear(int month) {
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month >= 1 && month <= 12 ? kDays[month - 1] : 0;
}

DevotionIndex DevotionIndex::Parse(std::string_view text) {
  DevotionIndex index;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(at, end - at);
    if (DevotionLineVerse(line) != 0) index.lines_.emplace_back(line.substr(0, kDevotionLineLength));
    at = end + 1;
  }
  // Stable: of two lines for one day and time, the first in the file wins.
  std::stable_sort(index.lines_.begin(), index.lines_.end(), DevotionLineLess);
  return index;
}

DevotionIndex DevotionIndex::Load(FileSystem& fs, const std::string& path) {
  if (!fs.FileExists(path)) return {};
  Result<std::string> text = fs.ReadFile(path);
  if (!text.ok()) return {};
  return Parse(text.value());
}

std::optional<DevotionReading> DevotionIndex::Find(int month, int day, bool morning) const {
  if (lines_.empty()) return std::nullopt;
  const std::string probe = DevotionKey(month, day, morning);
  auto it = std::lower_bound(lines_.begin(), lines_.end(), probe, DevotionLineLess);
  // After the last reading of the year comes the first.
  if (it == lines_.end()) it = lines_.begin();
  return DevotionReading{DevotionLineVerse(*it), it->substr(0, kDevotionKeyLength)};
}

std::vector<int> DevotionIndex::DaysOf(int month) const {
  std::vector<int> days;
  char prefix[8];
  std::snprintf(prefix, sizeof prefix, "%.2d/", std::clamp(month, 0, 99));
  auto it = std::lower_bound(lines_.begin(), lines_.end(), std::string(prefix) + "00/AM",
                             DevotionLineLess);
  for (; it != lines_.end() && it->compare(0, 3, prefix) == 0; ++it) {
    const int day = DevotionDecimalPair(std::string_view(*it).substr(3, 2));
    if (days.empty() || days.back() != day) days.push_back(day);
  }
  return days;
}

}  // namespace lumora
