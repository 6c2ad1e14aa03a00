#include "done/done_log.h"

#include <algorithm>

#include "done/done_messages.h"
#include "platform/format.h"
#include "store/calendar.h"

namespace ploven {

namespace t = done_text;

DoneLogFields DoneLogFieldsOf(const Schedule& s, const TaskNode& task, DayNumber day) {
  const Act& a = s.ReadAct(task.act, "Done", __LINE__);
  DoneLogFields f;
  f.day = day;
  f.start = task.StartTime();
  f.noBeganTime = (a.flags & AF_DONE_NO_BEGAN) != 0;
  f.duration = a.duration;
  f.hasNote = (a.flags & AF_DONE_HAS_NOTE) != 0;
  f.noteNumber = a.noteNumber;
  f.title = s.GetActNameFull(task.act);
  std::string project;
  if (a.projectID != 0 && ProjectName(s, a.projectID, project) == 1) f.project = project;
  f.jobNumber = a.jobNumber;
  f.expense = a.expense;
  f.mileage = a.mileage;
  return f;
}

std::string FormatDoneLogLine(const DoneLogFields& f, const DateText& text) {
  const std::string date = FormatDateNumeric(f.day, text);
  const std::string start = f.noBeganTime ? std::string() : FormatTimePadded(f.start, text);
  const std::string note = f.hasNote ? Sprintf(t::kNoteNumber, f.noteNumber) : std::string();
  std::string title = f.title;
  std::replace(title.begin(), title.end(), '\r', ' ');
  std::replace(title.begin(), title.end(), '\n', ' ');
  return Sprintf(t::kDoneLogLine, date.c_str(), start.c_str(), f.duration, note.c_str(),
                 title.c_str(), f.project.c_str(), f.jobNumber, f.expense, f.mileage);
}

std::string DoneLogFileName(const std::string& folder, DayNumber day, const LocaleNames& names) {
  const CalendarDate d = SplitDay(day);
  std::string prefix = folder;
  if (!prefix.empty() && prefix.back() != '/' && prefix.back() != '\\') prefix += '/';
  const std::string& month = names.monthAbbrevs.at(static_cast<size_t>(d.month - 1));
  return Sprintf(t::kDoneLogFileName, prefix.c_str(), month.c_str(), d.year % 100);
}

bool AppendToDoneLog(FileSystem& fs, Messages& msg, const std::string& path,
                     const std::string& text) {
  auto file = fs.Create(path, CreateMode::kAppend);
  if (!file.ok() || *file.value == nullptr) {
    msg.ErrorMessage(t::kOpenLogFailed);
    return false;
  }
  WritableFile& out = **file.value;
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  if (out.Write({bytes, text.size()}) != 0) {
    msg.ErrorMessage(Sprintf(t::kWriteLogFailed, path.c_str()));
    out.Close();
    return false;
  }
  if (out.Close() != 0) {
    msg.ErrorMessage(Sprintf(t::kCloseLogFailed, path.c_str()));
    return false;
  }
  return true;
}

}  // namespace ploven
