#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace ploven::calendar {

// One frame on the socket, either way: the code, the item's number and occurrence date, the
// action, the key and the record (the layout is in docs/design/bridge.md).
struct WireFrame {
  uint32_t code = 0;
  uint32_t itemID = 0;
  int32_t occurrenceDate = 0;
  QByteArray action;
  QByteArray key;
  QByteArray record;
  bool operator==(const WireFrame&) const = default;
};

inline constexpr char kWireMagic[] = "PLV1";
inline constexpr qsizetype kWireHeaderSize = 16;
inline constexpr uint32_t kWireMaxAction = 64;
inline constexpr uint32_t kWireMaxKey = 256;
inline constexpr uint32_t kWireMaxRecord = 1u << 20;

QByteArray EncodeWireFrame(const WireFrame& frame);

// Takes the bytes of a connection as they come and hands out whole frames. A bad magic or a
// field over its limit refuses the stream for good: the connection is to be closed.
class WireFrameReader {
 public:
  void Feed(const QByteArray& bytes);
  std::optional<WireFrame> Next();
  bool Refused() const { return !m_refusal.isEmpty(); }
  const QString& Refusal() const { return m_refusal; }

 private:
  QByteArray m_buffer;
  QString m_refusal;
};

}  // namespace ploven::calendar
