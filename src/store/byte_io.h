#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

namespace ploven {

// Little-endian reads and writes at a byte offset, for records with a fixed layout.
template <typename T>
void PutLE(std::span<uint8_t> out, size_t offset, T value) {
  static_assert(std::is_arithmetic_v<T>);
  using U = std::make_unsigned_t<std::conditional_t<
      std::is_floating_point_v<T>, std::conditional_t<sizeof(T) == 4, int32_t, int64_t>, T>>;
  U bits = std::bit_cast<U>(value);
  for (size_t i = 0; i < sizeof(T); ++i) out[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

template <typename T>
T GetLE(std::span<const uint8_t> in, size_t offset) {
  static_assert(std::is_arithmetic_v<T>);
  using U = std::make_unsigned_t<std::conditional_t<
      std::is_floating_point_v<T>, std::conditional_t<sizeof(T) == 4, int32_t, int64_t>, T>>;
  U bits = 0;
  for (size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<U>(static_cast<U>(in[offset + i]) << (8 * i));
  return std::bit_cast<T>(bits);
}

template <size_t N>
void PutBytes(std::span<uint8_t> out, size_t offset, const std::array<uint8_t, N>& bytes) {
  std::memcpy(out.data() + offset, bytes.data(), N);
}

template <size_t N>
std::array<uint8_t, N> GetBytes(std::span<const uint8_t> in, size_t offset) {
  std::array<uint8_t, N> bytes{};
  std::memcpy(bytes.data(), in.data() + offset, N);
  return bytes;
}

}  // namespace ploven
