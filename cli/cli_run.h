// vorta-cli as a routine: the command line in, the exit code out, the world through TCliEnv.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_session.h"

namespace vorta::cli {

// The text of --help: the subcommands, the options and the exit codes.
std::string HelpText();

// Runs the command line (the arguments after the program's name).
int RunCli(const std::vector<std::string>& args, const TCliEnv& env);

}  // namespace vorta::cli
