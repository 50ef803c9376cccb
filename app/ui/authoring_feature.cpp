#include "app/ui/authoring_feature.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <filesystem>
#include <system_error>

#include "app/ui/editor_form.h"
#include "app/ui/import_name_dialog.h"
#include "app/ui/import_progress_form.h"
#include "app/ui/main_window.h"
#include "app/user_module_naming.h"
#include "config/properties.h"
#include "core/catalogue/module_catalogue.h"
#include "core/import/note_set.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/platform/file_system.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "render/ui/display_text.h"
#include "views/actions.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/pane_services.h"
#include "views/verse_list_view.h"

namespace lumora::ui {

namespace {

bool Listed(const std::vector<std::string>& list, const std::string& name) {
  for (const std::string& item : list)
    if (cp1252::EqualNoCase(item, name)) return true;
  return false;
}

// Whether a file of that name, in any case, lies in `folder`.
bool FolderHolds(const std::string& folder, std::string_view file_name) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (cp1252::EqualNoCase(it->path().filename().string(), file_name)) return true;
  return false;
}

// The panes' authoring service: the editor, the entry commands and the
// delete submenus.
class TAuthoringService : public IAuthoringService {
 public:
  explicit TAuthoringService(TAuthoringFeature& feature) : feature_(&feature) {}
  bool CanEdit() const override { return static_cast<bool>(feature_); }
  bool EditorVisible() const override {
    return feature_ && feature_->ExistingEditor() != nullptr &&
           feature_->ExistingEditor()->isVisible();
  }
  bool EditorEditing() const override {
    return feature_ && feature_->ExistingEditor() != nullptr &&
           feature_->ExistingEditor()->Editing();
  }
  void SendToEditor(const std::string& text) override {
    if (EditorEditing()) feature_->ExistingEditor()->InsertAtSelection(text);
  }
  void EditCommentary(const TLMCommentaryModule& commentary, int position) override {
    if (feature_) feature_->EditCommentary(commentary, position);
  }
  void EditBookEntry(const TLMDictionaryModule& book, int entry) override {
    if (feature_) feature_->EditBookEntry(book, entry);
  }
  bool QueryClose() override {
    // The editor keeps the window open while it holds text the user wants
    // to keep (a failed save included).
    return !EditorVisible() || feature_->ExistingEditor()->QueryClose();
  }
  bool CanDeleteUserModules() const override { return static_cast<bool>(feature_); }
  void DeleteUserCommentary(const TLMCommentaryModule& commentary) override {
    if (feature_) feature_->DeleteCommentary(commentary);
  }
  void DeleteUserBook(const TLMDictionaryModule& book) override {
    if (feature_) feature_->DeleteBook(book);
  }
  void ClearComment(const TLMCommentaryModule& commentary, int position) override {
    if (feature_) feature_->ClearComment(commentary, position);
  }
  void AddBookEntry(const TLMDictionaryModule& book) override {
    if (feature_) feature_->AddBookEntry(book);
  }
  void DeleteBookEntry(const TLMDictionaryModule& book, int entry) override {
    if (feature_) feature_->DeleteBookEntry(book, entry);
  }

 private:
  QPointer<TAuthoringFeature> feature_;
};

}  // namespace

TAuthoringFeature::TAuthoringFeature(TMain& main) : QObject(&main), main_(main) {
  setObjectName(QStringLiteral("AuthoringFeature"));
  for (const auto& [name, kind] : {std::pair{"ActionNewCommentary", Kind::kCommentary},
                                   std::pair{"ActionNewBook", Kind::kBook}}) {
    QAction* action = main_.MainAction(name);
    if (action == nullptr) continue;
    const Kind k = kind;
    connect(action, &QAction::triggered, this, [this, k] { CreateCommand(k); });
    main_.Actions().AddUpdater(this, [this, action] { action->setEnabled(CanCreate()); });
  }
  if (QAction* action = main_.MainAction("ActionImport3x")) {
    connect(action, &QAction::triggered, this, [this] { ImportCommand(); });
    main_.Actions().AddUpdater(this,
                               [this, action] { action->setEnabled(CanCreate() && !importing_); });
  }
  main_.InstallAuthoring(std::make_unique<TAuthoringService>(*this));
}

bool TAuthoringFeature::CanCreate() const {
  return main_.Library().IsLoaded() && main_.Library().Kjv() != nullptr;
}

