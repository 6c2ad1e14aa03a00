#include <algorithm>

#include "file/schedule_format.h"

namespace ploven {

void ScrambleUnit(std::span<uint8_t> unit) {
  for (size_t p = 0; p < unit.size(); ++p)
    unit[p] ^= static_cast<uint8_t>((p & 0xFF) ^ kFileKey ^ kMaskConstant);
}

int16_t HeaderChecksum(std::span<const uint8_t> header) {
  uint32_t sum = 0;
  for (size_t i = 0; i < 165 && i < header.size(); ++i)
    sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(header[i])));
  return static_cast<int16_t>(static_cast<uint16_t>(sum & 0xFFFF));
}

std::string ScrambleTitle(std::string_view title, uint32_t key) {
  std::string out(title);
  for (size_t i = 0; i < out.size(); ++i) {
    const auto keyByte = static_cast<uint8_t>(key >> (8 * (i % 4)));
    int c = static_cast<int8_t>(static_cast<uint8_t>(out[i]) | keyByte);
    if (c < 0) c = 0;
    if (c < 32) c += 32;
    if (c == 127) c = 126;
    out[i] = static_cast<char>(c);
  }
  // Whole groups of four swap their two pairs; a short last group stays as it is.
  for (size_t g = 0; g + 4 <= out.size(); g += 4) {
    std::swap(out[g], out[g + 2]);
    std::swap(out[g + 1], out[g + 3]);
  }
  std::reverse(out.begin(), out.end());
  return out;
}

}  // namespace ploven
