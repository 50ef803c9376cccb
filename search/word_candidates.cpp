#include "search/word_candidates.h"

#include "core/text/cp1252.h"
#include "render/key_highlighter.h"
#include "search/word_match.h"

namespace lumora {
namespace {

enum class Shape { kContains, kEndsWith, kBeginsWith, kWhole };

bool Matches(std::string_view folded_word, std::string_view fragment, Shape shape) {
  switch (shape) {
    case Shape::kContains:
      return folded_word.find(fragment) != std::string_view::npos;
    case Shape::kEndsWith:  // longer than the fragment: the fragment alone is listed first
      return folded_word.size() > fragment.size() && folded_word.ends_with(fragment);
    case Shape::kBeginsWith:
      return folded_word.starts_with(fragment);
    case Shape::kWhole:
      return false;
  }
  return false;
}

WordCandidate ListedWord(const TLMBibleModule& bible, int position) {
  return {position, AnsiLower(std::string(bible.Words()[static_cast<size_t>(position)]))};
}

// The word looked up as it stands.
WordCandidate Plain(const TLMBibleModule& bible, std::string_view word, bool keep_typed) {
  const int position = bible.FindWord(word);
  if (position < 0) return {-1, std::string(word)};
  return keep_typed ? WordCandidate{position, std::string(word)} : ListedWord(bible, position);
}

}  // namespace

std::vector<WordCandidate> ExpandSearchWord(const TLMBibleModule& bible, std::string_view word,
                                            bool case_sensitive, bool substring) {
  const bool lead = word.starts_with('*');
  const bool trail = word.ends_with('*');
  Shape shape = Shape::kWhole;
  std::string_view fragment = word;
  if (lead && trail && word.size() > 2) {
    shape = Shape::kContains;
    fragment = word.substr(1, word.size() - 2);
  } else if (lead && word.size() > 1) {
    shape = Shape::kEndsWith;
    fragment = word.substr(1);
  } else if (trail && word.size() > 1) {
    shape = Shape::kBeginsWith;
    fragment = word.substr(0, word.size() - 1);
  } else if (substring) {
    shape = Shape::kContains;
  }

  std::vector<WordCandidate> out;
  if (shape == Shape::kWhole) {
    out.push_back(Plain(bible, word, case_sensitive));
    return out;
  }
  if (shape == Shape::kEndsWith) out.push_back(Plain(bible, fragment, false));
  const std::string folded = FoldCase(fragment);
  const PackedStrings& words = bible.Words();
  const unsigned char* upper = cp1252::UpperMap();
  std::string folded_word;
  for (size_t p = 0; p < words.size(); ++p) {
    if (p > 0 && cp1252::CompareNoCase(words[p - 1], words[p]) == 0) continue;  // same group
    folded_word.assign(words[p]);
    for (char& c : folded_word) c = static_cast<char>(upper[static_cast<unsigned char>(c)]);
    if (Matches(folded_word, folded, shape)) out.push_back(ListedWord(bible, static_cast<int>(p)));
  }
  return out;
}

}  // namespace lumora
