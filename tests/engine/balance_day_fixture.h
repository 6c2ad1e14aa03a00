#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/balance_day.h"
#include "engine/engine_fixture.h"
#include "mock/scripted_engine_ui.h"
#include "store/date_format.h"

namespace ploven::test {

using Lines = std::vector<std::string>;

// Days from 7:00 to 23:00 shown in a Day View of tomorrow (a Wednesday).
struct DayBalanceTest : EngineTest {
  static constexpr DayNumber kTomorrow = kToday + 1;
  // The scenario tables build days through these.
  using EngineTest::At;
  using EngineTest::engine;
  using EngineTest::env;
  using EngineTest::Fixed;
  using EngineTest::kToday;
  using EngineTest::s;

  void SetUp() override {
    EngineTest::SetUp();
    s.header().setEarliestTimeOfDay(At(7));
    s.header().setLatestTimeOfDay(At(23));
    ui.view = ViewKind::kDay;
    engine.SetUi(&ui);
  }

  // A fluid item at the end of its tier; `edit` adjusts it before it is placed.
  ActHandle Fluid(const std::string& title, DayNumber date, Duration minutes,
                  const std::function<void(Act&)>& edit = {}, uint8_t tier = 'A') {
    Act a;
    a.flags = AF_FLEXIBLE;
    a.duration = minutes;
    a.tier = tier;
    if (edit) edit(a);
    return s.NewItem(date, a, title);
  }

  // Puts the items' tasks into this order and recalculates the day.
  void Arrange(DayNumber date, const std::vector<ActHandle>& order) {
    Terminal* day = s.ExistingTerminal(date);
    for (ActHandle h : order) {
      TaskNode* task = s.ActTask(h);
      Unlink(env.msg, task);
      Append(env.msg, LastLink(&day->head), task);
    }
    engine.RecalcDayTimes(date);
  }

  // "H:MM title", "!" after a conflict-marked task, "-" for no time.
  Lines Day(DayNumber date) {
    Lines out;
    if (Terminal* day = s.ExistingTerminal(date))
      for (TaskNode* t = day->First(); t != nullptr; t = t->Next()) {
        const int m = t->StartTime() - 1;
        std::string line = t->StartTime() == 0 ? "-" : std::to_string(m / 60) + ":" +
                                                           (m % 60 < 10 ? "0" : "") +
                                                           std::to_string(m % 60);
        out.push_back(line + " " + s.GetActTitle(t->act) + (t->InConflict() ? " !" : ""));
      }
    return out;
  }

  ScriptedEngineUi ui{kTomorrow};
};

}  // namespace ploven::test
