// The settings storage of Windows, against the real registry of the current
// user: value types as the registry holds them, Windows-1252 text through
// UTF-16, long values, and values of the wrong type as a hand edit or an
// older program leaves them. The save and load of every setting runs in
// config_properties_test.cpp, on the registry as on the other storages.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "config/properties.h"
#include "config/settings_storage.h"
#include "tests/support/platform_only.h"

#ifdef _WIN32
#include "config/registry_storage.h"
#include "tests/support/registry_sandbox.h"
#else
#include "config/file_storage.h"
#endif

namespace lumora::config {
namespace {

#ifdef _WIN32

class RegistryStorageTest : public ::testing::Test {
 protected:
  void SetUp() override { LUMORA_SKIP_UNLESS_USABLE(sandbox_); }

  std::unique_ptr<SettingsKey> Open(SettingsStorage& storage, std::string_view path) {
    Result<std::unique_ptr<SettingsKey>> key = storage.OpenForWrite(path);
    EXPECT_TRUE(key.ok()) << key.status().message();
    return key.ok() ? std::move(key).value() : nullptr;
  }

  std::optional<SettingsValue> ReadBack(std::string_view name,
                                        std::string_view path = kSettingsKey) {
    auto storage = MakeRegistryStorage();
    Result<std::unique_ptr<SettingsKey>> key = storage->OpenForRead(path);
    if (!key.ok()) return std::nullopt;
    Result<std::optional<SettingsValue>> value = (*key)->Read(name);
    EXPECT_TRUE(value.ok()) << value.status().message();
    return value.ok() ? *value : std::nullopt;
  }

  // The value as the registry itself holds it.
  static bool Raw(const wchar_t* name, DWORD* type, std::wstring* bytes) {
    BYTE data[4096];
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, test::kSettingsKeyW, name, RRF_RT_ANY | RRF_NOEXPAND, type,
                     data, &size) != ERROR_SUCCESS)
      return false;
    bytes->assign(reinterpret_cast<const wchar_t*>(data), size / sizeof(wchar_t));
    return true;
  }
  static void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, test::kSettingsKeyW, 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  test::RegistrySandbox sandbox_;
};

TEST_F(RegistryStorageTest, StringDwordAndBinaryValuesAsTheRegistryHoldsThem) {
  auto storage = MakeRegistryStorage();
  auto key = Open(*storage, kSettingsKey);
  ASSERT_TRUE(key);
  // "€ é" in Windows-1252; the euro sign is not at its Unicode place.
  const std::string text = "Gospels \x80 \xE9";
  const std::string binary("\x00\x01\xFF\x80 end", 8);
  ASSERT_TRUE(key->Write("RzTabsFont", SettingsValue::String(text)).ok());
  ASSERT_TRUE(key->Write("HelpVer", SettingsValue::Dword(-2)).ok());
  ASSERT_TRUE(key->Write("StateMain", SettingsValue::Binary(binary)).ok());
  ASSERT_TRUE(storage->Flush().ok());

  DWORD type = 0;
  std::wstring raw;
  ASSERT_TRUE(Raw(L"RzTabsFont", &type, &raw));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(raw, std::wstring(L"Gospels \u20AC \u00E9") + L'\0') << "UTF-16, terminated";
  ASSERT_TRUE(Raw(L"HelpVer", &type, &raw));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  ASSERT_TRUE(Raw(L"StateMain", &type, &raw));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));

  EXPECT_EQ(ReadBack("RzTabsFont"), SettingsValue::String(text));
  EXPECT_EQ(ReadBack("HelpVer"), SettingsValue::Dword(-2));
  EXPECT_EQ(ReadBack("StateMain"), SettingsValue::Binary(binary));
  EXPECT_EQ(ReadBack("helpver"), SettingsValue::Dword(-2)) << "names ignore case";
}

