// Copy, export and print: the main window's commands that take verses,
// Commentary entries and Book entries out of the program ("Copy
// Verse(s)...", "Export Verses to File...", "Print Verse(s)...", "Printer
// Setup...", "Configure Copy/Export Formatting", the Commentary and Book
// range commands) and "Display Verse(s)...", with their dialogs; and the
// window's copy and print delivery (TOutputService), which the panes use
// through IOutputService.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "core/refs/verse_range.h"

class QInputDialog;

namespace lumora {
class TLMBibleModule;
}

namespace lumora::ui {

class TDlgBookRange;
class TDlgExportFormat;
class TDlgVerseEntry;
class TMain;
class TOutputService;

class TCopyExportCommands : public QObject {
  Q_OBJECT

 public:
  explicit TCopyExportCommands(TMain& main, TOutputService& output);

  // The commands (also what the actions run).
  void CopyVerses();
  void ExportVerses();
  void PrintVerses();
  void DisplayVerses();
  void ConfigureFormat(QWidget* over = nullptr);
  void CommentRange(bool print);
  void BookRange(bool print);

  TDlgVerseEntry* VerseEntryDialog();
  TDlgExportFormat* FormatDialog();
  TDlgBookRange* BookRangeDialog();
  QInputDialog* CommentRangeBox();
  TOutputService& Output() { return output_; }

  // Shows a help topic ("Scribble240"); the dialogs' "&Help" buttons stay
  // disabled while it is unset.
  std::function<void(const QString& topic)> show_help;

 private:
  void Bind();
  void UpdateActions();
  void AskVerses(const QString& caption, const QString& help_topic,
                 std::function<void(const TVerseRangeList&, const TLMBibleModule&)> run);
  void OpenCommentRangeBox(bool print, const QString& text);

  TMain& main_;
  TOutputService& output_;
  QPointer<TDlgVerseEntry> verse_entry_;
  QPointer<TDlgExportFormat> format_;
  QPointer<TDlgBookRange> book_range_;
  QPointer<QInputDialog> comment_range_;
};

// Binds the commands, installs the output service into `main` and returns
// the commands object (a child of the window).
TCopyExportCommands* InstallCopyExport(TMain& main);

}  // namespace lumora::ui
