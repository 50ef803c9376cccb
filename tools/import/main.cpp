// lumora-import: converts SWORD Bible modules into Lumora Bible modules.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/cp1252.h"
#include "tools/builder/bible_builder.h"
#include "tools/import/sword_source.h"

namespace {

using lumora::import::SwordImportOptions;

constexpr size_t kMaxTitle = 40;
constexpr size_t kMaxAbbreviation = 6;

void PrintUsage(std::FILE* to) {
  std::fputs(
      "usage:\n"
      "  lumora-import list [--sword-path DIR]\n"
      "  lumora-import bible --module NAME --abbrev ABBR --title TITLE --out FILE.lmb\n"
      "                      [--pmap FILE] [--no-strongs] [--no-footnotes] [--sword-path DIR]\n"
      "\n"
      "  list    the SWORD modules installed (or those under DIR)\n"
      "  bible   converts one SWORD Bible; --pmap also writes the paragraph map\n"
      "          taken from its paragraph marks (the KJV's is the reference one)\n",
      to);
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
  bool strongs = true;
  bool footnotes = true;
};

// Returns an error message, empty on success.
std::string Parse(int argc, char** argv, Arguments& args) {
  if (argc < 2) return "no command given";
  args.command = argv[1];
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
  std::printf("  supplied words    %s\n", r.has_brackets ? "bracketed" : "none marked");
  if (r.joined_verses) std::printf("  joined verses     %zu\n", r.joined_verses);
  if (r.unplaced_verses) std::printf("  outside the KJV   %zu verses left out\n", r.unplaced_verses);
  if (!args.pmap.empty()) std::printf("  paragraph starts  %zu -> %s\n", r.paragraph_starts, args.pmap.c_str());
  std::printf("  file size         %zu bytes\n", stats.file_size);
  std::printf("  time              %.2f s (reading and converting %.2f s)\n", seconds, read_seconds);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (std::string error = Parse(argc, argv, args); !error.empty()) return UsageError(error);
  if (args.command == "list") return List(args);
  if (args.command == "bible") return Bible(args);
  if (args.command == "-h" || args.command == "--help" || args.command == "help") {
    PrintUsage(stdout);
    return 0;
  }
  return UsageError("unknown command " + args.command);
}
