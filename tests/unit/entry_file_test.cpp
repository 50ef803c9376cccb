#include "core/modules/entry_file.h"

#include <gtest/gtest.h>

#include "core/io/byte_io.h"
#include "core/modules/commentary_module.h"
#include "core/platform/memory/memory_file_system.h"
#include "core/refs/verse_index.h"

namespace lumora {
namespace {

// A body as AssembleEntryFile lays it out: a 16-byte header area, a table of
// two entries, the records, the title block.
std::string TwoEntryBody() {
  std::string file(16, '\0');
  AppendU32(file, 24);  // entry 0 at 24
  AppendU32(file, 0xFFFFFFFF);  // entry 1 has no text
  AppendU16(file, 3);
  file += "abc";  // entry 0: 24..29
  AppendU32(file, 2);
  file += "xy";  // title block: 29..35
  return file;
}

TEST(EntryFileTest, EndOfEntryDataCountsOnlyWhatLiesInsideTheFile) {
  const std::string sound = TwoEntryBody();
  struct Case {
    const char* what;
    size_t at;         // where a 4- or 2-byte value is patched (0: nothing)
    uint32_t value;
    bool two_bytes;
    uint32_t title_block;
    uint64_t expected;
  };
  const Case cases[] = {
      {"sound file", 0, 0, false, 29, 35},
      {"title block claims 4 GB", 29, 0xFFFFFFF0u, false, 29, 29},
      {"title block named at the header", 0, 0, false, 0, 29},
      {"title block outside the file", 0, 0, false, 1000, 29},
      {"record length past the end", 24, 0xFFFF, true, 29, 35},
      {"record offset past the end", 16, 5000, false, 29, 35},
  };
  for (const Case& c : cases) {
    std::string file = sound;
    if (c.at != 0) {
      if (c.two_bytes)
        StoreU16(file, c.at, static_cast<uint16_t>(c.value));
      else
        StoreU32(file, c.at, c.value);
    }
    const auto* base = reinterpret_cast<const uint8_t*>(file.data());
    EXPECT_EQ(EndOfEntryData(base, file.size(), 16, 2, c.title_block), c.expected) << c.what;
    EXPECT_LE(EndOfEntryData(base, file.size(), 16, 2, c.title_block), file.size()) << c.what;
  }
}

// Found by fuzzing: a user Commentary whose title-block offset names the
// header read the header's first bytes as a length of about 2 GB, and the
// rebuild wrote its index that far out, growing the file to match.
TEST(EntryFileTest, RebuildOfADamagedTitleBlockWritesTheIndexAtTheEndOfTheData) {
  MemoryFileSystem fs;
  ASSERT_TRUE(TLMCommentaryModule::CreateUserCommentaryFile("Fuzz Commentary", "mine", "/User", fs).ok());
  {
    auto c = TLMCommentaryModule::Create("/User/mine.lmc", fs, "/User");
    ASSERT_TRUE(c.ok());
    ASSERT_TRUE((*c)->WriteEntry("see \x05" "1\x08", 0, [](int) { return std::string("v"); }).ok());
  }
  std::string bytes = *fs.GetFile("/User/mine.lmc");
  StoreU32(bytes, 66, 0);  // the title block "at" the header
  fs.SetFile("/User/mine.lmc", bytes);
  auto damaged = TLMCommentaryModule::Create("/User/mine.lmc", fs, "/User");
  ASSERT_TRUE(damaged.ok()) << damaged.status().message();
  EXPECT_TRUE((*damaged)->EntryTitles().empty());  // the titles are lost, nothing else
  ASSERT_TRUE((*damaged)->RebuildVerseLinks().ok());
  EXPECT_LE(fs.GetFile("/User/mine.lmc")->size(), bytes.size() + 2 + kVerseCount * 6);
  EXPECT_FALSE((*damaged)->NeedsVerseLinkRebuild());
  EXPECT_EQ((*damaged)->GetVerseEntries(0), TEntryIndex{0});
  EXPECT_EQ((*damaged)->GetEntryText(0), "see \x05" "1\x08");
}

}  // namespace
}  // namespace lumora
