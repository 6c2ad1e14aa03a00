#pragma once

#include "engine/engine.h"

namespace ploven {

// The Done command: marks the item done where it stands now (its task's start becomes its
// start time) and takes a fluid item out of the priority index. False (and told why) when it
// cannot be marked.
bool MarkItemDone(Engine& engine, ActHandle item);

}  // namespace ploven
