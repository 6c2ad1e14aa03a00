// The server calendar's front: records answered at once and kept on disk, sent from a thread
// of its own to a scripted calendar that hangs, is away, refuses the login or takes them.
#include "plugin/server_target.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "bridge/bridge_codes.h"
#include "bridge/socket_bridge_link.h"
#include "plugin/companion_server.h"
#include "plugin/record_fields.h"
#include "plugin/server_outbox.h"
#include "serving.h"

namespace ploven::test {
namespace {

using namespace std::chrono_literals;
using calendar::ApplyResult;
using calendar::CompanionSettings;
using calendar::InboundRecord;
using calendar::OutboundChange;
using calendar::RetryPeriods;
using calendar::ServerTarget;
namespace codes = calendar::codes;

const QString kUrl = QStringLiteral("https://cal.example/ann/work/");
const QString kUser = QStringLiteral("ann");

// What the scripted server calendar does and what it got; shared with the sending thread.
struct Script {
  std::mutex mutex;
  std::condition_variable changed;
  QList<QByteArray> applied;
  QList<QByteArray> confirmed;
  QList<OutboundChange> pending;
  QStringList made;    // the passwords each calendar was made with
  QString wanted;      // the password the server takes; empty: any
  QByteArray refused;  // a record refused for good
  int attempts = 0;    // Apply calls
  int passes = 0;
  int failNext = 0;      // the next calls answer "unreachable"
  bool down = false;     // every call answers "unreachable"
  bool hang = false;     // Apply and Pass block until this is cleared
  bool hanging = false;  // one is blocked now
  std::chrono::milliseconds passTakes{0};
  std::function<void()> onAttempt;  // called by each Apply, outside the script's lock

  void Set(const std::function<void(Script&)>& change) {
    {
      std::lock_guard lock(mutex);
      change(*this);
    }
    changed.notify_all();
  }
  template <class F>
  auto Read(F read) {
    std::lock_guard lock(mutex);
    return read(*this);
  }
};

class ScriptedServer : public calendar::CalendarTarget {
 public:
  ScriptedServer(Script& script, QString password)
      : m_script(script), m_password(std::move(password)) {}

  ApplyResult Apply(const InboundRecord& record, const CompanionSettings&) override {
    if (m_script.onAttempt) m_script.onAttempt();
    std::unique_lock lock(m_script.mutex);
    ++m_script.attempts;
    if (auto failure = Failure(lock)) return *failure;
    if (record.record == m_script.refused) return {false, QStringLiteral("no such calendar")};
    m_script.applied << record.record;
    // An ID echo answers its change.
    if (!record.key.isEmpty()) {
      m_script.pending.removeIf([&](const OutboundChange& c) { return c.key == record.key; });
    }
    m_script.changed.notify_all();
    return {};
  }
  ApplyResult Pass(const CompanionSettings&) override {
    std::unique_lock lock(m_script.mutex);
    const auto takes = m_script.passTakes;
    lock.unlock();
    std::this_thread::sleep_for(takes);
    lock.lock();
    ++m_script.passes;
    m_script.changed.notify_all();
    if (auto failure = Failure(lock)) return *failure;
    return {};
  }
  QList<OutboundChange> Pending() override {
    std::lock_guard lock(m_script.mutex);
    return m_script.pending;
  }
  void Confirm(const QByteArray& key) override {
    std::lock_guard lock(m_script.mutex);
    m_script.confirmed << key;
    m_script.pending.removeIf([&](const OutboundChange& c) { return c.key == key; });
    m_script.changed.notify_all();
  }

 private:
  std::optional<ApplyResult> Failure(std::unique_lock<std::mutex>& lock) {
    if (m_script.hang) {
      m_script.hanging = true;
      m_script.changed.notify_all();
      m_script.changed.wait(lock, [&] { return !m_script.hang; });
      m_script.hanging = false;
    }
    if (!m_script.wanted.isEmpty() && m_password != m_script.wanted) {
      return ApplyResult{false, QStringLiteral("401"), true, true};
    }
    if (m_script.down || m_script.failNext > 0) {
      if (m_script.failNext > 0) --m_script.failNext;
      return ApplyResult{false, QStringLiteral("connection refused"), true};
    }
    return std::nullopt;
  }

