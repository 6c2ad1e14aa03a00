#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_env.h"
#include "engine/priorities.h"
#include "store/schedule.h"

namespace ploven::bench {
namespace {

constexpr int kFluidItems = 20000;

// 20,000 fluid items, ten a day; range(0) tiers share them evenly (1 = one tier of 20,000).
class FluidSchedule : public benchmark::Fixture {
 public:
  void SetUp(benchmark::State& state) override {
    env = std::make_unique<BenchEnv>();
    s = std::make_unique<Schedule>(env->msg, env->clock);
    tiers = static_cast<int>(state.range(0));
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> money(0, 1000);
    for (int i = 0; i < kFluidItems; ++i) {
      Act a;
      a.flags = AF_FLEXIBLE;
      a.duration = 30;
      a.tier = static_cast<uint8_t>('A' + i % tiers);
      a.expectedReturn = money(rng);
      items.push_back(s->NewItem(static_cast<DayNumber>(BenchEnv::kToday + i / 10), a,
                                 "item " + std::to_string(i)));
    }
    Act set;
    set.tier = 'A';
    spare = s->NewItem(BenchEnv::kToday, set, "spare");
  }
  void TearDown(benchmark::State&) override {
    items.clear();
    s.reset();
    env.reset();
  }
  int MiddleOfTierA() const { return s->priorityIndex().TierCount('A') / 2; }

  std::unique_ptr<BenchEnv> env;
  std::unique_ptr<Schedule> s;
  std::vector<ActHandle> items;
  ActHandle spare = kNoAct;
  int tiers = 1;
};

// Moves tier A's last item into the middle of the tier and back: two moves, each
// finding the rank and renumbering what it shifted.
BENCHMARK_DEFINE_F(FluidSchedule, MoveToRankMiddleOfTier)(benchmark::State& state) {
  const PriorityIndex& index = s->priorityIndex();
  for (auto _ : state) {
    const ActHandle last = index.Find(index.EntryAt('A', index.TierCount('A')))->item;
    s->MoveToRank(last, MiddleOfTierA());
    s->MoveToRank(last, kEndOfTierRank);
  }
  state.SetItemsProcessed(state.iterations() * 2);
  state.counters["tierA"] = index.TierCount('A');
}
BENCHMARK_REGISTER_F(FluidSchedule, MoveToRankMiddleOfTier)
    ->Arg(1)
    ->Arg(3)
    ->Unit(benchmark::kMicrosecond);

// Enters a new item in the middle of tier A (every later rank of the tier
// moves down) and takes it out again (they move back up).
BENCHMARK_DEFINE_F(FluidSchedule, AddAndRemoveAtMiddleRank)(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(s->AddToPriorityIndex(spare, MiddleOfTierA()));
    s->RemoveFromPriorityIndex(spare);
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK_REGISTER_F(FluidSchedule, AddAndRemoveAtMiddleRank)
    ->Arg(1)
    ->Arg(3)
    ->Unit(benchmark::kMicrosecond);

// A whole renumbering walk of the index.
BENCHMARK_DEFINE_F(FluidSchedule, RenumberRanks)(benchmark::State& state) {
  for (auto _ : state) s->RenumberRanks();
  state.SetItemsProcessed(state.iterations() * kFluidItems);
}
BENCHMARK_REGISTER_F(FluidSchedule, RenumberRanks)->Arg(3)->Unit(benchmark::kMicrosecond);

// The start-of-day Expected Returns ordering of a tier A in random order.
BENCHMARK_DEFINE_F(FluidSchedule, OrderByExpectedReturnsShuffled)(benchmark::State& state) {
  s->priorityIndex().SetExpectedReturnsActive(true);
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> money(0, 1000);
  for (auto _ : state) {
    state.PauseTiming();
    for (ActHandle h : items) s->LockAct(h).expectedReturn = money(rng);
    state.ResumeTiming();
    benchmark::DoNotOptimize(OrderByExpectedReturns(*s));
  }
}
BENCHMARK_REGISTER_F(FluidSchedule, OrderByExpectedReturnsShuffled)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ploven::bench
