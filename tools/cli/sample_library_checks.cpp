#include "tools/cli/sample_library_checks.h"

#include <string_view>

#include "core/modules/verse_text_codec.h"
#include "core/refs/reference_parser.h"
#include "core/text/cp1252.h"

namespace lumora::cli {
namespace {

constexpr int kVerseCount = 31102;
constexpr int kPsalms = 19, kSong = 22, kLastOldTestamentBook = 39;
constexpr int kRomans = 45, kHebrews = 58;

bool IsUpperAscii(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLowerLetter(char c) {
  const auto b = static_cast<unsigned char>(c);
  return cp1252::IsLetter(b) && cp1252::Upper(b) != b;
}

std::string Where(const TLMBibleModule& bible, int index) {
  const TVerseLocation at = bible.GetVerseLocation(index);
  return bible.GetShortBookTitle(at.book) + " " + std::to_string(at.chapter) + ":" +
         std::to_string(at.verse);
}

// "ALEPH. Blessed": a word of two or more capitals and a period.
bool OpensWithAcrostic(std::string_view text) {
  size_t k = 0;
  while (k < text.size() && IsUpperAscii(text[k])) ++k;
  return k >= 2 && k < text.size() && text[k] == '.';
}

bool HasWord(std::string_view text, std::string_view word) {
  for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
    const bool starts = at == 0 || !cp1252::IsLetter(static_cast<unsigned char>(text[at - 1]));
    const size_t end = at + word.size();
    if (starts && (end == text.size() || !cp1252::IsLetter(static_cast<unsigned char>(text[end]))))
      return true;
  }
  return false;
}

// The word written right before text[at] (letters and apostrophes).
std::string_view WordBefore(std::string_view text, size_t at) {
  size_t from = at;
  while (from > 0) {
    const char c = text[from - 1];
    if (!cp1252::IsLetter(static_cast<unsigned char>(c)) && c != '\'' && c != '\x92') break;
    --from;
  }
  return text.substr(from, at - from);
}

void CheckKjv(const TLMBibleModule& b, CheckReport& r) {
  // Psalm 119: 22 stanzas of eight verses, each under its letter's name.
  int acrostics = 0;
  std::string first_missing;
  for (int k = 0; k < 22; ++k) {
    const int index = b.LocateVerse(kPsalms, 119, 1 + 8 * k);
    if (OpensWithAcrostic(b.GetVerseText(index, false, false)))
      ++acrostics;
    else if (first_missing.empty())
      first_missing = Where(b, index);
  }
  if (acrostics == 22)
    r.Fact("22 acrostic headings in Psalm 119");
  else
    r.Fault(CountOf(static_cast<size_t>(acrostics), "of 22 acrostic headings in Psalm 119") +
            " (none at " + first_missing + ")");

  // The subscriptions after Romans to Hebrews ("Written to the Romans ...").
  int subscriptions = 0;
  std::string missing;
  for (int book = kRomans; book <= kHebrews; ++book) {
    const int chapter = b.GetChapterCount(book);
    const int index = b.LocateVerse(book, chapter, b.GetVerseCount(book, chapter));
    if (cp1252::LowerAscii(b.GetVerseText(index, false, false)).find("written") !=
        std::string::npos)
      ++subscriptions;
    else if (missing.empty())
      missing = Where(b, index);
  }
  if (subscriptions == 14)
    r.Fact("14 epistle subscriptions");
  else
    r.Fault(CountOf(static_cast<size_t>(subscriptions), "of 14 epistle subscriptions") +
            " (none at " + missing + ")");

  // The divine name in capitals: its possessive, the words tagged with its
  // Strong's numbers, the supplied words of the Old Testament.
  size_t possessive = 0, tagged = 0, supplied = 0;
  std::string first;
  auto note = [&](size_t& count, int index) {
    if (count++ == 0 && first.empty()) first = Where(b, index);
  };
  for (int i = 1; i <= b.VerseCount(); ++i) {
    const std::string text = b.GetVerseText(i, true, true);
    if (text.find("LORD\x92s") != std::string::npos || text.find("LORD's") != std::string::npos)
      note(possessive, i);
    for (const std::string_view token : {"\x02$0bfc", "\x02$0bfd", "\x02$0bea"}) {
      bool lower = false;
      for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + 1))
        for (const char c : WordBefore(text, at)) lower = lower || IsLowerLetter(c);
      if (lower) {
        note(tagged, i);
        break;
      }
    }
    if (b.GetVerseLocation(i).book > kLastOldTestamentBook) continue;
    for (size_t open = text.find('['); open != std::string::npos; open = text.find('[', open + 1)) {
      const size_t close = text.find(']', open);
      if (close == std::string::npos) break;
      if (HasWord(std::string_view(text).substr(open, close - open), "Lord")) {
        note(supplied, i);
        break;
      }
    }
  }
  if (possessive + tagged + supplied == 0) {
    r.Fact("the divine name in capitals");
  } else {
    r.Fault("the divine name not in capitals: " + CountOf(possessive, "verses with LORD's") + ", " +
            CountOf(tagged, "verses with a tagged name") + ", " +
            CountOf(supplied, "verses with Lord in supplied words") + " (first: " + first + ")");
  }
}

