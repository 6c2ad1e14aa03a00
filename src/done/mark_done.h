#pragma once

#include "engine/engine.h"

namespace ploven {

// The Done command: marks the item done where it stands now (its task's start becomes its
// start time) and takes a fluid item out of the priority index. False (and told why) when it
// cannot be marked.
bool MarkItemDone(Engine& engine, ActHandle item);
// The Done command on one appearance of an item. An unedited recurring occurrence first
// becomes an item of its own for its date (through the schedule's hooks); false when it
// cannot.
bool MarkTaskDone(Engine& engine, TaskNode* task);
// Done again undone: the item stays where it stands, as an item with its date (marking it done
// took it out of the priorities); one that is still fluid keeps a priority entry. False when the
// item was not done.
bool MarkItemUndone(Engine& engine, ActHandle item);
// Done! on the task of the view: an item not done is marked done there, a done one undone.
// False when nothing changed (or there is no task).
bool ToggleDone(Engine& engine, TaskNode* task);

}  // namespace ploven
