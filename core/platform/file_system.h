// Every file operation of the core goes through this interface: a POSIX and
// a Windows implementation for real files, and an in-memory one for tests
// that can fail any write, rename or mapping on demand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace lumora {

// A read-only view of a whole file. The file stays open (in the share mode
// it was mapped with) for as long as any holder keeps the view.
class MappedFile {
 public:
  virtual ~MappedFile() = default;
  virtual const uint8_t* data() const = 0;
  virtual size_t size() const = 0;
};

// The step at which MapShared failed: opening the file (missing, refused,
// held exclusively), creating the mapping (an empty file), mapping the view.
enum class MapStep { kOpen, kCreateMapping, kMapView };

// A last-write time at the file system's own precision: nanoseconds on
// POSIX, 100-nanosecond ticks on Windows.
struct FileTime {
  int64_t seconds = 0;      // since 1970
  int32_t nanoseconds = 0;  // 0..999999999
  bool operator==(const FileTime&) const = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens the file for reading with no sharing and maps all of it. Fails
  // while this process already holds the file open, exclusively or shared.
  virtual Result<std::shared_ptr<const MappedFile>> MapExclusive(const std::string& path) = 0;
  // Opens the file for reading allowing others to read it, and maps all of
  // it. Fails while the file is held exclusively; while it is held shared,
  // an exclusive mapping fails. On failure `failed_step` (if given) says
  // which step failed. The default maps exclusively, for file systems
  // without share modes.
  virtual Result<std::shared_ptr<const MappedFile>> MapShared(const std::string& path,
                                                              MapStep* failed_step = nullptr);

  virtual Result<std::string> ReadFile(const std::string& path) = 0;
  // Creates or truncates the file and writes all of `data`, flushed to disk.
  virtual Status WriteFile(const std::string& path, std::string_view data) = 0;
  // Writes `data` at `offset` of an existing file, flushed to disk. The file
  // grows when the data runs past its end and is never shortened.
  virtual Status WriteAt(const std::string& path, uint64_t offset, std::string_view data) = 0;
  // Renames, replacing an existing target.
  virtual Status Rename(const std::string& from, const std::string& to) = 0;
  // Renames only when nothing exists at `to`; never replaces a file.
  virtual Status RenameNoReplace(const std::string& from, const std::string& to) = 0;
  // True when the file exists and may be written (no read-only attribute,
  // permission granted).
  virtual bool IsWritable(const std::string& path) = 0;
  virtual Status Remove(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  virtual Status CreateFolder(const std::string& path) = 0;
  // Names (no folder) of the plain files in `folder` whose name ends with
  // `suffix`, compared without regard to case (".lmb"), sorted by
  // cp1252::CompareNoCase so scans do not depend on the file system.
  virtual Result<std::vector<std::string>> ListFiles(const std::string& folder,
                                                     std::string_view suffix) = 0;
  // Names of the sub-folders of `folder` (no "." or ".."), sorted as
  // ListFiles sorts. Links to folders (symbolic links, junctions) are left
  // out, so a walk over the tree never loops.
  virtual Result<std::vector<std::string>> ListFolders(const std::string& folder) = 0;
  // Last-write time in seconds since 1970.
  virtual Result<int64_t> LastWriteTime(const std::string& path) = 0;
  // Sets the last-write time, and the access time to the same value.
  virtual Status SetLastWriteTime(const std::string& path, int64_t seconds) = 0;
  // The last-write time at full precision, and setting it back exactly,
  // leaving the access time alone (an index rebuild must not date a file).
  // The defaults work in whole seconds.
  virtual Result<FileTime> PreciseLastWriteTime(const std::string& path);
  virtual Status RestoreLastWriteTime(const std::string& path, FileTime time);
};

// A view of bytes held in memory, for a module that must go on serving a
// file it could not map again.
std::shared_ptr<const MappedFile> MappedCopy(std::string bytes);

// The file system of the machine the program runs on.
FileSystem& DefaultFileSystem();

// Joins a folder and a name with the platform separator.
std::string JoinPath(std::string_view folder, std::string_view name);
// The last path component.
std::string BaseName(std::string_view path);
// Everything before the last path component, without a trailing separator.
std::string ParentFolder(std::string_view path);
// True when two folder paths name the same folder: trailing separators are
// ignored; on Windows "/" equals "\" and letter case does not count.
bool SameFolder(std::string_view a, std::string_view b);
// Folder of the running executable, with a trailing separator.
std::string ExecutableFolder();

// Creates `folder` and any missing parents.
Status CreateFolders(FileSystem& fs, const std::string& folder);

// Sorts names as ListFiles promises.
void SortFileNames(std::vector<std::string>& names);
// Case-insensitive suffix test used by ListFiles.
bool HasSuffixNoCase(std::string_view name, std::string_view suffix);

}  // namespace lumora
