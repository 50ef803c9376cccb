#include "app/ui/editor_form.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QFontComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/editor_text.h"
#include "app/entry_editing.h"
#include "app/ui/main_window.h"
#include "config/properties.h"
#include "core/catalogue/module_catalogue.h"
#include "core/refs/reference_parser.h"
#include "core/refs/verse_index.h"
#include "render/ui/display_colors.h"
#include "render/ui/display_text.h"
#include "render/ui/window_placement.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/library.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

constexpr qreal kEditorIndentStep = 40.0;

QString Latin(const char* text) { return QString::fromLatin1(text); }

template <typename Module>
Module* WritableModule(const std::vector<std::unique_ptr<Module>>& list, const Module& wanted) {
  for (const auto& m : list)
    if (m.get() == &wanted) return m.get();
  return nullptr;
}

QString FormatCaption(const char* format, std::initializer_list<QString> args) {
  QString caption = Latin(format);
  for (const QString& a : args) {
    const qsizetype at = caption.indexOf(QLatin1Char('%'));
    if (at < 0) break;
    caption.replace(at, 2, a);
  }
  return caption;
}

}  // namespace

TEditorForm::TEditorForm(TMain& main) : QMainWindow(&main, Qt::Window), main_(main) {
  setObjectName(QStringLiteral("EditorForm"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  CreateSurfaces();
  CreateActions();
  CreateMenus();
  CreateToolBars();
  status_pane_ = new QLabel(this);
  insert_pane_ = new QLabel(this);
  statusBar()->addWidget(status_pane_, 1);
  statusBar()->addPermanentWidget(insert_pane_);
  ShowInsertMode();

  error_message = [this](const QString& text) { QMessageBox::critical(this, windowTitle(), text); };
  ask_save = [this](const QString& question) {
    return QMessageBox::question(this, windowTitle(), question,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  };
  pick_color = [this](const QColor& initial, const QString& title) -> std::optional<QColor> {
    const QColor chosen = QColorDialog::getColor(initial, this, title);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
  };
  show_source = [this](const QString& html) {
    QDialog viewer(this);
    viewer.setWindowTitle(QStringLiteral("Source"));
    auto* text = new QPlainTextEdit(&viewer);
    text->setReadOnly(true);
    text->setPlainText(html);
    auto* layout = new QVBoxLayout(&viewer);
    layout->addWidget(text);
    viewer.resize(640, 480);
    viewer.exec();
  };

  resize(640, 480);
  if (const auto stored = StoredGeometryOnScreen(config::GlobalProperties().state_editor)) {
    setGeometry(*stored);
    placed_ = true;
  }
  // The main window's close sequence: the editor closes with it (its close
  // question was asked before) and stores its place.
  connect(&main_, &TMain::closingWindows, this, [this] {
    if (isVisible()) {
      close_approved_ = true;
      close();
    }
  });
  UpdateActions();
}

TEditorForm::~TEditorForm() = default;

// --- Building ----------------------------------------------------------------------

void TEditorForm::CreateSurfaces() {
  auto* centre = new QWidget(this);
  auto* layout = new QVBoxLayout(centre);
  layout->setContentsMargins(0, 0, 0, 0);
  formatted_ = new QTextEdit(centre);
  formatted_->setObjectName(QStringLiteral("FormattedEditor"));
  formatted_->setAcceptRichText(true);
  formatted_->setContextMenuPolicy(Qt::CustomContextMenu);
  raw_ = new QPlainTextEdit(centre);
  raw_->setObjectName(QStringLiteral("RawEditor"));
  raw_->hide();
  layout->addWidget(formatted_);
  layout->addWidget(raw_);
  setCentralWidget(centre);
  formatted_->installEventFilter(this);
  raw_->installEventFilter(this);

  auto changed = [this] {
    close_approved_ = false;
    UpdateActions();
  };
  connect(formatted_->document(), &QTextDocument::contentsChanged, this, changed);
  connect(raw_->document(), &QTextDocument::contentsChanged, this, changed);
  connect(formatted_, &QTextEdit::copyAvailable, this, [this](bool) { UpdateActions(); });
  connect(raw_, &QPlainTextEdit::copyAvailable, this, [this](bool) { UpdateActions(); });
  connect(formatted_, &QTextEdit::undoAvailable, this, [this](bool) { UpdateActions(); });
  connect(formatted_, &QTextEdit::redoAvailable, this, [this](bool) { UpdateActions(); });
  connect(raw_, &QPlainTextEdit::undoAvailable, this, [this](bool) { UpdateActions(); });
  connect(formatted_, &QTextEdit::currentCharFormatChanged, this,
          [this](const QTextCharFormat&) { UpdateFormatState(); });
  connect(formatted_, &QTextEdit::cursorPositionChanged, this, [this] { UpdateFormatState(); });
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] { UpdateActions(); });
  connect(formatted_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    menu.addAction(ActionUndo);
    menu.addAction(ActionRedo);
    menu.addSeparator();
    menu.addAction(ActionCut);
    menu.addAction(ActionCopy);
    menu.addAction(ActionPaste);
    menu.exec(formatted_->viewport()->mapToGlobal(at));
  });
}

