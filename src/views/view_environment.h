#pragma once

#include <functional>

#include "engine/engine.h"
#include "present/display_options.h"
#include "recur/recurrences.h"
#include "views/view_style.h"

namespace ploven {

// What every view draws from: the schedule with its engine and recurring items, the display
// switches and the style. The main window owns it and tells the views when it changed.
struct ViewEnvironment {
  ViewEnvironment(Engine& e, Recurrences& r) : engine(e), recurrences(r) {}

  Engine& engine;
  Recurrences& recurrences;
  DisplayOptions options;
  ViewStyle style = ViewStyle::From(DisplayOptions{});
  // Items the active filter hides; none when empty.
  std::function<bool(ActHandle)> hiddenByFilter;
  // Items that have a note file; none when empty.
  std::function<bool(ActHandle)> hasNote;

  Schedule& schedule() const { return engine.schedule(); }
  const DateText& dateText() const { return engine.dateText(); }
  bool Hidden(ActHandle h) const { return hiddenByFilter && hiddenByFilter(h); }
};

}  // namespace ploven
