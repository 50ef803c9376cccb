// Links between resources: every message and every target of "lmbook",
// "lmcmt" and "lmimage" links, read against a small library of two Books
// and two Commentaries.
#include "app/resource_link.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/catalogue/module_catalogue.h"
#include "core/modules/bible_mapping_cache.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tools/builder/entry_builders.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

using Kind = TResourceLinkAction::Kind;

// A small library: the KJV Bible, the Strong's data, and when asked the
// Books "ABC" (Aaron, Abraham, "Moses & Aaron") and "NAV" (Moses) and the
// Commentaries "CMA" and "CMB". Each kind of folder is written once.
const std::string& LinkLibraryFolder(bool books, bool commentaries) {
  static test::TempFolder* folders[2][2] = {};
  test::TempFolder*& slot = folders[books][commentaries];
  if (slot != nullptr) return slot->Path();
  slot = new test::TempFolder;  // lives for the process
  const std::string& folder = slot->Path();
  fs::create_directories(fs::path(folder) / kBiblesFolder);
  test::WriteTestBible(folder + "/" + kBiblesFolder, "KJV.lmb", test::MakeTestBible("KJV"));
  test::WriteTestStrongsData(folder);
  if (books) {
    fs::create_directories(fs::path(folder) / kBooksFolder);
    builder::BookSource abc{
        "Letters", "ABC", "TEST", {{"Aaron", "a"}, {"Abraham", "b"}, {"Moses & Aaron", "c"}}};
    builder::SortBookEntries(abc);
    builder::BookSource nav{"Topics", "NAV", "TEST", {{"Moses", "m"}}};
    EXPECT_TRUE(builder::WriteBookModule(abc, folder + "/Books/ABC.lmk").ok());
    EXPECT_TRUE(builder::WriteBookModule(nav, folder + "/Books/NAV.lmk").ok());
  }
  if (commentaries) {
    fs::create_directories(fs::path(folder) / kCommentariesFolder);
    for (const char* abbreviation : {"CMA", "CMB"}) {
      builder::CommentarySource c{std::string("Notes ") + abbreviation, abbreviation, "TEST",
                                  std::vector<std::string>(31102)};
      c.slots[test::kJohn3_16 - 1] = "A note.";
      EXPECT_TRUE(
          builder::WriteCommentaryModule(c, folder + "/Commentaries/" + abbreviation + ".lmc")
              .ok());
    }
  }
  return folder;
}

std::unique_ptr<TModuleCatalogue> LoadLinkLibrary(bool books, bool commentaries) {
  const std::string& folder = LinkLibraryFolder(books, commentaries);
  BibleMappingCache::Instance().Clear();
  auto catalogue = std::make_unique<TModuleCatalogue>();
  EXPECT_TRUE(catalogue->LoadModules(folder).ok());
  return catalogue;
}

// What a result says, as one line: "book ABC 0", "cmt CMA 26136",
// "image name", "message ...", "none".
std::string Describe(const TResourceLinkAction& a) {
  switch (a.kind) {
    case Kind::kNone:
      return "none";
    case Kind::kMessage:
      return "message " + a.message;
    case Kind::kShowBookEntry:
      return "book " + a.book->GetAbbreviation() + " " + std::to_string(a.entry);
    case Kind::kShowCommentary:
      return "cmt " + a.commentary->GetAbbreviation() + " " + std::to_string(a.position);
    case Kind::kShowImage:
      return "image " + a.image;
  }
  return "?";
}

