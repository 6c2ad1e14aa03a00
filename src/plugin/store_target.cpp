#include "plugin/store_target.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QUuid>

#include "plugin/calendar_side_messages.h"
#include "plugin/ical_mapping.h"
#include "plugin/record_fields.h"

namespace ploven::calendar {

namespace {

constexpr char kConflictsFile[] = "ploven-calendar-conflicts.log";
constexpr char kEmptyNoticeGiven[] = "empty_folder_notice";
constexpr char kSyncToken[] = "sync_token";
// The name this data folder's companion writes beside the item numbers it gives. A file of its
// own, so that it outlives a lost memory: the items written before are still known as ours.
constexpr char kOriginFile[] = "ploven-calendar-origin";
// Fewer remembered items than this may all go at once without the pass stopping.
constexpr int kEmptyGuardItems = 3;

QString Tr(const char* text) { return QString::fromUtf8(text); }

QString DayKey(const QDate& d) { return d.toString(QStringLiteral("yyyyMMdd")); }

bool Recurring(const QByteArray& text) {
  return text.contains("\nRRULE") || text.contains("\nRDATE");
}

bool Reached(StoreStatus status) {
  return status != StoreStatus::kUnreachable && status != StoreStatus::kLoginRefused &&
         status != StoreStatus::kFailed;
}

// Safe names for items Ploven makes: the UID, without anything a path or URL could misread.
QString NameOf(const QString& uid) {
  QString name = uid;
  for (QChar& c : name) {
    if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_') &&
        c != QLatin1Char('.') && c != QLatin1Char('@')) {
      c = QLatin1Char('_');
    }
  }
  return name + QStringLiteral(".ics");
}

QString OriginOf(const QString& dataDir) {
  const QString path = QDir(dataDir).filePath(QLatin1String(kOriginFile));
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) {
    const QString origin = QString::fromLatin1(file.readAll().trimmed());
    if (!origin.isEmpty()) return origin;
  }
  const QString origin = QUuid::createUuid().toString(QUuid::WithoutBraces);
  QSaveFile save(path);
  if (save.open(QIODevice::WriteOnly)) {
    save.write(origin.toLatin1() + '\n');
    save.commit();
  }
  return origin;
}

}  // namespace

StoreTarget::StoreTarget(const QString& dataDir, const QString& memoryPath,
                         std::unique_ptr<CalendarStore> store, CompanionLog& log)
    : m_dataDir(dataDir), m_store(std::move(store)), m_log(log) {
  m_memory = CompanionMemory::Open(memoryPath, m_memoryError);
  if (!m_memory) {
    m_memoryError = Tr(messages::kMemoryUnavailable).arg(memoryPath, m_memoryError);
    m_log.Line(m_memoryError);
    return;
  }
  m_origin = OriginOf(dataDir);
}

ApplyResult StoreTarget::Unreached(StoreStatus status, const QString& error) const {
  ApplyResult result{false, error.isEmpty() ? Tr(messages::kNotReached).arg(m_store->Where(), {})
                                            : error};
  result.retry = status == StoreStatus::kUnreachable || status == StoreStatus::kLoginRefused;
  result.loginRefused = status == StoreStatus::kLoginRefused;
  return result;
}

void StoreTarget::Remember(RememberedItem& item, const StoreStamp& stamp,
                           const QByteArray& text) {
  item.stamp = stamp;
  item.hash = ContentHash(text);
  item.damaged = false;
}

std::optional<RememberedItem> StoreTarget::FindItem(uint32_t itemID, const QString& title,
                                                    const QDate& date) {
  if (std::optional<RememberedItem> byID = m_memory->ItemByID(itemID)) return byID;
  return m_memory->ItemByTitleDate(title, date);
}

ApplyResult StoreTarget::Apply(const InboundRecord& record, const CompanionSettings& settings) {
  if (!m_memory) return {false, m_memoryError};
  UseSettings(settings);
  if (!m_memory->Begin()) return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
  ApplyResult result = ApplyInTransaction(record);
  if (!result.ok) {
    m_memory->Rollback();
    m_log.Line(result.reason);
    return result;
  }
  if (!m_memory->Commit()) {
    m_memory->Rollback();
    return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
  }
  return result;
}

