// A SettingsStorage in memory, for tests. Any open, flush, or the read or
// write of a named value can be made to fail, as a registry or disk might.
#pragma once

#include <set>
#include <string>

#include "config/settings_document.h"
#include "config/settings_storage.h"

namespace lumora::config {

class MemoryStorage : public SettingsStorage {
 public:
  Result<std::unique_ptr<SettingsKey>> OpenForRead(std::string_view path) override;
  Result<std::unique_ptr<SettingsKey>> OpenForWrite(std::string_view path) override;
  Status Flush() override;

  SettingsDocument& document() { return doc_; }
  // Shorthands over document(); Get returns nullopt when absent.
  void Set(std::string_view path, std::string_view name, SettingsValue value);
  std::optional<SettingsValue> Get(std::string_view path, std::string_view name) const;

  // Faults stay armed until cleared.
  bool fail_open_for_read = false;
  bool fail_open_for_write = false;
  bool fail_flush = false;
  std::set<std::string> fail_read_of;   // value names (exact spelling)
  std::set<std::string> fail_write_of;  // value names (exact spelling)
  int flush_count = 0;

 private:
  SettingsDocument doc_;
};

}  // namespace lumora::config
