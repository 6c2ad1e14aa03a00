// The main window's File and Help commands: Save, Save As, Backup and the About box.

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>

#include "app/app_messages.h"
#include "app/calendar_sync.h"
#include "app/main_window.h"
#include "app/program_start.h"
#include "dialogs/about_box.h"
#include "platform/format.h"
#include "platform/paths.h"

namespace ploven {

namespace t = app_text;

void MainWindow::Save() {
  if (m_session.writable()) m_session.files().SaveNow(m_session.schedule());
  RefreshTitle();
}

void MainWindow::SaveAs() {
  const QString folder = QFileDialog::getExistingDirectory(
      this, t::kSaveAsCaption, QString::fromStdString(m_session.files().folder()));
  if (folder.isEmpty()) return;
  m_session.files().SaveAs(m_session.schedule(), folder.toStdString(),
                           ScheduleFiles::SaveAsKind::kCurrent);
  RefreshTitle();
}

void MainWindow::RequestWriteAccess() {
  Messages& msg = m_session.messages();
  switch (m_session.RequestWriteAccess()) {
    case WriteAccess::kAlreadyHeld:
      msg.InformationMessage(t::kWriteAccessHeld);
      return;
    case WriteAccess::kGranted:
      AfterChange();
      RefreshTitle();
      msg.InformationMessage(t::kWriteAccessGranted);
      return;
    case WriteAccess::kHeldByOther: {
      const LockOwner& holder = m_session.files().lock()->holder();
      msg.InformationMessage(holder.host.empty()
                                 ? std::string(t::kWriteAccessStillHeldUnknown)
                                 : Sprintf(t::kWriteAccessStillHeld,
                                           holder.user.empty() ? "Someone" : holder.user.c_str(),
                                           holder.host.c_str()));
      return;
    }
    case WriteAccess::kFailed:
      return;  // the lock told why
    case WriteAccess::kChangedOnDisk:
      break;
  }
  if (msg.Question(t::kWriteAccessChanged) != kIdYes) return;
  // A new run reads the file as it is now and takes the lock; this one writes nothing.
  QProcess next;
  next.setProgram(QCoreApplication::applicationFilePath());
  next.setArguments({QString::fromStdString(m_session.files().schedulePath())});
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(kAfterPidVariable, QString::number(QCoreApplication::applicationPid()));
  next.setProcessEnvironment(environment);
  if (!next.startDetached()) {
    msg.ErrorMessage(t::kWriteAccessNoRestart);
    return;
  }
  RememberPlaces();
  m_session.WriteAllSettings();
  m_closing = true;
  close();
}

void MainWindow::Backup() {
  if (!m_session.files().AskBackupAll()) return;
  const QString folder = QFileDialog::getExistingDirectory(
      this, t::kBackupCaption, QString::fromStdString(m_session.files().BackupStartFolder()));
  if (folder.isEmpty()) return;
  if (m_session.files().BackupAll(m_session.schedule(), folder.toStdString()) ==
      BackupAllResult::kDoneClose)
    close();
}

void MainWindow::ShowAbout() {
  AboutFacts facts;
  facts.scheduleFile = m_session.files().schedulePath();
  facts.programLocation = QCoreApplication::applicationDirPath().toStdString();
  facts.errorLogPath = (m_session.places().dataFolder / kErrorLogFileName).string();
  const auto fileDate = [](const QString& path) {
    return QFileInfo(path).lastModified().date().toString(QStringLiteral("M/d/yy")).toStdString();
  };
  facts.programFileDate = fileDate(QCoreApplication::applicationFilePath());
  // The calendar plug-in: its program file, and whether it answers on its socket.
  BridgeLink& link = m_session.calendar().link();
  const QString plugin = QString::fromStdString(link.ProgramPath());
  facts.pluginInstalled = QFileInfo::exists(plugin);
  if (facts.pluginInstalled) facts.pluginFileDate = fileDate(plugin);
  facts.pluginRunning = link.IsRunning();
  AboutBox box(facts, this);
  box.SetHelpHandler([this](const std::string& topic) { m_ui.OpenHelpTopic(topic); });
  box.exec();
}

}  // namespace ploven
