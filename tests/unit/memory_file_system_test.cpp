// What MemoryFileSystem adds to the shared contract (posix_file_system_test):
// views that outlive their file, path spelling, fault injection and the test
// helpers.
#include "core/platform/memory/memory_file_system.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/status_assertions.h"

namespace lumora {
namespace {

using test::Bytes;
using test::Ok;

class MemoryFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs_.SetFile("/lib/a.lmb", "alpha");
    fs_.SetNow(1700000000);
  }
  MemoryFileSystem fs_;
};

// --- Views -------------------------------------------------------------------

TEST_F(MemoryFileSystemTest, ViewKeepsItsBytesThroughRewriteAndRemove) {
  Result<std::shared_ptr<const MappedFile>> view = fs_.MapExclusive("/lib/a.lmb");
  ASSERT_TRUE(Ok(view.status()));
  const uint8_t* data = view.value()->data();

  ASSERT_TRUE(Ok(fs_.WriteFile("/lib/a.lmb", "a much longer replacement")));
  EXPECT_EQ(Bytes(*view.value()), "alpha");
  EXPECT_EQ(view.value()->data(), data) << "a view must not move";
  EXPECT_FALSE(fs_.MapExclusive("/lib/a.lmb").ok()) << "rewritten in place, still held";

  ASSERT_TRUE(Ok(fs_.Remove("/lib/a.lmb")));
  EXPECT_EQ(Bytes(*view.value()), "alpha");
  EXPECT_FALSE(fs_.IsMapped("/lib/a.lmb"));
}

TEST_F(MemoryFileSystemTest, ViewMayOutliveTheFileSystem) {
  auto fs = std::make_unique<MemoryFileSystem>();
  fs->SetFile("a", "bytes");
  Result<std::shared_ptr<const MappedFile>> view = fs->MapExclusive("a");
  ASSERT_TRUE(Ok(view.status()));
  fs.reset();
  EXPECT_EQ(Bytes(*view.value()), "bytes");
  view.value().reset();  // releases the hold on a table the file system no longer owns
}

TEST_F(MemoryFileSystemTest, IsMappedFollowsTheView) {
  EXPECT_FALSE(fs_.IsMapped("/lib/a.lmb"));
  {
    Result<std::shared_ptr<const MappedFile>> view = fs_.MapExclusive("/lib/a.lmb");
    ASSERT_TRUE(Ok(view.status()));
    EXPECT_TRUE(fs_.IsMapped("/lib/a.lmb"));
  }
  EXPECT_FALSE(fs_.IsMapped("/lib/a.lmb"));
}

// --- Paths -------------------------------------------------------------------

TEST_F(MemoryFileSystemTest, SeparatorsAreInterchangeable) {
  EXPECT_TRUE(fs_.FileExists("\\lib\\a.lmb"));
  EXPECT_TRUE(fs_.FolderExists("/lib/"));
  Result<std::string> read = fs_.ReadFile("//lib\\\\a.lmb");
  ASSERT_TRUE(Ok(read.status()));
  EXPECT_EQ(read.value(), "alpha");

  ASSERT_TRUE(Ok(fs_.WriteFile("\\lib\\b.lmb", "beta")));
  Result<std::vector<std::string>> names = fs_.ListFiles("\\lib\\", ".lmb");
  ASSERT_TRUE(Ok(names.status()));
  EXPECT_EQ(names.value(), (std::vector<std::string>{"a.lmb", "b.lmb"}));

  Result<std::shared_ptr<const MappedFile>> view = fs_.MapExclusive("/lib/a.lmb");
  ASSERT_TRUE(Ok(view.status()));
  EXPECT_FALSE(fs_.MapExclusive("\\lib\\a.lmb").ok()) << "one file, however it is spelt";
}

