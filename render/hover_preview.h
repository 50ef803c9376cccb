// The plain-text previews shown in a pop-up hint while the pointer rests on
// a link. The frames split the href (SplitHref), call the preview of their
// kind of view and put the result into their hint text; empty means no
// preview. Text is Windows-1252; the hint boundary converts it.
//
// Every preview is bounded: numbers from the link are checked against the
// tables and modules before use (a bad one gives an empty preview), and the
// verse previews stop reading verses once their text reaches its cut.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/strongs_data.h"

namespace lumora {

class TModuleCatalogue;

// Cuts of the verse previews and the texts appended when they apply.
inline constexpr size_t kVersePreviewCut = 3000;
inline constexpr size_t kVerseListPreviewCut = 2000;
inline constexpr const char* kVersePreviewTruncated = "[Truncated. Click for full text.]";
inline constexpr const char* kVerseListPreviewTruncated = "[List Truncated. Click for full text.]";

// What the previews read. Modules are the catalogue's; null or empty where
// nothing of that kind is loaded.
struct TPreviewContext {
  const TLMStrongsDataModule* strongs_data = nullptr;
  const TLMDictionaryModule* hebrew_book = nullptr;  // Hebrew Strong's Book
  const TLMDictionaryModule* greek_book = nullptr;   // Greek Strong's Book
  std::vector<const TLMDictionaryModule*> books;     // loaded Books, catalogue order ("ld")
  std::vector<const TLMCommentaryModule*> commentaries;  // loaded Commentaries ("lc")
  std::vector<const TLMCommentaryModule*> editable_commentaries;  // ("ec")
  const TLMBibleModule* bible = nullptr;  // the Bible view's current Bible ("vr", "vrl")
};

// The context of a loaded catalogue with `bible` as the Bible view's Bible.
TPreviewContext MakePreviewContext(const TModuleCatalogue& catalogue,
                                   const TLMBibleModule* bible);

// Lexicon article markup to hint text: paragraph and line breaks to line
// feeds, <i>/<b> tags removed, the three entities decoded (in one pass:
// "&amp;lt;" gives "&lt;"), cut before "See Greek" and then "See Hebrew",
// Hebrew and Greek script runs (0x01/0x02 through 0x08) removed, blanks and
// control characters trimmed at both ends.
std::string PlainHintText(std::string_view html);

// Preview of a link in the text view (Bible view, verse list): "h", "g",
// "ld", "lc", "ec" (scheme compared exactly); any other: empty.
std::string TextViewPreview(std::string_view scheme, std::string_view data,
                            const TPreviewContext& context);

// Preview of a link in the resource view (Book view, Commentary view): "vr",
// "vrl" (exactly), "http", "lmimage" (without regard to case; `href` is the
// whole link, shown for "http"); any other: empty.
std::string ResourceViewPreview(std::string_view href, const TPreviewContext& context);

// The single previews, for the frames and tests.
std::string StrongsPreview(bool hebrew, std::string_view data, const TPreviewContext& context);
std::string BookVersePreview(std::string_view data, const TPreviewContext& context);      // "ld"
std::string VerseRangePreview(std::string_view data, const TLMBibleModule* bible);       // "vr"
std::string VerseRangeListPreview(std::string_view data, const TLMBibleModule* bible);   // "vrl"

}  // namespace lumora
