#include "config/file_storage.h"

#include <cstdlib>

#include "config/reg_file_format.h"

namespace lumora::config {

FileStorage::FileStorage(FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

Status FileStorage::EnsureLoaded() {
  if (loaded_) return Status::Ok();
  Result<std::string> text = fs_.ReadFile(path_);
  if (!text.ok() && text.status().kind() != ErrorKind::kNotFound) return text.status();
  doc_.Clear();
  problems_.clear();
  if (text.ok()) ParseRegFile(*text, doc_, problems_);
  loaded_ = true;
  return Status::Ok();
}

Result<std::unique_ptr<SettingsKey>> FileStorage::OpenForRead(std::string_view path) {
  if (Status s = EnsureLoaded(); !s.ok()) return s;
  if (!doc_.HasKey(path))
    return Status::Error(ErrorKind::kNotFound, "No key " + std::string(path) + " in " + path_);
  return MakeDocumentKey(doc_, std::string(path), false, nullptr);
}

Result<std::unique_ptr<SettingsKey>> FileStorage::OpenForWrite(std::string_view path) {
  if (Status s = EnsureLoaded(); !s.ok()) return s;
  doc_.CreateKey(path);
  dirty_ = true;  // a new key is a change too
  return MakeDocumentKey(doc_, std::string(path), true, [this] { dirty_ = true; });
}

Status FileStorage::Flush() {
  if (!dirty_) return Status::Ok();
  if (path_.empty()) return Status::Error(ErrorKind::kNotFound, "No settings file location");
  if (Status s = CreateFolders(fs_, ParentFolder(path_)); !s.ok()) return s;
  const std::string temp = path_ + ".tmp";
  if (Status s = fs_.WriteFile(temp, FormatRegFile(doc_)); !s.ok()) {
    (void)fs_.Remove(temp);
    return s;
  }
  if (Status s = fs_.Rename(temp, path_); !s.ok()) {
    (void)fs_.Remove(temp);
    return s;
  }
  dirty_ = false;
  return Status::Ok();
}

std::string DefaultSettingsFilePath(const std::function<const char*(const char*)>& getenv) {
  auto env = [&](const char* name) -> std::string {
    const char* v = getenv ? getenv(name) : std::getenv(name);
    return v == nullptr ? std::string() : std::string(v);
  };
#if defined(_WIN32)
  std::string base = env("APPDATA");
  if (base.empty()) {
    const std::string profile = env("USERPROFILE");
    if (profile.empty()) return {};
    base = JoinPath(JoinPath(profile, "AppData"), "Roaming");
  }
#elif defined(__APPLE__)
  const std::string home = env("HOME");
  if (home.empty()) return {};
  const std::string base = JoinPath(JoinPath(home, "Library"), "Application Support");
#else
  // The XDG rules: only an absolute XDG_CONFIG_HOME counts.
  std::string base = env("XDG_CONFIG_HOME");
  if (base.empty() || base[0] != '/') {
    const std::string home = env("HOME");
    if (home.empty()) return {};
    base = JoinPath(home, ".config");
  }
#endif
  return JoinPath(JoinPath(base, "Lumora"), "settings.reg");
}

}  // namespace lumora::config
