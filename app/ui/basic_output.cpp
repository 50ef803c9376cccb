#include "app/ui/basic_output.h"

#include "app/ui/platform/clipboard.h"
#include "app/ui/platform/printing.h"
#include "render/ui/display_text.h"

namespace lumora::ui {

void TBasicOutput::CopyFormatted(const TFormattedText& text) {
  Clipboard().SetText(ToDisplayText(text.plain));
}

void TBasicOutput::AppendText(const QString& text) {
  Clipboard().SetText(Clipboard().Text() + QStringLiteral("\r\n") + text);
}

void TBasicOutput::PrintView(const THtmlView& view, const QString& /*job_name*/) {
  host_.SetStatusText(QStringLiteral("Printing..."));
  ::lumora::ui::PrintView(printing_, parent_, view);
  host_.SetStatusText(QString());
}

}  // namespace lumora::ui
