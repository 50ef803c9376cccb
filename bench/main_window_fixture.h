// The main window on the sample library for the widget benchmarks, as the
// program starts it (all four panes), settings in memory; made once for the
// whole run (the module files can be opened by one window at a time). Null
// without LUMORA_LIBRARY.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/ui/main_window.h"
#include "config/memory_storage.h"
#include "core/refs/verse_index.h"
#include "views/bible_view.h"
#include "views/library.h"
#include "views/settings.h"

namespace lumora::ui {

struct BenchMainWindow {
  config::MemoryStorage storage;
  TLibrary library;
  TSettings settings;
  std::unique_ptr<TMain> window;
  const TModuleCatalogue* catalogue = nullptr;
  TFrameBibleView* view = nullptr;
};

inline BenchMainWindow* OpenBenchMainWindow() {
  static BenchMainWindow* library = [] {
    const char* folder = std::getenv("LUMORA_LIBRARY");
    if (folder == nullptr || !std::filesystem::exists(std::filesystem::path(folder) / "Bibles")) {
      return static_cast<BenchMainWindow*>(nullptr);
    }
    auto* lib = new BenchMainWindow;
    TMainOptions options;
    options.data_folder = folder;
    options.storage = &lib->storage;
    options.show_splash = false;
    options.library = &lib->library;
    options.settings = &lib->settings;
    options.show_message = [](const QString&) {};
    lib->window = std::make_unique<TMain>(std::move(options));
    if (!lib->window->StartupComplete()) return static_cast<BenchMainWindow*>(nullptr);
    lib->window->resize(1200, 800);
    lib->window->show();
    lib->catalogue = &lib->library.Catalogue();
    lib->view = lib->window->BibleView();
    lib->view->GoToVerse(kDefaultVerse);
    return lib;
  }();
  return library;
}

}  // namespace lumora::ui
