#include "cli/engine_commands.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <optional>

#include "cli/calendar_sync.h"
#include "cli/cli_engine_ui.h"
#include "cli/cli_input.h"
#include "cli/cli_messages.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/schedule_access.h"
#include "edit/edit_messages.h"
#include "engine/balance_all_days.h"
#include "engine/balance_day.h"
#include "engine/past_days.h"
#include "recur/occurrence_task.h"
#include "recur/planning_session.h"
#include "recur/recurrences.h"
#include "store/act_title.h"
#include "done/done_log_archiver.h"
#include "done/mark_done.h"
#include "platform/format.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;
using Args = std::vector<std::string>;

// One changing command: the schedule opened with its lock, an engine on its settings with
// the command's screen, saved at the end when the step succeeded.
class CommandSession {
 public:
  CommandSession(CliEnv& env, const std::string& path) : m_env(env), m_session(env, path) {}

  bool Open(ViewKind view = ViewKind::kOther, ConflictPolicy policy = {}) {
    if (!m_session.Open()) return false;
    Schedule& s = m_session.schedule();
    m_planning.emplace(s, m_env.settings(), m_env.text());
    Engine& engine = m_planning->engine();
    m_archiver.emplace(engine, m_env.fs(), FolderOf(m_session.path()), m_env.text());
    engine.SetArchiver(&*m_archiver);
    // The deadline goes into the window's field as the user would type it.
    if (policy.kind == ConflictPolicy::kDeadline) {
      const auto date = Date(policy.deadline);
      if (!date) return false;
      policy.deadline = FormatDate(*date, m_env.text());
    }
    m_ui.emplace(s.Today(), view, std::move(policy));
    engine.SetUi(&*m_ui);
    // Each run starts the program afresh: series that ended before the open days go.
    ExpireRecurringItems(m_planning->recurrences());
    return true;
  }
  Schedule& schedule() { return m_session.schedule(); }
  const std::string& path() const { return m_session.path(); }
  Engine& engine() { return m_planning->engine(); }
  Recurrences& recurrences() { return m_planning->recurrences(); }
  CliEngineUi& ui() { return *m_ui; }

  // A date argument read on the schedule's day bounds; none (told) when it cannot be read.
  std::optional<DayNumber> Date(const std::string& text) {
    Schedule& s = schedule();
    const auto r = ReadDateArgument(
        text, m_env.text(), m_env.Context(s.header().earliestTimeOfDay(), s.header().latestTimeOfDay()));
    if (!r.value) {
      m_env.msg().ErrorMessage(r.message);
      return std::nullopt;
    }
    return *r.value;
  }

  // The first task of the item with the ID; null (told) when there is none.
  TaskNode* TaskOf(const std::string& idText, ActHandle* item = nullptr) {
    const auto id = ReadItemID(idText);
    if (!id) {
      m_env.msg().ErrorMessage(Sprintf(t::kBadID, idText.c_str()));
      return nullptr;
    }
    Schedule& s = schedule();
    const ActHandle h = s.FindActByID(*id);
    TaskNode* task = h == kNoAct ? nullptr : s.ActTask(h);
    if (h == kNoAct || (s.ActFlags(h) & AF_BETA)) {
      m_env.msg().ErrorMessage(Sprintf(t::kNoSuchID, idText.c_str()));
      return nullptr;
    }
    if (task == nullptr) {
      m_env.msg().ErrorMessage(Sprintf(t::kNotOnADay, idText.c_str()));
      return nullptr;
    }
    if (item != nullptr) *item = h;
    return task;
  }

  // The recurring item with the ID; kNoAct (told) when there is none.
  ActHandle DefinitionOf(const std::string& idText) {
    const auto id = ReadItemID(idText);
    const ActHandle h = id ? schedule().FindActByID(*id) : kNoAct;
    if (h == kNoAct || !(schedule().ActFlags(h) & AF_BETA)) {
      m_env.msg().ErrorMessage(Sprintf(t::kNotRecurring, idText.c_str()));
      return kNoAct;
    }
    return h;
  }

  bool Save() {
    schedule().PruneTerminals();
    return m_session.Save();
  }

 private:
  CliEnv& m_env;
  WriteSession m_session;
  std::optional<PlanningSession> m_planning;
  std::optional<CliEngineUi> m_ui;
  std::optional<DoneLogArchiver> m_archiver;
};

