// TMain: the pane host's navigation between panes and the links between
// resources ("lmbook", "lmcmt", "lmimage", the "Reference Links" chooser,
// the desktop's own links).
#include <QDir>
#include <QUrl>

#include "app/resource_link.h"
#include "app/ui/main_window.h"
#include "app/ui/platform/shell_open.h"
#include "app/ui/resource_link_dialog.h"
#include "core/text/cp1252.h"
#include "render/href.h"
#include "render/ui/display_text.h"
#include "render/verse_list.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {

void TMain::GoToVerse(int verse, bool select_label) {
  bible_view_->GoToVerse(verse);
  if (select_label && bible_view_->CurrentVerse() == verse)
    bible_view_->TextView()->SelectVerse(verse);
}

void TMain::ShowCommentary(const TLMCommentaryModule* commentary, int position, int first,
                           int last) {
  if (!IsUsableCommentaryPosition(position)) return;
  if (commentary == nullptr) {
    comment_view_->ShowCommentAt(position);
    return;
  }
  const int k = library_->IndexOf(commentary);
  if (k >= 0) comment_view_->ShowComment(k, position, first, last, false);
}

void TMain::ShowBibleVerse(const TLMBibleModule& bible, int verse) {
  if (library_->IndexOf(&bible) < 0) return;
  if (bible_view_->CurrentBible() != &bible) bible_view_->ShowBible(&bible);
  ShowPane(TPane::kBible);
  GoToVerse(verse, false);
}

void TMain::ShowBookEntry(const TLMDictionaryModule& book, int entry, int first, int last) {
  if (!library_->Contains(&book) || entry < 0 || entry >= book.EntryCount()) return;
  // One step: a tab change would first show its own entry (a stray render
  // and a stray history item).
  dict_view_->ShowBookEntry(&book, entry, first, last);
}

void TMain::OpenBookAtVerse(const TLMDictionaryModule& book, int verse,
                            const TLMBibleModule* titles) {
  if (!library_->Contains(&book) || !IsVerseIndex(verse)) return;
  // Only entries the Book has (its index could name others).
  std::vector<int> entries;
  for (const int e : book.GetVerseEntries(verse - 1))
    if (e < book.EntryCount()) entries.push_back(e);
  if (entries.empty()) return;
  if (entries.size() == 1) {
    ShowBookEntry(book, entries.front(), verse, verse);
    return;
  }
  // The caption names the verse with the asking view's Bible, or the KJV
  // Bible when that one lacks it.
  if (titles == nullptr || library_->IndexOf(titles) < 0 || !IsUsableVerse(*titles, verse))
    titles = library_->Kjv();
  if (titles == nullptr || !IsUsableVerse(*titles, verse)) return;
  if (resource_link_ == nullptr) {
    resource_link_ = new TDlgResourceLink2(*library_, this);
    resource_link_->on_open = [this](const TLMDictionaryModule& b, int entry, int v) {
      ShowBookEntry(b, entry, v, v);
    };
    resource_link_->on_message = [this](const QString& text) { ShowMessage(text); };
    // Close sequence: the chooser closes (storing its place) with the window.
    connect(this, &TMain::closingWindows, resource_link_, [chooser = resource_link_] {
      if (chooser->isVisible()) chooser->close();
    });
  }
  resource_link_->Fill(book, verse, *titles, entries);
  resource_link_->Present();
}

void TMain::LookUpWord(const std::string& word) {
  if (!library_->Books().empty() && dict_view_->CurrentBook() != nullptr)
    dict_view_->LookUpWord(word);
}

void TMain::ShowVerseList(const TVerseList& verses, const TKeyArray& keys, const std::string& title,
                          bool case_sensitive) {
  verse_list_view_->LoadList(verses, keys, title, case_sensitive);
}

void TMain::InstallImageViewer(std::function<bool(const std::string& name)> show_image) {
  show_image_ = std::move(show_image);
}

void TMain::OpenResourceLink(const std::string& href) {
  if (!library_->IsLoaded()) return;
  const TResourceLinkPanes shown{dict_view_->CurrentBook(), comment_view_->CurrentCommentary()};
  const TResourceLinkAction action = ResolveResourceLink(href, library_->Catalogue(), shown);
  switch (action.kind) {
    case TResourceLinkAction::Kind::kNone:
      break;
    case TResourceLinkAction::Kind::kMessage:
      ShowMessage(ToDisplayText(action.message));
      break;
    case TResourceLinkAction::Kind::kShowBookEntry:
      ShowBookEntry(*action.book, action.entry, kNoMarkedVerse, kNoMarkedVerse);
      break;
    case TResourceLinkAction::Kind::kShowCommentary:
      ShowCommentary(action.commentary, action.position, 0, 0);
      break;
    case TResourceLinkAction::Kind::kShowImage:
      if (!show_image_ || !show_image_(action.image))
        ShowMessage(QString::fromLatin1(kImageNotFoundMessage));
      break;
  }
}

void TMain::OpenExternal(const std::string& href) {
  const std::optional<THref> split = SplitHref(href);
  if (!split || options_.shell == nullptr) return;
  const std::string scheme = cp1252::LowerAscii(split->scheme);
  if (scheme == "http" || scheme == "mailto") {
    options_.shell->Open(href);
  } else if (scheme == "file") {
    // A file link starts a program on the user's machine: only after the
    // user agreed to open that file.
    const QUrl url(ToDisplayText(href), QUrl::TolerantMode);
    const QString file = url.isLocalFile() && !url.toLocalFile().isEmpty()
                             ? QDir::toNativeSeparators(url.toLocalFile())
                             : ToDisplayText(split->data);
    const QString question =
        QStringLiteral(
            "This link opens the file\n\n%1\n\nwith the program your system uses for "
            "it. Open the file?")
            .arg(file);
    if (AskYesNo(QString::fromLatin1(kApplicationTitle), question)) options_.shell->Open(href);
  }
}

}  // namespace lumora::ui
