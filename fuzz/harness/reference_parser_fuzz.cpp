// reference_parser: typed reference text, parsed with the template Bible's
// titles by both parser entry points, and what was parsed formatted back.
//
// Input: the text (Windows-1252, any bytes).
// Checks: the one-call parser and the prepared parser agree; the stop
// position and the skipped count lie within the text; every range lies in
// the Bible; FormatRange and FormatVerseList of the result give reference
// text without error texts; the fast verse lookup gives the module's answer.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/refs/reference_format.h"
#include "core/refs/reference_parser.h"
#include "fuzz/harness/harnesses.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_library.h"

namespace lumora::fuzz {
namespace {

constexpr size_t kMaxFormattedVerses = 2000;

bool IsReferenceText(const std::string& text) {
  return !text.empty() && text.find("[Non-fatal internal error: ") == std::string::npos;
}

}  // namespace

void FuzzReferenceParser(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TLMBibleModule& bible = *Modules().bible;
  static const ReferenceParser* const parser = new ReferenceParser(bible);

  const ParsedReferences parsed = parser->Parse(text);
  const ParsedReferences once = ParseReferences(text, bible);
  LUMORA_FUZZ_CHECK(once.ranges == parsed.ranges);
  LUMORA_FUZZ_CHECK(once.stop == parsed.stop && once.skipped == parsed.skipped);

  const int length = static_cast<int>(size);
  LUMORA_FUZZ_CHECK(parsed.skipped >= 0 && parsed.skipped <= length);
  LUMORA_FUZZ_CHECK(parsed.stop >= -1 && parsed.stop <= length - parsed.skipped + 1);

  std::vector<int> verses;
  for (const TVerseRange& r : parsed.ranges) {
    LUMORA_FUZZ_CHECK(r.first >= 1 && r.first <= bible.VerseCount());
    LUMORA_FUZZ_CHECK(r.last >= 1 && r.last <= bible.VerseCount());
    LUMORA_FUZZ_CHECK(IsReferenceText(FormatRange(bible, r.first, r.last, BookTitleKind::kShort)));
    LUMORA_FUZZ_CHECK(IsReferenceText(FormatRange(bible, r.first, r.last, BookTitleKind::kLong)));
    const int step = r.first <= r.last ? 1 : -1;
    for (int v = r.first; verses.size() < kMaxFormattedVerses; v += step) {
      verses.push_back(v);
      if (v == r.last) break;
    }
  }
  if (!verses.empty()) LUMORA_FUZZ_CHECK(IsReferenceText(FormatVerseList(verses, bible)));

  // One lookup from the first bytes, through all three implementations.
  const int b = size > 0 ? data[0] % 70 : 1;
  const int c = size > 1 ? data[1] : 1;
  const int v = size > 2 ? data[2] : 1;
  const int expected = bible.LocateVerse(b, c, v);
  LUMORA_FUZZ_CHECK(FastLocateVerse(bible, b, c, v) == expected);
  LUMORA_FUZZ_CHECK(parser->LocateVerse(b, c, v) == expected);
}

}  // namespace lumora::fuzz
