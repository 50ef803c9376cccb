// The configuration store: every user setting of the program in one
// process-wide record, filled with defaults at start, overwritten from the
// settings storage by LoadProperties once at start and written back whole by
// SaveProperties once at close. The rest of the program reads and changes
// the fields directly; there are no change notifications.
//
// Defaults are the member initialisers below. Each stored field's value
// name, kind, domain and place in the save order are in setting_table.cpp;
// the reference sets, bookmark titles and history lists are handled by
// LoadProperties and SaveProperties themselves.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config/bookmark_record.h"
#include "config/color.h"
#include "config/mru_list.h"
#include "config/settings_storage.h"
#include "config/view_properties.h"
#include "config/window_state.h"
#include "core/platform/file_system.h"
#include "core/refs/verse_index.h"

namespace lumora::config {

// Settings kept with the others but never stored.
inline constexpr const char* kHebrewLexiconFont = "Basic Hebrew";
inline constexpr const char* kGreekLexiconFont = "Symbol";
inline constexpr int kPageLength = 100;  // verses per page of the passage renderer

// A named selection of resources; members are group tokens ("?BIBLES",
// "?BOOKS", "?COMMENTARIES") or module titles.
struct ReferenceSet {
  std::string name;
  std::vector<std::string> members;  // sorted by CompareNoCase, no repeats
  bool operator==(const ReferenceSet&) const = default;
};

// "ActiveResources" entries (an entry is empty when its kind is not loaded).
enum ActiveResourceEntry {
  kActiveBible = 0,
  kActiveCommentary = 1,
  kActiveCommentaryPosition = 2,  // decimal slot, verse index - 1
  kActiveBook = 3,
  kActiveBookEntry = 4,  // decimal 0-based entry number
  kActiveVerseListBible = 5,
};

struct Properties {
  std::array<BookmarkRecord, kBookmarkCount> bookmarks{};

  // Resource tabs of all four panes.
  std::string rz_tabs_font = "Arial";
  int32_t rz_tabs_font_size = 9;  // 6..14
  TColor rz_tabs_text_color = kClBtnText;
  bool rz_tabs_text_bold = false;
  int32_t rz_tabs_style = 0;  // 0 single slant, 1 double slant, 2 cut corner, 3 round
  bool rz_tabs_align = false;
  TColor rz_tabs_active_color = kClBtnFace;
  TColor rz_tabs_inactive_color = kClBtnHighlight;
  TColor rz_tabs_corresponding_color = 0x00FFFF00;

  TPropertiesBibleView bible_view;
  // LinkCommentaries, LinkDictionaries, ShowFootnotes and ShowEditLinks as
  // the user had them before paragraph mode turned them off; written at
  // close, read back at start while paragraph mode is on.
  std::array<bool, 4> para_saved_links{true, true, false, true};
  TPropertiesBibleView verse_list_view = VerseListViewDefaults();
  TPropertiesResourceView dict_view;
  TPropertiesResourceView comment_view;

  // Copy, export and print formatting.
  int32_t verse_export_style = 0;  // 0..7, styles A..H
  bool include_brackets = false;
  bool include_footnotes = false;
  bool include_version_tag = false;

  // Pane fractions, each strictly between 0 and 1.
  double right_bottom_pct = 0.45;
  double left_top_pct = 0.5;
  double left_panel_pct = 0.45;

