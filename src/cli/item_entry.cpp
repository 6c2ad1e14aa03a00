#include "cli/item_entry.h"

#include <algorithm>

#include "cli/cli_input.h"
#include "cli/cli_messages.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "store/act_title.h"
#include "store/date_format.h"
#include "store/priority_index.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;

constexpr int kSearchDays = 365;

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

  const ActHandle h = s.NewItem(date, a, r.title);
  if (h == kNoAct) {
    msg.ErrorMessage(t::kNotCreated);
    return kNoAct;
  }
  if (r.flexible && r.rank > 0) s.MoveToRank(h, r.rank);
  if (r.flexible) PlanFluidItem(engine, h);
  if (r.projectID != 0) RefreshProjectTreeKeepingFolding(s);
  s.PruneTerminals();
  s.MarkChanged();
  return h;
}

void PlanFluidItem(Engine& engine, ActHandle h) {
  Schedule& s = engine.schedule();
  TaskNode* task = s.ActTask(h);
  if (task == nullptr || !(s.ActFlags(h) & AF_FLEXIBLE)) return;
  const Act a = s.ReadAct(h);
  const DayNumber from =
      std::max<DayNumber>(s.Today(), a.earliestDate != kNoDate ? a.earliestDate : a.ddate);
  const DayNumber last =
      a.deadlineDate >= from ? a.deadlineDate : static_cast<DayNumber>(
                                                    std::min<int>(from + kSearchDays, kLastUserDay));

  // Off its day first, so that its own minutes count as room.
  const DayNumber home = s.UnscheduleTask(task);
  int left = a.duration;
  DayNumber d = from;
  bool placedAny = false;
  while (task != nullptr && d <= last) {
    if (engine.WeekdayQualify(h, d) && engine.RoomForFluidTask(task, d) &&
        engine.ScheduleTaskFTD(task, d)) {
      placedAny = true;
      left -= task->length;
      task = nullptr;
      // A splittable item carries on with the rest on the following days.
      if ((a.flags & AF_SPLIT) && left > 0) task = s.NewTaskNode(h, 0, static_cast<int16_t>(left));
    }
    ++d;
  }
  if (task != nullptr) {
    if (placedAny) {
      // The rest of a split item goes on the day after the search, overbooked.
      s.ScheduleTask(task, static_cast<DayNumber>(std::min<int>(last + 1, kLastUserDay)));
    } else {
      s.ScheduleTask(task, home);
    }
  }
}

}  // namespace ploven::cli
