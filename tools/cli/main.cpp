// lumora-cli: the module catalogue and readers from a terminal.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "core/catalogue/module_catalogue.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "tools/cli/bigsearch_command.h"
#include "tools/cli/check_command.h"
#include "tools/cli/cli_options.h"
#include "tools/cli/config_command.h"
#include "tools/cli/console.h"
#include "tools/cli/entry_html_command.h"
#include "tools/cli/export_command.h"
#include "tools/cli/html_command.h"
#include "tools/cli/import_notes_command.h"
#include "tools/cli/module_commands.h"
#include "tools/cli/module_lookup.h"
#include "tools/cli/ref_command.h"
#include "tools/cli/search_command.h"
#include "tools/cli/visible_text.h"

namespace lumora::cli {
namespace {

bool ParseInt(const std::string& s, int& out) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  out = std::stoi(s);
  return true;
}

std::string Flags(const TLMBibleModule& b) {
  std::string flags;
  auto add = [&](bool on, const char* name) {
    if (!on) return;
    if (!flags.empty()) flags += ',';
    flags += name;
  };
  add(b.HasStrongs(), "strongs");
  add(b.HasBrackets(), "brackets");
  add(b.HasFootnotes(), "footnotes");
  add(b.HasFont(), ("font=" + b.GetFontName()).c_str());
  add(b.IsStrongsLinks(), "strongs-links");
  return flags.empty() ? "-" : flags;
}

std::string Reference(const TLMBibleModule& bible, int index) {
  const TVerseLocation loc = bible.GetVerseLocation(index);
  return cp1252::ToUtf8(bible.GetLongBookTitle(loc.book)) + " " + std::to_string(loc.chapter) +
         ":" + std::to_string(loc.verse);
}

int ListBibles(const TModuleCatalogue& catalogue) {
  for (const auto& bible : catalogue.Bibles())
    std::cout << cp1252::ToUtf8(bible->GetAbbreviation()) << '\t'
              << cp1252::ToUtf8(bible->GetTitle()) << '\t' << Flags(*bible) << '\t'
              << bible->VerseCount() << '\n';
  return 0;
}

const TLMBibleModule* BibleOrComplain(const TModuleCatalogue& catalogue, const std::string& name) {
  const TLMBibleModule* bible = FindBible(catalogue, name);
  if (bible == nullptr) std::cerr << "lumora-cli: no Bible abbreviated " << name << '\n';
  return bible;
}

int PrintVerse(const TModuleCatalogue& catalogue, const CliOptions& o) {
  const auto& a = o.arguments;
  if (a.size() != 2 && a.size() != 4) {
    std::cerr << kUsage;
    return 2;
  }
  const TLMBibleModule* bible = BibleOrComplain(catalogue, a[0]);
  if (bible == nullptr) return 1;
  int index = 0;
  if (a.size() == 2) {
    if (!ParseInt(a[1], index)) {
      std::cerr << "lumora-cli: not a verse index: " << a[1] << '\n';
      return 2;
    }
  } else {
    int book = 0, chapter = 0, verse = 0;
    if (!ParseInt(a[1], book) || !ParseInt(a[2], chapter) || !ParseInt(a[3], verse)) {
      std::cerr << "lumora-cli: book, chapter and verse must be numbers\n";
      return 2;
    }
    // Numbers outside the table still reach the reader, which answers with
    // its own error text.
    index = book < 1 || book > bible->BookCount() ? 0 : bible->LocateVerse(book, chapter, verse);
    const TVerseLocation found = bible->GetVerseLocation(index);
    if (found.book != book || found.chapter != chapter || found.verse != verse) {
      std::cerr << "lumora-cli: no verse " << book << ' ' << chapter << ' ' << verse
                << " in " << cp1252::ToUtf8(bible->GetAbbreviation()) << '\n';
      return 1;
    }
  }
  const bool with_strongs = o.strongs || bible->IsStrongsLinks();
  if (IsVerseIndex(index)) std::cout << Reference(*bible, index) << ' ';
  std::cout << MakeVisible(bible->GetVerseText(index, with_strongs, o.footnotes)) << '\n';
  return 0;
}

int Dump(const TModuleCatalogue& catalogue, const CliOptions& o) {
  if (o.arguments.size() != 1) {
    std::cerr << kUsage;
    return 2;
  }
  const TLMBibleModule* bible = BibleOrComplain(catalogue, o.arguments[0]);
  if (bible == nullptr) return 1;
  const bool with_strongs = o.strongs || bible->IsStrongsLinks();
  std::string out;
  for (int i = 1; i <= bible->VerseCount(); ++i) {
    out += Reference(*bible, i);
    out += ' ';
    out += MakeVisible(bible->GetVerseText(i, with_strongs, o.footnotes));
    out += '\n';
    if (out.size() > (1 << 20)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

int Run(int argc, char** argv) {
  std::string error;
  const std::optional<CliOptions> options = ParseCliOptions(argc, argv, error);
  if (!options) {
    std::cerr << "lumora-cli: " << error << "\n\n" << kUsage;
    return 2;
  }
  if (options->help || options->command == "help") {
    std::cout << kUsage;
    return 0;
  }
  if (options->version) {
    std::cout << "lumora-cli " << LUMORA_VERSION << '\n';
    return 0;
  }
  if (options->command == "config") return RunConfigCommand(*options, std::cout, std::cerr);
  if (options->command == "check")
    return RunCheckCommand(options->arguments.empty() ? options->data_folder
                                                      : options->arguments[0]);
  const std::string folder =
      options->data_folder.empty() ? ExecutableFolder() : options->data_folder;
  TModuleCatalogue catalogue;
  const Status loaded = catalogue.LoadModules(folder, [&](const std::string& text) {
    // "load" shows the start-up as it happens; other commands on request.
    if (options->command == "load") std::cout << text << std::endl;
    else if (options->verbose) std::cerr << text << '\n';
  });
  if (!loaded.ok()) {
    std::cerr << loaded.message() << '\n';
    return 1;
  }
  const std::string& c = options->command;
  if (c == "bibles") return ListBibles(catalogue);
  if (c == "verse") return PrintVerse(catalogue, *options);
  if (c == "dump") return Dump(catalogue, *options);
  if (c == "ref") return RunRefCommand(catalogue, *options);
  if (c == "export") return RunExportCommand(catalogue, *options);
  if (c == "search") return RunSearchCommand(catalogue, *options);
  if (c == "find") return RunFindCommand(catalogue, *options);
  if (c == "load") {
    for (const auto& s : catalogue.SkippedFiles()) std::cout << "skipped\t" << s.path << '\t' << s.error << '\n';
    for (const auto& p : catalogue.Problems()) std::cout << "problem\t" << p << '\n';
    return 0;
  }
  if (const int done = RunModuleCommand(catalogue, *options, std::cout, std::cerr); done >= 0)
    return done;
  if (c == "html" && !options->arguments.empty() && options->arguments[0] == "entry")
    return RunHtmlEntryCommand(catalogue, *options);
  if (c == "preview") return RunPreviewCommand(catalogue, *options);
  if (c == "html") if (const int r = RunHtmlCommand(catalogue, *options); r >= 0) return r;
  if (c == "import-notes")
    return RunImportNotesCommand(catalogue, options->arguments, std::cout, std::cerr);
  if (c == "bigsearch") return RunBigSearchCommand(catalogue, *options);
  if (c == "guide") return RunGuideCommand(catalogue, *options);
  if (c == "skipped") {
    for (const auto& s : catalogue.SkippedFiles())
      std::cout << s.path << '\t' << s.error << '\n';
    return 0;
  }
  std::cerr << "lumora-cli: unknown command " << c << "\n\n" << kUsage;
  return 2;
}

}  // namespace
}  // namespace lumora::cli

int main(int argc, char** argv) {
  const lumora::cli::Utf8Console console;
  lumora::cli::Utf8Arguments arguments(argc, argv);
  return lumora::cli::Run(arguments.argc(), arguments.argv());
}
