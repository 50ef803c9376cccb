#include "render/link_ranges.h"

#include "core/text/cp1252.h"
#include "render/href.h"

namespace lumora {
namespace {

std::string_view SchemeOf(std::string_view href) {
  const std::optional<THref> split = SplitHref(href);
  return split ? split->scheme : std::string_view();
}

}  // namespace

bool IsVerseListLink(std::string_view href) { return cp1252::EqualNoCase(SchemeOf(href), "vrl"); }

bool IsVerseLink(std::string_view href) {
  return cp1252::EqualNoCase(SchemeOf(href), "vr") || IsVerseListLink(href);
}

TVerseRangeList LinkedVerseRanges(std::string_view href, int verse_count) {
  TVerseRangeList ranges;
  if (!IsVerseLink(href)) return ranges;
  const std::string_view data = SplitHref(href)->data;
  const auto add = [&](std::string_view item) {
    const std::optional<TVerseRangeItem> parsed = ParseVerseRangeItem(item);
    if (!parsed || parsed->first > verse_count) return;
    ranges.push_back({parsed->first, parsed->LastWithin(verse_count)});
  };
  if (IsVerseListLink(href)) {
    for (const std::string_view item : SplitVerseRangeList(data)) add(item);
  } else {
    add(data);
  }
  return ranges;
}

TVerseList ExpandRanges(const TVerseRangeList& ranges) {
  TVerseList verses;
  for (const TVerseRange& r : ranges) {
    for (int v = r.first; v <= r.last; ++v) verses.push_back(static_cast<uint16_t>(v));
  }
  return verses;
}

std::optional<std::string> StrongsSearchText(std::string_view data) {
  if (data.size() < 2 || (data.front() != 'H' && data.front() != 'G')) return std::nullopt;
  const std::string_view number = data.substr(1);
  if (number.front() == '$') return std::nullopt;  // decimal only
  const std::optional<int32_t> n = ParseLinkNumber(number);
  if (!n || *n < 1) return std::nullopt;
  return std::string(data);
}

}  // namespace lumora
