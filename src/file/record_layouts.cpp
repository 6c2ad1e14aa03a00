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

namespace {

struct Field {
  size_t offset;  // in the current record
  size_t width;
};

// The old compact records hold the fields a plan needs most, in this order;
// each old size is the first so many bytes of it: 27 (format 21), 31 (22),
// 33 (23), 53 (24) and 74 (25).
constexpr Field kCompactFields[] = {
    {0, 4},  {4, 2},  {6, 2},  {16, 2}, {40, 4}, {20, 4}, {24, 4},  {70, 2},  {72, 1},
    {12, 2}, {14, 2}, {8, 2},  {10, 2}, {18, 1}, {19, 1}, {28, 4},  {32, 4},  {58, 4},
    {50, 2}, {46, 2}, {68, 2}, {66, 2}, {36, 4}, {78, 4}, {73, 1},  {48, 2},  {94, 4},
    {98, 2}, {100, 2}};

bool IsCompactSize(size_t size) {
  return size == 27 || size == 31 || size == 33 || size == 53 || size == 74;
}

// Copies field by field between the compact and the current layout, as far
// as the compact record reaches.
template <typename Copy>
void VisitCompact(size_t size, Copy&& copy) {
  size_t at = 0;
  for (const Field& f : kCompactFields) {
    if (at >= size) break;
    const size_t width = std::min(f.width, size - at);
    copy(at, f.offset, width);
    at += width;
  }
}

}  // namespace

void EncodeStoredAct(const Act& act, std::span<uint8_t> out) {
  std::array<uint8_t, kActRecordSize> full{};
  EncodeAct(act, full);
  std::fill(out.begin(), out.end(), uint8_t{0});
  if (IsCompactSize(out.size())) {
    VisitCompact(out.size(), [&](size_t at, size_t offset, size_t width) {
      std::copy_n(full.begin() + static_cast<long>(offset), width, out.begin() + static_cast<long>(at));
    });
    return;
  }
  std::copy_n(full.begin(), std::min(out.size(), full.size()), out.begin());
}

Act DecodeStoredAct(std::span<const uint8_t> in) {
  std::array<uint8_t, kActRecordSize> full{};
  if (IsCompactSize(in.size())) {
    VisitCompact(in.size(), [&](size_t at, size_t offset, size_t width) {
      std::copy_n(in.begin() + static_cast<long>(at), width, full.begin() + static_cast<long>(offset));
    });
  } else {
    // Any other size: the leading bytes of the current layout.
    std::copy_n(in.begin(), std::min(in.size(), full.size()), full.begin());
  }
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
