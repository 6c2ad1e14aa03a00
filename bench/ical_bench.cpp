// A 20,000-item schedule written as an iCalendar file and read back into an empty schedule,
// against a load of the same schedule from its file, in the same run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "bench/bench_env.h"
#include "edit/item_entry.h"
#include "file/file_system.h"
#include "file/schedule_format.h"
#include "ical/calendar_memory.h"
#include "ical/ical_export.h"
#include "ical/ical_import.h"
#include "platform/settings.h"
#include "recur/beta_qualify.h"
#include "recur/planning_session.h"
#include "store/schedule.h"

namespace ploven::bench {
namespace {

constexpr int kItems = 20000;
constexpr int kDays = 365;

// A schedule planned as the program plans it.
struct Planned {
  explicit Planned(BenchEnv& env)
      : settings(std::filesystem::temp_directory_path() / "ploven-ical-bench.ini",
                 std::filesystem::temp_directory_path() / "ploven-ical-bench-profile.ini"),
        s(env.msg, env.clock),
        planning(s, settings, DateText{}) {}
  Settings settings;
  Schedule s;
  PlanningSession planning;
};

// Appointments, memos and flexible work over a year, every 25th item a recurring one.
void Fill(Planned& p) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> letter('a', 'z');
  for (int i = 0; i < kItems; ++i) {
    NewItemRequest r;
    r.title.resize(18);
    for (char& c : r.title) c = static_cast<char>(letter(rng));
    r.interactive = false;
    r.date = static_cast<DayNumber>(BenchEnv::kToday + i % kDays);
    r.duration = static_cast<Duration>(15 + (i % 4) * 15);
    if (i % 25 == 0) {
      Beta b;
      b.freq = (i / 25) % 2 ? kFreqWeekly : kFreqMonthly;
      b.dayBits = 0x2a;
      b.dateBits = 1u | (1u << 14);
      b.interval = 1;
      r.recurrence = b;
      r.fixed = true;
      r.start = ClockTime(7, 0);
    } else if (i % 4 == 0) {
      r.fixed = true;
      r.start = static_cast<TimeOfDay>(ClockTime(8, 0) + (i % 10) * 60);
    } else if (i % 4 == 1) {
      r.memo = true;
    } else {
      r.flexible = true;
      r.deadline = static_cast<DayNumber>(*r.date + 30);
      r.tier = static_cast<uint8_t>('A' + i % 5);
    }
    EnterNewItem(p.planning.engine(), &p.planning.recurrences(), r);
  }
}

struct Fixture {
  BenchEnv env;
  Planned source{env};
  PosixFileSystem fs;
  std::string path = (std::filesystem::temp_directory_path() / "ploven-ical-bench.pak").string();
  std::string calendar;
  CalendarMemory memory{"00000000bench000"};
  Fixture() {
    Fill(source);
    WriteWholeFile(fs, path, *SaveSchedule(source.s));
    calendar = ExportCalendar(source.planning.recurrences(), memory);
  }
};

Fixture& Shared() {
  static Fixture f;  // built once, so that the three compare
  return f;
}

void BM_LoadSchedule20k(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    auto bytes = f.fs.ReadFile(f.path);
    auto s = std::make_unique<Schedule>(f.env.msg, f.env.clock);
    if (!LoadSchedule(*s, *bytes.value).ok) state.SkipWithError("load failed");
    state.PauseTiming();
    s.reset();
    state.ResumeTiming();
  }
  state.counters["items"] = kItems;
}

void BM_ExportCalendar20k(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    CalendarMemory memory{"00000000bench000"};
    const std::string text = ExportCalendar(f.source.planning.recurrences(), memory);
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["bytes"] = static_cast<double>(f.calendar.size());
}

void BM_ImportCalendar20k(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    auto target = std::make_unique<Planned>(f.env);
    CalendarMemory memory{"00000000target00"};
    state.ResumeTiming();
    const CalendarImportReport report = ImportCalendar(
        target->planning.engine(), target->planning.recurrences(), memory, f.calendar);
    if (report.imported != kItems) state.SkipWithError("not every item came in");
    state.PauseTiming();
    target.reset();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_LoadSchedule20k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCalendar20k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportCalendar20k)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace ploven::bench
