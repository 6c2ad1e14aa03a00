#include "sample_calendar.h"

namespace ploven::test {
namespace {

// Components by UID and RECURRENCE-ID, each as its sorted property lines.
std::map<std::string, std::multiset<std::string>> Components(const std::string& text) {
  Parsed cal(text);
  std::map<std::string, std::multiset<std::string>> out;
  for (icalcomponent* c : cal.Items()) {
    const std::string key =
        std::string(icalcomponent_get_uid(c)) + "|" + Value(c, ICAL_RECURRENCEID_PROPERTY);
    EXPECT_FALSE(out.contains(key)) << key;
    out[key] = PropertyLines(c);
  }
  return out;
}

// Export, import into a new schedule, export again: the same calendar, property by property.
TEST(IcalRoundTrip, ExportImportExportGivesTheSameCalendar) {
  ZoneScope zone("Europe/Berlin");
  TestEnv env;
  PlannedSchedule a(env);
  BuildSampleCalendar(a);
  const std::string first = ExportCalendar(a.r(), a.memory);

  TestEnv env2;
  PlannedSchedule b(env2);
  b.memory = CalendarMemory("fedcba9876543210");
  const CalendarImportReport report = ImportCalendar(b.engine(), b.r(), b.memory, first);
  ASSERT_TRUE(report.skipped.empty()) << report.Lines()[1];
  const std::string second = ExportCalendar(b.r(), b.memory);

  const auto before = Components(first);
  const auto after = Components(second);
  ASSERT_EQ(before.size(), 13u);
  for (const auto& [key, lines] : before) {
    SCOPED_TRACE(key);
    ASSERT_TRUE(after.contains(key));
    EXPECT_EQ(after.at(key), lines);
  }
  EXPECT_EQ(after.size(), before.size());
  // And once more, from the second schedule's file: nothing new.
  TestEnv env3;
  PlannedSchedule c(env3);
  ImportCalendar(c.engine(), c.r(), c.memory, second);
  EXPECT_EQ(Components(ExportCalendar(c.r(), c.memory)), after);
}

}  // namespace
}  // namespace ploven::test
