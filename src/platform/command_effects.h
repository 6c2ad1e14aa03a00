#pragma once

#include "platform/commands.h"

namespace ploven {

// The commands that change the schedule (its items, its planning or the settings kept in it),
// as opposed to those that only look, move the view, print, report or save. A schedule that is
// checked out to another computer asks before the first of them.
bool CommandChangesSchedule(Command command);

}  // namespace ploven
