// The help's topic table and its generated key list. (That every page
// exists, is reachable and links soundly is checked on the shipped pages by
// the widget tests.)
#include "app/help_topics.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lumora {
namespace {

TEST(HelpTopics, OneTableOfDistinctTopicsCoveringEveryHelpButton) {
  std::set<std::string> ids, files;
  for (const HelpTopic& t : HelpTopics()) {
    EXPECT_EQ(std::string(t.id).rfind("Scribble", 0), 0u) << t.id;
    EXPECT_TRUE(ids.insert(t.id).second) << "twice: " << t.id;
    EXPECT_TRUE(files.insert(t.file).second) << "twice: " << t.file;
    EXPECT_NE(std::string(t.title), "");
  }
  EXPECT_EQ(std::string(HelpTopics().front().id), kHelpContentsTopic);
  // The topics the program's commands and dialogs open.
  for (const char* id : {"Scribble10", "Scribble90", "Scribble100", "Scribble110", "Scribble120",
                         "Scribble130", "Scribble140", "Scribble150", "Scribble160", "Scribble170",
                         "Scribble190", "Scribble200", "Scribble230", "Scribble240", "Scribble260",
                         "Scribble270", "Scribble290", "Scribble410", "Scribble420",
                         "Scribble430"})
    EXPECT_NE(FindHelpTopic(id), nullptr) << id;
  EXPECT_EQ(FindHelpTopic("scribble110"), FindHelpTopic("Scribble110"));
  EXPECT_EQ(FindHelpTopic("Scribble11"), nullptr);
  EXPECT_EQ(FindHelpTopic(""), nullptr);
  EXPECT_STREQ(FindHelpTopic("Scribble50")->file, kHelpKeysFile);
}

TEST(HelpTopics, KeyListHasEveryShortcutOnce) {
  const std::vector<CommandSpec> commands = {
      {"ActionA", "Search &Bible...", "Search Bible text", "F2"},
      {"ActionB", "Fish && Chips", "", "Ctrl+]"},  // no hint: the caption, one "&"
      {"ActionC", "No key", "never listed", ""},
      {"ActionD", "", "a <b> & c", "Alt+1"},
  };
  const std::string html = KeyListHtml(commands);
  EXPECT_NE(html.find("<td class=\"key\">F2</td><td>Search Bible text</td>"), std::string::npos);
  EXPECT_NE(html.find("<td class=\"key\">Ctrl+]</td><td>Fish &amp; Chips</td>"),
            std::string::npos);
  EXPECT_NE(html.find("<td>a &lt;b&gt; &amp; c</td>"), std::string::npos);
  EXPECT_EQ(html.find("never listed"), std::string::npos);
  EXPECT_NE(html.find("<title>Keys</title>"), std::string::npos);

  // The real table: every command with a key is on the page.
  const std::string page = KeyListHtml(MainCommands());
  int rows = 0;
  for (const CommandSpec& c : MainCommands()) {
    if (c.shortcut[0] == '\0') continue;
    ++rows;
    EXPECT_NE(page.find(std::string("<td class=\"key\">") + c.shortcut + "</td>"), std::string::npos)
        << c.name;
  }
  EXPECT_GT(rows, 30);
  EXPECT_NE(page.find("Go to bookmark 10"), std::string::npos);
}

}  // namespace
}  // namespace lumora
