// Windows file system: UTF-8 paths become UTF-16 for the W APIs, and the
// share modes (none for MapExclusive, read for MapShared) come from the
// system itself.
#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

#include "core/platform/file_system.h"

namespace lumora {
namespace {

// Strict, so a path in some other encoding fails instead of silently naming
// a different file through replacement characters.
bool ToWide(const std::string& utf8, std::wstring* out) {
  out->clear();
  if (utf8.empty()) return true;
  if (utf8.size() > static_cast<size_t>(INT_MAX)) return false;
  const int len = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), len, nullptr, 0);
  if (n <= 0) return false;
  out->resize(static_cast<size_t>(n));
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), len, out->data(), n) == n;
}

std::string ToUtf8(const wchar_t* wide, size_t size) {
  if (size == 0 || size > static_cast<size_t>(INT_MAX)) return {};
  const int len = static_cast<int>(size);
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, len, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, len, out.data(), n, nullptr, nullptr);
  return out;
}

std::string ToUtf8(const std::wstring& wide) { return ToUtf8(wide.data(), wide.size()); }

// The system's own wording for an error code, in the user's language.
std::string SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::string text;
  if (n != 0 && buffer != nullptr) text = ToUtf8(buffer, n);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                           text.back() == '.'))
    text.pop_back();
  return text.empty() ? "error " + std::to_string(code) : text;
}

Status SystemStatus(const std::string& what, const std::string& path, DWORD code) {
  const bool missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
  return Status::Error(missing ? ErrorKind::kNotFound : ErrorKind::kIo,
                       what + " " + path + ": " + SystemErrorText(code));
}

Status BadPath(const std::string& path) {
  return Status::Error(ErrorKind::kInvalidArgument, "Path is not valid UTF-8: " + path);
}

// Closes a handle on every exit path. CreateFileW reports failure with
// INVALID_HANDLE_VALUE, CreateFileMappingW with null; both count as empty.
class Handle {
 public:
  explicit Handle(HANDLE h = nullptr) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  HANDLE release() {
    HANDLE h = h_;
    h_ = nullptr;
    return h;
  }
  // For the final close of a written file, whose failure means lost data.
  bool Close() {
    const bool ok = !valid() || CloseHandle(h_) != 0;
    h_ = nullptr;
    return ok;
  }

 private:
  HANDLE h_;
};

// FILETIME counts 100 ns ticks from 1601-01-01; Unix time seconds from 1970.
constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kEpochDifferenceTicks = 116444736000000000;

int64_t FileTimeToUnix(const FILETIME& ft) {
  const int64_t ticks =
      static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
  const int64_t since_1970 = ticks - kEpochDifferenceTicks;
  // Round towards minus infinity, as st_mtime does for times before 1970.
  int64_t seconds = since_1970 / kTicksPerSecond;
  if (since_1970 % kTicksPerSecond < 0) --seconds;
  return seconds;
}

// A FILETIME as seconds and nanoseconds since 1970, to its 100 ns ticks.
FileTime PreciseFileTime(const FILETIME& ft) {
  const int64_t ticks =
      static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
  const int64_t since_1970 = ticks - kEpochDifferenceTicks;
  int64_t seconds = since_1970 / kTicksPerSecond;
  int64_t rest = since_1970 % kTicksPerSecond;
  if (rest < 0) {
    --seconds;
    rest += kTicksPerSecond;
  }
  return FileTime{seconds, static_cast<int32_t>(rest * 100)};
}

bool UnixToFileTime(int64_t seconds, FILETIME* ft);

// The reverse; nanoseconds below 100 are dropped, as the system keeps none.
bool PreciseToFileTime(FileTime time, FILETIME* ft) {
  if (time.nanoseconds < 0 || time.nanoseconds > 999999999) return false;
  if (!UnixToFileTime(time.seconds, ft)) return false;
  const uint64_t ticks = ((static_cast<uint64_t>(ft->dwHighDateTime) << 32) | ft->dwLowDateTime) +
                         static_cast<uint64_t>(time.nanoseconds / 100);
  ft->dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
  ft->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return true;
}

