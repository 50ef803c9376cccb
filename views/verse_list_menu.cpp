// TFrameVerseListView: the right-click menu, the two Bible submenus and the
// copy commands.
#include <QAction>
#include <QMenu>

#include "config/properties.h"
#include "core/refs/reference_format.h"
#include "render/export_procs.h"
#include "render/href.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "search/bible_search_text.h"
#include "views/bible_view_logic.h"
#include "views/library.h"
#include "views/resource_tabs.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

// Bookmarks keep at most this much of the abbreviation and the reference.
constexpr size_t kBookmarkAbbreviationMax = 15;
constexpr size_t kBookmarkReferenceMax = 70;

QString MenuText(const std::string& cp1252) { return EscapeMnemonic(ToDisplayText(cp1252)); }

// "%s%s%s": abbreviation, a tab, title (the title in the menu's right-hand
// column).
template <typename Module>
QString VerseListItemCaption(const Module& m) {
  return MenuText(m.GetAbbreviation()) + QLatin1Char('\t') + MenuText(m.GetTitle());
}

}  // namespace

const TLMBibleModule* TFrameVerseListView::ReferenceBible() const {
  return library_.Kjv() != nullptr ? library_.Kjv() : Bible();
}

void TFrameVerseListView::ShowContextMenu(const std::string& url, const std::string& selected,
                                          uint16_t verse, const QPoint& global_pos) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  PopulateContextMenu(*menu, url, selected, verse);
  if (menu->isEmpty()) {
    delete menu;
    return;
  }
  context_menu_ = menu;
  menu->popup(global_pos);
}

