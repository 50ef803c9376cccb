// The window's first copy and print delivery: formatted copies go to the
// clipboard as plain text through the one conversion, "Print this window"
// runs the print dialog over the view's pages with "Printing..." in the
// status bar.
#pragma once

#include "views/pane_host.h"

class QWidget;

namespace lumora::ui {

class IPrinting;

class TBasicOutput : public IOutputService {
 public:
  TBasicOutput(IPaneHost& host, IPrinting& printing, QWidget* parent)
      : host_(host), printing_(printing), parent_(parent) {}

  void CopyFormatted(const TFormattedText& text) override;
  void AppendText(const QString& text) override;
  bool CanPrint() const override { return true; }
  void PrintView(const THtmlView& view, const QString& job_name) override;

 private:
  IPaneHost& host_;
  IPrinting& printing_;
  QWidget* parent_;
};

}  // namespace lumora::ui
