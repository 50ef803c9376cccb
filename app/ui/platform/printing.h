// Printing: the print dialog with a page range, printer set-up, and the
// printing of a display widget's document. One printer object lives for the
// program, so the chosen printer and its set-up carry over between prints.
#pragma once

#include <memory>

class QPrinter;
class QWidget;

namespace lumora::ui {

class THtmlView;

// The range the user chose; all = "print all" (the commands then print
// pages 1 to 9999).
struct TPrintRange {
  int first = 1;
  int last = 1;
  bool all = true;
};

class IPrinting {
 public:
  virtual ~IPrinting() = default;
  // Pages of the view's document on the current printer.
  virtual int PageCount(const THtmlView& view) = 0;
  // The print dialog preset to pages 1..page_count; false when cancelled.
  virtual bool ChooseRange(QWidget* parent, int page_count, TPrintRange& range) = 0;
  // Prints pages first..last of the view's document.
  virtual void Print(const THtmlView& view, int first, int last) = 0;
  // The printer set-up dialog; false when cancelled.
  virtual bool PrinterSetup(QWidget* parent) = 0;
};

class TSystemPrinting : public IPrinting {
 public:
  TSystemPrinting();
  ~TSystemPrinting() override;

  int PageCount(const THtmlView& view) override;
  bool ChooseRange(QWidget* parent, int page_count, TPrintRange& range) override;
  void Print(const THtmlView& view, int first, int last) override;
  bool PrinterSetup(QWidget* parent) override;

  QPrinter& Printer() { return *printer_; }

 private:
  std::unique_ptr<QPrinter> printer_;
};

// "Print this window": the dialog preset to 1..PageCount, then the chosen
// range, or 1..9999 for "all". False when the user cancelled. The caller
// shows and clears the status text around it.
bool PrintView(IPrinting& printing, QWidget* parent, const THtmlView& view);

}  // namespace lumora::ui
