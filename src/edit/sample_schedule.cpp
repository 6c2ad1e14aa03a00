#include "edit/sample_schedule.h"

#include <string>

#include "edit/item_entry.h"
#include "engine/engine.h"
#include "store/projects.h"
#include "store/schedule.h"

namespace ploven {
namespace {

constexpr char kTag[] = "[Sample] ";

TimeOfDay At(int hour, int minute) { return ClockTime(hour, minute); }

class SampleWriter {
 public:
  SampleWriter(Engine& engine, Recurrences* recurrences)
      : m_engine(engine), m_recurrences(recurrences), m_today(engine.schedule().Today()) {}

  DayNumber Day(int offset) const { return static_cast<DayNumber>(m_today + offset); }

  void Appointment(int day, const char* title, TimeOfDay start, Duration duration) {
    NewItemRequest r = Request(title);
    r.date = Day(day);
    r.start = start;
    r.duration = duration;
    r.fixed = true;
    EnterNewItem(m_engine, m_recurrences, r);
  }

  void Memo(int day, const char* title) {
    NewItemRequest r = Request(title);
    r.date = Day(day);
    r.memo = true;
    EnterNewItem(m_engine, m_recurrences, r);
  }

  void Fluid(const char* title, Duration duration, char tier, int earliest, int deadline,
             bool split = false, uint8_t weekdays = 0, uint32_t project = 0) {
    NewItemRequest r = Request(title);
    r.flexible = true;
    r.duration = duration;
    r.tier = static_cast<uint8_t>(tier);
    r.earliest = Day(earliest);
    if (deadline >= 0) r.deadline = Day(deadline);
    r.split = split;
    r.weekdays = weekdays;
    r.projectID = project;
    EnterNewItem(m_engine, m_recurrences, r);
  }

  uint32_t Project(const char* title) {
    Schedule& s = m_engine.schedule();
    const ActHandle h = NewProject(s, Act{}, std::string(kTag) + title);
    return h == kNoAct ? 0 : s.GetActID(h);
  }

 private:
  static NewItemRequest Request(const char* title) {
    NewItemRequest r;
    r.title = std::string(kTag) + title;
    r.interactive = false;
    return r;
  }

  Engine& m_engine;
  Recurrences* m_recurrences;
  DayNumber m_today;
};

constexpr uint8_t kMondayToFriday = 0x3E;

}  // namespace

void BuildSampleSchedule(Engine& engine, Recurrences* recurrences) {
  SampleWriter w(engine, recurrences);
  // Appointments across the week.
  w.Appointment(0, "Team meeting", At(10, 0), 60);
  w.Appointment(0, "Lunch with Sam", At(12, 30), 60);
  w.Appointment(1, "Dentist", At(9, 0), 45);
  w.Appointment(2, "Call with the bank", At(14, 0), 30);
  w.Appointment(3, "Yoga class", At(18, 30), 75);
  w.Appointment(4, "Breakfast with Alex", At(8, 30), 60);
  w.Appointment(6, "Family dinner", At(19, 0), 120);
  // Memos line up at the top of their days.
  w.Memo(0, "Mum's birthday");
  w.Memo(3, "Bins go out tonight");
  // Fluid work the engine fits around them, by tier and deadline.
  w.Fluid("Write the quarterly report", 120, 'A', 0, 3);
  w.Fluid("Renew the car insurance", 20, 'A', 0, 5);
  w.Fluid("Answer mail", 30, 'B', 0, -1);
  w.Fluid("Read the design notes", 600, 'C', 0, -1, true);
  w.Fluid("Plan next week", 45, 'B', 4, 6, false, kMondayToFriday);
  // A project with its own items.
  const uint32_t kitchen = w.Project("Kitchen renovation");
  w.Fluid("Get three quotes for the kitchen", 60, 'A', 0, 4, false, 0, kitchen);
  w.Fluid("Choose the tiles", 45, 'B', 1, 6, false, 0, kitchen);
  w.Fluid("Measure the cabinets", 30, 'C', 2, -1, false, 0, kitchen);
  engine.schedule().MarkChanged();
}

}  // namespace ploven
