#include "app/session_intake_host.h"

#include <optional>
#include <random>

#include "app/program_session.h"
#include "file/schedule_files.h"
#include "file/undelete.h"
#include "notes/note_files.h"
#include "notes/note_upkeep.h"

namespace ploven {
namespace {

// The schedule open in the window.
class OpenIntakeSchedule : public IntakeSchedule {
 public:
  OpenIntakeSchedule(ProgramSession& session, UndeleteStack& undelete)
      : m_session(session), m_undelete(undelete) {}
  Engine& engine() override { return m_session.engine(); }
  Recurrences& recurrences() override { return m_session.recurrences(); }
  UndeleteStack& undelete() override { return m_undelete; }
  bool WriteNote(ActHandle item, const std::string& text) override {
    return WriteNewItemNote(m_session.schedule(), m_session.noteFiles(), item, text);
  }
  bool Save() override { return m_session.SaveIfChanged(); }

 private:
  ProgramSession& m_session;
  UndeleteStack& m_undelete;
};

// Another schedule, opened with its lock for one pass and closed again without a final save.
class SideSchedule : public IntakeSchedule {
 public:
  explicit SideSchedule(ProgramSession& session)
      : m_session(session),
        m_files(session.fs(), session.messages(), session.clock(), session.settings()) {}
  ~SideSchedule() override {
    m_notes.reset();
    m_undelete.reset();
    m_planning.reset();
    m_schedule.reset();
    if (ScheduleLock* lock = m_files.lock(); lock != nullptr && lock->held()) lock->Release();
  }

  bool Open(const std::string& path) {
    OpenResult r = m_files.OpenSchedule(path, false);
    if (r.status != OpenStatus::kOpened || r.schedule == nullptr || r.readOnly) return false;
    ScheduleLock* lock = m_files.lock();
    if (lock == nullptr || !lock->held()) return false;
    m_schedule = std::move(r.schedule);
    m_planning.emplace(*m_schedule, m_session.settings(), m_session.dateText());
    m_planning->engine().SetScheduleWritable(true);
    m_undelete.emplace(*m_schedule);
    m_notes = std::make_unique<NoteFiles>(
        *m_schedule, m_session.fs(), m_files.folder(),
        [this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); });
    return true;
  }

  Engine& engine() override { return m_planning->engine(); }
  Recurrences& recurrences() override { return m_planning->recurrences(); }
  UndeleteStack& undelete() override { return *m_undelete; }
  bool WriteNote(ActHandle item, const std::string& text) override {
    return WriteNewItemNote(*m_schedule, *m_notes, item, text);
  }
  bool Save() override {
    m_schedule->PruneTerminals();
    return m_files.SaveNow(*m_schedule);
  }

 private:
  ProgramSession& m_session;
  ScheduleFiles m_files;
  std::unique_ptr<Schedule> m_schedule;
  std::optional<PlanningSession> m_planning;
  std::optional<UndeleteStack> m_undelete;
  std::unique_ptr<NoteFiles> m_notes;
  std::mt19937 m_random{std::random_device{}()};
};

}  // namespace

SessionIntakeHost::SessionIntakeHost(ProgramSession& session, UndeleteStack& undelete)
    : m_session(session), m_open(std::make_unique<OpenIntakeSchedule>(session, undelete)) {}

SessionIntakeHost::~SessionIntakeHost() = default;

std::string SessionIntakeHost::OpenPath() { return m_session.files().schedulePath(); }

IntakeSchedule& SessionIntakeHost::OpenSchedule() { return *m_open; }

bool SessionIntakeHost::Exists(const std::string& path) { return m_session.fs().Exists(path); }

std::unique_ptr<IntakeSchedule> SessionIntakeHost::OpenOther(const std::string& path) {
  auto side = std::make_unique<SideSchedule>(m_session);
  if (!side->Open(path)) return nullptr;
  return side;
}

}  // namespace ploven
