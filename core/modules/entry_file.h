// Lays out the body shared by Book and Commentary files: the offset table,
// the entry records, the title block and the verse-link index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/modules/verse_links.h"
#include "core/status.h"

namespace lumora {

// Entries larger than this (compressed) are refused by every writer.
inline constexpr size_t kMaxEntryRecordSize = 65500;

struct EntryFileParts {
  size_t header_size = 0;
  // Compressed text of each entry or slot, in table order; nullopt for an
  // entry without text.
  std::vector<std::optional<std::string>> records;
  // The title lines; each is followed by CR LF. No lines: a zero length.
  std::vector<std::string> title_lines;
  const VerseLinkIndex* links = nullptr;
};

struct EntryFileLayout {
  uint32_t table = 0;
  uint32_t title_block = 0;
  uint32_t postings = 0;
  uint32_t link_table = 0;
};

// The whole file with a zeroed header area; `layout` receives the offsets
// the header must name.
Result<std::string> AssembleEntryFile(const EntryFileParts& parts, EntryFileLayout* layout);

// The first byte after every record, the table and the title block that lie
// inside the file: where an in-place verse-link rebuild may write. Never past
// the end of a file whose table fits it.
uint64_t EndOfEntryData(const uint8_t* base, size_t size, uint32_t table, uint32_t count,
                        uint32_t title_block);

}  // namespace lumora
