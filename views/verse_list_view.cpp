// TFrameVerseListView: construction, the commands and their states, loading
// and rendering. The right-click menu and the copy commands are in
// verse_list_menu.cpp.
#include "views/verse_list_view.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "config/properties.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "views/actions.h"
#include "views/library.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"

namespace lumora::ui {
namespace {

// Tool bar icons drawn from a short glyph (the program ships no images).
QIcon VerseListGlyphIcon(const QString& glyph) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QFont f = QApplication::font();
  f.setPixelSize(glyph.size() > 1 ? 15 : 22);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QApplication::palette().color(QPalette::ButtonText));
  p.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
  return QIcon(pixmap);
}

config::TPropertiesBibleView& VerseListSettings() {
  return config::GlobalProperties().verse_list_view;
}

}  // namespace

TFrameVerseListView::TFrameVerseListView(const TPaneContext& context, QWidget* parent)
    : QWidget(parent), context_(context), host_(context.host), library_(context.library) {
  setObjectName(QStringLiteral("FrameVerseListView"));
  setAccessibleName(QStringLiteral("Verse List"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  tabs_ = new TResourceTabs(this);
  tabs_->setObjectName(QStringLiteral("TabsVerseList"));
  tabs_->SetEntries({{"Verse List", "Verse List", nullptr}});
  layout->addWidget(tabs_);

  tool_bar_ = new QToolBar(this);
  tool_bar_->setObjectName(QStringLiteral("ToolBarVerseList"));
  tool_bar_->setIconSize(QSize(16, 16));
  tool_bar_->setAutoFillBackground(true);
  tool_bar_->setBackgroundRole(QPalette::Button);
  layout->addWidget(tool_bar_);

  text_view_ = new TFrameTextView(host_, library_, this);
  layout->addWidget(text_view_, 1);
  setFocusProxy(text_view_->HTMLView());
  // The verse list has no chapter links: "lp" clicks select the label in
  // the Bible view.
  text_view_->Renderer().SetNextChapterLink(false);
  text_view_->Renderer().SetPrevChapterLink(false);
  text_view_->Renderer().SetPaged(true);

  status_bar_ = new QStatusBar(this);
  CreateStatusBar();
  layout->addWidget(status_bar_);

  CreateActions();
  CreateToolBar();

  text_view_->on_right_click = [this](const std::string& url, const std::string& /*target*/,
                                      const std::string& /*word*/, const std::string& selected,
                                      uint16_t verse, const QPoint& at) {
    ShowContextMenu(url, selected, verse, at);
  };
  connect(text_view_->HTMLView(), &QTextEdit::copyAvailable, this,
          &TFrameVerseListView::stateChanged);
  // Ctrl+Shift+C is the pane's Append, not the widget's.
  text_view_->HTMLView()->installEventFilter(this);

  connect(this, &TFrameVerseListView::stateChanged, this, &TFrameVerseListView::UpdateActions);
  connect(this, &TFrameVerseListView::stateChanged, &context_.actions, &TActions::Invalidate);
  context_.actions.AddUpdater(this, [this] { UpdateActions(); });
  connect(&library_, &TLibrary::modulesAboutToChange, this, &TFrameVerseListView::DropModules);
  connect(&library_, &TLibrary::modulesChanged, this, [this] {
    AttachModules();
    if (!verses_.empty()) Render(true);
    Q_EMIT stateChanged();
  });
  connect(&context_.settings, &TSettings::changed, this, &TFrameVerseListView::OnSettingsChanged);
  UpdateStatus();
  UpdateActions();
}

TFrameVerseListView::~TFrameVerseListView() = default;

// --- Commands ------------------------------------------------------------------------

QAction* TFrameVerseListView::NewAction(const char* name, const QString& caption,
                                        const QString& hint, const QKeySequence& key,
                                        Qt::ShortcutContext context) {
  return context_.actions.Add(this, QString::fromLatin1(name), caption, hint, key, context);
}

void TFrameVerseListView::CreateActions() {
  using P = config::TPropertiesBibleView;
  ActionToggleFootnotes = NewAction("ActionToggleFootnotes", QStringLiteral("Show Footnotes"),
                                    QStringLiteral("Toggle Show Footnotes"));
  ActionToggleFootnotes->setIcon(VerseListGlyphIcon(QStringLiteral("{ }")));
  connect(ActionToggleFootnotes, &QAction::triggered, this,
          [this] { ToggleSetting(&P::show_footnotes); });
  ActionToggleCommentaryLinks =
      NewAction("ActionToggleCommentaryLinks", QStringLiteral("Show Commentary Links"),
                QStringLiteral("Toggle Show Commentary Links"));
  ActionToggleCommentaryLinks->setIcon(VerseListGlyphIcon(QStringLiteral("C")));
  connect(ActionToggleCommentaryLinks, &QAction::triggered, this,
          [this] { ToggleSetting(&P::link_commentaries); });
  ActionToggleDictionaryLinks =
      NewAction("ActionToggleDictionaryLinks", QStringLiteral("Show Book Reference Links"),
                QStringLiteral("Toggle Show Book Links"));
  ActionToggleDictionaryLinks->setIcon(VerseListGlyphIcon(QStringLiteral("B")));
  connect(ActionToggleDictionaryLinks, &QAction::triggered, this,
          [this] { ToggleSetting(&P::link_dictionaries); });
  ActionToggleEditLinks =
      NewAction("ActionToggleEditLinks", QStringLiteral("Show Edit Commentary Links"),
                QStringLiteral("Toggle Show Edit Links (for user commentaries)"));
  ActionToggleEditLinks->setIcon(VerseListGlyphIcon(QStringLiteral("E")));
  connect(ActionToggleEditLinks, &QAction::triggered, this,
          [this] { ToggleSetting(&P::show_edit_links); });
  for (QAction* a : {ActionToggleFootnotes, ActionToggleCommentaryLinks,
                     ActionToggleDictionaryLinks, ActionToggleEditLinks})
    a->setCheckable(true);

  ActionMax = NewAction("ActionMax", QStringLiteral("Maximize Verse List View"),
                        QStringLiteral("Maximize Verse List View"),
                        QKeySequence(Qt::SHIFT | Qt::Key_F9), Qt::WindowShortcut);
  ActionMax->setIcon(style()->standardIcon(QStyle::SP_TitleBarMaxButton));
  connect(ActionMax, &QAction::triggered, this, [this] { host_.MaximizePane(TPane::kVerseList); });

  // The frame's own copy action carries Ctrl+C for this pane.
  ActionCopySelection = text_view_->CopyAction();
  ActionCopySelection->setText(QStringLiteral("Copy Selected Text"));
  ActionCopySelection->setToolTip(QStringLiteral("Copy selected text to clipboard"));
  ActionCopySelection->setStatusTip(QStringLiteral("Copy selected text to clipboard"));
  context_.actions.Register(this, QStringLiteral("ActionCopySelection"), ActionCopySelection);
  ActionAppendSelection = NewAction("ActionAppendSelection", QStringLiteral("Append Selected Text"),
                                    QStringLiteral("Append selected text to clipboard"),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  connect(ActionAppendSelection, &QAction::triggered, this, [this] { AppendSelection(); });
  ActionSearchSelected =
      NewAction("ActionSearchSelected", QStringLiteral("Search Bible for Selected Text"),
                QStringLiteral("Search Bible for selected text"));
  connect(ActionSearchSelected, &QAction::triggered, this, [this] { SearchSelected(); });

  ActionCopyAllVerses =
      NewAction("ActionCopyAllVerses", QStringLiteral("Copy All Verses from Verse List"),
                QStringLiteral("Copy all verses from the verse list to the clipboard"),
                QKeySequence(Qt::Key_F7), Qt::WindowShortcut);
  connect(ActionCopyAllVerses, &QAction::triggered, this, [this] { CopyAllVerses(); });
  ActionCopyAllReferences =
      NewAction("ActionCopyAllReferences", QStringLiteral("Copy All References"),
                QStringLiteral("Copy all references from the verse list to the clipboard"),
                QKeySequence(Qt::SHIFT | Qt::Key_F7), Qt::WindowShortcut);
  connect(ActionCopyAllReferences, &QAction::triggered, this, [this] { CopyAllReferences(); });
  ActionExportVerseList =
      NewAction("ActionExportVerseList", QStringLiteral("Export Verse from Verse List to File"),
                QStringLiteral("Export verse list to a file"));
  ActionPrintVerseList =
      NewAction("ActionPrintVerseList", QStringLiteral("Print Verses from Verse List"),
                QStringLiteral("Print verses from the verse list"));
  // The export and print commands bind these and their enabled rule; until
  // then they show disabled.
  ActionExportVerseList->setEnabled(false);
  ActionPrintVerseList->setEnabled(false);
}

void TFrameVerseListView::CreateToolBar() {
  tool_bar_->addAction(ActionToggleFootnotes);
  tool_bar_->addAction(ActionToggleCommentaryLinks);
  tool_bar_->addAction(ActionToggleDictionaryLinks);
  tool_bar_->addAction(ActionToggleEditLinks);
  tool_bar_->addSeparator();
  tool_bar_->addAction(ActionMax);
}

void TFrameVerseListView::CreateStatusBar() {
  status_bar_->setObjectName(QStringLiteral("StatusBarVerseList"));
  status_bar_->setSizeGripEnabled(false);
  const char* names[] = {"StatusBible", "StatusCount", "StatusTitle"};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(status_bar_);
    label->setObjectName(QString::fromLatin1(names[i]));
    // Data reaches the labels as plain text ("&" and "<" stay literal).
    label->setTextFormat(Qt::PlainText);
    if (i < 2)
      label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("KJVSL ")));
    status_bar_->addWidget(label, i == 2 ? 1 : 0);
    status_panes_[i] = label;
  }
}

