#include "tools/import/osis_converter.h"

#include <array>
#include <cstdint>
#include <vector>

#include "core/modules/bible_header.h"
#include "core/text/cp1252.h"
#include "core/text/utf8.h"
#include "tools/builder/bible_builder.h"
#include "tools/import/osis_tags.h"
#include "tools/import/scripture_refs.h"
#include "tools/import/transliteration.h"
#include "tools/import/xml_scanner.h"

namespace lumora::import {
namespace {

using Tag = XmlTag;

void AppendDecoded(std::string_view s, std::string& out) {
  // Source files now and then keep USFM character markers ("\nd ",
  // "\+nd*") that the OSIS conversion missed; they are markup, not text.
  AppendXmlDecoded(s, out, /*strip_usfm=*/true);
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
  kTitle,        // heading kept as text: titles of the printed text, speaker labels
  kDivineName,   // <divineName>: its letters upper-cased
  kReference,    // a reference in a cross-reference note: collected, then linked
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
  bool cross_reference = false;  // kNote: a cross-reference note
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
      // A stray "</divineName>" closes a USFM "\nd " the conversion left
      // before the name ("by my name \nd <w>JEHOVAH</w></divineName>").
      if (tag.name == "divineName") usfm_divine_name_ = false;
      return;  // stray end tag
    }
    if (skip_depth_ > 0) {
      if (!tag.self_closing) stack_.emplace_back(tag.name);
      return;
    }
    const bool separates = IsWordSeparatorElement(tag.name);
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
      if (options_.strongs && note_depth_ == 0) ParseStrongsLemma(tag.Get("lemma"), f.strongs);
    } else if (tag.name == "transChange") {
      // Inside a note supplied words stay plain; nested ones get no second
      // pair of brackets.
      if (tag.Get("type") == "added" && note_depth_ == 0) {
        f.kind = Kind::kAdded;
        if (added_depth_++ == 0) bracket_state_ = Bracket::kPending;
      }
    } else if (tag.name == "note") {
      if (!options_.footnotes) {
        f.kind = Kind::kSkip;
        f.dropped_note = true;
      } else if (note_depth_ == 0) {
        WriteOpenWordTokens();
        ++note_depth_;
        f.kind = Kind::kNote;
        f.cross_reference = tag.Get("type") == "crossReference";
        cross_reference_depth_ += f.cross_reference;
        note_state_ = Note::kPending;
      } else {
        ++note_depth_;
        f.kind = Kind::kNote;  // nested note: its text joins the outer one
      }
    } else if (tag.name == "title" || tag.name == "head" || tag.name == "speaker") {
      const bool keep = tag.name == "speaker" || IsPrintedTitle(tag);
      f.kind = keep ? Kind::kTitle : Kind::kSkip;
      f.visible_at_open = body_visible_;
      if (keep) ++title_depth_;
    } else if (tag.name == "reference" && tag.Get("type") == "annotateRef") {
      f.kind = Kind::kSkip;  // the "1:4 " label of a note
    } else if (tag.name == "reference" && cross_reference_depth_ > 0 && reference_depth_ == 0) {
      f.kind = Kind::kReference;
      ++reference_depth_;
      reference_raw_.clear();
    } else if (tag.name == "divineName") {
      f.kind = Kind::kDivineName;
      ++divine_name_depth_;
    } else if (tag.name == "figure" || tag.name == "index" || tag.name == "header") {
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
        cross_reference_depth_ -= f.cross_reference;
        if (--note_depth_ == 0) CloseNote(f.cross_reference);
        break;
      case Kind::kReference:
        --reference_depth_;
        WriteReferences(Convert(reference_raw_));
        break;
      case Kind::kDivineName:
        --divine_name_depth_;
        break;
      case Kind::kQuote:
        Visible(f.marker);
        break;
      case Kind::kTitle:
        --title_depth_;
        if (body_visible_ > f.visible_at_open) ++result_.headings;
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
    return ToWindows1252(TransliterateGreekHebrew(utf8), options_.folds);
  }

  void Text(std::string_view raw) {
    if (skip_depth_ > 0 || raw.empty()) return;
    if (reference_depth_ > 0) {
      reference_raw_ += raw;
      return;
    }
    if (options_.headings_only && title_depth_ == 0) return;
    // The USFM divine-name markers that the OSIS conversion left in a few
    // notes ("the \nd LORD's\+nd*") mark a divine name as well.
    size_t from = 0;
    for (size_t at = raw.find('\\'); at != std::string_view::npos; at = raw.find('\\', at + 1)) {
      size_t k = at + 1;
      if (k < raw.size() && raw[k] == '+') ++k;
      if (raw.substr(k, 2) != "nd" || k + 2 >= raw.size() ||
          (raw[k + 2] != ' ' && raw[k + 2] != '*'))
        continue;
      TextRun(raw.substr(from, at - from));
      usfm_divine_name_ = raw[k + 2] == ' ';
      // The end marker also ends a "<divineName>" the conversion left open
      // ("the <divineName>LORD\+nd*: or, ...").
      if (!usfm_divine_name_)
        for (size_t f = stack_.size(); f-- > 0;)
          if (stack_[f].kind == Kind::kDivineName) {
            while (stack_.size() > f) Pop();
            break;
          }
      from = k + 3;
    }
    TextRun(raw.substr(from));
  }

  void TextRun(std::string_view raw) {
    if (raw.empty()) return;
    if (title_depth_ > 0 && note_depth_ == 0) {  // a note in a heading keeps its words
      const std::string kept = WithoutHebrewLetters(raw);
      if (kept.size() != raw.size()) return Visible(Convert(kept));
    }
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
    if (options_.headings_only && title_depth_ == 0) return;
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
    if (!link_open_.empty()) {
      out_ += link_open_;
      link_open_.clear();
    }
    // The divine name prints in capitals whole: "LORD'S", also where the
    // source spelt it "Lord" inside supplied words.
    const bool divine = divine_name_depth_ > 0 || usfm_divine_name_;
    out_ += divine ? static_cast<char>(cp1252::Upper(static_cast<unsigned char>(c))) : c;
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

  // The references of a cross-reference note, each item a link to its first
  // verse; what names no verse ("Wisdom 14:21", "LXX") stays plain text.
  void WriteReferences(const std::string& text) {
    std::string parsed_text = text;
    for (char& c : parsed_text)
      if (c == '\x96' || c == '\x97') c = '-';  // "6:31\x967:20"
    const ParsedScripture parsed = ParseScriptureRef(parsed_text);
    size_t at = 0;
    for (size_t k = 0; k < parsed.ranges.size(); ++k) {
      const ParsedScripture::Span& span = parsed.spans[k];
      Visible(std::string_view(text).substr(at, span.offset - at));
      link_open_ = "<a href=\"lp:" + std::to_string(parsed.ranges[k].first) + "\">";
      Visible(std::string_view(text).substr(span.offset, span.length));
      if (link_open_.empty()) {
        out_ += "</a>";
        ++result_.verse_links;
      }
      link_open_.clear();
      at = span.offset + span.length;
    }
    Visible(std::string_view(text).substr(at));
  }

  void CloseNote(bool cross_reference) {
    usfm_divine_name_ = false;  // a marker never closed ends with its note
    if (note_state_ == Note::kOpen) {
      result_.cross_references += cross_reference;
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
  int divine_name_depth_ = 0;
  bool usfm_divine_name_ = false;  // between "\nd " and "\nd*"
  int cross_reference_depth_ = 0;
  int reference_depth_ = 0;
  std::string reference_raw_;  // the source text of the reference being collected
  std::string link_open_;      // a link's start tag, written before its first visible byte
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
