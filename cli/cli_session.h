// One run of vorta-cli: what it takes from the world (streams, folders, the line, the clock,
// Ctrl+C), the settings and language it reads, the open line, the messages, the progress bar and
// the history. Tests hand in their own world and run the subcommands in-process.
#pragma once

#include <atomic>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/config_history.h"
#include "app/param_set.h"
#include "app/settings.h"
#include "cli/cli_options.h"
#include "comm/port_list.h"
#include "comm/transfer_runner.h"
#include "docs/lang_list.h"

namespace vorta::cli {

// The exit codes, as --help and the README give them.
enum TExitCode : int {
  kExitDone = 0,
  kExitDiffers = 1,        // verify or diff found differences
  kExitLine = 2,           // the port, the line or the transmitter failed
  kExitBadFile = 3,        // a parameter, table or output file that cannot be used
  kExitRefused = 4,        // model mismatch or incomplete parameters
  kExitUsage = 64,         // a wrong command line
  kExitInterrupted = 130,  // Ctrl+C
};

struct TCliEnv {
  std::ostream* out = nullptr;  // results (the parameter file, JSON, the measurement lines)
  std::ostream* err = nullptr;  // messages and the progress bar
  bool errIsTerminal = false;
  std::string settingsDir;                 // Vorta.ini and the history
  std::string programDir;                  // language files and Tables/
  std::string workingDir;                  // where a table file is looked for first
  std::function<bool(int port)> openLine;  // opens COMn and starts polling
  std::function<std::vector<comm::TPortDevice>()> systemPorts;
  std::function<app::THistoryTime()> now;
  const std::atomic<bool>* interrupted = nullptr;  // set by Ctrl+C
  int connectTimeoutMs = 3000;                     // for the first measurement
};

class TCliSession {
 public:
  TCliSession(const TCliEnv& env, const TCliOptions& options);
  ~TCliSession();
  TCliSession(const TCliSession&) = delete;
  TCliSession& operator=(const TCliSession&) = delete;

  const TCliEnv& Env() const { return env_; }
  const TCliOptions& Options() const { return options_; }
  const docs::TLangList& Lang() const { return lang_; }
  // The language text of an English text (the text itself where the list has none).
  std::string T(std::string_view english) const { return lang_.ValueOrKey(english); }
  std::ostream& Out() const { return *env_.out; }
  // A message line on the error stream; the last one is kept for the JSON of a failure.
  void Message(const std::string& text);
  const std::string& LastMessage() const { return lastMessage_; }
  // The subcommand's JSON result on the output stream.
  void Json(const std::string& json);
  bool JsonWritten() const { return jsonWritten_; }
  bool Interrupted() const { return env_.interrupted && env_.interrupted->load(); }

  // Opens the port (--port, else ComPort of Vorta.ini) and waits for the first measurement;
  // kExitDone, or the exit code after the message.
  int Connect();
  std::string PortName() const { return "COM" + std::to_string(port_); }
  int ConnectedModel() const { return model_; }

  // Follows a transfer: a bar on the error stream when that is a terminal; Ctrl+C aborts it.
  comm::ProgressCallback Progress(const std::string& label);
  // Ends the bar's line.
  void EndProgress();
  // The exit code after a transfer failed, with its message; a write cut short by Ctrl+C has left
  // the transmitter reset.
  int TransferFailed(bool write);

  // Keeps p in the history; the path kept, or empty after a warning (given once a run).
  std::string KeepHistory(const app::TParamSet& p, const std::string& serial, app::THistoryEvent event);

 private:
  const TCliEnv& env_;
  const TCliOptions& options_;
  docs::TLangList lang_;
  app::TSettings settings_;
  int port_ = 0;
  int model_ = 0;
  bool lineOpen_ = false;
  bool barShown_ = false;
  bool aborted_ = false;
  bool historyWarned_ = false;
  bool jsonWritten_ = false;
  std::string barLabel_;
  std::string lastMessage_;
};

}  // namespace vorta::cli
