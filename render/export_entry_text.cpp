// ExportEntryText: Book and Commentary entry markup to printable HTML or to
// plain text. Every sequence kind is converted by its own forward pass from
// one buffer into the next, in the order the markup defines (script runs,
// reference lists, entry links, Commentary links), so a malformed sequence
// can only affect the passes after it, never make one loop or re-read its
// own output.
#include <optional>
#include <string>
#include <vector>

#include "config/properties.h"
#include "core/codec/base205.h"
#include "core/refs/reference_format.h"
#include "core/refs/verse_index.h"
#include "render/entry_markup.h"
#include "render/export_procs.h"
#include "render/export_text_passes.h"
#include "render/verse_list.h"

namespace lumora {
namespace {

using namespace entry_markup;

// The module whose entry is converted: exactly one of the two is set.
struct EntryModule {
  const TLMDictionaryModule* book = nullptr;
  const TLMCommentaryModule* commentary = nullptr;
};

std::string LinkText(std::string_view text) {
  std::string out = "<a href=\"0:0\">";
  out += text;
  out += "</a>";
  return out;
}

std::string CommentaryLinkText(int verse, const TLMBibleModule& bible) {
  const int verses[] = {verse};
  return LinkText("Cmt. on " + FormatVerseList(verses, bible));
}

// The verses one conversion writes out of its reference lists at most: eight
// times the Bible, some 25 times what the longest topic of a real Book names.
// Only a damaged or hostile entry (the whole Bible named in each of thousands
// of lists) gets that far; writing all of it out would take minutes and
// gigabytes, so its later lists keep only the verses within the budget.
constexpr size_t kMaxListedVerses = 8 * size_t{kVerseCount};

// The verses of a verse-range list, in order, while `budget` lasts (it is
// reduced by the verses taken). A count running past the last verse counts
// as none; an item whose first verse is no verse is skipped.
std::vector<int> ListedVerses(std::string_view codes, size_t& budget) {
  std::vector<int> verses;
  for (TVerseRange r : DecodeVerseRanges(codes)) {
    if (!IsVerseIndex(r.first)) continue;
    if (r.last > kVerseCount) r.last = r.first;
    for (int v = r.first; v <= r.last && budget > 0; ++v, --budget) verses.push_back(v);
  }
  return verses;
}

std::string ConvertReferenceLists(std::string_view in, const TLMBibleModule& bible, bool html) {
  std::string out;
  out.reserve(in.size() + in.size() / 2);
  size_t budget = kMaxListedVerses;
  size_t pos = 0;
  while (pos < in.size()) {
    const size_t start = in.find(kVerseList, pos);
    if (start == std::string_view::npos) break;
    out.append(in.substr(pos, start - pos));
    const size_t end = in.find(kTerminator, start + 1);
    if (end == std::string_view::npos) {
      // Unterminated: mark the place, keep what follows as text.
      out += '?';
      pos = start + 1;
      continue;
    }
    const std::vector<int> verses = ListedVerses(in.substr(start + 1, end - start - 1), budget);
    const std::string list = FormatVerseList(verses, bible);
    out += html ? LinkText(list) : list;
    pos = end + 1;
  }
  out.append(in.substr(pos));
  return out;
}

// "$" and the digits as a hexadecimal number; 1 when they are not one.
int64_t EntryLinkNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return 1;
  int64_t n = 0;
  for (const char c : digits) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return 1;
    n = n * 16 + d;
  }
  return n;
}

// The verse of each Commentary title: titles name the slots that hold text,
// in slot order. Found once per conversion, and only when a link needs it.
class CommentaryTitleVerses {
 public:
  explicit CommentaryTitleVerses(const TLMCommentaryModule& c) : commentary_(c) {}

  // Verse index of title n, or 0 when n names no title.
  int VerseOf(int64_t n) {
    if (!IsUsableEntryNumber(n, commentary_.EntryTitles().size())) return 0;
    if (!built_) {
      for (int slot = 0; slot <= kLastCommentaryPosition; ++slot)
        if (commentary_.HasEntry(slot)) slots_.push_back(slot);
      built_ = true;
    }
    const auto i = static_cast<size_t>(n);
    return i < slots_.size() ? slots_[i] + 1 : 0;
  }

 private:
  const TLMCommentaryModule& commentary_;
  std::vector<int> slots_;
  bool built_ = false;
};

std::string ConvertEntryLinks(std::string_view in, EntryModule m, const TLMBibleModule& bible) {
  std::string out;
  out.reserve(in.size() + in.size() / 4);
  std::optional<CommentaryTitleVerses> title_verses;
  if (m.commentary != nullptr) title_verses.emplace(*m.commentary);
  size_t pos = 0;
  while (pos < in.size()) {
    const size_t start = in.find(kEntryLink, pos);
    if (start == std::string_view::npos) break;
    out.append(in.substr(pos, start - pos));
    const size_t end = in.find(kTerminator, start + 1);
    if (end == std::string_view::npos) {
      out += '?';
      pos = start + 1;
      continue;
    }
    const int64_t n = EntryLinkNumber(in.substr(start + 1, end - start - 1));
    if (m.commentary != nullptr) {
      if (const int verse = title_verses->VerseOf(n); verse != 0)
        out += CommentaryLinkText(verse, bible);
    } else if (IsUsableEntryNumber(n, m.book->EntryTitles().size())) {
      out += LinkText(m.book->EntryTitles()[static_cast<size_t>(n)]);
    }
    pos = end + 1;
  }
  out.append(in.substr(pos));
  return out;
}

