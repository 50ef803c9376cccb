// A test fixture with a real main window on the synthetic library and
// settings in memory: Start() is a start of the program, a second Start()
// a restart on the same settings (the first window closes and saves, and
// the process-wide store goes back to its defaults in between). Messages
// and questions are recorded; questions get answer_yes_.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "app/ui/main_window.h"
#include "config/memory_storage.h"
#include "config/properties.h"
#include "tests/ui/synthetic_library.h"
#include "tests/ui/test_host.h"
#include "tests/ui/wait_until.h"

namespace lumora::test {

class SyntheticMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { config::GlobalProperties() = config::DefaultProperties(); }
  void TearDown() override {
    window_.reset();
    config::GlobalProperties() = config::DefaultProperties();
  }

  ui::TMain& Start() {
    if (window_) {
      window_->close();
      window_.reset();
      config::GlobalProperties() = config::DefaultProperties();
    }
    library_ = std::make_unique<ui::TLibrary>();
    settings_ = std::make_unique<ui::TSettings>();
    ui::TMainOptions options;
    options.data_folder = SyntheticLibraryFolder();
    options.storage = &storage_;
    options.show_splash = false;
    options.library = library_.get();
    options.settings = settings_.get();
    options.show_message = [this](const QString& text) { messages_ << text; };
    options.ask_yes_no = [this](const QString&, const QString& question) {
      questions_ << question;
      return answer_yes_;
    };
    window_ = std::make_unique<ui::TMain>(std::move(options));
    EXPECT_TRUE(window_->StartupComplete()) << messages_.join(QLatin1Char('|')).toStdString();
    Settle();
    return *window_;
  }
  // Shown and active, so that focus and keys behave as for a user.
  void ShowActive() {
    window_->resize(1000, 700);
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    Settle();
  }

  QAction* Main(const std::string& name) const { return window_->MainAction(name.c_str()); }
  config::Properties& P() { return config::GlobalProperties(); }
  // The settings as storage_ holds them now (what a crash would leave).
  config::Properties Stored() {
    config::Properties p = config::DefaultProperties();
    (void)config::LoadProperties(p, storage_);
    return p;
  }

  config::MemoryStorage storage_;
  std::unique_ptr<ui::TLibrary> library_;
  std::unique_ptr<ui::TSettings> settings_;
  std::unique_ptr<ui::TMain> window_;
  QStringList messages_;
  QStringList questions_;
  bool answer_yes_ = true;
};

}  // namespace lumora::test
