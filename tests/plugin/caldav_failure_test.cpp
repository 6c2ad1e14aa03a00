// The calendar server store when the server misbehaves, is down, refuses, or says "not so
// fast": a scripted server gives the answers a real one gives only now and then.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <tuple>

#include "plugin/caldav_store.h"
#include "plugin/fake_dav_server.h"
#include "plugin/serving.h"

namespace ploven::calendar {
namespace {

using test::FakeAnswer;
using test::FakeDavServer;
using test::FakeRequest;
using test::WhileServing;

constexpr char kItem[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Ploven//test//EN\r\nBEGIN:VEVENT\r\n"
    "UID:a\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260105T090000Z\r\nSUMMARY:Dentist\r\n"
    "END:VEVENT\r\nEND:VCALENDAR\r\n";

FakeAnswer MultiStatus(const QByteArray& responses, const QByteArray& tail = {}) {
  return {207,
          "Multi-Status",
          {{"Content-Type", "application/xml; charset=utf-8"}},
          "<?xml version=\"1.0\"?><D:multistatus xmlns:D=\"DAV:\" "
          "xmlns:C=\"urn:ietf:params:xml:ns:caldav\">" +
              responses + tail + "</D:multistatus>",
          false};
}

QByteArray Found(const QByteArray& href, const QByteArray& props) {
  return "<D:response><D:href>" + href + "</D:href><D:propstat><D:prop>" + props +
         "</D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>";
}

QByteArray Gone(const QByteArray& href, int status = 404) {
  return "<D:response><D:href>" + href + "</D:href><D:status>HTTP/1.1 " +
         QByteArray::number(status) + " Whatever</D:status></D:response>";
}

QByteArray Etag(const QByteArray& etag) { return "<D:getetag>\"" + etag + "\"</D:getetag>"; }

// Discovery finds a calendar at /cal/ (offering sync-collection when `sync`); every other
// request is `rest`'s.
FakeDavServer::Script Calendar(bool sync, FakeDavServer::Script rest) {
  return [sync, rest](const FakeRequest& request) {
    if (request.method == "PROPFIND" && request.headers.value("depth") == "0") {
      const QByteArray reports =
          sync ? "<D:supported-report><D:report><D:sync-collection/></D:report>"
                 "</D:supported-report>"
               : "";
      return MultiStatus(Found("/cal/",
                               "<D:resourcetype><D:collection/><C:calendar/></D:resourcetype>"
                               "<D:supported-report-set>" +
                                   reports + "</D:supported-report-set>"));
    }
    return rest(request);
  };
}

FakeAnswer Status(int status, const QByteArray& reason, const QByteArray& body = {}) {
  return {status, reason, {}, body, false};
}

const QByteArray kTokenRefused =
    "<?xml version=\"1.0\"?><D:error xmlns:D=\"DAV:\"><D:valid-sync-token/></D:error>";

std::unique_ptr<CalendarStore> Store(const FakeDavServer& server, int timeoutMs = 5000) {
  return MakeCalDavStore({server.Url("/cal/"), QStringLiteral("alice"), QStringLiteral("s3cret")},
                         {timeoutMs});
}

TEST(CalDavFailureTest, ServerThatNeverAnswersTimesOutAsUnreachable) {
  FakeDavServer server([](const FakeRequest&) {
    FakeAnswer answer;
    answer.silent = true;
    return answer;
  });
  QElapsedTimer clock;
  clock.start();
  const StoreListing listing = WhileServing([&] {
    QByteArray token;
    return Store(server, 300)->List({}, token);
  });
  EXPECT_EQ(listing.status, StoreStatus::kUnreachable);
  EXPECT_LT(clock.elapsed(), 3000);
  EXPECT_TRUE(listing.error.contains(QStringLiteral("no answer"))) << listing.error.toStdString();
}

TEST(CalDavFailureTest, ClosedPortIsUnreachable) {
  QTcpServer probe;
  ASSERT_TRUE(probe.listen(QHostAddress(QHostAddress::LocalHost), 0));
  const quint16 port = probe.serverPort();
  probe.close();
  const QUrl url(QStringLiteral("http://127.0.0.1:%1/cal/").arg(port));
  QByteArray token;
  const StoreListing listing = MakeCalDavStore({url, {}, {}}, {2000})->List({}, token);
  EXPECT_EQ(listing.status, StoreStatus::kUnreachable);
  EXPECT_FALSE(listing.error.isEmpty());
}

struct AnswerCase {
  const char* name;
  FakeAnswer answer;
  StoreStatus status;
  bool exists;
  const char* errorHas;  // in the message; "" for none
};

class CalDavAnswerTest : public ::testing::TestWithParam<AnswerCase> {};

// The first request, finding the calendar, gets the case's answer.
TEST_P(CalDavAnswerTest, MapsToStatus) {
  const AnswerCase& c = GetParam();
  FakeDavServer server([&c](const FakeRequest&) { return c.answer; });
  const StoreListing listing = WhileServing([&] {
    QByteArray token;
    return Store(server)->List({}, token);
  });
  EXPECT_EQ(listing.status, c.status) << listing.error.toStdString();
  EXPECT_EQ(listing.exists, c.exists);
  EXPECT_TRUE(listing.error.contains(QString::fromUtf8(c.errorHas))) << listing.error.toStdString();
  ASSERT_FALSE(server.requests().empty());
  EXPECT_EQ(server.requests().front().headers.value("authorization"),
            "Basic " + QByteArray("alice:s3cret").toBase64());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CalDavAnswerTest,
    ::testing::Values(
        AnswerCase{"ServiceUnavailable", Status(503, "Service Unavailable"),
                   StoreStatus::kUnreachable, true, "503 Service Unavailable"},
        AnswerCase{"LoginRefused", Status(401, "Unauthorized"), StoreStatus::kLoginRefused, true,
                   "\"alice\""},
        AnswerCase{"Forbidden", Status(403, "Forbidden"), StoreStatus::kLoginRefused, true, "403"},
        AnswerCase{"NotThere", Status(404, "Not Found"), StoreStatus::kOk, false, ""},
        AnswerCase{"BadRequest", Status(400, "Bad Request"), StoreStatus::kFailed, true,
                   "400 Bad Request"},
        AnswerCase{"NotXml", Status(207, "Multi-Status", "<D:multistatus xmlns:D=\"DAV:\">"),
                   StoreStatus::kFailed, true, "cannot be read"},
        AnswerCase{"NotACalendar", MultiStatus(Found("/cal/", "<D:resourcetype/>")),
                   StoreStatus::kFailed, true, "no calendar"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CalDavFailureTest, AWriteToACalendarThatIsNotThereWaitsInsteadOfFailingForGood) {
  FakeDavServer server([](const FakeRequest&) { return Status(404, "Not Found"); });
  const StoreWritten written = WhileServing([&] {
    return Store(server)->Write(QStringLiteral("a.ics"), "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n",
                                nullptr);
  });
  EXPECT_EQ(written.status, StoreStatus::kUnreachable);
  EXPECT_TRUE(written.error.contains(QStringLiteral("404"))) << written.error.toStdString();
}

TEST(CalDavFailureTest, WritesAndRemovesAskOnTheEtagAndTake412AsConflict) {
  FakeDavServer server(
      Calendar(false, [](const FakeRequest&) { return Status(412, "Precondition Failed"); }));
  const StoreStamp old{.etag = "\"e1\""};
  const auto [changed, created, removed] = WhileServing([&] {
    auto store = Store(server);
    QString error;
    const StoreStatus gone = store->Remove(QStringLiteral("a.ics"), old, error);
    const StoreStatus change = store->Write(QStringLiteral("a.ics"), kItem, &old).status;
    const StoreStatus create = store->Write(QStringLiteral("b c.ics"), kItem, nullptr).status;
    return std::make_tuple(change, create, gone);
  });
  EXPECT_EQ(changed, StoreStatus::kConflict);
  EXPECT_EQ(created, StoreStatus::kConflict);
  EXPECT_EQ(removed, StoreStatus::kConflict);

  const auto& requests = server.requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[1].method, "DELETE");
  EXPECT_EQ(requests[1].headers.value("if-match"), "\"e1\"");
  EXPECT_EQ(requests[2].method, "PUT");
  EXPECT_EQ(requests[2].path, "/cal/a.ics");
  EXPECT_EQ(requests[2].headers.value("if-match"), "\"e1\"");
  EXPECT_EQ(requests[2].body, kItem);
  EXPECT_EQ(requests[3].path, "/cal/b%20c.ics");
  EXPECT_EQ(requests[3].headers.value("if-none-match"), "*");
  EXPECT_FALSE(requests[3].headers.contains("if-match"));
}

TEST(CalDavFailureTest, WriteAnsweredWithoutEtagGivesAnEmptyStampAndGoneItemsAreRemoved) {
  FakeDavServer server(Calendar(false, [](const FakeRequest& request) {
    if (request.method == "DELETE") return Status(404, "Not Found");
    if (request.path == "/cal/bare.ics") return Status(201, "Created");
    FakeAnswer answer = Status(204, "No Content");
    answer.headers.push_back({"ETag", "\"e2\""});
    return answer;
  }));
  const auto [bare, tagged, removed] = WhileServing([&] {
    auto store = Store(server);
    QString error;
    StoreWritten first = store->Write(QStringLiteral("bare.ics"), kItem, nullptr);
    StoreWritten second = store->Write(QStringLiteral("tagged.ics"), kItem, nullptr);
    return std::make_tuple(first, second, store->Remove(QStringLiteral("gone.ics"), {}, error));
  });
  EXPECT_EQ(bare.status, StoreStatus::kOk);
  EXPECT_TRUE(bare.stamp.etag.isEmpty());
  EXPECT_EQ(tagged.status, StoreStatus::kOk);
  EXPECT_EQ(tagged.stamp.etag, "\"e2\"");
  EXPECT_EQ(removed, StoreStatus::kOk);
}

// The whole listing the server gives after refusing a token, with a fresh token on the
// collection and things that are not items.
FakeAnswer WholeListing() {
  return MultiStatus(Found("/cal/", "<D:sync-token>fresh</D:sync-token>") +
                     Found("/cal/a.ics", Etag("e-a")) + Found("/cal/b.ics", Etag("e-b")) +
                     Found("/cal/notes.txt", Etag("e-n")) + Found("/cal/sub/", Etag("e-s")));
}

class CalDavTokenRefusedTest : public ::testing::TestWithParam<FakeAnswer> {};

TEST_P(CalDavTokenRefusedTest, FallsBackToTheWholeListing) {
  const FakeAnswer refusal = GetParam();
  FakeDavServer server(Calendar(true, [&refusal](const FakeRequest& request) {
    return request.method == "REPORT" ? refusal : WholeListing();
  }));
  const QHash<QString, StoreStamp> known{{QStringLiteral("a.ics"), {.etag = "\"old\""}},
                                         {QStringLiteral("dropped.ics"), {.etag = "\"d\""}}};
  QByteArray token = "stale";
  const StoreListing listing = WhileServing([&] { return Store(server)->List(known, token); });
  ASSERT_EQ(listing.status, StoreStatus::kOk) << listing.error.toStdString();
  const QHash<QString, StoreStamp> expected{{QStringLiteral("a.ics"), {.etag = "\"e-a\""}},
                                            {QStringLiteral("b.ics"), {.etag = "\"e-b\""}}};
  EXPECT_EQ(listing.items, expected);
  EXPECT_EQ(token, "fresh");
  ASSERT_EQ(server.requests().size(), 3u);
  EXPECT_TRUE(server.requests()[1].body.contains("<D:sync-token>stale</D:sync-token>"));
}

INSTANTIATE_TEST_SUITE_P(Refusals, CalDavTokenRefusedTest,
                         ::testing::Values(Status(403, "Forbidden", kTokenRefused),
                                           Status(409, "Conflict", kTokenRefused),
                                           Status(400, "Bad Request")));

TEST(CalDavFailureTest, SyncAnsweredWith5xxIsUnreachableAndKeepsTheToken) {
  FakeDavServer server(Calendar(true, [](const FakeRequest& request) {
    return request.method == "REPORT" ? Status(503, "Service Unavailable") : WholeListing();
  }));
  QByteArray token = "kept";
  const StoreListing listing = WhileServing([&] { return Store(server)->List({}, token); });
  EXPECT_EQ(listing.status, StoreStatus::kUnreachable);
  EXPECT_EQ(token, "kept");
  EXPECT_EQ(server.requests().size(), 2u);  // no whole listing after it
}

TEST(CalDavFailureTest, TruncatedSyncAnswersAreFollowedAndChangesApplied) {
  FakeDavServer server(Calendar(true, [](const FakeRequest& request) {
    if (request.body.contains(">t1<")) {
      return MultiStatus(
          Found("/cal/a.ics", Etag("e-a2")) + Gone("/cal/gone.ics") + Gone("/cal/", 507),
          "<D:sync-token>t2</D:sync-token>");
    }
    return MultiStatus(Found("/cal/new%20one.ics", Etag("e-c")), "<D:sync-token>t3</D:sync-token>");
  }));
  const QHash<QString, StoreStamp> known{{QStringLiteral("a.ics"), {.etag = "\"e-a1\""}},
                                         {QStringLiteral("gone.ics"), {.etag = "\"e-g\""}},
                                         {QStringLiteral("kept.ics"), {.etag = "\"e-k\""}}};
  QByteArray token = "t1";
  const StoreListing listing = WhileServing([&] { return Store(server)->List(known, token); });
  ASSERT_EQ(listing.status, StoreStatus::kOk) << listing.error.toStdString();
  const QHash<QString, StoreStamp> expected{{QStringLiteral("a.ics"), {.etag = "\"e-a2\""}},
                                            {QStringLiteral("kept.ics"), {.etag = "\"e-k\""}},
                                            {QStringLiteral("new one.ics"), {.etag = "\"e-c\""}}};
  EXPECT_EQ(listing.items, expected);
  EXPECT_EQ(token, "t3");
  ASSERT_EQ(server.requests().size(), 3u);
  EXPECT_TRUE(server.requests()[2].body.contains(">t2<"));
}

TEST(CalDavFailureTest, FetchingManyNeverTakesAFailureForARemoval) {
  FakeDavServer down(
      Calendar(false, [](const FakeRequest&) { return Status(502, "Bad Gateway"); }));
  const QStringList names{QStringLiteral("a.ics"), QStringLiteral("b.ics")};
  const QHash<QString, StoreText> texts =
      WhileServing([&] { return Store(down)->ReadMany(names); });
  ASSERT_EQ(texts.size(), 2);
  for (const StoreText& text : texts) EXPECT_EQ(text.status, StoreStatus::kUnreachable);
}

TEST(CalDavFailureTest, FetchingManyGivesWhatTheServerHasWithCrLf) {
  FakeDavServer server(Calendar(false, [](const FakeRequest&) {
    QByteArray data = kItem;
    data.replace("\r\n", "\n");  // what an XML parser hands over
    return MultiStatus(
        Found("/cal/a.ics", Etag("e-a") + "<C:calendar-data>" + data + "</C:calendar-data>") +
        Gone("/cal/b.ics"));
  }));
  const QHash<QString, StoreText> texts = WhileServing([&] {
    return Store(server)->ReadMany({QStringLiteral("a.ics"), QStringLiteral("b.ics")});
  });
  ASSERT_EQ(texts.size(), 1);
  EXPECT_EQ(texts.value(QStringLiteral("a.ics")).text, kItem);
  EXPECT_EQ(texts.value(QStringLiteral("a.ics")).stamp.etag, "\"e-a\"");
  ASSERT_EQ(server.requests().size(), 2u);
  EXPECT_TRUE(server.requests()[1].body.contains("<D:href>/cal/b.ics</D:href>"));
}

}  // namespace
}  // namespace ploven::calendar
