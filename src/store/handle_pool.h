#pragma once

#include <cstdint>
#include <optional>
#include <deque>
#include <vector>

namespace ploven {

// Stable 32-bit handles into a table of records: the low 20 bits are the slot
// plus one (so 0 is never a handle), the high 12 bits the slot's generation,
// which changes when the slot is freed. A handle to a freed record is stale
// and is recognised as such instead of reaching whatever took the slot.
template <typename T>
class HandlePool {
 public:
  static constexpr uint32_t kSlotBits = 20;
  static constexpr uint32_t kSlotMask = (1u << kSlotBits) - 1;
  static constexpr uint32_t kMaxSlots = kSlotMask;  // slot + 1 must fit

  // Returns 0 when the table is full (the caller's out-of-memory case).
  uint32_t Allocate(T value) {
    uint32_t slot;
    if (!m_free.empty()) {
      slot = m_free.back();
      m_free.pop_back();
    } else {
      if (m_slots.size() >= kMaxSlots) return 0;
      slot = static_cast<uint32_t>(m_slots.size());
      m_slots.emplace_back();
    }
    Slot& s = m_slots[slot];
    s.value = std::move(value);
    ++m_live;
    return (static_cast<uint32_t>(s.generation) << kSlotBits) | (slot + 1);
  }

  // Null for 0, a stale handle, or one that was never given out.
  T* Find(uint32_t handle) {
    Slot* s = SlotOf(handle);
    return s != nullptr && s->value ? &*s->value : nullptr;
  }
  const T* Find(uint32_t handle) const { return const_cast<HandlePool*>(this)->Find(handle); }

  bool Free(uint32_t handle) {
    Slot* s = SlotOf(handle);
    if (s == nullptr || !s->value) return false;
    s->value.reset();
    s->generation = static_cast<uint16_t>((s->generation + 1) & 0xFFF);
    m_free.push_back((handle & kSlotMask) - 1);
    --m_live;
    return true;
  }

  size_t LiveCount() const { return m_live; }

 private:
  struct Slot {
    std::optional<T> value;
    uint16_t generation = 0;
  };

  Slot* SlotOf(uint32_t handle) {
    const uint32_t slot1 = handle & kSlotMask;
    if (slot1 == 0 || slot1 > m_slots.size()) return nullptr;
    Slot& s = m_slots[slot1 - 1];
    if (s.generation != (handle >> kSlotBits)) return nullptr;
    return &s;
  }

  std::deque<Slot> m_slots;  // a deque keeps records in place as the table grows
  std::vector<uint32_t> m_free;
  size_t m_live = 0;
};

}  // namespace ploven
