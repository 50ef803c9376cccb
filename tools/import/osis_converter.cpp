#include "tools/import/osis_converter.h"

#include <array>
#include <cstdint>
#include <vector>

#include "core/modules/bible_header.h"
#include "core/text/cp1252.h"
#include "core/text/utf8.h"
#include "tools/builder/bible_builder.h"
#include "tools/import/transliteration.h"
#include "tools/import/xml_scanner.h"

namespace lumora::import {
namespace {

using Tag = XmlTag;

bool IsNameStart(char c) { return IsXmlNameStart(c); }

void AppendDecoded(std::string_view s, std::string& out) {
  // Source files now and then keep USFM character markers ("\nd ",
  // "\+nd*") that the OSIS conversion missed; they are markup, not text.
  AppendXmlDecoded(s, out, /*strip_usfm=*/true);
}

// Strong's numbers of a lemma attribute as signed numbers (Hebrew negative).
// Only the "strong:" scheme counts; a bare "G3588" continues the scheme of
// the value before it, as some modules write "strong:G2532 G3588".
void ParseLemma(std::string_view lemma, std::vector<int>& numbers) {
  bool strong_scheme = false;
  size_t i = 0;
  while (i < lemma.size()) {
    while (i < lemma.size() && IsXmlSpace(lemma[i])) ++i;
    const size_t start = i;
    while (i < lemma.size() && !IsXmlSpace(lemma[i])) ++i;
    std::string_view item = lemma.substr(start, i - start);
    if (item.empty()) continue;
    const size_t colon = item.find(':');
    if (colon != std::string_view::npos) {
      strong_scheme = cp1252::EqualNoCase(item.substr(0, colon), "strong");
      item.remove_prefix(colon + 1);
    }
    if (!strong_scheme || item.size() < 2) continue;
    const char lang = item[0];
    if (lang != 'H' && lang != 'G' && lang != 'h' && lang != 'g') continue;
    int number = 0;
    size_t k = 1;
    for (; k < item.size() && item[k] >= '0' && item[k] <= '9' && number <= 99999; ++k)
      number = number * 10 + (item[k] - '0');
    if (k == 1) continue;
    // A trailing letter ("H1254a") narrows the entry; the number stands.
    if (k < item.size() && !(k + 1 == item.size() && IsNameStart(item[k]))) continue;
    const bool hebrew = lang == 'H' || lang == 'h';
    if (number < 1 || number > (hebrew ? kHebrewStrongsCount : kGreekStrongsCount)) continue;
    const int code = hebrew ? -number : number;
    bool seen = false;
    for (const int n : numbers) seen = seen || n == code;
    if (!seen) numbers.push_back(code);
  }
}

// ---------------------------------------------------------------------------
// Conversion

enum class Kind : uint8_t {
  kTransparent,  // content kept as text
  kSkip,         // content dropped (headings, labels, cross-references)
  kWord,         // <w>: Strong's numbers follow its text
  kAdded,        // <transChange type="added">: "[...]"
  kNote,         // footnote: "{...}"
  kQuote,        // <q> with a marker to write at both ends
  kTitle,        // canonical title kept as text
};

struct Frame {
  explicit Frame(std::string_view element, Kind k = Kind::kTransparent, bool sep = false)
      : name(element), kind(k), separates(sep) {}

