// What the copy, export, print and preferences tests share: a clipboard
// that records, system dialogs that answer as the test says (no modal
// loop), a main window started on the sample library with its own
// settings file, and the poppler tools that read the PDF printouts.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrinter>
#include <QProcess>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

#include "app/ui/copy_export_feature.h"
#include "app/ui/main_window.h"
#include "app/ui/output_service.h"
#include "app/ui/platform/clipboard.h"
#include "app/ui/platform/printing.h"
#include "app/ui/platform/system_dialogs.h"
#include "config/file_storage.h"
#include "core/platform/file_system.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/sample_library.h"
#include "tests/ui/test_host.h"
#include "views/actions.h"

namespace lumora::test {

class TRecordingClipboard : public ui::IClipboard {
 public:
  QString Text() const override { return text; }
  void SetText(const QString& t) override {
    text = t;
    html.clear();
    ++sets;
  }
  void SetHtml(const QString& h, const QString& plain) override {
    html = h;
    text = plain;
    ++sets;
  }
  QString text;
  QString html;
  int sets = 0;
};

class TScriptedDialogs : public ui::ISystemDialogs {
 public:
  QString SaveFileName(QWidget*, const QString& caption, const QString& folder,
                       const QStringList& filters, int& filter) override {
    ++save_calls;
    save_caption = caption;
    save_folder = folder;
    save_filters = filters;
    offered_filter = filter;
    if (save_filter >= 0) filter = save_filter;
    return save_path;
  }
  bool Print(QWidget*, QPrinter& printer, int page_count, ui::TPrintRange& range) override {
    ++print_calls;
    offered_pages = page_count;
    doc_name = printer.docName();
    if (!print_confirm) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf_path);
    range = print_range;
    if (range.all) {
      range.first = 1;
      range.last = page_count;
    }
    return true;
  }
  bool PageSetup(QWidget*, QPrinter& printer) override {
    ++page_setup_calls;
    if (page_size) printer.setPageSize(QPageSize(*page_size));
    return page_size.has_value();
  }
  std::optional<QColor> Color(QWidget*, const QColor& initial) override {
    ++color_calls;
    color_initial = initial;
    return color;
  }

  // Save: the answer ("" cancels) and the filter chosen (-1 keeps the
  // preselected one).
  QString save_path;
  int save_filter = -1;
  int save_calls = 0;
  QString save_caption, save_folder;
  QStringList save_filters;
  int offered_filter = -1;
  // Print: confirm into `pdf_path` with `print_range`.
  bool print_confirm = true;
  QString pdf_path;
  ui::TPrintRange print_range;
  int print_calls = 0;
  int offered_pages = 0;
  QString doc_name;
  // Page set-up: the size chosen (none: cancelled).
  std::optional<QPageSize::PageSizeId> page_size;
  int page_setup_calls = 0;
  // Colour dialog.
  std::optional<QColor> color;
  QColor color_initial;
  int color_calls = 0;
};

// Installs the two doubles for the life of the object.
struct TOutputDoubles {
  TOutputDoubles() {
    ui::InstallClipboard(&clipboard);
    ui::InstallSystemDialogs(&dialogs);
  }
  ~TOutputDoubles() {
    ui::InstallClipboard(nullptr);
    ui::InstallSystemDialogs(nullptr);
  }
  TRecordingClipboard clipboard;
  TScriptedDialogs dialogs;
};

// A main window started on `folder` from a fresh settings file, as the
// program starts; messages are recorded.
class TStartedWindow {
 public:
  explicit TStartedWindow(const std::string& folder, const config::Properties* stored = nullptr) {
    storage_ = std::make_unique<config::FileStorage>(DefaultFileSystem(), SettingsPath());
    if (stored != nullptr) {
      EXPECT_TRUE(config::SaveProperties(*stored, *storage_).ok());
    }
    ui::TMainOptions options;
    options.data_folder = folder;
    options.storage = storage_.get();
    options.show_splash = false;
    options.show_message = [this](const QString& text) { messages << text; };
    options.ask_yes_no = [this](const QString&, const QString& question) {
      questions << question;
      return answer_yes;
    };
    window = std::make_unique<ui::TMain>(std::move(options));
    window->resize(1000, 700);
    window->show();
    Settle();
  }
  ~TStartedWindow() { window.reset(); }

  ui::TMain& Main() { return *window; }
  ui::TCopyExportCommands& Commands() {
    return *window->findChild<ui::TCopyExportCommands*>(QStringLiteral("CopyExportCommands"));
  }
  ui::TOutputService& Output() { return static_cast<ui::TOutputService&>(window->Output()); }
  QAction* Action(const char* name) { return window->MainAction(name); }
  // Triggers a command as its menu item would (after the update pass).
  void Run(const char* name) {
    window->Actions().UpdateNow();
    QAction* a = Action(name);
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
  }
  std::string SettingsPath() const { return temp_.File("settings.reg"); }
  config::Properties StoredSettings() const {
    config::FileStorage storage(DefaultFileSystem(), SettingsPath());
    config::Properties p = config::DefaultProperties();
    (void)config::LoadProperties(p, storage);
    return p;
  }
  const TempFolder& Temp() const { return temp_; }

  QStringList messages;
  QStringList questions;
  bool answer_yes = true;
  std::unique_ptr<ui::TMain> window;

 private:
  TempFolder temp_;
  std::unique_ptr<config::FileStorage> storage_;
};

// The output of a poppler tool ("" when it could not run).
inline QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess p;
  p.start(program, arguments);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}
inline int PdfPages(const QString& pdf) {
  const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
  for (const QString& line : info.split(QLatin1Char('\n')))
    if (line.startsWith(QLatin1String("Pages:"))) return line.mid(6).trimmed().toInt();
  return -1;
}
inline QString PdfText(const QString& pdf) {
  return RunTool(QStringLiteral("pdftotext"),
                 {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}
inline QString PdfTitle(const QString& pdf) {
  const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
  for (const QString& line : info.split(QLatin1Char('\n')))
    if (line.startsWith(QLatin1String("Title:"))) return line.mid(6).trimmed();
  return {};
}

#define LUMORA_REQUIRE_SAMPLE(folder)                                \
  const std::string folder = ::lumora::test::SampleLibraryFolder();  \
  if (folder.empty()) {                                              \
    GTEST_SKIP() << "sample library not built (set LUMORA_LIBRARY)"; \
  }                                                                  \
  static_assert(true)

}  // namespace lumora::test
