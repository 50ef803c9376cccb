// Reading the hrefs the program writes ("scheme:data"), shared by the click
// dispatchers and the hover previews. Every reader here is strict: a number
// that is not exactly decimal digits or "$" and hexadecimal digits, or that
// overflows, gives nullopt, so a damaged or hand-written link does nothing
// and previews nothing instead of addressing a wrong entry or verse.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace lumora {

// The two halves of an href, split at its first ":". Views into the text
// passed in; they live as long as it does.
struct THref {
  std::string_view scheme;
  std::string_view data;
};

// nullopt when the href has no ":". The scheme is returned as written; the
// resource view lower-cases it before comparing, the text view does not.
std::optional<THref> SplitHref(std::string_view href);

// A number of link data: decimal digits, or "$" followed by hexadecimal
// digits (either case). No sign, no blanks, nothing after the digits; the
// value must fit 0..INT32_MAX.
std::optional<int32_t> ParseLinkNumber(std::string_view text);

// "k,n" of the "lc", "ld" and "ec" links: split at the first ","; both parts
// are link numbers.
struct TLinkPair {
  int32_t k = 0;
  int32_t n = 0;
};
std::optional<TLinkPair> ParseLinkPair(std::string_view data);

// One item of a verse-range list: the base-205 first verse, optionally "+"
// and the base-205 count of further verses (only the first four bytes after
// "+" are read, as every reader of the lists does).
struct TVerseRangeItem {
  int32_t first = 0;      // 1..31102
  int32_t last = 0;       // first + count; may lie past the Bible
  bool has_count = false;
  std::string_view head;  // the item up to "+" (all of it without "+")

  // last, or first when last lies beyond `verse_count` (the rule of the
  // "vrl" dispatcher and previews against the Bible's verse count, and of
  // the entry renderer against 31102).
  int32_t LastWithin(int32_t verse_count) const { return last > verse_count ? first : last; }
};

// nullopt when the first verse is empty, holds a non-digit byte or lies
// outside 1..31102, or when the count is empty or holds a non-digit byte.
std::optional<TVerseRangeItem> ParseVerseRangeItem(std::string_view item);

// The items of a verse-range list split at every ",": empty items are kept,
// except one empty item at the end (so "" gives none and "a," gives "a").
std::vector<std::string_view> SplitVerseRangeList(std::string_view list);

}  // namespace lumora