  std::string_view name;
  Kind kind;
  bool separates;               // its boundaries are word boundaries
  size_t visible_at_open = 0;   // for words: did any verse text follow?
  bool tokens_written = false;
  bool dropped_note = false;    // kSkip: a note left out
  std::vector<int> strongs;     // kWord
  std::string marker;           // kQuote, Windows-1252
};

bool IsWordByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return cp1252::IsLetter(b) || (b >= '0' && b <= '9');
}

bool IsOpeningPunctuation(unsigned char c) {
  return c == '(' || c == '[' || c == '{' || c == 0x91 || c == 0x93 || c == 0xAB || c == 0x8B ||
         c == 0xA1 || c == 0xBF;
}

bool IsClosingPunctuation(unsigned char c) {
  switch (c) {
    case '.': case ',': case ';': case ':': case '!': case '?': case ')': case ']':
    case 0x92: case 0x94: case 0xBB: case 0x85: case 0x9B:
      return true;
    default:
      return false;
  }
}

// Elements whose start and end separate words even without blanks around
// them in the source.
bool IsSeparator(std::string_view name) {
  static constexpr std::string_view kNames[] = {"l", "lg", "lb", "div", "p", "chapter", "verse",
                                                "milestone", "list", "item", "title", "head",
                                                "br", "table", "row", "cell", "speaker"};
  for (const std::string_view n : kNames)
    if (n == name) return true;
  return false;
}

bool IsParagraphMark(const Tag& tag) {
  if (tag.end || tag.Has("eID")) return false;
  const std::string_view type = tag.Get("type");
  if (tag.name == "p") return true;
  if (tag.name == "div" || tag.name == "milestone" || tag.name == "lb")
    return type == "x-p" || type == "paragraph" || type == "x-paragraph";
  return false;
}

class Converter {
 public:
  explicit Converter(const OsisOptions& options) : options_(options) {}

  OsisVerse Run(std::string_view s) {
    XmlScanner scanner(s);
    for (auto token = scanner.Next(); token != XmlScanner::Token::kEnd; token = scanner.Next()) {
      if (token == XmlScanner::Token::kText) Text(scanner.text());
      else HandleTag(scanner.tag());
    }
    while (!stack_.empty()) Pop();
    return Finish();
  }

 private:
  void HandleTag(const Tag& tag) {
    if (tag.name.empty()) return;
    if (tag.end) {
      for (size_t k = stack_.size(); k-- > 0;)
        if (stack_[k].name == tag.name) {
          while (stack_.size() > k) Pop();
          return;
        }
      return;  // stray end tag
    }
    if (skip_depth_ > 0) {
      if (!tag.self_closing) stack_.emplace_back(tag.name);
      return;
    }
    const bool separates = IsSeparator(tag.name);
    if (separates) Space();
    if (note_depth_ == 0 && IsParagraphMark(tag)) ParagraphMark();
    if (tag.name == "q") {
      std::string marker = Convert(tag.Get("marker"));
      if (tag.self_closing || tag.Has("sID") || tag.Has("eID")) {
        Visible(marker);
        return;
      }
      Visible(marker);
      Frame f(tag.name, Kind::kQuote);
      f.marker = std::move(marker);
      stack_.push_back(std::move(f));
      return;
    }
    if (tag.self_closing) return;

    Frame f(tag.name, Kind::kTransparent, separates);
    if (tag.name == "w") {
      f.kind = Kind::kWord;
      f.visible_at_open = body_visible_;
      if (options_.strongs && note_depth_ == 0) ParseLemma(tag.Get("lemma"), f.strongs);
    } else if (tag.name == "transChange") {
      // Inside a note supplied words stay plain; nested ones get no second
      // pair of brackets.
      if (tag.Get("type") == "added" && note_depth_ == 0) {
        f.kind = Kind::kAdded;
        if (added_depth_++ == 0) bracket_state_ = Bracket::kPending;
      }
    } else if (tag.name == "note") {
      if (!options_.footnotes || tag.Get("type") == "crossReference") {
        f.kind = Kind::kSkip;
        f.dropped_note = true;
      } else if (note_depth_ == 0) {
        WriteOpenWordTokens();
        ++note_depth_;
        f.kind = Kind::kNote;
        note_state_ = Note::kPending;
      } else {
        ++note_depth_;
        f.kind = Kind::kNote;  // nested note: its text joins the outer one
      }
    } else if (tag.name == "title" || tag.name == "head") {
      const std::string_view canonical = tag.Get("canonical");
      const bool keep = canonical == "true" || (tag.Get("type") == "psalm" && canonical != "false");
      f.kind = keep ? Kind::kTitle : Kind::kSkip;
      if (keep) ++title_depth_;
    } else if (tag.name == "reference" && tag.Get("type") == "annotateRef") {
      f.kind = Kind::kSkip;  // the "1:4 " label of a note
    } else if (tag.name == "speaker" || tag.name == "figure" || tag.name == "index" ||
               tag.name == "header") {
      f.kind = Kind::kSkip;
    }
    if (f.kind == Kind::kSkip) ++skip_depth_;
    stack_.push_back(std::move(f));
  }

