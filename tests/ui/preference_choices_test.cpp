// The preferences record apart from the dialog (Qt-free logic, on the
// synthetic catalogue): Apply's marks, the "Set All" rules and the stored
// flag lists.
#include "app/preference_choices.h"

#include <gtest/gtest.h>

#include "tests/ui/synthetic_library.h"

namespace lumora {
namespace {

class PreferenceChoicesTest : public ::testing::Test {
 protected:
  PreferenceChoicesTest() : catalogue_(test::LoadSyntheticLibrary()) {}
  TPrefsMarks Apply(const TPrefsChoice& c) { return ApplyChoice(c, p_, *catalogue_); }
  TPrefsChoice Stored() const { return ChoiceFromStore(p_, *catalogue_); }

  std::unique_ptr<TModuleCatalogue> catalogue_;
  config::Properties p_ = config::DefaultProperties();
};

TEST_F(PreferenceChoicesTest, AnUnchangedChoiceMarksNothingAndChangesNothing) {
  const config::Properties before = p_;
  EXPECT_FALSE(Apply(Stored()).Any());
  EXPECT_EQ(p_, before);
}

TEST_F(PreferenceChoicesTest, EachChoiceMarksWhatFollowsIt) {
  struct Case {
    const char* name;
    void (*change)(TPrefsChoice&);
    TPrefsMarks marks;
  };
  const auto marks = [](auto&&... fields) {
    TPrefsMarks m;
    (..., (m.*fields = true));
    return m;
  };
  const Case cases[] = {
      {"verse list font", [](TPrefsChoice& c) { c.verse_list.font = "Other"; },
       marks(&TPrefsMarks::verse_list)},
      {"key highlight", [](TPrefsChoice& c) { c.key_highlight = 1; },
       marks(&TPrefsMarks::verse_list)},
      {"bible strong's colour", [](TPrefsChoice& c) { c.bible.strongs_link = 1; },
       marks(&TPrefsMarks::bible)},
      {"previous chapter link", [](TPrefsChoice& c) { c.inc_ch_prev = true; },
       marks(&TPrefsMarks::bible)},
      {"book link colour", [](TPrefsChoice& c) { c.book.link = 1; }, marks(&TPrefsMarks::book)},
      {"commentary size", [](TPrefsChoice& c) { c.commentary.size = 14; },
       marks(&TPrefsMarks::commentary)},
      {"hyperlinking", [](TPrefsChoice& c) { c.link_multiple_verses = true; },
       marks(&TPrefsMarks::book, &TPrefsMarks::commentary)},
      {"a Book out of linking", [](TPrefsChoice& c) { c.link_books[1] = false; },
       marks(&TPrefsMarks::verse_list, &TPrefsMarks::bible, &TPrefsMarks::linking)},
      {"a Commentary tab", [](TPrefsChoice& c) { c.tab_commentaries[0] = false; },
       marks(&TPrefsMarks::commentary_tabs)},
      {"a Bible tab", [](TPrefsChoice& c) { c.tab_bibles.back() = !c.tab_bibles.back(); },
       marks(&TPrefsMarks::bible_tabs)},
      {"tab shape", [](TPrefsChoice& c) { c.tabs.style = 3; }, marks(&TPrefsMarks::tab_look)},
      {"search default", [](TPrefsChoice& c) { c.search_bible_default = 1; },
       marks(&TPrefsMarks::other)},
      {"editor", [](TPrefsChoice& c) { c.editor_raw_html = true; }, marks(&TPrefsMarks::other)},
      {"start-up tabs", [](TPrefsChoice& c) { c.startup_fav_tabs = false; },
       marks(&TPrefsMarks::other)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    p_ = config::DefaultProperties();
    catalogue_.reset();  // its files are mapped exclusively
    catalogue_ = test::LoadSyntheticLibrary();
    TPrefsChoice choice = Stored();
    c.change(choice);
    EXPECT_EQ(Apply(choice), c.marks);
    EXPECT_EQ(Stored(), choice) << "the store now holds the choice";
    EXPECT_FALSE(Apply(Stored()).Any()) << "applying again changes nothing";
  }
}

TEST_F(PreferenceChoicesTest, FixedBiblesAndStaleListsKeepTheirFlags) {
  TPrefsChoice choice = Stored();
  for (size_t i = 0; i < choice.tab_bibles.size(); ++i) choice.tab_bibles[i] = false;
  Apply(choice);
  for (size_t i = 0; i < catalogue_->Bibles().size(); ++i)
    EXPECT_EQ(catalogue_->Bibles()[i]->tab_visible, IsFixedTabBible(*catalogue_, i)) << i;
  EXPECT_TRUE(IsFixedTabBible(*catalogue_, 0)) << "the KJV Bible";
  // A list made for another library (one entry short) is not applied.
  choice = Stored();
  choice.link_books.assign(catalogue_->Books().size() - 1, false);
  EXPECT_FALSE(Apply(choice).linking);
  for (const auto& b : catalogue_->Books()) EXPECT_TRUE(b->included_in_linking);
}

TEST_F(PreferenceChoicesTest, SetAllCopiesByTheGroupsRules) {
  TPrefsChoice c = Stored();
  c.bible = {"BibleFont", 17, 1, 2, 3, 4, 5, 6};
  c.book.link = 7;
  TPrefsChoice from_bible = c;
  SetAll(from_bible, TLookGroup::kBible);
  EXPECT_EQ(from_bible.verse_list, c.bible) << "all eight values to the verse list";
  for (const TResourceLook* r : {&from_bible.book, &from_bible.commentary}) {
    EXPECT_EQ(r->font, "BibleFont");
    EXPECT_EQ(r->size, 17);
    EXPECT_EQ(r->text, 1u);
    EXPECT_EQ(r->background, 2u);
  }
  EXPECT_EQ(from_bible.book.link, 7u) << "link colours stay in their pair";
  TPrefsChoice from_book = c;
  SetAll(from_book, TLookGroup::kBook);
  EXPECT_EQ(from_book.commentary.link, 7u);
  EXPECT_EQ(from_book.bible.footnotes, c.bible.footnotes);
  EXPECT_EQ(from_book.bible.font, c.book.font);
  EXPECT_EQ(from_book.key_highlight, c.key_highlight);
}

TEST_F(PreferenceChoicesTest, FlagListsFollowTheFlags) {
  p_.exclude_from_linking = {"GONE", test::kSyntheticTopics};
  p_.hidden_tabs = {"GONE", "WEB"};
  TLMDictionaryModule& first_book = *catalogue_->Books()[0];
  first_book.included_in_linking = false;
  catalogue_->Commentaries()[1]->tab_visible = false;  // CR
  SyncFlagLists(p_, *catalogue_);
  // Exclusions of modules not loaded stay; those of loaded ones follow.
  EXPECT_EQ(p_.exclude_from_linking,
            (std::vector<std::string>{"GONE", first_book.GetAbbreviation()}));
  // Hidden tabs are rebuilt from the loaded modules only.
  EXPECT_EQ(p_.hidden_tabs, std::vector<std::string>{"CR"});
}

}  // namespace
}  // namespace lumora
