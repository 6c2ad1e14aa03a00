#include "store/schedule_fixture.h"

namespace ploven::test {
namespace {

namespace t = store_text;

class XlistTest : public ScheduleTest {
 protected:
  void SetUp() override {
    Beta rule;
    rule.freq = 0x02;
    definition = s.NewItem(kToday, Act{}, "Weekly review", &rule);
  }

  ActHandle Drone(DayNumber date, const std::string& title = "Weekly review") {
    Act a;
    a.flags = AF_DRONE;
    a.createdDate = date;
    const ActHandle h = s.NewItem(date, a, title);
    Act& r = s.LockAct(h);
    r.flags |= AF_DRONE;  // insertion clears it: a drone is made from a plain item
    r.hBeta = definition;
    r.createdDate = date;
    return h;
  }

  std::vector<DayNumber> Dates() {
    std::vector<DayNumber> out;
    for (const XEntry& e : s.LockBeta(s.GetActBeta(definition)).xlist) out.push_back(e.date);
    return out;
  }

  ActHandle definition = kNoAct;
};

TEST_F(XlistTest, EntriesStayInDateOrder) {
  s.AddXlistEntry(definition, kToday + 14, kNoAct);
  s.AddXlistEntry(definition, kToday, kNoAct);
  s.AddXlistEntry(definition, kToday + 7, kNoAct);
  EXPECT_EQ(Dates(), (std::vector<DayNumber>{kToday, kToday + 7, kToday + 14}));
  EXPECT_EQ(s.LockBeta(s.GetActBeta(definition)).nXentries(), 3);
  s.DelXlistEntry(definition, kToday + 7);
  EXPECT_EQ(Dates(), (std::vector<DayNumber>{kToday, kToday + 14}));
  ExpectFatal([&] { s.DelXlistEntry(definition, kToday + 7); }, t::kDelXlistNoEntry);
}

TEST_F(XlistTest, ASecondDroneForADateCleansUpTheFirst) {
  const ActHandle first = Drone(kToday + 7);
  s.AddXlistEntry(definition, kToday + 7, first);
  const ActHandle second = Drone(kToday + 7);
  s.AddXlistEntry(definition, kToday + 7, second);
  EXPECT_TRUE(env.ui.Showed("This results in two instances of\nWeekly review\non the same day"));
  EXPECT_FALSE(s.IsActValid(first));
  EXPECT_EQ(s.FindXlistEntry(definition, kToday + 7)->drone, second);
  EXPECT_EQ(TasksOf(kToday + 7), std::vector<ActHandle>{second});
  EXPECT_EQ(Dates().size(), 1u);
}

TEST_F(XlistTest, ADuplicateCancellationIsCleanedUp) {
  s.AddXlistEntry(definition, kToday + 7, kNoAct);
  s.AddXlistEntry(definition, kToday + 7, kNoAct);
  EXPECT_TRUE(env.ui.Showed("Duplicate exception entry (cancellation) cleaned up for"));
  EXPECT_EQ(Dates().size(), 1u);
}

TEST_F(XlistTest, ReplacingAMissingEntryAddsItWhileLoadingAndIsFatalOtherwise) {
  const ActHandle drone = Drone(kToday + 7);
  s.RepXlistEntry(definition, kToday + 7, drone, /*loading=*/true);
  EXPECT_EQ(s.FindXlistEntry(definition, kToday + 7)->drone, drone);
  EXPECT_TRUE(env.ui.Showed("thinks its an exception"));
  const ActHandle other = Drone(kToday + 7);
  s.RepXlistEntry(definition, kToday + 7, other, false);
  EXPECT_EQ(s.FindXlistEntry(definition, kToday + 7)->drone, other);
  ExpectFatal([&] { s.RepXlistEntry(definition, kToday + 21, other, false); }, t::kRepXlistNoEntry);
}

TEST_F(XlistTest, PurgeDropsOldCancellationsAndUnplacedDronesGo) {
  s.header().setLastArchivedDate(kToday);
  s.AddXlistEntry(definition, kToday - 7, kNoAct);
  s.AddXlistEntry(definition, kToday + 7, kNoAct);
  const ActHandle drone = Drone(kToday + 14);
  s.AddXlistEntry(definition, kToday + 14, drone);
  s.PurgeXlists();
  EXPECT_EQ(Dates(), (std::vector<DayNumber>{kToday + 7, kToday + 14}));
  s.DeleteItem(drone);
  s.DropUnplacedDrones(definition);
  EXPECT_EQ(Dates(), (std::vector<DayNumber>{kToday + 7}));
}

TEST_F(XlistTest, ADroneWithoutItsEntryIsRepaired) {
  const ActHandle drone = Drone(kToday + 7, "Orphan");
  s.RepairDrone(drone);
  EXPECT_FALSE(s.ActFlags(drone) & AF_DRONE);
  EXPECT_TRUE(env.ui.Showed("Problematic exception to recurring item \"Orphan\" found and repaired."));

  const ActHandle kept = Drone(kToday + 14);
  s.AddXlistEntry(definition, kToday + 14, kept);
  s.RepairDrone(kept);
  EXPECT_TRUE(s.ActFlags(kept) & AF_DRONE);
}

TEST_F(XlistTest, OutOfOrderOrDeadDronesAreFatal) {
  Beta bad;
  bad.xlist = {{kToday + 7, kNoAct}, {kToday, kNoAct}};
  ExpectFatal([&] { s.ValidateXlist(bad); }, "that is out of sequence");
  Beta dead;
  const ActHandle gone = s.AllocateAct();
  s.FreeAct(gone);
  dead.xlist = {{kToday, gone}};
  ExpectFatal([&] { s.ValidateXlist(dead); }, "exception wrongly found with GlobalSize of 0");
}

}  // namespace
}  // namespace ploven::test
