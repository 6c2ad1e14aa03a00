#include "app/qt_alarm_device.h"

#include <QApplication>
#include <QAudioOutput>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMediaPlayer>
#include <QProcess>
#include <QThread>
#include <QUrl>
#include <QWidget>

#include "alarm/posix_process.h"
#include "alarm/sound_choices.h"
#include "app/desktop_notices.h"
#include "dialogs/alarm_progress_window.h"
#include "dialogs/alarm_snooze_dialog.h"
#include "dialogs/message_box_dialog.h"

namespace ploven {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Swallows the key presses that arrived before an alarm box, so that typing in progress cannot
// answer it.
class KeySwallower : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
        event->type() == QEvent::ShortcutOverride)
      return true;
    return QObject::eventFilter(watched, event);
  }
};

bool HasScheme(const std::string& target) {
  const size_t colon = target.find(':');
  if (colon == std::string::npos || colon < 2) return false;  // "C:" and plain paths
  for (size_t i = 0; i < colon; ++i) {
    const char c = target[i];
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.'))
      return false;
  }
  return true;
}

}  // namespace

QtAlarmDevice::QtAlarmDevice(QWidget* owner, DesktopNotices* notices)
    : m_owner(owner), m_notices(notices) {
  if (m_notices != nullptr) {
    // An answer in the notification closes the box; the alarms then take that answer.
    m_notices->SetAnsweredHandler([](const AlarmNotice& notice, NoticeAnswer) {
      const QString text = BoxText(notice.boxText);
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<MessageBoxDialog*>(w);
        if (box != nullptr && box->isVisible() && box->text() == text) {
          box->Press(1);  // "No"; the notification's own answer replaces it
          return;
        }
      }
    });
  }
}

QtAlarmDevice::~QtAlarmDevice() = default;

void QtAlarmDevice::PlayDefaultAlarm() {
  const std::string theme =
      ThemeAlarmSound(SoundThemeFolders(qEnvironmentVariable("XDG_DATA_DIRS").toStdString(),
                                        qEnvironmentVariable("XDG_DATA_HOME").toStdString()));
  if (theme.empty()) {
    QApplication::beep();
    m_lastSound = "<beep>";
    return;
  }
  PlayFile(theme);
}

void QtAlarmDevice::PlayFile(const std::string& path) {
  if (!m_player) {
    m_player = std::make_unique<QMediaPlayer>();
    m_output = std::make_unique<QAudioOutput>();
    m_player->setAudioOutput(m_output.get());
  }
  m_lastSound = path;
  m_player->stop();
  m_player->setSource(QUrl::fromLocalFile(Q(path)));
  m_player->play();
}

bool QtAlarmDevice::FileExists(const std::string& path) { return QFileInfo(Q(path)).isFile(); }

void QtAlarmDevice::Wait(int milliseconds) {
  QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void QtAlarmDevice::DiscardPendingKeys() {
  KeySwallower swallow;
  qApp->installEventFilter(&swallow);
  QApplication::processEvents(QEventLoop::AllEvents, 50);
  qApp->removeEventFilter(&swallow);
}

void QtAlarmDevice::PostNotice(const AlarmNotice& notice) {
  if (m_notices != nullptr) m_notices->Post(notice);
}

void QtAlarmDevice::WithdrawNotice(const std::string& occurrence) {
  if (m_notices != nullptr) m_notices->Withdraw(occurrence);
}

NoticeAnswer QtAlarmDevice::TakeNoticeAnswer(const std::string& occurrence) {
  return m_notices != nullptr ? m_notices->TakeAnswer(occurrence) : NoticeAnswer::kNone;
}

std::optional<int> QtAlarmDevice::AskSnoozeMinutes(const std::string& title, int initial) {
  QWidget* owner = QApplication::activeModalWidget();
  return ploven::AskSnoozeMinutes(owner != nullptr ? owner : m_owner.data(), title, initial);
}

void QtAlarmDevice::ShowProgress(const std::string& step) {
  if (!m_progress) m_progress = std::make_unique<AlarmProgressWindow>(m_owner.data());
  m_progress->ShowStep(step);
  // Each step stays long enough to be read; the window is drawn meanwhile.
  QElapsedTimer held;
  held.start();
  while (held.elapsed() < m_stepMs) {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
    QThread::msleep(20);
  }
}

void QtAlarmDevice::CloseProgress() {
  if (m_progress) m_progress->hide();
}

ProcessResult QtAlarmDevice::RunAndWait(const std::vector<std::string>& argv,
                                        const std::string& input) {
  return RunProgramAndWait(argv, input);
}

bool QtAlarmDevice::StartDetached(const std::vector<std::string>& argv) {
  if (argv.empty()) return false;
  QStringList args;
  for (size_t i = 1; i < argv.size(); ++i) args << Q(argv[i]);
  return QProcess::startDetached(Q(argv[0]), args);
}

bool QtAlarmDevice::OpenWithDesktop(const std::string& target) {
  const QUrl url = HasScheme(target) ? QUrl(Q(target)) : QUrl::fromLocalFile(Q(target));
  return QDesktopServices::openUrl(url);
}

void QtAlarmDevice::OpenItemProperties(ActHandle item) {
  if (m_openProperties) m_openProperties(item);
}

}  // namespace ploven
