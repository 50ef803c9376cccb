// TOutputService: the window's copy, export and print delivery, installed
// by the copy/export/print feature in place of the first delivery.
//
// Clipboard: every text reaches it as Unicode through the one conversion,
// with line feeds (Qt writes the system's line ends). Formatted copies also
// carry their HTML as a small UTF-8 document (the formatter's placeholder
// links taken out, lexicon-font runs as real letters); selection copies
// stay plain.
//
// Export files are UTF-8 through the same conversion, lines ending in CR LF:
// HTML files start with a "<meta charset="utf-8">" line, text files with a
// byte-order mark. A file is written complete beside the target and then
// replaces it (QSaveFile): a failure shows an error box naming the file and
// the reason and leaves an existing file as it was.
//
// Printing: one printer for the session (2 cm margins), changed by Printer
// Setup; every job is loaded into the hidden print view, counted and
// printed from one layout, and named after what it prints. "All" prints the
// whole document. The print, save and page set-up dialogs come from
// SystemDialogs() (platform/system_dialogs.h).
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "render/export_procs.h"
#include "views/pane_host.h"

class QPrinter;

namespace lumora::ui {

class TMain;
class TPrintDocument;

// Where an export is written. The default is a QSaveFile; tests put a
// double in that fails a chosen step.
class IExportFile {
 public:
  virtual ~IExportFile() = default;
  virtual bool Open(const QString& path) = 0;
  virtual bool Write(const QByteArray& bytes) = 0;
  // Replaces the target with the complete file.
  virtual bool Commit() = 0;
  virtual QString ErrorString() const = 0;
};
std::unique_ptr<IExportFile> MakeSaveFile();

// The error box of a failed export.
QString ExportFailedMessage(const QString& path, const QString& reason);

// The bytes of an export file: `text` (Windows-1252, the formatter's lines)
// as UTF-8 lines ending in CR LF, after the byte-order mark (text) or the
// meta line (HTML). HTML is converted as markup (lexicon-font runs to real
// letters, colour attributes given their "#"); text decodes `runs`.
QByteArray ExportFileBytes(const std::string& text, bool html, const PlainScriptRuns& runs = {});

// The clipboard forms of a formatted copy: plain text with line feeds, and
// the HTML document ("" when the copy has no HTML).
QString ClipboardPlainText(const TFormattedText& text);
QString ClipboardHtml(const std::string& html);

class TOutputService : public IOutputService {
 public:
  explicit TOutputService(TMain& main);
  ~TOutputService() override;

  // --- IOutputService ------------------------------------------------------------
  void CopyFormatted(const TFormattedText& text) override;
  void AppendText(const QString& text) override;
  bool CanPrint() const override { return true; }
  void PrintView(const THtmlView& view, const QString& job_name) override;
  void CopyVerseRanges(const TVerseRangeList& ranges, const TLMBibleModule& bible) override;
  void CopyVerseList(const TVerseList& verses, const TLMBibleModule& bible) override;
  bool CanExport() const override { return true; }
  void ExportVerseList(const TVerseList& verses, const TLMBibleModule& bible) override;
  void PrintVerseList(const TVerseList& verses, const TLMBibleModule& bible,
                      const std::string& title) override;

  // --- For the main window's commands ---------------------------------------------
  // The save dialog ("Export Verse(s) to Text File"): false when cancelled
  // (or a name given an extension would replace a file the user keeps).
  // `html` is whether the HTML type was chosen. Starts in the Documents
  // folder, later in the folder of the session's last export.
  bool ChooseExportFile(QString& path, bool& html);
  // Writes an export (see above); false after the error box was shown.
  bool WriteExportFile(const QString& path, const std::string& text, bool html,
                       const PlainScriptRuns& runs = {});
  // A print job of HTML (Windows-1252): "Preparing Print Job...", the
  // print dialog preset to the page count ("Printing..."), the chosen
  // pages, then the print view and the status cleared on every way out.
  // `font_name`/`font_size` are the defaults for text that names none.
  void PrintHtml(const std::string& html, const QString& job_name,
                 const QString& font_name = QStringLiteral("Times New Roman"), int font_size = 10);
  // "Printer Setup...".
  void PrinterSetup();

  QPrinter& Printer() { return *printer_; }
  TPrintDocument& PrintDocument() { return *print_view_; }
  // The export file maker (tests inject failures); null: MakeSaveFile.
  std::function<std::unique_ptr<IExportFile>()> make_export_file;
  // The folder the next save dialog starts in.
  const QString& ExportFolder() const { return export_folder_; }

 private:
  ExportFormatSettings Format() const;
  ExportBibleView View() const;

  TMain& main_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<TPrintDocument> print_view_;
  QString export_folder_;
};

}  // namespace lumora::ui
