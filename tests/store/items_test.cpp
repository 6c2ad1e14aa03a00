#include "store/schedule_fixture.h"

namespace ploven::test {
namespace {

namespace t = store_text;

TEST_F(ScheduleTest, ChainIsAlphabeticalIgnoringCaseAndKeepsArrivalOrderForEqualTitles) {
  const ActHandle first = Item("beta");
  Item("Alpha");
  const ActHandle second = Item("BETA");
  Item("gamma");
  EXPECT_EQ(ChainTitles(), (std::vector<std::string>{"Alpha", "beta", "BETA", "gamma"}));
  EXPECT_EQ(s.actChain().Next(first), second);
  EXPECT_EQ(s.actChain().Count(), 4u);
}

TEST_F(ScheduleTest, RenamingAnItemMovesItInTheChain) {
  const ActHandle h = Item("Zebra");
  Item("Mango");
  s.SetActName(h, "apple");
  EXPECT_EQ(ChainTitles(), (std::vector<std::string>{"apple", "Mango"}));
  s.SetActName(h, "x");
  EXPECT_EQ(s.GetActNameFull(h), "x");
  EXPECT_EQ(ChainTitles(), (std::vector<std::string>{"Mango", "x"}));
}

TEST_F(ScheduleTest, TitlesAreCutToAThousandCharacters) {
  const ActHandle h = Item(std::string(1200, 'a'));
  EXPECT_EQ(s.GetActNameFull(h).size(), kActTitleMax);
  s.SetActName(h, std::string(1001, 'b'));
  EXPECT_EQ(s.GetActNameFull(h).size(), kActTitleMax);
}

TEST_F(ScheduleTest, IdsAreGivenLazilyFromTheCounterAndFoundAgain) {
  const ActHandle h = s.AllocateAct();
  s.header().setNextActID(41);
  EXPECT_EQ(s.GetActID(h), 42u);
  EXPECT_EQ(s.GetActID(h), 42u);
  EXPECT_EQ(s.header().nextActID(), 42u);
  EXPECT_EQ(s.NewActID(h), 43u);

  const ActHandle item = Item("Report");
  const uint32_t id = s.ReadAct(item).ID;
  EXPECT_NE(id, 0u);
  EXPECT_EQ(s.FindActByID(id), item);
  EXPECT_EQ(s.ReadAct(item).noteNumber, s.header().nextNoteNumber());
  s.DeleteItem(item);
  EXPECT_EQ(s.FindActByID(id), kNoAct);
}

TEST_F(ScheduleTest, FindByTitleUsesTheShortTitle) {
  const ActHandle h = Item("Two lines\r\nsecond");
  EXPECT_EQ(s.FindActByTitle("Two lines..."), h);
  EXPECT_EQ(s.FindActByTitle("Two lines"), kNoAct);
}

TEST_F(ScheduleTest, PrivateTitlesHideBehindTheMarkWithoutAccess) {
  const ActHandle h = Item("!Therapist");
  EXPECT_EQ(s.GetActTitle(h), "!Therapist");
  EXPECT_FALSE(s.IsPrivateAct(h));
  s.SetPrivateAccess(false);
  EXPECT_EQ(s.GetActTitle(h), "!");
  EXPECT_EQ(s.GetActTitleFull(h), "!");
  EXPECT_TRUE(s.IsPrivateAct(h));
}

TEST_F(ScheduleTest, InsertItemStampsAndNormalisesTheRecord) {
  Act a;
  a.flags = AF_BETA | AF_DRONE | AF_FLEXIBLE | AF_DONE;
  a.hBeta = 77;
  a.postponeCount = 9;
  a.duration = 45;
  const ActHandle h = s.NewItem(kToday + 3, a, "Filed");
  const Act& r = s.ReadAct(h);
  EXPECT_EQ(r.createdDate, kToday);
  EXPECT_EQ(r.touchedDate, kToday);
  EXPECT_EQ(r.createdTime, TestEnv::kNine);
  EXPECT_EQ(r.postponeCount, 0);
  EXPECT_EQ(r.hBeta, 0u);
  EXPECT_FALSE(r.Has(AF_BETA) || r.Has(AF_DRONE));
  EXPECT_FALSE(r.Has(AF_FLEXIBLE)) << "a done flexible item becomes set-date";
  EXPECT_EQ(r.ddate, kToday + 3);
  EXPECT_EQ(TasksOf(kToday + 3), std::vector<ActHandle>{h});
  EXPECT_EQ(s.actChain().Find(h)->date, kToday + 3);
  EXPECT_EQ(s.unsavedTitles(), std::vector<std::string>{"Filed"});
}

TEST_F(ScheduleTest, SplitItemStartsItsTaskAtItsStartTime) {
  Act a;
  a.flags = AF_SPLIT;
  a.startTime = 600;
  a.duration = 120;
  const ActHandle h = s.NewItem(kToday, a, "Long job");
  EXPECT_EQ(s.ActTask(h)->start, 600);
}

TEST_F(ScheduleTest, ARecurringItemIsADefinitionOutsideTheDays) {
  Beta rule;
  rule.freq = 0x01;
  rule.interval = 1;
  Act a;
  a.duration = 15;
  const ActHandle h = s.NewItem(kToday, a, "Stretch", &rule);
  ASSERT_NE(h, kNoAct);
  EXPECT_TRUE(s.ActFlags(h) & AF_BETA);
  EXPECT_EQ(s.actChain().Find(h)->date, kUndatedChainDate);
  EXPECT_EQ(s.betaChain(), std::vector<ActHandle>{h});
  EXPECT_EQ(s.LockBeta(s.GetActBeta(h)).freq, 0x01);
  EXPECT_EQ(s.GetActDate(h), kNoDate);
  EXPECT_EQ(s.CountAllTerminals(), 0);
  ExpectFatal([&] { s.DeleteItem(h); }, t::kDeleteRecurring);
}

TEST_F(ScheduleTest, DeleteItemTakesEveryTaskOffAndLeavesTheRecordForUndelete) {
  Act a;
  a.flags = AF_SPLIT;
  a.duration = 90;
  const ActHandle h = s.NewItem(kToday, a, "Split");
  // A second segment on the next day.
  Terminal* next = s.GetTerminal(kToday + 1);
  s.LinkTaskAfter(*next, nullptr, s.NewTaskNode(h, 0, 30));
  Item("Keeper", kToday + 1);
  ASSERT_EQ(s.CountActTasks(h), 2);
  s.DeleteItem(h);
  EXPECT_EQ(s.CountActTasks(h), 0);
  EXPECT_FALSE(s.FindInActChain(h));
  EXPECT_TRUE(s.IsActValid(h));
  EXPECT_EQ(next->nTasks, 1);
}

TEST_F(ScheduleTest, ActTaskFindsTheFirstAppearanceOrASplitItemsLastSegment) {
  Act a;
  a.flags = AF_SPLIT;
  a.duration = 90;
  const ActHandle split = s.NewItem(kToday, a, "Split");
  TaskNode* later = s.NewTaskNode(split, 0, 30);
  s.LinkTaskAfter(*s.GetTerminal(kToday + 2), nullptr, later);
  EXPECT_EQ(s.ActTask(split), later);
  EXPECT_EQ(s.CountActTasks(split), 2);

  const ActHandle plain = Item("Plain", kToday + 1);
  EXPECT_EQ(s.ActTask(plain), s.ExistingTerminal(kToday + 1)->First());
}

TEST_F(ScheduleTest, ZeroAndStaleHandlesEndInTheTwoReports) {
  ExpectFatal([&] { (void)s.GetActDuration(kNoAct); }, t::kLostTrackZeroHandle);
  EXPECT_EQ(s.ActFlags(kNoAct), 0u) << "flags of no item are none, without a report";
  const ActHandle h = s.AllocateAct();
  s.FreeAct(h);
  const ActHandle reuse = s.AllocateAct();
  EXPECT_NE(reuse, h) << "a reused slot has a new handle";
  ExpectFatal([&] { (void)s.GetActDuration(h); }, t::kLostTrackLockFailed);
  ExpectFatal([&] { (void)s.ActFlags(h); }, t::kFlagsLockFailed);
  ExpectFatal([&] { s.FreeAct(h); }, t::kFreeBlockFailed);
}

TEST_F(ScheduleTest, PlacedDurationOfASplitItemIsAtMostTheMinimumSplit) {
  s.header().setMinSplitMinutes(20);
  const ActHandle split = Item("Split", kToday, AF_SPLIT, 90);
  const ActHandle whole = Item("Whole", kToday, 0, 90);
  EXPECT_EQ(s.GetActPlacedDuration(split), 20);
  EXPECT_EQ(s.GetActPlacedDuration(whole), 90);
  s.header().setMinSplitMinutes(5000);
  EXPECT_EQ(s.GetActPlacedDuration(split), 90) << "the minimum is kept within 720";
}

TEST_F(ScheduleTest, ArchivedDatesStayOutOfTheChainExceptTheUndatedOne) {
  s.header().setLastArchivedDate(kToday - 1);
  const ActHandle old = s.AllocateAct({}, "Old");
  EXPECT_FALSE(s.AddToActChain(old, kToday - 5));
  EXPECT_TRUE(s.AddToActChain(old, kUndatedChainDate));
  s.UpdateActChain(old, kToday - 2);
  EXPECT_FALSE(s.FindInActChain(old));
  s.UpdateActChain(old, kToday + 2);
  EXPECT_EQ(s.actChain().Find(old)->date, kToday + 2);
}

TEST_F(ScheduleTest, MarkedItemIsTheFirstInTitleOrder) {
  Item("b", kToday, AF_MARK1);
  const ActHandle a = Item("a", kToday, AF_MARK1);
  EXPECT_EQ(s.FindMarkedAct(AF_MARK1), a);
  EXPECT_EQ(s.FindMarkedAct(AF_MARK2), kNoAct);
}

TEST_F(ScheduleTest, PrerequisiteRules) {
  const ActHandle setItem = Item("Set");
  const ActHandle other = Item("Other");
  const ActHandle flexible = s.AllocateAct();
  s.LockAct(flexible).flags = AF_FLEXIBLE;
  const ActHandle done = Item("Done", kToday, AF_DONE);

  EXPECT_TRUE(s.CanBePrereq(setItem, other));
  EXPECT_FALSE(s.CanBePrereq(setItem, setItem));
  EXPECT_FALSE(s.CanBePrereq(flexible, other));
  EXPECT_FALSE(s.CanBePrereq(done, other));
  // other -> setItem already: making setItem depend on... other would close a loop.
  s.LockAct(other).prereqID = s.GetActID(setItem);
  EXPECT_FALSE(s.CanBePrereq(setItem, other));
  // A loop elsewhere in the links does not hang the check.
  const ActHandle x = Item("X");
  const ActHandle y = Item("Y");
  s.LockAct(x).prereqID = s.GetActID(y);
  s.LockAct(y).prereqID = s.GetActID(x);
  EXPECT_TRUE(s.CanBePrereq(setItem, x));
}

TEST_F(ScheduleTest, ClearingAFlexiblePrerequisiteTellsTheUser) {
  const ActHandle h = Item("Dependent");
  s.LockAct(h).prereqID = 99;
  s.ClearFlexiblePrereq(h);
  EXPECT_EQ(s.GetActPrereq(h), 0u);
  EXPECT_TRUE(env.ui.Showed("the item \"Dependent\" has a prerequisite with a flexible date"));
}

TEST_F(ScheduleTest, ItemsStayInPlaceWhileTheTableGrows) {
  const ActHandle first = Item("First");
  const Act* before = &s.ReadAct(first);
  for (int i = 0; i < 5000; ++i) s.AllocateAct();
  EXPECT_EQ(before, &s.ReadAct(first));
}

}  // namespace
}  // namespace ploven::test