ApplyResult StoreTarget::ApplyInTransaction(const InboundRecord& record) {
  const QByteArray& action = record.action;
  if (record.code == codes::kIdEcho) return TakeIdEcho(record);
  const bool appointment = record.code == codes::kAppointment;
  const bool form = appointment || record.code == codes::kTask;
  if (action == actions::kSave && form) {
    const Parsed<ItemFields> item = ParseItemRecord(record.record, appointment);
    if (!item) return {false, Tr(messages::kRecordUnreadable).arg(item.error)};
    return WriteRecordItem(*item.value, record.itemID, item.value->title, false);
  }
  if (action == actions::kChange && form) {
    const Parsed<ChangeFields> change = ParseChangeRecord(record.record, appointment);
    if (!change) return {false, Tr(messages::kRecordUnreadable).arg(change.error)};
    return WriteRecordItem(change.value->item, record.itemID, change.value->oldTitle, true);
  }
  if (action == actions::kDelete) return DeleteItem(record);
  if (action == actions::kDone) return MarkDone(record);
  return {false, Tr(messages::kUnknownAction)
                     .arg(QString::fromUtf8(action), QString::number(record.code, 16))};
}

ApplyResult StoreTarget::WriteOver(
    RememberedItem& item, const StoreText& read,
    const std::function<Parsed<QByteArray>(const QByteArray&)>& compose) {
  StoreText current = read;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const bool there = current.status == StoreStatus::kOk;
    const Parsed<QByteArray> text = compose(there ? current.text : QByteArray());
    if (!text) return {false, text.error};
    const StoreWritten written = m_store->Write(item.file, *text.value, there ? &current.stamp : nullptr);
    Step();
    if (written.status == StoreStatus::kOk) {
      Remember(item, written.stamp, *text.value);
      // A server that did not say the new version's etag is asked for it now, so the next
      // listing does not take Ploven's own write for a change.
      if (written.stamp.etag.isEmpty() && written.stamp.mtime == 0) {
        const StoreText again = m_store->Read(item.file);
        if (again.status == StoreStatus::kOk) Remember(item, again.stamp, again.text);
      }
      return {};
    }
    if (written.status != StoreStatus::kConflict) return Unreached(written.status, written.error);
    // Changed by someone else since it was read (or, after a crash, written by this companion
    // already): read again; a version that is not Ploven's own goes to the conflicts log.
    current = m_store->Read(item.file);
    if (!Reached(current.status)) return Unreached(current.status, current.error);
    if (current.status == StoreStatus::kOk && ContentHash(current.text) != ContentHash(*text.value) &&
        ContentHash(current.text) != item.hash) {
      KeepConflict(item, current.text, *text.value);
    }
  }
  return {false, Tr(messages::kChangedWhileWritten).arg(item.file), true};
}

