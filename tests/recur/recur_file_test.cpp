#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "done/mark_done.h"
#include "file/schedule_format.h"
#include "recur/expansion_fixture.h"

namespace ploven::test {
namespace {

// What the days and the recurring items hold, in terms that do not depend on handles.
struct Picture {
  struct Task {
    bool clone;
    std::string title;
    uint32_t flags;
    DayNumber ddate, createdDate;
    uint32_t definitionID;  // a drone's definition
    int16_t start, length;
    Duration duration;
    auto operator<=>(const Task&) const = default;
  };
  struct Day {
    DayNumber date;
    int16_t nTasks, nClones;
    std::vector<Task> tasks;
    auto operator<=>(const Day&) const = default;
  };
  struct Series {
    std::string title;
    uint32_t id;
    uint8_t freq;
    int16_t interval;
    DayNumber start, end, lastDone;
    std::vector<std::pair<DayNumber, uint32_t>> xlist;  // date, drone ID (0: cancelled)
    auto operator<=>(const Series&) const = default;
  };
  std::vector<Day> days;
  std::vector<Series> series;
  bool operator==(const Picture&) const = default;
};

Picture Take(Schedule& s) {
  Picture p;
  for (const auto& [date, day] : s.terminals()) {
    Picture::Day d{date, day->nTasks, day->nClones, {}};
    for (TaskNode* t = day->First(); t != nullptr; t = t->Next()) {
      const Act& a = s.ReadAct(t->act);
      const bool clone = a.Has(AF_BETA);
      const uint32_t definitionID =
          a.Has(AF_DRONE) && s.IsActValid(a.hBeta) ? s.ReadAct(a.hBeta).ID : 0;
      d.tasks.push_back({clone, s.GetActNameFull(t->act), a.flags, clone ? kNoDate : a.ddate,
                         clone ? kNoDate : a.createdDate, definitionID, t->start, t->length,
                         a.duration});
    }
    p.days.push_back(std::move(d));
  }
  for (ActHandle h : s.betaChain()) {
    const Act& a = s.ReadAct(h);
    const Beta& b = s.LockBeta(a.hBeta);
    Picture::Series x{s.GetActNameFull(h), a.ID, b.freq, b.interval, b.startDate, b.endDate,
                      b.lastDone, {}};
    for (const XEntry& e : b.xlist)
      x.xlist.emplace_back(e.date, e.drone != kNoAct ? s.ReadAct(e.drone).ID : 0u);
    p.series.push_back(std::move(x));
  }
  return p;
}

class RecurFileTest : public RecurTest, public ::testing::WithParamInterface<unsigned> {
 protected:
  // Recurring items, a plain item, and occurrences cancelled, edited and done at random.
  void Build(std::mt19937& rng) {
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<ActHandle> defs;
    const int nDefs = pick(1, 3);
    for (int i = 0; i < nDefs; ++i) {
      const auto start = static_cast<DayNumber>(kToday + pick(-2, 2));
      const DayNumber end = pick(0, 1) ? static_cast<DayNumber>(kToday + pick(6, 12)) : kNoDate;
      defs.push_back(Recurring("Series " + std::to_string(i) + " {count up 1}",
                               Daily(start, pick(1, 3), end)));
    }
    for (DayNumber d = kToday; d < kToday + 10; ++d) Keep(d);
    Fixed("Dentist", static_cast<DayNumber>(kToday + pick(0, 9)), At(14), 45);
    for (int op = 0; op < 12; ++op) {
      const ActHandle def = defs[static_cast<size_t>(pick(0, nDefs - 1))];
      TaskNode* clone = Clone(def, static_cast<DayNumber>(kToday + pick(0, 9)));
      if (clone == nullptr) continue;
      switch (pick(0, 2)) {
        case 0:
          ASSERT_TRUE(DeleteOneClone(r, clone));
          break;
        case 1: {
          const ActHandle drone = CloneToDrone(r, clone);
          ASSERT_NE(drone, kNoAct);
          s.LockAct(drone).duration = static_cast<Duration>(pick(10, 90));
          break;
        }
        default:
          ASSERT_TRUE(MarkTaskDone(engine, clone));
      }
    }
  }
};

TEST_P(RecurFileTest, OccurrencesSurviveSaveAndLoad) {
  std::mt19937 rng(GetParam());
  Build(rng);
  ExpectConsistent();
  auto bytes = SaveSchedule(s);
  ASSERT_TRUE(bytes.has_value());
  const Picture before = Take(s);
  size_t exceptions = 0;
  for (const auto& x : before.series) exceptions += x.xlist.size();
  ASSERT_GT(exceptions, 0u);

  TestEnv env2;
  Schedule loaded{env2.msg, env2.clock};
  Engine engine2{loaded};
  Recurrences r2{engine2};
  ASSERT_TRUE(LoadSchedule(loaded, *bytes).ok);
  const Picture after = Take(loaded);
  EXPECT_EQ(after.days.size(), before.days.size());
  for (size_t i = 0; i < std::min(before.days.size(), after.days.size()); ++i)
    EXPECT_TRUE(before.days[i] == after.days[i]) << "day " << before.days[i].date;
  EXPECT_TRUE(before.series == after.series);
  const auto problem = CheckConsistency(loaded);
  EXPECT_FALSE(problem.has_value()) << *problem;

  // The loaded drones are tied to their definitions again.
  for (ActHandle def : loaded.betaChain()) {
    for (const XEntry& e : loaded.LockBeta(loaded.ReadAct(def).hBeta).xlist) {
      if (e.drone != kNoAct) {
        EXPECT_EQ(loaded.ReadAct(e.drone).hBeta, def);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RecurFileTest, ::testing::Range(1u, 21u));

}  // namespace
}  // namespace ploven::test
