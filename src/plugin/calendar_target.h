#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace ploven::calendar {

// One record as the main program sent it, with what to do with it.
struct InboundRecord {
  uint32_t code = 0;
  QByteArray action;  // "Ploven_SaveNow" ...
  QByteArray record;
  uint32_t itemID = 0;
  int32_t occurrenceDate = 0;  // a day number; 0 for none
  QByteArray key;              // the ID echo: the calendar item it answers
};

// A change made in the calendar, waiting until the main program confirms it.
struct OutboundChange {
  uint32_t code = 0;
  QByteArray key;
  QByteArray record;
  uint32_t itemID = 0;
  int32_t occurrenceDate = 0;
};

struct ApplyResult {
  bool ok = true;
  QString reason;  // why not, for the log and the main program
  // The calendar could not be reached (a server down or refusing the login): nothing changed,
  // and the same record is to be applied again later.
  bool retry = false;
  bool loginRefused = false;  // with `retry`: the server refused the user name or password
};

// What the companion reads of Ploven's settings before each pass.
struct CompanionSettings {
  bool toPloven = false;       // "OutlookToPloven": calendar-side changes go back at all
  bool appointmentsToPloven = true;  // "OutlookToPlovenAppts"
  bool tasksToPloven = true;         // "OutlookToPlovenTasks"
  QString folder;              // "CalendarFolder", default <data folder>/calendar
  bool server = false;         // "CalendarKind" is "server": a calendar collection on a server
  QString serverUrl;           // "CalendarServerUrl": the collection (or the server to look in)
  QString serverUser;          // "CalendarServerUser"
};

// Where the records go and where other programs' changes come from: a calendar folder, and
// next a calendar server, behind the same calls. Every call is one transaction of the
// companion's memory, so a crash between two calls loses nothing and repeats nothing.
class CalendarTarget {
 public:
  virtual ~CalendarTarget() = default;
  // Applies one record with its action (a new item, a change, a delete, done or undone, the
  // ID echo).
  virtual ApplyResult Apply(const InboundRecord& record, const CompanionSettings& settings) = 0;
  // Looks for changes made by others since the last pass and queues them for the main
  // program. Cheap when nothing changed: modification stamps first. Not ok (with `retry`)
  // when the calendar could not be reached.
  virtual ApplyResult Pass(const CompanionSettings& settings) = 0;
  // What is queued for the main program, oldest first.
  virtual QList<OutboundChange> Pending() = 0;
  // The main program took the change under `key` (or refused it and told the user).
  virtual void Confirm(const QByteArray& key) = 0;
  // A pass somebody waits for (plovenctl sync). A target that works in the background waits up
  // to `waitMs` for a pass that began after this call.
  virtual void PassNow(const CompanionSettings& settings, int waitMs) {
    (void)waitMs;
    Pass(settings);
  }
  // The server's password, asked of the user by the main program ("url\nuser\npassword").
  virtual void TakePassword(const QByteArray& record) { (void)record; }
  // Records answered but not yet in the calendar (a server that is away): the companion stays
  // until they are sent.
  virtual bool HasUnsent() { return false; }
};

// The companion's log: one line per event, in the data folder. Written from more than one
// thread (a server calendar sends from its own).
class CompanionLog {
 public:
  virtual ~CompanionLog() = default;
  virtual void Line(const QString& text) = 0;
};

}  // namespace ploven::calendar
