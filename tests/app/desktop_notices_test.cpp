#include "app/desktop_notices.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QVariantMap>

#include "app/qt_alarm_device.h"
#include "dialogs/message_box_dialog.h"

namespace ploven::test {
namespace {

// What the fake notification service was asked.
struct NotifyCall {
  QString app;
  uint replaces = 0;
  QString summary;
  QString body;
  QStringList actions;
  QVariantMap hints;
};

// A notification service of its own, on its own thread (the program's calls block until the
// service answers).
class FakeNotificationService : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  std::vector<NotifyCall> Calls() {
    QMutexLocker lock(&m_mutex);
    return m_calls;
  }
  std::vector<uint> Closed() {
    QMutexLocker lock(&m_mutex);
    return m_closed;
  }

 public slots:
  uint Notify(const QString& app, uint replaces, const QString& /*icon*/, const QString& summary,
              const QString& body, const QStringList& actions, const QVariantMap& hints,
              int /*timeout*/) {
    QMutexLocker lock(&m_mutex);
    m_calls.push_back({app, replaces, summary, body, actions, hints});
    return replaces != 0 ? replaces : ++m_lastId;
  }
  void CloseNotification(uint id) {
    QMutexLocker lock(&m_mutex);
    m_closed.push_back(id);
  }
  QStringList GetCapabilities() { return {"actions", "body"}; }

 private:
  QMutex m_mutex;
  std::vector<NotifyCall> m_calls;
  std::vector<uint> m_closed;
  uint m_lastId = 40;
};

class DesktopNoticesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    if (daemon.isEmpty()) GTEST_SKIP() << "dbus-daemon is not installed";
    m_daemon.start(daemon, {"--session", "--nofork", "--print-address"});
    ASSERT_TRUE(m_daemon.waitForStarted(5000));
    ASSERT_TRUE(m_daemon.waitForReadyRead(5000));
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    ASSERT_FALSE(m_address.isEmpty());

    m_serviceThread.start();
    m_service = new FakeNotificationService();
    m_service->moveToThread(&m_serviceThread);
    m_serviceBus = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(m_address, "ploven-test-service"));
    ASSERT_TRUE(m_serviceBus->isConnected());
    ASSERT_TRUE(m_serviceBus->registerObject("/org/freedesktop/Notifications", m_service,
                                             QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(m_serviceBus->registerService("org.freedesktop.Notifications"));
    m_clientBus = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(m_address, "ploven-test-client"));
    ASSERT_TRUE(m_clientBus->isConnected());
  }

  void TearDown() override {
    if (m_serviceBus) {
      m_serviceBus->unregisterObject("/org/freedesktop/Notifications");
      QDBusConnection::disconnectFromBus("ploven-test-service");
    }
    if (m_clientBus) QDBusConnection::disconnectFromBus("ploven-test-client");
    m_serviceThread.quit();
    m_serviceThread.wait();
    delete m_service;
    if (m_daemon.state() != QProcess::NotRunning) {
      m_daemon.terminate();
      m_daemon.waitForFinished(5000);
    }
  }

  // The service tells of an action chosen in the notification.
  void InvokeAction(uint id, const QString& action) {
    QDBusMessage signal = QDBusMessage::createSignal(
        "/org/freedesktop/Notifications", "org.freedesktop.Notifications", "ActionInvoked");
    signal << id << action;
    ASSERT_TRUE(m_serviceBus->send(signal));
  }

  static void WaitFor(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(5);
    }
  }

  static AlarmNotice Notice(const std::string& occurrence) {
    return {occurrence, "Ploven Alarm", "Dentist\nbegin in 10 minutes.", "box text"};
  }

  QProcess m_daemon;
  QString m_address;
  QThread m_serviceThread;
  FakeNotificationService* m_service = nullptr;
  std::unique_ptr<QDBusConnection> m_serviceBus;
  std::unique_ptr<QDBusConnection> m_clientBus;
};

