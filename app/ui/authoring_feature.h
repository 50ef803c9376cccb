// The user-module commands: "Create New User Commentary..." and "Create
// New User Book..." with their naming dialog, the "Delete User ..."
// submenus' items, and the panes' authoring service. A new module enters
// the library (every pane, tab and menu follows its signals) and shows in
// its pane; a deleted one leaves it, after any long work has ended.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace lumora {
class TLMCommentaryModule;
class TLMDictionaryModule;
}  // namespace lumora

namespace lumora::ui {

class TEditorForm;
class TFormImportProgress;
class TImportNameDlg;
class TMain;

inline constexpr const char* kCreateCommentaryFailed = "Error creating user commentary.";
inline constexpr const char* kCreateBookFailed = "Error creating user book.";
inline constexpr const char* kCloseEditorFirst =
    "Please close the editor before deleting a user module.";
inline constexpr const char* kSaveFailedMessage =
    "Unable to save changes. Module file may be corrupt. It may be necessary to restart.";

class TAuthoringFeature : public QObject {
  Q_OBJECT

 public:
  enum class Kind { kCommentary, kBook };

  explicit TAuthoringFeature(TMain& main);

  bool CanCreate() const;
  // The command: the naming dialog, then the new module shown in its pane.
  void CreateCommand(Kind kind);
  // Creates the module as OK in the dialog does; false (after the error
  // box) when its file could not be made.
  bool Create(Kind kind, const std::string& title, const std::string& abbreviation);
  // The problems of a name pair for `kind` (names trimmed in place).
  std::string CheckNames(Kind kind, std::string& title, std::string& abbreviation) const;

  // A delete submenu's item: asks, then deletes once no long work runs.
  void DeleteCommentary(const TLMCommentaryModule& commentary);
  void DeleteBook(const TLMDictionaryModule& book);

  TImportNameDlg* NameDialog();

  // "Import Lumora 3.x Note Set": the explanation, the file, the naming
  // dialog, the import with its progress window, the outcome.
  void ImportCommand();
  // The import of the note set whose index is `chosen_file`, from the
  // naming dialog on; false when it failed, was cancelled or aborted.
  bool Import(const std::string& chosen_file);
  TFormImportProgress* ImportProgress();
  // The file the open dialog returns (tests answer it); empty: cancelled.
  std::function<QString()> choose_note_set;
  // Information messages with OK (and Cancel when `ask`); false: Cancel.
  std::function<bool(const QString& text, bool ask)> info_message;

  // The entry editor, made on first use; null before.
  TEditorForm* Editor();
  TEditorForm* ExistingEditor() const;
  void EditCommentary(const TLMCommentaryModule& commentary, int slot);
  void EditBookEntry(const TLMDictionaryModule& book, int entry);

  // The pane commands that change a user module without the editor. Each
  // asks first, writes through the module's writer and redraws what the
  // module now holds, also when the write failed.
  void ClearComment(const TLMCommentaryModule& commentary, int slot);
  void AddBookEntry(const TLMDictionaryModule& book);
  void DeleteBookEntry(const TLMDictionaryModule& book, int entry);

  // Error boxes; tests record them.
  std::function<void(const QString& text)> error_message;
  // The input box of "Add New Entry..." (caption, prompt, text shown);
  // nullopt: cancelled. Tests answer it.
  std::function<std::optional<QString>(const QString& caption, const QString& prompt,
                                       const QString& text)>
      ask_text;

 private:
  void ShowError(const QString& text);
  bool EditorBusy();
  void Delete(Kind kind, const std::string& abbreviation, const std::string& title);
  void RedrawLinkingViews();
  std::optional<QString> AskText(const QString& caption, const QString& prompt,
                                 const QString& text);

  TMain& main_;
  QPointer<TImportNameDlg> dialog_;
  QPointer<TEditorForm> editor_;
  QPointer<TFormImportProgress> import_progress_;
  bool importing_ = false;
};

TAuthoringFeature* InstallAuthoringFeature(TMain& main);

}  // namespace lumora::ui
