#pragma once

#include <string>

#include "engine/engine.h"
#include "file/file_system.h"
#include "store/date_format.h"

namespace ploven {

// Archives a completed past day: its items go to the month's done log, then leave the
// schedule, and the last archived date moves up to the day.
class DoneLogArchiver final : public DayArchiver {
 public:
  DoneLogArchiver(Engine& engine, FileSystem& fs, std::string scheduleFolder, DateText text);

  // False, leaving the day as it was, while an alarm box is open, when an item of the day is
  // not done, or when the log could not be written.
  bool ArchiveDay(Terminal& day) override;

  // The day's lines as they go to its log.
  std::string DayLines(const Terminal& day) const;

 private:
  void RemoveTask(TaskNode* task);

  Engine& m_engine;
  FileSystem& m_fs;
  std::string m_folder;
  DateText m_text;
};

}  // namespace ploven
