// The image scan on a real folder (links, loops, case, depth, empty
// folders), the link-name index, and the viewer's zoom, fit and drag rules.
#include "app/image_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/image_view_rules.h"
#include "core/platform/memory/memory_file_system.h"
#include "tests/support/platform_only.h"
#include "tests/support/temp_folder.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

class ImageScanTest : public ::testing::Test {
 protected:
  std::string Images() const { return temp_.File("Images"); }
  // `relative` is UTF-8 (a char8_t path reads it as such on every system).
  static fs::path Utf8Path(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }
  void Touch(const std::string& relative) {
    const fs::path path = fs::path(Images()) / Utf8Path(relative);
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
  }
  void Folder(const std::string& relative) {
    fs::create_directories(fs::path(Images()) / Utf8Path(relative));
  }
  ImageLibrary Scan(int max_depth = kMaxImageFolderDepth) const {
    return ImageLibrary::Scan(DefaultFileSystem(), Images(), max_depth);
  }
  // "title|link" of every node, depth first; folders end in "/".
  static void Walk(const ImageNode& node, std::vector<std::string>& out) {
    out.push_back(node.title + "|" + node.link_name + (node.IsFolder() ? "/" : ""));
    for (const ImageNode& child : node.children) Walk(child, out);
  }
  static std::vector<std::string> Tree(const ImageLibrary& library) {
    std::vector<std::string> out;
    Walk(library.Root(), out);
    return out;
  }

  test::TempFolder temp_;
};

TEST_F(ImageScanTest, TitlesLinkNamesOrderAndCount) {
  Touch("Easton/aaron.jpg");
  Touch("Easton/Ark.JPG");            // upper-case extension
  Touch("Easton/notes.txt");          // not an image
  Touch("Maps/map.of.canaan.png");    // several dots: only the last one goes
  Touch("Maps/.png");                 // the only dot is the first character
  Touch("Maps/Regions/galilee.jpeg");
  Touch("top.png");
  Folder("Empty");
  const ImageLibrary library = Scan();
  EXPECT_EQ(library.ImageCount(), 6);
  EXPECT_EQ(Tree(library), (std::vector<std::string>{
                               "Images|Images/",
                               "Easton|Easton/",
                               "aaron|Easton/aaron.jpg",
                               "Ark|Easton/Ark.JPG",
                               "Empty|Empty/",
                               "Maps|Maps/",
                               ".png|Maps/.png",
                               "map.of.canaan|Maps/map.of.canaan.png",
                               "Regions|Maps/Regions/",
                               "galilee|Maps/Regions/galilee.jpeg",
                               "top|top.png",
                           }));
  // The menu: folders with something in them, the scanned one excepted.
  std::vector<std::string> menu;
  for (const ImageNode* f : library.MenuFolders()) menu.push_back(f->link_name);
  EXPECT_EQ(menu, (std::vector<std::string>{"Easton", "Maps", "Maps/Regions"}));
  const ImageNode* aaron = library.Find("Easton/aaron.jpg");
  ASSERT_NE(aaron, nullptr);
  EXPECT_EQ(fs::path(aaron->file), fs::path(Images()) / "Easton" / "aaron.jpg");
}

