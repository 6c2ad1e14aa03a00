#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include "plugin/record_fields.h"

namespace ploven::calendar {

// What the companion reads of one calendar file.
struct CalendarEntry {
  QString uid;
  bool todo = false;       // a VTODO; else a VEVENT
  bool recurring = false;  // an RRULE or RDATEs
  ItemFields fields;       // as a Ploven record would carry them; itemID from X-PLOVEN-ID
  QList<QDate> exdates;    // cancelled occurrences, in local days
  // X-PLOVEN-ORIGIN: whose item number X-PLOVEN-ID is (several Plovens may share a calendar,
  // each with its own numbers); empty in files written before it was kept.
  QString origin;
};

// Writes an item into a calendar file: `existing` is the file's text (empty for a new file).
// The properties Ploven owns are replaced; everything else in the file (other programs' X-
// properties, their alarms, attachments, cancelled occurrences) stays as it was. `uid` names
// the item in a new file. `today` starts the coming year of dates for rules a calendar
// cannot say. `origin` goes beside the item number.
Parsed<QByteArray> WriteItem(const QByteArray& existing, const ItemFields& item, const QString& uid,
                             const QDate& today, const QString& origin = {});
// Marks the file's item done or undone on `day`, changing nothing else.
Parsed<QByteArray> WriteDone(const QByteArray& existing, bool done, const QDate& day);
// Cancels the occurrence of `day` of a recurring item (an EXDATE).
Parsed<QByteArray> WriteCancelledOccurrence(const QByteArray& existing, const QDate& day);

// Reads the item of a calendar file, whoever wrote it. `today` stands in for the date of a to-do
// that has neither start nor due date.
Parsed<CalendarEntry> ReadEntry(const QByteArray& text, const QDate& today);

// A hash of the file's content without what changes on every write (DTSTAMP, LAST-MODIFIED,
// SEQUENCE), so a file touched but not changed is not a change.
QByteArray ContentHash(const QByteArray& text);

}  // namespace ploven::calendar
