#include "store/consistency_check.h"

#include "store/schedule_fixture.h"

namespace ploven::test {
namespace {

class ConsistencyCheckTest : public ScheduleTest {};

TEST_F(ConsistencyCheckTest, FindsEachKindOfBrokenInvariant) {
  Item("Dentist");
  const ActHandle fluid = Item("Write report", kToday + 1, AF_FLEXIBLE);
  ASSERT_EQ(CheckConsistency(s), std::nullopt);

  Terminal* day = s.ExistingTerminal(kToday);
  ++day->nTasks;
  EXPECT_NE(CheckConsistency(s).value_or("").find("task count"), std::string::npos);
  --day->nTasks;

  s.RemoveFromPriorityIndex(fluid);
  s.LockAct(fluid).flags |= AF_FLEXIBLE;  // flexible, yet without a rank
  EXPECT_NE(CheckConsistency(s).value_or("").find("Write report"), std::string::npos);
  s.AddToPriorityIndex(fluid, kEndOfTierRank);

  ++day->nClones;
  EXPECT_NE(CheckConsistency(s).value_or("").find("recurring instance"), std::string::npos);
  --day->nClones;
  EXPECT_EQ(CheckConsistency(s), std::nullopt);
}

}  // namespace
}  // namespace ploven::test
