// The Book and Commentary writers on the machine's own file system. The
// fault tests drive them through MemoryFileSystem; these make sure the real
// renames, in-place writes and share modes give the same guarantees: the
// module's path always holds a complete file, the previous one is kept as
// ".bak", and no temporary file is left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/platform/file_system.h"
#include "tests/support/platform_only.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tools/builder/kjv_versification.h"

namespace lumora {
namespace {

std::filesystem::path NativeModulePath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

using test::KjvRef;

class ModuleWritesOnDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    user_ = JoinPath(dir_.Path(), "User");
    book_path_ = JoinPath(user_, "notes.lmk");
  }

  FileSystem& fs() { return DefaultFileSystem(); }

  std::unique_ptr<TLMDictionaryModule> OpenBook(const std::string& path) {
    Result<std::unique_ptr<TLMDictionaryModule>> book =
        TLMDictionaryModule::Create(path, fs(), user_);
    EXPECT_TRUE(book.ok()) << book.status().message();
    return book.ok() ? std::move(book).value() : nullptr;
  }

  // A user Book with entries "a" and "b", "a" holding `text`.
  std::unique_ptr<TLMDictionaryModule> NewBook(const std::string& text) {
    EXPECT_TRUE(TLMDictionaryModule::CreateUserBookFile("My Notes", "notes", user_, fs()).ok());
    auto book = OpenBook(book_path_);
    if (!book) return nullptr;
    EXPECT_TRUE(book->AddEntry("a").ok());
    EXPECT_TRUE(book->AddEntry("b").ok());
    EXPECT_TRUE(book->WriteEntry(text, 0).ok());
    return book;
  }

  std::string Bytes(const std::string& path) {
    Result<std::string> r = fs().ReadFile(path);
    EXPECT_TRUE(r.ok()) << r.status().message();
    return r.ok() ? r.value() : std::string();
  }

  void ExpectNoTemporaryFiles() {
    for (const char* suffix : {".new", ".bak.new"})
      EXPECT_FALSE(fs().FileExists(book_path_ + suffix)) << suffix;
  }

  test::TempFolder dir_;
  std::string user_;
  std::string book_path_;
};

TEST_F(ModuleWritesOnDiskTest, BookWritesReplaceTheFileAndKeepThePreviousOne) {
  ASSERT_TRUE(NewBook("first"));
  // Read while no module holds the file: Windows would refuse.
  const std::string before = Bytes(book_path_);
  auto book = OpenBook(book_path_);
  ASSERT_TRUE(book);
  ASSERT_TRUE(book->WriteEntry("second", 0).ok());
  EXPECT_EQ(book->GetEntryText(0), "second");
  EXPECT_EQ(Bytes(book_path_ + ".bak"), before);
  ExpectNoTemporaryFiles();
  ASSERT_TRUE(book->DeleteEntry(1).ok());
  book.reset();
  auto reopened = OpenBook(book_path_);
  ASSERT_TRUE(reopened);
  EXPECT_EQ(reopened->EntryTitles(), std::vector<std::string>{"a"});
  EXPECT_EQ(reopened->GetEntryText(0), "second");
  EXPECT_FALSE(reopened->IsReadOnly());
}

TEST_F(ModuleWritesOnDiskTest, InPlaceIndexRebuildKeepsTheDate) {
  const std::string linked = std::string("see \x05") + "1\x08";  // a verse list
  auto book = NewBook(linked);
  ASSERT_TRUE(book);
  book.reset();
  // An index older than the program's, as an earlier version leaves it.
  std::string bytes = Bytes(book_path_);
  bytes[99] = 10;
  bytes[100] = 0;
  ASSERT_TRUE(fs().WriteFile(book_path_, bytes).ok());
  ASSERT_TRUE(fs().SetLastWriteTime(book_path_, 1000000000).ok());
  auto stale = OpenBook(book_path_);
  ASSERT_TRUE(stale);
  ASSERT_TRUE(stale->NeedsVerseLinkRebuild());
  ASSERT_TRUE(stale->RebuildVerseLinks().ok());
  EXPECT_FALSE(stale->NeedsVerseLinkRebuild());
  EXPECT_EQ(stale->GetEntryText(0), linked);
  stale.reset();
  EXPECT_EQ(*fs().LastWriteTime(book_path_), 1000000000);
  EXPECT_GE(Bytes(book_path_).size(), bytes.size());
  auto reopened = OpenBook(book_path_);
  ASSERT_TRUE(reopened);
  EXPECT_FALSE(reopened->NeedsVerseLinkRebuild());
}

