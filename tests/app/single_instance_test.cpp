#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QLocalSocket>
#include <QProcess>
#include <fstream>
#include <vector>

#include "app/program_session.h"
#include "app/single_instance.h"
#include "mock/test_env.h"

namespace ploven::test {
namespace {

void ProcessEventsFor(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(SingleInstanceTest, ASecondStartOnTheSameScheduleHandsOver) {
  const uint16_t id = ProgramSession::ScheduleIdentity("/tmp/single-instance-test.pak");
  SingleInstance running(id);
  std::vector<HandOver> asked;
  ASSERT_TRUE(running.Listen([&](HandOver request) { asked.push_back(request); }));

  SingleInstance other(static_cast<uint16_t>(id + 1));
  // Another schedule: nobody to hand over to.
  EXPECT_FALSE(other.HandOverToRunning(HandOver::kRaise, 200));

  SingleInstance second(id);
  EXPECT_TRUE(second.HandOverToRunning(HandOver::kRaise, 200));
  ProcessEventsFor(300);
  // The desktop entry's New Item action on a schedule that is open already.
  SingleInstance third(id);
  EXPECT_TRUE(third.HandOverToRunning(HandOver::kNewItem, 200));
  ProcessEventsFor(300);
  EXPECT_EQ(asked, (std::vector<HandOver>{HandOver::kRaise, HandOver::kNewItem}));
}

// The New Item dialog the hand-over opens runs an event loop of its own, in which the later
// start ends and its connection goes; the program that opened the dialog must live on.
TEST(SingleInstanceTest, AHandOverThatOpensADialogOutlivesTheLaterStartsConnection) {
  const uint16_t id = ProgramSession::ScheduleIdentity("/tmp/single-instance-dialog-test.pak");
  SingleInstance running(id);
  int dialogs = 0;
  ASSERT_TRUE(running.Listen([&](HandOver) {
    ++dialogs;
    // The dialog's own loop (as exec() runs it), while the peer disconnects.
    QEventLoop dialogLoop;
    QTimer::singleShot(400, &dialogLoop, &QEventLoop::quit);
    dialogLoop.exec();
  }));
  {
    SingleInstance later(id);
    EXPECT_TRUE(later.HandOverToRunning(HandOver::kNewItem, 200));
  }  // the later start ends
  ProcessEventsFor(800);
  EXPECT_EQ(dialogs, 1);
}

// The real program: the second start on an open schedule ends with exit code 1.
TEST(SingleInstanceTest, TheProgramItselfExitsWithOneOnASecondStart) {
  TempDir dir;
  std::filesystem::create_directories(dir / "home");
  { std::ofstream(dir / "home" / "Ploven.ini") << "[Ploven]\nUserName=Dana\n"; }
  const QString schedule = QString::fromStdString((dir / "home" / "mine.pak").string());
  {
    QProcess make;
    make.start(PLOVENCTL_PATH, {"new", schedule});
    ASSERT_TRUE(make.waitForFinished(10000));
    ASSERT_EQ(make.exitCode(), 0);
  }
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("PLOVEN_HOME", QString::fromStdString((dir / "home").string()));
  env.insert("HOME", QString::fromStdString((dir / "user").string()));

  QProcess first;
  first.setProcessEnvironment(env);
  first.start(PLOVEN_PATH, {schedule});
  ASSERT_TRUE(first.waitForStarted(10000));
  // Wait until the first program listens for later starts.
  const QString name = SingleInstance::ServerName(ProgramSession::ScheduleIdentity(
      std::filesystem::path(schedule.toStdString()).string()));
  bool listening = false;
  for (int i = 0; i < 100 && !listening; ++i) {
    QLocalSocket probe;
    probe.connectToServer(name);
    listening = probe.waitForConnected(100);
    if (!listening) ProcessEventsFor(100);
  }
  ASSERT_TRUE(listening);

  QProcess second;
  second.setProcessEnvironment(env);
  second.start(PLOVEN_PATH, {schedule});
  ASSERT_TRUE(second.waitForFinished(20000));
  EXPECT_EQ(second.exitCode(), 1);

  first.kill();
  first.waitForFinished(5000);
}

}  // namespace
}  // namespace ploven::test
