// The full reference search job: which modules a search scans, in what
// order, and the per-module record that receives the hits. Built from the
// window's two lists: the set list (five fixed choices, then the stored
// reference sets) and the single-module list.
//
// The Strong's-links twin of a Bible (IsStrongsLinks()) reads the same file
// as its Bible, so no job ever holds it: whatever the choice, every verse is
// scanned, listed and counted once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/properties.h"
#include "core/catalogue/module_catalogue.h"
#include "core/status.h"
#include "search/module_ref.h"

namespace lumora {

// One module of a job. Items are 0-based: a Bible's item n is verse index
// n + 1, a Commentary's item n is slot n (verse index n + 1), a Book's item
// n is entry n.
struct TBigSearchNode {
  explicit TBigSearchNode(ModuleRef m);

  ModuleRef module;
  std::vector<bool> hits;          // one per item
  std::vector<int32_t> positions;  // 1-based hit position; -1: Book entry found by its title
  int hit_count = 0;
  // Damaged records met while scanning (their text is never matched).
  int damaged_count = 0;
  std::string first_damage;

  void RecordHit(int item, int32_t position);
  // Items with a hit, ascending.
  std::vector<int> HitList() const;
};

using TBigSearchArray = std::vector<TBigSearchNode>;

// The fixed choices at the top of the set list; reference set k follows at
// kFixedSetCount + k.
enum FullSearchSetChoice : int {
  kSetEverything = 0,
  kSetBooksAndCommentaries = 1,
  kSetAllBibles = 2,
  kSetAllBooks = 3,
  kSetAllCommentaries = 4,
};
inline constexpr int kFixedSetCount = 5;

// The group tokens a reference set may hold besides module titles.
inline constexpr const char* kSetBiblesToken = "?BIBLES";
inline constexpr const char* kSetBooksToken = "?BOOKS";
inline constexpr const char* kSetCommentariesToken = "?COMMENTARIES";

// The set list's captions: the five fixed items, then every set by name.
std::vector<std::string> FullSearchSetList(const std::vector<config::ReferenceSet>& sets);
// The set list index of the set named `name` (any case), or -1.
int SetListIndexOf(const std::vector<config::ReferenceSet>& sets, std::string_view name);

// The single-module list: every Bible except Strong's-links twins, every
// Book, every Commentary, sorted by title (CompareNoCase, stable).
std::vector<ModuleRef> SingleModuleList(const TModuleCatalogue& catalogue);

// A list's selection when the window is shown: the previous selection if
// there is one (>= 0), else the stored index; 0 when that is out of range.
int ChooseListIndex(int previous, int stored, size_t count);

// Exact membership without regard to case.
bool ReferenceSetContains(const config::ReferenceSet& set, std::string_view member);

// The job for set list item `choice`. Fails with kFullSearchNoSetMessage
// when the choice names no set (kNotFound) and kFullSearchNoModulesMessage
// when nothing is left to scan (kInvalidArgument).
Result<TBigSearchArray> BuildSetJob(const TModuleCatalogue& catalogue, int choice,
                                    const std::vector<config::ReferenceSet>& sets);
// One record for one module.
TBigSearchArray BuildSingleModuleJob(ModuleRef module);

}  // namespace lumora
