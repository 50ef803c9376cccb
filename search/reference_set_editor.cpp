#include "search/reference_set_editor.h"

#include <algorithm>

#include "core/catalogue/module_catalogue.h"
#include "core/text/comma_text.h"
#include "core/text/cp1252.h"
#include "search/full_search_job.h"

namespace lumora {

namespace {

bool IsNameBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool RefSetNameLess(const config::ReferenceSet& a, const config::ReferenceSet& b) {
  return cp1252::CompareNoCase(a.name, b.name) < 0;
}

void AddRefSetRoot(std::vector<RefSetNode>& nodes, const char* caption, const char* token,
                   const std::vector<std::string>& titles, bool none_loaded_caption) {
  const int root = static_cast<int>(nodes.size());
  std::string text = caption;
  if (none_loaded_caption && titles.empty()) text += kRefSetNoneLoadedSuffix;
  nodes.push_back({std::move(text), token, -1, RefSetCheck::kUnchecked});
  for (const std::string& title : titles)
    nodes.push_back({title, title, root, RefSetCheck::kUnchecked});
}

std::vector<RefSetNode> BuildRefSetTree(const RefSetResources& r) {
  std::vector<RefSetNode> nodes;
  AddRefSetRoot(nodes, kRefSetBiblesRoot, kSetBiblesToken, r.bibles, false);
  AddRefSetRoot(nodes, kRefSetBooksRoot, kSetBooksToken, r.books, true);
  AddRefSetRoot(nodes, kRefSetCommentariesRoot, kSetCommentariesToken, r.commentaries, true);
  return nodes;
}

}  // namespace

RefSetResources RefSetResourcesOf(const TModuleCatalogue& catalogue) {
  RefSetResources r;
  for (const auto& bible : catalogue.Bibles())
    if (!bible->IsStrongsLinks()) r.bibles.push_back(bible->GetTitle());
  for (const auto& book : catalogue.Books()) r.books.push_back(book->GetTitle());
  for (const auto& c : catalogue.Commentaries()) r.commentaries.push_back(c->GetTitle());
  for (const auto& entry : catalogue.NamesInUse().Entries()) r.names_in_use.push_back(entry.name);
  return r;
}

const char* RefSetNameMessage(RefSetNameProblem problem) {
  switch (problem) {
    case RefSetNameProblem::kBlank:
      return kRefSetNameBlankMessage;
    case RefSetNameProblem::kNotStorable:
      return kRefSetNameNotStorableMessage;
    case RefSetNameProblem::kInUse:
      return kRefSetNameInUseMessage;
    case RefSetNameProblem::kNone:
      break;
  }
  return "";
}

std::string DeleteRefSetQuestion(std::string_view name) {
  return std::string(kDeleteRefSetQuestionStart) + std::string(name) + kDeleteRefSetQuestionEnd;
}

void ReferenceSetEditor::Open(const RefSetResources& resources,
                              std::vector<config::ReferenceSet> sets) {
  nodes_ = BuildRefSetTree(resources);
  names_in_use_ = resources.names_in_use;
  sets_ = std::move(sets);
  std::stable_sort(sets_.begin(), sets_.end(), RefSetNameLess);
  current_ = sets_.empty() ? -1 : 0;
  Show();
}

void ReferenceSetEditor::Rebuild(const RefSetResources& resources) {
  StoreTree();
  nodes_ = BuildRefSetTree(resources);
  names_in_use_ = resources.names_in_use;
  Show();
}

std::string ReferenceSetEditor::CurrentName() const {
  return current_ >= 0 ? sets_[static_cast<size_t>(current_)].name : std::string();
}

void ReferenceSetEditor::CheckNode(size_t node, bool checked) {
  const RefSetCheck state = checked ? RefSetCheck::kChecked : RefSetCheck::kUnchecked;
  std::vector<size_t> titles;
  if (nodes_[node].root < 0) {
    nodes_[node].check = state;
    for (size_t i = 0; i < nodes_.size(); ++i)
      if (nodes_[i].root == static_cast<int>(node)) titles.push_back(i);
  } else {
    titles.push_back(node);
  }
  // Modules sharing a title share the member: their nodes go together, or
  // storing them in tree order would undo one with the other.
  for (size_t t : titles) {
    const std::string member = nodes_[t].member;
    for (RefSetNode& n : nodes_)
      if (n.root >= 0 && cp1252::EqualNoCase(n.member, member)) n.check = state;
  }
}

void ReferenceSetEditor::UpdateRoots() {
  for (size_t r = 0; r < nodes_.size(); ++r) {
    if (nodes_[r].root >= 0) continue;
    size_t children = 0, checked = 0;
    for (const RefSetNode& n : nodes_) {
      if (n.root != static_cast<int>(r)) continue;
      ++children;
      if (n.check == RefSetCheck::kChecked) ++checked;
    }
    if (children == 0) continue;  // "(none loaded)" keeps its own state
    nodes_[r].check = checked == children ? RefSetCheck::kChecked
                      : checked == 0      ? RefSetCheck::kUnchecked
                                          : RefSetCheck::kPartial;
  }
}

void ReferenceSetEditor::SetChecked(size_t node, bool checked) {
  if (node >= nodes_.size() || current_ < 0) return;
  CheckNode(node, checked);
  UpdateRoots();
  info_.clear();
}

void ReferenceSetEditor::Show() {
  info_ = sets_.empty() ? kNoRefSetsText : "";
  for (RefSetNode& n : nodes_) n.check = RefSetCheck::kUnchecked;
  if (current_ < 0) return;
  const config::ReferenceSet& set = sets_[static_cast<size_t>(current_)];
  for (size_t i = nodes_.size(); i-- > 0;)
    if (nodes_[i].check != RefSetCheck::kChecked && ReferenceSetContains(set, nodes_[i].member))
      CheckNode(i, true);
  UpdateRoots();
}

void ReferenceSetEditor::StoreTree() {
  if (current_ < 0) return;
  std::vector<std::string>& members = sets_[static_cast<size_t>(current_)].members;
  for (const RefSetNode& n : nodes_) {
    if (n.check == RefSetCheck::kChecked)
      (void)InsertSortedNoCase(members, n.member);
    else
      std::erase_if(members,
                    [&n](const std::string& m) { return cp1252::EqualNoCase(m, n.member); });
  }
}

void ReferenceSetEditor::Select(int index) {
  StoreTree();
  current_ = index >= 0 && static_cast<size_t>(index) < sets_.size() ? index : -1;
  Show();
}

std::string ReferenceSetEditor::DefaultNewName() const {
  return "Reference Set " + std::to_string(sets_.size() + 1);
}

std::string ReferenceSetEditor::TrimmedName(std::string_view name) {
  while (!name.empty() && IsNameBlank(name.front())) name.remove_prefix(1);
  while (!name.empty() && IsNameBlank(name.back())) name.remove_suffix(1);
  return std::string(name);
}

RefSetNameProblem ReferenceSetEditor::CheckNewName(std::string_view typed, bool storable) const {
  const std::string name = TrimmedName(typed);
  if (name.empty()) return RefSetNameProblem::kBlank;
  if (!storable) return RefSetNameProblem::kNotStorable;
  const auto same = [&name](const std::string& other) { return cp1252::EqualNoCase(other, name); };
  if (std::any_of(sets_.begin(), sets_.end(),
                  [&same](const config::ReferenceSet& s) { return same(s.name); }) ||
      std::any_of(names_in_use_.begin(), names_in_use_.end(), same))
    return RefSetNameProblem::kInUse;
  return RefSetNameProblem::kNone;
}

int ReferenceSetEditor::AddSet(std::string_view typed) {
  StoreTree();
  config::ReferenceSet set{TrimmedName(typed), {}};
  const auto at = std::upper_bound(sets_.begin(), sets_.end(), set, RefSetNameLess);
  const auto inserted = sets_.insert(at, std::move(set));
  current_ = static_cast<int>(inserted - sets_.begin());
  Show();
  info_ = kNewRefSetText;
  return current_;
}

void ReferenceSetEditor::DeleteCurrent() {
  if (current_ < 0) return;
  sets_.erase(sets_.begin() + current_);
  current_ = sets_.empty() ? -1 : 0;
  Show();
}

}  // namespace lumora
