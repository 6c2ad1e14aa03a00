#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/item_records.h"
#include "mock/test_env.h"
#include "recur/beta_qualify.h"
#include "store/schedule.h"

namespace ploven::test {

// A schedule and what the records need besides it: 12-hour times, "mm/dd/yy" dates, three
// labels and one note.
class RecordTest : public ::testing::Test {
 protected:
  static constexpr DayNumber kToday = TestEnv::kToday;  // Tuesday 8 December 2026
  static constexpr int kNoteNumber = 7;

  RecordTest() {
    context.userName = "Ann";
    context.labelNames = {"None", "Work", "Home"};
    context.noteText = [this](int32_t number) {
      return number == kNoteNumber ? noteText : std::string();
    };
  }

  ActHandle Item(const std::string& title, uint32_t flags, TimeOfDay start, Duration duration) {
    Act a;
    a.flags = flags;
    a.startTime = start;
    a.duration = duration;
    a.typeFlags = ACT_ITEM;
    return s.NewItem(kToday, a, title);
  }

  // A weekly rule on Monday and Wednesday every 2 weeks from Monday 7 December 2026, at 9:00.
  ActHandle WeeklyStandup() {
    Beta rule;
    rule.freq = kFreqWeekly;
    rule.dayBits = (1 << 1) | (1 << 3);
    rule.interval = 2;
    rule.startDate = kToday - 1;
    Act a;
    a.flags = AF_FIXED;
    a.typeFlags = ACT_ITEM;
    a.startTime = ClockTime(9, 0);
    a.duration = 15;
    return s.NewItem(kNoDate, a, "Standup", &rule);
  }

  static std::vector<std::string> Fields(const std::string& record) {
    std::vector<std::string> out;
    std::string field;
    for (char c : record) {
      if (c == '\t') {
        out.push_back(field);
        field.clear();
      } else {
        field.push_back(c);
      }
    }
    if (!field.empty()) out.push_back(field);
    return out;
  }

  TestEnv env;
  Schedule s{env.msg, env.clock};
  RecordContext context;
  std::string noteText;
};

}  // namespace ploven::test
