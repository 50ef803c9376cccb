#include "render/hover_preview.h"

#include <algorithm>
#include <optional>

#include "core/catalogue/module_catalogue.h"
#include "core/modules/bible_header.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "render/entry_markup.h"
#include "render/href.h"
#include "render/verse_list.h"

namespace lumora {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// "%d:%d"
void AppendChapterVerse(std::string& out, const TVerseLocation& loc) {
  out += std::to_string(loc.chapter);
  out += ':';
  out += std::to_string(loc.verse);
}

// Appends `text` without "[" and "]".
void AppendWithoutBrackets(std::string& out, std::string_view text) {
  for (const char c : text)
    if (c != '[' && c != ']') out += c;
}

// Removes every script run that starts with `opener`: through the next
// 0x08, or to the end when none follows.
std::string RemoveRuns(std::string_view text, char opener) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t start = text.find(opener, i);
    if (start == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, start - i));
    const size_t end = text.find(entry_markup::kTerminator, start + 1);
    if (end == std::string_view::npos) break;
    i = end + 1;
  }
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// "-" and the end of a range that starts at `a`: only the verse within its
// chapter, chapter and verse within its book, else the long title as well.
void AppendRangeEnd(std::string& head, const TLMBibleModule& bible, const TVerseLocation& a,
                    const TVerseLocation& b) {
  head += '-';
  if (b.book != a.book) {
    head += bible.GetLongBookTitle(b.book);
    head += ' ';
    AppendChapterVerse(head, b);
  } else if (b.chapter == a.chapter) {
    head += std::to_string(b.verse);
  } else {
    AppendChapterVerse(head, b);
  }
}

}  // namespace

TPreviewContext MakePreviewContext(const TModuleCatalogue& catalogue,
                                   const TLMBibleModule* bible) {
  TPreviewContext c;
  c.strongs_data = catalogue.StrongsData();
  c.hebrew_book = catalogue.HebrewStrongsBook();
  c.greek_book = catalogue.GreekStrongsBook();
  for (const auto& b : catalogue.Books()) c.books.push_back(b.get());
  for (const auto& m : catalogue.Commentaries()) c.commentaries.push_back(m.get());
  for (const TLMCommentaryModule* m : catalogue.EditableCommentaries())
    c.editable_commentaries.push_back(m);
  c.bible = bible;
  return c;
}