  bool view_verse_list = false;
  bool view_bible = true;  // stored only; start-up always shows the Bible pane
  bool view_dict = true;
  bool view_comment = true;
  bool closed_maximized = true;
  TColor key_hilight_color = 0x000000FF;
  int32_t last_bible_verse = kDefaultVerse;
  int32_t search_bible_default = 0;  // 0 last searched Bible, 1 the Bible view's
  int32_t startup_verse = 0;         // 0 last passage, 1 today's Proverb
  bool link_multiple_verses = false;
  bool startup_fav_tabs = true;
  std::vector<std::string> exclude_from_linking;  // sorted by CompareNoCase
  std::vector<std::string> hidden_tabs;           // sorted by CompareNoCase
  std::vector<std::string> active_resources;      // ActiveResourceEntry
  bool popup_nvcx = true;
  bool editor_stay_on_top = true;
  bool editor_raw_html = false;
  // When false the window states and the search tree height are not read
  // (they are still written).
  bool save_window_states = true;
  WindowState state_main;
  WindowState state_editor;
  WindowState state_resource_link;
  WindowState state_topic_guide;
  WindowState state_image_view;
  WindowState state_big_search;
  int32_t big_search_tree_height = -1;  // -1 never stored
  bool big_search_case = false;
  bool big_search_set_type = true;
  bool big_search_substring = true;
  int32_t big_search_ref_set = 0;
  int32_t big_search_single_module = 0;
  bool image_shrink_to_fit = false;
  bool inc_ch_prev = false;
  bool inc_ch_next = true;
  // Scroll positions of the documents at close, kept uninterpreted.
  int32_t doc_pos_bible = 0;
  int32_t doc_pos_book = 0;
  int32_t doc_pos_commentary = 0;
  int32_t help_ver = 0;

  std::vector<ReferenceSet> ref_sets;  // sorted by name (CompareNoCase)
  std::array<std::string, kBookmarkCount> bookmark_titles{};
  std::array<MruList, kMruIds.size()> mru{};

  MruList& Mru(MruId id) { return mru[static_cast<size_t>(id)]; }
  bool operator==(const Properties&) const = default;
};

// Says whether a font family is installed (the GUI asks its font list).
using FontInstalled = std::function<bool(std::string_view family)>;

// The defaults. The pane font is "Verdana" when `font_installed` knows it,
// else "Arial" (also when there is no font list to ask); it is asked once
// for the Bible view record and once for the Book view record, and the verse
// list and Commentary records copy those.
Properties DefaultProperties(const FontInstalled& font_installed = nullptr);

// The process-wide store; holds DefaultProperties() until InitGlobalProperties.
Properties& GlobalProperties();
// Refills the process-wide store with defaults; the GUI calls it once its
// font list is available, before LoadProperties.
void InitGlobalProperties(const FontInstalled& font_installed);

struct LoadReport {
  bool key_found = false;
  // Value names read and accepted (the list values and "RefSet" + i too).
  std::vector<std::string> from_storage;
  // One text per value that was skipped, and the store's own problems.
  std::vector<std::string> problems;

  bool FromStorage(std::string_view name) const;
};

// Reads every setting the storage holds into `p`. A missing key keeps `p`
// as it is. A value of the wrong type, or of the wrong length or outside its
// domain, is skipped (its field keeps its value) and reported once; the load
// always goes on to the end.
LoadReport LoadProperties(Properties& p, SettingsStorage& storage);

// The text to show when SaveProperties fails.
inline constexpr const char* kSaveFailedMessage =
    "Error: Unable to write configuration to Registry.";

// Writes every setting in table order, then the reference sets and bookmark
// titles, then the history lists, and flushes the storage. When the key
// cannot be opened nothing is written. Fails with kSaveFailedMessage;
// `detail` (optional) receives the storage's own error text.
Status SaveProperties(const Properties& p, SettingsStorage& storage, std::string* detail = nullptr);

// The process-wide store with the platform's storage (registry or file).
LoadReport LoadProperties();
Status SaveProperties();
SettingsStorage& GlobalSettingsStorage();

// Help housekeeping, run right after LoadProperties: when "HelpVer" is older
// than kHelpVersion the stale help index "Lumora4.GID" in `program_folder` is
// deleted if present; "HelpVer" then becomes kHelpVersion.
inline constexpr int32_t kHelpVersion = 20030630;
void RunHelpHousekeeping(Properties& p, FileSystem& fs, const std::string& program_folder);

}  // namespace lumora::config
