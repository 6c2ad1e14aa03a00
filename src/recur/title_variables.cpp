#include "recur/title_variables.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/format.h"
#include "recur/recurrence_dialog_messages.h"
#include "store/calendar.h"

namespace ploven {
namespace {

namespace text = recur_dialog_text;

enum class Variable {
  kRotation,
  kLastDone,
  kNextInstance,
  kCountUp,
  kCountDown,
  kOriginDate,
  kOriginDayOfWeek,
  kOriginDay,
  kOriginMonthYear,
  kOriginMonth,
  kUniqueNumber,
};

// The number after a keyword. `huge` marks digits too many for the type: for an offset that is
// simply a date no one can show.
struct Argument {
  bool present = false;
  bool valid = true;
  bool huge = false;
  int64_t value = 0;
};

struct Parsed {
  Variable kind;
  Argument argument;
};

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const auto a = static_cast<unsigned char>(s[i]);
    const auto b = static_cast<unsigned char>(prefix[i]);
    if (std::tolower(a) != std::tolower(b)) return false;
  }
  return true;
}

// Spaces, then an optional sign and digits; text after the digits is ignored.
Argument ReadArgument(std::string_view rest) {
  size_t i = 0;
  while (i < rest.size() && std::isspace(static_cast<unsigned char>(rest[i]))) ++i;
  Argument arg;
  if (i == rest.size()) return arg;
  arg.present = true;
  const char* first = rest.data() + i;
  const char* last = rest.data() + rest.size();
  if (*first == '+' && first + 1 < last && std::isdigit(static_cast<unsigned char>(first[1])))
    ++first;
  const auto [end, ec] = std::from_chars(first, last, arg.value);
  if (ec == std::errc::result_out_of_range) {
    arg.huge = true;
  } else if (ec != std::errc() || end == first) {
    arg.valid = false;
  }
  return arg;
}

// Which variable the bracket's text names, or none. The order matters: "origin dayofweek"
// before "origin day", "origin monthyear" before "origin month".
std::optional<Parsed> Classify(std::string_view inner) {
  if (inner.find('|') != std::string_view::npos) return Parsed{Variable::kRotation, {}};
  struct Keyword {
    std::string_view word;
    Variable kind;
  };
  static constexpr Keyword kKeywords[] = {
      {"last done", Variable::kLastDone},       {"next instance", Variable::kNextInstance},
      {"count up", Variable::kCountUp},         {"count down", Variable::kCountDown},
      {"origin date", Variable::kOriginDate},   {"origin dayofweek", Variable::kOriginDayOfWeek},
      {"origin day", Variable::kOriginDay},     {"origin monthyear", Variable::kOriginMonthYear},
      {"origin month", Variable::kOriginMonth}, {"uniquenumber", Variable::kUniqueNumber},
  };
  for (const Keyword& keyword : kKeywords) {
    if (!StartsWithNoCase(inner, keyword.word)) continue;
    Parsed parsed{keyword.kind, ReadArgument(inner.substr(keyword.word.size()))};
    switch (keyword.kind) {
      case Variable::kCountUp:
      case Variable::kCountDown:
        // The starting number is required, and must leave room to count from.
        if (!parsed.argument.present || !parsed.argument.valid || parsed.argument.huge ||
            parsed.argument.value < INT32_MIN || parsed.argument.value > INT32_MAX)
          return std::nullopt;
        break;
      case Variable::kOriginDate:
      case Variable::kOriginDayOfWeek:
      case Variable::kOriginMonth:
        if (!parsed.argument.valid) return std::nullopt;
        break;
      default:
        parsed.argument = {};
        break;
    }
    return parsed;
  }
  return std::nullopt;
}

bool ValidDay(int64_t day) { return day >= 1 && day <= kLastDay; }

// The origin moved by an offset, or nothing when it leaves the dates a user can have.
std::optional<int> OffsetDay(DayNumber origin, const Argument& offset) {
  if (offset.huge || offset.value < -kLastDay || offset.value > kLastDay) return std::nullopt;
  const int64_t day = static_cast<int64_t>(origin) + offset.value;
  if (day < kFirstUserDay || day > kLastUserDay) return std::nullopt;
  return static_cast<int>(day);
}

