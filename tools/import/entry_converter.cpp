#include "tools/import/entry_converter.h"

#include <cstdio>
#include <vector>

#include "core/codec/base205.h"
#include "core/modules/bible_header.h"
#include "core/text/cp1252.h"
#include "core/text/legacy_fonts.h"
#include "core/text/utf8.h"
#include "tools/import/scripture_refs.h"
#include "tools/import/xml_scanner.h"

namespace lumora::import {
namespace {

constexpr char kHebrewRun = '\x01';
constexpr char kGreekRun = '\x02';
constexpr char kHebrewLink = '\x03';
constexpr char kGreekLink = '\x04';
constexpr char kVerseList = '\x05';
constexpr char kEntryLink = '\x06';
constexpr char kEnd = '\x08';

bool IsWhite(char32_t cp) {
  return cp == ' ' || cp == '\t' || cp == '\n' || cp == '\r' || cp == 0xA0;
}

// Marks that belong to the letter before them inside a script run.
bool IsScriptMark(char32_t cp) {
  return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x0591 && cp <= 0x05C7) || cp == 0x0384 ||
         cp == 0x0385 || (cp >= 0x1FBD && cp <= 0x1FC1) || (cp >= 0x1FCD && cp <= 0x1FCF) ||
         (cp >= 0x1FDD && cp <= 0x1FDF) || (cp >= 0x1FED && cp <= 0x1FEF) || cp == 0x1FFD ||
         cp == 0x1FFE;
}

bool StartsWithIgnoringCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && cp1252::EqualNoCase(s.substr(0, prefix.size()), prefix);
}

// The HTML pair for a rendition attribute or element name, if any.
std::string_view InlineTag(std::string_view rend) {
  if (rend == "italic" || rend == "ital" || rend == "i" || rend == "em" || rend == "emph" ||
      rend == "emphasis")
    return "i";
  if (rend == "bold" || rend == "b" || rend == "strong") return "b";
  if (rend == "super" || rend == "sup" || rend == "superscript") return "sup";
  if (rend == "sub" || rend == "subscript") return "sub";
  if (rend == "underline" || rend == "u") return "u";
  return {};
}

enum class MarkupKind : uint8_t {
  kTransparent,
  kSkip,  // content dropped
  kRef,   // content collected, resolved at the end tag
  kWord,  // Strong's links follow the content
  kTitle,
  kLine,    // a poetry line as a container
  kBreaks,  // paragraph break at both ends
};

struct MarkupFrame {
  explicit MarkupFrame(std::string_view element, MarkupKind k = MarkupKind::kTransparent)
      : name(element), kind(k) {}

  std::string_view name;
  MarkupKind kind = MarkupKind::kTransparent;
  std::string close;    // HTML written at the end tag
  std::string content;  // kRef: the text inside, UTF-8
  std::string_view osis_ref, target;
  std::vector<int> strongs;  // kWord: signed, Hebrew negative
};

class EntryMarkupConverter {
 public:
  explicit EntryMarkupConverter(const EntryContext& context) : context_(context) {}

  EntryConversion Run(std::string_view markup) {
    XmlScanner scanner(markup);
    for (auto token = scanner.Next(); token != XmlScanner::Token::kEnd; token = scanner.Next()) {
      if (token == XmlScanner::Token::kText)
        Text(scanner.text());
      else
        Tag(scanner.tag());
    }
    while (!stack_.empty()) Pop();
    CloseList();
    EndRun();
    result_.text = std::move(out_);
    return std::move(result_);
  }

 private:
  // --- tags

