#include "core/modules/book_module.h"

#include <gtest/gtest.h>

#include <random>

#include "core/codec/base205.h"
#include "core/platform/memory/memory_file_system.h"

namespace lumora {
namespace {

// A verse list in entry markup.
std::string VerseList(const TVerseRangeList& ranges) {
  return "\x05" + EncodeVerseRanges(ranges) + "\x08";
}

class BookModuleTest : public ::testing::Test {
 protected:
  const std::string user_ = "/lib/User";
  const std::string path_ = "/lib/User/notes.lmk";

  std::unique_ptr<TLMDictionaryModule> NewUserBook() {
    EXPECT_TRUE(TLMDictionaryModule::CreateUserBookFile("My Notes", "notes", user_, fs_).ok());
    Result<std::unique_ptr<TLMDictionaryModule>> book =
        TLMDictionaryModule::Create(path_, fs_, user_);
    EXPECT_TRUE(book.ok()) << book.status().message();
    return book.ok() ? std::move(book).value() : nullptr;
  }

  std::vector<std::string> Titles(const TLMDictionaryModule& b) { return b.EntryTitles(); }

  MemoryFileSystem fs_;
};

TEST_F(BookModuleTest, NewUserBookIsAnEmptyHeader) {
  auto book = NewUserBook();
  ASSERT_TRUE(book);
  EXPECT_EQ(fs_.GetFile(path_)->size(), 111u);
  EXPECT_EQ(book->EntryCount(), 0);
  EXPECT_EQ(book->GetTitle(), "My Notes");
  EXPECT_EQ(book->GetModuleCode(), "USER");
  EXPECT_FALSE(book->IsReadOnly());
  EXPECT_TRUE(book->NeedsVerseLinkRebuild());  // version 0
  fs_.SetTime(path_, 1000);
  const std::string before = *fs_.GetFile(path_);
  EXPECT_TRUE(book->RebuildVerseLinks().ok());  // nothing to index: nothing written
  EXPECT_EQ(*fs_.GetFile(path_), before);
  EXPECT_EQ(*fs_.LastWriteTime(path_), 1000);
}

TEST_F(BookModuleTest, CreatingNeverReplacesAFile) {
  fs_.SetFile(path_, "precious");
  const Status s = TLMDictionaryModule::CreateUserBookFile("X", "notes", user_, fs_);
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(*fs_.GetFile(path_), "precious");
}

TEST_F(BookModuleTest, AddEntryKeepsTitleOrderAndRefusesDuplicates) {
  auto book = NewUserBook();
  ASSERT_TRUE(book->AddEntry("beta").ok());
  ASSERT_TRUE(book->AddEntry("Alpha").ok());
  EXPECT_EQ(Titles(*book), (std::vector<std::string>{"Alpha", "beta"}));
  ASSERT_TRUE(book->AddEntry("alpha").ok());
  EXPECT_EQ(book->EntryCount(), 2);
  ASSERT_TRUE(book->AddEntry("two\r\nlines").ok());  // control bytes become blanks
  EXPECT_EQ(book->FindTitle("two  lines"), 2);
  EXPECT_FALSE(book->NeedsVerseLinkRebuild());
  // The file on disk says the same after a reopen.
  book.reset();
  auto again = TLMDictionaryModule::Create(path_, fs_, user_);
  ASSERT_TRUE(again.ok());
  EXPECT_EQ((*again)->EntryTitles(), (std::vector<std::string>{"Alpha", "beta", "two  lines"}));
}

TEST_F(BookModuleTest, AddEntryKeepsEveryExistingEntryAndItsText) {
  auto book = NewUserBook();
  ASSERT_TRUE(book->AddEntry("m").ok());
  ASSERT_TRUE(book->WriteEntry("text of m", 0).ok());
  ASSERT_TRUE(book->AddEntry("a").ok());
  ASSERT_TRUE(book->AddEntry("z").ok());
  EXPECT_EQ(book->GetEntryText(book->FindTitle("m")), "text of m");
  EXPECT_EQ(book->GetEntryText(book->FindTitle("a")), "");
}

TEST_F(BookModuleTest, VerseListsLinkEntriesToVerses) {
  auto book = NewUserBook();
  ASSERT_TRUE(book->AddEntry("a").ok());
  ASSERT_TRUE(book->AddEntry("b").ok());
  // Verse 1 with two more, an item for verse 0, a range past the end.
  ASSERT_TRUE(book->WriteEntry("see " + VerseList({{1, 3}}) + " and " +
                                   VerseList({{0, 0}, {31100, 31103}}) + VerseList({{2, 2}}),
                               0)
                  .ok());
  ASSERT_TRUE(book->WriteEntry(VerseList({{3, 3}}), 1).ok());
  EXPECT_EQ(book->GetVerseEntries(0), TEntryIndex{0});
  EXPECT_EQ(book->GetVerseEntries(1), TEntryIndex{0});  // named twice, listed once
  EXPECT_EQ(book->GetVerseEntries(2), (TEntryIndex{0, 1}));
  EXPECT_TRUE(book->GetVerseEntries(31099).empty());
  EXPECT_TRUE(book->HasVerseEntries(2));
  EXPECT_FALSE(book->HasVerseEntries(3));
  EXPECT_TRUE(book->GetVerseEntries(-1).empty());
  EXPECT_TRUE(book->GetVerseEntries(31102).empty());
  // Deleting entry 0 moves entry 1 down.
  ASSERT_TRUE(book->DeleteEntry(0).ok());
  EXPECT_EQ(book->GetVerseEntries(2), TEntryIndex{0});
  EXPECT_TRUE(book->GetVerseEntries(0).empty());
}

TEST_F(BookModuleTest, UnclosedVerseListEndsTheScan) {
  auto book = NewUserBook();
  ASSERT_TRUE(book->AddEntry("a").ok());
  ASSERT_TRUE(book->WriteEntry(VerseList({{5, 5}}) + "\x05" + EncodeVerseRanges({{9, 9}}), 0).ok());
  EXPECT_EQ(book->GetVerseEntries(4), TEntryIndex{0});
  EXPECT_TRUE(book->GetVerseEntries(8).empty());
}

TEST_F(BookModuleTest, TooLargeEntryIsRefusedAndTheFileUnchanged) {
  auto book = NewUserBook();
  ASSERT_TRUE(book->AddEntry("a").ok());
  std::mt19937 rng(5);
  std::string noise(70000, ' ');
  for (char& c : noise) c = static_cast<char>(rng());
  const std::string before = *fs_.GetFile(path_);
  const Status s = book->WriteEntry(noise, 0);
  EXPECT_EQ(s.kind(), ErrorKind::kTooLarge);
  EXPECT_TRUE(book->IsTooLarge());
  EXPECT_EQ(*fs_.GetFile(path_), before);
  ASSERT_TRUE(book->WriteEntry("small", 0).ok());
  EXPECT_FALSE(book->IsTooLarge());
}

TEST_F(BookModuleTest, PreviousVersionIsKeptAsBak) {
  auto book = NewUserBook();
  ASSERT_TRUE(book->AddEntry("a").ok());
  const std::string before = *fs_.GetFile(path_);
  ASSERT_TRUE(book->WriteEntry("new text", 0).ok());
  EXPECT_EQ(*fs_.GetFile(path_ + ".bak"), before);
  EXPECT_FALSE(fs_.GetFile(path_ + ".new"));
}

TEST_F(BookModuleTest, EntryNumbersAreRangeChecked) {
  auto book = NewUserBook();
  ASSERT_TRUE(book->AddEntry("a").ok());
  EXPECT_EQ(book->GetEntryText(-1), "");
  EXPECT_EQ(book->GetEntryText(1), "");
  EXPECT_EQ(book->WriteEntry("x", 1).kind(), ErrorKind::kInvalidArgument);
  EXPECT_EQ(book->DeleteEntry(-1).kind(), ErrorKind::kInvalidArgument);
}

TEST_F(BookModuleTest, OnlyBooksInTheUserFolderThatCanBeWrittenAreWritable) {
  auto user_book = NewUserBook();
  // A shipped Book below a folder whose name merely contains "user".
  fs_.SetFile("/home/username/Books/x.lmk", *fs_.GetFile(path_));
  auto shipped = TLMDictionaryModule::Create("/home/username/Books/x.lmk", fs_, user_);
  ASSERT_TRUE(shipped.ok());
  EXPECT_TRUE((*shipped)->IsReadOnly());
  EXPECT_EQ((*shipped)->AddEntry("a").kind(), ErrorKind::kReadOnly);
  EXPECT_EQ((*shipped)->DeleteEntry(0).kind(), ErrorKind::kReadOnly);
  EXPECT_EQ((*shipped)->WriteEntry("t", 0).kind(), ErrorKind::kReadOnly);
  // A user Book with the read-only attribute.
  user_book.reset();
  fs_.SetReadOnly(path_, true);
  auto locked = TLMDictionaryModule::Create(path_, fs_, user_);
  ASSERT_TRUE(locked.ok());
  EXPECT_TRUE((*locked)->IsReadOnly());
}

TEST_F(BookModuleTest, InPlaceRebuildKeepsTheDateAndNeverShortens) {
  auto book = NewUserBook();
  for (const char* t : {"a", "b", "c"}) ASSERT_TRUE(book->AddEntry(t).ok());
  ASSERT_TRUE(book->WriteEntry(VerseList({{26137, 26137}}), 1).ok());
  book.reset();
  // Mark the index stale, as an older program would leave it.
  std::string bytes = *fs_.GetFile(path_);
  bytes[99] = 10;
  bytes[100] = 0;
  bytes += std::string(500000, 'x');  // trailing bytes past the data stay
  fs_.SetFile(path_, bytes);
  fs_.SetTime(path_, 123456);
  auto stale = TLMDictionaryModule::Create(path_, fs_, user_);
  ASSERT_TRUE(stale.ok());
  ASSERT_TRUE((*stale)->NeedsVerseLinkRebuild());
  ASSERT_TRUE((*stale)->RebuildVerseLinks().ok());
  EXPECT_FALSE((*stale)->NeedsVerseLinkRebuild());
  EXPECT_EQ((*stale)->GetVerseEntries(26136), TEntryIndex{1});
  EXPECT_EQ(*fs_.LastWriteTime(path_), 123456);
  EXPECT_EQ(fs_.GetFile(path_)->size(), bytes.size());
  EXPECT_EQ((*stale)->GetEntryText(1), VerseList({{26137, 26137}}));
}

// Found by fuzzing: the index visited every verse of every list, so an entry
// naming the whole Bible in each of millions of lists (a record of a few
// kilobytes) kept the writer, and the rebuild at start-up, busy for hours.
// Each verse now gets the entry once, in one pass over the merged ranges.
TEST_F(BookModuleTest, VerseLinksOfOverlappingAndRepeatedListsNameEachVerseOnce) {
  auto book = NewUserBook();
  for (const char* t : {"a", "b"}) ASSERT_TRUE(book->AddEntry(t).ok());
  const std::string whole_bible = VerseList({{1, 31101}});
  std::string huge;
  for (int i = 0; i < 2'000'000; ++i) huge += whole_bible;
  ASSERT_TRUE(book->WriteEntry(huge, 0).ok());
  // Unsorted, overlapping, touching and repeated ranges, across lists.
  ASSERT_TRUE(book->WriteEntry(VerseList({{40, 50}, {10, 20}, {15, 30}}) + " " +
                                   VerseList({{31, 31}, {45, 60}, {10, 10}}) + VerseList({{70, 70}}),
                               1)
                  .ok());
  for (int v0 : {0, 8, 8000, 31100}) EXPECT_EQ(book->GetVerseEntries(v0), TEntryIndex{0}) << v0;
  EXPECT_TRUE(book->GetVerseEntries(31101).empty());
  for (int v = 10; v <= 31; ++v) EXPECT_EQ(book->GetVerseEntries(v - 1), (TEntryIndex{0, 1})) << v;
  for (int v : {32, 39, 61, 69, 71}) EXPECT_EQ(book->GetVerseEntries(v - 1), TEntryIndex{0}) << v;
  for (int v : {40, 60, 70}) EXPECT_EQ(book->GetVerseEntries(v - 1), (TEntryIndex{0, 1})) << v;
}

TEST_F(BookModuleTest, ReadOnlyStaleIndexIsBuiltInMemoryOnly) {
  auto book = NewUserBook();
  ASSERT_TRUE(book->AddEntry("a").ok());
  ASSERT_TRUE(book->WriteEntry(VerseList({{7, 7}}), 0).ok());
  book.reset();
  std::string bytes = *fs_.GetFile(path_);
  bytes[99] = 0;
  fs_.SetFile("/lib/Books/a.lmk", bytes);
  auto shipped = TLMDictionaryModule::Create("/lib/Books/a.lmk", fs_, user_);
  ASSERT_TRUE(shipped.ok());
  ASSERT_TRUE((*shipped)->RebuildVerseLinks().ok());
  EXPECT_EQ((*shipped)->GetVerseEntries(6), TEntryIndex{0});
  EXPECT_FALSE((*shipped)->NeedsVerseLinkRebuild());
  EXPECT_EQ(*fs_.GetFile("/lib/Books/a.lmk"), bytes);
}

TEST_F(BookModuleTest, OpenErrors) {
  auto missing = TLMDictionaryModule::Create("/lib/none.lmk", fs_);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.status().message(), "File mapping failed on /lib/none.lmk");
  auto book = NewUserBook();
  ASSERT_TRUE(book->AddEntry("a").ok());
  book.reset();
  std::string bytes = *fs_.GetFile(path_);
  std::string wrong = bytes;
  wrong.replace(105, 6, "LMBOOK");
  fs_.SetFile("/lib/wrong.lmk", wrong);
  EXPECT_EQ(TLMDictionaryModule::Create("/lib/wrong.lmk", fs_).status().message(),
            "File header invalid: LMBOOK");
  std::string count = bytes;
  count[62] = 2;  // two entries claimed, one title stored
  fs_.SetFile("/lib/count.lmk", count);
  EXPECT_EQ(TLMDictionaryModule::Create("/lib/count.lmk", fs_).status().message(),
            "EntryTitle count mismatch.");
}

TEST_F(BookModuleTest, DamagedCopiesNeverCrash) {
  auto book = NewUserBook();
  for (const char* t : {"a", "b", "c", "d"}) ASSERT_TRUE(book->AddEntry(t).ok());
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(book->WriteEntry("entry " + VerseList({{i + 1, i + 9}}), i).ok());
  book.reset();
  const std::string good = *fs_.GetFile(path_);
  std::mt19937 rng(77);
  for (int round = 0; round < 300; ++round) {
    std::string bytes = good;
    if (round % 3 == 0) {
      bytes.resize(rng() % bytes.size());
    } else {
      for (int k = 0; k < 3; ++k) bytes[rng() % bytes.size()] ^= static_cast<char>(1u << (rng() % 8));
    }
    fs_.SetFile("/lib/d.lmk", bytes);
    auto b = TLMDictionaryModule::Create("/lib/d.lmk", fs_);
    if (!b.ok()) continue;
    for (int e = -1; e <= (*b)->EntryCount(); ++e) (void)(*b)->GetEntryText(e);
    for (int v = 0; v < 31102; v += 7) (void)(*b)->GetVerseEntries(v);
    (void)(*b)->RebuildVerseLinks();
  }
}

}  // namespace
}  // namespace lumora
