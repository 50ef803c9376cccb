// The main window on the sample library for the widget benchmarks, as the
// program starts it (all four panes, settings in memory), made once for the
// whole run and shared by every benchmark file (module files are mapped
// exclusively, so there can be only one). Null without LUMORA_LIBRARY.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/ui/main_window.h"
#include "config/memory_storage.h"
#include "core/catalogue/module_catalogue.h"
#include "core/refs/verse_index.h"
#include "views/bible_view.h"
#include "views/library.h"
#include "views/settings.h"

namespace lumora::ui::bench {

struct Library {
  config::MemoryStorage storage;
  TLibrary library;
  TSettings settings;
  std::unique_ptr<TMain> window;
  const TModuleCatalogue* catalogue = nullptr;
  TFrameBibleView* view = nullptr;
};

inline Library* OpenLibrary() {
  static Library* library = [] {
    const char* folder = std::getenv("LUMORA_LIBRARY");
    if (folder == nullptr || !std::filesystem::exists(std::filesystem::path(folder) / "Bibles")) {
      return static_cast<Library*>(nullptr);
    }
    auto* lib = new Library;
    TMainOptions options;
    options.data_folder = folder;
    options.storage = &lib->storage;
    options.show_splash = false;
    options.library = &lib->library;
    options.settings = &lib->settings;
    options.show_message = [](const QString&) {};
    lib->window = std::make_unique<TMain>(std::move(options));
    if (!lib->window->StartupComplete()) return static_cast<Library*>(nullptr);
    lib->window->resize(1200, 800);
    lib->window->show();
    lib->catalogue = &lib->library.Catalogue();
    lib->view = lib->window->BibleView();
    lib->view->GoToVerse(kDefaultVerse);
    return lib;
  }();
  return library;
}

}  // namespace lumora::ui::bench
