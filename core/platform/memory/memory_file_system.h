// A FileSystem held in memory, for tests. It keeps the semantics of the real
// ones that callers depend on (a file mapped exclusively cannot be mapped
// again; a view keeps the bytes it was made from) and can fail any operation
// on demand, so crash-safe writers can be driven through every failure point.
// Not thread-safe.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/file_system.h"

namespace lumora {

// The FileSystem calls a fault can be injected into.
enum class FileOp {
  kMap,           // MapExclusive, MapShared
  kRead,          // ReadFile
  kWrite,         // WriteFile
  kRename,        // Rename
  kRemove,        // Remove
  kCreateFolder,  // CreateFolder
  kSetTime,       // SetLastWriteTime, RestoreLastWriteTime
  kList,          // ListFiles, ListFolders
  kGetTime,       // LastWriteTime, PreciseLastWriteTime
};

// Paths use '/' or '\\' interchangeably and are case-sensitive. A path with
// no folder, or directly under "/", needs no CreateFolder; anything deeper
// needs its folder to exist, as on a real disk.
class MemoryFileSystem : public FileSystem {
 public:
  MemoryFileSystem();

  Result<std::shared_ptr<const MappedFile>> MapExclusive(const std::string& path) override;
  Result<std::shared_ptr<const MappedFile>> MapShared(const std::string& path,
                                                      MapStep* failed_step) override;
  Result<std::string> ReadFile(const std::string& path) override;
  Status WriteFile(const std::string& path, std::string_view data) override;
  // Files only; renaming a folder fails with kInvalidArgument.
  // Fails as a write (FileOp::kWrite); a torn write keeps `keep` bytes of
  // the data.
  Status WriteAt(const std::string& path, uint64_t offset, std::string_view data) override;
  Status Rename(const std::string& from, const std::string& to) override;
  // Fails as a rename (FileOp::kRename).
  Status RenameNoReplace(const std::string& from, const std::string& to) override;
  bool IsWritable(const std::string& path) override;
  Status Remove(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  Status CreateFolder(const std::string& path) override;
  Result<std::vector<std::string>> ListFiles(const std::string& folder,
                                             std::string_view suffix) override;
  // Fails as a listing (FileOp::kList).
  Result<std::vector<std::string>> ListFolders(const std::string& folder) override;
  Result<int64_t> LastWriteTime(const std::string& path) override;
  Status SetLastWriteTime(const std::string& path, int64_t seconds) override;
  // Keeps nanoseconds as given.
  Result<FileTime> PreciseLastWriteTime(const std::string& path) override;
  Status RestoreLastWriteTime(const std::string& path, FileTime time) override;

  // Lets the next `skip` calls of `op` through, then fails the one after with
  // ErrorKind::kIo and no effect. Once only; replaces any fault pending for op.
  void FailNext(FileOp op, int skip = 0);
  // Like FailNext(FileOp::kWrite, skip), but the failing write first leaves
  // the first `keep` bytes in the file, as a crash mid-write would.
  void TearNextWrite(size_t keep, int skip = 0);
  void ClearFaults();

  // While on, a mapped file cannot be written, renamed (as source or target)
  // or removed, nor read while mapped exclusively, as under Windows share
  // modes. While off, those calls
  // succeed and the view keeps its old bytes, as a POSIX view of a replaced or
  // unlinked file does.
  void EmulateWindowsSharing(bool on) { windows_sharing_ = on; }

  // Test helpers; they bypass fault injection and sharing. SetFile creates
  // any missing folders on the way.
  void SetFile(const std::string& path, std::string_view bytes);
  std::optional<std::string> GetFile(const std::string& path) const;
  // False when there is no such file or folder.
  bool SetTime(const std::string& path, int64_t seconds);
  bool IsMapped(const std::string& path) const;
  // Gives a file the read-only attribute (or takes it away): writes to it
  // fail and IsWritable answers false.
  void SetReadOnly(const std::string& path, bool read_only);
  // Pins the time stamped on later writes; until called, the wall clock.
  void SetNow(int64_t seconds) { now_ = seconds; }

 private:
  struct Entry {
    bool folder = false;
    std::shared_ptr<const std::string> bytes;
    int64_t time = 0;
    // Survives rewrites and renames, as an inode does; the mapping lock is
    // held on it, not on the name.
    uint64_t id = 0;
    bool read_only = false;
    int32_t nanoseconds = 0;  // of `time`
  };
  struct Fault {
    int countdown = -1;  // calls still to let through; -1 when not armed
    std::optional<size_t> keep;
  };

  bool Fires(FileOp op);
  const Entry* Find(const std::string& normalized) const;
  bool IsFolder(const std::string& normalized) const;
  // Under Windows sharing: held by a view (by an exclusive one, for a read).
  bool Locked(const Entry* entry, bool reading = false) const;
  Result<std::shared_ptr<const MappedFile>> Map(const std::string& path, bool exclusive,
                                                MapStep* failed_step);
  void Put(const std::string& normalized, std::string_view bytes);
  void EnsureFolder(const std::string& normalized);
  int64_t Now() const;

  std::map<std::string, Entry> entries_;
  // The holders of each mapped file (-1: one exclusive holder, else the
  // count of shared ones), shared with the views, which may outlive the
  // file system.
  std::shared_ptr<std::map<uint64_t, int>> mapped_;
  uint64_t next_id_ = 0;
  std::array<Fault, 9> faults_{};
  bool windows_sharing_ = false;
  std::optional<int64_t> now_;
};

}  // namespace lumora
