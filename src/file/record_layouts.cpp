#include "file/record_layouts.h"

#include <algorithm>
#include <array>

#include "store/byte_io.h"

namespace ploven {

size_t ActRecordSizeFor(int16_t formatVersion) {
  switch (formatVersion) {
    case 21: return 27;
    case 22: return 31;
    case 23: return 33;
    case 24: return 53;
    case 25: return 74;
    default: return kActRecordSize;
  }
}

void EncodeStoredAct(const Act& act, std::span<uint8_t> out) {
  std::array<uint8_t, kActRecordSize> full{};
  EncodeAct(act, full);
  std::copy_n(full.begin(), std::min(out.size(), full.size()), out.begin());
  if (out.size() > full.size()) std::fill(out.begin() + full.size(), out.end(), uint8_t{0});
}

Act DecodeStoredAct(std::span<const uint8_t> in) {
  std::array<uint8_t, kActRecordSize> full{};
  std::copy_n(in.begin(), std::min(in.size(), full.size()), full.begin());
  return DecodeAct(full);
}

// Offsets of the day record: date 0, chain head 2, nTasks 6, nClones 8,
// keepDay 10, a short 12, current 14, holdCount 18, tflags 20, freeMinutes 22,
// two shorts 24 and 26.
void EncodeTerminal(const Terminal& t, std::span<uint8_t, kTerminalRecordSize> out) {
  std::fill(out.begin(), out.end(), uint8_t{0});
  PutLE<int16_t>(out, 0, t.date);
  PutLE<int16_t>(out, 6, t.nTasks);
  PutLE<int16_t>(out, 8, t.nClones);
  PutLE<int16_t>(out, 10, t.keepDay);
  PutLE<int16_t>(out, 12, t.reserved10);
  PutLE<int16_t>(out, 18, t.holdCount);
  PutLE<uint16_t>(out, 20, t.tflags);
  PutLE<int16_t>(out, 22, t.freeMinutes);
  PutLE<int16_t>(out, 24, t.reserved24);
  PutLE<int16_t>(out, 26, t.reserved26);
}

StoredTerminal DecodeTerminal(std::span<const uint8_t, kTerminalRecordSize> in) {
  StoredTerminal t;
  t.date = GetLE<int16_t>(in, 0);
  t.nTasks = GetLE<int16_t>(in, 6);
  t.nClones = GetLE<int16_t>(in, 8);
  t.keepDay = GetLE<int16_t>(in, 10);
  t.reserved10 = GetLE<int16_t>(in, 12);
  t.holdCount = GetLE<int16_t>(in, 18);
  t.tflags = GetLE<uint16_t>(in, 20);
  t.freeMinutes = GetLE<int16_t>(in, 22);
  t.reserved24 = GetLE<int16_t>(in, 24);
  t.reserved26 = GetLE<int16_t>(in, 26);
  return t;
}

}  // namespace ploven
