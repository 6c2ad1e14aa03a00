#pragma once

#include "ical_fixture.h"
#include "store/projects.h"

namespace ploven::test {

// A schedule holding every kind of item a calendar file carries.
struct SampleCalendar {
  ActHandle dentist, report, someday, rent, birthday, trip, standup, moon, monthly, ended,
      lastFriday, dateless;
  DayNumber cancelled, edited;
};

inline SampleCalendar BuildSampleCalendar(PlannedSchedule& p) {
  SampleCalendar c{};
  Schedule& s = p.s;
  const ActHandle health = NewProject(s, Act{}, "Health");
  NewItemRequest dentist;
  dentist.title = "Dentist";
  dentist.date = Day(2026, 12, 10);
  dentist.start = ClockTime(14, 30);
  dentist.duration = 45;
  dentist.fixed = true;
  dentist.projectID = s.GetActID(health);
  c.dentist = MakeItem(p, dentist);

  NewItemRequest report;
  report.title = "Write the report";
  report.flexible = true;
  report.deadline = Day(2026, 12, 20);
  report.earliest = Day(2026, 12, 9);
  report.duration = 120;
  report.tier = 'C';
  c.report = MakeItem(p, report);

  NewItemRequest someday;
  someday.title = "Sort the photos";
  someday.flexible = true;
  someday.duration = 90;
  someday.tier = 'K';
  c.someday = MakeItem(p, someday);

  NewItemRequest rent;
  rent.title = "Pay the rent";
  rent.memo = true;
  rent.date = Day(2026, 12, 11);
  c.rent = MakeItem(p, rent);

  NewItemRequest dateless;
  dateless.title = "Call the bank";
  dateless.date = Day(2026, 12, 14);
  c.dateless = MakeItem(p, dateless);

  c.birthday = MakeKind(p, kCmdNewBirthdayMemo, "Ann's birthday", Day(2026, 12, 12));
  c.trip =
      MakeKind(p, kCmdNewMultiDayEvent, "Trip to the coast", Day(2026, 12, 14), Day(2026, 12, 16));

  NewItemRequest standup;
  standup.title = "Standup";
  standup.fixed = true;
  standup.start = ClockTime(9, 0);
  standup.duration = 15;
  Beta weekly = Rule(kFreqWeekly, 1, Day(2026, 12, 7));
  weekly.dayBits = 0x0a;  // Monday, Wednesday
  standup.recurrence = weekly;
  c.standup = MakeItem(p, standup);
  c.cancelled = Day(2026, 12, 16);
  c.edited = Day(2026, 12, 21);

  NewItemRequest moon;
  moon.title = "Night walk";
  moon.fixed = true;
  moon.start = ClockTime(21, 0);
  moon.duration = 60;
  Beta moons = Rule(kFreqDaily, 1, Day(2026, 12, 1));
  moons.betaOptions = kOptionFullMoons;
  moon.recurrence = moons;
  c.moon = MakeItem(p, moon);

  NewItemRequest monthly;
  monthly.title = "Invoices";
  monthly.memo = true;
  monthly.date = Day(2026, 12, 1);
  Beta dates = Rule(kFreqMonthly, 1, Day(2026, 12, 1));
  dates.dateBits = 1u | (1u << 14) | kDateBitLast;  // 1, 15, last
  monthly.recurrence = dates;
  c.monthly = MakeItem(p, monthly);

  NewItemRequest ended;
  ended.title = "Course";
  ended.fixed = true;
  ended.start = ClockTime(18, 0);
  ended.duration = 90;
  ended.recurrence = Rule(kFreqDaily, 2, Day(2026, 12, 8), Day(2027, 1, 31));
  c.ended = MakeItem(p, ended);

  NewItemRequest lastFriday;
  lastFriday.title = "Team lunch";
  lastFriday.fixed = true;
  lastFriday.start = ClockTime(12, 0);
  lastFriday.duration = 60;
  Beta weekOfMonth = Rule(kFreqMonthly, 1, Day(2026, 12, 1));
  weekOfMonth.dateBits = kDateBitsLastWeek | (1u << 2);  // the first Tuesday
  weekOfMonth.dayBits = 1u << 5;                         // the last Friday
  lastFriday.recurrence = weekOfMonth;
  c.lastFriday = MakeItem(p, lastFriday);

  if (c.standup != kNoAct) {
    CancelOccurrence(p, c.standup, c.cancelled);
    EditOccurrence(p, c.standup, c.edited, ClockTime(11, 0), "Standup (late)");
  }
  return c;
}

}  // namespace ploven::test
