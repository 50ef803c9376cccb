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
#include "app/ui/platform/printing.h"
#include "render/href.h"
#include "render/ui/display_text.h"
#include "views/bible_view.h"
#include "views/bible_view_logic.h"
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

  menu.addAction(ActionCopySelection);
  menu.addAction(ActionAppendSelection);
  QAction* copy_verse = menu.addAction(QStringLiteral("Copy %1").arg(r));
  connect(copy_verse, &QAction::triggered, this, [this, verse] { CopyVerses(verse, verse); });
  AddCopyThroughMenu(menu, verse, r);
  menu.addAction(ActionCopyAllVerses);
  if (host_.send_to_editor) {
    QAction* send = menu.addAction(QStringLiteral("Send Verse Link to Editor"));
    send->setEnabled(host_.editor_editing && host_.editor_editing());
    connect(send, &QAction::triggered, this, [this, verse] {
      const TLMBibleModule* bible = CurrentBible();
      if (bible == nullptr) return;
      host_.send_to_editor(" #" + VerseReference(*bible, verse, true) + "| ");
    });
  }
  menu.addSeparator();
  menu.addAction(ActionSearchSelected);
  if (host_.topic_guide) {
    QAction* topic = menu.addAction(QStringLiteral("Topic Guide for Selected Text"));
    topic->setEnabled(has_selection);
    connect(topic, &QAction::triggered, this, [this, selected] { host_.topic_guide(selected); });
  }
  if (host_.search_strongs) {
    if (const auto href = SplitHref(url); href && (href->scheme == "h" || href->scheme == "g")) {
      const std::string prefix = href->scheme == "h" ? "H" : "G";
      const std::string number(href->data);
      QAction* strongs = menu.addAction(QStringLiteral("Search Bible for %1%2")
                                            .arg(QString::fromStdString(prefix), Caption(number)));
      connect(strongs, &QAction::triggered, this,
              [this, text = prefix + number] { host_.search_strongs(text); });
    }
  }
  AddCompareMenu(menu);
  if (host_.topic_guide) {
    QAction* topic = menu.addAction(QStringLiteral("Topic Guide for ") + r);
    connect(topic, &QAction::triggered, this, [this, verse] {
      const TLMBibleModule* titles = kjv_ != nullptr ? kjv_ : CurrentBible();
      if (titles != nullptr) host_.topic_guide(VerseReference(*titles, verse, true));
    });
  }
  if (host_.show_commentary && !commentaries_.empty()) {
    QAction* go =
        menu.addAction(QStringLiteral("Go to ") + r + QStringLiteral(" in Active Commentary"));
    connect(go, &QAction::triggered, this,
            [this, verse] { host_.show_commentary(nullptr, verse - 1); });
    QMenu* sub = menu.addMenu(QStringLiteral("Commentaries on ") + r);
    for (const TLMCommentaryModule* c : commentaries_) {
      QAction* item = sub->addAction(ModuleItemCaption(*c));
      item->setCheckable(true);
      item->setChecked(c->HasEntry(verse - 1));
      connect(item, &QAction::triggered, this,
              [this, c, verse] { host_.show_commentary(c, verse - 1); });
    }
  }
  if (host_.open_book_at_verse) {
    QMenu* sub = menu.addMenu(QStringLiteral("Book References to ") + r);
    for (const TLMDictionaryModule* k : books_) {
      if (!k->HasVerseEntries(verse - 1)) continue;
      QAction* item = sub->addAction(ModuleItemCaption(*k));
      connect(item, &QAction::triggered, this,
              [this, k, verse] { host_.open_book_at_verse(k, verse); });
    }
    sub->setEnabled(!sub->actions().isEmpty());
  }
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
  if (host_.printing != nullptr) {
    menu.addSeparator();
    QAction* print = menu.addAction(QStringLiteral("Print this window"));
    connect(print, &QAction::triggered, this, [this] { PrintWindow(); });
  }
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
  sub->setEnabled(bibles_.size() >= 2 && !config::GlobalProperties().bible_view.para_mode);
  if (!sub->isEnabled()) return;
  QAction* none = sub->addAction(QStringLiteral("None"));
  connect(none, &QAction::triggered, this, [this] { SetCompareBible(nullptr); });
  for (const TLMBibleModule* bible : bibles_) {
    QAction* item = sub->addAction(ModuleItemCaption(*bible));
    item->setCheckable(true);
    item->setChecked(CompareBible() == bible);
    connect(item, &QAction::triggered, this, [this, bible] { SetCompareBible(bible); });
  }
}

void TFrameBibleView::PrintWindow() {
  if (host_.printing == nullptr) return;
  if (host_.set_status_text) host_.set_status_text(QStringLiteral("Printing..."));
  PrintView(*host_.printing, this, *text_view_->HTMLView());
  if (host_.set_status_text) host_.set_status_text(QString());
}

}  // namespace lumora::ui
