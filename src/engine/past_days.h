#pragma once

#include "engine/engine.h"

namespace ploven {

// Archives the completed days before today, oldest first, up to the first day that still has
// an undone task.
void RollOverPastDays(Engine& engine);

}  // namespace ploven
