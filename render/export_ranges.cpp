// FormatCommentRange and FormatBookRange: several entries, each under a
// heading, for copying and printing.
#include <algorithm>
#include <string>

#include "core/text/cp1252.h"
#include "render/export_procs.h"
#include "render/verse_list.h"

namespace lumora {
namespace {

std::string UpperCase(std::string s) {
  for (char& c : s) c = static_cast<char>(cp1252::Upper(static_cast<unsigned char>(c)));
  return s;
}

// An entry's runs, moved to where its text starts in the whole.
void AppendRuns(PlainScriptRuns* runs, const PlainScriptRuns& entry_runs, size_t at) {
  if (runs == nullptr) return;
  for (PlainScriptRun run : entry_runs) {
    run.begin += at;
    run.end += at;
    runs->push_back(run);
  }
}

}  // namespace

std::string FormatCommentRange(const TVerseRangeList& ranges, const TLMBibleModule& bible,
                               const TLMCommentaryModule& commentary, bool plain) {
  return FormatCommentRange(ranges, bible, commentary, plain, nullptr);
}

std::string FormatCommentRange(const TVerseRangeList& ranges, const TLMBibleModule& bible,
                               const TLMCommentaryModule& commentary, bool plain,
                               PlainScriptRuns* runs) {
  const std::string& abbreviation = commentary.GetAbbreviation();
  std::string r;
  for (const TVerseRange& range : ranges) {
    const int from = std::max(range.first - 1, 0);
    const int to = std::min(range.last - 1, kLastCommentaryPosition);
    for (int p = from; p <= to; ++p) {
      if (!commentary.HasEntry(p)) continue;
      PlainScriptRuns entry_runs;
      const std::string e = ExportEntryText(commentary.GetEntryText(p), commentary, bible, true,
                                            true, plain, runs != nullptr ? &entry_runs : nullptr);
      const TVerseLocation at = bible.GetVerseLocation(p + 1);
      const std::string title = bible.GetLongBookTitle(at.book);
      const std::string chapter_verse = std::to_string(at.chapter) + ":" + std::to_string(at.verse);
      if (plain) {
        r += "[[ " + UpperCase(abbreviation) + " " + UpperCase(title) + " " + chapter_verse +
             " ]]\r\n\r\n";
        AppendRuns(runs, entry_runs, r.size());
        r += e + "\r\n\r\n";
      } else {
        r += "<p><font size=+1><b>" + abbreviation + " " + title + " " + chapter_verse +
             "</b></font><p>" + e;
      }
    }
  }
  return r;
}

std::string FormatBookRange(int first, int last, const TLMBibleModule& bible,
                            const TLMDictionaryModule& book, bool plain) {
  return FormatBookRange(first, last, bible, book, plain, nullptr);
}

std::string FormatBookRange(int first, int last, const TLMBibleModule& bible,
                            const TLMDictionaryModule& book, bool plain, PlainScriptRuns* runs) {
  const std::string& abbreviation = book.GetAbbreviation();
  const std::vector<std::string>& titles = book.EntryTitles();
  std::string r;
  for (int n = std::max(first, 0); n <= last && IsUsableEntryNumber(n, titles.size()); ++n) {
    PlainScriptRuns entry_runs;
    const std::string e = ExportEntryText(book.GetEntryText(n), book, bible, true, true, plain,
                                          runs != nullptr ? &entry_runs : nullptr);
    const std::string& title = titles[static_cast<size_t>(n)];
    if (plain) {
      r += "[[ " + abbreviation + " - " + title + " ]]\r\n\r\n";
      AppendRuns(runs, entry_runs, r.size());
      r += e + "\r\n\r\n";
    } else
      r += "<p><font size=+1><b>" + abbreviation + " - " + title + "</b></font><p>" + e;
  }
  return r;
}

}  // namespace lumora
