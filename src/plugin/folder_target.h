#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <memory>

#include "plugin/calendar_target.h"
#include "plugin/companion_memory.h"
#include "plugin/record_fields.h"

namespace ploven::calendar {

// A calendar folder in the vdir layout: one iCalendar file per item, named <UID>.ics.
class FolderTarget : public CalendarTarget {
 public:
  FolderTarget(const QString& dataDir, CompanionLog& log);

  ApplyResult Apply(const InboundRecord& record, const CompanionSettings& settings) override;
  ApplyResult Pass(const CompanionSettings& settings) override;
  QList<OutboundChange> Pending() override;
  void Confirm(const QByteArray& key) override;

  // How many calendar files were read since the target was made (a pass with nothing changed
  // reads none).
  int filesRead() const { return m_filesRead; }
  // Called after every file a pass reads and after every file written, before the memory is
  // committed: lets a test end the process at that point.
  void SetStepHook(std::function<void()> hook) { m_stepHook = std::move(hook); }

 private:
  struct Stamp {
    qint64 mtime = 0;
    qint64 size = -1;
  };

  QString Folder(const CompanionSettings& settings) const;
  QByteArray ReadFile(const QString& path);
  static Stamp StampOf(const QString& path);
  bool WriteFile(const QString& path, const QByteArray& text, QString& error);
  std::optional<RememberedItem> FindItem(uint32_t itemID, const QString& title, const QDate& date);

  ApplyResult ApplyInTransaction(const InboundRecord& record, const QString& folder);
  ApplyResult WriteRecordItem(const ItemFields& item, uint32_t frameID, const QString& oldTitle,
                              const QString& folder, bool change);
  ApplyResult DeleteItem(const InboundRecord& record, const QString& folder);
  ApplyResult MarkDone(const InboundRecord& record, const QString& folder);
  ApplyResult TakeIdEcho(const InboundRecord& record);
  // Ploven's change wins over one made in the calendar since the companion last looked: the
  // calendar's text goes to the conflicts log and the user is told once.
  void KeepConflict(const RememberedItem& item, const QByteArray& calendarText,
                    const QByteArray& plovenText);
  void Notice(const QByteArray& key, const QString& text);
  void PassInTransaction(const QString& folder, const CompanionSettings& settings);
  bool FolderGuard(const QString& folder, bool exists, qsizetype files);
  void Remember(RememberedItem& item, const QString& path, const QByteArray& text);

  QString m_dataDir;
  CompanionLog& m_log;
  std::unique_ptr<CompanionMemory> m_memory;
  QString m_memoryError;
  int m_filesRead = 0;
  std::function<void()> m_stepHook;
};

std::unique_ptr<CalendarTarget> MakeFolderTarget(const QString& dataDir, CompanionLog& log);

}  // namespace ploven::calendar
