#include "core/refs/reference_parser.h"

#include <algorithm>
#include <climits>

#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"

namespace lumora {
namespace {

bool IsLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// A title the module could not give (its title list is shorter than its
// book count) reads as an error text; it must not become a book key.
bool IsErrorText(std::string_view title) {
  return title.starts_with("[Non-fatal internal error: ");
}

std::string_view Alias(std::string_view token) {
  struct Entry {
    std::string_view typed, replacement;
  };
  static constexpr Entry kAliases[] = {
      {"mk", "mr"},   {"dt", "de"},   {"jn", "joh"},  {"jdg", "jg"}, {"ca", "so"},
      {"1jn", "1jo"}, {"2jn", "2jo"}, {"3jn", "3jo"}, {"sos", "so"}, {"mtt", "mt"},
  };
  for (const Entry& e : kAliases)
    if (token == e.typed) return e.replacement;
  return token;
}

// Drops leading bytes up to 0x20: blanks and control characters.
std::string_view TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  return s.substr(i);
}

// The text the scanner reads: leading blanks and control characters gone,
// "1 jn" read as "1jn", A-Z lower-cased, one blank appended. Leading blanks
// go before the digit-blank exchange too, so " 1 jn" reads like "1 jn".
std::string Prepare(std::string_view text) {
  std::string p(TrimLeft(text));
  if (p.size() > 2 && IsDigit(p[0]) && p[1] == ' ') std::swap(p[0], p[1]);
  p = std::string(TrimLeft(p));
  for (char& ch : p)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  p += ' ';
  return p;
}

// A verse as the scanner names it. The lookup is pure, so it waits until
// the scan is over: most values the grammar assigns are overwritten before
// the end ("jn 3:16" sets the whole book, then the chapter, then the verse).
struct Spot {
  int book = -1;  // -1: not set (a placeholder's first value)
  int chapter = 0;
  int verse = 0;
  bool operator==(const Spot&) const = default;
};

struct PendingRange {
  Spot first, last;
};

constexpr PendingRange kPlaceholder{};

// The scanner over the prepared text. Positions are 1-based as in the
// grammar's description; every read outside 1..L sees a blank, so no input
// can make it read outside the prepared text. `Locate` is the verse lookup
// (b, c, v) -> index.
template <class Locate>
class Scanner {
 public:
  Scanner(const std::string& prepared, const BookKeys& keys, const Locate& locate)
      : text_(prepared), length_(static_cast<int>(prepared.size())), keys_(keys), locate_(locate) {}

  // Runs to the end; returns the ranges looked up, without placeholders.
  void Run(TVerseRangeList& ranges, int& stop) {
    Next next = Next::kBook;
    while (next != Next::kStop) next = next == Next::kBook ? BookStep() : PartStep();
    for (const PendingRange& r : ranges_) {
      if (r.first.book == -1) continue;
      const int first = Index(r.first);
      ranges.push_back({first, r.last == r.first ? first : Index(r.last)});
    }
    stop = stop_;
  }

 private:
  enum class Next { kBook, kPart, kStop };

  char At(int p) const { return p >= 1 && p <= length_ ? text_[static_cast<size_t>(p - 1)] : ' '; }
  // Reads digits from p_, leaving p_ on the first non-digit; saturates
  // instead of overflowing (every number past the book's size clamps to the
  // same verse). Returns false when there were none.
  bool ReadDigits(int& out) {
    const int start = p_;
    int value = 0;
    while (IsDigit(At(p_))) {
      const int digit = At(p_) - '0';
      value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
      ++p_;
    }
    if (p_ == start) return false;
    out = value;
    return true;
  }
  void SkipBlanks() {
    while (p_ <= length_ && At(p_) == ' ') ++p_;
  }
  Spot Verse(int chapter, int verse) const { return {book_, chapter, verse}; }
  int Index(const Spot& s) const { return locate_(s.book, s.chapter, s.verse); }
  Next StopAt(int s) {
    stop_ = s;
    return Next::kStop;
  }
  PendingRange& Last() { return ranges_.back(); }
  Next After() const { return new_book_ ? Next::kBook : p_ < length_ ? Next::kPart : Next::kBook; }

  Next BookStep();
  Next PartStep();

