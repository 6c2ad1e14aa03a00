#pragma once

#include <string>
#include <vector>

#include "engine/balance_all_days.h"
#include "engine/engine_fixture.h"
// The scripted screen's constructor argument shadows its member.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#include "mock/scripted_engine_ui.h"
#pragma GCC diagnostic pop
#include "store/date_format.h"

namespace ploven::test {

// A four-hour day (8:00 to 12:00) with no reserves, the clock at 8:00, and a scripted screen.
class BalanceTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    s.header().setEarliestTimeOfDay(At(8));
    s.header().setLatestTimeOfDay(At(12));
    s.header().setWorkdayStart(At(8));
    s.header().setWorkdayEnd(At(11));
    s.header().setMinSplitMinutes(15);
    env.clock.Set(kToday, At(8));
    engine.SetUi(&ui);
  }

  static DayNumber Day(int offset) { return static_cast<DayNumber>(kToday + offset); }
  static std::string Date(int offset) { return FormatDate(Day(offset), DateText{}); }

  ActHandle Fluid(const std::string& title, Duration duration, uint32_t flags = 0,
                  DayNumber deadline = 0, char tier = 'A') {
    Act a;
    a.flags = AF_FLEXIBLE | flags;
    a.duration = duration;
    a.deadlineDate = deadline;
    a.tier = static_cast<uint8_t>(tier);
    return s.NewItem(kToday, a, title);
  }

  // Every task of the item in date order as "+days H:MM length", "!" marking a conflict.
  std::vector<std::string> Where(ActHandle h) {
    std::vector<std::string> out;
    for (const auto& [date, day] : s.terminals())
      for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
        if (task->act != h) continue;
        const int m = task->StartTime() - 1;
        std::string line = "+" + std::to_string(date - kToday) + " " + std::to_string(m / 60) +
                           ":" + (m % 60 < 10 ? "0" : "") + std::to_string(m % 60) + " " +
                           std::to_string(task->length) + (task->InConflict() ? "!" : "");
        out.push_back(line);
      }
    return out;
  }
  using Lines = std::vector<std::string>;

  ScriptedEngineUi ui{kToday};
};

}  // namespace ploven::test
