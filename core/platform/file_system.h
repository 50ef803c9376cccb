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

// A read-only view of a whole file. The file stays open (with no sharing)
// for as long as any holder keeps the view.
class MappedFile {
 public:
  virtual ~MappedFile() = default;
  virtual const uint8_t* data() const = 0;
  virtual size_t size() const = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens the file for reading with no sharing and maps all of it. Fails
  // while this process already holds the file open exclusively.
  virtual Result<std::shared_ptr<const MappedFile>> MapExclusive(const std::string& path) = 0;

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
  virtual Status SetLastWriteTime(const std::string& path, int64_t seconds) = 0;
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
