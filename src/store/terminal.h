#pragma once

#include <cstdint>

#include "store/act_handle.h"
#include "store/chain.h"
#include "store/date_types.h"

namespace ploven {

struct Terminal;

// The head of a day's chain; it names the day it belongs to.
struct DayHead : ChainLink {
  Terminal* term = nullptr;
};

// One appearance of an item on a day. A recurring instance that was never
// edited points at the recurring definition itself.
struct TaskNode : ChainLink {
  ActHandle act = kNoAct;
  // Stored with a sign: negative marks a conflicting placement. Readers take
  // the absolute value as the time.
  int16_t start = 0;
  int16_t length = 0;  // minutes on this day (a split item's segment)

  TimeOfDay StartTime() const { return static_cast<TimeOfDay>(start < 0 ? -start : start); }
  bool InConflict() const { return start < 0; }
  TaskNode* Next() const { return static_cast<TaskNode*>(next); }
};

inline constexpr uint16_t kTerminalDoneLogPending = 0x2;

// The record of one day that has anything on it.
struct Terminal {
  DayNumber date = 0;
  DayHead head;
  int16_t nTasks = 0;
  int16_t nClones = 0;  // task nodes that are unedited recurring instances
  int16_t keepDay = 0;
  int16_t reserved10 = 0;
  TaskNode* current = nullptr;
  int16_t holdCount = 0;
  uint16_t tflags = 0;
  int16_t freeMinutes = 0;
  int16_t reserved24 = 0;
  int16_t reserved26 = 0;

  Terminal() { head.term = this; }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  TaskNode* First() const { return static_cast<TaskNode*>(head.next); }
};

inline constexpr size_t kTerminalRecordSize = 28;

}  // namespace ploven