int Done(CommandSession& p) { return p.Save() ? kExitOk : kExitRefused; }

// Saves, then tells the calendar what changed.
int SavedAndSent(CommandSession& p, CalendarSync& calendar) {
  if (!p.Save()) return kExitRefused;
  calendar.Send();
  return kExitOk;
}

int BalanceCommand(CliEnv& env, const Args& a) {
  if (a.size() < 2) return UsageError(t::kWrongArguments + a[0]);
  ConflictPolicy policy;
  for (size_t i = 2; i < a.size(); ++i) {
    if (a[i] != "--conflict") return UsageError(t::kUnknownOption + a[i]);
    if (i + 1 >= a.size()) return UsageError(t::kMissingValue + a[i]);
    if (!ReadConflictPolicy(a[++i], policy)) return UsageError(t::kBadConflictPolicy);
  }
  CommandSession p(env, a[1]);
  if (!p.Open(ViewKind::kOther, policy)) return kExitRefused;
  if (BalanceAllDays(p.engine(), kBalanceNormal) == 0) return Refuse(env, t::kBusyNotBalanced);
  return Done(p);
}

int BalanceDayCommand(CliEnv& env, const Args& a) {
  if (a.size() != 3) return UsageError(t::kWrongArguments + a[0]);
  CommandSession p(env, a[1]);
  // The day shows in the Day View, which is what Balance Day works on.
  if (!p.Open(ViewKind::kDay)) return kExitRefused;
  const auto date = p.Date(a[2]);
  if (!date) return kExitRefused;
  p.ui().SetViewedDate(*date);
  std::cout << BalanceDay(p.engine()) << '\n';
  return Done(p);
}

int LightenCommand(CliEnv& env, const Args& a) {
  const bool urgency = a.size() == 4 && a[3] == "--urgency";
  if (a.size() != 3 && !urgency) return UsageError(t::kWrongArguments + a[0]);
  CommandSession p(env, a[1]);
  if (!p.Open(ViewKind::kDay)) return kExitRefused;
  const auto date = p.Date(a[2]);
  if (!date) return kExitRefused;
  if (urgency) LightenLoadByUrgency(p.engine(), *date);
  else LightenLoad(p.engine(), *date);
  return Done(p);
}

int IncreaseCommand(CliEnv& env, const Args& a) {
  if (a.size() != 3) return UsageError(t::kWrongArguments + a[0]);
  CommandSession p(env, a[1]);
  if (!p.Open(ViewKind::kDay)) return kExitRefused;
  const auto date = p.Date(a[2]);
  if (!date) return kExitRefused;
  if (!IncreaseLoad(p.engine(), *date)) return kExitRefused;
  return Done(p);
}

int BringForwardCommand(CliEnv& env, const Args& a) {
  if (a.size() != 3) return UsageError(t::kWrongArguments + a[0]);
  CommandSession p(env, a[1]);
  if (!p.Open(ViewKind::kDay)) return kExitRefused;
  const auto date = p.Date(a[2]);
  if (!date) return kExitRefused;
  // Past undone items come forward, never further into the past.
  if (!BringForward(p.engine(), std::max(*date, p.schedule().Today()))) return kExitRefused;
  return Done(p);
}

TaskNode* OccurrenceOn(CliEnv& env, CommandSession& p, ActHandle definition, DayNumber date,
                       const std::string& idText);

// The task an ID names: an item's first task, or for a recurring item its occurrence on the
// date given after it. Null (told) when there is none.
TaskNode* NamedTask(CliEnv& env, CommandSession& p, const std::string& idText,
                    const std::string* occurrenceDate) {
  const auto id = ReadItemID(idText);
  const ActHandle named = id ? p.schedule().FindActByID(*id) : kNoAct;
  if (named == kNoAct || !(p.schedule().ActFlags(named) & AF_BETA)) return p.TaskOf(idText);
  if (occurrenceDate == nullptr) {
    env.msg().ErrorMessage(t::kOccurrenceWantsDate);
    return nullptr;
  }
  const auto date = p.Date(*occurrenceDate);
  return date ? OccurrenceOn(env, p, named, *date, idText) : nullptr;
}

