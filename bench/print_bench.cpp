// The printouts against a load of the same schedule: a four-week appointment calendar of a
// 20,000-item schedule composed and drawn into a PDF, measured in loads of that schedule.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "bench/bench_env.h"
#include "engine/engine.h"
#include "file/file_system.h"
#include "file/schedule_format.h"
#include "print/pdf_printout.h"
#include "printouts/compose_printout.h"
#include "printouts/printout_requests.h"
#include "recur/recurrences.h"
#include "store/schedule.h"

namespace ploven::bench {
namespace {

constexpr int kItems = 20000;
constexpr int kDays = 365;
constexpr int kLoadsTimed = 5;

// 20,000 items over a year: appointments, memos and fluid work, with recurring items too.
void Fill(Schedule& s) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> letter('a', 'z');
  for (int i = 0; i < kItems; ++i) {
    std::string title(18, ' ');
    for (char& c : title) c = static_cast<char>(letter(rng));
    Act a;
    a.duration = static_cast<Duration>(15 + (i % 8) * 15);
    switch (i % 4) {
      case 0:
        a.flags = AF_FIXED;
        a.startTime = static_cast<TimeOfDay>(8 * 60 + 1 + (i % 10) * 60);
        break;
      case 1:
        a.flags = AF_HOPE;
        break;
      default:
        a.flags = AF_FLEXIBLE;
        a.tier = static_cast<uint8_t>('A' + i % 3);
        break;
    }
    s.NewItem(static_cast<DayNumber>(BenchEnv::kToday + i % kDays), a, title);
  }
}

struct Fixture {
  BenchEnv env;
  PosixFileSystem fs;
  std::vector<uint8_t> bytes;
  double loadMs = 0;  // one load, read from memory

  Fixture() {
    Schedule s(env.msg, env.clock);
    s.header().setMode(3);
    Fill(s);
    bytes = *SaveSchedule(s);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kLoadsTimed; ++i) Load();
    loadMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                 .count() /
             kLoadsTimed;
  }
  std::unique_ptr<Schedule> Load() {
    auto s = std::make_unique<Schedule>(env.msg, env.clock);
    LoadSchedule(*s, bytes);
    return s;
  }
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void BM_LoadSchedule(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(f.Load());
}

// Composing and drawing, on a schedule loaded once (as the desktop program has it).
void BM_FourWeekCalendarPdf(benchmark::State& state) {
  Fixture& f = Shared();
  auto s = f.Load();
  Engine engine(*s);
  Recurrences recurrences(engine);
  const FilterState filters;
  const std::string path =
      (std::filesystem::temp_directory_path() / "ploven-bench-calendar.pdf").string();
  const PrintoutRequest request =
      CalendarRequest(CalendarSpan::kFourWeeks, BenchEnv::kToday, true);
  double totalMs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    PrintSource source{engine, &recurrences, DisplayOptions{},
                       MakePrintoutFilter(*s, filters, {}, false), "Bench", "", 1};
    const PdfResult r = WritePrintoutsPdf({ComposePrintout(source, request)},
                                          PrintFonts::From({}), PaperSettings{}, path);
    if (!r.ok) state.SkipWithError("the PDF was not written");
    totalMs +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["loads"] = totalMs / static_cast<double>(state.iterations()) / f.loadMs;
}

BENCHMARK(BM_LoadSchedule)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourWeekCalendarPdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ploven::bench

// The PDF is drawn by Qt, offscreen.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
