#include "done/done_log_archiver.h"

#include <utility>
#include <vector>

#include "done/done_log.h"

namespace ploven {

DoneLogArchiver::DoneLogArchiver(Engine& engine, FileSystem& fs, std::string scheduleFolder,
                                 DateText text)
    : m_engine(engine), m_fs(fs), m_folder(std::move(scheduleFolder)), m_text(std::move(text)) {}

std::string DoneLogArchiver::DayLines(const Terminal& day) const {
  const Schedule& s = m_engine.schedule();
  std::string lines;
  for (const TaskNode* task = day.First(); task != nullptr; task = task->Next())
    lines += FormatDoneLogLine(DoneLogFieldsOf(s, *task, day.date), m_text);
  return lines;
}

bool DoneLogArchiver::ArchiveDay(Terminal& day) {
  Schedule& s = m_engine.schedule();
  if (m_engine.busy().alarmBox || !s.AllTasksDone(day)) return false;

  // The whole day goes to the log in one write before anything leaves the schedule: a failure
  // loses no item, and trying again repeats at most the lines of that one write.
  if (!m_engine.LightMode() && m_engine.settings().doneLogFiles && day.First() != nullptr) {
    const std::string path = DoneLogFileName(m_folder, day.date, m_text.names);
    if (!AppendToDoneLog(m_fs, s.messages(), path, DayLines(day))) return false;
  }

  std::vector<TaskNode*> tasks;
  for (TaskNode* task = day.First(); task != nullptr; task = task->Next()) tasks.push_back(task);
  {
    // The day empties: it is not laid out again after every item that leaves.
    const DayRecalcBatch batch(m_engine);
    for (TaskNode* task : tasks)
      if (IsInChain(day.First(), task)) RemoveTask(task);
  }

  const DayNumber date = day.date;
  if (date > s.header().lastArchivedDate()) s.header().setLastArchivedDate(date);
  s.PurgeXlists();
  s.MarkChanged();
  // An archived day with nothing left is freed by pruning (unless a view still shows it).
  s.PruneTerminals();
  return true;
}

void DoneLogArchiver::RemoveTask(TaskNode* task) {
  Schedule& s = m_engine.schedule();
  const ActHandle h = task->act;
  const Act& a = s.ReadAct(h, "Done", __LINE__);
  if (a.Has(AF_BETA)) {
    // An unedited instance: the definition stays, and an archived day is never expanded again.
    s.UnscheduleTask(task);
    s.FreeTaskNode(task);
    return;
  }
  // A segment of an item that also stands on other days leaves alone; those days log their own.
  if (s.CountActTasks(h) > 1) {
    s.UnscheduleTask(task);
    s.FreeTaskNode(task);
    return;
  }
  if (a.Has(AF_DRONE)) {
    const ActHandle definition = a.hBeta;
    const DayNumber replaced = a.createdDate;
    if (s.IsActValid(definition) && (s.ActFlags(definition) & AF_BETA) &&
        s.FindBeta(s.ReadAct(definition).hBeta) != nullptr &&
        s.FindXlistEntry(definition, replaced) != nullptr)
      s.DelXlistEntry(definition, replaced);
  }
  s.DeleteItem(h);
  s.FreeAct(h);
}

}  // namespace ploven
