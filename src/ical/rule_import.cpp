#include "ical/rule_import.h"

#include <libical/ical.h>

#include "ical/ical_messages.h"
#include "ical/local_zone.h"
#include "platform/format.h"
#include "store/calendar.h"

namespace ploven {
namespace {

namespace t = ical_text;

bool Empty(const short* list) { return list[0] == ICAL_RECURRENCE_ARRAY_MAX; }

template <size_t N>
std::vector<short> Values(const short (&list)[N]) {
  std::vector<short> values;
  for (size_t i = 0; i < N && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) values.push_back(list[i]);
  return values;
}

// Weekday 0 (Sunday) .. 6 of a BYDAY entry.
int WeekdayOf(short entry) {
  return static_cast<int>(icalrecurrencetype_day_day_of_week(entry)) - 1;
}

DayNumber LocalDateOf(icaltimetype v) {
  if (v.is_date || v.zone == nullptr) {
    if (v.year < 1980 || v.year > 2068 || v.month < 1 || v.month > 12 || v.day < 1 ||
        v.day > DaysInMonth(v.month, v.year))
      return kNoDate;
    return static_cast<DayNumber>(MakeDay(v.month, v.day, v.year));
  }
  return UtcToLocal(icaltime_as_timet_with_zone(v, v.zone)).date;
}

}  // namespace

RuleImport BetaOfRule(const std::string& text, DayNumber start, const QualifyContext& context) {
  RuleImport out;
  icalerror_set_errors_are_fatal(0);
  const icalrecurrencetype rt = icalrecurrencetype_from_string(text.c_str());
  if (rt.freq == ICAL_NO_RECURRENCE) {
    out.error = t::kSkipRuleDamaged;
    return out;
  }
  auto refuse = [&]() {
    out.error = Sprintf(t::kSkipRule, text.c_str());
    return out;
  };
  if (!Empty(rt.by_second) || !Empty(rt.by_minute) || !Empty(rt.by_hour) ||
      !Empty(rt.by_year_day) || !Empty(rt.by_week_no) || !Empty(rt.by_set_pos) ||
      rt.rscale != nullptr || start == kNoDate)
    return refuse();
  const CalendarDate s = SplitDay(start);
  const std::vector<short> days = Values(rt.by_day);
  const std::vector<short> dates = Values(rt.by_month_day);
  const std::vector<short> months = Values(rt.by_month);
  const int interval = rt.interval < 1 ? 1 : rt.interval;
  if (interval > 999) return refuse();

  Beta b;
  b.startDate = start;
  b.interval = static_cast<int16_t>(interval);
  uint8_t plainWeekdays = 0;
  bool onlyPlain = true;
  for (short d : days) {
    if (icalrecurrencetype_day_position(d) != 0)
      onlyPlain = false;
    else
      plainWeekdays = static_cast<uint8_t>(plainWeekdays | (1u << WeekdayOf(d)));
  }
  if (!months.empty() &&
      !(rt.freq == ICAL_YEARLY_RECURRENCE && months.size() == 1 && months[0] == s.month))
    return refuse();

  switch (rt.freq) {
    case ICAL_DAILY_RECURRENCE:
      if (!dates.empty()) return refuse();
      if (days.empty()) {
        b.freq = kFreqDaily;
        break;
      }
      // Every day of some weekdays is a weekly rule.
      if (!onlyPlain || interval != 1) return refuse();
      b.freq = kFreqWeekly;
      b.dayBits = plainWeekdays;
      break;
    case ICAL_WEEKLY_RECURRENCE: {
      if (!dates.empty() || !onlyPlain) return refuse();
      b.freq = kFreqWeekly;
      b.dayBits = plainWeekdays;
      if (interval > 1 && plainWeekdays != 0) {
        // Ploven's weeks run seven days from the Start Date: it starts on the rule's first day
        // of the week, and the days before the rule's start are taken back.
        const int weekStart =
            rt.week_start == ICAL_NO_WEEKDAY ? 1 : static_cast<int>(rt.week_start) - 1;
        b.startDate = static_cast<DayNumber>(start - (Weekday(start) - weekStart + 7) % 7);
        Beta probe = b;
        for (int d = b.startDate; d < start; ++d)
          if (QualifiesOn(probe, static_cast<DayNumber>(d), context))
            out.cancelled.push_back(static_cast<DayNumber>(d));
      }
      break;
    }
    case ICAL_MONTHLY_RECURRENCE:
      if (interval > 99 || (!days.empty() && !dates.empty())) return refuse();
      b.freq = kFreqMonthly;
      if (!dates.empty()) {
        bool last = false;
        int first = 0;
        uint32_t standIns = 0;
        for (short d : dates) {
          if (d == -1)
            last = true;
          else if (d >= 1 && d <= 28)
            b.dateBits |= 1u << (d - 1);
          else if (d >= 29 && d <= 31)
            standIns |= 1u << d;
          else
            return refuse();
        }
        // 29, 30 and 31 are Ploven's only where the last day is chosen too: then a short
        // month's last day, where Ploven would put them, is chosen anyway.
        if (standIns != 0 && !last) return refuse();
        if (standIns & (1u << 29)) b.dateBits |= 1u << 28;
        if (standIns & (1u << 30)) b.dateBits |= 1u << 29;
        if (last) b.dateBits |= kDateBitLast;
        for (int d = 1; d <= 30 && first == 0; ++d)
          if (b.dateBits & (1u << (d - 1))) first = d;
        // Every N-th month counts from the start's day of the month.
        if (interval > 1 && (s.day > 28 || (first != 0 && first < s.day))) return refuse();
      } else if (!days.empty()) {
        b.dateBits = kDateBitsLastWeek;
        for (short d : days) {
          const int position = icalrecurrencetype_day_position(d);
          const int weekday = WeekdayOf(d);
          if (position == 0) {
            for (int w = 0; w < 4; ++w) b.dateBits |= 1u << (7 * w + weekday);
            b.dayBits = static_cast<uint8_t>(b.dayBits | (1u << weekday));
          } else if (position >= 1 && position <= 4) {
            b.dateBits |= 1u << (7 * (position - 1) + weekday);
          } else if (position == -1) {
            b.dayBits = static_cast<uint8_t>(b.dayBits | (1u << weekday));
          } else {
            return refuse();
          }
        }
      }
      break;
    case ICAL_YEARLY_RECURRENCE:
      if (interval > 99 || !days.empty() || dates.size() > 1 ||
          (dates.size() == 1 && dates[0] != s.day))
        return refuse();
      b.freq = kFreqYearly;
      break;
    default:
      return refuse();
  }

  if (!icaltime_is_null_time(rt.until)) {
    const DayNumber until = LocalDateOf(rt.until);
    if (until != kNoDate) b.endDate = until < start ? start : until;
    // An end before the start leaves nothing: the start date is taken back as well.
    if (until != kNoDate && until < start) out.cancelled.push_back(start);
  } else if (rt.count > 0) {
    Beta probe = b;
    int seen = 0;
    for (int d = start; d <= kLastUserDay; ++d) {
      if (!QualifiesOn(probe, static_cast<DayNumber>(d), context)) continue;
      if (++seen == rt.count) {
        b.endDate = static_cast<DayNumber>(d);
        break;
      }
    }
  }
  out.beta = b;
  return out;
}

}  // namespace ploven
