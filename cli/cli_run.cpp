// The dispatch of vorta-cli's subcommands and its help.
#include "cli/cli_run.h"

#include "cli/cli_commands.h"
#include "cli/cli_json.h"

namespace vorta::cli {

std::string HelpText() {
  return R"(vorta-cli: programs and checks Vorta transmitters from the command line.

Usage:
  vorta-cli ports                                  the serial ports: COM name, device, adapter
  vorta-cli read [--port COMn] [-o FILE.par]       read the configuration into a parameter file
                                                   (standard output without -o)
  vorta-cli write [--port COMn] FILE.par [--table FILE.dat] [--no-verify]
                                                   check, write, then verify every written range
  vorta-cli verify [--port COMn] FILE.par [--table FILE.dat]
                                                   compare the transmitter with what FILE.par writes
  vorta-cli monitor [--port COMn] [--interval S] [--count N]
                                                   the measurement as log lines: time [s], result,
                                                   output [mA], status flags (until Ctrl+C)
  vorta-cli diff A.par B.par                       the fields that differ between two files
  vorta-cli diff --port COMn FILE.par              ... between the transmitter and a file

Options of every subcommand:
  --json             machine-readable output on standard output (monitor: one object a line)
  --language NAME    messages in the language of NAME.lan beside the program (default English)
  --help             this text

Without --port the port of Vorta.ini is used; vorta-cli never writes Vorta.ini. Every successful
read and write is kept in the configuration history (history/ beside Vorta.ini, or the folder of
its HistoryDir= line) as SERIAL/YYYY-MM-DD_HHMMSS_read.par or ..._written.par.
A write reads the transmitter first, refuses a file for another model or with incomplete
characteristic data, and looks for a table the file names in the working folder, the program's
folder and its Tables folder unless --table names it.

Exit codes:
  0    done
  1    verify or diff found differences
  2    line failure: the port cannot be opened, the transmitter does not answer, a transfer failed
  3    bad file: a parameter or table file that is missing, damaged or does not fit, or an output
       file that cannot be written
  4    refused: the file is for another model, or its parameters are incomplete
  64   wrong command line
  130  interrupted by Ctrl+C (an interrupted write leaves the transmitter reset: write it again)
)";
}

int RunCli(const std::vector<std::string>& args, const TCliEnv& env) {
  const TParsedArgs parsed = ParseCliArgs(args);
  if (!parsed.error.empty()) {
    *env.err << "vorta-cli: " << parsed.error << "\nvorta-cli --help lists the subcommands.\n" << std::flush;
    return kExitUsage;
  }
  if (parsed.options.command == TCommand::kHelp) {
    *env.out << HelpText() << std::flush;
    return kExitDone;
  }
  TCliSession s(env, parsed.options);
  int code = kExitDone;
  switch (parsed.options.command) {
    case TCommand::kPorts:
      code = RunPorts(s);
      break;
    case TCommand::kRead:
      code = RunRead(s);
      break;
    case TCommand::kWrite:
      code = RunWrite(s);
      break;
    case TCommand::kVerify:
      code = RunVerify(s);
      break;
    case TCommand::kMonitor:
      code = RunMonitor(s);
      break;
    case TCommand::kDiff:
      code = RunDiff(s);
      break;
    case TCommand::kHelp:
      break;
  }
  // A failure still answers a script that reads JSON.
  if (parsed.options.json && !s.JsonWritten())
    s.Json(TJsonObject()
               .Text("command", args.front())
               .Number("exit", code)
               .Text("error", s.LastMessage())
               .Str());
  return code;
}

}  // namespace vorta::cli
