#pragma once

#include <vector>

#include "engine/engine.h"

namespace ploven {

// Gapfillers: the undone flexible items planned on other days that would fit in the free time
// left today, for a spare moment. Free time is the time from now to the Day Bounds' latest
// minute that no item of today takes (memos take none).

struct FreeGap {
  TimeOfDay start = kNoTime;
  int minutes = 0;
};

// Today's free gaps after `now`, in order.
std::vector<FreeGap> FreeGapsToday(Engine& engine, TimeOfDay now);

struct GapFiller {
  ActHandle item = kNoAct;
  Duration duration = 0;
};

// The items that fit the longest gap, shortest first (equal lengths in priority order); at most
// `limit` of them.
inline constexpr int kGapfillersShown = 20;
std::vector<GapFiller> GapFillers(Engine& engine, TimeOfDay now, int limit = kGapfillersShown);

// Brings the item to today, where the engine plans it in the free time. False when it could not
// be moved (it stays where it was).
bool PlaceGapFiller(Engine& engine, ActHandle item);

}  // namespace ploven
