// vorta-cli's command line: what each subcommand takes, and what is refused before anything runs.
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_run.h"
#include "cli/cli_session.h"

namespace vorta::cli {
namespace {

TEST(CliOptions, EachSubcommandTakesItsOptionsInEitherForm) {
  TParsedArgs a =
      ParseCliArgs({"write", "--port", "COM3", "k.par", "--table=t.dat", "--no-verify", "--json"});
  ASSERT_EQ(a.error, "");
  EXPECT_EQ(a.options.command, TCommand::kWrite);
  EXPECT_EQ(a.options.port, 3);
  EXPECT_EQ(a.options.files, std::vector<std::string>{"k.par"});
  EXPECT_EQ(a.options.table, "t.dat");
  EXPECT_FALSE(a.options.verify);
  EXPECT_TRUE(a.options.json);

  a = ParseCliArgs({"read", "-o", "out.par", "--port=com12", "--language", "Polski"});
  ASSERT_EQ(a.error, "");
  EXPECT_EQ(a.options.output, "out.par");
  EXPECT_EQ(a.options.port, 12);
  EXPECT_EQ(a.options.language, "Polski");
  EXPECT_TRUE(a.options.verify);

  a = ParseCliArgs({"monitor", "--interval", "0.25", "--count", "10"});
  ASSERT_EQ(a.error, "");
  EXPECT_DOUBLE_EQ(a.options.intervalS, 0.25);
  EXPECT_EQ(a.options.count, 10);
  EXPECT_EQ(a.options.port, 0);  // from Vorta.ini

  EXPECT_EQ(ParseCliArgs({"diff", "a.par", "b.par"}).error, "");
  EXPECT_EQ(ParseCliArgs({"diff", "--port", "COM1", "a.par"}).error, "");
  EXPECT_EQ(ParseCliArgs({"ports", "--json"}).error, "");
  EXPECT_EQ(ParseCliArgs({"verify", "a.par", "--table", "t.dat"}).error, "");
  EXPECT_EQ(ParseCliArgs({"read", "--help"}).options.command, TCommand::kHelp);
}

TEST(CliOptions, WrongCommandLinesAreRefusedWithWhatIsWrong) {
  const struct {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{}, "no subcommand given"},
      {{"program"}, "unknown subcommand \"program\""},
      {{"read", "--table", "t.dat"}, "read does not take --table"},
      {{"write"}, "give one parameter file (FILE.par)"},
      {{"write", "a.par", "b.par"}, "give one parameter file (FILE.par)"},
      {{"diff", "a.par"}, "diff takes two parameter files, or --port and one file"},
      {{"diff", "--port", "COM1", "a.par", "b.par"}, "diff --port takes one parameter file"},
      {{"read", "extra"}, "unexpected argument \"extra\""},
      {{"read", "--port", "COM0"}, "--port takes a port name such as COM1, not \"COM0\""},
      {{"read", "--port", "/dev/ttyS0"}, "--port takes a port name such as COM1, not \"/dev/ttyS0\""},
      {{"read", "--port"}, "--port takes a value"},
      {{"read", "-o", ""}, "--output takes a name"},
      {{"monitor", "--interval", "-1"}, "--interval takes seconds from 0 to 86400, not \"-1\""},
      {{"monitor", "--interval", "nan"}, "--interval takes seconds from 0 to 86400, not \"nan\""},
      {{"monitor", "--count", "0"}, "--count takes a number of lines from 1, not \"0\""},
      {{"monitor", "--count", "5x"}, "--count takes a number of lines from 1, not \"5x\""},
      {{"ports", "--json=yes"}, "--json takes no value"},
      {{"write", "a.par", "--no-verify=1"}, "--no-verify takes no value"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCliArgs(c.args).error, c.error);
}

TEST(CliOptions, AWrongCommandLineExitsWithUsageAndHelpDocumentsEveryExitCode) {
  std::ostringstream out, err;
  TCliEnv env;
  env.out = &out;
  env.err = &err;
  EXPECT_EQ(RunCli({"frobnicate"}, env), kExitUsage);
  EXPECT_EQ(err.str(),
            "vorta-cli: unknown subcommand \"frobnicate\"\nvorta-cli --help lists the subcommands.\n");
  EXPECT_TRUE(out.str().empty());
  EXPECT_EQ(RunCli({"--help"}, env), kExitDone);
  for (const char* code :
       {"\n  0    done", "\n  1    verify or diff", "\n  2    line failure", "\n  3    bad file",
        "\n  4    refused", "\n  64   wrong command line", "\n  130  interrupted"})
    EXPECT_NE(out.str().find(code), std::string::npos) << code;
}

TEST(CliOptions, PortNamesInAnyCaseOrAsNumbers) {
  EXPECT_EQ(ParsePortName("COM7"), 7);
  EXPECT_EQ(ParsePortName("com7"), 7);
  EXPECT_EQ(ParsePortName("7"), 7);
  EXPECT_EQ(ParsePortName("COM"), 0);
  EXPECT_EQ(ParsePortName("ttyS0"), 0);
}

}  // namespace
}  // namespace vorta::cli