void TEditorForm::CreateActions() {
  auto make = [this](QAction*& slot, const char* name, const char* caption, const char* hint,
                     QKeySequence keys = {}) {
    slot = new QAction(Latin(caption), this);
    slot->setObjectName(Latin(name));
    slot->setToolTip(Latin(hint));
    slot->setStatusTip(Latin(hint));
    if (!keys.isEmpty()) {
      slot->setShortcut(keys);
      slot->setShortcutContext(Qt::WindowShortcut);
    }
    addAction(slot);
  };
  make(ActionSave, "ActionSave", "Save", "Save Changes", QKeySequence(Qt::CTRL | Qt::Key_S));
  make(ActionCancel, "ActionCancel", "Close", "Close");
  make(ActionCopy, "ActionCopy", "Copy", "Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
  make(ActionCut, "ActionCut", "Cut", "Cut", QKeySequence(Qt::CTRL | Qt::Key_X));
  make(ActionPaste, "ActionPaste", "Paste", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
  make(ActionUndo, "ActionUndo", "Undo", "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
  make(ActionRedo, "ActionRedo", "Redo", "Redo", QKeySequence(Qt::CTRL | Qt::Key_Y));
  make(ActionBold, "ActionBold", "Bold", "Bold", QKeySequence(Qt::CTRL | Qt::Key_B));
  make(ActionItalic, "ActionItalic", "Italic", "Italic", QKeySequence(Qt::CTRL | Qt::Key_I));
  make(ActionUnderline, "ActionUnderline", "Underline", "Underline",
       QKeySequence(Qt::CTRL | Qt::Key_U));
  make(ActionLeft, "ActionLeft", "Align Left", "Align Left");
  make(ActionCenter, "ActionCenter", "Align Center", "Align Center");
  make(ActionRight, "ActionRight", "Align Right", "Align Right");
  make(ActionJustify, "ActionJustify", "Justify", "Justify");
  make(ActionNumbering, "ActionNumbering", "Numbered List", "Numbered List");
  make(ActionBulleted, "ActionBulleted", "Bulleted List", "Bulleted List");
  make(ActionIndentDec, "ActionIndentDec", "Decrease Indentation", "Decrease Indentation");
  make(ActionIndentInc, "ActionIndentInc", "Increase Indentation", "Increase Indentation");
  make(ActionForeColor, "ActionForeColor", "Text Foreground Color", "Text Foreground Color");
  make(ActionBackColor, "ActionBackColor", "Text Background Color", "Text Background Color");
  make(ActionHR, "ActionHR", "Insert Horizontal Line", "Insert Horizontal Line");
  make(ActionRemoveFormatting, "ActionRemoveFormatting", "Remove Formatting",
       "Remove Formatting from Selection");
  make(ActionViewSource, "ActionViewSource", "", "", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
  make(ActionHelp, "ActionHelp", "Editor Help", "Help");

  for (QAction* a : {ActionBold, ActionItalic, ActionUnderline, ActionLeft, ActionCenter,
                     ActionRight, ActionJustify, ActionNumbering, ActionBulleted})
    a->setCheckable(true);

  connect(ActionSave, &QAction::triggered, this, [this] { Save(); });
  connect(ActionCancel, &QAction::triggered, this, [this] { close(); });
  connect(ActionCopy, &QAction::triggered, this, [this] {
    if (raw_active_)
      raw_->copy();
    else
      formatted_->copy();
  });
  connect(ActionCut, &QAction::triggered, this, [this] {
    if (raw_active_)
      raw_->cut();
    else
      formatted_->cut();
  });
  connect(ActionPaste, &QAction::triggered, this, [this] {
    if (raw_active_)
      raw_->paste();
    else
      formatted_->paste();
  });
  connect(ActionUndo, &QAction::triggered, this, [this] {
    if (raw_active_)
      raw_->undo();
    else
      formatted_->undo();
  });
  connect(ActionRedo, &QAction::triggered, this, [this] {
    if (!raw_active_) formatted_->redo();
  });
  connect(ActionBold, &QAction::triggered, this, [this] { ToggleCharFormat(ActionBold); });
  connect(ActionItalic, &QAction::triggered, this, [this] { ToggleCharFormat(ActionItalic); });
  connect(ActionUnderline, &QAction::triggered, this,
          [this] { ToggleCharFormat(ActionUnderline); });
  connect(ActionLeft, &QAction::triggered, this,
          [this] { SetAlignment(Qt::AlignLeft, ActionLeft); });
  connect(ActionCenter, &QAction::triggered, this,
          [this] { SetAlignment(Qt::AlignHCenter, ActionCenter); });
  connect(ActionRight, &QAction::triggered, this,
          [this] { SetAlignment(Qt::AlignRight, ActionRight); });
  connect(ActionJustify, &QAction::triggered, this,
          [this] { SetAlignment(Qt::AlignJustify, ActionJustify); });
  connect(ActionNumbering, &QAction::triggered, this, [this] { ToggleList(true); });
  connect(ActionBulleted, &QAction::triggered, this, [this] { ToggleList(false); });
  connect(ActionIndentDec, &QAction::triggered, this, [this] { ChangeIndent(-1); });
  connect(ActionIndentInc, &QAction::triggered, this, [this] { ChangeIndent(1); });
  connect(ActionForeColor, &QAction::triggered, this, [this] { PickColor(true); });
  connect(ActionBackColor, &QAction::triggered, this, [this] { PickColor(false); });
  connect(ActionHR, &QAction::triggered, this, [this] { InsertHorizontalLine(); });
  connect(ActionRemoveFormatting, &QAction::triggered, this, [this] { RemoveFormatting(); });
  connect(ActionViewSource, &QAction::triggered, this, [this] { ViewSource(); });
  connect(ActionHelp, &QAction::triggered, this,
          [this] { main_.ShowHelpTopic(Latin(kEditorHelpTopic)); });
}

void TEditorForm::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("MenuFile"));
  file->addActions({ActionSave, ActionCancel});
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("MenuEdit"));
  edit->addActions({ActionCopy, ActionCut, ActionPaste});
  edit->addSeparator();
  edit->addActions({ActionUndo, ActionRedo});
  QMenu* format = menuBar()->addMenu(QStringLiteral("F&ormat"));
  format->setObjectName(QStringLiteral("MenuFormat"));
  format->addActions({ActionBold, ActionItalic, ActionUnderline});
  format->addSeparator();
  format->addActions({ActionLeft, ActionCenter, ActionRight, ActionJustify});
  format->addSeparator();
  format->addActions({ActionNumbering, ActionBulleted, ActionIndentDec, ActionIndentInc});
  format->addSeparator();
  format->addActions({ActionBackColor, ActionForeColor});
  format->addSeparator();
  format->addAction(ActionHR);
  format->addSeparator();
  format->addAction(ActionRemoveFormatting);
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("MenuHelp"));
  help->addAction(ActionHelp);
}

