// Two Plovens on two schedules share one calendar on a real server: what one makes reaches the
// server (as another calendar program sees it), a change made there by that other program
// comes back, and the second Ploven takes in what the first made.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <fstream>
#include <functional>

#include "bridge/socket_bridge_link.h"
#include "cli/cli_runner.h"
#include "radicale_fixture.h"

namespace ploven::test {
namespace {

class ServerEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RadicaleServer::Installed()) GTEST_SKIP() << "radicale is missing (scripts/install-deps)";
    QString error;
    ASSERT_TRUE(server.Start(error)) << error.toStdString();
    url = server.MakeCalendar(QStringLiteral("me"), QStringLiteral("work"));
    ASSERT_FALSE(url.isEmpty());
    setenv("PLOVEN_CALENDAR_IDLE_SECONDS", "10", 1);
    for (TempDir* d : {&first, &second}) {
      std::filesystem::create_directories(*d / "home");
      std::ofstream(*d / "home" / "Ploven.ini")
          << "[Ploven]\nPlovenOutlook=1\nOutlookToPloven=1\nCalendarKind=server\n"
          << "CalendarServerUrl=" << url.toString().toStdString() << "\nCalendarServerUser=me\n";
      ASSERT_EQ(RunCli(*d, {"new", "s.pak"}).status, 0);
    }
  }
  void TearDown() override {
    SocketBridgeLink(first / "home").Close();
    SocketBridgeLink(second / "home").Close();
    unsetenv("PLOVEN_CALENDAR_IDLE_SECONDS");
  }

  // What the other calendar program sees, one "KIND<TAB>TITLE" line per item.
  std::string Peer(const QString& action, const QString& argument) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(PLOVEN_TEST_SCRIPTS "/caldav_client.py"), url.toString(),
                  QStringLiteral("me"), action, argument});
    python.waitForFinished(60000);
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return python.readAllStandardOutput().toStdString();
  }

  // The server's work goes on after plovenctl has ended: waits (up to 20 s) until `done`.
  static bool Eventually(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
      if (done()) return true;
      QThread::msleep(200);
    }
    return done();
  }

  // Passes until one lists `line` (the companion may need a round or two to reach the server).
  std::string SyncUntil(TempDir& dir, const std::string& fragment) {
    std::string seen;
    Eventually([&] {
      const CliRun r = RunCli(dir, {"sync", "s.pak"});
      EXPECT_EQ(r.status, 0) << r.err;
      seen += r.out;
      return seen.find(fragment) != std::string::npos;
    });
    return seen;
  }

  static int Count(const std::string& text, const std::string& fragment) {
    int n = 0;
    for (size_t at = text.find(fragment); at != std::string::npos; at = text.find(fragment, at + 1))
      ++n;
    return n;
  }

  RadicaleServer server;
  QUrl url;
  TempDir first;
  TempDir second;
};

TEST_F(ServerEndToEnd, ItemsTravelBetweenTwoPlovensThroughTheServerAndAnotherClient) {
  const CliRun add = RunCli(first, {"add", "s.pak", "--fixed", "--title", "Dentist", "--date",
                                    "2026-12-10", "--start", "10:00", "--duration", "30"});
  ASSERT_EQ(add.status, 0) << add.err;
  const CliRun task = RunCli(first, {"add", "s.pak", "--title", "Write report", "--date",
                                     "2026-12-11", "--duration", "90"});
  ASSERT_EQ(task.status, 0) << task.err;

  // The other program sees an event and a to-do, once each.
  std::string listed;
  ASSERT_TRUE(Eventually([&] {
    listed = Peer(QStringLiteral("list"), QStringLiteral("-"));
    return listed.find("Write report") != std::string::npos &&
           listed.find("Dentist") != std::string::npos;
  })) << listed;
  EXPECT_EQ(Count(listed, "VEVENT\tDentist"), 1) << listed;
  EXPECT_EQ(Count(listed, "VTODO\tWrite report"), 1) << listed;

  // The other program renames the appointment: the first Ploven takes the change.
  Peer(QStringLiteral("rename"), QStringLiteral("Dentist=Dentist at ten"));
  const std::string changes = SyncUntil(first, "Dentist at ten");
  EXPECT_NE(changes.find("changed"), std::string::npos) << changes;
  const CliRun items = RunCli(first, {"items", "s.pak"});
  EXPECT_NE(items.out.find("Dentist at ten"), std::string::npos) << items.out;
  EXPECT_EQ(Count(items.out, "Dentist"), 1) << items.out;

  // The second Ploven, on its own schedule, takes in both items once.
  const std::string taken = SyncUntil(second, "Write report");
  EXPECT_EQ(Count(taken, "added"), 2) << taken;
  const CliRun theirs = RunCli(second, {"items", "s.pak"});
  EXPECT_EQ(Count(theirs.out, "Dentist at ten"), 1) << theirs.out;
  EXPECT_EQ(Count(theirs.out, "Write report"), 1) << theirs.out;
  const CliRun day = RunCli(second, {"day", "s.pak", "2026-12-10"});
  EXPECT_NE(day.out.find("10:00"), std::string::npos) << day.out;

  // Nothing came twice: the server still holds the two items.
  listed = Peer(QStringLiteral("list"), QStringLiteral("-"));
  EXPECT_EQ(Count(listed, "\n"), 2) << listed;
}

}  // namespace
}  // namespace ploven::test
