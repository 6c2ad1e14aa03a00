#include "bridge/incoming_record.h"

#include <charconv>
#include <vector>

#include "bridge/record_text.h"
#include "recur/beta_qualify.h"
#include "store/act_record.h"
#include "store/calendar.h"

namespace ploven {

namespace {

// Fields before the recurrence block.
constexpr size_t kTaskFields = 23;
constexpr size_t kAppointmentFields = 22;
constexpr size_t kRecurrenceFields = 15;

// Thrown inside the reader only; turned into the refusal.
struct BadField {
  std::string reason;
};

[[noreturn]] void Refuse(std::string reason) { throw BadField{std::move(reason)}; }

std::vector<std::string_view> SplitFields(std::string_view record) {
  std::vector<std::string_view> fields;
  size_t from = 0;
  while (from < record.size()) {
    const size_t tab = record.find(kFieldEnd, from);
    if (tab == std::string_view::npos) {
      fields.push_back(record.substr(from));
      break;
    }
    fields.push_back(record.substr(from, tab - from));
    from = tab + 1;
  }
  return fields;
}

template <typename T>
T Number(std::string_view text, long long low, long long high, const char* what) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
    Refuse(std::string(what) + " \"" + std::string(text) + "\" is not a number in range");
  }
  return static_cast<T>(value);
}

// A number, or 0 for the absent-value word.
template <typename T>
T NumberOrNone(std::string_view text, long long low, long long high, const char* what) {
  return text == kWordNone ? T{0} : Number<T>(text, low, high, what);
}

// "8/12/2026"; empty text is no date.
DayNumber Date(std::string_view text, const char* what) {
  if (text.empty()) return kNoDate;
  const size_t a = text.find('/');
  const size_t b = a == std::string_view::npos ? a : text.find('/', a + 1);
  if (b == std::string_view::npos)
    Refuse(std::string(what) + " \"" + std::string(text) + "\" is not a date");
  const int day = Number<int>(text.substr(0, a), 1, 31, what);
  const int month = Number<int>(text.substr(a + 1, b - a - 1), 1, 12, what);
  const int year = Number<int>(text.substr(b + 1), 1980, 2069, what);
  const int number = MakeDay(month, day, year);
  if (day > DaysInMonth(month, year) || number < 1 || number > kLastDay) {
    Refuse(std::string(what) + " \"" + std::string(text) + "\" is not a date");
  }
  return static_cast<DayNumber>(number);
}

// A time as the program shows it: "9:05", "21:05", "9:05am", "12:00pm"; empty text is no time.
TimeOfDay Time(std::string_view text, const DateText& dateText, const char* what) {
  if (text.empty()) return kNoTime;
  int shift = -1;  // -1: 24-hour, 0: am, 12: pm
  std::string_view clock = text;
  if (clock.size() > 2) {
    const std::string_view suffix = clock.substr(clock.size() - 2);
    if (suffix == "am" || suffix == "AM") shift = 0;
    if (suffix == "pm" || suffix == "PM") shift = 12;
    if (shift >= 0) clock.remove_suffix(2);
  }
  size_t colon = clock.find(dateText.regional.sTime);
  if (colon == std::string_view::npos) colon = clock.find(':');
  if (colon == std::string_view::npos || clock.size() - colon != 3) {
    Refuse(std::string(what) + " \"" + std::string(text) + "\" is not a time");
  }
  int hours = shift < 0 ? Number<int>(clock.substr(0, colon), 0, 23, what)
                        : Number<int>(clock.substr(0, colon), 1, 12, what);
  const int minutes = Number<int>(clock.substr(colon + 1), 0, 59, what);
  if (shift >= 0) hours = hours % 12 + shift;
  return ClockTime(hours, minutes);
}

bool Flag(std::string_view text, const char* what) {
  if (text == kWordTrue) return true;
  if (text == kWordFalse) return false;
  Refuse(std::string(what) + " \"" + std::string(text) + "\" is neither True nor False");
}

std::string Title(std::string_view text) {
  if (text.size() > kActTitleMax) Refuse("the title is longer than 1000 characters");
  return text == kBlankTitle ? std::string() : std::string(text);
}

// "not done", or "date*time*time" where a time may be "not added" or empty.
void Deadline(std::string_view text, const DateText& dateText, IncomingItem& item) {
  if (text == kWordNotDone) {
    item.done = true;
    return;
  }
  const size_t a = text.find('*');
  const size_t b = a == std::string_view::npos ? a : text.find('*', a + 1);
  if (b == std::string_view::npos || text.find('*', b + 1) != std::string_view::npos) {
    Refuse("the deadline \"" + std::string(text) + "\" does not read");
  }
  auto time = [&](std::string_view t) {
    return t == kWordNotAdded ? kNoTime : Time(t, dateText, "the deadline time");
  };
  item.deadlineDate = Date(text.substr(0, a), "the deadline date");
  item.earliestDateTime = time(text.substr(a + 1, b - a - 1));
  item.deadlineTime = time(text.substr(b + 1));
}

