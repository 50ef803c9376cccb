// The desktop's standard dialogs the copy, export, print and preferences
// commands use (save file, print, page set-up, colour), behind one small
// interface: the commands ask it and go on with the answer, so widget tests
// install answers instead of running a dialog's modal loop.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

namespace lumora::ui {

struct TPrintRange;

class ISystemDialogs {
 public:
  virtual ~ISystemDialogs() = default;
  // A save-file dialog over `filters` ("Text Files (*.txt)", ...), starting
  // in `folder` with filter `filter` chosen; asks before overwriting. The
  // chosen path ("" when cancelled) and, in `filter`, the chosen filter.
  virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                               const QStringList& filters, int& filter) = 0;
  // The print dialog for `printer`, pages 1..page_count offered and preset;
  // false when cancelled. `range` receives the choice (all, or from..to).
  virtual bool Print(QWidget* parent, QPrinter& printer, int page_count, TPrintRange& range) = 0;
  // The page set-up dialog; its choices stay on `printer`. False when
  // cancelled.
  virtual bool PageSetup(QWidget* parent, QPrinter& printer) = 0;
  // A colour dialog starting at `initial`; nullopt when cancelled.
  virtual std::optional<QColor> Color(QWidget* parent, const QColor& initial) = 0;
};

// The desktop's own dialogs (each run modally, guarded against its parent
// going away meanwhile).
class TDesktopDialogs : public ISystemDialogs {
 public:
  QString SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                       const QStringList& filters, int& filter) override;
  bool Print(QWidget* parent, QPrinter& printer, int page_count, TPrintRange& range) override;
  bool PageSetup(QWidget* parent, QPrinter& printer) override;
  std::optional<QColor> Color(QWidget* parent, const QColor& initial) override;
};

// The process-wide instance (TDesktopDialogs unless a test installs another;
// the caller keeps ownership and installs nullptr again before destroying
// it).
ISystemDialogs& SystemDialogs();
void InstallSystemDialogs(ISystemDialogs* dialogs);

}  // namespace lumora::ui
