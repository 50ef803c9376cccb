#include "app/ui/platform/printing.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

#include "render/ui/html_view.h"

namespace lumora::ui {

// The commands' page range for "print all".
constexpr int kAllPagesLast = 9999;

TSystemPrinting::TSystemPrinting() : printer_(std::make_unique<QPrinter>()) {}

TSystemPrinting::~TSystemPrinting() = default;

int TSystemPrinting::PageCount(const THtmlView& view) { return view.PrintedPageCount(*printer_); }

bool TSystemPrinting::ChooseRange(QWidget* parent, int page_count, TPrintRange& range) {
  page_count = std::max(page_count, 1);
  QPrintDialog dialog(printer_.get(), parent);
  dialog.setMinMax(1, page_count);
  dialog.setFromTo(1, page_count);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  printer_->setPrintRange(QPrinter::AllPages);
  if (dialog.exec() != QDialog::Accepted) return false;
  range.all = printer_->printRange() != QPrinter::PageRange;
  range.first = range.all ? 1 : std::max(printer_->fromPage(), 1);
  range.last = range.all ? kAllPagesLast : std::max(printer_->toPage(), range.first);
  return true;
}

void TSystemPrinting::Print(const THtmlView& view, int first, int last) {
  view.Print(*printer_, first, last);
}

bool TSystemPrinting::PrinterSetup(QWidget* parent) {
  QPageSetupDialog dialog(printer_.get(), parent);
  return dialog.exec() == QDialog::Accepted;
}

bool PrintView(IPrinting& printing, QWidget* parent, const THtmlView& view) {
  TPrintRange range;
  if (!printing.ChooseRange(parent, printing.PageCount(view), range)) return false;
  printing.Print(view, range.first, range.last);
  return true;
}

}  // namespace lumora::ui
