// The configuration store: defaults, LoadProperties, SaveProperties and the
// handling of damaged or hand-edited settings.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <ostream>
#include <random>
#include <set>

#include "config/file_storage.h"
#include "config/memory_storage.h"
#include "config/properties.h"
#include "config/reg_file_format.h"
#include "config/setting_table.h"
#include "core/io/byte_io.h"
#include "core/platform/memory/memory_file_system.h"
#include "tests/support/platform_only.h"

#ifdef _WIN32
#include "config/registry_storage.h"
#include "tests/support/registry_sandbox.h"
#endif

namespace lumora::config {
namespace {

constexpr std::string_view kKey = kSettingsKey;
constexpr const char* kSettingsFile = "/cfg/Lumora/settings.reg";

SettingsValue Real(double d) {
  std::string bytes;
  const auto bits = std::bit_cast<uint64_t>(d);
  AppendU32(bytes, static_cast<uint32_t>(bits));
  AppendU32(bytes, static_cast<uint32_t>(bits >> 32));
  return SettingsValue::Binary(bytes);
}

SettingsValue Colour(uint32_t c) {
  std::string bytes;
  AppendU32(bytes, c);
  return SettingsValue::Binary(bytes);
}

// Every stored setting away from its default, and within its domain.
Properties Distinctive() {
  Properties p = DefaultProperties();
  p.bookmarks[0] = {kBookmarkBible, "KJV", 19171, "Ps 23:1"};
  p.bookmarks[3] = {kBookmarkCommentary, "MHC", 26045, "John 1:1"};
  for (int i = 0; i < kBookmarkCount; ++i)
    if (!p.bookmarks[i].InUse())
      p.bookmarks[i] = {kBookmarkBook, "Easton", -1, "Entry " + std::to_string(i)};
  p.rz_tabs_font = "Tahoma";
  p.rz_tabs_font_size = 14;
  p.rz_tabs_text_color = 0x00010203;
  p.rz_tabs_text_bold = true;
  p.rz_tabs_style = 3;
  p.rz_tabs_align = true;
  p.rz_tabs_active_color = 0x00040506;
  p.rz_tabs_inactive_color = kClWindow;
  p.rz_tabs_corresponding_color = 0x00070809;
  p.para_saved_links = {false, false, true, false};
  for (TPropertiesBibleView* v : {&p.bible_view, &p.verse_list_view}) {
    const bool verse_list = v == &p.verse_list_view;
    v->column_mode = false;
    v->para_mode = true;
    v->link_commentaries = verse_list;
    v->link_dictionaries = verse_list;
    v->show_edit_links = verse_list;
    v->show_footnotes = true;
    v->background_color = 0x00101010 + verse_list;
    v->text_color = 0x00202020 + verse_list;
    v->footnotes_color = 0x00303030 + verse_list;
    v->strongs_link_color = 0x00404040 + verse_list;
    v->comment_link_color = 0x00505050 + verse_list;
    v->dict_link_color = kClBtnFace;
    v->italics_mode = verse_list ? 1 : 2;
    v->main_font = verse_list ? "Georgia" : "Gentium Plus";
    v->main_size = verse_list ? 6 : 20;
  }
  for (TPropertiesResourceView* v : {&p.dict_view, &p.comment_view}) {
    const bool comment = v == &p.comment_view;
    v->background_color = 0x00606060 + comment;
    v->text_color = kClBtnText;
    v->link_color = 0x00707070 + comment;
    v->main_font = comment ? "Courier New" : "Times New Roman";
    v->main_size = comment ? 11 : 12;
  }
  p.verse_export_style = 7;
  p.include_brackets = p.include_footnotes = p.include_version_tag = true;
  p.right_bottom_pct = 0.3;
  p.left_top_pct = 0.123456789;
  p.left_panel_pct = 0.7;
  p.view_verse_list = true;
  p.view_bible = p.view_dict = p.view_comment = p.closed_maximized = false;
  p.key_hilight_color = 0x0000FF00;
  p.last_bible_verse = 31102;
  p.search_bible_default = 1;
  p.startup_verse = 1;
  p.link_multiple_verses = true;
  p.startup_fav_tabs = false;
  p.exclude_from_linking = {"ATS", "my notes"};
  p.hidden_tabs = {"Darby", "YLT"};
  p.active_resources = {"ASV", "MHC", "31101", "Easton", "12", "KJV"};
  p.popup_nvcx = p.editor_stay_on_top = false;
  p.editor_raw_html = true;
  p.save_window_states = true;
  p.state_main = {1, 2, 3, 4};
  p.state_editor = {-200, 5, 600, 700};
  p.state_resource_link = {6, 7, 8, 9};
  p.state_topic_guide = {10, 11, 12, 13};
  p.state_image_view = {14, 15, 16, 17};
  p.state_big_search = {18, 19, 20, 21};
  p.big_search_tree_height = 222;
  p.big_search_case = true;
  p.big_search_set_type = p.big_search_substring = false;
  p.big_search_ref_set = 6;
  p.big_search_single_module = 4;
  p.image_shrink_to_fit = p.inc_ch_prev = true;
  p.inc_ch_next = false;
  p.doc_pos_bible = -5;
  p.doc_pos_book = 77;
  p.doc_pos_commentary = 123456;
  p.help_ver = 20030630;
  p.ref_sets = {
      {"Gospels, etc.", {"?BOOKS", "King James Version"}}, {"my set", {}}, {"Zeta", {"?BIBLES"}}};
  p.bookmark_titles = {
      "", "Morning, Psalm", "a \"quoted\" title", "", "  spaced  ", "x", "", "", "", "ten"};
  p.Mru(MruId::kExport) = {"jn 3:16", "ps 23"};
  p.Mru(MruId::kBigSearch) = {"grace"};
  return p;
}

enum class Store { kMemory, kSettingsFile, kRegistry };

const char* StoreName(Store store) {
  switch (store) {
    case Store::kMemory:
      return "Memory";
    case Store::kSettingsFile:
      return "File";
    case Store::kRegistry:
      return "Registry";
  }
  return "?";
}
void PrintTo(Store store, std::ostream* os) { *os << StoreName(store); }

// Memory, the text file and the registry must keep the same values.
class StoreRoundTrip : public ::testing::TestWithParam<Store> {
 protected:
  void SetUp() override {
    if (GetParam() != Store::kRegistry) return;
    LUMORA_WINDOWS_ONLY();
#ifdef _WIN32
    LUMORA_SKIP_UNLESS_USABLE(registry_);
#endif
  }
  std::unique_ptr<SettingsStorage> Storage() {
    switch (GetParam()) {
      case Store::kMemory:
        return std::make_unique<MemoryStorage>();  // one shared below
      case Store::kSettingsFile:
        return std::make_unique<FileStorage>(fs_, kSettingsFile);
      case Store::kRegistry:
        break;
    }
#ifdef _WIN32
    return MakeRegistryStorage();
#else
    return nullptr;
#endif
  }
  MemoryFileSystem fs_;
#ifdef _WIN32
  test::RegistrySandbox registry_;
#endif
};

TEST_P(StoreRoundTrip, EveryValueSurvivesSaveAndLoad) {
  Properties saved = Distinctive();
  Properties defaults = DefaultProperties();
  // The fixture really moves every table value off its default.
  auto saved_table = BindSettings(saved);
  auto default_table = BindSettings(defaults);
  for (size_t i = 0; i < saved_table.size(); ++i)
    if (saved_table[i]->name() != "SaveWindowStates") {  // stays true to read the states back
      EXPECT_NE(saved_table[i]->ToText(), default_table[i]->ToText()) << saved_table[i]->name();
    }

  auto storage = Storage();
  ASSERT_TRUE(SaveProperties(saved, *storage).ok());
  std::unique_ptr<SettingsStorage> reader =
      GetParam() == Store::kMemory ? std::move(storage) : Storage();
  Properties loaded = DefaultProperties();
  const LoadReport report = LoadProperties(loaded, *reader);
  EXPECT_TRUE(report.key_found);
  EXPECT_TRUE(report.problems.empty()) << report.problems.front();
  EXPECT_TRUE(loaded == saved);
  for (const auto& s : BindSettings(loaded))
    EXPECT_TRUE(report.FromStorage(s->name())) << s->name();
  EXPECT_EQ(loaded.bookmark_titles[1], "Morning, Psalm");
  EXPECT_EQ(loaded.bookmark_titles[4], "  spaced  ");
}

INSTANTIATE_TEST_SUITE_P(Storages, StoreRoundTrip,
                         ::testing::Values(Store::kMemory, Store::kSettingsFile, Store::kRegistry),
                         [](const auto& test) { return std::string(StoreName(test.param)); });

TEST(Properties, FirstRunKeepsTheDefaults) {
  MemoryStorage storage;
  Properties p = DefaultProperties();
  const LoadReport report = LoadProperties(p, storage);
  EXPECT_FALSE(report.key_found);
  EXPECT_TRUE(report.problems.empty());
  EXPECT_TRUE(p == DefaultProperties());
  EXPECT_TRUE(p.closed_maximized);
  EXPECT_FALSE(p.view_verse_list);
  EXPECT_EQ(p.last_bible_verse, 26046);
  EXPECT_EQ(p.rz_tabs_font, "Arial");
  EXPECT_EQ(p.rz_tabs_font_size, 9);
  for (const BookmarkRecord& b : p.bookmarks) EXPECT_FALSE(b.InUse());
  for (const std::string& t : p.bookmark_titles) EXPECT_EQ(t, "");
}

TEST(Properties, PaneFontsDependOnTheFontList) {
  int asked = 0;
  const Properties with = DefaultProperties([&](std::string_view f) {
    ++asked;
    return f == "Verdana";
  });
  EXPECT_EQ(asked, 2);  // once for the Bible view, once for the Book view
  EXPECT_EQ(with.verse_list_view.main_font, "Verdana");
  EXPECT_EQ(with.comment_view.main_font, "Verdana");
  const Properties without = DefaultProperties([](std::string_view) { return false; });
  EXPECT_EQ(without.bible_view.main_font, "Arial");
  EXPECT_EQ(without.dict_view.main_font, "Arial");
  EXPECT_EQ(DefaultProperties().bible_view.main_font, "Arial");
  // The verse list's toggles default to off, the Bible view's to on.
  EXPECT_FALSE(with.verse_list_view.show_paragraph_marks);
  EXPECT_FALSE(with.verse_list_view.link_commentaries);
  EXPECT_TRUE(with.bible_view.link_dictionaries);
}

TEST(Properties, AZeroFractionReadsAsItsDefaultWithoutComplaint) {
  MemoryStorage storage;
  storage.Set(kKey, "LeftPanelPct", Real(0.0));
  storage.Set(kKey, "LeftTopPct", Real(-0.0));
  Properties p = DefaultProperties();
  p.left_panel_pct = 0.9;  // a zero means the default, not "keep"
  const LoadReport report = LoadProperties(p, storage);
  EXPECT_EQ(p.left_panel_pct, 0.45);
  EXPECT_EQ(p.left_top_pct, 0.5);
  EXPECT_TRUE(report.problems.empty());
  EXPECT_FALSE(report.FromStorage("LeftPanelPct"));
}

TEST(Properties, BookmarkTitlesMustBeTen) {
  for (const char* text :
       {",,,,,,,,", ",,,,,,,,,,", "a,b,c,d,e,f,g,h,i", "a,b,c,d,e,f,g,h,i,j,k"}) {
    MemoryStorage storage;
    storage.Set(kKey, "BookMarkTitles", SettingsValue::String(text));
    Properties p = DefaultProperties();
    p.bookmark_titles[2] = "old";
    const LoadReport report = LoadProperties(p, storage);
    for (const std::string& t : p.bookmark_titles) EXPECT_EQ(t, "") << text;
    EXPECT_EQ(report.problems.size(), 1u) << text;
  }
}

TEST(Properties, WindowStatesAreWrittenButNotReadWhenSavingThemIsOff) {
  Properties saved = Distinctive();
  saved.save_window_states = false;
  MemoryStorage storage;
  ASSERT_TRUE(SaveProperties(saved, storage).ok());
  EXPECT_EQ(storage.Get(kKey, "StateMain"),
            SettingsValue::Binary(EncodeWindowState(saved.state_main)));
  EXPECT_EQ(storage.Get(kKey, "BigSearchTreeHeight"), SettingsValue::Dword(222));
  Properties loaded = DefaultProperties();
  LoadProperties(loaded, storage);
  EXPECT_FALSE(loaded.save_window_states);
  for (const WindowState* s :
       {&loaded.state_main, &loaded.state_editor, &loaded.state_resource_link,
        &loaded.state_topic_guide, &loaded.state_image_view, &loaded.state_big_search})
    EXPECT_FALSE(s->IsStored());
  EXPECT_EQ(loaded.big_search_tree_height, -1);
  EXPECT_EQ(loaded.doc_pos_book, 77);  // everything else still read
}

TEST(Properties, ReferenceSetMembersFollowTheNameStoredAtTheirPosition) {
  MemoryStorage storage;
  storage.Set(kKey, "RefSets", SettingsValue::String("Zeta,alpha,\"My Set\""));
  storage.Set(kKey, "RefSet0", SettingsValue::String("?BIBLES"));
  storage.Set(kKey, "RefSet1", SettingsValue::String("Webster,?BOOKS,Easton"));
  // No RefSet2: that set is empty. RefSet7 is stale and ignored.
  storage.Set(kKey, "RefSet7", SettingsValue::String("stale"));
  Properties p = DefaultProperties();
  LoadProperties(p, storage);
  ASSERT_EQ(p.ref_sets.size(), 3u);
  EXPECT_EQ(p.ref_sets[0], (ReferenceSet{"alpha", {"?BOOKS", "Easton", "Webster"}}));
  EXPECT_EQ(p.ref_sets[1], (ReferenceSet{"My Set", {}}));
  EXPECT_EQ(p.ref_sets[2], (ReferenceSet{"Zeta", {"?BIBLES"}}));

  ASSERT_TRUE(SaveProperties(p, storage).ok());
  EXPECT_EQ(storage.Get(kKey, "RefSets"), SettingsValue::String("alpha,\"My Set\",Zeta"));
  EXPECT_EQ(storage.Get(kKey, "RefSet0"), SettingsValue::String("?BOOKS,Easton,Webster"));
  EXPECT_EQ(storage.Get(kKey, "RefSet1"), SettingsValue::String(""));
  EXPECT_EQ(storage.Get(kKey, "RefSet2"), SettingsValue::String("?BIBLES"));
  EXPECT_EQ(storage.Get(kKey, "RefSet7"), SettingsValue::String("stale"));
}

TEST(Properties, NoReferenceSetsAreWrittenAsAnEmptyName) {
  MemoryStorage storage;
  ASSERT_TRUE(SaveProperties(DefaultProperties(), storage).ok());
  EXPECT_EQ(storage.Get(kKey, "RefSets"), SettingsValue::String(""));
  EXPECT_FALSE(storage.Get(kKey, "RefSet0"));
  EXPECT_EQ(storage.Get(kKey, "BookMarkTitles"), SettingsValue::String(",,,,,,,,,"));
}

TEST(Properties, SaveWritesInTableOrderEndingWithSetsAndTitles) {
  MemoryStorage storage;
  ASSERT_TRUE(SaveProperties(Distinctive(), storage).ok());
  const auto& values = storage.document().FindKey(kKey)->values;
  ASSERT_GT(values.size(), 4u);
  EXPECT_EQ(values.front().name, "Bookmark 0");
  EXPECT_EQ(values[10].name, "RzTabsFont");
  EXPECT_EQ(values[values.size() - 5].name, "RefSets");
  EXPECT_EQ(values.back().name, "BookMarkTitles");
  // Reals as 8-byte doubles, flags as 0 or 1.
  EXPECT_EQ(storage.Get(kKey, "LeftTopPct"), Real(0.123456789));
  EXPECT_EQ(storage.Get(kKey, "ViewVerseList"), SettingsValue::Dword(1));
}

// The first bad value must not end the load: the values after it, down to
// the reference sets and titles read last, are the user's data.
TEST(Properties, ABadValueIsSkippedAndTheLoadGoesOn) {
  MemoryStorage storage;
  ASSERT_TRUE(SaveProperties(Distinctive(), storage).ok());
  storage.Set(kKey, "RzTabsFontSize", SettingsValue::String("12"));
  storage.fail_read_of = {"LeftTopPct"};
  Properties p = DefaultProperties();
  const LoadReport report = LoadProperties(p, storage);
  ASSERT_EQ(report.problems.size(), 2u);
  EXPECT_EQ(report.problems[0].rfind("RzTabsFontSize: wrong type", 0), 0u) << report.problems[0];
  EXPECT_EQ(report.problems[1].rfind("LeftTopPct: ", 0), 0u) << report.problems[1];
  EXPECT_EQ(p.rz_tabs_font_size, 9);
  EXPECT_EQ(p.left_top_pct, 0.5);
  Properties expected = Distinctive();
  expected.rz_tabs_font_size = 9;
  expected.left_top_pct = 0.5;
  EXPECT_TRUE(p == expected);
}

TEST(Properties, ValuesOutsideTheirDomainKeepTheirDefaults) {
  struct Case {
    const char* name;
    SettingsValue value;
  };
  auto bookmark = [](int32_t kind, int32_t position) {
    return SettingsValue::Binary(EncodeBookmark({kind, "KJV", position, "t"}));
  };
  auto window = [](WindowState s) { return SettingsValue::Binary(EncodeWindowState(s)); };
  const Case bad[] = {
      {"LastBibleVerse", SettingsValue::Dword(0)},
      {"LastBibleVerse", SettingsValue::Dword(31103)},
      {"ActiveResources", SettingsValue::String("KJV,MHC,31102,Easton,1,KJV")},
      {"ActiveResources", SettingsValue::String("KJV,MHC,-1,,,")},
      {"ActiveResources", SettingsValue::String("KJV,MHC,abc,,,")},
      {"ActiveResources", SettingsValue::String("KJV,MHC,,,,")},
      {"ActiveResources", SettingsValue::String("KJV,,,Easton,-3,")},
      {"ActiveResources", SettingsValue::String("KJV,,,Easton")},
      {"BibleView MainSize", SettingsValue::Dword(5)},
      {"CommentView MainSize", SettingsValue::Dword(21)},
      {"RzTabsFontSize", SettingsValue::Dword(15)},
      {"RzTabsStyle", SettingsValue::Dword(4)},
      {"Formatting VerseExportStyle", SettingsValue::Dword(8)},
      {"Formatting VerseExportStyle", SettingsValue::Dword(-1)},
      {"VerseListView ItalicsMode", SettingsValue::Dword(3)},
      {"BibleView ItalicsMode", SettingsValue::Dword(258)},  // would wrap to 2 in a byte
      {"ViewVerseList", SettingsValue::Dword(2)},
      {"StartupVerse", SettingsValue::Dword(2)},
      {"BigSearchRefSet", SettingsValue::Dword(-1)},
      {"BigSearchTreeHeight", SettingsValue::Dword(-2)},
      {"KeyHiLightColor", Colour(0x01000000)},
      {"BibleView TextColor", Colour(0x8000001F)},
      {"RightBottomPct", Real(std::nan(""))},
      {"RightBottomPct", Real(INFINITY)},
      {"LeftTopPct", Real(1.0)},
      {"LeftPanelPct", Real(-0.25)},
      {"StateMain", window({0, 0, 0, 100})},
      {"Bookmark 1", bookmark(0, 0)},
      {"Bookmark 2", bookmark(1, 31102)},
      {"Bookmark 3", bookmark(7, 1)},
      {"RzTabsFont", SettingsValue::String("")},
      {"DictView MainFont", SettingsValue::String("")},
  };
  for (const Case& c : bad) {
    MemoryStorage storage;
    storage.Set(kKey, c.name, c.value);
    Properties p = DefaultProperties();
    const LoadReport report = LoadProperties(p, storage);
    EXPECT_TRUE(p == DefaultProperties()) << c.name << " " << c.value.bytes;
    ASSERT_EQ(report.problems.size(), 1u) << c.name;
    EXPECT_EQ(report.problems[0].rfind(c.name, 0), 0u) << report.problems[0];
    EXPECT_FALSE(report.FromStorage(c.name)) << c.name;
  }
}

TEST(Properties, MinusOneStaysValidWhereItMeansNone) {
  MemoryStorage storage;
  storage.Set(kKey, "BigSearchTreeHeight", SettingsValue::Dword(-1));
  storage.Set(kKey, "StateEditor", SettingsValue::Binary(EncodeWindowState({-1, 7, 0, 0})));
  storage.Set(kKey, "Bookmark 4", SettingsValue::Binary(EncodeBookmark({-1, "", -1, ""})));
  storage.Set(kKey, "Bookmark 5", SettingsValue::Binary(EncodeBookmark({2, "Easton", -1, "Abel"})));
  Properties p = DefaultProperties();
  const LoadReport report = LoadProperties(p, storage);
  EXPECT_TRUE(report.problems.empty()) << report.problems.front();
  for (const char* name : {"BigSearchTreeHeight", "StateEditor", "Bookmark 4", "Bookmark 5"})
    EXPECT_TRUE(report.FromStorage(name)) << name;
  EXPECT_EQ(p.bookmarks[5].text, "Abel");
}

TEST(Properties, BinaryValuesMustHaveTheirExactLength) {
  const Properties good = Distinctive();
  MemoryStorage source;
  ASSERT_TRUE(SaveProperties(good, source).ok());
  for (const char* name :
       {"Bookmark 0", "StateMain", "DocPosBook", "KeyHiLightColor", "LeftTopPct"}) {
    const std::string bytes = source.Get(kKey, name)->bytes;
    for (const std::string& wrong : {bytes.substr(0, bytes.size() - 1), bytes + '\0'}) {
      MemoryStorage storage;
      storage.Set(kKey, name, SettingsValue::Binary(wrong));
      Properties p = DefaultProperties();
      const LoadReport report = LoadProperties(p, storage);
      EXPECT_TRUE(p == DefaultProperties()) << name << " " << wrong.size();
      EXPECT_EQ(report.problems.size(), 1u) << name << " " << wrong.size();
    }
  }
}

TEST(Properties, ValueNamesCompareWithoutRegardToCase) {
  MemoryStorage storage;
  storage.Set(kKey, "statebigsearch", SettingsValue::Binary(EncodeWindowState({5, 6, 7, 8})));
  storage.Set(kKey, "LASTBIBLEVERSE", SettingsValue::Dword(1));
  Properties p = DefaultProperties();
  LoadProperties(p, storage);
  EXPECT_EQ(p.state_big_search, (WindowState{5, 6, 7, 8}));
  EXPECT_EQ(p.last_bible_verse, 1);
}

TEST(Properties, AKeyThatCannotBeOpenedForWritingGetsNothingWritten) {
  MemoryStorage storage;
  storage.fail_open_for_write = true;
  std::string detail;
  const Status s = SaveProperties(Distinctive(), storage, &detail);
  EXPECT_EQ(s.message(), "Error: Unable to write configuration to Registry.");
  EXPECT_NE(detail, "");
  EXPECT_TRUE(storage.document().empty());
  // A single failing value is reported, and the rest are still written.
  storage.fail_open_for_write = false;
  storage.fail_write_of = {"LastBibleVerse"};
  EXPECT_FALSE(SaveProperties(Distinctive(), storage).ok());
  EXPECT_EQ(storage.Get(kKey, "BookMarkTitles")->bytes.empty(), false);
}

TEST(Properties, HistoryListsLiveInTheMrusSubkey) {
  MemoryStorage storage;
  Properties p = DefaultProperties();
  p.Mru(MruId::kSearchBible) = {"faith", "hope"};
  ASSERT_TRUE(SaveProperties(p, storage).ok());
  EXPECT_EQ(storage.Get(kMruKey, "SearchBible_Count"), SettingsValue::Dword(2));
  EXPECT_EQ(storage.Get(kMruKey, "SearchBible_Item1"), SettingsValue::String("hope"));
  EXPECT_EQ(storage.Get(kMruKey, "Export_Count"), SettingsValue::Dword(0));
  Properties loaded = DefaultProperties();
  LoadProperties(loaded, storage);
  EXPECT_EQ(loaded.Mru(MruId::kSearchBible), (MruList{"faith", "hope"}));
}

TEST(HelpHousekeeping, DeletesTheStaleIndexOnceAndStamps) {
  MemoryFileSystem fs;
  fs.SetFile("/prog/Lumora4.GID", "x");
  Properties p = DefaultProperties();
  RunHelpHousekeeping(p, fs, "/prog");
  EXPECT_FALSE(fs.FileExists("/prog/Lumora4.GID"));
  EXPECT_EQ(p.help_ver, 20030630);
  fs.SetFile("/prog/Lumora4.GID", "new");  // current: left alone
  RunHelpHousekeeping(p, fs, "/prog");
  EXPECT_TRUE(fs.FileExists("/prog/Lumora4.GID"));
  p.help_ver = 20990101;  // newer stamps come back to the current one
  RunHelpHousekeeping(p, fs, "/prog");
  EXPECT_EQ(p.help_ver, 20030630);
}

// Every table value accepted from a damaged file must be one the program
// can use; checked by putting it through the domain check again.
void ExpectAllInDomain(Properties& p, const std::string& context) {
  Properties scratch = DefaultProperties();
  const auto table = BindSettings(p);
  const auto check = BindSettings(scratch);
  for (size_t i = 0; i < table.size(); ++i) {
    std::string why;
    EXPECT_TRUE(check[i]->Decode(table[i]->Encode(), why))
        << context << ": " << table[i]->name() << " " << why;
  }
}

class DamagedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    FileStorage storage(fs_, kSettingsFile);
    ASSERT_TRUE(SaveProperties(Distinctive(), storage).ok());
    good_ = *fs_.GetFile(kSettingsFile);
  }
  LoadReport Load(const std::string& text, Properties& p) {
    fs_.SetFile(kSettingsFile, text);
    FileStorage storage(fs_, kSettingsFile);
    return LoadProperties(p, storage);
  }
  MemoryFileSystem fs_;
  std::string good_;
};