QString TFrameVerseListView::StatusText(int pane) const {
  return pane >= 0 && pane < 3 ? status_panes_[pane]->text() : QString();
}

void TFrameVerseListView::UpdateActions() {
  if (ActionToggleFootnotes == nullptr) return;
  const config::TPropertiesBibleView& s = VerseListSettings();
  ActionToggleFootnotes->setChecked(s.show_footnotes);
  ActionToggleCommentaryLinks->setEnabled(!library_.Commentaries().empty());
  ActionToggleCommentaryLinks->setChecked(s.link_commentaries);
  ActionToggleDictionaryLinks->setEnabled(!library_.Books().empty());
  ActionToggleDictionaryLinks->setChecked(s.link_dictionaries);
  const bool editable = !library_.EditableCommentaries().empty();
  ActionToggleEditLinks->setEnabled(editable);
  ActionToggleEditLinks->setChecked(s.show_edit_links);

  const bool selected = text_view_->HTMLView()->SelLength() > 0;
  ActionCopySelection->setEnabled(selected);
  ActionAppendSelection->setEnabled(selected);
  ActionSearchSelected->setEnabled(selected && host_.Search().CanSearchBible());
  const bool can_format = Bible() != nullptr;
  ActionCopyAllVerses->setEnabled(can_format && !verses_.empty());
  ActionCopyAllReferences->setEnabled(can_format && VerseCount() > 0);
  ActionMax->setEnabled(!(host_.PaneVisible(TPane::kVerseList) && host_.VisiblePaneCount() == 1));
}

