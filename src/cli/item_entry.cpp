#include "cli/item_entry.h"

#include <algorithm>

#include "cli/cli_input.h"
#include "cli/cli_messages.h"
#include "engine/balance_all_days.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "store/act_title.h"
#include "store/date_format.h"
#include "store/priority_index.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;

// Minutes between the day bounds, as the engine reads them.
int DayBoundsRange(const Engine& engine) {
  return std::max(0, engine.DayBoundsLatest() - engine.DayBoundsEarliest());
}

std::string Hours(int minutes) {
  std::string h = FormatHours(minutes);
  h.erase(0, h.find_first_not_of(' '));
  return h;
}

// The refusals of the item dialog's OK, before anything is made.
bool Refuse(Messages& msg, const std::string& text) {
  msg.ErrorMessage(text);
  return false;
}

bool CheckRequest(Schedule& s, const NewItemRequest& r, DayNumber date) {
  Messages& msg = s.messages();
  if (r.title.empty()) return Refuse(msg, t::kEmptyTitle);
  if (r.title.size() > kActTitleMax) return Refuse(msg, t::kTitleTooLong);
  if (r.earliest && r.deadline && *r.deadline < *r.earliest)
    return Refuse(msg, t::kDeadlineBeforeEarliest);
  if (r.earliestTime && r.latestTime && *r.latestTime < *r.earliestTime)
    return Refuse(msg, t::kLatestBeforeEarliestTime);
  if (s.header().IsArchived(date))
    return Refuse(msg, Sprintf(t::kArchivedDate, IsoDate(date).c_str()));
  if (r.recurrence && r.recurrence->endDate != kNoDate &&
      r.recurrence->endDate < r.recurrence->startDate)
    return Refuse(msg, t::kRecurEndBeforeStart);
  return true;
}

}  // namespace

ActHandle EnterNewItem(Engine& engine, NewItemRequest r) {
  Schedule& s = engine.schedule();
  Messages& msg = s.messages();
  const DayNumber date = r.flexible ? r.earliest.value_or(r.date.value_or(s.Today()))
                                    : r.date.value_or(s.Today());
  if (!CheckRequest(s, r, date)) return kNoAct;

  Act a;
  a.duration = r.memo ? r.duration.value_or(0) : r.duration.value_or(kDefaultDuration);
  // A duration longer than the day can hold makes the item splittable, or is cut to the day.
  const int range = DayBoundsRange(engine);
  if (!r.memo && !r.split && a.duration > range && range > 0) {
    MultiButtonParams params;
    params.customCaptions = t::kAutoSplitButtons;
    const std::string text =
        Sprintf(t::kAutoSplit, Hours(range).c_str(), Hours(range).c_str());
    if (msg.MultiButtonBox(text, t::kAutoSplitCaption, kMbIconQuestion, params) == kIdCustom1 + 1) {
      a.duration = static_cast<Duration>(range);
      msg.InformationMessage(t::kDurationReduced);
    } else {
      r.split = true;
      r.flexible = true;
      r.fixed = false;
    }
  }

  if (r.memo) {
    a.flags = AF_HOPE;
    a.typeFlags = ACT_MEMO;
  } else if (r.flexible) {
    a.flags = AF_FLEXIBLE;
    a.typeFlags = ACT_ITEM;
    a.tier = r.tier != 0 ? r.tier : 'A';
    a.earliestDate = r.earliest.value_or(kNoDate);
    a.deadlineDate = r.deadline.value_or(kNoDate);
  } else if (r.fixed) {
    a.flags = AF_FIXED;
    a.typeFlags = ACT_APPOINTMENT;
  } else {
    a.typeFlags = ACT_ITEM;
  }
  if (r.split) a.flags |= AF_SPLIT;
  a.startTime = r.start.value_or(kNoTime);
  a.earliestTime = r.earliestTime.value_or(kNoTime);
  a.latestTime = r.latestTime.value_or(kNoTime);
  a.weekdays = r.weekdays;
  a.projectID = r.projectID;

  // The item dialog's OK, first step: with no one to press Alarm, the default answer stands.
  if (r.fromDialog && a.startTime != kNoTime && !r.memo) msg.QuestionNoDefault(t::kSetStartAlarmQuestion);

  if (r.recurrence && r.recurrence->startDate == kNoDate) r.recurrence->startDate = date;
  const ActHandle h = s.NewItem(date, a, r.title, r.recurrence ? &*r.recurrence : nullptr);
  if (h == kNoAct) {
    msg.ErrorMessage(t::kNotCreated);
    return kNoAct;
  }
  if (r.flexible && r.rank > 0) s.MoveToRank(h, r.rank);
  if (r.flexible) RescheduleItem(engine, h);
  if (r.projectID != 0) RefreshProjectTreeKeepingFolding(s);
  s.PruneTerminals();
  s.MarkChanged();
  return h;
}

}  // namespace ploven::cli
