// The bookmarks feature: the thirty go/set/clear commands, "Clear &All
// Bookmarks" and "Bookmark Titles..." of the command table, the Set
// Bookmark and Bookmark Titles dialogs, and the panes' "Set Bookmark"
// submenus (the window's IBookmarkService).
//
// The ten records and titles live in the configuration store
// (config::Properties::bookmarks, bookmark_titles). Every change is
// committed to the settings object and written at once (besides at close),
// as is everything when the desktop session ends, so bookmarks survive a
// crash. Following goes through the window as pane host: a Bible passage in
// whatever Bible the Bible view shows, a Commentary entry or a Book entry in
// the module with the stored abbreviation (their go commands are disabled
// while that module is not loaded).
#pragma once

#include <QObject>
#include <QPointer>

#include "app/bookmarks.h"
#include "app/ui/bookmark_dialogs.h"
#include "views/pane_services.h"

namespace lumora::ui {

class TMain;

class TBookmarks : public QObject, public IBookmarkService {
  Q_OBJECT

 public:
  explicit TBookmarks(TMain& main);
  ~TBookmarks() override;

  // IBookmarkService: ten items, 1 to 9 then 0, each storing `target`.
  void AddSetBookmarkMenu(QMenu& menu, const QString& caption, const TBookmarkTarget& target,
                          bool enabled) override;

  // The commands.
  void Follow(int index);
  // Stores `record` (cut to its fields) as bookmark `index`; false, and
  // nothing stored, for a record that cannot be followed.
  bool Store(int index, const config::BookmarkRecord& record);
  void Clear(int index);
  void ClearAll();
  void SetTitles(const BookmarkTitles& titles);
  // Opens the dialogs (made on first use, window-modal).
  void OpenSetDialog(int index);
  void OpenTitlesDialog();
  TDlgSetBookmark* SetDialog() const { return set_dialog_; }
  TDlgBookmarkTitles* TitlesDialog() const { return titles_dialog_; }

  // What the desktop's "session ends" does: every setting written now.
  void SaveForSessionEnd();

 protected:
  // Ctrl+Shift+digit on keyboards where Shift makes the digit key a symbol.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BindCommands();
  void UpdateActions();
  void Changed();
  bool Loaded(int kind, const std::string& abbreviation) const;
  BookmarkSources Sources() const;
  BookmarkFocus Focus() const;

  TMain& main_;
  QPointer<TDlgSetBookmark> set_dialog_;
  QPointer<TDlgBookmarkTitles> titles_dialog_;
  // The choices the Set Bookmark dialog showed when it opened.
  BookmarkChoices pending_;
};

// The digit (0..9) of a key on the keyboard's digit row pressed with
// Ctrl+Shift, or -1: the key itself when it is a digit, else the row
// position of the key's scan code on systems that report one ("xcb",
// "wayland", "windows"), else the US layout's shifted symbols (!@#$%^&*()).
int ShiftedDigit(int key, quint32 native_scan_code, const QString& platform);

// Installs the bookmarks into `main` (its IBookmarkService).
void InstallBookmarksFeature(TMain& main);

}  // namespace lumora::ui
