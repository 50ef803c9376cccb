#include "search/topic_guide.h"

#include <algorithm>

#include "core/refs/reference_format.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "render/verse_list.h"
#include "search/search_text_trim.h"

namespace lumora {

std::string TopicGuideResult::StatusText() const {
  if (hits.empty()) return kTopicGuideNoMatches;
  return std::to_string(hits.size()) + " matches. Click on an item to load in viewer.";
}

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string Reference(const TLMBibleModule& kjv, int verse) {
  const TVerseLocation at = kjv.GetVerseLocation(verse);
  return kjv.GetLongBookTitle(at.book) + " " + std::to_string(at.chapter) + ":" +
         std::to_string(at.verse);
}

// One search in progress: the result, the title groups and the status
// reporter.
class Build {
 public:
  Build(const TModuleCatalogue& catalogue, const TopicGuideStatus& status)
      : catalogue_(catalogue), status_(status) {}

  void VerseMode(int first, int last);
  void TopicMode(const std::string& text);
  TopicGuideResult Finish(const std::string& text);

 private:
  struct Group {
    std::string title;
    std::vector<int> hits;
  };

  void Say(const std::string& text) const {
    if (status_) status_(text);
  }
  int AddHit(TopicGuideHit hit) {
    result_.hits.push_back(hit);
    return static_cast<int>(result_.hits.size()) - 1;
  }
  // The root captioned `caption`, added at the end when missing.
  TopicGuideNode& Root(const std::string& caption) {
    for (TopicGuideNode& r : result_.roots)
      if (r.caption == caption) return r;
    result_.roots.push_back({caption, -1, {}});
    return result_.roots.back();
  }
  void AddToGroup(const std::string& title, int hit);

  void Bibles(int first, const std::string& r);
  void CommentariesOn(int first, int last, const std::string& r);
  void CommentariesReferencing(int first, int last, const std::string& r);
  void BooksReferencing(int first, int last);

