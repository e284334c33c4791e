// read, write and verify: the configuration between a parameter file and the transmitter, through
// the same workflows as the main window's Read, Write and Verify.
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/record_conversion.h"
#include "app/sensor_code.h"
#include "app/table_search.h"
#include "app/transfer_workflows.h"
#include "cli/cli_commands.h"
#include "cli/cli_json.h"
#include "comm/comm_state.h"
#include "comm/record_layout.h"
#include "docs/par_file.h"
#include "docs/param_compare.h"
#include "sensors/characteristic.h"

namespace vorta::cli {
namespace {

// The table file a set names, where the window would look for it first.
std::string TableFileFor(const TCliSession& s, const app::TParamSet& p) {
  if (!s.Options().table.empty()) return s.Options().table;
  if (p.File.empty()) return {};
  return app::FindTableFile(docs::BareFileName(p.File), s.Env().workingDir, s.Env().programDir).path;
}

// The window's note after a read that names a table the program does not hold.
void NameMissingTable(TCliSession& s, const app::TParamSet& p) {
  if (!p.noTab()) return;
  std::string text = s.T("User defined sensor or conversion") + "! " + s.T("No data available") + ".";
  if (!p.CoefMissing && !p.File.empty())
    text += " (" + s.T("source file") + ": " + docs::BareFileName(p.File) + ")";
  s.Message(text);
}

// The file over the transmitter's set, its characteristic completed, checked for a full write.
int LoadForWrite(TCliSession& s, const std::string& file, app::TParamSet& p, sensors::TUserTable& table,
                 sensors::TSensorRangeTable& ranges) {
  if (const int code = LoadFile(s, file, p, ranges)) return code;
  const std::string tablePath = TableFileFor(s, p);
  if (const TResult done = app::CompleteCharacteristic(p, table, ranges, tablePath); !done) {
    if (done.key == "No data available") {
      NameMissingTable(s, p);
      return kExitRefused;
    }
    std::string text = s.T(done.key) + (done.key.back() == '!' ? "" : "!") + "\n" + tablePath;
    if (!done.detail.empty()) text += " (" + s.T(done.detail) + ".)";
    s.Message(text);
    return kExitBadFile;
  }
  if (const TResult checked = app::CheckFullWrite(p, s.ConnectedModel()); !checked) {
    char connected[16];
    std::snprintf(connected, sizeof connected, "VTX%02d", s.ConnectedModel() % 100);
    s.Message(s.T(checked.key) + "! " + file + ": " + p.Device + ", " + s.PortName() + ": " + connected);
    return kExitRefused;
  }
  return kExitDone;
}

// The record a full write of p would send, for the day given.
int Encode(TCliSession& s, app::TParamSet& p, const sensors::TUserTable& table,
           const sensors::TSensorRangeTable& ranges, int dayNumber, comm::TDeviceRecord& rec) {
  const TResult encoded = app::PrepareFullWrite(p, table, ranges, s.ConnectedModel(), dayNumber, rec);
  if (encoded) return kExitDone;
  if (encoded.key == sensors::kNotMonotonicKey)
    s.Message(s.T("Transfer function") + " " + s.T("is not monotonic") + "!");
  else
    s.Message(s.T("Errors have been found!") + " (" + s.T("Transfer function") + ")\n" + s.T(encoded.key));
  return kExitBadFile;
}

// The file is checked before the line is touched, so a bad file costs no transfer.
int ProbeFile(TCliSession& s, const std::string& file) {
  app::TParamSet probe;
  sensors::TSensorRangeTable ranges;
  return LoadFile(s, file, probe, ranges);
}

}  // namespace

int LoadFile(TCliSession& s, const std::string& path, app::TParamSet& p, sensors::TSensorRangeTable& ranges) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    s.Message(s.T("Cannot open file") + ": " + path);
    return kExitBadFile;
  }
  if (const TResult r = docs::LoadParFile(path, p, ranges); !r) {
    s.Message(s.T(r.key) + "!\n" + path);
    return kExitBadFile;
  }
  p.CoefMissing = false;
  return kExitDone;
}

int ReadTransmitter(TCliSession& s, comm::TDeviceRecord& rec, app::TParamSet& p,
                    sensors::TSensorRangeTable& ranges, std::string& historyPath) {
  if (const int code = s.Connect()) return code;
  if (comm::Comm().Status.EepromError) {
    s.Message(s.T("EEPROM error") + "!");
    return kExitLine;
  }
  if (!app::ReadConfiguration(rec, p, ranges, s.Progress(s.T("Reading data..."))))
    return s.TransferFailed(false);
  s.EndProgress();
  historyPath = s.KeepHistory(p, app::SerialOfRecord(rec), app::THistoryEvent::kRead);
  return kExitDone;
}

std::string FieldsJson(const TCliSession& s, const app::TParamSet& p) {
  TJsonObject fields;
  for (const docs::TCompareRow& r : docs::CompareParamSets(p, p, s.Lang())) fields.Text(r.id, r.left);
  return fields.Str();
}

int RunRead(TCliSession& s) {
  comm::TDeviceRecord rec{};
  app::TParamSet p;
  sensors::TSensorRangeTable ranges;
  std::string history;
  if (const int code = ReadTransmitter(s, rec, p, ranges, history)) return code;
  NameMissingTable(s, p);
  docs::TLineBuffer lines;
  docs::ComposeParFile(p, lines, docs::LocaleDecimalSeparator());
  std::string text;
  for (const std::string& line : lines.Lines()) text += line + "\r\n";
  const std::string& output = s.Options().output;
  if (!output.empty()) {
    if (const TResult saved = docs::SaveParFile(output, p); !saved) {
      s.Message(s.T(saved.key) + ": " + output + " (" + saved.detail + ")");
      return kExitBadFile;
    }
  }
  if (s.Options().json) {
    TJsonObject o;
    o.Text("command", "read").Text("port", s.PortName()).Text("serial", app::SerialOfRecord(rec));
    o.TextOrNull("output", output).TextOrNull("history", history);
    o.TextOrNull("table", p.noTab() && !p.CoefMissing ? docs::BareFileName(p.File) : "");
    o.Raw("fields", FieldsJson(s, p));
    if (output.empty()) o.Text("par", text);
    s.Json(o.Str());
  } else if (output.empty()) {
    s.Out() << text << std::flush;
  }
  return kExitDone;
}

