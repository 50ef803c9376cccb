// IPaneHost: what a pane may ask of the window that holds it. The main
// window implements every function (a missing wire is a compile error, not
// a dead menu item); widget tests implement it to record what a pane asked.
// Panes announce their own state as Qt signals; the host connects them.
//
// Every operation checks its arguments: a module that is not (or no longer)
// in the library, a verse that fails the verse guard or an entry outside the
// title list does nothing.
#pragma once

#include <QString>
#include <string>

#include "render/verse_list.h"
#include "views/pane_services.h"

namespace lumora::ui {

class TActions;
class TLibrary;
class TSettings;

enum class TPane { kVerseList, kBook, kBible, kCommentary };

// The verse value of ShowBookEntry that marks nothing (above every verse).
inline constexpr int kNoMarkedVerse = 60000;

class IPaneHost {
 public:
  virtual ~IPaneHost() = default;

  // --- Layout: the main window's show, hide and maximise rules ----------------
  virtual void ShowPane(TPane pane) = 0;
  virtual bool PaneVisible(TPane pane) const = 0;
  virtual int VisiblePaneCount() const = 0;
  // Shows `pane` and hides the other three.
  virtual void MaximizePane(TPane pane) = 0;
  // Height of a visible pane, 0 when hidden.
  virtual int PaneHeight(TPane pane) const = 0;

  // --- Status bar and messages -----------------------------------------------
  // Progress words ("" clears); painted at once.
  virtual void SetStatusText(const QString& text) = 0;
  // A link preview is showing: the status bar stops echoing hints.
  virtual void SetPreviewActive(bool active) = 0;
  // A plain message box with an OK button.
  virtual void ShowMessage(const QString& text) = 0;
  // A Yes/No question; true only for Yes.
  virtual bool AskYesNo(const QString& caption, const QString& question) = 0;

  // --- Going places ------------------------------------------------------------
  // The Bible view goes to `verse`; with `select_label` it then selects the
  // verse's label.
  virtual void GoToVerse(int verse, bool select_label) = 0;
  // The Commentary view shows `commentary` (null: its current one) at slot
  // `position`, marking verses first..last (0: none).
  virtual void ShowCommentary(const TLMCommentaryModule* commentary, int position, int first,
                              int last) = 0;
  // The Book view shows `book` at `entry`, marking verses first..last
  // (kNoMarkedVerse: none).
  virtual void ShowBookEntry(const TLMDictionaryModule& book, int entry, int first,
                             int last) = 0;
  // The entry of `book` that references `verse`, or the "Reference Links"
  // chooser when several do; `titles` gives the chooser's caption
  // (the asking view's Bible).
  virtual void OpenBookAtVerse(const TLMDictionaryModule& book, int verse,
                               const TLMBibleModule* titles) = 0;
  // The Book view shows the first entry of its Book whose title begins with
  // `word` (a double-clicked word of Bible text).
  virtual void LookUpWord(const std::string& word) = 0;
  // The verse list shows `verses`.
  virtual void ShowVerseList(const TVerseList& verses, const TKeyArray& keys,
                             const std::string& title, bool case_sensitive) = 0;
  // "lmbook", "lmcmt" and "lmimage" links.
  virtual void OpenResourceLink(const std::string& href) = 0;
  // "http", "mailto" and "file" links: the desktop opens them ("file" only
  // after the user agreed).
  virtual void OpenExternal(const std::string& href) = 0;

  // --- What the other panes show -------------------------------------------------
  virtual const TLMBibleModule* BibleViewBible() const = 0;
  virtual int BibleViewVerse() const = 0;

  // --- Features outside the panes -------------------------------------------------
  virtual ISearchService& Search() = 0;
  virtual IAuthoringService& Authoring() = 0;
  virtual IBookmarkService& Bookmarks() = 0;
  virtual IOutputService& Output() = 0;
  virtual IPreferencesService& Preferences() = 0;
};

// What every pane is made with. All four outlive the pane.
struct TPaneContext {
  IPaneHost& host;
  TLibrary& library;
  TSettings& settings;
  TActions& actions;
};

}  // namespace lumora::ui
