// The calendar server store against a real server (Radicale), and an independent client
// (python3-caldav) reading what the store wrote and writing what the store reads.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryFile>

#include "plugin/caldav_store.h"
#include "plugin/radicale_fixture.h"

namespace ploven::calendar {
namespace {

using test::RadicaleServer;

constexpr char kPython[] = "/usr/bin/python3";

QByteArray Item(const QString& component, const QString& uid, const QString& summary) {
  const QByteArray start = component == QStringLiteral("VTODO") ? "DUE" : "DTSTART";
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Ploven//test//EN\r\nBEGIN:" +
         component.toUtf8() + "\r\nUID:" + uid.toUtf8() + "\r\nDTSTAMP:20260101T000000Z\r\n" +
         start + ":20260105T090000Z\r\nSUMMARY:" + summary.toUtf8() +
         "\r\nEND:" + component.toUtf8() + "\r\nEND:VCALENDAR\r\n";
}

QByteArray Event(const QString& uid, const QString& summary) {
  return Item(QStringLiteral("VEVENT"), uid, summary);
}

class CalDavServerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!RadicaleServer::Installed()) return;
    server_ = new RadicaleServer;
    if (!server_->Start(startError_)) {
      delete server_;
      server_ = nullptr;
    }
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    if (!RadicaleServer::Installed()) {
      GTEST_SKIP() << test::kRadicale << " is missing (Debian's radicale; scripts/install-deps)";
    }
    ASSERT_NE(server_, nullptr) << startError_.toStdString();
    user_ = QStringLiteral("user%1").arg(++users_);
  }

  // A new calendar of this test's own user.
  QUrl NewCalendar(const QString& name = QStringLiteral("cal"),
                   const QStringList& components = {}) {
    const QUrl url = server_->MakeCalendar(user_, name, components);
    EXPECT_FALSE(url.isEmpty()) << "MKCALENDAR " << name.toStdString() << " was refused";
    return url;
  }
  std::unique_ptr<CalendarStore> Store(const QUrl& url) {
    return MakeCalDavStore({url, user_, QStringLiteral("any")}, {});
  }
  RadicaleServer::Reply Get(const QUrl& calendar, const QString& name) {
    return server_->Request("GET", calendar.resolved(QUrl(name)), user_);
  }

  static inline RadicaleServer* server_ = nullptr;
  static inline QString startError_;
  static inline int users_ = 0;
  QString user_;
};

enum class Start { kCalendar, kPrincipal, kRoot };

class CalDavDiscoveryTest : public CalDavServerTest, public ::testing::WithParamInterface<Start> {};

// From the calendar's own address, the user's principal, or the server's root, the store
// reaches the calendar for appointments and tasks, passing one for appointments only.
TEST_P(CalDavDiscoveryTest, FindsTheCalendarForAppointmentsAndTasks) {
  NewCalendar(QStringLiteral("a-events"), {QStringLiteral("VEVENT")});
  const QUrl calendar = NewCalendar(QStringLiteral("b-both"));
  const QUrl start = GetParam() == Start::kCalendar    ? calendar
                     : GetParam() == Start::kPrincipal ? server_->Url("/" + user_ + "/")
                                                       : server_->Url(QStringLiteral("/"));
  auto store = Store(start);
  EXPECT_EQ(store->Where(), start.toDisplayString());
  const StoreWritten written =
      store->Write(QStringLiteral("probe.ics"), Event(QStringLiteral("probe"), "Probe"), nullptr);
  ASSERT_EQ(written.status, StoreStatus::kOk) << written.error.toStdString();
  const RadicaleServer::Reply reply = Get(calendar, QStringLiteral("probe.ics"));
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(reply.etag, written.stamp.etag);
}

INSTANTIATE_TEST_SUITE_P(Starts, CalDavDiscoveryTest,
                         ::testing::Values(Start::kCalendar, Start::kPrincipal, Start::kRoot));

