#include "engine/priorities.h"

#include <cmath>
#include <vector>

#include "platform/format.h"
#include "store/priority_messages.h"

namespace ploven {

namespace p = priority_text;

namespace {

PriorityIndex::RankChanged Repaint(Schedule& s) {
  return [&s](ActHandle item) { s.hooks().ItemChanged(item); };
}

}  // namespace

void FillReturnsPerHour(Schedule& s) {
  PriorityIndex& index = s.priorityIndex();
  for (PriorityEntryHandle e = index.First(); e != kNoPriorityEntry; e = index.Next(e)) {
    const Act& a = s.ReadAct(index.Find(e)->item, p::kModulePriority, __LINE__);
    index.SetReturnPerHour(e, ReturnPerHour(a.expectedReturn, a.duration));
  }
}

bool OrderByExpectedReturns(Schedule& s) {
  PriorityIndex& index = s.priorityIndex();
  if (!index.expectedReturnsActive()) return false;
  // Returns and durations may have changed since the entries were made.
  FillReturnsPerHour(s);
  const bool moved = index.SortTierByReturn(kTierA, Repaint(s));
  if (moved) s.MarkChanged();
  s.RenumberRanks();
  return moved;
}

void PlaceEditedTierAItem(Schedule& s, ActHandle h) {
  PriorityIndex& index = s.priorityIndex();
  if (!index.expectedReturnsActive()) return;
  const PriorityEntryHandle e = index.EntryOf(h);
  if (e == kNoPriorityEntry || s.GetActTier(h) != kTierA) return;

  // Ordering the whole tier keeps the others in the order they would have
  // without this entry; the entry itself is then placed on its own.
  OrderByExpectedReturns(s);
  const float own = index.Find(e)->returnPerHour;
  int ahead = 0;
  if (index.TierCount(kTierA) > 0) {
    for (PriorityEntryHandle q = index.EntryAt(kTierA, 1); q != kNoPriorityEntry;
         q = index.Next(q)) {
      const PriorityEntry& entry = *index.Find(q);
      if (entry.tier != kTierA || !(entry.returnPerHour >= own)) break;
      if (q != e) ++ahead;
    }
  }
  index.MoveTo(e, kTierA, ahead + 1, Repaint(s));
  s.MarkChanged();
}

void ConfirmItemPriority(Schedule& s, ActHandle h, int rank) {
  const bool entered = s.priorityIndex().EntryOf(h) != kNoPriorityEntry;
  if (s.ActFlags(h) & AF_FLEXIBLE) {
    if (entered) {
      s.SetTierAndRank(h, rank);
    } else if (s.AddToPriorityIndex(h, rank)) {
      s.MoveToRank(h, rank);
    }
    PlaceEditedTierAItem(s, h);
  } else if (entered) {
    s.RemoveFromPriorityIndex(h);
  }
}

bool GiveTiersToOldSchedule(Schedule& s, float dataVersion) {
  if (!(dataVersion < kFirstTieredVersion)) return false;
  PriorityIndex& index = s.priorityIndex();
  s.RenumberRanks();
  std::vector<PriorityEntryHandle> order;
  order.reserve(index.Count());
  for (const auto& [e, entry] : index) order.push_back(e);

  // Taken in index order, each entry goes to the end of its new tier, so the
  // order is kept and each tier is numbered from 1.
  const int n = static_cast<int>(order.size());
  for (int r = 1; r <= n; ++r) {
    const uint8_t tier = r < n / 3 ? kTierA : r >= 2 * n / 3 ? kTierC : kTierB;
    const PriorityEntryHandle e = order[static_cast<size_t>(r - 1)];
    s.SetActTier(index.Find(e)->item, tier);
    index.MoveTo(e, tier, kEndOfTierRank, Repaint(s));
  }
  for (const auto& [key, node] : s.actChain())
    if (index.EntryOf(node.act) == kNoPriorityEntry) s.SetActTier(node.act, kTierA);
  s.RenumberRanks();
  s.MarkChanged();
  return true;
}

bool PromoteLifeProjectItem(Schedule& s, ActHandle h) {
  Act& a = s.LockAct(h, p::kModulePriority, __LINE__);
  a.tier = kTierA;
  if (s.priorityIndex().expectedReturnsActive()) a.expectedReturn = kPricelessReturn;
  s.MarkChanged();
  if (s.priorityIndex().EntryOf(h) == kNoPriorityEntry) return false;
  s.SetTierAndRank(h, 1);
  PlaceEditedTierAItem(s, h);
  return true;
}

void SetExpectedReturnsActive(Schedule& s, bool on) {
  PriorityIndex& index = s.priorityIndex();
  const bool was = index.expectedReturnsActive();
  index.SetExpectedReturnsActive(on);
  if (on && !was)
    s.messages().MultiButtonBox(p::kExpectedReturnsWarning, p::kExpectedReturnsCaption,
                                kMbOk | kMbIconExclamation, {});
}

std::string FormatExpectedReturn(float expectedReturn) {
  if (std::isnan(expectedReturn) || expectedReturn == 0) return {};
  if (expectedReturn >= kPricelessReturn) return p::kPriceless;
  if (!std::isfinite(expectedReturn)) return {};
  double whole = std::round(static_cast<double>(expectedReturn));
  if (whole == 0) whole = 0;  // no "-0" for a small loss
  return Sprintf("%.0f ", whole);
}

int ValueIntensity(float returnPerHour, int32_t hourlyRate) {
  if (std::isnan(returnPerHour)) return 0;
  const double rate = hourlyRate > 0 ? hourlyRate : 100;
  const double x = static_cast<double>(returnPerHour) * 25.6 / rate;
  int i = x <= 0 ? 0 : x >= 255 ? 255 : static_cast<int>(x);
  if (returnPerHour > 0 && i < 15) i = 15;
  return i;
}

Rgb ValueBarColor(float returnPerHour, int32_t hourlyRate) {
  const auto fade = static_cast<uint8_t>(255 - ValueIntensity(returnPerHour, hourlyRate));
  return {fade, 255, fade};
}

}  // namespace ploven