TEST_F(RegistryStorageTest, MissingKeysAndValues) {
  auto storage = MakeRegistryStorage();
  EXPECT_EQ(storage->OpenForRead(kSettingsKey).status().kind(), ErrorKind::kNotFound);
  auto key = Open(*storage, kMruKey);  // creates the parent as well
  ASSERT_TRUE(key);
  EXPECT_TRUE(storage->OpenForRead(kSettingsKey).ok());
  Result<std::optional<SettingsValue>> missing = key->Read("Export_Count");
  ASSERT_TRUE(missing.ok());
  EXPECT_FALSE(missing->has_value());
  EXPECT_TRUE(key->Delete("Export_Count").ok()) << "deleting nothing succeeds";
  ASSERT_TRUE(key->Write("Export_Count", SettingsValue::Dword(1)).ok());
  ASSERT_TRUE(key->Delete("EXPORT_COUNT").ok());
  EXPECT_EQ(ReadBack("Export_Count", kMruKey), std::nullopt);
}

// The registry's own refusals come back as errors naming the key or value.
TEST_F(RegistryStorageTest, RefusalsAreErrors) {
  auto storage = MakeRegistryStorage();
  // Key names stop at 255 characters.
  const std::string too_long = std::string(kSettingsKey) + "\\" + std::string(300, 'x');
  Result<std::unique_ptr<SettingsKey>> created = storage->OpenForWrite(too_long);
  ASSERT_FALSE(created.ok());
  EXPECT_EQ(created.status().kind(), ErrorKind::kIo);
  EXPECT_EQ(
      created.status().message().rfind("Cannot create key " + too_long + ": registry error ", 0),
      0u)
      << created.status().message();
  EXPECT_FALSE(storage->OpenForRead(too_long).ok());

  // A key opened for reading takes no changes.
  ASSERT_TRUE(Open(*storage, kSettingsKey));
  Result<std::unique_ptr<SettingsKey>> reader = storage->OpenForRead(kSettingsKey);
  ASSERT_TRUE(reader.ok());
  const Status written = (*reader)->Write("HelpVer", SettingsValue::Dword(1));
  EXPECT_EQ(written.kind(), ErrorKind::kIo);
  EXPECT_EQ(written.message().rfind("Cannot write HelpVer: registry error ", 0), 0u)
      << written.message();
  SetRaw(L"HelpVer", REG_DWORD, "\x01\0\0\0", 4);
  const Status deleted = (*reader)->Delete("HelpVer");
  EXPECT_EQ(deleted.kind(), ErrorKind::kIo);
  EXPECT_EQ(deleted.message().rfind("Cannot delete HelpVer: registry error ", 0), 0u)
      << deleted.message();
  EXPECT_EQ(ReadBack("HelpVer"), SettingsValue::Dword(1));
}

// Longer than the first read buffer: the value is read again, whole.
TEST_F(RegistryStorageTest, LongValuesAreReadWhole) {
  auto storage = MakeRegistryStorage();
  auto key = Open(*storage, kSettingsKey);
  ASSERT_TRUE(key);
  std::string text;
  for (int i = 0; i < 500; ++i) text += "Set " + std::to_string(i) + ",";
  std::string binary(3000, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 31);
  ASSERT_TRUE(key->Write("RefSets", SettingsValue::String(text)).ok());
  ASSERT_TRUE(key->Write("StateMain", SettingsValue::Binary(binary)).ok());
  EXPECT_EQ(ReadBack("RefSets"), SettingsValue::String(text));
  EXPECT_EQ(ReadBack("StateMain"), SettingsValue::Binary(binary));
}

// Strings written by other programs may lack the terminator or carry more
// than one; a character outside Windows-1252 reads as "?".
TEST_F(RegistryStorageTest, ForeignStringsReadAsText) {
  const wchar_t unterminated[] = {L'a', L'b', L'c'};
  SetRaw(L"A", REG_SZ, unterminated, sizeof unterminated);
  const wchar_t doubled[] = L"xyz\0";
  SetRaw(L"B", REG_SZ, doubled, sizeof doubled);
  const wchar_t greek[] = L"\u03A8 \u00FC";
  SetRaw(L"C", REG_SZ, greek, sizeof greek);
  SetRaw(L"D", REG_SZ, L"", 0);
  EXPECT_EQ(ReadBack("A"), SettingsValue::String("abc"));
  EXPECT_EQ(ReadBack("B"), SettingsValue::String("xyz"));
  EXPECT_EQ(ReadBack("C"), SettingsValue::String("? \xFC"));
  EXPECT_EQ(ReadBack("D"), SettingsValue::String(""));
}

