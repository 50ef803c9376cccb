#include "tools/import/commentary_converter.h"

#include <algorithm>
#include <map>

#include "tools/builder/kjv_versification.h"
#include "tools/import/entry_record_fit.h"
#include "tools/import/xml_scanner.h"

namespace lumora::import {
namespace {

constexpr int kVerseCount = 31102;

// "Verse 3.", "Verses 4, 5.", "Ver. 6." at the start of a bold run: the
// verse number, or 0.
int HeadingVerse(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsXmlSpace(text[i])) ++i;
  text.remove_prefix(i);
  for (const std::string_view word : {"Verses", "Verse", "Ver."}) {
    if (text.substr(0, word.size()) != word) continue;
    size_t k = word.size();
    if (k >= text.size() || !IsXmlSpace(text[k])) return 0;
    while (k < text.size() && IsXmlSpace(text[k])) ++k;
    int n = 0;
    const size_t digits = k;
    while (k < text.size() && text[k] >= '0' && text[k] <= '9' && k - digits < 3)
      n = n * 10 + (text[k++] - '0');
    return k > digits ? n : 0;
  }
  return 0;
}

void Append(std::string& slot, std::string text) {
  if (text.empty()) return;
  if (!slot.empty()) slot += "<p>";
  slot += text;
}

bool IsBlankText(std::string_view text) {
  for (const char c : text)
    if (!IsXmlSpace(c)) return false;
  return true;
}

bool IsLineBreak(const XmlTag& tag) {
  return tag.name == "div" || tag.name == "p" || tag.name == "lb" || tag.name == "l" ||
         tag.name == "lg" || tag.name == "br" || tag.name == "title" ||
         (tag.name == "milestone" && tag.Get("type") == "x-p");
}

}  // namespace

std::string WithHeading(std::string_view markup) {
  constexpr size_t kMaxHeading = 40;
  XmlScanner scanner(markup);
  int title_depth = 0;
  size_t first_text = std::string_view::npos;
  for (auto token = scanner.Next(); token != XmlScanner::Token::kEnd; token = scanner.Next()) {
    if (token == XmlScanner::Token::kTag) {
      const XmlTag& tag = scanner.tag();
      if (tag.name == "title" && !tag.self_closing) title_depth += tag.end ? -1 : 1;
      if (first_text != std::string_view::npos && IsLineBreak(tag)) {
        // The first line ends here: a short one without a sentence in it
        // names what follows.
        const std::string_view line = markup.substr(first_text, scanner.position() - first_text);
        const std::string plain = PlainText(line);
        if (plain.size() <= kMaxHeading && plain.find_first_of(".:;") == std::string::npos)
          return "<title>" + std::string(line) + "</title>" +
                 std::string(markup.substr(scanner.position()));
        break;
      }
      continue;
    }
    if (IsBlankText(scanner.text())) continue;
    if (title_depth > 0) return std::string(markup);  // it has a heading of its own
    if (first_text == std::string_view::npos) {
      first_text = scanner.position();
      while (IsXmlSpace(markup[first_text])) ++first_text;  // the text is not all blank
    }
  }
  return "<title>Introduction</title>" + std::string(markup);
}

int PlaceIntroductions(std::vector<SourceComment>& comments,
                       const std::vector<SourceComment>& introductions) {
  int placed = 0;
  for (const SourceComment& intro : introductions) {
    if (intro.first < 1 || intro.first > kVerseCount || PlainText(intro.text).empty()) continue;
    const std::string text = WithHeading(intro.text);
    auto at = std::lower_bound(comments.begin(), comments.end(), intro.first,
                               [](const SourceComment& c, int verse) { return c.first < verse; });
    if (at != comments.end() && at->first == intro.first)
      at->text = text + "<div type=\"x-p\"/>" + at->text;
    else
      comments.insert(at, SourceComment{intro.first, intro.first, text});
    ++placed;
  }
  return placed;
}

