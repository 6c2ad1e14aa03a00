// plovenctl's changing commands tell the calendar what the desktop program tells it: a
// companion served here, on the socket of plovenctl's data folder, hears them.
#include <gtest/gtest.h>

#include <fstream>

#include "bridge/bridge_codes.h"
#include "bridge/companion_socket.h"
#include "bridge/socket_bridge_link.h"
#include "cli/cli_runner.h"
#include "fake_target.h"
#include "plugin/companion_server.h"
#include "serving.h"

namespace ploven::test {
namespace {

using namespace std::chrono_literals;

class PlovenctlSync : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir / "home");
    socketPath = QString::fromStdString(CompanionSocketPath(dir / "home").string());
    // Sending to the calendar is switched on (it is off in a new data folder).
    Ini("[Ploven]\nPlovenOutlook=1\n");
  }
  void Ini(const std::string& text) { std::ofstream(dir / "home" / "Ploven.ini") << text; }
  void Serve() {
    server = std::make_unique<calendar::CompanionServer>(
        target, log, [] { return calendar::CompanionSettings{}; });
    ASSERT_TRUE(server->Listen(socketPath));
  }
  CliRun Run(const std::vector<std::string>& args) {
    return WhileServing([&] { return RunCli(dir, args); });
  }
  std::string Add() {
    const CliRun add = Run({"add", "s.pak", "--fixed", "--title", "Dentist", "--date", "2026-12-10",
                            "--start", "10:00", "--duration", "30"});
    EXPECT_EQ(add.status, 0) << add.err;
    return add.out.empty() ? std::string() : Lines(add.out)[0];
  }

  TempDir dir;
  QString socketPath;
  FakeTarget target;
  MemoryLog log;
  std::unique_ptr<calendar::CompanionServer> server;
};

TEST_F(PlovenctlSync, AddEditDoneAndDeleteReachTheCalendar) {
  Serve();
  ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
  const std::string id = Add();
  ASSERT_FALSE(id.empty());
  ASSERT_EQ(target.applied.size(), 1u);
  EXPECT_EQ(target.applied[0].action, QByteArray(kActionSave));
  EXPECT_EQ(target.applied[0].code, CodeValue(BridgeCode::kAppointment));
  EXPECT_EQ(std::to_string(target.applied[0].itemID), id);
  EXPECT_TRUE(target.applied[0].record.startsWith("Dentist\t10/12/2026\t"));

  CliRun r = Run({"edit", "s.pak", id, "--title", "Dentist at 10"});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(target.applied.size(), 2u);
  EXPECT_EQ(target.applied[1].action, QByteArray(kActionChange));
  EXPECT_TRUE(target.applied[1].record.startsWith("Dentist\tDentist at 10\t"));

  r = Run({"done", "s.pak", id});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(target.applied.size(), 3u);
  EXPECT_EQ(target.applied[2].action, QByteArray(kActionDone));
  EXPECT_EQ(target.applied[2].record, QByteArray("Done\tDentist at 10\t"));

  const std::string other = Add();
  r = Run({"delete", "s.pak", other});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(target.applied.size(), 5u);
  EXPECT_EQ(target.applied[4].action, QByteArray(kActionDelete));
  EXPECT_EQ(target.applied[4].record, QByteArray("Dentist"));
  EXPECT_EQ(std::to_string(target.applied[4].itemID), other);
}

TEST_F(PlovenctlSync, ARecurringItemTravelsAsItsFirstOccurrenceAndACancelAsADelete) {
  Serve();
  ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
  // Today is Tuesday 8 December 2026: the first occurrence is on Wednesday.
  const CliRun add = Run({"add", "s.pak", "--title", "Gym", "--fixed", "--start", "18:00",
                          "--recur", "weekly:Mo,We/2", "--from", "2026-12-07"});
  ASSERT_EQ(add.status, 0) << add.err;
  ASSERT_EQ(target.applied.size(), 1u);
  const QByteArray& record = target.applied[0].record;
  EXPECT_TRUE(record.startsWith("Gym\t9/12/2026\t")) << record.toStdString();
  // Weekly, Monday and Wednesday, every second week.
  EXPECT_TRUE(record.contains("\t1\tnono\t10\tnono\tnono\tnono\tnono\t2\t")) << record.toStdString();

  const CliRun cancel = Run({"cancel", "s.pak", Lines(add.out)[0], "2026-12-09"});
  ASSERT_EQ(cancel.status, 0) << cancel.err;
  ASSERT_EQ(target.applied.size(), 2u);
  EXPECT_EQ(target.applied[1].action, QByteArray(kActionDelete));
  EXPECT_EQ(target.applied[1].record, QByteArray("Gym"));
  EXPECT_EQ(target.applied[1].occurrenceDate, target.applied[0].occurrenceDate);
}

