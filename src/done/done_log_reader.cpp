#include "done/done_log_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "done/done_messages.h"
#include "platform/format.h"
#include "store/calendar.h"

namespace ploven {

namespace t = done_text;

namespace {

constexpr size_t kFieldCount = 9;
constexpr int kMinutesPerHour = 60;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A whole number making up all of `s` but blanks around it (a leading '-' allowed).
template <typename T>
std::optional<T> Whole(std::string_view s) {
  // Nearly every field is bare digits: read those without trimming.
  if (s.empty() || !IsDigit(s.front()) || !IsDigit(s.back())) s = Trim(s);
  if (s.empty()) return std::nullopt;
  const bool negative = s.front() == '-';
  if (negative) s.remove_prefix(1);
  if (s.empty() || s.size() > 9) return std::nullopt;  // 9 digits always fit
  int64_t value = 0;
  for (const char c : s) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
    return std::nullopt;
  return static_cast<T>(value);
}

// One or two digits at `i`, read and passed over; -1 when there are none.
int OneOrTwoDigits(std::string_view s, size_t& i) {
  if (i >= s.size() || !IsDigit(s[i])) return -1;
  int value = s[i++] - '0';
  if (i < s.size() && IsDigit(s[i])) value = value * 10 + (s[i++] - '0');
  return value;
}

// "12" or "3.50" as a whole number over a power of ten. With at most 15 digits both are exact
// doubles, so their quotient is the one correctly rounded value from_chars gives too.
std::optional<double> PlainDecimal(std::string_view s) {
  constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  int64_t digits = 0;
  int count = 0, decimals = -1;
  for (const char c : s) {
    if (c == '.' && decimals < 0) {
      decimals = 0;
      continue;
    }
    if (!IsDigit(c) || ++count > 15) return std::nullopt;
    digits = digits * 10 + (c - '0');
    if (decimals >= 0) ++decimals;
  }
  if (count == 0) return std::nullopt;
  return static_cast<double>(digits) / kPowersOfTen[std::max(decimals, 0)];
}

std::optional<double> Amount(std::string_view s) {
  s = Trim(s);
  if (s.empty()) return std::nullopt;
  if (const auto plain = PlainDecimal(s)) return plain;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// The three numbers of a date "06/04/96" and whether they could be read: one or two digits
// each, one separator character between them, the same both times.
bool DateParts(std::string_view s, std::array<int, 3>& parts) {
  size_t i = 0;
  char separator = 0;
  for (size_t n = 0; n < parts.size(); ++n) {
    parts[n] = OneOrTwoDigits(s, i);
    if (parts[n] < 0) return false;
    if (n + 1 == parts.size()) break;
    if (i >= s.size() || IsDigit(s[i])) return false;
    if (separator != 0 && s[i] != separator) return false;
    separator = s[i++];
  }
  return i == s.size();
}

// A two-digit year as the date rules read it: 80..99 the 1900s, 0..68 the 2000s.
int FullYear(int yy) {
  if (yy >= 80) return 1900 + yy;
  if (yy <= 68) return 2000 + yy;
  return 0;
}

std::optional<DayNumber> DayOf(int month, int day, int yy) {
  const int year = FullYear(yy);
  if (year == 0 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, year))
    return std::nullopt;
  const int d = MakeDay(month, day, year);
  if (d <= 0 || d > kLastUserDay) return std::nullopt;
  return static_cast<DayNumber>(d);
}

// The date in the user's order, or another order when the user's cannot be it: a log may have
// been written under other regional settings. The log's own month decides where it is known.
std::optional<DayNumber> ReadDate(std::string_view s, int userOrder, DoneLogMonth month) {
  std::array<int, 3> p{};
  if (!DateParts(Trim(s), p)) return std::nullopt;
  struct Parts {
    int month, day, yy;
  };
  auto inOrder = [&p](int order) -> Parts {
    switch (order) {
      case 1:
        return {p[1], p[0], p[2]};  // day-month-year
      case 2:
        return {p[1], p[2], p[0]};  // year-month-day
      default:
        return {p[0], p[1], p[2]};
    }
  };
  const int orders[] = {userOrder, 0, 1, 2};
  std::optional<DayNumber> first;
  for (const int order : orders) {
    const Parts d = inOrder(order);
    const auto day = DayOf(d.month, d.day, d.yy);
    if (!day) continue;
    if (month.month == 0) return day;
    if (d.month == month.month && (month.year == 0 || FullYear(d.yy) == month.year)) return day;
    if (!first) first = day;
  }
  return first;
}

// "09:05", "9:05", "09:05 am", "12:30 PM": a time of day (minutes after midnight plus one).
std::optional<TimeOfDay> ReadTime(std::string_view s) {
  s = Trim(s);
  size_t i = 0;
  const int hour = OneOrTwoDigits(s, i);
  if (hour < 0 || i + 3 > s.size() || IsDigit(s[i]) || !IsDigit(s[i + 1]) || !IsDigit(s[i + 2]))
    return {};
  const int minute = (s[i + 1] - '0') * 10 + (s[i + 2] - '0');
  if (minute >= kMinutesPerHour) return {};
  const std::string_view rest = Trim(s.substr(i + 3));
  int h = hour;
  if (rest.empty()) {
    if (hour > 23) return {};
  } else {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const bool pm = lower(rest[0]) == 'p';
    if (!pm && lower(rest[0]) != 'a') return {};
    if (rest.size() > 2 || (rest.size() == 2 && lower(rest[1]) != 'm')) return {};
    if (hour < 1 || hour > 12) return {};
    h = hour % 12 + (pm ? 12 : 0);
  }
  return static_cast<TimeOfDay>(h * kMinutesPerHour + minute + 1);
}

}  // namespace

bool ParseDoneLogLine(std::string_view line, const DateText& dateText, DoneLogMonth month,
                      DoneLogFields& out, std::string& reason) {
  // Four fields stand before the title and four after it; a title may hold TABs of its own.
  auto tooFew = [&line, &reason] {
    const auto n = std::count(line.begin(), line.end(), '\t') + 1;
    reason = Sprintf(t::kLogFieldCount, static_cast<int>(n));
    return false;
  };
  // One pass finds the TABs: the first four end the fields before the title, the last four
  // begin the fields after it.
  std::array<size_t, 2 * kFieldCount> tabs;
  size_t tabCount = 0;
  for (size_t i = line.find('\t'); i != std::string_view::npos; i = line.find('\t', i + 1)) {
    if (tabCount == tabs.size()) {
      // A title full of TABs: keep the first four and slide the last four along.
      std::copy(tabs.begin() + kFieldCount, tabs.end(), tabs.begin() + 4);
      tabCount = 4 + (tabs.size() - kFieldCount);
    }
    tabs[tabCount++] = i;
  }
  if (tabCount < kFieldCount - 1) return tooFew();
  std::array<std::string_view, kFieldCount> fields;
  size_t begin = 0;
  for (size_t i = 0; i < 4; ++i) {
    fields[i] = line.substr(begin, tabs[i] - begin);
    begin = tabs[i] + 1;
  }
  fields[4] = line.substr(begin, tabs[tabCount - 4] - begin);
  for (size_t i = 5; i < kFieldCount; ++i) {
    const size_t from = tabs[tabCount - kFieldCount + i] + 1;
    const size_t to = i + 1 < kFieldCount ? tabs[tabCount - kFieldCount + i + 1] : line.size();
    fields[i] = line.substr(from, to - from);
  }
  constexpr size_t titleEnd = 5;
  // Filled in place: a record used again for every line keeps its strings' room.
  DoneLogFields& f = out;
  f.start = kNoTime;
  f.noBeganTime = false;
  f.hasNote = false;
  f.noteNumber = 0;
  const auto date = ReadDate(fields[0], dateText.regional.iDate, month);
  if (!date) {
    reason = Sprintf(t::kLogBadDate, std::string(fields[0]).c_str());
    return false;
  }
  f.day = *date;
  if (Trim(fields[1]).empty()) {
    f.noBeganTime = true;
  } else if (const auto start = ReadTime(fields[1])) {
    f.start = *start;
  } else {
    reason = Sprintf(t::kLogBadTime, std::string(fields[1]).c_str());
    return false;
  }
  const auto duration = Whole<int>(fields[2]);
  if (!duration || *duration < 0 || *duration > kMaxItemDuration) {
    reason = Sprintf(t::kLogBadDuration, std::string(fields[2]).c_str());
    return false;
  }
  f.duration = *duration;
  if (!Trim(fields[3]).empty()) {
    const auto note = Whole<int32_t>(fields[3]);
    if (!note || *note < 0) {
      reason = Sprintf(t::kLogBadNote, std::string(fields[3]).c_str());
      return false;
    }
    f.hasNote = true;
    f.noteNumber = *note;
  }
  f.title.assign(fields[4]);
  f.project.assign(fields[titleEnd]);
  const auto job = Whole<int32_t>(fields[titleEnd + 1]);
  const auto expense = Amount(fields[titleEnd + 2]);
  const auto mileage = Whole<int>(fields[titleEnd + 3]);
  const struct {
    bool ok;
    const char* name;
    std::string_view text;
  } numbers[] = {{job.has_value(), "job number", fields[titleEnd + 1]},
                 {expense.has_value(), "expense", fields[titleEnd + 2]},
                 {mileage.has_value(), "mileage", fields[titleEnd + 3]}};
  for (const auto& n : numbers) {
    if (!n.ok) {
      reason = Sprintf(t::kLogBadNumber, n.name, std::string(n.text).c_str());
      return false;
    }
  }
  f.jobNumber = *job;
  f.expense = *expense;
  f.mileage = *mileage;
  return true;
}

void ForEachDoneLogLine(std::string_view text, const std::string& fileName,
                        const DateText& dateText, DoneLogMonth month,
                        const std::function<void(const DoneLogFields&)>& visit,
                        std::vector<DoneLogProblem>& problems) {
  DoneLogFields f;
  std::string reason;
  int number = 0;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(begin, end - begin);
    begin = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (Trim(line).empty()) continue;
    if (ParseDoneLogLine(line, dateText, month, f, reason))
      visit(f);
    else
      problems.push_back({fileName, number, reason});
  }
}

DoneLogContents ReadDoneLog(std::string_view text, const std::string& fileName,
                            const DateText& dateText, DoneLogMonth month) {
  DoneLogContents contents;
  // A month's log has thousands of lines: one allocation for them all.
  contents.entries.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  ForEachDoneLogLine(
      text, fileName, dateText, month,
      [&contents](const DoneLogFields& f) { contents.entries.push_back(f); }, contents.problems);
  return contents;
}

}  // namespace ploven