void TEditorForm::CreateToolBars() {
  QToolBar* main_bar = addToolBar(QStringLiteral("Editor"));
  main_bar->setObjectName(QStringLiteral("EditorToolBar"));
  main_bar->addActions({ActionSave, ActionCancel});
  main_bar->addSeparator();
  main_bar->addActions({ActionCopy, ActionCut, ActionPaste});
  main_bar->addSeparator();
  main_bar->addActions({ActionUndo, ActionRedo});
  main_bar->addSeparator();
  main_bar->addAction(ActionHelp);

  addToolBarBreak();
  format_bar_ = addToolBar(QStringLiteral("Format"));
  format_bar_->setObjectName(QStringLiteral("FormatToolBar"));
  font_box_ = new QFontComboBox(format_bar_);
  font_box_->setFontFilters(QFontComboBox::ScalableFonts);
  font_box_->setObjectName(QStringLiteral("FontBox"));
  size_box_ = new QComboBox(format_bar_);
  size_box_->setObjectName(QStringLiteral("SizeBox"));
  for (int size = kEditorMinFontSize; size <= kEditorMaxFontSize; ++size)
    size_box_->addItem(QString::number(size));
  format_bar_->addWidget(font_box_);
  format_bar_->addWidget(size_box_);
  format_bar_->addActions({ActionBackColor, ActionForeColor});
  format_bar_->addSeparator();
  format_bar_->addActions({ActionBold, ActionItalic, ActionUnderline});
  format_bar_->addSeparator();
  format_bar_->addActions({ActionLeft, ActionCenter, ActionRight, ActionJustify});
  format_bar_->addSeparator();
  format_bar_->addActions(
      {ActionNumbering, ActionBulleted, ActionIndentDec, ActionIndentInc, ActionHR});
  format_bar_->addSeparator();
  format_bar_->addAction(ActionRemoveFormatting);

  connect(font_box_, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
    if (raw_active_) return;
    QTextCharFormat f;
    f.setFontFamilies({font.family()});
    formatted_->mergeCurrentCharFormat(f);
    formatted_->setFocus();
  });
  connect(size_box_, &QComboBox::activated, this, [this](int index) {
    if (raw_active_ || index < 0) return;
    QTextCharFormat f;
    f.setFontPointSize(kEditorMinFontSize + index);
    formatted_->mergeCurrentCharFormat(f);
    formatted_->setFocus();
  });
}

