#include "edit/item_form.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "store/act_flags.h"

namespace ploven::test {
namespace {

// One field of one form: carried or not.
struct FormRow {
  const char* name;
  ItemTemplate form;
  uint16_t typeFlags;
  bool ItemFormFields::*field;
  bool carried;
};
void PrintTo(const FormRow& row, std::ostream* os) { *os << row.name; }

class ItemFormRows : public ::testing::TestWithParam<FormRow> {};

TEST_P(ItemFormRows, TheFormCarriesItsFields) {
  const FormRow& row = GetParam();
  EXPECT_EQ(ItemFormFields::For(row.form, row.typeFlags).*row.field, row.carried);
}

using F = ItemFormFields;
using enum ItemTemplate;

INSTANTIATE_TEST_SUITE_P(
    Forms, ItemFormRows,
    ::testing::Values(
        FormRow{"GeneralHasTheWholePlan", kGeneral, ACT_ITEM, &F::prereq, true},
        FormRow{"GeneralHasANote", kGeneral, ACT_ITEM, &F::note, true},
        FormRow{"ProjectsShareTheGeneralForm", kProject, ACT_PROJECT, &F::tier, true},
        FormRow{"AppointmentHasATime", kAppointment, ACT_APPOINTMENT, &F::startTime, true},
        FormRow{"AppointmentHasNoFlexibleDate", kAppointment, ACT_APPOINTMENT, &F::setFlexible,
                false},
        FormRow{"AppointmentHasNoPriority", kAppointment, ACT_APPOINTMENT, &F::tier, false},
        FormRow{"MemoHasNoDuration", kMemo, ACT_MEMO, &F::duration, false},
        FormRow{"MemoMayRecur", kMemo, ACT_MEMO, &F::instances, true},
        FormRow{"BirthdayCountsYears", kSpecialMemo, ACT_BIRTHDAY, &F::firstYear, true},
        FormRow{"AnniversaryCountsYears", kSpecialMemo, ACT_ANNIVERSARY, &F::firstYear, true},
        FormRow{"WorkHolidayHasNoYearsToCount", kSpecialMemo, ACT_WORK_HOLIDAY, &F::firstYear,
                false},
        FormRow{"SpecialMemosRemindDaysAhead", kSpecialMemo, ACT_WORK_HOLIDAY, &F::reminderDays,
                true},
        FormRow{"EventHasARangeEnd", kMultiDayEvent, ACT_MULTIDAY, &F::endDate, true},
        FormRow{"EventHasNoStartTime", kMultiDayEvent, ACT_MULTIDAY, &F::startTime, false},
        FormRow{"CashHasAnAmount", kCash, 0, &F::amount, true},
        FormRow{"OnlyCashHasAnAmount", kGeneral, ACT_ITEM, &F::amount, false},
        FormRow{"LiteHasATier", kLite, ACT_ITEM, &F::tier, true},
        FormRow{"LiteHasNoRank", kLite, ACT_ITEM, &F::rank, false},
        FormRow{"LiteStepsNoInstances", kLite, ACT_ITEM, &F::instances, false},
        FormRow{"LiteHasNoAlarm", kLite, ACT_ITEM, &F::alarm, false}),
    [](const ::testing::TestParamInfo<FormRow>& row) { return std::string(row.param.name); });

// The field rules as the working copy changes.
class ItemFieldStatesTest : public ::testing::Test {
 protected:
  ItemFieldStates Of(bool recurrences = true) { return ItemFieldStates::Of(ses, recurrences); }
  ItemEditSession ses;
};

TEST_F(ItemFieldStatesTest, AFlexibleDateOpensItsWindowAndThePriorities) {
  ses.draft.act.flags = AF_FLEXIBLE;
  EXPECT_TRUE(Of().dateWindow);
  EXPECT_TRUE(Of().flexibleOnly);
  ses.draft.act.flags = AF_FIXED;
  EXPECT_FALSE(Of().dateWindow);
  EXPECT_FALSE(Of().flexibleOnly);
}

TEST_F(ItemFieldStatesTest, ASetStartTimeClosesTheFluidTimeOfDay) {
  ses.draft.act.startTime = kNoTime;
  EXPECT_TRUE(Of().fluidTime);
  ses.draft.act.startTime = 9 * 60 + 1;
  EXPECT_FALSE(Of().fluidTime);
}

TEST_F(ItemFieldStatesTest, RecurringItemsAreNotSplitUnlessSplitAlready) {
  EXPECT_TRUE(Of().splittable);
  ses.draft.recurrence = Beta{};
  EXPECT_FALSE(Of().splittable);
  ses.draft.act.flags |= AF_SPLIT;
  EXPECT_TRUE(Of().splittable) << "an item split already can be unsplit";
}

TEST_F(ItemFieldStatesTest, TheInstanceButtonsBelongToAnInstanceBeingModified) {
  EXPECT_FALSE(Of().instanceChoice);
  ses.definition = ActHandle{7};
  ses.mode = ItemDialogMode::kModify;
  EXPECT_TRUE(Of().instanceChoice);
  EXPECT_TRUE(Of().stepping);
  EXPECT_TRUE(Of().deleteInstance);
  // Without the recurring items at hand there is nothing to step through or cancel.
  EXPECT_FALSE(Of(false).stepping);
  EXPECT_FALSE(Of(false).deleteInstance);
  // Every instance at once has no instance to step to.
  ses.modifyEveryInstance = true;
  EXPECT_FALSE(Of().stepping);
  EXPECT_TRUE(Of().deleteInstance);
  ses.mode = ItemDialogMode::kModifyAllRecurrences;
  EXPECT_FALSE(Of().instanceChoice);
  EXPECT_FALSE(Of().deleteInstance);
}

}  // namespace
}  // namespace ploven::test
