#pragma once

#include <string>
#include <string_view>

#include "store/date_types.h"

namespace ploven {

// Builds a record field by field; every field is followed by its TAB.
class RecordWriter {
 public:
  RecordWriter& Field(std::string_view text);
  RecordWriter& Field(long long number);
  RecordWriter& EmptyField() { return Field(std::string_view{}); }
  // The LF that ends the record.
  RecordWriter& End();
  // Appends text that already carries its own separators (the recurrence block).
  RecordWriter& Raw(std::string_view text);

  const std::string& text() const { return m_text; }
  std::string Take() { return std::move(m_text); }

 private:
  std::string m_text;
};

// "8/12/2026": day, month and year without leading zeros, day first. Empty for no date or a
// day outside the calendar.
std::string DayMonthYear(DayNumber day);
// The title as it travels: an empty title becomes the blank-title word.
std::string RecordTitle(std::string_view title);
// "True" or "False".
const char* TrueFalse(bool value);

}  // namespace ploven
