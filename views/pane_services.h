// The services the panes ask of features that live outside them: the Bible
// search and topic guide, the entry editor and user-module commands,
// bookmarks, copy and print delivery, and the preferences. Each interface
// has a "not available" implementation here, which the main window uses
// until the feature installs its own; items that need an unavailable
// service show in place, disabled, and never act silently.
#pragma once

#include <QString>
#include <string>
#include <utility>

#include "core/refs/verse_range.h"
#include "render/script_runs.h"
#include "render/verse_list.h"

class QMenu;

namespace lumora {
class TLMBibleModule;
class TLMCommentaryModule;
class TLMDictionaryModule;
}  // namespace lumora

namespace lumora::ui {

class THtmlView;

// Bible search dialog and topic and verse guide.
class ISearchService {
 public:
  virtual ~ISearchService() = default;
  // Whether SearchBible can run ("Search Bible for Selected Text" is
  // enabled with a selection only then).
  virtual bool CanSearchBible() const = 0;
  // Puts `text` (Windows-1252) into the Bible search dialog, with `bible`
  // as its Bible when not null, and runs the search command.
  virtual void SearchBible(const std::string& text, const TLMBibleModule* bible) = 0;
  // Whether the topic guide command is enabled (it needs Books or
  // Commentaries); the panes show their guide items only then.
  virtual bool CanTopicGuide() const = 0;
  // Puts `text` into the guide's topic box, shows the guide and searches.
  virtual void TopicGuide(const std::string& text) = 0;
};

// The entry editor and the commands that change user modules.
class IAuthoringService {
 public:
  virtual ~IAuthoringService() = default;
  // Whether the editor can be opened at all.
  virtual bool CanEdit() const = 0;
  // The editor window is showing (the edit commands are disabled then).
  virtual bool EditorVisible() const = 0;
  // The editor exists and is editing an entry ("Send ... to Editor").
  virtual bool EditorEditing() const = 0;
  // Inserts `text` (Windows-1252; HTML, or the editor's " #ref| " notation)
  // at the editor's selection.
  virtual void SendToEditor(const std::string& text) = 0;
  // Opens the editor on a slot of a user Commentary / an entry of a user
  // Book.
  virtual void EditCommentary(const TLMCommentaryModule& commentary, int position) = 0;
  virtual void EditBookEntry(const TLMDictionaryModule& book, int entry) = 0;
  // The pane commands that change a user module without the editor; each
  // asks its questions, writes through the module's writer, and redraws.
  virtual void ClearComment(const TLMCommentaryModule& commentary, int position) = 0;
  virtual void AddBookEntry(const TLMDictionaryModule& book) = 0;
  virtual void DeleteBookEntry(const TLMDictionaryModule& book, int entry) = 0;
  // The main window's close query: false keeps the window open (the
  // editor holds unsaved text the user wants to keep).
  virtual bool QueryClose() = 0;
  // The "Delete User Commentary" and "Delete User Book" submenus.
  virtual bool CanDeleteUserModules() const = 0;
  virtual void DeleteUserCommentary(const TLMCommentaryModule& commentary) = 0;
  virtual void DeleteUserBook(const TLMDictionaryModule& book) = 0;
};

// What a pane's "Set Bookmark" items store.
struct TBookmarkTarget {
  int kind = -1;             // 0 Bible passage, 1 Commentary entry, 2 Book entry
  std::string abbreviation;  // Windows-1252
  int position = -1;         // verse index, Commentary slot, or -1
  std::string text;          // reference or entry title, Windows-1252
};

class IBookmarkService {
 public:
  virtual ~IBookmarkService() = default;
  // Adds the "Set Bookmark" submenu (`caption`) of the ten bookmarks to
  // `menu`; choosing an item stores `target` there. `enabled` false shows
  // the items disabled.
  virtual void AddSetBookmarkMenu(QMenu& menu, const QString& caption,
                                  const TBookmarkTarget& target, bool enabled) = 0;
};

// Text that goes to the clipboard: the plain form and, when the formatter
// made one, the HTML of the same content (both Windows-1252).
struct TFormattedText {
  TFormattedText() = default;
  TFormattedText(std::string plain_text, std::string html_text = {}, PlainScriptRuns runs = {})
      : plain(std::move(plain_text)), html(std::move(html_text)), plain_runs(std::move(runs)) {}

