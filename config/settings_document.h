// Keys and values held in memory, with the registry's rules: names and paths
// compare without regard to case, a rewritten value keeps its place and the
// spelling of its name, and a key exists when it or a key below it was
// created. The memory store and the file store are built on it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/settings_storage.h"

namespace lumora::config {

class SettingsDocument {
 public:
  struct Value {
    std::string name;
    SettingsValue value;
  };
  struct Key {
    std::string path;
    std::vector<Value> values;  // in the order first written; changed by Set and Erase only
    // The position in `values` of every name, by its upper-cased form (the
    // comparison without regard to case), so that a file of thousands of
    // values reads in linear time. Kept by Set and Erase.
    std::unordered_map<std::string, size_t> positions;
  };

  bool HasKey(std::string_view path) const;
  // The key, created when absent.
  Key& CreateKey(std::string_view path);
  Key* FindKey(std::string_view path);
  const Key* FindKey(std::string_view path) const;

  static const SettingsValue* Find(const Key& key, std::string_view name);
  static void Set(Key& key, std::string_view name, SettingsValue value);
  static void Erase(Key& key, std::string_view name);

  // Keys sorted by path (a parent before its subkeys).
  std::vector<const Key*> SortedKeys() const;
  bool empty() const { return keys_.empty(); }
  void Clear() {
    keys_.clear();
    by_path_.clear();
  }

 private:
  // unique_ptr so a Key& handed out stays valid when more keys are created.
  std::vector<std::unique_ptr<Key>> keys_;
  std::unordered_map<std::string, Key*> by_path_;  // upper-cased path -> key
};

// A SettingsKey over one key of a document. A key opened for reading only
// refuses writes; `on_change` (may be empty) runs after every write or
// delete. The document must outlive the key.
std::unique_ptr<SettingsKey> MakeDocumentKey(SettingsDocument& doc, std::string path, bool writable,
                                             std::function<void()> on_change);

}  // namespace lumora::config