std::string PlainHintText(std::string_view html) {
  // Step 1 in one pass: what a replacement produces is not read again.
  static constexpr struct {
    std::string_view from, to;
  } kReplacements[] = {
      {"<p>", "\n\n"}, {"<br>", "\n"}, {"<i>", ""},    {"</i>", ""},  {"<b>", ""},
      {"</b>", ""},    {"&amp;", "&"}, {"&lt;", "<"},  {"&gt;", ">"},
  };
  std::string text;
  text.reserve(html.size());
  for (size_t i = 0; i < html.size();) {
    const char c = html[i];
    bool replaced = false;
    if (c == '<' || c == '&') {
      for (const auto& r : kReplacements) {
        if (html.compare(i, r.from.size(), r.from) == 0) {
          text.append(r.to);
          i += r.from.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) {
      text += c;
      ++i;
    }
  }
  const size_t greek = text.find("See Greek");
  if (greek != std::string::npos) text.resize(greek);
  const size_t hebrew = text.find("See Hebrew");
  if (hebrew != std::string::npos) text.resize(hebrew);
  // Hebrew runs first, then Greek ones, as two passes: a Greek opener inside
  // a Hebrew run goes with that run.
  std::string plain =
      RemoveRuns(RemoveRuns(text, entry_markup::kHebrewRun), entry_markup::kGreekRun);
  // Strong's cross-references keep their number; their control bytes would
  // show as boxes in the hint.
  std::erase_if(plain, [](char c) {
    return c == entry_markup::kHebrewStrongs || c == entry_markup::kGreekStrongs ||
           c == entry_markup::kTerminator;
  });
  return std::string(Trim(plain));
}

std::string StrongsPreview(bool hebrew, std::string_view data, const TPreviewContext& context) {
  const std::optional<int32_t> n = ParseLinkNumber(data);
  const int count = hebrew ? kHebrewStrongsCount : kGreekStrongsCount;
  if (!n || *n < 1 || *n > count || context.strongs_data == nullptr) return {};
  const StrongsLanguage language = hebrew ? StrongsLanguage::kHebrew : StrongsLanguage::kGreek;
  std::string out = context.strongs_data->GetStrongsString(language, *n, 2);
  out += " (";
  out += context.strongs_data->GetStrongsString(language, *n, 3);
  out += ")\n";
  out += hebrew ? "Strong's Hebrew Definition #" : "Strong's Greek Definition #";
  out += std::to_string(*n);
  out += "\n\n";
  const TLMDictionaryModule* book = hebrew ? context.hebrew_book : context.greek_book;
  if (book != nullptr)
    out += PlainHintText(book->GetEntryText(*n - 1));
  else
    out += hebrew ? "[Hebrew lexicon not loaded.]" : "[Greek lexicon not loaded.]";
  return out;
}

std::string BookVersePreview(std::string_view data, const TPreviewContext& context) {
  const std::optional<TLinkPair> p = ParseLinkPair(data);
  if (!p || static_cast<size_t>(p->k) >= context.books.size() || !IsVerseIndex(p->n)) return {};
  const TLMDictionaryModule* book = context.books[static_cast<size_t>(p->k)];
  if (book == nullptr) return {};
  std::string out = book->GetTitle();
  out += "\nreferences this verse in:\n";
  const std::vector<std::string>& titles = book->EntryTitles();
  for (const uint16_t entry : book->GetVerseEntries(p->n - 1)) {
    if (entry >= titles.size()) continue;
    out += '\n';
    out += titles[entry];
  }
  return out;
}

std::string TextViewPreview(std::string_view scheme, std::string_view data,
                            const TPreviewContext& context) {
  if (scheme == "h") return StrongsPreview(true, data, context);
  if (scheme == "g") return StrongsPreview(false, data, context);
  if (scheme == "ld") return BookVersePreview(data, context);
  if (scheme == "lc" || scheme == "ec") {
    const std::optional<TLinkPair> p = ParseLinkPair(data);
    if (!p || !IsUsableCommentaryPosition(p->n)) return {};
    const auto& list = scheme == "lc" ? context.commentaries : context.editable_commentaries;
    if (static_cast<size_t>(p->k) >= list.size() || list[static_cast<size_t>(p->k)] == nullptr)
      return {};
    const std::string& title = list[static_cast<size_t>(p->k)]->GetTitle();
    return scheme == "lc" ? title : "Edit " + title + " on this verse";
  }
  return {};
}

std::string VerseRangePreview(std::string_view data, const TLMBibleModule* bible) {
  const std::optional<TVerseRangeItem> item = ParseVerseRangeItem(data);
  if (bible == nullptr || !item || !IsUsableVerse(*bible, item->first)) return {};
  const int first = item->first;
  const int last = std::min(item->last, bible->VerseCount());
  const TVerseLocation a = bible->GetVerseLocation(first);
  const TVerseLocation b = bible->GetVerseLocation(last);
  std::string head = bible->GetShortBookTitle(a.book);
  head += ' ';
  AppendChapterVerse(head, a);
  if (last != first) AppendRangeEnd(head, *bible, a, b);
  head += " (";
  head += bible->GetAbbreviation();
  head += ")\n\n";

  std::string text;
  AppendWithoutBrackets(text, head);
  // Length of the text without its trailing blanks: once it passes the cut
  // the result no longer depends on the verses still unread.
  auto content_length = [&text] {
    size_t n = text.size();
    while (n > 0 && IsBlank(text[n - 1])) --n;
    return n;
  };
  for (int v = first; v <= last && content_length() <= kVersePreviewCut; ++v) {
    AppendWithoutBrackets(text, bible->GetVerseText(v, false, false));
    text += ' ';
  }
  text.resize(content_length());
  if (text.size() > kVersePreviewCut) {
    text.resize(kVersePreviewCut);
    text += "\n\n";
    text += kVersePreviewTruncated;
  }
  return text;
}

std::string VerseRangeListPreview(std::string_view data, const TLMBibleModule* bible) {
  if (bible == nullptr) return {};
  const std::vector<std::string_view> items = SplitVerseRangeList(data);
  std::string text;
  AppendWithoutBrackets(text, bible->GetAbbreviation());
  bool any = false;
  for (const std::string_view code : items) {
    if (text.size() > kVerseListPreviewCut) break;  // the rest would be cut off
    const std::optional<TVerseRangeItem> item = ParseVerseRangeItem(code);
    if (!item || !IsUsableVerse(*bible, item->first)) continue;
    any = true;
    const int first = item->first;
    const int last = item->LastWithin(bible->VerseCount());
    const TVerseLocation a = bible->GetVerseLocation(first);
    const TVerseLocation b = bible->GetVerseLocation(last);
    std::string head = "\n\n(";
    head += bible->GetLongBookTitle(a.book);
    head += ' ';
    AppendChapterVerse(head, a);
    if (last != first) AppendRangeEnd(head, *bible, a, b);
    head += ')';
    AppendWithoutBrackets(text, head);
    if (items.size() < 2 || last - first <= 10) {
      for (int v = first; v <= last && text.size() <= kVerseListPreviewCut; ++v) {
        text += ' ';
        AppendWithoutBrackets(text, bible->GetVerseText(v, false, false));
      }
    } else {
      text += ' ';
      AppendWithoutBrackets(text, bible->GetVerseText(first, false, false));
      text += "... (Truncated. Click for text.)";
    }
  }
  if (!any) return {};
  if (text.size() > kVerseListPreviewCut) {
    text.resize(kVerseListPreviewCut);
    text += "\n\n";
    text += kVerseListPreviewTruncated;
  }
  return text;
}

std::string ResourceViewPreview(std::string_view href, const TPreviewContext& context) {
  const std::optional<THref> h = SplitHref(href);
  if (!h) return {};
  if (h->scheme == "vr") return VerseRangePreview(h->data, context.bible);
  if (h->scheme == "vrl") return VerseRangeListPreview(h->data, context.bible);
  if (cp1252::EqualNoCase(h->scheme, "http")) return std::string(href);
  if (cp1252::EqualNoCase(h->scheme, "lmimage")) return "Click to view image.";
  return {};
}

}  // namespace lumora
