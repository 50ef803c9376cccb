// POSIX file system: mmap for the read-only views, and an in-process table of
// the files held open exclusively or shared, since POSIX has no share modes.
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "core/platform/file_system.h"

namespace lumora {
namespace {

Status ErrnoStatus(const std::string& what, const std::string& path, int err) {
  return Status::Error(err == ENOENT ? ErrorKind::kNotFound : ErrorKind::kIo,
                       what + " " + path + ": " + std::strerror(err));
}

using FileId = std::pair<dev_t, ino_t>;

// Who holds each mapped file: an exclusive holder, or a count of shared
// ones, as Windows share modes would allow.
class HolderTable {
 public:
  bool Acquire(FileId id, bool exclusive) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = holders_.find(id);
    if (it == holders_.end()) {
      holders_.emplace(id, exclusive ? kExclusive : 1);
      return true;
    }
    if (exclusive || it->second == kExclusive) return false;
    ++it->second;
    return true;
  }
  void Release(FileId id) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = holders_.find(id);
    if (it == holders_.end()) return;
    if (it->second == kExclusive || --it->second == 0) holders_.erase(it);
  }

 private:
  static constexpr int kExclusive = -1;
  std::mutex mutex_;
  std::map<FileId, int> holders_;
};

HolderTable& Holders() {
  static HolderTable table;
  return table;
}

// Writes all of `data` at `offset`, flushes and closes `fd` (always).
Status WriteFlushClose(int fd, const std::string& path, uint64_t offset, std::string_view data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n =
        pwrite(fd, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      close(fd);
      return ErrnoStatus("Cannot write", path, err);
    }
    done += static_cast<size_t>(n);
  }
  if (fsync(fd) != 0) {
    const int err = errno;
    close(fd);
    return ErrnoStatus("Cannot flush", path, err);
  }
  if (close(fd) != 0) return ErrnoStatus("Cannot close", path, errno);
  return Status::Ok();
}

class PosixMappedFile : public MappedFile {
 public:
  PosixMappedFile(int fd, FileId id, void* base, size_t size)
      : fd_(fd), id_(id), base_(base), size_(size) {}
  ~PosixMappedFile() override {
    munmap(base_, size_);
    close(fd_);
    Holders().Release(id_);
  }
  const uint8_t* data() const override { return static_cast<const uint8_t*>(base_); }
  size_t size() const override { return size_; }

 private:
  int fd_;
  FileId id_;
  void* base_;
  size_t size_;
};

