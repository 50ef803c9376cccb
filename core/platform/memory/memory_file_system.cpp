#include "core/platform/memory/memory_file_system.h"

#include <algorithm>
#include <ctime>
#include <utility>

namespace lumora {
namespace {

// '\\' becomes '/', runs of separators collapse and a trailing one goes, so
// "lib\\a.lmb", "lib//a.lmb" and "lib/a.lmb" name one file.
std::string Normalize(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (char c : path) {
    if (c == '\\') c = '/';
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out += c;
  }
  if (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::string ParentOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsRoot(const std::string& folder) { return folder.empty() || folder == "/"; }

Status NotFound(const std::string& what, const std::string& path) {
  return Status::Error(ErrorKind::kNotFound, what + " " + path + ": No such file or folder");
}

Status IoError(const std::string& what, const std::string& path, const char* why) {
  return Status::Error(ErrorKind::kIo, what + " " + path + ": " + why);
}

Status Injected(const std::string& what, const std::string& path) {
  return IoError(what, path, "injected fault");
}

constexpr int kExclusiveHolder = -1;

class MemoryMappedFile : public MappedFile {
 public:
  MemoryMappedFile(std::shared_ptr<const std::string> bytes, uint64_t id,
                   std::shared_ptr<std::map<uint64_t, int>> mapped)
      : bytes_(std::move(bytes)), id_(id), mapped_(std::move(mapped)) {}
  ~MemoryMappedFile() override {
    const auto it = mapped_->find(id_);
    if (it != mapped_->end() && (it->second == kExclusiveHolder || --it->second == 0))
      mapped_->erase(it);
  }
  const uint8_t* data() const override { return reinterpret_cast<const uint8_t*>(bytes_->data()); }
  size_t size() const override { return bytes_->size(); }

 private:
  std::shared_ptr<const std::string> bytes_;
  uint64_t id_;
  std::shared_ptr<std::map<uint64_t, int>> mapped_;
};

}  // namespace

MemoryFileSystem::MemoryFileSystem() : mapped_(std::make_shared<std::map<uint64_t, int>>()) {}

Result<std::shared_ptr<const MappedFile>> MemoryFileSystem::Map(const std::string& path,
                                                                bool exclusive,
                                                                MapStep* failed_step) {
  auto fail = [failed_step](MapStep step, Status status) {
    if (failed_step) *failed_step = step;
    return status;
  };
  if (Fires(FileOp::kMap)) return fail(MapStep::kOpen, Injected("Cannot open", path));
  const Entry* e = Find(Normalize(path));
  if (e == nullptr) return fail(MapStep::kOpen, NotFound("Cannot open", path));
  if (e->folder)
    return fail(MapStep::kOpen, Status::Error(ErrorKind::kIo, "Not a mappable file: " + path));
  if (e->bytes->empty())
    return fail(MapStep::kCreateMapping,
                Status::Error(ErrorKind::kIo, "Not a mappable file: " + path));
  const auto held = mapped_->find(e->id);
  if (held != mapped_->end() && (exclusive || held->second == kExclusiveHolder))
    return fail(MapStep::kOpen,
                Status::Error(ErrorKind::kIo, "Cannot open " + path + ": File is in use"));
  if (held == mapped_->end())
    mapped_->emplace(e->id, exclusive ? kExclusiveHolder : 1);
  else
    ++held->second;
  return std::shared_ptr<const MappedFile>(
      std::make_shared<MemoryMappedFile>(e->bytes, e->id, mapped_));
}

Result<std::shared_ptr<const MappedFile>> MemoryFileSystem::MapExclusive(const std::string& path) {
  return Map(path, true, nullptr);
}

Result<std::shared_ptr<const MappedFile>> MemoryFileSystem::MapShared(const std::string& path,
                                                                      MapStep* failed_step) {
  return Map(path, false, failed_step);
}

Result<std::string> MemoryFileSystem::ReadFile(const std::string& path) {
  if (Fires(FileOp::kRead)) return Injected("Cannot read", path);
  const Entry* e = Find(Normalize(path));
  if (e == nullptr) return NotFound("Cannot open", path);
  if (e->folder) return IoError("Cannot read", path, "Is a folder");
  if (Locked(e, /*reading=*/true)) return IoError("Cannot open", path, "File is in use");
  return *e->bytes;
}

Status MemoryFileSystem::WriteFile(const std::string& path, std::string_view data) {
  const std::optional<size_t> keep = faults_[static_cast<size_t>(FileOp::kWrite)].keep;
  const bool fail = Fires(FileOp::kWrite);
  if (fail && !keep) return Injected("Cannot create", path);
  const std::string p = Normalize(path);
  if (!IsRoot(ParentOf(p)) && !IsFolder(ParentOf(p))) return NotFound("Cannot create", path);
  const Entry* e = Find(p);
  if (e != nullptr && e->folder) return IoError("Cannot create", path, "Is a folder");
  if (e != nullptr && e->read_only) return IoError("Cannot create", path, "Read-only file");
  if (Locked(e)) return IoError("Cannot create", path, "File is in use");
  if (!fail) {
    Put(p, data);
    return Status::Ok();
  }
  Put(p, data.substr(0, std::min(*keep, data.size())));
  return Injected("Cannot write", path);
}

Status MemoryFileSystem::WriteAt(const std::string& path, uint64_t offset,
                                 std::string_view data) {
  const std::optional<size_t> keep = faults_[static_cast<size_t>(FileOp::kWrite)].keep;
  const bool fail = Fires(FileOp::kWrite);
  if (fail && !keep) return Injected("Cannot open for writing", path);
  const std::string p = Normalize(path);
  const auto it = entries_.find(p);
  if (it == entries_.end()) return NotFound("Cannot open for writing", path);
  if (it->second.folder) return IoError("Cannot open for writing", path, "Is a folder");
  if (it->second.read_only) return IoError("Cannot open for writing", path, "Read-only file");
  if (Locked(&it->second)) return IoError("Cannot open for writing", path, "File is in use");
  const std::string_view written = fail ? data.substr(0, std::min(*keep, data.size())) : data;
  std::string bytes = *it->second.bytes;
  if (bytes.size() < offset + written.size()) bytes.resize(offset + written.size(), '\0');
  bytes.replace(offset, written.size(), written);
  // A new buffer: views made earlier keep the bytes they were made from.
  it->second.bytes = std::make_shared<const std::string>(std::move(bytes));
  it->second.time = Now();
  it->second.nanoseconds = 0;
  if (fail) return Injected("Cannot write", path);
  return Status::Ok();
}

Status MemoryFileSystem::RenameNoReplace(const std::string& from, const std::string& to) {
  if (Find(Normalize(to)) != nullptr) {
    if (Fires(FileOp::kRename)) return Injected("Cannot rename", from);
    return IoError("Cannot rename", from, "File exists");
  }
  return Rename(from, to);
}

bool MemoryFileSystem::IsWritable(const std::string& path) {
  const Entry* e = Find(Normalize(path));
  return e != nullptr && !e->folder && !e->read_only;
}

void MemoryFileSystem::SetReadOnly(const std::string& path, bool read_only) {
  const auto it = entries_.find(Normalize(path));
  if (it != entries_.end()) it->second.read_only = read_only;
}

Status MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  if (Fires(FileOp::kRename)) return Injected("Cannot rename", from);
  const std::string f = Normalize(from);
  const std::string t = Normalize(to);
  const auto it = entries_.find(f);
  if (it == entries_.end()) return NotFound("Cannot rename", from);
  if (it->second.folder)
    return Status::Error(ErrorKind::kInvalidArgument, "Cannot rename folder " + from);
  if (!IsRoot(ParentOf(t)) && !IsFolder(ParentOf(t))) return NotFound("Cannot rename", from);
  const Entry* target = Find(t);
  if (target != nullptr && target->folder) return IoError("Cannot rename", from, "Target is a folder");
  if (Locked(&it->second) || Locked(target)) return IoError("Cannot rename", from, "File is in use");
  // Erase before insert, so renaming a file onto itself keeps it.
  Entry moved = std::move(it->second);
  entries_.erase(it);
  entries_[t] = std::move(moved);
  return Status::Ok();
}

Status MemoryFileSystem::Remove(const std::string& path) {
  if (Fires(FileOp::kRemove)) return Injected("Cannot delete", path);
  const auto it = entries_.find(Normalize(path));
  if (it == entries_.end()) return NotFound("Cannot delete", path);
  if (it->second.folder) return IoError("Cannot delete", path, "Is a folder");
  if (Locked(&it->second)) return IoError("Cannot delete", path, "File is in use");
  entries_.erase(it);
  return Status::Ok();
}

bool MemoryFileSystem::FileExists(const std::string& path) {
  const Entry* e = Find(Normalize(path));
  return e != nullptr && !e->folder;
}

bool MemoryFileSystem::FolderExists(const std::string& path) { return IsFolder(Normalize(path)); }

Status MemoryFileSystem::CreateFolder(const std::string& path) {
  if (Fires(FileOp::kCreateFolder)) return Injected("Cannot create folder", path);
  const std::string p = Normalize(path);
  // Like mkdir's EEXIST, anything already there counts as done.
  if (IsRoot(p) || Find(p) != nullptr) return Status::Ok();
  if (!IsRoot(ParentOf(p)) && !IsFolder(ParentOf(p))) return NotFound("Cannot create folder", path);
  EnsureFolder(p);
  return Status::Ok();
}

Result<std::vector<std::string>> MemoryFileSystem::ListFiles(const std::string& folder,
                                                             std::string_view suffix) {
  if (Fires(FileOp::kList)) return Injected("Cannot list", folder);
  const std::string p = Normalize(folder);
  if (!IsFolder(p)) {
    if (Find(p) != nullptr) return IoError("Cannot list", folder, "Not a folder");
    return NotFound("Cannot list", folder);
  }
  const std::string prefix = p == "/" ? p : p + "/";
  std::vector<std::string> names;
  for (auto it = entries_.lower_bound(prefix);
       it != entries_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    std::string name = it->first.substr(prefix.size());
    if (it->second.folder || name.find('/') != std::string::npos) continue;
    if (HasSuffixNoCase(name, suffix)) names.push_back(std::move(name));
  }
  SortFileNames(names);
  return names;
}

Result<std::vector<std::string>> MemoryFileSystem::ListFolders(const std::string& folder) {
  if (Fires(FileOp::kList)) return Injected("Cannot list", folder);
  const std::string p = Normalize(folder);
  if (!IsFolder(p)) {
    if (Find(p) != nullptr) return IoError("Cannot list", folder, "Not a folder");
    return NotFound("Cannot list", folder);
  }
  const std::string prefix = p == "/" ? p : p + "/";
  std::vector<std::string> names;
  for (auto it = entries_.lower_bound(prefix);
       it != entries_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    std::string name = it->first.substr(prefix.size());
    if (it->second.folder && name.find('/') == std::string::npos) names.push_back(std::move(name));
  }
  SortFileNames(names);
  return names;
}

Result<int64_t> MemoryFileSystem::LastWriteTime(const std::string& path) {
  if (Fires(FileOp::kGetTime)) return Injected("Cannot stat", path);
  const Entry* e = Find(Normalize(path));
  if (e == nullptr) return NotFound("Cannot stat", path);
  return e->time;
}

Result<FileTime> MemoryFileSystem::PreciseLastWriteTime(const std::string& path) {
  if (Fires(FileOp::kGetTime)) return Injected("Cannot stat", path);
  const Entry* e = Find(Normalize(path));
  if (e == nullptr) return NotFound("Cannot stat", path);
  return FileTime{e->time, e->nanoseconds};
}

Status MemoryFileSystem::RestoreLastWriteTime(const std::string& path, FileTime time) {
  if (Fires(FileOp::kSetTime)) return Injected("Cannot set time of", path);
  if (time.nanoseconds < 0 || time.nanoseconds > 999999999)
    return Status::Error(ErrorKind::kInvalidArgument, "Bad time for " + path);
  const auto it = entries_.find(Normalize(path));
  if (it == entries_.end()) return NotFound("Cannot set time of", path);
  it->second.time = time.seconds;
  it->second.nanoseconds = time.nanoseconds;
  return Status::Ok();
}

Status MemoryFileSystem::SetLastWriteTime(const std::string& path, int64_t seconds) {
  if (Fires(FileOp::kSetTime)) return Injected("Cannot set time of", path);
  if (!SetTime(path, seconds)) return NotFound("Cannot set time of", path);
  return Status::Ok();
}

void MemoryFileSystem::FailNext(FileOp op, int skip) {
  faults_[static_cast<size_t>(op)] = Fault{skip, std::nullopt};
}

void MemoryFileSystem::TearNextWrite(size_t keep, int skip) {
  faults_[static_cast<size_t>(FileOp::kWrite)] = Fault{skip, keep};
}

void MemoryFileSystem::ClearFaults() { faults_.fill(Fault{}); }

void MemoryFileSystem::SetFile(const std::string& path, std::string_view bytes) {
  const std::string p = Normalize(path);
  EnsureFolder(ParentOf(p));
  Put(p, bytes);
}

std::optional<std::string> MemoryFileSystem::GetFile(const std::string& path) const {
  const Entry* e = Find(Normalize(path));
  if (e == nullptr || e->folder) return std::nullopt;
  return *e->bytes;
}

bool MemoryFileSystem::SetTime(const std::string& path, int64_t seconds) {
  const auto it = entries_.find(Normalize(path));
  if (it == entries_.end()) return false;
  it->second.time = seconds;
  it->second.nanoseconds = 0;
  return true;
}

bool MemoryFileSystem::IsMapped(const std::string& path) const {
  const Entry* e = Find(Normalize(path));
  return e != nullptr && !e->folder && mapped_->count(e->id) != 0;
}

// Counts a call of `op`; true for the one chosen to fail, which disarms it.
bool MemoryFileSystem::Fires(FileOp op) {
  Fault& f = faults_[static_cast<size_t>(op)];
  if (f.countdown < 0) return false;
  return f.countdown-- == 0;
}

const MemoryFileSystem::Entry* MemoryFileSystem::Find(const std::string& normalized) const {
  const auto it = entries_.find(normalized);
  return it == entries_.end() ? nullptr : &it->second;
}

bool MemoryFileSystem::IsFolder(const std::string& normalized) const {
  if (normalized == "/") return true;
  const Entry* e = Find(normalized);
  return e != nullptr && e->folder;
}

bool MemoryFileSystem::Locked(const Entry* entry, bool reading) const {
  if (!windows_sharing_ || entry == nullptr || entry->folder) return false;
  const auto held = mapped_->find(entry->id);
  // A shared holder lets others read, never write, rename or delete.
  return held != mapped_->end() && (!reading || held->second == kExclusiveHolder);
}

// Rewriting keeps the file's identity (O_TRUNC, not a new inode), so a view
// still alive keeps the file locked; the view itself keeps the old bytes.
void MemoryFileSystem::Put(const std::string& normalized, std::string_view bytes) {
  Entry& e = entries_[normalized];
  if (e.id == 0 || e.folder) e.id = ++next_id_;
  e.folder = false;
  e.bytes = std::make_shared<const std::string>(bytes);
  e.time = Now();
  e.nanoseconds = 0;
}

void MemoryFileSystem::EnsureFolder(const std::string& normalized) {
  if (IsRoot(normalized) || Find(normalized) != nullptr) return;
  EnsureFolder(ParentOf(normalized));
  entries_[normalized] = Entry{true, nullptr, Now(), ++next_id_};
}

int64_t MemoryFileSystem::Now() const {
  return now_ ? *now_ : static_cast<int64_t>(std::time(nullptr));
}

}  // namespace lumora
