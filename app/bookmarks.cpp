#include "app/bookmarks.h"

#include "app/command_table.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"

namespace lumora {
namespace {

using config::BookmarkRecord;

// Data shown in a menu caption: "&" stays a character.
std::string Literal(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

std::string Number(int index) { return BookmarkNumberText(index); }

// "abbreviation: text" for kinds 1 and 2, the text alone for kind 0.
std::string Description(const BookmarkRecord& r) {
  return r.kind == config::kBookmarkBible ? r.text : r.abbrev + ": " + r.text;
}

std::string RowNumber(int index) { return std::to_string(index == 0 ? 10 : index); }

}  // namespace

BookmarkRecord NormalizedBookmark(const BookmarkRecord& record) {
  BookmarkRecord r = record;
  bool usable = false;
  switch (r.kind) {
    case config::kBookmarkBible:
      usable = IsVerseIndex(r.position);
      break;
    case config::kBookmarkCommentary:
      usable = r.position >= 0 && r.position < kVerseCount;
      break;
    case config::kBookmarkBook:
      usable = true;
      r.position = -1;
      break;
    default:
      break;
  }
  if (!usable) return BookmarkRecord();
  if (r.abbrev.size() > config::kBookmarkAbbrevMax) r.abbrev.resize(config::kBookmarkAbbrevMax);
  if (r.text.size() > config::kBookmarkTextMax) r.text.resize(config::kBookmarkTextMax);
  return r;
}

bool BookmarkInUse(const BookmarkRecord& record) { return NormalizedBookmark(record).InUse(); }

BookmarkRecord MakeBookmark(int kind, std::string_view abbreviation, int position,
                            std::string_view text) {
  BookmarkRecord r;
  r.kind = kind;
  r.abbrev = std::string(abbreviation);
  r.position = position;
  r.text = std::string(text);
  return NormalizedBookmark(r);
}

bool BookmarkFollowable(const BookmarkRecord& record,
                        const std::function<bool(int, const std::string&)>& loaded) {
  const BookmarkRecord r = NormalizedBookmark(record);
  if (!r.InUse()) return false;
  if (r.kind == config::kBookmarkBible) return true;
  return loaded && loaded(r.kind, r.abbrev);
}

std::string BookmarkTitlePart(std::string_view title) {
  return title.empty() ? std::string() : " (" + Literal(title) + ")";
}

std::string GoBookmarkCaption(int index, const BookmarkRecord& record, std::string_view title) {
  const BookmarkRecord r = NormalizedBookmark(record);
  const std::string head = Number(index) + BookmarkTitlePart(title);
  if (!r.InUse()) return head + ": Not in use";
  return head + ": " + Literal(Description(r));
}

std::string SetBookmarkCaption(int index, std::string_view title) {
  if (title.empty()) return "Set BookMark " + Number(index) + "...";
  return "Set BookMark " + Number(index) + " (" + Literal(title) + ")...";
}

std::string ClearBookmarkCaption(int index, std::string_view title) {
  if (title.empty()) return "Clear BookMark " + Number(index);
  return "Clear BookMark " + Number(index) + " (" + Literal(title) + ")";
}

std::string SetBookmarkItemCaption(int index, const BookmarkRecord& record,
                                   std::string_view title) {
  const BookmarkRecord r = NormalizedBookmark(record);
  const std::string head = Number(index) + BookmarkTitlePart(title);
  if (!r.InUse()) return head + ", not currently used";
  return head + ": currently \"" + Literal(Description(r)) + "\"";
}

std::string BookmarkDialogHeading(int index) {
  return "Set Bookmark #" + std::to_string(index == 0 ? 10 : index);
}

std::string BookmarkCurrentlyText(const BookmarkRecord& record) {
  const BookmarkRecord r = NormalizedBookmark(record);
  if (!r.InUse()) return "Currently not in use.";
  return "Currently " + Description(r);
}

BookmarkChoices MakeBookmarkChoices(const BookmarkSources& s) {
  BookmarkChoices choices;
  const TLMBibleModule* kjv = s.kjv;

  BookmarkChoice& bible = choices[0];
  if (kjv != nullptr) bible.caption = BookmarkReference(*kjv, s.bible_verse, false);
  if (!bible.caption.empty() && !s.bible_abbreviation.empty()) {
    bible.record =
        MakeBookmark(config::kBookmarkBible, s.bible_abbreviation, s.bible_verse, bible.caption);
    bible.available = bible.record.InUse();
  }

  BookmarkChoice& comment = choices[1];
  if (!s.commentaries_loaded) {
    comment.caption = "(no commentaries loaded)";
  } else {
    const std::string ref = kjv != nullptr && s.commentary_position >= 0
                                ? BookmarkReference(*kjv, s.commentary_position + 1, true)
                                : std::string();
    if (ref.empty() || s.commentary_abbreviation.empty()) {
      comment.caption = "(no commentary entry selected)";
    } else {
      comment.caption = s.commentary_abbreviation + ": " + ref;
      comment.record = MakeBookmark(config::kBookmarkCommentary, s.commentary_abbreviation,
                                    s.commentary_position, ref);
      comment.available = comment.record.InUse();
    }
  }

  BookmarkChoice& book = choices[2];
  if (!s.books_loaded) {
    book.caption = "(no dictionaries loaded)";
  } else if (!s.book_has_entry || s.book_abbreviation.empty()) {
    book.caption = "(no dictionary entry selected)";
  } else {
    book.caption = s.book_abbreviation + ": " + s.entry_title;
    book.record = MakeBookmark(config::kBookmarkBook, s.book_abbreviation, -1, s.entry_title);
    book.available = book.record.InUse();
  }
  return choices;
}

int PreselectedBookmarkChoice(BookmarkFocus focus, const BookmarkChoices& choices) {
  const int wanted = focus == BookmarkFocus::kBookView         ? 2
                     : focus == BookmarkFocus::kCommentaryView ? 1
                                                               : 0;
  return choices[static_cast<size_t>(wanted)].available ? wanted : 0;
}

std::string BookmarkTitlesRowText(int index, const BookmarkRecord& record) {
  const BookmarkRecord r = NormalizedBookmark(record);
  if (!r.InUse()) return RowNumber(index) + " (Not in use)";
  return RowNumber(index) + " (" + Description(r) + ")";
}

std::string TrimmedBookmarkTitle(std::string_view title) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  size_t begin = 0;
  size_t end = title.size();
  while (begin < end && blank(title[begin])) ++begin;
  while (end > begin && blank(title[end - 1])) --end;
  return std::string(title.substr(begin, end - begin));
}

std::string BookmarkReference(const TLMBibleModule& titles, int verse, bool long_title) {
  if (verse < 1 || verse > titles.VerseCount()) return {};
  const TVerseLocation at = titles.GetVerseLocation(verse);
  if (at.book == 0) return {};
  return (long_title ? titles.GetLongBookTitle(at.book) : titles.GetShortBookTitle(at.book)) + " " +
         std::to_string(at.chapter) + ":" + std::to_string(at.verse);
}

int FindBookmarkEntry(const TLMDictionaryModule& book, std::string_view title) {
  if (title.empty()) return -1;
  const int exact = book.FindTitle(title);
  if (exact >= 0 || title.size() < config::kBookmarkTextMax) return exact;
  const auto& titles = book.EntryTitles();
  for (size_t i = 0; i < titles.size(); ++i) {
    const std::string& t = titles[i];
    if (t.size() > title.size() &&
        cp1252::EqualNoCase(std::string_view(t).substr(0, title.size()), title))
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace lumora
