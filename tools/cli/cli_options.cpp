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
    "  load                            load the folder, printing each start-up status\n"
    "  check [DIR]                     verify every module of a program folder (default --data)\n"
    "  books | commentaries | specials list Books, Commentaries, special modules\n"
    "  entry BOOK NUMBER|TITLE         print a Book entry\n"
    "  comment COMMENTARY VERSE        print the comment on a verse (index or B C V)\n"
    "  links BOOK|COMMENTARY VERSE     entries whose verse lists name the verse\n"
    "  strongs H|G NUMBER              the three Strong's data strings of a number\n"
    "  create-book TITLE ABBR          create a user Book in User/\n"
    "  create-commentary TITLE ABBR    create a user Commentary in User/\n"
    "  add-entry BOOK TITLE            add an entry to a user Book\n"
    "  write-entry BOOK NUMBER TEXT    replace an entry's text (TEXT or @FILE)\n"
    "  delete-entry BOOK NUMBER        delete an entry\n"
    "  write-comment COMMENTARY VERSE TEXT  replace the comment on a verse\n"
    "  import-notes FILE.nmi TITLE ABBR  import an old note set as a user Commentary\n"
    "  ref TEXT...                     parse verse references (\"jn 3:16-18; rom 5:8, 10\"):\n"
    "                                  ranges, stop position and the verses' text\n"
    "  ref --format ITEM...            verse indexes (INDEX or FIRST-LAST) to reference text\n"
    "  config                          print the settings: name, kind, value, origin\n"
    "  config set NAME VALUE           store one setting\n"
    "  search BIBLE TEXT [--type all|any|one|phrase] [--case] [--substring] [--no-footnotes]\n"
    "         [--range REFS] [--html]  Bible search: verses, references and keys (or the\n"
    "                                  first result page as HTML)\n"
    "  find BOOK|COMMENTARY TEXT [--case] [--from N]  Find First (or Find Next from entry\n"
    "                                  number / verse index N) through to the end\n"
    "  html entry BOOK|COMMENTARY \"TITLE|NUMBER|REFERENCE\" [--mark REFS] [--multi]\n"
    "                                  the Book or Commentary view's HTML of an entry\n"
    "  preview \"HREF\" [--bible ABBR]  the hover preview of a link\n"
    "  html chapter BIBLE REFERENCE    the Bible view's HTML of the reference's chapter\n"
    "  html list BIBLE REFS [--keys WORD,H123,...] [--case] [--page N]\n"
    "                                  the verse list's HTML of the references\n"
    "    html display flags: --column --para --footnotes --commentary-links --book-links\n"
    "                        --edit-links --marks --prev-link --next-link (and --no-...),\n"
    "                        --italics 0|1|2, --compare BIBLE\n"
    "  bigsearch TEXT [--set all|books|bibles|commentaries|MODULE...] [--case] [--no-substring]\n"
    "                                  full reference search: hit counts per module and the\n"
    "                                  first result page (progress on standard error)\n"
    "  guide TEXT...                   topic and verse guide (\"john 3:16-18\", love)\n"
    "  export [--bible ABBR] [--style A..H] [--html] [--tag] [--brackets] [--footnotes] REFS\n"
    "                                  verses as copied or exported (\"jn 3:16-17\"; default KJV, "
    "A)\n"
    "  export --comments COMMENTARY REFS [--html]  comments on the verses, with headings\n"
    "  export --book BOOK FIRST LAST [--html]  Book entries FIRST..LAST (entry numbers)\n"
    "                                  export: --raw writes the exact Windows-1252 bytes\n"
    "\n"
    "options:\n"
    "  --help, -h    print this text\n"
    "  --version     print the version\n"
    "  --data DIR    program folder holding Bibles/ (default: the executable's folder)\n"
    "  --strongs     write Strong's numbers out, shown as <H0430> / <G0025>\n"
    "  --footnotes   keep footnotes {...}\n"
    "  --verbose     print the start-up status texts\n"
    "  --format      ref: format verse indexes instead of parsing text\n"
    "  --config FILE config: this settings file instead of the user's settings\n";

std::optional<CliOptions> ParseCliOptions(int argc, char** argv, std::string& error) {
  CliOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--data") {
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
    } else if (arg == "--format") {
      options.format = true;
    } else if (arg == "--config") {
      if (i + 1 >= argc) {
        error = "--config needs a file";
        return std::nullopt;
      }
      options.config_file = argv[++i];
    } else if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
      // After the command, other options belong to the command, which reads
      // them from its arguments (html, export, search, ... have their own).
      if (options.command.empty()) {
        error = "unknown option " + arg;
        return std::nullopt;
      }
      options.arguments.push_back(arg);
    } else if (options.command.empty()) {
      options.command = arg;
    } else {
      options.arguments.push_back(arg);
    }
  }
  if (options.command.empty() && !options.help && !options.version) {
    error = "no command given";
    return std::nullopt;
  }
  return options;
}

}  // namespace lumora::cli
