// The devotional index "devotion.dys": one line per reading, "MM/DD/AM/hhhh"
// (month, day, "AM" for the morning or "PM" for the evening reading, and the
// reading's verse index as four hexadecimal digits); the rest of a line is
// ignored. The readings themselves are entries of the Commentary "SME" at
// those verses, each under its "MM/DD/AM" heading.
//
// Only well-formed lines are kept: a real date (February up to the 29th), AM
// or PM, and a verse index 1..31102, hexadecimal digits in either case. The
// kept lines are sorted by their "MM/DD/AM" key without regard to case, so a
// month runs day by day, AM before PM; of two lines with one key the first
// in the file comes first.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/file_system.h"

namespace lumora {

inline constexpr const char* kDevotionFileName = "devotion.dys";

// A day of the year as the calendar names it.
struct CalendarDay {
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  bool operator==(const CalendarDay&) const = default;
};

// The local date now; the devotional commands take "today" from a clock of
// this shape, so tests can name the day.
using TodayClock = std::function<CalendarDay()>;
CalendarDay LocalToday();

// The reading key "MM/DD/AM" or "MM/DD/PM"; also the heading text of the
// reading inside its Commentary entry.
std::string DevotionKey(int month, int day, bool morning);

// Days in `month` in a leap year (the index covers 366 days); 0 for a month
// outside 1..12.
int DaysInMonthOfLeapYear(int month);

struct DevotionReading {
  int verse = 0;        // verse index, 1..31102
  std::string heading;  // "MM/DD/AM" of the line taken
};

class DevotionIndex {
 public:
  DevotionIndex() = default;
  // The well-formed lines of a file's text (LF or CR LF lines).
  static DevotionIndex Parse(std::string_view text);
  // The file at `path`; a missing or unreadable file gives an empty index.
  static DevotionIndex Load(FileSystem& fs, const std::string& path);

  bool empty() const { return lines_.empty(); }
  size_t size() const { return lines_.size(); }
  // The kept lines, first 13 characters each, in sorted order.
  const std::vector<std::string>& Lines() const { return lines_; }

  // The reading for a day and time: the first line at or after its key, so
  // a missing day and time gives the next reading in order and a key after
  // the last line wraps to the first reading of the year. Nothing only
  // when the index is empty.
  std::optional<DevotionReading> Find(int month, int day, bool morning) const;

  // The days of `month` that have readings, ascending, each once (the day
  // picker's list).
  std::vector<int> DaysOf(int month) const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace lumora
