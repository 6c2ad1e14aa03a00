#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "store/act_handle.h"
#include "store/handle_pool.h"

namespace ploven {

// The order of all flexible items by tier and rank.
// A rank past every entry of a tier: the end of that tier.
inline constexpr int kEndOfTierRank = 32767;
// Ranks are 16-bit, and kEndOfTierRank is kept free to mean "the end".
inline constexpr int kMaxTierEntries = kEndOfTierRank - 1;

// Stable handle of an entry (what Act::pitem holds); 0 is none.
using PriorityEntryHandle = uint32_t;
inline constexpr PriorityEntryHandle kNoPriorityEntry = 0;

// Expected return per hour of an item: return × 60 ÷ minutes, where 0 minutes
// counts as 1. A return that is not a number counts as none, so that it can be ordered.
inline float ReturnPerHour(float expectedReturn, int duration) {
  if (std::isnan(expectedReturn)) return 0;
  return static_cast<float>(static_cast<double>(expectedReturn) * 60.0 /
                            static_cast<double>(duration == 0 ? 1 : duration));
}

struct PriorityEntry {
  ActHandle item = kNoAct;
  float returnPerHour = 0;
  uint8_t tier = 0;  // a letter, 'A' the most important; 0 on schedules from before tiers
  int16_t rank = 0;  // 1 upward within the tier
};

// All flexible items in priority order: by tier letter, and within a tier by
// rank, the ranks of each tier always numbered 1, 2, 3 ... in index order.
// Entries are a doubly linked list in a handle table; each tier remembers its
// first and last entry and its size, so finding a rank walks at most half the
// tier and renumbering after a change walks only the rest of that tier.
class PriorityIndex {
 public:
  // Told of every item whose rank moved from one non-zero value to another.
  using RankChanged = std::function<void(ActHandle item)>;

  struct Ref {
    PriorityEntryHandle handle;
    const PriorityEntry& entry;
  };

  class Iterator {
   public:
    Iterator(const PriorityIndex* index, PriorityEntryHandle at) : m_index(index), m_at(at) {}
    Ref operator*() const { return {m_at, *m_index->Find(m_at)}; }
    Iterator& operator++() {
      m_at = m_index->Next(m_at);
      return *this;
    }
    bool operator==(const Iterator& o) const { return m_at == o.m_at; }

   private:
    const PriorityIndex* m_index;
    PriorityEntryHandle m_at;
  };

  // ---- Settings ----
  bool expectedReturnsActive() const { return m_expectedReturnsActive; }
  void SetExpectedReturnsActive(bool on) { m_expectedReturnsActive = on; }
  // The Hourly Rate as the rules read it: 0 (unset) or less is 100.
  int32_t hourlyRate() const { return m_hourlyRate <= 0 ? 100 : m_hourlyRate; }
  int32_t storedHourlyRate() const { return m_hourlyRate; }
  void SetHourlyRate(int32_t rate) { m_hourlyRate = rate; }

  // ---- Reading ----
  size_t Count() const { return m_count; }
  bool Empty() const { return m_count == 0; }
  int TierCount(uint8_t tier) const { return m_tiers[tier].count; }
  PriorityEntryHandle First() const { return m_first; }
  PriorityEntryHandle Last() const { return m_last; }
  PriorityEntryHandle Next(PriorityEntryHandle h) const;
  PriorityEntryHandle Prev(PriorityEntryHandle h) const;
  Iterator begin() const { return {this, m_first}; }
  Iterator end() const { return {this, kNoPriorityEntry}; }

  // Null for 0, a stale handle, or an entry that is not in the index.
  const PriorityEntry* Find(PriorityEntryHandle h) const;
  PriorityEntryHandle EntryOf(ActHandle item) const;
  // The entry that holds `rank` of `tier`, or none.
  PriorityEntryHandle EntryAt(uint8_t tier, int rank) const;
  // The item ranked just before this one (a Sequenced item follows it), or none.
  PriorityEntryHandle Predecessor(PriorityEntryHandle h) const { return Prev(h); }
  ActHandle ItemRankedBefore(ActHandle item) const;

  // ---- Changing ----
  // Enters `item` at `rank` of `tier` (before the entry now holding that rank;
  // past the tier's end, at its end). None when the item has an entry already,
  // the tier is full or the table is.
  PriorityEntryHandle Insert(ActHandle item, uint8_t tier, int rank, float returnPerHour,
                             const RankChanged& changed = {});
  // Takes the entry out and frees it. Returns the entry that moved up into its
  // place (the next one of the same tier), or none.
  PriorityEntryHandle Erase(PriorityEntryHandle h, const RankChanged& changed = {});
  // Moves an entry to `rank` of `tier` as Insert places a new one. False (and
  // nothing moved) for an unknown entry or a full tier.
  bool MoveTo(PriorityEntryHandle h, uint8_t tier, int rank, const RankChanged& changed = {});
  void SetReturnPerHour(PriorityEntryHandle h, float returnPerHour);
  // Orders one tier by descending return per hour, equal returns keeping their
  // order. True when anything moved.
  bool SortTierByReturn(uint8_t tier, const RankChanged& changed = {});
  // Numbers every tier 1, 2, 3 ... in index order.
  void RenumberRanks(const RankChanged& changed = {});
  void Clear();

 private:
  struct Node {
    PriorityEntry e;
    PriorityEntryHandle prev = kNoPriorityEntry;
    PriorityEntryHandle next = kNoPriorityEntry;
    bool linked = false;
  };
  struct Tier {
    PriorityEntryHandle first = kNoPriorityEntry;
    PriorityEntryHandle last = kNoPriorityEntry;
    int count = 0;
  };

  Node* NodeOf(PriorityEntryHandle h) { return m_nodes.Find(h); }
  const Node* NodeOf(PriorityEntryHandle h) const { return m_nodes.Find(h); }
  // The entry after which a new entry of `tier` at `rank` goes; none for the very front.
  PriorityEntryHandle PlaceFor(uint8_t tier, int rank) const;
  void LinkAfter(PriorityEntryHandle after, PriorityEntryHandle h);
  void Unlink(PriorityEntryHandle h);
  // Renumbers from `h` to the end of its tier, or up to `stopBefore`.
  void RenumberFrom(PriorityEntryHandle h, const RankChanged& changed);
  void RenumberRange(PriorityEntryHandle from, PriorityEntryHandle stopBefore,
                     const RankChanged& changed);

  HandlePool<Node> m_nodes;
  std::unordered_map<ActHandle, PriorityEntryHandle> m_byItem;
  std::array<Tier, 256> m_tiers{};
  PriorityEntryHandle m_first = kNoPriorityEntry;
  PriorityEntryHandle m_last = kNoPriorityEntry;
  size_t m_count = 0;
  bool m_expectedReturnsActive = false;
  int32_t m_hourlyRate = 0;
};

}  // namespace ploven
