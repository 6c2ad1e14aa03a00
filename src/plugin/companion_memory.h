#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "plugin/calendar_store.h"
#include "plugin/calendar_target.h"
#include "plugin/sqlite_connection.h"

namespace ploven::calendar {

// What the companion remembers of one calendar item.
struct RememberedItem {
  QString file;  // its name in the calendar folder or collection
  QString uid;
  uint32_t itemID = 0;  // 0 until Ploven names the item
  StoreStamp stamp;     // of the version last taken in or written
  QByteArray hash;  // ContentHash of the text last taken in or written
  bool todo = false;
  bool done = false;
  QString title;
  QDate date;
  QStringList exdates;   // "yyyyMMdd" of the cancelled occurrences known
  bool damaged = false;  // the file did not read; looked at again when its stamp changes
};

// The companion's memory in DIR/ploven-calendar.sqlite: the files it knows and the changes
// waiting for the main program. Changes are made inside Begin()/Commit(), one transaction per
// record applied and per pass; a crash before Commit leaves the memory as it was.
class CompanionMemory {
 public:
  static constexpr int kSchemaVersion = 2;

  // Opens (and makes or brings up to date) the database; nothing and `error` when it cannot.
  static std::unique_ptr<CompanionMemory> Open(const QString& path, QString& error);
  ~CompanionMemory();
  CompanionMemory(const CompanionMemory&) = delete;
  CompanionMemory& operator=(const CompanionMemory&) = delete;

  bool Begin();
  bool Commit();
  void Rollback();
  // The last error of the database, for the log.
  QString LastError() const { return m_error; }

  QList<RememberedItem> Items();
  std::optional<RememberedItem> ItemByID(uint32_t itemID);
  std::optional<RememberedItem> ItemByFile(const QString& file);
  // The fallback of a record whose item number the companion does not know.
  std::optional<RememberedItem> ItemByTitleDate(const QString& title, const QDate& date);
  int ItemCount();
  bool Put(const RememberedItem& item);
  bool Forget(const QString& file);

  // A change for the main program under its key; a change under the same key replaces it.
  bool Queue(const OutboundChange& change, const QString& file);
  bool DropQueued(const QByteArray& key);
  QList<OutboundChange> Queued();
  // The file a queued change is about.
  QString QueuedFile(const QByteArray& key);
  // The queued changes about a file, oldest first.
  QList<OutboundChange> QueuedFor(const QString& file);

  // Small named values: the schema version, whether a notice was given, a server's sync token.
  QString Value(const QString& name);
  bool SetValue(const QString& name, const QString& value);

 private:
  CompanionMemory() = default;
  bool Exec(const QString& sql);
  bool Prepare();

  SqliteConnection m_connection;
  QString m_error;
};

}  // namespace ploven::calendar
