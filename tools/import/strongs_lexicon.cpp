#include "tools/import/strongs_lexicon.h"

#include <cstdio>

#include "core/text/cp1252.h"
#include "tools/import/transliteration.h"
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

// A Latin field: a Hebrew word that stands in one by mistake (H5019) is
// transliterated, not written as "?".
std::string Latin(std::string_view markup, CodePageFolds* folds) {
  return ToWindows1252(TransliterateGreekHebrew(PlainText(markup)), folds);
}

// The Hebrew lexicon writes the "s" with acute of its transliterations (the
// letter sin: "yi\xC5\x9Br\xC3\xA2'\xC3\xAAl") as the Greek omega with tonos, which
// it has nowhere else.
std::string Repaired(std::string_view tei, LegacyFont font) {
  std::string out(tei);
  if (font != LegacyFont::kBasicHebrew) return out;
  for (size_t at = out.find("\xCF\x8E"); at != std::string::npos; at = out.find("\xCF\x8E", at))
    out.replace(at, 2, "\xC5\x9B");
  return out;
}

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

StrongsWord ExtractStrongsWord(std::string_view source, LegacyFont font, CodePageFolds* folds) {
  const std::string tei = Repaired(source, font);
  StrongsWord word;
  word.word = EncodeLegacyFont(font, PlainText(FirstElement(tei, "orth", ""))).bytes;
  word.transliteration = Latin(FirstElement(tei, "orth", "trans"), folds);
  word.pronunciation = Latin(FirstElement(tei, "pron", ""), folds);
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
                                   int count, CodePageFolds* folds) {
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
    if (folds) folds->SetEntry(static_cast<size_t>(n));
    word = ExtractStrongsWord(source->text, font, folds);
    entry.title = StrongsEntryTitle(n, word);
    EntryContext context;
    context.folds = folds;
    EntryConversion converted = ConvertEntry(Repaired(source->text, font), context);
    entry.text = std::move(converted.text);
    AddCounts(lexicon.totals, converted);
  }
  return lexicon;
}

}  // namespace lumora::import
