#include "tools/cli/search_command.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "config/view_properties.h"
#include "core/refs/reference_format.h"
#include "core/refs/reference_parser.h"
#include "core/text/cp1252.h"
#include "render/passage_renderer.h"
#include "search/bible_search.h"
#include "search/bible_search_text.h"
#include "search/find_in_resource.h"
#include "search/search_range.h"
#include "tools/cli/module_lookup.h"

namespace lumora::cli {
namespace {

struct Flags {
  std::vector<std::string> positional;
  std::optional<std::string> type, range, from;
  bool case_sensitive = false, substring = false, no_footnotes = false, html = false;
};

// Splits the command's arguments; false (and a message) on an unknown
// option or a value option without its value.
bool ReadFlags(const std::vector<std::string>& args, Flags& f, std::ostream& err) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::optional<std::string>* value = a == "--type"    ? &f.type
                                        : a == "--range" ? &f.range
                                        : a == "--from"  ? &f.from
                                                         : nullptr;
    if (value != nullptr) {
      if (i + 1 >= args.size()) {
        err << "lumora-cli: " << a << " needs a value\n";
        return false;
      }
      *value = args[++i];
    } else if (a == "--case") {
      f.case_sensitive = true;
    } else if (a == "--substring") {
      f.substring = true;
    } else if (a == "--no-footnotes") {
      f.no_footnotes = true;
    } else if (a == "--html") {
      f.html = true;
    } else if (a.rfind("--", 0) == 0) {
      err << "lumora-cli: unknown option " << a << '\n';
      return false;
    } else {
      f.positional.push_back(a);
    }
  }
  return true;
}

std::string VisibleKey(const std::string& key) {
  if (!key.empty() && (key[0] == '\x02' || key[0] == '\x03'))
    return (key[0] == '\x02' ? "<H" : "<G") + key.substr(1) + ">";
  return cp1252::ToUtf8(key);
}

std::string Reference(const TLMBibleModule& bible, int verse) {
  return cp1252::ToUtf8(FormatRange(bible, verse, verse, BookTitleKind::kLong));
}

// The first page of the verse list, as the verse list view renders it.
std::string FirstPageHtml(const TModuleCatalogue& c, const TLMBibleModule& bible,
                          const BibleSearchResult& result, bool case_sensitive, bool footnotes) {
  TPassageRenderer renderer;
  renderer.SetBible(&bible);
  config::TPropertiesBibleView settings = config::VerseListViewDefaults();
  if (footnotes) settings.show_footnotes = true;  // hits inside notes can be seen
  renderer.SetSettings(settings);
  renderer.SetStrongsData(c.StrongsData());
  renderer.SetLinkedCommentaries(c.Commentaries());
  renderer.SetLinkedBooks(c.Books());
  renderer.SetPaged(true);
  renderer.SetPageFirst(0);
  renderer.ShowVerses(result.verses, result.keys, case_sensitive, true);
  return cp1252::ToUtf8(renderer.Html());
}

}  // namespace

int RunSearchCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                     std::ostream& out, std::ostream& err) {
  Flags f;
  if (!ReadFlags(options.arguments, f, err)) return 2;
  if (f.positional.size() != 2) {
    err << kUsage;
    return 2;
  }
  const TLMBibleModule* bible = FindBible(catalogue, f.positional[0]);
  if (bible == nullptr) {
    err << "lumora-cli: no Bible abbreviated " << f.positional[0] << '\n';
    return 2;
  }
  BibleSearchRequest request;
  request.bible = bible;
  const std::vector<std::string> types = {"all", "any", "one", "phrase"};
  if (f.type) {
    const auto it = std::find(types.begin(), types.end(), *f.type);
    if (it == types.end()) {
      err << "lumora-cli: --type is all, any, one or phrase\n";
      return 2;
    }
    request.type = static_cast<int>(it - types.begin());
  }
  const TLMBibleModule& kjv = *catalogue.KjvBible();
  SearchRange range = WholeBibleRange(kjv);
  if (f.range) {
    const ParsedReferences parsed = ParseReferences(cp1252::FromUtf8(*f.range), kjv);
    if (parsed.ranges.empty()) {
      err << "Unrecognized reference.\n";
      return 2;
    }
    range = {parsed.ranges.front().first, parsed.ranges.back().last};
  }
  range = ClampSearchRange(range, kjv);
  const std::string typed = cp1252::FromUtf8(f.positional[1]);
  if (IsBlankSearchText(typed)) {
    err << kNoSearchWordsMessage << '\n';
    return 1;
  }
  request.text = CleanSearchText(typed);
  request.first_verse = range.first;
  request.last_verse = range.last;
  request.include_footnotes = !f.no_footnotes;
  request.case_sensitive = f.case_sensitive;
  request.substring = f.substring;
  const BibleSearchResult result = RunBibleSearch(request);

  out << "verses\t" << result.verses.size() << '\n';
  if (f.html) {
    out << FirstPageHtml(catalogue, *bible, result, f.case_sensitive, !f.no_footnotes) << '\n';
  } else {
    for (const uint16_t v : result.verses) out << v << '\t' << Reference(*bible, v) << '\n';
    for (const std::string& key : result.keys) out << "key\t" << VisibleKey(key) << '\n';
  }
  if (result.verses.empty()) {
    err << kNoVersesFoundMessage << '\n';
    return 1;
  }
  return 0;
}

int RunFindCommand(const TModuleCatalogue& catalogue, const CliOptions& options, std::ostream& out,
                   std::ostream& err) {
  Flags f;
  if (!ReadFlags(options.arguments, f, err)) return 2;
  if (f.positional.size() != 2) {
    err << kUsage;
    return 2;
  }
  const std::string& name = f.positional[0];
  const TLMDictionaryModule* book = catalogue.BooksByAbbreviation().Find(name);
  if (book == nullptr) book = catalogue.BooksByTitle().Find(name);
  const TLMCommentaryModule* commentary = nullptr;
  if (book == nullptr) {
    commentary = catalogue.CommentariesByAbbreviation().Find(name);
    if (commentary == nullptr) commentary = catalogue.CommentariesByTitle().Find(name);
  }
  if (book == nullptr && commentary == nullptr) {
    err << "lumora-cli: no Book or Commentary named " << name << '\n';
    return 2;
  }
  // The current item: an entry number, or a verse index turned into its slot.
  FindStart how = FindStart::kFirst;
  int current = -1;
  if (f.from) {
    const std::string& n = *f.from;
    if (n.empty() || n.size() > 6 || n.find_first_not_of("0123456789") != std::string::npos) {
      err << "lumora-cli: --from needs an entry number or verse index\n";
      return 2;
    }
    how = FindStart::kNext;
    current = std::stoi(n) - (commentary != nullptr ? 1 : 0);
  }
  const auto text = PrepareFindText(cp1252::FromUtf8(f.positional[1]), f.case_sensitive);
  if (!text) {
    err << kNoSearchWordsMessage << '\n';
    return 1;
  }
  const TLMBibleModule& kjv = *catalogue.KjvBible();
  int hits = 0;
  for (int start = FindStartItem(how, current);;) {
    const FindHit hit = book != nullptr
                            ? FindInBook(*book, kjv, *text, f.case_sensitive, start)
                            : FindInCommentary(*commentary, kjv, *text, f.case_sensitive, start);
    if (!hit.found()) break;
    ++hits;
    if (book != nullptr)
      out << "entry\t" << hit.item << '\t'
          << cp1252::ToUtf8(book->EntryTitles()[static_cast<size_t>(hit.item)]) << '\n';
    else
      out << "verse\t" << hit.item + 1 << '\t' << Reference(kjv, hit.item + 1) << '\n';
    start = hit.item + 1;
  }
  out << "hits\t" << hits << '\n';
  if (hits == 0) {
    if (AfterFailedPass(how, current) == FindNotFound::kAskFromBeginning)
      err << kFindAgainQuestion << '\n';
    else
      err << (book != nullptr ? kFindInBookNotFoundMessage : kFindInCommentaryNotFoundMessage)
          << '\n';
    return 1;
  }
  return 0;
}

}  // namespace lumora::cli
