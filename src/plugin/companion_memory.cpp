#include "plugin/companion_memory.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace ploven::calendar {

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS meta (name TEXT PRIMARY KEY, value TEXT)",
    "CREATE TABLE IF NOT EXISTS items (file TEXT PRIMARY KEY, uid TEXT, item_id INTEGER, "
    "mtime INTEGER, size INTEGER, hash BLOB, todo INTEGER, done INTEGER, title TEXT, "
    "date INTEGER, exdates TEXT, damaged INTEGER, etag BLOB)",
    "CREATE INDEX IF NOT EXISTS items_by_id ON items (item_id)",
    "CREATE TABLE IF NOT EXISTS queue (seq INTEGER PRIMARY KEY AUTOINCREMENT, key BLOB UNIQUE, "
    "code INTEGER, record BLOB, item_id INTEGER, occurrence_date INTEGER, file TEXT, "
    "queued_at TEXT)",
};

constexpr char kItemColumns[] =
    "file, uid, item_id, mtime, size, hash, todo, done, title, date, exdates, damaged, etag";

RememberedItem ItemOf(const QSqlQuery& q) {
  RememberedItem item;
  item.file = q.value(0).toString();
  item.uid = q.value(1).toString();
  item.itemID = q.value(2).toUInt();
  item.stamp.mtime = q.value(3).toLongLong();
  item.stamp.size = q.value(4).toLongLong();
  item.stamp.etag = q.value(12).toByteArray();
  item.hash = q.value(5).toByteArray();
  item.todo = q.value(6).toBool();
  item.done = q.value(7).toBool();
  item.title = q.value(8).toString();
  const qint64 day = q.value(9).toLongLong();
  item.date = day > 0 ? QDate::fromJulianDay(day) : QDate();
  const QString exdates = q.value(10).toString();
  item.exdates = exdates.isEmpty() ? QStringList() : exdates.split(QLatin1Char(','));
  item.damaged = q.value(11).toBool();
  return item;
}

OutboundChange ChangeOf(const QSqlQuery& q) {
  OutboundChange c;
  c.key = q.value(0).toByteArray();
  c.code = q.value(1).toUInt();
  c.record = q.value(2).toByteArray();
  c.itemID = q.value(3).toUInt();
  c.occurrenceDate = q.value(4).toInt();
  return c;
}

}  // namespace

std::unique_ptr<CompanionMemory> CompanionMemory::Open(const QString& path, QString& error) {
  std::unique_ptr<CompanionMemory> memory(new CompanionMemory());
  if (!memory->m_connection.Open(path, {}, error)) return nullptr;
  if (!memory->Prepare()) {
    error = memory->m_error;
    return nullptr;
  }
  return memory;
}

CompanionMemory::~CompanionMemory() = default;

bool CompanionMemory::Prepare() {
  // A second reader (the companion that replaces this one) waits instead of failing.
  Exec(QStringLiteral("PRAGMA busy_timeout = 5000"));
  // A write-ahead log, synced at checkpoints: a crashed companion loses no committed change, and
  // the one a power cut might lose is a file the next pass takes back by its item number.
  Exec(QStringLiteral("PRAGMA journal_mode = WAL"));
  Exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
  if (!Begin()) return false;
  for (const char* sql : kSchema) {
    if (!Exec(QString::fromLatin1(sql))) {
      Rollback();
      return false;
    }
  }
  const QString version = Value(QStringLiteral("schema_version"));
  if (!version.isEmpty() && version.toInt() > kSchemaVersion) {
    m_error =
        QStringLiteral("the memory was written by a newer companion (schema %1)").arg(version);
    Rollback();
    return false;
  }
  // The first memories had no etags: a column more, empty for the folder's files.
  if (version == QLatin1String("1") &&
      !Exec(QStringLiteral("ALTER TABLE items ADD COLUMN etag BLOB"))) {
    Rollback();
    return false;
  }
  if (!SetValue(QStringLiteral("schema_version"), QString::number(kSchemaVersion))) {
    Rollback();
    return false;
  }
  return Commit();
}

bool CompanionMemory::Exec(const QString& sql) { return m_connection.Exec(sql, m_error); }

bool CompanionMemory::Begin() { return Exec(QStringLiteral("BEGIN IMMEDIATE")); }

bool CompanionMemory::Commit() { return Exec(QStringLiteral("COMMIT")); }

void CompanionMemory::Rollback() { Exec(QStringLiteral("ROLLBACK")); }

QList<RememberedItem> CompanionMemory::Items() {
  QSqlQuery q(m_connection.Database());
  QList<RememberedItem> items;
  if (!q.exec(QStringLiteral("SELECT %1 FROM items").arg(QLatin1String(kItemColumns)))) {
    m_error = q.lastError().text();
    return items;
  }
  while (q.next()) items.append(ItemOf(q));
  return items;
}

std::optional<RememberedItem> CompanionMemory::ItemByID(uint32_t itemID) {
  if (itemID == 0) return std::nullopt;
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("SELECT %1 FROM items WHERE item_id = ? AND damaged = 0 LIMIT 1")
                .arg(QLatin1String(kItemColumns)));
  q.addBindValue(itemID);
  if (q.exec() && q.next()) return ItemOf(q);
  return std::nullopt;
}

