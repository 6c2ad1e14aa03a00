// plovenctl sync: the built plovenctl starts the built companion, and what another program put
// into the calendar folder lands in the schedule once.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <set>

#include "bridge/socket_bridge_link.h"
#include "cli/cli_runner.h"

namespace ploven::test {
namespace {

class PlovenctlCalendarPass : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("PLOVEN_CALENDAR_IDLE_SECONDS", "5", 1);
    std::filesystem::create_directories(dir / "home" / "calendar");
    Ini("[Ploven]\nOutlookToPloven=1\n");
    ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
  }
  void TearDown() override {
    SocketBridgeLink(dir / "home").Close();
    unsetenv("PLOVEN_CALENDAR_IDLE_SECONDS");
  }
  void Ini(const std::string& text) { std::ofstream(dir / "home" / "Ploven.ini") << text; }
  void Drop(const std::string& name, const std::string& body) {
    std::ofstream(dir / "home" / "calendar" / name)
        << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\n" << body
        << "END:VCALENDAR\r\n";
  }
  TempDir dir;
};

TEST_F(PlovenctlCalendarPass, WhatThePhoneMadeIsTakenInOnceAndListed) {
  Drop("milk.ics",
       "BEGIN:VTODO\r\nUID:milk\r\nDTSTAMP:20261208T080000Z\r\nSUMMARY:Buy milk\r\n"
       "DUE;VALUE=DATE:20261215\r\nEND:VTODO\r\n");
  Drop("dentist.ics",
       "BEGIN:VEVENT\r\nUID:dentist\r\nDTSTAMP:20261208T080000Z\r\nSUMMARY:Dentist\r\n"
       "DTSTART:20261210T140000\r\nDTEND:20261210T143000\r\nEND:VEVENT\r\n");
  CliRun r = RunCli(dir, {"sync", "s.pak"});
  ASSERT_EQ(r.status, 0) << r.err;
  // The files come in folder order: each is listed once, added, with its new ID.
  std::set<std::string> titles;
  for (const std::string& line : Lines(r.out)) {
    const std::vector<std::string> f = Fields(line);
    ASSERT_EQ(f.size(), 3u) << line;
    EXPECT_EQ(f[0], "added");
    EXPECT_NE(f[1], "-");
    titles.insert(f[2]);
  }
  EXPECT_EQ(titles, (std::set<std::string>{"Buy milk", "Dentist"})) << r.out;
  EXPECT_EQ(Lines(r.out).size(), 2u) << r.out;

  // A second pass has nothing new, and the schedule holds each item once.
  r = RunCli(dir, {"sync", "s.pak"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.empty()) << r.out;
  const CliRun items = RunCli(dir, {"items", "s.pak"});
  ASSERT_EQ(items.status, 0) << items.err;
  int milk = 0, dentist = 0;
  for (const std::string& line : Lines(items.out)) {
    milk += line.find("Buy milk") != std::string::npos;
    dentist += line.find("Dentist") != std::string::npos;
  }
  EXPECT_EQ(milk, 1) << items.out;
  EXPECT_EQ(dentist, 1) << items.out;
  const CliRun day = RunCli(dir, {"day", "s.pak", "2026-12-10"});
  EXPECT_NE(day.out.find("14:00"), std::string::npos) << day.out;
}

TEST_F(PlovenctlCalendarPass, NothingIsTakenWhileTheSwitchIsOff) {
  Ini("[Ploven]\n");
  Drop("milk.ics",
       "BEGIN:VTODO\r\nUID:milk\r\nDTSTAMP:20261208T080000Z\r\nSUMMARY:Buy milk\r\nEND:VTODO\r\n");
  const CliRun r = RunCli(dir, {"sync", "s.pak"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Synchronization Settings"), std::string::npos) << r.err;
  EXPECT_EQ(RunCli(dir, {"items", "s.pak"}).out.find("Buy milk"), std::string::npos);
}

}  // namespace
}  // namespace ploven::test
