#include "plugin/server_target.h"

#include <QDir>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <QUuid>
#include <algorithm>
#include <exception>

#include "plugin/calendar_side_messages.h"
#include "plugin/record_fields.h"
#include "plugin/server_outbox.h"

namespace ploven::calendar {

namespace {

QString Tr(const char* text) { return QString::fromUtf8(text); }

QString Hex(uint32_t code) { return QStringLiteral("0x%1").arg(code, 8, 16, QLatin1Char('0')); }

// Keys of the companion's own changes: never given twice, also across restarts (the main
// program never takes a key twice in a run).
QByteArray FreshKey(const char* kind) {
  return QByteArray(kind) + ':' + QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
}

constexpr char kOutageTold[] = "outage_told";

}  // namespace

ServerTarget::ServerTarget(const QString& dataDir, CompanionLog& log, PasswordKeeper& keeper,
                           const QString& serverUrl, const QString& serverUser,
                           SyncTargetFactory makeSyncTarget, RetryPeriods retry)
    : m_dataDir(dataDir),
      m_log(log),
      m_keeper(keeper),
      m_url(serverUrl),
      m_user(serverUser),
      m_makeSyncTarget(std::move(makeSyncTarget)),
      m_retry(retry),
      m_nextDelay(retry.first) {
  const QString path = QDir(m_dataDir).filePath(QString::fromLatin1(kOutboxFileName));
  QString error;
  m_outbox = ServerOutbox::Open(path, error);
  if (!m_outbox) {
    m_outboxError = Tr(messages::kOutboxUnavailable).arg(path, error);
    m_log.Line(m_outboxError);
  } else {
    // What was answered before a restart and not yet passed on stays out of Pending.
    for (const QByteArray& key : m_outbox->Confirms()) m_answered.insert(key);
    for (const QByteArray& key : m_outbox->EchoKeys()) m_answered.insert(key);
  }
  m_settings.server = true;
  m_settings.serverUrl = m_url;
  m_settings.serverUser = m_user;

  m_thread = std::make_unique<QThread>();
  m_context = new QObject;
  m_context->moveToThread(m_thread.get());
  QObject::connect(m_thread.get(), &QThread::started, m_context, [this] { WorkerStart(); });
  QObject::connect(m_thread.get(), &QThread::finished, m_context, &QObject::deleteLater);
  m_thread->start();
}

ServerTarget::~ServerTarget() {
  {
    // The sender finishes the request in hand and starts no other.
    std::unique_lock lock(m_mutex);
    m_stopping = true;
    m_roundDone.wait(lock, [this] { return !m_inRound; });
  }
  QMetaObject::invokeMethod(
      m_context,
      [this] {
        WorkerEnd();
        QThread::currentThread()->quit();
      },
      Qt::QueuedConnection);
  m_thread->wait();
  m_thread.reset();
  m_outbox.reset();
}

// ---- The socket's thread: nothing here waits on the network.

ApplyResult ServerTarget::Apply(const InboundRecord& record, const CompanionSettings& settings) {
  if (!m_outbox) return {false, m_outboxError};
  if (!m_outbox->Append(record)) {
    const QString error = Tr(messages::kOutboxFailed).arg(m_outbox->LastError());
    m_log.Line(error);
    return {false, error};
  }
  {
    std::lock_guard lock(m_mutex);
    m_settings = settings;
    // An ID echo answers its change: the change is not offered again while the echo waits.
    if (!record.key.isEmpty()) m_answered.insert(record.key);
  }
  Wake(false);
  return {};
}

ApplyResult ServerTarget::Pass(const CompanionSettings& settings) {
  ApplyResult last;
  {
    std::lock_guard lock(m_mutex);
    m_settings = settings;
    m_passWanted = true;
    last = m_last;
  }
  Wake(false);
  return last;
}

void ServerTarget::PassNow(const CompanionSettings& settings, int waitMs) {
  std::unique_lock lock(m_mutex);
  m_settings = settings;
  m_passWanted = true;
  // Rounds run one after another: the next one to start is the first that began after this call.
  // While the server is waited for, the round is one on this computer only: the main program
  // asks every few seconds, and trying the server each time would undo the wait.
  const quint64 fresh = m_roundsStarted + 1;
  lock.unlock();
  Wake(false);
  lock.lock();
  m_roundDone.wait_for(lock, std::chrono::milliseconds(std::max(waitMs, 0)),
                       [&] { return m_roundsDone >= fresh || m_stopping; });
}

QList<OutboundChange> ServerTarget::Pending() {
  QList<OutboundChange> pending;
  QList<OutboundChange> snapshot;
  QSet<QByteArray> answered;
  {
    std::lock_guard lock(m_mutex);
    if (m_passwordWanted) pending << *m_passwordWanted;
    snapshot = m_snapshot;
    answered = m_answered;
  }
  if (m_outbox) pending += m_outbox->Notices();
  for (const OutboundChange& change : snapshot) {
    if (!answered.contains(change.key)) pending << change;
  }
  return pending;
}

void ServerTarget::Confirm(const QByteArray& key) {
  {
    std::lock_guard lock(m_mutex);
    if (m_passwordWanted && m_passwordWanted->key == key) {
      m_passwordWanted.reset();
      return;
    }
  }
  if (!m_outbox) return;
  if (m_outbox->RemoveNotice(key)) return;
  // Kept on disk until the sender has passed it on: a restart in between does not send the
  // change to the main program again.
  if (!m_outbox->AddConfirm(key)) {
    m_log.Line(Tr(messages::kOutboxFailed).arg(m_outbox->LastError()));
  }
  {
    std::lock_guard lock(m_mutex);
    m_answered.insert(key);
  }
  Wake(false);
}

void ServerTarget::TakePassword(const QByteArray& record) {
  const qsizetype first = record.indexOf('\n');
  const qsizetype second = first < 0 ? -1 : record.indexOf('\n', first + 1);
  if (second < 0) {
    m_log.Line(Tr(messages::kServerPasswordUnreadable));
    return;
  }
  NewPassword password{QString::fromUtf8(record.left(first)),
                       QString::fromUtf8(record.mid(first + 1, second - first - 1)),
                       QString::fromUtf8(record.mid(second + 1))};
  {
    std::lock_guard lock(m_mutex);
    m_newPassword = std::move(password);
  }
  Wake(true);
}

bool ServerTarget::HasUnsent() { return m_outbox && m_outbox->HasUnsent(); }

std::chrono::milliseconds ServerTarget::RetryDelay() {
  std::lock_guard lock(m_mutex);
  return m_retryDelay;
}

void ServerTarget::Wake(bool force) {
  if (force) {
    std::lock_guard lock(m_mutex);
    m_force = true;
  }
  QMetaObject::invokeMethod(
      m_context, [this] { Round(); }, Qt::QueuedConnection);
}

// ---- The sending thread.

void ServerTarget::WorkerStart() {
  m_retryTimer = new QTimer(m_context);
  m_retryTimer->setSingleShot(true);
  QObject::connect(m_retryTimer, &QTimer::timeout, m_context, [this] { Round(); });
  QString error;
  const QString path = QDir(m_dataDir).filePath(QString::fromLatin1(kOutboxFileName));
  m_workerOutbox = ServerOutbox::Open(path, error);
  if (!m_workerOutbox) {
    m_log.Line(Tr(messages::kOutboxUnavailable).arg(path, error));
  } else {
    m_outage = m_workerOutbox->Value(QString::fromLatin1(kOutageTold)) == QLatin1String("1");
  }
  Round();
}

void ServerTarget::WorkerEnd() {
  if (m_retryTimer != nullptr) m_retryTimer->stop();
  m_sync.reset();
  m_workerOutbox.reset();
}

void ServerTarget::Round() {
  // The server's calls run event loops of their own, which may deliver a wake or the retry
  // timer in the middle of a round: that one runs after.
  if (m_running) {
    m_again = true;
    return;
  }
  bool force = false;
  bool passWanted = false;
  std::optional<NewPassword> newPassword;
  CompanionSettings settings;
  quint64 number = 0;
  {
    std::lock_guard lock(m_mutex);
    if (m_stopping) return;
    force = std::exchange(m_force, false);
    passWanted = std::exchange(m_passWanted, false);
    newPassword = std::exchange(m_newPassword, std::nullopt);
    settings = m_settings;
    number = ++m_roundsStarted;
    m_inRound = true;
  }
  m_running = true;
  m_doneEchoes.clear();

  if (newPassword) {
    TakeNewPassword(*newPassword);
    newPassword.reset();
  }
  // While waiting to try the server again only what stays on this computer is done, unless
  // a new password came.
  const bool mayTry = force || !m_retryTimer->isActive();
  if (!m_sync && !m_waitingForPassword && mayTry) {
    // No password kept: the server may want none; a refusal asks the user for one.
    MakeSyncTarget(m_keeper.Password(m_url, m_user).value_or(QString()));
  }
  const QList<QByteArray> passed = PassOnConfirms();

  if (mayTry) {
    if (m_waitingForPassword) {
      if (auto password = m_keeper.Password(m_url, m_user)) {
        m_waitingForPassword = !MakeSyncTarget(*password);
      } else {
        RetryLater();
      }
    }
    if (!m_waitingForPassword) {
      if (m_sync && m_workerOutbox) {
        SendAndPass(settings, passWanted || force);
      } else {
        RetryLater();
      }
    }
  }

  QList<OutboundChange> snapshot;
  if (m_sync) {
    try {
      snapshot = m_sync->Pending();
    } catch (const std::exception& e) {
      m_log.Line(QString::fromUtf8(e.what()));
    }
  }
  {
    std::lock_guard lock(m_mutex);
    m_snapshot = std::move(snapshot);
    for (const QByteArray& key : passed) m_answered.remove(key);
    for (const QByteArray& key : m_doneEchoes) m_answered.remove(key);
    m_roundsDone = number;
    m_inRound = false;
    m_last = m_lastResult;
    m_retryDelay = m_retryTimer->isActive() ? m_currentDelay : std::chrono::milliseconds(0);
  }
  m_roundDone.notify_all();
  m_running = false;
  if (m_again) {
    m_again = false;
    QMetaObject::invokeMethod(
        m_context, [this] { Round(); }, Qt::QueuedConnection);
  }
}

bool ServerTarget::MakeSyncTarget(const QString& password) {
  m_sync.reset();  // its memory is closed before the next one opens it
  try {
    m_sync = m_makeSyncTarget(password);
  } catch (const std::exception& e) {
    m_log.Line(QString::fromUtf8(e.what()));
  }
  if (!m_sync) m_log.Line(Tr(messages::kServerTargetNotMade).arg(m_url));
  return m_sync != nullptr;
}

void ServerTarget::TakeNewPassword(const NewPassword& password) {
  m_keeper.Take(password.url, password.user, password.password);
  if (password.url != m_url || password.user != m_user) {
    m_log.Line(Tr(messages::kServerPasswordElsewhere).arg(password.url, password.user, m_url));
    return;
  }
  m_log.Line(Tr(messages::kServerPasswordTaken).arg(m_url, m_user));
  m_waitingForPassword = !MakeSyncTarget(password.password);
  // Tried again at once, whatever the wait was.
  m_retryTimer->stop();
  m_nextDelay = m_retry.first;
}

QList<QByteArray> ServerTarget::PassOnConfirms() {
  QList<QByteArray> passed;
  if (!m_sync || !m_workerOutbox) return passed;
  for (const QByteArray& key : m_workerOutbox->Confirms()) {
    {
      std::lock_guard lock(m_mutex);
      if (m_stopping) break;
    }
    try {
      m_sync->Confirm(key);
    } catch (const std::exception& e) {
      m_log.Line(QString::fromUtf8(e.what()));
      break;
    }
    if (!m_workerOutbox->RemoveConfirm(key)) {
      m_log.Line(Tr(messages::kOutboxFailed).arg(m_workerOutbox->LastError()));
      break;
    }
    passed << key;
  }
  return passed;
}

void ServerTarget::SendAndPass(const CompanionSettings& settings, bool passWanted) {
  bool sent = false;
  while (true) {
    {
      std::lock_guard lock(m_mutex);
      if (m_stopping) return;
    }
    const std::optional<OutboxRow> row = m_workerOutbox->Oldest();
    if (!row) break;
    ApplyResult result;
    try {
      result = m_sync->Apply(row->record, settings);
    } catch (const std::exception& e) {
      result = {false, QString::fromUtf8(e.what())};
    }
    m_lastResult = result;
    if (!result.ok && result.retry) {
      if (result.loginRefused) {
        LoginRefused();
      } else {
        Unreachable(result);
      }
      return;
    }
    if (!result.ok) {
      // Refused for good: sending it again would not change the answer.
      m_log.Line(Tr(messages::kServerRefusedLog)
                     .arg(m_url, QString::fromUtf8(row->record.action), Hex(row->record.code),
                          result.reason));
      AddNotice(Tr(messages::kServerRefusedRecord).arg(m_url, result.reason));
    }
    if (!m_workerOutbox->Remove(row->seq)) {
      // Sent again next time; the calendar takes a record twice without harm.
      m_log.Line(Tr(messages::kOutboxFailed).arg(m_workerOutbox->LastError()));
      RetryLater();
      return;
    }
    if (!row->record.key.isEmpty()) m_doneEchoes << row->record.key;
    sent = true;
    Reached();
  }
  if (!passWanted && !(sent && settings.toPloven)) return;
  {
    std::lock_guard lock(m_mutex);
    if (m_stopping) return;
  }
  ApplyResult result;
  try {
    result = m_sync->Pass(settings);
  } catch (const std::exception& e) {
    result = {false, QString::fromUtf8(e.what())};
  }
  m_lastResult = result;
  if (result.ok) {
    Reached();
  } else if (result.retry) {
    if (result.loginRefused) {
      LoginRefused();
    } else {
      Unreachable(result);
    }
  }
}

void ServerTarget::Reached() {
  m_retryTimer->stop();
  m_nextDelay = m_retry.first;
  m_currentDelay = std::chrono::milliseconds(0);
  if (!m_outage) return;
  m_outage = false;
  if (m_workerOutbox)
    m_workerOutbox->SetValue(QString::fromLatin1(kOutageTold), QStringLiteral("0"));
  m_log.Line(Tr(messages::kServerBack).arg(m_url));
}

void ServerTarget::Unreachable(const ApplyResult& result) {
  if (!m_outage) {
    // Once an outage, also across a restart of the companion.
    m_outage = true;
    if (m_workerOutbox) {
      m_workerOutbox->SetValue(QString::fromLatin1(kOutageTold), QStringLiteral("1"));
    }
    m_log.Line(Tr(messages::kServerDown).arg(m_url, result.reason));
    AddNotice(Tr(messages::kServerUnreachable).arg(m_url, result.reason));
  }
  RetryLater();
}

void ServerTarget::LoginRefused() {
  m_keeper.Refused(m_url, m_user);
  m_waitingForPassword = true;
  m_log.Line(Tr(messages::kServerLoginRefused).arg(m_url, m_user));
  {
    std::lock_guard lock(m_mutex);
    if (!m_passwordWanted) {
      OutboundChange wanted;
      wanted.code = codes::kPasswordWanted;
      wanted.key = FreshKey("password");
      wanted.record = (m_url + QLatin1Char('\n') + m_user).toUtf8();
      m_passwordWanted = wanted;
    }
  }
  RetryLater();
}

void ServerTarget::RetryLater() {
  m_currentDelay = m_nextDelay;
  m_retryTimer->start(m_currentDelay);
  m_nextDelay = std::min(m_nextDelay * 2, m_retry.longest);
}

void ServerTarget::AddNotice(const QString& text) {
  OutboundChange notice;
  notice.code = codes::kNotice;
  notice.key = FreshKey("server-notice");
  notice.record = text.toUtf8();
  if (!m_workerOutbox || !m_workerOutbox->AddNotice(notice)) {
    m_log.Line(
        Tr(messages::kOutboxFailed).arg(m_workerOutbox ? m_workerOutbox->LastError() : QString()));
  }
}

}  // namespace ploven::calendar
