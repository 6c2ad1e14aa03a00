#include "ical/ical_messages.h"
#include "sample_calendar.h"
#include "store/recurrence_fields.h"

namespace ploven::test {
namespace {

std::string Calendar(const std::string& body) {
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Elsewhere//EN\r\n";
  for (size_t at = 0; at < body.size();) {
    size_t end = body.find('\n', at);
    if (end == std::string::npos) end = body.size();
    text += body.substr(at, end - at) + "\r\n";
    at = end + 1;
  }
  return text + "END:VCALENDAR\r\n";
}

const char* const kNewYork =
    "BEGIN:VTIMEZONE\nTZID:America/New_York\nBEGIN:STANDARD\nDTSTART:19701101T020000\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\nTZOFFSETFROM:-0400\nTZOFFSETTO:-0500\n"
    "END:STANDARD\nBEGIN:DAYLIGHT\nDTSTART:19700308T020000\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\n"
    "TZOFFSETFROM:-0500\nTZOFFSETTO:-0400\nEND:DAYLIGHT\nEND:VTIMEZONE\n";

class IcalImportTest : public ::testing::Test {
 protected:
  CalendarImportReport Import(const std::string& text) {
    return ImportCalendar(p.engine(), p.r(), p.memory, text);
  }
  const Act& Item(const std::string& title) {
    const ActHandle h = ItemTitled(p.s, title);
    EXPECT_NE(h, kNoAct) << title;
    return p.s.ReadAct(h != kNoAct ? h : ItemTitled(p.s, "never"));
  }