std::string ConvertCommentaryLinks(std::string_view in, EntryModule m,
                                   const TLMBibleModule& bible) {
  std::string out;
  out.reserve(in.size() + in.size() / 4);
  size_t pos = 0;
  while (pos < in.size()) {
    const size_t start = in.find(kCommentaryLink, pos);
    if (start == std::string_view::npos) break;
    out.append(in.substr(pos, start - pos));
    pos = start + 1;
    if (in.size() - pos < 2 || !IsBase205Digit(static_cast<unsigned char>(in[pos])) ||
        !IsBase205Digit(static_cast<unsigned char>(in[pos + 1])))
      continue;  // no verse here: drop the byte, keep what follows
    const auto verse = static_cast<int>(DecodeBase205(in.substr(pos, 2)));
    pos += 2;
    if (m.commentary != nullptr && IsVerseIndex(verse) && IsUsableVerse(bible, verse))
      out += CommentaryLinkText(verse, bible);
  }
  out.append(in.substr(pos));
  return out;
}

// Plain script runs carry private markers through the later passes (none of
// which touches these bytes) and are found afterwards; an entry that holds
// a marker byte itself is converted without them.
constexpr char kHebrewRunMark = 0x11;
constexpr char kGreekRunMark = 0x12;
constexpr char kRunEndMark = 0x13;

bool HoldsRunMarks(std::string_view text) {
  return text.find_first_of("\x11\x12\x13") != std::string_view::npos;
}

// Removes the markers and records the runs between them. A marker whose
// partner a pass removed (inside a dropped tag) records nothing.
std::string TakeRunMarks(std::string_view marked, PlainScriptRuns& runs) {
  std::string out;
  out.reserve(marked.size());
  bool open = false;
  PlainScriptRun run;
  for (const char c : marked) {
    if (c == kHebrewRunMark || c == kGreekRunMark) {
      open = true;
      run.begin = out.size();
      run.hebrew = c == kHebrewRunMark;
    } else if (c == kRunEndMark) {
      if (open && out.size() > run.begin) {
        run.end = out.size();
        runs.push_back(run);
      }
      open = false;
    } else {
      out += c;
    }
  }
  return out;
}

std::string Convert(std::string_view text, EntryModule m, const TLMBibleModule& bible,
                    bool paragraph_breaks, bool reference_lists, bool plain,
                    PlainScriptRuns* runs) {
  const bool mark = plain && runs != nullptr && !HoldsRunMarks(text);
  const std::string hebrew_open = plain ? (mark ? std::string("{") + kHebrewRunMark : "{")
                                        : std::string("<font face=\"") +
                                              config::kHebrewLexiconFont + "\">";
  const std::string greek_open = plain ? (mark ? std::string("{") + kGreekRunMark : "{")
                                       : std::string("<font face=\"") +
                                             config::kGreekLexiconFont + "\">";
  const std::string close = plain ? (mark ? std::string(1, kRunEndMark) + "}" : "}") : "</font>";
  std::string t = export_text::ConvertScriptRuns(text, kHebrewRun, hebrew_open, close);
  t = export_text::ConvertScriptRuns(t, kGreekRun, greek_open, close);
  if (reference_lists) t = ConvertReferenceLists(t, bible, !plain);
  t = ConvertEntryLinks(t, m, bible);
  t = ConvertCommentaryLinks(t, m, bible);
  t = export_text::JoinLines(t);
  if (!plain) return t;
  t = export_text::PlainTextFromEntryHtml(t, paragraph_breaks);
  return mark ? TakeRunMarks(t, *runs) : t;
}

}  // namespace

std::string ExportEntryText(std::string_view text, const TLMDictionaryModule& book,
                            const TLMBibleModule& bible, bool paragraph_breaks,
                            bool reference_lists, bool plain) {
  return Convert(text, {&book, nullptr}, bible, paragraph_breaks, reference_lists, plain, nullptr);
}

std::string ExportEntryText(std::string_view text, const TLMCommentaryModule& commentary,
                            const TLMBibleModule& bible, bool paragraph_breaks,
                            bool reference_lists, bool plain) {
  return Convert(text, {nullptr, &commentary}, bible, paragraph_breaks, reference_lists, plain,
                 nullptr);
}

std::string ExportEntryText(std::string_view text, const TLMDictionaryModule& book,
                            const TLMBibleModule& bible, bool paragraph_breaks,
                            bool reference_lists, bool plain, PlainScriptRuns* runs) {
  return Convert(text, {&book, nullptr}, bible, paragraph_breaks, reference_lists, plain, runs);
}

std::string ExportEntryText(std::string_view text, const TLMCommentaryModule& commentary,
                            const TLMBibleModule& bible, bool paragraph_breaks,
                            bool reference_lists, bool plain, PlainScriptRuns* runs) {
  return Convert(text, {nullptr, &commentary}, bible, paragraph_breaks, reference_lists, plain,
                 runs);
}

}  // namespace lumora
