// Two readers that share nothing with Ploven read an exported schedule: python3-icalendar with
// python3-dateutil's rule expansion, and calcurse's import. Over ten years, each recurrence
// kind written as an RRULE must give them the dates Ploven plans.

#include <cstdio>
#include <fstream>

#include "ical/recurrence_rule.h"
#include "ical_fixture.h"

namespace ploven::test {
namespace {

constexpr int kTenYears = 3653;

struct SeriesCase {
  const char* title;
  Beta rule;
  bool allDay;
};

Beta With(Beta b, uint8_t dayBits, uint32_t dateBits) {
  b.dayBits = dayBits;
  b.dateBits = dateBits;
  return b;
}

std::vector<SeriesCase> Cases() {
  const DayNumber today = TestEnv::kToday;  // Tuesday 8 December 2026
  return {
      {"Daily", Rule(kFreqDaily, 1, today), false},
      {"Every third day", Rule(kFreqDaily, 3, Day(2026, 12, 3)), false},
      {"Mondays and Wednesdays", With(Rule(kFreqWeekly, 1, Day(2026, 12, 7)), 0x0a, 0), false},
      {"Every other week from a Thursday", With(Rule(kFreqWeekly, 2, Day(2026, 12, 10)), 0x22, 0),
       false},
      {"Every other week, Thursday on", With(Rule(kFreqWeekly, 2, Day(2026, 12, 10)), 0x70, 0),
       false},
      {"Every third week", Rule(kFreqWeekly, 3, Day(2026, 12, 9)), true},
      {"First fifteenth and last",
       With(Rule(kFreqMonthly, 1, Day(2026, 12, 1)), 0, 1u | (1u << 14) | kDateBitLast), true},
      {"Thirtieth or last",
       With(Rule(kFreqMonthly, 1, Day(2026, 12, 1)), 0, (1u << 29) | kDateBitLast), false},
      {"Every other month", With(Rule(kFreqMonthly, 2, Day(2027, 1, 1)), 0, (1u << 4) | (1u << 19)),
       false},
      {"The thirty-first", Rule(kFreqMonthly, 1, Day(2026, 12, 31)), true},
      {"Weeks of the month",
       With(Rule(kFreqMonthly, 1, Day(2026, 12, 1)), 1u << 5,
            kDateBitsLastWeek | (1u << 2) | (1u << 15)),
       false},
      {"Every third month's second Tuesday",
       With(Rule(kFreqMonthly, 3, Day(2026, 12, 1)), 0, kDateBitsLastWeek | (1u << 9)), false},
      {"Yearly", Rule(kFreqYearly, 1, Day(2026, 12, 12)), true},
      {"Leap day", Rule(kFreqYearly, 1, Day(2028, 2, 29)), true},
      {"Every other year", Rule(kFreqYearly, 2, Day(2027, 3, 15)), false},
      {"Ending", Rule(kFreqDaily, 2, today, Day(2027, 1, 31)), false},
  };
}

std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  const int status = pclose(pipe);
  if (status != 0) out = "FAILED " + std::to_string(status) + "\n" + out;
  return out;
}

std::string Iso(int day) {
  const CalendarDate d = SplitDay(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
  return text;
}

using Dates = std::map<std::string, std::set<std::string>>;

class OutsideReadersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const SeriesCase& c : Cases()) {
      ASSERT_TRUE(RuleOf(c.rule, c.rule.startDate)) << c.title;  // every one an RRULE
      NewItemRequest r;
      r.title = c.title;
      r.recurrence = c.rule;
      if (c.allDay) {
        r.memo = true;
      } else {
        r.fixed = true;
        r.start = ClockTime(10, 0);
        r.duration = 30;
      }
      const ActHandle h = MakeItem(p, r);
      ASSERT_NE(h, kNoAct) << c.title;
      items[c.title] = h;
    }
    // Cancelled occurrences travel as EXDATEs.
    ASSERT_TRUE(CancelOccurrence(p, items["Daily"], Day(2026, 12, 10)));
    ASSERT_TRUE(CancelOccurrence(p, items["Mondays and Wednesdays"], Day(2026, 12, 16)));
    ASSERT_TRUE(CancelOccurrence(p, items["First fifteenth and last"], Day(2026, 12, 15)));
    std::ofstream(file) << ExportCalendar(p.r(), p.memory);
    last = static_cast<DayNumber>(TestEnv::kToday + kTenYears);
  }

  // The dates Ploven plans for each series over the ten years, exceptions applied.
  Dates Ploven() {
    Dates dates;
    for (const auto& [title, h] : items) {
      Beta b = *RecurrenceOf(p.s, h);
      for (int d = TestEnv::kToday; d <= last; ++d) {
        if (!QualifiesOn(b, static_cast<DayNumber>(d), p.r().Context())) continue;
        if (p.s.FindXlistEntry(h, static_cast<DayNumber>(d)) != nullptr) continue;
        dates[title].insert(Iso(d));
      }
    }
    return dates;
  }

  static Dates ReadLines(const std::string& text) {
    Dates dates;
    size_t at = 0;
    while (at < text.size()) {
      size_t end = text.find('\n', at);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(at, end - at);
      at = end + 1;
      const size_t tab = line.find('\t');
      if (tab != std::string::npos) dates[line.substr(0, tab)].insert(line.substr(tab + 1));
    }
    return dates;
  }

  // `unread`: series the reader is known not to follow.
  void Compare(const Dates& read, const char* reader, const std::set<std::string>& unread = {}) {
    const Dates expected = Ploven();
    ASSERT_EQ(expected.size(), Cases().size());
    for (const auto& [title, dates] : expected) {
      if (unread.contains(title)) continue;
      SCOPED_TRACE(std::string(reader) + ": " + title);
      ASSERT_TRUE(read.contains(title));
      EXPECT_EQ(read.at(title), dates);
    }
  }

  TestEnv env;
  ZoneScope zone{"Europe/Berlin"};
  PlannedSchedule p{env};
  std::map<std::string, ActHandle> items;
  std::string file = (env.dir / "ploven.ics").string();
  DayNumber last = 0;
};