void TAuthoringFeature::ShowError(const QString& text) {
  if (error_message) {
    error_message(text);
    return;
  }
  QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle), text,
                  QMessageBox::Ok, &main_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

std::string TAuthoringFeature::CheckNames(Kind kind, std::string& title,
                                          std::string& abbreviation) const {
  const TModuleCatalogue& catalogue = main_.Library().Catalogue();
  UserModuleNameRules rules;
  rules.suffix = kind == Kind::kCommentary ? ".lmc" : ".lmk";
  rules.name_in_use = [&catalogue](std::string_view name) {
    return catalogue.NamesInUse().Contains(name);
  };
  rules.file_taken = [&catalogue](std::string_view file_name) {
    return catalogue.IsFileLoaded(std::string(file_name)) ||
           FolderHolds(catalogue.UserFolder(), file_name);
  };
  return CheckUserModuleNames(title, abbreviation, rules);
}

TImportNameDlg* TAuthoringFeature::NameDialog() {
  if (!dialog_) {
    dialog_ = new TImportNameDlg(&main_);
    dialog_->show_error = [this](const QString& text) { ShowError(text); };
    dialog_->show_help = [this](const QString& topic) { main_.ShowHelpTopic(topic); };
  }
  return dialog_;
}

void TAuthoringFeature::CreateCommand(Kind kind) {
  if (!CanCreate()) return;
  TImportNameDlg* dialog = NameDialog();
  const bool commentary = kind == Kind::kCommentary;
  dialog->setWindowTitle(commentary ? QStringLiteral("Create User Commentary")
                                    : QStringLiteral("Create User Book"));
  dialog->SetHelpContext(commentary ? 140 : 130);
  dialog->SetPrompt(commentary ? QStringLiteral("Specify commentary title and abbreviation.")
                               : QStringLiteral("Specify book title and abbreviation."));
  dialog->TitleBox()->clear();
  dialog->AbbreviationBox()->clear();
  dialog->check_names = [this, kind](std::string& title, std::string& abbreviation) {
    return CheckNames(kind, title, abbreviation);
  };
  if (dialog->exec() != QDialog::Accepted) return;
  (void)Create(kind, dialog->Title(), dialog->Abbreviation());
}

bool TAuthoringFeature::Create(Kind kind, const std::string& title,
                               const std::string& abbreviation) {
  TModuleCatalogue& catalogue = main_.Library().Catalogue();
  const std::vector<std::string>& excluded = config::GlobalProperties().exclude_from_linking;
  if (kind == Kind::kCommentary) {
    const int slot = main_.CommentView() != nullptr ? main_.CommentView()->CurrentPosition() : 0;
    Result<TLMCommentaryModule*> made = catalogue.CreateUserCommentary(title, abbreviation);
    if (!made) {
      ShowError(QString::fromLatin1(kCreateCommentaryFailed) + QStringLiteral("\n\n") +
                ToDisplayText(made.status().message()));
      return false;
    }
    // Only the new module's own flags: the others keep what Preferences
    // made of them.
    TLMCommentaryModule* c = *made;
    c->tab_visible = true;
    c->included_in_linking = !Listed(excluded, c->GetAbbreviation());
    main_.ShowPane(TPane::kCommentary);
    main_.ShowCommentary(c, slot >= 0 ? slot : 0, 0, 0);
  } else {
    Result<TLMDictionaryModule*> made = catalogue.CreateUserBook(title, abbreviation);
    if (!made) {
      ShowError(QString::fromLatin1(kCreateBookFailed) + QStringLiteral("\n\n") +
                ToDisplayText(made.status().message()));
      return false;
    }
    TLMDictionaryModule* b = *made;
    b->tab_visible = true;
    b->included_in_linking = !Listed(excluded, b->GetAbbreviation());
    main_.ShowPane(TPane::kBook);
    if (main_.DictView() != nullptr) main_.DictView()->ShowBook(b);
  }
  if (main_.BibleView() != nullptr) main_.BibleView()->RefreshView();
  if (main_.VerseListView() != nullptr) main_.VerseListView()->Rerender();
  return true;
}

bool TAuthoringFeature::EditorBusy() {
  if (!main_.Authoring().EditorEditing()) return false;
  main_.ShowMessage(QString::fromLatin1(kCloseEditorFirst));
  return true;
}