  Script& m_script;
  QString m_password;
};

class LockedLog : public calendar::CompanionLog {
 public:
  void Line(const QString& text) override {
    std::lock_guard lock(m_mutex);
    m_lines << text;
  }
  int Count(const QString& fragment) {
    std::lock_guard lock(m_mutex);
    int n = 0;
    for (const QString& line : m_lines) n += line.contains(fragment) ? 1 : 0;
    return n;
  }
  QString All() {
    std::lock_guard lock(m_mutex);
    return m_lines.join(QLatin1Char('\n'));
  }

 private:
  std::mutex m_mutex;
  QStringList m_lines;
};

class FakeKeeper : public calendar::PasswordKeeper {
 public:
  std::optional<QString> Password(const QString&, const QString&) override {
    std::lock_guard lock(mutex);
    return kept;
  }
  void Refused(const QString&, const QString&) override {
    std::lock_guard lock(mutex);
    ++refusals;
    kept.reset();
  }
  void Take(const QString& url, const QString& user, const QString& password) override {
    std::lock_guard lock(mutex);
    taken << url + QLatin1Char('|') + user;
    kept = password;
  }
  std::mutex mutex;
  std::optional<QString> kept;
  std::atomic<int> refusals = 0;
  QStringList taken;
};

class ServerTargetTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }
  void TearDown() override {
    script.Set([](Script& s) { s.hang = false; });
    target.reset();
  }

  void Make(RetryPeriods retry = {10s, 40s}) {
    target = std::make_unique<ServerTarget>(
        dir.path(), log, keeper, kUrl, kUser,
        [this](const QString& password) -> std::unique_ptr<calendar::CalendarTarget> {
          script.Set([&](Script& s) { s.made << password; });
          if (failMakes > 0) {
            --failMakes;
            return nullptr;
          }
          return std::make_unique<ScriptedServer>(script, password);
        },
        retry);
  }

  static InboundRecord Record(const QByteArray& text, const QByteArray& key = {}) {
    InboundRecord r;
    r.code = key.isEmpty() ? codes::kTask : codes::kIdEcho;
    r.action = calendar::actions::kSave;
    r.record = text;
    r.key = key;
    return r;
  }

  // Waits on the script for what the sending thread does.
  bool Until(const std::function<bool(Script&)>& done, std::chrono::milliseconds limit = 5s) {
    std::unique_lock lock(script.mutex);
    return script.changed.wait_for(lock, limit, [&] { return done(script); });
  }
  static bool Eventually(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      if (std::chrono::steady_clock::now() >= end) return false;
      std::this_thread::sleep_for(2ms);
    }
    return true;
  }
  QList<QByteArray> Applied() {
    return script.Read([](Script& s) { return s.applied; });
  }
  QList<OutboundChange> PendingWith(uint32_t code) {
    QList<OutboundChange> found;
    for (const OutboundChange& c : target->Pending()) {
      if (c.code == code) found << c;
    }
    return found;
  }
  QList<QByteArray> PendingKeys() {
    QList<QByteArray> keys;
    for (const OutboundChange& c : target->Pending()) keys << c.key;
    return keys;
  }
  void Pass() { target->PassNow(settings, 3000); }

  QTemporaryDir dir;
  Script script;
  LockedLog log;
  FakeKeeper keeper;
  CompanionSettings settings;
  std::unique_ptr<ServerTarget> target;
  int failMakes = 0;  // the next calendars that cannot be made (used by the sending thread)
};

