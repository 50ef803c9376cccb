// TFrameBibleView: the commands (tool bar, menus, keys) and their enabled
// states.
#include <QAction>
#include <QApplication>
#include <QDate>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>

#include "config/properties.h"
#include "render/export_procs.h"
#include "render/ui/display_text.h"
#include "search/bible_search_text.h"
#include "views/actions.h"
#include "views/bible_view.h"
#include "views/bible_view_logic.h"
#include "views/library.h"
#include "views/text_view_frame.h"

namespace lumora::ui {
namespace {

// Tool bar icons drawn from a short glyph, so the program needs no image
// files.
QIcon GlyphIcon(const QString& glyph, bool bold = false) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QFont f = QApplication::font();
  f.setPixelSize(glyph.size() > 1 ? 15 : 22);
  f.setBold(bold);
  p.setFont(f);
  p.setPen(QApplication::palette().color(QPalette::ButtonText));
  p.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
  return QIcon(pixmap);
}

}  // namespace

QAction* TFrameBibleView::NewAction(const char* name, const QString& caption, const QString& hint,
                                    const QKeySequence& key) {
  // Every pane binds its own keys; only the focused pane's apply.
  return context_.actions.Add(this, QString::fromLatin1(name), caption, hint, key);
}

void TFrameBibleView::CreateActions() {
  QStyle* st = style();
  ActionBack = NewAction("ActionBack", QString(), QStringLiteral("Back"));
  ActionBack->setIcon(st->standardIcon(QStyle::SP_ArrowBack));
  connect(ActionBack, &QAction::triggered, this, [this] { JumpBack(0); });
  ActionForward = NewAction("ActionForward", QString(), QStringLiteral("Forward"));
  ActionForward->setIcon(st->standardIcon(QStyle::SP_ArrowForward));
  connect(ActionForward, &QAction::triggered, this, [this] { JumpForward(0); });

  ActionPrevChapter =
      NewAction("ActionPrevChapter", QStringLiteral("Previous Chapter"), QStringLiteral("Previous Chapter"),
                QKeySequence(Qt::CTRL | Qt::Key_PageUp));
  ActionPrevChapter->setIcon(st->standardIcon(QStyle::SP_MediaSeekBackward));
  connect(ActionPrevChapter, &QAction::triggered, this, [this] {
    const TLMBibleModule* b = CurrentBible();
    if (b == nullptr || chapter_verses_.empty()) return;
    GoToVerse(PreviousChapterTarget(*b, chapter_verses_.front()));
  });
  ActionNextChapter = NewAction("ActionNextChapter", QStringLiteral("Next Chapter"), QStringLiteral("Next Chapter"),
                                QKeySequence(Qt::CTRL | Qt::Key_PageDown));
  ActionNextChapter->setIcon(st->standardIcon(QStyle::SP_MediaSeekForward));
  connect(ActionNextChapter, &QAction::triggered, this, [this] {
    const TLMBibleModule* b = CurrentBible();
    if (b == nullptr || chapter_verses_.empty()) return;
    GoToVerse(NextChapterTarget(*b, chapter_verses_.back()));
  });
  ActionPrevBook = NewAction("ActionPrevBook", QStringLiteral("Previous Book"), QStringLiteral("Previous book"),
                             QKeySequence(Qt::CTRL | Qt::Key_Home));
  connect(ActionPrevBook, &QAction::triggered, this, [this] { StepBook(-1); });
  ActionNextBook = NewAction("ActionNextBook", QStringLiteral("Next Book"), QStringLiteral("Next book"),
                             QKeySequence(Qt::CTRL | Qt::Key_End));
  connect(ActionNextBook, &QAction::triggered, this, [this] { StepBook(1); });
  ActionPrevVerse =
      NewAction("ActionPrevVerse", QStringLiteral("Scroll Up One Verse"), QStringLiteral("Previous verse"),
                QKeySequence(Qt::CTRL | Qt::Key_Up));
  connect(ActionPrevVerse, &QAction::triggered, this, [this] {
    if (const TLMBibleModule* b = CurrentBible()) {
      if (const int v = PreviousVerseTarget(*b, TopVerse()); v > 0) GoToVerse(v);
    }
  });
  ActionNextVerse = NewAction("ActionNextVerse", QStringLiteral("Scroll Down One Verse"), QStringLiteral("Next verse"),
                              QKeySequence(Qt::CTRL | Qt::Key_Down));
  connect(ActionNextVerse, &QAction::triggered, this, [this] {
    if (const TLMBibleModule* b = CurrentBible()) {
      if (const int v = NextVerseTarget(*b, TopVerse()); v > 0) GoToVerse(v);
    }
  });

  using P = config::TPropertiesBibleView;
  ActionToggleFootnotes =
      NewAction("ActionToggleFootnotes", QStringLiteral("Show Footnotes"), QStringLiteral("Toggle Show Footnotes"));
  ActionToggleFootnotes->setIcon(GlyphIcon(QStringLiteral("{ }"), true));
  connect(ActionToggleFootnotes, &QAction::triggered, this,
          [this] { ToggleSetting(&P::show_footnotes); });
  ActionToggleCommentaryLinks = NewAction("ActionToggleCommentaryLinks", QStringLiteral("Show Commentary Links"),
                                          QStringLiteral("Toggle Show Commentary Links"));
  ActionToggleCommentaryLinks->setIcon(GlyphIcon(QStringLiteral("C"), true));
  connect(ActionToggleCommentaryLinks, &QAction::triggered, this,
          [this] { ToggleSetting(&P::link_commentaries); });
  ActionToggleDictionaryLinks = NewAction("ActionToggleDictionaryLinks", QStringLiteral("Show Book Reference Links"),
                                          QStringLiteral("Toggle Show Book Reference Links"));
  ActionToggleDictionaryLinks->setIcon(GlyphIcon(QStringLiteral("B"), true));
  connect(ActionToggleDictionaryLinks, &QAction::triggered, this,
          [this] { ToggleSetting(&P::link_dictionaries); });
  ActionToggleEditLinks =
      NewAction("ActionToggleEditLinks", QStringLiteral("Show Edit Commentary Links"),
                QStringLiteral("Toggle Show Edit Links (for user commentaries)"));
  ActionToggleEditLinks->setIcon(GlyphIcon(QStringLiteral("E"), true));
  connect(ActionToggleEditLinks, &QAction::triggered, this,
          [this] { ToggleSetting(&P::show_edit_links); });
  ActionToggleParaMode = NewAction("ActionToggleParaMode", QStringLiteral("Paragraph Reading Mode"),
                                   QStringLiteral("Toggle Paragraph Reading Mode"));
  ActionToggleParaMode->setIcon(GlyphIcon(QString(QChar(0x00B6)), true));
  connect(ActionToggleParaMode, &QAction::triggered, this,
          [this] { SetParaMode(!config::GlobalProperties().bible_view.para_mode); });
  for (QAction* a : {ActionToggleFootnotes, ActionToggleCommentaryLinks,
                     ActionToggleDictionaryLinks, ActionToggleEditLinks, ActionToggleParaMode}) {
    a->setCheckable(true);
  }

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
  ActionCopyAllVerses = NewAction("ActionCopyAllVerses", 
      QStringLiteral("Copy All Verses"),
      QStringLiteral("Copy all verses from Bible view to the clipboard"), QKeySequence(Qt::Key_F8));
  connect(ActionCopyAllVerses, &QAction::triggered, this, [this] { CopyAllVerses(); });
  ActionSearchSelected = NewAction("ActionSearchSelected", QStringLiteral("Search Bible for Selected Text"),
                                   QStringLiteral("Search Bible for selected text"));
  connect(ActionSearchSelected, &QAction::triggered, this, [this] { SearchSelected(); });
  ActionProverb = NewAction("ActionProverb", QStringLiteral("Today's Proverb"),
                            QStringLiteral("Read Today's Chapter in Proverbs"));
  connect(ActionProverb, &QAction::triggered, this,
          [this] { GoToProverb(QDate::currentDate().day()); });
  // One action for the tool button and the View menu; its key works in the
  // whole window.
  ActionMax = context_.actions.Add(this, QStringLiteral("ActionMax"),
                                   QStringLiteral("Maximize Bible View"),
                                   QStringLiteral("Maximize Bible View"),
                                   QKeySequence(Qt::SHIFT | Qt::Key_F10), Qt::WindowShortcut);
  ActionMax->setIcon(st->standardIcon(QStyle::SP_TitleBarMaxButton));
  connect(ActionMax, &QAction::triggered, this, [this] { host_.MaximizePane(TPane::kBible); });
}

