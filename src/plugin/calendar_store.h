#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace ploven::calendar {

// What tells one version of a calendar item from the next: a folder file's modification time
// and size, a server resource's etag.
struct StoreStamp {
  qint64 mtime = 0;  // nanoseconds since the epoch
  qint64 size = -1;
  QByteArray etag;
  bool operator==(const StoreStamp&) const = default;
};

enum class StoreStatus {
  kOk,
  kConflict,       // the item changed since the stamp given, or a new item's name is taken
  kMissing,        // no such item
  kLoginRefused,   // the server refused the user name or password
  kUnreachable,    // down, timed out, or answered 5xx: nothing changed, try again later
  kFailed,         // refused for good; `error` says why
};

struct StoreListing {
  StoreStatus status = StoreStatus::kOk;
  bool exists = true;  // false: the folder or collection is not there at all
  QHash<QString, StoreStamp> items;  // every item's name and stamp
  QString error;
};

struct StoreText {
  StoreStatus status = StoreStatus::kOk;
  QByteArray text;
  StoreStamp stamp;
  QString error;
};

struct StoreWritten {
  StoreStatus status = StoreStatus::kOk;
  // The new version's stamp. A server may answer a write without an etag: then the etag is
  // empty and the next listing tells it (the pass finds the same content and keeps quiet).
  StoreStamp stamp;
  QString error;
};

// Where the calendar's items live, one iCalendar object per named item: a folder of files or
// a collection on a calendar server. Names are the items' names inside it ("<UID>.ics"),
// never paths or URLs. Calls block until done or failed; a server store is used from a
// thread of its own.
class CalendarStore {
 public:
  virtual ~CalendarStore() = default;
  // The folder or the collection's address, for messages.
  virtual QString Where() const = 0;
  // Every item with its stamp. A store that can list only what changed (a server's sync
  // token) gets what the companion remembers in `known` and its token in `syncToken`, gives
  // the whole listing back and leaves the new token in `syncToken`.
  virtual StoreListing List(const QHash<QString, StoreStamp>& known, QByteArray& syncToken) = 0;
  virtual StoreText Read(const QString& name) = 0;
  // Several items at once (a server fetches them in one request). An item missing from the
  // answer was not there; one that could not be read for another reason (the server down,
  // the login refused) is in it with that status, so that a failure is never taken for a
  // removal.
  virtual QHash<QString, StoreText> ReadMany(const QStringList& names) {
    QHash<QString, StoreText> texts;
    for (const QString& name : names) {
      StoreText text = Read(name);
      if (text.status != StoreStatus::kMissing) texts.insert(name, std::move(text));
    }
    return texts;
  }
  // Writes an item. With `expected` null the item is new, and a name already taken answers
  // kConflict; otherwise an item that no longer has the stamp `expected` answers kConflict
  // (a folder, which cannot ask that in one step, always writes).
  virtual StoreWritten Write(const QString& name, const QByteArray& text,
                             const StoreStamp* expected) = 0;
  // Removes an item that still has the stamp `expected` (kConflict when it changed; kOk when
  // it was gone already).
  virtual StoreStatus Remove(const QString& name, const StoreStamp& expected, QString& error) = 0;
};

}  // namespace ploven::calendar