TEST_F(ServerTargetTest, RecordsAreAnsweredAtOnceWhileTheServerHangsAndArriveInOrder) {
  script.hang = true;
  Make();
  ASSERT_TRUE(target->Apply(Record("one"), settings).ok);
  ASSERT_TRUE(Until([](Script& s) { return s.hanging; }));
  const auto start = std::chrono::steady_clock::now();
  for (const char* text : {"two", "three", "four"}) {
    EXPECT_TRUE(target->Apply(Record(text), settings).ok);
  }
  target->Confirm("some-change");
  target->Pending();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_TRUE(target->HasUnsent());
  script.Set([](Script& s) { s.hang = false; });
  EXPECT_TRUE(Until([](Script& s) { return s.applied.size() == 4; }));
  EXPECT_EQ(Applied(), (QList<QByteArray>{"one", "two", "three", "four"}));
  EXPECT_TRUE(Eventually([&] { return !target->HasUnsent(); }));
}

TEST_F(ServerTargetTest, ARecordTheServerCouldNotTakeWaitsOnDiskAcrossARestart) {
  script.down = true;
  Make();
  target->Apply(Record("one"), settings);
  target->Apply(Record("two"), settings);
  Pass();
  EXPECT_GE(script.Read([](Script& s) { return s.attempts; }), 1);
  EXPECT_TRUE(Applied().isEmpty());
  EXPECT_TRUE(target->HasUnsent());
  target.reset();

  script.Set([](Script& s) { s.down = false; });
  Make();
  EXPECT_TRUE(Until([](Script& s) { return s.applied.size() == 2; }));
  EXPECT_EQ(Applied(), (QList<QByteArray>{"one", "two"}));
  EXPECT_TRUE(Eventually([&] { return !target->HasUnsent(); }));
  // Sent once: a new round finds nothing more to send.
  Pass();
  EXPECT_EQ(Applied().size(), 2);
}

TEST_F(ServerTargetTest, TheWaitDoublesUpToTheLongestAndStartsOverAfterASuccess) {
  // Each attempt sees the wait that came before it.
  std::vector<std::chrono::milliseconds> waits;
  script.onAttempt = [&] { waits.push_back(target->RetryDelay()); };
  script.failNext = 5;
  Make({30ms, 120ms});
  EXPECT_EQ(target->RetryDelay(), 0ms);
  target->Apply(Record("one"), settings);
  ASSERT_TRUE(Until([](Script& s) { return s.applied.size() == 1; }));
  EXPECT_EQ(waits, (std::vector<std::chrono::milliseconds>{0ms, 30ms, 60ms, 120ms, 120ms, 120ms}));
  EXPECT_TRUE(Eventually([&] { return target->RetryDelay() == 0ms; }));
  // After the success the next outage starts with the shortest wait again.
  script.Set([&](Script& s) {
    s.failNext = 2;
    waits.clear();
  });
  target->Apply(Record("two"), settings);
  ASSERT_TRUE(Until([](Script& s) { return s.applied.size() == 2; }));
  EXPECT_EQ(waits, (std::vector<std::chrono::milliseconds>{0ms, 30ms, 60ms}));
}

TEST_F(ServerTargetTest, AskingForAPassWhileTheServerIsAwayDoesNotCutTheWaitShort) {
  script.down = true;
  Make({10s, 40s});
  target->Apply(Record("one"), settings);
  ASSERT_TRUE(Eventually([&] { return target->RetryDelay() == 10s; }));
  for (int i = 0; i < 3; ++i) Pass();  // the main program asks every few seconds
  EXPECT_EQ(script.Read([](Script& s) { return s.attempts + s.passes; }), 1);
  EXPECT_EQ(target->RetryDelay(), 10s);
}

TEST_F(ServerTargetTest, TheSenderTriesAgainByItselfAfterTheWait) {
  script.failNext = 2;
  Make({20ms, 80ms});
  target->Apply(Record("one"), settings);
  EXPECT_TRUE(Until([](Script& s) { return s.applied.size() == 1; }));
  EXPECT_EQ(script.Read([](Script& s) { return s.attempts; }), 3);
  EXPECT_TRUE(Eventually([&] { return target->RetryDelay() == 0ms; }));
}

