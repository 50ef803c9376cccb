// lumora-import: converts SWORD modules into Lumora modules: Bibles, Books
// (lexicons, topical indexes), Commentaries and the Strong's data file.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/cp1252.h"
#include "core/text/legacy_fonts.h"
#include "tools/builder/bible_builder.h"
#include "tools/builder/entry_builders.h"
#include "tools/import/book_converter.h"
#include "tools/import/code_page_folds.h"
#include "tools/import/commentary_converter.h"
#include "tools/import/strongs_lexicon.h"
#include "tools/import/sword_entries.h"
#include "tools/import/sword_source.h"

namespace {

using lumora::import::SwordImportOptions;

constexpr size_t kMaxTitle = 40;
constexpr size_t kMaxAbbreviation = 6;
// Book and Commentary headers hold longer strings than Bible ones.
constexpr size_t kMaxEntryModuleTitle = 50;
constexpr size_t kMaxEntryModuleAbbreviation = 10;
constexpr size_t kMaxModuleCode = 7;

void PrintUsage(std::FILE* to) {
  std::fputs(
      "usage:\n"
      "  lumora-import list [--sword-path DIR]\n"
      "  lumora-import bible --module NAME --abbrev ABBR --title TITLE --out FILE.lmb\n"
      "                      [--pmap FILE] [--no-strongs] [--no-footnotes] [--sword-path DIR]\n"
      "  lumora-import book --module NAME --abbrev ABBR --title TITLE --code CODE --out FILE.lmk\n"
      "                     [--lexicon hebrew|greek] [--sword-path DIR]\n"
      "  lumora-import commentary --module NAME --abbrev ABBR --title TITLE --code CODE\n"
      "                           --out FILE.lmc [--split-verse-headings] [--sword-path DIR]\n"
      "  lumora-import strongs --hebrew NAME --greek NAME --out stgdat.lm4 [--sword-path DIR]\n"
      "  lumora-import --help | --version\n"
      "\n"
      "  list        the SWORD modules installed (or those under DIR)\n"
      "  bible       converts one SWORD Bible; --pmap also writes the paragraph map\n"
      "              taken from its paragraph marks (the KJV's is the reference one)\n"
      "  book        converts one SWORD dictionary; --lexicon reads it as a Strong's\n"
      "              lexicon (entry n - 1 is number n, every number has an entry)\n"
      "  commentary  converts one SWORD commentary; --split-verse-headings cuts\n"
      "              chapter comments at their \"Verse N.\" headings\n"
      "  strongs     writes the Strong's data file from the two Strong's lexicons\n",
      to);
}

// "  folded            U+201B ‛ as ‘: 1740 in 1517 entries", one line per
// character; scripts/sample-library.sh copies these lines into the README.
void PrintFolds(const lumora::import::CodePageFolds& folds, const std::string& prefix = {}) {
  for (const std::string& line : folds.Lines())
    std::printf("  folded            %s%s\n", prefix.c_str(), line.c_str());
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "lumora-import: %s\n", message.c_str());
  return 1;
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "lumora-import: %s\n\n", message.c_str());
  PrintUsage(stderr);
  return 2;
}

struct Arguments {
  std::string command;
  std::string module, abbreviation, title, out, pmap, sword_path;
  std::string code, lexicon, hebrew, greek;
  bool strongs = true;
  bool footnotes = true;
  bool split_verse_headings = false;
  bool help = false;
  bool version = false;
};

// Returns an error message, empty on success. "--help" or "-h" anywhere
// makes the command "help", "--version" anywhere "version".
std::string Parse(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") args.help = true;
    if (arg == "--version") args.version = true;
  }
  if (args.help || args.version) return {};
  if (argc < 2) return "no command given";
  args.command = argv[1];
  if (args.command.starts_with("-")) return "unknown option " + args.command;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&](std::string& into) -> bool {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    bool ok = true;
    if (arg == "--module") ok = value(args.module);
    else if (arg == "--abbrev") ok = value(args.abbreviation);
    else if (arg == "--title") ok = value(args.title);
    else if (arg == "--out") ok = value(args.out);
    else if (arg == "--pmap") ok = value(args.pmap);
    else if (arg == "--sword-path") ok = value(args.sword_path);
    else if (arg == "--code") ok = value(args.code);
    else if (arg == "--lexicon") ok = value(args.lexicon);
    else if (arg == "--hebrew") ok = value(args.hebrew);
    else if (arg == "--greek") ok = value(args.greek);
    else if (arg == "--split-verse-headings") args.split_verse_headings = true;
    else if (arg == "--no-strongs") args.strongs = false;
    else if (arg == "--no-footnotes") args.footnotes = false;
    else return "unknown option " + std::string(arg);
    if (!ok) return std::string(arg) + " needs a value";
  }
  return {};
}

