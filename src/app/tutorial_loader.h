#pragma once

namespace ploven {

class ProgramSession;

// Loads the tutorial's lesson memos into the open schedule, each lesson in its memo's note;
// the number of lessons loaded.
int LoadTutorial(ProgramSession& session);

}  // namespace ploven
