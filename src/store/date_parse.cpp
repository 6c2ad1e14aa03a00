#include "store/date_parse.h"

#include <array>
#include <vector>

#include "store/calendar.h"
#include "store/date_messages.h"

namespace ploven {
namespace {

constexpr size_t kMaxCalendarDateLength = 19;
constexpr int kMaxRelativeCount = 999;
constexpr int kMaxWeekdayWeeks = 99;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerTrimmed(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::string out;
  for (size_t i = begin; i < end; ++i) out += Lower(text[i]);
  return out;
}

std::string LowerName(const std::string& name) {
  std::string out;
  for (char c : name) out += Lower(c);
  return out;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

// Digits as a number; nothing for an empty text, another character or more than maxDigits.
std::optional<int> Digits(std::string_view text, size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string WithText(const char* pattern, std::string_view text) {
  std::string out = pattern;
  const size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, text);
  return out;
}

template <typename T>
ParseResult<T> Refuse(std::string message) {
  return {std::nullopt, std::move(message)};
}

// ---- dates ----

ParseResult<DayNumber> DateIfInRange(int day) {
  if (day < kFirstUserDay || day > kLastUserDay) return Refuse<DayNumber>(kDateOutOfRange);
  return {static_cast<DayNumber>(day), {}};
}

// "tod", "tomo", "yesterday" and the like: the offset from today.
std::optional<int> DateWord(const std::string& s) {
  if (s == "0") return 0;
  if (s.size() < 3) return std::nullopt;
  if (StartsWith("today", s)) return 0;
  if (StartsWith("tomorrow", s)) return 1;
  if (StartsWith("yesterday", s)) return -1;
  return std::nullopt;
}

// n, nD, nW, nM, nY, each optionally followed by "*". Nothing when the text has another form.
std::optional<int> RelativeDate(const std::string& s, const ParseContext& context) {
  size_t i = 0;
  int sign = 1;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) sign = s[i++] == '-' ? -1 : 1;
  const size_t digitsBegin = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  const std::optional<int> count =
      Digits(std::string_view(s).substr(digitsBegin, i - digitsBegin), 3);
  if (!count) return std::nullopt;
  while (i < s.size() && IsBlank(s[i])) ++i;
  char unit = 'd';
  if (i < s.size() && (s[i] == 'd' || s[i] == 'w' || s[i] == 'm' || s[i] == 'y')) unit = s[i++];
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool fromViewed = false;
  if (i < s.size() && s[i] == '*') {
    fromViewed = true;
    ++i;
  }
  if (i != s.size()) return std::nullopt;
  const int n = sign * *count;
  if (n < -kMaxRelativeCount || n > kMaxRelativeCount) return std::nullopt;
  const int base = fromViewed ? context.viewed : context.today;
  if (base <= 0) return 0;  // no day to count from: out of range below
  switch (unit) {
    case 'w':
      return base + 7 * n;
    case 'm':
      return AddMonths(base, n);
    case 'y':
      return AddMonths(base, 12 * n);
    default:
      return base + n;
  }
}

// A weekday name and an optional number of weeks. Nothing when the text has another form.
std::optional<int> WeekdayDate(const std::string& s, const DateText& dateText,
                               const ParseContext& context) {
  size_t i = 0;
  while (i < s.size() && !IsDigit(s[i]) && !IsBlank(s[i])) ++i;
  const std::string letters = s.substr(0, i);
  if (letters.empty()) return std::nullopt;
  int weekday = -1;
  if (letters == "h" || letters == "r") {
    weekday = 4;
  } else {
    for (int w = 0; w < 7; ++w) {
      if (StartsWith(LowerName(dateText.names.weekdays[static_cast<size_t>(w)]), letters)) {
        if (weekday >= 0) return std::nullopt;  // not unique
        weekday = w;
      }
    }
  }
  if (weekday < 0) return std::nullopt;
  while (i < s.size() && IsBlank(s[i])) ++i;
  int weeks = 0;
  if (i < s.size()) {
    const std::optional<int> count = Digits(std::string_view(s).substr(i), 2);
    if (!count || *count > kMaxWeekdayWeeks) return std::nullopt;
    weeks = *count;
  }
  if (context.today <= 0) return 0;
  int ahead = (weekday - Weekday(context.today) + 7) % 7;
  if (ahead == 0) ahead = 7;
  return context.today + ahead + 7 * weeks;
}

// A month written by name: 1..12, or 0 when the letters name no month.
int MonthByName(const std::string& letters, const LocaleNames& names) {
  for (size_t m = 0; m < 12; ++m) {
    if (letters == LowerName(names.monthAbbrevs[m])) return static_cast<int>(m) + 1;
  }
  if (letters.size() < 3) return 0;
  for (size_t m = 0; m < 12; ++m) {
    if (StartsWith(LowerName(names.months[m]), letters)) return static_cast<int>(m) + 1;
  }
  return 0;
}

struct DateField {
  int value = 0;
  bool monthName = false;
};

// Full year of a typed year, or 0 when it is not one the schedule can hold.
int FullYear(int year) {
  if (year >= 0 && year <= 68) return 2000 + year;
  if (year >= 80 && year <= 99) return 1900 + year;
  if (year >= 1980 && year <= 2068) return year;
  return 0;
}

ParseResult<DayNumber> CalendarDateOf(const std::string& s, std::string_view original,
                                      const DateText& dateText, const ParseContext& context) {
  const auto unreadable = [&] { return Refuse<DayNumber>(WithText(kUnreadableDate, original)); };
  if (s.size() > kMaxCalendarDateLength) return unreadable();
  const char dateSeparator = Lower(dateText.regional.sDate);
  std::vector<DateField> fields;
  size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (c == '/' || c == '-' || c == '.' || c == ',' || IsBlank(c) || c == dateSeparator) {
      ++i;
      continue;
    }
    size_t end = i;
    if (IsDigit(c)) {
      while (end < s.size() && IsDigit(s[end])) ++end;
      const std::optional<int> value = Digits(std::string_view(s).substr(i, end - i), 4);
      if (!value) return unreadable();
      fields.push_back({*value, false});
    } else if (IsAsciiLetter(c) || static_cast<unsigned char>(c) >= 0x80) {
      while (end < s.size() &&
             (IsAsciiLetter(s[end]) || static_cast<unsigned char>(s[end]) >= 0x80))
        ++end;
      const int month = MonthByName(s.substr(i, end - i), dateText.names);
      if (month == 0) return unreadable();
      fields.push_back({month, true});
    } else {
      return unreadable();
    }
    i = end;
  }
  if (fields.size() < 2 || fields.size() > 3) return unreadable();

