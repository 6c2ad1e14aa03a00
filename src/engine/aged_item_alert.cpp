#include <algorithm>
#include <string>

#include "engine/balance_all_days.h"
#include "engine/balance_messages.h"
#include "platform/format.h"

namespace ploven {

namespace t = balance_text;

namespace {
constexpr int kAgedAfterDays = 366;
constexpr int kGoToPostponesDays = 14;
}  // namespace

void AgedItemAlert(Engine& engine) {
  Schedule& s = engine.schedule();
  const DayNumber today = s.Today();
  ActHandle oldest = kNoAct;
  int32_t oldestMoment = 0;
  for (const auto& [key, node] : s.actChain()) {
    const ActHandle h = node.act;
    if (!s.IsActValid(h)) continue;
    const Act& a = s.ReadAct(h);
    if (a.flags & (AF_DONE | AF_BETA)) continue;
    if ((a.typeFlags & ACT_PROJECT) || IsProject(s, h)) continue;
    const DayNumber date = std::max(a.createdDate, a.touchedDate);
    // An item never stamped has no age to tell.
    if (date == kNoDate) continue;
    const int32_t moment = Moment(date, std::max(a.createdTime, a.touchedTime));
    if (oldest == kNoAct || moment < oldestMoment) {
      oldest = h;
      oldestMoment = moment;
    }
  }
  if (oldest == kNoAct) return;
  const Act a = s.ReadAct(oldest);
  const DayNumber date = std::max(a.createdDate, a.touchedDate);
  if (date + kAgedAfterDays >= today) return;

  const DateText& text = engine.dateText();
  MultiButtonParams params;
  params.customCaptions = t::kAgedItemButtons;
  const int answer = s.messages().MultiButtonBox(
      Sprintf(t::kAgedItemText, FormatDate(date, text).c_str(), s.GetActTitleFull(oldest).c_str()),
      t::kAgedItemCaption, kMbIconQuestion, params);
  if (answer == kIdCustom1) {
    Act& rec = s.LockAct(oldest, t::kModule, __LINE__);
    rec.createdDate = std::min(static_cast<DayNumber>(rec.createdDate + kGoToPostponesDays), today);
    s.MarkChanged();
    if (rec.ddate != kNoDate && engine.ui() != nullptr) engine.ui()->GoToDate(rec.ddate);
  } else if (answer == kIdCustom1 + 1) {
    Act& rec = s.LockAct(oldest, t::kModule, __LINE__);
    rec.touchedDate = today;
    rec.touchedTime = s.Now();
    s.MarkChanged();
  }
}

}  // namespace ploven
