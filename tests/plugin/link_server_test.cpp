// The main program's link and the companion's server talking over a real local socket, both in
// this process: the server serves Qt's events on the test's thread, the link blocks on another.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <memory>

#include "bridge/bridge_frame.h"
#include "bridge/bridge_messages.h"
#include "bridge/bridge_senders.h"
#include "bridge/socket_bridge_link.h"
#include "fake_target.h"
#include "mock/test_env.h"
#include "plugin/companion_server.h"
#include "plugin/link_messages.h"
#include "plugin/peer_credentials.h"
#include "serving.h"

namespace ploven::test {
namespace {

using namespace std::chrono_literals;
using calendar::CompanionServer;
using calendar::CompanionSettings;
using calendar::EndReason;

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    socketPath = QDir(dir.path()).filePath(QStringLiteral("c.sock"));
    options.answerTimeout = 200ms;
    options.closeWait = 200ms;
    options.program = "/bin/true";
  }

  // A companion serving the socket; `configure` may change its options first.
  void Serve(calendar::ServerOptions serverOptions = {}) {
    server = std::make_unique<CompanionServer>(
        target, log, [this] { return settings; }, serverOptions);
    server->OnEnd([this](EndReason reason) { ended.push_back(reason); });
    ASSERT_TRUE(server->Listen(socketPath));
  }

  SocketBridgeLink Link() {
    return SocketBridgeLink(dir.path().toStdString(), socketPath.toStdString(), options);
  }

  QTemporaryDir dir;
  QString socketPath;
  SocketBridgeLinkOptions options;
  FakeTarget target;
  MemoryLog log;
  CompanionSettings settings;
  std::unique_ptr<CompanionServer> server;
  std::vector<EndReason> ended;
};

const BridgeFrame kRecord{
    BridgeCode::kAppointment, "Dentist\t9/12/2026\t10:00\t\n", kActionSave, 42, 20001, ""};

TEST_F(LinkTest, ARecordIsDeliveredWithEverythingBesideIt) {
  Serve();
  SocketBridgeLink link = Link();
  EXPECT_TRUE(WhileServing([&] { return link.IsRunning(); }));
  EXPECT_EQ(WhileServing([&] { return link.Send(kRecord); }), LinkResult::kDelivered);
  EXPECT_TRUE(link.LastRefusal().empty());
  ASSERT_EQ(target.applied.size(), 1u);
  const calendar::InboundRecord& got = target.applied[0];
  EXPECT_EQ(got.code, 0x2BB7B2A7u);
  EXPECT_EQ(got.action, QByteArray(kActionSave));
  EXPECT_EQ(got.record, QByteArray("Dentist\t9/12/2026\t10:00\t\n"));
  EXPECT_EQ(got.itemID, 42u);
  EXPECT_EQ(got.occurrenceDate, 20001);
  EXPECT_TRUE(log.Has(QStringLiteral("OnCopyData::New Appointment")));
}

TEST_F(LinkTest, ARecordTheCalendarRefusesGotThroughAndCarriesItsReason) {
  target.refusal = QStringLiteral("no calendar is set up");
  Serve();
  SocketBridgeLink link = Link();
  EXPECT_EQ(WhileServing([&] { return link.Send(kRecord); }), LinkResult::kDelivered);
  EXPECT_EQ(link.LastRefusal(), "no calendar is set up");
  EXPECT_TRUE(log.Has(QStringLiteral("no calendar is set up")));
  // The next one that works clears it.
  target.refusal.clear();
  EXPECT_EQ(WhileServing([&] { return link.Send(kRecord); }), LinkResult::kDelivered);
  EXPECT_TRUE(link.LastRefusal().empty());
}

TEST_F(LinkTest, RecordsAreAppliedInTheOrderSentAndTheIdEchoCarriesItsKey) {
  Serve();
  SocketBridgeLink link = Link();
  const BridgeFrame echo{BridgeCode::kIdEcho, "Lunch*17*", kActionSave, 17, 0, "cal-9.ics"};
  const BridgeFrame done{BridgeCode::kTask, "Done\tRead\t", kActionDone, 3, 20002, ""};
  WhileServing([&] {
    link.Send(echo);
    link.Send(done);
    return 0;
  });
  ASSERT_EQ(target.applied.size(), 2u);
  EXPECT_EQ(target.applied[0].key, QByteArray("cal-9.ics"));
  EXPECT_EQ(target.applied[0].code, 0x2BB7B2ADu);
  EXPECT_EQ(target.applied[1].action, QByteArray(kActionDone));
}

