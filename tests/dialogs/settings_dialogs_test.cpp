#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "dialogs/balance_settings_dialog.h"
#include "dialogs/day_bounds_dialog.h"
#include "engine/engine_fixture.h"
#include "store/schedule_header.h"

namespace ploven::test {
namespace {

class SettingsDialogsTest : public EngineTest {
 protected:
  DateText text24() {
    DateText t;
    t.regional.iTime = 1;  // the 24-hour clock
    return t;
  }
};

TEST_F(SettingsDialogsTest, DayBoundsPastMidnightStoreTheShiftedEndAndSayWhenMidnightComes) {
  const DateText text = text24();
  DayBoundsDialog dialog(s, text);
  dialog.earliestField()->setText("7:00");
  dialog.latestField()->setText("1:00");
  EXPECT_TRUE(dialog.statusLine()->text().contains("Midnight Shift mode is on: midnight delayed til"))
      << dialog.statusLine()->text().toStdString();
  EXPECT_TRUE(dialog.statusLine()->text().contains("4:00")) << dialog.statusLine()->text().toStdString();
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(s.header().earliestTimeOfDay(), 7 * 60 + 1);
  EXPECT_EQ(s.header().latestTimeOfDay(), 1500 + 1);
}

TEST_F(SettingsDialogsTest, DayBoundsThatCannotBeReadKeepTheDialogOpen) {
  const DateText text = text24();
  const TimeOfDay before = s.header().latestTimeOfDay();
  DayBoundsDialog dialog(s, text);
  dialog.latestField()->setText("26:99");
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(env.ui.boxes.empty());
  EXPECT_EQ(s.header().latestTimeOfDay(), before);
}

TEST_F(SettingsDialogsTest, BalanceSettingsTakeTheReservesAndRefuseAnEndBeforeTheBegin) {
  const DateText text = text24();
  {
    BalanceSettingsDialog dialog(engine, text);
    dialog.reserveTodayField()->setText("0:45");
    dialog.keepClearFromField()->setText("12/20/26");
    dialog.keepClearThroughField()->setText("12/10/26");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(env.ui.boxes.empty());
  }
  BalanceSettingsDialog dialog(engine, text);
  dialog.reserveTodayField()->setText("0:45");
  dialog.keepClearFromField()->setText("");
  dialog.keepClearThroughField()->setText("");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(engine.settings().reserveToday, 45);
}

}  // namespace
}  // namespace ploven::test
