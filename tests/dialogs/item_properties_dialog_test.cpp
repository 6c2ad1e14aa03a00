#include "dialogs/item_properties_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <memory>
#include <string>

#include "dialogs/box_driver.h"
#include "dialogs/item_dialog_messages.h"
#include "edit/item_dialog_kind.h"
#include "recur/expansion_fixture.h"
#include "store/act_flags.h"
#include "store/date_parse.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

// Monday to Friday.
constexpr std::array<bool, 7> kWorkdays = {false, true, true, true, true, true, false};

class ItemDialogTest : public RecurTest {
 protected:
  ParseContext Context() const {
    ParseContext c;
    c.today = kToday;
    c.now = TestEnv::kNine;
    c.viewed = kToday;
    return c;
  }

  ItemEditSession& Open(int command, DayNumber date = kToday, TaskNode* task = nullptr,
                        bool lightMode = false) {
    ItemEditRequest request;
    request.lightMode = lightMode;
    request.command = command;
    request.date = date;
    request.task = task;
    auto session = OpenItemEdit(engine, &r, request);
    EXPECT_TRUE(session.has_value());
    m_session = std::make_unique<ItemEditSession>(session ? *session : ItemEditSession{});
    return *m_session;
  }

  ItemPropertiesDialog& Dialog(ItemEditSession& session) {
    m_dialog = std::make_unique<ItemPropertiesDialog>(
        session, engine, &r, engine.dateText(), Context(), env.msg, ItemEditHooks{}, kWorkdays);
    return *m_dialog;
  }

  // Types into a field and leaves it, as the user does.
  static void Type(QLineEdit* field, const QString& text) {
    ASSERT_NE(field, nullptr);
    field->setText(text);
    emit field->editingFinished();
  }

  std::unique_ptr<ItemEditSession> m_session;
  std::unique_ptr<ItemPropertiesDialog> m_dialog;
};

TEST_F(ItemDialogTest, SetDateItemIsStoredOnItsDayWithItsTimes) {
  ItemPropertiesDialog& dialog = Dialog(Open(kCmdNewItem));
  dialog.titleField()->setPlainText("Dentist");
  dialog.setDateButton()->setChecked(true);
  Type(dialog.dateField(), "2");  // two days from today
  Type(dialog.startTimeField(), "10:30");
  Type(dialog.durationField(), "1:15");
  dialog.accept();

  ASSERT_EQ(dialog.result(), QDialog::Accepted) << env.msg.LastMessage();
  const ActHandle h = s.FindActByTitle("Dentist");
  ASSERT_NE(h, kNoAct);
  const Act& a = s.ReadAct(h);
  EXPECT_FALSE(a.Has(AF_FLEXIBLE));
  EXPECT_EQ(s.GetActDate(h), kToday + 2);
  EXPECT_EQ(a.startTime, At(10, 30));
  EXPECT_EQ(a.duration, 75);
}

TEST_F(ItemDialogTest, FlexibleItemKeepsItsDeadlineTierAndFlags) {
  ItemPropertiesDialog& dialog = Dialog(Open(kCmdNewItem));
  dialog.titleField()->setPlainText("Write report");
  dialog.flexibleButton()->setChecked(true);
  Type(dialog.durationField(), "2:00");
  Type(dialog.deadlineDateField(), "5");
  dialog.tierBox()->setCurrentIndex(2);  // C
  dialog.hideBox()->setChecked(true);
  dialog.accept();

  ASSERT_EQ(dialog.result(), QDialog::Accepted) << env.msg.LastMessage();
  const ActHandle h = s.FindActByTitle("Write report");
  ASSERT_NE(h, kNoAct);
  const Act& a = s.ReadAct(h);
  EXPECT_TRUE(a.Has(AF_FLEXIBLE));
  EXPECT_TRUE(a.Has(AF_HIDE));
  EXPECT_EQ(a.duration, 120);
  EXPECT_EQ(a.deadlineDate, kToday + 5);
  EXPECT_EQ(a.tier, 'C');
  const DayNumber day = s.GetActDate(h);
  EXPECT_GE(day, kToday);
  EXPECT_LE(day, kToday + 5);
}

