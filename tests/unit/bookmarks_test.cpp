// The bookmarks apart from the widgets: untrusted records, every caption of
// the commands, submenus and dialogs, the Set Bookmark choices and the Book
// entry a bookmark opens.
#include "app/bookmarks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/modules/bible_mapping_cache.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/platform/memory/memory_file_system.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tools/builder/entry_builders.h"

namespace lumora {
namespace {

using config::BookmarkRecord;
using test::V;

BookmarkRecord Rec(int kind, std::string abbrev, int position, std::string text) {
  BookmarkRecord r;
  r.kind = kind;
  r.abbrev = std::move(abbrev);
  r.position = position;
  r.text = std::move(text);
  return r;
}

TEST(Bookmarks, RecordsThatCannotBeFollowedAreNotInUse) {
  const struct {
    BookmarkRecord in;
    bool in_use;
  } cases[] = {
      {Rec(-1, "", -1, ""), false},
      {Rec(0, "KJV", 1, "Ge 1:1"), true},
      {Rec(0, "KJV", 31102, "Re 22:21"), true},
      {Rec(0, "KJV", 0, "x"), false},
      {Rec(0, "KJV", 31103, "x"), false},
      {Rec(1, "MHCC", 0, "Genesis 1:1"), true},
      {Rec(1, "MHCC", 31101, "x"), true},
      {Rec(1, "MHCC", -1, "x"), false},
      {Rec(1, "MHCC", 31102, "x"), false},
      {Rec(2, "Naves", -1, "AARON"), true},
      {Rec(2, "Naves", 77, "AARON"), true},  // a Book keeps no position
      {Rec(3, "X", 1, "x"), false},
      {Rec(-2, "X", 1, "x"), false},
      {Rec(1000000, "X", 1, "x"), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BookmarkInUse(c.in), c.in_use) << c.in.kind << " " << c.in.position;
    const BookmarkRecord n = NormalizedBookmark(c.in);
    if (!c.in_use) {
      EXPECT_EQ(n, BookmarkRecord());
    }
  }
  EXPECT_EQ(NormalizedBookmark(Rec(2, "Naves", 77, "AARON")).position, -1);
  // Longer strings are cut to their fields, wherever they came from.
  const BookmarkRecord cut = MakeBookmark(2, std::string(20, 'A'), -1, std::string(80, 't'));
  EXPECT_EQ(cut.abbrev, std::string(15, 'A'));
  EXPECT_EQ(cut.text, std::string(70, 't'));
  EXPECT_EQ(MakeBookmark(7, "KJV", 1, "x"), BookmarkRecord());
  EXPECT_EQ(MakeBookmark(0, "KJV", 40000, "x"), BookmarkRecord());
}

TEST(Bookmarks, GoItemsOfANewInstallation) {
  const char* want[] = {"1&0: Not in use", "&1: Not in use", "&2: Not in use", "&3: Not in use",
                        "&4: Not in use",  "&5: Not in use", "&6: Not in use", "&7: Not in use",
                        "&8: Not in use",  "&9: Not in use"};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(GoBookmarkCaption(i, BookmarkRecord(), ""), want[i]);
    EXPECT_FALSE(
        BookmarkFollowable(BookmarkRecord(), [](int, const std::string&) { return true; }));
  }
}

TEST(Bookmarks, CaptionsOfEveryKindWithAndWithoutTitles) {
  const BookmarkRecord bible = Rec(0, "KJV", V(19, 23, 1), "Ps 23:1");
  const BookmarkRecord comment = Rec(1, "MHCC", V(43, 3, 16) - 1, "John 3:16");
  const BookmarkRecord book = Rec(2, "Naves", -1, "AARON");
  const BookmarkRecord corrupt = Rec(9, "MHCC", 5, "John 3:16");
  const struct {
    int index;
    BookmarkRecord r;
    const char* title;
    const char* go;
    const char* item;
    const char* currently;
    const char* row;
  } cases[] = {
      {1, bible, "", "&1: Ps 23:1", "&1: currently \"Ps 23:1\"", "Currently Ps 23:1",
       "1 (Ps 23:1)"},
      {2, comment, "", "&2: MHCC: John 3:16", "&2: currently \"MHCC: John 3:16\"",
       "Currently MHCC: John 3:16", "2 (MHCC: John 3:16)"},
      {0, book, "Priests", "1&0 (Priests): Naves: AARON",
       "1&0 (Priests): currently \"Naves: AARON\"", "Currently Naves: AARON", "10 (Naves: AARON)"},
      {9, BookmarkRecord(), "Later", "&9 (Later): Not in use", "&9 (Later), not currently used",
       "Currently not in use.", "9 (Not in use)"},
      {4, corrupt, "", "&4: Not in use", "&4, not currently used", "Currently not in use.",
       "4 (Not in use)"},
      // "&" in data stays a character in menus; the dialogs show it as is.
      {5, Rec(2, "A&B", -1, "Salt & Light"), "Me & You", "&5 (Me && You): A&&B: Salt && Light",
       "&5 (Me && You): currently \"A&&B: Salt && Light\"", "Currently A&B: Salt & Light",
       "5 (A&B: Salt & Light)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GoBookmarkCaption(c.index, c.r, c.title), c.go);
    EXPECT_EQ(SetBookmarkItemCaption(c.index, c.r, c.title), c.item);
    EXPECT_EQ(BookmarkCurrentlyText(c.r), c.currently);
    EXPECT_EQ(BookmarkTitlesRowText(c.index, c.r), c.row);
  }
  EXPECT_EQ(SetBookmarkCaption(3, ""), "Set BookMark &3...");
  EXPECT_EQ(SetBookmarkCaption(0, "Home"), "Set BookMark 1&0 (Home)...");
  EXPECT_EQ(ClearBookmarkCaption(3, ""), "Clear BookMark &3");
  EXPECT_EQ(ClearBookmarkCaption(0, "R&R"), "Clear BookMark 1&0 (R&&R)");
  EXPECT_EQ(BookmarkDialogHeading(3), "Set Bookmark #3");
  EXPECT_EQ(BookmarkDialogHeading(0), "Set Bookmark #10");
  EXPECT_EQ(BookmarkTitlePart(""), "");
  EXPECT_EQ(TrimmedBookmarkTitle("  a, b  "), "a, b");
  EXPECT_EQ(TrimmedBookmarkTitle("\t "), "");
}

TEST(Bookmarks, GoIsEnabledWhileTheResourceIsLoaded) {
  const auto loaded = [](int kind, const std::string& abbrev) {
    return (kind == 1 && abbrev == "MHCC") || (kind == 2 && abbrev == "Naves");
  };
  EXPECT_TRUE(BookmarkFollowable(Rec(0, "GONE", 5, "x"), loaded));  // any Bible will do
  EXPECT_TRUE(BookmarkFollowable(Rec(1, "MHCC", 5, "x"), loaded));
  EXPECT_FALSE(BookmarkFollowable(Rec(1, "TDavid", 5, "x"), loaded));
  EXPECT_TRUE(BookmarkFollowable(Rec(2, "Naves", -1, "x"), loaded));
  EXPECT_FALSE(BookmarkFollowable(Rec(2, "MHCC", -1, "x"), loaded));  // not a Book
  EXPECT_FALSE(BookmarkFollowable(Rec(1, "MHCC", 5, "x"), nullptr));  // nothing loaded
}

class BookmarkModulesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    BibleMappingCache::Instance().Clear();
    dir_ = new test::TempFolder;
    const std::string path = dir_->File("kjv.lmb");
    ASSERT_TRUE(DefaultFileSystem().WriteFile(path, test::TestBibleBytes("KJV")).ok());
    auto opened = TLMBibleModule::Create(path);
    ASSERT_TRUE(opened.ok()) << opened.status().message();
    kjv_ = std::move(opened).value().release();
  }
  static void TearDownTestSuite() {
    delete kjv_;
    delete dir_;
    BibleMappingCache::Instance().Clear();
  }

