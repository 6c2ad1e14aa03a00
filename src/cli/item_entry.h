#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/engine.h"
#include "store/beta_record.h"

namespace ploven::cli {

// What `add` asks for, already read; absent fields take the program's defaults.
struct NewItemRequest {
  std::string title;
  std::optional<DayNumber> date;
  std::optional<TimeOfDay> start;
  std::optional<Duration> duration;
  std::optional<DayNumber> earliest;
  std::optional<DayNumber> deadline;
  std::optional<TimeOfDay> earliestTime;
  std::optional<TimeOfDay> latestTime;
  bool fixed = false;
  bool memo = false;
  bool flexible = false;
  bool split = false;
  uint8_t weekdays = 0;  // Sunday first; 0 = every day
  uint8_t tier = 0;      // 'A'..'Z'; 0 = 'A' for a fluid item
  int rank = 0;          // 0 = the end of the tier
  uint32_t projectID = 0;
  // A recurring item: its rule, with the Start Date (0 = the item's date) and End Date.
  std::optional<Beta> recurrence;
  // Made through the item dialog, which asks about an alarm for a set start time.
  bool fromDialog = true;
};

inline constexpr Duration kDefaultDuration = 30;

// The New Item path: checks the request as the item dialog's OK does (telling
// why when it refuses, and then nothing changed), makes the item through
// Schedule::NewItem, and has a fluid item planned as the engine re-plans one item. kNoAct when refused.
ActHandle EnterNewItem(Engine& engine, NewItemRequest request);


}  // namespace ploven::cli
