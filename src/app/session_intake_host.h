#pragma once

#include <memory>
#include <string>

#include "bridge/calendar_intake.h"

namespace ploven {

class ProgramSession;
class UndeleteStack;

// The desktop program's side of a pass of calendar changes: the schedule open in the window,
// and another schedule opened beside it for one pass when the settings name that one as the
// schedule that receives (the window's schedule stays open all along).
class SessionIntakeHost : public IntakeHost {
 public:
  SessionIntakeHost(ProgramSession& session, UndeleteStack& undelete);
  ~SessionIntakeHost() override;

  std::string OpenPath() override;
  IntakeSchedule& OpenSchedule() override;
  bool Exists(const std::string& path) override;
  std::unique_ptr<IntakeSchedule> OpenOther(const std::string& path) override;

 private:
  ProgramSession& m_session;
  std::unique_ptr<IntakeSchedule> m_open;
};

}  // namespace ploven
