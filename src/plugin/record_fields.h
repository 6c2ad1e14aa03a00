#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>

namespace ploven::calendar {

// The codes of the records that travel between Ploven and the companion.
namespace codes {
inline constexpr uint32_t kTask = 0x2BB7B2A6;
inline constexpr uint32_t kAppointment = 0x2BB7B2A7;
inline constexpr uint32_t kUntimed = 0x2BB7B2A8;
inline constexpr uint32_t kTaskChanged = 0x2BB7B2A9;
inline constexpr uint32_t kAppointmentChanged = 0x2BB7B2AA;
inline constexpr uint32_t kDoneChanged = 0x2BB7B2AB;
inline constexpr uint32_t kIdEcho = 0x2BB7B2AD;
inline constexpr uint32_t kTaskDeleted = 0x2BB7B2AF;
inline constexpr uint32_t kAppointmentDeleted = 0x2BB7B2B0;
inline constexpr uint32_t kOccurrenceDeleted = 0x2BB7B2B1;
inline constexpr uint32_t kNotice = 0x3B66AC8A;
// The calendar server wants a password: "url\nuser"; the main program asks the user once a
// session and answers with the action "Ploven_PasswordNow".
inline constexpr uint32_t kPasswordWanted = 0x3B66AC8B;
}  // namespace codes

// What to do with a record.
namespace actions {
inline constexpr char kSave[] = "Ploven_SaveNow";
inline constexpr char kChange[] = "Ploven_ChangeNow";
inline constexpr char kDelete[] = "Ploven_DeleteNow";
inline constexpr char kDone[] = "Ploven_DoneNow";
}  // namespace actions

// Minutes since midnight; -1 for no time.
inline constexpr int kNoMinutes = -1;

// A recurring item's rule as its record carries it.
struct RecurrenceRule {
  int frequencyCode = 0;  // daily 0, weekly 1, monthly 2, yearly 5; other values as sent
  uint8_t dayBits = 0;    // bit 0 Sunday .. bit 6 Saturday; bit 7 the fifth week of a period
  uint32_t dateBits = 0;  // dates 1-30 and "Last" (bit 30), or a week grid (bit 31 set)
  int interval = 1;
  QDate start;
  QDate end;  // invalid: no End Date
  bool operator==(const RecurrenceRule&) const = default;
};

// The fields of a task-form or appointment-form record that the calendar keeps.
struct ItemFields {
  bool appointment = false;
  QString title;           // the blank-title word reads as an empty title
  QDate date;              // the occurrence's day
  int start = kNoMinutes;  // appointments
  int duration = 0;        // minutes
  bool done = false;
  QDate deadlineDate;
  int earliest = kNoMinutes;
  int deadlineTime = kNoMinutes;
  bool alarm = false;
  int alarmHours = 0;
  int alarmMinutes = 0;
  QString label;
  QString note;
  QString project;
  QString importance = QStringLiteral("Normal");
  uint32_t itemID = 0;
  std::optional<RecurrenceRule> recurrence;

  bool PrivateTitle() const { return title.startsWith(QLatin1Char('!')); }
  // The alarm's offset from the start (appointment) or deadline (task), in minutes.
  int AlarmOffset() const { return alarmHours * 60 + alarmMinutes; }
  bool operator==(const ItemFields&) const = default;
};

// A record read, or why not.
template <typename T>
struct Parsed {
  std::optional<T> value;
  QString error;
  explicit operator bool() const { return value.has_value(); }
};

struct ChangeFields {
  QString oldTitle;
  ItemFields item;
};

struct DoneFields {
  bool done = false;
  QString title;
};

struct IdEcho {
  QString subject;
  uint32_t itemID = 0;
};

// The record of a new item, title first, in the task form (kTask) or appointment form
// (kAppointment).
Parsed<ItemFields> ParseItemRecord(const QByteArray& record, bool appointment);
// A change: the old title, then the item's record.
Parsed<ChangeFields> ParseChangeRecord(const QByteArray& record, bool appointment);
// "Done" or "UnDone", TAB, the title, TAB.
Parsed<DoneFields> ParseDoneRecord(const QByteArray& record);
// "subject*ID*".
Parsed<IdEcho> ParseIdEchoRecord(const QByteArray& record);
// A delete record: the title (the blank-title word reads as empty).
QString ParseDeleteRecord(const QByteArray& record);

// A time as Ploven shows it: "9:05", "21:05", "9:05am", "12:00pm", with ':' or a regional
// separator; minutes since midnight, or kNoMinutes when it does not read.
int ParseClockTime(const QByteArray& text);
// "8/12/2026", day first.
QDate ParseDayMonthYear(const QByteArray& text);
QByteArray DayMonthYearText(const QDate& date);
// "9:05", "21:05".
QByteArray ClockText(int minutes);

// Day numbers as Ploven counts them: day 1 is 1 January 1980.
QDate DateOfDayNumber(int day);
int DayNumberOf(const QDate& date);

// The records the companion sends back: the task form or appointment form (by
// `item.appointment`) with 24-hour times, the item number and the recurrence block.
QByteArray ComposeItemRecord(const ItemFields& item);
QByteArray ComposeDoneRecord(bool done, const QString& title);
// The title as it travels: an empty title becomes the blank-title word, a TAB a blank.
QByteArray TitleText(const QString& title);

}  // namespace ploven::calendar
