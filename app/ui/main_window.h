// TMain: the program's main window. It holds the four panes (verse list
// over Book on the left, Bible over Commentary on the right) on three
// splitters, the menus, the tool bar with the quick-jump box and the status
// bar; it runs the start-up sequence (FormCreate, startup.cpp) and the close
// sequence that saves the settings, and it is the panes' host: every
// operation a pane asks of another pane or of a feature outside the panes
// goes through the IPaneHost functions below.
//
// The library and the settings object outlive the window (main() makes
// them first); a window made without them makes its own. Commands live in
// the action registry (Actions()), keyed by their names.
#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/pane_layout.h"
#include "render/ui/window_placement.h"
#include "config/settings_storage.h"
#include "views/pane_host.h"

class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;

namespace lumora {
class TModuleCatalogue;
}

namespace lumora::ui {

class IShellOpen;
class TActions;
class TDlgResourceLink2;
class TFrameBibleView;
class TFrameCommentView;
class TFrameDictView;
class TFrameVerseListView;
class TLibrary;
class TSettings;
class TSplash;
class TStartupTiming;
class TSystemPrinting;

inline constexpr const char* kMainCaption = "Lumora 4.4d";
inline constexpr const char* kApplicationTitle = "Lumora 4.4";
inline constexpr const char* kPmapMissingMessage =
    "pmap.dat file not found. Reinstallation may be necessary.";
inline constexpr const char* kVersionText = "Release Version 4.4.2003.10.16 (4.4d)";
// "Go to the Lumora Web Page".
inline constexpr const char* kWebPageAddress = "https://lumora.example.org/";

struct TMainOptions {
  // Where the modules and data files are; empty: the executable's folder.
  std::string data_folder;
  // The settings; null: the platform's store (registry or settings file).
  config::SettingsStorage* storage = nullptr;
  bool show_splash = true;
  TStartupTiming* timing = nullptr;
  // Shows a fatal or error message; null: a message box.
  std::function<void(const QString& text)> show_message;
  // Answers a Yes/No question; null: a message box.
  std::function<bool(const QString& caption, const QString& question)> ask_yes_no;
  // The library and the settings object (both outlive the window); null:
  // the window makes its own. A library that is already loaded (an
  // in-memory library in tests) is used as it is.
  TLibrary* library = nullptr;
  TSettings* settings = nullptr;
  // The desktop's "open" for http, mailto and file links; null: the
  // desktop's own.
  IShellOpen* shell = nullptr;
};

// The points of the start-up sequence where features do their part.
enum class TStartupStage {
  kImages,      // "Initializing Images": the image folder is scanned
  kDevotions,   // "devotion.dys" is read
  kPanesReady,  // modules loaded, panes set up and positioned
  kComplete,    // start-up complete, pane showing released
};


class TMain : public QMainWindow, public IPaneHost {
  Q_OBJECT

 public:
  explicit TMain(TMainOptions options, QWidget* parent = nullptr);
  ~TMain() override;

  // Start-up ran to its end (settings will be saved at close).
  bool StartupComplete() const { return startup_complete_; }
  // A fatal message stopped start-up; the program should end.
  bool StartupFailed() const { return startup_failed_; }
  // Shows the window maximised or at its placed geometry, as start-up
  // decided.
  void ShowAsPlaced();
  // Restores a minimised window, raises and activates it (a second start).
  void BringToFront();

  TActions& Actions() const { return *actions_; }
  TLibrary& Library() const { return *library_; }
  TSettings& Settings() const { return *settings_; }
  TFrameBibleView* BibleView() const { return bible_view_; }
  TFrameCommentView* CommentView() const { return comment_view_; }
  TFrameDictView* DictView() const { return dict_view_; }
  TFrameVerseListView* VerseListView() const { return verse_list_view_; }
  QLineEdit* QuickJump() const { return quick_jump_; }
  QMenu* MenuBible() const { return Menu("MenuBible"); }
  // A menu of the menu bar by its object name ("MenuImages", ...); null when
  // there is none.
  QMenu* Menu(const char* object_name) const;
  // A main-window command of the command table ("ActionExit").
  QAction* MainAction(const char* name) const;
  const TModuleCatalogue& Catalogue() const;
  // The folder of the program's data files (with a trailing separator); set
  // by start-up before its first stage.
  const std::string& ProgramFolder() const { return program_folder_; }
  // Where start-up placed the window (normal geometry) and whether it opens
  // maximised.
  const QRect& PlacedGeometry() const { return placed_geometry_; }
  bool PlacedMaximized() const { return placed_maximized_; }