  const std::string& text_;
  const int length_;  // L
  const BookKeys& keys_;
  const Locate& locate_;
  std::vector<PendingRange> ranges_;
  int stop_ = -1;
  int p_ = 1;
  int book_ = 0;
  int chapter_ = 1;
  bool new_book_ = false;
};

template <class Locate>
typename Scanner<Locate>::Next Scanner<Locate>::BookStep() {
  if (p_ >= length_) return StopAt(p_ - 1);
  // A long title typed with its blanks ("song of solomon") comes first: no
  // one-token key takes what follows its first word.
  size_t title_length = 0;
  book_ =
      keys_.FindTitleAt(std::string_view(text_).substr(static_cast<size_t>(p_ - 1)), title_length);
  if (book_ != 0) {
    p_ += static_cast<int>(title_length);  // on the blank after the title
  } else {
    const int start = p_;
    while (At(p_) != ' ') ++p_;  // the appended blank ends every token
    std::string_view token(text_.data() + (start - 1), static_cast<size_t>(p_ - start));
    const int length = static_cast<int>(token.size());
    if (length < 2) return StopAt(p_ - length - 1);
    if (token.back() == '.') {
      token.remove_suffix(1);
      if (token.size() < 2) return StopAt(p_ - static_cast<int>(token.size()) - 2);
    }
    token = Alias(token);
    int after = p_;
    while (after <= length_ && At(after) == ' ') ++after;
    book_ = keys_.Find(
        token, IsDigit(At(after)) ? BookKeys::NumberFollows::kYes : BookKeys::NumberFollows::kNo);
    // The length is the token's as it now stands (period dropped, alias
    // applied).
    if (book_ == 0) return StopAt(p_ - static_cast<int>(token.size()) - 1);
  }

  chapter_ = 1;
  if (ranges_.empty() || ranges_.back().first.book != -1) ranges_.push_back(kPlaceholder);
  Last() = {Verse(1, 1), Verse(kLastChapterOrVerse, kLastChapterOrVerse)};
  if (p_ == length_) return Next::kBook;
  ++p_;
  new_book_ = length_ > p_ + 1 && IsLetter(At(p_ + 1));
  return After();
}

template <class Locate>
typename Scanner<Locate>::Next Scanner<Locate>::PartStep() {
  const char ch = At(p_);
  if (!IsDigit(ch) && !IsLetter(ch) && ch != '.' && ch != ':' && ch != '-' && ch != ' ' &&
      ch != ';' && ch != ',')
    return StopAt(p_ - 1);

  // Chapter.
  if (IsDigit(ch)) {
    ReadDigits(chapter_);
    Last() = {Verse(chapter_, 1), Verse(chapter_, kLastChapterOrVerse)};
  }
  // Verse.
  if (At(p_) == ':' || At(p_) == '.') {
    ++p_;
    if (p_ == length_) return StopAt(p_ - 1);
    int verse = 1;
    ReadDigits(verse);
    Last().first = Last().last = Verse(chapter_, verse);
  }
  // Range end; a book name after the hyphen starts a new range instead.
  if (At(p_) == '-') {
    ++p_;
    if (p_ == length_) return StopAt(p_ - 1);
    if (IsLetter(At(p_ + 1))) {
      new_book_ = true;
      return After();
    }
    int n = 0;
    if (!ReadDigits(n)) return StopAt(p_ - 1);
    if (At(p_) == ':' || At(p_) == '.') {
      chapter_ = n;
      Last().last = Verse(chapter_, kLastChapterOrVerse);
      ++p_;
      if (p_ == length_) return StopAt(p_ - 1);
      int verse = 1;
      ReadDigits(verse);
      Last().last = Verse(chapter_, verse);
    } else {
      Last().last = Verse(chapter_, n);
    }
  }
  // List: a number after a comma is a verse of the current chapter.
  if (At(p_) == ',') {
    ++p_;
    if (p_ == length_) return StopAt(p_ - 1);
    SkipBlanks();
    if (IsLetter(At(p_ + 1))) {
      new_book_ = true;
      return After();
    }
    int verse = 0;
    if (!ReadDigits(verse)) return StopAt(p_ - 1);
    ranges_.push_back({Verse(chapter_, verse), Verse(chapter_, verse)});
    if (p_ < length_ - 1) SkipBlanks();
  }
  // Separator: what follows fills a new range. Only inside the text: past
  // its end every read is a blank, and taking one would put the stop
  // position beyond the text.
  if (p_ <= length_ && (At(p_) == ';' || At(p_) == ' ')) {
    ++p_;
    if (p_ < length_) ranges_.push_back(kPlaceholder);
  }
  SkipBlanks();
  new_book_ = length_ > p_ + 1 && (IsLetter(At(p_)) || IsLetter(At(p_ + 1)));
  if (!new_book_ && p_ <= length_ && IsLetter(At(p_))) return Next::kStop;  // stop stays -1
  return After();
}

// Single verses typed one after the other become one range, pairwise: 16,17
// gives 16-17; 16,17,18 gives 16-17 and 18.
void MergeSingleVerses(TVerseRangeList& ranges) {
  TVerseRangeList merged;
  merged.reserve(ranges.size());
  int previous = -2;
  for (const TVerseRange& r : ranges) {
    if (r.first != r.last) {
      previous = -2;
      merged.push_back(r);
    } else if (r.first == previous + 1) {
      merged.back().last = r.first;
      previous = -2;
    } else {
      merged.push_back(r);
      previous = r.first;
    }
  }
  ranges = std::move(merged);
}

// The module's LocateVerse over a verse table in canonical order: each
// linear "advance i while i < n and ..." of the scan is a search for the
// first index where the condition fails, which holds on a prefix of the
// range searched. `at(i)` gives book, chapter and verse of index i.
template <class At>
int LocateInOrder(int n, int book_count, int b, int c, int v, const At& at) {
  if (b < 1 || b > book_count || n < 1) return 1;
  // First index in [from, n) where pred fails, else n; gallops, as the
  // answer is usually near `from`.
  auto advance = [&](int from, auto pred) {
    if (from >= n || !pred(at(from))) return from;
    int lo = from;  // pred(lo) holds
    int step = 1;
    int hi = lo + step;
    while (hi < n && pred(at(hi))) {
      lo = hi;
      step *= 2;
      hi = lo + step;
    }
    hi = std::min(hi, n);  // pred(hi) fails, or hi is the end
    while (hi - lo > 1) {
      const int mid = lo + (hi - lo) / 2;
      (pred(at(mid)) ? lo : hi) = mid;
    }
    return hi;
  };
  // First verse of book b, by halving over the whole table; a book the
  // table lacks gives the last index, as the scan that looks for it runs to
  // the end.
  int lo = 0, hi = n;  // book(lo) < b, or lo = 0; book(hi) >= b, or hi = n
  while (hi - lo > 1) {
    const int mid = lo + (hi - lo) / 2;
    (at(mid).book < b ? lo : hi) = mid;
  }
  int i = hi;
  if (i < n && at(i).book != b) i = n;
  i = advance(i, [b, c](const auto& t) { return t.chapter < c && t.book == b; });
  if (i < n && at(i).book > b) --i;
  i = advance(i, [b, c, v](const auto& t) { return t.verse < v && t.book == b && t.chapter == c; });
  const auto last = at(i);
  if ((last.book > b || last.chapter > c) && i > 1) --i;
  return i;
}

template <class Locate>
ParsedReferences RunParse(std::string_view text, const BookKeys& keys, int verse_count,
                          const Locate& locate) {
  ParsedReferences result;
  const std::string prepared = Prepare(text);
  result.skipped = static_cast<int>(text.size() - (prepared.size() - 1));
  Scanner<Locate>(prepared, keys, locate).Run(result.ranges, result.stop);

  verse_count = std::max(1, verse_count);
  for (TVerseRange& r : result.ranges) {
    r.first = std::clamp(r.first, 1, verse_count);
    r.last = std::clamp(r.last, 1, verse_count);
  }
  if (result.ranges.size() >= 2) MergeSingleVerses(result.ranges);
  return result;
}

}  // namespace

