#include "core/modules/verse_links.h"

#include <algorithm>

#include "core/codec/base205.h"
#include "core/io/byte_io.h"
#include "core/refs/verse_index.h"

namespace lumora {

namespace {

// Sorts `ranges` and joins those that overlap or touch. Disjoint ranges of
// the 31102 verses are at most 15551, so the list stays small however often
// an entry names the same verses.
void MergeLinkedRanges(TVerseRangeList& ranges) {
  std::sort(ranges.begin(), ranges.end(),
            [](const TVerseRange& a, const TVerseRange& b) { return a.first < b.first; });
  size_t kept = 0;
  for (const TVerseRange& r : ranges) {
    if (kept > 0 && r.first <= ranges[kept - 1].last + 1)
      ranges[kept - 1].last = std::max(ranges[kept - 1].last, r.last);
    else
      ranges[kept++] = r;
  }
  ranges.resize(kept);
}

}  // namespace

VerseLinkIndex::VerseLinkIndex() : verses_(kVerseCount) {}

void VerseLinkIndex::AddEntry(uint16_t entry, std::string_view text) {
  // The ranges of all the entry's lists are merged before any verse is
  // visited: an entry naming the whole Bible in each of thousands of lists
  // costs one pass over the verses, not one per list.
  constexpr size_t kMergeAt = 1 << 16;
  TVerseRangeList ranges;
  size_t start = text.find(kVerseListStart);
  while (start != std::string_view::npos) {
    const size_t end = text.find(kVerseListEnd, start + 1);
    if (end == std::string_view::npos) break;  // an unclosed list ends the scan
    for (const TVerseRange& r : DecodeVerseRanges(text.substr(start + 1, end - start - 1))) {
      if (r.first < 1 || r.first > r.last || r.last > kVerseCount) continue;
      ranges.push_back(r);
      if (ranges.size() >= kMergeAt) MergeLinkedRanges(ranges);
    }
    start = text.find(kVerseListStart, end);
  }
  MergeLinkedRanges(ranges);
  for (const TVerseRange& r : ranges) {
    for (int v = r.first; v <= r.last; ++v) {
      TEntryIndex& list = verses_[static_cast<size_t>(v - 1)];
      if (list.empty() || list.back() != entry) list.push_back(entry);
    }
  }
}

const TEntryIndex& VerseLinkIndex::Entries(int verse0) const {
  static const TEntryIndex kNone;
  if (verse0 < 0 || verse0 >= kVerseCount) return kNone;
  return verses_[static_cast<size_t>(verse0)];
}

bool VerseLinkIndex::Has(int verse0) const { return !Entries(verse0).empty(); }

size_t VerseLinkIndex::PostingCount() const {
  size_t n = 0;
  for (const TEntryIndex& list : verses_) n += list.size();
  return n;
}

std::string VerseLinkIndex::Serialize(uint64_t at, uint32_t* table_offset) const {
  std::string postings, table;
  table.reserve(kVerseCount * kVerseLinkRecordSize);
  for (const TEntryIndex& list : verses_) {
    if (list.empty()) {
      AppendU32(table, 0xFFFFFFFFu);
      AppendU16(table, 0xFFFF);
      continue;
    }
    AppendU32(table, static_cast<uint32_t>(at + postings.size()));
    // A verse named by more than 65534 entries keeps the first ones: the
    // count field is 16 bits and 65535 means "none".
    const size_t count = list.size() < 0xFFFF ? list.size() : 0xFFFE;
    AppendU16(table, static_cast<uint16_t>(count));
    for (size_t k = 0; k < count; ++k) AppendU16(postings, list[k]);
  }
  *table_offset = static_cast<uint32_t>(at + postings.size());
  return postings + table;
}

void VerseLinkSource::UseStored(const uint8_t* base, size_t size, uint32_t table, bool valid) {
  base_ = base;
  size_ = size;
  table_ = table;
  stored_valid_ = valid && StoredTableFits(size, table);
  memory_.reset();
}

void VerseLinkSource::UseMemory(VerseLinkIndex index) {
  memory_ = std::make_shared<const VerseLinkIndex>(std::move(index));
}

TEntryIndex VerseLinkSource::Entries(int verse0) const {
  if (memory_) return memory_->Entries(verse0);
  if (!stored_valid_) return {};
  return ReadStoredVerseEntries(base_, size_, table_, verse0);
}

bool VerseLinkSource::Has(int verse0) const {
  if (memory_) return memory_->Has(verse0);
  return stored_valid_ && HasStoredVerseEntries(base_, size_, table_, verse0);
}

bool StoredTableFits(size_t size, uint32_t table) {
  return FitsIn(table, uint64_t{kVerseCount} * kVerseLinkRecordSize, size);
}

namespace {

bool StoredRecord(const uint8_t* base, size_t size, uint32_t table, int verse0,
                  uint32_t* offset, uint16_t* count) {
  if (verse0 < 0 || verse0 >= kVerseCount || !StoredTableFits(size, table)) return false;
  const uint8_t* rec = base + table + static_cast<size_t>(verse0) * kVerseLinkRecordSize;
  *offset = LoadU32(rec);
  *count = LoadU16(rec + 4);
  return *offset != 0xFFFFFFFFu && *count != 0xFFFF &&
         FitsIn(*offset, uint64_t{*count} * 2, size);
}

}  // namespace

TEntryIndex ReadStoredVerseEntries(const uint8_t* base, size_t size, uint32_t table, int verse0) {
  uint32_t offset = 0;
  uint16_t count = 0;
  if (!StoredRecord(base, size, table, verse0, &offset, &count)) return {};
  TEntryIndex out(count);
  for (uint16_t k = 0; k < count; ++k) out[k] = LoadU16(base + offset + 2u * k);
  return out;
}

bool HasStoredVerseEntries(const uint8_t* base, size_t size, uint32_t table, int verse0) {
  uint32_t offset = 0;
  uint16_t count = 0;
  return StoredRecord(base, size, table, verse0, &offset, &count);
}

}  // namespace lumora
