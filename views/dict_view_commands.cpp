// TFrameDictView: the commands (tool bar, menus, keys), their enabled
// states and the right-click menu.
#include <QAction>
#include <QMenu>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>

#include "config/properties.h"
#include "render/html_escape.h"
#include "render/link_ranges.h"
#include "render/ui/display_text.h"
#include "search/bible_search_text.h"
#include "views/actions.h"
#include "views/dict_view.h"

#include "render/html_escape.h"
#include "views/entry_box.h"
#include "views/library.h"
#include "views/resource_menu.h"
#include "views/resource_tabs.h"
#include "views/resource_view_frame.h"

namespace lumora::ui {
namespace {

// What a Book entry bookmark stores of the abbreviation and the title.
constexpr size_t kBookmarkAbbreviationMax = 15;
constexpr size_t kBookmarkTitleMax = 70;

}  // namespace

QAction* TFrameDictView::NewAction(const char* name, const QString& caption, const QString& hint,
                                   const QKeySequence& key) {
  return context_.actions.Add(this, QString::fromLatin1(name), caption, hint, key);
}

void TFrameDictView::CreateActions() {
  QStyle* st = style();
  ActionBack = NewAction("ActionBack", QStringLiteral("Back"), QStringLiteral("Back"));
  ActionBack->setIcon(st->standardIcon(QStyle::SP_ArrowBack));
  connect(ActionBack, &QAction::triggered, this, [this] { JumpBack(0); });
  ActionForward = NewAction("ActionForward", QStringLiteral("Forward"), QStringLiteral("Forward"));
  ActionForward->setIcon(st->standardIcon(QStyle::SP_ArrowForward));
  connect(ActionForward, &QAction::triggered, this, [this] { JumpForward(0); });

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
                            QStringLiteral("Copy all text from Book view"));
  connect(ActionCopyAll, &QAction::triggered, this, [this] { CopyAll(); });
  ActionSearchSelected =
      NewAction("ActionSearchSelected", QStringLiteral("Search Bible for Selected Text"),
                QStringLiteral("Search Bible for selected text"));
  connect(ActionSearchSelected, &QAction::triggered, this, [this] { SearchSelected(); });
  ActionLoadVerseList =
      NewAction("ActionLoadVerseList", QStringLiteral("Load all Referenced Verses"),
                QStringLiteral("Load all verses referenced in the entry into the Verse List"));
  connect(ActionLoadVerseList, &QAction::triggered, this, [this] { LoadReferencedVerses(); });
  ActionTopicGuide = NewAction("ActionTopicGuide", QStringLiteral("Topic Guide for topic"),
                               QStringLiteral("Open Topic Guide for topic"));
  ActionTopicGuide->setIcon(ToolGlyphIcon(QStringLiteral("TG")));
  connect(ActionTopicGuide, &QAction::triggered, this, [this] {
    const TLMDictionaryModule* b = CurrentBook();
    if (b != nullptr && current_entry_ >= 0 && current_entry_ < b->EntryCount() &&
        host_.Search().CanTopicGuide())
      host_.Search().TopicGuide(b->EntryTitles()[static_cast<size_t>(current_entry_)]);
  });
  ActionEditEntry =
      NewAction("ActionEditEntry", QStringLiteral("Edit Entry"), QStringLiteral("Edit This Entry"));
  ActionEditEntry->setIcon(ToolGlyphIcon(QStringLiteral("E")));
  connect(ActionEditEntry, &QAction::triggered, this, [this] {
    UpdateActions();
    if (const TLMDictionaryModule* b = CurrentBook(); b != nullptr && ActionEditEntry->isEnabled())
      host_.Authoring().EditBookEntry(*b, current_entry_);
  });
  ActionAddEntry = NewAction("ActionAddEntry", QStringLiteral("Add New Entry..."),
                             QStringLiteral("Add New Entry"));
  ActionAddEntry->setIcon(ToolGlyphIcon(QStringLiteral("+")));
  connect(ActionAddEntry, &QAction::triggered, this, [this] {
    UpdateActions();
    if (const TLMDictionaryModule* b = CurrentBook(); b != nullptr && ActionAddEntry->isEnabled())
      host_.Authoring().AddBookEntry(*b);
  });
  ActionDeleteEntry = NewAction("ActionDeleteEntry", QStringLiteral("Delete Entry"),
                                QStringLiteral("Delete This Entry"));
  ActionDeleteEntry->setIcon(st->standardIcon(QStyle::SP_DialogDiscardButton));
  connect(ActionDeleteEntry, &QAction::triggered, this, [this] {
    UpdateActions();
    if (const TLMDictionaryModule* b = CurrentBook();
        b != nullptr && ActionDeleteEntry->isEnabled())
      host_.Authoring().DeleteBookEntry(*b, current_entry_);
  });
  ActionCopyHTMLSource = NewAction("ActionCopyHTMLSource", QStringLiteral("Copy HTML Source"),
                                   QStringLiteral("Copy HTML Source"));
  ActionCopyHTMLSource->setVisible(false);
  connect(ActionCopyHTMLSource, &QAction::triggered, this, [this] {
    const std::string& source = HTMLView()->DocumentSource();
    if (!source.empty()) host_.Output().CopyFormatted({source, std::string()});
  });
  ActionMax =
      context_.actions.Add(this, QStringLiteral("ActionMax"), QStringLiteral("Maximize Book View"),
                           QStringLiteral("Maximize Book View"),
                           QKeySequence(Qt::SHIFT | Qt::Key_F11), Qt::WindowShortcut);
  ActionMax->setIcon(st->standardIcon(QStyle::SP_TitleBarMaxButton));
  connect(ActionMax, &QAction::triggered, this, [this] { host_.MaximizePane(TPane::kBook); });
}

