#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "alarm/alarm_fixture.h"
#include "bridge/bridge_senders.h"
#include "bridge/calendar_intake.h"
#include "bridge/fake_link.h"

namespace ploven::test {

// A schedule the intake writes into, with its saves and notes counted.
class FakeIntakeSchedule : public IntakeSchedule {
 public:
  FakeIntakeSchedule(Engine& engine, Recurrences& recurrences, UndeleteStack& undelete)
      : m_engine(engine), m_recurrences(recurrences), m_undelete(undelete) {}
  Engine& engine() override { return m_engine; }
  Recurrences& recurrences() override { return m_recurrences; }
  UndeleteStack& undelete() override { return m_undelete; }
  bool WriteNote(ActHandle item, const std::string& text) override {
    notes[item] = text;
    return true;
  }
  bool Save() override {
    ++saves;
    if (!saveWorks) return false;
    m_engine.schedule().ClearChanged();
    return true;
  }

  bool saveWorks = true;
  int saves = 0;
  std::map<ActHandle, std::string> notes;

 private:
  Engine& m_engine;
  Recurrences& m_recurrences;
  UndeleteStack& m_undelete;
};

// A task-form or appointment-form record from the calendar, field by field as the layouts
// have them; what a test does not set is what the calendar sends for an empty item.
struct CalendarRecord {
  std::string title = "Item";
  std::string date = "8/12/2026";
  std::string start;  // an appointment's
  std::string end;
  std::string deadline;  // "d/m/y" or empty
  bool alarm = false;
  std::string alarmOffset = "0:0:";
  int duration = 0;
  std::string label;
  std::string note = " ";
  std::string project;
  uint32_t itemID = 0;
  // The recurrence block without its trailing TAB, or "norecurring".
  std::string recurrence = "norecurring";

  std::string Task() const {
    const std::vector<std::string> f{title,
                                     date,
                                     deadline + "*not added*not added",
                                     alarm ? "True" : "False",
                                     "12/08/26",
                                     alarmOffset,
                                     "not Done",
                                     "0.000",
                                     std::to_string(duration),
                                     "not Done",
                                     "blank",
                                     label,
                                     "blank",
                                     "Ann",
                                     "blank",
                                     note,
                                     "Normal",
                                     "False",
                                     project,
                                     "normal",
                                     "blank",
                                     "blank",
                                     std::to_string(itemID)};
    return Join(f);
  }
  std::string Appointment() const {
    const std::vector<std::string> f{title,
                                     date,
                                     start,
                                     deadline + "**",
                                     end,
                                     "False",
                                     alarm ? "True" : "False",
                                     "12/08/26",
                                     alarmOffset,
                                     "Ann",
                                     "",
                                     "",
                                     label,
                                     note,
                                     project,
                                     "",
                                     "normal",
                                     "False",
                                     "",
                                     "2",
                                     std::to_string(duration),
                                     std::to_string(itemID)};
    return Join(f);
  }

 private:
  std::string Join(const std::vector<std::string>& fields) const {
    std::string out;
    for (const std::string& f : fields) out += f + "\t";
    return out + recurrence + "\t\n";
  }
};

// The intake on a schedule with its engine, recurring items and alarms, a companion that
// answers from a script, and the open schedule as the one that receives.
class IntakeTest : public AlarmTest, public IntakeHost {
 protected:
  IntakeTest() {
    rules.labelNames = {"None", "Work", "Home"};
    switches.fromCalendar = true;
  }

  // IntakeHost
  std::string OpenPath() override { return "/home/ann/Ploven/Schedule.pln"; }
  IntakeSchedule& OpenSchedule() override { return open; }
  bool Exists(const std::string& path) override { return existing.count(path) != 0; }
  std::unique_ptr<IntakeSchedule> OpenOther(const std::string& path) override {
    opened.push_back(path);
    if (otherEngine == nullptr) return nullptr;
    return std::make_unique<FakeIntakeSchedule>(*otherEngine, *otherRecurrences, *otherUndelete);
  }

  IncomingOutcome Apply(const BridgeFrame& frame) {
    return ApplyIncomingFrame(open, rules, frame, env.msg);
  }
  static BridgeFrame Frame(BridgeCode code, std::string record, std::string key,
                           uint32_t itemID = 0, DayNumber occurrence = kNoDate) {
    BridgeFrame f;
    f.code = code;
    f.record = std::move(record);
    f.action = "Ploven_FromCalendar";
    f.itemID = itemID;
    f.occurrenceDate = occurrence;
    f.key = std::move(key);
    return f;
  }
  IntakeReport Pass() { return intake.RunPass(*this, switches, rules); }

  // The items of the schedule by title (recurring definitions included, deleted ones not).
  std::vector<ActHandle> ItemsTitled(const std::string& title) {
    std::vector<ActHandle> out;
    for (const auto& [key, node] : s.actChain())
      if (s.IsActValid(node.act) && s.GetActNameFull(node.act) == title) out.push_back(node.act);
    return out;
  }

  FakeIntakeSchedule open{engine, r, undelete};
  IntakeRules rules;
  IntakeSwitches switches;
  FakeLink link;
  BridgeSenders senders{env.msg, link, SyncSwitches{}};
  CalendarIntake intake{env.msg, link, senders};
  std::set<std::string> existing;
  std::vector<std::string> opened;
  Engine* otherEngine = nullptr;
  Recurrences* otherRecurrences = nullptr;
  UndeleteStack* otherUndelete = nullptr;
};

}  // namespace ploven::test