  const TModuleCatalogue& catalogue_;
  const TopicGuideStatus& status_;
  TopicGuideResult result_;
  std::vector<Group> groups_;  // sorted by CompareNoCase
};

void Build::AddToGroup(const std::string& title, int hit) {
  auto it = std::lower_bound(groups_.begin(), groups_.end(), title,
                             [](const Group& g, const std::string& t) {
                               return cp1252::CompareNoCase(g.title, t) < 0;
                             });
  if (it == groups_.end() || cp1252::CompareNoCase(it->title, title) != 0)
    it = groups_.insert(it, Group{title, {}});
  it->hits.push_back(hit);
}

void Build::VerseMode(int first, int last) {
  const TLMBibleModule& kjv = *catalogue_.KjvBible();
  if (first > last) std::swap(first, last);
  result_.verse_mode = true;
  result_.reference = FormatRange(kjv, first, last, BookTitleKind::kShort);
  const std::string& r = result_.reference;
  Bibles(first, r);
  CommentariesOn(first, last, r);
  CommentariesReferencing(first, last, r);
  BooksReferencing(first, last);
}

void Build::Bibles(int first, const std::string& r) {
  TopicGuideNode& root = Root("BIBLES for " + r);
  for (const auto& bible : catalogue_.Bibles()) {
    const std::string text = TrimSearchText(bible->GetVerseText(first, false, true));
    if (text.empty() || text == "-") continue;
    const int hit = AddHit({ModuleRef::Of(*bible), first, 0, 0});
    root.children.push_back({bible->GetTitle(), hit, {}});
  }
}

void Build::CommentariesOn(int first, int last, const std::string& r) {
  const TLMBibleModule& kjv = *catalogue_.KjvBible();
  const std::string caption = "Commentaries ON " + r;
  for (const auto& c : catalogue_.Commentaries()) {
    for (int v = first; v <= last; ++v) {
      if (!c->HasEntry(v - 1)) continue;
      const int hit = AddHit({ModuleRef::Of(*c), v - 1, 0, 0});
      const std::string child =
          first == last ? c->GetTitle() : c->GetTitle() + " - " + Reference(kjv, v);
      Root(caption).children.push_back({child, hit, {}});
    }
  }
}

void Build::CommentariesReferencing(int first, int last, const std::string& r) {
  const TLMBibleModule& kjv = *catalogue_.KjvBible();
  const std::string caption = "Commentaries REFERENCING " + r;
  std::vector<bool> referring(kVerseCount);
  for (const auto& c : catalogue_.Commentaries()) {
    Say("Searching " + c->GetAbbreviation());
    std::fill(referring.begin(), referring.end(), false);
    bool any = false;
    for (int v = first; v <= last; ++v)
      for (const uint16_t slot : c->GetVerseEntries(v - 1))
        if (IsUsableCommentaryPosition(slot)) {
          referring[slot] = true;
          any = true;
        }
    if (!any) continue;
    TopicGuideNode* module_node = nullptr;
    for (int slot = 0; slot < kVerseCount; ++slot) {
      if (!referring[static_cast<size_t>(slot)]) continue;
      TopicGuideNode& root = Root(caption);
      if (module_node == nullptr) {
        root.children.push_back({c->GetTitle(), -1, {}});
        module_node = &root.children.back();
      }
      const int hit = AddHit({ModuleRef::Of(*c), slot, static_cast<uint16_t>(first),
                              static_cast<uint16_t>(last)});
      module_node->children.push_back({Reference(kjv, slot + 1), hit, {}});
    }
  }
}

void Build::BooksReferencing(int first, int last) {
  for (const auto& book : catalogue_.Books()) {
    const std::vector<std::string>& titles = book->EntryTitles();
    std::vector<bool> taken(titles.size());
    for (int v = first; v <= last; ++v) {
      if (!book->HasVerseEntries(v - 1)) continue;
      Say("Searching " + book->GetAbbreviation());
      for (const uint16_t entry : book->GetVerseEntries(v - 1)) {
        if (!IsUsableEntryNumber(entry, titles.size()) || taken[entry]) continue;
        taken[entry] = true;
        const int hit = AddHit({ModuleRef::Of(*book), entry, static_cast<uint16_t>(first),
                                static_cast<uint16_t>(last)});
        std::string group = titles[entry];
        std::replace(group.begin(), group.end(), '-', ' ');
        AddToGroup(group, hit);
      }
    }
  }
}

void Build::TopicMode(const std::string& text) {
  for (const auto& book : catalogue_.Books()) {
    Say("Searching " + book->GetAbbreviation());
    const std::vector<std::string>& titles = book->EntryTitles();
    for (size_t entry = 0; entry < titles.size(); ++entry) {
      std::string title = titles[entry];
      std::erase(title, '-');
      const std::string lower = cp1252::LowerAscii(title);
      // A rejected occurrence (inside a longer word) lets the search go on
      // from the next position.
      bool match = false;
      for (size_t at = lower.find(text); at != std::string::npos; at = lower.find(text, at + 1)) {
        const size_t end = at + text.size();
        if ((at == 0 || !IsAsciiLetter(lower[at - 1])) &&
            (end >= lower.size() || !IsAsciiLetter(lower[end]))) {
          match = true;
          break;
        }
      }
      if (!match) continue;
      AddToGroup(title, AddHit({ModuleRef::Of(*book), static_cast<int32_t>(entry), 0, 0}));
    }
  }
}

TopicGuideResult Build::Finish(const std::string& text) {
  Say(kTopicGuideBuildingTree);
  for (const Group& g : groups_) {
    TopicGuideNode root{UpperAscii(g.title), -1, {}};
    for (const int hit : g.hits)
      root.children.push_back({result_.hits[static_cast<size_t>(hit)].module.Title(), hit, {}});
    if (result_.selected_root < 0 && cp1252::LowerAscii(g.title) == text)
      result_.selected_root = static_cast<int>(result_.roots.size());
    result_.roots.push_back(std::move(root));
  }
  Say(result_.StatusText());
  return std::move(result_);
}

}  // namespace

TopicGuide::TopicGuide(const TModuleCatalogue& catalogue) : catalogue_(catalogue) {}
TopicGuide::~TopicGuide() = default;

bool TopicGuide::LooksLikeReference(std::string_view text) {
  bool letter = false, digit = false, space = false;
  for (const char c : text) {
    letter = letter || IsAsciiLetter(c);
    digit = digit || (c >= '0' && c <= '9');
    space = space || c == ' ';
  }
  return letter && digit && space;
}

const ReferenceParser* TopicGuide::Parser() const {
  if (!parser_ && catalogue_.KjvBible() != nullptr)
    parser_ = std::make_unique<ReferenceParser>(*catalogue_.KjvBible());
  return parser_.get();
}

Result<TopicGuideResult> TopicGuide::Search(std::string_view typed,
                                            const TopicGuideStatus& status) const {
  const std::string text = cp1252::LowerAscii(TrimSearchText(typed));
  if (text.empty()) return Status::Error(ErrorKind::kInvalidArgument, kTopicGuideEmptyMessage);
  if (status) status(kTopicGuideSearching);
  Build build(catalogue_, status);
  const ReferenceParser* parser = LooksLikeReference(text) ? Parser() : nullptr;
  const ParsedReferences parsed = parser ? parser->Parse(text) : ParsedReferences{};
  if (!parsed.ranges.empty() && IsVerseIndex(parsed.ranges[0].first) &&
      IsVerseIndex(parsed.ranges[0].last))
    build.VerseMode(parsed.ranges[0].first, parsed.ranges[0].last);
  else
    build.TopicMode(text);
  return build.Finish(text);
}

}  // namespace lumora