TEST_F(PlovenctlSync, SwitchedOffNothingGoes) {
  Ini("[Ploven]\nPlovenOutlook=1\nPlovenToOutlookAppts=0\nPlovenToOutlookTasks=0\n");
  Serve();
  ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
  Add();
  EXPECT_TRUE(target.applied.empty());
  // Sending as a whole is off in a data folder where it was never switched on.
  Ini("[Ploven]\n");
  Add();
  EXPECT_TRUE(target.applied.empty());
}

TEST_F(PlovenctlSync, ARefusedChangeTellsTheCalendarNothing) {
  Serve();
  ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
  const CliRun r = Run({"delete", "s.pak", "999"});
  EXPECT_NE(r.status, 0);
  EXPECT_TRUE(target.applied.empty());
}

TEST_F(PlovenctlSync, AFolderWithoutACalendarGetsNoneFromAScript) {
  // The defaults send both kinds of item; with no calendar folder and no companion, a script
  // starts nothing and says nothing.
  ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
  const CliRun add = RunCli(dir, {"add", "s.pak", "--title", "Swim", "--date", "2026-12-10"});
  ASSERT_EQ(add.status, 0);
  EXPECT_EQ(add.err, "");
  SocketBridgeLink link((dir / "home").string());
  EXPECT_FALSE(link.IsRunning());
  EXPECT_FALSE(std::filesystem::exists(dir / "home" / "ploven-calendar.log"));
}

TEST_F(PlovenctlSync, AFolderWithACalendarHasTheCompanionStarted) {
  std::filesystem::create_directories(dir / "home" / "calendar");
  ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
  const CliRun add = RunCli(dir, {"add", "s.pak", "--title", "Swim", "--date", "2026-12-10"});
  ASSERT_EQ(add.status, 0);
  EXPECT_EQ(add.err, "");
  SocketBridgeLink link((dir / "home").string());
  ASSERT_TRUE(link.IsRunning());  // the one beside plovenctl in the build folder
  link.Close();
  EXPECT_FALSE(link.IsRunning());
}

TEST_F(PlovenctlSync, ACalendarServerChosenInTheSettingsHasTheCompanionStarted) {
  Ini("[Ploven]\nPlovenOutlook=1\nCalendarKind=server\n"
      "CalendarServerUrl=http://127.0.0.1:9/dav/\n");
  ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
  const CliRun add = RunCli(dir, {"add", "s.pak", "--title", "Swim", "--date", "2026-12-10"});
  ASSERT_EQ(add.status, 0);
  SocketBridgeLink link((dir / "home").string());
  ASSERT_TRUE(link.IsRunning());
  link.Close();
}

TEST_F(PlovenctlSync, ASyncHandsTheServersPasswordFromTheEnvironmentAndLooksAgain) {
  Ini("[Ploven]\nOutlookToPloven=1\nCalendarKind=server\n");
  Serve();
  ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
  target.pending = {calendar::OutboundChange{CodeValue(BridgeCode::kPasswordWanted), "pw1",
                                             "https://cal.example.org/dav/\nann", 0, 0}};
  setenv("PLOVEN_CALENDAR_PASSWORD", "pw-66b2", 1);
  const CliRun r = Run({"sync", "s.pak"});
  unsetenv("PLOVEN_CALENDAR_PASSWORD");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(target.confirmed, QList<QByteArray>{"pw1"});
  EXPECT_EQ(target.passes, 2);  // once more, with the password
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.find("pw-66b2"), std::string::npos);
  for (const QString& line : log.lines) EXPECT_FALSE(line.contains("pw-66b2")) << line.toStdString();
}

}  // namespace
}  // namespace ploven::test