  void Tag(const XmlTag& tag) {
    if (tag.name.empty()) return;
    if (tag.end) {
      for (size_t k = stack_.size(); k-- > 0;)
        if (stack_[k].name == tag.name) {
          while (stack_.size() > k) Pop();
          return;
        }
      return;  // stray end tag
    }
    if (silent_ > 0) {  // inside dropped or collected content
      if (!tag.self_closing) stack_.push_back(MarkupFrame{tag.name, MarkupKind::kTransparent});
      return;
    }
    const std::string_view name = tag.name;
    const std::string_view type = tag.Get("type");
    if (name == "lb" || name == "br") return Break(kLine);
    if (name == "l" && tag.self_closing) {
      if (tag.Has("eID")) Break(kLine);
      return;
    }
    if (name == "div" || name == "p" || name == "lg" || (name == "milestone" && type == "x-p")) {
      Break(kParagraph);
      if (tag.self_closing) return;
      return Push(MarkupFrame{name, MarkupKind::kBreaks});
    }
    if (tag.self_closing) return;

    MarkupFrame f{name};
    if (name == "ref" || name == "reference" || name == "scripRef") {
      f.kind = MarkupKind::kRef;
      f.osis_ref = tag.Has("osisRef") ? tag.Get("osisRef") : tag.Get("passage");
      f.target = tag.Get("target");
    } else if (name == "orth" && type == "writing") {
      f.kind = MarkupKind::kSkip;  // Beta Code transcription of the Greek word
    } else if (name == "w") {
      f.kind = MarkupKind::kWord;
      ParseLemma(tag.Get("lemma"), f.strongs);
    } else if (name == "title" || name == "head") {
      Break(kParagraph);
      Inline(f, "b");
      f.kind = MarkupKind::kTitle;
    } else if (name == "l") {
      f.kind = MarkupKind::kLine;
    } else if (name == "list") {
      Block(f, "<ul>", "</ul>");
    } else if (name == "item") {
      Block(f, "<li>", "</li>");
    } else if (name == "table") {
      Block(f, "<table border=1 cellspacing=0 cellpadding=3>", "</table>");
    } else if (name == "row") {
      Block(f, "<tr>", "</tr>");
    } else if (name == "cell") {
      Block(f, "<td>", "</td>");
    } else if (name == "note") {
      Prepare();
      Put("<font size=-1>[");
      f.close = "]</font>";
    } else {
      std::string_view html = InlineTag(tag.Get("rend"));
      if (html.empty() && name == "hi") html = InlineTag(type);
      if (html.empty()) html = InlineTag(name);
      if (html.empty() && name == "foreign") html = "i";
      if (!html.empty()) Inline(f, html);
    }
    Push(std::move(f));
  }

  void Push(MarkupFrame f) {
    if (f.kind == MarkupKind::kSkip || f.kind == MarkupKind::kRef) ++silent_;
    stack_.push_back(std::move(f));
  }

  void Pop() {
    MarkupFrame f = std::move(stack_.back());
    stack_.pop_back();
    if (f.kind == MarkupKind::kSkip || f.kind == MarkupKind::kRef) --silent_;
    if (silent_ > 0) return;
    switch (f.kind) {
      case MarkupKind::kRef:
        return ResolveRef(f);
      case MarkupKind::kWord:
        for (const int n : f.strongs) {
          Prepare();
          Put("<sup>");
          StrongsLink(n < 0, n < 0 ? -n : n);
          Put("</sup>");
        }
        return;
      case MarkupKind::kBreaks:
        return Break(kParagraph);
      case MarkupKind::kLine:
        return Break(kLine);
      default:
        break;
    }
    if (!f.close.empty()) {
      CloseList();
      EndRun();
      out_ += f.close;
    }
    if (f.kind == MarkupKind::kTitle) Break(kParagraph);
  }

  void Inline(MarkupFrame& f, std::string_view html) {
    Prepare();
    out_ += '<';
    out_ += html;
    out_ += '>';
    f.close = "</" + std::string(html) + ">";
  }

  void Block(MarkupFrame& f, std::string_view open, std::string_view close) {
    CloseList();
    EndRun();
    pending_ = kNone;  // the block breaks the line itself
    out_ += open;
    f.close = close;
  }

  // --- references

  void ResolveRef(const MarkupFrame& f) {
    if (!f.osis_ref.empty()) {
      const WorkAndRef split = SplitWorkPrefix(f.osis_ref);
      const ParsedScripture parsed = ParseScriptureRef(split.ref);
      if (!parsed.ranges.empty()) {
        if (!split.work.empty() && cp1252::EqualNoCase(split.work, context_.work)) {
          Prepare();
          out_ += CommentLink(parsed.ranges.front().first);
          ++result_.comment_links;
        } else {
          AddToList(parsed.ranges);
        }
        return;
      }
    } else if (!f.target.empty()) {
      const WorkAndRef split = SplitWorkPrefix(f.target);
      if (StartsWithIgnoringCase(split.work, "strongs")) {
        if (StrongsRef(split, f.content)) return;
      } else if (!split.work.empty() && cp1252::EqualNoCase(split.work, context_.work) &&
                 context_.entry_number) {
        const int entry = context_.entry_number(split.ref);
        if (entry >= 0) {
          char hex[16];
          std::snprintf(hex, sizeof hex, "%X", entry);
          Prepare();
          out_ += kEntryLink;
          out_ += hex;
          out_ += kEnd;
          ++result_.entry_links;
          return;
        }
      }
    } else {
      Text(f.content);  // a reference without an address is only its text
      return;
    }
    ++result_.unresolved;
    Text(f.content);
  }

