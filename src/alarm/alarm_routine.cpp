#include "alarm/alarm_routine.h"

#include <unordered_set>

#include "alarm/alarm_due.h"
#include "alarm/alarm_messages.h"
#include "alarm/forwarding.h"
#include "alarm/triggered_launch.h"
#include "done/mark_done.h"
#include "done/start_unstart.h"
#include "edit/item_delete.h"
#include "edit/item_duplicate.h"
#include "platform/format.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"
#include "recur/recurrences.h"
#include "store/calendar.h"

namespace ploven {

namespace t = alarm_text;

namespace {

constexpr int kKeyDrainMilliseconds = 300;     // before an alarm box
constexpr int kLaunchDrainMilliseconds = 800;  // before the triggered-launch question
constexpr size_t kBoxTitleLongest = 900;
constexpr int kChimeInterval = 5;
constexpr int kMinutesPerHour = 60;

// The alarm box's answers in the order of its buttons.
constexpr int kAnswerYes = kIdCustom1;
constexpr int kAnswerNo = kIdCustom1 + 1;
constexpr int kAnswerDelete = kIdCustom1 + 2;
constexpr int kAnswerDone = kIdCustom1 + 3;

std::string OccurrenceKey(ActHandle item, DayNumber day) {
  return std::to_string(item) + "@" + std::to_string(day);
}

}  // namespace

void ResetAlarmState(Schedule& s, ActHandle act) {
  if (act == kNoAct || !s.IsActValid(act)) return;
  Act& a = s.LockAct(act);
  if (a.alarmState == 0) return;
  a.alarmState = 0;
  s.MarkChanged();
}

void ResetAllAlarmStates(Schedule& s) {
  for (const auto& [title, node] : s.actChain()) ResetAlarmState(s, node.act);
}

int16_t SnoozeState(TimeOfDay now, int minutes) {
  const int at = now + minutes;
  return static_cast<int16_t>(at > kMinutesPerDay ? -1 : at);
}

AlarmRoutine::AlarmRoutine(AlarmServices services) : m_x(std::move(services)) {}

void AlarmRoutine::NewDay() {
  ResetAllAlarmStates(m_x.recurrences.schedule());
  m_lastLaunchMoment = -1;
}

void AlarmRoutine::PlayAlarmSound() {
  const std::string& sound = m_x.settings.sound;
  if (sound == t::kSoundNone) return;
  if (sound.empty()) {
    m_x.device.PlayDefaultAlarm();
    return;
  }
  if (!m_x.device.FileExists(sound)) {
    m_x.msg.ErrorMessage(Sprintf(t::kSoundFileGone, sound.c_str()));
    return;
  }
  m_x.device.PlayFile(sound);
}

int AlarmRoutine::ShowCounted(const std::function<int()>& show) {
  Engine& engine = m_x.recurrences.engine();
  ++m_openBoxes;
  const bool wasUp = engine.busy().alarmBox;
  engine.busy().alarmBox = true;
  const int answer = show();
  engine.busy().alarmBox = wasUp;
  --m_openBoxes;
  return answer;
}

void AlarmRoutine::RunMinute() {
  const DayNumber today = m_x.clock.Today();
  const TimeOfDay now = m_x.clock.Now();
  PlayChimes(today, now);
  if (m_openBoxes > 0 && !m_x.settings.suppressRepeats && !m_x.settings.mute) PlayAlarmSound();
  CheckDay(today, now);
}

void AlarmRoutine::PlayChimes(DayNumber today, TimeOfDay now) {
  if (!m_x.settings.chimes) return;
  const int clock = ClockMinutes(now);
  std::string chime;
  if (clock % kChimeInterval == 0) chime = Sprintf(t::kChimeFile, clock % kMinutesPerHour);
  Engine& engine = m_x.recurrences.engine();
  if (now == engine.schedule().header().workdayEnd() && engine.IsWorkday(today))
    chime = Sprintf(t::kChimeFile, 0);
  if (chime.empty()) return;
  const std::string path = m_x.dataFolder.empty() ? chime : m_x.dataFolder + "/" + chime;
  if (m_x.device.FileExists(path)) m_x.device.PlayFile(path);
}

void AlarmRoutine::CheckDay(DayNumber today, TimeOfDay now) {
  Schedule& s = m_x.recurrences.schedule();
  if (s.ExistingTerminal(today) == nullptr) return;
  if (m_x.settings.SuppressedOn(today)) return;
  const int32_t moment = Moment(today, now);
  if (moment != m_lastLaunchMoment) {
    m_lastLaunchMoment = moment;
    RunLaunches(today, now);
  }
  if (m_openBoxes > kMostAlarmBoxes) return;
  if (m_openBoxes == kMostAlarmBoxes) {
    // The warning is one more box: minutes that come while it is up check nothing.
    ShowCounted([&] {
      return m_x.msg.MultiButtonBox(t::kMaximumAlarms, "",
                                    kMbOk | kMbSystemModal | kMbIconExclamation | kMbNoBeep, {});
    });
  }
  // Each ringing may run other minutes (and answers) inside its box, which can change the day:
  // after each one the walk starts over from the head, past the tasks it has seen.
  // Only a walk that starts over looks the seen tasks up; the first walk notes what it passed
  // just before something may ring (rare), not at every task of every minute.
  std::unordered_set<const TaskNode*> seen;
  bool restarted = false;
  const auto noteSeenUpTo = [&](TaskNode* n) {
    if (restarted) return;
    for (TaskNode* m = s.ExistingTerminal(today)->First(); m != nullptr && m != n; m = m->Next())
      seen.insert(m);
    seen.insert(n);
  };
  bool again = true;
  while (again) {
    again = false;
    Terminal* day = s.ExistingTerminal(today);
    if (day == nullptr) return;
    for (TaskNode* n = day->First(); n != nullptr; n = n->Next()) {
      if (restarted && !seen.insert(n).second) continue;
      bool acted = false;
      for (AlarmPoint p : {AlarmPoint::kBegin, AlarmPoint::kEnd}) {
        const Act& a = s.ReadAct(n->act);
        if (HasAlarmAt(a, p) && IsAlarmDue(a, *n, p, now)) {
          noteSeenUpTo(n);
          Ring(n, p, now);
          acted = true;
          break;  // the task may be gone: start over; its end alarm is checked next minute
        }
      }
      if (!acted) {
        const Act& a = s.ReadAct(n->act);
        const LaunchRequest launch = FindLaunch(s.GetActNameFull(n->act));
        if (launch.kind == LaunchKind::kAsk ||
            (launch.kind == LaunchKind::kAtOnce && a.Has(AF_FROM_OUTSIDE))) {
          noteSeenUpTo(n);
          acted = TriggeredLaunch(n, true, now);
        }
      }
      if (acted) {
        again = restarted = true;
        break;
      }
    }
  }
}

void AlarmRoutine::RunLaunches(DayNumber today, TimeOfDay now) {
  Schedule& s = m_x.recurrences.schedule();
  Terminal* day = s.ExistingTerminal(today);
  if (day == nullptr) return;
  // By item: a launch that fails is told in a box, and the day may change inside it.
  std::vector<ActHandle> due;
  for (TaskNode* n = day->First(); n != nullptr; n = n->Next()) {
    const Act& a = s.ReadAct(n->act);
    if (a.Has(AF_FROM_OUTSIDE)) continue;  // asked for in the walk of the day
    if (FindLaunch(s.GetActNameFull(n->act)).kind == LaunchKind::kAtOnce) due.push_back(n->act);
  }
  for (ActHandle h : due) {
    Terminal* d = s.ExistingTerminal(today);
    if (d == nullptr || !s.IsActValid(h)) continue;
    TaskNode* n = d->First();
    while (n != nullptr && n->act != h) n = n->Next();
    if (n != nullptr) TriggeredLaunch(n, false, now);
  }
}

bool AlarmRoutine::TriggeredLaunch(TaskNode* task, bool ask, TimeOfDay now) {
  Schedule& s = m_x.recurrences.schedule();
  const ActHandle item = task->act;
  const Act& a = s.ReadAct(item);
  if (!a.Has(AF_FIXED) || task->StartTime() != now || a.Has(AF_STARTED) || a.Has(AF_DONE))
    return false;
  const LaunchRequest launch = FindLaunch(s.GetActNameFull(task->act));
  if (launch.kind == LaunchKind::kNone) return false;
  if (ask) {
    if (!m_x.settings.mute) PlayAlarmSound();
    m_x.device.Wait(kLaunchDrainMilliseconds);
    m_x.device.DiscardPendingKeys();
    const std::string question = Sprintf(t::kLaunchQuestion, FormatTime(now, m_x.text).c_str(),
                                         (" '" + launch.target + "'").c_str());
    const int answer = ShowCounted([&] {
      return m_x.msg.MultiButtonBox(
          question, "", kMbYesNo | kMbSystemModal | kMbDefButton2 | kMbIconQuestion | kMbNoBeep,
          {});
    });
    // The day may have changed inside the box: the task is found again by its item.
    if (answer != kIdYes || !s.IsActValid(item)) return true;
    task = s.ActTask(item);
    if (task == nullptr) return true;
  }
  const std::string title = s.GetActTitle(task->act);
  switch (LaunchTarget(m_x.device, launch.target)) {
    case LaunchOutcome::kNothingNamed:
      m_x.msg.ErrorMessage(Sprintf(t::kLaunchNothing, title.c_str()));
      return true;
    case LaunchOutcome::kFailed:
      m_x.msg.ErrorMessage(Sprintf(t::kLaunchFailed, launch.target.c_str()));
      return true;
    case LaunchOutcome::kOpened:
    case LaunchOutcome::kStarted:
      break;
  }
  if (launch.completesItem)
    MarkTaskDone(m_x.recurrences.engine(), task);
  else
    ToggleStarted(s, task);
  s.hooks().DayChanged(m_x.clock.Today());
  return true;
}

void AlarmRoutine::Ring(TaskNode* task, AlarmPoint point, TimeOfDay now) {
  Schedule& s = m_x.recurrences.schedule();
  const DayNumber today = m_x.clock.Today();
  ActHandle item = task->act;
  const std::string sentence = AlarmSentenceAt(s.ReadAct(item), *task, point, now);
  // The alarm state belongs to the occurrence, not to every day of the series.
  if (s.ActFlags(item) & AF_BETA) {
    const ActHandle drone = s.hooks().CloneToDrone(s, task);
    if (drone != kNoAct) item = drone;
  }
  // Rung before anything is shown: the minutes that pass inside the forwarding's messages and
  // the box must not ring it again.
  s.LockAct(item).alarmState = -1;
  s.MarkChanged();
  if (s.ReadAct(item).Has(AF_ALSO_DIAL)) ForwardAlarm(m_x, item, today, now);
  if (!s.IsActValid(item)) return;

  std::string title = s.GetActTitleFull(item);
  if (title.size() > kBoxTitleLongest) title.resize(kBoxTitleLongest);
  std::string text = Sprintf(t::kBoxIntro, FormatTime(now, m_x.text).c_str());
  text += "'" + title + "'";
  text += t::kBoxScheduledTo;
  text += sentence;
  text += t::kBoxRepeatQuestion;
  const std::string caption = t::kBoxCaption + m_x.userName;

  if (!m_x.settings.mute) PlayAlarmSound();
  m_x.device.Wait(kKeyDrainMilliseconds);
  m_x.device.DiscardPendingKeys();

  AlarmNotice notice;
  notice.occurrence = OccurrenceKey(item, today);
  notice.summary = t::kNoticeSummary;
  notice.body = s.GetActTitle(item) + "\n" + sentence;
  notice.boxText = text;
  m_x.device.PostNotice(notice);
  const bool minimised = m_x.device.MainWindowMinimised();
  int answer = ShowCounted([&] {
    if (minimised) {
      const int yesNo = m_x.msg.MultiButtonBox(
          text, caption, kMbYesNo | kMbSystemModal | kMbIconExclamation | kMbNoBeep, {});
      return yesNo == kIdYes ? kAnswerYes : kAnswerNo;
    }
    MultiButtonParams params;
    params.customCaptions = t::kBoxButtons;
    return m_x.msg.MultiButtonBox(text, caption, kMbIconExclamation | kMbNoBeep, params);
  });
  // The notification may have been answered instead; its answer wins.
  switch (m_x.device.TakeNoticeAnswer(notice.occurrence)) {
    case NoticeAnswer::kSnooze:
      answer = kAnswerYes;
      break;
    case NoticeAnswer::kDone:
      answer = kAnswerDone;
      break;
    case NoticeAnswer::kDismiss:
      answer = kAnswerNo;
      break;
    case NoticeAnswer::kNone:
      break;
  }
  m_x.device.WithdrawNotice(notice.occurrence);
  if (s.IsActValid(item)) Answer(item, answer, now);
  s.hooks().DayChanged(today);
  s.MarkChanged();
}

void AlarmRoutine::Answer(ActHandle item, int answer, TimeOfDay now) {
  switch (answer) {
    case kAnswerYes:
      Snooze(item, now);
      break;
    case kAnswerDelete:
      DeleteItem(item);
      break;
    case kAnswerDone:
      DoneItem(item);
      break;
    default:  // No: the alarm stays dismissed
      break;
  }
}

void AlarmRoutine::Snooze(ActHandle item, TimeOfDay now) {
  Schedule& s = m_x.recurrences.schedule();
  const std::string title = s.GetActTitle(item);
  for (;;) {
    const std::optional<int> minutes =
        m_x.device.AskSnoozeMinutes(title, m_x.settings.snoozeMinutes);
    if (!minutes) return;  // cancelled: the alarm stays dismissed
    if (*minutes < kShortestSnooze || *minutes > kLongestSnooze) {
      m_x.msg.ErrorMessage(t::kSnoozeRange);
      continue;
    }
    m_x.settings.snoozeMinutes = *minutes;
    if (m_x.store != nullptr) m_x.store->WriteInt(key::kAlarmSnoozeMinutes, *minutes);
    if (!s.IsActValid(item)) return;
    const int16_t state = SnoozeState(now, *minutes);
    s.LockAct(item).alarmState = state;
    if (state < 0) m_x.msg.InformationMessage(t::kSnoozePastMidnight);
    return;
  }
}

void AlarmRoutine::DoneItem(ActHandle item) {
  Schedule& s = m_x.recurrences.schedule();
  TaskNode* task = s.ActTask(item);
  if (task == nullptr || !MarkTaskDone(m_x.recurrences.engine(), task)) return;
  m_x.msg.InformationMessage(t::kItemMarkedDone);
  const Act& a = s.ReadAct(item);
  if (!a.Has(AF_CLONE_ON_DONE) || IsMemoKind(a.typeFlags)) return;
  std::string title = s.GetActTitle(item);
  const char* more = "";
  constexpr size_t kOfferTitleLongest = 60;
  if (title.size() > kOfferTitleLongest) {
    title.resize(kOfferTitleLongest);
    more = "...";
  }
  if (m_x.msg.Question(Sprintf(t::kOfferToClone, title.c_str(), more)) != kIdYes) return;
  const ActHandle copy = DuplicateItem(m_x.recurrences, item, s.ActTask(item), m_x.clock.Today(),
                                       DuplicateAs::kOneItem);
  if (copy == kNoAct) return;
  ResetAlarmState(s, copy);
  m_x.device.OpenItemProperties(copy);
}

void AlarmRoutine::DeleteItem(ActHandle item) {
  Schedule& s = m_x.recurrences.schedule();
  if (m_x.undelete == nullptr) return;
  if (m_x.msg.QuestionNoDefault(Sprintf(t::kConfirmDelete, s.GetActTitle(item).c_str())) != kIdYes)
    return;
  DeleteChosenItem(m_x.recurrences, *m_x.undelete, item, s.ActTask(item), DeleteScope::kChosen);
}

}  // namespace ploven