TEST_F(ServerTargetTest, TheUserIsToldOnceAnOutageAndItsEndIsLogged) {
  const auto attempts = [this] { return script.Read([](Script& s) { return s.attempts; }); };
  script.down = true;
  Make({5ms, 20ms});
  target->Apply(Record("one"), settings);
  ASSERT_TRUE(Eventually([&] { return attempts() >= 4; }));
  auto notices = PendingWith(codes::kNotice);
  ASSERT_EQ(notices.size(), 1);
  const QByteArray firstKey = notices[0].key;
  EXPECT_TRUE(QString::fromUtf8(notices[0].record).contains(kUrl));
  EXPECT_TRUE(QString::fromUtf8(notices[0].record).contains(QStringLiteral("will be sent")));
  // A restart in the middle of the outage does not tell it again.
  target.reset();
  const int before = attempts();
  Make({5ms, 20ms});
  ASSERT_TRUE(Eventually([&] { return attempts() >= before + 3; }));
  EXPECT_EQ(PendingWith(codes::kNotice).size(), 1);
  EXPECT_EQ(log.Count(QStringLiteral("cannot be reached")), 1);

  script.Set([](Script& s) { s.down = false; });
  ASSERT_TRUE(Until([](Script& s) { return s.applied.size() == 1; }));
  EXPECT_TRUE(Eventually([&] { return log.Count(QStringLiteral("answers again")) == 1; }));
  target->Confirm(firstKey);
  EXPECT_TRUE(PendingWith(codes::kNotice).isEmpty());

  // The next outage is a new one.
  script.Set([](Script& s) { s.down = true; });
  target->Apply(Record("two"), settings);
  ASSERT_TRUE(Eventually([&] { return PendingWith(codes::kNotice).size() == 1; }));
  EXPECT_NE(PendingWith(codes::kNotice)[0].key, firstKey);  // a key is taken only once
  EXPECT_EQ(log.Count(QStringLiteral("answers again")), 1);
}

TEST_F(ServerTargetTest, ACalendarThatCouldNotBeMadeIsTriedAgainOnlyAfterTheWait) {
  failMakes = 1;
  Make({10s, 40s});
  target->Apply(Record("one"), settings);
  for (int i = 0; i < 5; ++i) target->Pass(settings);  // asks do not make it again and again
  Pass();
  EXPECT_EQ(script.Read([](Script& s) { return s.made.size(); }), 1);
  EXPECT_EQ(log.Count(QStringLiteral("could not be made")), 1);
  EXPECT_EQ(target->RetryDelay(), 10s);
  EXPECT_TRUE(target->HasUnsent());
}

TEST_F(ServerTargetTest, ARecordRefusedForGoodIsDroppedAndTheUserTold) {
  script.refused = "bad";
  Make();
  target->Apply(Record("bad"), settings);
  target->Apply(Record("good"), settings);
  EXPECT_TRUE(Until([](Script& s) { return s.applied.size() == 1; }));
  EXPECT_EQ(Applied(), QList<QByteArray>{"good"});
  EXPECT_TRUE(Eventually([&] { return !target->HasUnsent(); }));
  const auto notices = PendingWith(codes::kNotice);
  ASSERT_EQ(notices.size(), 1);
  EXPECT_TRUE(QString::fromUtf8(notices[0].record).contains(QStringLiteral("no such calendar")));
  EXPECT_EQ(target->RetryDelay(), 0ms);
}

OutboundChange Change(const char* key) {
  OutboundChange c;
  c.code = codes::kTaskChanged;
  c.key = key;
  c.record = key;
  return c;
}

