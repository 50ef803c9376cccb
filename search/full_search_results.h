// What the full search window shows after a scan: the tree of modules with
// their hit counts, the page chooser of the selected module, and what a
// "loadview:" or "loadentry:" link of the result page asks for.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/modules/bible_module.h"
#include "search/full_search_job.h"

namespace lumora {

inline constexpr int kFullSearchPageSize = 100;

struct FullSearchTreeModule {
  std::string caption;  // title, " (", hit count, ")"
  size_t node = 0;      // index of the record in the job
};

struct FullSearchTreeRoot {
  std::string caption;  // "Bibles", "Books" or "Commentaries"
  std::vector<FullSearchTreeModule> modules;
};

// One root per kind, created at its first module with hits, in job order.
std::vector<FullSearchTreeRoot> BuildFullSearchTree(const TBigSearchArray& job);

// The page chooser's items for a module's hit list: one per 100 results,
// with the references (KJV long book titles) or entry titles of the first
// and last result on the page.
std::vector<std::string> FullSearchPageChooser(const TBigSearchNode& node,
                                               const std::vector<int>& results,
                                               const TLMBibleModule& kjv);

// "%s %d:%d" with the KJV long book title of verse index `verse`.
std::string FullSearchReference(const TLMBibleModule& kjv, int verse);

// A click in the result page. Commentary targets are slots (verse index -
// 1), so the Commentary view opens the verse the heading names.
struct FullSearchLink {
  enum Kind {
    kNone,        // not a result link, or a number no result of the page's module can have
    kShowPage,    // select chooser item `chooser_item` and show the page starting at `start`
    kOpenVerse,   // the Bible view goes to verse `target` of the module's Bible
    kOpenComment, // the Commentary view shows slot `target`, then finds the search text
    kOpenEntry,   // the Book view shows entry `target`, then finds the search text
  };
  Kind kind = kNone;
  int chooser_item = 0;
  int start = 0;
  int target = 0;
};

// `results` is the hit list of the module whose page is shown.
FullSearchLink ResolveFullSearchLink(std::string_view href, const TBigSearchNode& node,
                                     const std::vector<int>& results);

}  // namespace lumora
