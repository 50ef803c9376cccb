#ifdef _WIN32

#include <windows.h>

#include <string>
#include <vector>

#include "config/registry_storage.h"
#include "core/text/cp1252.h"

namespace lumora::config {
namespace {

std::wstring Wide(std::string_view cp1252_text) {
  std::wstring out;
  out.reserve(cp1252_text.size());
  for (const char c : cp1252_text)
    out += static_cast<wchar_t>(cp1252::ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::string Narrow(const wchar_t* text, size_t length) {
  std::string out;
  out.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    const int b = cp1252::FromCodePoint(static_cast<char32_t>(text[i]));
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

Status RegistryError(const char* what, std::string_view name, LSTATUS code) {
  return Status::Error(code == ERROR_FILE_NOT_FOUND ? ErrorKind::kNotFound : ErrorKind::kIo,
                       std::string(what) + " " + std::string(name) + ": registry error " +
                           std::to_string(static_cast<long>(code)));
}

class RegistryKey : public SettingsKey {
 public:
  explicit RegistryKey(HKEY key) : key_(key) {}
  ~RegistryKey() override { RegCloseKey(key_); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  Result<std::optional<SettingsValue>> Read(std::string_view name) override {
    const std::wstring wname = Wide(name);
    std::vector<BYTE> data(256);
    DWORD type = 0;
    for (;;) {
      DWORD size = static_cast<DWORD>(data.size());
      const LSTATUS rc = RegQueryValueExW(key_, wname.c_str(), nullptr, &type, data.data(), &size);
      if (rc == ERROR_FILE_NOT_FOUND) return std::optional<SettingsValue>();
      if (rc == ERROR_MORE_DATA) {
        data.resize(size);
        continue;
      }
      if (rc != ERROR_SUCCESS) return RegistryError("Cannot read", name, rc);
      data.resize(size);
      break;
    }
    SettingsValue v{static_cast<uint32_t>(type), {}};
    if (type == REG_SZ) {
      // UTF-16 in the registry; the terminator may or may not be stored.
      size_t chars = data.size() / sizeof(wchar_t);
      const auto* text = reinterpret_cast<const wchar_t*>(data.data());
      while (chars > 0 && text[chars - 1] == L'\0') --chars;
      v.bytes = Narrow(text, chars);
    } else {
      v.bytes.assign(reinterpret_cast<const char*>(data.data()), data.size());
    }
    return std::optional<SettingsValue>(std::move(v));
  }

  Status Write(std::string_view name, const SettingsValue& value) override {
    const std::wstring wname = Wide(name);
    LSTATUS rc;
    if (value.Is(ValueType::kString)) {
      const std::wstring text = Wide(value.bytes);
      rc = RegSetValueExW(key_, wname.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    } else {
      rc = RegSetValueExW(key_, wname.c_str(), 0, static_cast<DWORD>(value.type),
                          reinterpret_cast<const BYTE*>(value.bytes.data()),
                          static_cast<DWORD>(value.bytes.size()));
    }
    return rc == ERROR_SUCCESS ? Status::Ok() : RegistryError("Cannot write", name, rc);
  }

  Status Delete(std::string_view name) override {
    const LSTATUS rc = RegDeleteValueW(key_, Wide(name).c_str());
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) return Status::Ok();
    return RegistryError("Cannot delete", name, rc);
  }

 private:
  HKEY key_;
};

class RegistryStorage : public SettingsStorage {
 public:
  Result<std::unique_ptr<SettingsKey>> OpenForRead(std::string_view path) override {
    HKEY key = nullptr;
    const LSTATUS rc = RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, KEY_READ, &key);
    if (rc != ERROR_SUCCESS) return RegistryError("Cannot open key", path, rc);
    return std::unique_ptr<SettingsKey>(std::make_unique<RegistryKey>(key));
  }

  Result<std::unique_ptr<SettingsKey>> OpenForWrite(std::string_view path) override {
    HKEY key = nullptr;
    const LSTATUS rc =
        RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return RegistryError("Cannot create key", path, rc);
    return std::unique_ptr<SettingsKey>(std::make_unique<RegistryKey>(key));
  }

  // The registry writes through on its own; forcing it to disk (RegFlushKey)
  // is costly and not needed for settings.
  Status Flush() override { return Status::Ok(); }
};

}  // namespace

std::unique_ptr<SettingsStorage> MakeRegistryStorage() {
  return std::make_unique<RegistryStorage>();
}

}  // namespace lumora::config

#endif  // _WIN32
