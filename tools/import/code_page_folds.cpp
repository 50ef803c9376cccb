#include "tools/import/code_page_folds.h"

#include <algorithm>

#include "core/text/cp1252.h"
#include "core/text/utf8.h"

namespace lumora::import {
namespace {

// Code page 437 at bytes 0x80..0x9F.
constexpr char32_t kDosHigh[32] = {0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
                                   0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
                                   0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
                                   0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192};

bool IsC1(char32_t cp) { return cp >= 0x80 && cp <= 0x9F; }

std::string StandIn(char32_t cp) {
  if (IsC1(cp)) {
    const char32_t letter = kDosHigh[cp - 0x80];
    const int b = cp1252::FromCodePoint(letter);
    return b >= 0 ? std::string(1, static_cast<char>(b)) : cp1252::StandInFor(letter);
  }
  return cp1252::StandInFor(cp);
}

std::string Hex(char32_t cp) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (int shift = cp > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4)
    out += kDigits[(cp >> shift) & 0xF];
  return "U+" + out;
}

}  // namespace

std::string CodePageFolds::Fold(char32_t cp) {
  std::string stand_in = StandIn(cp);
  Count(cp, stand_in);
  return stand_in;
}

void CodePageFolds::Count(char32_t cp, std::string_view stand_in) {
  Tally& t = tallies_[cp];
  t.stand_in = stand_in;
  ++t.count;
  t.entries.insert(entry_);
}

std::string CodePageFolds::Convert(std::string_view utf8) { return ToWindows1252(utf8, this); }

size_t CodePageFolds::Total() const {
  size_t total = 0;
  for (const auto& [cp, t] : tallies_) total += t.count;
  return total;
}

std::vector<std::string> CodePageFolds::Lines() const {
  std::vector<std::pair<char32_t, const Tally*>> order;
  for (const auto& [cp, t] : tallies_) order.emplace_back(cp, &t);
  std::stable_sort(order.begin(), order.end(),
                   [](const auto& a, const auto& b) { return a.second->count > b.second->count; });
  std::vector<std::string> lines;
  for (const auto& [cp, t] : order) {
    std::string shown;
    if (IsC1(cp)) {
      shown = "(control)";
    } else if (cp >= 0x0300 && cp <= 0x036F) {
      shown = "(combining mark)";
    } else if (t->stand_in == " ") {
      shown = "(blank)";
    } else if (t->stand_in.empty()) {
      shown = "(invisible)";
    } else {
      AppendUtf8(shown, cp);
    }
    const std::string as = t->stand_in.empty()  ? "left out"
                           : t->stand_in == " " ? "as a blank"
                                                : "as " + cp1252::ToUtf8(t->stand_in);
    lines.push_back(Hex(cp) + " " + shown + " " + as + ": " + std::to_string(t->count) + " in " +
                    std::to_string(t->entries.size()) +
                    (t->entries.size() == 1 ? " entry" : " entries"));
  }
  return lines;
}

std::string ToWindows1252(std::string_view utf8, CodePageFolds* folds) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const char32_t cp = DecodeUtf8(utf8, i);
    // Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D map to themselves in the code
    // page, but as C1 controls they are no text either.
    const int b = IsC1(cp) ? -1 : cp1252::FromCodePoint(cp);
    if (b >= 0)
      out += static_cast<char>(b);
    else
      out += folds ? folds->Fold(cp) : StandIn(cp);
  }
  return out;
}

}  // namespace lumora::import
