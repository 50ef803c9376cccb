#include "search/find_in_resource.h"

#include <gtest/gtest.h>

#include "core/modules/bible_mapping_cache.h"
#include "core/platform/memory/memory_file_system.h"
#include "core/refs/verse_index.h"
#include "tests/support/test_bible.h"
#include "tools/builder/entry_builders.h"

namespace lumora {
namespace {

class FindInResourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BibleMappingCache::Instance().Clear();
    ASSERT_TRUE(fs_.WriteFile("/KJV.lmb", test::TestBibleBytes("KJV")).ok());
    auto kjv = TLMBibleModule::Create("/KJV.lmb", fs_);
    ASSERT_TRUE(kjv.ok());
    kjv_ = std::move(kjv).value();

    builder::BookSource b;
    b.title = "Find Test";
    b.abbreviation = "FT";
    b.entries = {{"AARON", "Aaron was the brother of Moses."},
                 {"BLANK", ""},
                 {"LOVE", "God is love.<p>Love is patient."},
                 {"MOSES", "MOSES led Israel."},
                 {"ZION", "The hill of <b>Zion</b>."}};
    auto book_bytes = builder::BuildBookModule(b);
    ASSERT_TRUE(book_bytes.ok()) << book_bytes.status().message();
    ASSERT_TRUE(fs_.WriteFile("/FT.lmk", book_bytes.value()).ok());
    auto book = TLMDictionaryModule::Create("/FT.lmk", fs_);
    ASSERT_TRUE(book.ok()) << book.status().message();
    book_ = std::move(book).value();

    builder::CommentarySource c;
    c.title = "Find Comments";
    c.abbreviation = "FC";
    c.slots.resize(kVerseCount);
    c.slots[0] = "In the beginning was grace.";
    c.slots[100] = "grace upon grace";
    c.slots[101] = "more grace";
    c.slots[test::kJohn3_16 - 1] = "God loved the world.";
    c.slots[kVerseCount - 1] = "Amen.";
    auto comment_bytes = builder::BuildCommentaryModule(c);
    ASSERT_TRUE(comment_bytes.ok()) << comment_bytes.status().message();
    ASSERT_TRUE(fs_.WriteFile("/FC.lmc", comment_bytes.value()).ok());
    auto commentary = TLMCommentaryModule::Create("/FC.lmc", fs_);
    ASSERT_TRUE(commentary.ok()) << commentary.status().message();
    commentary_ = std::move(commentary).value();
  }

  int InBook(const std::string& typed, bool case_sensitive, int first) const {
    const auto text = PrepareFindText(typed, case_sensitive);
    return text ? FindInBook(*book_, *kjv_, *text, case_sensitive, first).item : -2;
  }
  int InCommentary(const std::string& typed, int first) const {
    const auto text = PrepareFindText(typed, false);
    return text ? FindInCommentary(*commentary_, *kjv_, *text, false, first).item : -2;
  }

  MemoryFileSystem fs_;
  std::unique_ptr<TLMBibleModule> kjv_;
  std::unique_ptr<TLMDictionaryModule> book_;
  std::unique_ptr<TLMCommentaryModule> commentary_;
};

TEST_F(FindInResourceTest, BookPassesFindEachEntryInTurn) {
  EXPECT_EQ(InBook("MOSES", false, 0), 0);
  EXPECT_EQ(InBook("moses", false, FindStartItem(FindStart::kNext, 0)), 3);
  EXPECT_EQ(InBook("moses", false, FindStartItem(FindStart::kNext, 3)), -1);
  EXPECT_EQ(InBook("MOSES", true, 0), 3);
  EXPECT_EQ(InBook("Moses", true, 1), -1);
  EXPECT_EQ(InBook("patient", false, 0), 2);       // past a paragraph break
  EXPECT_EQ(InBook("hill of zion", false, 0), 4);  // markup is not text
  EXPECT_EQ(InBook("   ", false, 0), -2);
}

TEST_F(FindInResourceTest, ProgressReportsEachItemAndCanStop) {
  std::vector<std::string> seen;
  const auto text = PrepareFindText("zion", false);
  ASSERT_TRUE(text);
  FindHit hit = FindInBook(*book_, *kjv_, *text, false, 2, [&](const std::string& s) {
    seen.push_back(s);
    return true;
  });
  EXPECT_EQ(hit.item, 4);
  EXPECT_EQ(seen, (std::vector<std::string>{"3/5", "4/5", "5/5"}));

  seen.clear();
  hit = FindInCommentary(*commentary_, *kjv_, "amen", false, 0, [&](const std::string& s) {
    seen.push_back(s);
    return seen.size() < 3;
  });
  EXPECT_TRUE(hit.stopped);
  EXPECT_FALSE(hit.found());
  EXPECT_EQ(seen, (std::vector<std::string>{"1/31102", "101/31102", "102/31102"}));
}

TEST_F(FindInResourceTest, CommentaryHitsAndPositionsAreSlots) {
  EXPECT_EQ(InCommentary("world", FindStartItem(FindStart::kFirst, -1)) + 1, test::kJohn3_16);
  // Find Next from the comment on slot 100 must not skip slot 101.
  EXPECT_EQ(InCommentary("grace", FindStartItem(FindStart::kNext, 100)), 101);
  EXPECT_EQ(InCommentary("grace", FindStartItem(FindStart::kNext, 0)), 100);
  EXPECT_EQ(InCommentary("amen", FindStartItem(FindStart::kNext, test::kJohn3_16 - 1)),
            kVerseCount - 1);
  EXPECT_EQ(InCommentary("world", FindStartItem(FindStart::kNext, test::kJohn3_16 - 1)), -1);
}

TEST(FindInResourceLoop, StartsAndNotFoundReplies) {
  EXPECT_EQ(FindStartItem(FindStart::kFirst, 7), 0);
  EXPECT_EQ(FindStartItem(FindStart::kNext, 7), 8);
  EXPECT_EQ(FindStartItem(FindStart::kNext, -1), 0);
  EXPECT_EQ(AfterFailedPass(FindStart::kFirst, 7), FindNotFound::kMessage);
  EXPECT_EQ(AfterFailedPass(FindStart::kNext, 0), FindNotFound::kMessage);
  EXPECT_EQ(AfterFailedPass(FindStart::kNext, -1), FindNotFound::kMessage);
  EXPECT_EQ(AfterFailedPass(FindStart::kNext, 7), FindNotFound::kAskFromBeginning);
  EXPECT_EQ(PrepareFindText("  Moses", false), std::optional<std::string>("  moses"));
  EXPECT_EQ(PrepareFindText("  Moses", true), std::optional<std::string>("  Moses"));
  EXPECT_EQ(FindDialogCaption("Nave's Topical Bible"), "Find in Nave's Topical Bible");
}

}  // namespace
}  // namespace lumora