// --- Opening -----------------------------------------------------------------------

bool TEditorForm::BeginOpening() {
  if (isMinimized()) showNormal();
  if (isVisible() && editing_) {
    error_message(Latin(kEditorBusyMessage));
    raise();
    activateWindow();
    return false;
  }
  return main_.Library().IsLoaded() && main_.Library().Kjv() != nullptr;
}

bool TEditorForm::OpenCommentary(const TLMCommentaryModule& commentary, int slot) {
  if (!BeginOpening()) return false;
  TLMCommentaryModule* writable =
      WritableModule(main_.Library().Catalogue().Commentaries(), commentary);
  const TLMBibleModule& kjv = *main_.Library().Kjv();
  if (writable == nullptr || slot < 0 || slot >= kVerseCount) return false;
  commentary_ = writable;
  book_ = nullptr;
  position_ = slot;
  const TVerseLocation at = kjv.GetVerseLocation(slot + 1);
  const QString caption = FormatCaption(
      "Editing %s on %s %d:%d",
      {ToDisplayText(commentary.GetAbbreviation()), ToDisplayText(kjv.GetLongBookTitle(at.book)),
       QString::number(at.chapter), QString::number(at.verse)});
  const std::string stored = commentary.HasEntry(slot) ? commentary.GetEntryText(slot) : "";
  FinishOpening(stored, caption, config::GlobalProperties().comment_view);
  return true;
}

