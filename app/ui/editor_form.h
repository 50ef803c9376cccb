// TEditorForm: the window in which the entries of user Commentaries and
// user Books are written, one entry at a time. The entry opens on the
// formatted surface (a rich-text editor with its formatting tool bar) or,
// when the settings ask for it or the entry holds markup that surface would
// lose, on the raw surface (the HTML source as plain text). Saving turns the
// surface's content back into entry markup and hands it to the module's
// writer; the panes then show the entry again.
//
// Messages, the close question and the colour dialog go through the
// function members, so tests can answer them. The main window's close
// sequence (closingWindows) closes the window without asking again: the
// main window asks QueryClose first.
#pragma once

#include <QColor>
#include <QMainWindow>
#include <QMessageBox>
#include <functional>
#include <optional>
#include <string>

#include "app/ui/editor_document.h"
#include "config/view_properties.h"

class QAction;
class QComboBox;
class QFontComboBox;
class QLabel;
class QPlainTextEdit;
class QTextEdit;
class QToolBar;

namespace lumora {
class TLMCommentaryModule;
class TLMDictionaryModule;
}  // namespace lumora

namespace lumora::ui {

class TMain;

inline constexpr const char* kEditorBusyMessage =
    "You are already using the editor. You must finish your current editing before editing "
    "something else.";
inline constexpr const char* kEditorRawStatus = "Using raw HTML text editor.";
inline constexpr const char* kEditorSaveQuestion =
    "Do you want to save your changes before closing?";
inline constexpr const char* kEditorSaveFailedMessage =
    "Unable to save changes. Module file may be corrupt. It may be necessary to restart.";
inline constexpr const char* kEditorTooLargeMessage =
    "Unable to save entry.  Even after compression, this entry is too large for a module entry.  "
    "You will need to reduce the size of this entry before saving.  Try cutting half of this "
    "entry and then paste the second half in a new entry.";
inline constexpr const char* kEditorHelpTopic = "Scribble150";
inline constexpr int kEditorMinFontSize = 5;
inline constexpr int kEditorMaxFontSize = 30;

class TEditorForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TEditorForm(TMain& main);
  ~TEditorForm() override;

  // Opens one entry (a Commentary slot, verse index - 1; a Book's 0-based
  // entry number) and shows the window. False, with the window left as it
  // is, while another entry is being edited or when the entry cannot be
  // edited.
  bool OpenCommentary(const TLMCommentaryModule& commentary, int slot);
  bool OpenBookEntry(const TLMDictionaryModule& book, int entry);

  // Text from the panes (a link, a picture), Windows-1252: plain text over
  // the raw surface's selection, HTML at the formatted surface's.
  void InsertAtSelection(const std::string& cp1252);

  // An entry is open (set on opening, cleared when the window closes).
  bool Editing() const { return editing_; }
  // Asked before the window (or the main window) closes: true when it may
  // close. Unsaved changes are asked about (Yes / No / Cancel); a save that
  // fails keeps the window, and its text, open.
  bool QueryClose();
  // Writes the entry; false (after the message) when the module refused it.
  bool Save();

  // The surfaces' state.
  bool RawSurface() const { return raw_active_; }
  bool Modified() const;
  // The HTML the save would hand to the reference conversion.
  std::string SurfaceHtml() const;
  // The status bar's message pane.
  QString StatusMessage() const;

  QTextEdit* FormattedEditor() const { return formatted_; }
  QPlainTextEdit* RawEditor() const { return raw_; }
  QToolBar* FormatToolBar() const { return format_bar_; }
  QFontComboBox* FontBox() const { return font_box_; }
  QComboBox* SizeBox() const { return size_box_; }

  // Replaceable by tests: an error message; the close question (Yes, No or
  // Cancel); the colour dialog (nothing when cancelled); the source viewer.
  std::function<void(const QString& text)> error_message;
  std::function<QMessageBox::StandardButton(const QString& question)> ask_save;
  std::function<std::optional<QColor>(const QColor& initial, const QString& title)> pick_color;
  std::function<void(const QString& html)> show_source;

  QAction* ActionSave = nullptr;
  QAction* ActionCancel = nullptr;
  QAction* ActionCopy = nullptr;
  QAction* ActionCut = nullptr;
  QAction* ActionPaste = nullptr;
  QAction* ActionUndo = nullptr;
  QAction* ActionRedo = nullptr;
  QAction* ActionBold = nullptr;
  QAction* ActionItalic = nullptr;
  QAction* ActionUnderline = nullptr;
  QAction* ActionLeft = nullptr;
  QAction* ActionCenter = nullptr;
  QAction* ActionRight = nullptr;
  QAction* ActionJustify = nullptr;
  QAction* ActionNumbering = nullptr;
  QAction* ActionBulleted = nullptr;
  QAction* ActionIndentDec = nullptr;
  QAction* ActionIndentInc = nullptr;
  QAction* ActionForeColor = nullptr;
  QAction* ActionBackColor = nullptr;
  QAction* ActionHR = nullptr;
  QAction* ActionRemoveFormatting = nullptr;
  QAction* ActionViewSource = nullptr;
  QAction* ActionHelp = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBars();
  void CreateSurfaces();
  bool BeginOpening();
  void FinishOpening(const std::string& stored, const QString& caption,
                     const config::TPropertiesResourceView& view);
  void UpdateActions();
  void UpdateFormatState();
  void ShowInsertMode();
  void RefreshPanes();

  // Formatting commands of the formatted surface.
  void ToggleCharFormat(QAction* action);
  void SetAlignment(Qt::Alignment alignment, QAction* action);
  void ToggleList(bool ordered);
  void ChangeIndent(int delta);
  void PickColor(bool foreground);
  void InsertHorizontalLine();
  void RemoveFormatting();
  void ViewSource();

  TMain& main_;
  QTextEdit* formatted_ = nullptr;
  QPlainTextEdit* raw_ = nullptr;
  QToolBar* format_bar_ = nullptr;
  QFontComboBox* font_box_ = nullptr;
  QComboBox* size_box_ = nullptr;
  QLabel* status_pane_ = nullptr;
  QLabel* insert_pane_ = nullptr;

  TLMCommentaryModule* commentary_ = nullptr;
  TLMDictionaryModule* book_ = nullptr;
  int position_ = -1;
  bool editing_ = false;
  bool raw_active_ = false;
  // The raw text had CR LF line ends: saved with them again.
  bool raw_crlf_ = false;
  // The close question was answered for the current text.
  bool close_approved_ = false;
  bool placed_ = false;
  TEditorFont font_;
};

}  // namespace lumora::ui
