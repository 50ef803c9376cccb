// Path strings as the platform layer splits, joins and compares them. Windows
// takes "\" and "/" alike, has drive letters and ignores letter case; POSIX
// has one separator and a "\" is part of a name.
#include <gtest/gtest.h>

#include <string>

#include "core/platform/file_system.h"
#include "core/platform/memory/memory_file_system.h"
#include "tests/support/platform_only.h"

namespace lumora {
namespace {

TEST(Paths, JoinAddsOneSeparatorOnlyWhereNeeded) {
  const std::string sep = test::kOnWindows ? "\\" : "/";
  EXPECT_EQ(JoinPath("lib", "KJV.lmb"), "lib" + sep + "KJV.lmb");
  EXPECT_EQ(JoinPath("lib/", "KJV.lmb"), "lib/KJV.lmb");
  EXPECT_EQ(JoinPath("", "KJV.lmb"), "KJV.lmb");
  EXPECT_EQ(JoinPath("/", "KJV.lmb"), "/KJV.lmb");
}

TEST(Paths, SplitAtTheLastSeparator) {
  EXPECT_EQ(BaseName("/lib/Bibles/KJV.lmb"), "KJV.lmb");
  EXPECT_EQ(ParentFolder("/lib/Bibles/KJV.lmb"), "/lib/Bibles");
  EXPECT_EQ(ParentFolder("/lib/Bibles//KJV.lmb"), "/lib/Bibles");
  EXPECT_EQ(BaseName("KJV.lmb"), "KJV.lmb");
  EXPECT_EQ(ParentFolder("KJV.lmb"), "");
  EXPECT_EQ(BaseName("/lib/"), "");
  EXPECT_EQ(ParentFolder("/KJV.lmb"), "/") << "the root stays a root";
  EXPECT_EQ(ParentFolder("/"), "/");
}

TEST(Paths, SameFolderIgnoresTrailingSeparators) {
  EXPECT_TRUE(SameFolder("/lib/User", "/lib/User/"));
  EXPECT_TRUE(SameFolder("/lib/User//", "/lib/User"));
  EXPECT_FALSE(SameFolder("/lib/User", "/lib/Users"));
  EXPECT_FALSE(SameFolder("/lib/User", "/lib"));
  EXPECT_TRUE(SameFolder("/", "/"));
}

TEST(Paths, WindowsTakesBothSeparators) {
  LUMORA_WINDOWS_ONLY();
  EXPECT_EQ(BaseName("C:\\Lumora\\Bibles\\KJV.lmb"), "KJV.lmb");
  EXPECT_EQ(BaseName("C:\\Lumora/Bibles\\KJV.lmb"), "KJV.lmb");
  EXPECT_EQ(ParentFolder("C:\\Lumora\\Bibles\\KJV.lmb"), "C:\\Lumora\\Bibles");
  EXPECT_EQ(ParentFolder("C:\\Lumora/Bibles/KJV.lmb"), "C:\\Lumora/Bibles");
  EXPECT_EQ(ParentFolder("\\\\server\\share\\Lumora\\KJV.lmb"), "\\\\server\\share\\Lumora");
  EXPECT_EQ(JoinPath("C:\\Lumora\\", "User"), "C:\\Lumora\\User");
  EXPECT_EQ(JoinPath("C:/Lumora/", "User"), "C:/Lumora/User");
  EXPECT_EQ(JoinPath("C:\\Lumora", "User"), "C:\\Lumora\\User");
}

TEST(Paths, WindowsDriveLetterIsARoot) {
  LUMORA_WINDOWS_ONLY();
  EXPECT_EQ(ParentFolder("C:\\KJV.lmb"), "C:\\");
  EXPECT_EQ(ParentFolder("c:/KJV.lmb"), "c:/");
  EXPECT_EQ(ParentFolder("C:\\"), "C:\\");
  EXPECT_EQ(BaseName("C:\\KJV.lmb"), "KJV.lmb");
  // Relative to the current folder of drive D.
  EXPECT_EQ(ParentFolder("D:KJV.lmb"), "D:");
  EXPECT_EQ(BaseName("D:KJV.lmb"), "KJV.lmb");
  EXPECT_EQ(BaseName("D:"), "");
  EXPECT_TRUE(SameFolder(ParentFolder("C:\\notes.lmk"), "C:\\"));
}

TEST(Paths, WindowsComparesFoldersWithoutCaseOrSeparatorKind) {
  LUMORA_WINDOWS_ONLY();
  EXPECT_TRUE(SameFolder("C:\\Lumora\\User", "c:\\lumora\\USER"));
  EXPECT_TRUE(SameFolder("C:\\Lumora\\User", "C:/Lumora/User/"));
  EXPECT_TRUE(SameFolder("C:\\Programme\\\xC4nderungen", "c:\\programme\\\xE4nderungen"))
      << "Windows-1252 letters fold too";
  EXPECT_FALSE(SameFolder("C:\\Lumora\\User", "D:\\Lumora\\User"));
  EXPECT_FALSE(SameFolder("C:\\Lumora\\User", "C:\\Lumora\\User2"));
}

TEST(Paths, PosixBackslashIsPartOfAName) {
  LUMORA_POSIX_ONLY();
  EXPECT_EQ(BaseName("/lib/a\\b.lmb"), "a\\b.lmb");
  EXPECT_EQ(ParentFolder("/lib/a\\b.lmb"), "/lib");
  EXPECT_EQ(JoinPath("lib\\", "x"), "lib\\/x");
  EXPECT_EQ(ParentFolder("C:\\KJV.lmb"), "") << "no drive letters";
}

TEST(Paths, PosixComparesFoldersWithCase) {
  LUMORA_POSIX_ONLY();
  EXPECT_FALSE(SameFolder("/lib/User", "/lib/user"));
  EXPECT_FALSE(SameFolder("/lib/User", "\\lib\\User"));
}

// CreateFolders walks up to a folder that exists; a drive root is one.
TEST(Paths, CreateFoldersStopsAtTheRoot) {
  MemoryFileSystem fs;
  ASSERT_TRUE(CreateFolders(fs, "/a/b/c").ok());
  EXPECT_TRUE(fs.FolderExists("/a/b"));
  EXPECT_TRUE(fs.FolderExists("/a/b/c"));
  EXPECT_TRUE(CreateFolders(fs, "/a/b/c/").ok());
  EXPECT_TRUE(CreateFolders(fs, "/").ok());
}

}  // namespace
}  // namespace lumora
