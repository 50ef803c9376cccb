// The synthetic samples of the sample library: the devotional index with its
// "SME" Commentary, and the images, as the program reads them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/devotions.h"
#include "app/image_library.h"
#include "core/modules/commentary_module.h"
#include "core/platform/file_system.h"
#include "tests/library/library_fixture.h"

namespace lumora {
namespace {

TEST(SyntheticSamples, EveryReadingHasItsHeadingInTheSmeCommentary) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const DevotionIndex index = DevotionIndex::Load(DefaultFileSystem(),
                                                  JoinPath(folder, kDevotionFileName));
  ASSERT_EQ(index.size(), 732u);
  EXPECT_EQ(index.DaysOf(2).size(), 29u);
  auto sme = TLMCommentaryModule::Create(JoinPath(JoinPath(folder, "Commentaries"), "SME.lmc"));
  ASSERT_TRUE(sme.ok()) << sme.status().message();
  EXPECT_EQ((*sme)->GetTitle(), "Synthetic Morning and Evening Readings (sample)");
  for (int month = 1; month <= 12; ++month) {
    for (int day : index.DaysOf(month)) {
      for (bool morning : {true, false}) {
        const auto reading = index.Find(month, day, morning);
        ASSERT_TRUE(reading.has_value());
        EXPECT_EQ(reading->heading, DevotionKey(month, day, morning));
        ASSERT_TRUE((*sme)->HasEntry(reading->verse - 1)) << reading->heading;
        EXPECT_NE((*sme)->GetEntryText(reading->verse - 1).find(reading->heading),
                  std::string::npos)
            << reading->heading;
      }
    }
  }
}

TEST(SyntheticSamples, ImagesAndTheReadme) {
  LUMORA_REQUIRE_LIBRARY(folder);
  const std::string images = JoinPath(folder, kImagesFolderName);
  if (!DefaultFileSystem().FolderExists(images)) GTEST_SKIP() << "built without the image tool";
  const ImageLibrary library = ImageLibrary::Scan(DefaultFileSystem(), images);
  EXPECT_EQ(library.ImageCount(), 7);
  const ImageNode* map = library.Find("maps/MAP.OF.CANAAN.PNG");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->title, "map.of.canaan");
  EXPECT_NE(library.Find("Easton/ark.JPG"), nullptr);
  EXPECT_NE(library.Find("Empty"), nullptr);
  std::ifstream readme(JoinPath(folder, "README.txt"));
  std::stringstream text;
  text << readme.rdbuf();
  EXPECT_NE(text.str().find("Synthetic samples"), std::string::npos);
  EXPECT_NE(text.str().find("SYNTHETIC SAMPLE"), std::string::npos);
}

}  // namespace
}  // namespace lumora
