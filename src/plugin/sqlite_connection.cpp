#include "plugin/sqlite_connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace ploven::calendar {

SqliteConnection::~SqliteConnection() {
  if (m_name.isEmpty()) return;
  {
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (db.isOpen()) db.close();
  }
  QSqlDatabase::removeDatabase(m_name);
}

bool SqliteConnection::Open(const QString& path, const QString& options, QString& error) {
  m_name = QStringLiteral("ploven-calendar-") + QUuid::createUuid().toString();
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
  db.setDatabaseName(path);
  if (!options.isEmpty()) db.setConnectOptions(options);
  if (db.open()) return true;
  error = db.lastError().text();
  return false;
}

bool SqliteConnection::Exec(const QString& sql, QString& error) const {
  QSqlQuery q(Database());
  if (q.exec(sql)) return true;
  error = q.lastError().text();
  return false;
}

}  // namespace ploven::calendar
