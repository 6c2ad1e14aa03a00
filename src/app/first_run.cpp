#include "app/first_run.h"

#include <QInputDialog>

#include "app/app_messages.h"
#include "app/program_session.h"
#include "app/tutorial_loader.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace t = app_text;

namespace {

int Ask(ProgramSession& session, const char* text, const char* caption, const char* buttons,
        uint32_t icon = kMbIconQuestion) {
  MultiButtonParams params;
  params.customCaptions = buttons;
  return session.messages().MultiButtonBox(text, caption, kMbTaskModal | icon, params);
}

}  // namespace

void AskUserName(ProgramSession& session, QWidget* owner, bool introduce) {
  if (introduce) Ask(session, t::kUserNameText, t::kUserNameCaption, t::kNextButton);
  bool ok = false;
  const QString name =
      QInputDialog::getText(owner, t::kUserNameDialogCaption, t::kUserNameDialogPrompt,
                            QLineEdit::Normal, "", &ok)
          .trimmed();
  if (!ok || name.isEmpty()) return;
  session.SetUserName(name.toStdString());
}

void AskFirstRunQuestions(ProgramSession& session) {
  if (Ask(session, t::kTutorialText, t::kTutorialCaption, t::kTutorialButtons) == kIdCustom1) {
    LoadTutorial(session);
  } else {
    session.messages().InformationMessage(t::kTutorialLater);
  }
  // The answer wins over the mode the schedule was made with.
  const bool light = Ask(session, t::kModeText, t::kModeCaption, t::kModeButtons) == kIdCustom1;
  if (session.writable()) session.SetMode(light ? kScheduleLightMode : kScheduleProMode);
  session.SaveIfChanged();
  Ask(session, t::kDoneText, t::kDoneCaption, t::kFinishButton, kMbIconInformation);
}

}  // namespace ploven
