#include "config/settings_document.h"

#include <algorithm>

#include "core/text/cp1252.h"

namespace lumora::config {
namespace {

// Names and paths that compare equal without regard to case fold alike.
std::string Folded(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(cp1252::Upper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

bool SettingsDocument::HasKey(std::string_view path) const {
  for (const auto& key : keys_) {
    const std::string_view p = key->path;
    if (cp1252::EqualNoCase(p, path)) return true;
    if (p.size() > path.size() && p[path.size()] == '\\' &&
        cp1252::EqualNoCase(p.substr(0, path.size()), path))
      return true;
  }
  return false;
}

SettingsDocument::Key& SettingsDocument::CreateKey(std::string_view path) {
  if (Key* key = FindKey(path)) return *key;
  keys_.push_back(std::make_unique<Key>());
  keys_.back()->path = std::string(path);
  by_path_.emplace(Folded(path), keys_.back().get());
  return *keys_.back();
}

SettingsDocument::Key* SettingsDocument::FindKey(std::string_view path) {
  const auto it = by_path_.find(Folded(path));
  return it == by_path_.end() ? nullptr : it->second;
}

const SettingsDocument::Key* SettingsDocument::FindKey(std::string_view path) const {
  return const_cast<SettingsDocument*>(this)->FindKey(path);
}

const SettingsValue* SettingsDocument::Find(const Key& key, std::string_view name) {
  const auto it = key.positions.find(Folded(name));
  return it == key.positions.end() ? nullptr : &key.values[it->second].value;
}

void SettingsDocument::Set(Key& key, std::string_view name, SettingsValue value) {
  const auto [it, added] = key.positions.emplace(Folded(name), key.values.size());
  if (!added) {
    key.values[it->second].value = std::move(value);
    return;
  }
  key.values.push_back({std::string(name), std::move(value)});
}

void SettingsDocument::Erase(Key& key, std::string_view name) {
  const auto it = key.positions.find(Folded(name));
  if (it == key.positions.end()) return;
  const size_t at = it->second;
  key.positions.erase(it);
  key.values.erase(key.values.begin() + static_cast<std::ptrdiff_t>(at));
  for (auto& [folded, position] : key.positions)
    if (position > at) --position;
}

std::vector<const SettingsDocument::Key*> SettingsDocument::SortedKeys() const {
  std::vector<const Key*> out;
  for (const auto& key : keys_) out.push_back(key.get());
  std::stable_sort(out.begin(), out.end(), [](const Key* a, const Key* b) {
    return cp1252::CompareNoCase(a->path, b->path) < 0;
  });
  return out;
}

namespace {

// Looks its key up on every call, so it stays valid whatever else the
// document does meanwhile (another open key may create keys).
class DocumentKey : public SettingsKey {
 public:
  DocumentKey(SettingsDocument& doc, std::string path, bool writable,
              std::function<void()> on_change)
      : doc_(doc), path_(std::move(path)), writable_(writable), on_change_(std::move(on_change)) {}

  Result<std::optional<SettingsValue>> Read(std::string_view name) override {
    const SettingsDocument::Key* key = doc_.FindKey(path_);
    const SettingsValue* value = key ? SettingsDocument::Find(*key, name) : nullptr;
    if (value == nullptr) return std::optional<SettingsValue>();
    return std::optional<SettingsValue>(*value);
  }

  Status Write(std::string_view name, const SettingsValue& value) override {
    if (!writable_) return ReadOnly();
    SettingsDocument::Set(doc_.CreateKey(path_), name, value);
    if (on_change_) on_change_();
    return Status::Ok();
  }

  Status Delete(std::string_view name) override {
    if (!writable_) return ReadOnly();
    if (SettingsDocument::Key* key = doc_.FindKey(path_)) {
      SettingsDocument::Erase(*key, name);
      if (on_change_) on_change_();
    }
    return Status::Ok();
  }

 private:
  Status ReadOnly() const {
    return Status::Error(ErrorKind::kInvalidArgument, "Key opened for reading only: " + path_);
  }

  SettingsDocument& doc_;
  std::string path_;
  bool writable_;
  std::function<void()> on_change_;
};

}  // namespace

std::unique_ptr<SettingsKey> MakeDocumentKey(SettingsDocument& doc, std::string path, bool writable,
                                             std::function<void()> on_change) {
  return std::make_unique<DocumentKey>(doc, std::move(path), writable, std::move(on_change));
}

}  // namespace lumora::config