std::optional<RememberedItem> CompanionMemory::ItemByFile(const QString& file) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("SELECT %1 FROM items WHERE file = ?").arg(QLatin1String(kItemColumns)));
  q.addBindValue(file);
  if (q.exec() && q.next()) return ItemOf(q);
  return std::nullopt;
}

std::optional<RememberedItem> CompanionMemory::ItemByTitleDate(const QString& title,
                                                               const QDate& date) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("SELECT %1 FROM items WHERE title = ? AND date = ? AND damaged = 0 "
                           "LIMIT 1")
                .arg(QLatin1String(kItemColumns)));
  q.addBindValue(title);
  q.addBindValue(date.isValid() ? date.toJulianDay() : 0);
  if (q.exec() && q.next()) return ItemOf(q);
  return std::nullopt;
}

int CompanionMemory::ItemCount() {
  QSqlQuery q(m_connection.Database());
  if (q.exec(QStringLiteral("SELECT COUNT(*) FROM items WHERE damaged = 0")) && q.next()) {
    return q.value(0).toInt();
  }
  return 0;
}

bool CompanionMemory::Put(const RememberedItem& item) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("INSERT OR REPLACE INTO items (%1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)")
                .arg(QLatin1String(kItemColumns)));
  q.addBindValue(item.file);
  q.addBindValue(item.uid);
  q.addBindValue(item.itemID);
  q.addBindValue(item.stamp.mtime);
  q.addBindValue(item.stamp.size);
  q.addBindValue(item.hash);
  q.addBindValue(item.todo ? 1 : 0);
  q.addBindValue(item.done ? 1 : 0);
  q.addBindValue(item.title);
  q.addBindValue(item.date.isValid() ? item.date.toJulianDay() : 0);
  q.addBindValue(item.exdates.join(QLatin1Char(',')));
  q.addBindValue(item.damaged ? 1 : 0);
  q.addBindValue(item.stamp.etag);
  if (q.exec()) return true;
  m_error = q.lastError().text();
  return false;
}

bool CompanionMemory::Forget(const QString& file) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("DELETE FROM items WHERE file = ?"));
  q.addBindValue(file);
  if (q.exec()) return true;
  m_error = q.lastError().text();
  return false;
}

bool CompanionMemory::Queue(const OutboundChange& change, const QString& file) {
  QSqlQuery q(m_connection.Database());
  q.prepare(
      QStringLiteral("INSERT OR REPLACE INTO queue (key, code, record, item_id, "
                     "occurrence_date, file, queued_at) VALUES (?,?,?,?,?,?,"
                     "datetime('now'))"));
  q.addBindValue(change.key);
  q.addBindValue(change.code);
  q.addBindValue(change.record);
  q.addBindValue(change.itemID);
  q.addBindValue(change.occurrenceDate);
  q.addBindValue(file);
  if (q.exec()) return true;
  m_error = q.lastError().text();
  return false;
}

bool CompanionMemory::DropQueued(const QByteArray& key) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("DELETE FROM queue WHERE key = ?"));
  q.addBindValue(key);
  if (q.exec()) return true;
  m_error = q.lastError().text();
  return false;
}

QList<OutboundChange> CompanionMemory::Queued() {
  QSqlQuery q(m_connection.Database());
  QList<OutboundChange> out;
  if (!q.exec(QStringLiteral("SELECT key, code, record, item_id, occurrence_date FROM queue "
                             "ORDER BY seq"))) {
    m_error = q.lastError().text();
    return out;
  }
  while (q.next()) out.append(ChangeOf(q));
  return out;
}

QString CompanionMemory::QueuedFile(const QByteArray& key) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("SELECT file FROM queue WHERE key = ?"));
  q.addBindValue(key);
  if (q.exec() && q.next()) return q.value(0).toString();
  return {};
}

QList<OutboundChange> CompanionMemory::QueuedFor(const QString& file) {
  QSqlQuery q(m_connection.Database());
  q.prepare(
      QStringLiteral("SELECT key, code, record, item_id, occurrence_date FROM queue "
                     "WHERE file = ? ORDER BY seq"));
  q.addBindValue(file);
  QList<OutboundChange> out;
  if (!q.exec()) return out;
  while (q.next()) out.append(ChangeOf(q));
  return out;
}

QString CompanionMemory::Value(const QString& name) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("SELECT value FROM meta WHERE name = ?"));
  q.addBindValue(name);
  if (q.exec() && q.next()) return q.value(0).toString();
  return {};
}

bool CompanionMemory::SetValue(const QString& name, const QString& value) {
  QSqlQuery q(m_connection.Database());
  q.prepare(QStringLiteral("INSERT OR REPLACE INTO meta (name, value) VALUES (?, ?)"));
  q.addBindValue(name);
  q.addBindValue(value);
  if (q.exec()) return true;
  m_error = q.lastError().text();
  return false;
}

}  // namespace ploven::calendar
