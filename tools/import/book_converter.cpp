#include "tools/import/book_converter.h"

#include <algorithm>
#include <numeric>

#include "core/text/cp1252.h"
#include "tools/import/entry_record_fit.h"

namespace lumora::import {
namespace {

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && cp1252::EqualNoCase(s.substr(0, prefix.size()), prefix);
}

// Entry number of the title `key` in `sorted`, or -1. Cross-references in
// topical indexes often name a topic more briefly than its title ("JESUS"
// for "JESUS, THE CHRIST", "PRIESTS" for "PRIEST"): after the exact title,
// the first title that continues the key with a comma or blank, then the
// singular or plural, then any title the key begins.
int FindTopic(const std::vector<std::string>& sorted, const std::string& key) {
  auto less = [](const std::string& a, const std::string& b) {
    return cp1252::CompareNoCase(a, b) < 0;
  };
  auto exact = [&](const std::string& title) {
    const auto it = std::lower_bound(sorted.begin(), sorted.end(), title, less);
    return it != sorted.end() && cp1252::EqualNoCase(*it, title)
               ? static_cast<int>(it - sorted.begin())
               : -1;
  };
  if (key.empty()) return -1;
  if (const int n = exact(key); n >= 0) return n;
  const auto from = std::lower_bound(sorted.begin(), sorted.end(), key, less);
  for (auto it = from; it != sorted.end() && StartsWithNoCase(*it, key); ++it) {
    const char next = (*it)[key.size()];
    if (next == ',' || next == ' ') return static_cast<int>(it - sorted.begin());
  }
  for (const std::string_view suffix : {"S", "ES"})
    if (key.size() > suffix.size() + 2 &&
        cp1252::EqualNoCase(key.substr(key.size() - suffix.size()), suffix))
      if (const int n = exact(key.substr(0, key.size() - suffix.size())); n >= 0) return n;
  if (const int n = exact(key + "S"); n >= 0) return n;
  if (from != sorted.end() && StartsWithNoCase(*from, key))
    return static_cast<int>(from - sorted.begin());
  return -1;
}

}  // namespace

DictionaryBook BuildDictionaryBook(const std::vector<SourceEntry>& entries, std::string_view work,
                                   CodePageFolds* folds) {
  DictionaryBook result;
  // Titles first: links name entries by their final numbers, which the
  // title order decides.
  std::vector<std::string> titles;
  titles.reserve(entries.size());
  for (size_t k = 0; k < entries.size(); ++k) {
    if (folds) folds->SetEntry(k);
    titles.push_back(ToWindows1252(entries[k].key, folds));
  }
  std::vector<size_t> order(entries.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return cp1252::CompareNoCase(titles[a], titles[b]) < 0;
  });

  // Sorted titles, searched without regard to case like the program's look-up;
  // the first of equal titles is the one a link reaches.
  std::vector<std::string> sorted;
  sorted.reserve(order.size());
  for (const size_t k : order) {
    if (!sorted.empty() && cp1252::EqualNoCase(sorted.back(), titles[k])) ++result.duplicate_keys;
    sorted.push_back(titles[k]);
  }
  EntryContext context;
  context.work = work;
  context.folds = folds;
  context.entry_number = [&sorted](std::string_view key) {
    return FindTopic(sorted, ToWindows1252(key, nullptr));
  };

  result.book.entries.reserve(order.size());
  for (size_t n = 0; n < order.size(); ++n) {
    if (folds) folds->SetEntry(order[n]);
    EntryConversion converted = ConvertEntry(entries[order[n]].text, context);
    AddCounts(result.totals, converted);
    if (FitEntryRecord(converted.text)) ++result.shortened;
    result.book.entries.push_back({sorted[n], std::move(converted.text)});
  }
  return result;
}

}  // namespace lumora::import
