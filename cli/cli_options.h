// The command line of vorta-cli: the subcommand and its options, checked before anything touches
// the line or a file.
#pragma once

#include <string>
#include <vector>

namespace vorta::cli {

enum class TCommand { kHelp, kPorts, kRead, kWrite, kVerify, kMonitor, kDiff };

struct TCliOptions {
  TCommand command = TCommand::kHelp;
  int port = 0;                    // n of --port COMn; 0: the port of Vorta.ini
  std::vector<std::string> files;  // the parameter files named
  std::string output;              // read: -o FILE.par; empty: standard output
  std::string table;               // write and verify: --table FILE.dat
  bool verify = true;              // write: false with --no-verify
  bool json = false;
  double intervalS = 1.0;  // monitor: seconds between lines
  long count = 0;          // monitor: lines to print; 0: until Ctrl+C
  std::string language = "English";
};

struct TParsedArgs {
  TCliOptions options;
  std::string error;  // what is wrong with the command line; empty when nothing is
};

// The arguments after the program's name.
TParsedArgs ParseCliArgs(const std::vector<std::string>& args);

// n of "COMn" (any letter case) or of a plain number; 0 when it is neither.
int ParsePortName(const std::string& text);

}  // namespace vorta::cli
