#pragma once

#include "store/schedule.h"

namespace ploven {

// Start/Unstart on the task of the view: a started item is started no longer; one that was
// not is started, its start time the task's. A start belongs to one occurrence, so an
// unedited occurrence of a recurring item first becomes an item of its own for its date
// (through the schedule's hooks). False when nothing changed: no task, or the occurrence could
// not be made an item of its own.
bool ToggleStarted(Schedule& s, TaskNode* task);

// Started (on) or not, whichever it was before. False as above; true when it already was.
bool SetStarted(Schedule& s, TaskNode* task, bool on);

}  // namespace ploven
