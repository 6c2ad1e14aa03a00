#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "plugin/calendar_store.h"
#include "plugin/calendar_target.h"
#include "plugin/companion_memory.h"
#include "plugin/record_fields.h"

namespace ploven::calendar {

// The calendar side's rules over any store of items: a record rewrites the item it is about
// (never a second copy), Ploven's change wins a conflict and the calendar's version is kept
// in the conflicts log, a pass queues what others changed since the stamps it remembers, and a
// store that is suddenly empty or gone changes nothing. Every call is one transaction of the
// memory; a store that cannot be reached leaves memory and calendar as they were and asks for
// the call again later.
class StoreTarget : public CalendarTarget {
 public:
  // `memoryPath`: the memory of this store (a folder and a server each have their own);
  // the conflicts log goes into `dataDir`.
  StoreTarget(const QString& dataDir, const QString& memoryPath,
              std::unique_ptr<CalendarStore> store, CompanionLog& log);

  ApplyResult Apply(const InboundRecord& record, const CompanionSettings& settings) override;
  ApplyResult Pass(const CompanionSettings& settings) override;
  QList<OutboundChange> Pending() override;
  void Confirm(const QByteArray& key) override;

  // Called after every item a pass reads and after every item written, before the memory is
  // committed: lets a test end the process at that point.
  void SetStepHook(std::function<void()> hook) { m_stepHook = std::move(hook); }

 protected:
  // The settings of this call, before the store is used (a folder follows "CalendarFolder").
  virtual void UseSettings(const CompanionSettings& settings) { (void)settings; }
  CalendarStore& Store() { return *m_store; }

 private:
  ApplyResult ApplyInTransaction(const InboundRecord& record);
  ApplyResult WriteRecordItem(const ItemFields& item, uint32_t frameID, const QString& oldTitle,
                              bool change);
  ApplyResult DeleteItem(const InboundRecord& record);
  ApplyResult MarkDone(const InboundRecord& record);
  ApplyResult TakeIdEcho(const InboundRecord& record);
  // Writes `text` over the item whose version was `read`; a version changed in between (a
  // server's 412) is read again, kept as a conflict and written over once more.
  ApplyResult WriteOver(RememberedItem& item, const StoreText& read,
                        const std::function<Parsed<QByteArray>(const QByteArray&)>& compose);
  std::optional<RememberedItem> FindItem(uint32_t itemID, const QString& title, const QDate& date);
  // Ploven's change wins over one made in the calendar since the companion last looked: the
  // calendar's text goes to the conflicts log and the user is told once.
  void KeepConflict(const RememberedItem& item, const QByteArray& calendarText,
                    const QByteArray& plovenText);
  void Notice(const QByteArray& key, const QString& text);
  ApplyResult PassInTransaction(const CompanionSettings& settings);
  bool EmptyGuard(const StoreListing& listing);
  ApplyResult Unreached(StoreStatus status, const QString& error) const;
  void Remember(RememberedItem& item, const StoreStamp& stamp, const QByteArray& text);
  void Step() {
    if (m_stepHook) m_stepHook();
  }

  QString m_dataDir;
  std::unique_ptr<CalendarStore> m_store;
  CompanionLog& m_log;
  std::unique_ptr<CompanionMemory> m_memory;
  QString m_memoryError;
  QString m_origin;  // this memory's name, written beside the item numbers it gives
  std::function<void()> m_stepHook;
};

}  // namespace ploven::calendar