  // Features install their services here (the window starts with the
  // "not available" ones).
  void InstallSearch(std::unique_ptr<ISearchService> service);
  void InstallAuthoring(std::unique_ptr<IAuthoringService> service);
  void InstallBookmarks(std::unique_ptr<IBookmarkService> service);
  void InstallOutput(std::unique_ptr<IOutputService> service);
  void InstallPreferences(std::unique_ptr<IPreferencesService> service);

  // Close sequence steps 2 to 8: the working state into the store.
  void GatherState();
  // Writes the settings now (after a bookmark change, when the desktop
  // session ends); false when the store refused.
  bool SaveSettingsNow();
  // Long work that lets events run (the full search, a note import): a
  // close request meanwhile calls `stop` and closes the window once the
  // work has ended. Returns false (and does nothing) when other long work
  // runs already. Every BeginLongWork that returned true has one EndLongWork.
  bool BeginLongWork(std::function<void()> stop);
  void EndLongWork();
  bool LongWorkRunning() const { return static_cast<bool>(stop_long_work_); }
  // Work that must not run under long work (a module deletion during a
  // scan): runs now when none runs, else stops the long work and runs once
  // it has ended.
  void RunAfterLongWork(std::function<void()> work);
  // The store the settings are read from and written to.
  config::SettingsStorage& SettingsStorage() { return Storage(); }
  // The resource menus (rebuilt at the end of start-up and on every change
  // of the library's lists).
  void RebuildResourceMenus();
  // Hides a pane by the layout rules.
  void HidePane(TPane pane);
  PaneVisibility Visibility() const;

  // --- IPaneHost -----------------------------------------------------------------
  void ShowPane(TPane pane) override;
  bool PaneVisible(TPane pane) const override;
  int VisiblePaneCount() const override;
  void MaximizePane(TPane pane) override;
  int PaneHeight(TPane pane) const override;
  void SetStatusText(const QString& text) override;
  void SetPreviewActive(bool active) override;
  void ShowMessage(const QString& text) override;
  bool AskYesNo(const QString& caption, const QString& question) override;
  void GoToVerse(int verse, bool select_label) override;
  // The Bible view shows `bible` (switching to it when it shows another)
  // at `verse`: where the search windows open a Bible hit.
  void ShowBibleVerse(const TLMBibleModule& bible, int verse);
  void ShowCommentary(const TLMCommentaryModule* commentary, int position, int first,
                      int last) override;
  void ShowBookEntry(const TLMDictionaryModule& book, int entry, int first, int last) override;
  void OpenBookAtVerse(const TLMDictionaryModule& book, int verse,
                       const TLMBibleModule* titles) override;
  void LookUpWord(const std::string& word) override;
  void ShowVerseList(const TVerseList& verses, const TKeyArray& keys, const std::string& title,
                     bool case_sensitive) override;
  void OpenResourceLink(const std::string& href) override;
  void OpenExternal(const std::string& href) override;
  const TLMBibleModule* BibleViewBible() const override;
  int BibleViewVerse() const override;
  ISearchService& Search() override { return *search_; }
  IAuthoringService& Authoring() override { return *authoring_; }
  IBookmarkService& Bookmarks() override { return *bookmarks_; }
  IOutputService& Output() override { return *output_; }
  IPreferencesService& Preferences() override { return *preferences_; }

  // --- Image viewer hook (app/ui/images_feature.cpp) ------------------------------
  // Shows the image whose link name an "lmimage:" link holds (Windows-1252,
  // as stored; "\" and "/" alike, case ignored) in the image viewer; false
  // when there is no such image. Set by the image viewer; null until then.
  std::function<bool(const std::string& name)> show_image;

