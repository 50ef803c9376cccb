#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumora::cli {

struct CliOptions {
  std::string data_folder;  // empty: the executable's folder
  bool strongs = false;     // write Strong's tokens out
  bool footnotes = false;   // keep footnotes
  bool verbose = false;     // print start-up status texts
  bool format = false;      // ref: verse indexes to reference text
  std::string config_file;  // config: settings file; empty: the platform's store
  bool help = false;        // --help or -h anywhere: print the usage
  bool version = false;     // --version anywhere: print the version
  std::string command;
  std::vector<std::string> arguments;
};

// Parses argv; on a usage error (an unknown option before the command, a
// missing value, no command) returns nullopt and fills `error`. With help
// or version set, no command is needed.
std::optional<CliOptions> ParseCliOptions(int argc, char** argv, std::string& error);

extern const char* const kUsage;

}  // namespace lumora::cli
