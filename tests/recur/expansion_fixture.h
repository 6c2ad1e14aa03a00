#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "recur/recurrences.h"
#include "store/consistency_check.h"

namespace ploven::test {

// A schedule with its engine and the recurring-items module above it.
class RecurTest : public EngineTest {
 protected:
  static Beta Daily(DayNumber start, int interval = 1, DayNumber end = 0) {
    Beta b;
    b.freq = kFreqDaily;
    b.interval = static_cast<int16_t>(interval);
    b.startDate = start;
    b.endDate = end;
    return b;
  }

  // A fixed recurring item at 8:00 for 30 minutes.
  ActHandle Recurring(const std::string& title, const Beta& rule, uint32_t flags = 0) {
    Act a;
    a.flags = AF_FIXED | flags;
    a.typeFlags = ACT_ITEM;
    a.startTime = At(8);
    a.duration = 30;
    const ActHandle h = s.NewItem(kNoDate, a, title, &rule);
    EXPECT_NE(h, kNoAct);
    return h;
  }

  // A day that pruning leaves alone, so a test can look at it later.
  Terminal& Keep(DayNumber date) {
    Terminal* day = s.GetTerminal(date);
    EXPECT_NE(day, nullptr);
    day->keepDay = 1;
    return *day;
  }

  int ClonesOn(ActHandle definition, DayNumber date) {
    Terminal* day = s.ExistingTerminal(date);
    int n = 0;
    if (day != nullptr)
      for (TaskNode* t = day->First(); t != nullptr; t = t->Next())
        if (t->act == definition) ++n;
    return n;
  }

  TaskNode* Clone(ActHandle definition, DayNumber date) { return FindClone(s, definition, date); }

  const Beta& Rule(ActHandle definition) { return s.LockBeta(s.ReadAct(definition).hBeta); }

  std::vector<DayNumber> XDates(ActHandle definition) {
    std::vector<DayNumber> dates;
    for (const XEntry& e : Rule(definition).xlist) dates.push_back(e.date);
    return dates;
  }

  void ExpectConsistent() {
    const auto problem = CheckConsistency(s);
    EXPECT_FALSE(problem.has_value()) << *problem;
  }

  Recurrences r{engine};
};

}  // namespace ploven::test