  TestEnv env;
  ZoneScope zone{"Europe/Berlin"};
  PlannedSchedule p{env};
};

// A time in another zone or in UTC stands at the local time of the same moment.
struct ZoneCase {
  const char* name;
  std::string dtstart;
  DayNumber date;
  TimeOfDay start;
};

class IcalImportZoneTest : public IcalImportTest, public ::testing::WithParamInterface<ZoneCase> {};

TEST_P(IcalImportZoneTest, TimesComeToTheLocalZone) {
  const ZoneCase& c = GetParam();
  const auto report =
      Import(Calendar(std::string(kNewYork) + "BEGIN:VEVENT\nUID:zone-1\nSUMMARY:Call\n" +
                      c.dtstart + "\nDURATION:PT30M\nEND:VEVENT"));
  ASSERT_EQ(report.imported, 1) << report.Lines().back();
  const Act& a = Item("Call");
  EXPECT_EQ(p.s.GetActDate(ItemTitled(p.s, "Call")), c.date);
  EXPECT_EQ(a.startTime, c.start);
  EXPECT_EQ(a.duration, 30);
  EXPECT_TRUE(a.Has(AF_FIXED));
}

INSTANTIATE_TEST_SUITE_P(
    Zones, IcalImportZoneTest,
    ::testing::Values(
        ZoneCase{"NewYork", "DTSTART;TZID=America/New_York:20261210T090000", Day(2026, 12, 10),
                 ClockTime(15, 0)},
        ZoneCase{"NewYorkAcrossMidnight", "DTSTART;TZID=America/New_York:20261210T200000",
                 Day(2026, 12, 11), ClockTime(2, 0)},
        ZoneCase{"Utc", "DTSTART:20261210T090000Z", Day(2026, 12, 10), ClockTime(10, 0)},
        ZoneCase{"UtcInSummer", "DTSTART:20270710T090000Z", Day(2027, 7, 10), ClockTime(11, 0)},
        ZoneCase{"Floating", "DTSTART:20261210T090000", Day(2026, 12, 10), ClockTime(9, 0)}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST_F(IcalImportTest, ToDosBecomeFlexibleItems) {
  const auto report = Import(
      Calendar("BEGIN:VTODO\nUID:t1\nSUMMARY:Taxes\nDUE;VALUE=DATE:20261220\nPRIORITY:2\n"
               "X-PLOVEN-ESTIMATE:PT3H\nEND:VTODO\n"
               "BEGIN:VTODO\nUID:t2\nSUMMARY:Garden\nDTSTART;VALUE=DATE:20261211\nDURATION:PT45M\n"
               "PRIORITY:9\nEND:VTODO\n"
               "BEGIN:VTODO\nUID:t3\nSUMMARY:Paint\nDUE:20261222T150000Z\nEND:VTODO"));
  EXPECT_EQ(report.imported, 3);
  const Act& taxes = Item("Taxes");
  EXPECT_TRUE(taxes.Has(AF_FLEXIBLE));
  EXPECT_EQ(taxes.deadlineDate, Day(2026, 12, 20));
  EXPECT_EQ(taxes.duration, 180);
  EXPECT_EQ(taxes.tier, 'B');
  const Act& garden = Item("Garden");
  EXPECT_EQ(garden.earliestDate, Day(2026, 12, 11));
  EXPECT_EQ(garden.duration, 45);  // DURATION without DUE: the estimate
  EXPECT_EQ(garden.tier, 'I');
  const Act& paint = Item("Paint");
  EXPECT_EQ(paint.deadlineDate, Day(2026, 12, 22));
  EXPECT_EQ(paint.deadlineTime, ClockTime(16, 0));
}

TEST_F(IcalImportTest, AllDayEventsBecomeMemosAndLongOnesMultiDayEvents) {
  const auto report =
      Import(Calendar("BEGIN:VEVENT\nUID:m1\nSUMMARY:Holiday\nDTSTART;VALUE=DATE:20261224\n"
                      "DTEND;VALUE=DATE:20261225\nEND:VEVENT\n"
                      "BEGIN:VEVENT\nUID:m2\nSUMMARY:Fair\nDTSTART;VALUE=DATE:20261228\n"
                      "DTEND;VALUE=DATE:20261231\nCATEGORIES:Work,Travel\nEND:VEVENT"));
  EXPECT_EQ(report.imported, 2);
  EXPECT_TRUE(Item("Holiday").typeFlags & ACT_MEMO);
  const Act& fair = Item("Fair");
  EXPECT_TRUE(fair.typeFlags & ACT_MULTIDAY);
  EXPECT_EQ(fair.deadlineDate, Day(2026, 12, 30));
  std::string project;
  ProjectName(p.s, fair.projectID, project);
  EXPECT_EQ(project, "Work");
}

TEST_F(IcalImportTest, RepeatingEventsComeWithTheirExceptions) {
  const auto report = Import(
      Calendar(std::string(kNewYork) +
               "BEGIN:VEVENT\nUID:r1\nSUMMARY:Yoga\nDTSTART;TZID=America/New_York:20261207T120000\n"
               "DURATION:PT1H\nRRULE:FREQ=WEEKLY;BYDAY=MO,TH;UNTIL=20270301T170000Z\n"
               "EXDATE;TZID=America/New_York:20261210T120000\nEND:VEVENT\n"
               "BEGIN:VEVENT\nUID:r1\nSUMMARY:Yoga "
               "outside\nRECURRENCE-ID;TZID=America/New_York:20261214T120000\n"
               "DTSTART;TZID=America/New_York:20261214T130000\nDURATION:PT1H\nEND:VEVENT\n"
               "BEGIN:VEVENT\nUID:r2\nSUMMARY:Review\nDTSTART:20261201T100000\nDURATION:PT30M\n"
               "RRULE:FREQ=MONTHLY;BYDAY=2WE;COUNT=3\nEND:VEVENT"));
  ASSERT_EQ(report.imported, 2) << report.Lines().back();
  EXPECT_TRUE(report.skipped.empty());
  const ActHandle yoga = ItemTitled(p.s, "Yoga");
  ASSERT_NE(yoga, kNoAct);
  const Beta* b = RecurrenceOf(p.s, yoga);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->freq & kFreqKinds, kFreqWeekly);
  EXPECT_EQ(b->dayBits, 0x12);  // Monday, Thursday
  EXPECT_EQ(b->startDate, Day(2026, 12, 7));
  EXPECT_EQ(b->endDate, Day(2027, 3, 1));
  EXPECT_EQ(p.s.ReadAct(yoga).startTime, ClockTime(18, 0));
  ASSERT_EQ(b->xlist.size(), 2u);
  EXPECT_EQ(b->xlist[0].date, Day(2026, 12, 10));
  EXPECT_EQ(b->xlist[0].drone, kNoAct);
  EXPECT_EQ(b->xlist[1].date, Day(2026, 12, 14));
  ASSERT_NE(b->xlist[1].drone, kNoAct);
  EXPECT_EQ(p.s.GetActNameFull(b->xlist[1].drone), "Yoga outside");
  EXPECT_EQ(p.s.ReadAct(b->xlist[1].drone).startTime, ClockTime(19, 0));
  // COUNT: the third second Wednesday is the last.
  const Beta* review = RecurrenceOf(p.s, ItemTitled(p.s, "Review"));
  ASSERT_NE(review, nullptr);
  EXPECT_EQ(review->endDate, Day(2027, 2, 10));
}

TEST_F(IcalImportTest, DamagedComponentsAreListedAndTheRestComesIn) {
  const auto report = Import(Calendar(
      "BEGIN:VEVENT\nUID:bad-date\nSUMMARY:Broken\nDTSTART:2026-12-10 nine\nEND:VEVENT\n"
      "BEGIN:VEVENT\nUID:hourly\nSUMMARY:Pills\nDTSTART:20261210T080000\n"
      "RRULE:FREQ=HOURLY;INTERVAL=8\nEND:VEVENT\n"
      "BEGIN:VEVENT\nUID:lost\nSUMMARY:Moved\nRECURRENCE-ID:20261210T080000\n"
      "DTSTART:20261210T090000\nEND:VEVENT\n"
      "BEGIN:VEVENT\nUID:old\nSUMMARY:Ancient\nDTSTART:19500101T080000\nEND:VEVENT\n"
      "BEGIN:VEVENT\nUID:extra\nSUMMARY:Extra\nDTSTART:20261212T080000\n"
      "RDATE:20261219T080000\nEND:VEVENT\n"
      "BEGIN:VEVENT\nUID:good\nSUMMARY:Fine\nDTSTART:20261211T080000\nDURATION:PT1H\nEND:VEVENT"));
  EXPECT_TRUE(report.calendar);
  EXPECT_EQ(report.imported, 2);  // the one with extra dates comes in without them
  EXPECT_NE(ItemTitled(p.s, "Fine"), kNoAct);
  std::map<std::string, std::string> reasons;
  for (const auto& s : report.skipped) reasons[s.uid] = s.reason;
  ASSERT_EQ(reasons.size(), 5u);
  EXPECT_EQ(reasons["extra"], ical_text::kSkipExtraDates);
  EXPECT_EQ(reasons["bad-date"].rfind("it is damaged", 0), 0u) << reasons["bad-date"];
  EXPECT_NE(reasons["hourly"].find("FREQ=HOURLY"), std::string::npos);
  EXPECT_EQ(reasons["lost"], ical_text::kSkipNoSeries);
  EXPECT_EQ(reasons["old"], ical_text::kSkipOutOfRange);
  EXPECT_EQ(report.Lines().size(), 6u);
}

TEST_F(IcalImportTest, TextThatIsNoCalendarImportsNothing) {
  for (const char* text : {"", "hello\n", "BEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\n"}) {
    const auto report = Import(text);
    EXPECT_FALSE(report.calendar) << text;
    EXPECT_EQ(report.imported, 0);
  }
}

TEST_F(IcalImportTest, ImportingTheSameFileTwiceBringsNothingInTwice) {
  TestEnv other;
  PlannedSchedule source(other);
  BuildSampleCalendar(source);
  const std::string text = ExportCalendar(source.r(), source.memory);
  const auto first = Import(text);
  EXPECT_GT(first.imported, 8);
  EXPECT_TRUE(first.skipped.empty()) << first.Lines().back();
  const size_t items = p.s.actChain().Count();
  // Through the memory's file, as the next run of the program reads it.
  p.memory = CalendarMemory::FromText(p.memory.Text());
  const auto second = Import(text);
  EXPECT_EQ(second.imported, 0);
  EXPECT_EQ(second.alreadyThere, first.imported);
  EXPECT_EQ(p.s.actChain().Count(), items);
  // An item deleted since comes in again.
  p.s.DeleteItem(ItemTitled(p.s, "Dentist"));
  EXPECT_EQ(Import(text).imported, 1);
}

TEST(CalendarMemoryText, ReadsBackWhatItWroteAndPassesOverDamage) {
  CalendarMemory m("feedc0de");
  m.Remember("abc@elsewhere", 12);
  m.Remember("def@elsewhere", 13);
  m.Remember("abc-again@elsewhere", 12);  // the item's newest UID wins
  const CalendarMemory back = CalendarMemory::FromText(m.Text() + "garbage\nx y\n");
  EXPECT_EQ(back.ItemOf("abc-again@elsewhere"), 12u);
  EXPECT_EQ(back.ItemOf("abc@elsewhere"), std::nullopt);
  EXPECT_EQ(back.ItemOf("def@elsewhere"), 13u);
  EXPECT_EQ(back.ItemOf("44-feedc0de@ploven"), 44u);
  EXPECT_EQ(back.ItemOf("44-otherone@ploven"), std::nullopt);
  EXPECT_EQ(CalendarMemoryPath("/home/a/work.pln"), "/home/a/work.icsmap");
  EXPECT_EQ(CalendarMemoryPath("/home/a.b/work"), "/home/a.b/work.icsmap");
}

}  // namespace
}  // namespace ploven::test
