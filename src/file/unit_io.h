#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "file/schedule_format.h"
#include "store/byte_io.h"

namespace ploven {

// Builds a schedule file in memory, one scrambled unit at a time.
class UnitWriter {
 public:
  explicit UnitWriter(bool scramble) : m_scramble(scramble) {}

  void Plain(std::span<const uint8_t> bytes) { m_out.insert(m_out.end(), bytes.begin(), bytes.end()); }

  void Unit(std::span<const uint8_t> bytes) {
    const size_t at = m_out.size();
    Plain(bytes);
    if (m_scramble) ScrambleUnit(std::span<uint8_t>(m_out).subspan(at, bytes.size()));
  }
  void Unit(std::string_view text) {
    Unit(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  }
  template <typename T>
  void Value(T value) {
    uint8_t bytes[sizeof(T)];
    PutLE<T>(bytes, 0, value);
    Unit(bytes);
  }

  void Reserve(size_t n) { m_out.reserve(n); }
  std::vector<uint8_t>& bytes() { return m_out; }

 private:
  std::vector<uint8_t> m_out;
  bool m_scramble;
};

// Reads the units of a schedule file back; every read fails once the bytes run out.
class UnitReader {
 public:
  explicit UnitReader(std::span<const uint8_t> bytes) : m_in(bytes) {}

  void SetScrambled(bool on) { m_scramble = on; }
  size_t remaining() const { return m_in.size() - m_pos; }

  [[nodiscard]] bool Unit(std::span<uint8_t> out) {
    if (remaining() < out.size()) return false;
    std::memcpy(out.data(), m_in.data() + m_pos, out.size());
    m_pos += out.size();
    if (m_scramble) ScrambleUnit(out);
    return true;
  }
  [[nodiscard]] bool Text(size_t length, std::string& out) {
    if (remaining() < length) return false;
    out.assign(reinterpret_cast<const char*>(m_in.data() + m_pos), length);
    m_pos += length;
    if (m_scramble)
      ScrambleUnit(std::span<uint8_t>(reinterpret_cast<uint8_t*>(out.data()), out.size()));
    return true;
  }
  template <typename T>
  [[nodiscard]] bool Value(T& out) {
    uint8_t bytes[sizeof(T)];
    if (!Unit(bytes)) return false;
    out = GetLE<T>(bytes, 0);
    return true;
  }
  [[nodiscard]] bool Skip(size_t n) {
    if (remaining() < n) return false;
    m_pos += n;
    return true;
  }

 private:
  std::span<const uint8_t> m_in;
  size_t m_pos = 0;
  bool m_scramble = false;
};

}  // namespace ploven