  // "StrongsGreek:0175" shown as "H0175": the shown letter wins, the target
  // names the lexicon only when the text has no letter.
  bool StrongsRef(const WorkAndRef& split, std::string_view shown) {
    size_t k = 0;
    while (k < shown.size() && IsWhite(static_cast<unsigned char>(shown[k]))) ++k;
    bool hebrew = split.work.find("ebrew") != std::string_view::npos;
    if (k < shown.size() && (shown[k] == 'H' || shown[k] == 'h')) hebrew = true;
    if (k < shown.size() && (shown[k] == 'G' || shown[k] == 'g')) hebrew = false;
    int number = 0;
    size_t digits = 0;
    for (const char c : split.ref) {
      if (c < '0' || c > '9') break;
      number = number * 10 + (c - '0');
      if (++digits > 5) return false;
    }
    if (digits == 0 || number < 1 || number > (hebrew ? kHebrewStrongsCount : kGreekStrongsCount))
      return false;
    Prepare();
    StrongsLink(hebrew, number);
    return true;
  }

  void StrongsLink(bool hebrew, int number) {
    out_ += hebrew ? kHebrewLink : kGreekLink;
    out_ += std::to_string(number);
    out_ += kEnd;
    ++result_.strongs_links;
  }

  static void ParseLemma(std::string_view lemma, std::vector<int>& numbers) {
    size_t i = 0;
    while (i < lemma.size()) {
      while (i < lemma.size() && lemma[i] == ' ') ++i;
      const size_t start = i;
      while (i < lemma.size() && lemma[i] != ' ') ++i;
      std::string_view item = lemma.substr(start, i - start);
      if (!StartsWithIgnoringCase(item, "strong:") || item.size() < 9) continue;
      item.remove_prefix(7);
      const bool hebrew = item[0] == 'H' || item[0] == 'h';
      if (!hebrew && item[0] != 'G' && item[0] != 'g') continue;
      int number = 0;
      size_t k = 1;
      for (; k < item.size() && k < 6 && item[k] >= '0' && item[k] <= '9'; ++k)
        number = number * 10 + (item[k] - '0');
      if (k == 1 || number < 1 || number > (hebrew ? kHebrewStrongsCount : kGreekStrongsCount))
        continue;
      numbers.push_back(hebrew ? -number : number);
    }
  }

  void AddToList(const TVerseRangeList& ranges) {
    if (!list_open_) {
      Prepare();
      list_open_ = true;
    }
    held_.clear();  // the renderer writes its own separators
    list_.insert(list_.end(), ranges.begin(), ranges.end());
    result_.verse_ranges += static_cast<int>(ranges.size());
  }

  void CloseList() {
    if (!list_open_) return;
    list_open_ = false;
    out_ += kVerseList;
    out_ += EncodeVerseRanges(list_);
    out_ += kEnd;
    list_.clear();
    ++result_.verse_lists;
    for (const char c : held_) {
      if (c == ' ') {
        Space();
      } else {
        Flush();
        out_ += c;
      }
    }
    held_.clear();
  }

  // --- text

  enum Pending { kNone, kSpace, kLine, kParagraph };

  void Space() {
    if (pending_ == kNone) pending_ = kSpace;
  }
  void Break(Pending p) {
    CloseList();
    EndRun();
    if (p > pending_) pending_ = p;
  }

  // Writes what is owed before visible output: the open verse list, then
  // the blank or break (none at the start of the entry).
  void Prepare() {
    CloseList();
    EndRun();
    Flush();
  }
  void Flush() {
    if (!out_.empty()) {
      if (pending_ == kSpace)
        out_ += ' ';
      else if (pending_ == kLine)
        out_ += "<br>";
      else if (pending_ == kParagraph)
        out_ += "<p>";
    }
    pending_ = kNone;
  }
  void Put(std::string_view html) { out_ += html; }

