#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <string>

#include "alarm/alarm_device.h"

namespace ploven {

// Alarm notifications through the desktop's notification service on the session bus: critical
// urgency (shown over full-screen windows), the actions Snooze, Done and Dismiss, one
// notification per occurrence, replaced in place when it rings again. Without a bus or a
// service nothing is shown and nothing is reported: the alarm box rings alone.
class DesktopNotices : public QObject {
  Q_OBJECT

 public:
  // `bus` is the session bus normally; tests give a private one.
  explicit DesktopNotices(QDBusConnection bus, QObject* parent = nullptr);

  void Post(const AlarmNotice& notice);
  void Withdraw(const std::string& occurrence);
  // The answer given through the notification since it was posted (taking it forgets it).
  NoticeAnswer TakeAnswer(const std::string& occurrence);

  // Called when a notification was answered, with its occurrence (the box then closes).
  void SetAnsweredHandler(std::function<void(const AlarmNotice&, NoticeAnswer)> handler) {
    m_answered = std::move(handler);
  }

 private slots:
  void OnActionInvoked(uint id, const QString& action);
  void OnClosed(uint id, uint reason);

 private:
  struct Posted {
    AlarmNotice notice;
    uint id = 0;
    NoticeAnswer answer = NoticeAnswer::kNone;
    bool showing = false;
  };
  Posted* FindById(uint id);

  QDBusConnection m_bus;
  std::map<std::string, Posted> m_posted;  // by occurrence
  std::function<void(const AlarmNotice&, NoticeAnswer)> m_answered;
};

}  // namespace ploven
