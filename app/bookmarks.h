// The ten bookmarks apart from the widgets: which records can be followed,
// what a pane or the Set Bookmark dialog stores, and every caption the
// bookmark commands, the panes' "Set Bookmark" submenus and the two dialogs
// show. Index 0 is bookmark "10" on screen (menu digit "1&0", Ctrl+0).
//
// Records come from the settings and from the panes, so nothing here trusts
// them: strings are cut to their fields (15 and 70 bytes) and a record whose
// kind is unknown, or whose position does not fit its kind, reads as not in
// use. Menu captions (Go/Set/Clear and the submenu items) carry a mnemonic,
// so an "&" in the data parts is doubled there; the dialogs' texts are plain.
// All texts are Windows-1252.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "config/bookmark_record.h"

namespace lumora {

class TLMBibleModule;
class TLMDictionaryModule;

using BookmarkRecords = std::array<config::BookmarkRecord, config::kBookmarkCount>;
using BookmarkTitles = std::array<std::string, config::kBookmarkCount>;

// The record as it is used: strings cut to 15 and 70 bytes, and not in use
// (cleared) when its kind is unknown or its position is out of range (kind
// 0: a verse index 1..31102; kind 1: a slot 0..31101; kind 2 keeps no
// position).
config::BookmarkRecord NormalizedBookmark(const config::BookmarkRecord& record);
bool BookmarkInUse(const config::BookmarkRecord& record);
// A record to store: kind 2 stores position -1; an unusable kind or position
// gives a record not in use.
config::BookmarkRecord MakeBookmark(int kind, std::string_view abbreviation, int position,
                                    std::string_view text);

// Whether the go command of `record` is enabled: kind 0 always, kinds 1 and
// 2 while a Commentary / Book with the stored abbreviation is loaded
// (`loaded(kind, abbreviation)` answers that).
bool BookmarkFollowable(const config::BookmarkRecord& record,
                        const std::function<bool(int kind, const std::string&)>& loaded);

// --- Menu captions ----------------------------------------------------------------
// " (title)" when the title is not empty, else "".
std::string BookmarkTitlePart(std::string_view title);
// "&1: Not in use", "&2 (Psalms): Ps 23:1", "1&0: MHCC: John 3:16".
std::string GoBookmarkCaption(int index, const config::BookmarkRecord& record,
                              std::string_view title);
// "Set BookMark &1..." / "Set BookMark &1 (title)...".
std::string SetBookmarkCaption(int index, std::string_view title);
// "Clear BookMark &1" / "Clear BookMark &1 (title)".
std::string ClearBookmarkCaption(int index, std::string_view title);
// A pane's "Set Bookmark" item: "&1, not currently used",
// "&2: currently \"Ps 23:1\"", "&3 (t): currently \"MHCC: John 3:16\"".
std::string SetBookmarkItemCaption(int index, const config::BookmarkRecord& record,
                                   std::string_view title);

// --- The Set Bookmark dialog --------------------------------------------------------
// "Set Bookmark #3", "Set Bookmark #10" for index 0.
std::string BookmarkDialogHeading(int index);
// "Currently not in use.", "Currently Ps 23:1", "Currently MHCC: John 3:16".
std::string BookmarkCurrentlyText(const config::BookmarkRecord& record);

// What the panes show when the dialog opens.
struct BookmarkSources {
  // Titles and versification of the references (the KJV Bible); null: no
  // reference can be made and the Bible and Commentary choices are off.
  const TLMBibleModule* kjv = nullptr;
  std::string bible_abbreviation;  // the Bible view's Bible
  int bible_verse = 0;             // its current verse
  bool commentaries_loaded = false;
  std::string commentary_abbreviation;  // the Commentary view's; "" for none
  int commentary_position = -1;         // its slot; -1 for none
  bool books_loaded = false;
  std::string book_abbreviation;  // the Book view's; "" for none
  bool book_has_entry = false;
  std::string entry_title;  // its current entry's title
};

struct BookmarkChoice {
  std::string caption;  // plain text
  // Whether OK stores `record` for this choice; a choice that is not
  // available stores nothing.
  bool available = false;
  config::BookmarkRecord record;
};
using BookmarkChoices = std::array<BookmarkChoice, 3>;

// The three " Set To: " choices: the Bible view's verse ("Ps 23:1"), the
// Commentary view's entry ("MHCC: John 3:16" or "(no commentaries
// loaded)"), the Book view's entry ("Naves: AARON", "(no dictionaries
// loaded)" or "(no dictionary entry selected)"). A Commentary view that
// shows no entry offers "(no commentary entry selected)".
BookmarkChoices MakeBookmarkChoices(const BookmarkSources& sources);

// Where the keyboard focus is when the dialog opens.
enum class BookmarkFocus { kElsewhere, kCommentaryView, kBookView };
// 2 with the focus in the Book view's HTML view, else 1 in the Commentary
// view's, else 0; a preselection that is not available falls back to 0.
int PreselectedBookmarkChoice(BookmarkFocus focus, const BookmarkChoices& choices);

// --- The Bookmark Titles dialog -----------------------------------------------------
// Row n of the grid (1..10; row 10 describes index 0): "3 (Not in use)",
// "3 (Ps 23:1)", "3 (MHCC: John 3:16)".
std::string BookmarkTitlesRowText(int index, const config::BookmarkRecord& record);
// A title as stored: blanks trimmed at both ends.
std::string TrimmedBookmarkTitle(std::string_view title);

// --- Following ------------------------------------------------------------------------
// "%s %d:%d": the short or long book title, chapter and verse of `verse` in
// `titles`; "" when it is not a verse of that Bible.
std::string BookmarkReference(const TLMBibleModule& titles, int verse, bool long_title);
// The entry a Book bookmark opens: the title equal to `title` (without
// regard to case), or, when `title` fills its whole field (a longer title
// was cut to 70 bytes), the first title that begins with it; -1 for none.
int FindBookmarkEntry(const TLMDictionaryModule& book, std::string_view title);

}  // namespace lumora