void TAuthoringFeature::DeleteCommentary(const TLMCommentaryModule& commentary) {
  Delete(Kind::kCommentary, commentary.GetAbbreviation(), commentary.GetTitle());
}

void TAuthoringFeature::DeleteBook(const TLMDictionaryModule& book) {
  Delete(Kind::kBook, book.GetAbbreviation(), book.GetTitle());
}

void TAuthoringFeature::Delete(Kind kind, const std::string& abbreviation,
                               const std::string& title) {
  if (EditorBusy()) return;
  const QString question =
      QStringLiteral("Are you sure you wish to delete the entire user module %1 (%2)?")
          .arg(ToDisplayText(abbreviation), ToDisplayText(title));
  if (!main_.AskYesNo(QString::fromLatin1(kApplicationTitle), question)) return;
  // Never under a scan that reads the module: the scan stops and the
  // deletion follows it. Never under the menu item that asked either: the
  // menus are rebuilt without it. The module is looked up again then.
  QTimer::singleShot(0, this, [this, kind, abbreviation] {
    main_.RunAfterLongWork([this, kind, abbreviation] {
      TLibrary& library = main_.Library();
      if (!library.IsLoaded()) return;
      Status deleted;
      if (kind == Kind::kCommentary) {
        const TLMCommentaryModule* c = library.FindCommentary(abbreviation);
        if (c == nullptr || c->IsReadOnly()) return;
        deleted = library.Catalogue().DeleteUserCommentary(c);
      } else {
        const TLMDictionaryModule* b = library.FindBook(abbreviation);
        if (b == nullptr || b->IsReadOnly()) return;
        deleted = library.Catalogue().DeleteUserBook(b);
      }
      if (main_.BibleView() != nullptr) main_.BibleView()->RefreshView();
      if (main_.VerseListView() != nullptr) main_.VerseListView()->Rerender();
      if (!deleted.ok()) ShowError(ToDisplayText(deleted.message()));
    });
  });
}

// --- Entries ------------------------------------------------------------------------

void TAuthoringFeature::RedrawLinkingViews() {
  if (main_.BibleView() != nullptr) main_.BibleView()->RefreshView();
  if (main_.VerseListView() != nullptr) main_.VerseListView()->Rerender();
}

std::optional<QString> TAuthoringFeature::AskText(const QString& caption, const QString& prompt,
                                                  const QString& text) {
  if (ask_text) return ask_text(caption, prompt, text);
  bool ok = false;
  const QString typed =
      QInputDialog::getText(&main_, caption, prompt, QLineEdit::Normal, text, &ok);
  if (!ok) return std::nullopt;
  return typed;
}

void TAuthoringFeature::ClearComment(const TLMCommentaryModule& commentary, int slot) {
  TLibrary& library = main_.Library();
  const TLMBibleModule* kjv = library.Kjv();
  if (kjv == nullptr || commentary.IsReadOnly() || !library.Contains(&commentary) || slot < 0 ||
      slot >= kVerseCount)
    return;
  const TVerseLocation at = kjv->GetVerseLocation(slot + 1);
  const QString question =
      QStringLiteral(
          "Are you sure you want to permanently delete %1 %2:%3 from user commentary %4?")
          .arg(ToDisplayText(kjv->GetLongBookTitle(at.book)))
          .arg(at.chapter)
          .arg(at.verse)
          .arg(ToDisplayText(commentary.GetAbbreviation()));
  if (!main_.AskYesNo(QStringLiteral("Confirmation"), question)) return;
  auto& writable = const_cast<TLMCommentaryModule&>(commentary);
  const Status written = writable.WriteEntry(std::string_view(), slot, *kjv);
  // What the module holds now, whatever the write did.
  if (main_.CommentView() != nullptr && main_.CommentView()->CurrentCommentary() == &commentary)
    main_.CommentView()->EntriesChanged();
  RedrawLinkingViews();
  if (!written.ok()) ShowError(QString::fromLatin1(kSaveFailedMessage));
}

