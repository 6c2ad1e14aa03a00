#include <algorithm>

#include "platform/format.h"
#include "store/schedule.h"
#include "store/store_messages.h"

namespace ploven {

namespace t = store_text;

Beta& Schedule::BetaOf(ActHandle definition, const char* module, int line) {
  const Act& a = ReadAct(definition, module, line);
  return LockBeta(a.hBeta);
}

void Schedule::AddXlistEntry(ActHandle definition, DayNumber date, ActHandle drone) {
  Beta& beta = BetaOf(definition, t::kModuleXlist, __LINE__);
  auto same = std::find_if(beta.xlist.begin(), beta.xlist.end(),
                           [date](const XEntry& e) { return e.date == date; });
  if (same != beta.xlist.end()) {
    const ActHandle oldDrone = same->drone;
    beta.xlist.erase(same);
    if (oldDrone != kNoAct && oldDrone != drone && IsActValid(oldDrone)) {
      const std::string title = GetActTitle(oldDrone);
      DeleteItem(oldDrone);
      FreeAct(oldDrone);
      m_msg.InformationMessage(Sprintf(t::kTwoInstancesCleaned, title.c_str()));
    } else if (oldDrone == kNoAct) {
      m_msg.InformationMessage(Sprintf(t::kDuplicateCancellation, FormatDay(date).c_str()));
    }
  }
  // After the entries of the same date, so the list stays in ascending order.
  auto pos = std::upper_bound(beta.xlist.begin(), beta.xlist.end(), date,
                              [](DayNumber d, const XEntry& e) { return d < e.date; });
  beta.xlist.insert(pos, XEntry{date, drone});
  ValidateXlist(beta);
}

void Schedule::DelXlistEntry(ActHandle definition, DayNumber date) {
  if (!IsActValid(definition)) Fatal(t::kDelXlistLockAct, t::kModuleXlist, __LINE__);
  Beta* beta = m_betas.Find(ReadAct(definition).hBeta);
  if (beta == nullptr) Fatal(t::kDelXlistLockBeta, t::kModuleXlist, __LINE__);
  auto it = std::find_if(beta->xlist.begin(), beta->xlist.end(),
                         [date](const XEntry& e) { return e.date == date; });
  if (it == beta->xlist.end()) Fatal(t::kDelXlistNoEntry, t::kModuleXlist, __LINE__);
  beta->xlist.erase(it);
}

void Schedule::RepXlistEntry(ActHandle definition, DayNumber date, ActHandle drone, bool loading) {
  Beta& beta = BetaOf(definition, t::kModuleXlist, __LINE__);
  for (XEntry& e : beta.xlist) {
    if (e.date == date) {
      e.drone = drone;
      return;
    }
  }
  if (!loading) Fatal(t::kRepXlistNoEntry, t::kModuleXlist, __LINE__);
  AddXlistEntry(definition, date, drone);
  m_msg.InformationMessage(Sprintf(t::kRepXlistNotException, FormatDay(date).c_str(),
                                   GetActTitle(drone != kNoAct ? drone : definition).c_str()) +
                           t::kRepXlistAdvice);
}

const XEntry* Schedule::FindXlistEntry(ActHandle definition, DayNumber date) {
  const Beta& beta = BetaOf(definition, t::kModuleXlist, __LINE__);
  for (const XEntry& e : beta.xlist)
    if (e.date == date) return &e;
  return nullptr;
}

void Schedule::ValidateXlist(const Beta& beta) {
  DayNumber last = 0;
  for (const XEntry& e : beta.xlist) {
    if (e.date < last) {
      // The report names the date, so it is formatted before the fatal call.
      const std::string text = Sprintf(t::kXlistOutOfSequence, FormatDay(e.date).c_str());
      m_msg.InternalError(text, t::kModuleXlist, __LINE__);
    }
    last = e.date;
    if (e.drone != kNoAct && !IsActValid(e.drone)) Fatal(t::kXlistBadDrone, t::kModuleXlist, __LINE__);
  }
}

void Schedule::PurgeXlists() {
  const DayNumber archived = m_header.lastArchivedDate();
  for (ActHandle definition : m_betaChain) {
    Beta& beta = BetaOf(definition, t::kModuleXlist, __LINE__);
    std::erase_if(beta.xlist,
                  [archived](const XEntry& e) { return e.drone == kNoAct && e.date < archived; });
  }
}

void Schedule::DropUnplacedDrones(ActHandle definition) {
  Beta& beta = BetaOf(definition, t::kModuleXlist, __LINE__);
  std::erase_if(beta.xlist, [this](const XEntry& e) {
    return e.drone != kNoAct && (!IsActValid(e.drone) || CountActTasks(e.drone) == 0);
  });
}

void Schedule::RepairDrone(ActHandle h) {
  Act& a = LockAct(h, t::kModuleXlist, __LINE__);
  if (!a.Has(AF_DRONE)) return;
  const ActHandle definition = a.hBeta;
  const DayNumber replaced = a.createdDate;
  const bool hasEntry = IsActValid(definition) && (ActFlags(definition) & AF_BETA) &&
                        m_betas.Find(ReadAct(definition).hBeta) != nullptr &&
                        FindXlistEntry(definition, replaced) != nullptr;
  if (hasEntry) return;
  a.flags &= ~static_cast<uint32_t>(AF_DRONE);
  a.hBeta = 0;
  m_msg.InformationMessage(Sprintf(t::kRepairedDrone, GetActTitle(h).c_str()));
}

}  // namespace ploven
