#pragma once

#include <string>

class QWidget;

namespace ploven {

class ProgramSession;

// Asks for the password of the schedule at `schedulePath` when it has one; false when it was
// not given and the program must end without showing the schedule.
bool AskSchedulePassword(ProgramSession& session, const std::string& schedulePath,
                         QWidget* owner = nullptr);

}  // namespace ploven
