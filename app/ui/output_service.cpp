#include "app/ui/output_service.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
#include <climits>

#include "app/output_texts.h"
#include "app/pane_print.h"
#include "app/ui/main_window.h"
#include "app/ui/platform/clipboard.h"
#include "app/ui/platform/printing.h"
#include "app/ui/platform/system_dialogs.h"
#include "app/ui/print_document.h"
#include "config/properties.h"
#include "core/refs/reference_format.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

class TQSaveFileExport : public IExportFile {
 public:
  bool Open(const QString& path) override {
    file_.setFileName(path);
    return file_.open(QIODevice::WriteOnly);
  }
  bool Write(const QByteArray& bytes) override { return file_.write(bytes) == bytes.size(); }
  bool Commit() override { return file_.commit(); }
  QString ErrorString() const override { return file_.errorString(); }

 private:
  QSaveFile file_;  // an uncommitted file is discarded with it
};

// Clears the status text on every way out of a command.
class TOutputStatusScope {
 public:
  TOutputStatusScope(IPaneHost& host, const QString& text) : host_(host) {
    host_.SetStatusText(text);
  }
  ~TOutputStatusScope() { host_.SetStatusText(QString()); }
  TOutputStatusScope(const TOutputStatusScope&) = delete;
  TOutputStatusScope& operator=(const TOutputStatusScope&) = delete;

 private:
  IPaneHost& host_;
};

// CR LF and CR to LF.
QString ClipboardLineFeeds(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

QString ExportDocumentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

std::string PrintChapterTitle(const TLMBibleModule& bible, int verse) {
  const TVerseLocation at = bible.GetVerseLocation(verse);
  return bible.GetLongBookTitle(at.book) + " " + std::to_string(at.chapter);
}

std::string PrintModuleLine(const std::string& title, const std::string& abbreviation) {
  return title + " (" + abbreviation + ")";
}

constexpr const char* kExportDialogCaption = "Export Verse(s) to Text File";

}  // namespace

std::unique_ptr<IExportFile> MakeSaveFile() { return std::make_unique<TQSaveFileExport>(); }

QString ExportFailedMessage(const QString& path, const QString& reason) {
  return QStringLiteral("The file %1 could not be written: %2").arg(path, reason);
}

QByteArray ExportFileBytes(const std::string& text, bool html, const PlainScriptRuns& runs) {
  const QString converted =
      html ? ToDisplayHtml(text, PortableTextOptions()) : ToDisplayText(text, runs);
  QByteArray out;
  out.reserve(static_cast<qsizetype>(text.size() + text.size() / 16 + 32));
  out += html ? QByteArray("<meta charset=\"utf-8\">\r\n") : QByteArray("\xEF\xBB\xBF");
  // Lines end at CR LF, CR or LF; a break at the very end ends the last
  // line (no empty line after it).
  qsizetype begin = 0;
  const qsizetype n = converted.size();
  while (begin < n) {
    qsizetype end = begin;
    while (end < n && converted[end] != QLatin1Char('\r') && converted[end] != QLatin1Char('\n'))
      ++end;
    out += QStringView(converted).mid(begin, end - begin).toUtf8();
    out += "\r\n";
    if (end < n && converted[end] == QLatin1Char('\r')) {
      ++end;
      if (end < n && converted[end] == QLatin1Char('\n')) ++end;
    } else if (end < n) {
      ++end;  // a line feed
    }
    begin = end;
  }
  return out;
}

QString ClipboardPlainText(const TFormattedText& text) {
  return ClipboardLineFeeds(ToDisplayText(text.plain, text.plain_runs));
}

QString ClipboardHtml(const std::string& html) {
  if (html.empty()) return {};
  return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n") +
         ClipboardLineFeeds(ToDisplayHtml(UnlinkPlaceholders(html), PortableTextOptions())) +
         QStringLiteral("\n</body></html>\n");
}

TOutputService::TOutputService(TMain& main)
    : main_(main),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      print_view_(std::make_unique<TPrintDocument>()) {
  printer_->setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  printer_->setFullPage(false);
}

TOutputService::~TOutputService() = default;

ExportFormatSettings TOutputService::Format() const {
  return ExportFormatFrom(config::GlobalProperties());
}

ExportBibleView TOutputService::View() const {
  return ExportViewFrom(config::GlobalProperties().bible_view, main_.Library().StrongsData());
}

// --- Clipboard ---------------------------------------------------------------------

void TOutputService::CopyFormatted(const TFormattedText& text) {
  const QString plain = ClipboardPlainText(text);
  if (text.html.empty())
    Clipboard().SetText(plain);
  else
    Clipboard().SetHtml(ClipboardHtml(text.html), plain);
}

