#include "plugin/recurrence_dates.h"

#include <QMap>

namespace ploven::calendar {

namespace {

enum class Kind { kNone, kDaily, kWeekly, kMonthly, kYearly };

constexpr uint8_t kWeekdayBits = 0x7f;
constexpr uint8_t kFifthWeek = 0x80;
constexpr uint32_t kLastWeekMode = 0x80000000u;
constexpr uint32_t kGridBits = 0x7fffffffu;
constexpr uint32_t kLastDate = 1u << 30;
// The longest a rule is looked at for its first day.
constexpr int kFirstDaySearch = 5 * 366;

const char* const kDayNames[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

// The record's frequency code: 0, 1, 2, 5 for the plain kinds, or the schedule's own bits.
Kind KindOf(int code) {
  switch (code) {
    case 0:
      return Kind::kDaily;
    case 1:
      return Kind::kWeekly;
    case 2:
      return Kind::kMonthly;
    case 5:
      return Kind::kYearly;
    default:
      break;
  }
  if (code & 0x01) return Kind::kDaily;
  if (code & 0x02) return Kind::kWeekly;
  if (code & 0x04) return Kind::kMonthly;
  if (code & 0x08) return Kind::kYearly;
  return Kind::kNone;
}

int WeekdayBit(const QDate& d) { return d.dayOfWeek() % 7; }  // Sunday 0

int PositiveMod(qint64 value, int n) { return static_cast<int>(((value % n) + n) % n); }

qint64 FloorDiv(qint64 value, int n) { return value >= 0 ? value / n : -((-value + n - 1) / n); }

int MonthsBetween(const QDate& a, const QDate& b) {
  return 12 * (b.year() - a.year()) + b.month() - a.month();
}

// Whole months from a to b: 15 January to 1 February is 0, to 15 February 1.
int WholeMonths(const QDate& a, const QDate& b) {
  int months = MonthsBetween(a, b);
  if (b >= a && b.day() < a.day()) --months;
  if (b < a && a.day() < b.day()) ++months;
  return months;
}

bool IsSelectedDate(uint32_t dateBits, const QDate& d) {
  if (dateBits & (1u << (d.day() - 1))) return true;
  const int length = d.daysInMonth();
  if (d.day() != length) return false;
  // Dates beyond the end of the month fall on its last day.
  uint32_t standIns = kLastDate;
  if (length == 28) standIns |= (1u << 28) | (1u << 29);
  if (length == 29) standIns |= 1u << 29;
  return (dateBits & standIns) != 0;
}

bool MonthFallback(const QDate& d, const QDate& start, int interval) {
  return d.day() == start.day() && PositiveMod(MonthsBetween(start, d), interval) == 0;
}

bool MonthlyQualifies(const RecurrenceRule& r, const QDate& d, int interval) {
  if ((r.dateBits & kLastWeekMode) != 0) {
    if ((r.dateBits & kGridBits) == 0 && (r.dayBits & kWeekdayBits) == 0) {
      return MonthFallback(d, r.start, interval);
    }
    if (PositiveMod(MonthsBetween(r.start, d), interval) != 0) return false;
    const int week = (d.day() + 6) / 7;
    const bool lastWeek = d.daysInMonth() - d.day() < 7;
    const int weekday = WeekdayBit(d);
    return (week <= 4 && (r.dateBits & (1u << (7 * (week - 1) + weekday))) != 0) ||
           (lastWeek && (r.dayBits & (1u << weekday)) != 0);
  }
  if ((r.dateBits & kGridBits) == 0) return MonthFallback(d, r.start, interval);
  if (interval != 1 && PositiveMod(WholeMonths(r.start, d), interval) != 0) return false;
  return IsSelectedDate(r.dateBits, d);
}

bool Qualifies(const RecurrenceRule& r, Kind kind, const QDate& d) {
  if (d < r.start || (r.end.isValid() && d > r.end)) return false;
  const int interval = r.interval < 1 ? 1 : r.interval;
  const qint64 offset = r.start.daysTo(d);
  switch (kind) {
    case Kind::kDaily:
      return PositiveMod(offset, interval) == 0;
    case Kind::kWeekly: {
      // Weeks are blocks of seven days counted from the Start Date.
      const uint8_t weekdays = r.dayBits & kWeekdayBits;
      if (weekdays == 0) {
        return PositiveMod(offset, 7) == 0 && PositiveMod(FloorDiv(offset, 7), interval) == 0;
      }
      if ((weekdays & (1u << WeekdayBit(d))) == 0) return false;
      return PositiveMod(FloorDiv(offset, 7), interval) == 0;
    }
    case Kind::kMonthly:
      return MonthlyQualifies(r, d, interval);
    case Kind::kYearly:
      return d.month() == r.start.month() && d.day() == r.start.day() &&
             PositiveMod(d.year() - r.start.year(), interval) == 0;
    case Kind::kNone:
      break;
  }
  return false;
}

bool Expandable(const RecurrenceRule& r, Kind kind) {
  if (kind == Kind::kNone || !r.start.isValid()) return false;
  return !(kind == Kind::kMonthly && (r.dayBits & kFifthWeek) != 0 &&
           (r.dateBits & kLastWeekMode) == 0);
}

QDate FirstDay(const RecurrenceRule& r, Kind kind) {
  for (int i = 0; i < kFirstDaySearch; ++i) {
    const QDate d = r.start.addDays(i);
    if (r.end.isValid() && d > r.end) break;
    if (Qualifies(r, kind, d)) return d;
  }
  return {};
}

QByteArray DayList(uint8_t bits, const QByteArray& prefix = {}) {
  QList<QByteArray> days;
  // Monday first, as calendars list them.
  for (int i = 1; i <= 7; ++i) {
    const int bit = i % 7;
    if (bits & (1u << bit)) days.append(prefix + kDayNames[bit]);
  }
  return days.join(',');
}

QByteArray Interval(int interval) {
  return interval > 1 ? ";INTERVAL=" + QByteArray::number(interval) : QByteArray();
}

// The RRULE text without its first day; empty when RFC 5545 cannot say the rule.
QByteArray RRuleFor(const RecurrenceRule& r, Kind kind, const QDate& first) {
  const int interval = r.interval < 1 ? 1 : r.interval;
  switch (kind) {
    case Kind::kDaily:
      return "FREQ=DAILY" + Interval(interval);
    case Kind::kWeekly: {
      const uint8_t weekdays = r.dayBits & kWeekdayBits;
      if (weekdays == 0) return "FREQ=WEEKLY" + Interval(interval);
      QByteArray text = "FREQ=WEEKLY" + Interval(interval) + ";BYDAY=" + DayList(weekdays);
      // Weeks begin on the Start Date's weekday, so the blocks of seven days stay Ploven's.
      if (interval > 1 && r.start.dayOfWeek() != 1) {
        text += QByteArray(";WKST=") + kDayNames[WeekdayBit(r.start)];
      }
      return text;
    }
    case Kind::kMonthly: {
      const bool sameMonth = MonthsBetween(r.start, first) == 0;
      if ((r.dateBits & kLastWeekMode) != 0) {
        if ((r.dateBits & kGridBits) == 0 && (r.dayBits & kWeekdayBits) == 0) {
          return r.start.day() == first.day() ? "FREQ=MONTHLY" + Interval(interval) : QByteArray();
        }
        if (interval > 1 && !sameMonth) return {};
        QList<QByteArray> days;
        for (int week = 1; week <= 4; ++week) {
          const uint8_t row = static_cast<uint8_t>((r.dateBits >> (7 * (week - 1))) & 0x7f);
          if (row != 0) days.append(DayList(row, QByteArray::number(week)));
        }
        if (r.dayBits & kWeekdayBits) days.append(DayList(r.dayBits & kWeekdayBits, "-1"));
        return "FREQ=MONTHLY" + Interval(interval) + ";BYDAY=" + days.join(',');
      }
      if ((r.dateBits & kGridBits) == 0) {
        return r.start.day() == first.day() ? "FREQ=MONTHLY" + Interval(interval) : QByteArray();
      }
      // "29" and "30" stand in for the last day of shorter months, which a list of month
      // days cannot say unless "Last" is selected too.
      const bool last = (r.dateBits & kLastDate) != 0;
      if (!last && (r.dateBits & ((1u << 28) | (1u << 29)))) return {};
      // Months counted from the middle of the start month are not calendar months.
      if (interval > 1 && (r.start.day() != 1 || !sameMonth)) return {};
      QList<QByteArray> dates;
      for (int bit = 0; bit < 30; ++bit) {
        if (r.dateBits & (1u << bit)) dates.append(QByteArray::number(bit + 1));
      }
      if (last) dates.append("-1");
      return "FREQ=MONTHLY" + Interval(interval) + ";BYMONTHDAY=" + dates.join(',');
    }
    case Kind::kYearly:
      return "FREQ=YEARLY" + Interval(interval);
    case Kind::kNone:
      break;
  }
  return {};
}

int DayBitOfName(const QByteArray& name) {
  for (int i = 0; i < 7; ++i) {
    if (name == kDayNames[i]) return i;
  }
  return -1;
}

}  // namespace

std::optional<RuleText> RRuleOf(const RecurrenceRule& rule) {
  const Kind kind = KindOf(rule.frequencyCode);
  if (!Expandable(rule, kind)) return std::nullopt;
  const QDate first = FirstDay(rule, kind);
  if (!first.isValid()) return std::nullopt;
  const QByteArray text = RRuleFor(rule, kind, first);
  if (text.isEmpty()) return std::nullopt;
  return RuleText{text, first};
}

std::optional<QList<QDate>> RuleDates(const RecurrenceRule& rule, const QDate& from,
                                      const QDate& to) {
  const Kind kind = KindOf(rule.frequencyCode);
  if (!Expandable(rule, kind)) return std::nullopt;
  QList<QDate> dates;
  for (QDate d = std::max(from, rule.start); d <= to; d = d.addDays(1)) {
    if (rule.end.isValid() && d > rule.end) break;
    if (Qualifies(rule, kind, d)) dates.append(d);
  }
  return dates;
}

std::optional<RecurrenceRule> RuleFromRRule(const QByteArray& rrule, const QDate& dtstart,
                                            const QDate& until) {
  QMap<QByteArray, QByteArray> parts;
  for (const QByteArray& part : rrule.split(';')) {
    const qsizetype eq = part.indexOf('=');
    if (eq > 0) parts.insert(part.left(eq).toUpper(), part.mid(eq + 1).toUpper());
  }
  RecurrenceRule r;
  r.start = dtstart;
  r.end = until;
  bool ok = true;
  r.interval = parts.contains("INTERVAL") ? parts.value("INTERVAL").toInt(&ok) : 1;
  if (!ok || r.interval < 1 || r.interval > 999) return std::nullopt;
  const QByteArray freq = parts.value("FREQ");
  const QByteArray byday = parts.value("BYDAY");
  // Parts that Ploven's rules have no room for.
  for (const char* key : {"BYSETPOS", "BYYEARDAY", "BYWEEKNO", "BYHOUR", "BYMINUTE", "BYSECOND"}) {
    if (parts.contains(key)) return std::nullopt;
  }
  if (freq == "DAILY") {
    if (!byday.isEmpty() || parts.contains("BYMONTHDAY") || parts.contains("BYMONTH")) {
      return std::nullopt;
    }
    r.frequencyCode = 0;
  } else if (freq == "WEEKLY") {
    r.frequencyCode = 1;
    for (const QByteArray& day : byday.split(',')) {
      if (day.isEmpty()) continue;
      const int bit = DayBitOfName(day);
      if (bit < 0) return std::nullopt;
      r.dayBits |= static_cast<uint8_t>(1u << bit);
    }
    // Ploven counts weeks from the Start Date: a week start elsewhere shifts them.
    const QByteArray wkst = parts.value("WKST", "MO");
    if (r.interval > 1 && r.dayBits != 0 && DayBitOfName(wkst) != WeekdayBit(dtstart)) {
      // Start the rule on the first day of the calendar week that holds DTSTART.
      const int back = PositiveMod(WeekdayBit(dtstart) - DayBitOfName(wkst), 7);
      r.start = dtstart.addDays(-back);
    }
  } else if (freq == "MONTHLY") {
    r.frequencyCode = 2;
    if (parts.contains("BYMONTHDAY") && !byday.isEmpty()) return std::nullopt;
    for (const QByteArray& day : parts.value("BYMONTHDAY").split(',')) {
      if (day.isEmpty()) continue;
      const int n = day.toInt(&ok);
      if (!ok || n == 0 || n < -1 || n > 31) return std::nullopt;
      r.dateBits |= n == -1 || n == 31 ? kLastDate : 1u << (n - 1);
    }
    for (const QByteArray& day : byday.split(',')) {
      if (day.isEmpty()) continue;
      const int bit = DayBitOfName(day.right(2));
      const int week = day.left(day.size() - 2).toInt(&ok);
      if (bit < 0 || !ok || week == 0 || week < -1 || week > 4) return std::nullopt;
      r.dateBits |= kLastWeekMode;
      if (week == -1) {
        r.dayBits |= static_cast<uint8_t>(1u << bit);
      } else {
        r.dateBits |= 1u << (7 * (week - 1) + bit);
      }
    }
    if (r.interval > 1 && (r.dateBits & kGridBits) != 0 && (r.dateBits & kLastWeekMode) == 0 &&
        dtstart.day() != 1) {
      // Ploven counts such months from the Start Date's day: start on the first of its month.
      r.start = QDate(dtstart.year(), dtstart.month(), 1);
    }
  } else if (freq == "YEARLY") {
    if (!byday.isEmpty() || parts.contains("BYMONTHDAY")) return std::nullopt;
    if (parts.contains("BYMONTH") && parts.value("BYMONTH").toInt() != dtstart.month()) {
      return std::nullopt;
    }
    r.frequencyCode = 5;
  } else {
    return std::nullopt;
  }
  if (freq != "YEARLY" && parts.contains("BYMONTH")) return std::nullopt;
  if (parts.contains("COUNT")) {
    const int count = parts.value("COUNT").toInt(&ok);
    if (!ok || count < 1) return std::nullopt;
    const std::optional<QList<QDate>> dates = RuleDates(r, dtstart, dtstart.addYears(50));
    if (!dates || dates->isEmpty()) return std::nullopt;
    r.end = dates->at(std::min<qsizetype>(count, dates->size()) - 1);
  }
  return r;
}

}  // namespace ploven::calendar
