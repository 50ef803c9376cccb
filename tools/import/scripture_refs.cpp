#include "tools/import/scripture_refs.h"

#include <string>
#include <unordered_map>

#include "tools/builder/kjv_versification.h"

namespace lumora::import {
namespace {

using builder::KjvBooks;
using builder::KjvVerseIndex;

std::string Key(std::string_view name) {
  std::string key;
  for (const char c : name) {
    if (c == ' ' || c == '\t') continue;
    key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return key;
}

struct BookTable {
  std::unordered_map<std::string, int> exact;
  std::vector<std::string> long_keys;  // index book - 1
};

const BookTable& Books() {
  static const BookTable table = [] {
    BookTable t;
    const auto& books = KjvBooks();
    for (size_t b = 0; b < books.size(); ++b) {
      const int number = static_cast<int>(b + 1);
      t.exact.emplace(Key(books[b].osis_name), number);
      t.exact.emplace(Key(books[b].short_title), number);
      t.exact.emplace(Key(books[b].long_title), number);
      t.long_keys.push_back(Key(books[b].long_title));
    }
    // Abbreviations the sources use beside those. "jud" is Judges in the
    // Online Bible's naming, which the abbreviated references follow.
    static constexpr struct {
      const char* name;
      int book;
    } kAliases[] = {{"jud", 7},    {"jdg", 7},   {"judg", 7},  {"psa", 19},  {"psalm", 19},
                    {"pss", 19},   {"prv", 20},  {"qoh", 21},  {"sos", 22},  {"song", 22},
                    {"cant", 22},  {"is", 23},   {"ezk", 26},  {"jl", 29},   {"obd", 31},
                    {"jnh", 32},   {"mat", 40},  {"mk", 41},   {"mar", 41},  {"mrk", 41},
                    {"lk", 42},    {"luk", 42},  {"jn", 43},   {"jhn", 43},  {"act", 44},
                    {"rm", 45},    {"1cor", 46}, {"2cor", 47}, {"phi", 50},  {"1thes", 52},
                    {"2thes", 53}, {"phmn", 57}, {"jam", 59},  {"jms", 59},  {"1jn", 62},
                    {"2jn", 63},   {"3jn", 64},  {"jde", 65},  {"apoc", 66}, {"rv", 66}};
    for (const auto& a : kAliases) t.exact.emplace(a.name, a.book);
    return t;
  }();
  return table;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsSeparator(char c) { return c == ' ' || c == ',' || c == ';' || c == '\t' || c == '\n'; }

int ChapterCount(int book) {
  return static_cast<int>(KjvBooks()[book - 1].verses_per_chapter.size());
}
int VerseCount(int book, int chapter) {
  return KjvBooks()[book - 1].verses_per_chapter[static_cast<size_t>(chapter - 1)];
}

// One end of a reference. chapter 0: the whole book; verse 0: the whole
// chapter.
struct Point {
  int book = 0;
  int chapter = 0;
  int verse = 0;
};

class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) {}

  ParsedScripture Run() {
    while (pos_ < s_.size()) {
      while (pos_ < s_.size() && IsSeparator(s_[pos_])) ++pos_;
      if (pos_ >= s_.size()) break;
      if (!Item()) {
        ++result_.rejected;
        while (pos_ < s_.size() && !IsSeparator(s_[pos_])) ++pos_;
        // Numbers after a name that named nothing ("Wisdom 14:21") are not
        // verses of the book before it.
        context_ = Point();
        context_has_verse_ = false;
      }
    }
    return std::move(result_);
  }

 private:
  // One reference, a point or a range; false when it names no verse.
  bool Item() {
    const size_t item_start = pos_;
    Point start;
    if (!ReadPoint(context_, context_has_verse_, start)) return false;
    Point end = start;
    if (pos_ < s_.size() && s_[pos_] == '-') {
      ++pos_;
      Point to;
      const size_t mark = pos_;
      if (ReadPoint(start, start.verse != 0, to))
        end = to;
      else
        pos_ = mark;  // "Gen.1.1-": the start stands alone
    }
    if (pos_ < s_.size() && !IsSeparator(s_[pos_])) return false;  // trailing junk
    const int first = First(start);
    if (first == 0) return false;
    int last = Last(end);
    if (last < first) last = Last(start);
    if (last < first) return false;
    result_.ranges.push_back({first, last});
    result_.spans.push_back({item_start, pos_ - item_start});
    context_ = end.book == start.book ? end : start;
    context_has_verse_ = context_.verse != 0;
    return true;
  }

  // Reads "[book][.| ]chapter[(:|.)verse]" or a bare number in `context`.
  bool ReadPoint(const Point& context, bool context_has_verse, Point& p) {
    bool book_given = false;
    bool osis = false;
    const size_t numbered = NumberedBookName(pos_);
    if (numbered > 0 || (pos_ < s_.size() && IsLetter(s_[pos_]))) {
      const size_t from = pos_;
      if (numbered > 0) {
        pos_ = numbered;
      } else {
        while (pos_ < s_.size() && IsLetter(s_[pos_])) ++pos_;
      }
      p.book = FindBook(s_.substr(from, pos_ - from));
      if (p.book == 0) return false;
      // Further words of the same name: "Song of Solomon".
      for (size_t next = NextWordEnd(pos_); next > 0; next = NextWordEnd(pos_)) {
        if (FindBook(s_.substr(from, next - from)) != p.book) break;
        pos_ = next;
      }
      book_given = true;
      if (pos_ < s_.size() && s_[pos_] == '.') {
        osis = true;
        ++pos_;
      } else {
        while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
      }
    } else {
      p.book = context.book;
    }
    if (p.book == 0) return false;
    int first = 0, second = 0;
    const bool has_first = ReadNumber(first);
    bool has_second = false;
    if (has_first && pos_ + 1 < s_.size() && (s_[pos_] == ':' || s_[pos_] == '.') &&
        IsDigit(s_[pos_ + 1])) {
      ++pos_;
      has_second = ReadNumber(second);
    }
    if (!has_first) {
      if (!book_given) return false;
      p.chapter = p.verse = 0;  // the whole book
      return true;
    }
    if (has_second) {
      p.chapter = first;
      p.verse = second;
    } else if (book_given) {
      // "Jude 5" is a verse in running references; OSIS "Jude.1" a chapter.
      if (!osis && ChapterCount(p.book) == 1) {
        p.chapter = 1;
        p.verse = first;
      } else {
        p.chapter = first;
        p.verse = 0;
      }
    } else if (context_has_verse && context.chapter != 0) {
      p.chapter = context.chapter;
      p.verse = first;
    } else {
      p.chapter = first;
      p.verse = 0;
    }
    return p.chapter > 0 && (has_second ? p.verse > 0 : true);
  }

  // End of a book name that starts with its number at `at` ("1Co", "2 Kings",
  // written with or without blanks), or 0 when none starts there. A number
  // and a word apart are a name only when they name a book together, so
  // "1 tim" is First Timothy but "16 and" stays a verse and a word.
  size_t NumberedBookName(size_t at) const {
    if (at >= s_.size() || !IsDigit(s_[at])) return 0;
    size_t k = at + 1;
    if (k < s_.size() && IsLetter(s_[k])) {
      while (k < s_.size() && IsLetter(s_[k])) ++k;
      return k;
    }
    const size_t end = NextWordEnd(k);
    return end > 0 && FindBook(s_.substr(at, end - at)) != 0 ? end : 0;
  }

  // End of the word that follows `at` after one or more blanks, or 0.
  size_t NextWordEnd(size_t at) const {
    size_t k = at;
    while (k < s_.size() && s_[k] == ' ') ++k;
    if (k == at || k >= s_.size() || !IsLetter(s_[k])) return 0;
    while (k < s_.size() && IsLetter(s_[k])) ++k;
    return k;
  }

  bool ReadNumber(int& n) {
    const size_t from = pos_;
    n = 0;
    while (pos_ < s_.size() && IsDigit(s_[pos_]) && pos_ - from < 4)
      n = n * 10 + (s_[pos_++] - '0');
    if (pos_ < s_.size() && IsDigit(s_[pos_])) return false;  // five digits: no verse
    return pos_ > from;
  }

  static int First(const Point& p) {
    if (p.chapter == 0) return KjvVerseIndex(p.book, 1, 1);
    return KjvVerseIndex(p.book, p.chapter, p.verse == 0 ? 1 : p.verse);
  }

  // Last verse of a point; a verse past its chapter's end stops at the end,
  // a chapter past the book's end names nothing (0).
  static int Last(const Point& p) {
    if (p.chapter == 0) {
      const int chapters = ChapterCount(p.book);
      return KjvVerseIndex(p.book, chapters, VerseCount(p.book, chapters));
    }
    if (p.chapter > ChapterCount(p.book)) return 0;
    const int count = VerseCount(p.book, p.chapter);
    return KjvVerseIndex(p.book, p.chapter, p.verse == 0 || p.verse > count ? count : p.verse);
  }

  std::string_view s_;
  size_t pos_ = 0;
  Point context_;
  bool context_has_verse_ = false;
  ParsedScripture result_;
};

}  // namespace

int FindBook(std::string_view name) {
  const std::string key = Key(name);
  if (key.empty()) return 0;
  const BookTable& t = Books();
  if (const auto it = t.exact.find(key); it != t.exact.end()) return it->second;
  if (key.size() < 3) return 0;
  for (size_t b = 0; b < t.long_keys.size(); ++b)
    if (t.long_keys[b].compare(0, key.size(), key) == 0) return static_cast<int>(b + 1);
  return 0;
}

ParsedScripture ParseScriptureRef(std::string_view ref) { return Parser(ref).Run(); }

WorkAndRef SplitWorkPrefix(std::string_view value) {
  // A work name starts with a letter and runs up to the colon; "19:4" is a
  // chapter and verse, "mt 19:4" has a blank before its colon.
  if (value.empty() || !IsLetter(value[0])) return {{}, value};
  size_t k = 0;
  while (k < value.size() && (IsLetter(value[k]) || IsDigit(value[k]) || value[k] == '_')) ++k;
  if (k + 1 >= value.size() || value[k] != ':') return {{}, value};
  return {value.substr(0, k), value.substr(k + 1)};
}

}  // namespace lumora::import
