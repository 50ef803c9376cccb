// Every step of a module write fails in turn: afterwards the module and the
// file on disk hold the old or the new complete content, never less.
#include <gtest/gtest.h>

#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/platform/memory/memory_file_system.h"
#include "tools/builder/kjv_versification.h"

namespace lumora {
namespace {

std::string Ref(int verse) { return "v" + std::to_string(verse); }

class WriteFaultTest : public ::testing::TestWithParam<FileOp> {
 protected:
  const std::string user_ = "/lib/User";
};

// Book: three entries; the write replaces entry 1's text.
TEST_P(WriteFaultTest, BookWriteEntryLeavesOldOrNewContent) {
  for (int skip = 0; skip < 6; ++skip) {
    MemoryFileSystem fs;
    fs.EmulateWindowsSharing(true);  // the strictest platform
    ASSERT_TRUE(TLMDictionaryModule::CreateUserBookFile("B", "b", user_, fs).ok());
    auto book = TLMDictionaryModule::Create("/lib/User/b.lmk", fs, user_);
    ASSERT_TRUE(book.ok());
    for (const char* t : {"a", "b", "c"}) ASSERT_TRUE((*book)->AddEntry(t).ok());
    for (int i = 0; i < 3; ++i) ASSERT_TRUE((*book)->WriteEntry("old " + std::to_string(i), i).ok());

    fs.FailNext(GetParam(), skip);
    const Status s = (*book)->WriteEntry("new 1", 1);
    fs.ClearFaults();
    const std::string seen = (*book)->GetEntryText(1);
    if (s.ok()) {
      EXPECT_EQ(seen, "new 1");
    } else {
      EXPECT_TRUE(seen == "old 1" || seen == "new 1") << seen;
    }
    EXPECT_EQ((*book)->GetEntryText(0), "old 0");
    EXPECT_EQ((*book)->GetEntryText(2), "old 2");
    book->reset();
    // What is on disk opens and holds every entry.
    auto reopened = TLMDictionaryModule::Create("/lib/User/b.lmk", fs, user_);
    ASSERT_TRUE(reopened.ok()) << reopened.status().message();
    ASSERT_EQ((*reopened)->EntryCount(), 3);
    const std::string on_disk = (*reopened)->GetEntryText(1);
    EXPECT_TRUE(on_disk == "old 1" || on_disk == "new 1") << on_disk;
    if (s.ok()) {
      EXPECT_EQ(on_disk, "new 1");
    }
    EXPECT_EQ((*reopened)->GetEntryText(2), "old 2");
  }
}

TEST_P(WriteFaultTest, BookAddEntryNeverLosesAnEntry) {
  for (int skip = 0; skip < 6; ++skip) {
    MemoryFileSystem fs;
    ASSERT_TRUE(TLMDictionaryModule::CreateUserBookFile("B", "b", user_, fs).ok());
    auto book = TLMDictionaryModule::Create("/lib/User/b.lmk", fs, user_);
    ASSERT_TRUE(book.ok());
    ASSERT_TRUE((*book)->AddEntry("m").ok());
    ASSERT_TRUE((*book)->WriteEntry("keep me", 0).ok());
    fs.FailNext(GetParam(), skip);
    const Status s = (*book)->AddEntry("a");
    fs.ClearFaults();
    EXPECT_EQ((*book)->EntryCount(), s.ok() ? 2 : (*book)->EntryCount());
    EXPECT_EQ((*book)->GetEntryText((*book)->FindTitle("m")), "keep me");
    book->reset();
    auto reopened = TLMDictionaryModule::Create("/lib/User/b.lmk", fs, user_);
    ASSERT_TRUE(reopened.ok());
    EXPECT_EQ((*reopened)->GetEntryText((*reopened)->FindTitle("m")), "keep me");
  }
}

TEST_P(WriteFaultTest, CommentaryWriteEntryLeavesOldOrNewContent) {
  for (int skip = 0; skip < 6; ++skip) {
    MemoryFileSystem fs;
    ASSERT_TRUE(TLMCommentaryModule::CreateUserCommentaryFile("C", "c", user_, fs).ok());
    auto c = TLMCommentaryModule::Create("/lib/User/c.lmc", fs, user_);
    ASSERT_TRUE(c.ok());
    ASSERT_TRUE((*c)->WriteEntry("old 0", 0, Ref).ok());
    ASSERT_TRUE((*c)->WriteEntry("old 9", 9, Ref).ok());
    fs.FailNext(GetParam(), skip);
    const Status s = (*c)->WriteEntry("new 9", 9, Ref);
    fs.ClearFaults();
    const std::string seen = (*c)->GetEntryText(9);
    EXPECT_TRUE(seen == "old 9" || seen == "new 9") << seen;
    if (s.ok()) {
      EXPECT_EQ(seen, "new 9");
    }
    EXPECT_EQ((*c)->GetEntryText(0), "old 0");
    c->reset();
    auto reopened = TLMCommentaryModule::Create("/lib/User/c.lmc", fs, user_);
    ASSERT_TRUE(reopened.ok());
    EXPECT_EQ((*reopened)->GetEntryText(0), "old 0");
    const std::string on_disk = (*reopened)->GetEntryText(9);
    EXPECT_TRUE(on_disk == "old 9" || on_disk == "new 9") << on_disk;
  }
}

TEST_P(WriteFaultTest, InPlaceRebuildFailureKeepsAWorkingModule) {
  for (int skip = 0; skip < 4; ++skip) {
    MemoryFileSystem fs;
    ASSERT_TRUE(TLMDictionaryModule::CreateUserBookFile("B", "b", user_, fs).ok());
    auto book = TLMDictionaryModule::Create("/lib/User/b.lmk", fs, user_);
    ASSERT_TRUE(book.ok());
    ASSERT_TRUE((*book)->AddEntry("a").ok());
    ASSERT_TRUE((*book)->WriteEntry(std::string("\x05") + "5\x08", 0).ok());
    book->reset();
    std::string bytes = *fs.GetFile("/lib/User/b.lmk");
    bytes[99] = 1;  // stale
    fs.SetFile("/lib/User/b.lmk", bytes);
    auto stale = TLMDictionaryModule::Create("/lib/User/b.lmk", fs, user_);
    ASSERT_TRUE(stale.ok());
    fs.FailNext(GetParam(), skip);
    (void)(*stale)->RebuildVerseLinks();
    fs.ClearFaults();
    EXPECT_EQ((*stale)->GetVerseEntries(4), TEntryIndex{0});
    EXPECT_EQ((*stale)->GetEntryText(0), std::string("\x05") + "5\x08");
    stale->reset();
    auto reopened = TLMDictionaryModule::Create("/lib/User/b.lmk", fs, user_);
    ASSERT_TRUE(reopened.ok());
    EXPECT_EQ((*reopened)->GetEntryText(0), std::string("\x05") + "5\x08");
  }
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, WriteFaultTest,
                         ::testing::Values(FileOp::kWrite, FileOp::kRename, FileOp::kRemove,
                                           FileOp::kMap, FileOp::kSetTime, FileOp::kGetTime),
                         [](const ::testing::TestParamInfo<FileOp>& op) {
                           switch (op.param) {
                             case FileOp::kWrite: return std::string("Write");
                             case FileOp::kRename: return std::string("Rename");
                             case FileOp::kRemove: return std::string("Remove");
                             case FileOp::kMap: return std::string("Map");
                             case FileOp::kSetTime: return std::string("SetTime");
                             default: return std::string("GetTime");
                           }
                         });

// A torn write of the new file never reaches the module's path.
TEST(WriteFaults, TornNewFileIsNeverSwappedIn) {
  MemoryFileSystem fs;
  ASSERT_TRUE(TLMDictionaryModule::CreateUserBookFile("B", "b", "/lib/User", fs).ok());
  auto book = TLMDictionaryModule::Create("/lib/User/b.lmk", fs, "/lib/User");
  ASSERT_TRUE(book.ok());
  ASSERT_TRUE((*book)->AddEntry("a").ok());
  const std::string before = *fs.GetFile("/lib/User/b.lmk");
  fs.TearNextWrite(50);
  EXPECT_FALSE((*book)->WriteEntry("text", 0).ok());
  EXPECT_EQ(*fs.GetFile("/lib/User/b.lmk"), before);
  EXPECT_EQ((*book)->EntryCount(), 1);
}

}  // namespace
}  // namespace lumora
