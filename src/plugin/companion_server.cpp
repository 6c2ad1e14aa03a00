#include "plugin/companion_server.h"

#include <QLocalSocket>
#include <exception>

#include "plugin/link_messages.h"
#include "plugin/peer_credentials.h"

namespace ploven::calendar {

namespace t = link_text;

namespace {

constexpr uint32_t kTaskCode = 0x2BB7B2A6;
constexpr uint32_t kAppointmentCode = 0x2BB7B2A7;

bool IsRecordAction(const QByteArray& action) {
  return action == t::kSave || action == t::kChange || action == t::kDelete || action == t::kDone;
}

QString Hex(uint32_t code) { return QStringLiteral("0x%1").arg(code, 8, 16, QLatin1Char('0')); }

}  // namespace

InboundRecord InboundOf(const WireFrame& frame) {
  InboundRecord record;
  record.code = frame.code;
  record.action = frame.action;
  record.record = frame.record;
  record.itemID = frame.itemID;
  record.occurrenceDate = frame.occurrenceDate;
  record.key = frame.key;
  return record;
}

CompanionServer::CompanionServer(CalendarTarget& target, CompanionLog& log,
                                 std::function<CompanionSettings()> settings, ServerOptions options)
    : m_target(target), m_log(log), m_settings(std::move(settings)), m_options(options) {
  m_server.setSocketOptions(QLocalServer::UserAccessOption);
  QObject::connect(&m_server, &QLocalServer::newConnection, &m_server, [this] { Accept(); });
  m_workTimer.setSingleShot(true);
  m_workTimer.setInterval(0);
  QObject::connect(&m_workTimer, &QTimer::timeout, &m_server, [this] { WorkOne(); });
  m_watchdog.setInterval(m_options.periods.tick);
  QObject::connect(&m_watchdog, &QTimer::timeout, &m_server, [this] { Tick(); });
  m_passTimer.setInterval(m_options.periods.calendarPass);
  QObject::connect(&m_passTimer, &QTimer::timeout, &m_server, [this] { CalendarPass(); });
  m_sinceStart.start();
  m_sinceLastFrame.start();
}

CompanionServer::~CompanionServer() {
  // The sockets are the server's children and go with it; their signals must not reach a
  // half-destroyed object.
  for (auto& [socket, reader] : m_readers) QObject::disconnect(socket, nullptr, &m_server, nullptr);
  m_readers.clear();
}

bool CompanionServer::Listen(const QString& socketPath) {
  QLocalServer::removeServer(socketPath);
  if (!m_server.listen(socketPath)) {
    m_log.Line(QString::fromLatin1(t::kCannotListen).arg(socketPath, m_server.errorString()));
    return false;
  }
  m_log.Line(QString::fromLatin1(t::kStarted).arg(socketPath));
  m_watchdog.start();
  m_passTimer.start();
  return true;
}

void CompanionServer::Accept() {
  while (QLocalSocket* socket = m_server.nextPendingConnection()) {
    const auto peer = PeerOf(static_cast<int>(socket->socketDescriptor()));
    if (!peer || peer->uid != m_options.ownerUid || m_ending) {
      if (!peer) {
        m_log.Line(QString::fromLatin1(t::kNoPeer));
      } else if (peer->uid != m_options.ownerUid) {
        m_log.Line(QString::fromLatin1(t::kStrangerRefused).arg(peer->uid).arg(m_options.ownerUid));
      }
      socket->abort();
      socket->deleteLater();
      continue;
    }
    m_readers.emplace(socket, WireFrameReader{});
    QObject::connect(socket, &QLocalSocket::readyRead, &m_server, [this, socket] { Read(socket); });
    QObject::connect(socket, &QLocalSocket::disconnected, &m_server, [this, socket] {
      m_readers.erase(socket);
      socket->deleteLater();
    });
    if (socket->bytesAvailable() > 0) Read(socket);
  }
}

void CompanionServer::Read(QLocalSocket* socket) {
  const auto found = m_readers.find(socket);
  if (found == m_readers.end()) return;
  WireFrameReader& reader = found->second;
  reader.Feed(socket->readAll());
  std::vector<WireFrame> frames;
  while (auto frame = reader.Next()) frames.push_back(std::move(*frame));
  const QString refusal = reader.Refusal();
  for (const WireFrame& frame : frames) Take(socket, frame);
  if (!refusal.isEmpty()) {
    m_log.Line(QString::fromLatin1(t::kFrameRefused).arg(refusal));
    socket->abort();  // its reader goes with the disconnection
  }
}

void CompanionServer::Take(QLocalSocket* socket, const WireFrame& frame) {
  m_sinceLastFrame.restart();
  // After "close" only the work in hand is finished; later frames go unanswered.
  if (m_ending || m_closing) return;
  const QByteArray& action = frame.action;
  const bool known = IsRecordAction(action) || action == t::kPass || action == t::kTaken ||
                     action == t::kHello || action == t::kCloseStub || action == t::kPassword;
  if (!known) {
    const QString why = QString::fromLatin1(t::kUnknownAction).arg(QString::fromUtf8(action));
    m_log.Line(QString::fromLatin1(t::kFrameRefused).arg(why));
    Answer(socket, t::kReceived, {}, &frame);
    Answer(socket, t::kFailed, why.toUtf8(), &frame);
    return;
  }
  Answer(socket, t::kReceived, {}, &frame);
  if (action == t::kHello) return;
  if (action == t::kCloseStub) {
    m_log.Line(QString::fromLatin1(t::kClosing));
    m_closing = true;
  } else {
    if (IsRecordAction(action)) {
      m_log.Line(QString::fromLatin1(t::kNewData));
      if (frame.code == kTaskCode) m_log.Line(QString::fromLatin1(t::kNewItem));
      if (frame.code == kAppointmentCode) m_log.Line(QString::fromLatin1(t::kNewAppointment));
    }
    m_work.push_back({QPointer<QLocalSocket>(socket), frame});
  }
  if (!m_workTimer.isActive()) m_workTimer.start();
}

void CompanionServer::WorkOne() {
  if (!m_work.empty()) {
    const Work work = std::move(m_work.front());
    m_work.pop_front();
    if (work.frame.action == t::kPass) {
      ServePass(work);
    } else if (work.frame.action == t::kTaken) {
      try {
        m_target.Confirm(work.frame.key);
      } catch (const std::exception& e) {
        m_log.Line(QString::fromLatin1(t::kTargetThrew).arg(QString::fromUtf8(e.what())));
      }
    } else if (work.frame.action == t::kPassword) {
      TakePassword(work);
    } else {
      Apply(work);
    }
  }
  if (!m_work.empty()) {
    m_workTimer.start();
  } else if (m_closing) {
    End(EndReason::kClosed);
  }
}

void CompanionServer::Apply(const Work& work) {
  ApplyResult result;
  try {
    result = m_target.Apply(InboundOf(work.frame), m_settings());
  } catch (const std::exception& e) {
    result = {false, QString::fromLatin1(t::kTargetThrew).arg(QString::fromUtf8(e.what()))};
  }
  if (result.ok) {
    Answer(work.socket, t::kApplied, {}, &work.frame);
    return;
  }
  m_log.Line(QString::fromLatin1(t::kNotApplied)
                 .arg(QString::fromUtf8(work.frame.action), Hex(work.frame.code), result.reason));
  Answer(work.socket, t::kFailed, result.reason.toUtf8(), &work.frame);
}

// The record is a password: it goes to the calendar and nowhere else (no log line holds it).
void CompanionServer::TakePassword(const Work& work) {
  try {
    m_target.TakePassword(work.frame.record);
  } catch (const std::exception& e) {
    m_log.Line(QString::fromLatin1(t::kTargetThrew).arg(QString::fromUtf8(e.what())));
  }
  Answer(work.socket, t::kApplied, {}, &work.frame);
}

void CompanionServer::ServePass(const Work& work) {
  QList<OutboundChange> pending;
  try {
    // A calendar that works in the background gets a moment for a fresh look; the asker
    // waits 5 seconds for the answer.
    m_target.PassNow(m_settings(), kPassWaitMs);
    pending = m_target.Pending();
  } catch (const std::exception& e) {
    m_log.Line(QString::fromLatin1(t::kTargetThrew).arg(QString::fromUtf8(e.what())));
  }
  for (const OutboundChange& change : pending) {
    WireFrame out;
    out.code = change.code;
    out.itemID = change.itemID;
    out.occurrenceDate = change.occurrenceDate;
    out.key = change.key;
    out.record = change.record;
    // The main program refuses a whole stream with one oversized field; keep that one here.
    if (out.key.size() > kWireMaxKey || out.record.size() > kWireMaxRecord) {
      m_log.Line(QString::fromLatin1(t::kFrameRefused)
                     .arg(QStringLiteral("a calendar change too long to send (%1)")
                              .arg(QString::fromUtf8(out.key.left(40)))));
      continue;
    }
    Answer(work.socket, t::kFromCalendar, out.record, &out);
  }
  Answer(work.socket, t::kPassDone, {}, &work.frame);
}

void CompanionServer::Tick() {
  if (m_ending) return;
  const bool toPloven = m_settings().toPloven;
  const auto verdict = Watch(std::chrono::milliseconds(m_sinceStart.elapsed()),
                             std::chrono::milliseconds(m_sinceLastFrame.elapsed()), toPloven,
                             !m_work.empty() || m_closing, Unsent(), m_options.periods);
  if (verdict == WatchdogVerdict::kEnd) {
    m_log.Line(QString::fromLatin1(t::kIdleEnd).arg(m_options.periods.idle.count() / 1000.0));
    End(EndReason::kIdle);
  } else if (verdict == WatchdogVerdict::kReplace) {
    m_log.Line(QString::fromLatin1(t::kReplacing).arg(m_sinceStart.elapsed() / 1000));
    End(EndReason::kReplace);
  }
}

bool CompanionServer::Unsent() {
  try {
    return m_target.HasUnsent();
  } catch (const std::exception& e) {
    m_log.Line(QString::fromLatin1(t::kTargetThrew).arg(QString::fromUtf8(e.what())));
    return false;
  }
}

void CompanionServer::CalendarPass() {
  if (m_ending || m_closing || !m_work.empty()) return;
  const CompanionSettings settings = m_settings();
  if (!settings.toPloven) return;
  try {
    m_target.Pass(settings);
  } catch (const std::exception& e) {
    m_log.Line(QString::fromLatin1(t::kTargetThrew).arg(QString::fromUtf8(e.what())));
  }
}

void CompanionServer::End(EndReason reason) {
  if (m_ending) return;
  m_ending = true;
  m_workTimer.stop();
  m_watchdog.stop();
  m_passTimer.stop();
  std::vector<QPointer<QLocalSocket>> sockets;
  for (auto& [socket, reader] : m_readers) sockets.emplace_back(socket);
  for (const auto& socket : sockets) {
    if (socket) socket->flush();
  }
  m_server.close();
  if (m_onEnd) m_onEnd(reason);
}

void CompanionServer::Answer(QLocalSocket* socket, const char* action, const QByteArray& record,
                             const WireFrame* about) {
  if (socket == nullptr || socket->state() != QLocalSocket::ConnectedState) return;
  WireFrame out;
  if (about != nullptr) {
    out.code = about->code;
    out.itemID = about->itemID;
    out.occurrenceDate = about->occurrenceDate;
    out.key = about->key;
  }
  out.action = action;
  out.record = record;
  socket->write(EncodeWireFrame(out));
  socket->flush();
}

}  // namespace ploven::calendar
