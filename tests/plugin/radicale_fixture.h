#pragma once

// A real calendar server for the tests: Debian's Radicale on a free loopback port, its storage
// in a temporary folder, no authentication (every user name is taken as given, with any
// password). System configuration files are left out so that the machine's settings do not
// change what the tests see.
#include <signal.h>
#include <sys/prctl.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <memory>
#include <utility>
#include <vector>

namespace ploven::test {

inline constexpr char kRadicale[] = "/usr/bin/radicale";

class RadicaleServer {
 public:
  struct Reply {
    int status = 0;
    QByteArray body;
    QByteArray etag;
  };
  using Headers = std::vector<std::pair<QByteArray, QByteArray>>;

  ~RadicaleServer() { Stop(); }

  static bool Installed() { return QFile::exists(QString::fromLatin1(kRadicale)); }

  // Starts the server and waits until it takes connections; false with the reason if not.
  bool Start(QString& error) {
    if (!folder_.isValid()) {
      error = QStringLiteral("no temporary folder: ") + folder_.errorString();
      return false;
    }
    port_ = FreePort();
    process_.setProcessChannelMode(QProcess::MergedChannels);
    // A test program that crashes or is killed takes the server with it.
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process_.start(QString::fromLatin1(kRadicale), Arguments(port_, folder_.filePath("storage")));
    if (!process_.waitForStarted(10000)) {
      error = QStringLiteral("radicale does not start: ") + process_.errorString();
      return false;
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
      if (process_.state() != QProcess::Running) {
        error = QStringLiteral("radicale stopped: ") + QString::fromUtf8(process_.readAll());
        return false;
      }
      QTcpSocket probe;
      probe.connectToHost(QHostAddress(QHostAddress::LocalHost), port_);
      if (probe.waitForConnected(200)) return true;
      QThread::msleep(50);
    }
    error = QStringLiteral("radicale did not answer within 20 s: ") +
            QString::fromUtf8(process_.readAll());
    return false;
  }

  bool Running() const { return process_.state() == QProcess::Running; }

  void Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(5000);
  }

  // How the server is started: no configuration files, this port, this storage, no
  // authentication.
  static QStringList Arguments(quint16 port, const QString& storage) {
    return {QStringLiteral("--config"),
            QString(),
            QStringLiteral("--server-hosts"),
            QStringLiteral("127.0.0.1:%1").arg(port),
            QStringLiteral("--storage-filesystem-folder"),
            storage,
            QStringLiteral("--auth-type"),
            QStringLiteral("none"),
            QStringLiteral("--logging-level"),
            QStringLiteral("warning")};
  }

  static quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.serverPort();
  }

  QUrl Url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path));
  }

  // One request as another client sends it, logged in as `user`.
  Reply Request(const QByteArray& verb, const QUrl& url, const QString& user,
                const QByteArray& body = {}, const Headers& headers = {}) {
    if (!network_) network_ = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(url);
    request.setRawHeader("Authorization", "Basic " + (user + ":x").toUtf8().toBase64());
    for (const auto& [name, value] : headers) request.setRawHeader(name, value);
    std::unique_ptr<QNetworkReply> reply(network_->sendCustomRequest(request, verb, body));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec();
    return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll(),
            reply->rawHeader("ETag")};
  }

  // A new calendar of `user` taking `components` (all kinds when empty); its address, or an
  // empty URL when the server refused.
  QUrl MakeCalendar(const QString& user, const QString& name, const QStringList& components = {}) {
    QByteArray body;
    if (!components.isEmpty()) {
      body =
          "<?xml version=\"1.0\" encoding=\"utf-8\"?><C:mkcalendar xmlns:D=\"DAV:\" "
          "xmlns:C=\"urn:ietf:params:xml:ns:caldav\"><D:set><D:prop>"
          "<C:supported-calendar-component-set>";
      for (const QString& component : components) {
        body += "<C:comp name=\"" + component.toUtf8() + "\"/>";
      }
      body += "</C:supported-calendar-component-set></D:prop></D:set></C:mkcalendar>";
    }
    const QUrl url = Url(QStringLiteral("/%1/%2/").arg(user, name));
    const Reply reply = Request("MKCALENDAR", url, user, body,
                                {{"Content-Type", "application/xml; charset=utf-8"}});
    return reply.status == 201 ? url : QUrl();
  }

 private:
  QTemporaryDir folder_;
  QProcess process_;
  quint16 port_ = 0;
  std::unique_ptr<QNetworkAccessManager> network_;
};

}  // namespace ploven::test
