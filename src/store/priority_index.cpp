#include "store/priority_index.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace ploven {

PriorityEntryHandle PriorityIndex::Next(PriorityEntryHandle h) const {
  const Node* n = NodeOf(h);
  return n != nullptr ? n->next : kNoPriorityEntry;
}

PriorityEntryHandle PriorityIndex::Prev(PriorityEntryHandle h) const {
  const Node* n = NodeOf(h);
  return n != nullptr ? n->prev : kNoPriorityEntry;
}

const PriorityEntry* PriorityIndex::Find(PriorityEntryHandle h) const {
  const Node* n = NodeOf(h);
  return n != nullptr && n->linked ? &n->e : nullptr;
}

PriorityEntryHandle PriorityIndex::EntryOf(ActHandle item) const {
  const auto it = m_byItem.find(item);
  return it != m_byItem.end() ? it->second : kNoPriorityEntry;
}

PriorityEntryHandle PriorityIndex::EntryAt(uint8_t tier, int rank) const {
  // By position, so it also holds while a move has left a gap in the numbers.
  const Tier& t = m_tiers[tier];
  if (rank < 1 || rank > t.count) return kNoPriorityEntry;
  PriorityEntryHandle h;
  if (rank <= (t.count + 1) / 2) {
    h = t.first;
    for (int i = 1; i < rank; ++i) h = NodeOf(h)->next;
  } else {
    h = t.last;
    for (int i = t.count; i > rank; --i) h = NodeOf(h)->prev;
  }
  return h;
}

ActHandle PriorityIndex::ItemRankedBefore(ActHandle item) const {
  const Node* before = NodeOf(Prev(EntryOf(item)));
  return before != nullptr ? before->e.item : kNoAct;
}

PriorityEntryHandle PriorityIndex::PlaceFor(uint8_t tier, int rank) const {
  const Tier& t = m_tiers[tier];
  if (t.count > 0) {
    if (rank > t.count) return t.last;
    if (rank <= 1) return NodeOf(t.first)->prev;
    return NodeOf(EntryAt(tier, rank))->prev;
  }
  // An empty tier starts after the last entry of the nearest earlier tier.
  for (int k = static_cast<int>(tier) - 1; k >= 0; --k)
    if (m_tiers[k].count > 0) return m_tiers[k].last;
  return kNoPriorityEntry;
}

void PriorityIndex::LinkAfter(PriorityEntryHandle after, PriorityEntryHandle h) {
  Node& n = *NodeOf(h);
  n.prev = after;
  n.next = after != kNoPriorityEntry ? NodeOf(after)->next : m_first;
  if (n.prev != kNoPriorityEntry)
    NodeOf(n.prev)->next = h;
  else
    m_first = h;
  if (n.next != kNoPriorityEntry)
    NodeOf(n.next)->prev = h;
  else
    m_last = h;
  n.linked = true;

  Tier& t = m_tiers[n.e.tier];
  if (t.count == 0) {
    t.first = t.last = h;
  } else {
    if (n.next == t.first) t.first = h;
    if (after == t.last) t.last = h;
  }
  ++t.count;
  ++m_count;
}

void PriorityIndex::Unlink(PriorityEntryHandle h) {
  Node& n = *NodeOf(h);
  Tier& t = m_tiers[n.e.tier];
  if (t.first == h) t.first = t.count > 1 ? n.next : kNoPriorityEntry;
  if (t.last == h) t.last = t.count > 1 ? n.prev : kNoPriorityEntry;
  --t.count;
  if (n.prev != kNoPriorityEntry)
    NodeOf(n.prev)->next = n.next;
  else
    m_first = n.next;
  if (n.next != kNoPriorityEntry)
    NodeOf(n.next)->prev = n.prev;
  else
    m_last = n.prev;
  n.prev = n.next = kNoPriorityEntry;
  n.linked = false;
  --m_count;
}

void PriorityIndex::RenumberFrom(PriorityEntryHandle h, const RankChanged& changed) {
  RenumberRange(h, kNoPriorityEntry, changed);
}

void PriorityIndex::RenumberRange(PriorityEntryHandle from, PriorityEntryHandle stopBefore,
                                  const RankChanged& changed) {
  Node* n = NodeOf(from);
  if (n == nullptr) return;
  const uint8_t tier = n->e.tier;
  const Node* before = NodeOf(n->prev);
  int rank = before != nullptr && before->e.tier == tier ? before->e.rank + 1 : 1;
  for (PriorityEntryHandle h = from; h != kNoPriorityEntry && h != stopBefore; h = n->next) {
    n = NodeOf(h);
    if (n->e.tier != tier) break;
    const auto r = static_cast<int16_t>(rank++);
    if (n->e.rank != r) {
      const bool repaint = n->e.rank != 0;
      n->e.rank = r;
      if (repaint && changed) changed(n->e.item);
    }
  }
}