  void Pop() {
    Frame f = std::move(stack_.back());
    stack_.pop_back();
    if (skip_depth_ > 0 && f.kind != Kind::kSkip) return;  // inside dropped content
    switch (f.kind) {
      case Kind::kSkip:
        --skip_depth_;
        if (f.dropped_note) soft_space_ = true;
        break;
      case Kind::kWord:
        if (body_visible_ > f.visible_at_open && !f.tokens_written) WriteTokens(f);
        break;
      case Kind::kAdded:
        if (--added_depth_ == 0) CloseBracket();
        break;
      case Kind::kNote:
        if (--note_depth_ == 0) CloseNote();
        break;
      case Kind::kQuote:
        Visible(f.marker);
        break;
      case Kind::kTitle:
        --title_depth_;
        break;
      case Kind::kTransparent:
        break;
    }
    if (f.separates) Space();
  }

  // Strong's tokens go right after the tagged words, so a note inside a word
  // first gets the tokens of the words it interrupts.
  void WriteOpenWordTokens() {
    for (Frame& f : stack_)
      if (f.kind == Kind::kWord && body_visible_ > f.visible_at_open && !f.tokens_written) WriteTokens(f);
  }

  void WriteTokens(Frame& f) {
    f.tokens_written = true;
    if (note_depth_ > 0) return;
    for (const int n : f.strongs) {
      out_ += builder::StrongsToken(n < 0, n < 0 ? -n : n);
      ++result_.strongs;
    }
  }

  // --- text

