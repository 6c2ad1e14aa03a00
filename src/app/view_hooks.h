#pragma once

#include <functional>

#include "store/schedule_hooks.h"

namespace ploven {

// The top layer of the schedule's hooks: the views. A day an open view shows is kept, and a
// change to a day or an item repaints the views.
class ViewHooks : public RelayHooks {
 public:
  std::function<bool(DayNumber)> dayShown;
  std::function<void(DayNumber)> dayChanged;
  std::function<void(ActHandle)> itemChanged;

  bool IsDayShown(DayNumber date) const override {
    return (dayShown && dayShown(date)) || RelayHooks::IsDayShown(date);
  }
  void DayChanged(DayNumber date) override {
    if (dayChanged) dayChanged(date);
    RelayHooks::DayChanged(date);
  }
  void ItemChanged(ActHandle act) override {
    if (itemChanged) itemChanged(act);
    RelayHooks::ItemChanged(act);
  }
};

}  // namespace ploven
