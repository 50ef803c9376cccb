// A main window on the test's own copy of the synthetic library, for the
// tests of the features that plug into it (devotionals, images, help):
// settings in memory, messages recorded, no splash.
#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "app/ui/main_window.h"
#include "config/memory_storage.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/sample_library.h"
#include "tests/ui/synthetic_library.h"
#include "views/library.h"
#include "views/settings.h"

namespace lumora::test {

class TFeatureWindow {
 public:
  // Copies the synthetic library; add files to Folder() before Start().
  TFeatureWindow() {
    ResetSettings();
    CopySyntheticLibrary(temp_.Path());
  }
  ~TFeatureWindow() { Stop(); }

  const std::string& Folder() const { return temp_.Path(); }
  std::string File(const std::string& name) const { return temp_.File(name); }

  ui::TMain& Start() {
    Stop();
    library_ = std::make_unique<ui::TLibrary>();
    settings_ = std::make_unique<ui::TSettings>();
    ui::TMainOptions options;
    options.data_folder = temp_.Path();
    options.storage = &storage_;
    options.show_splash = false;
    options.library = library_.get();
    options.settings = settings_.get();
    options.show_message = [this](const QString& text) { messages << text; };
    window_ = std::make_unique<ui::TMain>(std::move(options));
    return *window_;
  }
  // Closes (the close sequence runs) and destroys the window.
  void Stop() {
    if (window_ != nullptr) window_->close();
    window_.reset();
    settings_.reset();
    library_.reset();
  }
  ui::TMain& Window() { return *window_; }
  config::MemoryStorage& Storage() { return storage_; }

  QStringList messages;

 private:
  TempFolder temp_;
  config::MemoryStorage storage_;
  std::unique_ptr<ui::TLibrary> library_;
  std::unique_ptr<ui::TSettings> settings_;
  std::unique_ptr<ui::TMain> window_;
};

}  // namespace lumora::test
