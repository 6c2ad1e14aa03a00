#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "alarm/alarm_routine.h"
#include "alarm/alarm_settings.h"
#include "app/calendar_sync.h"
#include "done/done_log_archiver.h"
#include "engine/engine.h"
#include "file/file_system.h"
#include "file/schedule_files.h"
#include "notes/note_files.h"
#include "notes/note_lock.h"
#include "notes/note_slots.h"
#include "notes/note_upkeep.h"
#include "platform/error_log.h"
#include "platform/event_trace.h"
#include "platform/messages.h"
#include "platform/program_clock.h"
#include "platform/program_settings.h"
#include "platform/settings.h"
#include "recur/planning_session.h"
#include "recur/recurrences.h"
#include "store/date_parse.h"

namespace ploven {

// Where the program keeps its files, decided before anything opens.
struct ProgramPlaces {
  std::filesystem::path dataFolder;  // Ploven.ini, the default schedule, the error log
  std::filesystem::path profile;     // the user's profile (WIN.INI's stand-in)
  LocaleFacts locale;                // the first day of the week and the like
};

enum class SessionStart { kOpened, kNewSchedule, kExit };

// What asking for write access to a schedule opened read-only came to.
enum class WriteAccess {
  kAlreadyHeld,    // this program writes already
  kGranted,        // the lock is ours now and the file is the one on the screen
  kHeldByOther,    // someone else still writes; they were asked to let go
  kChangedOnDisk,  // the lock is ours, but the file changed since it was read: read it again
  kFailed,         // the lock cannot be made (told)
};

// Everything one open schedule runs on, without a screen: the clock, the messages, the
// settings, the schedule file, the schedule with its engine and recurring items, and the
// archiving of past days. The desktop program draws it; tests drive it directly.
class ProgramSession {
 public:
  ProgramSession(Ui& ui, const Clock& system, ProgramPlaces places);
  ~ProgramSession();
  ProgramSession(const ProgramSession&) = delete;
  ProgramSession& operator=(const ProgramSession&) = delete;

  // Resolves the schedule from the command-line argument and opens it with the recovery
  // questions; a first run without a schedule starts a new one.
  SessionStart Open(const std::optional<std::string>& argument);
  // The two halves of Open: the schedule's full path (nothing when the name is invalid, told),
  // and the opening of that path.
  std::optional<std::string> ResolvePath(const std::optional<std::string>& argument);
  SessionStart OpenPath(const std::string& path, bool fromCommandLine);

  ProgramClock& clock() { return m_clock; }
  Messages& messages() { return m_msg; }
  Settings& settings() { return m_settings; }
  ProgramSettings& programSettings() { return m_program; }
  ScheduleFiles& files() { return *m_files; }
  FileSystem& fs() { return m_fs; }
  const DateText& dateText() const { return m_text; }
  const ProgramPlaces& places() const { return m_places; }
  bool open() const { return m_schedule != nullptr; }
  Schedule& schedule() { return *m_schedule; }
  Engine& engine() { return m_planning->engine(); }
  Recurrences& recurrences() { return m_planning->recurrences(); }
  bool writable() const { return m_writable; }
  // The file on the disk was replaced (Check In): nothing of this run may be written over it,
  // not even the archiving of finished days at close.
  void StopWriting();
  // A schedule opened read-only because another program held it: takes the write lock when it
  // is free. The schedule in memory may then be written only while it is still the file on
  // the disk; when someone saved it in between, the lock is let go again.
  WriteAccess RequestWriteAccess();
  bool createdThisRun() const { return m_createdThisRun; }
  bool startupInProgress() const { return m_startupInProgress; }
  void EndStartup() { m_startupInProgress = false; }
  long userNumber() const;
  LayoutRecord& layout() { return m_layout; }
  // The schedule's note files, their locks and the open note windows (while a schedule is open).
  NoteFiles& noteFiles() { return *m_noteFiles; }
  NoteLocks& noteLocks() { return *m_noteLocks; }
  NoteSlots& noteSlots() { return *m_noteSlots; }
  DeletedNotes& deletedNotes() { return m_deletedNotes; }

  // The 16-bit sum of the characters (as signed bytes) of the schedule's full path: how a
  // second start finds the program that already has this schedule open.
  static uint16_t ScheduleIdentity(const std::string& path);

  // How typed dates and times are read now, with `viewed` as the day the view shows and the
  // schedule's day bounds (Midnight Shift).
  ParseContext ParseContextFor(DayNumber viewed) const;

  // What a clock tick found; the caller runs the passes below on it.
  ClockTick Tick();
  // Once a minute: autosave, AutoPilot, the automatic Balance Day, archiving.
  void MinutePass();
  // At the change of date: expiry of recurring items, today's occurrences, archiving, save.
  void DayRollOver();

  // Saves when something changed; false when the save failed.
  bool SaveIfChanged();
  // The close query's own part: archive, save. False when the save failed.
  bool SaveForClose();
  // Writes the program settings and the layout record (not during start-up).
  bool WriteAllSettings();
  // Releases the schedule (final save already done by the caller) and its lock.
  void Close();

  // Switches between Light Mode (1) and Pro Mode (3); stored in the schedule.
  void SetMode(int mode);

  // The alarms ring through the machine the front end gives (none: they do not ring) and
  // keep what Delete Item takes on `undelete`.
  void StartAlarms(AlarmDevice* device, UndeleteStack* undelete);
  AlarmRoutine* alarms() { return m_alarms.get(); }
  // Stores the user's name and gives it to the parts that show it.
  void SetUserName(const std::string& name);
  AlarmSettings& alarmSettings() { return m_alarmSettings; }
  // Takes new alarm preferences over and writes them; false when the settings file could not
  // be written (the values hold until the program ends).
  bool StoreAlarmPreferences(const AlarmSettings& values);

  // The calendar bridge: the senders the commands call and the intake of calendar changes.
  CalendarSync& calendar() { return *m_calendar; }

 private:
  void StartEngine();

  const Clock& m_system;
  ProgramPlaces m_places;
  ProgramClock m_clock;
  ErrorLog m_log;
  EventTrace m_trace;
  Messages m_msg;
  Settings m_settings;
  ProgramSettings m_program;
  LayoutRecord m_layout;
  DateText m_text;
  PosixFileSystem m_fs;
  std::unique_ptr<ScheduleFiles> m_files;
  std::unique_ptr<Schedule> m_schedule;
  std::optional<PlanningSession> m_planning;
  std::optional<DoneLogArchiver> m_archiver;
  std::mt19937 m_random{std::random_device{}()};
  std::unique_ptr<NoteFiles> m_noteFiles;
  std::unique_ptr<NoteLocks> m_noteLocks;
  std::unique_ptr<NoteSlots> m_noteSlots;
  DeletedNotes m_deletedNotes;
  bool m_writable = false;
  // The bytes of a schedule opened read-only, to tell whether its writer saved it since.
  std::optional<size_t> m_readOnlyFingerprint;
  bool m_createdThisRun = false;
  bool m_startupInProgress = true;
  DayNumber m_lastBalanceDay = 0;
  AlarmSettings m_alarmSettings;
  std::unique_ptr<AlarmRoutine> m_alarms;
  std::unique_ptr<CalendarSync> m_calendar;
};

}  // namespace ploven