TEST_F(MemoryFileSystemTest, FailNextFiresOnceAtTheChosenCall) {
  fs_.FailNext(FileOp::kWrite, 2);
  EXPECT_TRUE(Ok(fs_.WriteFile("/lib/a.lmb", "1")));
  EXPECT_TRUE(Ok(fs_.WriteFile("/lib/a.lmb", "2")));
  const Status third = fs_.WriteFile("/lib/a.lmb", "3");
  EXPECT_FALSE(third.ok());
  EXPECT_EQ(third.kind(), ErrorKind::kIo);
  EXPECT_EQ(fs_.GetFile("/lib/a.lmb"), "2") << "a failed write must change nothing";
  EXPECT_TRUE(Ok(fs_.WriteFile("/lib/a.lmb", "4")));
  EXPECT_TRUE(Ok(fs_.WriteFile("/lib/a.lmb", "5")));
  EXPECT_EQ(fs_.GetFile("/lib/a.lmb"), "5");
}

TEST_F(MemoryFileSystemTest, ArmingAgainReplacesAndClearDisarms) {
  fs_.FailNext(FileOp::kRead, 5);
  fs_.FailNext(FileOp::kRead);
  EXPECT_FALSE(fs_.ReadFile("/lib/a.lmb").ok());
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(fs_.ReadFile("/lib/a.lmb").ok()) << i;

  fs_.FailNext(FileOp::kRead);
  fs_.FailNext(FileOp::kRemove);
  fs_.ClearFaults();
  EXPECT_TRUE(fs_.ReadFile("/lib/a.lmb").ok());
  EXPECT_TRUE(Ok(fs_.Remove("/lib/a.lmb")));
}

// Each FileOp must reach exactly its own call: arming one and running all the
// others leaves it armed, and its own call then fails once.
TEST_F(MemoryFileSystemTest, EachFaultHitsOnlyItsOwnOperation) {
  struct Call {
    FileOp op;
    std::function<Status(MemoryFileSystem&)> run;
  };
  const std::vector<Call> calls = {
      {FileOp::kMap, [](MemoryFileSystem& fs) { return fs.MapExclusive("/lib/a.lmb").status(); }},
      {FileOp::kRead, [](MemoryFileSystem& fs) { return fs.ReadFile("/lib/a.lmb").status(); }},
      {FileOp::kWrite, [](MemoryFileSystem& fs) { return fs.WriteFile("/lib/a.lmb", "x"); }},
      {FileOp::kRename,
       [](MemoryFileSystem& fs) {
         fs.SetFile("/lib/r.tmp", "r");
         return fs.Rename("/lib/r.tmp", "/lib/r.lmb");
       }},
      {FileOp::kRemove,
       [](MemoryFileSystem& fs) {
         fs.SetFile("/lib/d.tmp", "d");
         return fs.Remove("/lib/d.tmp");
       }},
      {FileOp::kCreateFolder, [](MemoryFileSystem& fs) { return fs.CreateFolder("/lib/sub"); }},
      {FileOp::kSetTime,
       [](MemoryFileSystem& fs) { return fs.SetLastWriteTime("/lib/a.lmb", 7); }},
      {FileOp::kList, [](MemoryFileSystem& fs) { return fs.ListFiles("/lib", "").status(); }},
      {FileOp::kGetTime,
       [](MemoryFileSystem& fs) { return fs.LastWriteTime("/lib/a.lmb").status(); }},
  };
  for (const Call& armed : calls) {
    SCOPED_TRACE(static_cast<int>(armed.op));
    MemoryFileSystem fs;
    fs.SetFile("/lib/a.lmb", "alpha");
    fs.FailNext(armed.op);
    for (const Call& other : calls) {
      if (other.op == armed.op) continue;
      EXPECT_TRUE(Ok(other.run(fs))) << static_cast<int>(other.op);
    }
    const Status hit = armed.run(fs);
    EXPECT_FALSE(hit.ok());
    EXPECT_EQ(hit.kind(), ErrorKind::kIo);
    EXPECT_TRUE(Ok(armed.run(fs)));
  }
}

