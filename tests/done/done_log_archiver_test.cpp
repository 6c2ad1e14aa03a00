#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "done/done_log_archiver.h"
#include "done/mark_done.h"
#include "engine/engine.h"
#include "engine/past_days.h"
#include "mock/faulty_file_system.h"
#include "mock/test_env.h"

namespace ploven::test {
namespace {

constexpr DayNumber kToday = TestEnv::kToday;
constexpr DayNumber kDec6 = kToday - 2;

TimeOfDay At(int hour, int minute = 0) { return static_cast<TimeOfDay>(hour * 60 + minute + 1); }

class ArchiverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.header().setMode(3);
    engine.SetArchiver(&archiver);
  }
  ActHandle Done(DayNumber date, const std::string& title, TimeOfDay start, Duration duration) {
    Act a;
    a.flags = AF_DONE | AF_FIXED;
    a.startTime = start;
    a.duration = duration;
    return s.NewItem(date, a, title);
  }
  std::string Log(const std::string& name) {
    std::ifstream in(env.dir / name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  Terminal& Day(DayNumber date) { return *s.ExistingTerminal(date); }

  TestEnv env;
  Schedule s{env.msg, env.clock};
  Engine engine{s};
  PosixFileSystem real;
  FaultyFileSystem fs{real};
  DoneLogArchiver archiver{engine, fs, env.dir.path().string(), DateText{}};
};

TEST_F(ArchiverTest, WritesEveryItemThenTakesTheDayAway) {
  const ActHandle a = Done(kDec6, "Breakfast", At(8), 30);
  const ActHandle b = Done(kDec6, "Report\nfinal", At(9, 15), 90);
  s.ClearChanged();
  EXPECT_TRUE(archiver.ArchiveDay(Day(kDec6)));
  EXPECT_EQ(Log("Dec26.log"),
            "12/06/26\t08:00 am\t 30\t\tBreakfast\t\t0\t0.00\t0\r\n"
            "12/06/26\t09:15 am\t 90\t\tReport final\t\t0\t0.00\t0\r\n");
  EXPECT_FALSE(s.IsActValid(a));
  EXPECT_FALSE(s.IsActValid(b));
  EXPECT_EQ(s.ExistingTerminal(kDec6), nullptr);
  EXPECT_EQ(s.header().lastArchivedDate(), kDec6);
  EXPECT_TRUE(s.changed());
}

TEST_F(ArchiverTest, AFailedWriteLeavesTheWholeDayAndARetryCompletesIt) {
  const ActHandle a = Done(kDec6, "First", At(8), 30);
  const ActHandle b = Done(kDec6, "Second", At(9), 30);
  fs.FailAt(2, ENOSPC, false);  // the write, after the file was opened
  EXPECT_FALSE(archiver.ArchiveDay(Day(kDec6)));
  EXPECT_TRUE(env.ui.Showed("Error writing to"));
  EXPECT_TRUE(s.IsActValid(a));
  EXPECT_TRUE(s.IsActValid(b));
  EXPECT_EQ(Day(kDec6).nTasks, 2);
  EXPECT_EQ(s.header().lastArchivedDate(), 0);

  fs.Heal();
  const std::string lines = archiver.DayLines(Day(kDec6));
  EXPECT_TRUE(archiver.ArchiveDay(Day(kDec6)));
  const std::string log = Log("Dec26.log");
  ASSERT_GE(log.size(), lines.size());
  EXPECT_EQ(log.substr(log.size() - lines.size()), lines);
  EXPECT_FALSE(s.IsActValid(a));
}

TEST_F(ArchiverTest, RollOverStopsAtTheFirstDayThatCannotBeWritten) {
  Done(kToday - 3, "Monday", At(8), 10);
  const ActHandle tuesday = Done(kDec6, "Sunday", At(8), 10);
  fs.FailAt(5, EIO, false);  // create, write, close of the first day; then the second's write
  RollOverPastDays(engine);
  EXPECT_EQ(s.header().lastArchivedDate(), kToday - 3);
  EXPECT_TRUE(s.IsActValid(tuesday));
  EXPECT_EQ(Day(kDec6).nTasks, 1);
}

TEST_F(ArchiverTest, UndoneItemsAlarmBoxesAndSwitchedOffLogs) {
  Done(kDec6, "done", At(8), 10);
  Act undone;
  undone.duration = 10;
  const ActHandle u = s.NewItem(kDec6, undone, "undone");
  EXPECT_FALSE(archiver.ArchiveDay(Day(kDec6)));
  EXPECT_EQ(fs.operations(), 0);

  s.LockAct(u).flags |= AF_DONE;
  engine.busy().alarmBox = true;
  EXPECT_FALSE(archiver.ArchiveDay(Day(kDec6)));
  engine.busy().alarmBox = false;

  engine.settings().doneLogFiles = false;
  EXPECT_TRUE(archiver.ArchiveDay(Day(kDec6)));
  EXPECT_EQ(fs.operations(), 0);
  EXPECT_FALSE(s.IsActValid(u));
}

TEST_F(ArchiverTest, ADroneLeavesThroughItsExceptionEntry) {
  Act def;
  def.flags = AF_BETA;
  def.duration = 20;
  const ActHandle definition = s.AllocateAct(def, "weekly");
  s.LockAct(definition).hBeta = s.AllocateBeta(Beta{});
  Act d = def;
  d.flags = AF_DRONE | AF_DONE | AF_FIXED;
  d.hBeta = definition;
  d.createdDate = kDec6 - 1;  // it was moved from the day before
  d.startTime = At(7);
  const ActHandle drone = s.AllocateAct(d, "weekly");
  s.AddXlistEntry(definition, kDec6 - 1, drone);
  Terminal* day = s.GetTerminal(kDec6);
  s.LinkTaskAfter(*day, nullptr, s.NewTaskNode(drone, At(7), 20));

  EXPECT_TRUE(archiver.ArchiveDay(*day));
  EXPECT_EQ(s.FindXlistEntry(definition, kDec6 - 1), nullptr);
  EXPECT_FALSE(s.IsActValid(drone));
  EXPECT_TRUE(s.IsActValid(definition));
}

TEST_F(ArchiverTest, AnItemOnTwoDaysStaysUntilItsLastDayIsArchived) {
  const ActHandle h = Done(kDec6 - 1, "two days", At(22), 60);
  Terminal* next = s.GetTerminal(kDec6);
  s.LinkTaskAfter(*next, nullptr, s.NewTaskNode(h, At(0), 30));
  EXPECT_TRUE(archiver.ArchiveDay(Day(kDec6 - 1)));
  EXPECT_TRUE(s.IsActValid(h));
  EXPECT_EQ(Day(kDec6).nTasks, 1);
  EXPECT_TRUE(archiver.ArchiveDay(Day(kDec6)));
  EXPECT_FALSE(s.IsActValid(h));
  EXPECT_EQ(Log("Dec26.log"),
            "12/05/26\t10:00 pm\t 60\t\ttwo days\t\t0\t0.00\t0\r\n"
            "12/06/26\t12:00 am\t 60\t\ttwo days\t\t0\t0.00\t0\r\n");
}

TEST_F(ArchiverTest, MarkItemDoneRecordsWhereTheItemStands) {
  Act a;
  a.flags = AF_FLEXIBLE;
  a.duration = 30;
  const ActHandle h = s.NewItem(kToday, a, "fluid");
  ASSERT_NE(s.priorityIndex().EntryOf(h), kNoPriorityEntry);
  const TimeOfDay start = s.ActTask(h)->StartTime();
  env.clock.Set(kToday, At(11, 20));
  s.ClearChanged();
  EXPECT_TRUE(MarkItemDone(engine, h));
  const Act& done = s.ReadAct(h);
  EXPECT_TRUE(done.Has(AF_DONE));
  EXPECT_FALSE(done.Has(AF_FLEXIBLE));
  EXPECT_EQ(done.startTime, start);
  EXPECT_EQ(s.priorityIndex().EntryOf(h), kNoPriorityEntry);
  EXPECT_EQ(done.touchedTime, At(11, 20));
  EXPECT_TRUE(s.changed());

  Act def;
  def.flags = AF_BETA;
  const ActHandle definition = s.AllocateAct(def, "recurring");
  EXPECT_FALSE(MarkItemDone(engine, definition));
  EXPECT_FALSE(s.ReadAct(definition).Has(AF_DONE));
  EXPECT_FALSE(MarkItemDone(engine, kNoAct));
}

}  // namespace
}  // namespace ploven::test
