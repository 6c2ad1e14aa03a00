#include "bridge/record_text.h"

#include "bridge/bridge_codes.h"
#include "store/calendar.h"

namespace ploven {

RecordWriter& RecordWriter::Field(std::string_view text) {
  m_text.append(text);
  m_text.push_back(kFieldEnd);
  return *this;
}

RecordWriter& RecordWriter::Field(long long number) { return Field(std::to_string(number)); }

RecordWriter& RecordWriter::End() {
  m_text.push_back(kRecordEnd);
  return *this;
}

RecordWriter& RecordWriter::Raw(std::string_view text) {
  m_text.append(text);
  return *this;
}

std::string DayMonthYear(DayNumber day) {
  if (day <= 0) return {};
  const CalendarDate d = SplitDay(day);
  if (d.year == 0) return {};
  return std::to_string(d.day) + "/" + std::to_string(d.month) + "/" + std::to_string(d.year);
}

std::string RecordTitle(std::string_view title) {
  return title.empty() ? std::string(kBlankTitle) : std::string(title);
}

const char* TrueFalse(bool value) { return value ? kWordTrue : kWordFalse; }

}  // namespace ploven