TEST_F(CalDavServerTest, CreatesListsReadsAndFetchesMany) {
  const QUrl calendar = NewCalendar();
  auto store = Store(calendar);
  const QStringList names{QStringLiteral("one.ics"), QStringLiteral("two words.ics"),
                          QStringLiteral("task.ics")};
  QHash<QString, QByteArray> texts{
      {names[0], Event(QStringLiteral("one"), "Dentist")},
      {names[1], Event(QStringLiteral("two words"), "Lunch\\, with Ann")},
      {names[2], Item(QStringLiteral("VTODO"), QStringLiteral("task"), "Taxes")}};
  QHash<QString, StoreStamp> written;
  for (const QString& name : names) {
    const StoreWritten w = store->Write(name, texts.value(name), nullptr);
    ASSERT_EQ(w.status, StoreStatus::kOk) << name.toStdString() << ": " << w.error.toStdString();
    ASSERT_FALSE(w.stamp.etag.isEmpty());
    written.insert(name, w.stamp);
  }

  QByteArray token;
  const StoreListing listing = store->List({}, token);
  ASSERT_EQ(listing.status, StoreStatus::kOk) << listing.error.toStdString();
  EXPECT_TRUE(listing.exists);
  EXPECT_EQ(listing.items, written);
  EXPECT_FALSE(token.isEmpty());

  const StoreText read = store->Read(names[1]);
  ASSERT_EQ(read.status, StoreStatus::kOk) << read.error.toStdString();
  EXPECT_TRUE(read.text.contains("SUMMARY:Lunch\\, with Ann")) << read.text.toStdString();
  EXPECT_EQ(read.stamp, written.value(names[1]));
  EXPECT_EQ(store->Read(QStringLiteral("none.ics")).status, StoreStatus::kMissing);

  const QHash<QString, StoreText> many = store->ReadMany(names + QStringList{"none.ics"});
  ASSERT_EQ(many.size(), 3);
  for (const QString& name : names) {
    const StoreText text = many.value(name);
    EXPECT_EQ(text.status, StoreStatus::kOk);
    EXPECT_EQ(text.stamp, written.value(name)) << name.toStdString();
    EXPECT_EQ(text.text, store->Read(name).text) << name.toStdString();
  }
}

TEST_F(CalDavServerTest, ChangesAndRemovalsHoldOnlyOnTheVersionSeen) {
  const QUrl calendar = NewCalendar();
  auto store = Store(calendar);
  const QString name = QStringLiteral("item.ics");
  const StoreWritten first = store->Write(name, Event(QStringLiteral("item"), "Before"), nullptr);
  ASSERT_EQ(first.status, StoreStatus::kOk) << first.error.toStdString();

  EXPECT_EQ(store->Write(name, Event(QStringLiteral("item"), "Twice"), nullptr).status,
            StoreStatus::kConflict);
  const StoreWritten second =
      store->Write(name, Event(QStringLiteral("item"), "After"), &first.stamp);
  ASSERT_EQ(second.status, StoreStatus::kOk) << second.error.toStdString();
  EXPECT_NE(second.stamp.etag, first.stamp.etag);
  EXPECT_EQ(store->Write(name, Event(QStringLiteral("item"), "Stale"), &first.stamp).status,
            StoreStatus::kConflict);
  QString error;
  EXPECT_EQ(store->Remove(name, first.stamp, error), StoreStatus::kConflict);
  EXPECT_TRUE(Get(calendar, name).body.contains("SUMMARY:After"));

  EXPECT_EQ(store->Remove(name, second.stamp, error), StoreStatus::kOk) << error.toStdString();
  EXPECT_EQ(Get(calendar, name).status, 404);
  EXPECT_EQ(store->Remove(name, second.stamp, error), StoreStatus::kOk);
  EXPECT_EQ(store->Read(name).status, StoreStatus::kMissing);
}

