#pragma once

#include "store/date_types.h"

namespace ploven {

// The three times of the Item (Done) window, kept consistent whichever one the user changes:
// Ended is always Began + Duration on the clock. Began may be empty (kNoTime): the item was
// done that day at no particular time, and Ended is empty with it.
class DoneItemTimes {
 public:
  static constexpr int kLongest = kMinutesPerDay;

  DoneItemTimes() = default;
  DoneItemTimes(TimeOfDay began, int duration);

  TimeOfDay began() const { return m_began; }
  int duration() const { return m_duration; }
  TimeOfDay ended() const { return m_ended; }
  bool hasBegan() const { return m_began != kNoTime; }

  // Changing Began moves Ended.
  void SetBegan(TimeOfDay began);
  // Changing Ended recomputes the Duration; an Ended before Began ran past midnight. Without a
  // Began time there is nothing to measure from, and Ended stays empty.
  void SetEnded(TimeOfDay ended);
  // Changing the Duration moves Ended. Kept to 0..1440.
  void SetDuration(int minutes);

 private:
  void MoveEnded();

  TimeOfDay m_began = kNoTime;
  int m_duration = 0;
  TimeOfDay m_ended = kNoTime;
};

// The clock time `minutes` after `began`, wrapped into the day (1..1440).
TimeOfDay ClockTimeAfter(TimeOfDay began, int minutes);
// Minutes from `from` to `to` on the clock; a `to` before `from` is on the next day.
int ClockMinutesBetween(TimeOfDay from, TimeOfDay to);

}  // namespace ploven
