#pragma once

#include <QString>

#include "plugin/calendar_store.h"

namespace ploven::calendar {

// A calendar folder in the vdir layout: one iCalendar file per item, named <UID>.ics. Stamps
// are a file's modification time and size; a listing opens no file.
class FolderStore : public CalendarStore {
 public:
  explicit FolderStore(QString folder) : m_folder(std::move(folder)) {}
  void SetFolder(const QString& folder) { m_folder = folder; }

  QString Where() const override { return m_folder; }
  StoreListing List(const QHash<QString, StoreStamp>& known, QByteArray& syncToken) override;
  StoreText Read(const QString& name) override;
  // Written to a temporary file beside it and renamed over it, so a reader never sees half a
  // file. A folder cannot compare and write in one step: `expected` is not looked at.
  StoreWritten Write(const QString& name, const QByteArray& text,
                     const StoreStamp* expected) override;
  StoreStatus Remove(const QString& name, const StoreStamp& expected, QString& error) override;

  // How many files were read since the store was made.
  int filesRead() const { return m_filesRead; }

 private:
  QString PathOf(const QString& name) const;

  QString m_folder;
  int m_filesRead = 0;
};

}  // namespace ploven::calendar
