#include "tools/import/strongs_lexicon.h"

#include <cstdio>

#include "core/text/cp1252.h"
#include "tools/import/xml_scanner.h"

namespace lumora::import {
namespace {

// Markup of the first element `name` whose type attribute is `type` ("" for
// none), without the element's own tags; empty when there is none.
std::string_view FirstElement(std::string_view tei, std::string_view name, std::string_view type) {
  XmlScanner scanner(tei);
  for (auto token = scanner.Next(); token != XmlScanner::Token::kEnd; token = scanner.Next()) {
    if (token != XmlScanner::Token::kTag) continue;
    const XmlTag& tag = scanner.tag();
    if (tag.end || tag.self_closing || tag.name != name || tag.Get("type") != type) continue;
    const size_t open_end = tei.find('>', scanner.position());
    if (open_end == std::string_view::npos) return {};
    const size_t from = open_end + 1;
    // Elements of the same name do not nest in these lexicons.
    const std::string close = "</" + std::string(name) + ">";
    const size_t to = tei.find(close, from);
    return tei.substr(from, (to == std::string_view::npos ? tei.size() : to) - from);
  }
  return {};
}

std::string Latin(std::string_view markup) { return cp1252::FromUtf8(PlainText(markup)); }

}  // namespace

int StrongsKeyNumber(std::string_view key) {
  if (key.empty() || key.size() > 5) return 0;
  int n = 0;
  for (const char c : key) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

StrongsWord ExtractStrongsWord(std::string_view tei, LegacyFont font) {
  StrongsWord word;
  word.word = EncodeLegacyFont(font, PlainText(FirstElement(tei, "orth", ""))).bytes;
  word.transliteration = Latin(FirstElement(tei, "orth", "trans"));
  word.pronunciation = Latin(FirstElement(tei, "pron", ""));
  return word;
}

std::string StrongsEntryTitle(int number, const StrongsWord& word) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04d", number);
  std::string title = digits;
  if (!word.transliteration.empty()) title += ' ' + word.transliteration;
  return title;
}

StrongsLexicon BuildStrongsLexicon(const std::vector<SourceEntry>& entries, LegacyFont font,
                                   int count) {
  StrongsLexicon lexicon;
  std::vector<const SourceEntry*> by_number(static_cast<size_t>(count), nullptr);
  for (const SourceEntry& e : entries) {
    const int n = StrongsKeyNumber(e.key);
    if (n < 1 || n > count) {
      ++lexicon.foreign_keys;
      continue;
    }
    const SourceEntry*& slot = by_number[static_cast<size_t>(n - 1)];
    if (slot != nullptr)
      ++lexicon.duplicates;
    else
      slot = &e;
  }
  lexicon.words.resize(static_cast<size_t>(count));
  lexicon.book.entries.resize(static_cast<size_t>(count));
  for (int n = 1; n <= count; ++n) {
    const SourceEntry* source = by_number[static_cast<size_t>(n - 1)];
    StrongsWord& word = lexicon.words[static_cast<size_t>(n - 1)];
    builder::BookSource::Entry& entry = lexicon.book.entries[static_cast<size_t>(n - 1)];
    if (source == nullptr) {
      ++lexicon.missing;
      entry.title = StrongsEntryTitle(n, word);
      continue;
    }
    word = ExtractStrongsWord(source->text, font);
    entry.title = StrongsEntryTitle(n, word);
    EntryConversion converted = ConvertEntry(source->text);
    entry.text = std::move(converted.text);
    AddCounts(lexicon.totals, converted);
  }
  return lexicon;
}

}  // namespace lumora::import
