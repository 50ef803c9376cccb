#include "core/modules/entry_file.h"

#include <algorithm>

#include "core/codec/compression.h"
#include "core/io/byte_io.h"

namespace lumora {

Result<std::string> AssembleEntryFile(const EntryFileParts& parts, EntryFileLayout* layout) {
  std::string file(parts.header_size, '\0');
  layout->table = static_cast<uint32_t>(file.size());
  file.resize(file.size() + 4 * parts.records.size());
  for (size_t i = 0; i < parts.records.size(); ++i) {
    uint32_t offset = 0xFFFFFFFFu;
    if (const auto& record = parts.records[i]) {
      if (record->size() > 0xFFFF)
        return Status::Error(ErrorKind::kTooLarge, "entry record larger than 65535 bytes");
      offset = static_cast<uint32_t>(file.size());
      AppendU16(file, static_cast<uint16_t>(record->size()));
      file += *record;
    }
    StoreU32(file, layout->table + 4 * i, offset);
  }
  layout->title_block = static_cast<uint32_t>(file.size());
  if (parts.title_lines.empty()) {
    AppendU32(file, 0);
  } else {
    std::string text;
    for (const std::string& line : parts.title_lines) text += line + "\r\n";
    Result<std::string> packed = CompressString(text);
    if (!packed.ok()) return packed.status();
    AppendU32(file, static_cast<uint32_t>(packed->size()));
    file += *packed;
  }
  layout->postings = static_cast<uint32_t>(file.size());
  if (parts.links != nullptr) file += parts.links->Serialize(file.size(), &layout->link_table);
  if (file.size() > 0x7FFFFFFF)
    return Status::Error(ErrorKind::kTooLarge, "module file larger than 2 GB");
  return file;
}

uint64_t EndOfEntryData(const uint8_t* base, size_t size, uint32_t table, uint32_t count,
                        uint32_t title_block) {
  uint64_t end = uint64_t{table} + 4 * uint64_t{count};
  // Only data inside the file is in use: a damaged length (a title block
  // claiming gigabytes) must not move the index far past the end.
  auto extend = [&](uint64_t at, uint64_t length) {
    if (FitsIn(at, length, size)) end = std::max(end, at + length);
  };
  if (FitsIn(table, 4 * uint64_t{count}, size)) {
    for (uint32_t i = 0; i < count; ++i) {
      const int32_t offset = LoadI32(base + table + 4 * i);
      if (offset < 0 || !FitsIn(static_cast<uint32_t>(offset), 2, size)) continue;
      extend(uint64_t(offset) + 2, LoadU16(base + offset));
    }
  }
  if (FitsIn(title_block, 4, size)) extend(uint64_t{title_block} + 4, LoadU32(base + title_block));
  return std::min<uint64_t>(end, UINT32_MAX);
}

}  // namespace lumora
