#include "ical/ical_fields.h"

#include <charconv>
#include <cstdio>

#include "store/act_flags.h"
#include "store/calendar.h"

namespace ploven {
namespace {

template <typename T>
std::optional<T> Parse(std::string_view text, int base) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::string Hex(uint32_t value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", width, value);
  return text;
}

// The value of NAME= among ";"-separated fields, or nothing.
std::optional<std::string_view> Field(std::string_view text, std::string_view name) {
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find(';', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view part = text.substr(at, end - at);
    if (part.size() > name.size() && part.starts_with(name) && part[name.size()] == '=')
      return part.substr(name.size() + 1);
    at = end + 1;
  }
  return std::nullopt;
}

}  // namespace

uint32_t KindFlagsMask() { return AF_FIXED | AF_FLEXIBLE | AF_HOPE | AF_SPLIT | AF_CLONE_ON_DONE; }

std::string WriteKindField(const ItemKindField& kind) {
  return Hex(kind.typeFlags, 4) + "/" + Hex(kind.flags & KindFlagsMask(), 1);
}

std::optional<ItemKindField> ReadKindField(std::string_view text) {
  const size_t slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const auto type = Parse<uint16_t>(text.substr(0, slash), 16);
  const auto flags = Parse<uint32_t>(text.substr(slash + 1), 16);
  if (!type || !flags) return std::nullopt;
  return ItemKindField{*type, *flags & KindFlagsMask()};
}

std::string BasicDate(DayNumber day) {
  const CalendarDate d = SplitDay(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", d.year, d.month, d.day);
  return text;
}

DayNumber ReadBasicDate(std::string_view text) {
  if (text.size() != 8) return kNoDate;
  const auto year = Parse<int>(text.substr(0, 4), 10);
  const auto month = Parse<int>(text.substr(4, 2), 10);
  const auto day = Parse<int>(text.substr(6, 2), 10);
  if (!year || !month || !day || *year < 1980 || *year > 2068 || *month < 1 || *month > 12 ||
      *day < 1 || *day > DaysInMonth(*month, *year))
    return kNoDate;
  return static_cast<DayNumber>(MakeDay(*month, *day, *year));
}

std::string WriteRecurField(const Beta& b) {
  std::string text = "FREQ=" + Hex(b.freq, 2) + ";DAYS=" + Hex(b.dayBits, 2) +
                     ";DATES=" + Hex(b.dateBits, 8) + ";INTERVAL=" + std::to_string(b.interval) +
                     ";OPTIONS=" + Hex(b.betaOptions, 2);
  if (b.startDate != kNoDate) text += ";FROM=" + BasicDate(b.startDate);
  if (b.endDate != kNoDate) text += ";UNTIL=" + BasicDate(b.endDate);
  return text;
}

std::optional<Beta> ReadRecurField(std::string_view text) {
  const auto freq = Field(text, "FREQ");
  const auto days = Field(text, "DAYS");
  const auto dates = Field(text, "DATES");
  const auto interval = Field(text, "INTERVAL");
  const auto options = Field(text, "OPTIONS");
  if (!freq || !days || !dates || !interval || !options) return std::nullopt;
  Beta b;
  const auto f = Parse<uint8_t>(*freq, 16);
  const auto d = Parse<uint8_t>(*days, 16);
  const auto g = Parse<uint32_t>(*dates, 16);
  const auto n = Parse<int16_t>(*interval, 10);
  const auto o = Parse<uint8_t>(*options, 16);
  if (!f || !d || !g || !n || !o || *n < 1 || *n > 999) return std::nullopt;
  b.freq = *f;
  b.dayBits = *d;
  b.dateBits = *g;
  b.interval = *n;
  b.betaOptions = *o;
  if (const auto from = Field(text, "FROM")) {
    b.startDate = ReadBasicDate(*from);
    if (b.startDate == kNoDate) return std::nullopt;
  }
  if (const auto until = Field(text, "UNTIL")) {
    b.endDate = ReadBasicDate(*until);
    if (b.endDate == kNoDate) return std::nullopt;
  }
  return b;
}

int PriorityOfTier(uint8_t tier) {
  if (tier < 'A' || tier > 'Z') return 0;
  return tier <= 'H' ? tier - 'A' + 1 : 9;
}

uint8_t TierOfPriority(int priority) {
  if (priority < 1 || priority > 9) return 0;
  return static_cast<uint8_t>('A' + priority - 1);
}

}  // namespace ploven
