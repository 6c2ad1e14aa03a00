#include <algorithm>
#include <string>

#include "platform/format.h"
#include "store/priority_messages.h"
#include "store/schedule.h"

namespace ploven {

namespace p = priority_text;

namespace {

constexpr uint32_t kFlexibleAndSequenced = AF_FLEXIBLE | AF_SEQUENCED;

// Items whose rank moved are repainted wherever they show.
PriorityIndex::RankChanged Repaint(ScheduleHooks& hooks) {
  return [&hooks](ActHandle item) { hooks.ItemChanged(item); };
}

// The tier letter goes in as text, so that an entry from before tiers (tier 0)
// shows no letter instead of cutting the message short.
std::string SequencedText(uint8_t tier, int rank, const std::string& title) {
  std::string format = p::kSequencedToRemoved;
  for (size_t at = format.find("%c"); at != std::string::npos; at = format.find("%c", at))
    format.replace(at, 2, "%s");
  const std::string letter = tier != 0 ? std::string(1, static_cast<char>(tier)) : std::string();
  return Sprintf(format.c_str(), letter.c_str(), rank + 1, letter.c_str(), rank, title.c_str(),
                 letter.c_str(), rank);
}

}  // namespace

int16_t Schedule::GetActRank(ActHandle h) const {
  if (!(ReadAct(h, p::kModulePriority, __LINE__).flags & AF_FLEXIBLE)) return 0;
  const PriorityEntry* e = m_priority.Find(m_priority.EntryOf(h));
  return e != nullptr ? e->rank : 0;
}

// False when the item did not get an entry: its date is archived (it becomes a
// set-date item and the user is told why), or the index is full.
bool Schedule::AddToPriorityIndex(ActHandle h, int rank) {
  Act& a = LockAct(h, p::kModulePriority, __LINE__);
  if (m_header.IsArchived(a.ddate)) {
    a.flags &= ~kFlexibleAndSequenced;
    a.pitem = 0;
    MarkChanged();
    m_msg.InformationMessage(p::kFlexibleOnArchivedDate);
    return false;
  }
  // An item already entered moves instead of getting a second entry.
  if (const PriorityEntryHandle e = m_priority.EntryOf(h); e != kNoPriorityEntry) {
    a.flags |= AF_FLEXIBLE;
    a.pitem = e;
    MoveToRank(h, rank);
    return true;
  }
  const PriorityEntryHandle e = m_priority.Insert(
      h, a.tier, rank, ReturnPerHour(a.expectedReturn, a.duration), Repaint(hooks()));
  Act& b = LockAct(h, p::kModulePriority, __LINE__);
  if (e == kNoPriorityEntry) {
    // Without an entry the item cannot stay flexible.
    b.flags &= ~kFlexibleAndSequenced;
    b.pitem = 0;
    MarkChanged();
    m_msg.ResourceError(p::kModulePriority, __LINE__);
    return false;
  }
  b.flags |= AF_FLEXIBLE;
  b.pitem = e;
  MarkChanged();
  return true;
}

void Schedule::RemoveFromPriorityIndex(ActHandle h) {
  Act& a = LockAct(h, p::kModulePriority, __LINE__);
  const bool wasSequenced = a.Has(AF_SEQUENCED);
  if (a.flags & kFlexibleAndSequenced) MarkChanged();
  a.flags &= ~kFlexibleAndSequenced;
  a.pitem = 0;

  const PriorityEntryHandle e = m_priority.EntryOf(h);
  if (e == kNoPriorityEntry) return;
  const PriorityEntry removed = *m_priority.Find(e);
  const PriorityEntryHandle up = m_priority.Erase(e, Repaint(hooks()));
  MarkChanged();
  if (wasSequenced || up == kNoPriorityEntry) return;

  // The item that moved up into the removed one's place was Sequenced after it.
  const ActHandle follower = m_priority.Find(up)->item;
  if (!(ActFlags(follower) & AF_SEQUENCED)) return;
  MultiButtonParams params;
  params.customCaptions = p::kUnsequenceButton;
  m_msg.MultiButtonBox(SequencedText(removed.tier, removed.rank, GetActTitleFull(follower)),
                       p::kSequencedToRemovedCaption, kMbIconExclamation, params);
  LockAct(follower, p::kModulePriority, __LINE__).flags &= ~static_cast<uint32_t>(AF_SEQUENCED);
  m_hooks->ItemChanged(follower);
}

void Schedule::MoveToRank(ActHandle h, int rank) {
  const PriorityEntryHandle e = m_priority.EntryOf(h);
  const PriorityEntry* entry = m_priority.Find(e);
  if (entry == nullptr) return;
  // A rank past the end of the tier is its last place.
  if (std::clamp(rank, 1, m_priority.TierCount(entry->tier)) == entry->rank) return;
  m_priority.MoveTo(e, entry->tier, rank, Repaint(hooks()));
  MarkChanged();
}

void Schedule::SetTierAndRank(ActHandle h, int rank) {
  const PriorityEntryHandle e = m_priority.EntryOf(h);
  const PriorityEntry* entry = m_priority.Find(e);
  if (entry == nullptr) return;
  const Act& a = ReadAct(h, p::kModulePriority, __LINE__);
  // The properties may have changed the return or the duration.
  m_priority.SetReturnPerHour(e, ReturnPerHour(a.expectedReturn, a.duration));
  if (a.tier == entry->tier &&
      std::clamp(rank, 1, m_priority.TierCount(entry->tier)) == entry->rank)
    return;
  // The item gets the rank asked for, in its new tier as in its old one.
  if (!m_priority.MoveTo(e, a.tier, rank, Repaint(hooks()))) {
    m_msg.ResourceError(p::kModulePriority, __LINE__);
    return;
  }
  MarkChanged();
}

void Schedule::RenumberRanks() { m_priority.RenumberRanks(Repaint(hooks())); }

}  // namespace ploven