// At most `count` characters of UTF-8 text.
std::string Utf8Cut(const std::string& s, size_t count) {
  size_t chars = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;  // continuation byte
    if (chars == count) return s.substr(0, i);
    ++chars;
  }
  return s;
}

std::optional<std::string> Rotation(std::string_view inner, const TitleVariableContext& c) {
  if (!c.instanceNumber) return std::nullopt;
  std::vector<std::string_view> words;
  size_t from = 0;
  for (;;) {
    const size_t bar = inner.find('|', from);
    words.push_back(inner.substr(from, bar == std::string_view::npos ? bar : bar - from));
    if (bar == std::string_view::npos) break;
    from = bar + 1;
  }
  const auto k = static_cast<int64_t>(words.size());
  const int64_t n = c.instanceNumber();
  // An occurrence before the first (n < 1) still gets a word rather than an index below 0.
  const int64_t index = (((n - 1) % k) + k) % k;
  return std::string(words[static_cast<size_t>(index)]);
}

std::optional<std::string> Evaluate(const Parsed& p, std::string_view inner,
                                    const TitleVariableContext& c) {
  const DateText& dt = c.text;
  switch (p.kind) {
    case Variable::kRotation:
      return Rotation(inner, c);
    case Variable::kLastDone:
      return FormatDate(c.lastDone, dt);
    case Variable::kNextInstance:
      if (!c.nextInstance) return std::nullopt;
      return FormatDate(c.nextInstance(), dt);
    case Variable::kCountUp:
    case Variable::kCountDown: {
      if (!c.instanceNumber) return std::nullopt;
      const int64_t step = static_cast<int64_t>(c.instanceNumber()) - 1;
      const int64_t n = p.argument.value;
      return std::to_string(p.kind == Variable::kCountUp ? n + step : n - step);
    }
    case Variable::kOriginDate: {
      const std::optional<int> day = OffsetDay(c.origin, p.argument);
      if (!day) return std::string(text::kDateOutOfRange);
      return FormatDate(static_cast<DayNumber>(*day), dt);
    }
    case Variable::kOriginDayOfWeek: {
      const std::optional<int> day = OffsetDay(c.origin, p.argument);
      if (!day) return std::string(text::kWeekdayOutOfRange);
      return WeekdayName(Weekday(*day), dt);
    }
    case Variable::kOriginDay:
      if (!ValidDay(c.origin)) return std::string();
      return WeekdayName(Weekday(c.origin), dt);
    case Variable::kOriginMonthYear: {
      if (!ValidDay(c.origin)) return std::string();
      const std::string month = MonthName(MonthOf(c.origin), dt);
      const std::string year = std::to_string(YearOf(c.origin));
      return Utf8Cut(Sprintf(text::kMonthYearFormat, month.c_str(), year.c_str()),
                     text::kMonthYearMaxChars);
    }
    case Variable::kOriginMonth: {
      if (!ValidDay(c.origin)) return std::string();
      // The remainder first, so that no offset can overflow.
      const int64_t shift = p.argument.huge ? 0 : p.argument.value % 12;
      const int64_t month = ((MonthOf(c.origin) - 1 + shift) % 12 + 12) % 12 + 1;
      return MonthName(static_cast<int>(month), dt);
    }
    case Variable::kUniqueNumber:
      return Sprintf(text::kUniqueNumberFormat, std::to_string(c.uniqueNumber).c_str());
  }
  return std::nullopt;
}

}  // namespace

std::string ExpandTitleVariables(std::string_view title, const TitleVariableContext& context) {
  const size_t open = title.find('{');
  if (open == std::string_view::npos) return std::string(title);
  const size_t close = title.find('}', open + 1);
  if (close == std::string_view::npos) return std::string(title);
  const std::string_view inner = title.substr(open + 1, close - open - 1);

  const std::optional<Parsed> parsed = Classify(inner);
  if (!parsed) return std::string(title);
  const bool live = parsed->kind == Variable::kLastDone || parsed->kind == Variable::kNextInstance;
  if (live && context.forDrone) return std::string(title);

  std::optional<std::string> value;
  if (context.expansionOff) {
    value.emplace();
  } else {
    value = Evaluate(*parsed, inner, context);
  }
  if (!value) return std::string(title);
  std::string out(title.substr(0, open));
  out += *value;
  out += title.substr(close + 1);
  return out;
}

}  // namespace ploven