  std::string plain;
  std::string html;
  // Where `plain` holds lexicon-font letters (the script runs of Book and
  // Commentary entries, render/script_runs.h); delivery decodes them.
  PlainScriptRuns plain_runs;
};

// Copy and print delivery. The methods below the first four have "not
// available" defaults (disabled items, nothing done), so a double need
// only implement what its test uses.
class IOutputService {
 public:
  virtual ~IOutputService() = default;
  // A formatted copy: plain text and, when given, its HTML.
  virtual void CopyFormatted(const TFormattedText& text) = 0;
  // Appends plain text to the clipboard's text (a line break between).
  virtual void AppendText(const QString& text) = 0;
  // "Print this window": the print dialog over the pane's content, printed
  // for paper (a view that belongs to no pane prints as shown).
  virtual bool CanPrint() const = 0;
  virtual void PrintView(const THtmlView& view, const QString& job_name) = 0;

  // "Copy Verse(s) from this Link": the verses of `ranges` of `bible` in
  // the configured export style, as a formatted copy.
  virtual void CopyVerseRanges(const TVerseRangeList& /*ranges*/,
                               const TLMBibleModule& /*bible*/) {}
  // The verse list's "Copy All Verses": every verse of `verses` (the whole
  // list, separators skipped) in the export style, as a formatted copy.
  virtual void CopyVerseList(const TVerseList& /*verses*/, const TLMBibleModule& /*bible*/) {}
  // The verse list's "Export Verse from Verse List to File": the save
  // dialog, then one verse per line (HTML or text as the chosen type).
  virtual bool CanExport() const { return false; }
  virtual void ExportVerseList(const TVerseList& /*verses*/, const TLMBibleModule& /*bible*/) {}
  // The verse list's "Print Verses from Verse List"; `title` names the job.
  virtual void PrintVerseList(const TVerseList& /*verses*/, const TLMBibleModule& /*bible*/,
                              const std::string& /*title*/) {}
};

class IPreferencesService {
 public:
  virtual ~IPreferencesService() = default;
  virtual bool CanShowPreferences() const = 0;
  // Opens the preferences; `visible_tabs_page` opens them on "Visible Tabs".
  virtual void ShowPreferences(bool visible_tabs_page) = 0;
};

// --- The "not available" implementations -------------------------------------

class TNoSearch : public ISearchService {
 public:
  bool CanSearchBible() const override { return false; }
  void SearchBible(const std::string&, const TLMBibleModule*) override {}
  bool CanTopicGuide() const override { return false; }
  void TopicGuide(const std::string&) override {}
};

class TNoAuthoring : public IAuthoringService {
 public:
  bool CanEdit() const override { return false; }
  bool EditorVisible() const override { return false; }
  bool EditorEditing() const override { return false; }
  void SendToEditor(const std::string&) override {}
  void EditCommentary(const TLMCommentaryModule&, int) override {}
  void EditBookEntry(const TLMDictionaryModule&, int) override {}
  void ClearComment(const TLMCommentaryModule&, int) override {}
  void AddBookEntry(const TLMDictionaryModule&) override {}
  void DeleteBookEntry(const TLMDictionaryModule&, int) override {}
  bool QueryClose() override { return true; }
  bool CanDeleteUserModules() const override { return false; }
  void DeleteUserCommentary(const TLMCommentaryModule&) override {}
  void DeleteUserBook(const TLMDictionaryModule&) override {}
};

class TNoPreferences : public IPreferencesService {
 public:
  bool CanShowPreferences() const override { return false; }
  void ShowPreferences(bool) override {}
};

}  // namespace lumora::ui

namespace lumora::ui {

// Adds the submenu with its caption, disabled.
class TNoBookmarks : public IBookmarkService {
 public:
  void AddSetBookmarkMenu(QMenu& menu, const QString& caption, const TBookmarkTarget&,
                          bool) override;
};

}  // namespace lumora::ui
