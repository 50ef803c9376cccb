// renderers: the passage renderer over verse texts from the input, and the
// entry renderer over entry markup from the input, with the display options
// drawn from the input too.
//
// Input: one byte choosing the renderer (even: passage, odd: entry), then
// option bytes, then pieces separated by 0xFF.
//   Passage: options (2 flag bytes, italics mode, page start, a colour and a
//   list shape), then the search keys (split at blanks) and up to eight
//   verse texts, placed in Genesis 1 of the Bible and, reversed, of the
//   compare Bible.
//   Entry: options (a flag byte, first and last verse to mark, a colour),
//   then the entry text, its title, the header and further entry titles.
// Checks: every page renders; rendering again gives the same page; the
// highlight markers never reach the page; each verse's recorded position
// leads to its anchor; an entry's title is escaped, no terminator byte is
// left over, and its referenced verses are ascending verse indexes.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/refs/verse_index.h"
#include "fuzz/harness/harnesses.h"
#include "fuzz/support/fuzz_bibles.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/fuzz_library.h"
#include "render/entry_renderer.h"
#include "render/html_escape.h"
#include "render/passage_renderer.h"

namespace lumora::fuzz {
namespace {

// The verse piece's anchor follows its recorded offset closely: after the
// table cell, or inside the paragraph opening.
constexpr size_t kMaxAnchorDistance = 32;

TKeyArray Keys(std::string_view text) {
  TKeyArray keys;
  for (std::string_view k : SplitPieces(text, ' '))
    if (keys.size() < 8) keys.emplace_back(k);
  return keys;
}

TVerseList VerseListOf(const std::vector<int>& placed, uint8_t shape) {
  TVerseList list;
  for (int v : placed) list.push_back(static_cast<uint16_t>(v));
  if (shape & 1) list.push_back(kVerseListSeparator);
  if (shape & 2) {
    for (int v = kFirstJohnVerse + 14; v <= kFirstJohnVerse + 17; ++v)
      list.push_back(static_cast<uint16_t>(v));
  }
  if (shape & 4) {
    for (uint16_t v : {uint16_t{0}, uint16_t{31103}, uint16_t{40000}, uint16_t{31102}})
      list.push_back(v);
  }
  if (shape & 8) {  // the same verse twice, and a long list to page through
    if (!placed.empty()) list.push_back(static_cast<uint16_t>(placed.front()));
    for (int v = 100; v < 100 + 150; ++v) list.push_back(static_cast<uint16_t>(v));
  }
  return list;
}

void CheckPassagePage(const TPassageRenderer& r, const TLMBibleModule& bible) {
  const std::string& html = r.Html();
  LUMORA_FUZZ_CHECK(html.find('\x04') == std::string::npos);
  LUMORA_FUZZ_CHECK(html.find('\x05') == std::string::npos);
  const TVerseList& list = r.VerseList();
  for (int i = std::max(r.PageFirst(), 0); i <= r.PageLast(); ++i) {
    const int v = list[static_cast<size_t>(i)];
    if (v == kVerseListSeparator || v < 1 || v > bible.VerseCount()) continue;
    const TVersePosition& at = r.VersePositions()[static_cast<size_t>(v)];
    LUMORA_FUZZ_CHECK(at.SourceOffset >= 0 && static_cast<size_t>(at.SourceOffset) <= html.size());
    const std::string anchor = "<a name=\"#" + std::to_string(v) + "\">";
    const size_t found = html.find(anchor, static_cast<size_t>(std::max(at.SourceOffset, 0)));
    LUMORA_FUZZ_CHECK(found != std::string::npos &&
                      found - static_cast<size_t>(at.SourceOffset) <= kMaxAnchorDistance);
  }
}

void FuzzPassage(FuzzInput& input) {
  const uint8_t view = input.Byte();
  const uint8_t call = input.Byte();
  const uint8_t italics = input.Byte();
  const int page_start = static_cast<int>(input.Byte()) * 7 - 20;
  const uint32_t color = input.U32();
  const uint8_t shape = input.Byte();
  const TKeyArray keys = Keys(input.Piece(kPieceSeparator));
  std::vector<std::string_view> texts;
  while (!input.empty() && texts.size() < kMaxPlacedVerses) texts.push_back(input.Piece(kPieceSeparator));
  const std::unique_ptr<PlacedBibles> placed = PlaceVerseTexts(texts, call & 4);
  if (!placed->bible || !placed->strongs_links || ((call & 4) && !placed->compare)) return;
  const TemplateModules& lib = Modules();

  config::TPropertiesBibleView s;
  s.para_mode = view & 1;
  s.column_mode = view & 2;
  s.show_footnotes = view & 4;
  s.show_paragraph_marks = view & 8;
  s.link_commentaries = view & 16;
  s.link_dictionaries = view & 32;
  s.show_edit_links = view & 64;
  s.italics_mode = italics % 4;
  s.footnotes_color = color;
  s.strongs_link_color = color ^ 0x00FFFFFF;
  s.comment_link_color = (color >> 8) | (color << 24);
  s.dict_link_color = color >> 1;

  const TLMBibleModule* bible = (call & 8) ? placed->strongs_links.get() : placed->bible.get();
  // One renderer for the whole run, as a frame keeps one for its life: every
  // setting is set again below, and the page replaces the last one.
  static TPassageRenderer* const renderer = new TPassageRenderer;
  TPassageRenderer& r = *renderer;
  r.SetBible(bible);
  r.SetCompareBible(placed->compare.get());
  r.SetSettings(s);
  r.SetKeyHighlightColor(color * 2654435761u);
  r.SetStrongsData((call & 64) ? nullptr : lib.strongs.get());
  r.SetParagraphMap(&lib.paragraphs);
  r.SetLinkedCommentaries(std::vector<const TLMCommentaryModule*>{lib.commentary.get(), nullptr});
  r.SetLinkedBooks(std::vector<const TLMDictionaryModule*>{lib.book.get(), lib.hebrew_book.get()});
  r.SetEditableCommentaries((view & 64) ? std::vector<const TLMCommentaryModule*>{lib.commentary.get()}
                                         : std::vector<const TLMCommentaryModule*>{});
  r.SetExcludedFromLinking((call & 128) ? std::vector<std::string>{"fzm", "FZK"}
                                        : std::vector<std::string>{});
  r.SetPaged(view & 128);
  r.SetPageFirst(page_start);
  r.SetNextChapterLink(call & 16);
  r.SetPrevChapterLink(call & 32);

  const int count = r.ShowVerses(VerseListOf(placed->verses, shape), keys, call & 1, call & 2);
  LUMORA_FUZZ_CHECK(count >= 0 && count <= r.PageLast() - r.PageFirst() + 1);
  CheckPassagePage(r, *bible);
  const std::string first = r.Html();
  LUMORA_FUZZ_CHECK(r.Rerender() == count);
  LUMORA_FUZZ_CHECK(r.Html() == first);
  if (r.Paged()) {  // a "pn:" click onto the next page
    r.SetPageFirst(r.PageLast() + 1);
    (void)r.Rerender();
    CheckPassagePage(r, *bible);
  }
}

void FuzzEntry(FuzzInput& input) {
  const uint8_t flags = input.Byte();
  const int first_verse = input.U16();
  const int last_verse = input.U16();
  const uint32_t color = input.U32();
  const std::string_view text = input.Piece(kPieceSeparator);
  const std::string_view title = input.Piece(kPieceSeparator);
  const std::string_view header = input.Piece(kPieceSeparator);
  std::vector<std::string> titles;
  if (flags & 4) titles = Modules().commentary->EntryTitles();
  if (flags & 8) titles = Modules().book->EntryTitles();
  while (!input.empty()) titles.emplace_back(input.Piece(kPieceSeparator));

  // One renderer for the run, as a frame keeps one (it reads the KJV's
  // tables once).
  static TEntryRenderer* const renderer = new TEntryRenderer(*Modules().bible);
  TEntryRenderer& r = *renderer;
  r.SetLinkMultipleVerses(flags & 1);
  r.SetKeyHighlightColor(color);
  r.SetEntryHeader((flags & 2) ? std::string(header) : std::string());
  r.ShowEntry(text, title, titles, first_verse, last_verse);
  const std::string html = r.Html();
  std::string escaped_title;
  AppendHtmlEscaped(escaped_title, title);
  LUMORA_FUZZ_CHECK(html.starts_with("<title>" + escaped_title + "</title>") ||
                    title.find_first_of("\x01\x02\x03\x04\x05\x06\x08\x0E") != std::string_view::npos);
  LUMORA_FUZZ_CHECK(html.find('\x08') == std::string::npos);
  LUMORA_FUZZ_CHECK(r.Anchor() == (first_verse != 0 ? "#v" + std::to_string(first_verse) : ""));
  const TVerseList verses = r.GetReferencedVerses();
  for (size_t i = 0; i < verses.size(); ++i) {
    LUMORA_FUZZ_CHECK(verses[i] >= 1 && verses[i] <= kVerseCount);
    if (i > 0) LUMORA_FUZZ_CHECK(verses[i - 1] < verses[i]);
  }
  // The same entry renders the same page again.
  r.ShowEntry(text, title, titles, first_verse, last_verse);
  LUMORA_FUZZ_CHECK(r.Html() == html);
  LUMORA_FUZZ_CHECK(r.GetReferencedVerses() == verses);
  (void)r.FormatReferences(text, first_verse, last_verse);
}

}  // namespace

void FuzzRenderers(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  if (input.Byte() % 2 == 0)
    FuzzPassage(input);
  else
    FuzzEntry(input);
}

}  // namespace lumora::fuzz