void CheckWeb(const TLMBibleModule& b, const TLMBibleModule* kjv, CheckReport& r) {
  // Speaker labels of the Song of Solomon; 33 in the source.
  constexpr size_t kLabels = 33;
  size_t labels = 0;
  for (int c = 1; c <= b.GetChapterCount(kSong); ++c)
    for (int v = 1; v <= b.GetVerseCount(kSong, c); ++v) {
      const std::string text = b.GetVerseText(b.LocateVerse(kSong, c, v), false, false);
      for (const std::string_view label : {"Beloved ", "Lover ", "Friends ", "Brothers "})
        for (size_t at = text.find(label); at != std::string::npos; at = text.find(label, at + 1))
          labels += at + label.size() < text.size() && IsUpperAscii(text[at + label.size()]);
    }
  if (labels >= kLabels)
    r.Fact(CountOf(labels, "speaker labels in the Song of Solomon"));
  else
    r.Fault(CountOf(labels, "speaker labels in the Song of Solomon, not 33"));

  // Cross-reference footnotes: their links lead to verses of the Bible, and
  // a link whose text names a book leads to the verse it names.
  constexpr size_t kNotes = 340;
  constexpr std::string_view kLink = "<a href=\"lp:";
  const std::unique_ptr<ReferenceParser> parser =
      kjv ? std::make_unique<ReferenceParser>(*kjv) : nullptr;
  size_t notes = 0, links = 0, wrong = 0;
  std::string first_wrong;
  for (int i = 1; i <= b.VerseCount(); ++i) {
    const std::string text = b.GetVerseText(i, false, true);
    size_t open = text.find('{');
    while (open != std::string::npos) {
      const size_t close = text.find('}', open);
      if (close == std::string::npos) break;
      const std::string_view note = std::string_view(text).substr(open, close - open);
      notes += note.find(kLink) != std::string_view::npos;
      for (size_t at = note.find(kLink); at != std::string_view::npos;
           at = note.find(kLink, at + 1)) {
        ++links;
        int target = 0;
        size_t k = at + kLink.size();
        while (k < note.size() && note[k] >= '0' && note[k] <= '9' && target <= kVerseCount)
          target = target * 10 + (note[k++] - '0');
        const size_t text_start = note.find('>', k);
        const size_t text_end = note.find("</a>", k);
        bool ok = target >= 1 && target <= kVerseCount && text_start != std::string_view::npos &&
                  text_end != std::string_view::npos;
        if (ok && parser) {
          const std::string_view shown = note.substr(text_start + 1, text_end - text_start - 1);
          if (!shown.empty() && cp1252::IsLetter(static_cast<unsigned char>(shown[0]))) {
            const ParsedReferences parsed = parser->Parse(shown);
            ok = !parsed.ranges.empty() && parsed.ranges[0].first == target;
          }
        }
        if (!ok && wrong++ == 0) first_wrong = Where(b, i);
      }
      open = text.find('{', close);
    }
  }
  if (wrong)
    r.Fault(CountOf(wrong, "cross-reference links lead elsewhere") + " (first: " + first_wrong +
            ")");
  if (notes < kNotes)
    r.Fault(CountOf(notes, "cross-reference footnotes with verse links, not 340"));
  else if (!wrong)
    r.Fact(CountOf(notes, "cross-reference footnotes") + " with " + CountOf(links, "verse links"));
}

// "?" beside a letter: a character the import could not fold.
bool HasQuestionMarkForALetter(std::string_view text) {
  for (size_t at = text.find('?'); at != std::string_view::npos; at = text.find('?', at + 1)) {
    const bool before = at > 0 && cp1252::IsLetter(static_cast<unsigned char>(text[at - 1]));
    const bool after =
        at + 1 < text.size() && cp1252::IsLetter(static_cast<unsigned char>(text[at + 1]));
    if (before && after) return true;
    if (after && (at == 0 || text[at - 1] == ' ')) return true;
  }
  return false;
}

struct Introduction {
  const char* commentary;
  int book, chapter, verse;
  const char* words;  // the first words of the introduction's own text
};