TEST_F(DamagedFile, ATruncatedFileGivesOnlyWholeValues) {
  Properties want = Distinctive();
  Properties defaults = DefaultProperties();
  const auto want_table = BindSettings(want);
  const auto default_table = BindSettings(defaults);
  for (size_t cut = 0; cut < good_.size(); cut += 97) {
    Properties p = DefaultProperties();
    const LoadReport report = Load(good_.substr(0, cut), p);
    const auto table = BindSettings(p);
    const std::set<std::string> stored(report.from_storage.begin(), report.from_storage.end());
    for (size_t i = 0; i < table.size(); ++i) {
      const auto& expected = stored.count(table[i]->name()) ? want_table : default_table;
      ASSERT_EQ(table[i]->ToText(), expected[i]->ToText()) << cut << " " << table[i]->name();
    }
    if (stored.count("BookMarkTitles")) {
      ASSERT_EQ(p.bookmark_titles, want.bookmark_titles) << cut;
    }
  }
  // A cut damages only the line it falls in. Cut every line everywhere: the
  // value must vanish, be whole, or be refused by its setting.
  Properties scratch = DefaultProperties();
  const auto judge = BindSettings(scratch);
  const std::string head = good_.substr(0, good_.find('\n', good_.find("\n[") + 1) + 1);
  for (size_t at = head.size(); at < good_.size();) {
    const size_t end = good_.find('\n', at) + 1;
    const std::string line = good_.substr(at, end - at);
    at = end;
    if (line[0] != '"') continue;
    const std::string name = line.substr(1, line.find('"', 1) - 1);
    Setting* setting = FindSetting(judge, name);
    SettingsDocument whole;
    std::vector<std::string> problems;
    ParseRegFile(head + line, whole, problems);
    for (size_t cut = 0; cut < line.size(); ++cut) {
      SettingsDocument doc;
      ParseRegFile(head + line.substr(0, cut), doc, problems);
      const SettingsDocument::Key* key = doc.FindKey(kKey);
      const SettingsValue* v = key ? SettingsDocument::Find(*key, name) : nullptr;
      if (v == nullptr || *v == *SettingsDocument::Find(*whole.FindKey(kKey), name)) continue;
      std::string why;
      ASSERT_TRUE(setting != nullptr && !setting->Decode(*v, why)) << line.substr(0, cut);
    }
  }
}