  // --- Help hook --------------------------------------------------------------------
  // Shows help topic `topic` ("Scribble110") through help_viewer, which the
  // help feature sets; empty until then (dialogs disable their Help
  // buttons while it is).
  void ShowHelpTopic(const QString& topic) {
    if (help_viewer) help_viewer(topic);
  }
  std::function<void(const QString& topic)> help_viewer;

  // --- Links between resources (main_links.cpp) -----------------------------------
  // The "Reference Links" chooser, made when first needed (null before).
  TDlgResourceLink2* ResourceLinkChooser() const { return resource_link_; }
  // The image viewer's "show the image named `name`" (false: it has no such
  // image). Until one is installed every image link reports
  // "Error: Image not found.".
  void InstallImageViewer(std::function<bool(const std::string& name)> show_image);

 Q_SIGNALS:
  // Start-up reached `stage` (features installed before start-up do their
  // part then).
  void startupStage(lumora::ui::TStartupStage stage);
  // Close sequence step 4: tool windows close and store their states.
  void closingWindows();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The start-up sequence (startup.cpp).
  void FormCreate();
  bool Fail(const QString& message);
  void PlaceWindow();
  void ApplyTabFlags();
  void SetUpPanes();

  // Each feature installs its commands and services (features.cpp).
  void InstallFeatures();
  // Commands, menus and the tool bar (main_commands.cpp).
  void CreatePanes();
  void CreateActions();
  void BindWindowCommands();
  void CreateMenus();
  void CreateToolBar();
  void UpdateMainActions();
  void TogglePane(TPane pane);
  void CheckResourceItems(QMenu& menu, int current);
  void FillCompareMenu(QMenu& menu, bool bible_view);
  void CopyFocused(bool append);
  void StepBible(int delta);
  void ChangeFontSizes(int delta);
  void OnModulesChanged();

  // Layout (main_layout.cpp).
  QWidget* PaneWidget(TPane pane) const;
  void SetPaneShown(TPane pane, bool shown);
  void ApplyLayout();
  void OnSplitterMoved(QSplitter* splitter);
  void RestoreDefaultSizes();

  config::SettingsStorage& Storage();

  TMainOptions options_;
  std::unique_ptr<TLibrary> own_library_;
  std::unique_ptr<TSettings> own_settings_;
  TLibrary* library_ = nullptr;
  TSettings* settings_ = nullptr;
  std::unique_ptr<config::SettingsStorage> own_storage_;
  std::unique_ptr<IShellOpen> own_shell_;
  std::unique_ptr<TSystemPrinting> printing_;
  TActions* actions_ = nullptr;
  std::unique_ptr<ISearchService> search_;
  std::unique_ptr<IAuthoringService> authoring_;
  std::unique_ptr<IBookmarkService> bookmarks_;
  std::unique_ptr<IOutputService> output_;
  std::unique_ptr<IPreferencesService> preferences_;
  std::string program_folder_;
  TSplash* splash_ = nullptr;

  QSplitter* splitter_lr_ = nullptr;
  QSplitter* panel_left_ = nullptr;
  QSplitter* panel_right_ = nullptr;
  TFrameBibleView* bible_view_ = nullptr;
  TFrameCommentView* comment_view_ = nullptr;
  TFrameDictView* dict_view_ = nullptr;
  TFrameVerseListView* verse_list_view_ = nullptr;
  QLabel* quick_jump_label_ = nullptr;
  QLineEdit* quick_jump_ = nullptr;
  std::map<std::string, QMenu*> menus_;
  // The first separator of each menu: resource lists stand above it.
  std::map<QMenu*, QAction*> resource_separators_;

  QRect placed_geometry_;
  bool placed_maximized_ = false;
  bool startup_complete_ = false;
  bool startup_failed_ = false;
  bool pane_showing_locked_ = true;
  bool preview_active_ = false;
  std::function<void()> stop_long_work_;
  bool close_after_long_work_ = false;
  std::vector<std::function<void()>> after_long_work_;
  bool applying_layout_ = false;

  // Links between resources (main_links.cpp).
  TDlgResourceLink2* resource_link_ = nullptr;
  std::function<bool(const std::string& name)> show_image_;
};

}  // namespace lumora::ui
