#pragma once

#include <cstdint>
#include <string>

#include "store/schedule.h"

namespace ploven {

inline constexpr uint8_t kTierA = 'A';
inline constexpr uint8_t kTierB = 'B';
inline constexpr uint8_t kTierC = 'C';
// An Expected Return this high (a Life Project's promoted item) shows as "priceless".
inline constexpr float kPricelessReturn = 9999999.0f;
// Schedules of a data version below this one were written before tiers existed.
inline constexpr float kFirstTieredVersion = 4.1f;

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  // As the colour settings and Act::color hold it: red in the low byte.
  uint32_t ColorRef() const {
    return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 |
           static_cast<uint32_t>(blue) << 16;
  }
  bool operator==(const Rgb&) const = default;
};

// Sets every entry's return per hour from its item's Expected Return and duration.
void FillReturnsPerHour(Schedule& s);

// With Expected Returns Active: orders tier A by descending return per hour,
// equal returns keeping their order, other tiers untouched; then renumbers.
// Run at the start of each day. True when an entry moved.
bool OrderByExpectedReturns(Schedule& s);

// With Expected Returns Active, an edited tier-A item goes after the leading
// tier-A items whose return per hour is at least its own.
void PlaceEditedTierAItem(Schedule& s, ActHandle h);

// After an item's properties are confirmed with `rank` chosen in the dialog.
void ConfirmItemPriority(Schedule& s, ActHandle h, int rank);

// Gives tiers to a schedule of a data version below 4.1: of n fluid items, the
// one at place r becomes A when r < n/3, C when r >= 2n/3, else B; every other
// item becomes A. False (nothing done) for a newer version.
bool GiveTiersToOldSchedule(Schedule& s, float dataVersion);

// A neglected Life Project's item becomes A1 (with Expected Returns Active,
// also priceless) and is then placed as an edited item. False when the item
// is not in the priority index (its tier is still set).
bool PromoteLifeProjectItem(Schedule& s, ActHandle h);

// The Other Settings check box; switching it on warns what it does.
void SetExpectedReturnsActive(Schedule& s, bool on);

// "priceless" from 9999999, "" for 0, else the whole number and a blank.
std::string FormatExpectedReturn(float expectedReturn);

// Depth of the value bar's green:
//   i = clamp(return per hour × 25.6 ÷ hourly rate, 0, 255), at least 15 when positive,
// so a return of ten times the hourly rate is full green.
int ValueIntensity(float returnPerHour, int32_t hourlyRate);
// Full green with red = blue = 255 − i.
Rgb ValueBarColor(float returnPerHour, int32_t hourlyRate);

}  // namespace ploven
