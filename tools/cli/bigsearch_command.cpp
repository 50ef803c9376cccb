#include "tools/cli/bigsearch_command.h"

#include <optional>

#include "core/text/cp1252.h"
#include "search/full_search_page.h"
#include "search/full_search_results.h"
#include "search/full_search_scan.h"
#include "search/full_search_texts.h"
#include "search/search_text_trim.h"
#include "search/topic_guide.h"

namespace lumora::cli {
namespace {

std::string Utf8(const std::string& text) { return cp1252::ToUtf8(text); }

// One line per module and one per damaged module on the error stream.
class TerminalProgress : public FullSearchObserver {
 public:
  explicit TerminalProgress(std::ostream& err) : err_(err) {}
  void OnProgress(const FullSearchProgress& p) override {
    if (p.module_title == module_) return;
    module_ = p.module_title;
    err_ << "Searching: " << Utf8(module_) << "  (" << p.position << "/" << p.maximum
         << ")  Found: " << p.found << '\n';
  }
  void OnModuleDamaged(const std::string& title, const std::string& message) override {
    err_ << "damaged record in " << Utf8(title) << ": " << Utf8(message) << '\n';
  }

 private:
  std::ostream& err_;
  std::string module_;
};

// A module named by abbreviation (Bibles: not a twin) or title.
std::optional<ModuleRef> FindModule(const TModuleCatalogue& c, const std::string& name) {
  for (const auto& b : c.Bibles())
    if (!b->IsStrongsLinks() &&
        (cp1252::EqualNoCase(b->GetAbbreviation(), name) || cp1252::EqualNoCase(b->GetTitle(), name)))
      return ModuleRef::Of(*b);
  if (auto* b = c.BooksByAbbreviation().Find(name)) return ModuleRef::Of(*b);
  if (auto* b = c.BooksByTitle().Find(name)) return ModuleRef::Of(*b);
  if (auto* m = c.CommentariesByAbbreviation().Find(name)) return ModuleRef::Of(*m);
  if (auto* m = c.CommentariesByTitle().Find(name)) return ModuleRef::Of(*m);
  return std::nullopt;
}

Result<TBigSearchArray> BuildJob(const TModuleCatalogue& c, const std::vector<std::string>& set) {
  static const std::pair<const char*, int> kFixed[] = {
      {"all", kSetEverything}, {"books", kSetAllBooks}, {"bibles", kSetAllBibles},
      {"commentaries", kSetAllCommentaries}};
  if (set.empty()) return BuildSetJob(c, kSetEverything, {});
  if (set.size() == 1)
    for (const auto& [name, choice] : kFixed)
      if (set[0] == name) return BuildSetJob(c, choice, {});
  config::ReferenceSet ad_hoc{"command line", {}};
  for (const std::string& name : set) {
    const std::optional<ModuleRef> m = FindModule(c, cp1252::FromUtf8(name));
    if (!m) return Status::Error(ErrorKind::kNotFound, "no module " + name);
    if (set.size() == 1) return BuildSingleModuleJob(*m);
    ad_hoc.members.push_back(m->Title());
  }
  return BuildSetJob(c, kFixedSetCount, {ad_hoc});
}

}  // namespace

int RunBigSearchCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                        std::ostream& out, std::ostream& err) {
  std::string typed;
  std::vector<std::string> set;
  bool case_sensitive = false, substring = true, in_set = false;
  for (const std::string& a : options.arguments) {
    if (a == "--set") {
      in_set = true;
    } else if (a == "--case") {
      case_sensitive = true;
      in_set = false;
    } else if (a == "--no-substring") {
      substring = false;
      in_set = false;
    } else if (a.starts_with("--")) {
      err << "lumora-cli: unknown bigsearch option " << a << '\n';
      return 2;
    } else if (in_set) {
      set.push_back(a);
    } else {
      typed += (typed.empty() ? "" : " ") + a;
    }
  }
  const std::string text = TrimSearchText(cp1252::FromUtf8(typed));
  if (text.empty()) {
    err << kFullSearchEnterTextMessage << '\n';
    return 2;
  }
  Result<TBigSearchArray> job = BuildJob(catalogue, set);
  if (!job.ok()) {
    err << job.status().message() << '\n';
    return 1;
  }
  Result<FullSearchMatcher> matcher = FullSearchMatcher::Create(text, case_sensitive, substring);
  if (!matcher.ok()) {
    err << matcher.status().message() << '\n';
    return 1;
  }
  TerminalProgress progress(err);
  const FullSearchOutcome outcome =
      RunFullSearch(*job, *matcher, *catalogue.KjvBible(), &progress);
  const std::vector<FullSearchTreeRoot> tree = BuildFullSearchTree(*job);
  for (const FullSearchTreeRoot& root : tree) {
    out << root.caption << '\n';
    for (const FullSearchTreeModule& m : root.modules) out << "  " << Utf8(m.caption) << '\n';
  }
  out << FullSearchFoundText(outcome.found) << '\n';
  if (tree.empty()) {
    out << kFullSearchNoMatches << '\n';
    return 0;
  }
  const TBigSearchNode& first = (*job)[tree[0].modules[0].node];
  const std::vector<int> results = first.HitList();
  FullSearchPageRequest page;
  page.node = &first;
  page.results = &results;
  page.search_text = text;
  page.case_sensitive = case_sensitive;
  page.kjv = catalogue.KjvBible();
  out << '\n';
  for (const std::string& item : FullSearchPageChooser(first, results, *catalogue.KjvBible()))
    out << Utf8(item) << '\n';
  out << '\n' << Utf8(FullSearchPageHtml(page)) << '\n';
  return 0;
}

