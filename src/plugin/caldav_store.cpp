// A calendar collection on a CalDAV server: finding it, listing it (sync-collection where the
// server offers it, else PROPFIND), fetching with calendar-multiget, and writing and removing
// on condition of the etag. Each request runs in an event loop of its own on the calling
// thread, with its own time-out.
#include "plugin/caldav_store.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>
#include <QXmlStreamAttributes>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <memory>
#include <utility>
#include <vector>

#include "plugin/caldav_messages.h"

namespace ploven::calendar {
namespace {

namespace msg = caldav_messages;

const QString kDav = QStringLiteral("DAV:");
const QString kCalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");
constexpr char kXmlType[] = "application/xml; charset=utf-8";
constexpr char kCalendarType[] = "text/calendar; charset=utf-8";
// Hrefs per calendar-multiget: large enough to save round trips, small enough that one answer
// arrives well within a request's time-out.
constexpr int kMultigetBatch = 100;
// Truncated sync answers (507 on the collection) followed before the store gives up.
constexpr int kMaxSyncRounds = 1000;

// ---- XML: a small namespace-aware tree of a WebDAV answer ----

struct XmlNode {
  QString ns;
  QString name;
  QString text;
  QXmlStreamAttributes attributes;
  std::vector<XmlNode> children;

  bool Is(const QString& space, QStringView local) const { return ns == space && name == local; }
  const XmlNode* Child(const QString& space, QStringView local) const {
    for (const XmlNode& child : children) {
      if (child.Is(space, local)) return &child;
    }
    return nullptr;
  }
  QString ChildText(const QString& space, QStringView local) const {
    const XmlNode* child = Child(space, local);
    return child ? child->text.trimmed() : QString();
  }
  // Whether the element or any element inside it has this name.
  bool Holds(const QString& space, QStringView local) const {
    if (Is(space, local)) return true;
    for (const XmlNode& child : children) {
      if (child.Holds(space, local)) return true;
    }
    return false;
  }
};

bool ParseXml(const QByteArray& data, XmlNode& root, QString& error) {
  QXmlStreamReader reader(data);
  std::vector<XmlNode*> open;
  bool seen = false;
  while (!reader.atEnd()) {
    const QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::StartElement) {
      XmlNode node{
          reader.namespaceUri().toString(), reader.name().toString(), {}, reader.attributes(), {}};
      if (open.empty()) {
        root = std::move(node);
        seen = true;
        open.push_back(&root);
      } else {
        // The parent's vector grows only while none of its children is open.
        open.back()->children.push_back(std::move(node));
        open.push_back(&open.back()->children.back());
      }
    } else if (token == QXmlStreamReader::Characters && !open.empty()) {
      open.back()->text += reader.text();
    } else if (token == QXmlStreamReader::EndElement && !open.empty()) {
      open.pop_back();
    }
  }
  if (reader.hasError()) {
    error = QStringLiteral("%1, line %2").arg(reader.errorString()).arg(reader.lineNumber());
    return false;
  }
  if (!seen) {
    error = QStringLiteral("no XML in the answer");
    return false;
  }
  return true;
}

// "HTTP/1.1 404 Not Found" -> 404; 0 when there is no status line.
int StatusCode(const QString& statusLine) { return statusLine.section(' ', 1, 1).toInt(); }

// A property of a multistatus response that the server found (from a 2xx propstat).
const XmlNode* FoundProp(const XmlNode& response, const QString& space, QStringView local) {
  for (const XmlNode& propstat : response.children) {
    if (!propstat.Is(kDav, u"propstat")) continue;
    const QString status = propstat.ChildText(kDav, u"status");
    if (!status.isEmpty() && StatusCode(status) / 100 != 2) continue;
    if (const XmlNode* prop = propstat.Child(kDav, u"prop")) {
      if (const XmlNode* found = prop->Child(space, local)) return found;
    }
  }
  return nullptr;
}

bool IsCalendar(const XmlNode& response) {
  const XmlNode* type = FoundProp(response, kDav, u"resourcetype");
  return type && type->Child(kCalDav, u"calendar");
}

// A calendar says which components it takes; one that does not say takes them all.
bool HoldsEventsAndTasks(const XmlNode& response) {
  const XmlNode* set = FoundProp(response, kCalDav, u"supported-calendar-component-set");
  if (!set) return true;
  bool events = false;
  bool tasks = false;
  for (const XmlNode& comp : set->children) {
    if (!comp.Is(kCalDav, u"comp")) continue;
    const QString kind = comp.attributes.value(QStringLiteral("name")).toString().toUpper();
    events = events || kind == QStringLiteral("VEVENT");
    tasks = tasks || kind == QStringLiteral("VTODO");
  }
  return events && tasks;
}

bool OffersSync(const XmlNode& response) {
  const XmlNode* reports = FoundProp(response, kDav, u"supported-report-set");
  return reports && reports->Holds(kDav, u"sync-collection");
}

// The href of a property that holds one (current-user-principal, calendar-home-set).
QString HrefIn(const XmlNode& response, const QString& space, QStringView local) {
  const XmlNode* prop = FoundProp(response, space, local);
  return prop ? prop->ChildText(kDav, u"href") : QString();
}

// The item an href names: its last path segment, percent-decoded. Empty for a collection (an
// href ending in "/"), which is never an item.
QString NameOfHref(const QString& href) {
  QString path = href.trimmed();
  if (path.contains(QStringLiteral("://"))) path = QUrl(path).path(QUrl::FullyEncoded);
  if (path.isEmpty() || path.endsWith('/')) return {};
  return QUrl::fromPercentEncoding(path.section('/', -1).toUtf8());
}

bool IsItemName(const QString& name) { return name.endsWith(QStringLiteral(".ics")); }

// XML hands text over with bare line feeds; iCalendar wants CRLF.
QByteArray WithCrLf(const QString& text) {
  QByteArray bytes = text.toUtf8();
  QByteArray out;
  out.reserve(bytes.size() + bytes.size() / 40);
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) out.append('\r');
    out.append(bytes[i]);
  }
  return out;
}

