// lumora-cli config: listing and setting values without the GUI.
#include <gtest/gtest.h>

#include <sstream>

#include "config/file_storage.h"
#include "config/memory_storage.h"
#include "core/platform/memory/memory_file_system.h"
#include "tools/cli/cli_options.h"
#include "tools/cli/config_command.h"

namespace lumora::cli {
namespace {

struct Outcome {
  int code;
  std::string out, err;
};

Outcome Config(config::SettingsStorage& storage, std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = RunConfig(storage, args, out, err);
  return {code, out.str(), err.str()};
}

std::string LineOf(const std::string& listing, const std::string& name) {
  const std::string text = "\n" + listing;
  const size_t at = text.find("\n" + name + "\t");
  if (at == std::string::npos) return "";
  return text.substr(at + 1, text.find('\n', at + 1) - at - 1);
}

TEST(ConfigCommand, ListsEveryValueWithKindAndOrigin) {
  config::MemoryStorage storage;
  storage.Set(config::kSettingsKey, "LastBibleVerse", config::SettingsValue::Dword(100));
  storage.Set(config::kSettingsKey, "ViewDict", config::SettingsValue::Dword(7));
  const Outcome r = Config(storage, {});
  ASSERT_EQ(r.code, 0);
  EXPECT_EQ(LineOf(r.out, "LastBibleVerse"), "LastBibleVerse\tinteger\t100\tstorage");
  EXPECT_EQ(LineOf(r.out, "RzTabsFont"), "RzTabsFont\tstring\tArial\tdefault");
  EXPECT_EQ(LineOf(r.out, "BibleView TextColor"),
            "BibleView TextColor\tcolour\t0x80000008\tdefault");
  EXPECT_EQ(LineOf(r.out, "LeftTopPct"), "LeftTopPct\treal\t0.5\tdefault");
  EXPECT_EQ(LineOf(r.out, "Bookmark 0"), "Bookmark 0\tbinary 95\t-1,,-1,\tdefault");
  EXPECT_EQ(LineOf(r.out, "StateMain"), "StateMain\tbinary 16\t-1,0,0,0\tdefault");
  EXPECT_EQ(LineOf(r.out, "BookMarkTitles"), "BookMarkTitles\tlist\t,,,,,,,,,\tdefault");
  EXPECT_EQ(LineOf(r.out, "MRUs\\Export"), "MRUs\\Export\tlist\t\tdefault");
  // The bad flag is reported and shown at its default.
  EXPECT_EQ(LineOf(r.out, "ViewDict"), "ViewDict\tbool\ttrue\tdefault");
  EXPECT_NE(r.err.find("ViewDict"), std::string::npos);
}

TEST(ConfigCommand, SetsOneValueUnderItsDomain) {
  config::MemoryStorage storage;
  Outcome r = Config(storage, {"set", "lastbibleverse", "43"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(storage.Get(config::kSettingsKey, "LastBibleVerse"), config::SettingsValue::Dword(43));
  EXPECT_FALSE(storage.Get(config::kSettingsKey, "RzTabsFont"));  // nothing else written

  r = Config(storage, {"set", "LastBibleVerse", "31103"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(storage.Get(config::kSettingsKey, "LastBibleVerse"), config::SettingsValue::Dword(43));
  EXPECT_EQ(Config(storage, {"set", "NoSuchSetting", "1"}).code, 2);
  EXPECT_EQ(Config(storage, {"set", "RefSets", "a"}).code, 2);
  EXPECT_EQ(Config(storage, {"set", "BookMarkTitles", "a,b"}).code, 2);

  ASSERT_EQ(Config(storage, {"set", "BookMarkTitles", ",\"Morning, Psalm\",,,,,,,,"}).code, 0);
  ASSERT_EQ(Config(storage, {"set", "StateMain", "10,20,300,400"}).code, 0);
  ASSERT_EQ(Config(storage, {"set", "KeyHiLightColor", "0x00FF00"}).code, 0);
  ASSERT_EQ(Config(storage, {"set", "RzTabsFont", "Caf\xC3\xA9"}).code, 0);  // UTF-8 in
  r = Config(storage, {});
  EXPECT_EQ(LineOf(r.out, "StateMain"), "StateMain\tbinary 16\t10,20,300,400\tstorage");
  EXPECT_EQ(LineOf(r.out, "KeyHiLightColor"), "KeyHiLightColor\tcolour\t0x0000FF00\tstorage");
  EXPECT_EQ(LineOf(r.out, "RzTabsFont"), "RzTabsFont\tstring\tCaf\xC3\xA9\tstorage");
  EXPECT_EQ(LineOf(r.out, "BookMarkTitles"),
            "BookMarkTitles\tlist\t,\"Morning, Psalm\",,,,,,,,\tstorage");
}

TEST(ConfigCommand, AStoreThatCannotBeWrittenFails) {
  config::MemoryStorage storage;
  storage.fail_flush = true;
  const Outcome r = Config(storage, {"set", "ViewBible", "false"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("Unable to write configuration"), std::string::npos);
}

TEST(ConfigCommand, WorksOnASettingsFile) {
  MemoryFileSystem fs;
  {
    config::FileStorage storage(fs, "/c/settings.reg");
    ASSERT_EQ(Config(storage, {"set", "IncChPrev", "true"}).code, 0);
  }
  EXPECT_NE(fs.GetFile("/c/settings.reg")->find("\"IncChPrev\"=dword:00000001"), std::string::npos);
  config::FileStorage storage(fs, "/c/settings.reg");
  EXPECT_EQ(LineOf(Config(storage, {}).out, "IncChPrev"), "IncChPrev\tbool\ttrue\tstorage");
}

TEST(ConfigCommand, OptionNamesTheFileAndUsageIsChecked) {
  const char* argv[] = {"lumora-cli", "--config", "/tmp/s.reg", "config", "set", "A", "-1"};
  std::string error;
  auto o = ParseCliOptions(7, const_cast<char**>(argv), error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->config_file, "/tmp/s.reg");
  EXPECT_EQ(o->command, "config");
  EXPECT_EQ(o->arguments, (std::vector<std::string>{"set", "A", "-1"}));
  const char* missing[] = {"lumora-cli", "config", "--config"};
  EXPECT_FALSE(ParseCliOptions(3, const_cast<char**>(missing), error));
  config::MemoryStorage storage;
  EXPECT_EQ(Config(storage, {"set", "A"}).code, 2);
  EXPECT_EQ(Config(storage, {"list"}).code, 2);
}

}  // namespace
}  // namespace lumora::cli
