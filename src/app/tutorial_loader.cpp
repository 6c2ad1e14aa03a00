#include "app/tutorial_loader.h"

#include "app/program_session.h"
#include "edit/tutorial_lessons.h"
#include "notes/note_upkeep.h"

namespace ploven {

int LoadTutorial(ProgramSession& session) {
  if (!session.open() || !session.writable()) return 0;
  const auto made = LoadTutorialLessons(
      session.engine(), &session.recurrences(), [&](ActHandle item, const std::string& text) {
        return WriteNewItemNote(session.schedule(), session.noteFiles(), item, text);
      });
  return static_cast<int>(made.size());
}

}  // namespace ploven
