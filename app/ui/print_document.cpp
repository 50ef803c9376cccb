#include "app/ui/print_document.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPalette>
#include <QPrinter>
#include <QTextDocument>
#include <QTextFrame>
#include <algorithm>

#include "render/ui/display_text.h"

namespace lumora::ui {
namespace {

// Black text and blue links on white, whatever the desktop's theme.
QPalette PrintPaperPalette() {
  QPalette palette;
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::black);
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::Link, QColor(0, 0, 255));
  palette.setColor(QPalette::LinkVisited, QColor(0x80, 0, 0x80));
  return palette;
}

QSizeF PrinterPageSize(QPrinter& printer) { return printer.pageRect(QPrinter::DevicePixel).size(); }

}  // namespace

TPrintDocument::TPrintDocument() : document_(std::make_unique<QTextDocument>()) {}

TPrintDocument::~TPrintDocument() = default;

void TPrintDocument::Load(std::string_view html, const QString& font_name, int font_size) {
  document_ = std::make_unique<QTextDocument>();
  QFont font(font_name);
  font.setPointSize(std::max(font_size, 1));
  document_->setDefaultFont(font);
  document_->setDefaultStyleSheet(
      QStringLiteral("pre, tt, code { font-family: \"Courier New\"; } a { color: #0000ff; }"));
  document_->setDocumentMargin(0);  // the printer's margins are the page's
  document_->setHtml(ToDisplayHtml(html, PortableTextOptions()));
  laid_out_for_ = QSizeF();
  laid_out_dpi_ = 0;
}

void TPrintDocument::Clear() {
  document_ = std::make_unique<QTextDocument>();
  laid_out_for_ = QSizeF();
  laid_out_dpi_ = 0;
}

bool TPrintDocument::IsEmpty() const { return document_->isEmpty(); }

int TPrintDocument::LayOut(QPrinter& printer) {
  const QSizeF page = PrinterPageSize(printer);
  if (page != laid_out_for_ || printer.resolution() != laid_out_dpi_) {
    // Laid out at the printer's resolution: fonts print at their sizes.
    document_->documentLayout()->setPaintDevice(&printer);
    document_->setPageSize(page);
    laid_out_for_ = page;
    laid_out_dpi_ = printer.resolution();
  }
  return std::max(document_->pageCount(), 1);
}

int TPrintDocument::Print(QPrinter& printer, int first, int last) {
  const int pages = LayOut(printer);
  first = std::clamp(first, 1, pages);
  last = std::clamp(last, first, pages);
  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  const QSizeF page = laid_out_for_;
  QAbstractTextDocumentLayout::PaintContext context;
  context.palette = PrintPaperPalette();
  int printed = 0;
  for (int p = first; p <= last; ++p) {
    if (p != first) printer.newPage();
    const QRectF area(0, (p - 1) * page.height(), page.width(), page.height());
    painter.save();
    painter.translate(0, -area.top());
    painter.setClipRect(area);
    context.clip = area;
    document_->documentLayout()->draw(&painter, context);
    painter.restore();
    ++printed;
  }
  painter.end();
  return printed;
}

QString TPrintDocument::PlainText() const { return document_->toPlainText(); }

}  // namespace lumora::ui