namespace {

std::string Target(const TopicGuideHit& hit) {
  const std::string abbreviation = Utf8(hit.module.Abbreviation());
  switch (hit.module.kind) {
    case ModuleKind::kBible: return "Bible " + abbreviation + " verse " + std::to_string(hit.item);
    case ModuleKind::kCommentary:
      return "Commentary " + abbreviation + " slot " + std::to_string(hit.item);
    case ModuleKind::kBook: return "Book " + abbreviation + " entry " + std::to_string(hit.item);
  }
  return {};
}

void PrintNode(const TopicGuideNode& node, const TopicGuideResult& r, int depth,
               std::ostream& out) {
  out << std::string(static_cast<size_t>(depth) * 2, ' ') << Utf8(node.caption);
  if (node.hit >= 0) {
    const TopicGuideHit& hit = r.hits[static_cast<size_t>(node.hit)];
    out << "\t[" << Target(hit);
    if (hit.first_verse != 0) out << ", marks " << hit.first_verse << "-" << hit.last_verse;
    out << "]";
  }
  out << '\n';
  for (const TopicGuideNode& child : node.children) PrintNode(child, r, depth + 1, out);
}

}  // namespace

int RunGuideCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                    std::ostream& out, std::ostream& err) {
  std::string typed;
  for (const std::string& a : options.arguments) typed += (typed.empty() ? "" : " ") + a;
  const TopicGuide guide(catalogue);
  Result<TopicGuideResult> result = guide.Search(cp1252::FromUtf8(typed), [&](const std::string& s) {
    if (options.verbose) err << Utf8(s) << '\n';
  });
  if (!result.ok()) {
    err << result.status().message() << '\n';
    return 2;
  }
  if (result->verse_mode) out << "reference: " << Utf8(result->reference) << '\n';
  for (size_t i = 0; i < result->roots.size(); ++i) {
    if (static_cast<int>(i) == result->selected_root) out << "(selected) ";
    PrintNode(result->roots[i], *result, 0, out);
  }
  out << Utf8(result->StatusText()) << '\n';
  return 0;
}

}  // namespace lumora::cli
