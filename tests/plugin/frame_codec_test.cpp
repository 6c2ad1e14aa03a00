// The two ends of the wire are written twice, once for each program (the companion links
// nothing of Ploven's): each must read what the other writes, byte for byte.
#include "plugin/frame_codec.h"

#include <gtest/gtest.h>

#include <string>

#include "bridge/bridge_frame.h"

namespace ploven::test {
namespace {

using calendar::WireFrame;
using calendar::WireFrameReader;

QByteArray Q(const std::string& s) {
  return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}
std::string S(const QByteArray& b) {
  return std::string(b.constData(), static_cast<size_t>(b.size()));
}

WireFrame WireOf(const BridgeFrame& f) {
  return {CodeValue(f.code), f.itemID, f.occurrenceDate, Q(f.action), Q(f.key), Q(f.record)};
}

const BridgeFrame kFrames[] = {
    {BridgeCode::kTask, "Read\t9/12/2026\tnot done\t\n", kActionSave, 42, 20000, ""},
    {BridgeCode::kIdEcho, "Lunch*17*", kActionSave, 17, 0, "k-7f3a.ics"},
    {static_cast<BridgeCode>(0), "", kActionPass, 0, 0, ""},
    {BridgeCode::kCalendarChange1, std::string("with\0nul and \xC3\xA9", 16), kActionFromCalendar,
     0xFFFFFFFFu, 32767, std::string(kMaxFrameKey, 'k')},
    {BridgeCode::kAppointment, std::string(kMaxFrameRecord, 'r'), kActionChange, 1, 1,
     std::string()},
};

class FrameBothWays : public ::testing::TestWithParam<BridgeFrame> {};

TEST_P(FrameBothWays, CoreWritesWhatTheCompanionReadsAndBack) {
  const BridgeFrame& frame = GetParam();
  const std::string bytes = EncodeFrame(frame);
  EXPECT_EQ(Q(bytes), calendar::EncodeWireFrame(WireOf(frame)));

  WireFrameReader companion;
  companion.Feed(Q(bytes));
  const auto read = companion.Next();
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, WireOf(frame));
  EXPECT_FALSE(companion.Next().has_value());

  FrameDecoder core;
  core.Feed(S(calendar::EncodeWireFrame(*read)));
  const auto back = core.Next();
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, frame);
}

INSTANTIATE_TEST_SUITE_P(Frames, FrameBothWays, ::testing::ValuesIn(kFrames));

TEST(FrameReading, FramesArriveInPiecesOfAnySize) {
  std::string stream;
  for (const BridgeFrame& f : kFrames) {
    if (f.record.size() < 1000) stream += EncodeFrame(f);
  }
  for (const size_t piece : {size_t{1}, size_t{3}, size_t{7}, size_t{64}}) {
    FrameDecoder core;
    WireFrameReader companion;
    std::vector<BridgeFrame> coreFrames;
    std::vector<WireFrame> companionFrames;
    for (size_t at = 0; at < stream.size(); at += piece) {
      const std::string part = stream.substr(at, piece);
      core.Feed(part);
      companion.Feed(Q(part));
      while (auto f = core.Next()) coreFrames.push_back(*f);
      while (auto f = companion.Next()) companionFrames.push_back(*f);
    }
    ASSERT_EQ(coreFrames.size(), 4u) << "pieces of " << piece;
    ASSERT_EQ(companionFrames.size(), 4u);
    EXPECT_EQ(coreFrames[1], kFrames[1]);
    EXPECT_EQ(companionFrames[3], WireOf(kFrames[3]));
    EXPECT_FALSE(core.Refused());
    EXPECT_FALSE(companion.Refused());
  }
}

// A frame whose length field at `offset` says `length`.
std::string WithLength(size_t offset, uint32_t length) {
  std::string bytes = EncodeFrame({BridgeCode::kTask, "", "", 0, 0, ""});
  for (int i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<char>((length >> (24 - 8 * i)) & 0xFF);
  return bytes;
}

struct BadStream {
  const char* name;
  std::string bytes;
  const char* reason;
};

void PrintTo(const BadStream& c, std::ostream* os) { *os << c.name; }

class BadFrames : public ::testing::TestWithParam<BadStream> {};

TEST_P(BadFrames, AreRefusedWithTheirReasonAndNothingAfterIsRead) {
  const BadStream& bad = GetParam();
  const std::string good = EncodeFrame({BridgeCode::kTask, "x", kActionSave, 1, 1, ""});
  FrameDecoder core;
  core.Feed(bad.bytes);
  core.Feed(good);
  EXPECT_FALSE(core.Next().has_value());
  EXPECT_EQ(core.Refusal(), bad.reason);
  EXPECT_FALSE(core.Next().has_value());

  WireFrameReader companion;
  companion.Feed(Q(bad.bytes));
  companion.Feed(Q(good));
  EXPECT_FALSE(companion.Next().has_value());
  EXPECT_EQ(companion.Refusal().toStdString(), bad.reason);
  EXPECT_FALSE(companion.Next().has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Streams, BadFrames,
    ::testing::Values(
        BadStream{"WrongMagic", "GET / HTTP/1.1\r\n\r\n", "bad magic"},
        // The magic alone is enough to tell: two wrong bytes are refused before the rest comes.
        BadStream{"WrongFirstBytes", "PX", "bad magic"},
        BadStream{"LongAction", WithLength(16, 65), "action longer than 64 bytes"},
        BadStream{"LongKey", WithLength(20, 257), "key longer than 256 bytes"},
        BadStream{"LongRecord", WithLength(24, (1u << 20) + 1), "record longer than 1048576 bytes"},
        BadStream{"AbsurdRecord", WithLength(24, 0xFFFFFFFFu), "record longer than 1048576 bytes"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FrameReading, AnOversizedLengthIsRefusedBeforeItsBytesArrive) {
  // Only the header and the length: a reader that waited for the bytes would hold the
  // connection (and memory) for a record it will never take.
  FrameDecoder core;
  core.Feed(WithLength(24, 50u << 20).substr(0, 28));
  EXPECT_FALSE(core.Next().has_value());
  EXPECT_TRUE(core.Refused());
}

TEST(FrameReading, CoreRefusesAnOccurrenceDateNoDayNumberHolds) {
  WireFrame frame;
  frame.occurrenceDate = 40000;
  FrameDecoder core;
  core.Feed(S(calendar::EncodeWireFrame(frame)));
  EXPECT_FALSE(core.Next().has_value());
  EXPECT_EQ(core.Refusal(), "occurrence date 40000 out of range");
}

}  // namespace
}  // namespace ploven::test
