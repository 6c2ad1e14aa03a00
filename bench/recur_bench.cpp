#include <benchmark/benchmark.h>

#include "recur/beta_qualify.h"
#include "store/calendar.h"

namespace ploven::bench {
namespace {

// One call of the recurrence rule per iteration, walking a year of days so that hits, misses
// and month ends all take their turn.
void RunQualify(benchmark::State& state, Beta beta, QualifyContext context = {}) {
  const int first = MakeDay(1, 1, 2026);
  int day = first;
  for (auto _ : state) {
    benchmark::DoNotOptimize(QualifiesOn(beta, static_cast<DayNumber>(day), context));
    day = day - first < 365 ? day + 1 : first;
  }
}

Beta Record(uint8_t freq, int interval) {
  Beta b;
  b.freq = freq;
  b.interval = static_cast<int16_t>(interval);
  b.startDate = static_cast<DayNumber>(MakeDay(1, 7, 2025));
  return b;
}

void BM_QualifyDaily(benchmark::State& state) { RunQualify(state, Record(kFreqDaily, 3)); }
BENCHMARK(BM_QualifyDaily);

void BM_QualifyWeekly(benchmark::State& state) {
  Beta b = Record(kFreqWeekly, 2);
  b.dayBits = 0x22;
  RunQualify(state, b);
}
BENCHMARK(BM_QualifyWeekly);

void BM_QualifyMonthlyDates(benchmark::State& state) {
  Beta b = Record(kFreqMonthly, 2);
  b.dateBits = (1u << 0) | (1u << 19) | kDateBitLast;
  RunQualify(state, b);
}
BENCHMARK(BM_QualifyMonthlyDates);

void BM_QualifyMonthlyNearestDay(benchmark::State& state) {
  Beta b = Record(kFreqMonthly, 1);
  b.dateBits = (1u << 14) | kDateBitLast;
  b.dayBits = 0x02;  // Mondays: the walks are longest
  b.betaOptions = kOptionNearestDay;
  RunQualify(state, b);
}
BENCHMARK(BM_QualifyMonthlyNearestDay);

void BM_QualifyMonthlyLastWeek(benchmark::State& state) {
  Beta b = Record(kFreqMonthly, 2);
  b.dateBits = kDateBitsLastWeek | (1u << 9);
  b.dayBits = 0x20;
  RunQualify(state, b);
}
BENCHMARK(BM_QualifyMonthlyLastWeek);

void BM_QualifyMonthlyFifthWeek(benchmark::State& state) {
  Beta b = Record(kFreqMonthly, 3);
  b.dateBits = kDateBitsLastWeek | (1u << 1);
  b.dayBits = kDayBitsFifthWeek | 0x20;
  RunQualify(state, b);
}
BENCHMARK(BM_QualifyMonthlyFifthWeek);

void BM_QualifyYearly(benchmark::State& state) { RunQualify(state, Record(kFreqYearly, 1)); }
BENCHMARK(BM_QualifyYearly);

void BM_QualifySeasonalFullMoons(benchmark::State& state) {
  Beta b = Record(kFreqDaily, 1);
  b.endDate = static_cast<DayNumber>(MakeDay(3, 20, 2030));
  b.betaOptions = kOptionSeasonal | kOptionFullMoons;
  RunQualify(state, b);
}
BENCHMARK(BM_QualifySeasonalFullMoons);

}  // namespace
}  // namespace ploven::bench