ApplyResult StoreTarget::WriteRecordItem(const ItemFields& fields, uint32_t frameID,
                                         const QString& oldTitle, bool change) {
  ItemFields item = fields;
  if (item.itemID == 0) item.itemID = frameID;
  // A record for an item the calendar already has (a change, or a new item sent again after a
  // time-out) rewrites it: the calendar never gets the same item twice.
  std::optional<RememberedItem> known = FindItem(item.itemID, oldTitle, item.date);
  RememberedItem remembered;
  StoreText existing;
  existing.status = StoreStatus::kMissing;
  if (known) {
    remembered = *known;
    existing = m_store->Read(remembered.file);
    if (!Reached(existing.status)) return Unreached(existing.status, existing.error);
    const bool changedThere = existing.status == StoreStatus::kOk && !existing.text.isEmpty() &&
                              existing.stamp != remembered.stamp &&
                              ContentHash(existing.text) != remembered.hash;
    // A calendar-side change of this item that Ploven has not taken yet loses to this one.
    QByteArray queuedText;
    for (const OutboundChange& queued : m_memory->QueuedFor(remembered.file)) {
      if (queued.code == codes::kTaskChanged || queued.code == codes::kAppointmentChanged ||
          queued.code == codes::kDoneChanged || queued.code == codes::kTaskDeleted ||
          queued.code == codes::kAppointmentDeleted) {
        queuedText += queued.record;
        m_memory->DropQueued(queued.key);
      }
    }
    if (change && (changedThere || !queuedText.isEmpty())) {
      KeepConflict(remembered, changedThere ? existing.text : queuedText,
                   ComposeItemRecord(item));
    }
  } else {
    remembered.uid = QStringLiteral("ploven-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    remembered.file = NameOf(remembered.uid);
  }
  const QDate today = QDate::currentDate();
  const auto compose = [&](const QByteArray& text) {
    Parsed<QByteArray> written = WriteItem(text, item, remembered.uid, today, m_origin);
    if (!written && !text.isEmpty()) {
      // A damaged item is replaced; its text is kept beside the conflicts.
      KeepConflict(remembered, text, ComposeItemRecord(item));
      written = WriteItem({}, item, remembered.uid, today, m_origin);
    }
    return written;
  };
  ApplyResult written = WriteOver(remembered, existing, compose);
  if (!written.ok) return written;
  remembered.itemID = item.itemID;
  remembered.todo = !item.appointment;
  remembered.done = item.done;
  remembered.title = item.title;
  remembered.date = item.date;
  if (!m_memory->Put(remembered))
    return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
  return {};
}

ApplyResult StoreTarget::DeleteItem(const InboundRecord& record) {
  const QString title = ParseDeleteRecord(record.record);
  const QDate day = DateOfDayNumber(record.occurrenceDate);
  std::optional<RememberedItem> known = FindItem(record.itemID, title, day);
  if (!known) {
    m_log.Line(Tr(messages::kItemNotFound).arg(title).arg(record.itemID));
    return {};
  }
  const StoreText existing = m_store->Read(known->file);
  if (!Reached(existing.status)) return Unreached(existing.status, existing.error);
  for (const OutboundChange& queued : m_memory->QueuedFor(known->file)) {
    m_memory->DropQueued(queued.key);
  }
  // One occurrence of a recurring item: the calendar cancels that day and keeps the rest.
  if (day.isValid() && existing.status == StoreStatus::kOk && Recurring(existing.text)) {
    const ApplyResult written = WriteOver(
        *known, existing, [&](const QByteArray& text) { return WriteCancelledOccurrence(text, day); });
    if (!written.ok) return written;
    if (!known->exdates.contains(DayKey(day))) known->exdates.append(DayKey(day));
    if (!m_memory->Put(*known))
      return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
    return {};
  }
  // The memory forgets the item before it goes: a crash in between leaves an item that the
  // next pass takes back by its item number, never a delete sent to Ploven.
  if (!m_memory->Forget(known->file) || !m_memory->Commit()) {
    return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
  }
  m_memory->Begin();
  StoreStamp stamp = existing.stamp;
  for (int attempt = 0; attempt < 3; ++attempt) {
    QString error;
    const StoreStatus removed = m_store->Remove(known->file, stamp, error);
    if (removed == StoreStatus::kOk) return {};
    if (removed == StoreStatus::kConflict) {
      // Changed in the calendar meanwhile: Ploven's delete wins, the calendar's version is kept.
      const StoreText current = m_store->Read(known->file);
      if (current.status == StoreStatus::kMissing) return {};
      if (current.status == StoreStatus::kOk) {
        KeepConflict(*known, current.text, record.record);
        stamp = current.stamp;
        continue;
      }
      error = current.error;
    }
    // Not removed: the item is remembered again, so the record is applied again later.
    m_memory->Put(*known);
    if (!m_memory->Commit()) m_memory->Rollback();
    m_memory->Begin();
    return Unreached(removed == StoreStatus::kConflict ? StoreStatus::kUnreachable : removed, error);
  }
  m_memory->Put(*known);
  return {false, Tr(messages::kChangedWhileWritten).arg(known->file), true};
}

ApplyResult StoreTarget::MarkDone(const InboundRecord& record) {
  const Parsed<DoneFields> done = ParseDoneRecord(record.record);
  if (!done) return {false, Tr(messages::kRecordUnreadable).arg(done.error)};
  const QDate day = DateOfDayNumber(record.occurrenceDate);
  std::optional<RememberedItem> known = FindItem(record.itemID, done.value->title, day);
  if (!known) {
    m_log.Line(Tr(messages::kItemNotFound).arg(done.value->title).arg(record.itemID));
    return {};
  }
  const StoreText existing = m_store->Read(known->file);
  if (!Reached(existing.status)) return Unreached(existing.status, existing.error);
  const QDate when = day.isValid() ? day : QDate::currentDate();
  const ApplyResult written = WriteOver(*known, existing, [&](const QByteArray& text) {
    return WriteDone(text, done.value->done, when);
  });
  if (!written.ok) return written;
  known->done = done.value->done;
  if (!m_memory->Put(*known))
    return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
  return {};
}

ApplyResult StoreTarget::TakeIdEcho(const InboundRecord& record) {
  const Parsed<IdEcho> echo = ParseIdEchoRecord(record.record);
  if (!echo) return {false, Tr(messages::kRecordUnreadable).arg(echo.error)};
  const QString file = m_memory->QueuedFile(record.key);
  // An echo repeated after a time-out finds its change already confirmed: nothing to do.
  if (file.isEmpty()) return {};
  if (std::optional<RememberedItem> item = m_memory->ItemByFile(file)) {
    item->itemID = record.itemID != 0 ? record.itemID : echo.value->itemID;
    if (!m_memory->Put(*item))
      return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
  }
  m_memory->DropQueued(record.key);
  return {};
}

void StoreTarget::KeepConflict(const RememberedItem& item, const QByteArray& calendarText,
                               const QByteArray& plovenText) {
  const QString path = QDir(m_dataDir).filePath(QLatin1String(kConflictsFile));
  QFile log(path);
  if (log.open(QIODevice::Append)) {
    const QByteArray when = QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8();
    log.write("=== " + when + " " + item.file.toUtf8() + " (item " +
              QByteArray::number(item.itemID) + ")\n--- the calendar's version:\n" + calendarText +
              "\n--- Ploven's version (written):\n" + plovenText + "\n");
  }
  m_log.Line(QStringLiteral("conflict on %1: Ploven's version written, the calendar's kept in %2")
                 .arg(item.file, QLatin1String(kConflictsFile)));
  Notice("notice:conflict:" + item.file.toUtf8() + ':' +
             QByteArray::number(QDateTime::currentMSecsSinceEpoch()),
         Tr(messages::kConflictKept).arg(item.title, path));
}

void StoreTarget::Notice(const QByteArray& key, const QString& text) {
  OutboundChange notice;
  notice.code = codes::kNotice;
  notice.key = key;
  notice.record = text.toUtf8();
  m_memory->Queue(notice, {});
}

ApplyResult StoreTarget::Pass(const CompanionSettings& settings) {
  if (!m_memory) return {false, m_memoryError};
  if (!settings.toPloven) return {};
  UseSettings(settings);
  if (!m_memory->Begin()) {
    const QString error = Tr(messages::kMemoryFailed).arg(m_memory->LastError());
    m_log.Line(error);
    return {false, error};
  }
  ApplyResult result = PassInTransaction(settings);
  if (!result.ok) {
    m_memory->Rollback();
    return result;
  }
  if (!m_memory->Commit()) {
    const QString error = Tr(messages::kMemoryFailed).arg(m_memory->LastError());
    m_log.Line(error);
    m_memory->Rollback();
    return {false, error};
  }
  return {};
}

// A calendar that is gone, or emptied while the companion remembers several items, is far more
// likely a mistake (an unmounted disk, a sync tool gone wrong, a server's calendar replaced)
// than the user deleting everything: the pass changes nothing and tells the user once.
bool StoreTarget::EmptyGuard(const StoreListing& listing) {
  const int remembered = m_memory->ItemCount();
  const qsizetype items = listing.items.size();
  const bool stop =
      listing.exists ? items == 0 && remembered >= kEmptyGuardItems : remembered > 0;
  if (!stop) {
    if (items > 0) m_memory->SetValue(QLatin1String(kEmptyNoticeGiven), {});
    return false;
  }
  if (m_memory->Value(QLatin1String(kEmptyNoticeGiven)).isEmpty()) {
    m_memory->SetValue(QLatin1String(kEmptyNoticeGiven), QStringLiteral("1"));
    const bool server = m_store->Remote();
    const QString where = m_store->Where();
    const QString text =
        listing.exists
            ? Tr(server ? messages::kCollectionEmptied : messages::kFolderEmptied)
                  .arg(where)
                  .arg(remembered)
            : Tr(server ? messages::kCollectionMissing : messages::kFolderMissing).arg(where);
    m_log.Line(text);
    Notice("notice:folder:" + QByteArray::number(QDateTime::currentMSecsSinceEpoch()), text);
  }
  return true;
}

ApplyResult StoreTarget::PassInTransaction(const CompanionSettings& settings) {
  QHash<QString, RememberedItem> remembered;
  QHash<QString, StoreStamp> stamps;
  for (RememberedItem& item : m_memory->Items()) {
    stamps.insert(item.file, item.stamp);
    remembered.insert(item.file, std::move(item));
  }
  QByteArray token = m_memory->Value(QLatin1String(kSyncToken)).toUtf8();
  const StoreListing listing = m_store->List(stamps, token);
  if (listing.status != StoreStatus::kOk) return Unreached(listing.status, listing.error);
  if (EmptyGuard(listing) || !listing.exists) return {};

  // Only what changed since the last look is read, all of it at once.
  QStringList changed;
  for (auto it = listing.items.cbegin(); it != listing.items.cend(); ++it) {
    const auto known = remembered.constFind(it.key());
    if (known == remembered.cend() || known->stamp != it.value()) changed.append(it.key());
  }
  const QHash<QString, StoreText> texts = m_store->ReadMany(changed);
  for (const StoreText& read : texts) {
    if (read.status == StoreStatus::kUnreachable || read.status == StoreStatus::kLoginRefused)
      return Unreached(read.status, read.error);
  }
  const QDate today = QDate::currentDate();

  for (const QString& name : std::as_const(changed)) {
    const auto read = texts.constFind(name);
    // Gone between the listing and the reading: the next pass sees it gone.
    if (read == texts.cend()) continue;
    Step();
    const QByteArray& text = read->text;
    const StoreStamp& stamp = listing.items.value(name);
    const auto known = remembered.constFind(name);
    const bool isKnown = known != remembered.cend();
    // Refused for this one item: logged once and looked at again when it changes, like an
    // item that does not read; never taken for a removal.
    if (read->status != StoreStatus::kOk) {
      m_log.Line(Tr(messages::kFileSkipped).arg(name, read->error));
      RememberedItem item = isKnown ? *known : RememberedItem{};
      item.file = name;
      item.stamp = stamp;
      if (!isKnown) item.damaged = true;
      m_memory->Put(item);
      continue;
    }
    const QByteArray hash = ContentHash(text);
    RememberedItem item = isKnown ? *known : RememberedItem{};
    item.file = name;
    const bool wasDamaged = item.damaged;
    if (isKnown && !known->damaged && hash == known->hash) {
      item.stamp = stamp;
      m_memory->Put(item);
      continue;
    }
    const Parsed<CalendarEntry> entry = ReadEntry(text, today);
    if (!entry) {
      // Logged once; looked at again when the item changes. Never deleted, never sent.
      m_log.Line(Tr(messages::kFileSkipped).arg(name, entry.error));
      item.stamp = stamp;
      if (!isKnown) item.damaged = true;
      m_memory->Put(item);
      continue;
    }
    // The item number is this schedule's only when this memory wrote it: another Ploven sharing
    // the calendar numbers its own items.
    const bool ownNumber = entry.value->origin.isEmpty() || entry.value->origin == m_origin;
    const uint32_t ownID = ownNumber ? entry.value->fields.itemID : 0;
    // An item another program renamed (a sync tool may): it keeps its number and its row.
    std::optional<RememberedItem> renamedFrom;
    if ((!isKnown || wasDamaged) && ownID != 0) {
      renamedFrom = m_memory->ItemByID(ownID);
      if (renamedFrom && listing.items.contains(renamedFrom->file)) renamedFrom.reset();
    }
    if (renamedFrom) {
      m_memory->Forget(renamedFrom->file);
      for (const OutboundChange& queued : m_memory->QueuedFor(renamedFrom->file)) {
        m_memory->DropQueued(queued.key);
      }
      remembered.remove(renamedFrom->file);
      item = *renamedFrom;
      item.file = name;
      if (hash == renamedFrom->hash) {
        item.stamp = stamp;
        m_memory->Put(item);
        continue;
      }
    }
    const bool seenBefore = (isKnown && !wasDamaged) || renamedFrom.has_value();
    const CalendarEntry& e = *entry.value;
    ItemFields fields = e.fields;
    fields.itemID = ownID;
    item.stamp = stamp;
    item.hash = hash;
    item.damaged = false;
    item.uid = e.uid;
    item.todo = !fields.appointment;  // the form it travels in (an all-day event goes as a task)
    item.title = fields.title;
    item.date = fields.date;
    const bool wasDone = item.done;
    item.done = fields.done;
    QStringList exdates;
    for (const QDate& d : e.exdates) exdates.append(DayKey(d));

    if (!seenBefore) {
      item.exdates = exdates;
      // An item Ploven wrote whose memory was lost in a crash: taken back by its item number.
      if (fields.itemID != 0 && !m_memory->ItemByID(fields.itemID)) {
        item.itemID = fields.itemID;
        m_memory->Put(item);
        continue;
      }
      item.itemID = 0;
      m_memory->Put(item);
      const bool wanted =
          fields.appointment ? settings.appointmentsToPloven : settings.tasksToPloven;
      if (!wanted) continue;
      fields.itemID = 0;
      OutboundChange change;
      change.code = fields.appointment ? codes::kAppointment : codes::kTask;
      change.key = "new:" + name.toUtf8();
      change.record = ComposeItemRecord(fields);
      m_memory->Queue(change, name);
      continue;
    }

    // A known item changed in the calendar.
    if (item.itemID == 0) {
      // Ploven has not named it yet. While its "new" record waits, the change waits too (the
      // stamp stays old, so a later pass sees it again): after the ID echo it goes as a change
      // of that item. An item held back by the switches only is remembered anew.
      bool waiting = false;
      for (const OutboundChange& queued : m_memory->QueuedFor(name)) {
        waiting = waiting || queued.code == codes::kTask || queued.code == codes::kAppointment;
      }
      if (!waiting) {
        item.exdates = exdates;
        m_memory->Put(item);
      }
      continue;
    }
    fields.itemID = item.itemID;
    for (const QString& day : exdates) {
      if (item.exdates.contains(day)) continue;
      const QDate d = QDate::fromString(day, QStringLiteral("yyyyMMdd"));
      OutboundChange change;
      change.code = codes::kOccurrenceDeleted;
      change.key = "exdate:" + name.toUtf8() + ':' + day.toUtf8();
      change.record = TitleText(fields.title);
      change.itemID = item.itemID;
      change.occurrenceDate = DayNumberOf(d);
      m_memory->Queue(change, name);
    }
    const bool exdatesChanged = exdates != item.exdates;
    item.exdates = exdates;
    OutboundChange change;
    change.itemID = item.itemID;
    change.occurrenceDate = DayNumberOf(fields.date);
    if (wasDone != fields.done) {
      change.code = codes::kDoneChanged;
      change.key = "done:" + name.toUtf8() + ':' + hash.left(12);
      change.record = ComposeDoneRecord(fields.done, fields.title);
    } else if (!exdatesChanged) {
      // The newest version replaces one the main program has not taken yet.
      for (const OutboundChange& queued : m_memory->QueuedFor(name)) {
        if (queued.code == codes::kTaskChanged || queued.code == codes::kAppointmentChanged) {
          m_memory->DropQueued(queued.key);
        }
      }
      change.code = fields.appointment ? codes::kAppointmentChanged : codes::kTaskChanged;
      change.key = "change:" + name.toUtf8() + ':' + hash.left(12);
      change.record = ComposeItemRecord(fields);
    }
    if (change.code != 0) m_memory->Queue(change, name);
    m_memory->Put(item);
  }

  // Items gone from the calendar.
  for (const RememberedItem& item : std::as_const(remembered)) {
    if (listing.items.contains(item.file)) continue;
    for (const OutboundChange& queued : m_memory->QueuedFor(item.file)) {
      m_memory->DropQueued(queued.key);
    }
    m_memory->Forget(item.file);
    // An item Ploven never took in has nothing to delete there.
    if (item.damaged || item.itemID == 0) continue;
    OutboundChange change;
    change.code = item.todo ? codes::kTaskDeleted : codes::kAppointmentDeleted;
    change.key = "delete:" + item.file.toUtf8();
    change.record = TitleText(item.title);
    change.itemID = item.itemID;
    change.occurrenceDate = DayNumberOf(item.date);
    m_memory->Queue(change, item.file);
  }
  if (!token.isEmpty()) m_memory->SetValue(QLatin1String(kSyncToken), QString::fromUtf8(token));
  return {};
}

QList<OutboundChange> StoreTarget::Pending() {
  if (!m_memory) return {};
  return m_memory->Queued();
}

void StoreTarget::Confirm(const QByteArray& key) {
  if (!m_memory || !m_memory->Begin()) return;
  m_memory->DropQueued(key);
  if (!m_memory->Commit()) m_memory->Rollback();
}

}  // namespace ploven::calendar