int List(const Arguments& args) {
  auto modules = lumora::import::ListSwordModules(args.sword_path);
  if (!modules) return Fail(modules.status().message());
  if (modules->empty()) {
    std::puts("no SWORD modules found");
    return 0;
  }
  std::printf("%-16s %-16s %-6s %-8s %-5s %s\n", "module", "type", "markup", "v11n", "lang", "description");
  for (const auto& m : *modules)
    std::printf("%-16s %-16s %-6s %-8s %-5s %s\n", m.name.c_str(), m.type.c_str(), m.source_type.c_str(),
                m.versification.c_str(), m.language.c_str(), m.description.c_str());
  return 0;
}

// Parent folders are created so that a fresh library folder works.
std::string PrepareFolder(const std::string& file) {
  const std::filesystem::path parent = std::filesystem::path(file).parent_path();
  if (parent.empty()) return {};
  std::error_code ec;
  std::filesystem::create_directories(parent, ec);
  return ec ? "cannot create " + parent.string() + ": " + ec.message() : std::string();
}

int Bible(const Arguments& args) {
  if (args.module.empty()) return UsageError("bible needs --module");
  if (args.abbreviation.empty()) return UsageError("bible needs --abbrev");
  if (args.title.empty()) return UsageError("bible needs --title");
  if (args.out.empty()) return UsageError("bible needs --out");
  const std::string title = lumora::cp1252::FromUtf8(args.title);
  const std::string abbreviation = lumora::cp1252::FromUtf8(args.abbreviation);
  if (title.size() > kMaxTitle)
    return UsageError("--title holds at most " + std::to_string(kMaxTitle) + " characters");
  if (abbreviation.size() > kMaxAbbreviation)
    return UsageError("--abbrev holds at most " + std::to_string(kMaxAbbreviation) + " characters");

  const auto start = std::chrono::steady_clock::now();
  SwordImportOptions options;
  options.module = args.module;
  options.library_path = args.sword_path;
  options.osis.strongs = args.strongs;
  options.osis.footnotes = args.footnotes;
  lumora::import::CodePageFolds folds;
  options.osis.folds = &folds;
  auto imported = lumora::import::ImportSwordModule(options);
  if (!imported) return Fail(imported.status().message());
  const auto read_done = std::chrono::steady_clock::now();
  for (const std::string& w : imported->warnings) std::fprintf(stderr, "lumora-import: warning: %s\n", w.c_str());

  lumora::builder::BibleSource source;
  source.title = title;
  source.abbreviation = abbreviation;
  source.has_strongs = imported->has_strongs;
  source.has_brackets = imported->has_brackets;
  source.has_footnotes = imported->has_footnotes;
  source.verses = std::move(imported->verses);

  if (std::string error = PrepareFolder(args.out); !error.empty()) return Fail(error);
  lumora::builder::BibleBuildStats stats;
  if (auto status = lumora::builder::WriteBibleModule(source, args.out, &stats); !status.ok())
    return Fail(args.out + ": " + status.message());
  if (!args.pmap.empty()) {
    if (std::string error = PrepareFolder(args.pmap); !error.empty()) return Fail(error);
    if (auto status = lumora::builder::WriteParagraphMap(imported->paragraphs, args.pmap); !status.ok())
      return Fail(args.pmap + ": " + status.message());
  }
  const auto end = std::chrono::steady_clock::now();
  const double seconds = std::chrono::duration<double>(end - start).count();
  const double read_seconds = std::chrono::duration<double>(read_done - start).count();

  const auto& r = *imported;
  std::printf("%s (%s, %s) -> %s\n", args.module.c_str(), r.info.versification.c_str(),
              r.info.source_type.c_str(), args.out.c_str());
  std::printf("  verses with text  %zu of 31102\n", r.verses_with_text);
  std::printf("  Strong's tokens   %zu%s\n", r.strongs_tokens, args.strongs ? "" : " (--no-strongs)");
  std::printf("  footnotes         %zu%s\n", r.footnotes, args.footnotes ? "" : " (--no-footnotes)");
  if (r.cross_references)
    std::printf("  cross-references  %zu notes, %zu verse links\n", r.cross_references,
                r.verse_links);
  std::printf("  headings          %zu\n", r.headings);
  std::printf("  supplied words    %s\n", r.has_brackets ? "bracketed" : "none marked");
  if (r.joined_verses) std::printf("  joined verses     %zu\n", r.joined_verses);
  if (r.unplaced_verses) std::printf("  outside the KJV   %zu verses left out\n", r.unplaced_verses);
  if (!args.pmap.empty()) std::printf("  paragraph starts  %zu -> %s\n", r.paragraph_starts, args.pmap.c_str());
  PrintFolds(folds);
  std::printf("  file size         %zu bytes\n", stats.file_size);
  std::printf("  time              %.2f s (reading and converting %.2f s)\n", seconds, read_seconds);
  return 0;
}