  static std::unique_ptr<TLMDictionaryModule> MakeBook(const std::vector<std::string>& titles) {
    builder::BookSource source{"Topics", "TOP", "", {}};
    for (const std::string& t : titles) source.entries.push_back({t, "<p>" + t + "</p>"});
    builder::SortBookEntries(source);
    Result<std::string> bytes = builder::BuildBookModule(source);
    EXPECT_TRUE(bytes.ok());
    fs_.SetFile("/lib/Books/top.lmk", *bytes);
    auto book = TLMDictionaryModule::Create("/lib/Books/top.lmk", fs_);
    EXPECT_TRUE(book.ok()) << book.status().message();
    return book.ok() ? std::move(book).value() : nullptr;
  }

  static test::TempFolder* dir_;
  static TLMBibleModule* kjv_;
  static MemoryFileSystem fs_;
};
test::TempFolder* BookmarkModulesTest::dir_ = nullptr;
TLMBibleModule* BookmarkModulesTest::kjv_ = nullptr;
MemoryFileSystem BookmarkModulesTest::fs_;

TEST_F(BookmarkModulesTest, ReferencesUseTheTitlesAsked) {
  EXPECT_EQ(BookmarkReference(*kjv_, V(43, 3, 16), false), "Joh 3:16");
  EXPECT_EQ(BookmarkReference(*kjv_, V(43, 3, 16), true), "John 3:16");
  EXPECT_EQ(BookmarkReference(*kjv_, 0, true), "");
  EXPECT_EQ(BookmarkReference(*kjv_, 31103, true), "");
}