BookKeys::BookKeys(const TLMBibleModule& bible) {
  const int count = bible.BookCount();
  long_.resize(static_cast<size_t>(count));
  short_.resize(static_cast<size_t>(count));
  long_joined_.resize(static_cast<size_t>(count));
  long_spaced_.resize(static_cast<size_t>(count));
  for (int b = 1; b <= count; ++b) {
    const size_t i = static_cast<size_t>(b - 1);
    const std::string long_title = bible.GetLongBookTitle(b);
    const std::string short_title = bible.GetShortBookTitle(b);
    if (!IsErrorText(long_title)) {
      long_joined_[i] = cp1252::LowerAscii(long_title);
      // A title with a blank can never equal a token; it is a key only
      // joined.
      if (long_joined_[i].find(' ') == std::string::npos)
        long_[i] = long_joined_[i];
      else
        long_spaced_[i] = long_joined_[i];
      std::erase(long_joined_[i], ' ');
    }
    if (!IsErrorText(short_title)) {
      short_[i] = cp1252::LowerAscii(short_title);
      if (const size_t blank = short_[i].find(' '); blank != std::string::npos)
        short_[i].erase(blank, 1);
    }
  }
}

int BookKeys::Find(std::string_view token, NumberFollows number) const {
  if (token.size() < 2) return 0;
  const int count = static_cast<int>(long_.size());
  for (int b = 0; b < count; ++b)
    if (long_[static_cast<size_t>(b)] == token) return b + 1;
  for (int b = 0; b < count; ++b)
    if (short_[static_cast<size_t>(b)].starts_with(token)) return b + 1;
  for (int b = 0; b < count; ++b)
    if (long_joined_[static_cast<size_t>(b)] == token) return b + 1;
  // The abbreviations people type ("rom", "matt", "psalm", "1cor") are
  // beginnings of the full names.
  if (token.size() >= kMinLongPrefix && number == NumberFollows::kYes)
    for (int b = 0; b < count; ++b)
      if (long_joined_[static_cast<size_t>(b)].starts_with(token)) return b + 1;
  return 0;
}