// ---- request bodies ----

class DavBody {
 public:
  explicit DavBody(const QString& space, const QString& root) : writer_(&bytes_) {
    writer_.writeStartDocument();
    writer_.writeNamespace(kDav, QStringLiteral("D"));
    writer_.writeNamespace(kCalDav, QStringLiteral("C"));
    writer_.writeStartElement(space, root);
  }
  QXmlStreamWriter& writer() { return writer_; }
  void Props(const std::vector<std::pair<QString, QString>>& props) {
    writer_.writeStartElement(kDav, QStringLiteral("prop"));
    for (const auto& [space, name] : props) writer_.writeEmptyElement(space, name);
    writer_.writeEndElement();
  }
  QByteArray Done() {
    writer_.writeEndDocument();
    return bytes_;
  }

 private:
  QByteArray bytes_;
  QXmlStreamWriter writer_;
};

using PropList = std::vector<std::pair<QString, QString>>;

QByteArray PropfindBody(const PropList& props) {
  DavBody body(kDav, QStringLiteral("propfind"));
  body.Props(props);
  return body.Done();
}

QByteArray SyncBody(const QByteArray& token) {
  DavBody body(kDav, QStringLiteral("sync-collection"));
  body.writer().writeTextElement(kDav, QStringLiteral("sync-token"), QString::fromUtf8(token));
  body.writer().writeTextElement(kDav, QStringLiteral("sync-level"), QStringLiteral("1"));
  body.Props({{kDav, QStringLiteral("getetag")}});
  return body.Done();
}

QByteArray MultigetBody(const QStringList& hrefs) {
  DavBody body(kCalDav, QStringLiteral("calendar-multiget"));
  body.Props({{kDav, QStringLiteral("getetag")}, {kCalDav, QStringLiteral("calendar-data")}});
  for (const QString& href : hrefs)
    body.writer().writeTextElement(kDav, QStringLiteral("href"), href);
  return body.Done();
}

