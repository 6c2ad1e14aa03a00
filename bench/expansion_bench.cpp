#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/bench_env.h"
#include "engine/engine.h"
#include "file/schedule_format.h"
#include "recur/recurrences.h"
#include "store/schedule.h"

namespace ploven::bench {
namespace {

constexpr int kDays = 3 * 365;
constexpr int kRecurring = 200;

// A recurrence of each kind in turn: daily, every 2 days, weekly, monthly dates, monthly
// weeks, nearest weekday, yearly.
Beta RuleNumber(int i, DayNumber start) {
  Beta b;
  b.startDate = start;
  b.interval = 1;
  switch (i % 7) {
    case 0: b.freq = kFreqDaily; break;
    case 1: b.freq = kFreqDaily; b.interval = 2; break;
    case 2: b.freq = kFreqWeekly; b.dayBits = 0x2a; break;  // Mo, We, Fr
    case 3: b.freq = kFreqMonthly; b.dateBits = 1u | (1u << 14) | kDateBitLast; break;
    case 4: b.freq = kFreqMonthly; b.dateBits = kDateBitsLastWeek | (1u << 2); b.dayBits = 0x20; break;
    case 5:
      b.freq = kFreqMonthly;
      b.dateBits = 1u << 20;
      b.dayBits = 0x02;
      b.betaOptions = kOptionNearestDay;
      break;
    default: b.freq = kFreqYearly; break;
  }
  return b;
}

struct Fixture {
  BenchEnv env;
  std::unique_ptr<Schedule> s = std::make_unique<Schedule>(env.msg, env.clock);
  std::unique_ptr<Engine> engine = std::make_unique<Engine>(*s);
  std::unique_ptr<Recurrences> recur = std::make_unique<Recurrences>(*engine);
  std::vector<ActHandle> definitions;

  // Three years of days (each with one appointment) and 200 recurring definitions that are
  // not expanded yet.
  Fixture() {
    s->header().setMode(3);
    s->header().setLastArchivedDate(BenchEnv::kToday - 1);
    for (int d = 0; d < kDays; ++d) {
      Act a;
      a.flags = AF_FIXED;
      a.startTime = 8 * 60 + 1;
      a.duration = 30;
      s->NewItem(static_cast<DayNumber>(BenchEnv::kToday + d), a, "Day " + std::to_string(d));
    }
  }
  void AddDefinitions() {
    for (int i = 0; i < kRecurring; ++i) {
      Act a;
      a.flags = AF_FIXED;
      a.startTime = static_cast<TimeOfDay>(9 * 60 + 1 + (i % 8) * 60);
      a.duration = 15;
      const Beta rule = RuleNumber(i, static_cast<DayNumber>(BenchEnv::kToday + i % 30));
      definitions.push_back(s->NewItem(0, a, "Recurring " + std::to_string(i), &rule));
    }
  }
};

// Expanding 200 recurring items into three years of existing days.
void BM_ExpandRecurring(benchmark::State& state) {
  size_t clones = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto f = std::make_unique<Fixture>();
    state.ResumeTiming();
    f->AddDefinitions();
    state.PauseTiming();
    clones = 0;
    for (const auto& [date, day] : f->s->terminals()) clones += static_cast<size_t>(day->nClones);
    f.reset();
    state.ResumeTiming();
  }
  state.counters["clones"] = static_cast<double>(clones);
}
BENCHMARK(BM_ExpandRecurring)->Unit(benchmark::kMillisecond)->Iterations(5);

struct Expanded {
  Fixture f;
  std::vector<uint8_t> bytes;
  Expanded() {
    f.AddDefinitions();
    bytes = *SaveSchedule(*f.s);
  }
};

Expanded& SharedExpanded() {
  static Expanded e;  // built once: save and load compare against each other
  return e;
}

void BM_SaveRecurringSchedule(benchmark::State& state) {
  Expanded& e = SharedExpanded();
  for (auto _ : state) benchmark::DoNotOptimize(SaveSchedule(*e.f.s));
  state.counters["bytes"] = static_cast<double>(e.bytes.size());
}
BENCHMARK(BM_SaveRecurringSchedule)->Unit(benchmark::kMillisecond);

void BM_LoadRecurringSchedule(benchmark::State& state) {
  Expanded& e = SharedExpanded();
  for (auto _ : state) {
    auto s = std::make_unique<Schedule>(e.f.env.msg, e.f.env.clock);
    benchmark::DoNotOptimize(LoadSchedule(*s, e.bytes, {}).ok);
    state.PauseTiming();
    s.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadRecurringSchedule)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ploven::bench
