#include <gtest/gtest.h>

#include <cerrno>

#include "done/done_log.h"
#include "done/done_messages.h"
#include "mock/faulty_file_system.h"
#include "mock/test_env.h"
#include "store/calendar.h"

namespace ploven::test {
namespace {

namespace t = done_text;

TimeOfDay At(int hour, int minute) { return static_cast<TimeOfDay>(hour * 60 + minute + 1); }

struct LineCase {
  const char* name;
  DoneLogFields fields;
  Regional regional;
  std::string expected;
};

Regional TwentyFourHourDayFirst() {
  Regional r;
  r.iTime = 1;
  r.iDate = 1;
  r.sDate = '.';
  return r;
}

class DoneLogLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(DoneLogLineTest, Formats) {
  const LineCase& c = GetParam();
  EXPECT_EQ(FormatDoneLogLine(c.fields, DateText{c.regional, {}}), c.expected);
}

const DayNumber kJan3 = static_cast<DayNumber>(MakeDay(1, 3, 2012));

INSTANTIATE_TEST_SUITE_P(
    Fields, DoneLogLineTest,
    ::testing::Values(
        LineCase{"TwelveHourWithLineBreaksInTheTitle",
                 {kJan3, At(9, 5), false, 45, false, 0, "Call\r\nBob\nback", "Home", 12, 3.5, 7},
                 Regional{},
                 "01/03/12\t09:05 am\t 45\t\tCall  Bob back\tHome\t12\t3.50\t7\r\n"},
        LineCase{"AfternoonInTwelveHourForm",
                 {kJan3, At(13, 30), false, 1200, false, 0, "Long", "", 0, 0, 0},
                 Regional{},
                 "01/03/12\t01:30 pm\t1200\t\tLong\t\t0\t0.00\t0\r\n"},
        LineCase{"FirstHourInTwentyFourHourFormWithNote",
                 {kJan3, At(0, 7), false, 5, true, 42, "Night", "P", -1, 12.25, 100},
                 TwentyFourHourDayFirst(),
                 "03.01.12\t00:07\t  5\t00042\tNight\tP\t-1\t12.25\t100\r\n"},
        LineCase{"NoBeganTimeLeavesTheTimeEmpty",
                 {kJan3, At(10, 0), true, 30, false, 0, "Undated start", "", 0, 0, 0},
                 TwentyFourHourDayFirst(),
                 "03.01.12\t\t 30\t\tUndated start\t\t0\t0.00\t0\r\n"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(DoneLogFileNameTest, MonthAbbreviationAndTwoDigitYearInTheScheduleFolder) {
  LocaleNames names;
  EXPECT_EQ(DoneLogFileName("/home/u/plans/", kJan3, names), "/home/u/plans/Jan12.log");
  EXPECT_EQ(DoneLogFileName("/home/u/plans", kJan3, names), "/home/u/plans/Jan12.log");
  names.monthAbbrevs[0] = "janv.";
  EXPECT_EQ(DoneLogFileName("d/", static_cast<DayNumber>(MakeDay(1, 31, 2005)), names),
            "d/janv.05.log");
}

TEST(DoneLogWriterTest, EachFailingStepIsReported) {
  struct Case {
    int step;  // 1 create, 2 write, 3 close
    std::string message;
  };
  TestEnv env;
  PosixFileSystem real;
  const std::string path = (env.dir / "Dec26.log").string();
  for (const Case& c : {Case{1, t::kOpenLogFailed},
                        Case{2, "Error writing to " + path + " file. The drive may be full."},
                        Case{3, "Error closing " + path + " file. The drive may be full."}}) {
    FaultyFileSystem fs(real);
    fs.FailAt(c.step, ENOSPC, false);
    env.ui.boxes.clear();
    EXPECT_FALSE(AppendToDoneLog(fs, env.msg, path, "line\r\n")) << c.step;
    ASSERT_EQ(env.ui.boxes.size(), 1u) << c.step;
    EXPECT_EQ(env.ui.boxes[0].text, c.message);
  }
}

}  // namespace
}  // namespace ploven::test
