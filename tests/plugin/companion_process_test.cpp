// The built ploven-calendar, started the way the main program starts it, in a data folder of
// its own.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <thread>

#include "bridge/companion_socket.h"
#include "bridge/socket_bridge_link.h"

namespace ploven::test {
namespace {

using namespace std::chrono_literals;

// Polls until `done` holds or the time is up.
template <class Done>
bool Within(std::chrono::milliseconds limit, Done done) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

// The process has ended (collected here when it was this process's child).
bool Gone(pid_t pid) {
  waitpid(pid, nullptr, WNOHANG);
  return kill(pid, 0) != 0;
}

class CompanionProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    // A companion left behind by a failing test goes by itself soon.
    setenv("PLOVEN_CALENDAR_IDLE_SECONDS", "10", 1);
    unsetenv("PLOVEN_CALENDAR_REPLACE_SECONDS");
    options.program = PLOVEN_CALENDAR_PATH;
    link = std::make_unique<SocketBridgeLink>(dir.path().toStdString(), options);
  }
  void TearDown() override {
    if (link) link->Close();
    unsetenv("PLOVEN_CALENDAR_IDLE_SECONDS");
    unsetenv("PLOVEN_CALENDAR_REPLACE_SECONDS");
  }
  QString LogText() const {
    QFile file(QDir(dir.path()).filePath(QStringLiteral("ploven-calendar.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  QTemporaryDir dir;
  SocketBridgeLinkOptions options;
  std::unique_ptr<SocketBridgeLink> link;
};

TEST_F(CompanionProcess, StartsAnswersKeepsOnePerFolderAndEndsWhenClosed) {
  EXPECT_EQ(link->SocketPath(), CompanionSocketPath(dir.path().toStdString()));
  ASSERT_FALSE(link->IsRunning());
  ASSERT_TRUE(link->Start(5));
  ASSERT_TRUE(link->IsRunning());
  const auto pid = link->CompanionPid();
  ASSERT_TRUE(pid.has_value());
  EXPECT_NE(*pid, getpid());
  // Its own session: closing our terminal does not take it along.
  EXPECT_EQ(getsid(*pid), *pid);

  EXPECT_TRUE(link->Hello());
  const BridgeFrame record{BridgeCode::kTask, "Read\t9/12/2026\t\n", kActionSave, 5, 20000, ""};
  EXPECT_EQ(link->Send(record), LinkResult::kDelivered);
  const auto changes = link->FetchCalendarChanges();
  EXPECT_TRUE(changes.has_value());
  constexpr int kSends = 50;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kSends; ++i) ASSERT_EQ(link->Send(record), LinkResult::kDelivered);
  const auto each = (std::chrono::steady_clock::now() - start) / kSends;
  EXPECT_LT(each, 50ms);
  std::printf("one send to the companion program: %.3f ms\n",
              std::chrono::duration<double, std::milli>(each).count());

  // A second one for the same folder ends at once and leaves the first serving.
  QProcess second;
  second.start(QStringLiteral(PLOVEN_CALENDAR_PATH),
               {QStringLiteral("--data"), dir.path(), QStringLiteral("--socket"),
                QString::fromStdString(link->SocketPath().string())});
  ASSERT_TRUE(second.waitForFinished(5000));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(link->CompanionPid(), pid);
  EXPECT_TRUE(
      LogText().contains(QStringLiteral("Another ploven-calendar serves this data folder")));

  link->Close();
  EXPECT_FALSE(link->IsRunning());
  EXPECT_TRUE(Within(2s, [&] { return Gone(*pid); }));
  EXPECT_TRUE(LogText().contains(QStringLiteral("Ploven_CloseStubNow received")));
  // And it can be started again: the lock went with it.
  ASSERT_TRUE(link->Start(5));
  EXPECT_TRUE(link->IsRunning());
}

TEST_F(CompanionProcess, EndsByItselfWhenNobodyTalksToIt) {
  setenv("PLOVEN_CALENDAR_IDLE_SECONDS", "0.5", 1);
  ASSERT_TRUE(link->Start(5));
  ASSERT_TRUE(link->IsRunning());
  EXPECT_TRUE(Within(4s, [&] { return !link->IsRunning(); }));
  EXPECT_TRUE(LogText().contains(QStringLiteral("ending")));
}

TEST_F(CompanionProcess, ReplacesItselfWithAFreshProcessOnTheSameSocket) {
  setenv("PLOVEN_CALENDAR_REPLACE_SECONDS", "1", 1);
  ASSERT_TRUE(link->Start(5));
  const auto first = link->CompanionPid();
  ASSERT_TRUE(first.has_value());
  std::optional<pid_t> next;
  EXPECT_TRUE(Within(6s, [&] {
    next = link->CompanionPid();
    return next && *next != *first;
  }));
  EXPECT_TRUE(link->Hello());
  EXPECT_TRUE(Within(2s, [&] { return Gone(*first); }));
  EXPECT_TRUE(LogText().contains(QStringLiteral("Replacing itself")));
  // One that replaces itself every second may hand over just as it is told to close.
  EXPECT_TRUE(Within(6s, [&] {
    link->Close();
    std::this_thread::sleep_for(1500ms);
    return !link->IsRunning();
  }));
}

TEST_F(CompanionProcess, AHungCompanionIsStoppedOnCloseAndAFreshOneTakesOver) {
  options.answerTimeout = 300ms;
  link = std::make_unique<SocketBridgeLink>(dir.path().toStdString(), options);
  ASSERT_TRUE(link->Start(5));
  const auto pid = link->CompanionPid();
  ASSERT_TRUE(pid.has_value());
  ASSERT_EQ(kill(*pid, SIGSTOP), 0);
  const BridgeFrame record{BridgeCode::kTask, "Read\t\n", kActionSave, 5, 20000, ""};
  EXPECT_EQ(link->Send(record), LinkResult::kRecordFailed);
  link->Close();
  EXPECT_TRUE(Within(2s, [&] { return Gone(*pid); }));
  ASSERT_TRUE(link->Start(5));
  EXPECT_EQ(link->Send(record), LinkResult::kDelivered);
  EXPECT_NE(link->CompanionPid(), pid);
}

TEST(CompanionProgram, FindsTheCompanionBesideTheProgramThenOnThePath) {
  QTemporaryDir a;
  QTemporaryDir b;
  const std::filesystem::path inB =
      std::filesystem::path(b.path().toStdString()) / "ploven-calendar";
  QFile::copy(QStringLiteral(PLOVEN_CALENDAR_PATH), QString::fromStdString(inB.string()));
  const std::string path = "/nonexistent:" + b.path().toStdString();
  EXPECT_EQ(FindCompanionProgram(a.path().toStdString(), path.c_str()), inB);
  EXPECT_EQ(FindCompanionProgram(b.path().toStdString(), "/nonexistent"), inB);
  // Nowhere: the one beside the program, for the message that names it.
  EXPECT_EQ(FindCompanionProgram(a.path().toStdString(), "/nonexistent"),
            std::filesystem::path(a.path().toStdString()) / "ploven-calendar");
  SocketBridgeLinkOptions none;
  none.program = std::filesystem::path(a.path().toStdString()) / "ploven-calendar";
  SocketBridgeLink link(a.path().toStdString(), none);
  EXPECT_FALSE(link.Start(0));
}

}  // namespace
}  // namespace ploven::test
