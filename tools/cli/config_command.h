// lumora-cli config: the effective settings of the configuration store, one
// per line as NAME TAB KIND TAB VALUE TAB ORIGIN (origin "storage" or
// "default"), and "config set NAME VALUE" to store one value. Needs no
// module library.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "config/settings_storage.h"
#include "tools/cli/cli_options.h"

namespace lumora::cli {

// Uses the file given by --config, else the platform's store.
int RunConfigCommand(const CliOptions& options, std::ostream& out, std::ostream& err);

// The command over a given store; `arguments` are those after "config".
// Returns 0, 1 when the store cannot be written, 2 on a usage error or a
// value the setting does not accept.
int RunConfig(config::SettingsStorage& storage, const std::vector<std::string>& arguments,
              std::ostream& out, std::ostream& err);

}  // namespace lumora::cli
