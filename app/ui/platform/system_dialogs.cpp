#include "app/ui/platform/system_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "app/ui/platform/printing.h"

namespace lumora::ui {
namespace {

ISystemDialogs*& InstalledDialogs() {
  static ISystemDialogs* dialogs = nullptr;
  return dialogs;
}

// Runs a dialog made on the heap modally: true when it was accepted. A
// dialog that went away with its parent meanwhile counts as cancelled; one
// still there is deleted after `read` took its answers.
template <typename Dialog, typename Read>
bool RunDialogGuarded(Dialog* dialog, Read read) {
  QPointer<Dialog> guard(dialog);
  const bool accepted = dialog->exec() == QDialog::Accepted && guard;
  if (!guard) return false;
  if (accepted) read(*guard);
  delete guard.data();
  return accepted;
}

}  // namespace

QString TDesktopDialogs::SaveFileName(QWidget* parent, const QString& caption,
                                      const QString& folder, const QStringList& filters,
                                      int& filter) {
  auto* dialog = new QFileDialog(parent, caption, folder);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setNameFilters(filters);
  if (filter >= 0 && filter < filters.size()) dialog->selectNameFilter(filters[filter]);
  QString path;
  RunDialogGuarded(dialog, [&](QFileDialog& d) {
    const QStringList chosen = d.selectedFiles();
    path = chosen.isEmpty() ? QString() : chosen.front();
    filter = static_cast<int>(filters.indexOf(d.selectedNameFilter()));
  });
  return path;
}

bool TDesktopDialogs::Print(QWidget* parent, QPrinter& printer, int page_count,
                            TPrintRange& range) {
  page_count = std::max(page_count, 1);
  auto* dialog = new QPrintDialog(&printer, parent);
  dialog->setMinMax(1, page_count);
  dialog->setFromTo(1, page_count);
  dialog->setOption(QAbstractPrintDialog::PrintPageRange, true);
  printer.setPrintRange(QPrinter::AllPages);
  if (!RunDialogGuarded(dialog, [](QPrintDialog&) {})) return false;
  range.all = printer.printRange() != QPrinter::PageRange;
  range.first = range.all ? 1 : std::max(printer.fromPage(), 1);
  range.last = range.all ? page_count : std::max(printer.toPage(), range.first);
  return true;
}

bool TDesktopDialogs::PageSetup(QWidget* parent, QPrinter& printer) {
  return RunDialogGuarded(new QPageSetupDialog(&printer, parent), [](QPageSetupDialog&) {});
}

std::optional<QColor> TDesktopDialogs::Color(QWidget* parent, const QColor& initial) {
  std::optional<QColor> chosen;
  RunDialogGuarded(new QColorDialog(initial, parent),
                   [&chosen](QColorDialog& d) { chosen = d.selectedColor(); });
  if (chosen && !chosen->isValid()) chosen.reset();
  return chosen;
}

ISystemDialogs& SystemDialogs() {
  static TDesktopDialogs desktop;
  ISystemDialogs* installed = InstalledDialogs();
  return installed != nullptr ? *installed : desktop;
}

void InstallSystemDialogs(ISystemDialogs* dialogs) { InstalledDialogs() = dialogs; }

}  // namespace lumora::ui
