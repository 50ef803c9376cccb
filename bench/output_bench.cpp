// Copy, export, print and preferences on the offscreen platform, on the
// sample library (skipped without LUMORA_LIBRARY):
//   - copying Psalms (2,461 verses) as text and HTML, through the clipboard
//     conversion (target: under 100 ms);
//   - exporting the whole KJV to an HTML file (target: under 1 s);
//   - the page count of Psalms in style E (target: under 1 s) and printing
//     it to PDF (the pages-per-second counter);
//   - showing the preferences (target: under 100 ms) and Apply after every
//     pane's font size changed.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include "app/ui/copy_export_feature.h"
#include "app/ui/output_service.h"
#include "app/ui/platform/clipboard.h"
#include "app/ui/prefs_dialog.h"
#include "app/ui/prefs_feature.h"
#include "app/ui/print_document.h"
#include "bench/ui_bench_window.h"
#include "config/properties.h"
#include "render/export_procs.h"

namespace lumora::ui {
namespace {

class TBenchClipboard : public IClipboard {
 public:
  QString Text() const override { return text; }
  void SetText(const QString& t) override { text = t; }
  void SetHtml(const QString& h, const QString& plain) override {
    html = h;
    text = plain;
  }
  QString text, html;
};

TVerseRangeList Psalms(const TLMBibleModule& kjv) {
  return {{kjv.LocateVerse(19, 1, 1), kjv.LocateVerse(20, 1, 1) - 1}};
}

// Copy Verse(s) of Psalms: both forms formatted and converted for the
// clipboard.
void BM_CopyPsalmsTextAndHtml(benchmark::State& state) {
  TBenchWindow* lib = OpenBenchWindow();
  if (lib == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  TBenchClipboard clipboard;
  InstallClipboard(&clipboard);
  const TLMBibleModule& kjv = *lib->library.Catalogue().KjvBible();
  const TVerseRangeList psalms = Psalms(kjv);
  const ExportFormatSettings format = ExportFormatFrom(config::GlobalProperties());
  const ExportBibleView view =
      ExportViewFrom(config::GlobalProperties().bible_view, lib->library.Catalogue().StrongsData());
  IOutputService& output = lib->main->Output();
  for (auto _ : state) {
    output.CopyFormatted({FormatVerseRanges(psalms, kjv, format, false, view),
                          FormatVerseRanges(psalms, kjv, format, true, view)});
  }
  state.counters["verses"] = psalms[0].last - psalms[0].first + 1;
  InstallClipboard(nullptr);
}
BENCHMARK(BM_CopyPsalmsTextAndHtml)->Unit(benchmark::kMillisecond);

// Export Verses to File: the whole KJV as HTML, written through QSaveFile.
void BM_ExportKjvToHtmlFile(benchmark::State& state) {
  TBenchWindow* lib = OpenBenchWindow();
  if (lib == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  const TLMBibleModule& kjv = *lib->library.Catalogue().KjvBible();
  auto& output = static_cast<TOutputService&>(lib->main->Output());
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("kjv.html"));
  const ExportFormatSettings format = ExportFormatFrom(config::GlobalProperties());
  const ExportBibleView view =
      ExportViewFrom(config::GlobalProperties().bible_view, lib->library.Catalogue().StrongsData());
  for (auto _ : state) {
    const std::string html = FormatVerseRanges({{1, kjv.VerseCount()}}, kjv, format, true, view);
    if (!output.WriteExportFile(path, html, true)) return state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_ExportKjvToHtmlFile)->Unit(benchmark::kMillisecond);

// Print Verse(s) of Psalms in style E: loading the print view and counting
// its pages for the session's printer (PDF at the printer's resolution).
void BM_PageCountPsalmsStyleE(benchmark::State& state) {
  TBenchWindow* lib = OpenBenchWindow();
  if (lib == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  const TLMBibleModule& kjv = *lib->library.Catalogue().KjvBible();
  ExportFormatSettings format;
  format.style = 4;
  const std::string html = FormatVerseRanges(Psalms(kjv), kjv, format, true, {});
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  TPrintDocument document;
  int pages = 0;
  for (auto _ : state) {
    document.Load(html, QStringLiteral("Times New Roman"), 10);
    pages = document.LayOut(printer);
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_PageCountPsalmsStyleE)->Unit(benchmark::kMillisecond);

// Printing those pages into a PDF file, from the layout already made.
void BM_PrintPsalmsToPdf(benchmark::State& state) {
  TBenchWindow* lib = OpenBenchWindow();
  if (lib == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  const TLMBibleModule& kjv = *lib->library.Catalogue().KjvBible();
  ExportFormatSettings format;
  format.style = 4;
  const std::string html = FormatVerseRanges(Psalms(kjv), kjv, format, true, {});
  QTemporaryDir folder;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder.filePath(QStringLiteral("psalms.pdf")));
  printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  TPrintDocument document;
  document.Load(html, QStringLiteral("Times New Roman"), 10);
  const int pages = document.LayOut(printer);
  int printed = 0;
  for (auto _ : state) printed += document.Print(printer, 1, pages);
  state.counters["pages"] = pages;
  state.counters["pages_per_second"] = benchmark::Counter(printed, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintPsalmsToPdf)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

TDlgPrefs* PreferencesDialog(TBenchWindow& lib) {
  auto* service = dynamic_cast<TPreferencesService*>(&lib.main->Preferences());
  return service != nullptr ? service->Dialog() : nullptr;
}

// Showing the preferences: every control filled from the store, shown.
void BM_ShowPreferences(benchmark::State& state) {
  TBenchWindow* lib = OpenBenchWindow();
  TDlgPrefs* dialog = lib != nullptr ? PreferencesDialog(*lib) : nullptr;
  if (dialog == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  for (auto _ : state) {
    dialog->Open();
    QCoreApplication::processEvents();
    state.PauseTiming();
    dialog->reject();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ShowPreferences)->Unit(benchmark::kMillisecond);

// Apply after every pane's font size changed: the four panes re-render.
void BM_ApplyAllFontSizes(benchmark::State& state) {
  TBenchWindow* lib = OpenBenchWindow();
  TDlgPrefs* dialog = lib != nullptr ? PreferencesDialog(*lib) : nullptr;
  if (dialog == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  config::Properties& p = config::GlobalProperties();
  int size = 10;
  for (auto _ : state) {
    state.PauseTiming();
    size = size == 10 ? 11 : 10;
    dialog->Open();
    // The four size boxes as the user would set them.
    for (const char* name : {"VerseListSize", "BibleSize", "BookSize", "CommentarySize"}) {
      auto* box = dialog->findChild<QComboBox*>(QString::fromLatin1(name));
      box->setCurrentIndex(size - 6);
      Q_EMIT box->activated(size - 6);
    }
    state.ResumeTiming();
    dialog->Apply();
    QCoreApplication::processEvents();
    state.PauseTiming();
    dialog->reject();
    state.ResumeTiming();
  }
  if (p.bible_view.main_size != size) state.SkipWithError("Apply did not write the sizes");
}
BENCHMARK(BM_ApplyAllFontSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora::ui