void TFrameVerseListView::ToggleSetting(bool config::TPropertiesBibleView::*field) {
  config::TPropertiesBibleView& s = VerseListSettings();
  s.*field = !(s.*field);
  // The toggles are the verse list's own commands: its list comes into view.
  if (!verses_.empty()) host_.ShowPane(TPane::kVerseList);
  context_.settings.Commit(kSettingsVerseListView);
}

void TFrameVerseListView::OnSettingsChanged(SettingsParts parts) {
  if ((parts & (kSettingsVerseListView | kSettingsLinking | kSettingsColors)) == 0) return;
  if (verses_.empty()) {
    text_view_->HTMLView()->SetDefBackground(VerseListSettings().background_color);
  } else if (isVisible()) {
    Render(true);
  } else {
    render_pending_ = true;
  }
  Q_EMIT stateChanged();
}

// --- Modules ---------------------------------------------------------------------------

void TFrameVerseListView::SetBible(const TLMBibleModule* bible) {
  text_view_->SetBible(bible);
  bible_name_ = bible != nullptr ? bible->GetAbbreviation() : std::string();
  UpdateStatus();
  Q_EMIT stateChanged();
}

const TLMBibleModule* TFrameVerseListView::Bible() const { return text_view_->Bible(); }

void TFrameVerseListView::SetCompareBible(const TLMBibleModule* bible) {
  text_view_->SetCompareBible(bible);
  compare_name_ = bible != nullptr ? bible->GetAbbreviation() : std::string();
}

const TLMBibleModule* TFrameVerseListView::CompareBible() const {
  return text_view_->Renderer().CompareBible();
}

void TFrameVerseListView::ChooseBible(const TLMBibleModule* bible) {
  if (library_.IndexOf(bible) < 0) return;
  SetBible(bible);
  Rerender();
}

