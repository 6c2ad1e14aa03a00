#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "bridge/bridge_link.h"

namespace ploven {

// A frame on the companion's socket: the magic, the code, the item's number, the occurrence
// date, then the action, the key and the record, each as a length and its bytes. Integers are
// unsigned 32-bit big-endian.
inline constexpr char kFrameMagic[] = "PLV1";
inline constexpr size_t kFrameHeaderSize = 16;  // magic, code, itemID, occurrenceDate
inline constexpr size_t kMaxFrameAction = 64;
inline constexpr size_t kMaxFrameKey = 256;
inline constexpr size_t kMaxFrameRecord = size_t{1} << 20;

// The bytes of one frame. Fields over their limits are not cut: the reader refuses the frame.
std::string EncodeFrame(const BridgeFrame& frame);

// Reads frames out of a stream that arrives in pieces of any size. After a refusal it reads
// nothing more: the connection is to be closed.
class FrameDecoder {
 public:
  void Feed(std::string_view bytes);
  // The next whole frame, or none when more bytes are needed or the stream was refused.
  std::optional<BridgeFrame> Next();
  bool Refused() const { return !m_refusal.empty(); }
  // Why the stream was refused ("bad magic", "record longer than 1048576 bytes" ...).
  const std::string& Refusal() const { return m_refusal; }

 private:
  std::string m_buffer;
  std::string m_refusal;
};

}  // namespace ploven
