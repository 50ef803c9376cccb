#include "tests/support/test_bible.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "tools/builder/entry_builders.h"
#include "tools/builder/kjv_versification.h"

namespace lumora::test {

builder::BibleSource MakeTestBible(const std::string& abbreviation, bool strongs) {
  builder::BibleSource s;
  s.title = abbreviation + " Test Bible";
  s.abbreviation = abbreviation;
  s.has_strongs = strongs;
  s.has_brackets = true;
  s.has_footnotes = true;
  const auto& table = builder::KjvVerseTable();
  s.verses.resize(table.size());
  static const char* const kWords[] = {"and", "the", "LORD", "said", "unto", "Moses",
                                       "God", "god", "beginning", "Beth-el"};
  for (size_t i = 0; i + 3 < table.size(); ++i) {
    const auto& v = table[i];
    std::string text = std::to_string(v.book) + ":" + std::to_string(v.chapter) + ":" +
                       std::to_string(v.verse);
    for (size_t k = 0; k < 3; ++k) {
      text += ' ';
      text += kWords[(i + k * 7) % 10];
    }
    s.verses[i] = text;
  }
  const std::string h = strongs ? builder::StrongsToken(true, 7225) : "";
  const std::string g1 = strongs ? builder::StrongsToken(false, 2316) : "";
  const std::string g2 = strongs ? builder::StrongsToken(false, 25) : "";
  s.verses[0] = "In the beginning" + h + " God created the heaven and the earth.";
  s.verses[kJohn3_16 - 1] = "For God" + g1 + " so loved" + g2 +
                            " the world, that he gave his only begotten Son, that "
                            "whosoever believeth in him should not perish, {Or, be lost} but "
                            "have [everlasting] life.";
  return s;
}

std::string KjvRef(int verse) {
  const auto& at = builder::KjvVerseTable()[static_cast<size_t>(verse - 1)];
  return builder::KjvBooks()[at.book - 1].long_title + " " + std::to_string(at.chapter) + ":" +
         std::to_string(at.verse);
}

std::string WriteTestBible(const std::string& folder, const std::string& name,
                           const builder::BibleSource& source) {
  std::filesystem::create_directories(folder);
  const std::string path = (std::filesystem::path(folder) / name).string();
  const Status status = builder::WriteBibleModule(source, path);
  EXPECT_TRUE(status.ok()) << status.message();
  return path;
}

}  // namespace lumora::test

namespace lumora::test {

const std::string& TestBibleBytes(const std::string& abbreviation) {
  static std::map<std::string, std::string> cache;
  auto it = cache.find(abbreviation);
  if (it == cache.end()) {
    Result<std::string> bytes = builder::BuildBibleModule(MakeTestBible(abbreviation));
    EXPECT_TRUE(bytes.ok()) << bytes.status().message();
    it = cache.emplace(abbreviation, bytes.ok() ? bytes.value() : std::string()).first;
  }
  return it->second;
}

}  // namespace lumora::test

namespace lumora::test {

void WriteTestStrongsData(const std::string& folder) {
  std::vector<StrongsWord> hebrew(8674), greek(5624);
  hebrew[0] = {"'b", "'ab", "awb"};
  hebrew[7224] = {"tyvar", "re'shiyth", "ray-sheeth'"};
  greek[0] = {"A", "A", "al'-fah"};
  greek[25] = {"agaph", "agape", "ag-ah'-pay"};
  std::filesystem::create_directories(folder);
  const Status s = builder::WriteStrongsData(
      hebrew, greek, (std::filesystem::path(folder) / kStrongsDataFileName).string());
  EXPECT_TRUE(s.ok()) << s.message();
}

}  // namespace lumora::test
