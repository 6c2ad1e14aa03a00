#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "alarm/alarm_device.h"

class QAudioOutput;
class QMediaPlayer;
class QWidget;

namespace ploven {

class DesktopNotices;
class AlarmProgressWindow;

// The desktop program's side of the alarms: sounds through Qt Multimedia (which also plays the
// sound theme's Ogg files), notifications over D-Bus, the snooze dialog, the progress window of
// forwarding, other programs and links through the desktop.
class QtAlarmDevice : public QObject, public AlarmDevice {
  Q_OBJECT

 public:
  // `notices` may be null (no notifications). `owner` is the window the dialogs belong to.
  QtAlarmDevice(QWidget* owner, DesktopNotices* notices);
  ~QtAlarmDevice() override;

  void SetMinimisedQuery(std::function<bool()> query) { m_minimised = std::move(query); }
  void SetPropertiesOpener(std::function<void(ActHandle)> open) {
    m_openProperties = std::move(open);
  }
  // How long each forwarding step stays in the progress window (tests shorten it).
  void SetStepMilliseconds(int ms) { m_stepMs = ms; }

  void PlayDefaultAlarm() override;
  void PlayFile(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  void Wait(int milliseconds) override;
  void DiscardPendingKeys() override;
  bool MainWindowMinimised() override { return m_minimised && m_minimised(); }
  void PostNotice(const AlarmNotice& notice) override;
  void WithdrawNotice(const std::string& occurrence) override;
  NoticeAnswer TakeNoticeAnswer(const std::string& occurrence) override;
  std::optional<int> AskSnoozeMinutes(const std::string& title, int initial) override;
  void ShowProgress(const std::string& step) override;
  void CloseProgress() override;
  ProcessResult RunAndWait(const std::vector<std::string>& argv, const std::string& input) override;
  bool StartDetached(const std::vector<std::string>& argv) override;
  bool OpenWithDesktop(const std::string& fileOrUrl) override;
  void OpenItemProperties(ActHandle item) override;

  // The sound now playing (empty when none): what the last Play asked for.
  const std::string& lastSound() const { return m_lastSound; }

 private:
  QPointer<QWidget> m_owner;
  DesktopNotices* m_notices;
  std::unique_ptr<QMediaPlayer> m_player;
  std::unique_ptr<QAudioOutput> m_output;
  std::unique_ptr<AlarmProgressWindow> m_progress;
  std::function<bool()> m_minimised;
  std::function<void(ActHandle)> m_openProperties;
  std::string m_lastSound;
  int m_stepMs = 1000;
};

}  // namespace ploven
