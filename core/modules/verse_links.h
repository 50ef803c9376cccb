// The verse-link index of Books and Commentaries: for every verse, the
// entries (Book entry numbers or Commentary slots) whose text holds a verse
// list naming it. On disk: postings (16-bit entry numbers per verse,
// ascending) followed by a table of 31102 six-byte records (offset of the
// verse's postings or -1, count or 65535).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

inline constexpr size_t kVerseLinkRecordSize = 6;
// A verse list in entry text: byte 5, a verse-range list, byte 8.
inline constexpr char kVerseListStart = 0x05;
inline constexpr char kVerseListEnd = 0x08;

using TEntryIndex = std::vector<uint16_t>;

class VerseLinkIndex {
 public:
  VerseLinkIndex();

  // Records every verse named by the verse lists of `text` as linked from
  // `entry`. Entries must be added in ascending order.
  void AddEntry(uint16_t entry, std::string_view text);

  const TEntryIndex& Entries(int verse0) const;  // verse index - 1
  bool Has(int verse0) const;
  size_t PostingCount() const;

  // The postings and the table as they are written at file offset `at`;
  // `table_offset` receives the table's file offset.
  std::string Serialize(uint64_t at, uint32_t* table_offset) const;

 private:
  std::vector<TEntryIndex> verses_;
};

// Where a module's verse links come from: the index stored in its file, or
// one built in memory when the file could not take a fresh one.
class VerseLinkSource {
 public:
  // The stored index at `table` of the mapped file; `valid` says whether the
  // file claims a usable one. Drops any index held in memory.
  void UseStored(const uint8_t* base, size_t size, uint32_t table, bool valid);
  void UseMemory(VerseLinkIndex index);
  bool InMemory() const { return memory_ != nullptr; }
  bool StoredValid() const { return stored_valid_; }

  TEntryIndex Entries(int verse0) const;
  bool Has(int verse0) const;

 private:
  const uint8_t* base_ = nullptr;
  size_t size_ = 0;
  uint32_t table_ = 0;
  bool stored_valid_ = false;
  std::shared_ptr<const VerseLinkIndex> memory_;
};

// Reads a verse's entries from an index stored in a file of `size` bytes at
// `base`. Anything that does not fit the file reads as no entries.
TEntryIndex ReadStoredVerseEntries(const uint8_t* base, size_t size, uint32_t table, int verse0);
bool HasStoredVerseEntries(const uint8_t* base, size_t size, uint32_t table, int verse0);
// True when a 31102-record table at `table` fits a file of `size` bytes.
bool StoredTableFits(size_t size, uint32_t table);

}  // namespace lumora
