#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "store/act_handle.h"
#include "store/date_types.h"

namespace ploven {

inline constexpr size_t kBetaRecordSize = 28;

// The Bring Forward Action in the `freq` byte; neither bit: the occurrence moves.
inline constexpr uint8_t kBringForwardDeleteInstance = 0x10;
inline constexpr uint8_t kBringForwardShiftStart = 0x20;

// An exception to a recurring item: the instance of `date` was replaced by
// `drone`, or cancelled when there is none.
struct XEntry {
  DayNumber date = 0;
  ActHandle drone = kNoAct;
};

// The recurrence record of a recurring definition. The exception list is
// kept in ascending date order; its length is the stored count.
struct Beta {
  std::array<uint8_t, 2> reserved0{};
  uint8_t freq = 0;
  uint8_t dayBits = 0;
  int16_t interval = 0;
  uint32_t dateBits = 0;
  DayNumber startDate = 0;
  DayNumber endDate = 0;
  uint32_t xlistHandle = 0;  // on disk only
  DayNumber lastDone = 0;
  std::array<uint8_t, 2> reserved22{};
  uint8_t betaOptions = 0;
  std::array<uint8_t, 3> reserved25{};

  std::vector<XEntry> xlist;

  int16_t nXentries() const { return static_cast<int16_t>(xlist.size()); }
};

using BetaHandle = uint32_t;
inline constexpr BetaHandle kNoBeta = 0;

// The 28 stored bytes; `nXentries` is written from the list's length and read
// back into `storedXentries` for the reader to fill the list.
void EncodeBeta(const Beta& beta, std::span<uint8_t, kBetaRecordSize> out);
Beta DecodeBeta(std::span<const uint8_t, kBetaRecordSize> in, int16_t* storedXentries);

}  // namespace ploven