int RunWrite(TCliSession& s) {
  const std::string& file = s.Options().files.front();
  if (const int code = ProbeFile(s, file)) return code;
  comm::TDeviceRecord rec{};
  app::TParamSet p;
  sensors::TSensorRangeTable ranges;
  std::string readHistory;
  if (const int code = ReadTransmitter(s, rec, p, ranges, readHistory)) return code;
  const std::string serial = app::SerialOfRecord(rec);
  auto table = std::make_unique<sensors::TUserTable>();
  if (const int code = LoadForWrite(s, file, p, *table, ranges)) return code;
  if (const int code = Encode(s, p, *table, ranges, -1, rec)) return code;

  const bool verify = s.Options().verify;
  const app::TWriteOutcome w =
      app::WriteAndVerify(rec, verify, s.Progress(s.T("Writing data...")), s.Progress(s.T("Verifying...")));
  if (w.stage == app::TWriteStage::kWriteFailed) return s.TransferFailed(true);
  s.EndProgress();
  const std::string writtenHistory = s.KeepHistory(p, serial, app::THistoryEvent::kWritten);
  s.Message(s.T("Transmitter programmed"));
  int code = kExitDone;
  if (w.stage == app::TWriteStage::kVerifyFailed) code = s.TransferFailed(false);
  if (w.stage == app::TWriteStage::kDiffers) {
    s.Message(s.T("Errors have been found!") + " " + s.T("Verification ended with errors"));
    code = kExitDiffers;
  }
  if (w.stage == app::TWriteStage::kDone && verify) s.Message(s.T("Verification successful"));
  if (s.Options().json) {
    TJsonObject o;
    o.Text("command", "write").Text("port", s.PortName()).Text("serial", serial).Text("file", file);
    o.Bool("written", true);
    o.Raw("verified", !verify ? "null" : w.stage == app::TWriteStage::kDone ? "true" : "false");
    o.Raw("history",
          TJsonObject().TextOrNull("read", readHistory).TextOrNull("written", writtenHistory).Str());
    o.Number("exit", code);
    s.Json(o.Str());
  }
  return code;
}

int RunVerify(TCliSession& s) {
  const std::string& file = s.Options().files.front();
  if (const int code = ProbeFile(s, file)) return code;
  comm::TDeviceRecord rec{};
  app::TParamSet held;
  sensors::TSensorRangeTable ranges;
  std::string history;
  if (const int code = ReadTransmitter(s, rec, held, ranges, history)) return code;
  app::TParamSet p = held;
  auto table = std::make_unique<sensors::TUserTable>();
  if (const int code = LoadForWrite(s, file, p, *table, ranges)) return code;
  // The date a write would give is not a difference: the file is encoded for the transmitter's.
  comm::TDeviceRecord expected = rec;
  if (const int code = Encode(s, p, *table, ranges, rec.GetWord(comm::rec::kConfigDate), expected))
    return code;
  comm::TDeviceImage image{};
  comm::EncodeImage(expected, image);
  comm::TSentImage sent;
  sent.TakeFullWrite(image);
  const comm::VerifyOutcome outcome = comm::RunVerify(sent, s.Progress(s.T("Verifying...")));
  if (outcome != comm::VerifyOutcome::kEqual && outcome != comm::VerifyOutcome::kDiffers)
    return s.TransferFailed(false);
  s.EndProgress();
  const bool equal = outcome == comm::VerifyOutcome::kEqual;
  // The fields are compared as the file would be written, so that a value the transmitter cannot
  // hold exactly (a time constant between two filter counts) is no difference.
  app::TParamSet written = held;
  sensors::TSensorRangeTable writtenRanges = ranges;
  app::TakeReadRecord(expected, written, writtenRanges);
  const std::vector<docs::TCompareRow> rows = docs::CompareParamSets(held, written, s.Lang());
  std::vector<std::string> differing;
  for (const docs::TCompareRow& r : rows)
    if (r.differs && !equal) differing.push_back(r.name + ": " + r.left + "  ->  " + r.right);
  // Bytes that no named field explains belong to the characteristic written from them.
  if (!equal && differing.empty()) differing.push_back(s.T("Transfer function"));
  for (const std::string& d : differing) s.Message(d);
  s.Message(equal ? s.T("Verification successful")
                  : s.T("Errors have been found!") + " " + s.T("Verification ended with errors"));
  if (s.Options().json) {
    std::vector<std::string> items;
    for (const docs::TCompareRow& r : rows)
      if (r.differs && !equal)
        items.push_back(TJsonObject()
                            .Text("field", r.id)
                            .Text("name", r.name)
                            .Text("transmitter", r.left)
                            .Text("file", r.right)
                            .Str());
    TJsonObject o;
    o.Text("command", "verify")
        .Text("port", s.PortName())
        .Text("serial", app::SerialOfRecord(rec))
        .Text("file", file);
    o.Bool("equal", equal).Raw("differences", JsonArray(items)).TextOrNull("history", history);
    s.Json(o.Str());
  }
  return equal ? kExitDone : kExitDiffers;
}

}  // namespace vorta::cli