TEST_F(ImageScanTest, LinkNamesIgnoreCaseAndSeparator) {
  Touch("Easton/aaron.jpg");
  Touch("Maps/Regions/Galilee.jpeg");
  const ImageLibrary library = Scan();
  const ImageNode* aaron = library.Find("Easton/aaron.jpg");
  ASSERT_NE(aaron, nullptr);
  struct Case {
    const char* name;
    const ImageNode* node;
  } cases[] = {
      {"easton\\AARON.JPG", aaron},
      {"EASTON/Aaron.jpg", aaron},
      {"maps\\regions\\galilee.JPEG", library.Find("Maps/Regions/Galilee.jpeg")},
      {"images", &library.Root()},
      {"easton", library.Find("Easton")},
      {"Easton/aaron", nullptr},     // the extension is part of the name
      {"aaron.jpg", nullptr},        // the folder too
      {"Images/Easton/aaron.jpg", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(library.Find(c.name), c.node) << c.name;
  EXPECT_NE(library.Find("Maps/Regions/Galilee.jpeg"), nullptr);
  EXPECT_TRUE(library.Find("easton")->IsFolder());
  // Letters beyond ASCII fold too (UTF-8 names, as the file system gives).
  Touch("\xC3\x84gypten/karte.png");  // "Ägypten"
  EXPECT_NE(Scan().Find("\xC3\xA4GYPTEN/KARTE.PNG"), nullptr);
}

TEST_F(ImageScanTest, FolderLinksAreNotFollowed) {
  LUMORA_POSIX_ONLY();
  Touch("Maps/canaan.png");
  Touch("outside.png");
  std::error_code ec;
  // A loop back to the top, a link to itself and a link to a file.
  fs::create_directory_symlink(Images(), fs::path(Images()) / "Maps" / "loop", ec);
  ASSERT_FALSE(ec) << ec.message();
  fs::create_directory_symlink(".", fs::path(Images()) / "Maps" / "self", ec);
  ASSERT_FALSE(ec) << ec.message();
  fs::create_symlink(fs::path(Images()) / "outside.png", fs::path(Images()) / "Maps" / "linked.png",
                     ec);
  ASSERT_FALSE(ec) << ec.message();
  const ImageLibrary library = Scan();
  EXPECT_EQ(Tree(library), (std::vector<std::string>{
                               "Images|Images/",
                               "Maps|Maps/",
                               "canaan|Maps/canaan.png",
                               "linked|Maps/linked.png",  // a file link is an image
                               "outside|outside.png",
                           }));
  EXPECT_EQ(library.ImageCount(), 3);
}

TEST_F(ImageScanTest, DepthIsCapped) {
  std::string path;
  for (int depth = 1; depth <= 6; ++depth) {
    path += "d" + std::to_string(depth) + "/";
    Touch(path + "picture.png");
  }
  EXPECT_EQ(Scan(3).ImageCount(), 3);
  EXPECT_NE(Scan(3).Find("d1/d2/d3/picture.png"), nullptr);
  EXPECT_EQ(Scan(3).Find("d1/d2/d3/d4"), nullptr);
  EXPECT_EQ(Scan().ImageCount(), 6);
}

TEST_F(ImageScanTest, OfNamesEqualButForCaseTheFirstIsKept) {
  LUMORA_POSIX_ONLY();  // names equal but for case are one file elsewhere
  Touch("Easton/aaron.jpg");
  Touch("Easton/Aaron.jpg");
  Touch("Maps/a.png");
  Touch("maps/b.png");
  const ImageLibrary library = Scan();
  EXPECT_EQ(Tree(library), (std::vector<std::string>{
                               "Images|Images/",
                               "Easton|Easton/",
                               "Aaron|Easton/Aaron.jpg",
                               "Maps|Maps/",
                               "a|Maps/a.png",
                           }));
  EXPECT_EQ(library.ImageCount(), 2);
  EXPECT_EQ(library.Find("easton/aaron.jpg")->link_name, "Easton/Aaron.jpg");
  EXPECT_EQ(library.Find("maps/b.png"), nullptr);
}

TEST_F(ImageScanTest, MissingEmptyAndUnlistableFolders) {
  const ImageLibrary missing = Scan();
  EXPECT_EQ(missing.ImageCount(), 0);
  EXPECT_EQ(Tree(missing), std::vector<std::string>{"Images|Images/"});
  EXPECT_TRUE(missing.MenuFolders().empty());
  EXPECT_EQ(missing.Find("Images"), &missing.Root());

  Folder("Empty/Inner");
  const ImageLibrary empty = Scan();
  EXPECT_EQ(empty.ImageCount(), 0);
  // Empty holds a folder, so it is a menu folder; Inner holds nothing.
  ASSERT_EQ(empty.MenuFolders().size(), 1u);
  EXPECT_EQ(empty.MenuFolders()[0]->link_name, "Empty");

  // A folder that cannot be listed scans as empty; the rest still scans.
  MemoryFileSystem memory;
  memory.SetFile("/lib/Images/a.png", "x");
  memory.SetFile("/lib/Images/Sub/b.png", "x");
  EXPECT_EQ(ImageLibrary::Scan(memory, "/lib/Images").ImageCount(), 2);
  memory.FailNext(FileOp::kList, 2);  // the root's two listings pass, Sub's first fails
  const ImageLibrary partial = ImageLibrary::Scan(memory, "/lib/Images");
  EXPECT_EQ(partial.ImageCount(), 2);
  memory.FailNext(FileOp::kList, 0);  // the root's folder listing fails
  EXPECT_EQ(ImageLibrary::Scan(memory, "/lib/Images").ImageCount(), 1);
}

TEST(ImageViewRules, ZoomSteps) {
  struct Case {
    int zoom, notches, expected;
  } cases[] = {
      {100, 15, 175}, {100, 20, 200}, {100, 21, 200}, {200, 1, 200},   {100, -19, 5},
      {100, -20, 1},  {100, -25, 1},  {1, -1, 1},     {1, 1, 6},       {100, 0, 100},
      {100, 1 << 30, 200}, {100, -(1 << 30), 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ZoomAfterNotches(c.zoom, c.notches), c.expected) << c.zoom << " " << c.notches;
  // Notch by notch as the wheel turns: the same results.
  int zoom = 100;
  for (int i = 0; i < 20; ++i) zoom = ZoomAfterNotches(zoom, -1);
  EXPECT_EQ(zoom, 1);
}

TEST(ImageViewRules, WheelDeltasMakeWholeNotches) {
  WheelNotches wheel;
  EXPECT_EQ(wheel.Add(120), 1);
  EXPECT_EQ(wheel.Add(240), 2);
  EXPECT_EQ(wheel.Add(-120), -1);
  int notches = 0;
  for (int i = 0; i < 7; ++i) notches += wheel.Add(15);  // a touchpad's small steps
  EXPECT_EQ(notches, 0);
  EXPECT_EQ(wheel.Add(15), 1);
  EXPECT_EQ(wheel.Add(60), 0);
  EXPECT_EQ(wheel.Add(-120), -1);  // turning back drops the half notch
  EXPECT_EQ(wheel.Add(0), 0);
}

TEST(ImageViewRules, FitZoomAndDrag) {
  EXPECT_EQ(FitWithin({4000, 2500}, {800, 600}), (PixelSize{800, 500}));
  EXPECT_EQ(FitWithin({160, 3200}, {400, 300}), (PixelSize{15, 300}));
  EXPECT_EQ(FitWithin({300, 200}, {800, 600}), (PixelSize{300, 200}));  // never enlarged
  EXPECT_EQ(FitWithin({900, 100}, {800, 600}), (PixelSize{800, 89}));
  EXPECT_EQ(FitWithin({10, 10}, {0, 0}), (PixelSize{10, 10}));
  EXPECT_EQ(ZoomedLength(900, 175), 1575);
  EXPECT_EQ(ZoomedLength(333, 50), 167);
  EXPECT_EQ(ZoomedLength(50, 1), 1);  // 0.5 rounds up: never a zero-sized picture
  EXPECT_EQ(ZoomedLength(0, 100), 0);
  EXPECT_EQ(DragScrollPosition(100, 50, 20, 500), 130);
  EXPECT_EQ(DragScrollPosition(100, 50, 200, 500), 0);
  EXPECT_EQ(DragScrollPosition(400, 300, 0, 500), 500);
  EXPECT_EQ(DragScrollPosition(0, 0, -10, 0), 0);  // nothing to scroll that way
}

}  // namespace
}  // namespace lumora
