#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "bench/bench_env.h"
#include "file/file_system.h"
#include "file/schedule_format.h"
#include "store/schedule.h"

namespace ploven::bench {
namespace {

constexpr int kDays = 3 * 365;

// 50,000 unless PLOVEN_BENCH_ITEMS says otherwise (to see how the times grow).
int ItemCount() {
  const char* text = std::getenv("PLOVEN_BENCH_ITEMS");
  const int n = text != nullptr ? std::atoi(text) : 0;
  return n > 0 ? n : 50000;
}

// 50,000 items over three years: appointments, memos and fluid work.
void Fill(Schedule& s) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> letter('a', 'z');
  const int items = ItemCount();
  for (int i = 0; i < items; ++i) {
    std::string title(18, ' ');
    for (char& c : title) c = static_cast<char>(letter(rng));
    Act a;
    a.duration = static_cast<Duration>(15 + (i % 8) * 15);
    switch (i % 4) {
      case 0: a.flags = AF_FIXED; a.startTime = static_cast<TimeOfDay>(8 * 60 + 1 + (i % 10) * 60); break;
      case 1: a.flags = AF_HOPE; break;
      default: a.flags = AF_FLEXIBLE; a.tier = static_cast<uint8_t>('A' + i % 3); break;
    }
    s.NewItem(static_cast<DayNumber>(BenchEnv::kToday + i % kDays), a, title);
  }
  s.header().setLastArchivedDate(BenchEnv::kToday - 1);
}

struct Fixture {
  BenchEnv env;
  Schedule s{env.msg, env.clock};
  PosixFileSystem fs;
  std::string path = (std::filesystem::temp_directory_path() / ("ploven-bench-" + std::to_string(ItemCount()) + ".pak")).string();
  std::vector<uint8_t> bytes;
  Fixture() {
    Fill(s);
    bytes = *SaveSchedule(s);
    WriteWholeFile(fs, path, bytes);
  }
};

Fixture& Shared() {
  static Fixture f;  // built once: the benchmarks compare against each other
  return f;
}

void BM_RawWrite(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) WriteWholeFile(f.fs, f.path + ".raw", f.bytes);
  state.counters["bytes"] = static_cast<double>(f.bytes.size());
}

void BM_Save(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    auto bytes = SaveSchedule(f.s);
    WriteWholeFile(f.fs, f.path + ".tmp", *bytes);
  }
}

void BM_RawRead(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(f.fs.ReadFile(f.path));
}

void BM_Load(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    auto bytes = f.fs.ReadFile(f.path);
    auto s = std::make_unique<Schedule>(f.env.msg, f.env.clock);
    if (!LoadSchedule(*s, *bytes.value).ok) state.SkipWithError("load failed");
    state.PauseTiming();
    s.reset();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ploven::bench
