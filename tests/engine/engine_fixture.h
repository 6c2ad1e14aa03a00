#pragma once

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "engine/engine_messages.h"
#include "mock/test_env.h"

namespace ploven::test {

class EngineTest : public ::testing::Test {
 protected:
  static constexpr DayNumber kToday = TestEnv::kToday;  // a Tuesday
  static TimeOfDay At(int hour, int minute = 0) {
    return static_cast<TimeOfDay>(hour * 60 + minute + 1);
  }

  void SetUp() override { s.header().setMode(3); }

  ActHandle Fixed(const std::string& title, DayNumber date, TimeOfDay start, Duration duration,
                  uint32_t flags = 0, uint16_t type = 0) {
    Act a;
    a.flags = AF_FIXED | flags;
    a.startTime = start;
    a.duration = duration;
    a.typeFlags = type;
    return s.NewItem(date, a, title);
  }

  TestEnv env;
  Schedule s{env.msg, env.clock};
  Engine engine{s};
};

}  // namespace ploven::test
