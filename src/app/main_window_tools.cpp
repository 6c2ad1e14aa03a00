// The main window's Tools: the stopwatch and the countdown timer, the world clocks and their
// time zones, the check of the computer's clock, the address book, the area codes and the
// messages between the users of a shared folder.

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <cstring>

#include "app/main_window.h"
#include "alarm/alarm_routine.h"
#include "app/tools_messages.h"
#include "dialogs/send_message_dialog.h"
#include "dialogs/timer_window.h"
#include "dialogs/world_clock_window.h"
#include "done/start_unstart.h"
#include "file/user_messages.h"
#include "file/user_messages_text.h"
#include "platform/clock_sync.h"
#include "platform/format.h"
#include "platform/settings_keys.h"
#include "store/date_format.h"
#include "store/schedule.h"

namespace ploven {

namespace t = tools_text;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TimerWindow* MainWindow::OpenTimer(bool countdown) {
  QPointer<TimerWindow>& window = countdown ? m_countdown : m_stopwatch;
  if (window == nullptr) {
    window = new TimerWindow(
        countdown ? TimerWindow::Kind::kCountdown : TimerWindow::Kind::kStopwatch,
        [this] {
          if (AlarmRoutine* alarms = m_session.alarms()) alarms->PlayAlarmSound();
        },
        this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // The countdown timer opens where it was last ("TimerPos").
    if (countdown) {
      if (const auto& pos = m_session.programSettings().timerPos; pos && pos->c > pos->a)
        window->setGeometry(pos->a, pos->b, pos->c - pos->a, pos->d - pos->b);
      connect(window, &QDialog::finished, this, [this] { RememberTimerPlace(); });
    }
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void MainWindow::RememberTimerPlace() {
  if (m_countdown == nullptr) return;
  const QRect g = m_countdown->geometry();
  const SettingsRect rect{g.left(), g.top(), g.right() + 1, g.bottom() + 1};
  m_session.programSettings().timerPos = rect;
  m_session.settings().WriteRect(key::kTimerPos, rect);
}

void MainWindow::StartWithCountdown() {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !m_session.writable()) return;
  Schedule& s = m_session.schedule();
  // Started, not unstarted: a started item keeps running and only the timer opens.
  if (!(s.ActFlags(task->act) & AF_STARTED) && ploven::ToggleStarted(s, task)) AfterChange();
  const int minutes = std::max<int>(1, task->length);
  OpenTimer(true)->StartCountdown(int64_t{minutes} * 60, Q(s.GetActTitle(task->act)));
}

void MainWindow::OpenWorldClocks(bool theirTime) {
  if (m_worldClocks == nullptr) {
    m_worldClocks = new WorldClockWindow(m_session.settings(), this);
    m_worldClocks->setAttribute(Qt::WA_DeleteOnClose);
  }
  m_worldClocks->show();
  m_worldClocks->raise();
  if (theirTime) m_worldClocks->FocusTheirTime();
}

void MainWindow::EditWorldClockZones(bool worldClocks) {
  ZoneListDialog dialog(m_session.settings(), worldClocks, this);
  if (dialog.exec() != QDialog::Accepted) return;
  if (m_worldClocks != nullptr) m_worldClocks->Reload();
  else if (worldClocks) OpenWorldClocks(false);
}

void MainWindow::CheckComputerClock() {
  ClockSyncState state;
  QProcess ask;
  ask.start(QStringLiteral("timedatectl"), {QStringLiteral("show")});
  if (ask.waitForFinished(3000) && ask.exitCode() == 0)
    state = ParseTimedatectlShow(ask.readAllStandardOutput().toStdString());
  // Without timedatectl, systemd's time service leaves this file while the clock is synced.
  if (!state.synchronized && QFile::exists(QStringLiteral("/run/systemd/timesync/synchronized")))
    state.synchronized = true;
  m_session.messages().PlainMessage(ClockSyncText(state), CommandLabel(Command::kUpdateComputerClock));
}

void MainWindow::OpenAddressBook() {
  const QString book = Q(m_session.settings().ReadString(key::kAddressBook)).trimmed();
  QStringList command = QProcess::splitCommand(book);
  if (command.isEmpty()) {
    // The desktop's contacts program, the first one installed.
    const QStringList candidates[] = {{"gnome-contacts"},
                                      {"kaddressbook"},
                                      {"evolution", "--component=contacts"},
                                      {"thunderbird", "-addressbook"}};
    for (const QStringList& c : candidates)
      if (!QStandardPaths::findExecutable(c.front()).isEmpty()) {
        command = c;
        break;
      }
  }
  if (command.isEmpty()) {
    m_session.messages().InformationMessage(t::kNoAddressBook);
    return;
  }
  const QString program = command.takeFirst();
  if (!QProcess::startDetached(program, command))
    m_session.messages().ErrorMessage(QString(t::kAddressBookFailed).arg(program).toStdString());
}

void MainWindow::ShowAreaCodes() {
  // The list file beside the program, or the user's own in the data folder.
  const QString name = QString::fromUtf8(t::kAreaCodesFile);
  const QStringList places = {Q((m_session.places().dataFolder / t::kAreaCodesFile).string()),
                              QCoreApplication::applicationDirPath() + "/" + name,
                              QCoreApplication::applicationDirPath() + "/../share/ploven/" + name};
  for (const QString& path : places) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
    m_session.messages().PlainMessage(QString::fromUtf8(file.readAll()).toStdString(),
                                      CommandLabel(Command::kAreaCodes));
    return;
  }
  m_session.messages().InformationMessage(
      QString(t::kNoAreaCodes).arg(places.front()).toStdString());
}

void MainWindow::SendMessageToUsers() {
  const std::string own = m_session.files().folder();
  const std::vector<std::string> users = OtherUsers(own);
  if (users.empty()) {
    m_session.messages().InformationMessage(user_messages_text::kNoOtherUsers);
    return;
  }
  SendMessageDialog dialog(
      users,
      [this, own](const std::string& user, const std::string& text) {
        UserMessage m;
        m.from = m_session.settings().ReadString(key::kUserName);
        m.sent = FormatDate(m_session.clock().Today(), m_env->dateText()) + " " +
                 FormatTime(m_session.clock().Now(), m_env->dateText());
        m.text = text;
        const std::string folder = UserFolder(own, user);
        const FileOutcome o = SendUserMessage(m_session.fs(), folder, m,
                                              QDateTime::currentSecsSinceEpoch());
        if (!o.ok()) {
          m_session.messages().ErrorMessage(
              Sprintf(user_messages_text::kNotSent, folder.c_str(), std::strerror(o.error)));
          return false;
        }
        m_session.messages().InformationMessage(Sprintf(user_messages_text::kSent, user.c_str()));
        return true;
      },
      m_session.messages(), this);
  dialog.exec();
}

void MainWindow::ReadUserMessages() {
  // New ones first come the usual way, then the whole list.
  const std::string own = m_session.files().folder();
  DeliverNewMessages(m_session.fs(), own, m_session.messages());
  const std::vector<UserMessage> read = ReadMessages(m_session.fs(), own);
  std::string text;
  for (const UserMessage& m : read)
    text += Sprintf(user_messages_text::kReadEntry, m.from.c_str(), m.sent.c_str(),
                    m.text.c_str()) +
            "\n";
  if (text.empty()) text = user_messages_text::kNoMessages;
  m_session.messages().PlainMessage(text, user_messages_text::kReadTitle);
}

}  // namespace ploven
