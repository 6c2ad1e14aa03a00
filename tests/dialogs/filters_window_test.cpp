#include "dialogs/filters_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/filter_dialog_messages.h"
#include "dialogs/labels_dialog.h"
#include "mock/test_env.h"
#include "platform/layout_record.h"
#include "platform/program_settings.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"
#include "store/projects.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

namespace t = filter_dialog_text;

class FiltersWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    garden = NewProject(s, Act{}, "Garden");
    house = NewProject(s, Act{}, "House");
  }

  FiltersWindowPorts Ports() {
    return {s, state, settings, program, layout, env.msg, [this] { return writable; }, {}};
  }
  // Counts the repaints the window asks for.
  void Watch(FiltersWindow& w) {
    QObject::connect(&w, &FiltersWindow::filtersChanged, [this] { ++changes; });
    QObject::connect(&w, &FiltersWindow::filtersClosed, [this](bool saved) {
      ++closes;
      lastSaved = saved;
    });
  }
  uint32_t IdOf(ActHandle project) const { return s.ReadAct(project).ID; }

  TestEnv env;
  Schedule s{env.msg, env.clock};
  Settings settings{env.dir / "Ploven.ini", env.dir / "profile.ini"};
  ProgramSettings program;
  LayoutRecord layout;
  FilterState state;
  bool writable = true;
  ActHandle garden = kNoAct;
  ActHandle house = kNoAct;
  int changes = 0;
  int closes = 0;
  bool lastSaved = false;
};

TEST_F(FiltersWindowTest, OpeningTurnsFilteringOnAndShowsTheSavedCombination) {
  state.settings.titleOn = true;
  state.settings.SetTitleText("cat +dog");
  state.settings.projectOn = true;
  state.settings.projectID = IdOf(house);
  state.settings.minimumDurationMinutes = 95;
  FiltersWindow w(Ports());
  Watch(w);
  EXPECT_FALSE(state.filteringOn);
  w.Open();
  EXPECT_TRUE(state.filteringOn);
  EXPECT_NE(layout.windowFlags & kLayoutFilterOpen, 0);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(w.titleBox()->isChecked());
  EXPECT_EQ(w.titleField()->text(), "cat +dog");
  EXPECT_EQ(w.projectCombo()->currentText(), "House");
  EXPECT_EQ(w.projectCombo()->itemText(0), "none");
  EXPECT_EQ(w.hoursField()->text(), "1");
  EXPECT_EQ(w.minutesField()->text(), "35");
  // Opening again only raises the window.
  w.Open();
  EXPECT_EQ(changes, 1);
}

struct EditCase {
  const char* name;
  std::function<void(FiltersWindow&)> edit;
  std::function<bool(const FilterSettings&)> took;
};

class FiltersWindowEditTest : public FiltersWindowTest,
                              public ::testing::WithParamInterface<EditCase> {};

TEST_P(FiltersWindowEditTest, EachControlChangesTheSettingsAndAsksForARepaint) {
  FiltersWindow w(Ports());
  w.Open();
  Watch(w);
  const FilterSettings before = state.settings;
  ASSERT_FALSE(GetParam().took(before));
  GetParam().edit(w);
  EXPECT_TRUE(GetParam().took(state.settings));
  EXPECT_GE(changes, 1);
  EXPECT_TRUE(w.statusLine()->isHidden()) << w.statusLine()->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Controls, FiltersWindowEditTest,
    ::testing::Values(
        EditCase{"Title",
                 [](FiltersWindow& w) {
                   w.titleBox()->setChecked(true);
                   w.titleField()->setText("cat +dog");
                 },
                 [](const FilterSettings& f) {
                   return f.titleOn && f.TitleWords() == std::vector<std::string>{"cat", "+dog"};
                 }},
        EditCase{"MatchCase", [](FiltersWindow& w) { w.matchCaseBox()->setChecked(true); },
                 [](const FilterSettings& f) { return f.matchCase; }},
        EditCase{"Project",
                 [](FiltersWindow& w) {
                   w.projectBox()->setChecked(true);
                   w.projectCombo()->setCurrentIndex(w.projectCombo()->findText("House"));
                 },
                 [](const FilterSettings& f) { return f.projectOn && f.projectID != 0; }},
        EditCase{"Job",
                 [](FiltersWindow& w) {
                   w.jobBox()->setChecked(true);
                   w.jobField()->setText(" 1042 ");
                 },
                 [](const FilterSettings& f) { return f.jobOn && f.jobNumber == 1042; }},
        EditCase{"Labels", [](FiltersWindow& w) { w.labelsBox()->setChecked(true); },
                 [](const FilterSettings& f) { return f.labelsOn; }},
        EditCase{"MinimumDuration",
                 [](FiltersWindow& w) {
                   w.minimumDurationBox()->setChecked(true);
                   w.hoursField()->setText("2");
                   w.minutesField()->setText("");
                 },
                 [](const FilterSettings& f) {
                   return f.minimumDurationOn && f.minimumDurationMinutes == 120;
                 }},
        EditCase{"DoableNow", [](FiltersWindow& w) { w.doableNowBox()->setChecked(true); },
                 [](const FilterSettings& f) { return f.doableNowOn; }},
        EditCase{"NonRoutine", [](FiltersWindow& w) { w.nonRoutineBox()->setChecked(true); },
                 [](const FilterSettings& f) { return f.nonRoutineOn; }},
        EditCase{"TodayOnly", [](FiltersWindow& w) { w.todayOnlyBox()->setChecked(true); },
                 [](const FilterSettings& f) { return f.todayOnlyOn; }},
        EditCase{"ConflictsOnly", [](FiltersWindow& w) { w.conflictsOnlyBox()->setChecked(true); },
                 [](const FilterSettings& f) { return f.conflictsOnlyOn; }},
        EditCase{"CalendarToo", [](FiltersWindow& w) { w.calendarTooBox()->setChecked(false); },
                 [](const FilterSettings& f) { return !f.filterCalendarToo; }}),
    [](const ::testing::TestParamInfo<EditCase>& p) { return std::string(p.param.name); });

