#include "cli/recur_rule.h"

#include <charconv>
#include <vector>

#include "cli/cli_input.h"
#include "cli/cli_messages.h"
#include "recur/beta_qualify.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = text.find(',', begin);
    if (end == std::string::npos) end = text.size();
    parts.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return parts;
}

std::optional<int> Number(const std::string& text, int lo, int hi) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < lo || value > hi)
    return std::nullopt;
  return value;
}

bool Lowered(std::string& s) {
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return true;
}

// "1Tu" .. "4Tu", and "lastTu" (last week) or "5Tu" (fifth week): week 1..5 and weekday.
bool ReadWeekOfMonth(std::string item, bool fifthWeek, Beta& b) {
  Lowered(item);
  if (item.size() < 3) return false;
  const std::string day = item.substr(item.size() - 2);
  const std::string week = item.substr(0, item.size() - 2);
  const auto bit = ReadWeekdays(day);
  if (!bit || *bit == 0) return false;
  int weekday = 0;
  while (!((*bit >> weekday) & 1)) ++weekday;
  int w = 0;
  if (week == (fifthWeek ? "5" : "last")) w = 5;
  else if (auto n = Number(week, 1, 4)) w = *n;
  else return false;
  if (w == 5) b.dayBits = static_cast<uint8_t>(b.dayBits | *bit);
  else b.dateBits |= 1u << (7 * (w - 1) + weekday);
  return true;
}

}  // namespace

RecurRuleResult ReadRecurRule(const std::string& text, Beta& b) {
  std::string kind = text, list;
  int interval = 1;
  if (const size_t slash = kind.rfind('/'); slash != std::string::npos) {
    const auto n = Number(kind.substr(slash + 1), 1, 999);
    if (!n) return {false, t::kBadRecurInterval};
    interval = *n;
    kind = kind.substr(0, slash);
  }
  if (const size_t colon = kind.find(':'); colon != std::string::npos) {
    list = kind.substr(colon + 1);
    kind = kind.substr(0, colon);
  }
  Lowered(kind);
  b.dayBits = 0;
  b.dateBits = 0;
  b.interval = static_cast<int16_t>(interval);
  const uint8_t action = b.freq & static_cast<uint8_t>(~kFreqKinds);
  auto done = [&](uint8_t freq) {
    b.freq = static_cast<uint8_t>(action | freq);
    return RecurRuleResult{true, {}};
  };
  const bool wantsList = kind == "weekly" || kind.starts_with("monthly");
  if (wantsList == list.empty()) return {false, t::kBadRecurRule};
  if (kind == "daily") return done(kFreqDaily);
  if (kind == "yearly") {
    if (interval > 99) return {false, t::kBadRecurInterval};
    return done(kFreqYearly);
  }
  if (kind == "weekly") {
    const auto bits = ReadWeekdays(list);
    if (!bits) return {false, t::kBadRecurRule};
    b.dayBits = *bits;
    return done(kFreqWeekly);
  }
  if (interval > 99) return {false, t::kBadRecurInterval};
  if (kind == "monthly") {
    for (std::string item : Split(list)) {
      Lowered(item);
      if (item == "last") b.dateBits |= kDateBitLast;
      else if (auto d = Number(item, 1, 30)) b.dateBits |= 1u << (*d - 1);
      else return {false, item == "31" ? t::kNoDate31 : t::kBadRecurRule};
    }
    return done(kFreqMonthly);
  }
  if (kind == "monthly-week" || kind == "monthly-445") {
    const bool fifth = kind == "monthly-445";
    for (const std::string& item : Split(list))
      if (!ReadWeekOfMonth(item, fifth, b)) return {false, t::kBadRecurRule};
    b.dateBits |= kDateBitsLastWeek;
    if (fifth) b.dayBits = static_cast<uint8_t>(b.dayBits | kDayBitsFifthWeek);
    return done(kFreqMonthly);
  }
  return {false, t::kBadRecurRule};
}

std::string WeekdayNames(uint8_t bits) {
  static constexpr const char* kNames[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
  std::string out;
  for (int d = 0; d < 7; ++d) {
    if (!((bits >> d) & 1)) continue;
    if (!out.empty()) out += ',';
    out += kNames[d];
  }
  return out;
}

std::string WriteRecurRule(const Beta& b) {
  std::string rule;
  const uint8_t kind = b.freq & kFreqKinds;
  if (kind & kFreqDaily) {
    rule = "daily";
  } else if (kind & kFreqWeekly) {
    rule = "weekly:" + WeekdayNames(b.dayBits & kEveryWeekdayBits);
  } else if (kind & kFreqYearly) {
    rule = "yearly";
  } else if ((kind & kFreqMonthly) && (b.dateBits & kDateBitsLastWeek)) {
    // Weeks 1 to 4 of the month in the date bits, the last (or fifth) week in the day bits.
    const bool fifth = (b.dayBits & kDayBitsFifthWeek) != 0;
    std::string list;
    auto add = [&](const std::string& week, int weekday) {
      if (!list.empty()) list += ',';
      list += week + WeekdayNames(static_cast<uint8_t>(1u << weekday));
    };
    for (int w = 1; w <= 4; ++w)
      for (int d = 0; d < 7; ++d)
        if (b.dateBits & (1u << (7 * (w - 1) + d))) add(std::to_string(w), d);
    for (int d = 0; d < 7; ++d)
      if (b.dayBits & (1u << d)) add(fifth ? "5" : "last", d);
    rule = (fifth ? "monthly-445:" : "monthly-week:") + list;
  } else if (kind & kFreqMonthly) {
    std::string list;
    for (int d = 1; d <= 30; ++d) {
      if (!(b.dateBits & (1u << (d - 1)))) continue;
      if (!list.empty()) list += ',';
      list += std::to_string(d);
    }
    if (b.dateBits & kDateBitLast) list += list.empty() ? "last" : ",last";
    rule = "monthly:" + list;
  } else {
    return "";
  }
  if (b.interval > 1) rule += "/" + std::to_string(b.interval);
  return rule;
}

}  // namespace ploven::cli