// The file's own access time: the FileSystem has no call for it.
int64_t AccessTimeSeconds(const std::string& path) {
#ifdef _WIN32
  WIN32_FILE_ATTRIBUTE_DATA data;
  const std::wstring wide = NativeModulePath(path).wstring();
  if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return -1;
  const int64_t ticks =
      static_cast<int64_t>((static_cast<uint64_t>(data.ftLastAccessTime.dwHighDateTime) << 32) |
                           data.ftLastAccessTime.dwLowDateTime);
  return (ticks - 116444736000000000) / 10000000;
#else
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? static_cast<int64_t>(st.st_atime) : -1;
#endif
}

TEST_F(ModuleWritesOnDiskTest, InPlaceIndexRebuildKeepsTheDateToTheTick) {
  auto book = NewBook(std::string("see \x05") + "1\x08");
  ASSERT_TRUE(book);
  book.reset();
  std::string bytes = Bytes(book_path_);
  bytes[99] = 10;  // an index older than the program's
  bytes[100] = 0;
  ASSERT_TRUE(fs().WriteFile(book_path_, bytes).ok());
  const FileTime written{1000000000, 123456700};  // a whole number of 100 ns ticks
  ASSERT_TRUE(fs().RestoreLastWriteTime(book_path_, written).ok());
  auto stale = OpenBook(book_path_);
  ASSERT_TRUE(stale);
  ASSERT_TRUE(stale->NeedsVerseLinkRebuild());
  ASSERT_TRUE(stale->RebuildVerseLinks().ok());
  stale.reset();
  Result<FileTime> after = fs().PreciseLastWriteTime(book_path_);
  ASSERT_TRUE(after.ok());
  EXPECT_EQ(after->seconds, written.seconds);
  EXPECT_EQ(after->nanoseconds, written.nanoseconds);
}

// Reading a file may move its access time (relatime), so this sets it and
// restores the write time with nothing read in between.
TEST_F(ModuleWritesOnDiskTest, RestoringTheWriteTimeLeavesTheAccessTime) {
  ASSERT_TRUE(CreateFolders(fs(), user_).ok());
  ASSERT_TRUE(fs().WriteFile(book_path_, "x").ok());
  ASSERT_TRUE(fs().SetLastWriteTime(book_path_, 1000000000 - 86400).ok());  // both times
  ASSERT_TRUE(fs().RestoreLastWriteTime(book_path_, FileTime{1000000000, 123456700}).ok());
  EXPECT_EQ(AccessTimeSeconds(book_path_), 1000000000 - 86400);
  EXPECT_EQ(*fs().LastWriteTime(book_path_), 1000000000);
}

TEST_F(ModuleWritesOnDiskTest, CommentaryWritesReplaceTheFile) {
  ASSERT_TRUE(TLMCommentaryModule::CreateUserCommentaryFile("Mine", "mine", user_, fs()).ok());
  const std::string path = JoinPath(user_, "mine.lmc");
  {
    auto c = TLMCommentaryModule::Create(path, fs(), user_);
    ASSERT_TRUE(c.ok()) << c.status().message();
    ASSERT_TRUE((*c)->WriteEntry("in the beginning", 0, KjvRef).ok());
    ASSERT_TRUE((*c)->WriteEntry("love", 26136, KjvRef).ok());
    EXPECT_EQ((*c)->GetEntryText(26136), "love");
  }
  EXPECT_FALSE(fs().FileExists(path + ".new"));
  EXPECT_TRUE(fs().FileExists(path + ".bak"));
  auto again = TLMCommentaryModule::Create(path, fs(), user_);
  ASSERT_TRUE(again.ok()) << again.status().message();
  EXPECT_EQ((*again)->EntryTitles(), (std::vector<std::string>{"Genesis 1:1", "John 3:16"}));
  EXPECT_EQ((*again)->GetEntryText(0), "in the beginning");
}

// Windows opens a module with no sharing: no other program can open its file
// while the program has it. POSIX has no such lock.
TEST_F(ModuleWritesOnDiskTest, AnOpenModuleKeepsOtherProgramsOut) {
  auto book = NewBook("text");
  ASSERT_TRUE(book);
  {
    std::ifstream other(NativeModulePath(book_path_), std::ios::binary);
    EXPECT_EQ(other.is_open(), !test::kOnWindows);
  }
  book.reset();
  std::ifstream other(NativeModulePath(book_path_), std::ios::binary);
  EXPECT_TRUE(other.is_open());
}