bool TEditorForm::OpenBookEntry(const TLMDictionaryModule& book, int entry) {
  if (!BeginOpening()) return false;
  TLMDictionaryModule* writable = WritableModule(main_.Library().Catalogue().Books(), book);
  if (writable == nullptr || entry < 0 || entry >= book.EntryCount()) return false;
  book_ = writable;
  commentary_ = nullptr;
  position_ = entry;
  const QString caption = FormatCaption(
      "Editing %s in %s", {ToDisplayText(book.EntryTitles()[static_cast<size_t>(entry)]),
                           ToDisplayText(book.GetAbbreviation())});
  FinishOpening(book.GetEntryText(entry), caption, config::GlobalProperties().dict_view);
  return true;
}

void TEditorForm::FinishOpening(const std::string& stored, const QString& caption,
                                const config::TPropertiesResourceView& view) {
  const config::Properties& p = config::GlobalProperties();
  const std::string reason = RawSurfaceReason(stored);
  raw_active_ = p.editor_raw_html || !reason.empty();
  formatted_->setVisible(!raw_active_);
  format_bar_->setVisible(!raw_active_);
  raw_->setVisible(raw_active_);
  status_pane_->setText(p.editor_raw_html ? Latin(kEditorRawStatus) : ToDisplayText(reason));
  setWindowFlag(Qt::WindowStaysOnTopHint, p.editor_stay_on_top);

  editing_ = true;
  close_approved_ = false;
  setWindowTitle(caption);
  font_ = {ToDisplayText(view.main_font), view.main_size};

  QFont pane_font(font_.family);
  pane_font.setPointSize(font_.point_size);
  raw_->setFont(pane_font);
  QPalette palette = raw_->palette();
  palette.setColor(QPalette::Base, ToQColor(view.background_color));
  palette.setColor(QPalette::Text, ToQColor(view.text_color));
  raw_->setPalette(palette);

  const std::string editable = StoredToEditable(stored, *main_.Library().Kjv());
  raw_crlf_ = editable.find("\r\n") != std::string::npos;
  raw_->setPlainText(raw_active_ ? ToDisplayText(editable) : QString());
  raw_->document()->setModified(false);
  formatted_->clear();
  if (!raw_active_) LoadEditorDocument(*formatted_->document(), editable, font_);
  formatted_->document()->setModified(false);
  formatted_->document()->clearUndoRedoStacks();
  raw_->document()->clearUndoRedoStacks();

  if (!placed_) {
    const QRect host = main_.frameGeometry();
    QRect r = geometry();
    r.moveCenter(host.center());
    setGeometry(r);
    placed_ = true;
  }
  show();
  raise();
  activateWindow();
  if (raw_active_)
    raw_->setFocus();
  else
    formatted_->setFocus();
  UpdateActions();
  UpdateFormatState();
}

void TEditorForm::InsertAtSelection(const std::string& cp1252) {
  if (!editing_) return;
  if (raw_active_)
    raw_->insertPlainText(ToDisplayText(cp1252));
  else
    formatted_->textCursor().insertHtml(ToDisplayHtml(cp1252, PortableTextOptions()));
}

// --- State -------------------------------------------------------------------------

bool TEditorForm::Modified() const {
  return raw_active_ ? raw_->document()->isModified() : formatted_->document()->isModified();
}

QString TEditorForm::StatusMessage() const { return status_pane_->text(); }