bool UnixToFileTime(int64_t seconds, FILETIME* ft) {
  constexpr int64_t kMin = -kEpochDifferenceTicks / kTicksPerSecond;
  constexpr int64_t kMax = (INT64_MAX - kEpochDifferenceTicks) / kTicksPerSecond;
  // A FILETIME of 0 (1601-01-01 00:00:00) tells SetFileTime to leave the time
  // as it is, so that first second cannot be set either.
  if (seconds <= kMin || seconds > kMax) return false;
  const auto ticks = static_cast<uint64_t>(seconds * kTicksPerSecond + kEpochDifferenceTicks);
  ft->dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
  ft->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return true;
}

// Scanners, indexers and backup tools open files for a moment, and while any
// handle is open on a file Windows will not move it or replace it. Retrying
// for a short while rides out such a hold; a folder as the target is refused
// for good, so that fails at once.
bool MoveWithRetry(const std::wstring& from, const std::wstring& to, DWORD flags) {
  constexpr int kRetries = 10;
  constexpr DWORD kPauseMs = 50;
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), flags)) return true;
    const DWORD code = GetLastError();
    const DWORD target = GetFileAttributesW(to.c_str());
    const bool folder =
        target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if ((code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) || folder ||
        attempt == kRetries) {
      SetLastError(code);
      return false;
    }
    Sleep(kPauseMs);
  }
}

// Writes all of `data` at the file's current position, flushes and closes.
Status WriteFlushClose(Handle& file, const std::string& path, std::string_view data) {
  size_t done = 0;
  while (done < data.size()) {
    // One call writes at most a DWORD's worth; keep chunks well below it.
    const auto chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
    DWORD n = 0;
    if (!::WriteFile(file.get(), data.data() + done, chunk, &n, nullptr))
      return SystemStatus("Cannot write", path, GetLastError());
    done += n;
  }
  if (!FlushFileBuffers(file.get())) return SystemStatus("Cannot flush", path, GetLastError());
  if (!file.Close()) return SystemStatus("Cannot close", path, GetLastError());
  return Status::Ok();
}

class Win32MappedFile : public MappedFile {
 public:
  Win32MappedFile(HANDLE file, HANDLE mapping, const void* view, size_t size)
      : file_(file), mapping_(mapping), view_(view), size_(size) {}
  ~Win32MappedFile() override {
    UnmapViewOfFile(view_);
    CloseHandle(mapping_);
    CloseHandle(file_);
  }
  Win32MappedFile(const Win32MappedFile&) = delete;
  Win32MappedFile& operator=(const Win32MappedFile&) = delete;
  const uint8_t* data() const override { return static_cast<const uint8_t*>(view_); }
  size_t size() const override { return size_; }

 private:
  HANDLE file_;
  HANDLE mapping_;
  const void* view_;
  size_t size_;
};