void TOutputService::AppendText(const QString& text) {
  Clipboard().SetText(Clipboard().Text() + QLatin1Char('\n') + ClipboardLineFeeds(text));
}

void TOutputService::CopyVerseRanges(const TVerseRangeList& ranges, const TLMBibleModule& bible) {
  if (ranges.empty()) return;
  const TOutputStatusScope status(main_, QStringLiteral("Copying verses..."));
  const ExportFormatSettings format = Format();
  const ExportBibleView view = View();
  CopyFormatted({FormatVerseRanges(ranges, bible, format, false, view),
                 FormatVerseRanges(ranges, bible, format, true, view),
                 {}});
}

void TOutputService::CopyVerseList(const TVerseList& verses, const TLMBibleModule& bible) {
  if (verses.empty()) return;
  const TOutputStatusScope status(main_, QStringLiteral("Copying verses..."));
  const ExportFormatSettings format = Format();
  const ExportBibleView view = View();
  CopyFormatted({VerseListText(verses, bible, format, view, false),
                 VerseListText(verses, bible, format, view, true),
                 {}});
}

// --- Files -------------------------------------------------------------------------

bool TOutputService::ChooseExportFile(QString& path, bool& html) {
  const QStringList filters = {QStringLiteral("Text Files (*.txt)"),
                               QStringLiteral("HTML Files (*.htm *.html)"),
                               QStringLiteral("All Files (*)")};
  int filter = 1;
  const QString folder = export_folder_.isEmpty() ? ExportDocumentsFolder() : export_folder_;
  QString chosen = SystemDialogs().SaveFileName(&main_, QString::fromLatin1(kExportDialogCaption),
                                                folder, filters, filter);
  if (chosen.isEmpty()) return false;
  // A name typed without an extension takes the chosen type's; the
  // dialog asked about the name as typed, so a file by the longer name is
  // asked about here.
  const QFileInfo info(chosen);
  if (!info.fileName().contains(QLatin1Char('.')) && (filter == 0 || filter == 1)) {
    chosen += filter == 0 ? QStringLiteral(".txt") : QStringLiteral(".html");
    if (QFileInfo::exists(chosen) &&
        !main_.AskYesNo(QString::fromLatin1(kExportDialogCaption),
                        QStringLiteral("%1 already exists.\nDo you want to replace it?")
                            .arg(QDir::toNativeSeparators(chosen))))
      return false;
  }
  path = chosen;
  html = filter == 1;
  return true;
}

bool TOutputService::WriteExportFile(const QString& path, const std::string& text, bool html,
                                     const PlainScriptRuns& runs) {
  const QByteArray bytes = ExportFileBytes(text, html, runs);
  const std::unique_ptr<IExportFile> file = make_export_file ? make_export_file() : MakeSaveFile();
  if (!file->Open(path) || !file->Write(bytes) || !file->Commit()) {
    main_.ShowMessage(ExportFailedMessage(QDir::toNativeSeparators(path), file->ErrorString()));
    return false;
  }
  export_folder_ = QFileInfo(path).absolutePath();
  return true;
}

void TOutputService::ExportVerseList(const TVerseList& verses, const TLMBibleModule& bible) {
  if (verses.empty()) return;
  QString path;
  bool html = false;
  if (!ChooseExportFile(path, html)) return;
  const TOutputStatusScope status(main_, QStringLiteral("Exporting verse list..."));
  WriteExportFile(path, VerseListExportText(verses, bible, Format(), View(), html), html);
}

// --- Printing ----------------------------------------------------------------------

void TOutputService::PrintHtml(const std::string& html, const QString& job_name,
                               const QString& font_name, int font_size) {
  const TOutputStatusScope status(main_, QStringLiteral("Preparing Print Job..."));
  print_view_->Load(html, font_name, font_size);
  printer_->setDocName(job_name);
  const int pages = print_view_->LayOut(*printer_);
  main_.SetStatusText(QStringLiteral("Printing..."));
  TPrintRange range;
  if (SystemDialogs().Print(&main_, *printer_, pages, range)) {
    // "All" is the whole document, however long.
    const int printed = range.all ? print_view_->Print(*printer_, 1, INT_MAX)
                                  : print_view_->Print(*printer_, range.first, range.last);
    if (printed == 0)
      main_.ShowMessage(QStringLiteral("The printer could not start the job %1.").arg(job_name));
  }
  print_view_->Clear();
}

void TOutputService::PrinterSetup() { SystemDialogs().PageSetup(&main_, *printer_); }

void TOutputService::PrintVerseList(const TVerseList& verses, const TLMBibleModule& bible,
                                    const std::string& title) {
  if (verses.empty()) return;
  const std::string html = VerseListText(verses, bible, Format(), PaperView(View()), true);
  PrintHtml(html, ToDisplayText(PrintJobName(title)));
}