TEST_F(OutsideReadersTest, PythonIcalendarWithDateutilExpandsTheSameDates) {
  const std::string out =
      RunCommand("/usr/bin/python3 " PLOVEN_ICAL_EXPAND " " + file + " " + Iso(TestEnv::kToday) +
                 " " + Iso(last) + " Europe/Berlin 2>&1");
  ASSERT_EQ(out.rfind("FAILED", 0), std::string::npos) << out.substr(0, 2000);
  Compare(ReadLines(out), "python3-icalendar");
}

TEST_F(OutsideReadersTest, CalcurseImportsEveryItemAndListsTheSameDates) {
  const std::string data = (env.dir / "calcurse").string();
  std::filesystem::create_directories(data);
  const std::string tz = "TZ=Europe/Berlin ";
  const std::string imported = RunCommand(tz + "calcurse -D " + data + " -i " + file + " 2>&1");
  ASSERT_EQ(imported.rfind("FAILED", 0), std::string::npos) << imported;
  EXPECT_NE(imported.find(" 0 skipped"), std::string::npos) << imported;
  // Every item under its day's heading ("12/08/26:"), the day told by the heading.
  const CalendarDate from = SplitDay(TestEnv::kToday);
  char start[16];
  std::snprintf(start, sizeof start, "%02d/%02d/%04d", from.month, from.day, from.year);
  const std::string listed =
      RunCommand(tz + "calcurse -D " + data + " -Q --from " + start + " --days " +
                 std::to_string(kTenYears + 1) +
                 " --format-apt '\t%m\n' --format-recur-apt '\t%m\n' --format-event '\t%m\n'"
                 " --format-recur-event '\t%m\n' 2>&1");
  ASSERT_EQ(listed.rfind("FAILED", 0), std::string::npos) << listed.substr(0, 2000);
  Dates read;
  std::string day;
  size_t at = 0;
  while (at < listed.size()) {
    size_t end = listed.find('\n', at);
    if (end == std::string::npos) end = listed.size();
    const std::string line = listed.substr(at, end - at);
    at = end + 1;
    int m = 0, d = 0, y = 0;
    if (line.size() == 9 && std::sscanf(line.c_str(), "%d/%d/%d:", &m, &d, &y) == 3) {
      day = Iso(MakeDay(m, d, 2000 + y));
    } else if (!line.empty() && line[0] == '\t' && !day.empty()) {
      read[line.substr(1)].insert(day);
    }
  }
  // calcurse 4.7 reads no WKST: it counts every other week from Monday weeks, where the rule
  // (rightly, as the other reader shows) says Thursday weeks.
  Compare(read, "calcurse", {"Every other week from a Thursday"});
}

}  // namespace
}  // namespace ploven::test
