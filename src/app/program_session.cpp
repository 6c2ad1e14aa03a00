#include "app/program_session.h"

#include <functional>
#include <string_view>

#include "app/companion_link.h"
#include "engine/balance_all_days.h"
#include "engine/balance_day.h"
#include "engine/past_days.h"
#include "file/launch_redirect.h"
#include "file/user_messages.h"
#include "platform/layout_record.h"
#include "platform/paths.h"
#include "platform/regional_settings.h"
#include "platform/settings_keys.h"

namespace ploven {

ProgramSession::ProgramSession(Ui& ui, const Clock& system, ProgramPlaces places)
    : m_system(system),
      m_places(std::move(places)),
      m_clock(system),
      m_log(m_places.dataFolder / kErrorLogFileName, m_clock),
      m_trace(m_log),
      m_msg(ui, m_clock, m_log, m_trace),
      m_settings(m_places.dataFolder / kPrivateSettingsFileName, m_places.profile) {
  m_fs.MakeFolders(m_places.dataFolder.string());
  m_settings.Load();
  m_msg.SetSettings(&m_settings);
  m_msg.SetUserName(m_settings.ReadString(key::kUserName));
  m_text.regional = ReadRegional(m_settings.Profile());
  m_program.Load(m_settings, m_places.locale, {}, [this](const std::string& line) { m_msg.LogLine(line); });
  m_files = std::make_unique<ScheduleFiles>(m_fs, m_msg, m_clock, m_settings, &m_log);
  // What the internal-error report says about the data, and the lock it leaves behind.
  m_msg.SetShutdownFacts([this] {
    ShutdownFacts facts;
    facts.unsavedChanges = m_schedule != nullptr && m_schedule->changed();
    facts.saveInProgress = m_files->saving();
    facts.lastAutosaveEpochSeconds = m_files->lastSaveSeconds();
    facts.releaseWriteLock = [this] {
      if (ScheduleLock* lock = m_files->lock(); lock != nullptr && lock->held()) lock->Release();
    };
    return facts;
  });
  m_calendar = std::make_unique<CalendarSync>(*this, MakeCompanionLink(m_places.dataFolder));
}

ProgramSession::~ProgramSession() { Close(); }

namespace {

// A hash of the file's bytes; nothing when it cannot be read.
std::optional<size_t> FileFingerprint(FileSystem& fs, const std::string& path) {
  const auto bytes = fs.ReadFile(path);
  if (!bytes.ok()) return std::nullopt;
  const std::vector<uint8_t>& b = *bytes.value;
  return std::hash<std::string_view>{}(
      std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

}  // namespace

long ProgramSession::userNumber() const {
  return UserNumber(m_settings.ReadString(key::kUserName));
}

uint16_t ProgramSession::ScheduleIdentity(const std::string& path) {
  uint16_t sum = 0;
  for (char c : path) sum = static_cast<uint16_t>(sum + static_cast<signed char>(c));
  return sum;
}

std::optional<std::string> ProgramSession::ResolvePath(const std::optional<std::string>& argument) {
  // Without an argument, the schedule Make This Schedule The One Open at Launch chose.
  const std::optional<std::string> chosen =
      argument ? argument : ReadLaunchRedirect(m_fs, m_places.dataFolder.string());
  return ResolveSchedulePath(m_fs, chosen, m_places.dataFolder.string(), m_msg);
}

SessionStart ProgramSession::Open(const std::optional<std::string>& argument) {
  const auto path = ResolvePath(argument);
  if (!path) return SessionStart::kExit;
  return OpenPath(*path, argument.has_value());
}

SessionStart ProgramSession::OpenPath(const std::string& pathText, bool fromCommandLine) {
  const std::optional<std::string> path = pathText;
  OpenResult r = m_files->OpenSchedule(*path, fromCommandLine);
  switch (r.status) {
    case OpenStatus::kOpened:
      break;
    case OpenStatus::kCreated:
      m_createdThisRun = true;
      break;
    case OpenStatus::kFirstRun:
      // No schedule and no backup: a new one, which the first-run questions then shape.
      r.schedule = m_files->NewEmptySchedule(*path);
      r.readOnly = m_files->lock() == nullptr || !m_files->lock()->held();
      m_createdThisRun = true;
      break;
    case OpenStatus::kExit:
    case OpenStatus::kFailed:
      return SessionStart::kExit;
  }
  if (r.schedule == nullptr) return SessionStart::kExit;
  m_schedule = std::move(r.schedule);
  m_writable = !r.readOnly;
  if (!m_writable) m_readOnlyFingerprint = FileFingerprint(m_fs, m_files->path());
  // Nothing before today is open to new items in a schedule that never archived a day.
  if (m_schedule->header().lastArchivedDate() == kNoDate)
    m_schedule->header().setLastArchivedDate(static_cast<DayNumber>(m_clock.Today() - 1));
  if (m_createdThisRun) {
    m_layout = DefaultLayout(1280, 800);
    // The windows are placed for the screen they open on (width 0: not placed yet).
    m_layout.main = {};
    m_layout.calendar = {};
  } else {
    ReadLayoutRecord(m_settings, userNumber(), m_layout);
  }
  m_alarmSettings = ReadAlarmSettings(m_settings, m_program, m_layout);
  StartEngine();
  return m_createdThisRun ? SessionStart::kNewSchedule : SessionStart::kOpened;
}

void ProgramSession::StartEngine() {
  Schedule& s = *m_schedule;
  m_planning.emplace(s, m_settings, m_text);
  Engine& engine = m_planning->engine();
  engine.SetScheduleWritable(m_writable);
  m_archiver.emplace(engine, m_fs, m_files->folder(), m_text);
  engine.SetArchiver(&*m_archiver);
  if (m_writable) ExpireRecurringItems(m_planning->recurrences());
  s.GetTerminal(m_clock.Today());
  m_noteFiles = std::make_unique<NoteFiles>(s, m_fs, m_files->folder(),
                                            [this](int n) {
                                              return std::uniform_int_distribution<int>(
                                                  0, n - 1)(m_random);
                                            });
  m_noteLocks = std::make_unique<NoteLocks>(*m_noteFiles);
  m_noteSlots = std::make_unique<NoteSlots>(*m_noteFiles, *m_noteLocks);
}

ParseContext ProgramSession::ParseContextFor(DayNumber viewed) const {
  ParseContext c;
  c.today = m_clock.Today();
  c.now = m_clock.Now();
  c.viewed = viewed;
  if (m_schedule != nullptr) {
    c.earliestTimeOfDay = m_schedule->header().earliestTimeOfDay();
    c.latestTimeOfDay = m_schedule->header().latestTimeOfDay();
  }
  return c;
}

ClockTick ProgramSession::Tick() {
  const TimeOfDay latest = m_schedule != nullptr ? m_schedule->header().latestTimeOfDay() : 0;
  return m_clock.Tick(latest);
}

void ProgramSession::MinutePass() {
  if (!open() || m_startupInProgress) return;
  Engine& engine = m_planning->engine();
  const DayNumber today = m_clock.Today();
  const TimeOfDay now = m_clock.Now();
  if (m_writable && !engine.busy().backgroundProcessing) {
    if (AutoPilotDue(engine, today, now)) {
      BalanceAllDays(engine, kBalanceNormal);
    } else if (AutoBalanceDayDue(engine, now) && m_lastBalanceDay != today) {
      m_lastBalanceDay = today;
      BalanceDay(engine);
    }
    RollOverPastDays(engine);
    // Life projects keep an item near the top of the priorities; the warning about one
    // without any undone item waits for the change of date, not every minute.
    LifeProjectCheck(engine, false);
  }
  // Every open note keeps its lock fresh, so other programs keep off it.
  m_noteSlots->RenewLocks();
  if (m_program.disableAutosave == 0) SaveIfChanged();
  // Messages other users left for this one (not when looking at another user's schedule).
  if (m_writable) DeliverNewMessages(m_fs, m_files->folder(), m_msg);
  // Last: an alarm box is modal, and the minutes that pass while it is up run inside it.
  if (m_alarms != nullptr && m_writable) m_alarms->RunMinute();
}

void ProgramSession::SetUserName(const std::string& name) {
  m_settings.WriteString(key::kUserName, name);
  messages().SetUserName(name);
  if (m_alarms != nullptr) m_alarms->SetUserName(name);
}

void ProgramSession::DayRollOver() {
  if (!open()) return;
  Schedule& s = *m_schedule;
  if (m_alarms != nullptr && m_writable) m_alarms->NewDay();
  if (m_writable) {
    ExpireRecurringItems(m_planning->recurrences());
    // Today's day, with its occurrences, is made at once.
    s.GetTerminal(m_clock.Today());
    RollOverPastDays(m_planning->engine());
    LifeProjectCheck(m_planning->engine(), true);
    SaveIfChanged();
  }
}

bool ProgramSession::SaveIfChanged() {
  if (!open() || !m_writable) return true;
  m_schedule->PruneTerminals();
  return m_files->SaveIfChanged(*m_schedule, !m_startupInProgress);
}

void ProgramSession::StopWriting() {
  m_writable = false;
  if (m_planning) m_planning->engine().SetScheduleWritable(false);
}

WriteAccess ProgramSession::RequestWriteAccess() {
  if (m_writable) return WriteAccess::kAlreadyHeld;
  ScheduleLock* lock = m_files->lock();
  if (lock == nullptr) return WriteAccess::kFailed;
  switch (lock->Acquire()) {
    case LockStatus::kHeldByOther:
      return WriteAccess::kHeldByOther;
    case LockStatus::kFailed:
      return WriteAccess::kFailed;
    case LockStatus::kAcquired:
      break;
  }
  // What is on the screen was read before the other writer's last save: writing it now would
  // undo their work, so the lock goes back and the schedule has to be read again.
  const std::optional<size_t> now = FileFingerprint(m_fs, m_files->path());
  if (!now || now != m_readOnlyFingerprint) {
    lock->Release();
    return WriteAccess::kChangedOnDisk;
  }
  m_writable = true;
  m_readOnlyFingerprint.reset();
  Engine& engine = m_planning->engine();
  engine.SetScheduleWritable(true);
  ExpireRecurringItems(m_planning->recurrences());
  return WriteAccess::kGranted;
}

bool ProgramSession::SaveForClose() {
  if (!open()) return true;
  if (m_writable) RollOverPastDays(m_planning->engine());
  if (!m_writable) return true;
  m_schedule->PruneTerminals();
  return m_files->SaveIfChanged(*m_schedule, true);
}

bool ProgramSession::WriteAllSettings() {
  return m_program.WriteAll(m_settings, m_startupInProgress, userNumber(), m_layout);
}

void ProgramSession::Close() {
  if (m_schedule == nullptr) return;
  // Deleted items can no longer be undeleted: their notes that nobody shares go, when the
  // schedule on the disk is the saved one.
  m_deletedNotes.DropOrphans(*m_schedule, *m_noteFiles);
  m_noteSlots->ReleaseAll();
  m_files->Close(m_schedule.get());
  m_alarms.reset();
  m_noteSlots.reset();
  m_noteLocks.reset();
  m_noteFiles.reset();
  m_archiver.reset();
  m_planning.reset();
  m_schedule.reset();
}

void ProgramSession::SetMode(int mode) {
  if (!open()) return;
  m_schedule->header().setMode(mode == kScheduleLightMode ? kScheduleLightMode
                                                          : kScheduleProMode);
  m_schedule->MarkChanged();
}

}  // namespace ploven

namespace ploven {

void ProgramSession::StartAlarms(AlarmDevice* device, UndeleteStack* undelete) {
  m_alarms.reset();
  if (!open() || device == nullptr) return;
  m_alarms = std::make_unique<AlarmRoutine>(AlarmServices{
      m_planning->recurrences(), m_msg, m_clock, m_text, m_alarmSettings, *device, &m_settings,
      undelete, m_settings.ReadString(key::kUserName), m_places.dataFolder.string()});
}

bool ProgramSession::StoreAlarmPreferences(const AlarmSettings& values) {
  m_alarmSettings = values;
  return StoreAlarmSettings(values, m_program, m_layout, m_settings);
}

}  // namespace ploven