void TFrameBibleView::UpdateActions() {
  if (ActionBack == nullptr) return;
  const config::TPropertiesBibleView& s = config::GlobalProperties().bible_view;
  const TLMBibleModule* b = CurrentBible();
  const TLMBibleModule* compare = CompareBible();
  ActionBack->setEnabled(history_.CanGoBack());
  ActionForward->setEnabled(history_.CanGoForward());
  if (back_button_ != nullptr) back_button_->setEnabled(history_.CanGoBack());
  if (forward_button_ != nullptr) forward_button_->setEnabled(history_.CanGoForward());

  ActionToggleFootnotes->setEnabled((b != nullptr && b->HasFootnotes()) ||
                                    (compare != nullptr && compare->HasFootnotes()));
  ActionToggleFootnotes->setChecked(s.show_footnotes);
  ActionToggleCommentaryLinks->setEnabled(!library_.Commentaries().empty());
  ActionToggleCommentaryLinks->setChecked(s.link_commentaries);
  ActionToggleDictionaryLinks->setEnabled(!library_.Books().empty());
  ActionToggleDictionaryLinks->setChecked(s.link_dictionaries);
  const bool editable = !library_.EditableCommentaries().empty();
  ActionToggleEditLinks->setEnabled(editable);
  ActionToggleEditLinks->setChecked(editable && s.show_edit_links);
  ActionToggleParaMode->setChecked(s.para_mode);

  const bool selected = text_view_->HTMLView()->SelLength() > 0;
  ActionCopySelection->setEnabled(selected);
  ActionAppendSelection->setEnabled(selected);
  ActionSearchSelected->setEnabled(selected && host_.Search().CanSearchBible());
  ActionMax->setEnabled(!(host_.PaneVisible(TPane::kBible) && host_.VisiblePaneCount() == 1));
}

