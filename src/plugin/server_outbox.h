#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

#include "plugin/calendar_target.h"
#include "plugin/sqlite_connection.h"

namespace ploven::calendar {

// One record waiting for the calendar server, in the order it came.
struct OutboxRow {
  qint64 seq = 0;
  InboundRecord record;
};

// What waits on this computer while the calendar server is away: the main program's records
// not yet sent, the confirmations not yet passed on, and the companion's own notices for the
// user. A small SQLite file of its own (WAL, so the thread that sends reads while the socket's
// thread appends); each instance is one connection, used from the thread that opened it.
class ServerOutbox {
 public:
  static constexpr int kSchemaVersion = 1;

  static std::unique_ptr<ServerOutbox> Open(const QString& path, QString& error);
  ~ServerOutbox();
  ServerOutbox(const ServerOutbox&) = delete;
  ServerOutbox& operator=(const ServerOutbox&) = delete;

  QString LastError() const { return m_error; }

  bool Append(const InboundRecord& record);
  std::optional<OutboxRow> Oldest();
  bool Remove(qint64 seq);
  // The keys the ID echoes still waiting answer (their changes are answered already).
  QList<QByteArray> EchoKeys();
  // Records or confirmations still to be passed on.
  bool HasUnsent();

  bool AddConfirm(const QByteArray& key);
  QList<QByteArray> Confirms();
  bool RemoveConfirm(const QByteArray& key);

  bool AddNotice(const OutboundChange& notice);
  QList<OutboundChange> Notices();
  // Whether `key` was one of the notices.
  bool RemoveNotice(const QByteArray& key);

  QString Value(const QString& name);
  bool SetValue(const QString& name, const QString& value);

 private:
  ServerOutbox() = default;
  bool Exec(const QString& sql);

  SqliteConnection m_connection;
  QString m_error;
};

inline constexpr char kOutboxFileName[] = "ploven-calendar-outbox.sqlite";

}  // namespace ploven::calendar