void TAuthoringFeature::AddBookEntry(const TLMDictionaryModule& book) {
  TLibrary& library = main_.Library();
  if (book.IsReadOnly() || !library.Contains(&book)) return;
  const QString caption =
      QStringLiteral("Create New Entry: ") + ToDisplayText(book.GetAbbreviation());
  QString typed;
  std::string title;
  for (;;) {
    const std::optional<QString> answer =
        AskText(caption, QStringLiteral("Enter the title of the new entry:"), typed);
    if (!answer) return;
    typed = *answer;
    title = NameBytes(typed.trimmed());
    if (title.empty()) {
      ShowError(QStringLiteral("Please specify a title."));
    } else if (!FitsCodePage(typed)) {
      ShowError(QStringLiteral("Titles may not contain characters outside Windows-1252."));
    } else if (book.FindTitle(title) >= 0) {
      ShowError(ToDisplayText(book.GetAbbreviation()) +
                QStringLiteral(" already contains an entry by that title. Please enter a "
                               "different title."));
    } else {
      break;
    }
  }
  main_.SetStatusText(QStringLiteral("Please wait..."));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Entry numbers of this Book go stale: results holding them go first.
  library.AnnounceEntriesChanging(book);
  const Status added = const_cast<TLMDictionaryModule&>(book).AddEntry(title);
  library.AnnounceEntriesChanged(book);
  QApplication::restoreOverrideCursor();
  main_.SetStatusText(QString());
  TFrameDictView* view = main_.DictView();
  if (view != nullptr && view->CurrentBook() == &book)
    view->EntriesChanged(added.ok() ? book.FindTitle(title) : view->CurrentEntry());
  RedrawLinkingViews();
  if (!added.ok()) ShowError(QString::fromLatin1(kSaveFailedMessage));
}

void TAuthoringFeature::DeleteBookEntry(const TLMDictionaryModule& book, int entry) {
  TLibrary& library = main_.Library();
  if (book.IsReadOnly() || !library.Contains(&book) || entry < 0 || entry >= book.EntryCount())
    return;
  const QString question = QStringLiteral("Delete %1 from %2:\n\nAre you sure?")
                               .arg(ToDisplayText(book.EntryTitles()[static_cast<size_t>(entry)]),
                                    ToDisplayText(book.GetTitle()));
  if (!main_.AskYesNo(QString::fromLatin1(kApplicationTitle), question)) return;
  main_.SetStatusText(QStringLiteral("Please wait..."));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  library.AnnounceEntriesChanging(book);
  const Status deleted = const_cast<TLMDictionaryModule&>(book).DeleteEntry(entry);
  library.AnnounceEntriesChanged(book);
  QApplication::restoreOverrideCursor();
  main_.SetStatusText(QString());
  // The entry now at that number, or the new last one; none when the Book
  // is empty.
  TFrameDictView* view = main_.DictView();
  if (view != nullptr && view->CurrentBook() == &book)
    view->EntriesChanged(std::min(entry, book.EntryCount() - 1));
  RedrawLinkingViews();
  if (!deleted.ok()) ShowError(QString::fromLatin1(kSaveFailedMessage));
}

// --- Note-set import ------------------------------------------------------------------

namespace {

// The import's progress on its window.
class TImportProgressSink : public NoteImportProgress {
 public:
  explicit TImportProgressSink(TFormImportProgress& form) : form_(form) {}
  void Pass(const std::string& text) override { form_.SetPass(ToDisplayText(text)); }
  void Counter(const std::string& text) override { form_.SetCounter(ToDisplayText(text)); }
  void Bar(int position, int maximum) override { form_.SetBar(position, maximum); }
  bool AbortRequested() override { return form_.Poll(); }

 private:
  TFormImportProgress& form_;
};

constexpr const char* kImportExplanation =
    "This function allows you to convert an old Lumora 3.x Note Set\ninto a Lumora 4 Commentary "
    "Module. This function is intended for\nuse with user-created note sets and should not be used "
    "for converting\nnote sets which are included with Lumora.";

}  // namespace

TFormImportProgress* TAuthoringFeature::ImportProgress() {
  if (!import_progress_) import_progress_ = new TFormImportProgress(&main_);
  return import_progress_;
}