TEST_F(BookmarkModulesTest, DialogChoicesFollowWhatThePanesShow) {
  BookmarkSources all;
  all.kjv = kjv_;
  all.bible_abbreviation = "WEB";
  all.bible_verse = V(19, 23, 1);
  all.commentaries_loaded = true;
  all.commentary_abbreviation = "MHCC";
  all.commentary_position = V(43, 3, 16) - 1;
  all.books_loaded = true;
  all.book_abbreviation = "Naves";
  all.book_has_entry = true;
  all.entry_title = "AARON";

  BookmarkChoices c = MakeBookmarkChoices(all);
  EXPECT_EQ(c[0].caption, "Ps 23:1");
  EXPECT_EQ(c[0].record, Rec(0, "WEB", V(19, 23, 1), "Ps 23:1"));
  EXPECT_EQ(c[1].caption, "MHCC: John 3:16");
  EXPECT_EQ(c[1].record, Rec(1, "MHCC", V(43, 3, 16) - 1, "John 3:16"));
  EXPECT_EQ(c[2].caption, "Naves: AARON");
  EXPECT_EQ(c[2].record, Rec(2, "Naves", -1, "AARON"));
  for (const BookmarkChoice& choice : c) EXPECT_TRUE(choice.available);
  EXPECT_EQ(PreselectedBookmarkChoice(BookmarkFocus::kBookView, c), 2);
  EXPECT_EQ(PreselectedBookmarkChoice(BookmarkFocus::kCommentaryView, c), 1);
  EXPECT_EQ(PreselectedBookmarkChoice(BookmarkFocus::kElsewhere, c), 0);

  BookmarkSources none = all;
  none.commentaries_loaded = false;
  none.books_loaded = false;
  c = MakeBookmarkChoices(none);
  EXPECT_EQ(c[1].caption, "(no commentaries loaded)");
  EXPECT_EQ(c[2].caption, "(no dictionaries loaded)");
  EXPECT_FALSE(c[1].available);
  EXPECT_FALSE(c[2].available);
  EXPECT_FALSE(c[1].record.InUse());
  EXPECT_EQ(PreselectedBookmarkChoice(BookmarkFocus::kBookView, c), 0);

  BookmarkSources empty_views = all;
  empty_views.book_has_entry = false;
  empty_views.commentary_position = -1;
  c = MakeBookmarkChoices(empty_views);
  EXPECT_EQ(c[1].caption, "(no commentary entry selected)");
  EXPECT_EQ(c[2].caption, "(no dictionary entry selected)");
  EXPECT_FALSE(c[1].available);
  EXPECT_FALSE(c[2].available);

  BookmarkSources long_title = all;
  long_title.entry_title = std::string(90, 'Z');
  c = MakeBookmarkChoices(long_title);
  EXPECT_EQ(c[2].record.text, std::string(70, 'Z'));
}

TEST_F(BookmarkModulesTest, BookEntriesAreFoundByTitleOrByTheirCutBeginning) {
  const std::string long_a = std::string(70, 'L') + " first";
  const std::string long_b = std::string(70, 'L') + " second";
  const std::string sixty_nine(69, 'M');
  auto book = MakeBook({"AARON", "Abraham", long_b, long_a, sixty_nine + "X"});
  ASSERT_NE(book, nullptr);
  const auto& titles = book->EntryTitles();
  const auto at = [&](const std::string& t) {
    return static_cast<int>(std::find(titles.begin(), titles.end(), t) - titles.begin());
  };
  EXPECT_EQ(FindBookmarkEntry(*book, "AARON"), at("AARON"));
  EXPECT_EQ(FindBookmarkEntry(*book, "aaron"), at("AARON"));  // as the title list compares
  // Cut to its field: the first title in the list that begins with it.
  EXPECT_EQ(FindBookmarkEntry(*book, long_a.substr(0, 70)), at(long_a));
  EXPECT_LT(at(long_a), at(long_b));
  // Shorter than the field: an exact title or nothing.
  EXPECT_EQ(FindBookmarkEntry(*book, sixty_nine), -1);
  EXPECT_EQ(FindBookmarkEntry(*book, "Moses"), -1);
  EXPECT_EQ(FindBookmarkEntry(*book, ""), -1);
  EXPECT_EQ(FindBookmarkEntry(*book, std::string(70, 'Q')), -1);
}

}  // namespace
}  // namespace lumora