std::string TEditorForm::SurfaceHtml() const {
  if (!raw_active_) return SerializeEditorDocument(*formatted_->document(), font_);
  QString text = raw_->document()->toRawText();
  text.replace(QChar::ParagraphSeparator,
               raw_crlf_ ? QStringLiteral("\r\n") : QStringLiteral("\n"));
  return EncodeEditorText(text.toStdU32String(), EditorTextKind::kSource);
}

void TEditorForm::UpdateActions() {
  const bool formatted = editing_ && !raw_active_;
  ActionSave->setEnabled(editing_ && Modified());
  const bool selected =
      raw_active_ ? raw_->textCursor().hasSelection() : formatted_->textCursor().hasSelection();
  ActionCopy->setEnabled(editing_ && selected);
  ActionCut->setEnabled(editing_ && selected);
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  const bool can_paste = raw_active_ ? clip != nullptr && clip->hasText() : formatted_->canPaste();
  ActionPaste->setEnabled(editing_ && can_paste);
  ActionUndo->setEnabled(editing_ && (raw_active_ ? raw_->document()->isUndoAvailable()
                                                  : formatted_->document()->isUndoAvailable()));
  ActionRedo->setEnabled(formatted && formatted_->document()->isRedoAvailable());
  for (QAction* a :
       {ActionBold, ActionItalic, ActionUnderline, ActionLeft, ActionCenter, ActionRight,
        ActionJustify, ActionNumbering, ActionBulleted, ActionIndentDec, ActionIndentInc,
        ActionForeColor, ActionBackColor, ActionHR, ActionRemoveFormatting})
    a->setEnabled(formatted);
  font_box_->setEnabled(formatted);
  size_box_->setEnabled(formatted);
  ActionViewSource->setEnabled(editing_);
  ActionHelp->setEnabled(static_cast<bool>(main_.help_viewer));
}

void TEditorForm::UpdateFormatState() {
  UpdateActions();
  if (raw_active_) return;
  const QTextCharFormat f = formatted_->currentCharFormat();
  ActionBold->setChecked(f.fontWeight() >= QFont::DemiBold);
  ActionItalic->setChecked(f.fontItalic());
  ActionUnderline->setChecked(f.fontUnderline());
  const QTextCursor cursor = formatted_->textCursor();
  const QTextBlockFormat block = cursor.blockFormat();
  const Qt::Alignment a = block.hasProperty(QTextFormat::BlockAlignment)
                              ? (block.alignment() & Qt::AlignHorizontal_Mask)
                              : Qt::Alignment();
  ActionLeft->setChecked(a == Qt::AlignLeft);
  ActionCenter->setChecked(a == Qt::AlignHCenter);
  ActionRight->setChecked(a == Qt::AlignRight);
  ActionJustify->setChecked(a == Qt::AlignJustify);
  const QTextList* list = cursor.currentList();
  const bool ordered = list != nullptr && list->format().style() == QTextListFormat::ListDecimal;
  ActionNumbering->setChecked(ordered);
  ActionBulleted->setChecked(list != nullptr && !ordered);

  const QSignalBlocker block_font(font_box_);
  const QSignalBlocker block_size(size_box_);
  const QStringList families = f.fontFamilies().toStringList();
  font_box_->setCurrentFont(QFont(families.isEmpty() ? font_.family : families.front()));
  const int size = f.hasProperty(QTextFormat::FontPointSize) ? static_cast<int>(f.fontPointSize())
                                                             : font_.point_size;
  size_box_->setCurrentIndex(
      size >= kEditorMinFontSize && size <= kEditorMaxFontSize ? size - kEditorMinFontSize : -1);
}

void TEditorForm::ShowInsertMode() {
  insert_pane_->setText(formatted_->overwriteMode() ? QStringLiteral("OVR")
                                                    : QStringLiteral("INS"));
}

// --- Formatting --------------------------------------------------------------------

