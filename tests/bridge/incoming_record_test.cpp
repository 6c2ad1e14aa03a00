#include "bridge/incoming_record.h"

#include "bridge/record_fixture.h"
#include "bridge/record_text.h"

namespace ploven::test {
namespace {

TEST_F(RecordTest, TaskRecordReadsBackAsSent) {
  const ActHandle h = Item("Essay", AF_FLEXIBLE | AF_ALARM | AF_HAS_NOTE, kNoTime, 90);
  Act& a = s.LockAct(h);
  a.deadlineDate = kToday + 2;
  a.earliestDateTime = ClockTime(8, 30);
  a.deadlineTime = ClockTime(17, 0);
  a.alarmHours = -1;
  a.alarmMinutes = 15;
  a.label = 1;
  a.noteNumber = kNoteNumber;
  noteText = "two\nlines";
  const uint32_t id = s.GetActID(h);

  const IncomingParse p = ParseIncomingRecord(
      BridgeCode::kTask, TaskFormRecord(s, {h, kToday, kNoTime}, context), context.dateText);
  ASSERT_TRUE(p.item) << p.refusal;
  const IncomingItem& in = *p.item;
  EXPECT_FALSE(in.appointment);
  EXPECT_EQ(in.title, "Essay");
  EXPECT_EQ(in.date, kToday);
  EXPECT_FALSE(in.done);
  EXPECT_EQ(in.deadlineDate, kToday + 2);
  EXPECT_EQ(in.earliestDateTime, ClockTime(8, 30));
  EXPECT_EQ(in.deadlineTime, ClockTime(17, 0));
  EXPECT_TRUE(in.alarm);
  EXPECT_EQ(in.alarmHours, -1);
  EXPECT_EQ(in.alarmMinutes, 15);
  EXPECT_EQ(in.duration, 90);
  EXPECT_EQ(in.label, "Work");
  EXPECT_EQ(in.note, "two\nlines");
  EXPECT_EQ(in.project, "none");
  EXPECT_EQ(in.itemID, id);
  EXPECT_FALSE(in.recurrence);
}

TEST_F(RecordTest, AppointmentRecordOfARecurringItemReadsBack) {
  const ActHandle h = WeeklyStandup();
  context.dateText.regional.iTime = 1;  // 24-hour times
  const IncomingParse p = ParseIncomingRecord(
      BridgeCode::kAppointment,
      AppointmentFormRecord(s, {h, kToday + 1, ClockTime(13, 5)}, context), context.dateText);
  ASSERT_TRUE(p.item) << p.refusal;
  EXPECT_TRUE(p.item->appointment);
  EXPECT_EQ(p.item->date, kToday + 1);
  EXPECT_EQ(p.item->start, ClockTime(13, 5));
  EXPECT_EQ(p.item->end, ClockTime(13, 20));
  EXPECT_EQ(p.item->duration, 15);
  EXPECT_EQ(p.item->note, "");
  ASSERT_TRUE(p.item->recurrence);
  EXPECT_EQ(*p.item->recurrence,
            (IncomingRecurrence{kFreqWeekly, 10, 0, 2, static_cast<DayNumber>(kToday - 1), 0}));
}

TEST_F(RecordTest, BlankTitleAndDoneTaskReadBack) {
  const ActHandle h = Item("", AF_FLEXIBLE | AF_DONE, kNoTime, 20);
  const IncomingParse p = ParseIncomingRecord(
      BridgeCode::kTask, TaskFormRecord(s, {h, kToday, kNoTime}, context), context.dateText);
  ASSERT_TRUE(p.item) << p.refusal;
  EXPECT_EQ(p.item->title, "");
  EXPECT_TRUE(p.item->done);
}

// A well-formed task record from the calendar, with one field replaced at a time.
std::string TaskRecord(size_t field, const std::string& value) {
  std::vector<std::string> f = {"Buy milk", "8/12/2026", "10/12/2026*not added*5:00pm",
                                "False",    "12/10/26",  "0:0:",
                                "not Done", "0.000",     "30",
                                "not Done", "blank",     "None",
                                "blank",    "Ann",       "blank",
                                " ",        "Normal",    "False",
                                "none",     "normal",    "blank",
                                "blank",    "0",         "norecurring"};
  if (field < f.size()) f[field] = value;
  RecordWriter w;
  for (const std::string& text : f) w.Field(text);
  return w.End().Take();
}

TEST(IncomingRecord, TheWellFormedRecordReads) {
  const IncomingParse p = ParseIncomingRecord(BridgeCode::kTask, TaskRecord(99, ""), {});
  ASSERT_TRUE(p.item) << p.refusal;
  EXPECT_EQ(p.item->title, "Buy milk");
  EXPECT_EQ(p.item->deadlineTime, ClockTime(17, 0));
  EXPECT_EQ(p.item->itemID, 0u);
}

struct BadCase {
  const char* name;
  size_t field;
  std::string value;
  const char* reason;  // a fragment of the refusal
};

class RefusedRecord : public ::testing::TestWithParam<BadCase> {};

TEST_P(RefusedRecord, IsRefusedWithItsReason) {
  const IncomingParse p =
      ParseIncomingRecord(BridgeCode::kTask, TaskRecord(GetParam().field, GetParam().value), {});
  EXPECT_FALSE(p.item);
  EXPECT_NE(p.refusal.find(GetParam().reason), std::string::npos) << p.refusal;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RefusedRecord,
    ::testing::Values(BadCase{"NoDate", 1, "", "no date"},
                      BadCase{"February31", 1, "31/2/2026", "not a date"},
                      BadCase{"MonthThirteen", 1, "1/13/2026", "not a number in range"},
                      BadCase{"YearLong", 1, "1/1/99999999999999999999", "not a number in range"},
                      BadCase{"DeadlineWithoutStars", 2, "10/12/2026", "does not read"},
                      BadCase{"DeadlineHour25", 2, "10/12/2026*25:00*not added",
                              "not a number in range"},
                      BadCase{"DeadlineMinutesShort", 2, "10/12/2026*9:5*not added", "not a time"},
                      BadCase{"ReminderYes", 3, "yes", "neither True nor False"},
                      BadCase{"AlarmWithoutColons", 5, "10", "does not read"},
                      BadCase{"AlarmHoursHuge", 5, "300:0:", "not a number in range"},
                      BadCase{"DurationNegative", 8, "-5", "not a number in range"},
                      BadCase{"DurationHuge", 8, "99999", "not a number in range"},
                      BadCase{"IdLetters", 22, "12a", "not a number in range"},
                      BadCase{"TitleTooLong", 0, std::string(1001, 'x'), "longer than 1000"},
                      BadCase{"FieldMissing", 23, "norecurring\tnono", "fields"},
                      BadCase{"RecurrenceShort", 23, "1\tnono\t10", "fields"},
                      BadCase{"IntervalZero", 23,
                              "1\tnono\t10\tnono\tnono\tnono\tnono\t0\tnono\tnono\tNoEndDate\t"
                              "7/12/2026\t\tnono\tnono",
                              "the interval"},
                      BadCase{"EndBeforeStart", 23,
                              "0\tnono\tnono\tnono\tnono\tnono\tnono\t1\tnono\t1\t1/1/2026\t"
                              "7/12/2026\t\tnono\tnono",
                              "precedes"},
                      BadCase{"NoRuleKind", 23,
                              "48\tnono\tnono\tnono\tnono\tnono\tnono\t1\tnono\tnono\t"
                              "NoEndDate\t7/12/2026\t\tnono\tnono",
                              "names no rule"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(IncomingRecord, AbsurdRecordsAreRefusedBeforeReading) {
  EXPECT_NE(ParseIncomingRecord(BridgeCode::kTask, std::string(kMaxIncomingRecord + 1, 'a'), {})
                .refusal.find("bytes long"),
            std::string::npos);
  std::string withNul = TaskRecord(99, "");
  withNul[3] = '\0';
  EXPECT_NE(ParseIncomingRecord(BridgeCode::kTask, withNul, {}).refusal.find("NUL"),
            std::string::npos);
  EXPECT_FALSE(ParseIncomingRecord(BridgeCode::kIdEcho, TaskRecord(99, ""), {}).item);
  EXPECT_FALSE(ParseIncomingRecord(BridgeCode::kTask, "", {}).item);
  EXPECT_FALSE(ParseIncomingRecord(BridgeCode::kAppointment, TaskRecord(99, ""), {}).item);
}

TEST(IncomingRecord, TwelveHourTimesReadBothHalvesOfTheDay) {
  EXPECT_EQ(ParseIncomingRecord(BridgeCode::kTask, TaskRecord(2, "*12:00am*12:30pm"), {})
                .item->earliestDateTime,
            ClockTime(0, 0));
  EXPECT_EQ(ParseIncomingRecord(BridgeCode::kTask, TaskRecord(2, "*12:00am*12:30pm"), {})
                .item->deadlineTime,
            ClockTime(12, 30));
  EXPECT_FALSE(ParseIncomingRecord(BridgeCode::kTask, TaskRecord(2, "*13:00pm*"), {}).item);
}

TEST(IncomingRecord, NoplovenSubjectsStayOut) {
  EXPECT_TRUE(SubjectRefused("Lunch noploven"));
  EXPECT_FALSE(SubjectRefused("Lunch at Ploven Hall"));
}

}  // namespace
}  // namespace ploven::test