  // Pick the month: a named one wherever it stands, else by the date order.
  const int iDate = dateText.regional.iDate;
  const int order = iDate == 1 || iDate == 2 ? iDate : 0;
  int month = 0;
  std::vector<int> rest;  // day and year, in the order the date order puts them
  int named = 0;
  for (const DateField& f : fields) named += f.monthName ? 1 : 0;
  if (named > 1) return unreadable();
  if (named == 1) {
    for (const DateField& f : fields) {
      if (f.monthName) {
        month = f.value;
      } else {
        rest.push_back(f.value);
      }
    }
  } else {
    const size_t monthAt = order == 0 ? 0 : 1;
    month = fields[monthAt].value;
    for (size_t k = 0; k < fields.size(); ++k) {
      if (k != monthAt) rest.push_back(fields[k].value);
    }
  }
  int dayOfMonth = 0;
  int year = 0;
  bool hasYear = rest.size() == 2;
  if (order == 2) {
    if (!hasYear) return unreadable();  // year first: it cannot be left out
    year = rest[0];
    dayOfMonth = rest[1];
  } else {
    dayOfMonth = rest[0];
    if (hasYear) year = rest[1];
  }
  if (month < 1 || month > 12) return unreadable();
  if (!hasYear) {
    // Any day that February can have, then the year that UpcomingDate settles on must have it.
    if (dayOfMonth < 1 || dayOfMonth > DaysInMonth(month, 2000)) return unreadable();
    const int day = UpcomingDate(month, dayOfMonth, context.today);
    if (day == 0) return Refuse<DayNumber>(kDateOutOfRange);
    if (DayOfMonth(day) != dayOfMonth) return unreadable();
    return DateIfInRange(day);
  }
  const int fullYear = FullYear(year);
  if (fullYear == 0) return Refuse<DayNumber>(kDateOutOfRange);
  if (dayOfMonth < 1 || dayOfMonth > DaysInMonth(month, fullYear)) return unreadable();
  return DateIfInRange(MakeDay(month, dayOfMonth, fullYear));
}

// ---- times and durations ----

// Replaces the characters that stand for ":" and takes out blanks.
std::string Compact(const std::string& s, const DateText& dateText) {
  std::string out;
  for (char c : s) {
    if (IsBlank(c)) continue;
    if (c == '.' || c == ',' || c == dateText.regional.sTime) c = ':';
    out += c;
  }
  return out;
}

// Minutes written after hours: one digit counts as tens, two as written (below 60).
std::optional<int> MinutesAfterHours(std::string_view text) {
  if (text.empty()) return 0;
  const std::optional<int> value = Digits(text, 2);
  if (!value) return std::nullopt;
  const int minutes = text.size() == 1 ? *value * 10 : *value;
  if (minutes > 59) return std::nullopt;
  return minutes;
}

enum class Half { kNone, kAm, kPm };

}  // namespace

