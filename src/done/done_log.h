#pragma once

#include <cstdint>
#include <string>

#include "file/file_system.h"
#include "platform/messages.h"
#include "store/date_format.h"
#include "store/schedule.h"

namespace ploven {

// What one line of the done log records of a done item on its day.
struct DoneLogFields {
  DayNumber day = kNoDate;
  TimeOfDay start = kNoTime;  // as stored: minutes after midnight plus one
  bool noBeganTime = false;
  int duration = 0;
  bool hasNote = false;
  int32_t noteNumber = 0;
  std::string title;  // whole
  std::string project;
  int32_t jobNumber = 0;
  double expense = 0;
  int mileage = 0;
};

// The fields of the item a task shows, on `day` (the task's start is the item's start there).
DoneLogFields DoneLogFieldsOf(const Schedule& s, const TaskNode& task, DayNumber day);

// One tab-separated line ending in CR LF. Line breaks in the title become blanks so that every
// item keeps to one line.
std::string FormatDoneLogLine(const DoneLogFields& fields, const DateText& text);

// The month's log in the schedule's folder: "Jan12.log" for a day of January 2012. A folder
// without a trailing separator gets one.
std::string DoneLogFileName(const std::string& folder, DayNumber day, const LocaleNames& names);

// Appends text to a done log, creating the file when it is missing. False (and the user told)
// when the file could not be opened, written or closed.
bool AppendToDoneLog(FileSystem& fs, Messages& msg, const std::string& path,
                     const std::string& text);

}  // namespace ploven
