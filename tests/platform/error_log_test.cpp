#include "platform/error_log.h"

#include <gtest/gtest.h>

#include <ctime>

#include "platform/event_trace.h"
#include "temp_folder.h"

namespace ploven {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

// Epoch seconds of a local date and time.
double LocalEpoch(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  return static_cast<double>(std::mktime(&t));
}

class ErrorLogTest : public ::testing::Test {
 protected:
  ErrorLogTest() : m_clock(100, 600), m_log(m_dir / "PlovenErrorLog.txt", m_clock) {
    m_clock.SetEpochSeconds(LocalEpoch(2009, 3, 7, 14, 5, 9) + 0.25);
  }
  TempFolder m_dir;
  SettableClock m_clock;
  ErrorLog m_log;
};

TEST_F(ErrorLogTest, LineHasDateTimeAndMessageCutTo150) {
  ASSERT_TRUE(m_log.Append("first"));
  ASSERT_TRUE(m_log.Append(std::string(200, 'x')));
  EXPECT_EQ(ReadAll(m_log.Path()),
            "3/7/09 14:05:09.25 first\n3/7/09 14:05:09.25 " + std::string(150, 'x') + "\n");
}

TEST_F(ErrorLogTest, AFileThatCannotBeOpenedDropsTheLine) {
  ErrorLog nowhere(m_dir / "missing" / "PlovenErrorLog.txt", m_clock);
  EXPECT_FALSE(nowhere.Append("lost"));
  EXPECT_FALSE(std::filesystem::exists(m_dir / "missing"));
}

struct TrimCase {
  const char* name;
  std::string content;
  std::string expected;
};

std::string Lines(size_t count, size_t lineLength) {
  std::string s;
  for (size_t i = 0; i < count; ++i) {
    std::string line = std::to_string(i);
    line.resize(lineLength - 1, '.');
    s += line + "\n";
  }
  return s;
}

class TrimTest : public ErrorLogTest, public ::testing::WithParamInterface<TrimCase> {};

TEST_P(TrimTest, KeepsWholeLinesOfTheLast500000Bytes) {
  WriteAll(m_log.Path(), GetParam().content);
  ASSERT_TRUE(m_log.Trim());
  const std::string after = ReadAll(m_log.Path());
  EXPECT_LE(after.size(), ErrorLog::kTrimSize);
  EXPECT_TRUE(after == GetParam().expected) << "size " << after.size();
  EXPECT_FALSE(std::filesystem::exists(m_dir / "PlovenErrorLog.tmp"));
}

// 100-byte lines: 5000 of them are exactly 500,000 bytes.
const std::string kExact = Lines(5000, 100);

INSTANTIATE_TEST_SUITE_P(
    Cases, TrimTest,
    ::testing::Values(TrimCase{"ExactlyTheLimitStays", kExact, kExact},
                      // One byte more: the first line loses its first byte, so the whole line goes.
                      TrimCase{"OneByteMoreDropsThePartialLine", "x" + kExact, kExact.substr(100)},
                      // The cut falls exactly on a line start: that line is whole and stays.
                      TrimCase{"CutAtALineStartKeepsThatLine", Lines(1, 100) + kExact, kExact},
                      TrimCase{"NoLineBreakLeavesNothing", std::string(500001, 'z'), ""}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(ErrorLogTest, TrimOfAMissingLogFailsQuietly) {
  EXPECT_FALSE(m_log.Trim());
  EXPECT_FALSE(std::filesystem::exists(m_log.Path()));
}

TEST(LogStamp, MidnightAndSingleDigits) {
  const LogStamp s = LogStampAt(LocalEpoch(2010, 12, 31, 0, 0, 0));
  EXPECT_EQ(s.date, "12/31/10");
  EXPECT_EQ(s.time, "0:00:00.00");
}

class EventTraceTest : public ErrorLogTest {
 protected:
  EventTrace m_trace{m_log};
};

TEST_F(EventTraceTest, RingKeepsTheLast110OldestFirst) {
  for (int i = 0; i < 115; ++i) m_trace.Add("e" + std::to_string(i));
  const auto entries = m_trace.Entries();
  ASSERT_EQ(entries.size(), EventTrace::kSize);
  EXPECT_EQ(entries.front(), "e5");
  EXPECT_EQ(entries.back(), "e114");
  EXPECT_FALSE(std::filesystem::exists(m_log.Path()));
}

TEST_F(EventTraceTest, DumpWritesOldestFirstAndEmptiesTheRing) {
  m_trace.Add("one");
  m_trace.Add("two");
  m_trace.Dump();
  EXPECT_EQ(ReadAll(m_log.Path()), "one\ntwo\n");
  EXPECT_EQ(m_trace.Count(), 0u);
  m_trace.Add("three");
  EXPECT_EQ(m_trace.Entries(), (std::vector<std::string>{"three"}));
}

TEST(ErrorLogSetting, OnlyYesInAnyCaseTurnsItOn) {
  EXPECT_TRUE(ErrorLogSettingOn("YES"));
  EXPECT_TRUE(ErrorLogSettingOn("yes"));
  EXPECT_TRUE(ErrorLogSettingOn("yEs"));
  EXPECT_FALSE(ErrorLogSettingOn("NO"));
  EXPECT_FALSE(ErrorLogSettingOn("Y"));
  EXPECT_FALSE(ErrorLogSettingOn("YES "));
  EXPECT_FALSE(ErrorLogSettingOn(""));
}

}  // namespace
}  // namespace ploven