TEST_F(ServerTargetTest, PendingLeavesOutWhatIsAnsweredAndConfirmationsSurviveARestart) {
  script.pending = {Change("a"), Change("b"), Change("c")};
  Make();
  ASSERT_TRUE(Eventually([&] { return PendingKeys().size() == 3; }));
  target->Confirm("b");
  EXPECT_EQ(PendingKeys(), (QList<QByteArray>{"a", "c"}));  // at once, before it is passed on
  EXPECT_TRUE(Until([](Script& s) { return s.confirmed == QList<QByteArray>{"b"}; }));
  EXPECT_EQ(PendingKeys(), (QList<QByteArray>{"a", "c"}));
  // The ID echo answers its change as soon as it is taken.
  target->Apply(Record("Dentist*7*", "c"), settings);
  EXPECT_EQ(PendingKeys(), QList<QByteArray>{"a"});
  ASSERT_TRUE(Until([](Script& s) { return s.applied.size() == 1; }));

  // A confirmation the sender cannot pass on before the companion ends is kept on disk.
  script.Set([](Script& s) { s.hang = true; });
  target->Apply(Record("one"), settings);
  ASSERT_TRUE(Until([](Script& s) { return s.hanging; }));
  target->Confirm("a");
  EXPECT_TRUE(PendingKeys().isEmpty());
  std::thread release([this] {
    std::this_thread::sleep_for(200ms);
    script.Set([](Script& s) { s.hang = false; });
  });
  target.reset();  // waits for the request in hand, then starts no other
  release.join();
  EXPECT_EQ(script.Read([](Script& s) { return s.confirmed; }), QList<QByteArray>{"b"});
  Make();
  EXPECT_TRUE(Until([](Script& s) { return s.confirmed == QList<QByteArray>{"b", "a"}; }));
  EXPECT_TRUE(PendingKeys().isEmpty());
  EXPECT_EQ(Applied(), (QList<QByteArray>{"Dentist*7*", "one"}));
}

TEST_F(ServerTargetTest, ARefusedLoginAsksForThePasswordOnceAndANewOneIsTriedAtOnce) {
  script.wanted = QStringLiteral("sesame-42");
  Make({10s, 40s});
  target->Apply(Record("one"), settings);
  ASSERT_TRUE(Eventually([&] { return PendingWith(codes::kPasswordWanted).size() == 1; }));
  Pass();
  const auto wanted = PendingWith(codes::kPasswordWanted);
  ASSERT_EQ(wanted.size(), 1);
  EXPECT_EQ(wanted[0].record, (kUrl + QStringLiteral("\nann")).toUtf8());
  // No password kept: tried without one; refused, and not tried again until one comes.
  EXPECT_EQ(script.Read([](Script& s) { return s.made; }), QStringList{QString()});
  EXPECT_EQ(script.Read([](Script& s) { return s.attempts; }), 1);
  EXPECT_EQ(keeper.refusals, 1);

  target->TakePassword((kUrl + QStringLiteral("\nann\nwrong-one")).toUtf8());
  ASSERT_TRUE(Eventually([&] { return keeper.refusals == 2; }));
  EXPECT_EQ(PendingWith(codes::kPasswordWanted).size(), 1);
  target->Confirm(wanted[0].key);
  EXPECT_TRUE(PendingWith(codes::kPasswordWanted).isEmpty());

  target->TakePassword((kUrl + QStringLiteral("\nann\nsesame-42")).toUtf8());
  EXPECT_TRUE(Until([](Script& s) { return s.applied.size() == 1; }));
  EXPECT_EQ(script.Read([](Script& s) { return s.made.last(); }), QStringLiteral("sesame-42"));
  EXPECT_EQ(keeper.taken.size(), 2);
  EXPECT_EQ(keeper.kept, QStringLiteral("sesame-42"));
  EXPECT_TRUE(Eventually([&] { return !target->HasUnsent(); }));
  EXPECT_TRUE(PendingWith(codes::kPasswordWanted).isEmpty());

  // Neither password is written anywhere.
  target.reset();
  EXPECT_FALSE(log.All().contains(QStringLiteral("sesame")));
  EXPECT_FALSE(log.All().contains(QStringLiteral("wrong-one")));
  QDirIterator files(dir.path(), QDir::Files);
  while (files.hasNext()) {
    QFile file(files.next());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.contains("sesame")) << file.fileName().toStdString();
    EXPECT_FALSE(bytes.contains("wrong-one")) << file.fileName().toStdString();
  }
}

TEST_F(ServerTargetTest, AServerThatNeedsNoPasswordIsNeverAskedAbout) {
  Make();
  target->Apply(Record("one"), settings);
  EXPECT_TRUE(Until([](Script& s) { return s.applied.size() == 1; }));
  EXPECT_TRUE(PendingWith(codes::kPasswordWanted).isEmpty());
  EXPECT_EQ(keeper.refusals, 0);
}

