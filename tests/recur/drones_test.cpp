#include <functional>
#include <ostream>
#include <string>

#include "done/mark_done.h"
#include "recur/expansion_fixture.h"

namespace ploven::test {
namespace {

class DronesTest : public RecurTest {
 protected:
  void SetUp() override {
    RecurTest::SetUp();
    def = Recurring("Walk {count up 1}", Daily(kToday));
    for (DayNumber d = kToday; d <= kToday + 4; ++d) Keep(d);
  }
  ActHandle def = kNoAct;
};

TEST_F(DronesTest, EditingOneOccurrenceMakesADroneOfIt) {
  TaskNode* node = Clone(def, kToday + 2);
  const ActHandle drone = CloneToDrone(r, node);
  ASSERT_NE(drone, kNoAct);
  const Act& d = s.ReadAct(drone);
  const Act& b = s.ReadAct(def);
  EXPECT_TRUE(d.Has(AF_DRONE));
  EXPECT_FALSE(d.Has(AF_BETA));
  EXPECT_EQ(d.hBeta, def);
  EXPECT_EQ(d.ddate, kToday + 2);
  EXPECT_EQ(d.createdDate, kToday + 2);
  EXPECT_NE(d.ID, 0u);
  EXPECT_NE(d.ID, b.ID);
  EXPECT_EQ(s.FindActByID(d.ID), drone);
  EXPECT_EQ(s.GetActNameFull(drone), "Walk 3");  // the third date of the series
  EXPECT_EQ(node->act, drone);
  EXPECT_EQ(s.ExistingTerminal(kToday + 2)->nClones, 0);
  EXPECT_EQ(s.ExistingTerminal(kToday + 2)->nTasks, 1);
  ASSERT_EQ(Rule(def).xlist.size(), 1u);
  EXPECT_EQ(Rule(def).xlist[0].date, kToday + 2);
  EXPECT_EQ(Rule(def).xlist[0].drone, drone);
  EXPECT_TRUE(s.FindInActChain(drone));
  // A drone is not a clone: it cannot be made one again.
  EXPECT_EQ(CloneToDrone(r, node), kNoAct);
  ExpectConsistent();
}

TEST_F(DronesTest, UneditedDroneGoesBackToBeingAClone) {
  TaskNode* node = Clone(def, kToday + 1);
  const ActHandle drone = CloneToDrone(r, node);
  ASSERT_TRUE(DroneIdenticalToClone(r, drone));
  DroneToClone(r, node);
  EXPECT_FALSE(s.IsActValid(drone));
  EXPECT_EQ(node->act, def);
  EXPECT_EQ(s.ExistingTerminal(kToday + 1)->nClones, 1);
  EXPECT_TRUE(Rule(def).xlist.empty());
  ExpectConsistent();
}

TEST_F(DronesTest, DeletingADroneLeavesACancellation) {
  const ActHandle drone = CloneToDrone(r, Clone(def, kToday + 1));
  ASSERT_TRUE(DeleteOneClone(r, s.ActTask(drone)));
  EXPECT_FALSE(s.IsActValid(drone));
  EXPECT_EQ(s.ExistingTerminal(kToday + 1)->nTasks, 0);
  ASSERT_EQ(Rule(def).xlist.size(), 1u);
  EXPECT_EQ(Rule(def).xlist[0].drone, kNoAct);
  EXPECT_TRUE(ScheduleBeta(r, def));
  EXPECT_EQ(ClonesOn(def, kToday + 1), 0);
  ExpectConsistent();
}

TEST_F(DronesTest, DoneOccurrenceIsADroneAndLastDoneOnlyRises) {
  ASSERT_TRUE(MarkTaskDone(engine, Clone(def, kToday + 3)));
  const ActHandle later = s.ExistingTerminal(kToday + 3)->First()->act;
  EXPECT_EQ(s.ReadAct(later).flags & (AF_DRONE | AF_DONE), AF_DRONE | AF_DONE);
  EXPECT_FALSE(s.ReadAct(def).Has(AF_DONE));
  EXPECT_EQ(Rule(def).lastDone, kToday + 3);
  EXPECT_EQ(ClonesOn(def, kToday + 2), 1);

  ASSERT_TRUE(MarkTaskDone(engine, Clone(def, kToday + 1)));
  EXPECT_EQ(Rule(def).lastDone, kToday + 3);
  EXPECT_FALSE(DroneIdenticalToClone(r, later));
  ExpectConsistent();
}

// One field of a drone changed: whether it still counts as its clone.
struct Edit {
  const char* name;
  std::function<void(Act&)> change;
  bool identical;
};
void PrintTo(const Edit& edit, std::ostream* os) { *os << edit.name; }

class DroneIdentityTest : public DronesTest, public ::testing::WithParamInterface<Edit> {};

TEST_P(DroneIdentityTest, EditedFieldDecides) {
  const ActHandle drone = CloneToDrone(r, Clone(def, kToday + 2));
  ASSERT_TRUE(DroneIdenticalToClone(r, drone));
  GetParam().change(s.LockAct(drone));
  EXPECT_EQ(DroneIdenticalToClone(r, drone), GetParam().identical);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DroneIdentityTest,
    ::testing::Values(
        Edit{"StartTime", [](Act& a) { a.startTime += 15; }, false},
        Edit{"Duration", [](Act& a) { a.duration = 45; }, false},
        Edit{"EarliestTime", [](Act& a) { a.earliestTime = 100; }, false},
        Edit{"LatestTime", [](Act& a) { a.latestTime = 900; }, false},
        Edit{"ExpectedReturn", [](Act& a) { a.expectedReturn = 2.5f; }, false},
        Edit{"Label", [](Act& a) { a.label = 3; }, false},
        Edit{"ReminderDays", [](Act& a) { a.reminderDays = 2; }, false},
        Edit{"EarliestDate", [](Act& a) { a.earliestDate = 17000; }, false},
        Edit{"EarliestDateTime", [](Act& a) { a.earliestDateTime = 61; }, false},
        Edit{"DeadlineDate", [](Act& a) { a.deadlineDate = 17200; }, false},
        Edit{"DeadlineTime", [](Act& a) { a.deadlineTime = 61; }, false},
        Edit{"FirstFieldAfterReturn", [](Act& a) { a.reserved82[1] = 1; }, false},
        Edit{"SecondFieldAfterReturn", [](Act& a) { a.reserved82[2] = 1; }, false},
        Edit{"ProjectID", [](Act& a) { a.projectID = 9; }, false},
        Edit{"AlarmMinutes", [](Act& a) { a.alarmMinutes = 10; }, false},
        Edit{"AlarmState", [](Act& a) { a.alarmState = 1; }, false},
        Edit{"DoneFlag", [](Act& a) { a.flags |= AF_DONE; }, false},
        Edit{"AlarmFlag", [](Act& a) { a.flags |= AF_ALARM; }, false},
        Edit{"AfterHoursFlag", [](Act& a) { a.flags |= AF_AFTER_HOURS; }, false},
        Edit{"OwnNoteFlag", [](Act& a) { a.flags |= 0x8; }, false},
        // Outside the compared fields and flag bits.
        Edit{"NoteNumberWithoutOwnNote", [](Act& a) { a.noteNumber += 5; }, true},
        Edit{"BytesBeyondTheTwoFields", [](Act& a) { a.reserved82[4] = 1; }, true},
        Edit{"HideFlag", [](Act& a) { a.flags |= AF_HIDE; }, true},
        Edit{"MarkFlag", [](Act& a) { a.flags |= AF_MARK1; }, true},
        Edit{"Color", [](Act& a) { a.color = 0xff; }, true}),
    [](const ::testing::TestParamInfo<Edit>& edit) { return std::string(edit.param.name); });

// Deleting one occurrence, unedited or edited, closes up the day it leaves.
class OccurrenceDeletedTest : public RecurTest, public ::testing::WithParamInterface<bool> {};

TEST_P(OccurrenceDeletedTest, TheItemsAfterItCloseUp) {
  s.header().setEarliestTimeOfDay(At(8));
  s.header().setLatestTimeOfDay(At(18));
  Act a;
  a.typeFlags = ACT_ITEM;
  a.duration = 60;
  const Beta rule = Daily(kToday);
  const ActHandle series = s.NewItem(kNoDate, a, "Stretch", &rule);
  const DayNumber day = kToday + 1;
  Keep(day);
  Act b;
  b.duration = 30;
  const ActHandle after = s.NewItem(day, b, "Read");
  ASSERT_EQ(s.ActTask(after)->start, At(9));
  TaskNode* occurrence = Clone(series, day);
  if (GetParam()) {
    ASSERT_NE(CloneToDrone(r, occurrence), kNoAct);
  }
  ASSERT_TRUE(DeleteOneClone(r, occurrence));
  EXPECT_EQ(s.ActTask(after)->start, At(8));
  ExpectConsistent();
}

INSTANTIATE_TEST_SUITE_P(Kinds, OccurrenceDeletedTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& edited) {
                           return std::string(edited.param ? "Edited" : "Unedited");
                         });

TEST_F(DronesTest, OwnNoteNumberCountsOnlyWithItsFlag) {
  s.LockAct(def).flags |= 0x8;
  const ActHandle drone = CloneToDrone(r, Clone(def, kToday + 2));
  ASSERT_TRUE(DroneIdenticalToClone(r, drone));
  s.LockAct(drone).noteNumber += 1;
  EXPECT_FALSE(DroneIdenticalToClone(r, drone));
}

TEST_F(DronesTest, TitlePlaceAndPastDecideToo) {
  const ActHandle renamed = CloneToDrone(r, Clone(def, kToday + 1));
  s.SetActName(renamed, "Walk far");
  EXPECT_FALSE(DroneIdenticalToClone(r, renamed));

  const ActHandle moved = CloneToDrone(r, Clone(def, kToday + 2));
  TaskNode* task = s.ActTask(moved);
  s.UnscheduleTask(task);
  s.ScheduleTask(task, kToday + 4);
  EXPECT_FALSE(DroneIdenticalToClone(r, moved));

  const ActHandle waiting = CloneToDrone(r, Clone(def, kToday + 3));
  ASSERT_TRUE(DroneIdenticalToClone(r, waiting));
  env.clock.Set(kToday + 5, TestEnv::kNine);  // now a past undone item
  EXPECT_FALSE(DroneIdenticalToClone(r, waiting));
}

TEST_F(DronesTest, RebaseStartsTheSeriesAgainAndFoldsUneditedDrones) {
  const ActHandle h = Recurring("Swim", Daily(kToday, 2));
  const ActHandle plain = CloneToDrone(r, Clone(h, kToday + 2));
  const ActHandle edited = CloneToDrone(r, Clone(h, kToday + 4));
  s.LockAct(edited).duration = 90;
  RebaseRecurrence(r, h, kToday + 2);
  EXPECT_EQ(Rule(h).startDate, kToday + 2);
  EXPECT_EQ(ClonesOn(h, kToday), 0);
  EXPECT_EQ(ClonesOn(h, kToday + 2), 1);  // the unedited drone is a clone again
  EXPECT_FALSE(s.IsActValid(plain));
  EXPECT_TRUE(s.IsActValid(edited));
  EXPECT_EQ(s.ActTask(edited), s.ExistingTerminal(kToday + 4)->First());
  EXPECT_EQ(XDates(h), std::vector<DayNumber>{kToday + 4});
  ExpectConsistent();

  // Moved to odd days from the first open date on.
  RebaseRecurrence(r, h, kToday + 1);
  EXPECT_EQ(ClonesOn(h, kToday + 1) + ClonesOn(h, kToday + 3), 2);
  EXPECT_EQ(ClonesOn(h, kToday + 2), 0);
  ExpectConsistent();
}

TEST_F(DronesTest, DuplicateHasNoExceptionsAndANewID) {
  CloneToDrone(r, Clone(def, kToday + 1));
  ASSERT_TRUE(DeleteOneClone(r, Clone(def, kToday + 2)));
  ASSERT_TRUE(MarkTaskDone(engine, Clone(def, kToday + 3)));
  ASSERT_EQ(Rule(def).xlist.size(), 3u);

  const ActHandle copy = DuplicateBetaAct(r, def);
  ASSERT_NE(copy, kNoAct);
  EXPECT_NE(s.ReadAct(copy).ID, 0u);
  EXPECT_NE(s.ReadAct(copy).ID, s.ReadAct(def).ID);
  EXPECT_NE(s.ReadAct(copy).hBeta, s.ReadAct(def).hBeta);
  EXPECT_EQ(s.GetActNameFull(copy), s.GetActNameFull(def));
  const Beta& rule = Rule(copy);
  EXPECT_TRUE(rule.xlist.empty());
  EXPECT_EQ(rule.lastDone, 0);
  EXPECT_EQ(rule.freq, Rule(def).freq);
  EXPECT_EQ(rule.startDate, Rule(def).startDate);
  EXPECT_EQ(s.betaChain().size(), 2u);
  for (DayNumber d = kToday; d <= kToday + 4; ++d) EXPECT_EQ(ClonesOn(copy, d), 1) << d;
  ExpectConsistent();
}

}  // namespace
}  // namespace ploven::test
