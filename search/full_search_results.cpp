#include "search/full_search_results.h"

#include <algorithm>

#include "render/href.h"
#include "render/verse_list.h"

namespace lumora {

std::vector<FullSearchTreeRoot> BuildFullSearchTree(const TBigSearchArray& job) {
  std::vector<FullSearchTreeRoot> roots;
  for (size_t i = 0; i < job.size(); ++i) {
    const TBigSearchNode& node = job[i];
    if (node.hit_count <= 0) continue;
    const char* root = node.module.kind == ModuleKind::kBible  ? "Bibles"
                       : node.module.kind == ModuleKind::kBook ? "Books"
                                                               : "Commentaries";
    auto it = std::find_if(roots.begin(), roots.end(),
                           [root](const FullSearchTreeRoot& r) { return r.caption == root; });
    if (it == roots.end()) it = roots.insert(roots.end(), FullSearchTreeRoot{root, {}});
    it->modules.push_back(
        {node.module.Title() + " (" + std::to_string(node.hit_count) + ")", i});
  }
  return roots;
}

std::string FullSearchReference(const TLMBibleModule& kjv, int verse) {
  const TVerseLocation at = kjv.GetVerseLocation(verse);
  return kjv.GetLongBookTitle(at.book) + " " + std::to_string(at.chapter) + ":" +
         std::to_string(at.verse);
}

std::vector<std::string> FullSearchPageChooser(const TBigSearchNode& node,
                                               const std::vector<int>& results,
                                               const TLMBibleModule& kjv) {
  std::vector<std::string> items;
  const int count = static_cast<int>(results.size());
  for (int i = 0; i < count; i += kFullSearchPageSize) {
    const int j = std::min(i + kFullSearchPageSize - 1, count - 1);
    const int first = results[static_cast<size_t>(i)];
    const int last = results[static_cast<size_t>(j)];
    std::string item = std::to_string(i + 1) + " - " + std::to_string(j + 1) + " (";
    if (node.module.kind == ModuleKind::kBook) {
      const auto& titles = node.module.book->EntryTitles();
      item += titles[static_cast<size_t>(first)] + " - " + titles[static_cast<size_t>(last)];
    } else {
      item += FullSearchReference(kjv, first + 1) + " - " + FullSearchReference(kjv, last + 1);
    }
    items.push_back(item + ")");
  }
  return items;
}

FullSearchLink ResolveFullSearchLink(std::string_view href, const TBigSearchNode& node,
                                     const std::vector<int>& results) {
  FullSearchLink link;
  const std::optional<THref> parts = SplitHref(href);
  if (!parts) return link;
  const std::optional<int32_t> n = ParseLinkNumber(parts->data);
  if (!n) return link;
  if (parts->scheme == "loadview") {
    if (static_cast<size_t>(*n) >= results.size()) return link;
    link.kind = FullSearchLink::kShowPage;
    link.chooser_item = *n / kFullSearchPageSize;
    link.start = *n;
    return link;
  }
  if (parts->scheme != "loadentry") return link;
  // The page writes verse index item + 1 for Bibles and Commentaries and the
  // entry number for Books; only items of this module's results are opened.
  const int item = node.module.kind == ModuleKind::kBook ? *n : *n - 1;
  if (!std::binary_search(results.begin(), results.end(), item)) return link;
  switch (node.module.kind) {
    case ModuleKind::kBible:
      if (!IsUsableVerse(*node.module.bible, *n)) return link;
      link.kind = FullSearchLink::kOpenVerse;
      link.target = *n;
      break;
    case ModuleKind::kCommentary:
      if (!IsUsableCommentaryPosition(item)) return link;
      link.kind = FullSearchLink::kOpenComment;
      link.target = item;
      break;
    case ModuleKind::kBook:
      if (!IsUsableEntryNumber(item, node.module.book->EntryTitles().size())) return link;
      link.kind = FullSearchLink::kOpenEntry;
      link.target = item;
      break;
  }
  return link;
}

}  // namespace lumora
