#include "cli/usage.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/cli_messages.h"
#include "cli_runner.h"

namespace ploven::test {
namespace {

// The README's plovenctl block is what `plovenctl --help` prints.
TEST(UsageTest, TheReadmeShowsTheProgramsUsage) {
  const std::string readme = ReadText(PLOVEN_README);
  const std::string heading = "## plovenctl\n\n```\n";
  const size_t start = readme.find(heading);
  ASSERT_NE(start, std::string::npos) << "the README has no plovenctl block";
  const size_t begin = start + heading.size();
  const size_t end = readme.find("```\n", begin);
  ASSERT_NE(end, std::string::npos);
  TempDir dir;
  const CliRun help = RunCli(dir, {"--help"}, false);
  ASSERT_EQ(help.status, 0);
  EXPECT_EQ(help.out, cli::GeneralUsage());
  EXPECT_EQ(readme.substr(begin, end - begin), help.out)
      << "run scripts/update-readme-usage to write the usage into the README";
}

class CommandHelpTest : public ::testing::TestWithParam<cli::CommandUsage> {};

TEST_P(CommandHelpTest, EveryCommandHasItsPageAndIsKnown) {
  const cli::CommandUsage& c = GetParam();
  TempDir dir;
  const CliRun help = RunCli(dir, {c.name, "--help"});
  EXPECT_EQ(help.status, 0) << help.err;
  EXPECT_EQ(help.out, *cli::CommandHelp(c.name));
  EXPECT_TRUE(help.out.starts_with(std::string("usage: plovenctl [GLOBAL OPTION]... ") + c.name +
                                   (*c.synopsis != '\0' ? " " : "\n")))
      << help.out;
  EXPECT_NE(help.out.find(c.summary), std::string::npos);
  EXPECT_NE(cli::GeneralUsage().find(c.summary), std::string::npos);
  // The command runs (here with arguments it cannot use): it is not an unknown one.
  const CliRun run = RunCli(dir, {c.name, "no-such-file.pak", "x", "y", "z", "w", "v"});
  EXPECT_EQ(run.err.find("unknown command"), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandHelpTest, ::testing::ValuesIn(cli::CommandUsages()),
                         [](const auto& row) {
                           std::string name = row.param.name;
                           for (char& ch : name)
                             if (ch == '-') ch = '_';
                           return name;
                         });

TEST(UsageTest, AUsageErrorPointsAtTheHelp) {
  TempDir dir;
  const CliRun r = RunCli(dir, {"items"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            std::string("plovenctl: wrong arguments for items\n") + cli_text::kSeeHelp + "\n");
  const CliRun unknown = RunCli(dir, {"frobnicate", "--help"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown command frobnicate"), std::string::npos);
}

}  // namespace
}  // namespace ploven::test
