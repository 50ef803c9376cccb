#include "tools/import/transliteration.h"

#include <vector>

#include "core/text/utf8.h"

namespace lumora::import {
namespace {

// ---------------------------------------------------------------------------
// Greek

struct GreekLetter {
  char32_t lower = 0;  // basic small letter U+03B1..U+03C9, 0 when not a letter
  bool upper = false;
  bool rough = false;  // rough breathing: an "h" sound
};

// Base letter of a monotonic or polytonic Greek letter; diacritics other
// than the rough breathing carry no meaning in a transliteration.
GreekLetter ClassifyGreek(char32_t cp) {
  GreekLetter g;
  if (cp >= 0x03B1 && cp <= 0x03C9) {
    g.lower = cp == 0x03C2 ? 0x03C3 : cp;  // final sigma
    return g;
  }
  if (cp >= 0x0391 && cp <= 0x03A9 && cp != 0x03A2) {
    g.lower = cp + 0x20;
    g.upper = true;
    return g;
  }
  constexpr char32_t kA = 0x03B1, kE = 0x03B5, kH = 0x03B7, kI = 0x03B9, kO = 0x03BF,
                     kR = 0x03C1, kY = 0x03C5, kW = 0x03C9;
  struct Tonos {
    char32_t cp, lower;
    bool upper;
  };
  static constexpr Tonos kTonos[] = {
      {0x0386, kA, true},  {0x0388, kE, true},  {0x0389, kH, true},  {0x038A, kI, true},
      {0x038C, kO, true},  {0x038E, kY, true},  {0x038F, kW, true},  {0x0390, kI, false},
      {0x03AA, kI, true},  {0x03AB, kY, true},  {0x03AC, kA, false}, {0x03AD, kE, false},
      {0x03AE, kH, false}, {0x03AF, kI, false}, {0x03B0, kY, false}, {0x03CA, kI, false},
      {0x03CB, kY, false}, {0x03CC, kO, false}, {0x03CD, kY, false}, {0x03CE, kW, false}};
  for (const Tonos& t : kTonos)
    if (t.cp == cp) {
      g.lower = t.lower;
      g.upper = t.upper;
      return g;
    }
  if (cp < 0x1F00 || cp > 0x1FFF) return g;
  // Greek Extended. U+1F00..U+1F6F and U+1F80..U+1FAF come in blocks of
  // eight (small then capital), the odd members carrying the rough
  // breathing.
  const int low = static_cast<int>(cp & 0xF);
  auto block = [&](char32_t lower) {
    g.lower = lower;
    g.upper = low >= 8;
    g.rough = (low & 1) != 0;
  };
  if (cp < 0x1F70) {
    static constexpr char32_t kBlocks[] = {kA, kE, kH, kI, kO, kY, kW};
    block(kBlocks[(cp - 0x1F00) >> 4]);
    return g;
  }
  if (cp < 0x1F80) {
    static constexpr char32_t kPairs[] = {kA, kE, kH, kI, kO, kY, kW};
    if (cp <= 0x1F7D) g.lower = kPairs[(cp - 0x1F70) >> 1];
    return g;
  }
  if (cp < 0x1FB0) {
    static constexpr char32_t kSub[] = {kA, kH, kW};
    block(kSub[(cp - 0x1F80) >> 4]);
    return g;
  }
  struct Span {
    char32_t from, to, lower;
    bool upper;
  };
  static constexpr Span kSpans[] = {
      {0x1FB0, 0x1FB7, kA, false}, {0x1FB8, 0x1FBC, kA, true}, {0x1FC2, 0x1FC7, kH, false},
      {0x1FC8, 0x1FC9, kE, true},  {0x1FCA, 0x1FCC, kH, true}, {0x1FD0, 0x1FD7, kI, false},
      {0x1FD8, 0x1FDB, kI, true},  {0x1FE0, 0x1FE3, kY, false}, {0x1FE4, 0x1FE5, kR, false},
      {0x1FE6, 0x1FE7, kY, false}, {0x1FE8, 0x1FEB, kY, true}, {0x1FEC, 0x1FEC, kR, true},
      {0x1FF2, 0x1FF7, kW, false}, {0x1FF8, 0x1FF9, kO, true}, {0x1FFA, 0x1FFC, kW, true}};
  for (const Span& s : kSpans)
    if (cp >= s.from && cp <= s.to) {
      if (cp == 0x1FB5 || cp == 0x1FC5 || cp == 0x1FF5) return g;  // unassigned
      g.lower = s.lower;
      g.upper = s.upper;
      g.rough = cp == 0x1FE5 || cp == 0x1FEC;
      return g;
    }
  return g;
}

bool IsGreekVowel(char32_t lower) {
  return lower == 0x03B1 || lower == 0x03B5 || lower == 0x03B7 || lower == 0x03B9 ||
         lower == 0x03BF || lower == 0x03C5 || lower == 0x03C9;
}

// Spacing Greek accents (U+1FBD..U+1FFE outside the letters) and combining
// marks inside a word are dropped; U+0314 is the combining rough breathing.
bool IsGreekMark(char32_t cp) {
  return (cp >= 0x0300 && cp <= 0x036F) || cp == 0x0384 || cp == 0x0385 || cp == 0x1FBD ||
         cp == 0x1FBF || cp == 0x1FC0 || cp == 0x1FC1 || (cp >= 0x1FCD && cp <= 0x1FCF) ||
         (cp >= 0x1FDD && cp <= 0x1FDF) || (cp >= 0x1FED && cp <= 0x1FEF) || cp == 0x1FFD ||
         cp == 0x1FFE;
}

void RenderGreekWord(const std::vector<GreekLetter>& word, std::string& out) {
  static const char* const kLatin[] = {"a", "b", "g",  "d", "e", "z", "e", "th", "i",  "k", "l", "m",
                                       "n", "x", "o",  "p", "r", "s", "s", "t",  "y",  "ph", "ch", "ps", "o"};
  const size_t start = out.size();
  bool h_prefix = false;
  for (size_t k = 0; k < word.size(); ++k) {
    const GreekLetter& g = word[k];
    const char32_t next = k + 1 < word.size() ? word[k + 1].lower : 0;
    std::string piece = kLatin[g.lower - 0x03B1];
    if (g.lower == 0x03B3 && (next == 0x03B3 || next == 0x03BA || next == 0x03BE || next == 0x03C7))
      piece = "n";  // gamma nasal
    else if (g.lower == 0x03C5 && k > 0 && IsGreekVowel(word[k - 1].lower) && word[k - 1].lower != 0x03C5)
      piece = "u";  // diphthong
    if (g.rough && g.lower == 0x03C1) piece = "rh";
    else if (g.rough && k <= 1) h_prefix = true;
    if (g.upper) piece[0] = static_cast<char>(piece[0] - 32);
    out += piece;
  }
  if (h_prefix) {
    const bool cap = start < out.size() && out[start] >= 'A' && out[start] <= 'Z';
    if (cap) out[start] = static_cast<char>(out[start] + 32);
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(start), cap ? 'H' : 'h');
  }
}

// ---------------------------------------------------------------------------
// Hebrew

struct HebrewLetter {
  char32_t letter = 0;
  char32_t vowel = 0;
  bool dagesh = false;
  bool sin_dot = false;
};

const char* HebrewVowel(char32_t v) {
  switch (v) {
    case 0x05B1: case 0x05B5: case 0x05B6: return "e";
    case 0x05B2: case 0x05B7: case 0x05B8: return "a";
    case 0x05B3: case 0x05B9: case 0x05BA: case 0x05C7: return "o";
    case 0x05B4: return "i";
    case 0x05BB: return "u";
    default: return "";  // sheva, none
  }
}

void RenderHebrewWord(const std::vector<HebrewLetter>& word, std::string& out) {
  const char* last_vowel = "";
  for (size_t k = 0; k < word.size(); ++k) {
    const HebrewLetter& h = word[k];
    const char* consonant = "";
    switch (h.letter) {
      case 0x05D0: case 0x05E2: consonant = ""; break;  // aleph, ayin
      case 0x05D1: consonant = h.dagesh ? "b" : "v"; break;
      case 0x05D2: consonant = "g"; break;
      case 0x05D3: consonant = "d"; break;
      case 0x05D4: consonant = "h"; break;
      case 0x05D5:
        if (!h.vowel && h.dagesh) { out += "u"; last_vowel = "u"; continue; }  // shuruk
        if (h.vowel == 0x05B9 && k > 0) { out += "o"; last_vowel = "o"; continue; }  // holam male
        consonant = "v";
        break;
      case 0x05D6: consonant = "z"; break;
      case 0x05D7: consonant = "ch"; break;
      case 0x05D8: case 0x05EA: consonant = "t"; break;
      case 0x05D9:
        // Yod after i or e without a vowel of its own lengthens that vowel.
        if (!h.vowel && (last_vowel[0] == 'i' || last_vowel[0] == 'e')) continue;
        consonant = "y";
        break;
      case 0x05DA: case 0x05DB: consonant = h.dagesh ? "k" : "kh"; break;
      case 0x05DC: consonant = "l"; break;
      case 0x05DD: case 0x05DE: consonant = "m"; break;
      case 0x05DF: case 0x05E0: consonant = "n"; break;
      case 0x05E1: consonant = "s"; break;
      case 0x05E3: case 0x05E4: consonant = h.dagesh ? "p" : "f"; break;
      case 0x05E5: case 0x05E6: consonant = "ts"; break;
      case 0x05E7: consonant = "q"; break;
      case 0x05E8: consonant = "r"; break;
      case 0x05E9: consonant = h.sin_dot ? "s" : "sh"; break;
      default: break;
    }
    out += consonant;
    last_vowel = HebrewVowel(h.vowel);
    out += last_vowel;
  }
}

}  // namespace

