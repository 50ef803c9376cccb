#include "render/export_text_passes.h"

#include <cstdint>
#include <vector>

#include "render/entry_markup.h"

namespace lumora::export_text {
namespace {


bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

}  // namespace

std::string ConvertScriptRuns(std::string_view text, char opener, std::string_view open,
                              std::string_view close) {
  // Openers take terminators first come, first served, so the openers left
  // without one are the last ones; count them first.
  if (text.find(opener) == std::string_view::npos) return std::string(text);
  size_t openers = 0, pending = 0;
  for (const char c : text) {
    if (c == opener) {
      ++openers;
      ++pending;
    } else if (c == entry_markup::kTerminator && pending > 0) {
      --pending;
    }
  }
  const size_t first_unmatched = openers - pending;  // index of the "?" opener
  std::string out;
  out.reserve(text.size() + openers * (open.size() + close.size()));
  size_t seen = 0;
  pending = 0;
  for (const char c : text) {
    if (c == opener) {
      if (seen < first_unmatched) {
        out += open;
        ++pending;
      } else {
        out += seen == first_unmatched ? '?' : c;
      }
      ++seen;
    } else if (c == entry_markup::kTerminator && pending > 0) {
      out += close;
      --pending;
    } else {
      out += c;
    }
  }
  return out;
}

std::string JoinLines(std::string_view text) {
  if (text.empty()) return {};
  std::string out;
  out.reserve(text.size() + 2);
  size_t pos = 0;
  bool first_line = true;
  size_t trimmed_end = std::string::npos;  // end of the last appended line's text
  while (pos < text.size()) {
    size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string_view line = text.substr(pos, end - pos);
    if (first_line) {
      out.append(line);
      first_line = false;
    } else {
      size_t b = 0, e = line.size();
      while (b < e && IsWhite(line[b])) ++b;
      while (e > b && IsWhite(line[e - 1])) --e;
      if (b < e) {
        out += ' ';
        out.append(line.substr(b));
        trimmed_end = out.size() - (line.size() - e);
      }
    }
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n' && (pos == end || text[end] == '\r')) ++pos;
  }
  if (trimmed_end != std::string::npos) out.resize(trimmed_end);
  out += "\r\n";
  return out;
}

std::string DropTags(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t lt = text.find('<', pos);
    if (lt == std::string_view::npos) break;
    const size_t gt = text.find('>', lt + 1);
    if (gt == std::string_view::npos) break;
    out.append(text.substr(pos, lt - pos));
    pos = gt + 1;
  }
  out.append(text.substr(pos));
  return out;
}

std::string DecodeEntities(std::string_view text) {
  static constexpr struct {
    std::string_view entity;
    char byte;
  } kEntities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&#8209;", '-'}};
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t amp = text.find('&', pos);
    if (amp == std::string_view::npos) break;
    out.append(text.substr(pos, amp - pos));
    pos = amp + 1;
    char decoded = '&';
    for (const auto& e : kEntities) {
      if (text.substr(amp, e.entity.size()) == e.entity) {
        decoded = e.byte;
        pos = amp + e.entity.size();
        break;
      }
    }
    out += decoded;
  }
  out.append(text.substr(pos));
  return out;
}

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Whether text[at..] begins with `lower` (lower-case ASCII), ignoring case.
bool StartsNoCase(std::string_view text, size_t at, std::string_view lower) {
  if (text.size() - at < lower.size()) return false;
  for (size_t k = 0; k < lower.size(); ++k)
    if (LowerAscii(text[at + k]) != lower[k]) return false;
  return true;
}

size_t FindNoCase(std::string_view text, std::string_view lower) {
  for (size_t at = text.find(lower[0]); at != std::string_view::npos;
       at = text.find(lower[0], at + 1))
    if (StartsNoCase(text, at, lower)) return at;
  return std::string_view::npos;
}

// The paragraph replacements ("<p>", "<p ", "<br>", "<blockquote>",
// "</blockquote>", in that order, each over the whole text, ignoring case),
// then CR and LF to blanks when paragraphs become blanks, then "&nbsp;" and
// "&quot;", all in one pass. One pass gives the same text as those passes in
// turn: every pattern starts at a "<" or "&" and none of the replacements
// holds one, except the "<" that "<p " leaves, where only the later patterns
// can still match.
std::string ReplaceParagraphs(std::string_view t, bool paragraph_breaks) {
  const std::string_view paragraph = paragraph_breaks ? "\r\n\r\n" : "  ";
  const std::string_view line = paragraph_breaks ? "\r\n" : " ";
  std::string out;
  out.reserve(t.size() + t.size() / 8);
  // A "<br>" or either blockquote tag at t[at..] (the "<" standing at
  // t[at - 1], or left by "<p "): its replacement and length after the "<".
  auto later_tag = [&](size_t at, size_t& length) -> std::string_view {
    if (StartsNoCase(t, at, "br>")) return length = 3, line;
    if (StartsNoCase(t, at, "blockquote>")) return length = 11, paragraph;
    if (StartsNoCase(t, at, "/blockquote>")) return length = 12, paragraph;
    return length = 0, std::string_view();
  };
  for (size_t i = 0; i < t.size(); ++i) {
    // Copy the run up to the next byte that can start a replacement.
    size_t run = i;
    while (run < t.size() && t[run] != '<' && t[run] != '&' && t[run] != '\r' && t[run] != '\n')
      ++run;
    out.append(t.substr(i, run - i));
    if (run == t.size()) break;
    i = run;
    const char c = t[i];
    size_t length = 0;
    if (c == '<') {
      if (StartsNoCase(t, i + 1, "p>")) {
        out += paragraph;
        i += 2;
      } else if (StartsNoCase(t, i + 1, "p ")) {
        out += paragraph;
        i += 2;
        const std::string_view tag = later_tag(i + 1, length);
        if (length > 0)
          out += tag;
        else
          out += '<';
        i += length;
      } else if (const std::string_view tag = later_tag(i + 1, length); length > 0) {
        out += tag;
        i += length;
      } else {
        out += c;
      }
    } else if (c == '&' && StartsNoCase(t, i + 1, "nbsp;")) {
      out += ' ';
      i += 5;
    } else if (c == '&' && StartsNoCase(t, i + 1, "quot;")) {
      out += '"';
      i += 5;
    } else if (!paragraph_breaks && (c == '\r' || c == '\n')) {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string PlainTextFromEntryHtml(std::string_view html, bool paragraph_breaks) {
  size_t head = FindNoCase(html, "</head>");
  if (head == std::string_view::npos) head = FindNoCase(html, "<html>");
  if (head != std::string_view::npos) html.remove_prefix(head);
  std::string t = DropTags(ReplaceParagraphs(html, paragraph_breaks));
  std::erase_if(t, [](char c) { return c == entry_markup::kHebrewRun || c == entry_markup::kGreekRun ||
                           c == entry_markup::kTerminator; });
  return DecodeEntities(t);
}

}  // namespace lumora::export_text