void TAuthoringFeature::ImportCommand() {
  if (!CanCreate() || importing_) return;
  const QString explanation = QString::fromLatin1(kImportExplanation);
  bool go = true;
  if (info_message) {
    go = info_message(explanation, true);
  } else {
    go = QMessageBox::information(&main_, QString::fromLatin1(kApplicationTitle), explanation,
                                  QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
  }
  if (!go) return;
  main_.SetStatusText(QStringLiteral("Running Import process..."));
  QString chosen;
  if (choose_note_set) {
    chosen = choose_note_set();
  } else {
    QString start;
    for (const char* folder : {"C:\\Program Files\\Lumora95", "C:\\Program Files\\Lumora97",
                               "C:\\Program Files\\Lumora"})
      if (start.isEmpty() && std::filesystem::is_directory(folder))
        start = QString::fromLatin1(folder);
    chosen =
        QFileDialog::getOpenFileName(&main_, QStringLiteral("Import Lumora 3.x Note Set"), start,
                                     QStringLiteral("Lumora 3.x Note Sets (*.NMI *.nmi)"));
  }
  const bool imported = !chosen.isEmpty() && Import(chosen.toStdString());
  if (imported) {
    const QString done =
        QStringLiteral("Conversion successful. The imported Note Set has been placed in \n") +
        ToDisplayText(main_.Library().Catalogue().UserFolder()) +
        QStringLiteral(
            "\nas a user-created commentary.\n\nTHIS MODULE WILL BE AVAILBLE THE NEXT TIME "
            "YOU START LUMORA 4.\nYOU MUST CLOSE AND RESTART LUMORA 4 TO ACCESS THE NEW "
            "MODULE.");
    if (info_message)
      (void)info_message(done, false);
    else
      QMessageBox::information(&main_, QString::fromLatin1(kApplicationTitle), done);
  }
  main_.SetStatusText(QString());
}

bool TAuthoringFeature::Import(const std::string& chosen_file) {
  TLibrary& library = main_.Library();
  const TLMBibleModule* kjv = library.Kjv();
  if (kjv == nullptr) return false;
  FileSystem& fs = DefaultFileSystem();
  Result<NoteSetFiles> files = OpenNoteSet(chosen_file, fs);
  if (!files) {
    ShowError(ToDisplayText(files.status().message()));
    return false;
  }
  const std::string base = std::string(TrimNote(files->base_name));
  const ProposedImportNames proposed = ProposeImportNames(base, library.Catalogue().NamesInUse());
  TImportNameDlg* dialog = NameDialog();
  dialog->setWindowTitle(QStringLiteral("Import 3.x Note Set"));
  dialog->SetHelpContext(120);
  dialog->SetPrompt(QStringLiteral("Old Title: ") + ToDisplayText(base));
  dialog->TitleBox()->setText(ToDisplayText(proposed.title));
  dialog->AbbreviationBox()->setText(ToDisplayText(proposed.abbreviation));
  dialog->check_names = [this](std::string& title, std::string& abbreviation) {
    return CheckNames(Kind::kCommentary, title, abbreviation);
  };
  if (dialog->exec() != QDialog::Accepted) return false;

  // The command stays disabled until the import has ended, whatever its end.
  importing_ = true;
  main_.Actions().Invalidate();
  TFormImportProgress* progress = ImportProgress();
  progress->Start();
  TImportProgressSink sink(*progress);
  Result<std::string> written = Status::Error(ErrorKind::kIo, "not run");
  try {
    written = ImportNoteSet(*files, dialog->Title(), dialog->Abbreviation(),
                            library.Catalogue().UserFolder(), *kjv, fs, &sink);
  } catch (const std::exception& e) {
    written = Status::Error(ErrorKind::kIo, e.what());
  }
  progress->hide();
  importing_ = false;
  main_.Actions().Invalidate();
  if (!written) {
    // Abort ends the import silently.
    if (!IsNoteImportAbort(written.status())) ShowError(ToDisplayText(written.status().message()));
    return false;
  }
  return true;
}

// --- The editor -----------------------------------------------------------------------

TEditorForm* TAuthoringFeature::ExistingEditor() const { return editor_; }

TEditorForm* TAuthoringFeature::Editor() {
  if (!editor_) editor_ = new TEditorForm(main_);
  return editor_;
}

void TAuthoringFeature::EditCommentary(const TLMCommentaryModule& commentary, int slot) {
  if (commentary.IsReadOnly() || !main_.Library().Contains(&commentary)) return;
  (void)Editor()->OpenCommentary(commentary, slot);
}

void TAuthoringFeature::EditBookEntry(const TLMDictionaryModule& book, int entry) {
  if (book.IsReadOnly() || !main_.Library().Contains(&book)) return;
  (void)Editor()->OpenBookEntry(book, entry);
}

TAuthoringFeature* InstallAuthoringFeature(TMain& main) { return new TAuthoringFeature(main); }

}  // namespace lumora::ui
