#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_env.h"
#include "engine/balance_all_days.h"
#include "engine/engine.h"
#include "file/schedule_format.h"
#include "store/schedule.h"

namespace ploven::bench {
namespace {

// Answers every conflict with Skip Rest of Items, as a user who wants the run over would.
class QuietEngineUi : public EngineUi {
 public:
  explicit QuietEngineUi(DayNumber today) : m_viewed(today) {}
  DayNumber viewedDate() const override { return m_viewed; }
  void SetViewedDate(DayNumber d) override { m_viewed = d; }
  ConflictWindowAnswer ShowConflictWindow(const ConflictWindowRequest& r) override {
    return {ConflictButton::kSkipRestOfItems, r.dateField};
  }
  EditOutcome EditItem(ActHandle) override { return EditOutcome::kCancelled; }
  bool DeleteItemAsked(ActHandle) override { return false; }

 private:
  DayNumber m_viewed;
};

constexpr TimeOfDay Clock(int hour, int minute = 0) {
  return static_cast<TimeOfDay>(hour * 60 + minute + 1);
}

// A year of workdays with two set appointments each, and `fluid` flexible items with mixed
// durations, deadlines, earliest dates, weekday masks and splittable ones, placed where they
// were entered (spread over the year) so that the run has everything to re-plan.
std::vector<uint8_t> BuildSchedule(BenchEnv& env, int fluid) {
  Schedule s(env.msg, env.clock);
  s.header().setMode(3);
  s.header().setEarliestTimeOfDay(Clock(8));
  s.header().setLatestTimeOfDay(Clock(18));
  s.header().setMinSplitMinutes(15);
  s.header().setLastArchivedDate(BenchEnv::kToday - 1);
  Engine engine(s);
  const DayNumber today = BenchEnv::kToday;
  for (int d = 0; d < 365; ++d) {
    const auto date = static_cast<DayNumber>(today + d);
    if (!engine.IsWorkday(date)) continue;
    Act meeting;
    meeting.flags = AF_FIXED;
    meeting.startTime = Clock(10);
    meeting.duration = 60;
    s.NewItem(date, meeting, "Team meeting");
    meeting.startTime = Clock(14, 30);
    meeting.duration = 30;
    s.NewItem(date, meeting, "Call");
  }
  std::mt19937 rng(11);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  static constexpr Duration kDurations[] = {15, 30, 30, 45, 60, 60, 90, 120, 180, 240};
  static constexpr uint8_t kMasks[] = {0x3e, 0x2a, 0x14, 0x41};  // weekdays, MWF, TuTh, weekend
  for (int i = 0; i < fluid; ++i) {
    Act a;
    a.flags = AF_FLEXIBLE;
    a.duration = kDurations[pick(0, 9)];
    a.tier = static_cast<uint8_t>('A' + pick(0, 2));
    if (pick(0, 9) < 2) a.deadlineDate = static_cast<DayNumber>(today + pick(3, 300));
    if (pick(0, 9) < 3) a.earliestDate = static_cast<DayNumber>(today + pick(1, 120));
    if (a.deadlineDate != 0 && a.earliestDate > a.deadlineDate) a.earliestDate = a.deadlineDate;
    if (pick(0, 9) < 2) a.weekdays = kMasks[pick(0, 3)];
    if (pick(0, 9) == 0) {
      a.flags |= AF_SPLIT;
      a.duration = static_cast<Duration>(a.duration * 3);
    }
    if (pick(0, 19) == 0) a.earliestTime = Clock(pick(9, 15));
    const ActHandle h = s.NewItem(static_cast<DayNumber>(today + i % 365), a, "Task " + std::to_string(i));
    s.AddToPriorityIndex(h, 32766);
  }
  return *SaveSchedule(s);
}

// Each round loads the same schedule afresh (the baseline, timed) and balances it (timed).
// The ratio balance / load holds on a busy machine where the milliseconds do not.
void BM_BalanceAllDays(benchmark::State& state) {
  const bool dayPass = state.range(1) != 0;
  BenchEnv env;
  const std::vector<uint8_t> bytes = BuildSchedule(env, static_cast<int>(state.range(0)));
  double loadSeconds = 0, balanceSeconds = 0;
  size_t placed = 0, conflicts = 0;
  int lastDay = 0;
  for (auto _ : state) {
    using clock = std::chrono::steady_clock;
    auto s = std::make_unique<Schedule>(env.msg, env.clock);
    const auto t0 = clock::now();
    const LoadResult loaded = LoadSchedule(*s, bytes, {});
    const auto t1 = clock::now();
    if (!loaded.ok) {
      state.SkipWithError("load failed");
      break;
    }
    Engine engine(*s);
    engine.settings().balanceLightensLoad = dayPass;
    QuietEngineUi ui(BenchEnv::kToday);
    engine.SetUi(&ui);
    const auto t2 = clock::now();
    BalanceAllDays(engine, kBalanceNormal);
    const auto t3 = clock::now();
    const double balance = std::chrono::duration<double>(t3 - t2).count();
    loadSeconds += std::chrono::duration<double>(t1 - t0).count();
    balanceSeconds += balance;
    state.SetIterationTime(balance);
    placed = 0;
    for (const auto& e : s->priorityIndex()) placed += s->GetActDate(e.entry.item) != 0;
    conflicts = 0;
    for (const auto& [date, day] : s->terminals())
      for (TaskNode* t = day->First(); t != nullptr; t = t->Next()) conflicts += t->InConflict();
    lastDay = engine.latestDateUsed() - BenchEnv::kToday;
  }
  const double rounds = static_cast<double>(state.iterations());
  state.counters["load_ms"] = loadSeconds * 1000 / rounds;
  state.counters["balance_ms"] = balanceSeconds * 1000 / rounds;
  state.counters["balance_per_load"] = balanceSeconds / loadSeconds;
  state.counters["placed"] = static_cast<double>(placed);
  state.counters["conflicts"] = static_cast<double>(conflicts);
  state.counters["days_used"] = lastDay;
}
// Second argument: with the Balance Day pass over the coming days (BalanceLightensLoad).
BENCHMARK(BM_BalanceAllDays)
    ->Args({1000, 0})
    ->Args({5000, 0})
    ->Args({20000, 0})
    ->Args({5000, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ploven::bench
