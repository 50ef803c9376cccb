#include "config/memory_storage.h"

namespace lumora::config {
namespace {

Status Injected(std::string_view what) {
  return Status::Error(ErrorKind::kIo, "Injected failure: " + std::string(what));
}

// Adds the injected read and write faults to a document key.
class FaultyKey : public SettingsKey {
 public:
  FaultyKey(std::unique_ptr<SettingsKey> inner, const MemoryStorage& owner)
      : inner_(std::move(inner)), owner_(owner) {}

  Result<std::optional<SettingsValue>> Read(std::string_view name) override {
    if (owner_.fail_read_of.count(std::string(name))) return Injected(name);
    return inner_->Read(name);
  }
  Status Write(std::string_view name, const SettingsValue& value) override {
    if (owner_.fail_write_of.count(std::string(name))) return Injected(name);
    return inner_->Write(name, value);
  }
  Status Delete(std::string_view name) override {
    if (owner_.fail_write_of.count(std::string(name))) return Injected(name);
    return inner_->Delete(name);
  }

 private:
  std::unique_ptr<SettingsKey> inner_;
  const MemoryStorage& owner_;
};

}  // namespace

Result<std::unique_ptr<SettingsKey>> MemoryStorage::OpenForRead(std::string_view path) {
  if (fail_open_for_read) return Injected(path);
  if (!doc_.HasKey(path)) return Status::Error(ErrorKind::kNotFound, "No key " + std::string(path));
  return std::unique_ptr<SettingsKey>(
      std::make_unique<FaultyKey>(MakeDocumentKey(doc_, std::string(path), false, nullptr), *this));
}

Result<std::unique_ptr<SettingsKey>> MemoryStorage::OpenForWrite(std::string_view path) {
  if (fail_open_for_write) return Injected(path);
  doc_.CreateKey(path);
  return std::unique_ptr<SettingsKey>(
      std::make_unique<FaultyKey>(MakeDocumentKey(doc_, std::string(path), true, nullptr), *this));
}

Status MemoryStorage::Flush() {
  if (fail_flush) return Injected("flush");
  ++flush_count;
  return Status::Ok();
}

void MemoryStorage::Set(std::string_view path, std::string_view name, SettingsValue value) {
  SettingsDocument::Set(doc_.CreateKey(path), name, std::move(value));
}

std::optional<SettingsValue> MemoryStorage::Get(std::string_view path,
                                                std::string_view name) const {
  const SettingsDocument::Key* key = doc_.FindKey(path);
  const SettingsValue* value = key ? SettingsDocument::Find(*key, name) : nullptr;
  if (value == nullptr) return std::nullopt;
  return *value;
}

}  // namespace lumora::config
