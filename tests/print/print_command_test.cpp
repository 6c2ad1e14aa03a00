#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "pdf_text.h"

namespace ploven::test {
namespace {

// `plovenctl print` writes the printouts as PDF without a display.
class PrintCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Run({"new", "s.pak"}).status, 0);
    Add({"--title", "Dentist", "--date", "2026-12-09", "--start", "9:00", "--duration", "1:00",
         "--fixed"});
    Add({"--title", "!Therapist", "--date", "2026-12-09", "--start", "11:00", "--fixed"});
    Add({"--title", "Review", "--date", "2026-12-09", "--start", "14:00", "--fixed"});
  }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
  void Add(std::vector<std::string> args) {
    args.insert(args.begin(), {"add", "s.pak"});
    const CliRun r = Run(args);
    ASSERT_EQ(r.status, 0) << r.err;
  }
  std::filesystem::path Out() const { return dir / "out.pdf"; }
  TempDir dir;
};

TEST_F(PrintCommandTest, DaySheetOfTomorrow) {
  const CliRun r = Run({"print", "s.pak", "day", "--from", "2026-12-09", "--pdf", "out.pdf"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1 page\n");
  const std::string text = PdfText(Out());
  const size_t dentist = text.find("9:00a");
  const size_t review = text.find("2:00p");
  ASSERT_NE(dentist, std::string::npos) << text;
  ASSERT_NE(review, std::string::npos) << text;
  EXPECT_LT(dentist, review);
  EXPECT_NE(text.find("Dentist"), std::string::npos);
  EXPECT_EQ(text.find("Therapist"), std::string::npos);
}

TEST_F(PrintCommandTest, PrivateItemsWhenAskedFor) {
  const CliRun r = Run(
      {"print", "s.pak", "day", "--from", "2026-12-09", "--private", "--pdf", "out.pdf"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(PdfText(Out()).find("!Therapist"), std::string::npos);
}

TEST_F(PrintCommandTest, EveryPrintoutRenders) {
  for (const char* what : {"priority", "priority-first", "alphabetical", "projects", "week",
                           "4weeks", "month", "quarter", "underscored", "notes", "mine"}) {
    std::filesystem::remove(Out());
    const CliRun r = Run({"print", "s.pak", what, "--pdf", "out.pdf"});
    EXPECT_EQ(r.status, 0) << what << ": " << r.err;
    EXPECT_GE(PdfPages(Out()), 1) << what;
  }
  const CliRun range = Run({"print", "s.pak", "calendar", "--from", "2026-12-01", "--to",
                            "2027-02-28", "--format", "months", "--pdf", "out.pdf"});
  ASSERT_EQ(range.status, 0) << range.err;
  EXPECT_EQ(PdfPages(Out()), 3);
  EXPECT_EQ(range.out, "3 pages\n");
  EXPECT_NE(PdfText(Out(), 1).find("9:00a Dentist"), std::string::npos);
}

TEST_F(PrintCommandTest, BadRequestsAreRefusedAndWriteNothing) {
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const std::vector<Case> cases = {
      {{"print", "s.pak", "day"}, 2},                                    // no --pdf
      {{"print", "s.pak", "posters", "--pdf", "out.pdf"}, 2},            // no such printout
      {{"print", "s.pak", "calendar", "--format", "wide", "--pdf", "out.pdf"}, 2},
      {{"print", "s.pak", "day", "--from", "someday", "--pdf", "out.pdf"}, 1},
      {{"print", "s.pak", "day", "--from", "2026-12-09", "--to", "2026-12-01", "--pdf", "out.pdf"},
       1},
      {{"print", "s.pak", "day", "--from", "2026-01-01", "--to", "2027-12-31", "--pdf", "out.pdf"},
       1},
      {{"print", "missing.pak", "day", "--pdf", "out.pdf"}, 1},
      {{"print", "s.pak", "day", "--pdf", "no/such/folder/out.pdf"}, 1},
  };
  for (const Case& c : cases) {
    const CliRun r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args[2] << " " << r.err;
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(std::filesystem::exists(Out()));
  }
}

}  // namespace
}  // namespace ploven::test