PriorityEntryHandle PriorityIndex::Insert(ActHandle item, uint8_t tier, int rank,
                                          float returnPerHour, const RankChanged& changed) {
  if (item == kNoAct || m_byItem.contains(item)) return kNoPriorityEntry;
  if (m_tiers[tier].count >= kMaxTierEntries) return kNoPriorityEntry;
  const PriorityEntryHandle after = PlaceFor(tier, rank);
  // Rank 0 until numbered: a new entry is no change to repaint.
  const PriorityEntryHandle h = m_nodes.Allocate(Node{{item, returnPerHour, tier, 0}});
  if (h == kNoPriorityEntry) return kNoPriorityEntry;
  LinkAfter(after, h);
  m_byItem.emplace(item, h);
  RenumberFrom(h, changed);
  return h;
}

PriorityEntryHandle PriorityIndex::Erase(PriorityEntryHandle h, const RankChanged& changed) {
  Node* n = NodeOf(h);
  if (n == nullptr) return kNoPriorityEntry;
  PriorityEntryHandle up = n->next;
  if (up != kNoPriorityEntry && NodeOf(up)->e.tier != n->e.tier) up = kNoPriorityEntry;
  m_byItem.erase(n->e.item);
  Unlink(h);
  m_nodes.Free(h);
  RenumberFrom(up, changed);
  return up;
}

bool PriorityIndex::MoveTo(PriorityEntryHandle h, uint8_t tier, int rank,
                           const RankChanged& changed) {
  Node* n = NodeOf(h);
  if (n == nullptr) return false;
  const uint8_t oldTier = n->e.tier;
  if (tier != oldTier && m_tiers[tier].count >= kMaxTierEntries) return false;
  const int oldRank = n->e.rank;
  PriorityEntryHandle oldNext = n->next;
  if (oldNext != kNoPriorityEntry && NodeOf(oldNext)->e.tier != oldTier) oldNext = kNoPriorityEntry;

  Unlink(h);
  n->e.tier = tier;
  LinkAfter(PlaceFor(tier, rank), h);

  if (tier != oldTier) {
    RenumberFrom(oldNext, changed);
    RenumberFrom(h, changed);
    return true;
  }
  // Within one tier only the stretch between the old and the new place changes.
  const int newRank = std::clamp(rank, 1, m_tiers[tier].count);
  if (newRank <= oldRank) {
    RenumberRange(h, oldNext, changed);
  } else {
    RenumberRange(oldNext, n->next, changed);
  }
  return true;
}

void PriorityIndex::SetReturnPerHour(PriorityEntryHandle h, float returnPerHour) {
  if (Node* n = NodeOf(h)) n->e.returnPerHour = returnPerHour;
}

bool PriorityIndex::SortTierByReturn(uint8_t tier, const RankChanged& changed) {
  const Tier& t = m_tiers[tier];
  if (t.count < 2) return false;
  std::vector<std::pair<float, PriorityEntryHandle>> order;
  order.reserve(static_cast<size_t>(t.count));
  for (PriorityEntryHandle h = t.first;; h = NodeOf(h)->next) {
    const float r = NodeOf(h)->e.returnPerHour;
    // A return that is not a number would break the ordering: it counts as none.
    order.emplace_back(std::isnan(r) ? 0.0f : r, h);
    if (h == t.last) break;
  }
  std::vector<std::pair<float, PriorityEntryHandle>> sorted = order;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  if (sorted == order) return false;

  const PriorityEntryHandle before = NodeOf(t.first)->prev;
  const PriorityEntryHandle after = NodeOf(t.last)->next;
  for (size_t i = 0; i < sorted.size(); ++i) {
    Node& n = *NodeOf(sorted[i].second);
    n.prev = i == 0 ? before : sorted[i - 1].second;
    n.next = i + 1 == sorted.size() ? after : sorted[i + 1].second;
  }
  const PriorityEntryHandle first = sorted.front().second;
  const PriorityEntryHandle last = sorted.back().second;
  if (before != kNoPriorityEntry)
    NodeOf(before)->next = first;
  else
    m_first = first;
  if (after != kNoPriorityEntry)
    NodeOf(after)->prev = last;
  else
    m_last = last;
  m_tiers[tier].first = first;
  m_tiers[tier].last = last;
  RenumberFrom(first, changed);
  return true;
}

void PriorityIndex::RenumberRanks(const RankChanged& changed) {
  int rank = 0;
  int tier = -1;
  for (PriorityEntryHandle h = m_first; h != kNoPriorityEntry;) {
    Node& n = *NodeOf(h);
    if (n.e.tier != tier) {
      tier = n.e.tier;
      rank = 0;
    }
    const auto r = static_cast<int16_t>(++rank);
    if (n.e.rank != r) {
      const bool repaint = n.e.rank != 0;
      n.e.rank = r;
      if (repaint && changed) changed(n.e.item);
    }
    h = n.next;
  }
}

void PriorityIndex::Clear() {
  m_nodes = {};
  m_byItem.clear();
  m_tiers = {};
  m_first = m_last = kNoPriorityEntry;
  m_count = 0;
}

}  // namespace ploven
