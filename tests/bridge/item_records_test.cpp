#include "bridge/item_records.h"

#include "bridge/record_fixture.h"

namespace ploven::test {
namespace {

TEST_F(RecordTest, TaskFormCarriesEveryFieldInPlace) {
  const ActHandle h = Item("Essay", AF_FLEXIBLE | AF_ALARM | AF_HAS_NOTE, kNoTime, 90);
  Act& a = s.LockAct(h);
  a.deadlineDate = kToday + 2;
  a.deadlineTime = ClockTime(17, 0);
  a.alarmMinutes = -10;
  a.label = 2;
  a.noteNumber = kNoteNumber;
  noteText = "Draft\tfirst";  // a TAB would shift every later field
  const std::string id = std::to_string(s.GetActID(h));

  EXPECT_EQ(TaskFormRecord(s, {h, kToday, kNoTime}, context),
            "Essay\t8/12/2026\t10/12/2026*not added*5:00pm\tTrue\t12/10/26\t0:-10:\tnot Done\t"
            "0.000\t90\tnot Done\tblank\tHome\tblank\tAnn\tblank\tDraft first\tNormal\tFalse\t"
            "none\tnormal\tblank\tblank\t" +
                id + "\tnorecurring\t\n");
}

TEST_F(RecordTest, DoneTaskSaysNotDoneCompleteAndTheDurationTwice) {
  const ActHandle h = Item("Essay", AF_FLEXIBLE | AF_DONE, kNoTime, 45);
  s.LockAct(h).deadlineDate = kToday + 2;
  const std::vector<std::string> f = Fields(TaskFormRecord(s, {h, kToday, kNoTime}, context));
  ASSERT_EQ(f.size(), 25u);  // 23 fields, "norecurring", the LF
  EXPECT_EQ(f[2], "not done");
  EXPECT_EQ(f[3], "False");  // no alarm
  EXPECT_EQ(f[4], "12/10/26");
  EXPECT_EQ(f[6], "8/12/2026");  // completed on the occurrence's day
  EXPECT_EQ(f[7], "1.000");
  EXPECT_EQ(f[8], "45");
  EXPECT_EQ(f[9], "45");
  EXPECT_EQ(f[11], "None");  // no label: the table's default text
  EXPECT_EQ(f[15], " ");     // no note
}

TEST_F(RecordTest, AppointmentFormOfAWeeklyOccurrence) {
  const ActHandle h = WeeklyStandup();
  ASSERT_NE(h, kNoAct);
  const std::string id = std::to_string(s.GetActID(h));
  EXPECT_EQ(AppointmentFormRecord(s, {h, kToday + 1, ClockTime(9, 0)}, context),
            "Standup\t9/12/2026\t9:00am\t**\t9:15am\tFalse\tFalse\t12/09/26\t0:0:\tAnn\t\t\t\t \t"
            "none\t\tnormal\tFalse\t\t2\t15\t" +
                id +
                "\t1\tnono\t10\tnono\tnono\tnono\tnono\t2\tnono\tnono\tNoEndDate\t7/12/2026\t"
                "\tnono\tnono\t\n");
}

// A recurring item's definition has no task of its own; asking for its occurrence must not end
// the program, and gives the rule's own date and start.
TEST_F(RecordTest, TheOccurrenceOfARecurringDefinitionIsItsOwn) {
  const ActHandle h = WeeklyStandup();
  ASSERT_NE(h, kNoAct);
  const Occurrence o = OccurrenceOf(s, h);
  EXPECT_EQ(o.item, h);
  EXPECT_EQ(o.date, s.GetActDate(h));
  EXPECT_EQ(o.scheduledStart, ClockTime(9, 0));
}

TEST_F(RecordTest, EmptyTitleTravelsAsTheBlankWord) {
  const ActHandle h = Item("", AF_FIXED, ClockTime(10, 0), 30);
  const auto record = NewItemRecord(s, {h, kToday, ClockTime(10, 0)}, context);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->text.rfind("blankone8746589987458745\t8/12/2026\t10:00am\t", 0), 0u);
  const auto changed = ChangedItemRecord(s, "", {h, kToday, ClockTime(10, 0)}, context);
  ASSERT_TRUE(changed);
  EXPECT_EQ(changed->text.rfind("blankone8746589987458745\tblankone8746589987458745\t", 0), 0u);
  EXPECT_EQ(DeletedItemRecord(s.ReadAct(h), "")->text, "blankone8746589987458745");
  EXPECT_EQ(DoneItemRecord(s.ReadAct(h), "", true).text, "Done\tblankone8746589987458745\t");
}

TEST_F(RecordTest, ChangeRecordIsTheOldTitleThenTheNewRecord) {
  const ActHandle h = Item("!Dentist", AF_FIXED, ClockTime(14, 30), 60);
  const Occurrence o{h, kToday, ClockTime(14, 30)};
  const auto changed = ChangedItemRecord(s, "Dentist", o, context);
  ASSERT_TRUE(changed);
  EXPECT_EQ(changed->code, BridgeCode::kAppointment);
  EXPECT_EQ(changed->text, "Dentist\t" + AppointmentFormRecord(s, o, context));
  EXPECT_EQ(Fields(changed->text)[18], "True");  // a title with "!" is private
}

struct FormCase {
  uint32_t flags;
  TimeOfDay start;
  Duration duration;
  RecordForm form;
};

class FormChoice : public ::testing::TestWithParam<FormCase> {};

TEST_P(FormChoice, FollowsStartAndDuration) {
  Act a;
  a.flags = GetParam().flags;
  a.startTime = GetParam().start;
  a.duration = GetParam().duration;
  EXPECT_EQ(ChooseForm(a), GetParam().form);
}

INSTANTIATE_TEST_SUITE_P(
    Items, FormChoice,
    ::testing::Values(FormCase{AF_FIXED, ClockTime(9, 0), 30, RecordForm::kAppointment},
                      FormCase{AF_FIXED, kNoTime, 30, RecordForm::kNone},
                      FormCase{AF_FLEXIBLE, ClockTime(9, 0), 30, RecordForm::kTask},
                      FormCase{AF_FLEXIBLE, ClockTime(9, 0), 0, RecordForm::kAppointment},
                      FormCase{AF_FLEXIBLE, kNoTime, 0, RecordForm::kTask},
                      FormCase{0, kNoTime, 20, RecordForm::kTask}));

TEST_F(RecordTest, NewItemsOfEachFormCarryTheirCode) {
  const ActHandle fixed = Item("Call", AF_FIXED, ClockTime(9, 0), 30);
  const ActHandle flexible = Item("Read", AF_FLEXIBLE, kNoTime, 30);
  const ActHandle noStart = Item("Lunch", AF_FIXED, kNoTime, 30);
  EXPECT_EQ(NewItemRecord(s, OccurrenceOf(s, fixed), context)->code, BridgeCode::kAppointment);
  EXPECT_EQ(NewItemRecord(s, OccurrenceOf(s, flexible), context)->code, BridgeCode::kTask);
  EXPECT_FALSE(NewItemRecord(s, OccurrenceOf(s, noStart), context));
  EXPECT_FALSE(ChangedItemRecord(s, "Lunch", OccurrenceOf(s, noStart), context));
}

struct CodeCase {
  uint32_t flags;
  uint16_t type;
  TimeOfDay start;
  Duration duration;
  std::optional<BridgeCode> deleteCode;
  BridgeCode doneCode;
};

class RecordCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(RecordCodes, DeleteAndDoneChooseTheirCode) {
  Act a;
  a.flags = GetParam().flags;
  a.typeFlags = GetParam().type;
  a.startTime = GetParam().start;
  a.duration = GetParam().duration;
  const auto deleted = DeletedItemRecord(a, "Item");
  ASSERT_EQ(deleted.has_value(), GetParam().deleteCode.has_value());
  if (deleted) {
    EXPECT_EQ(deleted->code, *GetParam().deleteCode);
    EXPECT_EQ(deleted->text, "Item");
  }
  EXPECT_EQ(DoneItemRecord(a, "Item", false).code, GetParam().doneCode);
  EXPECT_EQ(DoneItemRecord(a, "Item", false).text, "UnDone\tItem\t");
}

constexpr TimeOfDay kNine = ClockTime(9, 0);
INSTANTIATE_TEST_SUITE_P(
    Items, RecordCodes,
    ::testing::Values(
        CodeCase{AF_FIXED, ACT_ITEM, kNine, 30, BridgeCode::kAppointment, BridgeCode::kAppointment},
        CodeCase{AF_FIXED, ACT_ITEM, kNoTime, 30, std::nullopt, BridgeCode::kTask},
        CodeCase{AF_FLEXIBLE, ACT_ITEM, kNine, 30, BridgeCode::kAppointment, BridgeCode::kTask},
        CodeCase{AF_FLEXIBLE, ACT_MEMO, kNine, 0, BridgeCode::kAppointment,
                 BridgeCode::kAppointment},
        CodeCase{AF_FLEXIBLE, ACT_ITEM, kNoTime, 30, BridgeCode::kTask, BridgeCode::kTask},
        CodeCase{AF_FLEXIBLE, ACT_ITEM, kNoTime, 0, BridgeCode::kUntimed, BridgeCode::kTask}));

TEST(IdEchoRecord, IsTheSubjectAndTheNumberBetweenStars) {
  const BridgeRecord echo = IdEchoRecord("Lunch with Bo", 4711);
  EXPECT_EQ(echo.code, BridgeCode::kIdEcho);
  EXPECT_EQ(echo.text, "Lunch with Bo*4711*");
}

}  // namespace
}  // namespace ploven::test
