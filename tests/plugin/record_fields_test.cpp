// The companion reads the records Ploven's own code writes, and the main program's reader
// takes the records the companion writes.
#include "plugin/record_fields.h"

#include "bridge/incoming_record.h"
#include "bridge/record_fixture.h"
#include "plugin/calendar_side_fixture.h"

namespace ploven::test {
namespace {

using calendar::ItemFields;
using calendar::ParseItemRecord;

QByteArray Bytes(const std::string& s) { return QByteArray::fromStdString(s); }

TEST_F(RecordTest, CompanionReadsTheTaskFormPlovenWrites) {
  const ActHandle h = Item("Essay", AF_FLEXIBLE | AF_ALARM | AF_HAS_NOTE, kNoTime, 90);
  Act& a = s.LockAct(h);
  a.deadlineDate = kToday + 2;
  a.deadlineTime = ClockTime(17, 0);
  a.earliestDateTime = ClockTime(8, 30);
  a.alarmMinutes = -10;
  a.label = 2;
  a.noteNumber = kNoteNumber;
  noteText = "Draft first";
  const auto item = ParseItemRecord(Bytes(TaskFormRecord(s, {h, kToday, kNoTime}, context)), false);
  ASSERT_TRUE(item) << item.error.toStdString();
  EXPECT_EQ(item.value->title, "Essay");
  EXPECT_EQ(item.value->date, QDate(2026, 12, 8));
  EXPECT_EQ(item.value->deadlineDate, QDate(2026, 12, 10));
  EXPECT_EQ(item.value->deadlineTime, 17 * 60);  // "5:00pm"
  EXPECT_EQ(item.value->earliest, 8 * 60 + 30);
  EXPECT_TRUE(item.value->alarm);
  EXPECT_EQ(item.value->AlarmOffset(), -10);
  EXPECT_EQ(item.value->duration, 90);
  EXPECT_EQ(item.value->label, "Home");
  EXPECT_EQ(item.value->note, "Draft first");
  EXPECT_EQ(item.value->itemID, s.GetActID(h));
  EXPECT_FALSE(item.value->done);
  EXPECT_FALSE(item.value->recurrence);
}

TEST_F(RecordTest, CompanionReadsTheDoneTaskAndTheEmptyTitle) {
  const ActHandle h = Item("", AF_FLEXIBLE | AF_DONE, kNoTime, 45);
  const auto item = ParseItemRecord(Bytes(TaskFormRecord(s, {h, kToday, kNoTime}, context)), false);
  ASSERT_TRUE(item) << item.error.toStdString();
  EXPECT_TRUE(item.value->title.isEmpty());
  EXPECT_TRUE(item.value->done);
  EXPECT_FALSE(item.value->deadlineDate.isValid());
  EXPECT_EQ(item.value->note, "");
  const auto change = calendar::ParseChangeRecord(
      Bytes(ChangedItemRecord(s, "", {h, kToday, kNoTime}, context)->text), false);
  ASSERT_TRUE(change) << change.error.toStdString();
  EXPECT_TRUE(change.value->oldTitle.isEmpty());
  const auto done = calendar::ParseDoneRecord(Bytes(DoneItemRecord(s.ReadAct(h), "", false).text));
  ASSERT_TRUE(done);
  EXPECT_FALSE(done.value->done);
  EXPECT_TRUE(done.value->title.isEmpty());
  EXPECT_TRUE(
      calendar::ParseDeleteRecord(Bytes(DeletedItemRecord(s.ReadAct(h), "")->text)).isEmpty());
}

TEST_F(RecordTest, CompanionReadsTheWeeklyAppointmentAndItsChange) {
  const ActHandle h = WeeklyStandup();
  const Occurrence o{h, kToday + 1, ClockTime(9, 0)};
  const auto change = calendar::ParseChangeRecord(
      Bytes(ChangedItemRecord(s, "Old standup", o, context)->text), true);
  ASSERT_TRUE(change) << change.error.toStdString();
  EXPECT_EQ(change.value->oldTitle, "Old standup");
  const ItemFields& item = change.value->item;
  EXPECT_TRUE(item.appointment);
  EXPECT_EQ(item.title, "Standup");
  EXPECT_EQ(item.start, 9 * 60);  // "9:00am"
  EXPECT_EQ(item.duration, 15);
  ASSERT_TRUE(item.recurrence);
  EXPECT_EQ(item.recurrence->frequencyCode, 1);
  EXPECT_EQ(item.recurrence->dayBits, 10);
  EXPECT_EQ(item.recurrence->interval, 2);
  EXPECT_EQ(item.recurrence->start, QDate(2026, 12, 7));
  EXPECT_FALSE(item.recurrence->end.isValid());
}

TEST_F(RecordTest, IdEchoNamesTheSubjectAndTheNumber) {
  const auto echo = calendar::ParseIdEchoRecord(Bytes(IdEchoRecord("Lunch *with* Bo", 4711).text));
  ASSERT_TRUE(echo);
  EXPECT_EQ(echo.value->subject, "Lunch *with* Bo");
  EXPECT_EQ(echo.value->itemID, 4711u);
  EXPECT_FALSE(calendar::ParseIdEchoRecord("Lunch*x*"));
  EXPECT_FALSE(calendar::ParseIdEchoRecord("Lunch"));
}

struct TimeCase {
  const char* text;
  int minutes;
};

class ClockTimes : public ::testing::TestWithParam<TimeCase> {};

TEST_P(ClockTimes, ReadAsPlovenShowsThem) {
  EXPECT_EQ(calendar::ParseClockTime(GetParam().text), GetParam().minutes) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ClockTimes,
    ::testing::Values(TimeCase{"9:05", 545}, TimeCase{"21:05", 1265}, TimeCase{"0:05", 5},
                      TimeCase{"9:05am", 545}, TimeCase{"12:00pm", 720}, TimeCase{"12:30am", 30},
                      TimeCase{"11:59pm", 1439}, TimeCase{"9.05", 545}, TimeCase{"21h05", 1265},
                      TimeCase{"9:05PM", 1265}, TimeCase{"24:00", -1}, TimeCase{"9:5", -1},
                      TimeCase{"13:00pm", -1}, TimeCase{"", -1}, TimeCase{"9:60", -1},
                      TimeCase{"x9:05", -1}, TimeCase{"905", -1}));

struct BadRecord {
  const char* record;
  bool appointment;
  const char* reason;
};

class RefusedRecords : public ::testing::TestWithParam<BadRecord> {};

TEST_P(RefusedRecords, SayWhy) {
  const auto item = ParseItemRecord(GetParam().record, GetParam().appointment);
  EXPECT_FALSE(item);
  EXPECT_TRUE(item.error.contains(QString::fromUtf8(GetParam().reason)))
      << item.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, RefusedRecords,
    ::testing::Values(
        BadRecord{"Essay\t8/12/2026\t\n", false, "fields"},
        BadRecord{"Essay\t31/2/2026\t*not added*not added\tFalse\t\t0:0:\tnot Done\t0.000\t0\tnot "
                  "Done\tblank\t\tblank\t\tblank\t \tNormal\tFalse\t\tnormal\tblank\tblank\t0\t"
                  "norecurring\t\n",
                  false, "the date"},
        BadRecord{"Essay\t8/12/2026\t*not added*not added\tMaybe\t\t0:0:\tnot Done\t0.000\t0\tnot "
                  "Done\tblank\t\tblank\t\tblank\t \tNormal\tFalse\t\tnormal\tblank\tblank\t0\t"
                  "norecurring\t\n",
                  false, "reminder"},
        BadRecord{
            "Meet\t8/12/2026\t\t**\t\tFalse\tFalse\t\t0:0:\t\t\t\t\t \t\t\tnormal\tFalse\t\t2\t"
            "0\t5\tnorecurring\t\n",
            true, "no start"}));

// What the companion sends back, read by the main program's own reader.
struct ComposeCase {
  const char* name;
  ItemFields item;
};

ItemFields Recurring(ItemFields item) {
  item.recurrence = calendar::RecurrenceRule{
      2, 0, (1u << 14) | (1u << 30), 1, QDate(2026, 1, 15), QDate(2027, 6, 30)};
  return item;
}

ItemFields Done(ItemFields item) {
  item.done = true;
  return item;
}

ItemFields Untitled(ItemFields item) {
  item.title.clear();
  item.note.clear();
  return item;
}

class ComposedRecords : public ::testing::TestWithParam<ComposeCase> {};

TEST_P(ComposedRecords, ReadByTheMainProgram) {
  const ItemFields& item = GetParam().item;
  const QByteArray record = calendar::ComposeItemRecord(item);
  const BridgeCode code = item.appointment ? BridgeCode::kAppointment : BridgeCode::kTask;
  const IncomingParse parsed = ParseIncomingRecord(code, record.toStdString(), DateText{});
  ASSERT_TRUE(parsed.item) << parsed.refusal << "\n" << record.toStdString();
  const IncomingItem& in = *parsed.item;
  QString title = item.title;
  title.replace(QLatin1Char('\t'), QLatin1Char(' '));  // a TAB would move every later field
  EXPECT_EQ(in.appointment, item.appointment);
  EXPECT_EQ(QString::fromStdString(in.title), title);
  EXPECT_EQ(in.date, calendar::DayNumberOf(item.date));
  EXPECT_EQ(in.done, item.done);
  EXPECT_EQ(in.duration, item.duration);
  EXPECT_EQ(QString::fromStdString(in.project), item.project);
  EXPECT_EQ(QString::fromStdString(in.label), item.label);
  EXPECT_EQ(QString::fromStdString(in.note), item.note);
  EXPECT_EQ(in.itemID, item.itemID);
  EXPECT_EQ(in.alarm, item.alarm && (item.appointment || item.deadlineDate.isValid()));
  EXPECT_EQ(in.alarmHours * 60 + in.alarmMinutes, item.AlarmOffset());
  if (item.appointment) {
    EXPECT_EQ(in.start, ClockTime(item.start / 60, item.start % 60));
  }
  if (!item.done) {
    EXPECT_EQ(in.deadlineDate, calendar::DayNumberOf(item.deadlineDate));
    EXPECT_EQ(in.deadlineTime, item.deadlineTime < 0
                                   ? kNoTime
                                   : ClockTime(item.deadlineTime / 60, item.deadlineTime % 60));
  }
  ASSERT_EQ(in.recurrence.has_value(), item.recurrence.has_value());
  if (item.recurrence) {
    EXPECT_EQ(in.recurrence->freq, 0x04);  // monthly
    EXPECT_EQ(in.recurrence->dateBits, item.recurrence->dateBits);
    EXPECT_EQ(in.recurrence->startDate, calendar::DayNumberOf(item.recurrence->start));
    EXPECT_EQ(in.recurrence->endDate, calendar::DayNumberOf(item.recurrence->end));
  }
  // The companion reads its own records back the same.
  const auto again = ParseItemRecord(record, item.appointment);
  ASSERT_TRUE(again) << again.error.toStdString();
  EXPECT_EQ(again.value->title, title);
  EXPECT_EQ(again.value->recurrence, item.recurrence);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ComposedRecords,
    ::testing::Values(ComposeCase{"Task", calendar::test::SampleTask("Plant bulbs", 0)},
                      ComposeCase{"TaskWithNumber", calendar::test::SampleTask("Plant\tbulbs", 42)},
                      ComposeCase{"DoneTask", Done(calendar::test::SampleTask("Plant bulbs", 7))},
                      ComposeCase{"UntitledTask", Untitled(calendar::test::SampleTask("", 0))},
                      ComposeCase{"Appointment", calendar::test::SampleAppointment("Dentist", 0)},
                      ComposeCase{"RecurringAppointment",
                                  Recurring(calendar::test::SampleAppointment("!Rent", 9))},
                      ComposeCase{"DoneAppointment",
                                  Done(calendar::test::SampleAppointment("Call", 3))}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace ploven::test
