#include "core/platform/file_system.h"

#include <algorithm>

#include "core/text/cp1252.h"

namespace lumora {

namespace {
#ifdef _WIN32
constexpr char kSeparator = '\\';
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
// "C:" or "C:\" at the start: the part no path operation may split.
size_t RootLength(std::string_view path) {
  const bool drive = path.size() >= 2 && path[1] == ':' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  if (drive) return path.size() > 2 && IsSeparator(path[2]) ? 3 : 2;
  return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}
#else
constexpr char kSeparator = '/';
bool IsSeparator(char c) { return c == '/'; }
size_t RootLength(std::string_view path) { return !path.empty() && path[0] == '/' ? 1 : 0; }
#endif
}  // namespace

namespace {
class CopiedFile : public MappedFile {
 public:
  explicit CopiedFile(std::string bytes) : bytes_(std::move(bytes)) {}
  const uint8_t* data() const override { return reinterpret_cast<const uint8_t*>(bytes_.data()); }
  size_t size() const override { return bytes_.size(); }

 private:
  std::string bytes_;
};
}  // namespace

Result<std::shared_ptr<const MappedFile>> FileSystem::MapShared(const std::string& path,
                                                                MapStep* failed_step) {
  Result<std::shared_ptr<const MappedFile>> mapped = MapExclusive(path);
  if (!mapped.ok() && failed_step) *failed_step = MapStep::kOpen;
  return mapped;
}

Result<FileTime> FileSystem::PreciseLastWriteTime(const std::string& path) {
  Result<int64_t> seconds = LastWriteTime(path);
  if (!seconds.ok()) return seconds.status();
  return FileTime{*seconds, 0};
}

Status FileSystem::RestoreLastWriteTime(const std::string& path, FileTime time) {
  return SetLastWriteTime(path, time.seconds);
}

std::shared_ptr<const MappedFile> MappedCopy(std::string bytes) {
  return std::make_shared<CopiedFile>(std::move(bytes));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && !IsSeparator(out.back())) out += kSeparator;
  out += name;
  return out;
}

std::string BaseName(std::string_view path) {
  const size_t root = RootLength(path);
  size_t i = path.size();
  while (i > root && !IsSeparator(path[i - 1])) --i;
  return std::string(path.substr(i));
}

std::string ParentFolder(std::string_view path) {
  // The root stays whole: the parent of "/x" is "/", that of "C:\x" is
  // "C:\" (plain "C:" would be the current folder of drive C).
  const size_t root = RootLength(path);
  size_t i = path.size();
  while (i > root && !IsSeparator(path[i - 1])) --i;
  while (i > std::max<size_t>(root, 1) && IsSeparator(path[i - 1])) --i;
  return std::string(path.substr(0, i));
}

bool SameFolder(std::string_view a, std::string_view b) {
  auto trim = [](std::string_view s) {
    while (s.size() > 1 && IsSeparator(s.back())) s.remove_suffix(1);
    return s;
  };
  a = trim(a);
  b = trim(b);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IsSeparator(a[i]) && IsSeparator(b[i])) continue;
#ifdef _WIN32
    if (cp1252::Upper(static_cast<unsigned char>(a[i])) !=
        cp1252::Upper(static_cast<unsigned char>(b[i])))
      return false;
#else
    if (a[i] != b[i]) return false;
#endif
  }
  return true;
}

Status CreateFolders(FileSystem& fs, const std::string& folder) {
  if (folder.empty() || fs.FolderExists(folder)) return Status::Ok();
  const std::string parent = ParentFolder(folder);
  if (parent != folder)
    if (Status s = CreateFolders(fs, parent); !s.ok()) return s;
  return fs.CreateFolder(folder);
}

void SortFileNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return cp1252::LessNoCaseThenBytes(a, b);
  });
}

bool HasSuffixNoCase(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         cp1252::EqualNoCase(name.substr(name.size() - suffix.size()), suffix);
}

}  // namespace lumora
