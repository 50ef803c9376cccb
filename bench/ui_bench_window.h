// The main window on the sample library for the pane benchmarks: made once
// per run (module files open once per process), all four panes shown,
// settings in memory. Null without LUMORA_LIBRARY.
#pragma once

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/ui/main_window.h"
#include "config/memory_storage.h"
#include "views/library.h"
#include "views/settings.h"

namespace lumora::ui {

struct TBenchWindow {
  config::MemoryStorage storage;
  TLibrary library;
  TSettings settings;
  std::unique_ptr<TMain> main;
};

inline TBenchWindow* OpenBenchWindow() {
  static TBenchWindow* window = [] {
    const char* folder = std::getenv("LUMORA_LIBRARY");
    if (folder == nullptr || !std::filesystem::exists(std::filesystem::path(folder) / "Bibles"))
      return static_cast<TBenchWindow*>(nullptr);
    auto* w = new TBenchWindow;  // lives for the run
    TMainOptions options;
    options.data_folder = folder;
    options.storage = &w->storage;
    options.show_splash = false;
    options.library = &w->library;
    options.settings = &w->settings;
    options.show_message = [](const QString&) {};
    w->main = std::make_unique<TMain>(std::move(options));
    if (!w->main->StartupComplete()) return static_cast<TBenchWindow*>(nullptr);
    w->main->resize(1200, 800);
    w->main->show();
    for (TPane pane : {TPane::kVerseList, TPane::kBook, TPane::kBible, TPane::kCommentary})
      w->main->ShowPane(pane);
    QApplication::processEvents();
    return w;
  }();
  return window;
}

}  // namespace lumora::ui
