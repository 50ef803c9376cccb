#include "tools/cli/ref_command.h"

#include <string>
#include <vector>

#include "core/refs/reference_format.h"
#include "core/refs/reference_parser.h"
#include "core/text/cp1252.h"
#include "tools/cli/visible_text.h"

namespace lumora::cli {
namespace {

// A verse index of `bible`, digits only.
bool ParseIndex(const std::string& s, const TLMBibleModule& bible, int& out) {
  if (s.empty() || s.size() > 6) return false;
  int value = 0;
  for (char ch : s) {
    if (ch < '0' || ch > '9') return false;
    value = value * 10 + (ch - '0');
  }
  if (value < 1 || value > bible.VerseCount()) return false;
  out = value;
  return true;
}

std::string Indexes(const TVerseRange& r) {
  return r.first == r.last ? std::to_string(r.first)
                           : std::to_string(r.first) + "-" + std::to_string(r.last);
}

int Parse(const TLMBibleModule& bible, const CliOptions& o, std::ostream& out, std::ostream& err) {
  std::string text;
  for (const std::string& word : o.arguments) {
    if (!text.empty()) text += ' ';
    text += word;
  }
  const std::string typed = cp1252::FromUtf8(text);
  const ParsedReferences parsed = ParseReferences(typed, bible);
  for (const TVerseRange& r : parsed.ranges)
    out << "range\t" << Indexes(r) << '\t'
        << cp1252::ToUtf8(FormatRange(bible, r.first, r.last, BookTitleKind::kLong)) << '\n';
  out << "stop\t" << parsed.stop << '\n';
  // What the parser did not take, from where it stopped.
  const size_t rest = static_cast<size_t>(parsed.skipped + parsed.stop);
  if (parsed.stop >= 0 && rest < typed.size())
    out << "unparsed\t" << cp1252::ToUtf8(typed.substr(rest)) << '\n';
  if (parsed.ranges.empty()) {
    err << "Unrecognized reference.\n";
    return 1;
  }
  const bool with_strongs = o.strongs || bible.IsStrongsLinks();
  for (const TVerseRange& r : parsed.ranges) {
    // A range typed backwards ("jn 3:18-16") names no verses to show.
    for (int i = r.first; i <= r.last; ++i)
      out << cp1252::ToUtf8(FormatRange(bible, i, i, BookTitleKind::kLong)) << ' '
          << MakeVisible(bible.GetVerseText(i, with_strongs, o.footnotes)) << '\n';
  }
  return 0;
}

int Format(const TLMBibleModule& bible, const CliOptions& o, std::ostream& out, std::ostream& err) {
  if (o.arguments.empty()) {
    err << "lumora-cli: ref --format needs verse indexes (INDEX or FIRST-LAST)\n";
    return 2;
  }
  std::vector<int> verses;
  for (const std::string& item : o.arguments) {
    const size_t dash = item.find('-');
    TVerseRange r;
    const bool ok = dash == std::string::npos
                        ? ParseIndex(item, bible, r.first)
                        : ParseIndex(item.substr(0, dash), bible, r.first) &&
                              ParseIndex(item.substr(dash + 1), bible, r.last);
    if (!ok) {
      err << "lumora-cli: not a verse index or range of 1.." << bible.VerseCount() << ": " << item
          << '\n';
      return 2;
    }
    if (dash == std::string::npos) r.last = r.first;
    out << Indexes(r) << '\t'
        << cp1252::ToUtf8(FormatRange(bible, r.first, r.last, BookTitleKind::kShort)) << '\t'
        << cp1252::ToUtf8(FormatRange(bible, r.first, r.last, BookTitleKind::kLong)) << '\n';
    for (int i = r.first;; i += r.first <= r.last ? 1 : -1) {
      verses.push_back(i);
      if (i == r.last) break;
    }
  }
  out << "list\t" << cp1252::ToUtf8(FormatVerseList(verses, bible)) << '\n';
  return 0;
}

}  // namespace

int RunRefCommand(const TModuleCatalogue& catalogue, const CliOptions& options, std::ostream& out,
                  std::ostream& err) {
  const TLMBibleModule* kjv = catalogue.KjvBible();
  if (kjv == nullptr) {
    err << kKjvMissingMessage << '\n';
    return 1;
  }
  if (options.format) return Format(*kjv, options, out, err);
  if (options.arguments.empty()) {
    err << kUsage;
    return 2;
  }
  return Parse(*kjv, options, out, err);
}

}  // namespace lumora::cli