// "h:m:" with signed numbers.
void AlarmOffset(std::string_view text, IncomingItem& item) {
  const size_t a = text.find(':');
  if (a == std::string_view::npos || text.size() < a + 2 || text.back() != ':') {
    Refuse("the alarm offset \"" + std::string(text) + "\" does not read");
  }
  item.alarmHours = Number<int8_t>(text.substr(0, a), -128, 127, "the alarm hours");
  item.alarmMinutes =
      Number<int16_t>(text.substr(a + 1, text.size() - a - 2), -32768, 32767, "the alarm minutes");
}

uint8_t FrequencyFromCode(int code) {
  switch (code) {
    case 0:
      return kFreqDaily;
    case 1:
      return kFreqWeekly;
    case 2:
      return kFreqMonthly;
    case 5:
      return kFreqYearly;
    default:
      return static_cast<uint8_t>(code);
  }
}

std::optional<IncomingRecurrence> Recurrence(const std::vector<std::string_view>& f, size_t at) {
  const size_t left = f.size() - at;
  if (left == 1 && f[at] == kWordNotRecurring) return std::nullopt;
  if (left != kRecurrenceFields) Refuse("the recurrence has the wrong number of fields");
  IncomingRecurrence r;
  r.freq = FrequencyFromCode(Number<int>(f[at], 0, 255, "the frequency"));
  if ((r.freq & kFreqKinds) == 0) Refuse("the frequency names no rule");
  r.dayBits = NumberOrNone<uint8_t>(f[at + 2], 0, 255, "the weekdays");
  r.dateBits = NumberOrNone<uint32_t>(f[at + 6], 0, UINT32_MAX, "the dates");
  r.interval = Number<int16_t>(f[at + 7], 1, 999, "the interval");
  if (f[at + 10] != kWordNoEndDate) r.endDate = Date(f[at + 10], "the End Date");
  r.startDate = Date(f[at + 11], "the Start Date");
  if (r.startDate == kNoDate) Refuse("the recurrence has no Start Date");
  if (r.endDate != kNoDate && r.endDate < r.startDate)
    Refuse("the End Date precedes the Start Date");
  return r;
}

std::string Note(std::string_view text) { return text == " " ? std::string() : std::string(text); }

IncomingItem ReadTask(const std::vector<std::string_view>& f, const DateText& dt) {
  IncomingItem item;
  item.title = Title(f[0]);
  item.date = Date(f[1], "the date");
  if (item.date == kNoDate) Refuse("the record has no date");
  Deadline(f[2], dt, item);
  item.alarm = Flag(f[3], "the reminder switch");
  AlarmOffset(f[5], item);
  item.duration = Number<Duration>(f[8], 0, kMaxItemDuration, "the duration");
  item.label = std::string(f[11]);
  item.note = Note(f[15]);
  item.project = std::string(f[18]);
  item.itemID = Number<uint32_t>(f[22], 0, UINT32_MAX, "the item number");
  item.recurrence = Recurrence(f, kTaskFields);
  return item;
}

IncomingItem ReadAppointment(const std::vector<std::string_view>& f, const DateText& dt) {
  IncomingItem item;
  item.appointment = true;
  item.title = Title(f[0]);
  item.date = Date(f[1], "the date");
  if (item.date == kNoDate) Refuse("the record has no date");
  item.start = Time(f[2], dt, "the start");
  if (item.start == kNoTime) Refuse("the appointment has no start");
  Deadline(f[3], dt, item);
  item.end = Time(f[4], dt, "the end");
  item.alarm = Flag(f[6], "the reminder switch");
  AlarmOffset(f[8], item);
  item.label = std::string(f[12]);
  item.note = Note(f[13]);
  item.project = std::string(f[14]);
  item.duration = Number<Duration>(f[20], 0, kMaxItemDuration, "the duration");
  item.itemID = Number<uint32_t>(f[21], 0, UINT32_MAX, "the item number");
  item.recurrence = Recurrence(f, kAppointmentFields);
  return item;
}

}  // namespace

IncomingParse ParseIncomingRecord(BridgeCode code, std::string_view record,
                                  const DateText& dateText) {
  if (record.size() > kMaxIncomingRecord) {
    return {std::nullopt, "the record is " + std::to_string(record.size()) + " bytes long"};
  }
  if (record.find('\0') != std::string_view::npos) return {std::nullopt, "the record holds a NUL"};
  if (code != BridgeCode::kTask && code != BridgeCode::kAppointment) {
    return {std::nullopt, "the record is not a new task or appointment"};
  }
  if (!record.empty() && record.back() == kRecordEnd) record.remove_suffix(1);
  const std::vector<std::string_view> fields = SplitFields(record);
  const bool appointment = code == BridgeCode::kAppointment;
  const size_t before = appointment ? kAppointmentFields : kTaskFields;
  if (fields.size() != before + 1 && fields.size() != before + kRecurrenceFields) {
    return {std::nullopt, "the record has " + std::to_string(fields.size()) + " fields"};
  }
  try {
    return {appointment ? ReadAppointment(fields, dateText) : ReadTask(fields, dateText), {}};
  } catch (const BadField& bad) {
    return {std::nullopt, bad.reason};
  }
}

bool SubjectRefused(std::string_view subject) {
  return subject.find(kNoPlovenWord) != std::string_view::npos;
}

}  // namespace ploven