TEST_F(LinkTest, NobodyThereIsNotRunningAndTheRecordDoesNotGetThrough) {
  SocketBridgeLink link = Link();
  EXPECT_FALSE(link.IsRunning());
  EXPECT_EQ(link.Send(kRecord), LinkResult::kRecordFailed);
  EXPECT_FALSE(link.FetchCalendarChanges().has_value());
  EXPECT_FALSE(link.Confirm("k"));
}

TEST_F(LinkTest, AServerThatNeverAnswersTimesTheRecordOut) {
  // Reads what it is sent and says nothing.
  QLocalServer mute;
  ASSERT_TRUE(mute.listen(socketPath));
  std::vector<QLocalSocket*> held;
  QObject::connect(&mute, &QLocalServer::newConnection, [&] {
    while (QLocalSocket* s = mute.nextPendingConnection()) {
      held.push_back(s);
      QObject::connect(s, &QLocalSocket::readyRead, [s] { s->readAll(); });
    }
  });
  SocketBridgeLink link = Link();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(WhileServing([&] { return link.Send(kRecord); }), LinkResult::kRecordFailed);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, 200ms);
  EXPECT_LT(took, 2s);
  EXPECT_FALSE(WhileServing([&] { return link.FetchCalendarChanges(); }).has_value());
}

TEST_F(LinkTest, AHungActionIsRetriedOnAFreshCompanionAndTheUserTold) {
  // The first record hangs the companion past the link's wait; once closed, a fresh companion
  // comes up (as a started program would) and takes the record again.
  target.hangFirstApply = 400ms;
  Serve();
  TestEnv env;
  SocketBridgeLink link = Link();
  BridgeSenders senders(env.msg, link, SyncSwitches{});
  std::atomic<bool> done{false};
  auto sending = std::async(std::launch::async, [&] {
    const SendResult r =
        senders.SendNewItem({BridgeCode::kAppointment, kRecord.record}, {42, 20001});
    done = true;
    return r;
  });
  ASSERT_TRUE(ServeUntil([&] { return !ended.empty() || done; }, 5s));
  ASSERT_EQ(ended, std::vector<EndReason>{EndReason::kClosed});
  server.reset();
  Serve();
  ASSERT_TRUE(ServeUntil([&] { return done.load(); }, 5s));
  EXPECT_EQ(sending.get(), SendResult::kDelivered);
  EXPECT_TRUE(env.ui.Showed(kSaveRetrySucceeded));
  EXPECT_EQ(target.applied.size(), 2u);  // once on the hung one, once on the fresh one
}

TEST_F(LinkTest, TheCalendarsChangesComeOnAskAndGoOnlyWhenConfirmed) {
  target.pending = {{0x2BB7B2A7u, "k1", "Swim\t9/12/2026\t7:00\t\n", 0, 0},
                    {0x2BB7B2B0u, "k2", "Gym", 12, 20003}};
  Serve();
  SocketBridgeLink link = Link();
  const auto first = WhileServing([&] { return link.FetchCalendarChanges(); });
  ASSERT_TRUE(first.has_value());
  ASSERT_EQ(first->size(), 2u);
  EXPECT_EQ(first->at(0).action, kActionFromCalendar);
  EXPECT_EQ(first->at(0).key, "k1");
  EXPECT_EQ(first->at(0).record, "Swim\t9/12/2026\t7:00\t\n");
  EXPECT_EQ(first->at(1).code, BridgeCode::kCalendarDeleteAppointment);
  EXPECT_EQ(first->at(1).itemID, 12u);
  EXPECT_EQ(first->at(1).occurrenceDate, 20003);
  EXPECT_EQ(target.passes, 1);

  EXPECT_TRUE(WhileServing([&] { return link.Confirm("k2"); }));
  ServeUntil([&] { return !target.confirmed.isEmpty(); }, 2s);
  EXPECT_EQ(target.confirmed, QList<QByteArray>{"k2"});
  const auto second = WhileServing([&] { return link.FetchCalendarChanges(); });
  ASSERT_TRUE(second.has_value());
  ASSERT_EQ(second->size(), 1u);
  EXPECT_EQ(second->at(0).key, "k1");
}