TEST_F(MemoryFileSystemTest, InjectedFailuresLeaveNoTrace) {
  fs_.SetFile("/lib/new.tmp", "new");
  fs_.SetTime("/lib/a.lmb", 100);

  fs_.FailNext(FileOp::kRename);
  EXPECT_FALSE(fs_.Rename("/lib/new.tmp", "/lib/a.lmb").ok());
  EXPECT_EQ(fs_.GetFile("/lib/new.tmp"), "new");
  EXPECT_EQ(fs_.GetFile("/lib/a.lmb"), "alpha");

  fs_.FailNext(FileOp::kRemove);
  EXPECT_FALSE(fs_.Remove("/lib/a.lmb").ok());
  EXPECT_TRUE(fs_.FileExists("/lib/a.lmb"));

  fs_.FailNext(FileOp::kWrite);
  EXPECT_FALSE(fs_.WriteFile("/lib/fresh.lmb", "x").ok());
  EXPECT_FALSE(fs_.FileExists("/lib/fresh.lmb"));

  fs_.FailNext(FileOp::kCreateFolder);
  EXPECT_FALSE(fs_.CreateFolder("/lib/sub").ok());
  EXPECT_FALSE(fs_.FolderExists("/lib/sub"));

  fs_.FailNext(FileOp::kSetTime);
  EXPECT_FALSE(fs_.SetLastWriteTime("/lib/a.lmb", 200).ok());
  EXPECT_EQ(fs_.LastWriteTime("/lib/a.lmb").value(), 100);

  fs_.FailNext(FileOp::kMap);
  EXPECT_FALSE(fs_.MapExclusive("/lib/a.lmb").ok());
  EXPECT_FALSE(fs_.IsMapped("/lib/a.lmb"));
  EXPECT_TRUE(fs_.MapExclusive("/lib/a.lmb").ok());
}

TEST_F(MemoryFileSystemTest, TornWriteLeavesTheFirstBytes) {
  fs_.TearNextWrite(3, 1);
  ASSERT_TRUE(Ok(fs_.WriteFile("/lib/a.lmb", "complete")));
  const Status torn = fs_.WriteFile("/lib/a.lmb", "abcdef");
  EXPECT_FALSE(torn.ok());
  EXPECT_EQ(torn.kind(), ErrorKind::kIo);
  EXPECT_EQ(fs_.GetFile("/lib/a.lmb"), "abc");
  EXPECT_EQ(fs_.LastWriteTime("/lib/a.lmb").value(), 1700000000);
  ASSERT_TRUE(Ok(fs_.WriteFile("/lib/a.lmb", "whole again")));
  EXPECT_EQ(fs_.GetFile("/lib/a.lmb"), "whole again");
}

TEST_F(MemoryFileSystemTest, TornWriteCreatesTheFileAndCanKeepEverything) {
  fs_.TearNextWrite(0);
  EXPECT_FALSE(fs_.WriteFile("/lib/new.lmb", "data").ok());
  EXPECT_EQ(fs_.GetFile("/lib/new.lmb"), "");

  // All bytes written and still a failure, as when only the flush fails.
  fs_.TearNextWrite(100);
  EXPECT_FALSE(fs_.WriteFile("/lib/new.lmb", "data").ok());
  EXPECT_EQ(fs_.GetFile("/lib/new.lmb"), "data");
}

TEST_F(MemoryFileSystemTest, PlainFailureAfterATornWriteWritesNothing) {
  fs_.TearNextWrite(2);
  EXPECT_FALSE(fs_.WriteFile("/lib/a.lmb", "abcdef").ok());
  fs_.FailNext(FileOp::kWrite);
  EXPECT_FALSE(fs_.WriteFile("/lib/a.lmb", "xyz").ok());
  EXPECT_EQ(fs_.GetFile("/lib/a.lmb"), "ab");
}

}  // namespace
}  // namespace lumora
