// The topic and verse guide on the synthetic library of bigsearch_fixture.h.
#include "search/topic_guide.h"

#include <gtest/gtest.h>

#include "tests/search/bigsearch_fixture.h"
#include "tests/support/test_bible.h"

namespace lumora {
namespace {

using Names = std::vector<std::string>;

TopicGuideResult Guide(const std::string& typed, Names* said = nullptr) {
  const TopicGuide guide(test::BigSearchLibrary());
  auto r = guide.Search(typed, [said](const std::string& s) {
    if (said) said->push_back(s);
  });
  EXPECT_TRUE(r.ok()) << typed;
  return r.ok() ? std::move(r).value() : TopicGuideResult{};
}

Names Captions(const std::vector<TopicGuideNode>& nodes) {
  Names out;
  for (const auto& n : nodes) out.push_back(n.caption);
  return out;
}

TopicGuideHit HitOf(const TopicGuideResult& r, const TopicGuideNode& n) {
  EXPECT_GE(n.hit, 0) << n.caption;
  return n.hit >= 0 ? r.hits[static_cast<size_t>(n.hit)] : TopicGuideHit{};
}

TEST(TopicGuideTest, ModeDecision) {
  const std::pair<const char*, bool> cases[] = {
      {"john 3:16", true}, {"john3:16", false}, {"love", false}, {"3 16", false}, {"a 1", true}};
  for (const auto& [text, reference] : cases)
    EXPECT_EQ(TopicGuide::LooksLikeReference(text), reference) << text;
  EXPECT_FALSE(Guide("john3:16").verse_mode);
  EXPECT_TRUE(Guide("gen 1:1").verse_mode);
  const TopicGuide guide(test::BigSearchLibrary());
  for (const char* empty : {"", "  \t "})
    EXPECT_EQ(guide.Search(empty).status().message(), kTopicGuideEmptyMessage);
}

TEST(TopicGuideTest, TopicModeFindsWholeWordsInTitles) {
  const TLMDictionaryModule& book = *test::BigSearchLibrary().BooksByAbbreviation().Find("TT");
  const TopicGuideResult r = Guide("  Love ");
  EXPECT_FALSE(r.verse_mode);
  // LOVELY is passed over; in the last title a later occurrence counts.
  EXPECT_EQ(Captions(r.roots), (Names{"BROTHERLY LOVE", "LOVE", "LOVELY THINGS, LOVE OF"}));
  EXPECT_EQ(r.selected_root, 1);
  EXPECT_EQ(Captions(r.roots[1].children), Names{"Topical Test"});
  EXPECT_EQ(HitOf(r, r.roots[1].children[0]),
            (TopicGuideHit{ModuleRef::Of(book), test::kLove, 0, 0}));
  EXPECT_EQ(r.StatusText(), "3 matches. Click on an item to load in viewer.");

  const TopicGuideResult fore = Guide("foreknowledge");
  EXPECT_EQ(Captions(fore.roots), Names{"FOREKNOWLEDGE"});
  EXPECT_EQ(fore.hits[0].item, test::kForeKnowledge);
  // Every occurrence rejected: the search ends without a match.
  EXPECT_EQ(Guide("o").StatusText(), kTopicGuideNoMatches);
}

TEST(TopicGuideTest, VerseModeListsEveryResourceOnTheRange) {
  const TLMBibleModule& kjv = *test::BigSearchLibrary().KjvBible();
  const TLMCommentaryModule& notes =
      *test::BigSearchLibrary().CommentariesByAbbreviation().Find("TN");
  Names said;
  const TopicGuideResult r = Guide("john 3:16-18", &said);
  ASSERT_TRUE(r.verse_mode);
  const std::string ref = kjv.GetShortBookTitle(43) + " 3:16-18";
  EXPECT_EQ(r.reference, ref);
  EXPECT_EQ(Captions(r.roots), (Names{"BIBLES for " + ref, "Commentaries ON " + ref,
                                      "Commentaries REFERENCING " + ref, "BROTHERLY LOVE",
                                      "LOVE"}));
  // MNY lacks the verse.
  EXPECT_EQ(Captions(r.roots[0].children),
            (Names{"KJV Bible", "KJV Bible with Strong's Links", "ABC Bible",
                   "ABC Bible with Strong's Links"}));
  EXPECT_EQ(HitOf(r, r.roots[0].children[0]).item, test::kJohn3_16);

  EXPECT_EQ(Captions(r.roots[1].children),
            (Names{"Test Notes - John 3:16", "Test Notes - John 3:18"}));
  EXPECT_EQ(HitOf(r, r.roots[1].children[1]),
            (TopicGuideHit{ModuleRef::Of(notes), test::kJohn3_18 - 1, 0, 0}));

  ASSERT_EQ(Captions(r.roots[2].children), Names{"Test Notes"});
  EXPECT_EQ(r.roots[2].children[0].hit, -1);
  EXPECT_EQ(Captions(r.roots[2].children[0].children), Names{"Genesis 1:1"});
  EXPECT_EQ(HitOf(r, r.roots[2].children[0].children[0]),
            (TopicGuideHit{ModuleRef::Of(notes), 0, test::kJohn3_16, test::kJohn3_18}));

  // LOVE names two verses of the range and is listed once.
  EXPECT_EQ(Captions(r.roots[4].children), Names{"Topical Test"});
  EXPECT_EQ(HitOf(r, r.roots[4].children[0]).first_verse, test::kJohn3_16);
  EXPECT_EQ(r.selected_root, -1);
  EXPECT_EQ(r.hits.size(), 4u + 2 + 1 + 2);
  EXPECT_NE(std::find(said.begin(), said.end(), "Searching TT"), said.end());
  EXPECT_EQ(said.back(), r.StatusText());

  // One verse: Commentary children carry the title only; the Bible root
  // stays even when no Bible has the verse.
  const TopicGuideResult one = Guide("jn 3:16");
  EXPECT_EQ(Captions(one.roots[1].children), Names{"Test Notes"});
  const TopicGuideResult none = Guide("rev 22:21");
  EXPECT_EQ(Captions(none.roots), Names{"BIBLES for " + kjv.GetShortBookTitle(66) + " 22:21"});
  EXPECT_TRUE(none.roots[0].children.empty());
  EXPECT_EQ(none.StatusText(), kTopicGuideNoMatches);
}

}  // namespace
}  // namespace lumora