// A backup tool reading "notes.lmk.bak" while the Book is written: on Windows
// the previous version cannot take the ".bak" name, so the write fails and
// changes nothing; on POSIX it goes through and the tool reads on in the old
// backup.
TEST_F(ModuleWritesOnDiskTest, ABackupHeldOpenByAnotherProgram) {
  auto book = NewBook("first");
  ASSERT_TRUE(book);
  ASSERT_TRUE(book->WriteEntry("second", 0).ok());
  book.reset();
  const std::string file_before = Bytes(book_path_);
  const std::string backup_before = Bytes(book_path_ + ".bak");
  book = OpenBook(book_path_);
  ASSERT_TRUE(book);
  auto reader = std::make_unique<std::ifstream>(NativeModulePath(book_path_ + ".bak"), std::ios::binary);
  ASSERT_TRUE(reader->is_open());

  const Status written = book->WriteEntry("third", 0);
  const std::string seen_by_reader(std::istreambuf_iterator<char>(*reader), {});
  EXPECT_EQ(seen_by_reader, backup_before);
  ExpectNoTemporaryFiles();
  if (test::kOnWindows) {
    EXPECT_FALSE(written.ok());
    EXPECT_EQ(book->GetEntryText(0), "second") << "the module serves the file on disk";
    book.reset();
    EXPECT_EQ(Bytes(book_path_), file_before);
    reader.reset();
    EXPECT_EQ(Bytes(book_path_ + ".bak"), backup_before);
    book = OpenBook(book_path_);
    ASSERT_TRUE(book);
    ASSERT_TRUE(book->WriteEntry("third", 0).ok()) << "once the backup is free again";
  } else {
    EXPECT_TRUE(written.ok()) << written.message();
  }
  EXPECT_EQ(book->GetEntryText(0), "third");
  EXPECT_EQ(Bytes(book_path_ + ".bak"), file_before);
}

// Windows' read-only attribute makes a user Book read-only.
TEST_F(ModuleWritesOnDiskTest, WindowsReadOnlyAttribute) {
  LUMORA_WINDOWS_ONLY();
  ASSERT_TRUE(NewBook("text"));
  const std::string before = Bytes(book_path_);
  std::filesystem::permissions(NativeModulePath(book_path_), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_FALSE(fs().IsWritable(book_path_));
  auto locked = OpenBook(book_path_);
  ASSERT_TRUE(locked);
  EXPECT_TRUE(locked->IsReadOnly());
  EXPECT_EQ(locked->WriteEntry("changed", 0).kind(), ErrorKind::kReadOnly);
  locked.reset();
  EXPECT_EQ(Bytes(book_path_), before);
  std::filesystem::permissions(NativeModulePath(book_path_), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_TRUE(fs().IsWritable(book_path_));
  auto unlocked = OpenBook(book_path_);
  ASSERT_TRUE(unlocked);
  EXPECT_FALSE(unlocked->IsReadOnly());
}

// The User folder is the same folder whatever the spelling of its path.
TEST_F(ModuleWritesOnDiskTest, WindowsUserFolderUnderAnySpelling) {
  LUMORA_WINDOWS_ONLY();
  ASSERT_TRUE(NewBook("text"));
  std::string spelled = JoinPath(JoinPath(dir_.Path(), "USER"), "Notes.LMK");
  for (char& c : spelled)
    if (c == '\\') c = '/';
  auto book = TLMDictionaryModule::Create(spelled, fs(), user_);
  ASSERT_TRUE(book.ok()) << book.status().message();
  EXPECT_FALSE((*book)->IsReadOnly());
  ASSERT_TRUE((*book)->WriteEntry("changed", 0).ok());
  book->reset();
  auto canonical = OpenBook(book_path_);
  ASSERT_TRUE(canonical);
  EXPECT_EQ(canonical->GetEntryText(0), "changed");
}

TEST_F(ModuleWritesOnDiskTest, PosixUserFolderNameMustMatchExactly) {
  LUMORA_POSIX_ONLY();
  const std::string lower = JoinPath(dir_.Path(), "user");
  ASSERT_TRUE(TLMDictionaryModule::CreateUserBookFile("Other", "other", lower, fs()).ok());
  auto book = OpenBook(JoinPath(lower, "other.lmk"));
  ASSERT_TRUE(book);
  EXPECT_TRUE(book->IsReadOnly()) << "\"user\" is not the User folder";
}

// A new user Book never replaces a file, even one whose name differs only in
// case where the file system ignores case.
TEST_F(ModuleWritesOnDiskTest, NewUserBookBesideOneSpelledOtherwise) {
  ASSERT_TRUE(CreateFolders(fs(), user_).ok());
  const std::string upper = JoinPath(user_, "NOTES.LMK");
  ASSERT_TRUE(fs().WriteFile(upper, "precious").ok());
  const Status created = TLMDictionaryModule::CreateUserBookFile("X", "notes", user_, fs());
  EXPECT_EQ(created.ok(), !test::kOnWindows) << created.message();
  EXPECT_EQ(Bytes(upper), "precious");
  EXPECT_FALSE(fs().FileExists(JoinPath(user_, "notes.tmp")));
}

}  // namespace
}  // namespace lumora
