#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/beta_record.h"
#include "store/date_types.h"

namespace ploven {

// The X-PLOVEN-* properties: what the calendar standard has no word for, kept so that an
// exported file brings back the same items.
inline constexpr char kXKind[] = "X-PLOVEN-KIND";          // kind and placement bits
inline constexpr char kXRecur[] = "X-PLOVEN-RECUR";        // the whole recurrence record
inline constexpr char kXEstimate[] = "X-PLOVEN-ESTIMATE";  // a to-do's duration
inline constexpr char kXTier[] = "X-PLOVEN-TIER";          // tiers after H (PRIORITY 9)
inline constexpr char kXDone[] = "X-PLOVEN-DONE";          // a done event

// The item's kind (Act::typeFlags) and the flags that place it, as "8000/200" (hex).
struct ItemKindField {
  uint16_t typeFlags = 0;
  uint32_t flags = 0;
};
// The flags X-PLOVEN-KIND carries.
uint32_t KindFlagsMask();
std::string WriteKindField(const ItemKindField& kind);
std::optional<ItemKindField> ReadKindField(std::string_view text);

// The recurrence record's rule, options and dates:
// "FREQ=04;DAYS=00;DATES=40000001;INTERVAL=2;OPTIONS=00;FROM=20261208;UNTIL=20271231".
std::string WriteRecurField(const Beta& beta);
// Nothing when a field is missing or out of range.
std::optional<Beta> ReadRecurField(std::string_view text);

// PRIORITY of a tier: A is 1 .. H is 8, every later tier 9; no tier 0.
int PriorityOfTier(uint8_t tier);
// The tier of PRIORITY 1..9; 0 (none) for 0 or a value out of range.
uint8_t TierOfPriority(int priority);

// "20261208" for a date; 0 for text that is no date of Ploven's.
std::string BasicDate(DayNumber day);
DayNumber ReadBasicDate(std::string_view text);

}  // namespace ploven
