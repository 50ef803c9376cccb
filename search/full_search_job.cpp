#include "search/full_search_job.h"

#include <algorithm>

#include "core/text/cp1252.h"
#include "search/full_search_texts.h"

namespace lumora {

TBigSearchNode::TBigSearchNode(ModuleRef m)
    : module(m),
      hits(static_cast<size_t>(m.ItemCount()), false),
      positions(static_cast<size_t>(m.ItemCount()), 0) {}

void TBigSearchNode::RecordHit(int item, int32_t position) {
  if (item < 0 || static_cast<size_t>(item) >= hits.size() || hits[static_cast<size_t>(item)])
    return;
  hits[static_cast<size_t>(item)] = true;
  positions[static_cast<size_t>(item)] = position;
  ++hit_count;
}

std::vector<int> TBigSearchNode::HitList() const {
  std::vector<int> list;
  list.reserve(static_cast<size_t>(hit_count));
  for (size_t i = 0; i < hits.size(); ++i)
    if (hits[i]) list.push_back(static_cast<int>(i));
  return list;
}

std::vector<std::string> FullSearchSetList(const std::vector<config::ReferenceSet>& sets) {
  std::vector<std::string> list = {"All Bibles, Books, and Commentaries",
                                   "All Books and Commentaries", "All Bibles", "All Books",
                                   "All Commentaries"};
  for (const config::ReferenceSet& set : sets) list.push_back(set.name);
  return list;
}

int SetListIndexOf(const std::vector<config::ReferenceSet>& sets, std::string_view name) {
  for (size_t i = 0; i < sets.size(); ++i)
    if (cp1252::EqualNoCase(sets[i].name, name)) return kFixedSetCount + static_cast<int>(i);
  return -1;
}

std::vector<ModuleRef> SingleModuleList(const TModuleCatalogue& catalogue) {
  std::vector<ModuleRef> list;
  for (const auto& bible : catalogue.Bibles())
    if (!bible->IsStrongsLinks()) list.push_back(ModuleRef::Of(*bible));
  for (const auto& book : catalogue.Books()) list.push_back(ModuleRef::Of(*book));
  for (const auto& c : catalogue.Commentaries()) list.push_back(ModuleRef::Of(*c));
  std::stable_sort(list.begin(), list.end(), [](const ModuleRef& a, const ModuleRef& b) {
    return cp1252::CompareNoCase(a.Title(), b.Title()) < 0;
  });
  return list;
}

int ChooseListIndex(int previous, int stored, size_t count) {
  const int index = previous >= 0 ? previous : stored;
  return index >= 0 && static_cast<size_t>(index) < count ? index : 0;
}

bool ReferenceSetContains(const config::ReferenceSet& set, std::string_view member) {
  return std::any_of(set.members.begin(), set.members.end(),
                     [member](const std::string& m) { return cp1252::EqualNoCase(m, member); });
}

namespace {

// Adds the modules of one kind that `take` accepts, in catalogue order.
template <typename List, typename Take>
void AddModules(const List& modules, TBigSearchArray& job, Take&& take) {
  for (const auto& m : modules)
    if (take(*m)) job.emplace_back(ModuleRef::Of(*m));
}

bool NotTwin(const TLMBibleModule& bible) { return !bible.IsStrongsLinks(); }

}  // namespace

Result<TBigSearchArray> BuildSetJob(const TModuleCatalogue& catalogue, int choice,
                                    const std::vector<config::ReferenceSet>& sets) {
  TBigSearchArray job;
  const auto all = [](const auto&) { return true; };
  const bool bibles = choice == kSetEverything || choice == kSetAllBibles;
  const bool books = choice == kSetEverything || choice == kSetBooksAndCommentaries ||
                     choice == kSetAllBooks;
  const bool commentaries = choice == kSetEverything || choice == kSetBooksAndCommentaries ||
                            choice == kSetAllCommentaries;
  if (choice >= 0 && choice < kFixedSetCount) {
    if (bibles) AddModules(catalogue.Bibles(), job, NotTwin);
    if (books) AddModules(catalogue.Books(), job, all);
    if (commentaries) AddModules(catalogue.Commentaries(), job, all);
  } else {
    const size_t k = static_cast<size_t>(choice) - kFixedSetCount;
    if (choice < 0 || k >= sets.size())
      return Status::Error(ErrorKind::kNotFound, kFullSearchNoSetMessage);
    const config::ReferenceSet& set = sets[k];
    const bool every_bible = ReferenceSetContains(set, kSetBiblesToken);
    const bool every_book = ReferenceSetContains(set, kSetBooksToken);
    const bool every_commentary = ReferenceSetContains(set, kSetCommentariesToken);
    AddModules(catalogue.Bibles(), job, [&](const TLMBibleModule& b) {
      return NotTwin(b) && (every_bible || ReferenceSetContains(set, b.GetTitle()));
    });
    AddModules(catalogue.Books(), job, [&](const TLMDictionaryModule& b) {
      return every_book || ReferenceSetContains(set, b.GetTitle());
    });
    AddModules(catalogue.Commentaries(), job, [&](const TLMCommentaryModule& c) {
      return every_commentary || ReferenceSetContains(set, c.GetTitle());
    });
  }
  if (job.empty()) return Status::Error(ErrorKind::kInvalidArgument, kFullSearchNoModulesMessage);
  return job;
}

TBigSearchArray BuildSingleModuleJob(ModuleRef module) {
  TBigSearchArray job;
  job.emplace_back(module);
  return job;
}

}  // namespace lumora
