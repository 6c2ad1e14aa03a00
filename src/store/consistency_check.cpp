#include "store/consistency_check.h"

#include <unordered_set>
#include <vector>

#include "platform/format.h"
#include "store/date_format.h"
#include "store/schedule.h"
#include "store/store_messages.h"

namespace ploven {
namespace {

namespace c = consistency_text;

std::string DayProblem(DayNumber date, const char* what) {
  return Sprintf(c::kDayProblem, FormatDateMDY(date).c_str(), what);
}

}  // namespace

std::optional<std::string> CheckConsistency(const Schedule& s) {
  const auto& days = s.terminals();
  DayNumber previous = 0;
  std::unordered_set<ActHandle> flexibleOnDays;
  for (const auto& [date, day] : days) {
    if (date <= 0 || date <= previous) return DayProblem(date, c::kDayOutOfOrder);
    previous = date;
    if (day->date != date) return DayProblem(date, c::kDayWrongDate);
    int tasks = 0, clones = 0;
    const ChainLink* back = &day->head;
    for (TaskNode* t = day->First(); t != nullptr; t = t->Next()) {
      if (t->prev != back) return DayProblem(date, c::kDayLinks);
      back = t;
      ++tasks;
      if (!s.IsActValid(t->act)) return DayProblem(date, c::kDayTaskNoItem);
      const uint32_t flags = s.ActFlags(t->act);
      if (flags & AF_BETA) ++clones;
      if (flags & AF_FLEXIBLE) flexibleOnDays.insert(t->act);
      if (t->length < 0) return DayProblem(date, c::kDayNegativeLength);
    }
    if (tasks != day->nTasks) return DayProblem(date, c::kDayTaskCount);
    if (clones != day->nClones) return DayProblem(date, c::kDayCloneCount);
  }

  for (const auto& [key, node] : s.actChain())
    if (!s.IsActValid(node.act)) return std::string(c::kChainFreedItem);

  size_t entries = 0;
  uint8_t lastTier = 0;
  int lastRank = 0;
  for (auto ref : s.priorityIndex()) {
    ++entries;
    const ActHandle h = ref.entry.item;
    if (!s.IsActValid(h) || !(s.ActFlags(h) & AF_FLEXIBLE))
      return std::string(c::kPriorityNotFlexible);
    if (ref.entry.tier < lastTier || (ref.entry.tier == lastTier && ref.entry.rank <= lastRank))
      return std::string(c::kPriorityOrder);
    if (ref.entry.tier != lastTier) lastRank = 0;
    lastTier = ref.entry.tier;
    lastRank = ref.entry.rank;
  }
  for (ActHandle h : flexibleOnDays)
    if (s.priorityIndex().EntryOf(h) == kNoPriorityEntry)
      return Sprintf(c::kFlexibleUnranked, s.GetActNameFull(h).c_str());
  if (entries != s.priorityIndex().Count())
    return std::string(c::kPriorityCount);

  for (ActHandle d : s.betaChain()) {
    if (!s.IsActValid(d) || !(s.ActFlags(d) & AF_BETA))
      return std::string(c::kBetaNotRecurring);
    const Beta* beta = s.FindBeta(s.ReadAct(d).hBeta);
    if (beta == nullptr) return Sprintf(c::kBetaNoRule, s.GetActNameFull(d).c_str());
    DayNumber last = 0;
    for (const XEntry& e : beta->xlist) {
      if (e.date <= last)
        return Sprintf(c::kXlistOrder, s.GetActNameFull(d).c_str());
      last = e.date;
      if (e.drone != kNoAct && (!s.IsActValid(e.drone) || s.ReadAct(e.drone).hBeta != d))
        return Sprintf(c::kXlistWrongDrone, s.GetActNameFull(d).c_str());
    }
  }

  if (static_cast<size_t>(s.header().Get<int16_t>(ScheduleHeader::kProjectCount)) !=
      s.projects().Count())
    return std::string(c::kProjectCount);
  const ProjectTree& tree = s.projects().tree();
  std::vector<TreeNodeId> pending;
  for (TreeNodeId id = tree.First(); id != kNoTreeNode; id = tree.Find(id)->next)
    pending.push_back(id);
  size_t nodes = 0;
  while (!pending.empty()) {
    const TreeNodeId id = pending.back();
    pending.pop_back();
    const ProjectTreeNode* node = tree.Find(id);
    if (node == nullptr || ++nodes > tree.Count()) return std::string(c::kTreeBroken);
    if (!s.IsActValid(node->act)) return std::string(c::kTreeFreed);
    for (TreeNodeId c = node->firstChild; c != kNoTreeNode; c = tree.Find(c)->next)
      pending.push_back(c);
  }
  if (nodes != tree.Count()) return std::string(c::kTreeCount);
  return std::nullopt;
}

}  // namespace ploven
