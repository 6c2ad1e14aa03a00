#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/act_handle.h"
#include "store/date_types.h"

namespace ploven {

class NoteFiles;
class Schedule;

struct FindHit {
  ActHandle act = kNoAct;
  DayNumber date = 0;  // 0: a recurring item or an undated one
  TimeOfDay start = 0;  // where the item stands on its day (the planned time of a flexible one)
  bool inTitle = false;  // every word is in the title
};

// The items whose title or note holds every word typed (case-insensitive), in date and time
// order. Notes are read once per note number, and only those whose file exists.
std::vector<FindHit> FindItems(Schedule& s, NoteFiles& files, std::string_view words);

// The hit after (or before) `from` in the list, wrapping round; `from` not in it: the first
// (or last). Find Next and Find Previous.
size_t NextHit(const std::vector<FindHit>& hits, ActHandle from, bool forward);

}  // namespace ploven
