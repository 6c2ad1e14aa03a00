#include "app/schedule_password_prompt.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>

#include "app/program_session.h"
#include "password/sodium_password_hasher.h"
#include "file/password_messages.h"
#include "file/schedule_password.h"

namespace ploven {

bool AskSchedulePassword(ProgramSession& session, const std::string& schedulePath,
                         QWidget* owner) {
  if (!HasPassword(session.fs(), schedulePath)) return true;
  SodiumPasswordHasher hasher;
  const QString name = QFileInfo(QString::fromStdString(schedulePath)).fileName();
  return PasswordGiven(session.fs(), hasher, schedulePath, session.messages(),
                       [&]() -> std::optional<std::string> {
                         bool ok = false;
                         const QString typed = QInputDialog::getText(
                             owner, password_text::kAskCaption,
                             QString(password_text::kAskPrompt).arg(name), QLineEdit::Password,
                             QString(), &ok);
                         if (!ok) return std::nullopt;
                         return typed.toStdString();
                       });
}

}  // namespace ploven
