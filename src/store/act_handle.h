#pragma once

#include <cstdint>

namespace ploven {

// A stable 32-bit handle to an item: a slot index plus a generation, so a
// handle to a freed item is recognised instead of reaching another item.
using ActHandle = uint32_t;
inline constexpr ActHandle kNoAct = 0;

}  // namespace ploven