ParseResult<DayNumber> ParseDate(std::string_view text, const DateText& dateText,
                                 const ParseContext& context) {
  const std::string s = LowerTrimmed(text);
  if (s.empty()) return Refuse<DayNumber>(WithText(kUnreadableDate, text));
  if (const std::optional<int> offset = DateWord(s)) {
    if (context.today <= 0) return Refuse<DayNumber>(kDateOutOfRange);
    return DateIfInRange(context.today + *offset);
  }
  if (const std::optional<int> day = RelativeDate(s, context)) return DateIfInRange(*day);
  if (const std::optional<int> day = WeekdayDate(s, dateText, context)) {
    return DateIfInRange(*day);
  }
  return CalendarDateOf(s, text, dateText, context);
}

ParseResult<TimeOfDay> ParseTime(std::string_view text, const DateText& dateText,
                                 const ParseContext& context) {
  const auto unreadable = [&] { return Refuse<TimeOfDay>(WithText(kUnreadableTime, text)); };
  const auto shifted = [&](int time) -> ParseResult<TimeOfDay> {
    return {ApplyMidnightShift(static_cast<TimeOfDay>(time), context.earliestTimeOfDay,
                               context.latestTimeOfDay),
            {}};
  };
  const std::string word = LowerTrimmed(text);
  if (word == "now") {
    if (context.now <= 0) return unreadable();
    return shifted(context.now);
  }
  if (word == "noon") return shifted(kNoon);

  std::string s = Compact(word, dateText);
  while (!s.empty() && s.back() == ':') s.pop_back();  // "p.m." ends in a stop
  Half half = Half::kNone;
  for (const auto& [suffix, which] : {std::pair{"a:m", Half::kAm},
                                      {"p:m", Half::kPm},
                                      {"am", Half::kAm},
                                      {"pm", Half::kPm},
                                      {"a", Half::kAm},
                                      {"p", Half::kPm}}) {
    const std::string_view sv = suffix;
    if (s.size() > sv.size() && s.compare(s.size() - sv.size(), sv.size(), sv) == 0) {
      half = which;
      s.resize(s.size() - sv.size());
      break;
    }
  }
  while (!s.empty() && s.back() == ':') s.pop_back();
  if (s.empty()) return unreadable();
  const bool leadingZero = s[0] == '0';

  int hour = 0;
  int minute = 0;
  const size_t colon = s.find(':');
  if (colon == std::string::npos) {
    const std::optional<int> value = Digits(s, 4);
    if (!value) return unreadable();
    if (s.size() <= 2) {
      if (*value >= 24) return unreadable();  // 24..59 look like minutes, not a time
      hour = *value;
    } else {
      hour = *value / 100;
      minute = *value % 100;
    }
  } else {
    const std::optional<int> hours = Digits(std::string_view(s).substr(0, colon), 2);
    const std::optional<int> minutes = MinutesAfterHours(std::string_view(s).substr(colon + 1));
    if (!hours || !minutes) return unreadable();
    hour = *hours;
    minute = *minutes;
  }
  if (hour > 23 || minute > 59) return unreadable();

  switch (half) {
    case Half::kAm:
      if (hour > 12) return unreadable();
      if (hour == 12) hour = 0;
      break;
    case Half::kPm:
      if (hour == 0) return unreadable();
      if (hour < 12) hour += 12;
      break;
    case Half::kNone:
      // On the 12-hour clock nobody plans at 3 in the night: 1:00..5:59 mean afternoon.
      if (!dateText.regional.Uses24Hour() && !leadingZero && hour >= 1 && hour < 6) hour += 12;
      break;
  }
  return shifted(ClockTime(hour, minute));
}