TEST_F(LinkTest, AnotherUsersCompanionIsNotOurs) {
  Serve();
  options.companionUid = getuid() + 1;
  SocketBridgeLink link = Link();
  EXPECT_FALSE(WhileServing([&] { return link.IsRunning(); }));
  EXPECT_EQ(WhileServing([&] { return link.Send(kRecord); }), LinkResult::kRecordFailed);
  EXPECT_TRUE(target.applied.empty());
}

TEST_F(LinkTest, TheCompanionRefusesAnotherUserWithALogLine) {
  calendar::ServerOptions only;
  only.ownerUid = getuid() + 1;  // as if this test ran as somebody else
  Serve(only);
  SocketBridgeLink link = Link();
  EXPECT_EQ(WhileServing([&] { return link.Send(kRecord); }), LinkResult::kRecordFailed);
  EXPECT_TRUE(target.applied.empty());
  EXPECT_TRUE(log.Has(QStringLiteral("Refused a connection from user %1").arg(getuid())));
  EXPECT_EQ(server->Clients(), 0u);
}

TEST_F(LinkTest, PeerCredentialsNameThisProcess) {
  int pair[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
  const auto peer = calendar::PeerOf(pair[0]);
  close(pair[0]);
  close(pair[1]);
  ASSERT_TRUE(peer.has_value());
  EXPECT_EQ(peer->uid, getuid());
  EXPECT_EQ(peer->pid, getpid());
  EXPECT_FALSE(calendar::PeerOf(-1).has_value());
}

// Writes raw bytes to the socket and reads until the companion hangs up (or a second passes).
QByteArray Talk(const QString& path, const QByteArray& bytes) {
  QLocalSocket socket;
  socket.connectToServer(path);
  if (!socket.waitForConnected(1000)) return "not connected";
  socket.write(bytes);
  socket.flush();
  QByteArray answer;
  const auto end = std::chrono::steady_clock::now() + 1s;
  while (socket.state() == QLocalSocket::ConnectedState && std::chrono::steady_clock::now() < end) {
    socket.waitForReadyRead(50);
    answer += socket.readAll();
  }
  return socket.state() == QLocalSocket::ConnectedState ? "still open" : answer;
}

TEST_F(LinkTest, NonsenseClosesTheConnectionChangesNothingAndTheCompanionGoesOn) {
  Serve();
  std::string oversized = EncodeFrame(kRecord);
  const size_t recordLength = kFrameHeaderSize + 4 + kRecord.action.size() + 4 + kRecord.key.size();
  oversized[recordLength] = 0x7F;  // about two gigabytes, of which only the length comes
  for (const QByteArray& bytes :
       {QByteArray("GET / HTTP/1.1\r\n\r\n"),
        QByteArray(oversized.data(), static_cast<qsizetype>(recordLength + 4))}) {
    const QByteArray answer = WhileServing([&] { return Talk(socketPath, bytes); });
    EXPECT_EQ(answer, QByteArray()) << answer.toStdString();
  }
  EXPECT_TRUE(log.Has(QStringLiteral("refused a frame: bad magic")));
  EXPECT_TRUE(log.Has(QStringLiteral("refused a frame: record longer than 1048576 bytes")));
  EXPECT_TRUE(target.applied.empty());
  SocketBridgeLink link = Link();
  EXPECT_EQ(WhileServing([&] { return link.Send(kRecord); }), LinkResult::kDelivered);
}

TEST_F(LinkTest, AnUnknownActionIsAnsweredFailedAndLogged) {
  Serve();
  SocketBridgeLink link = Link();
  BridgeFrame odd = kRecord;
  odd.action = "Ploven_DanceNow";
  EXPECT_EQ(WhileServing([&] { return link.Send(odd); }), LinkResult::kDelivered);
  EXPECT_EQ(link.LastRefusal(), "unknown action Ploven_DanceNow");
  EXPECT_TRUE(target.applied.empty());
}

TEST_F(LinkTest, CloseEndsTheCompanionAfterTheRecordInHand) {
  Serve();
  SocketBridgeLink link = Link();
  WhileServing([&] {
    link.Send(kRecord);
    link.Close();
    return 0;
  });
  EXPECT_EQ(ended, std::vector<EndReason>{EndReason::kClosed});
  EXPECT_EQ(target.applied.size(), 1u);
  EXPECT_FALSE(link.IsRunning());
  EXPECT_FALSE(QFile::exists(socketPath));
}

TEST_F(LinkTest, TheWatchdogEndsAnIdleCompanionUnlessChangesGoBack) {
  calendar::ServerOptions quick;
  quick.periods.idle = 300ms;
  quick.periods.tick = 20ms;
  quick.periods.calendarPass = 50ms;
  settings.toPloven = true;
  Serve(quick);
  EXPECT_FALSE(ServeUntil([&] { return !ended.empty(); }, 500ms));
  EXPECT_GT(target.passes, 2);  // the calendar is looked at without anyone asking
  settings.toPloven = false;
  const int passes = target.passes;
  EXPECT_TRUE(ServeUntil([&] { return !ended.empty(); }, 1s));
  EXPECT_EQ(ended, std::vector<EndReason>{EndReason::kIdle});
  EXPECT_LE(target.passes, passes + 1);
}

TEST_F(LinkTest, TheWatchdogKeepsACompanionWithRecordsNotYetSent) {
  calendar::ServerOptions quick;
  quick.periods.idle = 200ms;
  quick.periods.tick = 20ms;
  target.unsent = true;
  Serve(quick);
  EXPECT_FALSE(ServeUntil([&] { return !ended.empty(); }, 600ms));
  target.unsent = false;
  EXPECT_TRUE(ServeUntil([&] { return !ended.empty(); }, 1s));
  EXPECT_EQ(ended, std::vector<EndReason>{EndReason::kIdle});
}

TEST_F(LinkTest, APasswordGoesToTheCalendarAndNeverIntoTheLog) {
  Serve();
  SocketBridgeLink link = Link();
  BridgeFrame password;
  password.action = calendar::link_text::kPassword;
  password.record = "https://cal.example/ann/\nann\nsesame-42";
  EXPECT_EQ(WhileServing([&] { return link.Send(password); }), LinkResult::kDelivered);
  ASSERT_EQ(target.passwords.size(), 1);
  EXPECT_EQ(target.passwords[0], QByteArray("https://cal.example/ann/\nann\nsesame-42"));
  EXPECT_TRUE(target.applied.empty());
  EXPECT_FALSE(log.Has(QStringLiteral("sesame")));
}

TEST_F(LinkTest, AnAskedPassGivesABackgroundCalendarAMomentButLessThanTheAskerWaits) {
  Serve();
  SocketBridgeLink link = Link();
  ASSERT_TRUE(WhileServing([&] { return link.FetchCalendarChanges(); }).has_value());
  ASSERT_EQ(target.passWaits.size(), 1u);
  EXPECT_GE(target.passWaits[0], 2000);
  EXPECT_LT(target.passWaits[0], 5000 - 1000);
}

TEST_F(LinkTest, HelloKeepsTheCompanionAlive) {
  calendar::ServerOptions quick;
  quick.periods.idle = 300ms;
  quick.periods.tick = 20ms;
  Serve(quick);
  SocketBridgeLink link = Link();
  for (int i = 0; i < 6; ++i) {
    EXPECT_TRUE(WhileServing([&] { return link.Hello(); }));
    ServeUntil([] { return false; }, 120ms);
  }
  EXPECT_TRUE(ended.empty());
  EXPECT_TRUE(ServeUntil([&] { return !ended.empty(); }, 1s));
}

TEST_F(LinkTest, TheWatchdogHasAnOldCompanionReplaced) {
  calendar::ServerOptions quick;
  quick.periods.replace = 200ms;
  quick.periods.tick = 20ms;
  Serve(quick);
  EXPECT_TRUE(ServeUntil([&] { return !ended.empty(); }, 1s));
  EXPECT_EQ(ended, std::vector<EndReason>{EndReason::kReplace});
  EXPECT_FALSE(Link().IsRunning());  // it stopped listening before its successor starts
}

TEST_F(LinkTest, ASendTakesAFewMillisecondsOnThisMachine) {
  Serve();
  SocketBridgeLink link = Link();
  constexpr int kSends = 200;
  const auto start = std::chrono::steady_clock::now();
  WhileServing([&] {
    for (int i = 0; i < kSends; ++i) link.Send(kRecord);
    return 0;
  });
  const auto each = (std::chrono::steady_clock::now() - start) / kSends;
  EXPECT_EQ(target.applied.size(), size_t{kSends});
  EXPECT_LT(each, 20ms);
  std::printf("one send: %.3f ms\n", std::chrono::duration<double, std::milli>(each).count());
}

}  // namespace
}  // namespace ploven::test