  void Text(std::string_view raw) {
    if (raw.empty()) return;
    std::string utf8;
    utf8.reserve(raw.size());
    AppendXmlDecoded(raw, utf8);
    if (silent_ > 0) {
      if (!stack_.empty()) {
        for (size_t k = stack_.size(); k-- > 0;)
          if (stack_[k].kind == MarkupKind::kRef) {
            stack_[k].content += utf8;
            break;
          } else if (stack_[k].kind == MarkupKind::kSkip) {
            break;
          }
      }
      return;
    }
    size_t i = 0;
    while (i < utf8.size()) {
      const size_t at = i;
      const char32_t cp = DecodeUtf8(utf8, i);
      if (run_open_) {
        if (IsLegacyFontLetter(run_font_, cp) || IsScriptMark(cp)) {
          if (run_space_) run_ += ' ';
          run_space_ = false;
          run_.append(utf8, at, i - at);
          continue;
        }
        if (IsWhite(cp)) {
          run_space_ = true;
          continue;
        }
        EndRun();
      }
      if (IsWhite(cp) || cp < 0x20) {
        if (list_open_)
          held_ += ' ';
        else
          Space();
        continue;
      }
      if (list_open_ && (cp == ',' || cp == ';')) {
        held_ += static_cast<char>(cp);
        continue;
      }
      for (const LegacyFont font : {LegacyFont::kBasicHebrew, LegacyFont::kSymbolGreek})
        if (IsLegacyFontLetter(font, cp)) {
          Prepare();
          run_open_ = true;
          run_font_ = font;
          run_.assign(utf8, at, i - at);
          break;
        }
      if (run_open_) continue;
      if (IsScriptMark(cp)) {
        ++result_.dropped_script_chars;  // a mark with no letter to sit on
        continue;
      }
      Prepare();
      PutCodePoint(cp);
    }
  }

  void EndRun() {
    if (!run_open_) return;
    run_open_ = false;
    const LegacyEncoding encoded = EncodeLegacyFont(run_font_, run_);
    result_.dropped_script_chars += encoded.dropped;
    if (!encoded.bytes.empty()) {
      out_ += run_font_ == LegacyFont::kBasicHebrew ? kHebrewRun : kGreekRun;
      out_ += encoded.bytes;
      out_ += kEnd;
    }
    run_.clear();
    if (run_space_) Space();
    run_space_ = false;
  }

  void PutCodePoint(char32_t cp) {
    if (cp == '<') return Put("&lt;");
    if (cp == '>') return Put("&gt;");
    if (cp == '&') return Put("&amp;");
    if (cp == 0x7F) return;
    if (cp == 0x2192) {  // Nave's sub-topic arrow; "->" would read as markup noise
      out_ += '\xBB';
      if (context_.folds) context_.folds->Count(cp, "\xBB");
      return;
    }
    const int b = cp >= 0x80 && cp <= 0x9F ? -1 : cp1252::FromCodePoint(cp);
    if (b >= 0x20) {
      out_ += static_cast<char>(b);
      return;
    }
    std::string one;
    AppendUtf8(one, cp);
    for (const char c : ToWindows1252(one, context_.folds)) {
      if (c == '<')
        Put("&lt;");
      else if (c == '>')
        Put("&gt;");
      else if (c == '&')
        Put("&amp;");
      else if (static_cast<unsigned char>(c) >= 0x20)
        out_ += c;
    }
  }

  const EntryContext& context_;
  EntryConversion result_;
  std::string out_;
  std::vector<MarkupFrame> stack_;
  int silent_ = 0;
  Pending pending_ = kNone;
  bool list_open_ = false;
  TVerseRangeList list_;
  std::string held_;  // separators after the open verse list
  bool run_open_ = false;
  bool run_space_ = false;
  LegacyFont run_font_ = LegacyFont::kSymbolGreek;
  std::string run_;
};

}  // namespace

EntryConversion ConvertEntry(std::string_view markup, const EntryContext& context) {
  return EntryMarkupConverter(context).Run(markup);
}

std::string PlainText(std::string_view markup) {
  std::string decoded;
  XmlScanner scanner(markup);
  for (auto token = scanner.Next(); token != XmlScanner::Token::kEnd; token = scanner.Next())
    if (token == XmlScanner::Token::kText) AppendXmlDecoded(scanner.text(), decoded);
  std::string out;
  bool space = false;
  for (const char c : decoded) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      space = !out.empty();
      continue;
    }
    if (space) out += ' ';
    space = false;
    out += c;
  }
  return out;
}

void AddCounts(EntryConversion& total, const EntryConversion& one) {
  total.verse_lists += one.verse_lists;
  total.verse_ranges += one.verse_ranges;
  total.strongs_links += one.strongs_links;
  total.entry_links += one.entry_links;
  total.comment_links += one.comment_links;
  total.unresolved += one.unresolved;
  total.dropped_script_chars += one.dropped_script_chars;
}

std::string CommentLink(int verse_index) {
  std::string digits = EncodeBase205(verse_index);
  while (digits.size() < 2) digits.insert(digits.begin(), static_cast<char>(kBase205FirstDigit));
  return '\x0E' + digits;
}

}  // namespace lumora::import