void TFrameBibleView::ToggleSetting(bool config::TPropertiesBibleView::*field) {
  config::TPropertiesBibleView& s = config::GlobalProperties().bible_view;
  // Leaving paragraph mode by a toggle brings the user's four settings back
  // first; the toggle then applies to them.
  if (s.para_mode) {
    s.link_commentaries = saved_link_settings_[0];
    s.link_dictionaries = saved_link_settings_[1];
    s.show_footnotes = saved_link_settings_[2];
    s.show_edit_links = saved_link_settings_[3];
  }
  s.*field = !(s.*field);
  s.para_mode = false;
  context_.settings.Commit(kSettingsBibleView);
}

void TFrameBibleView::SetParaMode(bool on) {
  config::TPropertiesBibleView& s = config::GlobalProperties().bible_view;
  if (on == s.para_mode) return;
  if (on) {
    saved_link_settings_ = {s.link_commentaries, s.link_dictionaries, s.show_footnotes,
                            s.show_edit_links};
    s.link_commentaries = s.link_dictionaries = s.show_footnotes = s.show_edit_links = false;
  } else {
    // All four come back, the edit links too.
    s.link_commentaries = saved_link_settings_[0];
    s.link_dictionaries = saved_link_settings_[1];
    s.show_footnotes = saved_link_settings_[2];
    s.show_edit_links = saved_link_settings_[3];
  }
  s.para_mode = on;
  context_.settings.Commit(kSettingsBibleView);
}

void TFrameBibleView::SetCompareBible(const TLMBibleModule* bible) {
  const TLMBibleModule* now = CompareBible();
  const TLMBibleModule* next = (bible == now) ? nullptr : bible;
  if (next == now) return;
  text_view_->SetCompareBible(next);
  RefreshView();
}

void TFrameBibleView::GoToProverb(int day_of_month) {
  if (const TLMBibleModule* b = CurrentBible()) GoToVerse(ProverbTarget(*b, day_of_month));
}

void TFrameBibleView::CopyVerses(int first, int last) {
  const TLMBibleModule* b = CurrentBible();
  if (b == nullptr || !IsUsableVerse(*b, first) || !IsUsableVerse(*b, last) || last < first) return;
  const config::Properties& p = config::GlobalProperties();
  const ExportFormatSettings format = ExportFormatFrom(p);
  const ExportBibleView view = ExportViewFrom(p.bible_view, library_.StrongsData());
  host_.Output().CopyFormatted({FormatVerses(first, last, *b, false, format, view),
                                FormatVerses(first, last, *b, true, format, view)});
}

void TFrameBibleView::CopyAllVerses() {
  const TLMBibleModule* b = CurrentBible();
  if (b == nullptr || chapter_verses_.empty()) return;
  const config::Properties& p = config::GlobalProperties();
  ExportFormatSettings format;
  format.style = 4;
  format.include_brackets = p.include_brackets;
  format.include_footnotes = p.bible_view.show_footnotes;
  format.include_version_tag = false;
  const ExportBibleView view = ExportViewFrom(p.bible_view, library_.StrongsData());
  const int first = chapter_verses_.front();
  const int last = chapter_verses_.back();
  host_.Output().CopyFormatted({FormatVerses(first, last, *b, false, format, view),
                                FormatVerses(first, last, *b, true, format, view)});
}

void TFrameBibleView::AppendSelection() {
  const QString selected = text_view_->HTMLView()->SelectedDisplayText();
  if (!selected.isEmpty()) host_.Output().AppendText(selected);
}

void TFrameBibleView::SearchSelected() {
  if (!host_.Search().CanSearchBible()) return;
  host_.Search().SearchBible(SearchTextFromSelection(text_view_->HTMLView()->SelectedText()),
                             nullptr);
}

}  // namespace lumora::ui
