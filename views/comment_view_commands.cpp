// TFrameCommentView: the commands (tool bar, menus, keys), their enabled
// states and the right-click menu.
#include <QAction>
#include <QMenu>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>

#include "config/properties.h"
#include "render/link_ranges.h"
#include "render/ui/display_text.h"
#include "search/bible_search_text.h"
#include "views/actions.h"
#include "views/bible_view_logic.h"
#include "views/comment_view.h"
#include "views/entry_box.h"
#include "views/library.h"
#include "views/resource_menu.h"
#include "views/resource_tabs.h"
#include "views/resource_view_frame.h"

namespace lumora::ui {

QAction* TFrameCommentView::NewAction(const char* name, const QString& caption, const QString& hint,
                                      const QKeySequence& key) {
  // Keys apply only while the focus is in this pane.
  return context_.actions.Add(this, QString::fromLatin1(name), caption, hint, key);
}

void TFrameCommentView::CreateActions() {
  QStyle* st = style();
  ActionBack = NewAction("ActionBack", QStringLiteral("Back"), QStringLiteral("Back"));
  ActionBack->setIcon(st->standardIcon(QStyle::SP_ArrowBack));
  connect(ActionBack, &QAction::triggered, this, [this] { JumpBack(0); });
  ActionForward = NewAction("ActionForward", QStringLiteral("Forward"), QStringLiteral("Forward"));
  ActionForward->setIcon(st->standardIcon(QStyle::SP_ArrowForward));
  connect(ActionForward, &QAction::triggered, this, [this] { JumpForward(0); });

  // The frame's copy action carries Ctrl+C for this pane.
  ActionCopySelected = resource_view_->CopyAction();
  ActionCopySelected->setText(QStringLiteral("Copy Selected Text"));
  ActionCopySelected->setToolTip(QStringLiteral("Copy selected text to the clipboard"));
  ActionCopySelected->setStatusTip(QStringLiteral("Copy selected text to the clipboard"));
  context_.actions.Register(this, QStringLiteral("ActionCopySelected"), ActionCopySelected);
  ActionAppendSelection = NewAction("ActionAppendSelection", QStringLiteral("Append Selected Text"),
                                    QStringLiteral("Append selected text to clipboard"),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  connect(ActionAppendSelection, &QAction::triggered, this, [this] { AppendSelection(); });
  ActionCopyAll = NewAction("ActionCopyAll", QStringLiteral("Copy All"),
                            QStringLiteral("Copy all text in Commentary View"));
  connect(ActionCopyAll, &QAction::triggered, this, [this] { CopyAll(); });
  ActionSearchSelected =
      NewAction("ActionSearchSelected", QStringLiteral("Search Bible for Selected Text"),
                QStringLiteral("Search Bible for selected text"));
  connect(ActionSearchSelected, &QAction::triggered, this, [this] { SearchSelected(); });
  ActionTopicGuideCmt = NewAction("ActionTopicGuideCmt", QStringLiteral("Topic Guide for verse"),
                                  QStringLiteral("Open Topic Guide for verse"));
  ActionTopicGuideCmt->setIcon(ToolGlyphIcon(QStringLiteral("TG")));
  connect(ActionTopicGuideCmt, &QAction::triggered, this, [this] { TopicGuideForVerse(); });
  ActionLoadVerseList =
      NewAction("ActionLoadVerseList", QStringLiteral("Load all Referenced Verses"),
                QStringLiteral("Load all referenced verses into the Verse List"));
  connect(ActionLoadVerseList, &QAction::triggered, this, [this] { LoadReferencedVerses(); });
  ActionEditComment =
      NewAction("ActionEditComment", QStringLiteral("Edit Commentary"),
                QStringLiteral("Edit this commentary on this verse (user modules only)"));
  ActionEditComment->setIcon(ToolGlyphIcon(QStringLiteral("E")));
  connect(ActionEditComment, &QAction::triggered, this, [this] { EditComment(); });
  ActionClearComment = NewAction("ActionClearComment", QStringLiteral("Clear Commentary Entry"),
                                 QStringLiteral("Clear this user commentary entry"));
  ActionClearComment->setIcon(st->standardIcon(QStyle::SP_DialogDiscardButton));
  connect(ActionClearComment, &QAction::triggered, this, [this] {
    const TLMCommentaryModule* c = CurrentCommentary();
    if (c != nullptr && ActionClearComment->isEnabled())
      host_.Authoring().ClearComment(*c, current_position_);
  });
  ActionGoBible = NewAction("ActionGoBible", QStringLiteral("Go to This Verse in Bible View"),
                            QStringLiteral("Go to this verse in Bible View"));
  ActionGoBible->setIcon(ToolGlyphIcon(QStringLiteral("B")));
  connect(ActionGoBible, &QAction::triggered, this, [this] {
    if (current_position_ >= 0) host_.GoToVerse(current_position_ + 1, false);
  });
  // One action for the tool button and the View menu; its key works in the
  // whole window.
  ActionMax = context_.actions.Add(this, QStringLiteral("ActionMax"),
                                   QStringLiteral("Maximize Commentary View"),
                                   QStringLiteral("Maximize Commentary View"),
                                   QKeySequence(Qt::SHIFT | Qt::Key_F12), Qt::WindowShortcut);
  ActionMax->setIcon(st->standardIcon(QStyle::SP_TitleBarMaxButton));
  connect(ActionMax, &QAction::triggered, this, [this] { host_.MaximizePane(TPane::kCommentary); });
}

void TFrameCommentView::UpdateActions() {
  if (ActionBack == nullptr) return;
  const TLMCommentaryModule* c = CurrentCommentary();
  const int p = current_position_;
  ActionBack->setEnabled(history_.CanGoBack());
  ActionForward->setEnabled(history_.CanGoForward());
  if (back_button_ != nullptr) back_button_->setEnabled(history_.CanGoBack());
  if (forward_button_ != nullptr) forward_button_->setEnabled(history_.CanGoForward());

  const bool selected = HTMLView()->SelLength() > 0;
  ActionCopySelected->setEnabled(selected);
  ActionAppendSelection->setEnabled(selected);
  ActionCopyAll->setEnabled(resource_view_->HasEntry());
  ActionSearchSelected->setEnabled(selected && host_.Search().CanSearchBible());

  // "Topic Guide for %s %d:%d", rebuilt on every update; without a
  // position there is nothing to look up.
  const std::string reference = p >= 0 ? Reference(p) : std::string();
  const QString shown = reference.empty() ? QStringLiteral("verse") : ToDisplayText(reference);
  ActionTopicGuideCmt->setText(EscapeMnemonic(QStringLiteral("Topic Guide for ") + shown));
  ActionTopicGuideCmt->setToolTip(QStringLiteral("Open Topic Guide for ") + shown);
  ActionTopicGuideCmt->setStatusTip(QStringLiteral("Open Topic Guide for ") + shown);
  ActionTopicGuideCmt->setEnabled(!reference.empty() && host_.Search().CanTopicGuide());
  ActionLoadVerseList->setEnabled(!resource_view_->GetReferencedVerses().empty());

  IAuthoringService& authoring = host_.Authoring();
  const bool editable = c != nullptr && !c->IsReadOnly() && p >= 0 && authoring.CanEdit() &&
                        !authoring.EditorVisible();
  ActionEditComment->setEnabled(editable);
  ActionClearComment->setEnabled(editable && c->HasEntry(p));
  ActionGoBible->setEnabled(p >= 0);
  ActionMax->setEnabled(!library_.Commentaries().empty() && !dropped_ &&
                        (!host_.PaneVisible(TPane::kCommentary) || host_.VisiblePaneCount() >= 2));
}

// --- Commands ------------------------------------------------------------------------

void TFrameCommentView::CopyAll() {
  THtmlView* view = HTMLView();
  view->SetSelStart(0);
  view->SetSelLength(view->DocumentEnd());
  view->CopyToClipboard();
  view->SetSelStart(0);
}

void TFrameCommentView::AppendSelection() {
  const QString selected = HTMLView()->SelectedDisplayText();
  if (!selected.isEmpty()) host_.Output().AppendText(selected);
}

void TFrameCommentView::SearchSelected() {
  if (!host_.Search().CanSearchBible()) return;
  const std::string text = SearchTextFromSelection(HTMLView()->SelectedText());
  if (!text.empty()) host_.Search().SearchBible(text, nullptr);
}

void TFrameCommentView::TopicGuideForVerse() {
  const std::string reference =
      current_position_ >= 0 ? Reference(current_position_) : std::string();
  if (!reference.empty() && host_.Search().CanTopicGuide()) host_.Search().TopicGuide(reference);
}

void TFrameCommentView::LoadReferencedVerses() {
  const TVerseList verses = resource_view_->GetReferencedVerses();
  if (!verses.empty()) host_.ShowVerseList(verses, {}, "References", false);
}

void TFrameCommentView::EditComment() {
  const TLMCommentaryModule* c = CurrentCommentary();
  UpdateActions();
  if (c != nullptr && ActionEditComment->isEnabled())
    host_.Authoring().EditCommentary(*c, current_position_);
}

void TFrameCommentView::PrintWindow() {
  QString job = QStringLiteral("Commentary View");
  if (const TLMCommentaryModule* c = CurrentCommentary(); c != nullptr && current_position_ >= 0)
    job = ToDisplayText(c->GetAbbreviation() + " " + Reference(current_position_));
  host_.Output().PrintView(*HTMLView(), job);
}

// --- Right-click menu ---------------------------------------------------------------------

void TFrameCommentView::ShowContextMenu(const std::string& url, const std::string& selected,
                                        const QPoint& at) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  PopulateContextMenu(*menu, url, selected);
  context_menu_ = menu;
  menu->popup(at);
}

void TFrameCommentView::PopulateContextMenu(QMenu& menu, const std::string& url,
                                            const std::string& selected) {
  UpdateActions();
  const TLMBibleModule* bible = host_.BibleViewBible();
  const TLMBibleModule* kjv = library_.Kjv();
  // The link's verses, against the Bible they will be read in.
  linked_ranges_ = LinkedVerseRanges(url, bible != nullptr ? bible->VerseCount() : 0);
  const bool has_selection = !selected.empty();
  ISearchService& search = host_.Search();

  menu.addAction(ActionCopySelected);
  menu.addAction(ActionAppendSelection);
  QAction* copy_link = menu.addAction(QStringLiteral("Copy Verse(s) from this Link"));
  copy_link->setObjectName(QStringLiteral("CopyLinkVerses"));
  copy_link->setEnabled(IsVerseLink(url) && !linked_ranges_.empty());
  connect(copy_link, &QAction::triggered, this,
          [this] { CopyLinkedVerses(host_, library_, linked_ranges_); });
  menu.addAction(ActionCopyAll);
  menu.addSeparator();
  menu.addAction(ActionSearchSelected);
  QAction* topic = menu.addAction(QStringLiteral("Topic Guide for Selected Text"));
  topic->setObjectName(QStringLiteral("TopicGuideSelected"));
  topic->setEnabled(has_selection && search.CanTopicGuide());
  connect(topic, &QAction::triggered, this,
          [this, selected] { host_.Search().TopicGuide(selected); });
  menu.addAction(ActionLoadVerseList);
  if (IsVerseListLink(url) && kjv != nullptr) {
    AddGoToPassageMenu(
        menu, linked_ranges_, *kjv, [this](int verse) { host_.GoToVerse(verse, true); },
        ActionLoadVerseList);
  }
  menu.addSeparator();
  menu.addAction(ActionTopicGuideCmt);
  menu.addAction(ActionGoBible);
  TBookmarkTarget mark;
  const TLMCommentaryModule* c = CurrentCommentary();
  if (c != nullptr && current_position_ >= 0) {
    mark.kind = 1;
    mark.abbreviation = c->GetAbbreviation();
    mark.position = current_position_;
    mark.text = Reference(current_position_);
  }
  host_.Bookmarks().AddSetBookmarkMenu(menu, QStringLiteral("Set Bookmark"), mark,
                                       entry_box_->currentIndex() >= 0 && mark.kind == 1);
  QAction* print = menu.addAction(QStringLiteral("Print this window"));
  print->setObjectName(QStringLiteral("PrintWindow"));
  print->setEnabled(host_.Output().CanPrint());
  connect(print, &QAction::triggered, this, [this] { PrintWindow(); });
  menu.addSeparator();
  menu.addAction(ActionEditComment);
  QAction* send = menu.addAction(QStringLiteral("Send Commentary Link to Editor"));
  send->setObjectName(QStringLiteral("SendCommentaryLink"));
  send->setEnabled(host_.Authoring().EditorEditing() && c != nullptr && current_position_ >= 0 &&
                   kjv != nullptr);
  connect(send, &QAction::triggered, this, [this] {
    const TLMCommentaryModule* now = CurrentCommentary();
    const TLMBibleModule* titles = library_.Kjv();
    if (now == nullptr || titles == nullptr || current_position_ < 0) return;
    const std::string reference = VerseReference(*titles, current_position_ + 1, true);
    host_.Authoring().SendToEditor("<a href=\"lmcmt:" + now->GetAbbreviation() + "|" + reference +
                                   "\">" + now->GetAbbreviation() + ": " + reference + "</a>");
  });
}

}  // namespace lumora::ui
