// Parsing the command line of vorta-cli.
#include "cli/cli_options.h"

#include <charconv>
#include <cmath>
#include <map>
#include <set>

#include "comm/port_list.h"

namespace vorta::cli {
namespace {

constexpr double kMaxIntervalS = 86400;
constexpr long kMaxCount = 1000000000;

const std::map<std::string, TCommand> kCommands = {
    {"ports", TCommand::kPorts},   {"read", TCommand::kRead},       {"write", TCommand::kWrite},
    {"verify", TCommand::kVerify}, {"monitor", TCommand::kMonitor}, {"diff", TCommand::kDiff},
};

// The options each subcommand takes besides --json, --language and --help.
std::set<std::string> OptionsOf(TCommand c) {
  switch (c) {
    case TCommand::kRead:
      return {"--port", "--output"};
    case TCommand::kWrite:
      return {"--port", "--table", "--no-verify"};
    case TCommand::kVerify:
      return {"--port", "--table"};
    case TCommand::kMonitor:
      return {"--port", "--interval", "--count"};
    case TCommand::kDiff:
      return {"--port"};
    case TCommand::kHelp:
    case TCommand::kPorts:
      break;
  }
  return {};
}

std::string LongName(const std::string& arg) {
  if (arg == "-o") return "--output";
  if (arg == "-h") return "--help";
  return arg;
}

bool ParseNumber(const std::string& text, double& v) {
  const char* end = text.data() + text.size();
  const auto r = std::from_chars(text.data(), end, v);
  return r.ec == std::errc{} && r.ptr == end && std::isfinite(v);
}

bool ParseCount(const std::string& text, long& v) {
  const char* end = text.data() + text.size();
  const auto r = std::from_chars(text.data(), end, v);
  return r.ec == std::errc{} && r.ptr == end && v >= 1 && v <= kMaxCount;
}

// Stores one option's value; the error when it is no value the option takes.
std::string Store(const std::string& name, const std::string& value, TCliOptions& o) {
  if (name == "--port") {
    o.port = ParsePortName(value);
    return o.port ? "" : "--port takes a port name such as COM1, not \"" + value + "\"";
  }
  if (name == "--interval") {
    const bool ok = ParseNumber(value, o.intervalS) && o.intervalS >= 0 && o.intervalS <= kMaxIntervalS;
    return ok ? "" : "--interval takes seconds from 0 to 86400, not \"" + value + "\"";
  }
  if (name == "--count")
    return ParseCount(value, o.count) ? "" : "--count takes a number of lines from 1, not \"" + value + "\"";
  if (value.empty()) return name + " takes a name";
  if (name == "--output") o.output = value;
  if (name == "--table") o.table = value;
  if (name == "--language") o.language = value;
  return "";
}

std::string CheckFiles(const TCliOptions& o) {
  const std::size_t n = o.files.size();
  switch (o.command) {
    case TCommand::kWrite:
    case TCommand::kVerify:
      return n == 1 ? "" : "give one parameter file (FILE.par)";
    case TCommand::kDiff:
      if (o.port) return n == 1 ? "" : "diff --port takes one parameter file";
      return n == 2 ? "" : "diff takes two parameter files, or --port and one file";
    case TCommand::kHelp:
      return "";
    case TCommand::kPorts:
    case TCommand::kRead:
    case TCommand::kMonitor:
      break;
  }
  return n == 0 ? "" : "unexpected argument \"" + o.files.front() + "\"";
}

}  // namespace

int ParsePortName(const std::string& text) {
  std::string upper = text;
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (upper.rfind("COM", 0) == 0) return comm::ComNumberOf(upper);
  return comm::ComNumberOf("COM" + upper);
}

TParsedArgs ParseCliArgs(const std::vector<std::string>& args) {
  TParsedArgs r;
  TCliOptions& o = r.options;
  if (args.empty()) return {o, "no subcommand given"};
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") return {o, ""};
  const auto command = kCommands.find(args[0]);
  if (command == kCommands.end()) return {o, "unknown subcommand \"" + args[0] + "\""};
  o.command = command->second;
  const std::set<std::string> allowed = OptionsOf(o.command);
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a[0] != '-') {
      o.files.push_back(a);
      continue;
    }
    const std::size_t eq = a.find('=');
    const std::string name = LongName(a.substr(0, eq));
    if (name != "--json" && name != "--language" && !allowed.count(name))
      return {o, args[0] + " does not take " + a.substr(0, eq)};
    if (name == "--json" || name == "--no-verify") {
      if (eq != std::string::npos) return {o, name + " takes no value"};
      if (name == "--json")
        o.json = true;
      else
        o.verify = false;
      continue;
    }
    std::string value;
    if (eq != std::string::npos) {
      value = a.substr(eq + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      return {o, name + " takes a value"};
    }
    if (std::string error = Store(name, value, o); !error.empty()) return {o, error};
  }
  r.error = CheckFiles(o);
  return r;
}

}  // namespace vorta::cli
