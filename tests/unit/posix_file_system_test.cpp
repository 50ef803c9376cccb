// The behaviour every FileSystem promises, run against the machine's real one
// in a temporary folder and against MemoryFileSystem in both of its sharing
// modes, so the fake the other tests lean on cannot drift from the real thing.
// Where Windows share modes and POSIX differ (changing a file that is mapped),
// each backend is held to the variant it claims.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "core/platform/file_system.h"
#include "core/platform/memory/memory_file_system.h"
#include "tests/support/status_assertions.h"

namespace lumora {
namespace {

using test::Bytes;
using test::Ok;

::testing::AssertionResult FailsWith(const Status& s, ErrorKind kind) {
  if (s.ok()) return ::testing::AssertionFailure() << "succeeded";
  if (s.kind() != kind) return ::testing::AssertionFailure() << "wrong kind: " << s.message();
  return ::testing::AssertionSuccess();
}

// A file system with an empty folder to work in.
class Sandbox {
 public:
  virtual ~Sandbox() = default;
  virtual FileSystem& fs() = 0;
  virtual const std::string& root() const = 0;
};

class MemorySandbox : public Sandbox {
 public:
  explicit MemorySandbox(bool windows_sharing) {
    memory_.EmulateWindowsSharing(windows_sharing);
    EXPECT_TRUE(Ok(memory_.CreateFolder(root_)));
  }
  FileSystem& fs() override { return memory_; }
  const std::string& root() const override { return root_; }

 private:
  MemoryFileSystem memory_;
  std::string root_ = "/sandbox";
};

class DiskSandbox : public Sandbox {
 public:
  DiskSandbox() {
    std::random_device random;
    std::error_code ec;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
      const auto candidate = temp / ("lumora-fs-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate, ec)) dir_ = candidate;
    }
    EXPECT_FALSE(dir_.empty()) << "cannot create a temporary folder";
    const std::u8string utf8 = dir_.u8string();
    root_.assign(utf8.begin(), utf8.end());
  }
  ~DiskSandbox() override {
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  FileSystem& fs() override { return DefaultFileSystem(); }
  const std::string& root() const override { return root_; }

 private:
  std::filesystem::path dir_;
  std::string root_;
};

struct Backend {
  std::string name;
  // Whether a mapped file refuses to be read, written, renamed or removed.
  bool windows_sharing;
  std::function<std::unique_ptr<Sandbox>()> make;
};

void PrintTo(const Backend& backend, std::ostream* os) { *os << backend.name; }

#ifdef _WIN32
constexpr bool kDiskHasWindowsSharing = true;
#else
constexpr bool kDiskHasWindowsSharing = false;
#endif

class FileSystemContract : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override {
    sandbox_ = GetParam().make();
    ASSERT_FALSE(sandbox_->root().empty());
  }

  FileSystem& fs() { return sandbox_->fs(); }
  const std::string& Root() const { return sandbox_->root(); }
  std::string At(std::string_view name) const { return JoinPath(sandbox_->root(), name); }
  bool windows_sharing() const { return GetParam().windows_sharing; }
  bool on_disk() const { return GetParam().name == "Disk"; }

  void Write(const std::string& path, std::string_view data) {
    ASSERT_TRUE(Ok(fs().WriteFile(path, data))) << path;
  }
  std::string Read(const std::string& path) {
    Result<std::string> r = fs().ReadFile(path);
    EXPECT_TRUE(Ok(r.status()));
    return r.ok() ? r.value() : std::string();
  }
  std::shared_ptr<const MappedFile> Map(const std::string& path) {
    Result<std::shared_ptr<const MappedFile>> r = fs().MapExclusive(path);
    EXPECT_TRUE(Ok(r.status())) << path;
    return r.ok() ? r.value() : nullptr;
  }
  bool CanMap(const std::string& path) { return fs().MapExclusive(path).ok(); }