std::vector<VersePiece> SplitAtVerseHeadings(std::string_view markup, int verse_count) {
  std::vector<VersePiece> pieces;
  std::map<int, std::string_view> section_of;  // the section title last written on a verse
  std::string_view section;
  int verse = 1;
  size_t segment_start = 0;
  auto flush = [&](size_t end) {
    const std::string_view segment = markup.substr(segment_start, end - segment_start);
    if (PlainText(segment).empty()) return;
    std::string text;
    if (!section.empty() && section_of[verse] != section) {
      text = std::string(section) + "\n";
      section_of[verse] = section;
    }
    text += segment;
    pieces.push_back(VersePiece{verse, std::move(text)});
  };
  XmlScanner scanner(markup);
  for (auto token = scanner.Next(); token != XmlScanner::Token::kEnd; token = scanner.Next()) {
    if (token != XmlScanner::Token::kTag) continue;
    const XmlTag& tag = scanner.tag();
    if (tag.end || tag.self_closing) continue;
    const size_t at = scanner.position();
    if (tag.name == "title") {
      const size_t close = markup.find("</title>", at);
      const size_t end = close == std::string_view::npos ? markup.size() : close + 8;
      flush(at);
      section = markup.substr(at, end - at);
      segment_start = end;
      continue;
    }
    if (tag.name == "hi" && tag.Get("type") == "bold") {
      const size_t open_end = markup.find('>', at);
      const int n = HeadingVerse(markup.substr(open_end + 1, 24));
      if (n >= 1 && n <= verse_count) {
        flush(at);
        verse = n;
        segment_start = at;
      }
    }
  }
  flush(markup.size());
  return pieces;
}

CommentaryLayout LayOutCommentary(const std::vector<SourceComment>& comments,
                                  const CommentaryOptions& options) {
  CommentaryLayout layout;
  layout.slots.assign(kVerseCount, std::string());
  const auto& table = builder::KjvVerseTable();
  const auto& books = builder::KjvBooks();
  EntryContext context;
  context.work = options.work;
  context.folds = options.folds;
  struct Range {
    int first, last;
  };
  std::vector<Range> ranges;
  std::vector<int> owner(kVerseCount, 0);  // first verse of the comment that wrote a slot

  for (const SourceComment& c : comments) {
    if (c.first < 1 || c.first > kVerseCount) continue;
    ++layout.comments;
    int last = std::clamp(c.last, c.first, kVerseCount);
    const builder::VerseLocation& at = table[static_cast<size_t>(c.first - 1)];
    std::vector<VersePiece> pieces;
    if (options.split_at_verse_headings) {
      const int chapter_verses = books[at.book - 1].verses_per_chapter[at.chapter - 1];
      pieces = SplitAtVerseHeadings(c.text, chapter_verses);
      // Pieces name verses of the comment's chapter, counted from its
      // first verse's chapter start.
      for (VersePiece& p : pieces) p.verse = std::max(p.verse, static_cast<int>(at.verse));
      bool split = false;
      for (const VersePiece& p : pieces) split = split || p.verse != at.verse;
      if (split) {
        ++layout.split_comments;
        last = std::max(last, builder::KjvVerseIndex(at.book, at.chapter, chapter_verses));
      }
    } else {
      pieces.push_back(VersePiece{at.verse, c.text});
    }
    if (options.folds) options.folds->SetEntry(static_cast<size_t>(c.first));
    for (VersePiece& p : pieces) {
      const int index = builder::KjvVerseIndex(at.book, at.chapter, p.verse);
      EntryConversion converted = ConvertEntry(p.markup, context);
      AddCounts(layout.totals, converted);
      Append(layout.slots[static_cast<size_t>(index - 1)], std::move(converted.text));
      owner[static_cast<size_t>(index - 1)] = c.first;
    }
    if (last > c.first) {
      ++layout.range_comments;
      ranges.push_back({c.first, last});
    }
  }
  // Links only where nothing of the verse's own stands.
  for (const Range& r : ranges) {
    const std::string link = "See " + CommentLink(r.first);
    for (int v = r.first + 1; v <= r.last; ++v) {
      std::string& slot = layout.slots[static_cast<size_t>(v - 1)];
      if (!slot.empty()) {
        layout.overlapping += owner[static_cast<size_t>(v - 1)] != r.first;
        continue;
      }
      slot = link;
      ++layout.link_entries;
    }
  }
  for (std::string& slot : layout.slots)
    if (FitEntryRecord(slot)) ++layout.shortened_slots;
  return layout;
}

}  // namespace lumora::import