TEST_F(ServerTargetTest, AnOutboxANewerPlovenMadeIsLeftAloneAndRecordsAreRefusedWithWhy) {
  Make();
  target->Apply(Record("one"), settings);
  EXPECT_TRUE(Until([](Script& s) { return s.applied.size() == 1; }));
  target.reset();
  {
    QString error;
    auto outbox = calendar::ServerOutbox::Open(
        QDir(dir.path()).filePath(QString::fromLatin1(calendar::kOutboxFileName)), error);
    ASSERT_TRUE(outbox) << error.toStdString();
    ASSERT_TRUE(outbox->SetValue(QStringLiteral("schema_version"), QStringLiteral("2")));
  }
  Make();
  const ApplyResult result = target->Apply(Record("two"), settings);
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.reason.contains(QStringLiteral("newer Ploven")))
      << result.reason.toStdString();
  EXPECT_FALSE(target->HasUnsent());
  EXPECT_EQ(Applied(), QList<QByteArray>{"one"});
}

TEST_F(ServerTargetTest, PassNowWaitsForARoundThatBeganAfterIt) {
  settings.toPloven = true;
  script.passTakes = 150ms;
  Make();
  target->Pass(settings);  // a round already under way when the next is asked for
  ASSERT_TRUE(Until([](Script& s) { return s.passes >= 1; }, 3s));
  script.Set([](Script& s) { s.pending = {Change("new")}; });
  const int before = script.Read([](Script& s) { return s.passes; });
  const auto start = std::chrono::steady_clock::now();
  Pass();
  EXPECT_GE(std::chrono::steady_clock::now() - start, 140ms);
  EXPECT_GE(script.Read([](Script& s) { return s.passes; }), before + 1);
  EXPECT_EQ(PendingKeys(), QList<QByteArray>{"new"});  // what that round found

  // A server that hangs is waited for no longer than asked.
  script.Set([](Script& s) { s.hang = true; });
  target->Apply(Record("one"), settings);
  ASSERT_TRUE(Until([](Script& s) { return s.hanging; }));
  const auto hung = std::chrono::steady_clock::now();
  target->PassNow(settings, 300);
  const auto waited = std::chrono::steady_clock::now() - hung;
  EXPECT_GE(waited, 290ms);
  EXPECT_LT(waited, 2s);
}

TEST_F(ServerTargetTest, BehindTheSocketRecordsAndAsksAreAnsweredWhileTheServerHangs) {
  script.pending = {Change("from-the-server")};
  Make();
  ASSERT_TRUE(Eventually([&] { return PendingKeys().size() == 1; }));
  script.Set([](Script& s) { s.hang = true; });
  const QString socketPath = QDir(dir.path()).filePath(QStringLiteral("c.sock"));
  calendar::CompanionServer server(*target, log, [this] { return settings; });
  ASSERT_TRUE(server.Listen(socketPath));
  SocketBridgeLinkOptions options;
  options.program = "/bin/true";
  SocketBridgeLink link(dir.path().toStdString(), socketPath.toStdString(), options);

  const auto start = std::chrono::steady_clock::now();
  for (const char* title : {"Dentist", "Plumber"}) {
    const BridgeFrame record{
        BridgeCode::kTask, std::string(title) + "\t9/12/2026\t\n", kActionSave, 0, kNoDate, ""};
    EXPECT_EQ(WhileServing([&] { return link.Send(record); }), LinkResult::kDelivered);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  const auto changes = WhileServing([&] { return link.FetchCalendarChanges(); });
  ASSERT_TRUE(changes.has_value());  // in time for the asker
  ASSERT_EQ(changes->size(), 1u);
  EXPECT_EQ(changes->front().key, "from-the-server");

  script.Set([](Script& s) { s.hang = false; });
  EXPECT_TRUE(Until([](Script& s) { return s.applied.size() == 2; }));
  EXPECT_TRUE(Applied().front().startsWith("Dentist"));
}

}  // namespace
}  // namespace ploven::test
