// TFrameBibleView: the right-click menu, the Compare Version submenu and
// "Print this window".
#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>
#include <cstdio>

#include "config/properties.h"
#include "render/href.h"
#include "render/ui/display_text.h"
#include "views/bible_view.h"
#include "views/bible_view_logic.h"
#include "views/library.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"

namespace lumora::ui {
namespace {

QString Caption(const std::string& cp1252) { return EscapeMnemonic(ToDisplayText(cp1252)); }

// "%s%s%s": abbreviation, a tab, title (the title stands in the menu's
// right-hand column).
template <typename Module>
QString ModuleItemCaption(const Module& m) {
  return Caption(m.GetAbbreviation()) + QLatin1Char('\t') + Caption(m.GetTitle());
}

void CloseAllPopups() {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

}  // namespace

void TFrameBibleView::ShowContextMenu(const std::string& url, const std::string& selected,
                                      uint16_t verse, const QPoint& global_pos) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  PopulateContextMenu(*menu, url, selected, verse);
  context_menu_ = menu;
  menu->popup(global_pos);
}

void TFrameBibleView::PopulateContextMenu(QMenu& menu, const std::string& url,
                                          const std::string& selected, int verse) {
  UpdateActions();
  const TLMBibleModule* b = CurrentBible();
  if (b == nullptr || !IsUsableVerse(*b, verse)) return;
  const QString r = Caption(VerseReference(*b, verse, true));
  const bool has_selection = !selected.empty();
  ISearchService& search = host_.Search();

  menu.addAction(ActionCopySelection);
  menu.addAction(ActionAppendSelection);
  QAction* copy_verse = menu.addAction(QStringLiteral("Copy %1").arg(r));
  connect(copy_verse, &QAction::triggered, this, [this, verse] { CopyVerses(verse, verse); });
  AddCopyThroughMenu(menu, verse, r);
  menu.addAction(ActionCopyAllVerses);
  QAction* send = menu.addAction(QStringLiteral("Send Verse Link to Editor"));
  send->setEnabled(host_.Authoring().EditorEditing());
  connect(send, &QAction::triggered, this, [this, verse] {
    // The editor's notation takes the KJV Bible's titles, whatever the
    // pane shows.
    if (const TLMBibleModule* titles = Kjv() != nullptr ? Kjv() : CurrentBible())
      host_.Authoring().SendToEditor(" #" + VerseReference(*titles, verse, true) + "| ");
  });
  menu.addSeparator();
  menu.addAction(ActionSearchSelected);
  if (search.CanTopicGuide()) {
    QAction* topic = menu.addAction(QStringLiteral("Topic Guide for Selected Text"));
    topic->setEnabled(has_selection);
    connect(topic, &QAction::triggered, this,
            [this, selected] { host_.Search().TopicGuide(selected); });
  }
  if (const auto href = SplitHref(url); href && (href->scheme == "h" || href->scheme == "g")) {
    const std::string prefix = href->scheme == "h" ? "H" : "G";
    const std::string number(href->data);
    QAction* strongs = menu.addAction(QStringLiteral("Search Bible for %1%2")
                                          .arg(QString::fromLatin1(prefix.c_str()), Caption(number)));
    strongs->setEnabled(search.CanSearchBible() && library_.StrongsLinksBible() != nullptr);
    connect(strongs, &QAction::triggered, this, [this, text = prefix + number] {
      host_.Search().SearchBible(text, library_.StrongsLinksBible());
    });
  }
  AddCompareMenu(menu);
  TBookmarkTarget mark;
  mark.kind = 0;
  mark.abbreviation = b->GetAbbreviation();
  mark.position = verse;
  mark.text = VerseReference(*b, verse, false);
  host_.Bookmarks().AddSetBookmarkMenu(menu, QStringLiteral("Set &Bookmark to %1").arg(r), mark,
                                       true);
  if (search.CanTopicGuide()) {
    QAction* topic = menu.addAction(QStringLiteral("Topic Guide for ") + r);
    connect(topic, &QAction::triggered, this, [this, verse] {
      const TLMBibleModule* titles = Kjv() != nullptr ? Kjv() : CurrentBible();
      if (titles != nullptr) host_.Search().TopicGuide(VerseReference(*titles, verse, true));
    });
  }
  const auto& commentaries = library_.Commentaries();
  if (!commentaries.empty()) {
    QAction* go =
        menu.addAction(QStringLiteral("Go to ") + r + QStringLiteral(" in Active Commentary"));
    connect(go, &QAction::triggered, this,
            [this, verse] { host_.ShowCommentary(nullptr, verse - 1, 0, 0); });
  }
  // Shown disabled when no Commentary is loaded.
  QMenu* on = menu.addMenu(QStringLiteral("Commentaries on ") + r);
  on->setEnabled(!commentaries.empty());
  for (const TLMCommentaryModule* c : commentaries) {
    QAction* item = on->addAction(ModuleItemCaption(*c));
    item->setCheckable(true);
    item->setChecked(c->HasEntry(verse - 1));
    connect(item, &QAction::triggered, this, [this, c, verse] {
      if (library_.Contains(c)) host_.ShowCommentary(c, verse - 1, 0, 0);
    });
  }
  QMenu* refs = menu.addMenu(QStringLiteral("Book References to ") + r);
  for (const TLMDictionaryModule* k : library_.Books()) {
    if (!k->HasVerseEntries(verse - 1)) continue;
    QAction* item = refs->addAction(ModuleItemCaption(*k));
    connect(item, &QAction::triggered, this, [this, k, verse] {
      if (library_.Contains(k)) host_.OpenBookAtVerse(*k, verse, CurrentBible());
    });
  }
  refs->setEnabled(!refs->actions().isEmpty());
  menu.addSeparator();
  for (QAction* a : {ActionToggleFootnotes, ActionToggleCommentaryLinks,
                     ActionToggleDictionaryLinks, ActionToggleEditLinks, ActionToggleParaMode}) {
    menu.addAction(a);
  }
  menu.addSeparator();
  for (QAction* a : {ActionNextChapter, ActionPrevChapter, ActionNextBook, ActionPrevBook,
                     ActionNextVerse, ActionPrevVerse}) {
    menu.addAction(a);
  }
  menu.addSeparator();
  QAction* print = menu.addAction(QStringLiteral("Print this window"));
  print->setEnabled(host_.Output().CanPrint());
  connect(print, &QAction::triggered, this, [this] { PrintWindow(); });
}

void TFrameBibleView::AddCopyThroughMenu(QMenu& menu, int verse, const QString& reference) {
  QMenu* sub = menu.addMenu(QStringLiteral("Copy from %1 through verse").arg(reference));
  const TLMBibleModule* b = CurrentBible();
  const std::vector<CopyThroughItem> items =
      b != nullptr ? CopyThroughItems(*b, verse) : std::vector<CopyThroughItem>{};
  if (items.empty()) {
    sub->setEnabled(false);
    return;
  }
  // QMenu has no column breaks of its own: the numbers stand in a grid
  // whose columns start where the verse number is divisible by 20.
  auto* grid_widget = new QWidget(sub);
  grid_widget->setObjectName(QStringLiteral("CopyThroughGrid"));
  auto* grid = new QGridLayout(grid_widget);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(0);
  int column = 0;
  int row = 0;
  for (const CopyThroughItem& item : items) {
    if (item.new_column && row > 0) {
      ++column;
      row = 0;
    }
    auto* button = new QToolButton(grid_widget);
    button->setText(QString::number(item.verse_number));
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(button, &QToolButton::clicked, this, [this, verse, last = item.verse_index] {
      CloseAllPopups();
      CopyVerses(verse, last);
    });
    grid->addWidget(button, row++, column);
  }
  auto* action = new QWidgetAction(sub);
  action->setDefaultWidget(grid_widget);
  sub->addAction(action);
}

void TFrameBibleView::AddCompareMenu(QMenu& menu) {
  QMenu* sub = menu.addMenu(QStringLiteral("Compare Version"));
  const auto& bibles = Bibles();
  sub->setEnabled(bibles.size() >= 2 && !config::GlobalProperties().bible_view.para_mode);
  if (!sub->isEnabled()) return;
  QAction* none = sub->addAction(QStringLiteral("None"));
  connect(none, &QAction::triggered, this, [this] { SetCompareBible(nullptr); });
  for (const TLMBibleModule* bible : bibles) {
    QAction* item = sub->addAction(ModuleItemCaption(*bible));
    item->setCheckable(true);
    item->setChecked(CompareBible() == bible);
    connect(item, &QAction::triggered, this, [this, bible] { SetCompareBible(bible); });
  }
}

void TFrameBibleView::PrintWindow() {
  QString job = QStringLiteral("Bible View");
  if (const TLMBibleModule* b = CurrentBible(); b != nullptr && current_verse_ > 0) {
    const TVerseLocation at = b->GetVerseLocation(current_verse_);
    job = ToDisplayText(b->GetAbbreviation() + " " + b->GetShortBookTitle(at.book) + " " +
                        std::to_string(at.chapter));
  }
  host_.Output().PrintView(*text_view_->HTMLView(), job);
}

}  // namespace lumora::ui
