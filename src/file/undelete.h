#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "store/act_handle.h"
#include "store/act_record.h"
#include "store/beta_record.h"
#include "store/date_types.h"

namespace ploven {

class Schedule;
struct TaskNode;

// What an undelete entry holds.
inline constexpr uint32_t UNDEL_PROJECT = 0x10000000;   // a project
inline constexpr uint32_t UNDEL_ITEM = 0x20000000;      // an item or a whole recurring item
inline constexpr uint32_t UNDEL_INSTANCE = 0x40000000;  // one cancelled recurring instance
inline constexpr uint32_t UNDEL_TASK = 0x80000000;      // one task node taken off its day

struct UndeleteEntry {
  TaskNode* task = nullptr;  // UNDEL_TASK: the node, owned by the stack
  ActHandle hAct = kNoAct;   // the item, project or recurring definition
  uint32_t kind = 0;
  DayNumber date = kNoDate;  // UNDEL_INSTANCE: the cancelled instance's date
};

// What the view should show after an Undelete.
struct UndeleteResult {
  bool undeleted = false;
  std::optional<DayNumber> showDay;
  bool showProjectList = false;
};

// Everything deleted in this session, newest first, kept in memory only: the
// stack starts empty at every launch. It belongs to one schedule (handles mean
// nothing in another), so the program makes a new stack when it opens a
// schedule.
//
// The store never frees a deleted item: DeleteItem and DetachAct leave the
// record allocated until the schedule goes. But detaching takes the flexible
// flag and the priority entry off the record, so an entry keeps a copy of the
// record, title and recurrence as they were when pushed. The delete commands
// therefore push first and delete after. The stack frees only the task nodes
// it owns; the records go with the schedule.
class UndeleteStack {
 public:
  explicit UndeleteStack(Schedule& schedule) : m_schedule(schedule) {}
  ~UndeleteStack();
  UndeleteStack(const UndeleteStack&) = delete;
  UndeleteStack& operator=(const UndeleteStack&) = delete;

  // An UNDEL_ITEM or UNDEL_PROJECT entry; call before the item is deleted.
  void PushUndeleteItem(ActHandle hAct, uint32_t kind);
  // The stack takes the node (off its day first, if it is still on one). A
  // recurring instance keeps only its definition and date: UNDEL_INSTANCE;
  // any other node is kept whole: UNDEL_TASK. A null node is ignored.
  void PushUndeleteTask(TaskNode* task, DayNumber date);
  // The Undelete command: offers the newest entry.
  UndeleteResult Undelete();

  bool empty() const { return m_entries.empty(); }
  size_t size() const { return m_entries.size(); }
  // Newest first.
  std::vector<UndeleteEntry> Entries() const;

 private:
  struct Kept {
    UndeleteEntry entry;
    std::optional<Act> record;  // UNDEL_ITEM, UNDEL_PROJECT
    std::string title;
    std::optional<Beta> recurrence;  // a recurring definition
    bool wasFlexible = false;        // UNDEL_TASK
  };
  enum class Outcome { kDone, kKeep, kDrop };

  std::string TitleOf(const Kept& k) const;
  bool IsValid(const Kept& k) const;
  bool IsLiveBeta(ActHandle h) const;
  Outcome UndeleteItem(const Kept& k, UndeleteResult& result);
  Outcome UndeleteProject(const Kept& k, UndeleteResult& result);
  Outcome UndeleteInstance(const Kept& k, UndeleteResult& result);
  Outcome UndeleteTask(const Kept& k, UndeleteResult& result);
  void DropNewest();

  Schedule& m_schedule;
  std::vector<Kept> m_entries;  // newest last
  // Records brought back as new items or projects: the old handle is spent.
  std::unordered_set<ActHandle> m_reinserted;
};

}  // namespace ploven
