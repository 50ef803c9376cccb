// href_preview: link addresses as the widgets report them, read by the href
// parsers and turned into the hover preview of every scheme, with the
// template modules loaded; the input is also read as lexicon article markup
// for the plain hint text.
//
// Input: the href (Windows-1252, any bytes).
// Checks: the parsers give back what they were given and only numbers in
// range; verse-range items name verses of the Bible; every preview of every
// scheme is built, the verse previews stay within their cuts, and without a
// Bible they are empty; hint text holds no markup bytes and no outer blanks.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "core/refs/verse_index.h"
#include "fuzz/harness/harnesses.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_library.h"
#include "render/hover_preview.h"
#include "render/href.h"

namespace lumora::fuzz {
namespace {

constexpr const char* kSchemes[] = {"h",  "g",      "ld",   "lc",  "ec", "vr", "vrl", "http",
                                    "HTTP", "lmimage", "LMImage", "cen", "lp", "pn", "",   "H"};

const TPreviewContext& Context() {
  static const TPreviewContext* const context = [] {
    const TemplateModules& m = Modules();
    auto* c = new TPreviewContext;
    c->strongs_data = m.strongs.get();
    c->hebrew_book = m.hebrew_book.get();
    c->greek_book = m.greek_book.get();
    c->books = {m.book.get(), m.hebrew_book.get(), nullptr, m.greek_book.get()};
    c->commentaries = {m.commentary.get(), nullptr};
    c->editable_commentaries = {m.commentary.get()};
    c->bible = m.bible.get();
    return c;
  }();
  return *context;
}

void CheckNumbers(std::string_view data) {
  if (const std::optional<int32_t> n = ParseLinkNumber(data)) {
    LUMORA_FUZZ_CHECK(*n >= 0);
    LUMORA_FUZZ_CHECK(ParseLinkNumber(std::to_string(*n)) == n);
    char hex[16];
    std::snprintf(hex, sizeof hex, "$%X", static_cast<unsigned>(*n));
    LUMORA_FUZZ_CHECK(ParseLinkNumber(hex) == n);
  }
  if (const std::optional<TLinkPair> p = ParseLinkPair(data))
    LUMORA_FUZZ_CHECK(p->k >= 0 && p->n >= 0);

  const std::vector<std::string_view> items = SplitVerseRangeList(data);
  std::string joined;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) joined += ',';
    joined += items[i];
    if (const std::optional<TVerseRangeItem> item = ParseVerseRangeItem(items[i])) {
      LUMORA_FUZZ_CHECK(IsVerseIndex(item->first) && item->last >= item->first);
      const int32_t last = item->LastWithin(kVerseCount);
      LUMORA_FUZZ_CHECK(last >= item->first && last <= kVerseCount);
      LUMORA_FUZZ_CHECK(items[i].starts_with(item->head));
    }
  }
  LUMORA_FUZZ_CHECK(joined == data || joined + "," == data);
}

void CheckPreviews(std::string_view data) {
  const TPreviewContext& context = Context();
  for (const char* scheme : kSchemes) {
    (void)TextViewPreview(scheme, data, context);
    (void)ResourceViewPreview(std::string(scheme) + ":" + std::string(data), context);
  }
  const size_t verse_cut = kVersePreviewCut + 2 + std::strlen(kVersePreviewTruncated);
  const size_t list_cut = kVerseListPreviewCut + 2 + std::strlen(kVerseListPreviewTruncated);
  LUMORA_FUZZ_CHECK(VerseRangePreview(data, context.bible).size() <= verse_cut);
  LUMORA_FUZZ_CHECK(VerseRangeListPreview(data, context.bible).size() <= list_cut);
  LUMORA_FUZZ_CHECK(VerseRangePreview(data, nullptr).empty());
  LUMORA_FUZZ_CHECK(VerseRangeListPreview(data, nullptr).empty());
  (void)StrongsPreview(true, data, TPreviewContext{});
  (void)BookVersePreview(data, TPreviewContext{});
}

void CheckHintText(std::string_view html) {
  const std::string hint = PlainHintText(html);
  LUMORA_FUZZ_CHECK(hint.find_first_of(std::string_view("\x01\x02\x03\x04\x08", 5)) == std::string::npos);
  if (!hint.empty()) {
    LUMORA_FUZZ_CHECK(static_cast<unsigned char>(hint.front()) > ' ');
    LUMORA_FUZZ_CHECK(static_cast<unsigned char>(hint.back()) > ' ');
  }
}

}  // namespace

void FuzzHrefPreview(const uint8_t* data, size_t size) {
  const std::string_view href(reinterpret_cast<const char*>(data), size);
  if (const std::optional<THref> h = SplitHref(href)) {
    LUMORA_FUZZ_CHECK(std::string(h->scheme) + ":" + std::string(h->data) == href);
    LUMORA_FUZZ_CHECK(h->scheme.find(':') == std::string_view::npos);
    (void)TextViewPreview(h->scheme, h->data, Context());
    CheckNumbers(h->data);
    CheckPreviews(h->data);
  } else {
    CheckNumbers(href);
    CheckPreviews(href);
  }
  (void)ResourceViewPreview(href, Context());
  CheckHintText(href);
}

}  // namespace lumora::fuzz
