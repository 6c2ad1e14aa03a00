#include "store/beta_record.h"

#include "store/byte_io.h"

namespace ploven {

void EncodeBeta(const Beta& b, std::span<uint8_t, kBetaRecordSize> out) {
  PutBytes(out, 0, b.reserved0);
  PutLE<uint8_t>(out, 2, b.freq);
  PutLE<uint8_t>(out, 3, b.dayBits);
  PutLE<int16_t>(out, 4, b.interval);
  PutLE<uint32_t>(out, 6, b.dateBits);
  PutLE<int16_t>(out, 10, b.startDate);
  PutLE<int16_t>(out, 12, b.endDate);
  PutLE<int16_t>(out, 14, b.nXentries());
  PutLE<uint32_t>(out, 16, b.xlistHandle);
  PutLE<int16_t>(out, 20, b.lastDone);
  PutBytes(out, 22, b.reserved22);
  PutLE<uint8_t>(out, 24, b.betaOptions);
  PutBytes(out, 25, b.reserved25);
}

Beta DecodeBeta(std::span<const uint8_t, kBetaRecordSize> in, int16_t* storedXentries) {
  Beta b;
  b.reserved0 = GetBytes<2>(in, 0);
  b.freq = GetLE<uint8_t>(in, 2);
  b.dayBits = GetLE<uint8_t>(in, 3);
  b.interval = GetLE<int16_t>(in, 4);
  b.dateBits = GetLE<uint32_t>(in, 6);
  b.startDate = GetLE<int16_t>(in, 10);
  b.endDate = GetLE<int16_t>(in, 12);
  if (storedXentries != nullptr) *storedXentries = GetLE<int16_t>(in, 14);
  b.xlistHandle = GetLE<uint32_t>(in, 16);
  b.lastDone = GetLE<int16_t>(in, 20);
  b.reserved22 = GetBytes<2>(in, 22);
  b.betaOptions = GetLE<uint8_t>(in, 24);
  b.reserved25 = GetBytes<3>(in, 25);
  return b;
}

}  // namespace ploven
