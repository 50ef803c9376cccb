#include "app/ui/copy_export_feature.h"

#include <QAction>
#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>

#include "app/output_texts.h"
#include "app/pane_print.h"
#include "app/ui/book_range_dialog.h"
#include "app/ui/export_format_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/output_service.h"
#include "app/ui/verse_entry_dialog.h"
#include "config/properties.h"
#include "core/refs/reference_parser.h"
#include "render/export_procs.h"
#include "render/ui/display_text.h"
#include "views/actions.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/settings.h"

namespace lumora::ui {
namespace {

constexpr const char* kRangeUnrecognized = "Unrecognized reference.";

ExportBibleView CommandsExportView(TMain& main) {
  return ExportViewFrom(config::GlobalProperties().bible_view, main.Library().StrongsData());
}

// Clears the status text on every way out.
struct TCommandStatusClear {
  TMain& main;
  ~TCommandStatusClear() { main.SetStatusText(QString()); }
};

}  // namespace

TCopyExportCommands::TCopyExportCommands(TMain& main, TOutputService& output)
    : QObject(&main), main_(main), output_(output) {
  setObjectName(QStringLiteral("CopyExportCommands"));
  Bind();
}

void TCopyExportCommands::Bind() {
  const auto bind = [this](const char* name, auto&& handler) {
    QAction* a = main_.MainAction(name);
    connect(a, &QAction::triggered, this, std::forward<decltype(handler)>(handler));
  };
  bind("ActionCopyVerses", [this] { CopyVerses(); });
  bind("ActionExportVerses", [this] { ExportVerses(); });
  bind("ActionPrintVerses", [this] { PrintVerses(); });
  bind("ActionPrintSetup", [this] { output_.PrinterSetup(); });
  bind("ActionConfigureFormat", [this] { ConfigureFormat(); });
  bind("ActionCopyCommentRange", [this] { CommentRange(false); });
  bind("ActionPrintCommentary", [this] { CommentRange(true); });
  bind("ActionCopyBookRange", [this] { BookRange(false); });
  bind("ActionPrintDict", [this] { BookRange(true); });
  bind("ActionPopVerseList", [this] { DisplayVerses(); });
  // The Edit menu names the Book range command by its menu caption.
  main_.MainAction("ActionCopyBookRange")->setText(QStringLiteral("Copy Range of Book Entries..."));
  main_.Actions().AddUpdater(this, [this] { UpdateActions(); });
  UpdateActions();
}

void TCopyExportCommands::UpdateActions() {
  const TLibrary& library = main_.Library();
  const bool bible = library.IsLoaded() && library.Kjv() != nullptr;
  for (const char* name : {"ActionCopyVerses", "ActionExportVerses", "ActionPrintVerses",
                           "ActionConfigureFormat", "ActionPopVerseList"})
    main_.MainAction(name)->setEnabled(bible);
  main_.MainAction("ActionPrintSetup")->setEnabled(true);
  const bool commentary = bible && !library.Commentaries().empty() &&
                          main_.CommentView()->CurrentCommentary() != nullptr;
  main_.MainAction("ActionCopyCommentRange")->setEnabled(commentary);
  main_.MainAction("ActionPrintCommentary")->setEnabled(commentary);
  // A Book without entries has no range to choose.
  const TLMDictionaryModule* book =
      library.Books().empty() ? nullptr : main_.DictView()->CurrentBook();
  const bool entries = bible && book != nullptr && book->EntryCount() > 0;
  main_.MainAction("ActionCopyBookRange")->setEnabled(entries);
  main_.MainAction("ActionPrintDict")->setEnabled(entries);
}

// --- Dialogs, made on first use -------------------------------------------------------

TDlgVerseEntry* TCopyExportCommands::VerseEntryDialog() {
  if (!verse_entry_) {
    verse_entry_ = new TDlgVerseEntry(main_.Library(), main_.SettingsStorage(), &main_);
    verse_entry_->configure_formatting = [this] { ConfigureFormat(verse_entry_); };
  }
  verse_entry_->show_help = show_help;
  return verse_entry_;
}

TDlgExportFormat* TCopyExportCommands::FormatDialog() {
  if (!format_) format_ = new TDlgExportFormat(&main_);
  format_->show_help = show_help;
  return format_;
}

TDlgBookRange* TCopyExportCommands::BookRangeDialog() {
  if (!book_range_) book_range_ = new TDlgBookRange(&main_);
  return book_range_;
}

QInputDialog* TCopyExportCommands::CommentRangeBox() {
  if (!comment_range_) {
    comment_range_ = new QInputDialog(&main_);
    comment_range_->setObjectName(QStringLiteral("CommentRangeBox"));
    comment_range_->setInputMode(QInputDialog::TextInput);
  }
  return comment_range_;
}

// --- Verses ------------------------------------------------------------------------

void TCopyExportCommands::AskVerses(
    const QString& caption, const QString& help_topic,
    std::function<void(const TVerseRangeList&, const TLMBibleModule&)> run) {
  TDlgVerseEntry::TRequest request;
  request.caption = caption;
  request.help_topic = help_topic;
  request.preselect = main_.BibleViewBible();
  VerseEntryDialog()->Open(
      request, [run = std::move(run)](const TVerseRangeList& ranges, const TLMBibleModule* bible) {
        // Nothing recognised, or cancelled: nothing happens, without a message.
        if (ranges.empty() || bible == nullptr) return;
        run(ranges, *bible);
      });
}

void TCopyExportCommands::CopyVerses() {
  AskVerses(QStringLiteral("Copy Verse(s)"), QStringLiteral("Scribble240"),
            [this](const TVerseRangeList& ranges, const TLMBibleModule& bible) {
              main_.SetStatusText(QStringLiteral("Copying verses..."));
              const TCommandStatusClear clear{main_};
              const ExportFormatSettings format = ExportFormatFrom(config::GlobalProperties());
              const ExportBibleView view = CommandsExportView(main_);
              output_.CopyFormatted({FormatVerseRanges(ranges, bible, format, false, view),
                                     FormatVerseRanges(ranges, bible, format, true, view),
                                     {}});
            });
}

void TCopyExportCommands::ExportVerses() {
  AskVerses(QStringLiteral("Export Verse(s) to File"), QStringLiteral("Scribble260"),
            [this](const TVerseRangeList& ranges, const TLMBibleModule& bible) {
              QString path;
              bool html = false;
              if (!output_.ChooseExportFile(path, html)) return;
              main_.SetStatusText(QStringLiteral("Exporting verses..."));
              const TCommandStatusClear clear{main_};
              output_.WriteExportFile(
                  path,
                  FormatVerseRanges(ranges, bible, ExportFormatFrom(config::GlobalProperties()),
                                    html, CommandsExportView(main_)),
                  html);
            });
}

void TCopyExportCommands::PrintVerses() {
  AskVerses(QStringLiteral("Print Verse(s)"), QStringLiteral("Scribble270"),
            [this](const TVerseRangeList& ranges, const TLMBibleModule& bible) {
              const std::string html =
                  FormatVerseRanges(ranges, bible, ExportFormatFrom(config::GlobalProperties()),
                                    true, PaperView(CommandsExportView(main_)));
              output_.PrintHtml(html, ToDisplayText(PrintJobName(RangesCaption(ranges, bible))));
            });
}

void TCopyExportCommands::DisplayVerses() {
  TDlgVerseEntry::TRequest request;
  request.caption = QStringLiteral("Display Verse(s)");
  request.display_only = true;
  request.preselect = main_.BibleViewBible();
  VerseEntryDialog()->Open(request, [this](const TVerseRangeList& ranges, const TLMBibleModule*) {
    const TLMBibleModule* kjv = main_.Library().Kjv();
    if (ranges.empty() || kjv == nullptr) return;
    main_.ShowVerseList(ExpandRanges(ranges, kjv->VerseCount()), {}, "User verse list", false);
  });
}

void TCopyExportCommands::ConfigureFormat(QWidget* over) {
  TDlgExportFormat* dialog = FormatDialog();
  // Over the verse-entry dialog when opened from it, so it stays on top.
  QWidget* parent = over != nullptr ? over : static_cast<QWidget*>(&main_);
  if (dialog->parentWidget() != parent) dialog->setParent(parent, dialog->windowFlags());
  dialog->Open(main_.Library().Kjv(), CommandsExportView(main_), [this] {
    main_.Settings().Commit(kSettingsFormatting);
    main_.SaveSettingsNow();
  });
}

// --- Commentary ranges -------------------------------------------------------------------

void TCopyExportCommands::CommentRange(bool print) { OpenCommentRangeBox(print, QString()); }

void TCopyExportCommands::OpenCommentRangeBox(bool print, const QString& text) {
  const TLMCommentaryModule* commentary = main_.CommentView()->CurrentCommentary();
  if (commentary == nullptr || main_.Library().Kjv() == nullptr) return;
  const std::string abbreviation = commentary->GetAbbreviation();
  QInputDialog* box = CommentRangeBox();
  box->disconnect(this);
  box->setWindowTitle(
      (print ? QStringLiteral("Print range of %1") : QStringLiteral("Copy range of %1"))
          .arg(ToDisplayText(abbreviation)));
  box->setLabelText(print ? QStringLiteral("Enter verse references to print:")
                          : QStringLiteral("Enter verse references to copy:"));
  box->setTextValue(text);
  connect(box, &QInputDialog::finished, this, [this, box, print, abbreviation](int result) {
    box->disconnect(this);
    if (result != QDialog::Accepted) return;
    const QString typed = box->textValue();
    const TLMBibleModule* kjv = main_.Library().Kjv();
    const TLMCommentaryModule* c = main_.Library().FindCommentary(abbreviation);
    if (kjv == nullptr || c == nullptr) return;
    // The box comes back until the user succeeds or cancels.
    const auto again = [this, print](const QString& keep) {
      QTimer::singleShot(0, this, [this, print, keep] { OpenCommentRangeBox(print, keep); });
    };
    const TVerseRangeList ranges = ParseReferences(FromDisplayText(typed), *kjv).ranges;
    if (ranges.empty()) {
      main_.ShowMessage(QString::fromLatin1(kRangeUnrecognized));
      again(typed);
      return;
    }
    TFormattedText copy;
    copy.plain = FormatCommentRange(ranges, *kjv, *c, !print, print ? nullptr : &copy.plain_runs);
    if (copy.plain.empty()) {
      main_.ShowMessage(print ? QStringLiteral("No commentary text on specified verse(s).")
                              : QStringLiteral("No commentary text in that range."));
      again(QString());
      return;
    }
    if (print) {
      output_.PrintHtml(copy.plain, ToDisplayText(PrintJobName(c->GetAbbreviation() + " " +
                                                               RangesCaption(ranges, *kjv))));
      return;
    }
    copy.html = FormatCommentRange(ranges, *kjv, *c, false);
    output_.CopyFormatted(copy);
  });
  box->open();
}

// --- Book ranges ---------------------------------------------------------------------------

void TCopyExportCommands::BookRange(bool print) {
  const TLMDictionaryModule* book = main_.DictView()->CurrentBook();
  if (book == nullptr || book->EntryCount() == 0 || main_.Library().Kjv() == nullptr) return;
  const std::string abbreviation = book->GetAbbreviation();
  const QString caption = (print ? QStringLiteral("Print range of entries: %1")
                                 : QStringLiteral("Copy range of entries: %1"))
                              .arg(ToDisplayText(abbreviation));
  BookRangeDialog()->Open(caption, *book, [this, print, abbreviation](int first, int last) {
    const TLMBibleModule* kjv = main_.Library().Kjv();
    const TLMDictionaryModule* b = main_.Library().FindBook(abbreviation);
    if (kjv == nullptr || b == nullptr || !IsUsableEntryNumber(last, b->EntryTitles().size()))
      return;
    if (print) {
      const auto& titles = b->EntryTitles();
      std::string what = b->GetAbbreviation() + " " + titles[static_cast<size_t>(first)];
      if (last != first) what += " - " + titles[static_cast<size_t>(last)];
      output_.PrintHtml(FormatBookRange(first, last, *kjv, *b, false),
                        ToDisplayText(PrintJobName(what)));
      return;
    }
    TFormattedText text;
    text.plain = FormatBookRange(first, last, *kjv, *b, true, &text.plain_runs);
    text.html = FormatBookRange(first, last, *kjv, *b, false);
    output_.CopyFormatted(text);
  });
}

// --- Installation ----------------------------------------------------------------------------

TCopyExportCommands* InstallCopyExport(TMain& main) {
  auto service = std::make_unique<TOutputService>(main);
  TOutputService& output = *service;
  main.InstallOutput(std::move(service));
  return new TCopyExportCommands(main, output);
}

}  // namespace lumora::ui