void TFrameVerseListView::ChooseCompareBible(const TLMBibleModule* bible) {
  if (bible != nullptr && library_.IndexOf(bible) < 0) return;
  SetCompareBible(bible);
  Rerender();
}

void TFrameVerseListView::DropModules() {
  // A menu built for the old lists would act on modules that may go.
  if (context_menu_) context_menu_->close();
  TPassageRenderer& r = text_view_->Renderer();
  r.SetLinkedCommentaries(std::vector<const TLMCommentaryModule*>{});
  r.SetLinkedBooks(std::vector<const TLMDictionaryModule*>{});
  r.SetEditableCommentaries(std::vector<const TLMCommentaryModule*>{});
  r.SetBible(nullptr);
  r.SetCompareBible(nullptr);
}

void TFrameVerseListView::AttachModules() {
  // The linked lists are taken again before every render; the Bibles are
  // found again by name, as the lists may have been rebuilt.
  const TLMBibleModule* bible = bible_name_.empty() ? nullptr : library_.FindBible(bible_name_);
  if (bible == nullptr && !bible_name_.empty()) bible = library_.Kjv();
  text_view_->SetBible(bible);
  text_view_->SetCompareBible(compare_name_.empty() ? nullptr : library_.FindBible(compare_name_));
  UpdateStatus();
}

// --- Loading and rendering -----------------------------------------------------------

int TFrameVerseListView::VerseCount() const {
  return static_cast<int>(std::count_if(verses_.begin(), verses_.end(),
                                        [](uint16_t v) { return v != kVerseListSeparator; }));
}

void TFrameVerseListView::LoadList(const TVerseList& verses, const TKeyArray& keys,
                                   const std::string& title, bool case_sensitive) {
  host_.ShowPane(TPane::kVerseList);
  // The arguments may be this pane's own members.
  TVerseList list = verses;
  TKeyArray words = keys;
  std::string caption = title;
  verses_ = std::move(list);
  keys_ = std::move(words);
  title_ = std::move(caption);
  case_sensitive_ = case_sensitive;
  text_view_->Renderer().SetPageFirst(0);
  Render(false);
  UpdateStatus();
  Q_EMIT stateChanged();
}

void TFrameVerseListView::Rerender() {
  if (verses_.empty()) {
    text_view_->HTMLView()->SetDefBackground(VerseListSettings().background_color);
    return;
  }
  host_.ShowPane(TPane::kVerseList);
  Render(true);
  Q_EMIT stateChanged();
}

void TFrameVerseListView::ApplySettingsToRenderer() {
  // The library's current lists: start-up loads the library after the pane
  // exists, without a change notice.
  text_view_->AttachLibrary(config::GlobalProperties().exclude_from_linking);
  text_view_->Renderer().SetParagraphMap(library_.Paragraphs());
  TPassageRenderer& r = text_view_->Renderer();
  r.SetSettings(VerseListSettings());
  r.SetKeyHighlightColor(config::GlobalProperties().key_hilight_color);
  r.SetPaged(true);
  r.SetNextChapterLink(false);
  r.SetPrevChapterLink(false);
}

void TFrameVerseListView::Render(bool keep_place) {
  render_pending_ = false;
  THtmlView* view = text_view_->HTMLView();
  const bool at_top = view->VScrollBarPosition() == 0;
  const int top = keep_place && !at_top ? text_view_->FirstVisibleVerse() : -1;
  ApplySettingsToRenderer();
  text_view_->ShowVerses(verses_, keys_, case_sensitive_, true);
  if (top > 0) text_view_->ScrollToVerse(top);
}

void TFrameVerseListView::UpdateStatus() {
  const TLMBibleModule* b = Bible();
  status_panes_[0]->setText(b != nullptr ? ToDisplayText(b->GetAbbreviation()) : QString());
  status_panes_[1]->setText(verses_.empty() ? QString() : QString::number(VerseCount()));
  status_panes_[2]->setText(ToDisplayText(title_));
}

void TFrameVerseListView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (render_pending_ && !verses_.empty()) Render(true);
}

// --- Keys ------------------------------------------------------------------------------

bool TFrameVerseListView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (ActionAppendSelection->shortcut() == QKeySequence(key->keyCombination())) {
      // Left unaccepted, the key goes to the pane's shortcut.
      event->ignore();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace lumora::ui
