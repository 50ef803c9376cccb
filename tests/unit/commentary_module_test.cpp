#include "core/modules/commentary_module.h"

#include <gtest/gtest.h>

#include "core/codec/base205.h"
#include "core/modules/commentary_header.h"
#include "core/platform/memory/memory_file_system.h"
#include "tests/support/test_bible.h"
#include "tools/builder/entry_builders.h"
#include "tools/builder/kjv_versification.h"

namespace lumora {
namespace {

using test::KjvRef;

class CommentaryModuleTest : public ::testing::Test {
 protected:
  const std::string user_ = "/lib/User";
  const std::string path_ = "/lib/User/mine.lmc";

  std::unique_ptr<TLMCommentaryModule> NewUserCommentary() {
    EXPECT_TRUE(TLMCommentaryModule::CreateUserCommentaryFile("Mine", "mine", user_, fs_).ok());
    auto c = TLMCommentaryModule::Create(path_, fs_, user_);
    EXPECT_TRUE(c.ok()) << c.status().message();
    return c.ok() ? std::move(c).value() : nullptr;
  }

  MemoryFileSystem fs_;
};

TEST_F(CommentaryModuleTest, NewUserCommentaryHasOnlyEmptySlots) {
  auto c = NewUserCommentary();
  ASSERT_TRUE(c);
  EXPECT_EQ(fs_.GetFile(path_)->size(), kEmptyCommentarySize);
  EXPECT_FALSE(c->NeedsVerseLinkRebuild());
  EXPECT_FALSE(c->IsReadOnly());
  for (int slot : {0, 26136, 31101}) {
    EXPECT_FALSE(c->HasEntry(slot));
    EXPECT_EQ(c->GetEntryText(slot), "No mine text on this verse.");
  }
  EXPECT_EQ(c->GetEntryText(-1), "No mine text on this verse.");
  EXPECT_EQ(c->GetEntryText(31102), "No mine text on this verse.");
  EXPECT_TRUE(c->EntryTitles().empty());
}

TEST_F(CommentaryModuleTest, WritingAndEmptyingSlotsKeepsTheTitleBlockInStep) {
  auto c = NewUserCommentary();
  ASSERT_TRUE(c->WriteEntry("first", 0, KjvRef).ok());
  EXPECT_EQ(c->EntryTitles(), std::vector<std::string>{"Genesis 1:1"});
  ASSERT_TRUE(c->WriteEntry("love", 26136, KjvRef).ok());
  EXPECT_EQ(c->EntryTitles(), (std::vector<std::string>{"Genesis 1:1", "John 3:16"}));
  EXPECT_EQ(c->GetEntryText(26136), "love");
  ASSERT_TRUE(c->WriteEntry("", 0, KjvRef).ok());
  EXPECT_FALSE(c->HasEntry(0));
  EXPECT_EQ(c->EntryTitles(), std::vector<std::string>{"John 3:16"});
  EXPECT_EQ(c->WriteEntry("x", 31102, KjvRef).kind(), ErrorKind::kInvalidArgument);
}

TEST_F(CommentaryModuleTest, CommentLinksToTheVersesItNames) {
  auto c = NewUserCommentary();
  const int romans5_8 = builder::KjvVerseIndex(45, 5, 8);
  ASSERT_TRUE(c->WriteEntry("see \x05" + EncodeVerseRanges({{romans5_8, romans5_8}}) + "\x08",
                            26136, KjvRef)
                  .ok());
  EXPECT_EQ(c->GetVerseEntries(romans5_8 - 1), TEntryIndex{26136});
  EXPECT_TRUE(c->HasVerseEntries(romans5_8 - 1));
  EXPECT_FALSE(c->HasVerseEntries(romans5_8));
}

TEST_F(CommentaryModuleTest, TitleBlockOfAFullCommentaryNeedsItsFull32BitLength) {
  builder::CommentarySource full;
  full.title = "Full";
  full.abbreviation = "full";
  full.slots.assign(31102, "x");
  Result<std::string> bytes = builder::BuildCommentaryModule(full);
  ASSERT_TRUE(bytes.ok());
  const CommentaryHeader h =
      CommentaryHeader::DecodeFrom(reinterpret_cast<const uint8_t*>(bytes->data()));
  fs_.SetFile("/lib/full.lmc", *bytes);
  auto c = TLMCommentaryModule::Create("/lib/full.lmc", fs_);
  ASSERT_TRUE(c.ok());
  EXPECT_EQ((*c)->EntryTitles().size(), 31102u);
  EXPECT_EQ((*c)->EntryTitles().back(), "Revelation 22:21");
  (void)h;
}

TEST_F(CommentaryModuleTest, ShippedCommentariesAreReadOnly) {
  builder::CommentarySource s;
  s.title = "Shipped";
  s.abbreviation = "ship";
  s.slots = {"in the beginning"};
  Result<std::string> bytes = builder::BuildCommentaryModule(s);
  ASSERT_TRUE(bytes.ok());
  fs_.SetFile("/lib/Commentaries/ship.lmc", *bytes);
  auto c = TLMCommentaryModule::Create("/lib/Commentaries/ship.lmc", fs_, user_);
  ASSERT_TRUE(c.ok());
  EXPECT_TRUE((*c)->IsReadOnly());
  EXPECT_EQ((*c)->GetEntryText(0), "in the beginning");
  EXPECT_EQ((*c)->WriteEntry("x", 0, KjvRef).kind(), ErrorKind::kReadOnly);
}

TEST_F(CommentaryModuleTest, OpenErrors) {
  std::string bytes(200, '\0');
  bytes[95] = 9;
  bytes.replace(96, 9, "LMCOMMENX");
  fs_.SetFile("/lib/bad.lmc", bytes);
  EXPECT_EQ(TLMCommentaryModule::Create("/lib/bad.lmc", fs_).status().message(),
            "File header invalid: LMCOMMENX");
  fs_.SetFile("/lib/short.lmc", "LMCOMMENT");
  EXPECT_EQ(TLMCommentaryModule::Create("/lib/short.lmc", fs_).status().kind(), ErrorKind::kCreate);
}

}  // namespace
}  // namespace lumora