// What another client does between two listings shows up in the listing by sync token.
TEST_F(CalDavServerTest, SyncTokenBringsAnotherClientsChanges) {
  const QUrl calendar = NewCalendar();
  auto store = Store(calendar);
  StoreStamp kept;
  for (const char* uid : {"kept", "changed", "removed"}) {
    const StoreWritten w =
        store->Write(QString::fromLatin1(uid) + ".ics", Event(uid, "Original"), nullptr);
    ASSERT_EQ(w.status, StoreStatus::kOk) << w.error.toStdString();
  }
  QByteArray token;
  const StoreListing before = store->List({}, token);
  ASSERT_EQ(before.status, StoreStatus::kOk) << before.error.toStdString();
  ASSERT_EQ(before.items.size(), 3);
  const QByteArray firstToken = token;

  const QUrl changed = calendar.resolved(QUrl(QStringLiteral("changed.ics")));
  ASSERT_EQ(server_
                ->Request("PUT", changed, user_, Event(QStringLiteral("changed"), "Moved"),
                          {{"Content-Type", "text/calendar"}})
                .status,
            201);
  ASSERT_EQ(
      server_->Request("DELETE", calendar.resolved(QUrl(QStringLiteral("removed.ics"))), user_)
          .status,
      200);
  ASSERT_EQ(
      server_
          ->Request("PUT", calendar.resolved(QUrl(QStringLiteral("added.ics"))), user_,
                    Event(QStringLiteral("added"), "New"), {{"Content-Type", "text/calendar"}})
          .status,
      201);

  const StoreListing after = store->List(before.items, token);
  ASSERT_EQ(after.status, StoreStatus::kOk) << after.error.toStdString();
  EXPECT_NE(token, firstToken);
  EXPECT_EQ(after.items.size(), 3);
  EXPECT_EQ(after.items.value(QStringLiteral("kept.ics")),
            before.items.value(QStringLiteral("kept.ics")));
  EXPECT_FALSE(after.items.contains(QStringLiteral("removed.ics")));
  EXPECT_TRUE(after.items.contains(QStringLiteral("added.ics")));
  EXPECT_EQ(after.items.value(QStringLiteral("changed.ics")).etag,
            server_->Request("GET", changed, user_).etag);

  // A token the server does not know: the whole listing again, and a token it does.
  QByteArray unknown = "http://radicale.org/ns/sync/0000";
  QHash<QString, StoreStamp> wrong = after.items;
  wrong.insert(QStringLiteral("ghost.ics"), kept);
  const StoreListing whole = store->List(wrong, unknown);
  ASSERT_EQ(whole.status, StoreStatus::kOk) << whole.error.toStdString();
  EXPECT_EQ(whole.items, after.items);
  EXPECT_EQ(unknown, token);
}

TEST_F(CalDavServerTest, MissingCalendarIsNotThere) {
  NewCalendar();
  QByteArray token;
  const StoreListing listing = Store(server_->Url("/" + user_ + "/nothere/"))->List({}, token);
  EXPECT_EQ(listing.status, StoreStatus::kOk) << listing.error.toStdString();
  EXPECT_FALSE(listing.exists);
}

struct PythonRun {
  int code = -1;
  QString out;
};

PythonRun RunClient(const QStringList& args) {
  QProcess p;
  p.start(QString::fromLatin1(kPython),
          QStringList{QStringLiteral(PLOVEN_TEST_SCRIPTS "/caldav_client.py")} + args);
  PythonRun run;
  if (!p.waitForStarted(10000)) return run;
  p.waitForFinished(60000);
  run.code = p.exitCode();
  run.out =
      QString::fromUtf8(p.readAllStandardOutput()) + QString::fromUtf8(p.readAllStandardError());
  return run;
}

TEST_F(CalDavServerTest, AnotherClientReadsOurItemsAndWeReadTheirs) {
  const QUrl calendar = NewCalendar();
  const QString url = calendar.toString();
  auto store = Store(calendar);
  ASSERT_EQ(
      store
          ->Write(QStringLiteral("ours.ics"), Event(QStringLiteral("ours"), "From Ploven"), nullptr)
          .status,
      StoreStatus::kOk);
  const PythonRun found = RunClient({url, user_, QStringLiteral("find"), QStringLiteral("ours")});
  ASSERT_EQ(found.code, 0) << kPython << " with python3-caldav: " << found.out.toStdString();
  EXPECT_TRUE(found.out.contains(QStringLiteral("SUMMARY:From Ploven"))) << found.out.toStdString();

  QTemporaryFile file;
  ASSERT_TRUE(file.open());
  file.write(Item(QStringLiteral("VTODO"), QStringLiteral("theirs"), "From elsewhere"));
  file.close();
  const PythonRun saved = RunClient({url, user_, QStringLiteral("save"), file.fileName()});
  ASSERT_EQ(saved.code, 0) << saved.out.toStdString();

  QByteArray token;
  const StoreListing listing = store->List({}, token);
  ASSERT_EQ(listing.status, StoreStatus::kOk) << listing.error.toStdString();
  ASSERT_EQ(listing.items.size(), 2);
  QString theirs;
  for (auto it = listing.items.begin(); it != listing.items.end(); ++it) {
    if (it.key() != QStringLiteral("ours.ics")) theirs = it.key();
  }
  EXPECT_TRUE(saved.out.contains(QString::fromLatin1(QUrl::toPercentEncoding(theirs))))
      << saved.out.toStdString();
  const StoreText text = store->Read(theirs);
  ASSERT_EQ(text.status, StoreStatus::kOk) << text.error.toStdString();
  EXPECT_TRUE(text.text.contains("SUMMARY:From elsewhere"));
  EXPECT_TRUE(text.text.contains("UID:theirs"));
  EXPECT_EQ(text.stamp, listing.items.value(theirs));
}

}  // namespace
}  // namespace ploven::calendar
