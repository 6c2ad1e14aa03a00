#pragma once

// A scripted HTTP server on a loopback port, for the answers a real calendar server gives only
// when something goes wrong. It lives on the test's thread: run the store on another one (see
// serving.h) so that this thread can serve.
#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <functional>
#include <utility>
#include <vector>

namespace ploven::test {

struct FakeRequest {
  QByteArray method;
  QByteArray path;
  QHash<QByteArray, QByteArray> headers;  // names in lower case
  QByteArray body;
};

struct FakeAnswer {
  int status = 200;
  QByteArray reason = "OK";
  std::vector<std::pair<QByteArray, QByteArray>> headers;
  QByteArray body;
  bool silent = false;  // read the request and never answer it
};

class FakeDavServer {
 public:
  using Script = std::function<FakeAnswer(const FakeRequest&)>;

  explicit FakeDavServer(Script script) : script_(std::move(script)) {
    server_.listen(QHostAddress(QHostAddress::LocalHost), 0);
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { Accept(); });
  }

  QUrl Url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
  }
  const std::vector<FakeRequest>& requests() const { return requests_; }

 private:
  void Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Serve(socket); });
      QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
        buffers_.remove(socket);
        socket->deleteLater();
      });
    }
  }

  // Answers every whole request in the buffer; a part waits for the rest.
  void Serve(QTcpSocket* socket) {
    QByteArray& buffer = buffers_[socket];
    buffer += socket->readAll();
    for (;;) {
      const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
      if (headEnd < 0) return;
      const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
      FakeRequest request;
      const QList<QByteArray> first = lines.front().trimmed().split(' ');
      request.method = first.value(0);
      request.path = first.value(1);
      for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0) {
          request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                 lines[i].mid(colon + 1).trimmed());
        }
      }
      const qsizetype length = request.headers.value("content-length").toLongLong();
      if (buffer.size() < headEnd + 4 + length) return;
      request.body = buffer.mid(headEnd + 4, length);
      buffer.remove(0, headEnd + 4 + length);
      requests_.push_back(request);
      const FakeAnswer answer = script_(request);
      if (answer.silent) continue;
      QByteArray out = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + answer.reason +
                       "\r\nContent-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
      for (const auto& [name, value] : answer.headers) out += name + ": " + value + "\r\n";
      out += "\r\n" + answer.body;
      socket->write(out);
    }
  }

  Script script_;
  QHash<QTcpSocket*, QByteArray> buffers_;
  std::vector<FakeRequest> requests_;
  QTcpServer server_;  // last: its sockets, closing as it goes, still find the rest
};

}  // namespace ploven::test
