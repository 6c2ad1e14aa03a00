#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "plugin/calendar_target.h"
#include "plugin/server_password.h"

class QObject;
class QThread;
class QTimer;

namespace ploven::calendar {

class ServerOutbox;

// How long the sender waits after the server could not be reached: the first period, doubled
// at each failure up to the longest, back to the first after a success.
struct RetryPeriods {
  std::chrono::milliseconds first{5'000};
  std::chrono::milliseconds longest{300'000};
};

// Makes the calendar that talks to the server, with the password to log in with ("" for
// none). Called on the sending thread, where that calendar then lives and is used.
using SyncTargetFactory = std::function<std::unique_ptr<CalendarTarget>(const QString& password)>;

// A calendar on a server, in front of the companion's socket. Records are kept in an outbox on
// this computer and answered at once; a thread of its own sends them to the server, oldest
// first, passes on confirmations and looks for the calendar's changes. The socket's thread
// never waits on the network, and a server that is away loses nothing: the records wait in
// the outbox (across restarts) and are sent when it answers again.
//
// The calendar's queued changes are read from a copy the sending thread publishes after each
// round, so the socket's thread never touches that calendar (nor its database connection).
// The password keeper is used from the sending thread only.
class ServerTarget : public CalendarTarget {
 public:
  ServerTarget(const QString& dataDir, CompanionLog& log, PasswordKeeper& keeper,
               const QString& serverUrl, const QString& serverUser,
               SyncTargetFactory makeSyncTarget, RetryPeriods retry = {});
  ~ServerTarget() override;
  ServerTarget(const ServerTarget&) = delete;
  ServerTarget& operator=(const ServerTarget&) = delete;

  ApplyResult Apply(const InboundRecord& record, const CompanionSettings& settings) override;
  // Asks for a round and says how the last went. While the sender waits to try the server
  // again, a round only passes on what stays on this computer.
  ApplyResult Pass(const CompanionSettings& settings) override;
  QList<OutboundChange> Pending() override;
  void Confirm(const QByteArray& key) override;
  void PassNow(const CompanionSettings& settings, int waitMs) override;
  void TakePassword(const QByteArray& record) override;
  bool HasUnsent() override;

  // How long the sender waits before it tries the server again; zero when it is not waiting.
  std::chrono::milliseconds RetryDelay();

 private:
  struct NewPassword {
    QString url;
    QString user;
    QString password;
  };

  // The socket's thread.
  void Wake(bool force);

  // The sending thread.
  void WorkerStart();
  void WorkerEnd();
  void Round();
  bool MakeSyncTarget(const QString& password);
  void TakeNewPassword(const NewPassword& password);
  QList<QByteArray> PassOnConfirms();
  void SendAndPass(const CompanionSettings& settings, bool passWanted);
  void Reached();
  void Unreachable(const ApplyResult& result);
  void LoginRefused();
  void RetryLater();
  void AddNotice(const QString& text);

  QString m_dataDir;
  CompanionLog& m_log;
  PasswordKeeper& m_keeper;
  QString m_url;
  QString m_user;
  SyncTargetFactory m_makeSyncTarget;
  RetryPeriods m_retry;

  // Used by the socket's thread only.
  std::unique_ptr<ServerOutbox> m_outbox;
  QString m_outboxError;

  // Shared between the two threads, under m_mutex.
  std::mutex m_mutex;
  std::condition_variable m_roundDone;
  CompanionSettings m_settings;
  bool m_force = false;
  bool m_passWanted = false;
  std::optional<NewPassword> m_newPassword;
  QSet<QByteArray> m_answered;  // confirmed or echoed, not yet passed on
  QList<OutboundChange> m_snapshot;
  std::optional<OutboundChange> m_passwordWanted;
  quint64 m_roundsStarted = 0;
  quint64 m_roundsDone = 0;
  bool m_inRound = false;
  bool m_stopping = false;
  ApplyResult m_last;
  std::chrono::milliseconds m_retryDelay{0};

  // Used by the sending thread only.
  std::unique_ptr<QThread> m_thread;
  QObject* m_context = nullptr;  // lives in m_thread
  QTimer* m_retryTimer = nullptr;
  std::unique_ptr<ServerOutbox> m_workerOutbox;
  std::unique_ptr<CalendarTarget> m_sync;
  std::chrono::milliseconds m_nextDelay{0};
  std::chrono::milliseconds m_currentDelay{0};
  ApplyResult m_lastResult;
  QList<QByteArray> m_doneEchoes;  // echoes sent this round
  bool m_running = false;          // a round is under way (a nested event loop may call in again)
  bool m_again = false;
  bool m_waitingForPassword = false;
  bool m_outage = false;
};

}  // namespace ploven::calendar