void TFrameDictView::UpdateActions() {
  if (ActionBack == nullptr) return;
  const TLMDictionaryModule* b = CurrentBook();
  const bool shown = b != nullptr && current_entry_ >= 0 && current_entry_ < b->EntryCount();
  ActionBack->setEnabled(history_.CanGoBack());
  ActionForward->setEnabled(history_.CanGoForward());
  if (back_button_ != nullptr) back_button_->setEnabled(history_.CanGoBack());
  if (forward_button_ != nullptr) forward_button_->setEnabled(history_.CanGoForward());

  const bool selected = HTMLView()->SelLength() > 0;
  ActionCopySelected->setEnabled(selected);
  ActionAppendSelection->setEnabled(selected);
  ActionCopyAll->setEnabled(resource_view_->HasEntry());
  ActionSearchSelected->setEnabled(selected && host_.Search().CanSearchBible());
  ActionLoadVerseList->setEnabled(!resource_view_->GetReferencedVerses().empty());

  // "Topic Guide for \"%s\"" with the entry's title.
  if (shown) {
    const QString title = ToDisplayText(b->EntryTitles()[static_cast<size_t>(current_entry_)]);
    ActionTopicGuide->setText(EscapeMnemonic(QStringLiteral("Topic Guide for \"%1\"").arg(title)));
    ActionTopicGuide->setToolTip(QStringLiteral("Open Topic Guide for \"%1\"").arg(title));
    ActionTopicGuide->setStatusTip(ActionTopicGuide->toolTip());
  } else {
    ActionTopicGuide->setText(QStringLiteral("Topic Guide for topic"));
    ActionTopicGuide->setToolTip(QStringLiteral("Open Topic Guide for topic"));
    ActionTopicGuide->setStatusTip(ActionTopicGuide->toolTip());
  }
  ActionTopicGuide->setEnabled(shown && host_.Search().CanTopicGuide());

  IAuthoringService& authoring = host_.Authoring();
  const bool writable =
      b != nullptr && !b->IsReadOnly() && authoring.CanEdit() && !authoring.EditorVisible();
  ActionAddEntry->setEnabled(writable);
  ActionEditEntry->setEnabled(writable && shown);
  ActionDeleteEntry->setEnabled(writable && shown);
  ActionCopyHTMLSource->setEnabled(!HTMLView()->DocumentSource().empty());
  ActionMax->setEnabled(!library_.Books().empty() && !dropped_ &&
                        (!host_.PaneVisible(TPane::kBook) || host_.VisiblePaneCount() >= 2));
}

// --- Commands --------------------------------------------------------------------------

void TFrameDictView::CopyAll() {
  THtmlView* view = HTMLView();
  view->SetSelStart(0);
  view->SetSelLength(view->DocumentEnd());
  view->CopyToClipboard();
  view->SetSelStart(0);
}

void TFrameDictView::AppendSelection() {
  const QString selected = HTMLView()->SelectedDisplayText();
  if (!selected.isEmpty()) host_.Output().AppendText(selected);
}

