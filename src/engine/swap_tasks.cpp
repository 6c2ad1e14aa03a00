#include "engine/balance_day.h"

namespace ploven {

void Swaptasks(Engine& engine, TaskNode* task1, TaskNode* task2) {
  // The chain's own exchange checks both tasks and their adjacency, with the errors that name
  // this routine.
  SwapTasks(engine.schedule().messages(), task1, task2);
}

// The times always come from recalculating the day: shifting the two starts in place would
// miss the rules a start obeys (earliest begin on the date, the latest end and its conflict
// mark, a gap the pair stood around), and the swap's callers judge by those marks.
void SwapTasks(Engine& engine, TaskNode* p, TaskNode* q, DayNumber date) {
  Swaptasks(engine, p, q);
  engine.RecalcDayTimes(date);
  engine.schedule().MarkChanged();
}

}  // namespace ploven
