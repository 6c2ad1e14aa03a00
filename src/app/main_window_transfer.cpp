// The main window's File commands that move the schedule between computers and choose the
// schedule opened at launch, and the question a checked-out schedule asks before a change.

#include <QFileDialog>
#include <cstring>

#include "app/main_window.h"
#include "app/tools_messages.h"
#include "file/launch_redirect.h"
#include "file/schedule_transfer.h"
#include "file/transfer_messages.h"
#include "notes/note_upkeep.h"
#include "platform/command_effects.h"
#include "platform/format.h"

namespace ploven {

namespace t = tools_text;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void MainWindow::MakeOpenAtLaunch() {
  const std::string dataFolder = m_session.places().dataFolder.string();
  const std::string schedule = m_session.files().schedulePath();
  const FileOutcome o = WriteLaunchRedirect(m_session.fs(), dataFolder, schedule);
  if (o.ok()) {
    m_session.messages().InformationMessage(
        QString(t::kOpenAtLaunchDone).arg(Q(schedule)).toStdString());
  } else {
    m_session.messages().ErrorMessage(QString(t::kOpenAtLaunchFailed)
                                          .arg(Q(dataFolder + "/" + kRedirectFileName),
                                               QString::fromLocal8Bit(std::strerror(o.error)))
                                          .toStdString());
  }
}

void MainWindow::RefreshCheckOut() {
  m_checkedOutTo = CheckedOutTo(m_session.fs(), m_session.files().schedulePath());
  m_changeWhileOutAllowed = false;
  RefreshTitle();
}

std::string MainWindow::CheckedOutFolder() const {
  return m_checkedOutTo.value_or(std::string());
}

void MainWindow::CheckOutSchedule() {
  // The copy is the saved schedule.
  if (m_session.writable() && !m_session.files().SaveNow(m_session.schedule())) {
    m_session.messages().ErrorMessage(t::kCheckOutSaveFailed);
    return;
  }
  const QString folder = QFileDialog::getExistingDirectory(this, transfer_text::kPickFolder);
  if (folder.isEmpty()) return;
  const TransferResult r = CheckOut(m_session.fs(), m_session.files().schedulePath(),
                                    m_session.noteFiles().notesFolder(), folder.toStdString());
  if (r.status == TransferStatus::kDone)
    m_session.messages().InformationMessage(TransferResultText(r, false));
  else
    m_session.messages().ErrorMessage(TransferResultText(r, false));
  RefreshCheckOut();
}

void MainWindow::CheckInSchedule() {
  // Open notes are saved now: later they would be saved over the notes that come back.
  if (!CloseAllNotes()) return;
  if (m_session.writable() && !m_session.files().SaveNow(m_session.schedule()))
    m_session.messages().ErrorMessage(t::kCheckInFirstSave);
  const std::string schedule = m_session.files().schedulePath();
  const std::string notes = m_session.noteFiles().notesFolder();
  TransferResult r = CheckIn(m_session.fs(), schedule, notes, false);
  if (r.status == TransferStatus::kCopyNotNewer) {
    if (m_session.messages().Question(TransferResultText(r, true)) != kIdYes) return;
    r = CheckIn(m_session.fs(), schedule, notes, true);
  }
  if (r.status != TransferStatus::kDone) {
    m_session.messages().ErrorMessage(TransferResultText(r, true));
    RefreshCheckOut();
    return;
  }
  // The schedule on the disk is now the checked-in one: the copy in memory must not be saved
  // over it, so the program ends here and the next start opens what came back.
  m_session.messages().InformationMessage(TransferResultText(r, true));
  m_session.schedule().ClearChanged();
  m_session.StopWriting();
  // The notes of items deleted here may belong to items of the copy that came back: the close
  // must not remove their files.
  m_session.deletedNotes() = DeletedNotes{};
  RememberPlaces();
  m_session.WriteAllSettings();
  m_closing = true;
  close();
}

bool MainWindow::ConfirmChangeWhileCheckedOut(Command command) {
  if (!m_checkedOutTo || m_changeWhileOutAllowed || !CommandChangesSchedule(command)) return true;
  const std::string text = Sprintf(transfer_text::kChangeWhileOut, m_checkedOutTo->c_str());
  if (m_session.messages().QuestionNoDefault(text) != kIdYes) return false;
  m_changeWhileOutAllowed = true;  // asked once a run
  return true;
}

}  // namespace ploven
