#include "tools/cli/entry_html_command.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/refs/reference_format.h"
#include "core/refs/reference_parser.h"
#include "core/text/cp1252.h"
#include "render/entry_renderer.h"
#include "render/hover_preview.h"
#include "render/href.h"
#include "tools/cli/visible_text.h"

namespace lumora::cli {
namespace {

int Usage(std::ostream& err, const char* usage) {
  err << "usage: lumora-cli " << usage << '\n';
  return 2;
}

// The first range of a typed reference, ends in order; nullopt for none.
std::optional<TVerseRange> FirstRange(const TLMBibleModule& kjv, const std::string& text) {
  const ParsedReferences parsed = ParseReferences(cp1252::FromUtf8(text), kjv);
  if (parsed.ranges.empty()) return std::nullopt;
  const TVerseRange r = parsed.ranges.front();
  return TVerseRange{std::min(r.first, r.last), std::max(r.first, r.last)};
}

}  // namespace

int RunHtmlEntryCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                        std::ostream& out, std::ostream& err) {
  static constexpr const char* kUsageText =
      "html entry BOOK|COMMENTARY \"TITLE|NUMBER|REFERENCE\" [--mark REFS] [--multi]";
  std::vector<std::string> args;
  std::string mark;
  bool multi = false;
  for (size_t i = 1; i < options.arguments.size(); ++i) {
    const std::string& a = options.arguments[i];
    if (a == "--multi") {
      multi = true;
    } else if (a == "--mark") {
      if (++i >= options.arguments.size()) return Usage(err, kUsageText);
      mark = options.arguments[i];
    } else {
      args.push_back(a);
    }
  }
  if (args.size() != 2) return Usage(err, kUsageText);
  const TLMBibleModule& kjv = *catalogue.KjvBible();
  const std::string key = cp1252::FromUtf8(args[1]);

  int first = 0, last = 0;
  if (!mark.empty()) {
    const std::optional<TVerseRange> r = FirstRange(kjv, mark);
    if (!r) return err << "lumora-cli: not a reference: " << mark << '\n', 1;
    first = r->first;
    last = r->last;
  }
  TEntryRenderer renderer(kjv);
  renderer.SetLinkMultipleVerses(multi);

  const std::string name = cp1252::FromUtf8(args[0]);
  TLMDictionaryModule* book = catalogue.BooksByAbbreviation().Find(name);
  if (book == nullptr) book = catalogue.BooksByTitle().Find(name);
  if (book != nullptr) {
    int entry = book->FindTitle(key);
    if (entry < 0) entry = ParseLinkNumber(key).value_or(-1);
    if (entry < 0 || entry >= book->EntryCount())
      return err << "lumora-cli: no entry " << args[1] << '\n', 1;
    renderer.ShowEntry(book->GetEntryText(entry), book->EntryTitles()[static_cast<size_t>(entry)],
                       book->EntryTitles(), first, last);
  } else {
    TLMCommentaryModule* commentary = catalogue.CommentariesByAbbreviation().Find(name);
    if (commentary == nullptr) commentary = catalogue.CommentariesByTitle().Find(name);
    if (commentary == nullptr)
      return err << "lumora-cli: no Book or Commentary " << args[0] << '\n', 1;
    const std::optional<TVerseRange> r = FirstRange(kjv, args[1]);
    if (!r) return err << "lumora-cli: not a reference: " << args[1] << '\n', 1;
    renderer.ShowEntry(commentary->GetEntryText(r->first - 1), FormatRange(kjv, r->first, r->first, BookTitleKind::kLong),
                       commentary->EntryTitles(), first, last);
  }
  out << renderer.Html() << '\n';
  return 0;
}

int RunPreviewCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                      std::ostream& out, std::ostream& err) {
  static constexpr const char* kUsageText = "preview \"HREF\" [--bible ABBR]";
  std::string href;
  const TLMBibleModule* bible = catalogue.KjvBible();
  const auto& a = options.arguments;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == "--bible") {
      if (++i >= a.size()) return Usage(err, kUsageText);
      bible = nullptr;
      for (const auto& b : catalogue.Bibles())
        if (cp1252::EqualNoCase(b->GetAbbreviation(), a[i])) bible = b.get();
      if (bible == nullptr) return err << "lumora-cli: no Bible abbreviated " << a[i] << '\n', 1;
    } else if (href.empty()) {
      href = cp1252::FromUtf8(a[i]);
    } else {
      return Usage(err, kUsageText);
    }
  }
  if (href.empty()) return Usage(err, kUsageText);
  const TPreviewContext context = MakePreviewContext(catalogue, bible);
  std::string text;
  if (const std::optional<THref> h = SplitHref(href)) {
    static constexpr const char* kTextViewSchemes[] = {"h", "g", "ld", "lc", "ec"};
    const bool text_view = std::find(std::begin(kTextViewSchemes), std::end(kTextViewSchemes),
                                     h->scheme) != std::end(kTextViewSchemes);
    text = text_view ? TextViewPreview(h->scheme, h->data, context)
                     : ResourceViewPreview(href, context);
  }
  // Line by line, so that the preview's line feeds stay line feeds.
  size_t from = 0;
  for (;;) {
    const size_t nl = text.find('\n', from);
    out << MakeVisibleEntry(std::string_view(text).substr(from, nl - from));
    if (nl == std::string::npos) break;
    out << '\n';
    from = nl + 1;
  }
  out << '\n';
  return 0;
}

}  // namespace lumora::cli