class Win32FileSystem : public FileSystem {
 private:
  static Result<std::shared_ptr<const MappedFile>> Map(const std::string& path, DWORD share,
                                                       MapStep* failed_step) {
    auto fail = [failed_step](MapStep step, Status status) {
      if (failed_step) *failed_step = step;
      return status;
    };
    std::wstring wide;
    if (!ToWide(path, &wide)) return fail(MapStep::kOpen, BadPath(path));
    Handle file(CreateFileW(wide.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS, nullptr));
    if (!file.valid())
      return fail(MapStep::kOpen, SystemStatus("Cannot open", path, GetLastError()));
    LARGE_INTEGER size{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.get(), &size) ||
        static_cast<uint64_t>(size.QuadPart) > SIZE_MAX)
      return fail(MapStep::kOpen, Status::Error(ErrorKind::kIo, "Not a mappable file: " + path));
    if (size.QuadPart <= 0)
      return fail(MapStep::kCreateMapping,
                  Status::Error(ErrorKind::kIo, "Not a mappable file: " + path));
    Handle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.valid())
      return fail(MapStep::kCreateMapping, SystemStatus("Cannot map", path, GetLastError()));
    const void* view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr)
      return fail(MapStep::kMapView, SystemStatus("Cannot map", path, GetLastError()));
    const auto bytes = static_cast<size_t>(size.QuadPart);
    return std::shared_ptr<const MappedFile>(
        std::make_shared<Win32MappedFile>(file.release(), mapping.release(), view, bytes));
  }

 public:
  Result<std::shared_ptr<const MappedFile>> MapExclusive(const std::string& path) override {
    return Map(path, 0, nullptr);
  }

  Result<std::shared_ptr<const MappedFile>> MapShared(const std::string& path,
                                                      MapStep* failed_step) override {
    return Map(path, FILE_SHARE_READ, failed_step);
  }

  Result<std::string> ReadFile(const std::string& path) override {
    std::wstring wide;
    if (!ToWide(path, &wide)) return BadPath(path);
    Handle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return SystemStatus("Cannot open", path, GetLastError());
    std::string out;
    char buffer[65536];
    for (;;) {
      DWORD n = 0;
      if (!::ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr))
        return SystemStatus("Cannot read", path, GetLastError());
      if (n == 0) break;
      out.append(buffer, n);
    }
    return out;
  }

  Status WriteFile(const std::string& path, std::string_view data) override {
    std::wstring wide;
    if (!ToWide(path, &wide)) return BadPath(path);
    Handle file(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return SystemStatus("Cannot create", path, GetLastError());
    return WriteFlushClose(file, path, data);
  }

  Status WriteAt(const std::string& path, uint64_t offset, std::string_view data) override {
    std::wstring wide;
    if (!ToWide(path, &wide)) return BadPath(path);
    Handle file(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return SystemStatus("Cannot open for writing", path, GetLastError());
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN))
      return SystemStatus("Cannot seek in", path, GetLastError());
    return WriteFlushClose(file, path, data);
  }

  Status RenameNoReplace(const std::string& from, const std::string& to) override {
    std::wstring wide_from, wide_to;
    if (!ToWide(from, &wide_from)) return BadPath(from);
    if (!ToWide(to, &wide_to)) return BadPath(to);
    // Without MOVEFILE_REPLACE_EXISTING an existing target makes it fail.
    if (!MoveWithRetry(wide_from, wide_to, MOVEFILE_WRITE_THROUGH))
      return SystemStatus("Cannot rename", from, GetLastError());
    return Status::Ok();
  }

  bool IsWritable(const std::string& path) override {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
  }

  Status Rename(const std::string& from, const std::string& to) override {
    std::wstring wide_from, wide_to;
    if (!ToWide(from, &wide_from)) return BadPath(from);
    if (!ToWide(to, &wide_to)) return BadPath(to);
    if (!MoveWithRetry(wide_from, wide_to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return SystemStatus("Cannot rename", from, GetLastError());
    return Status::Ok();
  }

  Status Remove(const std::string& path) override {
    std::wstring wide;
    if (!ToWide(path, &wide)) return BadPath(path);
    if (!DeleteFileW(wide.c_str())) return SystemStatus("Cannot delete", path, GetLastError());
    return Status::Ok();
  }

  bool FileExists(const std::string& path) override {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  bool FolderExists(const std::string& path) override {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  Status CreateFolder(const std::string& path) override {
    std::wstring wide;
    if (!ToWide(path, &wide)) return BadPath(path);
    if (!CreateDirectoryW(wide.c_str(), nullptr)) {
      const DWORD code = GetLastError();
      if (code != ERROR_ALREADY_EXISTS) return SystemStatus("Cannot create folder", path, code);
    }
    return Status::Ok();
  }

  Result<std::vector<std::string>> ListFiles(const std::string& folder,
                                             std::string_view suffix) override {
    // All names, filtered here: a "*.lmb" pattern would also match through
    // 8.3 short names and three-letter extension rules ("x.lmbak").
    std::wstring pattern;
    if (!ToWide(JoinPath(folder, "*"), &pattern)) return BadPath(folder);
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    std::vector<std::string> names;
    if (find == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      // Only an empty drive root has not even "." to match.
      if (code == ERROR_FILE_NOT_FOUND) return names;
      return SystemStatus("Cannot list", folder, code);
    }
    DWORD code;
    for (;;) {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        std::string name = ToUtf8(found.cFileName, wcslen(found.cFileName));
        if (!name.empty() && HasSuffixNoCase(name, suffix)) names.push_back(std::move(name));
      }
      if (!FindNextFileW(find, &found)) {
        code = GetLastError();
        break;
      }
    }
    FindClose(find);
    if (code != ERROR_NO_MORE_FILES) return SystemStatus("Cannot list", folder, code);
    SortFileNames(names);
    return names;
  }

  Result<std::vector<std::string>> ListFolders(const std::string& folder) override {
    std::wstring pattern;
    if (!ToWide(JoinPath(folder, "*"), &pattern)) return BadPath(folder);
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    std::vector<std::string> names;
    if (find == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      if (code == ERROR_FILE_NOT_FOUND) return names;
      return SystemStatus("Cannot list", folder, code);
    }
    DWORD code;
    for (;;) {
      // Junctions and folder links carry the reparse-point attribute.
      const DWORD attributes = found.dwFileAttributes;
      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
          (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        std::string name = ToUtf8(found.cFileName, wcslen(found.cFileName));
        if (!name.empty() && name != "." && name != "..") names.push_back(std::move(name));
      }
      if (!FindNextFileW(find, &found)) {
        code = GetLastError();
        break;
      }
    }
    FindClose(find);
    if (code != ERROR_NO_MORE_FILES) return SystemStatus("Cannot list", folder, code);
    SortFileNames(names);
    return names;
  }

  Result<int64_t> LastWriteTime(const std::string& path) override {
    std::wstring wide;
    if (!ToWide(path, &wide)) return BadPath(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data))
      return SystemStatus("Cannot stat", path, GetLastError());
    return FileTimeToUnix(data.ftLastWriteTime);
  }

  Result<FileTime> PreciseLastWriteTime(const std::string& path) override {
    std::wstring wide;
    if (!ToWide(path, &wide)) return BadPath(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data))
      return SystemStatus("Cannot stat", path, GetLastError());
    return PreciseFileTime(data.ftLastWriteTime);
  }

  Status RestoreLastWriteTime(const std::string& path, FileTime time) override {
    std::wstring wide;
    if (!ToWide(path, &wide)) return BadPath(path);
    FILETIME write;
    if (!PreciseToFileTime(time, &write))
      return Status::Error(ErrorKind::kInvalidArgument, "Time out of range for " + path);
    Handle file(CreateFileW(wide.c_str(), FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return SystemStatus("Cannot set time of", path, GetLastError());
    // No access time: it stays as it is.
    if (!SetFileTime(file.get(), nullptr, nullptr, &write))
      return SystemStatus("Cannot set time of", path, GetLastError());
    return Status::Ok();
  }

  Status SetLastWriteTime(const std::string& path, int64_t seconds) override {
    std::wstring wide;
    if (!ToWide(path, &wide)) return BadPath(path);
    FILETIME time;
    if (!UnixToFileTime(seconds, &time))
      return Status::Error(ErrorKind::kInvalidArgument,
                           "Time out of range for " + path + ": " + std::to_string(seconds));
    // Attribute access is not subject to share modes, so this works on a
    // mapped file too; backup semantics let folders through, as utimes does.
    Handle file(CreateFileW(wide.c_str(), FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return SystemStatus("Cannot set time of", path, GetLastError());
    // Access time too, as utimes sets both.
    if (!SetFileTime(file.get(), nullptr, &time, &time))
      return SystemStatus("Cannot set time of", path, GetLastError());
    return Status::Ok();
  }

 private:
  static DWORD Attributes(const std::string& path) {
    std::wstring wide;
    if (!ToWide(path, &wide)) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(wide.c_str());
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static Win32FileSystem fs;
  return fs;
}

std::string ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return ".\\";
    // A full buffer means the name was cut short; the call does not always
    // say so through GetLastError.
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    if (path.size() >= 32768) return ".\\";
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return ".\\";
  return ToUtf8(path.substr(0, slash + 1));
}

}  // namespace lumora

#endif  // _WIN32
