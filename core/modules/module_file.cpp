#include "core/modules/module_file.h"

#include "core/codec/compression.h"
#include "core/io/byte_io.h"

namespace lumora {

Status ModuleFile::Map() {
  Result<std::shared_ptr<const MappedFile>> mapped = fs_.MapExclusive(path_);
  if (!mapped.ok()) return mapped.status();
  mapping_ = std::move(mapped).value();
  return Status::Ok();
}

Status ModuleFile::Remap(std::string_view fallback) {
  Status mapped = Map();
  if (mapped.ok()) return mapped;
  mapping_ = MappedCopy(std::string(fallback));
  return mapped;
}

Status ModuleFile::Replace(std::string_view bytes) {
  const std::string fresh = path_ + ".new";
  const std::string backup = path_ + ".bak";
  const std::string backup_fresh = path_ + ".bak.new";
  const std::string old(reinterpret_cast<const char*>(data()), size());
  if (Status s = fs_.WriteFile(fresh, bytes); !s.ok()) {
    (void)fs_.Remove(fresh);
    return s;
  }
  // The previous version becomes ".bak" only once it is complete there.
  Status saved = fs_.WriteFile(backup_fresh, old);
  if (saved.ok()) saved = fs_.Rename(backup_fresh, backup);
  if (!saved.ok()) {
    (void)fs_.Remove(backup_fresh);
    (void)fs_.Remove(fresh);
    return saved;
  }
  Release();  // Windows cannot replace a mapped file
  const Status swapped = fs_.Rename(fresh, path_);
  if (!swapped.ok()) {
    (void)fs_.Remove(fresh);
    (void)Remap(old);
    return swapped;
  }
  return Remap(bytes);
}

Status ModuleFile::PatchInPlace(uint64_t at, std::string_view tail, std::string_view header) {
  // The rebuild changes no entry: the file keeps its date to the last tick.
  Result<FileTime> time = fs_.PreciseLastWriteTime(path_);
  const std::string old(reinterpret_cast<const char*>(data()), size());
  Release();
  Status written = fs_.WriteAt(path_, at, tail);
  // The header goes last: until it is written the old header still
  // describes a complete file.
  if (written.ok()) written = fs_.WriteAt(path_, 0, header);
  if (time.ok()) (void)fs_.RestoreLastWriteTime(path_, *time);
  std::string now = old;
  if (written.ok()) {
    if (now.size() < at + tail.size()) now.resize(at + tail.size());
    now.replace(at, tail.size(), tail);
    now.replace(0, header.size(), header);
  }
  const Status mapped = Remap(now);
  return written.ok() ? mapped : written;
}

std::optional<std::string_view> EntryRecordAt(const uint8_t* base, size_t size, int64_t offset) {
  if (offset < 0 || !FitsIn(static_cast<uint64_t>(offset), 2, size)) return std::nullopt;
  const uint16_t length = LoadU16(base + offset);
  if (!FitsIn(static_cast<uint64_t>(offset) + 2, length, size)) return std::nullopt;
  return std::string_view(reinterpret_cast<const char*>(base + offset + 2), length);
}

std::string EntryTextAt(const uint8_t* base, size_t size, int64_t offset, int number) {
  auto damaged = [number](const std::string& what) {
    return "[Non-fatal internal error: " + what + " on GetEntryText (" + std::to_string(number) +
           ")]";
  };
  const std::optional<std::string_view> record = EntryRecordAt(base, size, offset);
  if (!record) return damaged("entry record outside the file");
  if (record->empty()) return {};
  Result<std::string> text = DecompressBytes(record->data(), record->size());
  return text.ok() ? std::move(text).value() : damaged(text.status().message());
}

bool IsWritableUserFile(FileSystem& fs, const std::string& path, const std::string& user_folder) {
  return !user_folder.empty() && SameFolder(ParentFolder(path), user_folder) &&
         fs.IsWritable(path);
}

std::vector<std::string> SplitTitleLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

Result<std::vector<std::string>> ReadTitleBlock(const uint8_t* base, size_t size,
                                                uint32_t offset) {
  if (!FitsIn(offset, 4, size))
    return Status::Error(ErrorKind::kCreate, "title block outside the file");
  const uint32_t length = LoadU32(base + offset);
  if (length == 0) return std::vector<std::string>{};
  if (!FitsIn(uint64_t{offset} + 4, length, size))
    return Status::Error(ErrorKind::kCreate, "title block outside the file");
  Result<std::string> text = DecompressBytes(base + offset + 4, length);
  if (!text.ok()) return text.status();
  return SplitTitleLines(*text);
}

}  // namespace lumora