constexpr Introduction kIntroductions[] = {
    {"MHCC", 3, 19, 1, "There are some ceremonial precepts"},
    {"MHCC", 19, 108, 1, "We may usefully select passages"},
    {"MHCC", 31, 1, 1, "The first part denounces"},
    {"MHCC", 57, 1, 1, "Philemon was an inhabitant of Colosse"},
    {"MHCC", 63, 1, 1, "This epistle is like an abridgement"},
    {"MHCC", 64, 1, 1, "This epistle is addressed to a converted Gentile"},
    {"MHCC", 65, 1, 1, "This epistle is addressed to all believers"},
    {"Scofield", 7, 1, 1, "This book takes its name from the thirteen men"},
    {"Scofield", 15, 1, 1, "Ezra, the first of the post-captivity"},
    {"Scofield", 21, 1, 1, "This is the book of man"},
    {"Scofield", 25, 1, 1, "The touching"},
    {"Scofield", 40, 1, 1, "The writer of"},
    {"Scofield", 48, 1, 1, "The Apostle Paul"},
    {"Scofield", 64, 1, 1, "The Apostle John"},
    {"TDavid", 19, 1, 1, "My Preface shall at least possess"},
};

}  // namespace

bool IsSampleLibrary(const std::string& folder, FileSystem& fs) {
  const Result<std::string> readme = fs.ReadFile(JoinPath(folder, "README.txt"));
  return readme.ok() && readme->starts_with("Lumora sample library");
}

void CheckSampleBible(const TLMBibleModule& bible, const TLMBibleModule* kjv, CheckReport& r) {
  if (bible.BookCount() != 66 || bible.VerseCount() != kVerseCount) return;
  if (bible.GetAbbreviation() == "KJV") CheckKjv(bible, r);
  if (bible.GetAbbreviation() == "WEB") CheckWeb(bible, kjv, r);
}

void CheckSampleBook(const TLMDictionaryModule& book, CheckReport& r) {
  const std::string& code = book.GetModuleCode();
  if (code != "StrHeb" && code != "StrGrk") return;
  size_t entries = 0;
  int first = -1;
  for (int i = 0; i < book.EntryCount(); ++i)
    if (HasQuestionMarkForALetter(book.EntryTitles()[static_cast<size_t>(i)]) ||
        HasQuestionMarkForALetter(book.GetEntryText(i))) {
      if (entries++ == 0) first = i;
    }
  if (entries)
    r.Fault(CountOf(entries, "entries hold \"?\" for a letter") + " (first: entry " +
            std::to_string(first) + ")");
  else
    r.Fact("no \"?\" for a letter");
}

void CheckSampleCommentary(const TLMCommentaryModule& commentary, const TLMBibleModule* kjv,
                           CheckReport& r) {
  if (!kjv) return;
  size_t expected = 0, placed = 0;
  std::string missing;
  for (const Introduction& intro : kIntroductions) {
    if (commentary.GetAbbreviation() != intro.commentary) continue;
    ++expected;
    const int index = kjv->LocateVerse(intro.book, intro.chapter, intro.verse);
    const std::string text = commentary.GetEntryText(index - 1);
    // Under a heading, before the verse's own comment.
    const size_t at = text.find(intro.words);
    if (text.starts_with("<b>") && at != std::string::npos && text.find("<b>Chapter", 4) >= at)
      ++placed;
    else if (missing.empty())
      missing = Where(*kjv, index);
  }
  if (expected == 0) return;
  if (placed == expected)
    r.Fact(CountOf(placed, "of ") + CountOf(expected, "introductions at their first verse"));
  else
    r.Fault(CountOf(placed, "of ") + CountOf(expected, "introductions at their first verse") +
            " (none at " + missing + ")");
}

void CheckSampleStrongsData(const TLMStrongsDataModule& data, CheckReport& r) {
  size_t wrong = 0;
  std::string first;
  for (const StrongsLanguage language : {StrongsLanguage::kHebrew, StrongsLanguage::kGreek}) {
    const bool hebrew = language == StrongsLanguage::kHebrew;
    for (int n = 1; n <= (hebrew ? 8674 : 5624); ++n)
      for (const StrongsField field :
           {StrongsField::kTransliteration, StrongsField::kPronunciation})
        if (data.GetStrongsString(language, n, field).find('?') != std::string::npos) {
          if (wrong++ == 0) first = (hebrew ? "H" : "G") + std::to_string(n);
          break;
        }
  }
  if (wrong)
    r.Fault(CountOf(wrong, "numbers hold \"?\" in their Latin strings") + " (first: " + first +
            ")");
  else
    r.Fact("no \"?\" in transliterations and pronunciations");
}

}  // namespace lumora::cli
