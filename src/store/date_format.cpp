#include "store/date_format.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "store/calendar.h"
#include "store/date_messages.h"

namespace ploven {
namespace {

__attribute__((format(printf, 1, 2))) std::string Printf(const char* format, ...) {
  char buffer[128];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (length < 0) return {};
  return std::string(buffer, static_cast<size_t>(length) < sizeof buffer
                                 ? static_cast<size_t>(length)
                                 : sizeof buffer - 1);
}

// The first n characters of UTF-8 text, never cutting a character in two.
std::string Utf8Prefix(const std::string& text, size_t n) {
  size_t i = 0;
  for (size_t count = 0; i < text.size() && count < n; ++count) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return text.substr(0, i);
}

// The empty string, "#####", or nothing when the day can be shown.
bool Unshowable(DayNumber day, std::string& out) {
  if (day == kNoDate) {
    out.clear();
    return true;
  }
  if (day < 0) {
    out = kUnshowableDate;
    return true;
  }
  return false;
}

// Clock minutes of a time of day; a value above 1440 counts by its clock time.
int Minutes(TimeOfDay time) { return ClockMinutes(time); }

int Hour12(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

int NonNegativeMinutes(int minutes) {
  return minutes >= 0 ? minutes : ((minutes % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay;
}

std::string WeekdayOf(int weekday, const LocaleNames& names) {
  if (weekday < 0 || weekday > 6) return {};
  return names.weekdays[static_cast<size_t>(weekday)];
}

std::string MonthAbbrevOf(int month, const LocaleNames& names) {
  if (month < 1 || month > 12) return {};
  return names.monthAbbrevs[static_cast<size_t>(month - 1)];
}

}  // namespace

std::string FormatDateWithPicture(DayNumber day, std::string_view picture,
                                  const LocaleNames& names) {
  std::string out;
  if (Unshowable(day, out)) return out;
  const CalendarDate date = SplitDay(day);
  size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '\'') {  // quoted text
      const size_t close = picture.find('\'', i + 1);
      const size_t end = close == std::string_view::npos ? picture.size() : close;
      out.append(picture.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    const char lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower != 'd' && lower != 'm' && lower != 'y') {
      out += c;
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    i += run;
    if (lower == 'd') {
      if (run == 1) out += Printf("%d", date.day);
      if (run == 2) out += Printf("%02d", date.day);
      if (run == 3) out += Utf8Prefix(WeekdayOf(Weekday(day), names), 3);
      if (run >= 4) out += WeekdayOf(Weekday(day), names);
    } else if (lower == 'm') {
      if (run == 1) out += Printf("%d", date.month);
      if (run == 2) out += Printf("%02d", date.month);
      if (run >= 3) out += MonthAbbrevOf(date.month, names);
    } else {
      if (run == 1) out += Printf("%d", date.year % 100);
      if (run == 2) out += Printf("%02d", date.year % 100);
      if (run >= 3) out += Printf("%d", date.year);
    }
  }
  return out;
}

std::string FormatDate(DayNumber day, const DateText& text) {
  // Month names cannot be typed back into a date field in this picture, so numbers stand in.
  const std::string& picture = text.regional.sShortDate;
  return FormatDateWithPicture(day, picture == "dd-MMM-yy" ? "dd-mm-yy" : picture, text.names);
}

std::string FormatDateNumeric(DayNumber day, const DateText& text) {
  std::string out;
  if (Unshowable(day, out)) return out;
  const CalendarDate d = SplitDay(day);
  const char sep = text.regional.sDate;
  const int year = d.year % 100;
  switch (text.regional.iDate) {
    case 1:
      return Printf("%02d%c%02d%c%02d", d.day, sep, d.month, sep, year);
    case 2:
      return Printf("%02d%c%02d%c%02d", year, sep, d.month, sep, d.day);
    default:
      return Printf("%02d%c%02d%c%02d", d.month, sep, d.day, sep, year);
  }
}

std::string FormatDateShort(DayNumber day, const DateText& text) {
  std::string out;
  if (Unshowable(day, out)) return out;
  const CalendarDate d = SplitDay(day);
  const bool dayFirst = text.regional.iDate == 1;
  return Printf("%d%c%d", dayFirst ? d.day : d.month, text.regional.sDate,
                dayFirst ? d.month : d.day);
}

std::string FormatDateShort2(DayNumber day, const DateText& text) {
  std::string out;
  if (Unshowable(day, out)) return out;
  const CalendarDate d = SplitDay(day);
  const bool dayFirst = text.regional.iDate == 1;
  return Printf("%02d%c%02d", dayFirst ? d.day : d.month, text.regional.sDate,
                dayFirst ? d.month : d.day);
}

std::string FormatDateMDY(DayNumber day) { return FormatDateWithPicture(day, "m/d/yy", {}); }

std::string FormatDateLong(DayNumber day, const DateText& text) {
  std::string out;
  if (Unshowable(day, out)) return out;
  return WeekdayName(Weekday(day), text) + ", " + FormatDate(day, text);
}

std::string FormatDateDay(DayNumber day, const DateText& text) {
  std::string out;
  if (Unshowable(day, out)) return out;
  return WeekdayAbbrev3(Weekday(day), text) + " " + FormatDate(day, text);
}

std::string FormatDateRelative(DayNumber date, DayNumber reference, DayNumber today,
                               const DateText& text) {
  std::string out;
  if (Unshowable(date, out)) return out;
  if (reference == today && date == reference - 1) return kYesterdayWord;
  if (reference > 0 && std::abs(date - reference) <= 6) return WeekdayName(Weekday(date), text);
  return FormatDate(date, text);
}

std::string WeekdayName(int weekday, const DateText& text) {
  return WeekdayOf(weekday, text.names);
}

std::string WeekdayAbbrev2(int weekday, const DateText& text) {
  return Utf8Prefix(WeekdayOf(weekday, text.names), 2);
}

std::string WeekdayAbbrev3(int weekday, const DateText& text) {
  return Utf8Prefix(WeekdayOf(weekday, text.names), 3);
}

std::string MonthName(int month, const DateText& text) {
  if (month < 1 || month > 12) return {};
  return text.names.months[static_cast<size_t>(month - 1)];
}

std::string MonthAbbrev(int month, const DateText& text) {
  return MonthAbbrevOf(month, text.names);
}

std::string FormatTime(TimeOfDay time, const DateText& text) {
  if (time <= 0) return {};
  const int minutes = Minutes(time);
  const int hour = minutes / 60;
  const char sep = text.regional.sTime;
  if (text.regional.Uses24Hour()) {
    if (hour == 0) return Printf("0%c%02d", sep, minutes % 60);
    return Printf("%d%c%02d", hour, sep, minutes % 60);
  }
  return Printf("%d%c%02d%s", Hour12(hour), sep, minutes % 60, hour < 12 ? "am" : "pm");
}

std::string FormatTimeShort(TimeOfDay time, const DateText& text) {
  if (time <= 0) return {};
  const int minutes = Minutes(time);
  const int hour = minutes / 60;
  const char sep = text.regional.sTime;
  const bool zero = text.regional.iTLZero != 0;
  if (text.regional.Uses24Hour()) {
    if (zero) return Printf("%02d%c%02d", hour, sep, minutes % 60);
    return Printf("%d%c%02d", hour, sep, minutes % 60);
  }
  const char* half = hour < 12 ? "a" : "p";
  if (zero) return Printf("%02d%c%02d%s", Hour12(hour), sep, minutes % 60, half);
  return Printf("%2d%c%02d%s", Hour12(hour), sep, minutes % 60, half);
}

std::string FormatTimePadded(TimeOfDay time, const DateText& text) {
  if (time <= 0) return {};
  const int minutes = Minutes(time);
  const int hour = minutes / 60;
  const char sep = text.regional.sTime;
  if (text.regional.Uses24Hour()) return Printf("%02d%c%02d", hour, sep, minutes % 60);
  return Printf("%02d%c%02d %s", Hour12(hour), sep, minutes % 60, hour < 12 ? "am" : "pm");
}

std::string FormatDuration(int minutes, const DateText& text) {
  minutes = NonNegativeMinutes(minutes);
  const char sep = text.regional.sTime;
  if (minutes >= 60) return Printf("%d%c%02d", minutes / 60, sep, minutes % 60);
  return Printf("%c%02d", sep, minutes);
}

std::string FormatDurationPadded(int minutes, const DateText& text) {
  minutes = NonNegativeMinutes(minutes);
  const char sep = text.regional.sTime;
  if (minutes < 60) return Printf("%01d%c%02d", 0, sep, minutes);
  if (minutes < 600) return Printf("%02d%c%02d", minutes / 60, sep, minutes % 60);
  return FormatDuration(minutes, text);
}

std::string FormatOffset(int minutes, const DateText& text) {
  if (minutes == 0) return kZeroOffsetWord;
  if (minutes < 0) return "-" + FormatDuration(-minutes, text);
  return FormatDuration(minutes, text);
}

std::string FormatHours(int minutes) { return Printf("%5.2f", minutes / 60.0); }

std::string FormatNumber(int value) { return Printf("%d", value); }

}  // namespace ploven