// ---- answers and what they mean ----

using Headers = std::vector<std::pair<QByteArray, QByteArray>>;

struct Answer {
  QString request;  // "PUT https://host/cal/x.ics", for messages
  int status = 0;   // the HTTP status; 0 when no answer came
  QByteArray reason;
  bool timedOut = false;
  QNetworkReply::NetworkError error = QNetworkReply::NoError;
  QString errorText;
  QByteArray body;
  QByteArray etag;

  bool Ok() const { return status / 100 == 2; }
  // The DAV precondition an error answer names ("valid-sync-token"), if any.
  QString Precondition() const {
    XmlNode root;
    QString ignored;
    if (body.isEmpty() || !ParseXml(body, root, ignored) || !root.Is(kDav, u"error") ||
        root.children.empty()) {
      return {};
    }
    return root.children.front().name;
  }
  // "412 Precondition Failed (no-uid-conflict)"
  QString Said() const {
    QString said = QStringLiteral("%1 %2").arg(status).arg(QString::fromUtf8(reason)).trimmed();
    const QString condition = Precondition();
    if (!condition.isEmpty()) said += QStringLiteral(" (%1)").arg(condition);
    return said;
  }
};

struct Failure {
  StoreStatus status = StoreStatus::kFailed;
  QString error;
  bool missing = false;  // the calendar itself is not there (404)
};

// Transport failures that pass: the server may be back later. Others (a certificate refused,
// an unknown scheme) will not mend themselves.
bool IsPassing(QNetworkReply::NetworkError error) {
  switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::UnknownProxyError:
      return true;
    default:
      return false;
  }
}

}  // namespace

class CalDavStore final : public CalendarStore {
 public:
  CalDavStore(const ServerLogin& login, CalDavOptions options) : login_(login), options_(options) {}

  ~CalDavStore() override { DropNetwork(); }

  QString Where() const override { return login_.url.toDisplayString(QUrl::RemoveUserInfo); }
  bool Remote() const override { return true; }

  StoreListing List(const QHash<QString, StoreStamp>& known, QByteArray& syncToken) override {
    StoreListing listing;
    Failure failure;
    if (!Discover(failure)) return Failed(listing, failure);
    if (syncable_) {
      if (SyncListing(known, syncToken, listing, failure)) return listing;
      // A refused token, or any answer the server gives the REPORT but a wait-and-retry one:
      // the whole listing with a fresh token settles it.
      if (failure.status == StoreStatus::kUnreachable) return Failed(listing, failure);
      listing = StoreListing();
    }
    if (!FullListing(syncToken, listing, failure)) return Failed(listing, failure);
    return listing;
  }

  StoreText Read(const QString& name) override {
    StoreText text;
    Failure failure;
    if (!Discover(failure)) {
      if (failure.missing) failure.status = StoreStatus::kMissing;
      return Failed(text, failure);
    }
    const Answer answer = Send("GET", ItemUrl(name));
    if (answer.status == 404 || answer.status == 410) {
      text.status = StoreStatus::kMissing;
      return text;
    }
    if (!answer.Ok()) return Failed(text, Classify(answer));
    text.text = answer.body;
    text.stamp.etag = answer.etag;
    return text;
  }

  // An item that could not be read for a reason other than its absence is in the answer with
  // that status, so that a failed request is never taken for a removal.
  QHash<QString, StoreText> ReadMany(const QStringList& names) override {
    QHash<QString, StoreText> texts;
    Failure failure;
    if (!Discover(failure)) {
      if (!failure.missing) MarkFailed(texts, names, failure);
      return texts;
    }
    for (qsizetype first = 0; first < names.size(); first += kMultigetBatch) {
      const QStringList batch = names.mid(first, kMultigetBatch);
      if (!Multiget(batch, texts, failure)) {
        if (failure.status == StoreStatus::kUnreachable ||
            failure.status == StoreStatus::kLoginRefused) {
          MarkFailed(texts, names.mid(first), failure);
          return texts;
        }
        // The server does not do multiget, or not for these: one GET each.
        for (const QString& name : batch) {
          StoreText text = Read(name);
          if (text.status != StoreStatus::kMissing) texts.insert(name, std::move(text));
        }
      }
    }
    return texts;
  }

