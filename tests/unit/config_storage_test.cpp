// The settings file format and the file and memory storages.
#include <gtest/gtest.h>

#include <map>

#include "config/file_storage.h"
#include "config/memory_storage.h"
#include "config/reg_file_format.h"
#include "core/platform/memory/memory_file_system.h"
#include "tests/support/platform_only.h"

namespace lumora::config {
namespace {

constexpr const char* kFile = "/home/u/.config/Lumora/settings.reg";

SettingsDocument Parse(std::string_view text, std::vector<std::string>* problems = nullptr) {
  SettingsDocument doc;
  std::vector<std::string> local;
  ParseRegFile(text, doc, problems ? *problems : local);
  return doc;
}

std::optional<SettingsValue> Get(const SettingsDocument& doc, std::string_view key,
                                 std::string_view name) {
  const SettingsDocument::Key* k = doc.FindKey(key);
  const SettingsValue* v = k ? SettingsDocument::Find(*k, name) : nullptr;
  return v ? std::optional<SettingsValue>(*v) : std::nullopt;
}

TEST(RegFile, WritesTheRegistryExportSyntax) {
  SettingsDocument doc;
  SettingsDocument::Key& mrus = doc.CreateKey("Software\\Lumora 4\\MRUs");
  SettingsDocument::Set(mrus, "Export_Count", SettingsValue::Dword(1));
  SettingsDocument::Key& key = doc.CreateKey("Software\\Lumora 4");
  SettingsDocument::Set(key, "RzTabsFont", SettingsValue::String("C:\\Say \"hi\" \xE9"));
  SettingsDocument::Set(key, "BigSearchTreeHeight", SettingsValue::Dword(-1));
  SettingsDocument::Set(key, "DocPosBible",
                        SettingsValue::Binary(std::string("\x01\xAB\0\xFF", 4)));
  SettingsDocument::Set(key, "Title", SettingsValue::String("two\nlines"));
  EXPECT_EQ(FormatRegFile(doc),
            "REGEDIT4\n"
            "; Lumora settings. UTF-8; value names compare without regard to case.\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\Lumora 4]\n"
            "\"RzTabsFont\"=\"C:\\\\Say \\\"hi\\\" \xC3\xA9\"\n"
            "\"BigSearchTreeHeight\"=dword:ffffffff\n"
            "\"DocPosBible\"=hex:01,ab,00,ff\n"
            "\"Title\"=hex(1):74,77,6f,0a,6c,69,6e,65,73,00\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\Lumora 4\\MRUs]\n"
            "\"Export_Count\"=dword:00000001\n");
}

TEST(RegFile, EveryByteOfAStringAndABinaryReadsBack) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  SettingsDocument doc;
  SettingsDocument::Key& key = doc.CreateKey("K");
  SettingsDocument::Set(key, "text", SettingsValue::String(all));
  SettingsDocument::Set(key, "printable", SettingsValue::String(all.substr(32)));
  SettingsDocument::Set(key, "bin", SettingsValue::Binary(all));
  SettingsDocument::Set(key, "odd", SettingsValue{11, "12345678"});
  std::vector<std::string> problems;
  const SettingsDocument back = Parse(FormatRegFile(doc), &problems);
  EXPECT_TRUE(problems.empty());
  for (const char* name : {"text", "printable", "bin", "odd"})
    EXPECT_EQ(Get(back, "K", name), Get(doc, "K", name)) << name;
}

TEST(RegFile, ReadsHandEditedForms) {
  std::vector<std::string> problems;
  const SettingsDocument doc = Parse(
      "\xEF\xBB\xBFREGEDIT4\r\n"
      "; a comment\r\n"
      "[hkey_current_user\\software\\lumora 4]\r\n"
      "\"LastBibleVerse\" = dword:000065BE\r\n"
      "\"Bin\"=hex:01,02,\\\r\n"
      "  03,04\r\n"
      "\"Path\"=\"C:\\Bibles\\\\\"\r\n"  // a lone backslash is text; a last one is doubled
      "\"Gone\"=-\r\n",
      &problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  EXPECT_EQ(Get(doc, "Software\\Lumora 4", "lastbibleverse"), SettingsValue::Dword(26046));
  EXPECT_EQ(Get(doc, "SOFTWARE\\LUMORA 4", "Bin"), SettingsValue::Binary("\x01\x02\x03\x04"));
  EXPECT_EQ(Get(doc, "Software\\Lumora 4", "Path"), SettingsValue::String("C:\\Bibles\\"));
  EXPECT_FALSE(Get(doc, "Software\\Lumora 4", "Gone"));
}

TEST(RegFile, SkipsWhatItCannotReadAndGoesOn) {
  struct Case {
    const char* line;
    const char* why;
  };
  const Case bad[] = {
      {"\"A\"=dword:0000009", "eight hex digits"},  // truncated dword
      {"\"A\"=dword:00000009x", "eight hex digits"},
      {"\"A\"=hex:01,0", "two hex digits"},  // truncated byte
      {"\"A\"=hex:01,,02", "two hex digits"},
      {"\"A\"=\"unterminated", "string"},
      {"\"A\"=\"x\" junk", "string"},
      {"\"A\"=hex(4):01,02", "four bytes"},
      {"\"A\"=qword:1", "unknown value data"},
      {"\"A", "not a key or value line"},
      {"\"A\"", "missing '='"},
      {"\x01\x02\xFF\xFE", "not a key or value line"},
  };
  for (const Case& c : bad) {
    std::vector<std::string> problems;
    const SettingsDocument doc =
        Parse(std::string("REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"Before\"=dword:00000001\n") +
                  c.line + "\n\"After\"=dword:00000002\n",
              &problems);
    ASSERT_EQ(problems.size(), 1u) << c.line;
    EXPECT_NE(problems[0].find("line 4"), std::string::npos) << problems[0];
    EXPECT_NE(problems[0].find(c.why), std::string::npos) << problems[0];
    EXPECT_FALSE(Get(doc, "K", "A")) << c.line;
    EXPECT_EQ(Get(doc, "K", "Before"), SettingsValue::Dword(1)) << c.line;
    EXPECT_EQ(Get(doc, "K", "After"), SettingsValue::Dword(2)) << c.line;
  }
}

TEST(RegFile, ValuesOutsideAUsableKeyAreNotTaken) {
  std::vector<std::string> problems;
  const SettingsDocument doc = Parse(
      "REGEDIT4\n\"Orphan\"=dword:00000001\n[HKEY_LOCAL_MACHINE\\K]\n\"Foreign\"=dword:00000001\n"
      "[HKEY_CURRENT_USER\\K\n\"Open\"=dword:00000001\n",
      &problems);
  EXPECT_EQ(problems.size(), 5u);
  EXPECT_FALSE(doc.HasKey("K"));
}

TEST(RegFile, AFileOfGarbageReportsABoundedNumberOfLines) {
  std::string garbage = "REGEDIT4\n";
  for (int i = 0; i < 500; ++i) garbage += "garbage line\n";
  std::vector<std::string> problems;
  Parse(garbage, &problems);
  ASSERT_EQ(problems.size(), static_cast<size_t>(kMaxReportedLines) + 1);
  EXPECT_NE(problems.back().find("490 more lines"), std::string::npos) << problems.back();
}

class FileStorageTest : public ::testing::Test {
 protected:
  static void Write(SettingsStorage& s, std::string_view name, SettingsValue v) {
    auto key = s.OpenForWrite("Software\\Lumora 4");
    ASSERT_TRUE(key.ok());
    ASSERT_TRUE((*key)->Write(name, v).ok());
  }
  static std::optional<SettingsValue> Read(SettingsStorage& s, std::string_view name) {
    auto key = s.OpenForRead("Software\\Lumora 4");
    if (!key.ok()) return std::nullopt;
    auto v = (*key)->Read(name);
    return v.ok() ? *v : std::nullopt;
  }
  MemoryFileSystem fs_;
};

// Found with the fuzz harness: every value and key was looked up by a scan
// of all the others, so a settings file of a few hundred thousand lines took
// hours to read. Names still compare without regard to case, a rewrite
// keeps its place and a deletion closes the gap.
TEST(RegFile, AFileOfThousandsOfValuesAndKeysReads) {
  std::string text = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n";
  for (int i = 0; i < 200'000; ++i) text += "\"v" + std::to_string(i) + "\"=dword:00000001\n";
  text += "\"V17\"=dword:00000002\n";
  for (int i = 0; i < 50'000; ++i) text += "[HKCU\\K\\s" + std::to_string(i) + "]\n";
  text += "[HKCU\\k\\S49999]\n\"x\"=\"y\"\n";
  SettingsDocument doc = Parse(text);
  SettingsDocument::Key* key = doc.FindKey("k");
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(key->values.size(), 200'000u);
  EXPECT_EQ(key->values[17].name, "v17");
  EXPECT_EQ(Get(doc, "K", "V17"), SettingsValue::Dword(2));
  EXPECT_EQ(doc.SortedKeys().size(), 50'001u);
  EXPECT_EQ(Get(doc, "K\\s49999", "X"), SettingsValue::String("y"));
  SettingsDocument::Erase(*key, "V3");
  SettingsDocument::Set(*key, "v199999", SettingsValue::Dword(5));
  SettingsDocument::Set(*key, "new", SettingsValue::Dword(6));
  EXPECT_EQ(key->values.size(), 200'000u);
  EXPECT_EQ(key->values[3].name, "v4");
  EXPECT_EQ(key->values[199'998].value, SettingsValue::Dword(5));
  EXPECT_EQ(key->values.back().name, "new");
  EXPECT_EQ(Get(doc, "K", "v3"), std::nullopt);
  EXPECT_EQ(Get(doc, "K", "V4"), SettingsValue::Dword(1));
}

TEST_F(FileStorageTest, FirstSaveCreatesTheFoldersAndTheFile) {
  FileStorage storage(fs_, kFile);
  EXPECT_EQ(storage.OpenForRead("Software\\Lumora 4").status().kind(), ErrorKind::kNotFound);
  Write(storage, "HelpVer", SettingsValue::Dword(20030630));
  ASSERT_TRUE(storage.Flush().ok());
  ASSERT_TRUE(fs_.GetFile(kFile));
  EXPECT_FALSE(fs_.FileExists(std::string(kFile) + ".tmp"));
  FileStorage again(fs_, kFile);
  EXPECT_EQ(Read(again, "helpver"), SettingsValue::Dword(20030630));
  EXPECT_TRUE(again.Problems().empty());
}

TEST_F(FileStorageTest, ACrashWhileSavingKeepsThePreviousFile) {
  {
    FileStorage storage(fs_, kFile);
    Write(storage, "LastBibleVerse", SettingsValue::Dword(100));
    ASSERT_TRUE(storage.Flush().ok());
  }
  const std::string before = *fs_.GetFile(kFile);
  for (int fault = 0; fault < 2; ++fault) {
    FileStorage storage(fs_, kFile);
    Write(storage, "LastBibleVerse", SettingsValue::Dword(200));
    if (fault == 0) {
      fs_.TearNextWrite(10);
    } else {
      fs_.FailNext(FileOp::kRename);
    }
    EXPECT_FALSE(storage.Flush().ok()) << fault;
    EXPECT_EQ(fs_.GetFile(kFile), before) << fault;
    EXPECT_FALSE(fs_.FileExists(std::string(kFile) + ".tmp")) << fault;
  }
}

TEST_F(FileStorageTest, AnUnreadableFileIsNeverOverwritten) {
  fs_.SetFile(kFile, "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Lumora 4]\n\"A\"=dword:00000001\n");
  FileStorage storage(fs_, kFile);
  fs_.FailNext(FileOp::kRead);
  EXPECT_EQ(storage.OpenForRead("Software\\Lumora 4").status().kind(), ErrorKind::kIo);
  fs_.FailNext(FileOp::kRead);
  EXPECT_FALSE(storage.OpenForWrite("Software\\Lumora 4").ok());
  // Readable again: the settings are all there.
  EXPECT_EQ(Read(storage, "A"), SettingsValue::Dword(1));
}

TEST_F(FileStorageTest, KeepsValuesItDoesNotKnowAndTheSpellingOfNames) {
  fs_.SetFile(kFile,
              "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Lumora 4]\n"
              "\"StateBigsearch\"=hex:01\n\"FutureSetting\"=\"x\"\n");
  FileStorage storage(fs_, kFile);
  Write(storage, "StateBigSearch", SettingsValue::Binary("\x02"));
  ASSERT_TRUE(storage.Flush().ok());
  const std::string text = *fs_.GetFile(kFile);
  EXPECT_NE(text.find("\"StateBigsearch\"=hex:02\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"FutureSetting\"=\"x\"\n"), std::string::npos) << text;
}

TEST_F(FileStorageTest, AKeyOpenedForReadingRefusesWrites) {
  fs_.SetFile(kFile, "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Lumora 4\\MRUs]\n");
  FileStorage storage(fs_, kFile);
  auto key = storage.OpenForRead("Software\\Lumora 4");  // exists: it has a subkey
  ASSERT_TRUE(key.ok());
  EXPECT_FALSE((*key)->Write("A", SettingsValue::Dword(1)).ok());
}

#ifndef __APPLE__
TEST(DefaultSettingsFilePath, FollowsTheXdgRules) {
  LUMORA_POSIX_ONLY();
  auto path = [](std::map<std::string, std::string> env) {
    return DefaultSettingsFilePath([env](const char* name) -> const char* {
      auto it = env.find(name);
      return it == env.end() ? nullptr : it->second.c_str();
    });
  };
  EXPECT_EQ(path({{"XDG_CONFIG_HOME", "/x/cfg"}, {"HOME", "/home/u"}}),
            "/x/cfg/Lumora/settings.reg");
  EXPECT_EQ(path({{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/home/u"}}),
            "/home/u/.config/Lumora/settings.reg");
  EXPECT_EQ(path({{"XDG_CONFIG_HOME", ""}, {"HOME", "/home/u"}}),
            "/home/u/.config/Lumora/settings.reg");
  EXPECT_EQ(path({}), "");
}
#endif

// Windows keeps the settings in the registry, but the file has its place
// there too: the roaming application data.
TEST(DefaultSettingsFilePath, WindowsUsesTheRoamingApplicationData) {
  LUMORA_WINDOWS_ONLY();
  auto path = [](std::map<std::string, std::string> env) {
    return DefaultSettingsFilePath([env](const char* name) -> const char* {
      auto it = env.find(name);
      return it == env.end() ? nullptr : it->second.c_str();
    });
  };
  EXPECT_EQ(path({{"APPDATA", "C:\\Users\\u\\AppData\\Roaming"}, {"USERPROFILE", "C:\\x"}}),
            "C:\\Users\\u\\AppData\\Roaming\\Lumora\\settings.reg");
  EXPECT_EQ(path({{"USERPROFILE", "C:\\Users\\u"}}),
            "C:\\Users\\u\\AppData\\Roaming\\Lumora\\settings.reg");
  EXPECT_EQ(path({}), "");
}

TEST(MemoryStorage, InjectedFaultsFailOnlyTheirCall) {
  MemoryStorage storage;
  storage.fail_write_of = {"B"};
  auto key = storage.OpenForWrite("K");
  ASSERT_TRUE(key.ok());
  EXPECT_TRUE((*key)->Write("A", SettingsValue::Dword(1)).ok());
  EXPECT_FALSE((*key)->Write("B", SettingsValue::Dword(1)).ok());
  storage.fail_read_of = {"A"};
  auto reader = storage.OpenForRead("k");
  ASSERT_TRUE(reader.ok());
  EXPECT_FALSE((*reader)->Read("A").ok());
  storage.fail_open_for_read = true;
  EXPECT_FALSE(storage.OpenForRead("K").ok());
}

}  // namespace
}  // namespace lumora::config
