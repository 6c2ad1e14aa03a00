// A year of done logs read back into the per-project weekly report, against reading the same
// bytes raw in the same run: the "ratio" counter is report time / raw read time, both in this
// thread's CPU time so that other work on a shared machine does not tilt it.
#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "bench/bench_env.h"
#include "done/time_report.h"
#include "file/file_system.h"
#include "store/calendar.h"
#include "store/schedule.h"

namespace ploven::bench {
namespace {

constexpr int kLinesPerMonth = 2000;
constexpr int kYear = 2025;

struct Logs {
  BenchEnv env;
  Schedule s{env.msg, env.clock};
  PosixFileSystem fs;
  DateText text;
  std::string folder = (std::filesystem::temp_directory_path() / "ploven-bench-logs").string();
  std::vector<std::string> paths;
  DayNumber from = 0, to = 0;

  Logs() {
    std::filesystem::create_directories(folder);
    const char* projects[] = {"Admin", "Client A", "Client B", "House", "", "Writing"};
    for (int month = 1; month <= 12; ++month) {
      std::string body;
      const int days = DaysInMonth(month, kYear);
      for (int i = 0; i < kLinesPerMonth; ++i) {
        DoneLogFields f;
        f.day = static_cast<DayNumber>(MakeDay(month, 1 + i % days, kYear));
        f.start = static_cast<TimeOfDay>(8 * 60 + 1 + (i * 7) % 600);
        f.duration = 5 + i % 115;
        f.title = "Done item number " + std::to_string(i) + " of the month";
        f.project = projects[i % std::size(projects)];
        f.jobNumber = i % 50;
        f.expense = (i % 9) * 1.25;
        f.mileage = i % 30;
        body += FormatDoneLogLine(f, text);
      }
      const std::string path = DoneLogFileName(folder, MakeDay(month, 1, kYear), text.names);
      WriteWholeFile(fs, path, std::vector<uint8_t>(body.begin(), body.end()));
      paths.push_back(path);
    }
    from = static_cast<DayNumber>(MakeDay(1, 1, kYear));
    to = static_cast<DayNumber>(MakeDay(12, 31, kYear));
    s.header().setLastArchivedDate(to);
  }
};

void BM_DoneLogsWeeklyReport(benchmark::State& state) {
  static Logs logs;
  auto cpuSeconds = [] {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  };
  double raw = 0, report = 0;
  size_t bytes = 0;
  for (auto _ : state) {
    const double t0 = cpuSeconds();
    bytes = 0;
    for (const std::string& path : logs.paths) {
      auto b = logs.fs.ReadFile(path);
      bytes += b.value->size();
      benchmark::DoNotOptimize(b);
    }
    const double t1 = cpuSeconds();
    std::vector<DoneLogProblem> problems;
    const TimeReport r = DoneTimeReport(logs.s, logs.fs, logs.folder, logs.from, logs.to, logs.text,
                                        TimeReportBy::kWeek, problems);
    benchmark::DoNotOptimize(r.minutes);
    const double t2 = cpuSeconds();
    raw += t1 - t0;
    const double reportSeconds = t2 - t1;
    report += reportSeconds;
    state.SetIterationTime(reportSeconds);
    int items = 0;
    for (const TimeReportRow& row : r.rows) items += row.items;
    if (items != 12 * kLinesPerMonth || !problems.empty()) state.SkipWithError("lines lost");
  }
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["ratio"] = raw > 0 ? report / raw : 0;
}

BENCHMARK(BM_DoneLogsWeeklyReport)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ploven::bench
