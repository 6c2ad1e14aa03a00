#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "store/priority_fixture.h"

namespace ploven::test {
namespace {

namespace p = priority_text;

// ---- The index on its own, against a plain model of tiers as vectors --------

class IndexModel {
 public:
  std::map<uint8_t, std::vector<ActHandle>> tiers;

  int RankOf(ActHandle item) const {
    for (const auto& [tier, items] : tiers) {
      const auto it = std::find(items.begin(), items.end(), item);
      if (it != items.end()) return static_cast<int>(it - items.begin()) + 1;
    }
    return 0;
  }
  void Put(ActHandle item, uint8_t tier, int rank) {
    auto& v = tiers[tier];
    const int at = std::clamp(rank, 1, static_cast<int>(v.size()) + 1) - 1;
    v.insert(v.begin() + at, item);
  }
  void Take(ActHandle item) {
    for (auto& [tier, items] : tiers) std::erase(items, item);
  }
  std::vector<ActHandle> All() const {
    std::vector<ActHandle> out;
    for (const auto& [tier, items] : tiers) out.insert(out.end(), items.begin(), items.end());
    return out;
  }
};

void ExpectMatches(const PriorityIndex& index, const IndexModel& model) {
  const std::vector<ActHandle> all = model.All();
  ASSERT_EQ(index.Count(), all.size());
  size_t i = 0;
  PriorityEntryHandle prev = kNoPriorityEntry;
  for (const auto& [e, entry] : index) {
    ASSERT_LT(i, all.size());
    EXPECT_EQ(entry.item, all[i]) << "place " << i;
    EXPECT_EQ(entry.rank, model.RankOf(entry.item));
    EXPECT_EQ(index.EntryOf(entry.item), e);
    EXPECT_EQ(index.Prev(e), prev);
    EXPECT_EQ(index.EntryAt(entry.tier, entry.rank), e);
    EXPECT_EQ(index.ItemRankedBefore(entry.item), i == 0 ? kNoAct : all[i - 1]);
    prev = e;
    ++i;
  }
  EXPECT_EQ(index.Last(), prev);
  for (const auto& [tier, items] : model.tiers)
    EXPECT_EQ(index.TierCount(tier), static_cast<int>(items.size()));
}

TEST(PriorityIndexModel, RandomChangesKeepOrderRanksAndRepaintsRight) {
  std::mt19937 rng(7);
  const std::array<uint8_t, 4> tierLetters{0, 'A', 'B', 'C'};
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  PriorityIndex index;
  IndexModel model;
  std::map<ActHandle, float> returns;
  ActHandle nextItem = 1;

  for (int step = 0; step < 3000; ++step) {
    std::map<ActHandle, int> ranksBefore;
    for (ActHandle item : model.All()) ranksBefore[item] = model.RankOf(item);
    std::multiset<ActHandle> repainted;
    auto record = [&](ActHandle item) { repainted.insert(item); };

    // Small tiers reach every edge (first, last, empty) often.
    const size_t size = model.All().size();
    const int op = size < 5 ? 0 : size > 40 ? 4 + pick(6) : pick(10);
    const uint8_t tier = tierLetters[static_cast<size_t>(pick(4))];
    const int count = index.TierCount(tier);
    const int rank = pick(5) == 0 ? kEndOfTierRank : pick(count + 3);
    if (op <= 3) {
      const ActHandle item = nextItem++;
      const auto rph = static_cast<float>(pick(4));
      ASSERT_NE(index.Insert(item, tier, rank, rph, record), kNoPriorityEntry);
      returns[item] = rph;
      model.Put(item, tier, rank);
    } else if (op <= 5) {
      const std::vector<ActHandle> all = model.All();
      const ActHandle item = all[static_cast<size_t>(pick(static_cast<int>(all.size())))];
      const PriorityEntryHandle e = index.EntryOf(item);
      const uint8_t oldTier = index.Find(e)->tier;
      const int oldRank = index.Find(e)->rank;
      const PriorityEntryHandle up = index.Erase(e, record);
      model.Take(item);
      EXPECT_EQ(up, index.EntryAt(oldTier, oldRank));
      EXPECT_EQ(index.Find(e), nullptr);
      EXPECT_EQ(index.EntryOf(item), kNoPriorityEntry);
    } else if (op <= 8) {
      const std::vector<ActHandle> all = model.All();
      const ActHandle item = all[static_cast<size_t>(pick(static_cast<int>(all.size())))];
      const PriorityEntryHandle e = index.EntryOf(item);
      ASSERT_TRUE(index.MoveTo(e, tier, rank, record));
      model.Take(item);
      model.Put(item, tier, rank);
      EXPECT_EQ(index.EntryOf(item), e) << "a move keeps the entry's handle";
    } else {
      const uint8_t sortTier = tierLetters[static_cast<size_t>(pick(4))];
      index.SortTierByReturn(sortTier, record);
      auto& v = model.tiers[sortTier];
      std::stable_sort(v.begin(), v.end(),
                       [&](ActHandle a, ActHandle b) { return returns[a] > returns[b]; });
    }
    ASSERT_NO_FATAL_FAILURE(ExpectMatches(index, model)) << "step " << step;

    std::multiset<ActHandle> expected;
    for (const auto& [item, before] : ranksBefore)
      if (const int after = model.RankOf(item); after != 0 && after != before)
        expected.insert(item);
    ASSERT_EQ(repainted, expected) << "step " << step;
  }
}

TEST(PriorityIndexModel, SortIsStableAndCountsANonNumberAsNoReturn) {
  PriorityIndex index;
  index.Insert(1, 'A', kEndOfTierRank, 5);
  index.Insert(2, 'A', kEndOfTierRank, std::nanf(""));
  index.Insert(3, 'A', kEndOfTierRank, 9);
  index.Insert(4, 'A', kEndOfTierRank, 5);
  index.Insert(5, 'A', kEndOfTierRank, -1);
  index.Insert(6, 'A', kEndOfTierRank, 0);
  EXPECT_TRUE(index.SortTierByReturn('A'));
  std::vector<ActHandle> order;
  for (const auto& [e, entry] : index) order.push_back(entry.item);
  EXPECT_EQ(order, (std::vector<ActHandle>{3, 1, 4, 2, 6, 5}));
  EXPECT_FALSE(index.SortTierByReturn('A'));
}

TEST(PriorityIndexModel, RefusesASecondEntryForAnItemAndAFullTier) {
  PriorityIndex index;
  EXPECT_NE(index.Insert(1, 'A', 1, 0), kNoPriorityEntry);
  EXPECT_EQ(index.Insert(1, 'B', 1, 0), kNoPriorityEntry);
  EXPECT_EQ(index.Insert(kNoAct, 'A', 1, 0), kNoPriorityEntry);
  for (ActHandle item = 2; item <= static_cast<ActHandle>(kMaxTierEntries); ++item)
    ASSERT_NE(index.Insert(item, 'A', kEndOfTierRank, 0), kNoPriorityEntry);
  EXPECT_EQ(index.Insert(99999, 'A', 1, 0), kNoPriorityEntry);
  const PriorityEntryHandle b = index.Insert(99999, 'B', 1, 0);
  EXPECT_FALSE(index.MoveTo(b, 'A', 1));
  EXPECT_EQ(index.Find(b)->tier, 'B');
  EXPECT_EQ(index.Last(), b);
}

TEST(PriorityIndexModel, HourlyRateOfZeroReadsAsAHundred) {
  PriorityIndex index;
  EXPECT_EQ(index.hourlyRate(), 100);
  index.SetHourlyRate(40);
  EXPECT_EQ(index.hourlyRate(), 40);
  index.SetHourlyRate(0);
  EXPECT_EQ(index.hourlyRate(), 100);
  EXPECT_EQ(index.storedHourlyRate(), 0);
}

// ---- The schedule's operations on the index -------------------------------------

TEST_F(PriorityTest, NewFluidItemsJoinTheEndOfTheirTier) {
  Fluid("b1", 'B');
  Fluid("a1");
  Fluid("c1", 'C');
  Fluid("a2");
  Fluid("b2", 'B');
  EXPECT_EQ(Order(), (Lines{"A1 a1", "A2 a2", "B1 b1", "B2 b2", "C1 c1"}));
  const ActHandle set = Item("set date");
  EXPECT_EQ(s.GetActRank(set), 0);
  EXPECT_FALSE(s.GetActPitem(set).has_value());
}

TEST_F(PriorityTest, ANewItemAtRankTwoPushesTheRestDown) {
  Fluid("one");
  Fluid("two");
  Fluid("three");
  Act a;
  a.tier = 'A';
  const ActHandle h = s.NewItem(kToday, a, "new");
  s.ClearChanged();
  EXPECT_TRUE(s.AddToPriorityIndex(h, 2));
  EXPECT_TRUE(s.changed());
  EXPECT_EQ(Order(), (Lines{"A1 one", "A2 new", "A3 two", "A4 three"}));
}

TEST_F(PriorityTest, AddingAnItemThatIsEnteredMovesItInstead) {
  const ActHandle one = Fluid("one");
  Fluid("two");
  const PriorityEntryHandle e = s.ReadAct(one).pitem;
  EXPECT_TRUE(s.AddToPriorityIndex(one, 2));
  EXPECT_EQ(Order(), (Lines{"A1 two", "A2 one"}));
  EXPECT_EQ(s.ReadAct(one).pitem, e);
}

struct MoveCase {
  int from;
  int to;
  Lines expected;
};

class MoveToRankTest : public PriorityTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveToRankTest, MovesWithinTheTier) {
  std::vector<ActHandle> items{Fluid("a"), Fluid("b"), Fluid("c"), Fluid("d")};
  Fluid("x", 'B');
  s.MoveToRank(items[static_cast<size_t>(GetParam().from - 1)], GetParam().to);
  EXPECT_EQ(Order(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ranks, MoveToRankTest,
    ::testing::Values(MoveCase{1, 3, {"A1 b", "A2 c", "A3 a", "A4 d", "B1 x"}},
                      MoveCase{4, 1, {"A1 d", "A2 a", "A3 b", "A4 c", "B1 x"}},
                      MoveCase{2, 3, {"A1 a", "A2 c", "A3 b", "A4 d", "B1 x"}},
                      // Past the end of the tier is its end, not the end of the index.
                      MoveCase{2, 10, {"A1 a", "A2 c", "A3 d", "A4 b", "B1 x"}},
                      MoveCase{3, 0, {"A1 c", "A2 a", "A3 b", "A4 d", "B1 x"}}));

TEST_F(PriorityTest, MovingToTheRankItHoldsChangesNothing) {
  Fluid("a");
  const ActHandle b = Fluid("b");
  s.ClearChanged();
  s.MoveToRank(b, 2);
  s.MoveToRank(b, kEndOfTierRank);
  EXPECT_FALSE(s.changed());
}

TEST_F(PriorityTest, SetTierAndRankGivesTheRankAskedForInTheNewTier) {
  const ActHandle a1 = Fluid("a1");
  Fluid("a2");
  Fluid("b1", 'B');
  Fluid("b2", 'B');
  Fluid("b3", 'B');
  s.SetActTier(a1, 'B');
  s.SetTierAndRank(a1, 2);
  EXPECT_EQ(Order(), (Lines{"A1 a2", "B1 b1", "B2 a1", "B3 b2", "B4 b3"}));
  s.SetTierAndRank(a1, 4);
  EXPECT_EQ(Order(), (Lines{"A1 a2", "B1 b1", "B2 b2", "B3 b3", "B4 a1"}));
  s.ClearChanged();
  s.SetTierAndRank(a1, 4);
  EXPECT_FALSE(s.changed());
}

TEST_F(PriorityTest, SetTierAndRankTakesTheEditedReturnPerHour) {
  const ActHandle h = Fluid("a", 'A', 10, 30);
  Act& a = s.LockAct(h);
  a.expectedReturn = 100;
  a.duration = 0;
  s.SetTierAndRank(h, 1);
  EXPECT_FLOAT_EQ(s.priorityIndex().Find(s.ReadAct(h).pitem)->returnPerHour, 6000);
}

TEST_F(PriorityTest, AnArchivedDateMakesTheItemSetDateWithTheReason) {
  s.header().setLastArchivedDate(kToday - 1);
  Act a;
  a.flags = AF_FLEXIBLE;
  a.tier = 'A';
  const ActHandle old = s.NewItem(kToday - 1, a, "old");
  EXPECT_TRUE(env.ui.Showed(p::kFlexibleOnArchivedDate));
  EXPECT_FALSE(s.ActFlags(old) & AF_FLEXIBLE);
  EXPECT_EQ(s.priorityIndex().Count(), 0u);
  EXPECT_FALSE(s.AddToPriorityIndex(old, 1));
  EXPECT_EQ(s.GetActRank(old), 0);

  const ActHandle fresh = Fluid("fresh");
  EXPECT_TRUE(s.ActFlags(fresh) & AF_FLEXIBLE);
  EXPECT_EQ(Order(), (Lines{"A1 fresh"}));
}

TEST_F(PriorityTest, RemovingClearsTheFlagsAndRenumbersWithStableHandles) {
  const ActHandle a = Fluid("a");
  const ActHandle b = Fluid("b", 'A', 0, 60, AF_SEQUENCED);
  const ActHandle c = Fluid("c");
  const ActHandle x = Fluid("x", 'B');
  const PriorityEntryHandle be = s.ReadAct(b).pitem;
  const PriorityEntryHandle ce = s.ReadAct(c).pitem;
  s.RemoveFromPriorityIndex(b);
  EXPECT_FALSE(s.ActFlags(b) & (AF_FLEXIBLE | AF_SEQUENCED));
  EXPECT_EQ(s.ReadAct(b).pitem, 0u);
  EXPECT_EQ(s.GetActRank(b), 0);
  EXPECT_EQ(s.priorityIndex().Find(be), nullptr);
  EXPECT_EQ(Order(), (Lines{"A1 a", "A2 c", "B1 x"}));
  EXPECT_EQ(s.ReadAct(c).pitem, ce);
  EXPECT_TRUE(env.ui.boxes.empty()) << "the removed item itself was Sequenced";

  s.DeleteItem(a);
  EXPECT_EQ(Order(), (Lines{"A1 c", "B1 x"}));
  const ActHandle d = Fluid("d");
  EXPECT_NE(s.ReadAct(d).pitem, be) << "a freed entry's handle is not given out again";
  EXPECT_EQ(s.priorityIndex().ItemRankedBefore(x), d);
}

TEST_F(PriorityTest, AnItemSequencedToTheRemovedOneIsUnsequencedWithAMessage) {
  const ActHandle a = Fluid("a");
  Fluid("b");
  const ActHandle c = Fluid("c follows b", 'A', 0, 60, AF_SEQUENCED);
  const ActHandle d = Fluid("d", 'A', 0, 60, AF_SEQUENCED);
  EXPECT_EQ(s.priorityIndex().ItemRankedBefore(a), kNoAct);
  EXPECT_EQ(s.priorityIndex().ItemRankedBefore(d), c);

  s.RemoveFromPriorityIndex(s.priorityIndex().Find(s.priorityIndex().EntryAt('A', 2))->item);
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  const BoxRequest& box = env.ui.boxes[0];
  EXPECT_EQ(box.text,
            "The item that had Priority A3 (and now has Priority A2), titled:\n\nc follows b\n\n"
            "...was Sequenced to the item just altered. Therefore, click the button in this "
            "window to make the item now A2 no longer sequenced.");
  EXPECT_EQ(box.caption, p::kSequencedToRemovedCaption);
  ASSERT_EQ(box.buttons.size(), 1u);
  EXPECT_EQ(box.buttons[0].caption, p::kUnsequenceButton);
  EXPECT_FALSE(s.ActFlags(c) & AF_SEQUENCED);
  EXPECT_TRUE(s.ActFlags(d) & AF_SEQUENCED);
  EXPECT_EQ(Order(), (Lines{"A1 a", "A2 c follows b", "A3 d"}));
}

TEST_F(PriorityTest, OnlyTheSequencedItemThatMovedUpInTheSameTierIsAsked) {
  Fluid("a");
  const ActHandle last = Fluid("last of A");
  const ActHandle b1 = Fluid("b1", 'B', 0, 60, AF_SEQUENCED);
  const ActHandle c1 = Fluid("c1", 'C');
  Fluid("plain", 'C');
  s.RemoveFromPriorityIndex(last);
  s.RemoveFromPriorityIndex(c1);
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_TRUE(s.ActFlags(b1) & AF_SEQUENCED);
}

TEST_F(PriorityTest, ItemsWhoseRankMovedAreRepainted) {
  RepaintRecorder hooks;
  s.SetHooks(&hooks);
  const ActHandle a = Fluid("a");
  const ActHandle b = Fluid("b");
  const ActHandle c = Fluid("c");
  Fluid("x", 'B');
  EXPECT_TRUE(hooks.repainted.empty()) << "a new item at the end moves no one";
  s.RemoveFromPriorityIndex(a);
  EXPECT_EQ(hooks.repainted, (std::vector<ActHandle>{b, c}));
  hooks.repainted.clear();
  s.RenumberRanks();
  EXPECT_TRUE(hooks.repainted.empty());
  s.MoveToRank(c, 1);
  EXPECT_EQ(std::set<ActHandle>(hooks.repainted.begin(), hooks.repainted.end()),
            (std::set<ActHandle>{b, c}));
  s.SetHooks(nullptr);
}

}  // namespace
}  // namespace ploven::test