// Title, abbreviation and module code of a Book or Commentary, converted to
// Windows-1252; an error message when one does not fit its header field.
std::string EntryModuleHeader(const Arguments& args, const char* command, std::string& title,
                              std::string& abbreviation, std::string& code) {
  const std::string c = command;
  if (args.module.empty()) return c + " needs --module";
  if (args.abbreviation.empty()) return c + " needs --abbrev";
  if (args.title.empty()) return c + " needs --title";
  if (args.code.empty()) return c + " needs --code";
  if (args.out.empty()) return c + " needs --out";
  title = lumora::cp1252::FromUtf8(args.title);
  abbreviation = lumora::cp1252::FromUtf8(args.abbreviation);
  code = lumora::cp1252::FromUtf8(args.code);
  if (title.size() > kMaxEntryModuleTitle)
    return "--title holds at most " + std::to_string(kMaxEntryModuleTitle) + " characters";
  if (abbreviation.size() > kMaxEntryModuleAbbreviation)
    return "--abbrev holds at most " + std::to_string(kMaxEntryModuleAbbreviation) + " characters";
  if (code.size() > kMaxModuleCode)
    return "--code holds at most " + std::to_string(kMaxModuleCode) + " characters";
  return {};
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void PrintWarnings(const std::vector<std::string>& warnings) {
  for (const std::string& w : warnings) std::fprintf(stderr, "lumora-import: warning: %s\n", w.c_str());
}

void PrintConversion(const lumora::import::EntryConversion& t) {
  std::printf("  verse lists       %d (%d references)\n", t.verse_lists, t.verse_ranges);
  if (t.strongs_links) std::printf("  Strong's links    %d\n", t.strongs_links);
  if (t.entry_links) std::printf("  entry links       %d\n", t.entry_links);
  if (t.comment_links) std::printf("  note links        %d\n", t.comment_links);
  std::printf("  left as text      %d references that name nothing found\n", t.unresolved);
  if (t.dropped_script_chars)
    std::printf("  marks dropped     %zu accents, points and breathings in Greek and Hebrew\n",
                t.dropped_script_chars);
}

int Book(const Arguments& args) {
  using namespace lumora::import;
  lumora::builder::BookSource source;
  if (std::string error = EntryModuleHeader(args, "book", source.title, source.abbreviation,
                                            source.module_code);
      !error.empty())
    return UsageError(error);
  const bool hebrew = args.lexicon == "hebrew";
  if (!args.lexicon.empty() && !hebrew && args.lexicon != "greek")
    return UsageError("--lexicon is hebrew or greek");

  const auto start = std::chrono::steady_clock::now();
  auto dictionary = ReadSwordDictionary(args.module, args.sword_path);
  if (!dictionary.ok()) return Fail(dictionary.status().message());
  PrintWarnings(dictionary->warnings);
  EntryConversion totals;
  std::string notes;
  CodePageFolds folds;
  if (!args.lexicon.empty()) {
    StrongsLexicon lexicon = BuildStrongsLexicon(
        dictionary->entries,
        hebrew ? lumora::LegacyFont::kBasicHebrew : lumora::LegacyFont::kSymbolGreek,
        hebrew ? lumora::kHebrewStrongsCount : lumora::kGreekStrongsCount, &folds);
    source.entries = std::move(lexicon.book.entries);
    totals = lexicon.totals;
    notes = "  numbers           " + std::to_string(source.entries.size()) + " (" +
            std::to_string(lexicon.missing) + " without an entry, " +
            std::to_string(lexicon.duplicates) + " keys twice, " +
            std::to_string(lexicon.foreign_keys) + " other keys left out)\n";
  } else {
    DictionaryBook book = BuildDictionaryBook(dictionary->entries, args.module, &folds);
    source.entries = std::move(book.book.entries);
    totals = book.totals;
    notes = "  entries           " + std::to_string(source.entries.size()) + " (" +
            std::to_string(book.duplicate_keys) + " titles equal but for case, " +
            std::to_string(book.shortened) + " cut to fit)\n";
  }
  if (std::string error = PrepareFolder(args.out); !error.empty()) return Fail(error);
  lumora::builder::EntryBuildStats stats;
  if (auto status = lumora::builder::WriteBookModule(source, args.out, &stats); !status.ok())
    return Fail(args.out + ": " + status.message());

  std::printf("%s (%s, %s) -> %s\n", args.module.c_str(), dictionary->info.source_type.c_str(),
              args.lexicon.empty() ? "Book" : "Strong's lexicon", args.out.c_str());
  std::fputs(notes.c_str(), stdout);
  PrintConversion(totals);
  PrintFolds(folds);
  std::printf("  verse-link index  %zu postings\n", stats.verse_links);
  std::printf("  file size         %zu bytes\n", stats.file_size);
  std::printf("  time              %.2f s\n", SecondsSince(start));
  return 0;
}

int Commentary(const Arguments& args) {
  using namespace lumora::import;
  lumora::builder::CommentarySource source;
  if (std::string error = EntryModuleHeader(args, "commentary", source.title, source.abbreviation,
                                            source.module_code);
      !error.empty())
    return UsageError(error);

  const auto start = std::chrono::steady_clock::now();
  auto commentary = ReadSwordCommentary(args.module, args.sword_path);
  if (!commentary.ok()) return Fail(commentary.status().message());
  PrintWarnings(commentary->warnings);
  CommentaryOptions options;
  options.work = args.module;
  options.split_at_verse_headings = args.split_verse_headings;
  CodePageFolds folds;
  options.folds = &folds;
  CommentaryLayout layout = LayOutCommentary(commentary->comments, options);
  source.slots = std::move(layout.slots);
  if (std::string error = PrepareFolder(args.out); !error.empty()) return Fail(error);
  lumora::builder::EntryBuildStats stats;
  if (auto status = lumora::builder::WriteCommentaryModule(source, args.out, &stats); !status.ok())
    return Fail(args.out + ": " + status.message());

  std::printf("%s (%s, %s) -> %s\n", args.module.c_str(), commentary->info.versification.c_str(),
              commentary->info.source_type.c_str(), args.out.c_str());
  std::printf("  comments          %d (%d on verse ranges, %zu joined, %zu outside the KJV)\n",
              layout.comments, layout.range_comments, commentary->joined, commentary->unplaced);
  std::printf("  introductions     %d, each before its first verse's comment\n",
              commentary->introductions);
  if (args.split_verse_headings)
    std::printf("  split at headings %d comments\n", layout.split_comments);
  std::printf("  entries           %zu (%d links to the first verse of a range)\n",
              stats.entries_with_text, layout.link_entries);
  if (layout.overlapping)
    std::printf("  overlaps          %d range verses kept a comment of their own\n", layout.overlapping);
  if (layout.shortened_slots)
    std::printf("  cut to fit        %d entries\n", layout.shortened_slots);
  PrintConversion(layout.totals);
  PrintFolds(folds);
  std::printf("  verse-link index  %zu postings\n", stats.verse_links);
  std::printf("  file size         %zu bytes\n", stats.file_size);
  std::printf("  time              %.2f s\n", SecondsSince(start));
  return 0;
}

int Strongs(const Arguments& args) {
  using namespace lumora::import;
  if (args.hebrew.empty() || args.greek.empty()) return UsageError("strongs needs --hebrew and --greek");
  if (args.out.empty()) return UsageError("strongs needs --out");
  const auto start = std::chrono::steady_clock::now();
  struct Language {
    const std::string& module;
    lumora::LegacyFont font;
    int count;
    std::vector<lumora::StrongsWord> words;
    int without_word = 0;
    CodePageFolds folds;
  };
  Language languages[] = {
      {args.hebrew, lumora::LegacyFont::kBasicHebrew, lumora::kHebrewStrongsCount, {}, 0, {}},
      {args.greek, lumora::LegacyFont::kSymbolGreek, lumora::kGreekStrongsCount, {}, 0, {}}};
  for (Language& l : languages) {
    auto dictionary = ReadSwordDictionary(l.module, args.sword_path);
    if (!dictionary.ok()) return Fail(dictionary.status().message());
    PrintWarnings(dictionary->warnings);
    l.words.resize(static_cast<size_t>(l.count));
    std::vector<bool> seen(static_cast<size_t>(l.count), false);
    for (const SourceEntry& e : dictionary->entries) {
      const int n = StrongsKeyNumber(e.key);
      if (n < 1 || n > l.count || seen[static_cast<size_t>(n - 1)]) continue;
      seen[static_cast<size_t>(n - 1)] = true;
      l.folds.SetEntry(static_cast<size_t>(n));
      l.words[static_cast<size_t>(n - 1)] = ExtractStrongsWord(e.text, l.font, &l.folds);
    }
    for (const lumora::StrongsWord& w : l.words) l.without_word += w.word.empty();
  }
  if (std::string error = PrepareFolder(args.out); !error.empty()) return Fail(error);
  if (auto status = lumora::builder::WriteStrongsData(languages[0].words, languages[1].words, args.out);
      !status.ok())
    return Fail(args.out + ": " + status.message());

  std::printf("%s + %s -> %s\n", args.hebrew.c_str(), args.greek.c_str(), args.out.c_str());
  for (const Language& l : languages) {
    const bool hebrew = l.font == lumora::LegacyFont::kBasicHebrew;
    const lumora::StrongsWord& sample = l.words[hebrew ? 7224 : 25];
    std::printf("  %-6s %d numbers, %d without a word; %s%d: %s <%s> (%s)\n",
                hebrew ? "Hebrew" : "Greek", l.count, l.without_word, hebrew ? "H" : "G",
                hebrew ? 7225 : 26, lumora::DecodeLegacyFont(l.font, sample.word).c_str(),
                lumora::cp1252::ToUtf8(sample.transliteration).c_str(),
                lumora::cp1252::ToUtf8(sample.pronunciation).c_str());
  }
  for (const Language& l : languages)
    PrintFolds(l.folds, l.font == lumora::LegacyFont::kBasicHebrew ? "Hebrew " : "Greek ");
  std::error_code ec;
  std::printf("  file size         %ju bytes\n",
              static_cast<uintmax_t>(std::filesystem::file_size(args.out, ec)));
  std::printf("  time              %.2f s\n", SecondsSince(start));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (std::string error = Parse(argc, argv, args); !error.empty()) return UsageError(error);
  if (args.help || args.command == "help") {
    PrintUsage(stdout);
    return 0;
  }
  if (args.version) {
    std::printf("lumora-import %s\n", LUMORA_VERSION);
    return 0;
  }
  if (args.command == "list") return List(args);
  if (args.command == "bible") return Bible(args);
  if (args.command == "book") return Book(args);
  if (args.command == "commentary") return Commentary(args);
  if (args.command == "strongs") return Strongs(args);
  return UsageError("unknown command " + args.command);
}