// What the Rank line shows when OK is pressed is the rank the item gets.
TEST_F(ItemDialogTest, TheRankShownIsTheRankSaved) {
  for (const char* title : {"One", "Two", "Three"}) {
    Act a;
    a.flags = AF_FLEXIBLE;
    a.typeFlags = ACT_ITEM;
    a.tier = 'A';
    a.duration = 30;
    ASSERT_NE(s.NewItem(kToday + 3, a, title), kNoAct);
  }
  // Each save is a step of its own: one that fails does not keep the next from being checked.
  const auto saveWithRank = [&](const char* title, int moveTo, const char* shown, int saved) {
    SCOPED_TRACE(title);
    ItemPropertiesDialog& dialog = Dialog(Open(kCmdNewItem));
    dialog.titleField()->setPlainText(title);
    dialog.flexibleButton()->setChecked(true);
    Type(dialog.durationField(), "0:30");
    ASSERT_NE(dialog.rankBar(), nullptr);
    if (moveTo != 0) dialog.rankBar()->setValue(moveTo);
    EXPECT_TRUE(dialog.rankText()->text().contains(shown))
        << dialog.rankText()->text().toStdString();
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << env.msg.LastMessage();
    const ActHandle h = s.FindActByTitle(title);
    ASSERT_NE(h, kNoAct);
    EXPECT_EQ(s.GetActRank(h), saved);
  };
  saveWithRank("Last", 0, "4 of 4", 4);  // the bar opens at the end of the tier
  saveWithRank("Second", 2, "2 of 5", 2);
  // An item taken to another tier goes to that tier's end, as the line says.
  const ActHandle one = s.FindActByTitle("One");
  ItemPropertiesDialog& dialog = Dialog(Open(kCmdModifyItem, s.GetActDate(one), s.ActTask(one)));
  ASSERT_NE(dialog.tierBox(), nullptr);
  dialog.tierBox()->setCurrentIndex(1);  // B, empty so far
  EXPECT_TRUE(dialog.rankText()->text().contains("1 of 1"))
      << dialog.rankText()->text().toStdString();
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted) << env.msg.LastMessage();
  EXPECT_EQ(s.ReadAct(one).tier, 'B');
  EXPECT_EQ(s.GetActRank(one), 1);
}

struct KindRow {
  const char* name;
  int command;
  ItemTemplate form;
  uint16_t kind;
  bool hasStartTime;
};

class ItemDialogKindTest : public ItemDialogTest, public ::testing::WithParamInterface<KindRow> {};

