#include "tools/cli/module_commands.h"

#include <ostream>

#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "tools/cli/visible_text.h"

namespace lumora::cli {
namespace {

using Args = std::vector<std::string>;

bool ParseNumber(const std::string& s, int& out) {
  if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos)
    return false;
  out = std::stoi(s);
  return true;
}

std::string Utf8(const std::string& text) { return cp1252::ToUtf8(text); }

// Verse index from args[at] (an index) or args[at..at+2] (book chapter verse).
bool ParseVerse(const TModuleCatalogue& c, const Args& a, size_t at, int& verse) {
  int b = 0, ch = 0, v = 0;
  if (a.size() == at + 1) return ParseNumber(a[at], verse) && IsVerseIndex(verse);
  if (a.size() != at + 3 || !ParseNumber(a[at], b) || !ParseNumber(a[at + 1], ch) ||
      !ParseNumber(a[at + 2], v))
    return false;
  const TLMBibleModule& kjv = *c.KjvBible();
  if (b < 1 || b > kjv.BookCount()) return false;
  verse = kjv.LocateVerse(b, ch, v);
  return kjv.GetVerseLocation(verse) == TVerseLocation{b, ch, v};
}

std::string Reference(const TModuleCatalogue& c, int verse) {
  const TVerseLocation at = c.KjvBible()->GetVerseLocation(verse);
  return Utf8(c.KjvBible()->GetLongBookTitle(at.book)) + " " + std::to_string(at.chapter) + ":" +
         std::to_string(at.verse);
}

TLMDictionaryModule* FindBook(const TModuleCatalogue& c, const std::string& name) {
  if (auto* b = c.BooksByAbbreviation().Find(name)) return b;
  return c.BooksByTitle().Find(name);
}

TLMCommentaryModule* FindCommentary(const TModuleCatalogue& c, const std::string& name) {
  if (auto* m = c.CommentariesByAbbreviation().Find(name)) return m;
  return c.CommentariesByTitle().Find(name);
}

// The text argument of a write: "@FILE" reads raw bytes, anything else is
// UTF-8 from the terminal.
bool ReadText(const std::string& arg, std::string& text, std::ostream& err) {
  if (arg.empty() || arg[0] != '@') {
    text = cp1252::FromUtf8(arg);
    return true;
  }
  Result<std::string> bytes = DefaultFileSystem().ReadFile(arg.substr(1));
  if (!bytes.ok()) {
    err << "lumora-cli: " << bytes.status().message() << '\n';
    return false;
  }
  text = std::move(bytes).value();
  return true;
}

int ReportOutcome(const Status& s, const std::string& done, std::ostream& out, std::ostream& err) {
  if (s.ok()) {
    out << done << '\n';
    return 0;
  }
  err << "lumora-cli: " << s.message() << '\n';
  return 1;
}

template <typename Module>
std::string Flags(const Module& m, uint16_t version) {
  std::string flags = m.IsReadOnly() ? "read-only" : "writable";
  flags += ",code=" + (m.GetModuleCode().empty() ? std::string("-") : m.GetModuleCode());
  flags += ",links=v" + std::to_string(version);
  return flags;
}

int Usage(std::ostream& err, const char* usage) {
  err << "usage: lumora-cli " << usage << '\n';
  return 2;
}

}  // namespace

