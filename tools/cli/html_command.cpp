#include "tools/cli/html_command.h"

#include <cstdio>
#include <string>
#include <vector>

#include "config/view_properties.h"
#include "core/refs/paragraph_map.h"
#include "core/refs/reference_parser.h"
#include "core/text/cp1252.h"
#include "render/passage_renderer.h"
#include "tools/cli/module_lookup.h"

namespace lumora::cli {
namespace {

struct HtmlRequest {
  std::string mode;  // "chapter" or "list"
  std::string bible;
  std::string references;
  std::string compare;
  std::vector<std::string> keys;
  bool case_sensitive = false;
  int page = 1;
  bool list_only_option = false;  // --keys, --case or --page given
  config::TPropertiesBibleView settings;
  bool prev_link = false;
  bool next_link = false;
};

bool ParseCount(const std::string& s, int& out) {
  if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos)
    return false;
  out = std::stoi(s);
  return true;
}

// "H123" / "G123" is a Strong's token; anything else a word (lower-cased
// A-Z unless the list is case-sensitive, as the Bible search keeps them).
std::string KeyFrom(const std::string& typed, bool case_sensitive) {
  int number = 0;
  if (typed.size() >= 2 && (typed[0] == 'H' || typed[0] == 'h' || typed[0] == 'G' ||
                            typed[0] == 'g') &&
      ParseCount(typed.substr(1), number) && number <= 0xFFFF) {
    char token[8];
    std::snprintf(token, sizeof token, "%c$%04x", (typed[0] == 'H' || typed[0] == 'h') ? 2 : 3,
                  static_cast<unsigned>(number));
    return token;
  }
  const std::string key = cp1252::FromUtf8(typed);
  return case_sensitive ? key : cp1252::LowerAscii(key);
}

// Splits the arguments into the request; false on a usage error.
bool ParseRequest(const CliOptions& o, HtmlRequest& r, std::string& error) {
  const auto& a = o.arguments;
  r.mode = a.empty() ? "" : a[0];
  r.settings = r.mode == "list" ? config::VerseListViewDefaults() : config::TPropertiesBibleView{};
  if (o.footnotes) r.settings.show_footnotes = true;  // taken by the global option parser
  r.next_link = r.mode == "chapter";  // "IncChNext"; the verse list has none
  std::vector<std::string> positional;
  std::string typed_keys;
  for (size_t i = 1; i < a.size(); ++i) {
    const std::string& arg = a[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= a.size()) {
        error = arg + " needs a value";
        return false;
      }
      out = a[++i];
      return true;
    };
    struct Toggle {
      const char* name;
      bool* field;
    };
    config::TPropertiesBibleView& s = r.settings;
    const Toggle toggles[] = {{"column", &s.column_mode},
                              {"para", &s.para_mode},
                              {"footnotes", &s.show_footnotes},
                              {"commentary-links", &s.link_commentaries},
                              {"book-links", &s.link_dictionaries},
                              {"edit-links", &s.show_edit_links},
                              {"marks", &s.show_paragraph_marks},
                              {"prev-link", &r.prev_link},
                              {"next-link", &r.next_link}};
    bool matched = false;
    for (const Toggle& t : toggles) {
      const bool on = arg == std::string("--") + t.name;
      if (on || arg == std::string("--no-") + t.name) {
        *t.field = on;
        matched = true;
      }
    }
    if (matched) continue;
    std::string v;
    if (arg == "--italics") {
      int mode = 0;
      if (!value(v) || !ParseCount(v, mode) || mode > 255) {
        if (error.empty()) error = "--italics needs 0, 1 or 2";
        return false;
      }
      s.italics_mode = static_cast<uint8_t>(mode);
    } else if (arg == "--compare") {
      if (!value(r.compare)) return false;
    } else if (arg == "--keys") {
      if (!value(typed_keys)) return false;
      r.list_only_option = true;
    } else if (arg == "--case") {
      r.case_sensitive = r.list_only_option = true;
    } else if (arg == "--page") {
      if (!value(v) || !ParseCount(v, r.page) || r.page < 1) {
        if (error.empty()) error = "--page needs a page number from 1";
        return false;
      }
      r.list_only_option = true;
    } else if (arg.rfind("--", 0) == 0) {
      error = "unknown option " + arg;
      return false;
    } else {
      positional.push_back(arg);
    }
  }
  if ((r.mode != "chapter" && r.mode != "list") || positional.size() != 2) {
    error = "html needs chapter|list BIBLE \"REFERENCE\"";
    return false;
  }
  if (r.mode == "chapter" && r.list_only_option) {
    error = "--keys, --case and --page are for html list";
    return false;
  }
  r.bible = positional[0];
  r.references = positional[1];
  for (size_t start = 0; !typed_keys.empty() && start <= typed_keys.size();) {
    size_t comma = typed_keys.find(',', start);
    if (comma == std::string::npos) comma = typed_keys.size();
    const std::string word = typed_keys.substr(start, comma - start);
    if (!word.empty()) r.keys.push_back(KeyFrom(word, r.case_sensitive));
    start = comma + 1;
  }
  return true;
}

}  // namespace

int RunHtmlCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                   std::ostream& out, std::ostream& err) {
  if (!options.arguments.empty() && options.arguments[0] == "entry") return -1;
  HtmlRequest r;
  std::string error;
  if (!ParseRequest(options, r, error)) {
    err << "lumora-cli: " << error << "\n\n" << kUsage;
    return 2;
  }
  const TLMBibleModule* bible = FindBible(catalogue, r.bible);
  const TLMBibleModule* compare = r.compare.empty() ? nullptr : FindBible(catalogue, r.compare);
  if (bible == nullptr || (!r.compare.empty() && compare == nullptr)) {
    err << "lumora-cli: no Bible abbreviated " << (bible == nullptr ? r.bible : r.compare) << '\n';
    return 1;
  }
  const ParsedReferences parsed =
      ParseReferences(cp1252::FromUtf8(r.references), *catalogue.KjvBible());
  if (parsed.ranges.empty()) {
    err << "Unrecognized reference.\n";
    return 1;
  }

  TVerseList verses;
  if (r.mode == "chapter") {
    const TVerseLocation at = bible->GetVerseLocation(parsed.ranges.front().first);
    const int first = bible->LocateVerse(at.book, at.chapter, 1);
    const int count = bible->GetVerseCount(at.book, at.chapter);
    for (int v = first; v < first + count && v <= bible->VerseCount(); ++v)
      verses.push_back(static_cast<uint16_t>(v));
  } else {
    for (const TVerseRange& range : parsed.ranges)
      for (int v = range.first; v <= range.last; ++v) verses.push_back(static_cast<uint16_t>(v));
  }

  const std::string folder = options.data_folder.empty() ? ExecutableFolder() : options.data_folder;
  Result<ParagraphMap> map =
      ParagraphMap::Load(DefaultFileSystem(), JoinPath(folder, kParagraphMapFileName));
  const ParagraphMap paragraphs = map.ok() ? std::move(map.value()) : ParagraphMap();

  TPassageRenderer renderer;
  renderer.SetStrongsData(catalogue.StrongsData());
  renderer.SetParagraphMap(&paragraphs);
  renderer.SetLinkedCommentaries(catalogue.Commentaries());
  renderer.SetLinkedBooks(catalogue.Books());
  renderer.SetEditableCommentaries(catalogue.EditableCommentaries());
  renderer.SetBible(bible);
  renderer.SetCompareBible(compare);
  renderer.SetSettings(r.settings);
  const bool list = r.mode == "list";
  renderer.SetPaged(list);
  renderer.SetPageFirst(list ? (r.page - 1) * kPassagePageLength : 0);
  renderer.SetNextChapterLink(r.next_link);
  renderer.SetPrevChapterLink(r.prev_link);
  renderer.ShowVerses(verses, r.keys, r.case_sensitive, list);
  out.write(renderer.Html().data(), static_cast<std::streamsize>(renderer.Html().size()));
  out.flush();
  return 0;
}

}  // namespace lumora::cli
