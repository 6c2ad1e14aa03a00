#include "done/done_log_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "store/calendar.h"

namespace ploven::test {
namespace {

DayNumber Day(int month, int day, int year) {
  return static_cast<DayNumber>(MakeDay(month, day, year));
}

constexpr TimeOfDay At(int hour, int minute = 0) {
  return static_cast<TimeOfDay>(hour * 60 + minute + 1);
}

DateText Text(int dateOrder, bool hours24, char dateSeparator = '/') {
  DateText t;
  t.regional.iDate = dateOrder;
  t.regional.iTime = hours24 ? 1 : 0;
  t.regional.sDate = dateSeparator;
  return t;
}

// What the archiver writes is what the reader reads, in every date order and clock.
TEST(DoneLogReaderTest, ReadsBackWhatTheArchiverWrites) {
  DoneLogFields f;
  f.day = Day(1, 3, 2012);
  f.start = At(14, 5);
  f.duration = 95;
  f.hasNote = true;
  f.noteNumber = 42;
  f.title = "Call the bank\r\nabout the loan";
  f.project = "House";
  f.jobNumber = 1207;
  f.expense = 12.5;
  f.mileage = 33;
  for (const int order : {0, 1, 2}) {
    for (const bool hours24 : {false, true}) {
      const DateText text = Text(order, hours24, order == 2 ? '-' : '/');
      const std::string line = FormatDoneLogLine(f, text);
      const DoneLogContents c = ReadDoneLog(line + line, "Jan12.log", text, {1, 2012});
      ASSERT_TRUE(c.problems.empty()) << line << c.problems[0].reason;
      ASSERT_EQ(c.entries.size(), 2u);
      const DoneLogFields& r = c.entries[0];
      EXPECT_EQ(r.day, f.day) << line;
      EXPECT_EQ(r.start, f.start) << line;
      EXPECT_FALSE(r.noBeganTime);
      EXPECT_EQ(r.duration, 95);
      EXPECT_TRUE(r.hasNote);
      EXPECT_EQ(r.noteNumber, 42);
      EXPECT_EQ(r.title, "Call the bank  about the loan");
      EXPECT_EQ(r.project, "House");
      EXPECT_EQ(r.jobNumber, 1207);
      EXPECT_DOUBLE_EQ(r.expense, 12.5);
      EXPECT_EQ(r.mileage, 33);
    }
  }
}

struct LineRow {
  const char* name;
  const char* line;
  DayNumber day;
  TimeOfDay start;  // kNoTime: no Began time
  const char* title;
};

class DoneLogReadLineTest : public ::testing::TestWithParam<LineRow> {};

TEST_P(DoneLogReadLineTest, ReadsTheLine) {
  const LineRow& row = GetParam();
  DoneLogFields f;
  std::string reason;
  ASSERT_TRUE(ParseDoneLogLine(row.line, Text(0, false), {3, 2026}, f, reason)) << reason;
  EXPECT_EQ(f.day, row.day);
  EXPECT_EQ(f.start, row.start);
  EXPECT_EQ(f.noBeganTime, row.start == kNoTime);
  EXPECT_EQ(f.title, row.title);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DoneLogReadLineTest,
    ::testing::Values(
        LineRow{"MonthFirst", "03/04/26\t09:00 am\t 30\t\tMail\t\t0\t0.00\t0", Day(3, 4, 2026),
                At(9), "Mail"},
        // Written under day-first settings; the file's month (March) settles it.
        LineRow{"DayFirstByTheFilesMonth", "25/03/26\t21:15\t 30\t\tMail\t\t0\t0.00\t0",
                Day(3, 25, 2026), At(21, 15), "Mail"},
        LineRow{"YearFirst", "26-03-25\t00:05\t 30\t\tMail\t\t0\t0.00\t0", Day(3, 25, 2026),
                At(0, 5), "Mail"},
        LineRow{"NoonAndMidnightIn12Hours", "03/04/26\t12:00 am\t 30\t\tMail\t\t0\t0.00\t0",
                Day(3, 4, 2026), At(0), "Mail"},
        LineRow{"PmAfternoon", "03/04/26\t01:30 pm\t 30\t\tMail\t\t0\t0.00\t0", Day(3, 4, 2026),
                At(13, 30), "Mail"},
        LineRow{"NoBeganTime", "03/04/26\t\t 30\t\tFiling\t\t0\t0.00\t0", Day(3, 4, 2026), kNoTime,
                "Filing"},
        LineRow{"TitleWithATabKeepsIt", "03/04/26\t\t 30\t\tA\tB\tWork\t0\t0.00\t0",
                Day(3, 4, 2026), kNoTime, "A\tB"},
        LineRow{"EmptyTitle", "03/04/26\t\t 30\t\t\t\t0\t0.00\t0", Day(3, 4, 2026), kNoTime, ""}),
    [](const ::testing::TestParamInfo<LineRow>& row) { return std::string(row.param.name); });

// Damaged lines are told with their file and line number and skipped; the rest is read.
TEST(DoneLogReaderTest, DamagedLinesAreToldAndSkipped) {
  const std::string good = "03/04/26\t09:00\t 30\t\tMail\tHome\t0\t0.00\t0\r\n";
  const char* damaged[] = {
      "03/04/26\t09:00\t 30\n",                               // too few fields
      "13/13/26\t09:00\t 30\t\tMail\tHome\t0\t0.00\t0\n",     // no such date
      "03/04/75\t09:00\t 30\t\tMail\tHome\t0\t0.00\t0\n",     // a year before 1980
      "03/04/26\t25:00\t 30\t\tMail\tHome\t0\t0.00\t0\n",     // no such hour
      "03/04/26\t09:00 xm\t 30\t\tMail\tHome\t0\t0.00\t0\n",  // no such marker
      "03/04/26\t09:00\tabc\t\tMail\tHome\t0\t0.00\t0\n",     // duration
      "03/04/26\t09:00\t-5\t\tMail\tHome\t0\t0.00\t0\n",      // negative duration
      "03/04/26\t09:00\t 30\tx1\tMail\tHome\t0\t0.00\t0\n",   // note number
      "03/04/26\t09:00\t 30\t\tMail\tHome\tJ7\t0.00\t0\n",    // job number
      "03/04/26\t09:00\t 30\t\tMail\tHome\t0\tnan\t0\n",      // expense
      "03/04/26\t09:00\t 30\t\tMail\tHome\t0\t0.00\t9e99\n",  // mileage
      "\x01\xff\xfe garbage\n",                               // anything at all
  };
  std::string text = good;
  for (const char* line : damaged) text += std::string(line) + good;
  const DoneLogContents c = ReadDoneLog(text, "/logs/Mar26.log", Text(0, true), {3, 2026});
  EXPECT_EQ(c.entries.size(), std::size(damaged) + 1);
  ASSERT_EQ(c.problems.size(), std::size(damaged));
  for (size_t i = 0; i < c.problems.size(); ++i) {
    EXPECT_EQ(c.problems[i].file, "/logs/Mar26.log");
    EXPECT_EQ(c.problems[i].line, static_cast<int>(2 * i + 2));
    EXPECT_FALSE(c.problems[i].reason.empty());
  }
}

TEST(DoneLogReaderTest, BlankLinesAndAMissingLastLineEndAreFine) {
  const DoneLogContents c = ReadDoneLog(
      "\r\n03/04/26\t09:00\t 30\t\tMail\t\t0\t0.00\t0\r\n\n03/05/26\t\t 5\t\tX\t\t0\t1\t2",
      "Mar26.log", Text(0, true));
  EXPECT_TRUE(c.problems.empty());
  ASSERT_EQ(c.entries.size(), 2u);
  EXPECT_EQ(c.entries[1].day, Day(3, 5, 2026));
  EXPECT_EQ(c.entries[1].mileage, 2);
}

// The fuzzer's corpus goes through the reader as well: every line is read or told, never both.
TEST(DoneLogReaderTest, TheFuzzCorpusIsReadWithoutHarm) {
  const std::filesystem::path corpus =
      std::filesystem::path(PLOVEN_TEST_DATA) / ".." / ".." / "fuzz" / "done_log_corpus";
  ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    const DoneLogContents c = ReadDoneLog(text, entry.path().string(), Text(0, false));
    size_t lines = 0;
    for (const char ch : text) lines += ch == '\n';
    EXPECT_LE(c.entries.size() + c.problems.size(), lines + 1) << entry.path();
    ++files;
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace ploven::test

namespace ploven::test {
namespace {

// Amounts are read to the very same double the general number reader gives, in every form a
// log may hold (hand-edited ones too).
TEST(DoneLogReaderTest, AmountsReadExactlyAsWritten) {
  const char* amounts[] = {"0.00",  "12.50", "0.10",   "1234.56", "3",        "7.",
                           ".5",    "-2.25", "1e3",    "0.3",     "99999.99", "123456789012.345",
                           " 4.75", "0.07",  "1.005"};
  for (const char* amount : amounts) {
    const std::string line =
        std::string("03/04/26\t09:00\t 30\t\tMail\tHome\t0\t") + amount + "\t0";
    DoneLogFields f;
    std::string reason;
    ASSERT_TRUE(ParseDoneLogLine(line, DateText{}, {3, 2026}, f, reason)) << amount << reason;
    EXPECT_EQ(f.expense, std::stod(amount)) << amount;
  }
}

}  // namespace
}  // namespace ploven::test
