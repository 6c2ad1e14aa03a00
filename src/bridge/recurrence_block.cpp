#include "bridge/recurrence_block.h"

#include "bridge/bridge_codes.h"
#include "bridge/record_text.h"
#include "recur/beta_qualify.h"
#include "store/recurrence_fields.h"

namespace ploven {

int CalendarFrequencyCode(uint8_t freq) {
  switch (freq) {
    case kFreqDaily:
      return 0;
    case kFreqWeekly:
      return 1;
    case kFreqMonthly:
      return 2;
    case kFreqYearly:
      return 5;
    default:
      return freq;
  }
}

namespace {

// A number, or the absent-value word for 0.
void NumberOrNone(RecordWriter& w, long long value) {
  if (value == 0) {
    w.Field(kWordNone);
  } else {
    w.Field(value);
  }
}

bool HasEndDate(DayNumber endDate) { return endDate > 0 && endDate < kNoEndDate; }

}  // namespace

std::string RecurrenceBlock(const Beta& rule, DayNumber today) {
  RecordWriter w;
  w.Field(CalendarFrequencyCode(rule.freq)).Field(kWordNone);
  NumberOrNone(w, rule.dayBits);
  w.Field(kWordNone).Field(kWordNone).Field(kWordNone);
  NumberOrNone(w, rule.dateBits);
  w.Field(rule.interval).Field(kWordNone);
  if (HasEndDate(rule.endDate)) {
    w.Field(rule.endDate).Field(DayMonthYear(rule.endDate));
  } else {
    w.Field(kWordNone).Field(kWordNoEndDate);
  }
  w.Field(DayMonthYear(rule.startDate > 0 ? rule.startDate : today));
  w.EmptyField().Field(kWordNone).Field(kWordNone);
  return w.Take();
}

std::string RecurrenceBlockOf(const Schedule& s, ActHandle item) {
  const Beta* rule = RecurrenceOf(s, item);
  if (rule == nullptr) return RecordWriter().Field(kWordNotRecurring).Take();
  return RecurrenceBlock(*rule, s.Today());
}

}  // namespace ploven
