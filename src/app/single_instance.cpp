#include "app/single_instance.h"

#include <unistd.h>

#include <QLocalSocket>
#include <QTimer>

namespace ploven {

namespace {
constexpr char kRaiseRequest[] = "raise\n";
constexpr char kNewItemRequest[] = "new-item\n";
}  // namespace

SingleInstance::SingleInstance(uint16_t scheduleIdentity, QObject* parent)
    : QObject(parent), m_name(ServerName(scheduleIdentity)) {}

SingleInstance::~SingleInstance() { m_server.close(); }

QString SingleInstance::ServerName(uint16_t scheduleIdentity) {
  // Per user, so two people on one machine each have their own program.
  return QString("ploven-%1-%2").arg(getuid()).arg(scheduleIdentity);
}

bool SingleInstance::HandOverToRunning(HandOver request, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(m_name);
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(request == HandOver::kNewItem ? kNewItemRequest : kRaiseRequest);
  socket.waitForBytesWritten(timeoutMs);
  // The answer says the other program took it; a silent peer still holds the name.
  socket.waitForReadyRead(timeoutMs);
  socket.disconnectFromServer();
  return true;
}

bool SingleInstance::Listen(std::function<void(HandOver)> handOver) {
  m_handOver = std::move(handOver);
  m_server.setSocketOptions(QLocalServer::UserAccessOption);
  if (!m_server.listen(m_name)) {
    // A name left behind by a program that ended without closing it.
    QLocalServer::removeServer(m_name);
    if (!m_server.listen(m_name)) return false;
  }
  connect(&m_server, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* peer = m_server.nextPendingConnection()) {
      connect(peer, &QLocalSocket::readyRead, peer, [this, peer] {
        const QByteArray request = peer->readAll();
        const bool newItem = request.startsWith("new-item");
        if (newItem || request.startsWith("raise")) {
          peer->write("ok\n");
          peer->flush();
          // Later, from the event loop: the New Item dialog runs a loop of its own, in which
          // the peer disconnects and is deleted while this slot of the peer would still run.
          const HandOver asked = newItem ? HandOver::kNewItem : HandOver::kRaise;
          QTimer::singleShot(0, this, [this, asked] {
            if (m_handOver) m_handOver(asked);
          });
        }
      });
      connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    }
  });
  return true;
}

}  // namespace ploven
