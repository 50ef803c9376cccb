// The topic and verse guide: from one typed text, either every resource
// that speaks about a verse range (verse mode) or every Book entry whose
// title holds the text as whole words (topic mode), as the result tree the
// window shows. It reads verse-link indexes, entry titles and one verse per
// Bible, never entry text.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue/module_catalogue.h"
#include "core/refs/reference_parser.h"
#include "core/status.h"
#include "search/module_ref.h"

namespace lumora {

inline constexpr const char* kTopicGuideCaption = "Topic and Verse Guide";
inline constexpr const char* kTopicGuideHelpTopic = "Scribble100";
inline constexpr const char* kTopicGuideEmptyMessage = "Please enter text.";
inline constexpr const char* kTopicGuideSearching = "Searching...";
inline constexpr const char* kTopicGuideBuildingTree = "Building result tree...";
inline constexpr const char* kTopicGuideNoMatches = "No matches found.";

// One selectable item of the tree.
struct TopicGuideHit {
  ModuleRef module;
  // Bible: verse index; Commentary: slot (verse index - 1); Book: entry number.
  int32_t item = 0;
  // The looked-up range, marked when the item is shown; 0 and 0 when none.
  uint16_t first_verse = 0;
  uint16_t last_verse = 0;
  bool operator==(const TopicGuideHit&) const = default;
};

struct TopicGuideNode {
  std::string caption;
  int hit = -1;  // index into TopicGuideResult::hits; -1: not selectable
  std::vector<TopicGuideNode> children;
};

struct TopicGuideResult {
  bool verse_mode = false;
  // Verse mode: the normalised reference, which replaces the typed text.
  std::string reference;
  std::vector<TopicGuideNode> roots;
  std::vector<TopicGuideHit> hits;
  // The root to expand and select (the title group equal to the search
  // text), or -1.
  int selected_root = -1;

  // "No matches found." or "%d matches. Click on an item to load in viewer.".
  std::string StatusText() const;
};

// Receives the status-bar texts while a search runs.
using TopicGuideStatus = std::function<void(const std::string&)>;

class TopicGuide {
 public:
  // The catalogue must outlive the guide and its results.
  explicit TopicGuide(const TModuleCatalogue& catalogue);
  ~TopicGuide();

  // Fails with kTopicGuideEmptyMessage when nothing is left after trimming.
  Result<TopicGuideResult> Search(std::string_view typed,
                                  const TopicGuideStatus& status = {}) const;

  // True when `text` (trimmed, lower-cased) is tried as a reference first:
  // it holds a letter A-Z/a-z, a digit and a space.
  static bool LooksLikeReference(std::string_view text);

 private:
  const ReferenceParser* Parser() const;

  const TModuleCatalogue& catalogue_;
  mutable std::unique_ptr<ReferenceParser> parser_;  // built on first use
};

}  // namespace lumora
