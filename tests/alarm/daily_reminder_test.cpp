#include "alarm/daily_reminder.h"

#include <gtest/gtest.h>

#include "alarm/alarm_fixture.h"

namespace ploven::test {
namespace {

class DailyReminderTest : public AlarmTest {
 protected:
  ActHandle Remind(ActHandle h, int days) {
    Act& a = s.LockAct(h);
    a.flags |= AF_REMINDER_DAYS;
    a.reminderDays = static_cast<int8_t>(days);
    return h;
  }
  ActHandle Event(const std::string& title, int daysFromToday, int reminderDays) {
    const auto day = static_cast<DayNumber>(kToday + daysFromToday);
    Keep(day);
    return Remind(Fixed(title, day, At(10), 60), reminderDays);
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    for (const DailyReminderLine& line : DailyReminders(r, kToday))
      out.push_back(DailyReminderText(s, line, text));
    return out;
  }
  static std::string Day(int daysFromToday, const DateText& text) {
    return FormatDateDay(static_cast<DayNumber>(kToday + daysFromToday), text);
  }
};

TEST_F(DailyReminderTest, EventsWithinTheirReminderDaysOnlyNearestFirst) {
  Event("Dentist", 3, 5);         // inside its five days
  Event("Tax return", 1, 2);      // tomorrow
  Event("Conference", 6, 5);      // not yet: six days ahead, five days of reminders
  Event("Review", 0, 4);          // today itself is the alarm's business, not the reminder's
  Event("Sale ended", -2, -3);    // reminders after the day
  Event("Party", -1, 3);          // reminders before the day only
  const ActHandle done = Event("Handed in", 2, 5);
  s.LockAct(done).flags |= AF_DONE;
  EXPECT_EQ(Texts(), (std::vector<std::string>{Day(1, text) + ", tomorrow: Tax return",
                                               Day(3, text) + ", in 3 days: Dentist",
                                               Day(-2, text) + ", 2 days ago: Sale ended",
                                               Day(-1, text) + ", not done: Party"}));
}

TEST_F(DailyReminderTest, ARecurringItemRemindsOfItsNearestOccurrenceOnce) {
  const ActHandle weekly =
      Remind(Recurring("Team lunch", Daily(static_cast<DayNumber>(kToday + 2), 7)), 4);
  Remind(Recurring("Far off", Daily(static_cast<DayNumber>(kToday + 10), 7)), 4);
  const auto lines = DailyReminders(r, kToday);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].item, weekly);
  EXPECT_EQ(lines[0].day, kToday + 2);
  EXPECT_EQ(lines[0].daysAway, 2);
}

TEST_F(DailyReminderTest, UndoneItemsOfTheLastTwoWeeksFollowTheEvents) {
  Event("Call back", -3, 0);
  const ActHandle finished = Event("Finished", -2, 0);
  s.LockAct(finished).flags |= AF_DONE;
  Event("Long ago", -(kRecentUndoneDays + 1), 0);
  Event("Soon", 2, 3);
  EXPECT_EQ(Texts(), (std::vector<std::string>{Day(2, text) + ", in 2 days: Soon",
                                               Day(-3, text) + ", not done: Call back"}));
}

TEST_F(DailyReminderTest, ShownUnlessTurnedOffOrUntilSuppressionEnds) {
  EXPECT_TRUE(DailyReminderWanted(0, kNoDate, kToday));
  EXPECT_FALSE(DailyReminderWanted(1, kNoDate, kToday));
  EXPECT_FALSE(DailyReminderWanted(1, static_cast<DayNumber>(kToday + 1), kToday));
  EXPECT_TRUE(DailyReminderWanted(1, kToday, kToday));
}

}  // namespace
}  // namespace ploven::test
