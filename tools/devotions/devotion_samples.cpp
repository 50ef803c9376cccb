#include "tools/devotions/devotion_samples.h"

#include <cstdio>
#include <map>

#include "app/devotions.h"
#include "core/platform/file_system.h"
#include "core/refs/verse_index.h"
#include "render/html_escape.h"

namespace lumora::builder {
namespace {

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",
                                   "June",    "July",     "August",    "September", "October",
                                   "November", "December"};

std::string Reference(const TLMBibleModule& kjv, int verse) {
  const TVerseLocation at = kjv.GetVerseLocation(verse);
  return kjv.GetLongBookTitle(at.book) + " " + std::to_string(at.chapter) + ":" +
         std::to_string(at.verse);
}

// The verse as a reader sees it: the italics brackets dropped.
std::string PlainVerse(const TLMBibleModule& kjv, int verse) {
  std::string text;
  for (char c : kjv.GetVerseText(verse, false, false))
    if (c != '[' && c != ']') text += c;
  return text;
}

}  // namespace

std::vector<DevotionSample> SyntheticDevotionReadings() {
  std::vector<DevotionSample> readings;
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= DaysInMonthOfLeapYear(month); ++day)
      for (bool morning : {true, false}) readings.push_back({month, day, morning, 0});
  // Spread evenly from Genesis 1:1 to the last verse of Revelation.
  const int last = static_cast<int>(readings.size()) - 1;
  for (int i = 0; i <= last; ++i)
    readings[static_cast<size_t>(i)].verse = 1 + static_cast<int>(
                                                     static_cast<long long>(i) * (kVerseCount - 1) / last);
  for (size_t i = 1; i < readings.size(); ++i) {
    DevotionSample& r = readings[i];
    if (r.month == 12 && r.day == 25 && !r.morning) r.verse = readings[i - 1].verse;
  }
  return readings;
}

std::string DevotionIndexText(const std::vector<DevotionSample>& readings,
                              const TLMBibleModule& kjv) {
  std::string text = "Synthetic devotional index (sample) for Lumora\r\n";
  for (const DevotionSample& r : readings) {
    char line[32];
    std::snprintf(line, sizeof line, "%s/%.4X", DevotionKey(r.month, r.day, r.morning).c_str(),
                  static_cast<unsigned>(r.verse));
    text += std::string(line) + "  " + Reference(kjv, r.verse) + "\r\n";
  }
  return text;
}

CommentarySource SyntheticDevotionalCommentary(const std::vector<DevotionSample>& readings,
                                               const TLMBibleModule& kjv) {
  CommentarySource c{kSyntheticDevotionalTitle, kSyntheticDevotionalAbbreviation, "SME",
                     std::vector<std::string>(kVerseCount)};
  std::map<int, std::string> entries;
  for (const DevotionSample& r : readings) {
    std::string& entry = entries[r.verse];
    entry += "<p><b>" + DevotionKey(r.month, r.day, r.morning) + "</b> " +
             (r.morning ? "Morning, " : "Evening, ") + kMonthNames[r.month - 1] + " " +
             std::to_string(r.day) + "</p>";
  }
  for (auto& [verse, entry] : entries) {
    entry += "<p><i>" + HtmlEscape(Reference(kjv, verse)) + "</i> " +
             HtmlEscape(PlainVerse(kjv, verse)) + "</p>";
    entry += "<p>A synthetic sample reading, made to try Lumora's devotional commands.</p>";
    c.slots[static_cast<size_t>(verse - 1)] = std::move(entry);
  }
  return c;
}

Status WriteSyntheticDevotionals(const TLMBibleModule& kjv, const std::string& library_folder) {
  FileSystem& fs = DefaultFileSystem();
  const std::vector<DevotionSample> readings = SyntheticDevotionReadings();
  if (Status s = fs.WriteFile(JoinPath(library_folder, kDevotionFileName),
                              DevotionIndexText(readings, kjv));
      !s.ok())
    return s;
  const std::string folder = JoinPath(library_folder, "Commentaries");
  if (Status s = CreateFolders(fs, folder); !s.ok()) return s;
  return WriteCommentaryModule(SyntheticDevotionalCommentary(readings, kjv),
                               JoinPath(folder, "SME.lmc"));
}

}  // namespace lumora::builder