TEST_F(FiltersWindowTest, TheChosenProjectIsTheOneInTheCombo) {
  FiltersWindow w(Ports());
  w.Open();
  w.projectCombo()->setCurrentIndex(w.projectCombo()->findText("Garden"));
  EXPECT_EQ(state.settings.projectID, IdOf(garden));
  w.projectCombo()->setCurrentIndex(0);
  EXPECT_EQ(state.settings.projectID, 0u);
}

struct BadCase {
  const char* name;
  QLineEdit* (FiltersWindow::*field)() const;
  const char* text;
  const char* message;
};

class FiltersWindowBadInputTest : public FiltersWindowTest,
                                  public ::testing::WithParamInterface<BadCase> {};

TEST_P(FiltersWindowBadInputTest, IsRefusedWithAMessageAndChangesNothing) {
  const BadCase& c = GetParam();
  state.settings.jobNumber = 7;
  state.settings.minimumDurationMinutes = 150;
  FiltersWindow w(Ports());
  w.Open();
  Watch(w);
  const FilterSettings before = state.settings;
  (w.*c.field)()->setText(c.text);
  EXPECT_EQ(state.settings, before);
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(w.statusLine()->isHidden());
  EXPECT_EQ(w.statusLine()->text(), c.message);
  // A good entry clears the message.
  (w.*c.field)()->setText("1");
  EXPECT_TRUE(w.statusLine()->isHidden());
  EXPECT_NE(state.settings, before);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FiltersWindowBadInputTest,
    ::testing::Values(
        BadCase{"JobNotANumber", &FiltersWindow::jobField, "12a", t::kBadJobNumber},
        BadCase{"JobEmpty", &FiltersWindow::jobField, "", t::kBadJobNumber},
        BadCase{"JobTooLarge", &FiltersWindow::jobField, "99999999999", t::kBadJobNumber},
        BadCase{"HoursTooMany", &FiltersWindow::hoursField, "547", t::kBadHours},
        BadCase{"HoursNegative", &FiltersWindow::hoursField, "-1", t::kBadHours},
        BadCase{"MinutesTooMany", &FiltersWindow::minutesField, "60", t::kBadMinutes},
        BadCase{"MinutesNotANumber", &FiltersWindow::minutesField, "1.5", t::kBadMinutes}),
    [](const ::testing::TestParamInfo<BadCase>& p) { return std::string(p.param.name); });

TEST_F(FiltersWindowTest, AMinimumDurationBeyondTheLimitIsRefused) {
  FiltersWindow w(Ports());
  w.Open();
  w.hoursField()->setText("546");
  w.minutesField()->setText("7");
  EXPECT_EQ(state.settings.minimumDurationMinutes, 546 * 60 + 7);
  w.minutesField()->setText("8");
  EXPECT_EQ(state.settings.minimumDurationMinutes, 546 * 60 + 7);
  EXPECT_EQ(w.statusLine()->text(), t::kDurationTooLong);
}

TEST_F(FiltersWindowTest, ClosingSavesTurnsFilteringOffAndForgetsTheWindow) {
  FiltersWindow w(Ports());
  Watch(w);
  w.Open();
  w.todayOnlyBox()->setChecked(true);
  w.jobBox()->setChecked(true);
  w.jobField()->setText("-3");
  s.ClearChanged();
  changes = 0;
  w.closeButton()->click();
  EXPECT_FALSE(state.filteringOn);
  EXPECT_EQ(layout.windowFlags & kLayoutFilterOpen, 0);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(lastSaved);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(s.changed());
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_EQ(program.filterTodayOnly, 1);
  EXPECT_EQ(program.filterJobCheckbox, 1);

  Settings reread(env.dir / "Ploven.ini", env.dir / "profile.ini");
  ASSERT_TRUE(reread.Load());
  FilterSettings back;
  back.Load(reread);
  EXPECT_EQ(back, state.settings);
  EXPECT_EQ(back.jobNumber, -3);
  EXPECT_TRUE(reread.ReadRect(key::kFilterWnd).has_value());

  // Closing a window that is already closed does nothing more.
  w.reject();
  EXPECT_EQ(closes, 1);
}

