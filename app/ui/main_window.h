// TMain: the program's main window. It owns the module catalogue and the
// panes (for now the Bible pane), the menus, the tool bar with the
// quick-jump box and the status bar, and runs the start-up sequence
// (FormCreate, startup.cpp) and the close sequence that saves the settings.
//
// Start-up restores the working state from the configuration store; close
// gathers it back and saves it once, and only when start-up completed.
// Panes that do not exist yet keep their stored state unchanged, so their
// settings survive until they are built.
#pragma once

#include <QList>
#include <QMainWindow>
#include <QRect>
#include <functional>
#include <memory>
#include <string>

#include "config/settings_storage.h"
#include "core/catalogue/module_catalogue.h"
#include "core/refs/paragraph_map.h"

class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;

namespace lumora::ui {

class TFrameBibleView;
class TSplash;
class TStartupTiming;
class TSystemPrinting;

inline constexpr const char* kMainCaption = "Lumora 4.4d";
inline constexpr const char* kApplicationTitle = "Lumora 4.4";
inline constexpr const char* kPmapMissingMessage =
    "pmap.dat file not found. Reinstallation may be necessary.";
inline constexpr const char* kVersionText = "Release Version 4.4.2003.10.16 (4.4d)";

struct TMainOptions {
  // Where the modules and data files are; empty: the executable's folder.
  std::string data_folder;
  // The settings; null: the platform's store (registry or settings file).
  config::SettingsStorage* storage = nullptr;
  bool show_splash = true;
  TStartupTiming* timing = nullptr;
  // Shows a fatal or error message; null: a message box.
  std::function<void(const QString& text)> show_message;
};

// True when a window at `rect` would be reachable: a strip along its top
// edge (where the title bar is) overlaps one of the `available` screen
// areas by at least 40 x 10 pixels.
bool PositionOnScreens(const QRect& rect, const QList<QRect>& available);

class TMain : public QMainWindow {
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

  TFrameBibleView* BibleView() const { return bible_view_; }
  QLineEdit* QuickJump() const { return quick_jump_; }
  const TModuleCatalogue& Catalogue() const { return *catalogue_; }
  const std::string& ProgramFolder() const { return program_folder_; }
  // Where start-up placed the window (normal geometry) and whether it opens
  // maximised.
  const QRect& PlacedGeometry() const { return placed_geometry_; }
  bool PlacedMaximized() const { return placed_maximized_; }

  // Pane operations (the Bible pane is the only one yet).
  void ShowBiblePane();
  bool BiblePaneVisible() const;

  // Close sequence steps 2 to 8: the working state into the store.
  void GatherState();

  // The resource menus (Bibles above the first separator).
  void RebuildResourceMenus();

  QAction* ActionMainCopy = nullptr;
  QAction* ActionMainAppend = nullptr;
  QAction* ActionNextBible = nullptr;
  QAction* ActionPrevBible = nullptr;
  QAction* ActionFocusBible = nullptr;
  QAction* ActionFocusQuickJump = nullptr;
  QAction* ActionFontPlus = nullptr;
  QAction* ActionFontMinus = nullptr;
  QAction* ActionTabsShowAll = nullptr;
  QAction* ActionTabsShowFavs = nullptr;
  QAction* ActionAbout = nullptr;
  QAction* ActionExit = nullptr;

  QMenu* MenuBible() const { return menu_bible_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The start-up sequence (startup.cpp).
  void FormCreate();
  bool Fail(const QString& message);
  void PlaceWindow();
  void SetUpBibleView();
  void ApplyTabFlags();

  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void UpdateMainActions();
  void UpdateTabActions();
  void CopyFocused(bool append);
  void StepBible(int delta);
  void ChangeFontSizes(int delta);
  void ShowMessage(const QString& text);
  void SetStatusText(const QString& text);
  config::SettingsStorage& Storage();

  TMainOptions options_;
  std::unique_ptr<config::SettingsStorage> own_storage_;
  std::unique_ptr<TModuleCatalogue> catalogue_;
  std::unique_ptr<ParagraphMap> paragraph_map_;
  std::unique_ptr<TSystemPrinting> printing_;
  std::string program_folder_;
  TSplash* splash_ = nullptr;

  QSplitter* splitter_lr_ = nullptr;
  QSplitter* panel_left_ = nullptr;
  QSplitter* panel_right_ = nullptr;
  TFrameBibleView* bible_view_ = nullptr;
  QLabel* quick_jump_label_ = nullptr;
  QLineEdit* quick_jump_ = nullptr;
  QMenu* menu_bible_ = nullptr;
  QMenu* menu_compare_ = nullptr;
  QAction* menu_bible_separator_ = nullptr;

  QRect placed_geometry_;
  bool placed_maximized_ = false;
  bool startup_complete_ = false;
  bool startup_failed_ = false;
  bool pane_showing_locked_ = true;
};

}  // namespace lumora::ui
