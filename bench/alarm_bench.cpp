#include <benchmark/benchmark.h>

#include <chrono>

#include "alarm/alarm_routine.h"
#include "bench/bench_env.h"
#include "recur/recurrences.h"

namespace ploven::bench {
namespace {

// A machine that plays, shows and starts nothing.
class QuietDevice : public AlarmDevice {
 public:
  void PlayDefaultAlarm() override {}
  void PlayFile(const std::string&) override {}
  bool FileExists(const std::string&) override { return false; }
  void Wait(int) override {}
  void DiscardPendingKeys() override {}
  bool MainWindowMinimised() override { return false; }
  void PostNotice(const AlarmNotice&) override {}
  void WithdrawNotice(const std::string&) override {}
  NoticeAnswer TakeNoticeAnswer(const std::string&) override { return NoticeAnswer::kNone; }
  std::optional<int> AskSnoozeMinutes(const std::string&, int) override { return std::nullopt; }
  void ShowProgress(const std::string&) override {}
  void CloseProgress() override {}
  ProcessResult RunAndWait(const std::vector<std::string>&, const std::string&) override {
    return {};
  }
  bool StartDetached(const std::vector<std::string>&) override { return false; }
  bool OpenWithDesktop(const std::string&) override { return false; }
  void OpenItemProperties(ActHandle) override {}
};

constexpr int kTodayTasks = 200;
constexpr int kScheduleItems = 20000;
constexpr int kItemsPerOtherDay = 100;

// Today holds 200 set items of 4 minutes from 0:30 on, each with an alarm at its begin that is
// not due yet at 0:05 (so every minute walks the whole chain and rings nothing); the rest of the
// 20,000 items fill the days after it.
struct AlarmDay {
  AlarmDay() {
    s.header().setMode(3);
    s.header().setLatestTimeOfDay(static_cast<TimeOfDay>(2880));
    env.clock.Set(BenchEnv::kToday, 6);
    for (int i = 0; i < kTodayTasks; ++i) {
      Act a;
      a.flags = AF_FIXED | AF_ALARM | AF_ALARM_AT_BEGIN;
      a.startTime = static_cast<TimeOfDay>(31 + i * 4);
      a.duration = 4;
      a.alarmMinutes = 5;
      s.NewItem(BenchEnv::kToday, a, "Today " + std::to_string(i));
    }
    for (int i = kTodayTasks; i < kScheduleItems; ++i) {
      Act a;
      a.flags = AF_FIXED | AF_ALARM | AF_ALARM_AT_BEGIN;
      a.startTime = static_cast<TimeOfDay>(421 + (i % kItemsPerOtherDay) * 5);
      a.duration = 5;
      const auto day = static_cast<DayNumber>(BenchEnv::kToday + 1 + i / kItemsPerOtherDay);
      s.NewItem(day, a, "Later " + std::to_string(i));
    }
    s.GetTerminal(BenchEnv::kToday)->keepDay = 1;
  }
  BenchEnv env;
  Schedule s{env.msg, env.clock};
  Engine engine{s};
  Recurrences recurrences{engine};
  AlarmSettings settings;
  DateText text;
  QuietDevice device;
  AlarmRoutine routine{AlarmServices{recurrences, env.msg, env.clock, text, settings, device,
                                     nullptr, nullptr, "", ""}};
};

// Each round times one minute routine and, as the baseline of the same run, one RecalcDayTimes
// of the same day; the ratio holds on a busy machine where the microseconds do not.
void BM_AlarmMinuteOn200TaskDay(benchmark::State& state) {
  AlarmDay d;
  if (d.s.ExistingTerminal(BenchEnv::kToday)->nTasks != kTodayTasks) {
    state.SkipWithError("today is not as built");
    return;
  }
  double minuteSeconds = 0, recalcSeconds = 0;
  for (auto _ : state) {
    using clock = std::chrono::steady_clock;
    const auto t0 = clock::now();
    d.routine.RunMinute();
    const auto t1 = clock::now();
    d.engine.RecalcDayTimes(BenchEnv::kToday);
    const auto t2 = clock::now();
    const double minute = std::chrono::duration<double>(t1 - t0).count();
    minuteSeconds += minute;
    recalcSeconds += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(minute);
  }
  if (d.routine.openBoxes() != 0 || d.env.ui.shown != 0) state.SkipWithError("an alarm rang");
  const double rounds = static_cast<double>(state.iterations());
  state.counters["minute_us"] = minuteSeconds * 1e6 / rounds;
  state.counters["recalc_us"] = recalcSeconds * 1e6 / rounds;
  state.counters["minute_per_recalc"] = minuteSeconds / recalcSeconds;
}
BENCHMARK(BM_AlarmMinuteOn200TaskDay)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ploven::bench
