// The run of vorta-cli: settings, language, the line, messages, progress and history.
#include "cli/cli_session.h"

#include <chrono>
#include <climits>
#include <filesystem>
#include <thread>

#include "app/model_table.h"
#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/protocol.h"
#include "docs/language_file.h"
#include "platform/port_names.h"

namespace vorta::cli {
namespace {

constexpr int kBarWidth = 20;

// Why COMn could not be opened, as far as can be told without opening it.
std::string PortTrouble(int port) {
  const std::string device = platform::ResolveComPort(port);
  if (device.empty()) return "COM" + std::to_string(port) + " has no device";
  std::error_code ec;
  if (!std::filesystem::exists(device, ec)) return device + ": no such device";
  return device + ": held by another program, not permitted or not a serial port";
}

}  // namespace

TCliSession::TCliSession(const TCliEnv& env, const TCliOptions& options) : env_(env), options_(options) {
  std::string language = options.language;
  if (!docs::LoadLanguage(env.programDir, language, lang_))
    Message("The language file " + options.language + ".lan cannot be used; English is used.");
  // Window positions play no part here: any position fits this desktop.
  app::LoadSettingsFile(env.settingsDir, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, settings_);
}

TCliSession::~TCliSession() {
  if (lineOpen_) comm::CloseLine();
}

void TCliSession::Message(const std::string& text) {
  EndProgress();
  lastMessage_ = text;
  *env_.err << text << "\n" << std::flush;
}

void TCliSession::Json(const std::string& json) {
  *env_.out << json << "\n" << std::flush;
  jsonWritten_ = true;
}

int TCliSession::Connect() {
  port_ = options_.port ? options_.port : settings_.ComPort;
  if (!env_.openLine || !env_.openLine(port_)) {
    std::string failed = T("COM%d initialization failed");
    if (const auto at = failed.find("%d"); at != std::string::npos)
      failed.replace(at, 2, std::to_string(port_));
    Message(failed + "!\n" + PortTrouble(port_));
    return kExitLine;
  }
  lineOpen_ = true;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(env_.connectTimeoutMs);
  double value = 0, current = 0;
  comm::TRawMeasurement raw{};
  while (!comm::TakeMeasurement(value, current, raw)) {
    if (Interrupted()) {
      Message("Interrupted.");
      return kExitInterrupted;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      Message(T("No communication with transmitter") + "!");
      return kExitLine;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  model_ = app::ModelCodeOfTypeIndex(comm::Comm().Status.TypeIndex);
  return kExitDone;
}

comm::ProgressCallback TCliSession::Progress(const std::string& label) {
  return [this, label](int percent) {
    if (Interrupted() && !aborted_) {
      aborted_ = true;
      comm::AbortTransfer();
    }
    if (!env_.errIsTerminal) return;
    if (barShown_ && label != barLabel_) *env_.err << "\n";
    barLabel_ = label;
    const int filled = percent * kBarWidth / 100;
    *env_.err << "\r" << label << " [" << std::string(static_cast<std::size_t>(filled), '#')
              << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] " << percent << "%"
              << std::flush;
    barShown_ = true;
  };
}

void TCliSession::EndProgress() {
  if (barShown_) *env_.err << "\n" << std::flush;
  barShown_ = false;
}

int TCliSession::TransferFailed(bool write) {
  EndProgress();
  if (Interrupted()) {
    Message(
        T("Transmission unsuccessful") + "! Interrupted" +
        (write ? ": the transmitter was reset and holds no complete configuration; write it again." : "."));
    return kExitInterrupted;
  }
  Message(T("Transmission unsuccessful") + "!");
  return kExitLine;
}

std::string TCliSession::KeepHistory(const app::TParamSet& p, const std::string& serial,
                                     app::THistoryEvent event) {
  const std::string dir = app::HistoryDirOf(settings_, env_.settingsDir);
  const app::THistoryEntry kept = app::KeepInHistory(dir, p, serial, env_.now(), event);
  if (kept.result) return kept.path;
  if (!historyWarned_)
    Message(T(kept.result.key) + ": " + dir + " (" + kept.result.detail + ")\n" +
            "The configuration history was not kept; the transmitter's work goes on.");
  historyWarned_ = true;
  return {};
}

}  // namespace vorta::cli