std::string TransliterateGreekHebrew(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::vector<GreekLetter> greek;
  std::vector<HebrewLetter> hebrew;
  auto flush_greek = [&] {
    if (!greek.empty()) RenderGreekWord(greek, out);
    greek.clear();
  };
  auto flush_hebrew = [&] {
    if (!hebrew.empty()) RenderHebrewWord(hebrew, out);
    hebrew.clear();
  };
  size_t i = 0;
  while (i < utf8.size()) {
    const size_t at = i;
    const char32_t cp = DecodeUtf8(utf8, i);
    const GreekLetter g = ClassifyGreek(cp);
    if (g.lower != 0) {
      flush_hebrew();
      greek.push_back(g);
      continue;
    }
    if (!greek.empty() && IsGreekMark(cp)) {
      if (cp == 0x0314) greek.back().rough = true;
      continue;
    }
    if (cp >= 0x05D0 && cp <= 0x05EA) {
      flush_greek();
      hebrew.push_back(HebrewLetter{cp});
      continue;
    }
    if (cp >= 0x0591 && cp <= 0x05C7 && !hebrew.empty()) {
      HebrewLetter& h = hebrew.back();
      if (cp == 0x05BC) {
        h.dagesh = true;
      } else if (cp == 0x05C2) {
        h.sin_dot = true;
      } else if ((cp >= 0x05B0 && cp <= 0x05BB) || cp == 0x05C7) {
        h.vowel = cp;
      } else if (cp == 0x05BE) {  // maqaf joins words
        flush_hebrew();
        out += '-';
      }
      continue;
    }
    flush_greek();
    flush_hebrew();
    if (cp >= 0x0591 && cp <= 0x05C7) continue;  // stray points and accents
    out.append(utf8.substr(at, i - at));
  }
  flush_greek();
  flush_hebrew();
  return out;
}

}  // namespace lumora::import
