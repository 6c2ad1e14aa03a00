#include "dialogs/done_item_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "engine/engine_fixture.h"

namespace ploven::test {
namespace {

class DoneItemDialogTest : public EngineTest {
 protected:
  DoneItemDialogTest() {
    text.regional.iTime = 1;  // the 24-hour clock
    context.today = kToday;
    context.now = TestEnv::kNine;
    context.viewed = kToday;
  }

  static void Leave(QLineEdit* field, const QString& value) {
    field->setText(value);
    emit field->editingFinished();
  }

  DateText text;
  ParseContext context;
};

TEST_F(DoneItemDialogTest, TheTimesFollowEachOtherAsTheyAreLeft) {
  DoneItemDraft draft;
  draft.date = kToday;
  draft.times = DoneItemTimes(At(9), 30);
  DoneItemDialog dialog(engine, draft, text, context);
  EXPECT_EQ(dialog.endedField()->text(), "9:30");
  Leave(dialog.beganField(), "10:00");
  EXPECT_EQ(dialog.endedField()->text(), "10:30");
  Leave(dialog.endedField(), "9:00");  // before Began: past midnight
  EXPECT_EQ(dialog.durationField()->text(), "23:00");
  Leave(dialog.durationField(), "1:15");
  EXPECT_EQ(dialog.endedField()->text(), "11:15");
  Leave(dialog.beganField(), "");
  EXPECT_EQ(dialog.endedField()->text(), "");
  EXPECT_FALSE(dialog.draft().times.hasBegan());
}

TEST_F(DoneItemDialogTest, OkRecordsTheNewDoneItemWithItsFields) {
  DoneItemDraft draft = NewDoneItemDraft(engine, kToday, nullptr);
  DoneItemDialog dialog(engine, draft, text, context);
  dialog.titleField()->setText("Site visit");
  Leave(dialog.beganField(), "13:00");
  Leave(dialog.durationField(), "2:00");
  dialog.expenseField()->setText("18.40");
  dialog.mileageField()->setText("57");
  dialog.jobNumberField()->setText("311");
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  const ActHandle h = dialog.savedItem();
  ASSERT_NE(h, kNoAct);
  const Act& a = s.ReadAct(h);
  EXPECT_TRUE(a.Has(AF_DONE));
  EXPECT_EQ(a.startTime, At(13));
  EXPECT_EQ(a.duration, 120);
  EXPECT_FLOAT_EQ(a.expense, 18.4f);
  EXPECT_EQ(a.mileage, 57);
  EXPECT_EQ(a.jobNumber, 311);
}

TEST_F(DoneItemDialogTest, EntriesThatCannotBeReadKeepTheWindowOpen) {
  for (const char* field : {"date", "expense", "mileage", "job", "title"}) {
    env.ui.boxes.clear();
    DoneItemDialog dialog(engine, NewDoneItemDraft(engine, kToday, nullptr), text, context);
    dialog.titleField()->setText(std::string(field) == "title" ? "  " : "Call");
    if (std::string(field) == "date") dialog.dateField()->setText("31/31/26");
    if (std::string(field) == "expense") dialog.expenseField()->setText("a lot");
    if (std::string(field) == "mileage") dialog.mileageField()->setText("-3");
    if (std::string(field) == "job") dialog.jobNumberField()->setText("12b");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted) << field;
    EXPECT_EQ(dialog.savedItem(), kNoAct) << field;
    EXPECT_FALSE(env.ui.boxes.empty()) << field;
  }
  EXPECT_EQ(s.ExistingTerminal(kToday), nullptr);
}

TEST_F(DoneItemDialogTest, NoteAttachesANoteNumberAndOpensIt) {
  int32_t opened = 0;
  s.header().setNextNoteNumber(7);
  DoneItemDialog dialog(engine, NewDoneItemDraft(engine, kToday, nullptr), text, context,
                        [&](int32_t n) { opened = n; });
  dialog.noteButton()->click();
  EXPECT_EQ(opened, 8);
  EXPECT_TRUE(dialog.draft().hasNote);
}

}  // namespace
}  // namespace ploven::test
