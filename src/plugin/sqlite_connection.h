#pragma once

#include <QSqlDatabase>
#include <QString>

namespace ploven::calendar {

// A Qt SQL connection of its own to one SQLite file, under a name no other connection has,
// closed and removed with the object. Used from the thread that opened it.
class SqliteConnection {
 public:
  SqliteConnection() = default;
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  // Opens `path` with the driver's `options` ("" for none); false and `error` when it cannot.
  bool Open(const QString& path, const QString& options, QString& error);
  QSqlDatabase Database() const { return QSqlDatabase::database(m_name, false); }
  // Runs one statement; false and `error` when it fails.
  bool Exec(const QString& sql, QString& error) const;

 private:
  QString m_name;
};

}  // namespace ploven::calendar
