// The reference set dialog's working state without its widgets: the check
// tree of resources, the set catalogue being edited, the current set and the
// information text. The dialog mirrors Nodes() into its tree and forwards
// the user's clicks; everything that decides what a set holds lives here.
//
// The tree holds member strings only (group tokens and module titles),
// never modules, so it can be rebuilt from a changed catalogue at any time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/properties.h"

namespace lumora {

class TModuleCatalogue;

inline constexpr const char* kRefSetsCaption = "Reference Sets";
inline constexpr const char* kRefSetsHelpTopic = "Scribble420";
inline constexpr const char* kRefSetsGroupCaption = " Reference Sets ";
inline constexpr const char* kNewRefSetCaption = "New Reference Set";
inline constexpr const char* kNewRefSetPrompt = "What do you wish to call this set?";
inline constexpr const char* kNoRefSetsText =
    "No reference sets have been defined.  Click \"New\" to define a set.";
inline constexpr const char* kNewRefSetText =
    "Now add items to the new reference set by selecting checkboxes of references on the right.";
inline constexpr const char* kRefSetNameInUseMessage =
    "That name is already in use in Lumora.\nPlease use a unique name for the set.";
// A blank name would be dropped when the settings are read back, and a
// character outside the code page cannot be stored.
inline constexpr const char* kRefSetNameBlankMessage = "Please enter a name for the set.";
inline constexpr const char* kRefSetNameNotStorableMessage =
    "That name holds a character Lumora cannot store.\nPlease use another name for the set.";
inline constexpr const char* kDeleteRefSetQuestionStart =
    "Are you sure you wish to delete reference set \"";
inline constexpr const char* kDeleteRefSetQuestionEnd = "?\"";

inline constexpr const char* kRefSetBiblesRoot = "Bibles";
inline constexpr const char* kRefSetBooksRoot = "Books";
inline constexpr const char* kRefSetCommentariesRoot = "Commentaries";
inline constexpr const char* kRefSetNoneLoadedSuffix = " (none loaded)";

// What the tree offers: module titles in catalogue order (Strong's-links
// twins left out: they are their Bible again) and every name a set may not
// take.
struct RefSetResources {
  std::vector<std::string> bibles;
  std::vector<std::string> books;
  std::vector<std::string> commentaries;
  std::vector<std::string> names_in_use;  // abbreviations and titles
};
RefSetResources RefSetResourcesOf(const TModuleCatalogue& catalogue);

enum class RefSetCheck { kUnchecked, kPartial, kChecked };

struct RefSetNode {
  std::string caption;
  std::string member;  // group token for a root, the title otherwise
  int root = -1;       // index of the node's root; -1 for a root
  RefSetCheck check = RefSetCheck::kUnchecked;
};

enum class RefSetNameProblem { kNone, kBlank, kNotStorable, kInUse };
const char* RefSetNameMessage(RefSetNameProblem problem);

// "Are you sure you wish to delete reference set "NAME?"".
std::string DeleteRefSetQuestion(std::string_view name);

class ReferenceSetEditor {
 public:
  // Rebuilds the tree, takes `sets` as the catalogue and makes the first
  // set current (none when there is no set), then shows it.
  void Open(const RefSetResources& resources, std::vector<config::ReferenceSet> sets);
  // The modules changed while the dialog is open: the current set keeps
  // what the tree shows, the tree is rebuilt and the set shown again.
  void Rebuild(const RefSetResources& resources);

  const std::vector<RefSetNode>& Nodes() const { return nodes_; }
  const std::vector<config::ReferenceSet>& Sets() const { return sets_; }
  int Current() const { return current_; }
  std::string CurrentName() const;
  const std::string& Info() const { return info_; }
  bool TreeEnabled() const { return current_ >= 0; }
  bool DeleteEnabled() const { return current_ >= 0; }

  // A click on a node's check box: cascades to a root's children, keeps
  // every node of the same member alike and recomputes the roots.
  void SetChecked(size_t node, bool checked);
  // The tree into the current set (before switching, creating, closing).
  void StoreTree();
  // Stores the tree, then makes set `index` current and shows it.
  void Select(int index);

  // "Reference Set %d" with the number of sets + 1.
  std::string DefaultNewName() const;
  // `storable`: the typed name survived the conversion to the code page.
  // The name is judged as TrimmedName() leaves it.
  RefSetNameProblem CheckNewName(std::string_view name, bool storable) const;
  static std::string TrimmedName(std::string_view name);
  // Adds an empty set (the name must have passed CheckNewName), makes it
  // current and shows it; returns its index.
  int AddSet(std::string_view name);
  // Removes the current set and reopens the content on the first set.
  void DeleteCurrent();

 private:
  void Show();
  void CheckNode(size_t node, bool checked);
  void UpdateRoots();

  std::vector<RefSetNode> nodes_;
  std::vector<config::ReferenceSet> sets_;
  std::vector<std::string> names_in_use_;
  int current_ = -1;
  std::string info_;
};

}  // namespace lumora