int RunModuleCommand(TModuleCatalogue& c, const CliOptions& o, std::ostream& out,
                     std::ostream& err) {
  const std::string& cmd = o.command;
  const Args& a = o.arguments;
  if (cmd == "books") {
    for (const auto& b : c.Books())
      out << Utf8(b->GetAbbreviation()) << '\t' << Utf8(b->GetTitle()) << '\t'
          << Flags(*b, b->Header().link_version) << '\t' << b->EntryCount() << '\n';
    return 0;
  }
  if (cmd == "commentaries") {
    for (const auto& m : c.Commentaries())
      out << Utf8(m->GetAbbreviation()) << '\t' << Utf8(m->GetTitle()) << '\t'
          << Flags(*m, m->Header().link_version) << '\t' << m->EntryTitles().size() << '\n';
    return 0;
  }
  if (cmd == "specials") {
    auto name = [](const TLMDictionaryModule* b) {
      return b ? Utf8(b->GetAbbreviation()) : std::string("-");
    };
    out << "KJV Bible\t" << Utf8(c.KjvBible()->GetAbbreviation()) << '\n'
        << "Strong's-links Bible\t"
        << (c.StrongsLinksBible() ? Utf8(c.StrongsLinksBible()->GetAbbreviation()) : "-") << '\n'
        << "Hebrew Strong's Book\t" << name(c.HebrewStrongsBook()) << '\n'
        << "Greek Strong's Book\t" << name(c.GreekStrongsBook()) << '\n'
        << "NVCX Book\t" << name(c.NvcxBook()) << '\n'
        << "Strong's data\t" << c.StrongsData()->FileName() << '\n';
    return 0;
  }
  if (cmd == "entry") {
    if (a.size() < 2) return Usage(err, "entry BOOK NUMBER|TITLE");
    TLMDictionaryModule* book = FindBook(c, a[0]);
    if (!book) return err << "lumora-cli: no Book " << a[0] << '\n', 1;
    int entry = -1;
    std::string key = a[1];
    for (size_t i = 2; i < a.size(); ++i) key += " " + a[i];
    if (!ParseNumber(key, entry)) entry = book->FindTitle(cp1252::FromUtf8(key));
    if (entry < 0 || entry >= book->EntryCount())
      return err << "lumora-cli: no entry " << key << '\n', 1;
    out << entry << '\t' << Utf8(book->EntryTitles()[static_cast<size_t>(entry)]) << '\n'
        << MakeVisibleEntry(book->GetEntryText(entry)) << '\n';
    return 0;
  }
  if (cmd == "comment") {
    int verse = 0;
    if (a.empty() || !ParseVerse(c, a, 1, verse)) return Usage(err, "comment COMMENTARY VERSE");
    TLMCommentaryModule* m = FindCommentary(c, a[0]);
    if (!m) return err << "lumora-cli: no Commentary " << a[0] << '\n', 1;
    out << Reference(c, verse) << '\n' << MakeVisibleEntry(m->GetEntryText(verse - 1)) << '\n';
    return 0;
  }
  if (cmd == "links") {
    int verse = 0;
    if (a.empty() || !ParseVerse(c, a, 1, verse)) return Usage(err, "links MODULE VERSE");
    if (TLMDictionaryModule* book = FindBook(c, a[0])) {
      for (uint16_t e : book->GetVerseEntries(verse - 1))
        out << e << '\t' << Utf8(book->EntryTitles()[e]) << '\n';
      return 0;
    }
    if (TLMCommentaryModule* m = FindCommentary(c, a[0])) {
      for (uint16_t slot : m->GetVerseEntries(verse - 1))
        out << slot << '\t' << Reference(c, slot + 1) << '\n';
      return 0;
    }
    return err << "lumora-cli: no Book or Commentary " << a[0] << '\n', 1;
  }
  if (cmd == "strongs") {
    int n = 0;
    if (a.size() != 2 || (a[0] != "H" && a[0] != "G" && a[0] != "h" && a[0] != "g") ||
        !ParseNumber(a[1], n))
      return Usage(err, "strongs H|G NUMBER");
    const auto lang = (a[0] == "H" || a[0] == "h") ? StrongsLanguage::kHebrew
                                                   : StrongsLanguage::kGreek;
    for (int field = 1; field <= 3; ++field)
      out << MakeVisible(c.StrongsData()->GetStrongsString(lang, n, field)) << '\n';
    return 0;
  }
  if (cmd == "create-book" || cmd == "create-commentary") {
    if (a.size() != 2) return Usage(err, (cmd + " TITLE ABBREVIATION").c_str());
    const std::string title = cp1252::FromUtf8(a[0]), abbr = cp1252::FromUtf8(a[1]);
    if (c.NamesInUse().Contains(title) || c.NamesInUse().Contains(abbr))
      return err << "lumora-cli: the name is already in use\n", 1;
    const Status s =
        cmd == "create-book"
            ? TLMDictionaryModule::CreateUserBookFile(title, abbr, c.UserFolder())
            : TLMCommentaryModule::CreateUserCommentaryFile(title, abbr, c.UserFolder());
    return ReportOutcome(s, "created in " + c.UserFolder(), out, err);
  }
  if (cmd == "add-entry" || cmd == "delete-entry" || cmd == "write-entry") {
    if (a.size() < 2) return Usage(err, (cmd + " BOOK ...").c_str());
    TLMDictionaryModule* book = FindBook(c, a[0]);
    if (!book) return err << "lumora-cli: no Book " << a[0] << '\n', 1;
    if (cmd == "add-entry")
      return ReportOutcome(book->AddEntry(cp1252::FromUtf8(a[1])), "added", out, err);
    int entry = -1;
    if (!ParseNumber(a[1], entry)) return Usage(err, (cmd + " BOOK NUMBER").c_str());
    if (cmd == "delete-entry") return ReportOutcome(book->DeleteEntry(entry), "deleted", out, err);
    std::string text;
    if (a.size() != 3 || !ReadText(a[2], text, err)) return Usage(err, "write-entry BOOK NUMBER TEXT");
    return ReportOutcome(book->WriteEntry(text, entry), "written", out, err);
  }
  if (cmd == "write-comment") {
    int verse = 0;
    std::string text;
    if (a.size() < 3 || !ParseVerse(c, Args(a.begin(), a.end() - 1), 1, verse) ||
        !ReadText(a.back(), text, err))
      return Usage(err, "write-comment COMMENTARY VERSE TEXT");
    TLMCommentaryModule* m = FindCommentary(c, a[0]);
    if (!m) return err << "lumora-cli: no Commentary " << a[0] << '\n', 1;
    return ReportOutcome(m->WriteEntry(text, verse - 1, *c.KjvBible()), "written", out, err);
  }
  return -1;
}

}  // namespace lumora::cli