TEST_F(FiltersWindowTest, ClosingAReadOnlyScheduleLeavesItUnchanged) {
  writable = false;
  FiltersWindow w(Ports());
  w.Open();
  s.ClearChanged();
  w.reject();
  EXPECT_FALSE(state.filteringOn);
  EXPECT_FALSE(s.changed());
}

TEST_F(FiltersWindowTest, SettingsThatCannotBeWrittenAreReported) {
  // A file where the settings folder should be: nothing can be written below it.
  { std::ofstream(env.dir / "blocker") << "x"; }
  Settings unwritable(env.dir / "blocker" / "Ploven.ini", env.dir / "blocker" / "profile.ini");
  FiltersWindowPorts ports{s, state, unwritable, program, layout, env.msg, {}, {}};
  FiltersWindow w(std::move(ports));
  Watch(w);
  w.Open();
  w.reject();
  EXPECT_FALSE(state.filteringOn);
  EXPECT_FALSE(lastSaved);
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_EQ(env.ui.boxes[0].text, t::kNotSaved);
}

TEST_F(FiltersWindowTest, TheFilterHidesItemsOnlyWhileTheWindowIsOpen) {
  Act a;
  a.flags = AF_FIXED;
  a.startTime = 10 * 60 + 1;
  a.duration = 30;
  const ActHandle cat = s.NewItem(TestEnv::kToday, a, "Feed cat");
  const auto hidden = MakeFilterPredicate(s, state, {});
  FiltersWindow w(Ports());
  w.Open();
  w.titleBox()->setChecked(true);
  w.titleField()->setText("dog");
  EXPECT_TRUE(hidden(cat));
  w.titleField()->setText("CAT");
  EXPECT_FALSE(hidden(cat));
  w.matchCaseBox()->setChecked(true);
  EXPECT_TRUE(hidden(cat));
  w.reject();
  EXPECT_FALSE(hidden(cat));
}

TEST_F(FiltersWindowTest, SelectLabelsTakesTheDialogsMask) {
  FiltersWindow w(Ports());
  w.Open();
  Watch(w);
  std::vector<std::string> offered;
  w.SetLabelsPicker([&](QWidget*, const std::vector<std::string>& names, uint32_t& mask) {
    offered = names;
    mask |= 0x4;
    return true;
  });
  w.labelsButton()->click();
  EXPECT_EQ(state.settings.excludedLabels, 0x4u);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(offered, DefaultLabelNames());
  // Cancel keeps the mask.
  w.SetLabelsPicker([](QWidget*, const std::vector<std::string>&, uint32_t& mask) {
    mask = 0xFF;
    return false;
  });
  w.labelsButton()->click();
  EXPECT_EQ(state.settings.excludedLabels, 0x4u);
  EXPECT_EQ(changes, 1);
}

TEST(LabelsDialogTest, BoxesAreCheckedForShownLabelsAndUnlistedBitsSurvive) {
  const std::vector<std::string> names{"none", "Work", "Home"};
  LabelsDialog d(names, (1u << 1) | (1u << 20));
  ASSERT_EQ(d.boxes().size(), 3u);
  EXPECT_TRUE(d.boxes()[0]->isChecked());
  EXPECT_FALSE(d.boxes()[1]->isChecked());
  EXPECT_EQ(d.boxes()[2]->text(), "Home");
  d.boxes()[0]->setChecked(false);
  d.boxes()[1]->setChecked(true);
  EXPECT_EQ(d.excludedLabels(), (1u << 0) | (1u << 20));
}

TEST(LabelsDialogTest, NoMoreLabelsThanTheMaskHoldsAreListed) {
  const std::vector<std::string> names(40, "x");
  LabelsDialog d(names, 0x80000000u);
  EXPECT_EQ(d.boxes().size(), kMaxFilterLabels);
  EXPECT_FALSE(d.boxes().back()->isChecked());
  EXPECT_EQ(DefaultLabelNames(100).size(), kMaxFilterLabels);
}

TEST_F(FiltersWindowTest, RendersBothWindows) {
  FiltersWindow w(Ports());
  w.Open();
  w.jobField()->setText("12a");
  w.adjustSize();
  EXPECT_FALSE(w.grab().isNull());
  LabelsDialog d(DefaultLabelNames(16), 0x6);
  d.adjustSize();
  EXPECT_FALSE(d.grab().isNull());
  EXPECT_GT(d.width(), 0);
}

}  // namespace
}  // namespace ploven::test
