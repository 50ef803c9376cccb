#include "app/entry_editing.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/codec/base205.h"
#include "core/modules/bible_module.h"
#include "core/refs/reference_parser.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "core/text/fast_strings.h"
#include "render/entry_markup.h"

namespace lumora {
namespace {

constexpr char kEditTokenStart = entry_markup::kVerseList;
constexpr char kEditTokenEnd = entry_markup::kTerminator;
constexpr std::string_view kEditorStyleMarker = "LM-LINE-CLR";
// How far the parser may stop short of (or past) the candidate's end and
// the candidate still count as a reference list: room for a trailing word
// such as "(KJV)" without taking whole sentences for links.
constexpr int kReferenceStopSlack = 9;
// Digits read after "+": four base-205 digits hold any count of verses.
constexpr size_t kTokenCountDigits = 4;

std::string EditorUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(cp1252::Upper(static_cast<unsigned char>(c)));
  return out;
}

bool MatchesNoCaseAt(std::string_view text, size_t at, std::string_view what) {
  return at <= text.size() && text.size() - at >= what.size() &&
         cp1252::EqualNoCase(text.substr(at, what.size()), what);
}

// The items of one token (the bytes between 0x05 and 0x08) that name verses.
TVerseRangeList TokenItemRanges(std::string_view content) {
  TVerseRangeList out;
  size_t start = 0;
  for (;;) {
    const size_t comma = content.find(',', start);
    const std::string_view item = content.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    const size_t plus = item.find('+');
    const int64_t first = DecodeBase205(item.substr(0, plus));
    if (first >= 1 && first <= kVerseCount) {
      int64_t last = first;
      if (plus != std::string_view::npos) {
        const int64_t count = DecodeBase205(item.substr(plus + 1, kTokenCountDigits));
        if (count > 0) last = first + count;
        if (last > kVerseCount) last = first;
      }
      out.push_back({static_cast<int>(first), static_cast<int>(last)});
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

std::string ReadableChapterVerse(const TVerseLocation& at) {
  return std::to_string(at.chapter) + ":" + std::to_string(at.verse);
}

// Each item is written relative to the first verse of the item before it:
// a new book gets its title, a new chapter "; c:v", the same chapter ",v".
std::string ReadableReferenceList(const TVerseRangeList& ranges, const TLMBibleModule& kjv) {
  std::string list;
  TVerseLocation previous;
  bool first_item = true;
  for (const TVerseRange& r : ranges) {
    const TVerseLocation from = kjv.GetVerseLocation(r.first);
    if (first_item || from.book != previous.book) {
      if (!first_item) list += "; ";
      list += kjv.GetLongBookTitle(from.book) + " " + ReadableChapterVerse(from);
    } else if (from.chapter == previous.chapter) {
      list += "," + std::to_string(from.verse);
    } else {
      list += "; " + ReadableChapterVerse(from);
    }
    if (r.last != r.first) {
      const TVerseLocation to = kjv.GetVerseLocation(r.last);
      list += '-';
      if (to.book != from.book)
        list += kjv.GetLongBookTitle(to.book) + " " + ReadableChapterVerse(to);
      else if (to.chapter == from.chapter)
        list += std::to_string(to.verse);
      else
        list += ReadableChapterVerse(to);
    }
    previous = from;
    first_item = false;
  }
  return list;
}

// The text between "#" and "|" made ready for the parser: the tags taken
// out (verbatim, in order), line breaks and non-breaking spaces made
// blanks, and the blanks around ":", ";" and "-" squeezed out.
struct ReferenceCandidate {
  std::string text;
  std::string tags;
};

ReferenceCandidate PrepareReferenceCandidate(std::string_view raw) {
  ReferenceCandidate c;
  for (size_t i = 0; i < raw.size();) {
    if (raw[i] == '<') {
      const size_t end = raw.find('>', i + 1);
      if (end != std::string_view::npos) {
        c.tags.append(raw.substr(i, end - i + 1));
        i = end + 1;
        continue;
      }
    }
    c.text += raw[i++];
  }
  c.text = ReplaceAll(c.text, "&nbsp;", " ", false);
  std::replace(c.text.begin(), c.text.end(), '\n', ' ');
  std::replace(c.text.begin(), c.text.end(), '\r', ' ');
  static constexpr std::string_view kSqueeze[][2] = {
      {": ", ":"}, {" :", ":"}, {"; ", ";"}, {" ;", ";"}, {"- ", "-"}, {" -", "-"}, {"  ", " "}};
  for (int pass = 0; pass < 4; ++pass)
    for (const auto& [from, to] : kSqueeze) c.text = ReplaceAll(c.text, from, to, true);
  return c;
}

// The token for the text between "#" and "|", preceded by the tags found in
// it and followed by what the parser left of it; empty when the text is not
// a reference list.
std::string LinkForCandidate(std::string_view raw, const ReferenceParser& parser) {
  const ReferenceCandidate c = PrepareReferenceCandidate(raw);
  const ParsedReferences parsed = parser.Parse(c.text);
  if (parsed.ranges.empty() || parsed.stop <= 1) return {};
  const int64_t taken = static_cast<int64_t>(parsed.stop) + parsed.skipped;
  const auto length = static_cast<int64_t>(c.text.size());
  if (std::llabs(taken - length) > kReferenceStopSlack) return {};
  std::string out = c.tags;
  out += kEditTokenStart;
  out += EncodeVerseRanges(parsed.ranges);
  out += kEditTokenEnd;
  if (taken < length) {
    // The blank that ended the reference stays with the words after it.
    const size_t from = static_cast<size_t>(taken);
    out.append(c.text, from > 0 && c.text[from - 1] == ' ' ? from - 1 : from);
  }
  return out;
}

}  // namespace

std::string StoredToEditable(std::string_view stored, const TLMBibleModule& kjv) {
  std::string out;
  size_t done = 0;
  for (;;) {
    const size_t open = stored.find(kEditTokenStart, done);
    if (open == std::string_view::npos) break;
    const size_t close = stored.find(kEditTokenEnd, open + 1);
    if (close == std::string_view::npos) break;  // unclosed: kept as it is
    out.append(stored.substr(done, open - done));
    out += '#';
    out += ReadableReferenceList(TokenItemRanges(stored.substr(open + 1, close - open - 1)), kjv);
    out += '|';
    done = close + 1;
  }
  out.append(stored.substr(done));
  return out;
}

std::string RawSurfaceReason(std::string_view stored) {
  for (const char c : stored) {
    switch (c) {
      case entry_markup::kHebrewRun:
      case entry_markup::kGreekRun:
      case entry_markup::kHebrewStrongs:
      case entry_markup::kGreekStrongs:
      case entry_markup::kEntryLink:
      case entry_markup::kCommentaryLink:
        return "This entry holds Strong's, lexicon or entry links that only the raw HTML "
               "editor keeps.";
      default:
        break;
    }
  }
  for (size_t open = stored.find(kEditTokenStart); open != std::string_view::npos;) {
    const size_t close = stored.find(kEditTokenEnd, open + 1);
    if (close == std::string_view::npos)
      return "This entry holds an unfinished verse reference; the raw HTML editor keeps it "
             "as it is.";
    open = stored.find(kEditTokenStart, close + 1);
  }
  return {};
}

std::string EditorStyleBlock(int font_size, std::string_view font_name) {
  std::string block =
      "<STYLE> BODY {FONT-SIZE: " + std::to_string(font_size) + "pt; FONT-FAMILY: \"";
  block += font_name;
  block += "\"; LM-LINE-CLR: 1;}</STYLE>\n";
  return block;
}

std::string FormattedDocument(std::string_view editable, int font_size,
                              std::string_view font_name) {
  const std::string block = EditorStyleBlock(font_size, font_name);
  const bool blank = std::all_of(editable.begin(), editable.end(),
                                 [](char c) { return static_cast<unsigned char>(c) <= ' '; });
  if (blank) {
    std::string doc;
    for (const std::string_view line :
         {std::string_view("<HTML>"), std::string_view("<HEAD>"), std::string_view(block),
          std::string_view("</HEAD>"), std::string_view("<BODY>"), std::string_view("</BODY>"),
          std::string_view("</HTML>")}) {
      doc += line;
      doc += "\r\n";
    }
    return doc;
  }
  const size_t head_end = EditorUpper(editable).find("</HEAD>");
  const size_t at = head_end == std::string::npos ? 0 : head_end;
  std::string doc(editable.substr(0, at));
  doc += block;
  doc += editable.substr(at);
  return doc;
}

std::string RemoveEditorStyleBlock(std::string_view text) {
  const std::string upper = EditorUpper(text);
  const size_t marker = upper.find(kEditorStyleMarker);
  if (marker == std::string::npos) return std::string(text);
  // "<STYLE>" or "<STYLE" with attributes, the last one before the marker.
  size_t open = std::string::npos;
  for (size_t at = upper.rfind("<STYLE", marker); at != std::string::npos;
       at = at == 0 ? std::string::npos : upper.rfind("<STYLE", at - 1)) {
    const char next = at + 6 < upper.size() ? upper[at + 6] : '\0';
    if (next == '>' || next == ' ') {
      open = at;
      break;
    }
  }
  const size_t close = upper.find("</STYLE>", marker);
  if (open == std::string::npos || close == std::string::npos) return std::string(text);
  auto is_gap = [](char c) { return c == ' ' || c == '\r' || c == '\n'; };
  size_t before = open;
  while (before > 0 && is_gap(text[before - 1])) --before;
  size_t after = close + 8;
  while (after < text.size() && is_gap(text[after])) ++after;
  std::string out(text.substr(0, before));
  out += '\n';
  out += text.substr(after);
  return out;
}

std::string RemoveProcessingInstructions(std::string_view text) {
  std::string out(text);
  for (;;) {
    const size_t open = out.find("<?");
    if (open == std::string::npos) break;
    const size_t close = out.find('>', open + 2);
    if (close == std::string::npos) break;
    out.erase(open, close - open + 1);
  }
  return out;
}

bool IsBlankDocument(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
    } else if (MatchesNoCaseAt(text, i, "&nbsp;")) {
      i += 6;
    } else if (c == '<') {
      if (MatchesNoCaseAt(text, i, "<img") || MatchesNoCaseAt(text, i, "<hr")) return false;
      const size_t end = text.find('>', i + 1);
      if (end == std::string_view::npos) return false;  // a lone "<" is text
      i = end + 1;
    } else {
      return false;
    }
  }
  return true;
}

std::string LinkReferences(std::string_view text, const ReferenceParser& parser) {
  std::string out;
  size_t copied = 0;
  size_t scan = 0;
  for (;;) {
    const size_t hash = text.find('#', scan);
    if (hash == std::string_view::npos) break;
    const size_t bar = text.find('|', hash + 1);
    if (bar == std::string_view::npos) break;
    const std::string link = LinkForCandidate(text.substr(hash + 1, bar - hash - 1), parser);
    if (link.empty()) {
      // Not a reference list: a later "#" may still start one before the
      // same "|" ("#see #Joh 3:16|").
      scan = hash + 1;
      continue;
    }
    out.append(text.substr(copied, hash - copied));
    out += link;
    copied = scan = bar + 1;
  }
  out.append(text.substr(copied));
  return out;
}

std::string EditableToStored(std::string_view editable, EditSurface surface,
                             const ReferenceParser& parser) {
  std::string text(editable);
  if (surface == EditSurface::kFormatted)
    text = RemoveProcessingInstructions(RemoveEditorStyleBlock(text));
  if (IsBlankDocument(text)) return {};
  return LinkReferences(text, parser);
}

}  // namespace lumora
