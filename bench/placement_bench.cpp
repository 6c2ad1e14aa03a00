#include <benchmark/benchmark.h>

#include "bench/bench_env.h"
#include "engine/engine.h"

namespace ploven::bench {
namespace {

constexpr DayNumber kDay = BenchEnv::kToday + 1;

// A day that already holds `n` set items of 10 minutes with 5-minute gaps,
// from 7:00 on, and room after them.
struct BusyDay {
  explicit BusyDay(int n) {
    s.header().setMode(3);
    s.header().setLatestTimeOfDay(static_cast<TimeOfDay>(2880));
    for (int i = 0; i < n; ++i) {
      Act a;
      a.flags = AF_FIXED;
      a.startTime = static_cast<TimeOfDay>(421 + i * 15);
      a.duration = 10;
      s.NewItem(kDay, a, "Set " + std::to_string(i));
    }
    Act fluid;
    fluid.flags = AF_FLEXIBLE;
    fluid.duration = 30;
    item = s.AllocateAct(fluid, "Fluid");
    s.GetTerminal(kDay)->keepDay = 1;
  }
  BenchEnv env;
  Schedule s{env.msg, env.clock};
  Engine engine{s};
  ActHandle item;
};

void BM_ScheduleTaskOnA50TaskDay(benchmark::State& state) {
  BusyDay d(50);
  for (auto _ : state) {
    TaskNode* task = d.s.NewTaskNode(d.item, 0, 30);
    d.engine.ScheduleTask(task, kDay, {});
    d.s.UnscheduleTask(task);
    d.s.FreeTaskNode(task);
  }
}
BENCHMARK(BM_ScheduleTaskOnA50TaskDay)->Unit(benchmark::kMicrosecond);

void BM_ScheduleTaskFTDOnA50TaskDay(benchmark::State& state) {
  BusyDay d(50);
  for (auto _ : state) {
    TaskNode* task = d.s.NewTaskNode(d.item, 0, 30);
    if (!d.engine.ScheduleTaskFTD(task, kDay)) state.SkipWithError("not placed");
    d.s.UnscheduleTask(task);
    d.s.FreeTaskNode(task);
  }
}
BENCHMARK(BM_ScheduleTaskFTDOnA50TaskDay)->Unit(benchmark::kMicrosecond);

void BM_RecalcDayTimes(benchmark::State& state) {
  BusyDay d(static_cast<int>(state.range(0)));
  for (auto _ : state) d.engine.RecalcDayTimes(kDay);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RecalcDayTimes)->RangeMultiplier(2)->Range(25, 200)->Complexity(benchmark::oN);

}  // namespace
}  // namespace ploven::bench
