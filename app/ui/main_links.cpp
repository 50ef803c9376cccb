// TMain: the pane host's navigation between panes and the links between
// resources ("lmbook", "lmcmt", "lmimage", the desktop's own links).
#include "app/ui/main_window.h"

#include "app/ui/platform/shell_open.h"
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
  if (select_label && bible_view_->CurrentVerse() == verse) bible_view_->TextView()->SelectVerse(verse);
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

void TMain::ShowBookEntry(const TLMDictionaryModule& book, int entry, int first, int last) {
  if (!library_->Contains(&book) || entry < 0 || entry >= book.EntryCount()) return;
  dict_view_->ShowBook(&book);
  dict_view_->ShowEntry(entry, first, last);
}

void TMain::OpenBookAtVerse(const TLMDictionaryModule& book, int verse,
                            const TLMBibleModule* /*titles*/) {
  if (!library_->Contains(&book) || !IsVerseIndex(verse)) return;
  const TEntryIndex entries = book.GetVerseEntries(verse - 1);
  if (entries.empty()) return;
  // The chooser for several entries comes with the Book view.
  ShowBookEntry(book, static_cast<int>(entries.front()), verse, verse);
}

void TMain::LookUpWord(const std::string& word) {
  if (!library_->Books().empty() && dict_view_->CurrentBook() != nullptr)
    dict_view_->LookUpWord(word);
}

void TMain::ShowVerseList(const TVerseList& verses, const TKeyArray& keys,
                          const std::string& title, bool case_sensitive) {
  verse_list_view_->LoadList(verses, keys, title, case_sensitive);
}

void TMain::OpenResourceLink(const std::string& /*href*/) {}

void TMain::OpenExternal(const std::string& href) {
  if (options_.shell != nullptr) options_.shell->Open(href);
}

}  // namespace lumora::ui
