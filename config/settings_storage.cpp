#include "config/settings_storage.h"

#include "config/file_storage.h"
#include "core/io/byte_io.h"
#ifdef _WIN32
#include "config/registry_storage.h"
#endif

namespace lumora::config {

SettingsValue SettingsValue::String(std::string_view text) {
  return {static_cast<uint32_t>(ValueType::kString), std::string(text)};
}

SettingsValue SettingsValue::Dword(int32_t value) {
  SettingsValue v{static_cast<uint32_t>(ValueType::kDword), {}};
  AppendU32(v.bytes, static_cast<uint32_t>(value));
  return v;
}

SettingsValue SettingsValue::Binary(std::string_view bytes) {
  return {static_cast<uint32_t>(ValueType::kBinary), std::string(bytes)};
}

int32_t SettingsValue::AsDword() const {
  return LoadI32(reinterpret_cast<const uint8_t*>(bytes.data()));
}

bool SettingsValue::IsWellFormed() const { return !Is(ValueType::kDword) || bytes.size() == 4; }

std::string ValueTypeName(uint32_t type) {
  switch (static_cast<ValueType>(type)) {
    case ValueType::kString:
      return "string";
    case ValueType::kBinary:
      return "binary";
    case ValueType::kDword:
      return "dword";
  }
  return "type " + std::to_string(type);
}

std::unique_ptr<SettingsStorage> MakeDefaultSettingsStorage() {
#ifdef _WIN32
  return MakeRegistryStorage();
#else
  return std::make_unique<FileStorage>(DefaultFileSystem(), DefaultSettingsFilePath());
#endif
}

}  // namespace lumora::config
