#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mock/test_env.h"
#include "store/schedule.h"
#include "store/store_messages.h"

namespace ploven::test {

class ScheduleTest : public ::testing::Test {
 protected:
  static constexpr DayNumber kToday = TestEnv::kToday;

  ActHandle Item(const std::string& title, DayNumber date = kToday, uint32_t flags = 0,
                 Duration duration = 30) {
    Act a;
    a.flags = flags;
    a.duration = duration;
    return s.NewItem(date, a, title);
  }

  // Titles in the order the alphabetical chain holds them.
  std::vector<std::string> ChainTitles() const {
    std::vector<std::string> out;
    for (const auto& [key, node] : s.actChain()) out.push_back(s.GetActNameFull(node.act));
    return out;
  }

  std::vector<DayNumber> Days() const {
    std::vector<DayNumber> out;
    for (const auto& [date, day] : s.terminals()) out.push_back(date);
    return out;
  }

  std::vector<ActHandle> TasksOf(DayNumber date) {
    std::vector<ActHandle> out;
    if (Terminal* day = s.ExistingTerminal(date))
      for (TaskNode* t = day->First(); t != nullptr; t = t->Next()) out.push_back(t->act);
    return out;
  }

  // Expects the code to end in the internal-error report of `text`. Only the first report
  // shows a box (the program is ending); every one is logged.
  template <typename F>
  void ExpectFatal(F&& f, const std::string& text) {
    try {
      f();
      ADD_FAILURE() << "expected the internal-error report: " << text;
    } catch (const InternalErrorRaised&) {
      EXPECT_TRUE(env.Logged(text)) << "report did not log: " << text;
    }
  }

  TestEnv env;
  Schedule s{env.msg, env.clock};
};

}  // namespace ploven::test