TEST_F(DamagedFile, TheNextSaveWritesACompleteFile) {
  Properties p = DefaultProperties();
  fs_.SetFile(kSettingsFile,
              good_.substr(0, good_.size() / 2) + "\x01garbage\n\"LastBibleVerse\"=\"x\"\n");
  FileStorage storage(fs_, kSettingsFile);
  const LoadReport report = LoadProperties(p, storage);
  EXPECT_FALSE(report.problems.empty());
  ASSERT_TRUE(SaveProperties(p, storage).ok());
  Properties again = DefaultProperties();
  const LoadReport clean = Load(*fs_.GetFile(kSettingsFile), again);
  EXPECT_TRUE(clean.problems.empty()) << clean.problems.front();
  EXPECT_TRUE(again == p);
}

TEST_F(DamagedFile, WrongTypesInTheFileAreSkippedOneByOne) {
  std::string text = good_;
  auto replace = [&](const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    const size_t end = text.find('\n', at);
    text.replace(at, end - at, to);
  };
  replace("\"LastBibleVerse\"=", "\"LastBibleVerse\"=\"31102\"");
  replace("\"HiddenTabs\"=", "\"HiddenTabs\"=dword:00000001");
  replace("\"StateMain\"=", "\"StateMain\"=hex:01,00,00,00");
  replace("\"Bookmark 0\"=", "\"Bookmark 0\"=hex(2):41,00");
  Properties p = DefaultProperties();
  const LoadReport report = Load(text, p);
  EXPECT_EQ(report.problems.size(), 4u);
  Properties expected = Distinctive();
  expected.last_bible_verse = kDefaultVerse;
  expected.hidden_tabs.clear();
  expected.state_main = WindowState();
  expected.bookmarks[0].Clear();
  EXPECT_TRUE(p == expected);
}

TEST_F(DamagedFile, GarbageNeverCrashesOrLeaksAnImpossibleValue) {
  std::mt19937 rng(42);
  for (int round = 0; round < 300; ++round) {
    std::string text = good_;
    if (round % 3 == 0) {
      text.assign(rng() % 4000, '\0');
      for (char& c : text) c = static_cast<char>(rng());
    } else {
      for (int flips = 1 + round % 20; flips > 0; --flips)
        text[rng() % text.size()] = static_cast<char>(rng());
    }
    Properties p = DefaultProperties();
    Load(text, p);
    ExpectAllInDomain(p, "round " + std::to_string(round));
    for (const auto& set : p.ref_sets) EXPECT_FALSE(set.name.empty());
    for (const MruList& list : p.mru) EXPECT_LE(list.size(), 25u);
  }
}

}  // namespace
}  // namespace lumora::config
