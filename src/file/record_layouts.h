#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "store/act_record.h"
#include "store/terminal.h"

namespace ploven {

// The stored size of an item record in each format: 27, 31, 33, 53 and 74
// bytes for formats 21 to 25, 130 for format 26. The old sizes are compact
// records that keep the most needed fields first (title length, times, date,
// flags, links, kind, tier ...); the fields they lack read as zero. Records of
// any other size are read as the leading bytes of the current layout.
size_t ActRecordSizeFor(int16_t formatVersion);

// The first `out.size()` bytes of the record.
void EncodeStoredAct(const Act& act, std::span<uint8_t> out);
// A record of any stored size, widened to the current layout with zeros.
Act DecodeStoredAct(std::span<const uint8_t> in);

// The 28 bytes of a day; the chain links are not stored.
void EncodeTerminal(const Terminal& t, std::span<uint8_t, kTerminalRecordSize> out);
struct StoredTerminal {
  DayNumber date = 0;
  int16_t nTasks = 0;
  int16_t nClones = 0;
  int16_t keepDay = 0;
  int16_t reserved10 = 0;
  int16_t holdCount = 0;
  uint16_t tflags = 0;
  int16_t freeMinutes = 0;
  int16_t reserved24 = 0;
  int16_t reserved26 = 0;
};
StoredTerminal DecodeTerminal(std::span<const uint8_t, kTerminalRecordSize> in);

}  // namespace ploven
