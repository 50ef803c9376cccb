// The mapped file behind a Book or Commentary, and the crash-safe ways the
// writers change it: a whole new file swapped in by rename, or an index
// appended in place.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>
#include <string>
#include <string_view>

#include "core/platform/file_system.h"
#include "core/status.h"

namespace lumora {

class ModuleFile {
 public:
  ModuleFile(FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

  // Opens and maps the file exclusively.
  Status Map();
  const uint8_t* data() const { return mapping_ ? mapping_->data() : nullptr; }
  size_t size() const { return mapping_ ? mapping_->size() : 0; }
  const std::string& path() const { return path_; }
  FileSystem& fs() const { return fs_; }

  // Replaces the file with `bytes`. The new file is written complete and
  // flushed first, the previous version is saved as path + ".bak", and a
  // rename swaps the new file in: at every moment the path holds the old or
  // the new complete file. Afterwards the module is mapped on whichever is
  // there; on failure that is the old file.
  Status Replace(std::string_view bytes);

  // Writes `tail` at `at` (past all data still in use), then `header` at the
  // start, each flushed, and restores the file's last-write time at full
  // precision, leaving its access time alone. The file is never shortened.
  // Afterwards the module is mapped again.
  Status PatchInPlace(uint64_t at, std::string_view tail, std::string_view header);

 private:
  void Release() { mapping_.reset(); }
  // Maps again after a write. Should the mapping fail, the module keeps
  // serving `fallback` (the content the path is known to hold) from memory,
  // so it is never left without a file.
  Status Remap(std::string_view fallback);

  FileSystem& fs_;
  std::string path_;
  std::shared_ptr<const MappedFile> mapping_;
};

// The compressed bytes of the entry record at `offset` (a 2-byte length and
// that many bytes); nullopt when the record does not fit the file.
std::optional<std::string_view> EntryRecordAt(const uint8_t* base, size_t size, int64_t offset);

// The entry text of the record at `offset`: empty for an empty record, a
// "[Non-fatal internal error: " text naming `number` for a damaged one.
std::string EntryTextAt(const uint8_t* base, size_t size, int64_t offset, int number);

// A Book or Commentary may be written only when its file lies directly in
// the program's "User" folder (compared as a folder, not as a substring)
// and the file itself can be written.
bool IsWritableUserFile(FileSystem& fs, const std::string& path, const std::string& user_folder);

// Splits a title block's text into lines (CR LF, CR or LF; no empty line
// after the last break).
std::vector<std::string> SplitTitleLines(std::string_view text);
// Reads the 4-byte length and compressed titles at `offset`. An empty block
// (length 0) gives no lines.
Result<std::vector<std::string>> ReadTitleBlock(const uint8_t* base, size_t size, uint32_t offset);

}  // namespace lumora
