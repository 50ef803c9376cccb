#include "tools/import/entry_record_fit.h"

#include <string_view>
#include <vector>

#include "core/codec/compression.h"
#include "core/modules/entry_file.h"

namespace lumora::import {
namespace {

constexpr std::string_view kShortenedNote =
    "<p><i>[The text goes on in the source; the rest is too long for one entry.]</i>";

// Positions where `mark` starts outside the control sequences (whose
// base-205 digits may spell "<p>" too).
std::vector<size_t> CutsAt(const std::string& text, std::string_view mark) {
  std::vector<size_t> cuts;
  size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b >= 0x01 && b <= 0x06) {
      const size_t end = text.find('\x08', i + 1);
      i = end == std::string::npos ? text.size() : end + 1;
      continue;
    }
    if (b == 0x0E) {
      i += 3;
      continue;
    }
    if (i > 0 && text.compare(i, mark.size(), mark) == 0) cuts.push_back(i);
    ++i;
  }
  return cuts;
}

size_t PackedSize(std::string_view text) {
  const Result<std::string> packed = CompressString(text);
  return packed.ok() ? packed->size() : kMaxEntryRecordSize + 1;
}

// The longest prefix ending at one of `cuts` that fits with the note, or 0.
size_t LongestFit(const std::string& text, const std::vector<size_t>& cuts) {
  size_t low = 0, high = cuts.size();  // cuts[0..low) fit, cuts[high..) do not
  while (low < high) {
    const size_t mid = (low + high) / 2;
    const std::string candidate = text.substr(0, cuts[mid]) + std::string(kShortenedNote);
    if (PackedSize(candidate) <= kMaxEntryRecordSize)
      low = mid + 1;
    else
      high = mid;
  }
  return low > 0 ? cuts[low - 1] : 0;
}

}  // namespace

bool FitEntryRecord(std::string& text) {
  // Text compresses; only a text longer than the limit can exceed it.
  if (text.size() <= kMaxEntryRecordSize || PackedSize(text) <= kMaxEntryRecordSize) return false;
  // A paragraph break, else a line break, else a blank between words.
  size_t keep = 0;
  for (const std::string_view mark : {"<p>", "<br>", " "})
    if ((keep = LongestFit(text, CutsAt(text, mark))) > 0) break;
  text = text.substr(0, keep) + std::string(kShortenedNote);
  return true;
}

}  // namespace lumora::import
