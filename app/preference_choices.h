// What the preferences dialog edits, apart from its widgets: one record of
// every choice, read from the store and the modules' flags, the "Set All"
// rules between the four font and colour groups, and Apply, which writes
// the choices back and says which panes and tab strips must follow.
//
// Apply writes a display value only where the choice differs from the store
// (so an untouched control changes nothing); the tab appearance, the
// start-up verse and the editor options are written as they stand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/color.h"
#include "config/properties.h"
#include "core/catalogue/module_catalogue.h"

namespace lumora {

// The verse list and Bible groups of "Fonts and Colors".
struct TBibleLook {
  std::string font;
  int32_t size = 10;
  config::TColor text = 0;
  config::TColor background = 0;
  config::TColor comment_link = 0;
  config::TColor dict_link = 0;
  config::TColor footnotes = 0;
  config::TColor strongs_link = 0;
  bool operator==(const TBibleLook&) const = default;
};

// The Book and Commentary groups.
struct TResourceLook {
  std::string font;
  int32_t size = 10;
  config::TColor text = 0;
  config::TColor background = 0;
  config::TColor link = 0;
  bool operator==(const TResourceLook&) const = default;
};

struct TTabLook {
  std::string font;
  int32_t size = 9;
  config::TColor text = 0;
  bool bold = false;
  int32_t style = 0;
  bool align = false;
  config::TColor active = 0;
  config::TColor inactive = 0;
  config::TColor corresponding = 0;
  bool operator==(const TTabLook&) const = default;
};

struct TPrefsChoice {
  TBibleLook verse_list;
  config::TColor key_highlight = 0;
  TBibleLook bible;
  TResourceLook book;
  TResourceLook commentary;
  TTabLook tabs;
  // "Options".
  int32_t search_bible_default = 0;
  bool link_multiple_verses = false;
  int32_t startup_verse = 0;
  bool inc_ch_prev = false;
  bool inc_ch_next = true;
  bool editor_stay_on_top = true;
  bool editor_raw_html = false;
  bool save_window_states = true;
  // "Commentary/Book Links": included in linking, in catalogue order.
  std::vector<bool> link_books;
  std::vector<bool> link_commentaries;
  // "Visible Tabs": tab visible flags, in catalogue order.
  std::vector<bool> tab_bibles;
  std::vector<bool> tab_books;
  std::vector<bool> tab_commentaries;
  bool startup_fav_tabs = true;
  bool operator==(const TPrefsChoice&) const = default;
};

// The store's values and the modules' flags.
TPrefsChoice ChoiceFromStore(const config::Properties& p, const TModuleCatalogue& catalogue);

// Bibles whose tab cannot be hidden: the KJV Bible and its Strong's-links
// twin (whose flag is never stored).
bool IsFixedTabBible(const TModuleCatalogue& catalogue, size_t index);

// The groups of "Fonts and Colors", each with its "Set All" button.
enum class TLookGroup { kVerseList, kBible, kBook, kCommentary };

// Copies `from`'s font and size, background and text colour to the other
// three groups; the verse list and Bible groups their footnote, Book link,
// Commentary link and Strong's link colours to each other; the Book and
// Commentary groups their link colour to each other.
void SetAll(TPrefsChoice& choice, TLookGroup from);

// What Apply changed, for the panes and strips that must follow.
struct TPrefsMarks {
  bool verse_list = false;
  bool bible = false;
  bool book = false;
  bool commentary = false;
  bool linking = false;     // included-in-linking flags changed
  bool bible_tabs = false;  // tab visible flags changed: show only selected again
  bool book_tabs = false;
  bool commentary_tabs = false;
  bool tab_look = false;  // the "RzTabs..." appearance changed
  bool other = false;     // start-up, search and editor options changed
  bool Any() const;
  bool operator==(const TPrefsMarks&) const = default;
};

// Writes `choice` into `p` and the modules' flags of `catalogue`. List
// lengths that do not match the catalogue's lists (the library changed
// meanwhile) leave those flags alone; the fixed Bibles' flags never change.
TPrefsMarks ApplyChoice(const TPrefsChoice& choice, config::Properties& p,
                        TModuleCatalogue& catalogue);

// "HiddenTabs" and "ExcludeFromLinking" from the modules' flags, as the
// window writes them at close: hidden tabs of every loaded module (the
// fixed Bibles never), exclusions of loaded modules updated and those of
// modules not loaded kept. Both lists stay sorted without regard to case.
void SyncFlagLists(config::Properties& p, const TModuleCatalogue& catalogue);

}  // namespace lumora
