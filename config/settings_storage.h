// Where the configuration store keeps its values: keys holding named values,
// as in the registry of the current user. Three implementations: the Windows
// registry, a per-user text file for systems without one, and memory (tests).
// Value names and key paths compare without regard to case (CompareNoCase).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace lumora::config {

// The registry's own type numbers, so the file format and the registry agree.
enum class ValueType : uint32_t {
  kString = 1,  // REG_SZ: Windows-1252 text without terminator
  kBinary = 3,  // REG_BINARY
  kDword = 4,   // REG_DWORD: 32 bits, little-endian
};

// One stored value. `type` may hold a number outside ValueType when a store
// holds a value of a kind the program never writes; readers treat that as a
// wrong type.
struct SettingsValue {
  uint32_t type = static_cast<uint32_t>(ValueType::kString);
  std::string bytes;  // the text, the binary bytes, or the dword's 4 bytes

  static SettingsValue String(std::string_view text);
  static SettingsValue Dword(int32_t value);
  static SettingsValue Binary(std::string_view bytes);

  bool Is(ValueType t) const { return type == static_cast<uint32_t>(t); }
  // The dword; needs Is(kDword) and 4 bytes (IsWellFormed).
  int32_t AsDword() const;
  // False for a dword that is not 4 bytes long.
  bool IsWellFormed() const;
  bool operator==(const SettingsValue&) const = default;
};

// Human-readable name of a value type ("string", "dword", "binary", "type 7").
std::string ValueTypeName(uint32_t type);

// An open key. Writes may be buffered until SettingsStorage::Flush.
class SettingsKey {
 public:
  virtual ~SettingsKey() = default;
  // The value, nullopt when the key has none of that name, or an error when
  // the store cannot be read.
  virtual Result<std::optional<SettingsValue>> Read(std::string_view name) = 0;
  virtual Status Write(std::string_view name, const SettingsValue& value) = 0;
  // Deleting a value that does not exist succeeds.
  virtual Status Delete(std::string_view name) = 0;
};

class SettingsStorage {
 public:
  virtual ~SettingsStorage() = default;
  // Opens `path` (below the current user's root, "Software\Lumora 4") for
  // reading: ErrorKind::kNotFound when the key does not exist.
  virtual Result<std::unique_ptr<SettingsKey>> OpenForRead(std::string_view path) = 0;
  // Opens `path` for reading and writing, creating it (and its parents).
  virtual Result<std::unique_ptr<SettingsKey>> OpenForWrite(std::string_view path) = 0;
  // Makes every write so far durable. The file store rewrites its file here,
  // atomically; the registry and memory stores have nothing to do.
  virtual Status Flush() = 0;
  // Problems met while reading the store itself (a damaged settings file),
  // one text each; empty for a sound store.
  virtual std::vector<std::string> Problems() const { return {}; }
};

inline constexpr std::string_view kSettingsKey = "Software\\Lumora 4";
inline constexpr std::string_view kMruKey = "Software\\Lumora 4\\MRUs";

// The store of this platform: the registry on Windows, the per-user file
// (DefaultSettingsFilePath) elsewhere.
std::unique_ptr<SettingsStorage> MakeDefaultSettingsStorage();

}  // namespace lumora::config
