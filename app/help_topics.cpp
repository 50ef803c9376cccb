#include "app/help_topics.h"

#include "core/text/cp1252.h"
#include "render/html_escape.h"

namespace lumora {
namespace {

// "Search &Bible..." -> "Search Bible..."; "&&" keeps one "&".
std::string WithoutMnemonics(std::string_view caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

}  // namespace

const std::vector<HelpTopic>& HelpTopics() {
  static const std::vector<HelpTopic> topics = {
      {"Scribble10", "contents.html", "Lumora Help"},
      {"Scribble20", "main-window.html", "The main window"},
      {"Scribble30", "quick-jump.html", "Going to a verse"},
      {"Scribble40", "image-viewer.html", "The image viewer"},
      {"Scribble50", kHelpKeysFile, "Keys"},
      {"Scribble90", "bible-search.html", "Searching the Bible"},
      {"Scribble100", "topic-guide.html", "The Topic and Verse Guide"},
      {"Scribble110", "bookmarks.html", "Bookmarks"},
      {"Scribble120", "import-notes.html", "Importing a Lumora 3.x note set"},
      {"Scribble130", "user-book.html", "Creating a user Book"},
      {"Scribble140", "user-commentary.html", "Creating a user Commentary"},
      {"Scribble150", "editor.html", "The entry editor"},
      {"Scribble160", "devotionals.html", "Devotional readings"},
      {"Scribble170", "prefs-fonts.html", "Preferences: Fonts and Colors"},
      {"Scribble190", "prefs-options.html", "Preferences: Options"},
      {"Scribble200", "prefs-links.html", "Preferences: Commentary/Book Links"},
      {"Scribble230", "export-format.html", "Copy and export formatting"},
      {"Scribble240", "copy-verses.html", "Copying verses"},
      {"Scribble260", "export-verses.html", "Exporting verses to a file"},
      {"Scribble270", "print-verses.html", "Printing verses"},
      {"Scribble290", "find-in-resource.html", "Finding text in a Book or Commentary"},
      {"Scribble410", "prefs-tabs.html", "Preferences: Tab Appearance"},
      {"Scribble420", "full-search.html", "Full Reference Search and reference sets"},
      {"Scribble430", "prefs-visible-tabs.html", "Preferences: Visible Tabs"},
  };
  return topics;
}

const HelpTopic* FindHelpTopic(std::string_view id) {
  for (const HelpTopic& t : HelpTopics())
    if (cp1252::EqualNoCase(id, t.id)) return &t;
  return nullptr;
}

std::string KeyListHtml(const std::vector<CommandSpec>& commands) {
  std::string html =
      "<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Keys</title>\n"
      "<link rel=\"stylesheet\" href=\"help.css\">\n</head>\n<body>\n"
      "<p class=\"nav\"><a href=\"contents.html\">Contents</a></p>\n"
      "<h1>Keys</h1>\n"
      "<p>The keys of the main window's commands. Each works wherever the focus is in the main "
      "window; the panes add keys of their own, shown beside their context menu items. This "
      "list is made from the program's command table when Lumora is built, so it always "
      "matches the program.</p>\n"
      "<table>\n<tr><th>Key</th><th>What it does</th></tr>\n";
  for (const CommandSpec& c : commands) {
    if (c.shortcut[0] == '\0') continue;
    // The hint says what the command does; the caption stands in for a
    // command without one.
    const std::string text = c.hint[0] != '\0' ? std::string(c.hint) : WithoutMnemonics(c.caption);
    html += "<tr><td class=\"key\">" + HtmlEscape(c.shortcut) + "</td><td>" + HtmlEscape(text) +
            "</td></tr>\n";
  }
  html +=
      "</table>\n"
      "<p>Besides these: <span class=\"key\">Alt+G</span> puts the focus in the quick jump box "
      "(see <a href=\"quick-jump.html\">Going to a verse</a>), <span class=\"key\">Ctrl+C</span> "
      "copies the selected text of the focused view and <span class=\"key\">Ctrl+Shift+C</span> "
      "appends it to the clipboard, and <span class=\"key\">Alt</span> with a menu's underlined "
      "letter opens that menu.</p>\n"
      "</body>\n</html>\n";
  return html;
}

}  // namespace lumora
