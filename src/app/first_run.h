#pragma once

class QWidget;

namespace ploven {

class ProgramSession;

// The questions of a schedule made during this run: the user name, the tutorial (the sample
// schedule), Light or Pro Mode, and the last word.
void AskUserName(ProgramSession& session, QWidget* owner, bool introduce);
void AskFirstRunQuestions(ProgramSession& session);

}  // namespace ploven