TEST(ResourceLink, EveryLinkFormAndMessage) {
  const auto catalogue = LoadLinkLibrary(true, true);
  const TLMDictionaryModule* nav = catalogue->BooksByAbbreviation().Find("NAV");
  const TLMCommentaryModule* cmb = catalogue->CommentariesByAbbreviation().Find("CMB");
  ASSERT_NE(nav, nullptr);
  ASSERT_NE(cmb, nullptr);
  const TResourceLinkPanes shown{nav, cmb};
  const std::string john316 = std::to_string(test::kJohn3_16 - 1);
  const struct {
    const char* href;
    std::string expected;
  } cases[] = {
      // Abbreviation and title match without regard to case.
      {"lmbook:ABC|Aaron", "book ABC 0"},
      {"lmbook:abc|aaron", "book ABC 0"},
      {"LMBOOK:Abc|ABRAHAM", "book ABC 1"},
      {"lmbook:ABC|Moses & Aaron", "book ABC 2"},
      // No abbreviation: the Book the Book view shows.
      {"lmbook:Moses", "book NAV 0"},
      {"lmbook:|Moses", "book NAV 0"},
      {"lmbook:|moses", "book NAV 0"},
      // The title is lower-cased before it is quoted back.
      {"lmbook:Aaron", "message Error: \"aaron\" not found in \"NAV\""},
      {"lmbook:ABC|Noah", "message Error: \"noah\" not found in \"ABC\""},
      {"lmbook:XYZ|Aaron", "message Error: \"xyz\" book not available."},
      // A "|" past the abbreviation belongs to the title.
      {"lmbook:ABC|Aaron|x", "message Error: \"aaron|x\" not found in \"ABC\""},
      {"lmbook:ABC|", "message Error: badly formed link."},
      {"lmcmt:ABC|", "message Error: badly formed link."},
      {"lmimage:pic|", "message Error: badly formed link."},
      {"lmcmt:CMA|Jn 3:16", "cmt CMA " + john316},
      {"lmcmt:cma|john 3:16-18", "cmt CMA " + john316},
      {"lmcmt:Jn 3:16", "cmt CMB " + john316},
      {"lmcmt:|Jn 3:16", "cmt CMB " + john316},
      {"lmcmt:CMA|Genesis 1:1", "cmt CMA 0"},
      {"lmcmt:CMA|Nowhere 9:9", "message Error: \"nowhere 9:9\" not a valid reference."},
      {"lmcmt:CMA|", "message Error: badly formed link."},
      {"lmcmt:", "message Error: \"\" not a valid reference."},
      {"lmcmt:XYZ|Jn 3:16", "message Error: \"xyz\" commentary not available."},
      // The image name is the whole rest, lower-cased.
      {"lmimage:Map of Canaan", "image map of canaan"},
      {"lmimage:Maps|Canaan", "image maps|canaan"},
      {"lmimage:|x", "image |x"},
      // Not a resource link.
      {"lmbook", "none"},
      {"http://example.org", "none"},
      {"vr:abc", "none"},
      {"", "none"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.href);
    EXPECT_EQ(Describe(ResolveResourceLink(c.href, *catalogue, shown)), c.expected);
  }
}

TEST(ResourceLink, MissingModulesAndEmptyPanes) {
  const struct {
    bool books, commentaries;
    const char* href;
    const char* expected;
  } cases[] = {
      {false, false, "lmbook:ABC|Aaron", "message Error: No books loaded."},
      {false, true, "lmbook:Aaron", "message Error: No books loaded."},
      {true, false, "lmcmt:CMA|Jn 3:16", "message Error: No commentaries loaded."},
      {true, false, "lmcmt:Jn 3:16", "message Error: No commentaries loaded."},
      // Loaded, but the pane shows none and the link names none.
      {true, true, "lmbook:Aaron", "message Error: No books loaded."},
      {true, true, "lmcmt:Jn 3:16", "message Error: No commentaries loaded."},
      {true, true, "lmbook:ABC|Aaron", "book ABC 0"},
      {true, true, "lmcmt:CMB|Gen 1:1", "cmt CMB 0"},
      // A badly formed link is reported before anything is looked up.
      {false, false, "lmbook:ABC|", "message Error: badly formed link."},
      {false, false, "lmimage:x", "image x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.href);
    const auto catalogue = LoadLinkLibrary(c.books, c.commentaries);
    EXPECT_EQ(Describe(ResolveResourceLink(c.href, *catalogue, TResourceLinkPanes{})), c.expected);
  }
}

}  // namespace
}  // namespace lumora