void TOutputService::PrintView(const THtmlView& view, const QString& job_name) {
  const config::Properties& p = config::GlobalProperties();
  TLibrary& library = main_.Library();
  const auto passage = [&](const TFrameTextView& frame, TVerseList verses,
                           const config::TPropertiesBibleView& settings, std::string main_line,
                           const std::string& job) {
    const TPassageRenderer& shown = frame.Renderer();
    TPassagePrint print;
    print.verses = std::move(verses);
    print.bible = shown.Bible();
    print.compare = shown.CompareBible();
    print.keys = shown.Keys();
    print.case_sensitive = shown.CaseSensitive();
    print.reference_links = shown.ReferenceLinks();
    print.settings = settings;
    print.key_color = p.key_hilight_color;
    print.strongs_data = library.StrongsData();
    print.paragraphs = library.Paragraphs();
    if (print.bible == nullptr || print.verses.empty()) return;
    const std::string heading = PrintHeading(
        main_line, PrintModuleLine(print.bible->GetTitle(), print.bible->GetAbbreviation()));
    PrintHtml(PrintablePassage(print, heading), ToDisplayText(PrintJobName(job)),
              ToDisplayText(settings.main_font), settings.main_size);
  };

  if (TFrameBibleView* bible_view = main_.BibleView();
      bible_view != nullptr && &view == bible_view->TextView()->HTMLView()) {
    const TLMBibleModule* b = bible_view->CurrentBible();
    const TVerseList& chapter = bible_view->ChapterVerses();
    if (b == nullptr || chapter.empty()) return;
    const std::string title = PrintChapterTitle(*b, chapter.front());
    passage(*bible_view->TextView(), chapter, p.bible_view, title,
            title + " (" + b->GetAbbreviation() + ")");
    return;
  }
  if (TFrameVerseListView* list = main_.VerseListView();
      list != nullptr && &view == list->TextView()->HTMLView()) {
    // The page on screen, without its page line.
    const TPassageRenderer& shown = list->TextView()->Renderer();
    const TVerseList& all = shown.VerseList();
    TVerseList page;
    if (!all.empty()) {
      const int first = std::clamp(shown.PageFirst(), 0, static_cast<int>(all.size()) - 1);
      const int last = std::clamp(shown.PageLast(), first, static_cast<int>(all.size()) - 1);
      page.assign(all.begin() + first, all.begin() + last + 1);
    }
    passage(*list->TextView(), std::move(page), p.verse_list_view, list->Title(), list->Title());
    return;
  }
  const TLMBibleModule* kjv = library.Kjv();
  if (TFrameDictView* dict = main_.DictView(); dict != nullptr && &view == dict->HTMLView()) {
    const TLMDictionaryModule* book = dict->CurrentBook();
    const int entry = dict->CurrentEntry();
    if (book == nullptr || kjv == nullptr ||
        !IsUsableEntryNumber(entry, book->EntryTitles().size()))
      return;
    const std::string& title = book->EntryTitles()[static_cast<size_t>(entry)];
    const std::string html = PrintableEntry(
        book->GetEntryText(entry), title, book->EntryTitles(), *kjv, p.link_multiple_verses,
        p.key_hilight_color,
        PrintHeading({}, PrintModuleLine(book->GetTitle(), book->GetAbbreviation())));
    PrintHtml(html, ToDisplayText(PrintJobName(book->GetAbbreviation() + " - " + title)),
              ToDisplayText(p.dict_view.main_font), p.dict_view.main_size);
    return;
  }
  if (TFrameCommentView* comments = main_.CommentView();
      comments != nullptr && &view == comments->HTMLView()) {
    const TLMCommentaryModule* c = comments->CurrentCommentary();
    const int position = comments->CurrentPosition();
    if (c == nullptr || kjv == nullptr || !IsUsableCommentaryPosition(position)) return;
    const int verses[] = {position + 1};
    const std::string title = FormatVerseList(verses, *kjv);
    const std::string html =
        PrintableEntry(c->GetEntryText(position), title, c->EntryTitles(), *kjv,
                       p.link_multiple_verses, p.key_hilight_color,
                       PrintHeading({}, PrintModuleLine(c->GetTitle(), c->GetAbbreviation())));
    PrintHtml(html, ToDisplayText(PrintJobName(c->GetAbbreviation() + " " + title)),
              ToDisplayText(p.comment_view.main_font), p.comment_view.main_size);
    return;
  }
  // A view of no pane prints as it shows.
  if (view.DocumentSource().empty()) return;
  PrintHtml(view.DocumentSource(), job_name, ToDisplayText(view.DefFontName()), view.DefFontSize());
}

}  // namespace lumora::ui
