#include <gtest/gtest.h>

#include <random>

#include "store/act_flags.h"
#include "store/act_record.h"
#include "store/beta_record.h"

namespace ploven {
namespace {

std::array<uint8_t, kActRecordSize> Encode(const Act& a) {
  std::array<uint8_t, kActRecordSize> bytes{};
  EncodeAct(a, bytes);
  return bytes;
}

TEST(ActRecord, FieldsSitAtTheirOffsetsLittleEndian) {
  Act a;
  a.startTime = 0x0102;
  a.duration = 0x1234;
  a.ddate = -2;
  a.weekdays = 0x7f;
  a.flags = AF_FLEXIBLE | AF_SEQUENCED;
  a.ID = 0xA1B2C3D4;
  a.typeFlags = ACT_APPOINTMENT;
  a.tier = 3;
  a.reminderDays = -5;
  a.expectedReturn = 1.5f;
  a.alarmHours = -2;
  a.extra = 0x7788;
  const auto b = Encode(a);
  EXPECT_EQ(b[4], 0x02);
  EXPECT_EQ(b[5], 0x01);
  EXPECT_EQ(b[6], 0x34);
  EXPECT_EQ(b[7], 0x12);
  EXPECT_EQ(b[16], 0xFE);
  EXPECT_EQ(b[17], 0xFF);
  EXPECT_EQ(b[18], 0x7f);
  EXPECT_EQ(b[40], 0x20);
  EXPECT_EQ(b[42], 0x80);
  EXPECT_EQ(b[58], 0xD4);
  EXPECT_EQ(b[61], 0xA1);
  EXPECT_EQ(b[70], 0x00);
  EXPECT_EQ(b[71], 0x80);
  EXPECT_EQ(b[72], 3);
  EXPECT_EQ(b[73], 0xFB);
  // 1.5f is 0x3FC00000.
  EXPECT_EQ(b[78], 0x00);
  EXPECT_EQ(b[80], 0xC0);
  EXPECT_EQ(b[81], 0x3F);
  EXPECT_EQ(b[102], 0xFE);
  EXPECT_EQ(b[128], 0x88);
  EXPECT_EQ(b[129], 0x77);
}

// Whatever a file holds, every byte comes back out: the uninterpreted bytes,
// the two carried flag bits and any float bit pattern.
TEST(ActRecord, AnyRecordSurvivesARoundTripByteForByte) {
  std::mt19937 rng(20261208);
  for (int round = 0; round < 200; ++round) {
    std::array<uint8_t, kActRecordSize> in{};
    for (auto& byte : in) byte = static_cast<uint8_t>(rng());
    const Act decoded = DecodeAct(in);
    EXPECT_EQ(Encode(decoded), in) << "round " << round;
  }
}

TEST(ActRecord, CarriedFlagBitsAndReservedBytesAreKept) {
  std::array<uint8_t, kActRecordSize> in{};
  in[42] = 0x48;  // 0x80000 and 0x400000
  for (size_t i = 118; i < 128; ++i) in[i] = static_cast<uint8_t>(i);
  in[44] = 0xAA;
  in[63] = 0xBB;
  const Act a = DecodeAct(in);
  EXPECT_TRUE(a.Has(AF_DIALOG_BOX_1));
  EXPECT_TRUE(a.Has(AF_DIALOG_BOX_2));
  EXPECT_EQ(a.reserved44[0], 0xAA);
  EXPECT_EQ(a.reserved62[1], 0xBB);
  EXPECT_EQ(a.reserved118[9], 127);
}

TEST(BetaRecord, RoundTripKeepsUninterpretedBytesAndWritesTheExceptionCount) {
  std::mt19937 rng(7);
  std::array<uint8_t, kBetaRecordSize> in{};
  for (auto& byte : in) byte = static_cast<uint8_t>(rng());
  int16_t stored = 0;
  Beta beta = DecodeBeta(in, &stored);
  // The count is the list's own length; give the list as many entries.
  beta.xlist.resize(static_cast<size_t>(static_cast<uint16_t>(stored)));
  std::array<uint8_t, kBetaRecordSize> out{};
  EncodeBeta(beta, out);
  EXPECT_EQ(out, in);
}

}  // namespace
}  // namespace ploven
