// The main window's hidden print view: an off-screen document that holds
// what a print command prints. It loads the formatter's or a renderer's
// HTML through the one Windows-1252 conversion (lexicon-font runs decoded,
// so the printout needs no legacy fonts), lays it out once for the printer
// (the printer's resolution and page: print scale 1, the printer's margins),
// and both the page count the print dialog offers and the pages printed come
// from that layout.
//
// Printouts are for white paper: the page is not filled, the text and link
// colours the document does not set are black and blue whatever the
// desktop's theme.
#pragma once

#include <QSizeF>
#include <QString>
#include <memory>
#include <string_view>

class QPrinter;
class QTextDocument;

namespace lumora::ui {

class TPrintDocument {
 public:
  TPrintDocument();
  ~TPrintDocument();

  // Replaces the document. Font and size are the defaults for text that
  // names none (the print view's "Times New Roman", or a pane's own).
  void Load(std::string_view html, const QString& font_name, int font_size);
  // Empties the document.
  void Clear();
  bool IsEmpty() const;

  // Lays the document out for `printer`'s page (again only when the page
  // changed) and returns its number of pages (at least 1).
  int LayOut(QPrinter& printer);
  // Prints pages first..last of the layout for `printer` (clamped to the
  // document; laid out again first if the page changed since). Returns the
  // number of pages printed; 0 when the printer could not start.
  int Print(QPrinter& printer, int first, int last);

  // The plain text of the document (tests and hooks).
  QString PlainText() const;

 private:
  std::unique_ptr<QTextDocument> document_;
  QSizeF laid_out_for_;
  int laid_out_dpi_ = 0;
};

}  // namespace lumora::ui
