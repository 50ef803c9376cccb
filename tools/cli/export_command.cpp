#include "tools/cli/export_command.h"

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/view_properties.h"
#include "core/refs/reference_parser.h"
#include "core/text/cp1252.h"
#include "render/export_procs.h"

namespace lumora::cli {
namespace {

struct ExportArgs {
  std::string bible, commentary, book;
  std::optional<int> style;
  bool html = false, tag = false, brackets = false, raw = false;
  std::vector<std::string> words;  // references, or the two entry numbers
};

std::optional<ExportArgs> ParseArgs(const std::vector<std::string>& a, std::ostream& err) {
  ExportArgs r;
  for (size_t i = 0; i < a.size(); ++i) {
    const std::string& s = a[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= a.size()) {
        err << "lumora-cli: export " << s << " needs a value\n";
        return false;
      }
      into = a[++i];
      return true;
    };
    if (s == "--bible") {
      if (!value(r.bible)) return std::nullopt;
    } else if (s == "--comments") {
      if (!value(r.commentary)) return std::nullopt;
    } else if (s == "--book") {
      if (!value(r.book)) return std::nullopt;
    } else if (s == "--style") {
      std::string letter;
      if (!value(letter)) return std::nullopt;
      if (letter.size() != 1 || (letter[0] | 0x20) < 'a' || (letter[0] | 0x20) > 'h') {
        err << "lumora-cli: export --style takes a letter A to H\n";
        return std::nullopt;
      }
      r.style = (letter[0] | 0x20) - 'a';
    } else if (s == "--html") {
      r.html = true;
    } else if (s == "--tag") {
      r.tag = true;
    } else if (s == "--brackets") {
      r.brackets = true;
    } else if (s == "--raw") {
      r.raw = true;
    } else if (s.size() > 2 && s.rfind("--", 0) == 0) {
      err << "lumora-cli: export does not know " << s << '\n';
      return std::nullopt;
    } else {
      r.words.push_back(s);
    }
  }
  if (!r.commentary.empty() && !r.book.empty()) {
    err << "lumora-cli: export takes --comments or --book, not both\n";
    return std::nullopt;
  }
  return r;
}

// Terminal form: Windows-1252 to UTF-8, CR LF to one line feed, other
// control bytes made visible.
std::string ForTerminal(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (b == '\n' || b == '\t') {
      out += static_cast<char>(b);
    } else if (b < 32) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "<0x%02X>", b);
      out += buf;
    } else {
      out += cp1252::ToUtf8(text.substr(i, 1));
    }
  }
  return out;
}

TVerseRangeList References(const TModuleCatalogue& catalogue,
                           const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& w : words) {
    if (!text.empty()) text += ' ';
    text += w;
  }
  return ParseReferences(cp1252::FromUtf8(text), *catalogue.KjvBible()).ranges;
}

bool ParseEntryNumber(const std::string& s, int& out) {
  if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos)
    return false;
  out = std::stoi(s);
  return true;
}

}  // namespace

int RunExportCommand(const TModuleCatalogue& catalogue, const CliOptions& options,
                     std::ostream& out, std::ostream& err) {
  const std::optional<ExportArgs> a = ParseArgs(options.arguments, err);
  if (!a) {
    err << kUsage;
    return 2;
  }
  const TLMBibleModule& kjv = *catalogue.KjvBible();
  std::string text;
  if (!a->book.empty()) {
    const TLMDictionaryModule* book = catalogue.BooksByAbbreviation().Find(a->book);
    if (book == nullptr) book = catalogue.BooksByTitle().Find(a->book);
    if (book == nullptr) {
      err << "lumora-cli: no Book named " << a->book << '\n';
      return 1;
    }
    int first = 0, last = 0;
    if (a->words.size() != 2 || !ParseEntryNumber(a->words[0], first) ||
        !ParseEntryNumber(a->words[1], last)) {
      err << "lumora-cli: export --book needs two entry numbers\n";
      return 2;
    }
    if (last < first) std::swap(first, last);
    text = FormatBookRange(first, last, kjv, *book, !a->html);
  } else {
    const TVerseRangeList ranges = References(catalogue, a->words);
    if (ranges.empty()) {
      err << "Unrecognized reference.\n";
      return 1;
    }
    if (!a->commentary.empty()) {
      const TLMCommentaryModule* c = catalogue.CommentariesByAbbreviation().Find(a->commentary);
      if (c == nullptr) c = catalogue.CommentariesByTitle().Find(a->commentary);
      if (c == nullptr) {
        err << "lumora-cli: no Commentary named " << a->commentary << '\n';
        return 1;
      }
      text = FormatCommentRange(ranges, kjv, *c, !a->html);
      if (text.empty()) {
        err << "No commentary text in that range.\n";
        return 1;
      }
    } else {
      const TLMBibleModule* bible = &kjv;
      if (!a->bible.empty()) {
        bible = nullptr;
        // The Strong's-links twins are in no name list; match every Bible.
        for (const auto& b : catalogue.Bibles())
          if (bible == nullptr && cp1252::EqualNoCase(b->GetAbbreviation(), a->bible))
            bible = b.get();
        if (bible == nullptr) {
          err << "lumora-cli: no Bible abbreviated " << a->bible << '\n';
          return 1;
        }
      }
      const ExportFormatSettings settings{a->style.value_or(0), a->brackets, options.footnotes,
                                          a->tag};
      const ExportBibleView view =
          ExportViewFrom(config::TPropertiesBibleView{}, catalogue.StrongsData());
      text = FormatVerseRanges(ranges, *bible, settings, a->html, view);
    }
  }
  if (a->raw) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  } else {
    out << ForTerminal(text);
    if (text.empty() || text.back() != '\n') out << '\n';
  }
  return 0;
}

}  // namespace lumora::cli