void TFrameDictView::SearchSelected() {
  if (!host_.Search().CanSearchBible()) return;
  const std::string text = SearchTextFromSelection(HTMLView()->SelectedText());
  if (!text.empty()) host_.Search().SearchBible(text, nullptr);
}

void TFrameDictView::LoadReferencedVerses() {
  const TVerseList verses = resource_view_->GetReferencedVerses();
  if (!verses.empty()) host_.ShowVerseList(verses, {}, "References", false);
}

void TFrameDictView::PrintWindow() {
  QString job = QStringLiteral("Book View");
  const TLMDictionaryModule* b = CurrentBook();
  if (b != nullptr && current_entry_ >= 0 && current_entry_ < b->EntryCount())
    job = ToDisplayText(b->GetAbbreviation() + " " +
                        b->EntryTitles()[static_cast<size_t>(current_entry_)]);
  host_.Output().PrintView(*HTMLView(), job);
}

// --- Right-click menu ----------------------------------------------------------------------

void TFrameDictView::ShowContextMenu(const std::string& url, const std::string& selected,
                                     const QPoint& at) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  PopulateContextMenu(*menu, url, selected);
  context_menu_ = menu;
  menu->popup(at);
}

void TFrameDictView::PopulateContextMenu(QMenu& menu, const std::string& url,
                                         const std::string& selected) {
  UpdateActions();
  const TLMBibleModule* bible = host_.BibleViewBible();
  const TLMBibleModule* kjv = library_.Kjv();
  linked_ranges_ = LinkedVerseRanges(url, bible != nullptr ? bible->VerseCount() : 0);
  ISearchService& search = host_.Search();
  const TLMDictionaryModule* b = CurrentBook();
  const bool shown = b != nullptr && current_entry_ >= 0 && current_entry_ < b->EntryCount();

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
  topic->setEnabled(!selected.empty() && search.CanTopicGuide());
  connect(topic, &QAction::triggered, this,
          [this, selected] { host_.Search().TopicGuide(selected); });
  menu.addAction(ActionLoadVerseList);
  if (IsVerseListLink(url) && kjv != nullptr) {
    AddGoToPassageMenu(
        menu, linked_ranges_, *kjv, [this](int verse) { host_.GoToVerse(verse, true); },
        ActionLoadVerseList);
  }
  menu.addSeparator();
  menu.addAction(ActionTopicGuide);
  TBookmarkTarget mark;
  if (shown) {
    mark.kind = 2;
    mark.abbreviation = b->GetAbbreviation().substr(0, kBookmarkAbbreviationMax);
    mark.position = -1;
    mark.text = b->EntryTitles()[static_cast<size_t>(current_entry_)].substr(0, kBookmarkTitleMax);
  }
  host_.Bookmarks().AddSetBookmarkMenu(menu, QStringLiteral("Set Bookmark"), mark, shown);
  QAction* print = menu.addAction(QStringLiteral("Print this window"));
  print->setObjectName(QStringLiteral("PrintWindow"));
  print->setEnabled(host_.Output().CanPrint());
  connect(print, &QAction::triggered, this, [this] { PrintWindow(); });
  menu.addSeparator();
  QAction* send = menu.addAction(QStringLiteral("Send Book Entry Link to Editor"));
  send->setObjectName(QStringLiteral("SendBookLink"));
  send->setEnabled(host_.Authoring().EditorEditing() && shown);
  connect(send, &QAction::triggered, this, [this] {
    const TLMDictionaryModule* now = CurrentBook();
    if (now == nullptr || current_entry_ < 0 || current_entry_ >= now->EntryCount()) return;
    const std::string& title = now->EntryTitles()[static_cast<size_t>(current_entry_)];
    // A title holding "&", "<" or a quote must not become markup.
    const auto attribute = [](std::string text) {
      for (size_t at = 0; (at = text.find('"', at)) != std::string::npos; at += 6)
        text.replace(at, 1, "&quot;");
      return text;
    };
    const std::string abbreviation = HtmlEscape(now->GetAbbreviation());
    const std::string escaped = HtmlEscape(title);
    host_.Authoring().SendToEditor("<a href=\"lmbook:" + attribute(abbreviation) + "|" +
                                   attribute(escaped) + "\">" + abbreviation + ": " + escaped +
                                   "</a>");
  });
  menu.addAction(ActionCopyHTMLSource);
}

}  // namespace lumora::ui