TEST_P(ItemDialogKindTest, SmallFormsMakeTheirKindOnTheirDay) {
  const KindRow& c = GetParam();
  ItemEditSession& session = Open(c.command);
  ASSERT_EQ(session.form, c.form);
  ItemPropertiesDialog& dialog = Dialog(session);
  // The small forms carry no flexible-date fields.
  EXPECT_EQ(dialog.flexibleButton(), nullptr);
  EXPECT_EQ(dialog.earliestDateField(), nullptr);
  ASSERT_EQ(dialog.startTimeField() != nullptr, c.hasStartTime);
  const QString title = QString("Kind %1").arg(c.command);
  dialog.titleField()->setPlainText(title);
  Type(dialog.dateField(), "3");
  if (c.hasStartTime) {
    Type(dialog.startTimeField(), "14:00");
  }
  dialog.accept();

  ASSERT_EQ(dialog.result(), QDialog::Accepted) << env.msg.LastMessage();
  const ActHandle h = s.FindActByTitle(title.toStdString());
  ASSERT_NE(h, kNoAct);
  EXPECT_EQ(s.ReadAct(h).typeFlags & c.kind, c.kind);
  EXPECT_EQ(s.GetActDate(h), kToday + 3);
  if (c.hasStartTime) {
    EXPECT_EQ(s.ReadAct(h).startTime, At(14));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ItemDialogKindTest,
    ::testing::Values(KindRow{"Appointment", kCmdNewAppointment, ItemTemplate::kAppointment,
                              ACT_APPOINTMENT, true},
                      KindRow{"Memo", kCmdNewMemo, ItemTemplate::kMemo, ACT_MEMO, false}),
    [](const ::testing::TestParamInfo<KindRow>& row) { return std::string(row.param.name); });

TEST_F(ItemDialogTest, FieldsShownAtOpeningReadBackUnchanged) {
  // Every text the dialog writes must be one its own parsers accept, or OK would refuse an
  // untouched field.
  ItemEditSession& session = Open(kCmdNewItem, kToday + 4);
  session.draft.act.earliestDate = kToday + 1;
  session.draft.act.earliestDateTime = At(8, 15);
  session.draft.act.deadlineDate = kToday + 9;
  session.draft.act.deadlineTime = At(17, 45);
  session.draft.act.earliestTime = At(9);
  session.draft.act.latestTime = At(16, 30);
  session.draft.act.duration = 95;
  session.draft.act.prereqMinutes = 40;
  session.draft.Set(AF_FLEXIBLE, true);
  const ItemDraft before = session.draft;
  ItemPropertiesDialog& dialog = Dialog(session);
  dialog.titleField()->setPlainText("Round trip");
  dialog.accept();

  ASSERT_EQ(dialog.result(), QDialog::Accepted) << env.msg.LastMessage();
  const Act& a = s.ReadAct(s.FindActByTitle("Round trip"));
  EXPECT_EQ(a.earliestDate, before.act.earliestDate);
  EXPECT_EQ(a.earliestDateTime, before.act.earliestDateTime);
  EXPECT_EQ(a.deadlineDate, before.act.deadlineDate);
  EXPECT_EQ(a.deadlineTime, before.act.deadlineTime);
  EXPECT_EQ(a.earliestTime, before.act.earliestTime);
  EXPECT_EQ(a.latestTime, before.act.latestTime);
  EXPECT_EQ(a.duration, before.act.duration);
  EXPECT_EQ(a.prereqMinutes, before.act.prereqMinutes);
}

struct UnreadableRow {
  const char* name;
  QLineEdit* (ItemPropertiesDialog::*field)() const;
  const char* typed;
};

class UnreadableFieldTest : public ItemDialogTest,
                            public ::testing::WithParamInterface<UnreadableRow> {};

TEST_P(UnreadableFieldTest, KeepsTheDialogOpenWithTheParsersMessage) {
  const UnreadableRow& c = GetParam();
  ItemPropertiesDialog& dialog = Dialog(Open(kCmdNewItem));
  dialog.show();
  dialog.titleField()->setPlainText("Never made");
  QLineEdit* field = (dialog.*c.field)();
  Type(field, c.typed);
  const size_t shownBefore = env.ui.boxes.size();
  dialog.accept();

  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(s.FindActByTitle("Never made"), kNoAct);
  // The text stays for the user to correct, and the parser's own words were shown.
  EXPECT_EQ(field->text(), c.typed);
  EXPECT_EQ(dialog.focusWidget(), field);
  ASSERT_GT(env.ui.boxes.size(), shownBefore);
  std::string expected;
  if (field == dialog.dateField())
    expected = ParseDate(c.typed, engine.dateText(), Context()).message;
  else if (field == dialog.startTimeField())
    expected = ParseTime(c.typed, engine.dateText(), Context()).message;
  else
    expected = ParseDuration(c.typed, engine.dateText()).message;
  ASSERT_FALSE(expected.empty());
  EXPECT_TRUE(env.ui.Showed(expected)) << expected;
  dialog.hide();
}

INSTANTIATE_TEST_SUITE_P(
    Fields, UnreadableFieldTest,
    ::testing::Values(UnreadableRow{"Date", &ItemPropertiesDialog::dateField, "32/13/xx"},
                      UnreadableRow{"Start", &ItemPropertiesDialog::startTimeField, "25:99"},
                      UnreadableRow{"Duration", &ItemPropertiesDialog::durationField, "1:75"}),
    [](const ::testing::TestParamInfo<UnreadableRow>& row) { return std::string(row.param.name); });

TEST_F(ItemDialogTest, TitleEnterIsOkAndCtrlEnterStartsALine) {
  ItemPropertiesDialog& dialog = Dialog(Open(kCmdNewItem));
  dialog.titleField()->setPlainText("First");
  dialog.titleField()->moveCursor(QTextCursor::End);
  SendKey(dialog.titleField(), Qt::Key_Return, Qt::ControlModifier);
  dialog.titleField()->insertPlainText("Second");
  EXPECT_EQ(dialog.draft().title, "First\r\nSecond");
  EXPECT_NE(dialog.result(), QDialog::Accepted);

  SendKey(dialog.titleField(), Qt::Key_Return);
  ASSERT_EQ(dialog.result(), QDialog::Accepted) << env.msg.LastMessage();
  bool found = false;
  for (const auto& [key, node] : s.actChain())
    found = found || s.GetActNameFull(node.act) == "First\r\nSecond";
  EXPECT_TRUE(found);
}

TEST_F(ItemDialogTest, WeekdaysAndWeekendButtonsFollowTheWorkdays) {
  ItemPropertiesDialog& dialog = Dialog(Open(kCmdNewItem));
  dialog.flexibleButton()->setChecked(true);
  dialog.weekendButton()->click();
  EXPECT_EQ(dialog.draft().act.weekdays, 0b1000001);
  for (int day = 0; day < 7; ++day)
    EXPECT_EQ(dialog.weekdayBox(day)->isChecked(), !kWorkdays[static_cast<size_t>(day)]) << day;
  dialog.weekdaysButton()->click();
  EXPECT_EQ(dialog.draft().act.weekdays, 0b0111110);
  dialog.weekdayBox(3)->setChecked(false);
  EXPECT_EQ(dialog.draft().act.weekdays, 0b0110110);
}

TEST_F(ItemDialogTest, FlexibleOnlyFieldsFollowTheDateChoice) {
  ItemPropertiesDialog& dialog = Dialog(Open(kCmdNewItem));
  for (bool flexible : {true, false, true}) {
    SCOPED_TRACE(flexible);
    (flexible ? dialog.flexibleButton() : dialog.setDateButton())->setChecked(true);
    EXPECT_EQ(dialog.draft().flexible(), flexible);
    EXPECT_EQ(dialog.earliestDateField()->isEnabled(), flexible);
    EXPECT_EQ(dialog.deadlineDateField()->isEnabled(), flexible);
    EXPECT_EQ(dialog.tierBox()->isEnabled(), flexible);
    EXPECT_EQ(dialog.weekdayBox(1)->isEnabled(), flexible);
  }
  // A Set Start Time leaves no fluid time of day.
  Type(dialog.startTimeField(), "9:00");
  EXPECT_FALSE(dialog.fluidEarliestField()->isEnabled());
  Type(dialog.startTimeField(), "");
  EXPECT_TRUE(dialog.fluidEarliestField()->isEnabled());
  // A new item has no instances to step through, and nothing to delete.
  EXPECT_FALSE(dialog.priorButton()->isEnabled());
  EXPECT_FALSE(dialog.deleteInstanceButton()->isEnabled());
  EXPECT_EQ(dialog.deleteButton(), nullptr);
  EXPECT_FALSE(dialog.alarmButton()->isEnabled());  // no alarm dialog given
}

TEST_F(ItemDialogTest, DeleteClosesWithItsOwnResult) {
  const ActHandle h = Fixed("Old", kToday, At(10), 30, 0, ACT_ITEM);
  ItemEditSession& session = Open(kCmdModifyItem, kToday, s.ActTask(h));
  ItemPropertiesDialog& dialog = Dialog(session);
  ASSERT_NE(dialog.deleteButton(), nullptr);
  EXPECT_EQ(dialog.titleField()->toPlainText(), "Old");
  dialog.deleteButton()->click();
  EXPECT_EQ(dialog.result(), kItemDialogDelete);
  EXPECT_TRUE(s.IsActValid(h));  // the caller deletes
}

TEST_F(ItemDialogTest, PreferencesOkSavesAsDefault) {
  ItemPropertiesDialog& dialog = Dialog(Open(kCmdNewItemPreferences));
  EXPECT_EQ(dialog.okButton()->text(), item_dialog_text::kSaveAsDefault);
}

struct FormRow {
  const char* name;
  int command;
  bool lightMode;
};

class ItemDialogFormTest : public ItemDialogTest, public ::testing::WithParamInterface<FormRow> {};

TEST_P(ItemDialogFormTest, RendersUnclippedAt1280x800) {
  const FormRow& c = GetParam();
  ItemPropertiesDialog& dialog = Dialog(Open(c.command, kToday, nullptr, c.lightMode));
  dialog.adjustSize();
  const QSize size = dialog.sizeHint();
  EXPECT_LE(size.width(), 1280);
  EXPECT_LE(size.height(), 760);
  dialog.resize(size);
  // The picture goes to the test's own folder, which goes with the test.
  EXPECT_TRUE(dialog.grab().save(QString::fromStdString((env.dir / "form.png").string())));
}

INSTANTIATE_TEST_SUITE_P(Forms, ItemDialogFormTest,
                         ::testing::Values(FormRow{"General", kCmdNewItem, false},
                                           FormRow{"Appointment", kCmdNewAppointment, false},
                                           FormRow{"Birthday", kCmdNewBirthdayMemo, false},
                                           FormRow{"Lite", kCmdNewItemLight, true}),
                         [](const ::testing::TestParamInfo<FormRow>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
}  // namespace ploven::test
