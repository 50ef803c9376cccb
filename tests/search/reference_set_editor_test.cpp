// The reference set dialog's state: the resource tree, check cascades,
// storing the tree into a set, naming, creating and deleting sets.
#include "search/reference_set_editor.h"

#include <gtest/gtest.h>

#include "tests/search/bigsearch_fixture.h"

namespace lumora {
namespace {

using Strings = std::vector<std::string>;

RefSetResources RefSetSampleResources() {
  RefSetResources r;
  r.bibles = {"King James Version", "World English"};
  r.books = {"Topics", "Lexicon", "Dup"};
  r.commentaries = {"Notes"};
  r.names_in_use = {"KJV", "King James Version", "WEB", "World English", "Topics", "TOP"};
  return r;
}

size_t RefSetNodeOf(const ReferenceSetEditor& e, const std::string& caption) {
  for (size_t i = 0; i < e.Nodes().size(); ++i)
    if (e.Nodes()[i].caption == caption) return i;
  ADD_FAILURE() << "no node " << caption;
  return 0;
}

Strings RefSetCaptions(const ReferenceSetEditor& e) {
  Strings out;
  for (const RefSetNode& n : e.Nodes()) out.push_back((n.root < 0 ? "" : "  ") + n.caption);
  return out;
}

std::string RefSetChecks(const ReferenceSetEditor& e) {
  std::string out;
  for (const RefSetNode& n : e.Nodes())
    out += n.check == RefSetCheck::kChecked ? 'x' : n.check == RefSetCheck::kPartial ? '~' : '.';
  return out;
}

TEST(ReferenceSetEditorTest, TreeRootsTokensAndTwinsLeftOut) {
  ReferenceSetEditor e;
  RefSetResources none = RefSetSampleResources();
  none.books.clear();
  none.commentaries.clear();
  e.Open(none, {});
  EXPECT_EQ(RefSetCaptions(e), (Strings{"Bibles", "  King James Version", "  World English",
                                        "Books (none loaded)", "Commentaries (none loaded)"}));
  EXPECT_EQ(e.Nodes()[3].member, "?BOOKS");
  EXPECT_EQ(e.Nodes()[4].member, "?COMMENTARIES");

  // Every Strong's-links twin goes, whatever its abbreviation.
  const RefSetResources lib = RefSetResourcesOf(test::BigSearchLibrary());
  EXPECT_EQ(lib.bibles.size(), 3u);
  for (const std::string& title : lib.bibles)
    EXPECT_EQ(title.find("Strong's Links"), std::string::npos) << title;
  EXPECT_EQ(lib.books, (Strings{"Damaged Book", "Topical Test"}));
  EXPECT_EQ(lib.commentaries, Strings{"Test Notes"});
  e.Open(lib, {});
  EXPECT_EQ(e.Nodes()[0].member, "?BIBLES");
  EXPECT_EQ(e.Nodes()[1].member, e.Nodes()[1].caption);
}

TEST(ReferenceSetEditorTest, ChecksStoreTheirMembers) {
  struct Click {
    const char* caption;
    bool checked;
  };
  struct Case {
    const char* what;
    bool bibles_only;
    Strings members;  // the set as opened
    std::vector<Click> clicks;
    const char* checks_shown;  // before the clicks
    const char* checks;        // after them
    Strings stored;
  } cases[] = {
      {"root Books",
       false,
       {},
       {{"Books", true}},
       "........",
       "...xxxx..",
       {"?BOOKS", "Dup", "Lexicon", "Topics"}},
      {"root Books, then one Book off",
       false,
       {},
       {{"Books", true}, {"Lexicon", false}},
       "........",
       "...~x.x..",
       {"Dup", "Topics"}},
      {"a group token shows every child",
       false,
       {"?BIBLES"},
       {},
       "xxx......",
       "xxx......",
       {"?BIBLES", "King James Version", "World English"}},
      {"titles in any case; stale titles stay",
       false,
       {"gone", "notes"},
       {},
       ".......xx",
       ".......xx",
       {"?COMMENTARIES", "gone", "notes"}},
      {"one child of two",
       false,
       {},
       {{"World English", true}},
       "........",
       "~.x......",
       {"World English"}},
      {"none loaded",
       true,
       {},
       {{"Commentaries (none loaded)", true}},
       ".....",
       "....x",
       {"?COMMENTARIES"}},
      {"unchecking the root clears the children",
       false,
       {"?BOOKS", "Dup", "Topics"},
       {{"Books", false}},
       "...xxxx..",
       ".........",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RefSetResources r = RefSetSampleResources();
    if (c.bibles_only) {
      r.books.clear();
      r.commentaries.clear();
    }
    ReferenceSetEditor e;
    e.Open(r, {{"S", c.members}});
    const std::string shown = RefSetChecks(e);
    EXPECT_EQ(shown.substr(0, std::string(c.checks_shown).size()), c.checks_shown);
    for (const Click& k : c.clicks) e.SetChecked(RefSetNodeOf(e, k.caption), k.checked);
    EXPECT_EQ(RefSetChecks(e), c.checks);
    e.StoreTree();
    EXPECT_EQ(e.Sets()[0].members, c.stored);
  }
}

TEST(ReferenceSetEditorTest, ModulesSharingATitleShareTheirMember) {
  RefSetResources r = RefSetSampleResources();
  r.books = {"Dup", "Other"};
  r.commentaries = {"dup", "More"};
  ReferenceSetEditor e;
  e.Open(r, {{"S", {}}});
  e.SetChecked(RefSetNodeOf(e, "Dup"), true);
  EXPECT_EQ(RefSetChecks(e), "...~x.~x.");
  e.StoreTree();
  EXPECT_EQ(e.Sets()[0].members, Strings{"Dup"});
  // Shown again from the set: both nodes, from either spelling.
  e.Select(0);
  EXPECT_EQ(RefSetChecks(e), "...~x.~x.");
  e.SetChecked(RefSetNodeOf(e, "dup"), false);
  e.StoreTree();
  EXPECT_EQ(RefSetChecks(e), ".........");
  EXPECT_TRUE(e.Sets()[0].members.empty());
}

TEST(ReferenceSetEditorTest, NewNamesAreCheckedAgainstSetsAndModules) {
  ReferenceSetEditor e;
  e.Open(RefSetSampleResources(), {{"Gospels", {}}});
  EXPECT_EQ(e.DefaultNewName(), "Reference Set 2");
  const struct {
    const char* name;
    bool storable;
    RefSetNameProblem problem;
  } cases[] = {
      {"kjv", true, RefSetNameProblem::kInUse},
      {"KJV", true, RefSetNameProblem::kInUse},
      {"king james VERSION", true, RefSetNameProblem::kInUse},
      {"top", true, RefSetNameProblem::kInUse},
      {"GOSPELS", true, RefSetNameProblem::kInUse},
      {"  Gospels ", true, RefSetNameProblem::kInUse},
      {"", true, RefSetNameProblem::kBlank},
      {" \t ", true, RefSetNameProblem::kBlank},
      {"Mo?ses", false, RefSetNameProblem::kNotStorable},
      {"KJV only", true, RefSetNameProblem::kNone},
      {"My set, \"quoted\"", true, RefSetNameProblem::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(e.CheckNewName(c.name, c.storable), c.problem) << c.name;
  EXPECT_STREQ(RefSetNameMessage(RefSetNameProblem::kInUse), kRefSetNameInUseMessage);
  EXPECT_EQ(DeleteRefSetQuestion("A b"), "Are you sure you wish to delete reference set \"A b?\"");
}

TEST(ReferenceSetEditorTest, NewSelectDeleteAndRebuild) {
  ReferenceSetEditor e;
  e.Open(RefSetSampleResources(), {});
  EXPECT_EQ(e.Current(), -1);
  EXPECT_FALSE(e.TreeEnabled());
  EXPECT_EQ(e.Info(), kNoRefSetsText);
  e.SetChecked(RefSetNodeOf(e, "Bibles"), true);  // a disabled tree takes no clicks
  EXPECT_EQ(RefSetChecks(e), ".........");

  EXPECT_EQ(e.AddSet(" Zeta "), 0);
  EXPECT_EQ(e.CurrentName(), "Zeta");
  EXPECT_TRUE(e.TreeEnabled());
  EXPECT_EQ(e.Info(), kNewRefSetText);
  e.SetChecked(RefSetNodeOf(e, "Notes"), true);
  EXPECT_EQ(e.Info(), "");
  // Creating stores the tree first; the new set starts empty and sorted in.
  EXPECT_EQ(e.AddSet("alpha"), 0);
  EXPECT_EQ(e.Sets()[1].members, (Strings{"?COMMENTARIES", "Notes"}));
  EXPECT_EQ(RefSetChecks(e), ".........");
  e.SetChecked(RefSetNodeOf(e, "Topics"), true);
  e.Select(1);
  EXPECT_EQ(e.Sets()[0].members, Strings{"Topics"});
  EXPECT_EQ(RefSetChecks(e), ".......xx");

  // The modules change: what the tree shows is kept, a dropped title stays.
  RefSetResources fewer = RefSetSampleResources();
  fewer.commentaries.clear();
  e.SetChecked(RefSetNodeOf(e, "World English"), true);
  e.Rebuild(fewer);
  EXPECT_EQ(e.Nodes().back().caption, "Commentaries (none loaded)");
  EXPECT_EQ(e.Sets()[1].members, (Strings{"?COMMENTARIES", "Notes", "World English"}));
  EXPECT_EQ(RefSetChecks(e), "~.x....x");

  e.DeleteCurrent();
  EXPECT_EQ(e.CurrentName(), "alpha");
  EXPECT_EQ(e.Info(), "");
  e.DeleteCurrent();
  EXPECT_EQ(e.Current(), -1);
  EXPECT_TRUE(e.Sets().empty());
  EXPECT_FALSE(e.TreeEnabled());
  EXPECT_FALSE(e.DeleteEnabled());
  EXPECT_EQ(e.Info(), kNoRefSetsText);
  EXPECT_EQ(RefSetChecks(e), std::string(e.Nodes().size(), '.'));
}

}  // namespace
}  // namespace lumora