// Moves an item (or one occurrence of a recurring item, named by its date) to another date.
int MoveCommand(CliEnv& env, const Args& a) {
  if (a.size() != 4 && a.size() != 5) return UsageError(t::kWrongArguments + a[0]);
  CommandSession p(env, a[1]);
  if (!p.Open(ViewKind::kDay)) return kExitRefused;
  TaskNode* task = NamedTask(env, p, a[2], a.size() == 5 ? &a[4] : nullptr);
  if (task == nullptr) return kExitRefused;
  const auto date = p.Date(a[3]);
  if (!date) return kExitRefused;
  if (MoveItemToDate(p.engine(), task, *date) == kNoDate)
    return Refuse(env, Sprintf(t::kNotMoved, a[2].c_str()));
  return Done(p);
}

int PostponeCommand(CliEnv& env, const Args& a) {
  if (a.size() != 3 && a.size() != 4) return UsageError(t::kWrongArguments + a[0]);
  CommandSession p(env, a[1]);
  if (!p.Open(ViewKind::kDay)) return kExitRefused;
  TaskNode* task = NamedTask(env, p, a[2], a.size() == 4 ? &a[3] : nullptr);
  if (task == nullptr) return kExitRefused;
  if (!PostponeOneHour(p.engine(), task)) return kExitRefused;
  return Done(p);
}

// Marks an item done, first moving it to the date it was done on when one is given. For a
// recurring item the date names the occurrence.
int DoneCommand(CliEnv& env, const Args& a) {
  if (a.size() != 3 && a.size() != 4) return UsageError(t::kWrongArguments + a[0]);
  CommandSession p(env, a[1]);
  if (!p.Open(ViewKind::kDay)) return kExitRefused;
  const auto id = ReadItemID(a[2]);
  const ActHandle named = id ? p.schedule().FindActByID(*id) : kNoAct;
  if (named != kNoAct && (p.schedule().ActFlags(named) & AF_BETA)) {
    if (a.size() != 4) return UsageError(t::kDoneWantsDate);
    const auto date = p.Date(a[3]);
    if (!date) return kExitRefused;
    TaskNode* occurrence = OccurrenceOn(env, p, named, *date, a[2]);
    if (occurrence == nullptr) return kExitRefused;
    CalendarSync calendar(env, p.schedule(), p.path());
    calendar.Done(occurrence->act, *date, true);
    if (!MarkTaskDone(p.engine(), occurrence)) return kExitRefused;
    return SavedAndSent(p, calendar);
  }
  ActHandle item = kNoAct;
  TaskNode* task = p.TaskOf(a[2], &item);
  if (task == nullptr) return kExitRefused;
  if (a.size() == 4) {
    const auto date = p.Date(a[3]);
    if (!date) return kExitRefused;
    if (*date != p.schedule().GetActDate(item) && MoveItemToDate(p.engine(), task, *date) == kNoDate)
      return Refuse(env, Sprintf(t::kNotMoved, a[2].c_str()));
  }
  CalendarSync calendar(env, p.schedule(), p.path());
  calendar.Done(item, p.schedule().GetActDate(item), true);
  if (!MarkTaskDone(p.engine(), task)) return kExitRefused;
  return SavedAndSent(p, calendar);
}

// Archives the completed past days; prints the last archived date.
int ArchiveCommand(CliEnv& env, const Args& a) {
  if (a.size() != 2) return UsageError(t::kWrongArguments + a[0]);
  CommandSession p(env, a[1]);
  if (!p.Open()) return kExitRefused;
  RollOverPastDays(p.engine());
  const DayNumber last = p.schedule().header().lastArchivedDate();
  std::cout << (last == kNoDate ? std::string("-") : IsoDate(last)) << '\n';
  return Done(p);
}

// The occurrence of a recurring item on a date: its clone, or the edited occurrence that
// replaced it; null (told) when it does not occur there.
TaskNode* OccurrenceOn(CliEnv& env, CommandSession& p, ActHandle definition, DayNumber date,
                       const std::string& idText) {
  if (TaskNode* task = OccurrenceTask(p.schedule(), definition, date)) return task;
  env.msg().ErrorMessage(Sprintf(t::kNoOccurrence, idText.c_str(), IsoDate(date).c_str()));
  return nullptr;
}

