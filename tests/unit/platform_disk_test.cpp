// The machine's own file system where Windows and POSIX differ: letter case
// in file names, drive letters and both separators, and what a file that
// another program holds open allows. The FileSystemContract tests cover what
// both promise alike.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/platform/file_system.h"
#include "tests/support/platform_only.h"
#include "tests/support/status_assertions.h"
#include "tests/support/temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace lumora {
namespace {

using test::Ok;

std::filesystem::path Native(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Another program reading the file: it keeps a handle open, as a virus
// scanner, a backup tool or an editor does.
class Reader {
 public:
  explicit Reader(const std::string& path) : in_(Native(path), std::ios::binary) {}
  bool is_open() const { return in_.is_open(); }
  std::string ReadAll() {
    in_.seekg(0);
    return std::string(std::istreambuf_iterator<char>(in_), {});
  }
  void Close() { in_.close(); }

 private:
  std::ifstream in_;
};

class PlatformDiskTest : public ::testing::Test {
 protected:
  FileSystem& fs() { return DefaultFileSystem(); }
  std::string At(const std::string& name) const { return JoinPath(dir_.Path(), name); }
  void Write(const std::string& path, std::string_view data) {
    ASSERT_TRUE(Ok(fs().WriteFile(path, data))) << path;
  }
  std::string Read(const std::string& path) {
    Result<std::string> r = fs().ReadFile(path);
    EXPECT_TRUE(Ok(r.status())) << path;
    return r.ok() ? r.value() : std::string();
  }

  test::TempFolder dir_;
};

TEST_F(PlatformDiskTest, WindowsFileNamesIgnoreCase) {
  LUMORA_WINDOWS_ONLY();
  Write(At("Notes.LMK"), "mine");
  EXPECT_TRUE(fs().FileExists(At("notes.lmk")));
  EXPECT_EQ(Read(At("NOTES.lmk")), "mine");
  Result<std::vector<std::string>> names = fs().ListFiles(dir_.Path(), ".lmk");
  ASSERT_TRUE(Ok(names.status()));
  EXPECT_EQ(names.value(), std::vector<std::string>{"Notes.LMK"}) << "the stored spelling";

  // One file under every spelling: no second mapping, no new file beside it.
  Result<std::shared_ptr<const MappedFile>> view = fs().MapExclusive(At("Notes.LMK"));
  ASSERT_TRUE(Ok(view.status()));
  EXPECT_FALSE(fs().MapExclusive(At("notes.lmk")).ok());
  view.value().reset();
  Write(At("other.new"), "other");
  EXPECT_FALSE(fs().RenameNoReplace(At("other.new"), At("NOTES.LMK")).ok());
  EXPECT_EQ(Read(At("Notes.LMK")), "mine");
  EXPECT_TRUE(fs().FileExists(At("other.new")));
}

TEST_F(PlatformDiskTest, PosixFileNamesKeepCase) {
  LUMORA_POSIX_ONLY();
  Write(At("Notes.LMK"), "upper");
  EXPECT_FALSE(fs().FileExists(At("notes.lmk")));
  Write(At("notes.lmk"), "lower");
  EXPECT_EQ(Read(At("Notes.LMK")), "upper");
  Result<std::vector<std::string>> names = fs().ListFiles(dir_.Path(), ".lmk");
  ASSERT_TRUE(Ok(names.status()));
  EXPECT_EQ(names.value(), (std::vector<std::string>{"Notes.LMK", "notes.lmk"}));
}

TEST_F(PlatformDiskTest, WindowsDriveLetterPathsWithEitherSeparator) {
  LUMORA_WINDOWS_ONLY();
  const std::string root = dir_.Path();
  ASSERT_TRUE(root.size() > 3 && root[1] == ':' && root[2] == '\\') << root;
  std::string forward = root;
  for (char& c : forward)
    if (c == '\\') c = '/';
  std::string lower = root;
  lower[0] = static_cast<char>(lower[0] | 0x20);  // ASCII lower case

  ASSERT_TRUE(Ok(CreateFolders(fs(), forward + "/Lumora\\User/")));
  EXPECT_TRUE(fs().FolderExists(root + "\\Lumora\\User"));
  Write(forward + "/Lumora/User/a.lmk", "a");
  EXPECT_EQ(Read(lower + "\\LUMORA\\user\\A.LMK"), "a");
  Result<std::vector<std::string>> names = fs().ListFiles(forward + "/Lumora/User/", ".LMK");
  ASSERT_TRUE(Ok(names.status()));
  EXPECT_EQ(names.value(), std::vector<std::string>{"a.lmk"});
  ASSERT_TRUE(Ok(fs().Rename(root + "\\Lumora\\User\\a.lmk", forward + "/Lumora/b.lmk")));
  EXPECT_EQ(Read(root + "\\Lumora\\b.lmk"), "a");
  EXPECT_TRUE(SameFolder(ParentFolder(lower + "/lumora/b.lmk"), root + "\\Lumora\\"));

  // A drive root is a folder, and creating folders stops there.
  const std::string drive = root.substr(0, 3);
  EXPECT_TRUE(fs().FolderExists(drive));
  EXPECT_TRUE(Ok(CreateFolders(fs(), drive)));
}

// A file another program reads cannot be replaced on Windows: the rename
// fails and both files stay as they were. On POSIX the rename goes through
// and the reader goes on reading the old file.
TEST_F(PlatformDiskTest, ReplacingAFileAnotherProgramHoldsOpen) {
  const std::string path = At("module.lmk");
  const std::string fresh = At("module.lmk.new");
  Write(path, "old content");
  Write(fresh, "new");
  Reader reader(path);
  ASSERT_TRUE(reader.is_open());
  const Status renamed = fs().Rename(fresh, path);
  if (test::kOnWindows) {
    EXPECT_FALSE(renamed.ok());
    EXPECT_EQ(Read(fresh), "new");
    EXPECT_EQ(reader.ReadAll(), "old content");
    reader.Close();
    EXPECT_EQ(Read(path), "old content");
  } else {
    ASSERT_TRUE(Ok(renamed));
    EXPECT_FALSE(fs().FileExists(fresh));
    EXPECT_EQ(Read(path), "new");
    EXPECT_EQ(reader.ReadAll(), "old content");
  }
}

// Such holds are mostly brief; a rename waits one out.
TEST_F(PlatformDiskTest, WindowsRenameWaitsOutABriefHold) {
  LUMORA_WINDOWS_ONLY();
  const std::string path = At("module.lmk");
  const std::string fresh = At("module.lmk.new");
  Write(path, "old");
  Write(fresh, "new");
  for (const std::string& held : {path, fresh}) {
    auto reader = std::make_unique<Reader>(held);
    ASSERT_TRUE(reader->is_open());
    std::thread release([&reader] {
      std::this_thread::sleep_for(std::chrono::milliseconds(60));
      reader->Close();
    });
    const Status renamed = fs().Rename(fresh, path);
    release.join();
    EXPECT_TRUE(Ok(renamed)) << "held: " << held;
    EXPECT_EQ(Read(path), "new");
    Write(fresh, "new");
  }
}

// A folder as the target, or a missing source, will not change by waiting.
TEST_F(PlatformDiskTest, HopelessRenamesFailAtOnce) {
  Write(At("a.new"), "a");
  ASSERT_TRUE(Ok(fs().CreateFolder(At("folder"))));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(fs().Rename(At("a.new"), At("folder")).ok());
  EXPECT_FALSE(fs().Rename(At("missing.new"), At("b.lmk")).ok());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(400))
      << "no waiting: a rename retries for half a second";
  EXPECT_TRUE(fs().FolderExists(At("folder")));
}

// The core speaks UTF-8. A name in another encoding (here a lone
// Windows-1252 byte) is refused rather than taken for a different file.
TEST_F(PlatformDiskTest, WindowsRefusesPathsThatAreNotUtf8) {
  LUMORA_WINDOWS_ONLY();
  const std::string bad = At("bad\xFF.lmb");
  const std::string good = At("good.lmb");
  Write(good, "x");
  const std::string refused = "Path is not valid UTF-8: " + bad;
  for (const Status& s :
       {fs().WriteFile(bad, "x"), fs().ReadFile(bad).status(), fs().MapExclusive(bad).status(),
        fs().WriteAt(bad, 0, "x"), fs().Rename(bad, good), fs().Rename(good, bad),
        fs().RenameNoReplace(bad, At("new.lmb")), fs().RenameNoReplace(good, bad), fs().Remove(bad),
        fs().CreateFolder(bad), fs().ListFiles(bad, "").status(), fs().LastWriteTime(bad).status(),
        fs().SetLastWriteTime(bad, 1000000000)}) {
    EXPECT_EQ(s.kind(), ErrorKind::kInvalidArgument) << s.message();
    EXPECT_EQ(s.message(), refused);
  }
  EXPECT_FALSE(fs().FileExists(bad));
  EXPECT_FALSE(fs().FolderExists(bad));
  EXPECT_FALSE(fs().IsWritable(bad));
  Result<std::vector<std::string>> names = fs().ListFiles(dir_.Path(), "");
  ASSERT_TRUE(Ok(names.status()));
  EXPECT_EQ(names.value(), std::vector<std::string>{"good.lmb"});
}

// Error texts name the path and give the system's reason in words.
TEST_F(PlatformDiskTest, ErrorsNameThePathAndTheReason) {
  const std::string missing = At("missing.lmb");
  const std::string message = fs().ReadFile(missing).status().message();
  const std::string start = "Cannot open " + missing + ": ";
  ASSERT_EQ(message.rfind(start, 0), 0u) << message;
  const std::string reason = message.substr(start.size());
  EXPECT_GT(reason.size(), 3u) << message;
  EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << message;
  EXPECT_NE(reason.back(), '.') << message;
}

TEST_F(PlatformDiskTest, DevicesAreNotMappable) {
  const std::string device = test::kOnWindows ? "NUL" : "/dev/null";
  Result<std::shared_ptr<const MappedFile>> mapped = fs().MapExclusive(device);
  EXPECT_EQ(mapped.status().kind(), ErrorKind::kIo);
  EXPECT_EQ(mapped.status().message(), "Not a mappable file: " + device);
}

// FILETIME counts from 1601: times before 1970 are negative Unix times,
// rounded down like st_mtime, and times before 1601 cannot be set.
TEST_F(PlatformDiskTest, WindowsTimesBefore1970) {
  LUMORA_WINDOWS_ONLY();
  const std::string path = At("old.lmb");
  Write(path, "x");
  constexpr int64_t k1920 = -1577923200;
  for (int64_t t : {int64_t{-1}, k1920}) {
    ASSERT_TRUE(Ok(fs().SetLastWriteTime(path, t))) << t;
    EXPECT_EQ(*fs().LastWriteTime(path), t);
  }
  // The very first second of 1601 is the "no change" value of SetFileTime.
  constexpr int64_t k1601 = -11644473600;
  for (int64_t t : {k1601, k1601 - 1, int64_t{INT64_MIN}})
    EXPECT_EQ(fs().SetLastWriteTime(path, t).kind(), ErrorKind::kInvalidArgument) << t;
  EXPECT_EQ(*fs().LastWriteTime(path), k1920);
#ifdef _WIN32
  // Half a second before 1970, as another program may stamp a file.
  const uint64_t ticks = 116444736000000000ull - 5000000ull;
  FILETIME half{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
  const std::wstring wide = Native(path).wstring();
  HANDLE file = CreateFileW(wide.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &half));
  CloseHandle(file);
  EXPECT_EQ(*fs().LastWriteTime(path), -1);
#endif
}

// An empty drive root has no entries at all, not even ".".
TEST(PlatformDrive, WindowsEmptyDriveRootListsNoFiles) {
  LUMORA_WINDOWS_ONLY();
  const char* root = std::getenv("LUMORA_TEST_EMPTY_DRIVE");
  if (root == nullptr || *root == '\0')
    GTEST_SKIP()
        << "LUMORA_TEST_EMPTY_DRIVE names no empty drive (scripts/test-windows.sh sets it)";
  ASSERT_TRUE(DefaultFileSystem().FolderExists(root)) << root;
  Result<std::vector<std::string>> names = DefaultFileSystem().ListFiles(root, "");
  ASSERT_TRUE(Ok(names.status()));
  EXPECT_TRUE(names.value().empty());
}

}  // namespace
}  // namespace lumora
