#pragma once

#include "engine/engine.h"

namespace ploven {

// What the user is in the middle of that keeps the engine's own runs out: Balance All Days,
// Balance Day, and so AutoPilot and the automatic Balance Day of the minute pass.
enum class EngineHoldReason {
  kItemDialog,  // the item dialog is open
  kImporting,   // items are being imported (the import-once files, Paste)
};

// Raised for as long as it lives, like the schedule's PruningHold: the item dialog holds the
// engine while it is open, an import while it runs. Holds of one reason may nest.
class EngineHold {
 public:
  EngineHold(Engine& engine, EngineHoldReason reason) : m_engine(engine), m_reason(reason) {
    ++Count();
  }
  ~EngineHold() { --Count(); }
  EngineHold(const EngineHold&) = delete;
  EngineHold& operator=(const EngineHold&) = delete;

 private:
  int& Count() {
    return m_reason == EngineHoldReason::kItemDialog ? m_engine.m_itemDialogHolds
                                                     : m_engine.m_importHolds;
  }

  Engine& m_engine;
  EngineHoldReason m_reason;
};

}  // namespace ploven