int CancelCommand(CliEnv& env, const Args& a) {
  if (a.size() != 4) return UsageError(t::kWrongArguments + a[0]);
  CommandSession p(env, a[1]);
  if (!p.Open(ViewKind::kDay)) return kExitRefused;
  const ActHandle h = p.DefinitionOf(a[2]);
  if (h == kNoAct) return kExitRefused;
  const auto date = p.Date(a[3]);
  if (!date) return kExitRefused;
  TaskNode* task = OccurrenceOn(env, p, h, *date, a[2]);
  if (task == nullptr) return kExitRefused;
  CalendarSync calendar(env, p.schedule(), p.path());
  calendar.Deleting(h, *date);
  if (!DeleteOneClone(p.recurrences(), task)) return kExitRefused;
  return SavedAndSent(p, calendar);
}

// Makes one occurrence an item of its own and changes it; prints its ID.
int EditOccurrenceCommand(CliEnv& env, const Args& a) {
  if (a.size() < 4) return UsageError(t::kWrongArguments + a[0]);
  std::optional<std::string> title, start, duration;
  for (size_t i = 4; i < a.size(); ++i) {
    std::optional<std::string>* into = a[i] == "--title"      ? &title
                                       : a[i] == "--start"    ? &start
                                       : a[i] == "--duration" ? &duration
                                                              : nullptr;
    if (into == nullptr) return UsageError(t::kUnknownOption + a[i]);
    if (i + 1 >= a.size()) return UsageError(t::kMissingValue + a[i]);
    *into = a[++i];
  }
  if (title && (title->empty() || title->size() > kActTitleMax))
    return UsageError(title->empty() ? edit_text::kEmptyTitle : edit_text::kTitleTooLong);
  CommandSession p(env, a[1]);
  if (!p.Open(ViewKind::kDay)) return kExitRefused;
  Schedule& s = p.schedule();
  const ActHandle h = p.DefinitionOf(a[2]);
  if (h == kNoAct) return kExitRefused;
  const auto date = p.Date(a[3]);
  if (!date) return kExitRefused;
  // Every value is read before anything changes.
  std::optional<TimeOfDay> newStart;
  std::optional<Duration> newDuration;
  const ParseContext context =
      env.Context(s.header().earliestTimeOfDay(), s.header().latestTimeOfDay());
  if (start) {
    const auto r = ReadTimeArgument(*start, env.text(), context);
    if (!r.value) return Refuse(env, r.message);
    newStart = r.value;
  }
  if (duration) {
    const auto r = ReadDurationArgument(*duration, env.text());
    if (!r.value) return Refuse(env, r.message);
    newDuration = r.value;
  }
  TaskNode* task = OccurrenceOn(env, p, h, *date, a[2]);
  if (task == nullptr) return kExitRefused;
  ActHandle drone = task->act;
  if (drone == h) drone = CloneToDrone(p.recurrences(), task);
  if (drone == kNoAct) return Refuse(env, Sprintf(t::kNotEdited, a[2].c_str()));
  if (title) s.SetActName(drone, *title);
  if (newStart || newDuration) {
    Act& rec = s.LockAct(drone);
    if (newStart) rec.startTime = *newStart;
    if (newDuration) rec.duration = *newDuration;
    // Placed again at its new time.
    s.UnscheduleTask(task);
    task->length = static_cast<int16_t>(rec.duration);
    s.ScheduleTask(task, *date);
  }
  s.TouchAct(drone);
  s.MarkChanged();
  // Edited back to the series' values, it is a plain occurrence again (the series' ID).
  const uint32_t id = s.GetActID(FoldEditedBackOccurrence(p.recurrences(), drone));
  if (Done(p) != kExitOk) return kExitRefused;
  std::cout << id << '\n';
  return kExitOk;
}

}  // namespace

int RunEngineCommand(CliEnv& env, const Args& a, bool& handled) {
  handled = true;
  const std::string& c = a[0];
  if (c == "balance") return BalanceCommand(env, a);
  if (c == "balance-day") return BalanceDayCommand(env, a);
  if (c == "lighten") return LightenCommand(env, a);
  if (c == "increase") return IncreaseCommand(env, a);
  if (c == "bring-forward") return BringForwardCommand(env, a);
  if (c == "move") return MoveCommand(env, a);
  if (c == "postpone") return PostponeCommand(env, a);
  if (c == "done") return DoneCommand(env, a);
  if (c == "archive") return ArchiveCommand(env, a);
  if (c == "cancel") return CancelCommand(env, a);
  if (c == "edit-occurrence") return EditOccurrenceCommand(env, a);
  handled = false;
  return kExitUsage;
}

}  // namespace ploven::cli