void TEditorForm::ToggleCharFormat(QAction* action) {
  if (raw_active_) return;
  QTextCharFormat f;
  const bool on = action->isChecked();
  if (action == ActionBold) f.setFontWeight(on ? QFont::Bold : QFont::Normal);
  if (action == ActionItalic) f.setFontItalic(on);
  if (action == ActionUnderline) f.setFontUnderline(on);
  formatted_->mergeCurrentCharFormat(f);
  UpdateFormatState();
}

void TEditorForm::SetAlignment(Qt::Alignment alignment, QAction* action) {
  if (raw_active_) return;
  // A second click on the alignment in force leaves the paragraph with no
  // alignment of its own.
  const bool remove = !action->isChecked();
  QTextCursor cursor = formatted_->textCursor();
  const int begin = cursor.selectionStart();
  const int end = cursor.selectionEnd();
  cursor.beginEditBlock();
  QTextBlock block = formatted_->document()->findBlock(begin);
  while (block.isValid() && block.position() <= end) {
    QTextCursor at(block);
    QTextBlockFormat f = block.blockFormat();
    if (remove)
      f.clearProperty(QTextFormat::BlockAlignment);
    else
      f.setAlignment(alignment);
    at.setBlockFormat(f);
    block = block.next();
  }
  cursor.endEditBlock();
  UpdateFormatState();
}

void TEditorForm::ToggleList(bool ordered) {
  if (raw_active_) return;
  QTextCursor cursor = formatted_->textCursor();
  const QTextListFormat::Style style =
      ordered ? QTextListFormat::ListDecimal : QTextListFormat::ListDisc;
  cursor.beginEditBlock();
  if (QTextList* list = cursor.currentList(); list != nullptr && list->format().style() == style) {
    const QTextBlock first = formatted_->document()->findBlock(cursor.selectionStart());
    const QTextBlock last = formatted_->document()->findBlock(cursor.selectionEnd());
    for (QTextBlock b = first; b.isValid(); b = b.next()) {
      if (QTextList* l = b.textList()) {
        l->remove(b);
        QTextCursor at(b);
        QTextBlockFormat f = b.blockFormat();
        f.setIndent(0);
        at.setBlockFormat(f);
      }
      if (b == last) break;
    }
  } else {
    cursor.createList(style);
  }
  cursor.endEditBlock();
  UpdateFormatState();
}

void TEditorForm::ChangeIndent(int delta) {
  if (raw_active_) return;
  QTextCursor cursor = formatted_->textCursor();
  cursor.beginEditBlock();
  if (QTextList* list = cursor.currentList()) {
    QTextListFormat f = list->format();
    f.setIndent(std::max(1, f.indent() + delta));
    list->setFormat(f);
  } else {
    const QTextBlock first = formatted_->document()->findBlock(cursor.selectionStart());
    const QTextBlock last = formatted_->document()->findBlock(cursor.selectionEnd());
    for (QTextBlock b = first; b.isValid(); b = b.next()) {
      QTextBlockFormat f = b.blockFormat();
      const qreal margin =
          f.leftMargin() + kEditorIndentStep * f.indent() + kEditorIndentStep * delta;
      f.setIndent(0);
      f.setLeftMargin(std::max<qreal>(0, margin));
      QTextCursor(b).setBlockFormat(f);
      if (b == last) break;
    }
  }
  cursor.endEditBlock();
}

void TEditorForm::PickColor(bool foreground) {
  if (raw_active_) return;
  const QTextCharFormat current = formatted_->currentCharFormat();
  const QColor initial = foreground ? current.foreground().color() : current.background().color();
  const std::optional<QColor> chosen =
      pick_color(initial, foreground ? ActionForeColor->text() : ActionBackColor->text());
  if (!chosen) return;
  QTextCharFormat f;
  if (foreground)
    f.setForeground(*chosen);
  else
    f.setBackground(*chosen);
  formatted_->mergeCurrentCharFormat(f);
}