// A value of another type than the setting's is skipped and reported; the
// load goes on to the end.
TEST_F(RegistryStorageTest, WrongTypesAreSkippedOneByOne) {
  Properties saved = DefaultProperties();
  saved.rz_tabs_font_size = 12;
  saved.last_bible_verse = 100;
  saved.help_ver = 7;
  saved.rz_tabs_font = "Tahoma";
  {
    auto storage = MakeRegistryStorage();
    ASSERT_TRUE(SaveProperties(saved, *storage).ok());
  }
  SetRaw(L"RzTabsFontSize", REG_SZ, L"12", sizeof L"12");  // string for a dword
  const DWORD five = 5;
  SetRaw(L"RzTabsFont", REG_DWORD, &five, sizeof five);  // dword for a string
  const unsigned long long wide = 100;
  SetRaw(L"LastBibleVerse", REG_QWORD, &wide, sizeof wide);  // a type never written
  SetRaw(L"StateMain", REG_BINARY, "\x01\x02", 2);           // binary of the wrong length

  auto storage = MakeRegistryStorage();
  Properties loaded = DefaultProperties();
  const LoadReport report = LoadProperties(loaded, *storage);
  const Properties defaults = DefaultProperties();
  EXPECT_EQ(loaded.rz_tabs_font_size, defaults.rz_tabs_font_size);
  EXPECT_EQ(loaded.rz_tabs_font, defaults.rz_tabs_font);
  EXPECT_EQ(loaded.last_bible_verse, defaults.last_bible_verse);
  EXPECT_FALSE(loaded.state_main.IsStored());
  EXPECT_EQ(loaded.help_ver, 7) << "values after the bad ones are still read";
  ASSERT_EQ(report.problems.size(), 4u);
  for (const char* name : {"RzTabsFontSize", "RzTabsFont", "LastBibleVerse", "StateMain"}) {
    bool reported = false;
    for (const std::string& p : report.problems)
      reported |= p.rfind(std::string(name) + ":", 0) == 0;
    EXPECT_TRUE(reported) << name;
  }
}

// Without a file name the program keeps its settings in the registry.
TEST_F(RegistryStorageTest, TheDefaultStorageIsTheRegistry) {
  auto storage = MakeDefaultSettingsStorage();
  auto key = Open(*storage, kSettingsKey);
  ASSERT_TRUE(key);
  ASSERT_TRUE(key->Write("HelpVer", SettingsValue::Dword(42)).ok());
  ASSERT_TRUE(storage->Flush().ok());
  DWORD type = 0;
  std::wstring raw;
  ASSERT_TRUE(Raw(L"HelpVer", &type, &raw));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
}

TEST(DefaultSettingsStorage, PosixUsesTheSettingsFile) { LUMORA_POSIX_ONLY(); }

#else

// The Windows tests, reported as skipped elsewhere.
TEST(RegistryStorageTest, StringDwordAndBinaryValuesAsTheRegistryHoldsThem) {
  LUMORA_WINDOWS_ONLY();
}
TEST(RegistryStorageTest, MissingKeysAndValues) { LUMORA_WINDOWS_ONLY(); }
TEST(RegistryStorageTest, RefusalsAreErrors) { LUMORA_WINDOWS_ONLY(); }
TEST(RegistryStorageTest, LongValuesAreReadWhole) { LUMORA_WINDOWS_ONLY(); }
TEST(RegistryStorageTest, ForeignStringsReadAsText) { LUMORA_WINDOWS_ONLY(); }
TEST(RegistryStorageTest, WrongTypesAreSkippedOneByOne) { LUMORA_WINDOWS_ONLY(); }
TEST(RegistryStorageTest, TheDefaultStorageIsTheRegistry) { LUMORA_WINDOWS_ONLY(); }

TEST(DefaultSettingsStorage, PosixUsesTheSettingsFile) {
  auto storage = MakeDefaultSettingsStorage();
  const auto* file = dynamic_cast<const FileStorage*>(storage.get());
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->path(), DefaultSettingsFilePath());
}

#endif

}  // namespace
}  // namespace lumora::config
