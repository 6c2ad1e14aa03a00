#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "plugin/calendar_target.h"
#include "plugin/folder_target.h"
#include "plugin/record_fields.h"

namespace ploven::calendar::test {

class LinesLog : public CompanionLog {
 public:
  void Line(const QString& text) override { lines.append(text); }
  int Count(const QString& fragment) const {
    int n = 0;
    for (const QString& line : lines) n += line.contains(fragment) ? 1 : 0;
    return n;
  }
  QStringList lines;
};

// A data folder with its calendar folder and a target on it.
class FolderFixture : public ::testing::Test {
 protected:
  FolderFixture() {
    settings.toPloven = true;
    settings.folder = dir.filePath(QStringLiteral("calendar"));
    QDir().mkpath(settings.folder);
    target = std::make_unique<FolderTarget>(dir.path(), log);
  }

  // A fresh companion on the same data folder, as after a restart.
  void Restart() {
    target.reset();
    target = std::make_unique<FolderTarget>(dir.path(), log);
  }

  QString CalendarPath(const QString& name) const { return QDir(settings.folder).filePath(name); }
  QStringList Files() const {
    return QDir(settings.folder).entryList({QStringLiteral("*.ics")}, QDir::Files, QDir::Name);
  }
  QByteArray FileText(const QString& name) const {
    QFile f(CalendarPath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void WriteCalendarFile(const QString& name, const QByteArray& text) const {
    QFile f(CalendarPath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
  }

  ApplyResult Send(uint32_t code, const char* action, const QByteArray& record, uint32_t itemID,
                   int occurrenceDate = 0, const QByteArray& key = {}) {
    InboundRecord r;
    r.code = code;
    r.action = action;
    r.record = record;
    r.itemID = itemID;
    r.occurrenceDate = occurrenceDate;
    r.key = key;
    return target->Apply(r, settings);
  }

  QList<OutboundChange> PendingWithCode(uint32_t code) {
    QList<OutboundChange> out;
    for (const OutboundChange& c : target->Pending()) {
      if (c.code == code) out.append(c);
    }
    return out;
  }

  QTemporaryDir dir;
  LinesLog log;
  CompanionSettings settings;
  std::unique_ptr<FolderTarget> target;
};

// A task and an appointment as the companion would read them from Ploven's records.
inline ItemFields SampleTask(const QString& title, uint32_t id) {
  ItemFields t;
  t.title = title;
  t.date = QDate(2026, 12, 8);
  t.duration = 90;
  t.deadlineDate = QDate(2026, 12, 11);
  t.deadlineTime = 17 * 60;
  t.project = QStringLiteral("Garden");
  t.label = QStringLiteral("Home");
  t.note = QStringLiteral("Buy bulbs\nand compost");
  t.alarm = true;
  t.alarmMinutes = -30;
  t.itemID = id;
  return t;
}

inline ItemFields SampleAppointment(const QString& title, uint32_t id) {
  ItemFields a;
  a.appointment = true;
  a.title = title;
  a.date = QDate(2026, 12, 9);
  a.start = 9 * 60 + 5;
  a.duration = 45;
  a.project = QStringLiteral("Work");
  a.alarm = true;
  a.alarmMinutes = -10;
  a.itemID = id;
  return a;
}

}  // namespace ploven::calendar::test