  std::string Convert(std::string_view raw) {
    std::string utf8;
    utf8.reserve(raw.size());
    AppendDecoded(raw, utf8);
    bool ascii = true;
    for (const char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return utf8;
    return cp1252::FromUtf8(TransliterateGreekHebrew(utf8));
  }

  void Text(std::string_view raw) {
    if (skip_depth_ > 0 || raw.empty()) return;
    bool plain = true;
    for (const char c : raw) {
      const auto b = static_cast<unsigned char>(c);
      plain = plain && b < 0x80 && c != '&' && c != '\\';
    }
    if (plain) {
      Visible(raw);
    } else {
      Visible(Convert(raw));
    }
  }

  // Writes converted text: whitespace collapses, the pilcrow becomes a
  // paragraph mark, markup characters of the verse format are replaced.
  void Visible(std::string_view text) {
    for (const char c : text) {
      auto b = static_cast<unsigned char>(c);
      if (b == ' ' || b == '\t' || b == '\n' || b == '\r' || b == 0xA0) {
        Space();
        continue;
      }
      if (b == 0xB6) {  // pilcrow
        if (note_depth_ == 0) ParagraphMark();
        continue;
      }
      if (b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D ||
          b == 0xAD)
        continue;
      if (b == '{' || b == '[') b = '(';
      if (b == '}' || b == ']') b = ')';
      Put(static_cast<char>(b));
    }
  }

  void Space() { pending_space_ = true; }

  void ParagraphMark() {
    if (title_depth_ > 0) return;
    if (!body_started_) result_.paragraph = true;
    else result_.paragraph_after = true;
  }

  // The blank owed before the next visible byte, none right after an
  // opening mark. The reader hides a note together with one blank after its
  // "}", so a note (or a run of notes) between words stands between blanks,
  // "God {note} created", and closes up to punctuation, "God{note}, and".
  // Notes often sit between words without blanks in the source
  // ("God<note>...</note><w>created"), so a note left out still separates
  // the words around it.
  void Separate(unsigned char next) {
    // A straight quote after a note closes up unless the source set it off.
    const bool closing =
        next == '"' || next == '\'' ? !pending_space_ : IsClosingPunctuation(next);
    bool blank = false;
    if ((after_note_ || soft_space_) && closing) {
      blank = false;  // "word <note/>." reads "word."
    } else if (after_note_) {
      blank = true;
      if (note_run_start_ > 0) {
        const auto before = static_cast<unsigned char>(out_[note_run_start_ - 1]);
        if (before != ' ' && !IsOpeningPunctuation(before)) out_.insert(note_run_start_, 1, ' ');
      }
    } else if (pending_space_) {
      blank = !out_.empty() && out_.back() != '{' && out_.back() != '[';
    } else if (after_bracket_ && IsWordByte(static_cast<char>(next))) {
      blank = true;  // "[también]bdelio": words never continue past supplied ones
      if (glued_bracket_) out_.insert(bracket_start_, 1, ' ');
    } else if (soft_space_) {
      blank = !out_.empty() && !IsOpeningPunctuation(static_cast<unsigned char>(out_.back()));
    }
    if (blank) out_ += ' ';
    after_note_ = false;
    pending_space_ = false;
    soft_space_ = false;
    after_bracket_ = false;
  }

  void Put(char c) {
    if (bracket_state_ == Bracket::kPending && note_depth_ == 0) {
      Separate('[');
      bracket_start_ = out_.size();
      out_ += '[';
      bracket_state_ = Bracket::kOpen;
      result_.has_brackets = true;
    }
    if (note_state_ == Note::kPending) {
      if (!after_note_) note_run_start_ = out_.size();
      out_ += '{';  // the blank before it, if any, is settled by what follows the note
      pending_space_ = false;
      soft_space_ = false;
      after_bracket_ = false;
      after_note_ = false;
      note_state_ = Note::kOpen;
      ++result_.footnotes;
    }
    Separate(static_cast<unsigned char>(c));
    out_ += c;
    if (note_depth_ == 0) ++body_visible_;
    if (note_depth_ == 0 && title_depth_ == 0) {
      body_started_ = true;
      result_.paragraph_after = false;
    }
  }

  void CloseBracket() {
    if (bracket_state_ == Bracket::kOpen) {
      after_note_ = false;
      out_ += ']';  // a trailing blank of the supplied words stays owed after "]"
      // Supplied words glued to the word before them are either an
      // enclitic ("sáca[lo]") or a source that lost its blanks
      // ("allí[también]bdelio"); a blank is owed when they are several
      // words or glued on the right too (see Separate).
      glued_bracket_ = bracket_start_ > 0 && IsWordByte(out_[bracket_start_ - 1]);
      if (glued_bracket_ && out_.find(' ', bracket_start_) != std::string::npos) {
        out_.insert(bracket_start_, 1, ' ');
        glued_bracket_ = false;
      }
      after_bracket_ = true;
    }
    bracket_state_ = Bracket::kNone;
  }

  void CloseNote() {
    if (note_state_ == Note::kOpen) {
      out_ += '}';
      pending_space_ = false;
      after_note_ = true;
    } else {
      soft_space_ = true;  // an empty note still stood between words
    }
    note_state_ = Note::kNone;
  }

  OsisVerse Finish() {
    // "<<" and ">>" switch to small text in the reader; literal angle
    // brackets from the source must not pair up into them.
    for (size_t k = 0; k + 1 < out_.size(); ++k) {
      if ((out_[k] == '<' || out_[k] == '>') && out_[k + 1] == out_[k])
        out_[k + 1] = out_[k] == '<' ? '\x8B' : '\x9B';
    }
    result_.text = std::move(out_);
    return std::move(result_);
  }

  enum class Bracket : uint8_t { kNone, kPending, kOpen };
  enum class Note : uint8_t { kNone, kPending, kOpen };

  const OsisOptions& options_;
  OsisVerse result_;
  std::string out_;
  std::vector<Frame> stack_;
  size_t body_visible_ = 0;  // visible bytes written outside notes
  int skip_depth_ = 0;
  int note_depth_ = 0;
  int added_depth_ = 0;
  int title_depth_ = 0;
  Bracket bracket_state_ = Bracket::kNone;
  Note note_state_ = Note::kNone;
  bool pending_space_ = false;
  bool after_note_ = false;
  size_t bracket_start_ = 0;     // where the "[" of the latest supplied words stands
  bool after_bracket_ = false;   // nothing visible since that "]"
  bool glued_bracket_ = false;   // ... and its "[" follows a word without a blank
  size_t note_run_start_ = 0;  // where the "{" of the latest run of notes stands
  bool soft_space_ = false;
  bool body_started_ = false;
};

}  // namespace

OsisVerse ConvertOsisVerse(std::string_view osis_utf8, const OsisOptions& options) {
  return Converter(options).Run(osis_utf8);
}

}  // namespace lumora::import