TEST_F(DesktopNoticesTest, AnAlarmPostsACriticalNotificationWithItsActions) {
  DesktopNotices notices(*m_clientBus);
  notices.Post(Notice("7@17144"));
  const auto calls = m_service->Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].summary, "Ploven Alarm");
  EXPECT_EQ(calls[0].body, "Dentist\nbegin in 10 minutes.");
  EXPECT_EQ(calls[0].replaces, 0u);
  EXPECT_EQ(calls[0].actions,
            (QStringList{"snooze", "Snooze", "done", "Done", "dismiss", "Dismiss"}));
  EXPECT_EQ(calls[0].hints.value("urgency").toInt(), 2);
  EXPECT_EQ(calls[0].hints.value("desktop-entry").toString(), "ploven");
  notices.Withdraw("7@17144");
  EXPECT_EQ(m_service->Closed(), std::vector<uint>{41});
}

TEST_F(DesktopNoticesTest, RingingAgainReplacesTheNotificationInPlace) {
  DesktopNotices notices(*m_clientBus);
  notices.Post(Notice("7@17144"));
  notices.Withdraw("7@17144");
  notices.Post(Notice("7@17144"));
  notices.Post(Notice("8@17144"));
  const auto calls = m_service->Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[1].replaces, 41u);  // the same occurrence
  EXPECT_EQ(calls[2].replaces, 0u);   // another one
}

TEST_F(DesktopNoticesTest, AnActionInTheNotificationAnswersTheAlarm) {
  DesktopNotices notices(*m_clientBus);
  std::vector<NoticeAnswer> told;
  notices.SetAnsweredHandler([&](const AlarmNotice&, NoticeAnswer a) { told.push_back(a); });
  notices.Post(Notice("7@17144"));
  InvokeAction(41, "done");
  WaitFor([&] { return !told.empty(); });
  ASSERT_EQ(told, std::vector<NoticeAnswer>{NoticeAnswer::kDone});
  EXPECT_EQ(notices.TakeAnswer("7@17144"), NoticeAnswer::kDone);
  EXPECT_EQ(notices.TakeAnswer("7@17144"), NoticeAnswer::kNone);  // taken
  // An action on a notification this program did not post is not an answer.
  InvokeAction(99, "snooze");
  WaitFor([] { return false; }, 300);
  EXPECT_EQ(told.size(), 1u);
}

TEST_F(DesktopNoticesTest, AnsweringTheNotificationClosesItsAlarmBox) {
  DesktopNotices notices(*m_clientBus);
  QtAlarmDevice device(nullptr, &notices);
  AlarmNotice notice = Notice("7@17144");
  notice.boxText = "It's 9:00am!  The item:\n\n'Dentist'";
  BoxRequest box;
  box.text = notice.boxText;
  box.caption = "Ploven Alarm for Pat";
  box.buttons = {{"&Yes", kIdCustom1},
                 {"&No", kIdCustom1 + 1},
                 {"De&lete Item", kIdCustom1 + 2},
                 {"&Done Item", kIdCustom1 + 3}};
  device.PostNotice(notice);
  QTimer::singleShot(50, [this] { InvokeAction(41, "snooze"); });
  MessageBoxDialog dialog(box);
  const BoxAnswer answer = dialog.Run();  // ends when the notification is answered
  EXPECT_EQ(answer.code, kIdCustom1 + 1);
  EXPECT_EQ(device.TakeNoticeAnswer("7@17144"), NoticeAnswer::kSnooze);
  device.WithdrawNotice("7@17144");
  EXPECT_EQ(m_service->Closed(), std::vector<uint>{41});
}

TEST(DesktopNoticesWithoutServiceTest, WithoutABusTheBoxRingsAloneAndNothingFails) {
  DesktopNotices notices(QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "none"));
  notices.Post({"1@1", "Ploven Alarm", "body", "box"});
  notices.Withdraw("1@1");
  EXPECT_EQ(notices.TakeAnswer("1@1"), NoticeAnswer::kNone);
  QDBusConnection::disconnectFromBus("none");
}

}  // namespace
}  // namespace ploven::test

#include "desktop_notices_test.moc"
