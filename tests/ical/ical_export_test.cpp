#include "sample_calendar.h"

namespace ploven::test {
namespace {

class IcalExportTest : public ::testing::Test {
 protected:
  TestEnv env;
  ZoneScope zone{"Europe/Berlin"};
  PlannedSchedule p{env};
  SampleCalendar c = BuildSampleCalendar(p);

  std::string Export(const CalendarExportOptions& options = {}) {
    return ExportCalendar(p.r(), p.memory, options);
  }
};

// Each kind of item, the component and the fields it becomes.
struct ShapeCase {
  const char* summary;
  icalcomponent_kind kind;
  const char* dtstart;  // the value
  std::vector<std::pair<icalproperty_kind, std::string>> fields;
};

TEST_F(IcalExportTest, EveryKindOfItemBecomesItsComponent) {
  ASSERT_NE(c.dentist, kNoAct);
  ASSERT_NE(c.birthday, kNoAct);
  ASSERT_NE(c.trip, kNoAct);
  const std::vector<ShapeCase> cases = {
      {"Dentist",
       ICAL_VEVENT_COMPONENT,
       "20261210T143000",
       {{ICAL_DURATION_PROPERTY, "PT45M"}, {ICAL_CATEGORIES_PROPERTY, "Health"}}},
      {"Write the report",
       ICAL_VTODO_COMPONENT,
       "20261209",
       {{ICAL_DUE_PROPERTY, "20261220"}, {ICAL_PRIORITY_PROPERTY, "3"}}},
      {"Sort the photos", ICAL_VTODO_COMPONENT, "", {{ICAL_PRIORITY_PROPERTY, "9"}}},
      {"Pay the rent", ICAL_VEVENT_COMPONENT, "20261211", {{ICAL_DTEND_PROPERTY, "20261212"}}},
      {"Call the bank", ICAL_VTODO_COMPONENT, "20261214", {}},
      {"Ann's birthday",
       ICAL_VEVENT_COMPONENT,
       "20261212",
       {{ICAL_RRULE_PROPERTY, "FREQ=YEARLY"}, {ICAL_DTEND_PROPERTY, "20261213"}}},
      {"Trip to the coast", ICAL_VEVENT_COMPONENT, "20261214", {{ICAL_DTEND_PROPERTY, "20261217"}}},
      {"Standup",
       ICAL_VEVENT_COMPONENT,
       "20261207T090000",
       {{ICAL_RRULE_PROPERTY, "FREQ=WEEKLY;BYDAY=MO,WE"},
        {ICAL_EXDATE_PROPERTY, "20261216T090000"}}},
      {"Invoices",
       ICAL_VEVENT_COMPONENT,
       "20261201",
       {{ICAL_RRULE_PROPERTY, "FREQ=MONTHLY;BYMONTHDAY=1,15,-1"}}},
      {"Course",
       ICAL_VEVENT_COMPONENT,
       "20261208T180000",
       {{ICAL_RRULE_PROPERTY, "FREQ=DAILY;UNTIL=20270131T170000Z;INTERVAL=2"}}},
      {"Team lunch",
       ICAL_VEVENT_COMPONENT,
       "20261201T120000",
       {{ICAL_RRULE_PROPERTY, "FREQ=MONTHLY;BYDAY=1TU,-1FR"}}},
  };
  Parsed cal(Export());
  ASSERT_NE(cal.root, nullptr);
  for (const ShapeCase& k : cases) {
    SCOPED_TRACE(k.summary);
    icalcomponent* item = cal.Find(k.summary);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(icalcomponent_isa(item), k.kind);
    EXPECT_EQ(Value(item, ICAL_DTSTART_PROPERTY), k.dtstart);
    for (const auto& [property, value] : k.fields) EXPECT_EQ(Value(item, property), value);
    EXPECT_EQ(icalcomponent_count_errors(item), 0);
  }
  // Times stand in the system's zone, which the file describes.
  EXPECT_EQ(Param(cal.Find("Dentist"), ICAL_DTSTART_PROPERTY, ICAL_TZID_PARAMETER),
            "TZID=Europe/Berlin");
  EXPECT_NE(icalcomponent_get_first_component(cal.root, ICAL_VTIMEZONE_COMPONENT), nullptr);
  // The estimate: an X- property, since a to-do's DURATION would set its due time.
  EXPECT_EQ(XValue(cal.Find("Write the report"), "X-PLOVEN-ESTIMATE"), "PT2H");
  EXPECT_EQ(Value(cal.Find("Write the report"), ICAL_DURATION_PROPERTY), "");
  EXPECT_EQ(XValue(cal.Find("Sort the photos"), "X-PLOVEN-TIER"), "K");
  EXPECT_EQ(XValue(cal.Find("Write the report"), "X-PLOVEN-TIER"), "");
}

TEST_F(IcalExportTest, EditedOccurrencesAreComponentsOfTheSeriesUid) {
  Parsed cal(Export());
  icalcomponent* series = cal.Find("Standup");
  ASSERT_NE(series, nullptr);
  std::vector<icalcomponent*> edited;
  for (icalcomponent* item : cal.Items())
    if (icalcomponent_get_first_property(item, ICAL_RECURRENCEID_PROPERTY) != nullptr)
      edited.push_back(item);
  ASSERT_EQ(edited.size(), 1u);
  EXPECT_STREQ(icalcomponent_get_uid(edited[0]), icalcomponent_get_uid(series));
  EXPECT_EQ(Value(edited[0], ICAL_RECURRENCEID_PROPERTY), "20261221T090000");
  EXPECT_EQ(Value(edited[0], ICAL_DTSTART_PROPERTY), "20261221T110000");
  EXPECT_STREQ(icalcomponent_get_summary(edited[0]), "Standup (late)");
  // The cancelled one only as an EXDATE.
  EXPECT_EQ(Values(series, ICAL_EXDATE_PROPERTY), std::vector<std::string>{"20261216T090000"});
}

TEST_F(IcalExportTest, RulesNoRuleCanSayGoOutAsTheComingYearsDates) {
  Parsed cal(Export());
  icalcomponent* moon = cal.Find("Night walk");
  ASSERT_NE(moon, nullptr);
  EXPECT_EQ(Value(moon, ICAL_RRULE_PROPERTY), "");
  const std::vector<std::string> rdates = Values(moon, ICAL_RDATE_PROPERTY);
  // DTSTART is the first full moon; the other twelve or so of the year follow.
  EXPECT_GE(rdates.size(), 11u);
  EXPECT_LE(rdates.size(), 13u);
  std::set<std::string> expected;
  Beta b = *RecurrenceOf(p.s, c.moon);
  for (int d = TestEnv::kToday; d <= TestEnv::kToday + 365; ++d)
    if (QualifiesOn(b, static_cast<DayNumber>(d), p.r().Context())) {
      const CalendarDate cd = SplitDay(d);
      char text[32];
      std::snprintf(text, sizeof text, "%04d%02d%02dT210000", cd.year, cd.month, cd.day);
      expected.insert(text);
    }
  std::set<std::string> written(rdates.begin(), rdates.end());
  written.insert(Value(moon, ICAL_DTSTART_PROPERTY));
  EXPECT_EQ(written, expected);
  // The rule itself travels for Ploven.
  EXPECT_NE(XValue(moon, "X-PLOVEN-RECUR").find("OPTIONS=10"), std::string::npos);
}

TEST_F(IcalExportTest, UidsStayTheSameFromExportToExport) {
  Parsed first(Export());
  CalendarMemory reread = CalendarMemory::FromText(p.memory.Text());
  Parsed second(ExportCalendar(p.r(), reread));
  std::vector<std::string> a, b;
  for (icalcomponent* item : first.Items()) a.push_back(icalcomponent_get_uid(item));
  for (icalcomponent* item : second.Items()) b.push_back(icalcomponent_get_uid(item));
  EXPECT_EQ(a, b);
  EXPECT_EQ(std::set<std::string>(a.begin(), a.end()).size(),
            a.size() - 1);  // one edited occurrence
  EXPECT_NE(a.front().find("-" + p.memory.identity() + "@ploven"), std::string::npos);
}

TEST_F(IcalExportTest, ARangeTakesItsItemsAndTheSeriesOccurringInIt) {
  CalendarExportOptions today;
  today.from = today.to = Day(2026, 12, 10);
  today.todos = false;
  Parsed cal(Export(today));
  std::set<std::string> summaries;
  for (icalcomponent* item : cal.Items()) summaries.insert(icalcomponent_get_summary(item));
  // The 10th is a Thursday: the dentist, and the course (every other day from the 8th).
  EXPECT_EQ(summaries, (std::set<std::string>{"Dentist", "Course"}));
}

TEST_F(IcalExportTest, NotesBecomeTheDescription) {
  p.s.LockAct(c.dentist).flags |= AF_HAS_NOTE;
  p.s.LockAct(c.dentist).noteNumber = 7;
  CalendarExportOptions options;
  options.noteText = [](int32_t n) {
    return n == 7 ? std::optional<std::string>("Bring the card") : std::nullopt;
  };
  Parsed cal(Export(options));
  EXPECT_EQ(Value(cal.Find("Dentist"), ICAL_DESCRIPTION_PROPERTY), "Bring the card");
}

TEST(IcalExportZones, UtcZoneWritesUtcAndAnUnknownOneFloats) {
  for (const auto& [zone, expected] : std::vector<std::pair<const char*, const char*>>{
           {"UTC", "20261210T143000Z"}, {"Nowhere/Atlantis", "20261210T143000"}}) {
    TestEnv env;
    ZoneScope scope(zone);
    PlannedSchedule p(env);
    NewItemRequest r;
    r.title = "Dentist";
    r.date = Day(2026, 12, 10);
    r.start = ClockTime(14, 30);
    r.fixed = true;
    ASSERT_NE(MakeItem(p, r), kNoAct);
    Parsed cal(ExportCalendar(p.r(), p.memory));
    EXPECT_EQ(Value(cal.Find("Dentist"), ICAL_DTSTART_PROPERTY), expected) << zone;
    EXPECT_EQ(Param(cal.Find("Dentist"), ICAL_DTSTART_PROPERTY, ICAL_TZID_PARAMETER), "");
    EXPECT_EQ(icalcomponent_get_first_component(cal.root, ICAL_VTIMEZONE_COMPONENT), nullptr);
  }
}

}  // namespace
}  // namespace ploven::test