  StoreWritten Write(const QString& name, const QByteArray& text,
                     const StoreStamp* expected) override {
    StoreWritten written;
    Failure failure;
    if (!Discover(failure)) {
      // No calendar at that address (a mistyped one, or one not made yet): the record waits,
      // and the user is told, until the address is put right; it is not refused for good.
      if (failure.missing) failure.status = StoreStatus::kUnreachable;
      return Failed(written, failure);
    }
    Headers headers{{"Content-Type", kCalendarType}};
    if (!expected) {
      headers.push_back({"If-None-Match", "*"});
    } else if (!expected->etag.isEmpty()) {
      headers.push_back({"If-Match", expected->etag});
    }
    // An expected version without an etag (the server answered an earlier write without
    // one and no listing came since) cannot be asked for: the item is written as it is.
    const Answer answer = Send("PUT", ItemUrl(name), text, headers);
    if (answer.status == 412) {
      written.status = StoreStatus::kConflict;
      written.error = QString::fromLatin1(msg::kAnswered).arg(answer.request, answer.Said());
      return written;
    }
    if (answer.status == 409 && answer.Precondition() == QStringLiteral("no-uid-conflict")) {
      written.status = StoreStatus::kFailed;
      written.error = QString::fromLatin1(msg::kUidTaken).arg(answer.request);
      return written;
    }
    if (!answer.Ok()) return Failed(written, Classify(answer));
    written.stamp.etag = answer.etag;
    return written;
  }

  StoreStatus Remove(const QString& name, const StoreStamp& expected, QString& error) override {
    Failure failure;
    if (!Discover(failure)) {
      if (failure.missing) return StoreStatus::kOk;
      error = failure.error;
      return failure.status;
    }
    Headers headers;
    if (!expected.etag.isEmpty()) headers.push_back({"If-Match", expected.etag});
    const Answer answer = Send("DELETE", ItemUrl(name), {}, headers);
    if (answer.Ok() || answer.status == 404 || answer.status == 410) return StoreStatus::kOk;
    if (answer.status == 412) {
      error = QString::fromLatin1(msg::kAnswered).arg(answer.request, answer.Said());
      return StoreStatus::kConflict;
    }
    failure = Classify(answer);
    error = failure.error;
    return failure.status;
  }

 private:
  // ---- transport ----

  // Made in the thread that uses it: the store may be made on one thread and used on another.
  QNetworkAccessManager& Network() {
    if (network_ && network_->thread() != QThread::currentThread()) DropNetwork();
    if (!network_) network_ = std::make_unique<QNetworkAccessManager>();
    return *network_;
  }

  void DropNetwork() {
    if (!network_) return;
    if (network_->thread() == QThread::currentThread()) {
      network_.reset();
    } else {
      network_.release()->deleteLater();  // its own thread deletes it
    }
  }

