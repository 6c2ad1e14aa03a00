#include "plugin/server_outbox.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "plugin/calendar_side_messages.h"

namespace ploven::calendar {

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS meta (name TEXT PRIMARY KEY, value TEXT)",
    "CREATE TABLE IF NOT EXISTS outbox (seq INTEGER PRIMARY KEY AUTOINCREMENT, code INTEGER, "
    "action BLOB, record BLOB, item_id INTEGER, occurrence_date INTEGER, key BLOB)",
    "CREATE TABLE IF NOT EXISTS confirms (key BLOB PRIMARY KEY)",
    "CREATE TABLE IF NOT EXISTS notices (seq INTEGER PRIMARY KEY AUTOINCREMENT, key BLOB UNIQUE, "
    "code INTEGER, record BLOB)",
};

constexpr char kVersionName[] = "schema_version";

}  // namespace

std::unique_ptr<ServerOutbox> ServerOutbox::Open(const QString& path, QString& error) {
  std::unique_ptr<ServerOutbox> outbox(new ServerOutbox());
  // The other thread's connection may hold the write lock for a moment.
  if (!outbox->m_connection.Open(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"), error))
    return nullptr;
  // A record answered "applied" must survive a power cut: full syncs on every commit.
  bool ok = outbox->Exec(QStringLiteral("PRAGMA journal_mode=WAL")) &&
            outbox->Exec(QStringLiteral("PRAGMA synchronous=FULL"));
  for (const char* sql : kSchema) ok = ok && outbox->Exec(QString::fromLatin1(sql));
  if (!ok) {
    error = outbox->m_error;
    return nullptr;
  }
  // A newer Ploven's outbox is left alone rather than misread.
  const QString version = outbox->Value(QString::fromLatin1(kVersionName));
  if (version.toInt() > kSchemaVersion) {
    error = QString::fromUtf8(messages::kOutboxNewer).arg(version);
    return nullptr;
  }
  if (version.isEmpty() &&
      !outbox->SetValue(QString::fromLatin1(kVersionName), QString::number(kSchemaVersion))) {
    error = outbox->m_error;
    return nullptr;
  }
  return outbox;
}

ServerOutbox::~ServerOutbox() = default;

bool ServerOutbox::Exec(const QString& sql) { return m_connection.Exec(sql, m_error); }

bool ServerOutbox::Append(const InboundRecord& record) {
  QSqlQuery q(m_connection.Database());
  q.prepare(
      QStringLiteral("INSERT INTO outbox (code, action, record, item_id, occurrence_date, "
                     "key) VALUES (?, ?, ?, ?, ?, ?)"));
  q.addBindValue(static_cast<qint64>(record.code));
  q.addBindValue(record.action);
  q.addBindValue(record.record);
  q.addBindValue(static_cast<qint64>(record.itemID));
  q.addBindValue(record.occurrenceDate);
  q.addBindValue(record.key);
  if (q.exec()) return true;
  m_error = q.lastError().text();
  return false;
}

std::optional<OutboxRow> ServerOutbox::Oldest() {
  QSqlQuery q(m_connection.Database());
  if (!q.exec(QStringLiteral("SELECT seq, code, action, record, item_id, occurrence_date, key "
                             "FROM outbox ORDER BY seq LIMIT 1"))) {
    m_error = q.lastError().text();
    return std::nullopt;
  }
  if (!q.next()) return std::nullopt;
  OutboxRow row;
  row.seq = q.value(0).toLongLong();
  row.record.code = q.value(1).toUInt();
  row.record.action = q.value(2).toByteArray();
  row.record.record = q.value(3).toByteArray();
  row.record.itemID = q.value(4).toUInt();
  row.record.occurrenceDate = q.value(5).toInt();
  row.record.key = q.value(6).toByteArray();
  return row;
}

bool ServerOutbox::Remove(qint64 seq) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("DELETE FROM outbox WHERE seq = ?"));
  q.addBindValue(seq);
  if (q.exec()) return true;
  m_error = q.lastError().text();
  return false;
}

QList<QByteArray> ServerOutbox::EchoKeys() {
  QList<QByteArray> keys;
  QSqlQuery q(m_connection.Database());
  if (!q.exec(QStringLiteral("SELECT key FROM outbox WHERE length(key) > 0"))) {
    m_error = q.lastError().text();
    return keys;
  }
  while (q.next()) keys << q.value(0).toByteArray();
  return keys;
}

bool ServerOutbox::HasUnsent() {
  QSqlQuery q(m_connection.Database());
  if (!q.exec(QStringLiteral("SELECT EXISTS (SELECT 1 FROM outbox) OR "
                             "EXISTS (SELECT 1 FROM confirms)"))) {
    m_error = q.lastError().text();
    return false;
  }
  return q.next() && q.value(0).toBool();
}

bool ServerOutbox::AddConfirm(const QByteArray& key) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("INSERT OR IGNORE INTO confirms (key) VALUES (?)"));
  q.addBindValue(key);
  if (q.exec()) return true;
  m_error = q.lastError().text();
  return false;
}

QList<QByteArray> ServerOutbox::Confirms() {
  QList<QByteArray> keys;
  QSqlQuery q(m_connection.Database());
  if (!q.exec(QStringLiteral("SELECT key FROM confirms ORDER BY rowid"))) {
    m_error = q.lastError().text();
    return keys;
  }
  while (q.next()) keys << q.value(0).toByteArray();
  return keys;
}

bool ServerOutbox::RemoveConfirm(const QByteArray& key) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("DELETE FROM confirms WHERE key = ?"));
  q.addBindValue(key);
  if (q.exec()) return true;
  m_error = q.lastError().text();
  return false;
}

bool ServerOutbox::AddNotice(const OutboundChange& notice) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("INSERT OR REPLACE INTO notices (key, code, record) VALUES (?, ?, ?)"));
  q.addBindValue(notice.key);
  q.addBindValue(static_cast<qint64>(notice.code));
  q.addBindValue(notice.record);
  if (q.exec()) return true;
  m_error = q.lastError().text();
  return false;
}

QList<OutboundChange> ServerOutbox::Notices() {
  QList<OutboundChange> notices;
  QSqlQuery q(m_connection.Database());
  if (!q.exec(QStringLiteral("SELECT key, code, record FROM notices ORDER BY seq"))) {
    m_error = q.lastError().text();
    return notices;
  }
  while (q.next()) {
    OutboundChange notice;
    notice.key = q.value(0).toByteArray();
    notice.code = q.value(1).toUInt();
    notice.record = q.value(2).toByteArray();
    notices << notice;
  }
  return notices;
}

bool ServerOutbox::RemoveNotice(const QByteArray& key) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("DELETE FROM notices WHERE key = ?"));
  q.addBindValue(key);
  if (!q.exec()) {
    m_error = q.lastError().text();
    return false;
  }
  return q.numRowsAffected() > 0;
}

QString ServerOutbox::Value(const QString& name) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("SELECT value FROM meta WHERE name = ?"));
  q.addBindValue(name);
  if (!q.exec()) {
    m_error = q.lastError().text();
    return {};
  }
  return q.next() ? q.value(0).toString() : QString();
}

bool ServerOutbox::SetValue(const QString& name, const QString& value) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("INSERT OR REPLACE INTO meta (name, value) VALUES (?, ?)"));
  q.addBindValue(name);
  q.addBindValue(value);
  if (q.exec()) return true;
  m_error = q.lastError().text();
  return false;
}

}  // namespace ploven::calendar
