#include "core/refs/paragraph_map.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"
#include "tools/builder/bible_builder.h"

namespace lumora {
namespace {

TEST(ParagraphMap, WrittenMapReadsBack) {
  test::TempFolder dir;
  std::vector<uint8_t> starts(31102, 0);
  starts[0] = 1;
  starts[26045] = 1;
  ASSERT_TRUE(builder::WriteParagraphMap(starts, dir.File("pmap.dat")).ok());
  Result<ParagraphMap> map = ParagraphMap::Load(DefaultFileSystem(), dir.File("pmap.dat"));
  ASSERT_TRUE(map.ok());
  EXPECT_TRUE(map->StartsParagraph(1));
  EXPECT_FALSE(map->StartsParagraph(2));
  EXPECT_TRUE(map->StartsParagraph(26046));
  EXPECT_FALSE(map->StartsParagraph(0));
  EXPECT_FALSE(map->StartsParagraph(31103));
}

TEST(ParagraphMap, ShortOrMissingFilesAreRefused) {
  test::TempFolder dir;
  ASSERT_TRUE(DefaultFileSystem().WriteFile(dir.File("pmap.dat"), std::string(100, '\1')).ok());
  EXPECT_FALSE(ParagraphMap::Load(DefaultFileSystem(), dir.File("pmap.dat")).ok());
  EXPECT_FALSE(ParagraphMap::Load(DefaultFileSystem(), dir.File("none.dat")).ok());
  EXPECT_FALSE(builder::WriteParagraphMap(std::vector<uint8_t>(5), dir.File("x.dat")).ok());
}

}  // namespace
}  // namespace lumora