int BookKeys::FindTitleAt(std::string_view text, size_t& length) const {
  length = 0;
  for (size_t b = 0; b < long_spaced_.size(); ++b) {
    const std::string& title = long_spaced_[b];
    if (title.empty()) continue;
    size_t t = 0, i = 0;  // positions in the title and in the text
    while (t < title.size() && i < text.size()) {
      if (title[t] == ' ') {
        if (text[i] != ' ') break;
        while (i < text.size() && text[i] == ' ') ++i;
        ++t;
      } else if (title[t] == text[i]) {
        ++t;
        ++i;
      } else {
        break;
      }
    }
    if (t < title.size()) continue;
    if (i < text.size() && text[i] == '.') ++i;
    // The whole last word, not the beginning of a longer one.
    if (i < text.size() && text[i] == ' ') {
      length = i;
      return static_cast<int>(b) + 1;
    }
  }
  return 0;
}

ParsedReferences ParseReferences(std::string_view text, const TLMBibleModule& bible) {
  const auto locate = [&bible](int b, int c, int v) { return FastLocateVerse(bible, b, c, v); };
  return RunParse(text, BookKeys(bible), bible.VerseCount(), locate);
}

ReferenceParser::ReferenceParser(const TLMBibleModule& bible)
    : keys_(bible), book_count_(bible.BookCount()) {
  verses_.resize(static_cast<size_t>(std::max(0, bible.VerseCount())));
  for (size_t i = 0; i < verses_.size(); ++i) {
    const TVerseLocation at = bible.GetVerseLocation(static_cast<int>(i) + 1);
    // The table stores bytes; the casts lose nothing.
    verses_[i] = {static_cast<uint8_t>(at.book), static_cast<uint8_t>(at.chapter),
                  static_cast<uint8_t>(at.verse)};
  }
}

ParsedReferences ReferenceParser::Parse(std::string_view text) const {
  const auto locate = [this](int b, int c, int v) { return LocateVerse(b, c, v); };
  return RunParse(text, keys_, static_cast<int>(verses_.size()), locate);
}

int ReferenceParser::LocateVerse(int b, int c, int v) const {
  return LocateInOrder(static_cast<int>(verses_.size()), book_count_, b, c, v,
                       [this](int i) { return verses_[static_cast<size_t>(i - 1)]; });
}

int FastLocateVerse(const TLMBibleModule& bible, int b, int c, int v) {
  return LocateInOrder(bible.VerseCount(), bible.BookCount(), b, c, v,
                       [&bible](int i) { return bible.GetVerseLocation(i); });
}

}  // namespace lumora