 private:
  std::unique_ptr<Sandbox> sandbox_;
};

TEST_P(FileSystemContract, WriteThenReadKeepsEveryByteAndTruncatesOldContent) {
  const std::string path = At("data.bin");
  const std::string binary("line\r\nnul\0\xff\x1a end", 17);
  Write(path, std::string(100000, 'x'));
  Write(path, binary);
  EXPECT_EQ(Read(path), binary);
  Write(path, "");
  EXPECT_EQ(Read(path), "");
  EXPECT_TRUE(fs().FileExists(path));
}

TEST_P(FileSystemContract, MissingPathsReportNotFound) {
  const std::string missing = At("missing.lmb");
  const std::string in_missing_folder = JoinPath(At("no-such-folder"), "a.lmb");
  EXPECT_TRUE(FailsWith(fs().ReadFile(missing).status(), ErrorKind::kNotFound));
  EXPECT_TRUE(FailsWith(fs().ReadFile(in_missing_folder).status(), ErrorKind::kNotFound));
  EXPECT_TRUE(FailsWith(fs().MapExclusive(missing).status(), ErrorKind::kNotFound));
  EXPECT_TRUE(FailsWith(fs().Remove(missing), ErrorKind::kNotFound));
  EXPECT_TRUE(FailsWith(fs().Rename(missing, At("other")), ErrorKind::kNotFound));
  EXPECT_TRUE(FailsWith(fs().LastWriteTime(missing).status(), ErrorKind::kNotFound));
  EXPECT_TRUE(FailsWith(fs().SetLastWriteTime(missing, 1000000000), ErrorKind::kNotFound));
  EXPECT_TRUE(FailsWith(fs().ListFiles(At("no-such-folder"), "").status(), ErrorKind::kNotFound));
  EXPECT_TRUE(FailsWith(fs().WriteFile(in_missing_folder, "x"), ErrorKind::kNotFound));
  EXPECT_TRUE(FailsWith(fs().CreateFolder(JoinPath(At("no-such-folder"), "sub")),
                        ErrorKind::kNotFound));
  EXPECT_FALSE(fs().FileExists(missing));
  EXPECT_FALSE(fs().FolderExists(missing));
}

TEST_P(FileSystemContract, FilesAndFoldersAreToldApart) {
  const std::string file = At("file.lmb");
  const std::string folder = At("folder");
  Write(file, "x");
  ASSERT_TRUE(Ok(fs().CreateFolder(folder)));
  ASSERT_TRUE(Ok(fs().CreateFolder(folder))) << "an existing folder is not an error";
  EXPECT_TRUE(fs().FileExists(file));
  EXPECT_FALSE(fs().FolderExists(file));
  EXPECT_TRUE(fs().FolderExists(folder));
  EXPECT_FALSE(fs().FileExists(folder));

  EXPECT_FALSE(fs().ReadFile(folder).ok());
  EXPECT_FALSE(fs().MapExclusive(folder).ok());
  EXPECT_FALSE(fs().WriteFile(folder, "x").ok());
  EXPECT_FALSE(fs().Remove(folder).ok());
  EXPECT_TRUE(fs().FolderExists(folder));
  EXPECT_FALSE(fs().Rename(file, folder).ok()) << "a file must not replace a folder";
  EXPECT_TRUE(fs().FolderExists(folder));
  EXPECT_EQ(Read(file), "x");
}

TEST_P(FileSystemContract, MappedViewShowsTheWholeFile) {
  const std::string path = At("module.lmb");
  std::string content(70000, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7);
  Write(path, content);
  const auto view = Map(path);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(Bytes(*view), content);
}

TEST_P(FileSystemContract, MappingIsExclusiveUntilTheLastHolderLetsGo) {
  const std::string path = At("module.lmb");
  Write(path, "content");
  auto view = Map(path);
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(CanMap(path));

  auto copy = view;
  view.reset();
  EXPECT_FALSE(CanMap(path)) << "a second holder still keeps the file";
  copy.reset();
  EXPECT_TRUE(CanMap(path));
  EXPECT_TRUE(CanMap(path)) << "a view released at once must not leave the file held";
}

TEST_P(FileSystemContract, ExclusivityIsPerFile) {
  Write(At("a.lmb"), "a");
  Write(At("b.lmb"), "b");
  const auto a = Map(At("a.lmb"));
  const auto b = Map(At("b.lmb"));
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Bytes(*a), "a");
  EXPECT_EQ(Bytes(*b), "b");
}

// Shared mappings let other readers in and keep an exclusive holder out, as
// Windows share modes do; each failing step is told apart.
TEST_P(FileSystemContract, SharedMappingsLetOtherReadersIn) {
  const std::string path = At("stgdat.lm4");
  Write(path, "content");
  MapStep step = MapStep::kMapView;
  auto first = fs().MapShared(path, &step);
  auto second = fs().MapShared(path, &step);
  ASSERT_TRUE(Ok(first.status()));
  ASSERT_TRUE(Ok(second.status()));
  EXPECT_EQ(Bytes(**second), "content");
  EXPECT_EQ(Read(path), "content") << "others may read";
  EXPECT_FALSE(CanMap(path)) << "but no one may hold it alone";
  first = Status::Error(ErrorKind::kIo, "released");
  EXPECT_FALSE(CanMap(path)) << "while one shared holder is left";
  second = Status::Error(ErrorKind::kIo, "released");
  auto exclusive = fs().MapExclusive(path);
  ASSERT_TRUE(Ok(exclusive.status()));
  EXPECT_FALSE(fs().MapShared(path, &step).ok());
  EXPECT_EQ(step, MapStep::kOpen);
  exclusive = Status::Error(ErrorKind::kIo, "released");
  EXPECT_TRUE(fs().MapShared(path).ok());

  step = MapStep::kMapView;
  EXPECT_TRUE(FailsWith(fs().MapShared(At("missing.lm4"), &step).status(), ErrorKind::kNotFound));
  EXPECT_EQ(step, MapStep::kOpen);
  Write(At("empty.lm4"), "");
  EXPECT_FALSE(fs().MapShared(At("empty.lm4"), &step).ok());
  EXPECT_EQ(step, MapStep::kCreateMapping);
}

TEST_P(FileSystemContract, EmptyFileCannotBeMapped) {
  const std::string path = At("empty.lmb");
  Write(path, "");
  EXPECT_TRUE(FailsWith(fs().MapExclusive(path).status(), ErrorKind::kIo));
  Write(path, "now full");
  EXPECT_TRUE(CanMap(path)) << "a refused mapping must not leave the file held";
}

TEST_P(FileSystemContract, RenameReplacesTheTargetAndKeepsTheTime) {
  const std::string from = At("new.tmp");
  const std::string to = At("module.lmb");
  Write(to, "old content, longer");
  Write(from, "new");
  ASSERT_TRUE(Ok(fs().SetLastWriteTime(from, 1000000000)));
  ASSERT_TRUE(Ok(fs().Rename(from, to)));
  EXPECT_FALSE(fs().FileExists(from));
  EXPECT_EQ(Read(to), "new");
  Result<int64_t> time = fs().LastWriteTime(to);
  ASSERT_TRUE(Ok(time.status()));
  EXPECT_EQ(time.value(), 1000000000);
}

TEST_P(FileSystemContract, RenameIntoAnotherFolder) {
  ASSERT_TRUE(Ok(fs().CreateFolder(At("sub"))));
  Write(At("a.lmb"), "a");
  ASSERT_TRUE(Ok(fs().Rename(At("a.lmb"), JoinPath(At("sub"), "b.lmb"))));
  EXPECT_EQ(Read(JoinPath(At("sub"), "b.lmb")), "a");
  EXPECT_FALSE(fs().FileExists(At("a.lmb")));
  EXPECT_TRUE(FailsWith(fs().Rename(JoinPath(At("sub"), "b.lmb"), JoinPath(At("none"), "b.lmb")),
                        ErrorKind::kNotFound));
  EXPECT_TRUE(fs().FileExists(JoinPath(At("sub"), "b.lmb")));
}

TEST_P(FileSystemContract, RenameOntoItselfKeepsTheFile) {
  if (on_disk() && kDiskHasWindowsSharing) GTEST_SKIP() << "not promised by MoveFileExW";
  const std::string path = At("same.lmb");
  Write(path, "kept");
  EXPECT_TRUE(Ok(fs().Rename(path, path)));
  EXPECT_EQ(Read(path), "kept");
}

TEST_P(FileSystemContract, RemoveDeletesTheFile) {
  const std::string path = At("gone.lmb");
  Write(path, "x");
  ASSERT_TRUE(Ok(fs().Remove(path)));
  EXPECT_FALSE(fs().FileExists(path));
  EXPECT_TRUE(FailsWith(fs().ReadFile(path).status(), ErrorKind::kNotFound));
}

// The in-place writer behind verse-link index rebuilds.
TEST_P(FileSystemContract, WriteAtPatchesAndGrowsButNeverShortens) {
  const std::string path = At("module.lmk");
  Write(path, "0123456789");
  ASSERT_TRUE(Ok(fs().WriteAt(path, 2, "ab")));
  EXPECT_EQ(Read(path), "01ab456789");
  ASSERT_TRUE(Ok(fs().WriteAt(path, 8, "XYZ")));
  EXPECT_EQ(Read(path), "01ab4567XYZ");
  ASSERT_TRUE(Ok(fs().WriteAt(path, 13, "!")));
  EXPECT_EQ(Read(path), std::string("01ab4567XYZ\0\0!", 14)) << "a gap reads as zero bytes";
  ASSERT_TRUE(Ok(fs().WriteAt(path, 0, "")));
  EXPECT_EQ(Read(path).size(), 14u);
  EXPECT_TRUE(FailsWith(fs().WriteAt(At("missing.lmk"), 0, "x"), ErrorKind::kNotFound));
  EXPECT_FALSE(fs().FileExists(At("missing.lmk"))) << "WriteAt never creates a file";
  ASSERT_TRUE(Ok(fs().CreateFolder(At("folder"))));
  EXPECT_FALSE(fs().WriteAt(At("folder"), 0, "x").ok());
}

TEST_P(FileSystemContract, WriteAtOnAMappedFile) {
  if (!windows_sharing()) GTEST_SKIP() << "without share modes the write goes through";
  const std::string path = At("module.lmk");
  Write(path, "content");
  auto view = Map(path);
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(fs().WriteAt(path, 0, "C").ok());
  EXPECT_EQ(Bytes(*view), "content");
  view.reset();
  EXPECT_EQ(Read(path), "content");
}

// How a new user module takes its name: never over an existing file.
TEST_P(FileSystemContract, RenameNoReplaceNeverReplaces) {
  const std::string from = At("notes.tmp");
  const std::string taken = At("taken.lmk");
  const std::string free_name = At("notes.lmk");
  Write(from, "new");
  Write(taken, "precious");
  ASSERT_TRUE(Ok(fs().SetLastWriteTime(from, 1000000000)));
  EXPECT_FALSE(fs().RenameNoReplace(from, taken).ok());
  EXPECT_EQ(Read(taken), "precious");
  EXPECT_EQ(Read(from), "new");
  ASSERT_TRUE(Ok(fs().CreateFolder(At("folder"))));
  EXPECT_FALSE(fs().RenameNoReplace(from, At("folder")).ok());
  EXPECT_TRUE(fs().FolderExists(At("folder")));

  ASSERT_TRUE(Ok(fs().RenameNoReplace(from, free_name)));
  EXPECT_FALSE(fs().FileExists(from));
  EXPECT_EQ(Read(free_name), "new");
  Result<int64_t> time = fs().LastWriteTime(free_name);
  ASSERT_TRUE(Ok(time.status()));
  EXPECT_EQ(time.value(), 1000000000);
  EXPECT_TRUE(
      FailsWith(fs().RenameNoReplace(At("missing.tmp"), At("other.lmk")), ErrorKind::kNotFound));
}

TEST_P(FileSystemContract, OnlyExistingFilesAreWritable) {
  Write(At("a.lmk"), "a");
  ASSERT_TRUE(Ok(fs().CreateFolder(At("folder"))));
  EXPECT_TRUE(fs().IsWritable(At("a.lmk")));
  EXPECT_FALSE(fs().IsWritable(At("missing.lmk")));
  EXPECT_FALSE(fs().IsWritable(At("folder")));
}

TEST_P(FileSystemContract, ListFilesSortsWithoutCaseAndSkipsFoldersAndSubfolders) {
  const std::string lib = At("lib");
  ASSERT_TRUE(Ok(fs().CreateFolder(lib)));
  for (const char* name : {"beta.lmb", "Zeta.LMB", "alpha.Lmb", "notes.txt", "lmb", "x.lmbak"})
    Write(JoinPath(lib, name), "x");
  ASSERT_TRUE(Ok(fs().CreateFolder(JoinPath(lib, "folder.lmb"))));
  Write(JoinPath(JoinPath(lib, "folder.lmb"), "inner.lmb"), "x");

  Result<std::vector<std::string>> lmb = fs().ListFiles(lib, ".lmb");
  ASSERT_TRUE(Ok(lmb.status()));
  // Byte order would put "Zeta" first.
  EXPECT_EQ(lmb.value(), (std::vector<std::string>{"alpha.Lmb", "beta.lmb", "Zeta.LMB"}));

  Result<std::vector<std::string>> all = fs().ListFiles(lib + "/", "");
  ASSERT_TRUE(Ok(all.status()));
  EXPECT_EQ(all.value(), (std::vector<std::string>{"alpha.Lmb", "beta.lmb", "lmb", "notes.txt",
                                                   "x.lmbak", "Zeta.LMB"}));

  Result<std::vector<std::string>> none = fs().ListFiles(JoinPath(lib, "folder.lmb"), ".txt");
  ASSERT_TRUE(Ok(none.status()));
  EXPECT_TRUE(none.value().empty());
}

TEST_P(FileSystemContract, ListFoldersSortsWithoutCaseAndSkipsFilesAndDeeperFolders) {
  const std::string lib = At("lib");
  ASSERT_TRUE(Ok(fs().CreateFolder(lib)));
  for (const char* name : {"beta", "Zeta", "alpha.d"})
    ASSERT_TRUE(Ok(fs().CreateFolder(JoinPath(lib, name))));
  ASSERT_TRUE(Ok(fs().CreateFolder(JoinPath(JoinPath(lib, "beta"), "inner"))));
  Write(JoinPath(lib, "file.png"), "x");

  Result<std::vector<std::string>> folders = fs().ListFolders(lib + "/");
  ASSERT_TRUE(Ok(folders.status()));
  EXPECT_EQ(folders.value(), (std::vector<std::string>{"alpha.d", "beta", "Zeta"}));
  Result<std::vector<std::string>> empty = fs().ListFolders(JoinPath(lib, "Zeta"));
  ASSERT_TRUE(Ok(empty.status()));
  EXPECT_TRUE(empty.value().empty());
  EXPECT_TRUE(FailsWith(fs().ListFolders(At("no-such-folder")).status(), ErrorKind::kNotFound));
}

TEST_P(FileSystemContract, NonAsciiNamesRoundTripAsUtf8) {
  const std::string name = "\xC3\x84gypten \xE2\x80\x93 \xCE\xB1.lmb";  // "Ägypten – α.lmb"
  Write(At(name), "x");
  EXPECT_TRUE(fs().FileExists(At(name)));
  Result<std::vector<std::string>> names = fs().ListFiles(Root(), ".LMB");
  ASSERT_TRUE(Ok(names.status()));
  EXPECT_EQ(names.value(), std::vector<std::string>{name});
}

TEST_P(FileSystemContract, LastWriteTimeOfFilesAndFolders) {
  const std::string file = At("a.lmb");
  const std::string folder = At("sub");
  Write(file, "x");
  ASSERT_TRUE(Ok(fs().CreateFolder(folder)));
  for (int64_t t : {int64_t{1000000000}, int64_t{4102444800} /* 2100, past 32 bits */}) {
    ASSERT_TRUE(Ok(fs().SetLastWriteTime(file, t)));
    ASSERT_TRUE(Ok(fs().SetLastWriteTime(folder, t)));
    Result<int64_t> file_time = fs().LastWriteTime(file);
    Result<int64_t> folder_time = fs().LastWriteTime(folder);
    ASSERT_TRUE(Ok(file_time.status()));
    ASSERT_TRUE(Ok(folder_time.status()));
    EXPECT_EQ(file_time.value(), t);
    EXPECT_EQ(folder_time.value(), t);
  }
  ASSERT_TRUE(Ok(fs().SetLastWriteTime(file, 1000000000)));
  Write(file, "rewritten");
  Result<int64_t> after = fs().LastWriteTime(file);
  ASSERT_TRUE(Ok(after.status()));
  EXPECT_GT(after.value(), 1000000000) << "a write must move the time to now";
}

// To the nanosecond on POSIX, to the 100 ns tick on Windows; the access
// time stays as it was.
TEST_P(FileSystemContract, LastWriteTimeRestoresAtFullPrecision) {
  const std::string file = At("a.lmk");
  Write(file, "x");
  for (const FileTime t : {FileTime{1000000000, 123456700}, FileTime{4102444800, 999999900},
                           FileTime{1000000000, 0}}) {
    ASSERT_TRUE(Ok(fs().RestoreLastWriteTime(file, t)));
    Result<FileTime> got = fs().PreciseLastWriteTime(file);
    ASSERT_TRUE(Ok(got.status()));
    EXPECT_EQ(got->seconds, t.seconds);
    EXPECT_EQ(got->nanoseconds, t.nanoseconds);
    EXPECT_EQ(*fs().LastWriteTime(file), t.seconds);
  }
  EXPECT_FALSE(fs().RestoreLastWriteTime(file, FileTime{1000000000, 1000000000}).ok());
  EXPECT_FALSE(fs().RestoreLastWriteTime(At("missing.lmk"), FileTime{1000000000, 0}).ok());
}

// Catalogue scans look at modules that are open; none of this may be refused.
TEST_P(FileSystemContract, MappedFileCanStillBeInspected) {
  const std::string path = At("module.lmb");
  Write(path, "content");
  const auto view = Map(path);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(fs().FileExists(path));
  EXPECT_TRUE(Ok(fs().SetLastWriteTime(path, 1000000000)));
  Result<int64_t> time = fs().LastWriteTime(path);
  ASSERT_TRUE(Ok(time.status()));
  EXPECT_EQ(time.value(), 1000000000);
  Result<std::vector<std::string>> names = fs().ListFiles(Root(), ".lmb");
  ASSERT_TRUE(Ok(names.status()));
  EXPECT_EQ(names.value(), std::vector<std::string>{"module.lmb"});
}

TEST_P(FileSystemContract, ReadingAMappedFile) {
  const std::string path = At("module.lmb");
  Write(path, "content");
  const auto view = Map(path);
  ASSERT_NE(view, nullptr);
  Result<std::string> read = fs().ReadFile(path);
  if (windows_sharing()) {
    EXPECT_FALSE(read.ok());
  } else {
    ASSERT_TRUE(Ok(read.status()));
    EXPECT_EQ(read.value(), "content");
  }
}

// The crash-safe write: new content goes to a temporary file renamed over
// the module. Under Windows sharing that must wait for the view to go.
TEST_P(FileSystemContract, ReplacingAMappedFileByRename) {
  const std::string path = At("module.lmb");
  const std::string temp = At("module.tmp");
  Write(path, "old");
  auto view = Map(path);
  ASSERT_NE(view, nullptr);
  Write(temp, "new!");
  const Status renamed = fs().Rename(temp, path);
  EXPECT_EQ(Bytes(*view), "old");
  if (windows_sharing()) {
    EXPECT_FALSE(renamed.ok());
    EXPECT_TRUE(fs().FileExists(temp));
    view.reset();
    ASSERT_TRUE(Ok(fs().Rename(temp, path)));
  } else {
    ASSERT_TRUE(Ok(renamed));
    const auto fresh = Map(path);
    ASSERT_NE(fresh, nullptr) << "the new file is not the one held";
    EXPECT_EQ(Bytes(*fresh), "new!");
  }
  EXPECT_EQ(Read(path), "new!");
}

TEST_P(FileSystemContract, RemovingAMappedFile) {
  const std::string path = At("module.lmb");
  Write(path, "old");
  auto view = Map(path);
  ASSERT_NE(view, nullptr);
  const Status removed = fs().Remove(path);
  EXPECT_EQ(Bytes(*view), "old");
  if (windows_sharing()) {
    EXPECT_FALSE(removed.ok());
    EXPECT_TRUE(fs().FileExists(path));
  } else {
    ASSERT_TRUE(Ok(removed));
    EXPECT_FALSE(fs().FileExists(path));
    Write(path, "another");
    EXPECT_TRUE(CanMap(path)) << "a new file under the old name is not held";
  }
}

// The hold is on the file, not on its name.
TEST_P(FileSystemContract, RenamedOrRewrittenMappedFileStaysHeld) {
  const std::string path = At("module.lmb");
  const std::string moved = At("moved.lmb");
  Write(path, "old");
  auto view = Map(path);
  ASSERT_NE(view, nullptr);
  const Status renamed = fs().Rename(path, moved);
  if (windows_sharing()) {
    EXPECT_FALSE(renamed.ok());
    EXPECT_FALSE(fs().WriteFile(path, "new").ok());
    EXPECT_FALSE(CanMap(path));
    view.reset();
    EXPECT_EQ(Read(path), "old");
  } else {
    ASSERT_TRUE(Ok(renamed));
    EXPECT_FALSE(CanMap(moved));
    // Same length, so the real mapping never reaches past the end of the file.
    ASSERT_TRUE(Ok(fs().WriteFile(moved, "new")));
    EXPECT_FALSE(CanMap(moved));
    view.reset();
    EXPECT_EQ(Read(moved), "new");
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllFileSystems, FileSystemContract,
    ::testing::Values(
        Backend{"Disk", kDiskHasWindowsSharing, [] { return std::make_unique<DiskSandbox>(); }},
        Backend{"Memory", false, [] { return std::make_unique<MemorySandbox>(false); }},
        Backend{"MemoryWindowsSharing", true,
                [] { return std::make_unique<MemorySandbox>(true); }}),
    [](const ::testing::TestParamInfo<Backend>& backend) { return backend.param.name; });

TEST(ExecutableFolder, IsAnExistingFolderWithATrailingSeparator) {
  const std::string folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
#ifdef _WIN32
  EXPECT_TRUE(folder.back() == '\\' || folder.back() == '/') << folder;
#else
  EXPECT_EQ(folder.back(), '/') << folder;
#endif
  EXPECT_TRUE(DefaultFileSystem().FolderExists(folder)) << folder;
}

}  // namespace
}  // namespace lumora