void TEditorForm::InsertHorizontalLine() {
  if (raw_active_) return;
  formatted_->textCursor().insertHtml(QStringLiteral("<hr>"));
}

void TEditorForm::RemoveFormatting() {
  if (raw_active_) return;
  QTextCursor cursor = formatted_->textCursor();
  if (!cursor.hasSelection()) return;
  cursor.setCharFormat(QTextCharFormat());
  UpdateFormatState();
}

void TEditorForm::ViewSource() {
  if (!editing_) return;
  show_source(ToDisplayText(SurfaceHtml()));
}

// --- Saving and closing ------------------------------------------------------------

bool TEditorForm::Save() {
  if (!editing_ || (commentary_ == nullptr && book_ == nullptr)) return false;
  const TLMBibleModule* kjv = main_.Library().Kjv();
  if (kjv == nullptr) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const ReferenceParser parser(*kjv);
  const std::string stored = EditableToStored(
      SurfaceHtml(), raw_active_ ? EditSurface::kRaw : EditSurface::kFormatted, parser);
  const Status status = commentary_ != nullptr ? commentary_->WriteEntry(stored, position_, *kjv)
                                               : book_->WriteEntry(stored, position_);
  QApplication::restoreOverrideCursor();
  if (!status.ok()) {
    const bool too_large = commentary_ != nullptr ? commentary_->IsTooLarge() : book_->IsTooLarge();
    error_message(Latin(too_large ? kEditorTooLargeMessage : kEditorSaveFailedMessage));
    return false;
  }
  formatted_->document()->setModified(false);
  raw_->document()->setModified(false);
  RefreshPanes();
  UpdateActions();
  return true;
}

void TEditorForm::RefreshPanes() {
  const config::Properties& p = config::GlobalProperties();
  bool bible_links = false;
  bool list_links = false;
  if (commentary_ != nullptr) {
    const int k = main_.Library().IndexOf(commentary_);
    // Forced: the entry box takes the Commentary's titles again and the
    // entry is drawn even when it is the one shown.
    if (k >= 0 && main_.CommentView() != nullptr)
      main_.CommentView()->ShowComment(k, position_, 0, 0, true);
    bible_links = p.bible_view.link_commentaries;
    list_links = p.verse_list_view.link_commentaries;
  } else if (book_ != nullptr) {
    main_.ShowBookEntry(*book_, position_, kNoMarkedVerse, kNoMarkedVerse);
    bible_links = p.bible_view.link_dictionaries;
    list_links = p.verse_list_view.link_dictionaries;
  }
  if (bible_links && main_.BibleView() != nullptr) main_.BibleView()->RefreshView();
  if (list_links && main_.VerseListView() != nullptr && main_.PaneVisible(TPane::kVerseList))
    main_.VerseListView()->Rerender();
}

bool TEditorForm::QueryClose() {
  if (!editing_ || !isVisible() || close_approved_) return true;
  if (!Modified()) return true;
  switch (ask_save(Latin(kEditorSaveQuestion))) {
    case QMessageBox::Yes:
      // A refused save keeps the window, and the text, for another try.
      if (!Save()) return false;
      break;
    case QMessageBox::No:
      break;
    default:
      return false;
  }
  close_approved_ = true;
  return true;
}

void TEditorForm::closeEvent(QCloseEvent* event) {
  if (!QueryClose()) {
    event->ignore();
    return;
  }
  editing_ = false;
  close_approved_ = false;
  if (geometry().isValid()) config::GlobalProperties().state_editor = GeometryState(*this);
  UpdateActions();
  QMainWindow::closeEvent(event);
}

bool TEditorForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert &&
      static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
    const bool overwrite = !formatted_->overwriteMode();
    formatted_->setOverwriteMode(overwrite);
    raw_->setOverwriteMode(overwrite);
    ShowInsertMode();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace lumora::ui
