#include "plugin/frame_codec.h"

#include <QtEndian>
#include <cstring>
#include <limits>

namespace ploven::calendar {

namespace {

void PutU32(QByteArray& out, uint32_t value) {
  char bytes[4];
  qToBigEndian(value, bytes);
  out.append(bytes, 4);
}

uint32_t GetU32(const QByteArray& in, qsizetype at) {
  return qFromBigEndian<uint32_t>(in.constData() + at);
}

void PutField(QByteArray& out, const QByteArray& field) {
  PutU32(out, static_cast<uint32_t>(field.size()));
  out.append(field);
}

struct FieldRule {
  const char* name;
  uint32_t limit;
};
constexpr FieldRule kFields[] = {
    {"action", kWireMaxAction}, {"key", kWireMaxKey}, {"record", kWireMaxRecord}};

}  // namespace

QByteArray EncodeWireFrame(const WireFrame& frame) {
  QByteArray out;
  out.reserve(kWireHeaderSize + 12 + frame.action.size() + frame.key.size() + frame.record.size());
  out.append(kWireMagic, 4);
  PutU32(out, frame.code);
  PutU32(out, frame.itemID);
  PutU32(out, static_cast<uint32_t>(frame.occurrenceDate));
  PutField(out, frame.action);
  PutField(out, frame.key);
  PutField(out, frame.record);
  return out;
}

void WireFrameReader::Feed(const QByteArray& bytes) {
  if (!Refused()) m_buffer.append(bytes);
}

std::optional<WireFrame> WireFrameReader::Next() {
  if (Refused()) return std::nullopt;
  // A stranger talking is refused as soon as its first bytes are in.
  const qsizetype magicHave = std::min<qsizetype>(m_buffer.size(), 4);
  if (std::memcmp(m_buffer.constData(), kWireMagic, static_cast<size_t>(magicHave)) != 0) {
    m_refusal = QStringLiteral("bad magic");
    m_buffer.clear();
    return std::nullopt;
  }
  if (m_buffer.size() < kWireHeaderSize) return std::nullopt;
  qsizetype at = kWireHeaderSize;
  QByteArray fields[3];
  for (int i = 0; i < 3; ++i) {
    if (m_buffer.size() < at + 4) return std::nullopt;
    const uint32_t length = GetU32(m_buffer, at);
    if (length > kFields[i].limit) {
      m_refusal = QStringLiteral("%1 longer than %2 bytes")
                      .arg(QLatin1String(kFields[i].name))
                      .arg(kFields[i].limit);
      m_buffer.clear();
      return std::nullopt;
    }
    at += 4;
    if (m_buffer.size() < at + static_cast<qsizetype>(length)) return std::nullopt;
    fields[i] = m_buffer.mid(at, length);
    at += length;
  }
  const uint32_t date = GetU32(m_buffer, 12);
  if (date > static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) {
    m_refusal = QStringLiteral("occurrence date %1 out of range").arg(date);
    m_buffer.clear();
    return std::nullopt;
  }
  WireFrame frame;
  frame.code = GetU32(m_buffer, 4);
  frame.itemID = GetU32(m_buffer, 8);
  frame.occurrenceDate = static_cast<int32_t>(date);
  frame.action = fields[0];
  frame.key = fields[1];
  frame.record = fields[2];
  m_buffer.remove(0, at);
  return frame;
}

}  // namespace ploven::calendar