namespace {

// The shared reading of durations and offsets.
ParseResult<Duration> ParseMinutes(std::string_view text, const DateText& dateText,
                                   bool signedOffset) {
  const char* unreadableText = signedOffset ? kUnreadableOffset : kUnreadableDuration;
  const char* rangeText = signedOffset ? kOffsetOutOfRange : kDurationOutOfRange;
  const auto unreadable = [&] { return Refuse<Duration>(WithText(unreadableText, text)); };
  const int low = signedOffset ? -kMinutesPerDay : 0;
  const int high = signedOffset ? kMinutesPerDay : kMaxItemDuration;
  const std::string word = LowerTrimmed(text);
  if (word == "note" || word == "memo") return {Duration{0}, {}};
  if (word.find('+') != std::string::npos) return {Duration{0}, kNoAdditionInField};

  std::string s;
  for (char c : Compact(word, dateText)) {
    if (c == 'a' || c == 'p' || c == 'm') continue;
    if (!IsDigit(c) && c != ':' && !(signedOffset && c == '-')) return unreadable();
    s += c;
  }
  int sign = 1;
  if (!s.empty() && s[0] == '-') {
    sign = -1;
    s.erase(0, 1);
  }
  if (s.empty() || s.find('-') != std::string::npos) return unreadable();

  int minutes = 0;
  const size_t colon = s.find(':');
  if (colon == std::string::npos) {
    // Wide enough to tell 99999 from larger, small enough never to overflow.
    const std::optional<int> value = Digits(s, 6);
    if (!value) {
      if (s.size() > 6 && s.find_first_not_of("0123456789") == std::string::npos) {
        return Refuse<Duration>(rangeText);
      }
      return unreadable();
    }
    const int plainLimit = signedOffset ? 2400 : 99999;
    if (*value > plainLimit) return Refuse<Duration>(rangeText);
    if (signedOffset && *value <= 24 && s[0] != '0') {
      minutes = *value * 60;
    } else if (*value >= 100) {
      if (*value / 100 * 60 > high) return Refuse<Duration>(rangeText);
      if (*value % 100 > 59) return unreadable();
      minutes = *value / 100 * 60 + *value % 100;
    } else {
      minutes = *value;
    }
  } else if (s.find(':', colon + 1) != std::string::npos) {
    return unreadable();
  } else if (colon == 0) {
    const std::optional<int> value = Digits(std::string_view(s).substr(1), 5);
    if (!value) return unreadable();
    minutes = *value;
  } else {
    const std::optional<int> hours = Digits(std::string_view(s).substr(0, colon), 4);
    if (hours && *hours * 60 > high) return Refuse<Duration>(rangeText);
    const std::optional<int> rest = MinutesAfterHours(std::string_view(s).substr(colon + 1));
    if (!hours || !rest) return unreadable();
    minutes = *hours * 60 + *rest;
  }
  minutes *= sign;
  if (minutes < low || minutes > high) return Refuse<Duration>(rangeText);
  return {static_cast<Duration>(minutes), {}};
}

}  // namespace

ParseResult<Duration> ParseDuration(std::string_view text, const DateText& dateText) {
  return ParseMinutes(text, dateText, false);
}

ParseResult<Duration> ParseOffset(std::string_view text, const DateText& dateText) {
  return ParseMinutes(text, dateText, true);
}

}  // namespace ploven