  Answer Send(const QByteArray& verb, const QUrl& url, const QByteArray& body = {},
              const Headers& headers = {}) {
    Answer answer;
    answer.request = QStringLiteral("%1 %2").arg(QString::fromLatin1(verb),
                                                 url.toDisplayString(QUrl::RemoveUserInfo));
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    if (!login_.user.isEmpty()) {
      const QByteArray pair = (login_.user + ':' + login_.password).toUtf8();
      request.setRawHeader("Authorization", "Basic " + pair.toBase64());
    }
    for (const auto& [name, value] : headers) request.setRawHeader(name, value);

    std::unique_ptr<QNetworkReply> reply(Network().sendCustomRequest(request, verb, body));
    QEventLoop loop;
    // Silence, not length, is what times a request out: a large answer still arriving is fine.
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, reply.get(), [&answer, &reply] {
      answer.timedOut = true;
      reply->abort();
    });
    const auto stillTalking = [&quiet] { quiet.start(); };
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &quiet, stillTalking);
    QObject::connect(reply.get(), &QNetworkReply::uploadProgress, &quiet, stillTalking);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    quiet.start(options_.timeoutMs);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    quiet.stop();

    answer.error = reply->error();
    answer.errorText = reply->errorString();
    // A transport failure (refused, closed, timed out) has no answer to go by, even if a status
    // line came before it.
    const bool transportFailed =
        answer.timedOut || (answer.error >= QNetworkReply::ConnectionRefusedError &&
                            answer.error < QNetworkReply::ContentAccessDenied);
    if (!transportFailed) {
      answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
      answer.reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray();
      answer.body = reply->readAll();
      answer.etag = reply->rawHeader("ETag");
    }
    return answer;
  }

  // What a failed answer means for the caller.
  Failure Classify(const Answer& answer) const {
    Failure failure;
    if (answer.status == 0) {
      if (answer.timedOut) {
        failure.status = StoreStatus::kUnreachable;
        failure.error = QString::fromLatin1(msg::kTimedOut)
                            .arg(answer.request, QString::number(options_.timeoutMs / 1000.0));
        return failure;
      }
      failure.status = IsPassing(answer.error) ? StoreStatus::kUnreachable : StoreStatus::kFailed;
      failure.error = QString::fromLatin1(msg::kNotReached).arg(answer.request, answer.errorText);
      return failure;
    }
    // A bare 403 is the server saying this login may not use the calendar; a 403 naming a
    // precondition refuses the request itself.
    if (answer.status == 401 || (answer.status == 403 && answer.Precondition().isEmpty())) {
      failure.status = StoreStatus::kLoginRefused;
      failure.error =
          login_.user.isEmpty()
              ? QString::fromLatin1(msg::kLoginWanted).arg(answer.request, answer.Said())
              : QString::fromLatin1(msg::kLoginRefused)
                    .arg(answer.request, login_.user, answer.Said());
      return failure;
    }
    failure.status = answer.status / 100 == 5 || answer.status == 408 || answer.status == 429
                         ? StoreStatus::kUnreachable
                         : StoreStatus::kFailed;
    failure.error = QString::fromLatin1(msg::kAnswered).arg(answer.request, answer.Said());
    failure.missing = answer.status == 404 || answer.status == 410;
    return failure;
  }

  template <class Result>
  static Result& Failed(Result& result, const Failure& failure) {
    result.status = failure.status;
    result.error = failure.error;
    return result;
  }
  StoreListing& Failed(StoreListing& listing, const Failure& failure) {
    if (failure.missing) {
      // Nothing there: a listing that says so, and a fresh look for the calendar next time.
      discovered_ = false;
      listing = StoreListing();
      listing.exists = false;
      return listing;
    }
    listing.status = failure.status;
    listing.error = failure.error;
    return listing;
  }

  static void MarkFailed(QHash<QString, StoreText>& texts, const QStringList& names,
                         const Failure& failure) {
    for (const QString& name : names) {
      StoreText text;
      texts.insert(name, Failed(text, failure));
    }
  }

  // A multistatus answer to a PROPFIND or REPORT; false with `failure` otherwise.
  bool Multistatus(const Answer& answer, XmlNode& root, Failure& failure) const {
    if (!answer.Ok()) {
      failure = Classify(answer);
      return false;
    }
    QString error;
    if (!ParseXml(answer.body, root, error) || !root.Is(kDav, u"multistatus")) {
      failure.status = StoreStatus::kFailed;
      failure.missing = false;
      failure.error = QString::fromLatin1(msg::kUnreadableAnswer)
                          .arg(answer.request, error.isEmpty() ? answer.Said() : error);
      return false;
    }
    return true;
  }

  bool Propfind(const QUrl& url, int depth, const PropList& props, XmlNode& root,
                Failure& failure) {
    const Answer answer = Send("PROPFIND", url, PropfindBody(props),
                               {{"Depth", QByteArray::number(depth)}, {"Content-Type", kXmlType}});
    return Multistatus(answer, root, failure);
  }

  // ---- the collection ----

  QUrl ItemUrl(const QString& name) const {
    // Only unreserved characters stay as they are: the name can neither climb nor leave.
    return collection_.resolved(QUrl::fromEncoded(QUrl::toPercentEncoding(name)));
  }

  void UseCollection(const QUrl& base, const XmlNode& response) {
    QUrl url = base.resolved(QUrl(response.ChildText(kDav, u"href")));
    if (!url.path().endsWith('/')) url.setPath(url.path(QUrl::FullyEncoded) + QLatin1Char('/'));
    collection_ = url;
    syncable_ = OffersSync(response);
    discovered_ = true;
  }

  // The calendar the login names: the address itself when it is a calendar, else the first
  // calendar for both appointments and tasks in the user's calendar home.
  bool Discover(Failure& failure) {
    if (discovered_) return true;
    const QUrl url = login_.url;
    const PropList calendarProps{{kDav, QStringLiteral("resourcetype")},
                                 {kDav, QStringLiteral("supported-report-set")},
                                 {kCalDav, QStringLiteral("supported-calendar-component-set")}};
    PropList props = calendarProps;
    props.push_back({kDav, QStringLiteral("current-user-principal")});
    props.push_back({kCalDav, QStringLiteral("calendar-home-set")});
    XmlNode root;
    if (!Propfind(url, 0, props, root, failure)) return false;
    const XmlNode* self = root.Child(kDav, u"response");
    if (!self) {
      failure = {StoreStatus::kFailed,
                 QString::fromLatin1(msg::kNotCalendar).arg(url.toDisplayString()), false};
      return false;
    }
    if (IsCalendar(*self)) {
      UseCollection(url, *self);
      return true;
    }

    QUrl home = url;
    if (const QString href = HrefIn(*self, kCalDav, u"calendar-home-set"); !href.isEmpty()) {
      home = url.resolved(QUrl(href));
    } else if (const QString principal = HrefIn(*self, kDav, u"current-user-principal");
               !principal.isEmpty()) {
      const QUrl principalUrl = url.resolved(QUrl(principal));
      XmlNode found;
      if (!Propfind(principalUrl, 0, {{kCalDav, QStringLiteral("calendar-home-set")}}, found,
                    failure)) {
        failure.missing = false;
        return false;
      }
      const XmlNode* response = found.Child(kDav, u"response");
      const QString homeHref =
          response ? HrefIn(*response, kCalDav, u"calendar-home-set") : QString();
      if (homeHref.isEmpty()) {
        failure = {StoreStatus::kFailed,
                   QString::fromLatin1(msg::kNotCalendar).arg(url.toDisplayString()), false};
        return false;
      }
      home = principalUrl.resolved(QUrl(homeHref));
    }

    XmlNode listing;
    if (!Propfind(home, 1, calendarProps, listing, failure)) {
      failure.missing = false;
      return false;
    }
    for (const XmlNode& response : listing.children) {
      if (response.Is(kDav, u"response") && IsCalendar(response) && HoldsEventsAndTasks(response)) {
        UseCollection(home, response);
        return true;
      }
    }
    failure = {StoreStatus::kFailed,
               QString::fromLatin1(msg::kNoCalendar).arg(home.toDisplayString()), false};
    return false;
  }

  // The changes since `syncToken` applied to `known` (all items when there is no token).
  bool SyncListing(const QHash<QString, StoreStamp>& known, QByteArray& syncToken,
                   StoreListing& listing, Failure& failure) {
    QHash<QString, StoreStamp> items = syncToken.isEmpty() ? QHash<QString, StoreStamp>() : known;
    QByteArray token = syncToken;
    for (int round = 0; round < kMaxSyncRounds; ++round) {
      const Answer answer = Send("REPORT", collection_, SyncBody(token),
                                 {{"Depth", "0"}, {"Content-Type", kXmlType}});
      XmlNode root;
      if (!Multistatus(answer, root, failure)) return false;
      bool truncated = false;
      for (const XmlNode& response : root.children) {
        if (!response.Is(kDav, u"response")) continue;
        const QString href = response.ChildText(kDav, u"href");
        const int status = StatusCode(response.ChildText(kDav, u"status"));
        const QString name = NameOfHref(href);
        if (name.isEmpty()) {
          // The collection itself: 507 says more changes follow from the token given here.
          truncated = truncated || status == 507;
          continue;
        }
        if (!IsItemName(name)) continue;
        if (status == 404) {
          items.remove(name);
          continue;
        }
        StoreStamp stamp;
        if (const XmlNode* etag = FoundProp(response, kDav, u"getetag")) {
          stamp.etag = etag->text.trimmed().toUtf8();
        }
        items.insert(name, stamp);
      }
      token = root.ChildText(kDav, u"sync-token").toUtf8();
      if (!truncated) {
        listing.items = std::move(items);
        syncToken = token;
        return true;
      }
      if (token.isEmpty()) break;
    }
    failure = {StoreStatus::kFailed,
               QString::fromLatin1(msg::kSyncLoop).arg(collection_.toDisplayString()), false};
    return false;
  }

  // Every item with its etag, and where the server offers it a fresh sync token.
  bool FullListing(QByteArray& syncToken, StoreListing& listing, Failure& failure) {
    PropList props{{kDav, QStringLiteral("getetag")}};
    if (syncable_) props.push_back({kDav, QStringLiteral("sync-token")});
    XmlNode root;
    if (!Propfind(collection_, 1, props, root, failure)) return false;
    QByteArray token;
    for (const XmlNode& response : root.children) {
      if (!response.Is(kDav, u"response")) continue;
      const QString name = NameOfHref(response.ChildText(kDav, u"href"));
      if (name.isEmpty()) {
        if (const XmlNode* found = FoundProp(response, kDav, u"sync-token")) {
          token = found->text.trimmed().toUtf8();
        }
        continue;
      }
      if (!IsItemName(name)) continue;
      StoreStamp stamp;
      if (const XmlNode* etag = FoundProp(response, kDav, u"getetag")) {
        stamp.etag = etag->text.trimmed().toUtf8();
      }
      listing.items.insert(name, stamp);
    }
    syncToken = token;
    return true;
  }

  // One calendar-multiget REPORT; the items found go into `texts`.
  bool Multiget(const QStringList& names, QHash<QString, StoreText>& texts, Failure& failure) {
    QStringList hrefs;
    hrefs.reserve(names.size());
    for (const QString& name : names) hrefs.append(ItemUrl(name).path(QUrl::FullyEncoded));
    const Answer answer = Send("REPORT", collection_, MultigetBody(hrefs),
                               {{"Depth", "1"}, {"Content-Type", kXmlType}});
    XmlNode root;
    if (!Multistatus(answer, root, failure)) return false;
    for (const XmlNode& response : root.children) {
      if (!response.Is(kDav, u"response")) continue;
      const QString name = NameOfHref(response.ChildText(kDav, u"href"));
      if (!names.contains(name)) continue;
      const XmlNode* data = FoundProp(response, kCalDav, u"calendar-data");
      if (!data) continue;  // not there
      StoreText text;
      text.text = WithCrLf(data->text);
      if (const XmlNode* etag = FoundProp(response, kDav, u"getetag")) {
        text.stamp.etag = etag->text.trimmed().toUtf8();
      }
      texts.insert(name, std::move(text));
    }
    return true;
  }

  const ServerLogin login_;
  const CalDavOptions options_;
  std::unique_ptr<QNetworkAccessManager> network_;
  bool discovered_ = false;
  QUrl collection_;        // the calendar, its path ending in "/"
  bool syncable_ = false;  // it offers sync-collection
};

std::unique_ptr<CalendarStore> MakeCalDavStore(const ServerLogin& login, CalDavOptions options) {
  return std::make_unique<CalDavStore>(login, options);
}

}  // namespace ploven::calendar
