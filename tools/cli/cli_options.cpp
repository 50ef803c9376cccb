#include "tools/cli/cli_options.h"

namespace lumora::cli {

const char* const kUsage =
    "usage: lumora-cli [--data DIR] [--verbose] COMMAND [ARGS] [--strongs] [--footnotes]\n"
    "\n"
    "commands:\n"
    "  bibles                          list the loaded Bibles in catalogue order\n"
    "  verse BIBLE INDEX               print one verse by verse index (1..31102)\n"
    "  verse BIBLE BOOK CHAPTER VERSE  print one verse by numbers (John 3:16 = 43 3 16)\n"
    "  dump BIBLE                      print every verse of a Bible\n"
    "  skipped                         list module files that failed to open, and why\n"
    "\n"
    "options:\n"
    "  --data DIR    program folder holding Bibles/ (default: the executable's folder)\n"
    "  --strongs     write Strong's numbers out, shown as <H0430> / <G0025>\n"
    "  --footnotes   keep footnotes {...}\n"
    "  --verbose     print the start-up status texts\n";

std::optional<CliOptions> ParseCliOptions(int argc, char** argv, std::string& error) {
  CliOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--data") {
      if (i + 1 >= argc) {
        error = "--data needs a folder";
        return std::nullopt;
      }
      options.data_folder = argv[++i];
    } else if (arg == "--strongs") {
      options.strongs = true;
    } else if (arg == "--footnotes") {
      options.footnotes = true;
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
      error = "unknown option " + arg;
      return std::nullopt;
    } else if (options.command.empty()) {
      options.command = arg;
    } else {
      options.arguments.push_back(arg);
    }
  }
  if (options.command.empty()) {
    error = "no command given";
    return std::nullopt;
  }
  return options;
}

}  // namespace lumora::cli
