// The settings store for systems without a registry: one per-user text file
// in the registry's export syntax (reg_file_format.h), holding the same keys,
// value names, types and values as the registry would.
//
// The file is read once, on the first open. A damaged file never blocks: what
// could be read is used and the rest reported (Problems); the next Flush
// writes a complete file. Flush writes a complete temporary file and renames
// it over the old one, so a crash while saving leaves the previous settings.
// A file that exists but cannot be read is never overwritten: opening for
// writing fails instead, so unread settings are not lost.
#pragma once

#include <functional>
#include <string>

#include "config/settings_document.h"
#include "config/settings_storage.h"
#include "core/platform/file_system.h"

namespace lumora::config {

class FileStorage : public SettingsStorage {
 public:
  FileStorage(FileSystem& fs, std::string path);

  Result<std::unique_ptr<SettingsKey>> OpenForRead(std::string_view path) override;
  Result<std::unique_ptr<SettingsKey>> OpenForWrite(std::string_view path) override;
  Status Flush() override;
  std::vector<std::string> Problems() const override { return problems_; }

  const std::string& path() const { return path_; }

 private:
  Status EnsureLoaded();

  FileSystem& fs_;
  std::string path_;
  SettingsDocument doc_;
  bool loaded_ = false;
  bool dirty_ = false;
  std::vector<std::string> problems_;
};

// The per-user settings file: "settings.reg" in a "Lumora" folder of the
// standard per-user configuration folder ($XDG_CONFIG_HOME, else
// ~/.config; %APPDATA% on Windows; ~/Library/Application Support on macOS).
// `getenv` looks up environment variables (std::getenv by default). Empty
// when no home folder is known.
std::string DefaultSettingsFilePath(
    const std::function<const char*(const char*)>& getenv = nullptr);

}  // namespace lumora::config
