#include "bridge/bridge_frame.h"

#include <cstring>
#include <limits>

namespace ploven {

namespace {

void PutU32(std::string& out, uint32_t v) {
  out += static_cast<char>((v >> 24) & 0xFF);
  out += static_cast<char>((v >> 16) & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
  out += static_cast<char>(v & 0xFF);
}

uint32_t GetU32(std::string_view in, size_t at) {
  const auto b = [&](size_t i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(in[at + i]));
  };
  return (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3);
}

void PutField(std::string& out, std::string_view field) {
  PutU32(out, static_cast<uint32_t>(field.size()));
  out += field;
}

struct FieldRule {
  const char* name;
  size_t limit;
};
constexpr FieldRule kFields[] = {
    {"action", kMaxFrameAction}, {"key", kMaxFrameKey}, {"record", kMaxFrameRecord}};

}  // namespace

std::string EncodeFrame(const BridgeFrame& frame) {
  std::string out;
  out.reserve(kFrameHeaderSize + 12 + frame.action.size() + frame.key.size() + frame.record.size());
  out.append(kFrameMagic, 4);
  PutU32(out, CodeValue(frame.code));
  PutU32(out, frame.itemID);
  PutU32(out, static_cast<uint32_t>(static_cast<int32_t>(frame.occurrenceDate)));
  PutField(out, frame.action);
  PutField(out, frame.key);
  PutField(out, frame.record);
  return out;
}

void FrameDecoder::Feed(std::string_view bytes) {
  if (Refused()) return;
  m_buffer.append(bytes);
}

std::optional<BridgeFrame> FrameDecoder::Next() {
  if (Refused()) return std::nullopt;
  // The magic is checked as soon as it is there, so a stranger talking is refused at once.
  const size_t magicHave = std::min<size_t>(m_buffer.size(), 4);
  if (std::memcmp(m_buffer.data(), kFrameMagic, magicHave) != 0) {
    m_refusal = "bad magic";
    m_buffer.clear();
    return std::nullopt;
  }
  if (m_buffer.size() < kFrameHeaderSize) return std::nullopt;
  size_t at = kFrameHeaderSize;
  std::string_view fields[3];
  for (int i = 0; i < 3; ++i) {
    if (m_buffer.size() < at + 4) return std::nullopt;
    const uint32_t length = GetU32(m_buffer, at);
    if (length > kFields[i].limit) {
      m_refusal = std::string(kFields[i].name) + " longer than " +
                  std::to_string(kFields[i].limit) + " bytes";
      m_buffer.clear();
      return std::nullopt;
    }
    at += 4;
    if (m_buffer.size() < at + length) return std::nullopt;
    fields[i] = std::string_view(m_buffer).substr(at, length);
    at += length;
  }
  const uint32_t date = GetU32(m_buffer, 12);
  if (date > static_cast<uint32_t>(std::numeric_limits<DayNumber>::max())) {
    m_refusal = "occurrence date " + std::to_string(date) + " out of range";
    m_buffer.clear();
    return std::nullopt;
  }
  BridgeFrame frame;
  frame.code = static_cast<BridgeCode>(GetU32(m_buffer, 4));
  frame.itemID = GetU32(m_buffer, 8);
  frame.occurrenceDate = static_cast<DayNumber>(date);
  frame.action = std::string(fields[0]);
  frame.key = std::string(fields[1]);
  frame.record = std::string(fields[2]);
  m_buffer.erase(0, at);
  return frame;
}

}  // namespace ploven
