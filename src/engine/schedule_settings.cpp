#include "engine/schedule_settings.h"

#include <optional>

#include "engine/day_bounds.h"
#include "engine/engine_messages.h"
#include "platform/messages.h"
#include "store/date_argument.h"
#include "store/schedule_header.h"

namespace ploven {
namespace {

namespace t = engine_text;

// Minutes since midnight of a stored time of day; a stored 0 reads as midnight.
int MinutesOf(TimeOfDay time) { return time <= 0 ? 0 : (time - 1) % kMinutesPerDay; }
TimeOfDay FromMinutes(int minutes) { return static_cast<TimeOfDay>(minutes + 1); }

struct Values {
  std::optional<TimeOfDay> dayStart, dayEnd, workStart, workEnd;
  std::optional<Duration> minSplit, reserveToday, reserveFuture;
  std::optional<DayNumber> keepClearFrom, keepClearThrough;
};

// A Keep Clear date may be left open.
bool IsOpenEnd(const std::string& value) { return value == "none" || value == "-"; }

}  // namespace

bool IsScheduleSettingKey(const std::string& key) {
  for (const char* k : {"dayStart", "dayEnd", "workStart", "workEnd", "minSplit", "reserveToday",
                        "reserveFuture", "keepClearFrom", "keepClearThrough"})
    if (key == k) return true;
  return false;
}

bool ApplyScheduleSettings(ScheduleHeader& header, const std::vector<SettingChange>& changes,
                           const DateText& text, const ParseContext& context, Messages& msg) {
  // Every value is read before anything changes.
  Values v;
  for (const SettingChange& c : changes) {
    std::string refusal;
    auto time = [&](std::optional<TimeOfDay>& into) {
      const auto r = ReadTimeArgument(c.value, text, context);
      if (r.value) into = r.value; else refusal = r.message;
    };
    auto duration = [&](std::optional<Duration>& into) {
      const auto r = ReadDurationArgument(c.value, text);
      if (r.value) into = r.value; else refusal = r.message;
    };
    auto date = [&](std::optional<DayNumber>& into) {
      if (IsOpenEnd(c.value)) {
        into = kNoDate;
        return;
      }
      const auto r = ReadDateArgument(c.value, text, context);
      if (r.value) into = r.value; else refusal = r.message;
    };
    if (c.key == "dayStart") time(v.dayStart);
    else if (c.key == "dayEnd") time(v.dayEnd);
    else if (c.key == "workStart") time(v.workStart);
    else if (c.key == "workEnd") time(v.workEnd);
    else if (c.key == "minSplit") duration(v.minSplit);
    else if (c.key == "reserveToday") duration(v.reserveToday);
    else if (c.key == "reserveFuture") duration(v.reserveFuture);
    else if (c.key == "keepClearFrom") date(v.keepClearFrom);
    else if (c.key == "keepClearThrough") date(v.keepClearThrough);
    if (!refusal.empty()) {
      msg.ErrorMessage(refusal);
      return false;
    }
  }

  // Checks that keep a dialog open come first, so that a refusal changes nothing.
  const int workStart = MinutesOf(v.workStart.value_or(header.workdayStart()));
  const int workEnd = MinutesOf(v.workEnd.value_or(header.workdayEnd()));
  if ((v.workStart || v.workEnd) && workEnd <= workStart) {
    msg.ErrorMessage(t::kWorkEndNotAfterStart);
    return false;
  }
  const bool balance = v.minSplit || v.reserveToday || v.reserveFuture || v.keepClearFrom ||
                       v.keepClearThrough;
  BalanceEntry entry = BalanceEntryOf(header);
  if (v.reserveToday) entry.reserveToday = *v.reserveToday;
  if (v.reserveFuture) entry.reserveFuture = *v.reserveFuture;
  if (v.keepClearFrom) entry.keepClearFrom = *v.keepClearFrom;
  if (v.keepClearThrough) entry.keepClearThrough = *v.keepClearThrough;
  if (v.minSplit) entry.minSplit = *v.minSplit;
  if (balance && !CheckKeepClearRange(entry.keepClearFrom, entry.keepClearThrough, msg))
    return false;

  ScheduleHeader h = header;
  // Work Hours Settings.
  if (v.workStart) h.setWorkdayStart(FromMinutes(workStart));
  if (v.workEnd) h.setWorkdayEnd(FromMinutes(workEnd));

  // Day Bounds Settings, OK.
  if (v.dayStart || v.dayEnd) {
    ApplyDayBounds(h, v.dayStart.value_or(h.earliestTimeOfDay()),
                   v.dayEnd.value_or(h.latestTimeOfDay()), msg);
  }

  // Balance Settings, OK.
  if (balance && !BalanceSettingsOk(h, entry, msg)) return false;
  header = h;
  return true;
}

}  // namespace ploven
