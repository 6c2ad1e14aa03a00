#include "cli/calendar_sync.h"

#include <system_error>

#include "bridge/calendar_intake.h"
#include "bridge/socket_bridge_link.h"
#include "bridge/sync_switches.h"
#include "file/file_system.h"
#include "notes/note_files.h"
#include "platform/label_table.h"
#include "platform/program_settings.h"
#include "platform/settings_keys.h"
#include "store/act_flags.h"
#include "store/schedule.h"
#include "store/terminal.h"

namespace ploven::cli {

namespace {

// The schedule that takes the calendar's changes, "0" for whichever is open; the same one
// mirrors into the calendar.
constexpr char kSyncSchedulePath[] = "OutlookToPlovenPakPath";
// The calendar folder the companion writes, in the data folder unless set.
constexpr char kCalendarFolder[] = "CalendarFolder";
constexpr char kDefaultCalendarFolder[] = "calendar";

// How far ahead the first occurrence of a recurring item is looked for.
constexpr int kOccurrenceSearchDays = 400;

// The appearance a record is made of. A recurring item has no task of its own: its first
// occurrence from today on stands for it (its own dates travel in the recurrence block).
Occurrence RecordOccurrence(Schedule& s, ActHandle item) {
  if (!(s.ActFlags(item) & AF_BETA)) return OccurrenceOf(s, item);
  Occurrence o{item, s.Today(), s.GetActStart(item)};
  for (int day = 0; day < kOccurrenceSearchDays; ++day) {
    const DayNumber date = static_cast<DayNumber>(s.Today() + day);
    Terminal* terminal = s.header().IsArchived(date) ? nullptr : s.GetTerminal(date);
    for (TaskNode* task = terminal ? terminal->First() : nullptr; task; task = task->Next()) {
      if (task->act == item) return {item, date, task->StartTime()};
    }
  }
  return o;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  const bool same = std::filesystem::equivalent(a, b, ec);
  return !ec && same;
}

}  // namespace

CalendarSync::CalendarSync(CliEnv& env, Schedule& s, const std::string& schedulePath)
    : m_env(env), m_s(s), m_scheduleFolder(FolderOf(schedulePath)) {
  // Only the switches are read: loading every setting would write some back.
  ProgramSettings program;
  const Settings& settings = env.settings();
  program.plovenOutlook = settings.ReadInt(key::kPlovenOutlook, EncodedDefault(program.plovenOutlook));
  program.plovenToOutlookAppts =
      settings.ReadInt(key::kPlovenToOutlookAppts, EncodedDefault(program.plovenToOutlookAppts));
  program.plovenToOutlookTasks =
      settings.ReadInt(key::kPlovenToOutlookTasks, EncodedDefault(program.plovenToOutlookTasks));
  program.errorLogExtreme =
      settings.ReadInt(key::kErrorLogExtreme, EncodedDefault(program.errorLogExtreme));
  SyncSwitches switches = SyncSwitchesOf(program);
  if (!switches.SyncOn()) return;
  const std::string syncSchedule = env.settings().ReadString(kSyncSchedulePath, "0");
  switches.thisScheduleSyncs =
      syncSchedule.empty() || syncSchedule == "0" || SameFile(syncSchedule, schedulePath);
  m_dataFolder = env.settings().PrivateFile().Path().parent_path().string();
  m_link = std::make_unique<SocketBridgeLink>(m_dataFolder);
  m_senders = std::make_unique<BridgeSenders>(env.msg(), *m_link, switches);
}

CalendarSync::~CalendarSync() = default;

bool CalendarSync::On(bool isNewItem) {
  if (!m_senders || !m_senders->Allowed(isNewItem)) return false;
  if (!m_setUp) m_setUp = CalendarSetUp();
  return *m_setUp;
}

RecordContext CalendarSync::Context() {
  RecordContext context;
  context.dateText = m_env.text();
  context.userName = m_env.settings().ReadString(key::kUserName);
  context.labelNames = ReadLabelTable(m_env.settings()).Names();
  auto notes =
      std::make_shared<NoteFiles>(m_s, m_env.fs(), m_scheduleFolder, [](int) { return 0; });
  context.noteText = [notes](int32_t number) {
    return notes->ReadNoteQuietly(number).value_or(std::string());
  };
  return context;
}

void CalendarSync::NewItem(ActHandle item) {
  if (!On(true)) return;
  const Occurrence o = RecordOccurrence(m_s, item);
  if (auto record = NewItemRecord(m_s, o, Context())) {
    m_pending.push_back({Kind::kNew, *record, {m_s.GetActID(item), o.date}});
  }
}

void CalendarSync::Changed(const std::string& oldTitle, ActHandle item) {
  if (!On(false)) return;
  const Occurrence o = RecordOccurrence(m_s, item);
  if (auto record = ChangedItemRecord(m_s, oldTitle, o, Context())) {
    m_pending.push_back({Kind::kChanged, *record, {m_s.GetActID(item), o.date}});
  } else {
    m_noChangedRecord = true;
  }
}

void CalendarSync::Deleting(ActHandle item, DayNumber occurrenceDate) {
  if (!On(false)) return;
  if (auto record = DeletedItemRecord(m_s.ReadAct(item), m_s.GetActNameFull(item))) {
    m_pending.push_back({Kind::kDeleted, *record, {m_s.GetActID(item), occurrenceDate}});
  }
}

void CalendarSync::Done(ActHandle item, DayNumber occurrenceDate, bool done) {
  if (!On(false)) return;
  m_pending.push_back({Kind::kDone,
                       DoneItemRecord(m_s.ReadAct(item), m_s.GetActNameFull(item), done),
                       {m_s.GetActID(item), occurrenceDate}});
}

bool CalendarSync::CalendarSetUp() {
  // A calendar server chosen in the settings is a calendar the user set up.
  if (m_link->IsRunning() || ServerCalendarChosen(m_env.settings())) return true;
  std::string folder = m_env.settings().ReadString(kCalendarFolder);
  std::filesystem::path path = folder.empty() ? std::filesystem::path(kDefaultCalendarFolder)
                                              : std::filesystem::path(folder);
  if (path.is_relative()) path = std::filesystem::path(m_dataFolder) / path;
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

void CalendarSync::Send() {
  if (!m_senders || (m_pending.empty() && !m_noChangedRecord)) return;
  if (m_noChangedRecord) m_senders->TellNoChangedItemRecord();
  for (const Pending& p : m_pending) {
    switch (p.kind) {
      case Kind::kNew:
        m_senders->SendNewItem(p.record, p.item);
        break;
      case Kind::kChanged:
        m_senders->SendChangedItem(p.record, p.item);
        break;
      case Kind::kDeleted:
        m_senders->SendDeletedItem(p.record, p.item);
        break;
      case Kind::kDone:
        m_senders->SendDoneItem(p.record, p.item);
        break;
    }
  }
  m_pending.clear();
}

}  // namespace ploven::cli