class PosixFileSystem : public FileSystem {
 private:
  static Result<std::shared_ptr<const MappedFile>> Map(const std::string& path, bool exclusive,
                                                       MapStep* failed_step) {
    auto fail = [failed_step](MapStep step, Status status) {
      if (failed_step) *failed_step = step;
      return status;
    };
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(MapStep::kOpen, ErrnoStatus("Cannot open", path, errno));
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      close(fd);
      return fail(MapStep::kOpen, Status::Error(ErrorKind::kIo, "Not a mappable file: " + path));
    }
    if (st.st_size <= 0) {  // a mapping of nothing, as Windows refuses one
      close(fd);
      return fail(MapStep::kCreateMapping,
                  Status::Error(ErrorKind::kIo, "Not a mappable file: " + path));
    }
    const FileId id{st.st_dev, st.st_ino};
    if (!Holders().Acquire(id, exclusive)) {
      close(fd);
      return fail(MapStep::kOpen,
                  Status::Error(ErrorKind::kIo, "Cannot open " + path + ": File is in use"));
    }
    const auto size = static_cast<size_t>(st.st_size);
    void* base = mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    if (base == MAP_FAILED) {
      const int err = errno;
      close(fd);
      Holders().Release(id);
      return fail(MapStep::kMapView, ErrnoStatus("Cannot map", path, err));
    }
    return std::shared_ptr<const MappedFile>(std::make_shared<PosixMappedFile>(fd, id, base, size));
  }

 public:
  Result<std::shared_ptr<const MappedFile>> MapExclusive(const std::string& path) override {
    return Map(path, true, nullptr);
  }

  Result<std::shared_ptr<const MappedFile>> MapShared(const std::string& path,
                                                      MapStep* failed_step) override {
    return Map(path, false, failed_step);
  }

  Result<std::string> ReadFile(const std::string& path) override {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ErrnoStatus("Cannot open", path, errno);
    std::string out;
    char buf[65536];
    for (;;) {
      const ssize_t n = read(fd, buf, sizeof buf);
      if (n < 0) {
        if (errno == EINTR) continue;
        const int err = errno;
        close(fd);
        return ErrnoStatus("Cannot read", path, err);
      }
      if (n == 0) break;
      out.append(buf, static_cast<size_t>(n));
    }
    close(fd);
    return out;
  }

  Status WriteFile(const std::string& path, std::string_view data) override {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return ErrnoStatus("Cannot create", path, errno);
    return WriteFlushClose(fd, path, 0, data);
  }

  Status WriteAt(const std::string& path, uint64_t offset, std::string_view data) override {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return ErrnoStatus("Cannot open for writing", path, errno);
    return WriteFlushClose(fd, path, offset, data);
  }

  Status RenameNoReplace(const std::string& from, const std::string& to) override {
    // A hard link fails when the target exists, which a plain rename would
    // silently replace.
    if (link(from.c_str(), to.c_str()) != 0) return ErrnoStatus("Cannot rename", from, errno);
    if (unlink(from.c_str()) != 0) return ErrnoStatus("Cannot remove", from, errno);
    return Status::Ok();
  }

  bool IsWritable(const std::string& path) override {
    return FileExists(path) && access(path.c_str(), W_OK) == 0;
  }

  Status Rename(const std::string& from, const std::string& to) override {
    if (rename(from.c_str(), to.c_str()) != 0) return ErrnoStatus("Cannot rename", from, errno);
    return Status::Ok();
  }

  Status Remove(const std::string& path) override {
    if (unlink(path.c_str()) != 0) return ErrnoStatus("Cannot delete", path, errno);
    return Status::Ok();
  }

  bool FileExists(const std::string& path) override {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  bool FolderExists(const std::string& path) override {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  Status CreateFolder(const std::string& path) override {
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
      return ErrnoStatus("Cannot create folder", path, errno);
    return Status::Ok();
  }

  Result<std::vector<std::string>> ListFiles(const std::string& folder,
                                             std::string_view suffix) override {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return ErrnoStatus("Cannot list", folder, errno);
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (!HasSuffixNoCase(name, suffix)) continue;
      // The entry's type saves a stat where the folder tells it; a link is
      // followed (a link to a file lists as the file).
      if (entry->d_type == DT_DIR) continue;
      if (entry->d_type != DT_REG && !FileExists(JoinPath(folder, name))) continue;
      names.push_back(std::move(name));
    }
    closedir(dir);
    SortFileNames(names);
    return names;
  }

  Result<std::vector<std::string>> ListFolders(const std::string& folder) override {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return ErrnoStatus("Cannot list", folder, errno);
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      if (entry->d_type != DT_DIR) {
        // lstat where the folder does not tell the type: a link to a folder
        // is not a folder here.
        if (entry->d_type != DT_UNKNOWN) continue;
        struct stat st {};
        if (lstat(JoinPath(folder, name).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
      }
      names.push_back(std::move(name));
    }
    closedir(dir);
    SortFileNames(names);
    return names;
  }

  Result<int64_t> LastWriteTime(const std::string& path) override {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return ErrnoStatus("Cannot stat", path, errno);
    return static_cast<int64_t>(st.st_mtime);
  }

  Result<FileTime> PreciseLastWriteTime(const std::string& path) override {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return ErrnoStatus("Cannot stat", path, errno);
    return FileTime{static_cast<int64_t>(st.st_mtim.tv_sec),
                    static_cast<int32_t>(st.st_mtim.tv_nsec)};
  }

  Status RestoreLastWriteTime(const std::string& path, FileTime time) override {
    if (time.nanoseconds < 0 || time.nanoseconds > 999999999)
      return Status::Error(ErrorKind::kInvalidArgument, "Bad time for " + path);
    struct timespec times[2] = {{0, UTIME_OMIT},  // the access time stays
                                {static_cast<time_t>(time.seconds), time.nanoseconds}};
    if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
      return ErrnoStatus("Cannot set time of", path, errno);
    return Status::Ok();
  }

  Status SetLastWriteTime(const std::string& path, int64_t seconds) override {
    struct timeval times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
    if (utimes(path.c_str(), times) != 0) return ErrnoStatus("Cannot set time of", path, errno);
    return Status::Ok();
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static PosixFileSystem fs;
  return fs;
}

std::string ExecutableFolder() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  std::string path(buf, static_cast<size_t>(n));
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

}  // namespace lumora
