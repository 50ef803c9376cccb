#include "app/command_table.h"

#include <string>

namespace lumora {
namespace {

// The fixed rows; the thirty bookmark rows are added in order after them.
constexpr CommandSpec kFixed[] = {
    // File
    {"ActionExportVerses", "Export Verses to File...", "Export verses to a file", ""},
    {"ActionPrintVerses", "Print Verse(s)...", "Print verses", ""},
    {"ActionPrintCommentary", "Print Range of Comments...", "Print a range of comments", ""},
    {"ActionPrintDict", "Print Range of Book Entries...", "Print a range of book entries", ""},
    {"ActionPrintSetup", "Printer Setup...", "Choose the printer and paper", ""},
    {"ActionPrefs", "Preferences...", "Fonts, colours, tabs and options", ""},
    {"ActionExit", "Exit", "Close Lumora", ""},
    // Edit
    {"ActionMainCopy", "Copy Selected Text", "Copy selected text to the clipboard", ""},
    {"ActionMainAppend", "Append Selected Text", "Append selected text to the clipboard", ""},
    {"ActionCopyVerses", "Copy Verse(s)...", "Copy verses to the clipboard", "F5"},
    {"ActionConfigureFormat", "Configure Copy/Export Formatting",
     "Choose how copied and exported verses look", ""},
    {"ActionCopyCommentRange", "Copy Range of Comments...", "Copy a range of comments", ""},
    {"ActionCopyBookRange", "Copy Range of Book Entries...", "Copy a range of book entries", ""},
    // Search
    {"ActionSearchBible", "Search &Bible...", "Search Bible text", "F2"},
    {"ActionSearchDictionary", "Find in Active Boo&k...", "Find in active book", "F3"},
    {"ActionSearchCommentary", "Find in Active &Commentary...", "Find in active commentary", "F4"},
    {"ActionTopicGuide", "Topic and Verse Guide...", "Open Topic and Verse Guide", "Alt+T"},
    {"ActionBigSearch", "Full Reference Search...",
     "Full Reference Search: search some or all resources", "Alt+R"},
    {"ActionDefineSets", "Define/Modify Reference Sets", "Define the resource sets of the full search",
     ""},
    // Verse list
    {"ActionPopVerseList", "Display Verse(s)...", "Displays a verse or verses you specify",
     "Shift+F5"},
    // Devotional
    {"ActionMornDevotion", "This Morning's Devotion", "View this morning's devotional", ""},
    {"ActionEveDevotion", "This Evening's Devotion", "View this evening's devotional", ""},
    {"ActionPickDevotion", "Select a Day/Time...", "Select a devotional to view", ""},
    // Images
    {"ActionImageViewer", "Open Image Viewer", "Browse the illustrations", ""},
    // Tabs
    {"ActionTabsShowAll", "Show All Tabs", "Show all resource tabs", "Alt+F11"},
    {"ActionTabsShowFavs", "Show Only Selected Tabs", "Show only selected resource tabs",
     "Alt+F12"},
    {"ActionTabsConfigure", "Select Tabs to Show...", "Select which resource tabs to show", ""},
    // View
    {"ActionViewVerseList", "Toggle Verse List View", "Show or hide the Verse List", "F9"},
    {"ActionViewBible", "Toggle Bible View", "Show or hide the Bible View", "F10"},
    {"ActionViewDict", "Toggle Book View", "Show or hide the Book View", "F11"},
    {"ActionViewComment", "Toggle Commentary View", "Show or hide the Commentary View", "F12"},
    {"ActionViewAll", "View All", "Show all four views", "Alt+A"},
    {"ActionRestoreSizes", "Restore Default Window Sizes", "Restore the default view sizes",
     "Ctrl+Alt+A"},
    {"ActionFontPlus", "Increase Font Sizes", "Increase the font size of every view", "Ctrl+]"},
    {"ActionFontMinus", "Decrease Font Sizes", "Decrease the font size of every view", "Ctrl+["},
    {"ActionFocusVL", "", "Show the Verse List and put the focus in it", "Alt+1"},
    {"ActionFocusBible", "", "Show the Bible View and put the focus in it", "Alt+2"},
    {"ActionFocusBook", "", "Show the Book View and put the focus in it", "Alt+3"},
    {"ActionFocusComment", "", "Show the Commentary View and put the focus in it",
     "Alt+4"},
    // Alt+G is the mnemonic of the quick-jump label (its buddy); a second
    // binding of the key would make both ambiguous.
    {"ActionFocusQuickJump", "", "", ""},
    {"ActionNextBible", "", "Show the next Bible in the Bible View", "Alt+Right"},
    {"ActionPrevBible", "", "Show the previous Bible in the Bible View", "Alt+Left"},
    // User
    {"ActionNewCommentary", "Create New User Commentary...", "Create a new commentary for editing",
     ""},
    {"ActionNewBook", "Create New User Book...", "Create a new book for editing", ""},
    {"ActionImport3x", "Import Lumora 3.x Note Set",
     "Import a Note Set from Lumora 3.x into a Lumora 4 Commentary Module", ""},
    // Help
    {"ActionOpenHelp", "Open Help", "Open the Lumora help", "F1"},
    {"ActionLMWeb", "Go to the Lumora Web Page", "Open the Lumora web page in your browser", ""},
    {"ActionAbout", "About Lumora", "Version and sources", ""},
    // Bookmarks (besides the thirty numbered ones)
    {"ActionClearAllBookmarks", "Clear &All Bookmarks", "Mark every bookmark not in use", ""},
    {"ActionSetTitles", "Bookmark Titles...", "Give the bookmarks titles", ""},
};

std::vector<CommandSpec> Build() {
  std::vector<CommandSpec> rows(std::begin(kFixed), std::end(kFixed));
  // Names and captions live as long as the program: the strings below are
  // made once.
  static std::vector<std::string> texts;
  texts.reserve(30 * 6);
  const auto keep = [](std::string s) -> const char* {
    texts.push_back(std::move(s));
    return texts.back().c_str();
  };
  for (int n = 0; n < 10; ++n) {
    const std::string digit = std::to_string(n);
    const std::string number = BookmarkNumberText(n);
    // Bookmark 0 is "10" on screen.
    const std::string shown = n == 0 ? "10" : digit;
    rows.push_back({keep("ActionGoBookmark" + digit), keep(number + ": Not in use"),
                    keep("Go to bookmark " + shown), keep("Ctrl+" + digit)});
    rows.push_back({keep("ActionSetBookmark" + digit), keep("Set BookMark " + number + "..."),
                    keep("Set bookmark " + shown), keep("Ctrl+Shift+" + digit)});
    rows.push_back(
        {keep("ActionClearBookmark" + digit), keep("Clear BookMark " + number), "", ""});
  }
  return rows;
}

}  // namespace

const std::vector<CommandSpec>& MainCommands() {
  static const std::vector<CommandSpec> rows = Build();
  return rows;
}

const CommandSpec* FindMainCommand(std::string_view name) {
  for (const CommandSpec& c : MainCommands())
    if (name == c.name) return &c;
  return nullptr;
}

const char* BookmarkNumberText(int index) {
  static const char* const texts[] = {"1&0", "&1", "&2", "&3", "&4",
                                      "&5",  "&6", "&7", "&8", "&9"};
  return index >= 0 && index < 10 ? texts[index] : "";
}

}  // namespace lumora