void TFrameVerseListView::PopulateContextMenu(QMenu& menu, const std::string& url,
                                              const std::string& selected, int verse) {
  UpdateActions();
  const TLMBibleModule* b = Bible();
  if (b == nullptr || !IsUsableVerse(*b, verse)) return;
  const QString r = MenuText(VerseReference(*b, verse, true));
  const bool has_selection = !selected.empty();
  ISearchService& search = host_.Search();

  menu.addAction(ActionCopySelection);
  menu.addAction(ActionAppendSelection);
  QAction* copy_verse = menu.addAction(QStringLiteral("Copy %1").arg(r));
  connect(copy_verse, &QAction::triggered, this, [this, verse] { CopyVerse(verse); });
  menu.addAction(ActionCopyAllVerses);
  menu.addAction(ActionCopyAllReferences);
  QAction* send = menu.addAction(QStringLiteral("Send Verse Link To Editor"));
  send->setEnabled(host_.Authoring().EditorEditing());
  connect(send, &QAction::triggered, this, [this, verse] {
    // The editor's notation reads the KJV Bible's titles.
    if (const TLMBibleModule* titles = ReferenceBible();
        titles != nullptr && IsUsableVerse(*titles, verse))
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
  // The Strong's items only over a Strong's link, with a number the link
  // really holds.
  if (const auto href = SplitHref(url); href && (href->scheme == "g" || href->scheme == "h")) {
    if (const std::optional<int32_t> n = ParseLinkNumber(href->data)) {
      const std::string text = (href->scheme == "g" ? "G" : "H") + std::to_string(*n);
      QAction* strongs =
          menu.addAction(QStringLiteral("Search Bible for %1").arg(QString::fromLatin1(text)));
      strongs->setObjectName(href->scheme == "g" ? QStringLiteral("ItemStrongsGreek")
                                                 : QStringLiteral("ItemStrongsHebrew"));
      strongs->setEnabled(search.CanSearchBible() && library_.StrongsLinksBible() != nullptr);
      connect(strongs, &QAction::triggered, this, [this, text] {
        if (host_.Search().CanSearchBible())
          host_.Search().SearchBible(text, library_.StrongsLinksBible());
      });
    }
  }
  FillVersionMenu(*menu.addMenu(QStringLiteral("Version")));
  FillCompareMenu(*menu.addMenu(QStringLiteral("Compare Version")));

  TBookmarkTarget mark;
  mark.kind = 0;
  mark.abbreviation = b->GetAbbreviation().substr(0, kBookmarkAbbreviationMax);
  mark.position = verse;
  mark.text = VerseReference(*b, verse, false).substr(0, kBookmarkReferenceMax);
  host_.Bookmarks().AddSetBookmarkMenu(menu, QStringLiteral("Set &Bookmark to %1").arg(r), mark,
                                       true);
  if (search.CanTopicGuide()) {
    QAction* topic = menu.addAction(QStringLiteral("Topic Guide for ") + r);
    connect(topic, &QAction::triggered, this, [this, verse] {
      const TLMBibleModule* titles = ReferenceBible();
      if (titles != nullptr && IsUsableVerse(*titles, verse))
        host_.Search().TopicGuide(VerseReference(*titles, verse, true));
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
    QAction* item = on->addAction(VerseListItemCaption(*c));
    item->setCheckable(true);
    item->setChecked(c->HasEntry(verse - 1));
    connect(item, &QAction::triggered, this, [this, c, verse] {
      if (library_.Contains(c)) host_.ShowCommentary(c, verse - 1, 0, 0);
    });
  }
  QMenu* books = menu.addMenu(QStringLiteral("Books referencing ") + r);
  for (const TLMDictionaryModule* k : library_.Books()) {
    if (!k->HasVerseEntries(verse - 1)) continue;
    QAction* item = books->addAction(VerseListItemCaption(*k));
    connect(item, &QAction::triggered, this, [this, k, verse] {
      if (library_.Contains(k)) host_.OpenBookAtVerse(*k, verse, Bible());
    });
  }
  books->setEnabled(!books->isEmpty());
  menu.addSeparator();

  for (QAction* a : {ActionToggleFootnotes, ActionToggleCommentaryLinks,
                     ActionToggleDictionaryLinks, ActionToggleEditLinks})
    menu.addAction(a);
  menu.addSeparator();
  QAction* print = menu.addAction(QStringLiteral("Print this window"));
  print->setEnabled(host_.Output().CanPrint());
  connect(print, &QAction::triggered, this, [this] {
    if (host_.Output().CanPrint())
      host_.Output().PrintView(*text_view_->HTMLView(),
                               ToDisplayText(title_.empty() ? std::string("Verse List") : title_));
  });
}

void TFrameVerseListView::FillVersionMenu(QMenu& menu) {
  menu.clear();
  for (const TLMBibleModule* bible : library_.Bibles()) {
    QAction* item = menu.addAction(VerseListItemCaption(*bible));
    item->setCheckable(true);
    item->setChecked(bible == Bible());
    connect(item, &QAction::triggered, this, [this, bible] { ChooseBible(bible); });
  }
}

void TFrameVerseListView::FillCompareMenu(QMenu& menu) {
  menu.clear();
  const auto& bibles = library_.Bibles();
  menu.setEnabled(bibles.size() >= 2);
  if (!menu.isEnabled()) return;
  QAction* none = menu.addAction(QStringLiteral("None"));
  connect(none, &QAction::triggered, this, [this] { ChooseCompareBible(nullptr); });
  for (const TLMBibleModule* bible : bibles) {
    QAction* item = menu.addAction(VerseListItemCaption(*bible));
    item->setCheckable(true);
    item->setChecked(bible == CompareBible());
    connect(item, &QAction::triggered, this, [this, bible] { ChooseCompareBible(bible); });
  }
}

// --- Copy ------------------------------------------------------------------------------

void TFrameVerseListView::CopyVerse(int verse) {
  const TLMBibleModule* b = Bible();
  if (b == nullptr || !IsUsableVerse(*b, verse)) return;
  const config::Properties& p = config::GlobalProperties();
  const ExportFormatSettings format = ExportFormatFrom(p);
  const ExportBibleView view = ExportViewFrom(p.bible_view, library_.StrongsData());
  host_.Output().CopyFormatted({FormatVerses(verse, verse, *b, false, format, view),
                                FormatVerses(verse, verse, *b, true, format, view)});
}

void TFrameVerseListView::CopyAllVerses() {
  const TLMBibleModule* b = Bible();
  if (b == nullptr || verses_.empty()) return;
  host_.SetStatusText(QStringLiteral("Copying verses..."));
  const config::Properties& p = config::GlobalProperties();
  const ExportFormatSettings format = ExportFormatFrom(p);
  const ExportBibleView view = ExportViewFrom(p.bible_view, library_.StrongsData());
  TFormattedText text;
  for (const uint16_t v : verses_) {
    if (!IsUsableVerse(*b, v)) continue;
    text.plain += FormatVerses(v, v, *b, false, format, view) + "\r\n\r\n";
    text.html += FormatVerses(v, v, *b, true, format, view) + "<p>";
  }
  while (!text.plain.empty() && (text.plain.back() == ' ' || text.plain.back() == '\r' ||
                                 text.plain.back() == '\n' || text.plain.back() == '\t'))
    text.plain.pop_back();
  host_.Output().CopyFormatted(text);
  host_.SetStatusText(QString());
}

void TFrameVerseListView::CopyAllReferences() {
  const TLMBibleModule* b = Bible();
  if (b == nullptr) return;
  std::vector<int> verses;
  verses.reserve(verses_.size());
  for (const uint16_t v : verses_)
    if (IsUsableVerse(*b, v)) verses.push_back(v);
  if (verses.empty()) return;
  const std::string references = FormatVerseList(verses, *b);
  host_.Output().CopyFormatted({references, {}});
}

void TFrameVerseListView::AppendSelection() {
  const QString selected = text_view_->HTMLView()->SelectedDisplayText();
  if (!selected.isEmpty()) host_.Output().AppendText(selected);
}

void TFrameVerseListView::SearchSelected() {
  if (!host_.Search().CanSearchBible()) return;
  host_.Search().SearchBible(SearchTextFromSelection(text_view_->HTMLView()->SelectedText()),
                             nullptr);
}

}  // namespace lumora::ui
