#include "dialogs/time_report_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "engine/engine_fixture.h"

namespace ploven::test {
namespace {

class TimeReportWindowTest : public EngineTest {
 protected:
  TimeReportWindowTest() {
    context.today = context.viewed = kToday;
    context.now = TestEnv::kNine;
    auto entry = [](DayNumber day, const char* project, int minutes) {
      DoneLogFields f;
      f.day = day;
      f.project = project;
      f.duration = minutes;
      return f;
    };
    work = {entry(kToday, "Admin", 30), entry(kToday - 1, "Admin", 60),
            entry(kToday - 1, "Client", 45), entry(kToday - 9, "Client", 600)};
  }

  TimeReportWindow::Builder Builder() {
    return [this](DayNumber from, DayNumber to, TimeReportBy by, std::vector<DoneLogProblem>&) {
      asked = {from, to};
      return BuildTimeReport(work, from, to, by);
    };
  }

  DateText text;
  ParseContext context;
  std::vector<DoneLogFields> work;
  std::pair<DayNumber, DayNumber> asked;
};

TEST_F(TimeReportWindowTest, ShowsTheRowsAndTotalsOfTheDatesAsked) {
  TimeReportWindow w(Builder(), static_cast<DayNumber>(kToday - 2), kToday, text, context, env.msg);
  EXPECT_EQ(asked, std::make_pair(static_cast<DayNumber>(kToday - 2), kToday));
  ASSERT_EQ(w.table()->rowCount(), 2);
  EXPECT_EQ(w.table()->item(0, 1)->text(), "Admin");
  EXPECT_EQ(w.table()->item(0, 2)->text(), "1:30");
  EXPECT_EQ(w.totalsLine()->text(), "Total: 2:15, expense 0.00, mileage 0");
  w.byBox()->setCurrentIndex(1);  // by project and day
  EXPECT_EQ(w.table()->rowCount(), 3);
  EXPECT_FALSE(w.table()->isColumnHidden(0));
}

TEST_F(TimeReportWindowTest, DatesThatCannotBeReadOrRunBackwardsAreTold) {
  TimeReportWindow w(Builder(), kToday, kToday, text, context, env.msg);
  env.ui.boxes.clear();
  w.fromField()->setText("someday");
  EXPECT_FALSE(w.Rebuild());
  w.fromField()->setText(QString::fromStdString(FormatDate(kToday, text)));
  w.toField()->setText(QString::fromStdString(FormatDate(kToday - 3, text)));
  EXPECT_FALSE(w.Rebuild());
  EXPECT_EQ(env.ui.boxes.size(), 2u);
  EXPECT_EQ(w.report().minutes, 30);  // what was shown stays
}

}  // namespace
}  // namespace ploven::test
