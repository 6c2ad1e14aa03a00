#include "plugin/folder_target.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

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

constexpr char kMemoryFile[] = "ploven-calendar.sqlite";
constexpr char kConflictsFile[] = "ploven-calendar-conflicts.log";
constexpr char kEmptyNoticeGiven[] = "empty_folder_notice";
// Fewer remembered items than this may all go at once without the pass stopping.
constexpr int kEmptyGuardItems = 3;

QString Tr(const char* text) { return QString::fromUtf8(text); }

QString DayKey(const QDate& d) { return d.toString(QStringLiteral("yyyyMMdd")); }

// The *.ics files of the folder with their stamps, from one listing without opening any file.
struct Listing {
  bool exists = false;
  QHash<QString, std::pair<qint64, qint64>> files;  // name -> (mtime ns, size)
};

Listing ListFolder(const QString& folder) {
  Listing listing;
  const QByteArray path = QFile::encodeName(folder);
  DIR* dir = opendir(path.constData());
  if (dir == nullptr) return listing;
  listing.exists = true;
  const int fd = dirfd(dir);
  while (dirent* entry = readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (!name.endsWith(".ics") || name.startsWith('.')) continue;
    struct stat st {};
    if (fstatat(fd, entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) continue;
    listing.files.insert(QFile::decodeName(name),
                         {st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec, st.st_size});
  }
  closedir(dir);
  return listing;
}

bool Recurring(const QByteArray& text) {
  return text.contains("\nRRULE") || text.contains("\nRDATE");
}

// Safe names for files Ploven makes: the UID, without anything a path could misread.
QString FileNameOf(const QString& uid) {
  QString name = uid;
  for (QChar& c : name) {
    if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_') &&
        c != QLatin1Char('.') && c != QLatin1Char('@')) {
      c = QLatin1Char('_');
    }
  }
  return name + QStringLiteral(".ics");
}

}  // namespace

FolderTarget::FolderTarget(const QString& dataDir, CompanionLog& log)
    : m_dataDir(dataDir), m_log(log) {
  const QString path = QDir(dataDir).filePath(QLatin1String(kMemoryFile));
  m_memory = CompanionMemory::Open(path, m_memoryError);
  if (!m_memory) {
    m_memoryError = Tr(messages::kMemoryUnavailable).arg(path, m_memoryError);
    m_log.Line(m_memoryError);
  }
}

QString FolderTarget::Folder(const CompanionSettings& settings) const {
  return settings.folder.isEmpty() ? QDir(m_dataDir).filePath(QStringLiteral("calendar"))
                                   : settings.folder;
}

QByteArray FolderTarget::ReadFile(const QString& path) {
  ++m_filesRead;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

FolderTarget::Stamp FolderTarget::StampOf(const QString& path) {
  struct stat st {};
  if (stat(QFile::encodeName(path).constData(), &st) != 0) return {};
  return {st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec, st.st_size};
}

// Written to a temporary file beside it and renamed over it, so a reader never sees half a file.
bool FolderTarget::WriteFile(const QString& path, const QByteArray& text, QString& error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
    error = Tr(messages::kFileNotWritten).arg(path, file.errorString());
    return false;
  }
  if (m_stepHook) m_stepHook();
  return true;
}

void FolderTarget::Remember(RememberedItem& item, const QString& path, const QByteArray& text) {
  const Stamp stamp = StampOf(path);
  item.mtime = stamp.mtime;
  item.size = stamp.size;
  item.hash = ContentHash(text);
  item.damaged = false;
}

std::optional<RememberedItem> FolderTarget::FindItem(uint32_t itemID, const QString& title,
                                                     const QDate& date) {
  if (std::optional<RememberedItem> byID = m_memory->ItemByID(itemID)) return byID;
  return m_memory->ItemByTitleDate(title, date);
}

ApplyResult FolderTarget::Apply(const InboundRecord& record, const CompanionSettings& settings) {
  if (!m_memory) return {false, m_memoryError};
  if (!m_memory->Begin()) return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
  ApplyResult result = ApplyInTransaction(record, Folder(settings));
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

ApplyResult FolderTarget::ApplyInTransaction(const InboundRecord& record, const QString& folder) {
  const QByteArray& action = record.action;
  if (record.code == codes::kIdEcho) return TakeIdEcho(record);
  const bool appointment = record.code == codes::kAppointment;
  const bool form = appointment || record.code == codes::kTask;
  if (action == actions::kSave && form) {
    const Parsed<ItemFields> item = ParseItemRecord(record.record, appointment);
    if (!item) return {false, Tr(messages::kRecordUnreadable).arg(item.error)};
    return WriteRecordItem(*item.value, record.itemID, item.value->title, folder, false);
  }
  if (action == actions::kChange && form) {
    const Parsed<ChangeFields> change = ParseChangeRecord(record.record, appointment);
    if (!change) return {false, Tr(messages::kRecordUnreadable).arg(change.error)};
    return WriteRecordItem(change.value->item, record.itemID, change.value->oldTitle, folder, true);
  }
  if (action == actions::kDelete) return DeleteItem(record, folder);
  if (action == actions::kDone) return MarkDone(record, folder);
  return {false, Tr(messages::kUnknownAction)
                     .arg(QString::fromUtf8(action), QString::number(record.code, 16))};
}

ApplyResult FolderTarget::WriteRecordItem(const ItemFields& fields, uint32_t frameID,
                                          const QString& oldTitle, const QString& folder,
                                          bool change) {
  ItemFields item = fields;
  if (item.itemID == 0) item.itemID = frameID;
  if (!QDir().mkpath(folder)) return {false, Tr(messages::kFileNotWritten).arg(folder, QString())};
  // A record for an item the calendar already has (a change, or a new item sent again after a
  // time-out) rewrites its file: the calendar never gets the same item twice.
  std::optional<RememberedItem> known = FindItem(item.itemID, oldTitle, item.date);
  RememberedItem remembered;
  QByteArray existing;
  if (known) {
    remembered = *known;
    const QString path = QDir(folder).filePath(remembered.file);
    existing = ReadFile(path);
    const Stamp stamp = StampOf(path);
    const bool changedOnDisk = !existing.isEmpty() &&
                               (stamp.mtime != remembered.mtime || stamp.size != remembered.size) &&
                               ContentHash(existing) != remembered.hash;
    // A calendar-side change of this file that Ploven has not taken yet loses to this one.
    QByteArray queuedText;
    for (const OutboundChange& queued : m_memory->QueuedFor(remembered.file)) {
      if (queued.code == codes::kTaskChanged || queued.code == codes::kAppointmentChanged ||
          queued.code == codes::kDoneChanged || queued.code == codes::kTaskDeleted ||
          queued.code == codes::kAppointmentDeleted) {
        queuedText += queued.record;
        m_memory->DropQueued(queued.key);
      }
    }
    if (change && (changedOnDisk || !queuedText.isEmpty())) {
      KeepConflict(remembered, existing.isEmpty() ? queuedText : existing, ComposeItemRecord(item));
    }
  } else {
    remembered.uid = QStringLiteral("ploven-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    remembered.file = FileNameOf(remembered.uid);
  }
  Parsed<QByteArray> text = WriteItem(existing, item, remembered.uid, QDate::currentDate());
  if (!text && !existing.isEmpty()) {
    // A damaged file is replaced; its text is kept beside the conflicts.
    KeepConflict(remembered, existing, ComposeItemRecord(item));
    text = WriteItem({}, item, remembered.uid, QDate::currentDate());
  }
  if (!text) return {false, text.error};
  const QString path = QDir(folder).filePath(remembered.file);
  QString error;
  if (!WriteFile(path, *text.value, error)) return {false, error};
  remembered.itemID = item.itemID;
  remembered.todo = !item.appointment;
  remembered.done = item.done;
  remembered.title = item.title;
  remembered.date = item.date;
  Remember(remembered, path, *text.value);
  if (!m_memory->Put(remembered))
    return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
  return {};
}

ApplyResult FolderTarget::DeleteItem(const InboundRecord& record, const QString& folder) {
  const QString title = ParseDeleteRecord(record.record);
  const QDate day = DateOfDayNumber(record.occurrenceDate);
  std::optional<RememberedItem> known = FindItem(record.itemID, title, day);
  if (!known) {
    m_log.Line(Tr(messages::kItemNotFound).arg(title).arg(record.itemID));
    return {};
  }
  const QString path = QDir(folder).filePath(known->file);
  const QByteArray existing = ReadFile(path);
  for (const OutboundChange& queued : m_memory->QueuedFor(known->file)) {
    m_memory->DropQueued(queued.key);
  }
  // One occurrence of a recurring item: the calendar cancels that day and keeps the rest.
  if (day.isValid() && Recurring(existing)) {
    const Parsed<QByteArray> text = WriteCancelledOccurrence(existing, day);
    if (!text) return {false, text.error};
    QString error;
    if (!WriteFile(path, *text.value, error)) return {false, error};
    if (!known->exdates.contains(DayKey(day))) known->exdates.append(DayKey(day));
    Remember(*known, path, *text.value);
    if (!m_memory->Put(*known))
      return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
    return {};
  }
  // The memory forgets the file before the file goes: a crash in between leaves a file that the
  // next pass takes back by its item number, never a delete sent to Ploven.
  if (!m_memory->Forget(known->file) || !m_memory->Commit()) {
    return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
  }
  m_memory->Begin();
  QFile::remove(path);
  return {};
}

ApplyResult FolderTarget::MarkDone(const InboundRecord& record, const QString& folder) {
  const Parsed<DoneFields> done = ParseDoneRecord(record.record);
  if (!done) return {false, Tr(messages::kRecordUnreadable).arg(done.error)};
  const QDate day = DateOfDayNumber(record.occurrenceDate);
  std::optional<RememberedItem> known = FindItem(record.itemID, done.value->title, day);
  if (!known) {
    m_log.Line(Tr(messages::kItemNotFound).arg(done.value->title).arg(record.itemID));
    return {};
  }
  const QString path = QDir(folder).filePath(known->file);
  const Parsed<QByteArray> text =
      WriteDone(ReadFile(path), done.value->done, day.isValid() ? day : QDate::currentDate());
  if (!text) return {false, text.error};
  QString error;
  if (!WriteFile(path, *text.value, error)) return {false, error};
  known->done = done.value->done;
  Remember(*known, path, *text.value);
  if (!m_memory->Put(*known))
    return {false, Tr(messages::kMemoryFailed).arg(m_memory->LastError())};
  return {};
}

ApplyResult FolderTarget::TakeIdEcho(const InboundRecord& record) {
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

void FolderTarget::KeepConflict(const RememberedItem& item, const QByteArray& calendarText,
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

void FolderTarget::Notice(const QByteArray& key, const QString& text) {
  OutboundChange notice;
  notice.code = codes::kNotice;
  notice.key = key;
  notice.record = text.toUtf8();
  m_memory->Queue(notice, {});
}

ApplyResult FolderTarget::Pass(const CompanionSettings& settings) {
  if (!m_memory) return {false, m_memoryError};
  if (!settings.toPloven) return {};
  if (!m_memory->Begin()) {
    const QString error = Tr(messages::kMemoryFailed).arg(m_memory->LastError());
    m_log.Line(error);
    return {false, error};
  }
  PassInTransaction(Folder(settings), settings);
  if (!m_memory->Commit()) {
    const QString error = Tr(messages::kMemoryFailed).arg(m_memory->LastError());
    m_log.Line(error);
    m_memory->Rollback();
    return {false, error};
  }
  return {};
}

// A folder that is gone, or emptied while the companion remembers several items, is far more
// likely a mistake (an unmounted disk, a sync tool gone wrong) than the user deleting
// everything: the pass changes nothing and tells the user once.
bool FolderTarget::FolderGuard(const QString& folder, bool exists, qsizetype files) {
  const int remembered = m_memory->ItemCount();
  const bool stop = exists ? files == 0 && remembered >= kEmptyGuardItems : remembered > 0;
  if (!stop) {
    if (files > 0) m_memory->SetValue(QLatin1String(kEmptyNoticeGiven), {});
    return false;
  }
  if (m_memory->Value(QLatin1String(kEmptyNoticeGiven)).isEmpty()) {
    m_memory->SetValue(QLatin1String(kEmptyNoticeGiven), QStringLiteral("1"));
    const QString text = exists ? Tr(messages::kFolderEmptied).arg(folder).arg(remembered)
                                : Tr(messages::kFolderMissing).arg(folder);
    m_log.Line(text);
    Notice("notice:folder:" + QByteArray::number(QDateTime::currentMSecsSinceEpoch()), text);
  }
  return true;
}

void FolderTarget::PassInTransaction(const QString& folder, const CompanionSettings& settings) {
  const Listing listing = ListFolder(folder);
  if (FolderGuard(folder, listing.exists, listing.files.size()) || !listing.exists) return;

  QHash<QString, RememberedItem> remembered;
  for (RememberedItem& item : m_memory->Items()) remembered.insert(item.file, std::move(item));
  const QDate today = QDate::currentDate();

  for (auto it = listing.files.cbegin(); it != listing.files.cend(); ++it) {
    const QString& name = it.key();
    const auto [mtime, size] = it.value();
    const auto known = remembered.constFind(name);
    const bool isKnown = known != remembered.cend();
    if (isKnown && known->mtime == mtime && known->size == size) continue;

    const QString path = QDir(folder).filePath(name);
    const QByteArray text = ReadFile(path);
    if (m_stepHook) m_stepHook();
    const QByteArray hash = ContentHash(text);
    RememberedItem item = isKnown ? *known : RememberedItem{};
    item.file = name;
    const bool wasDamaged = item.damaged;
    if (isKnown && !known->damaged && hash == known->hash) {
      item.mtime = mtime;
      item.size = size;
      m_memory->Put(item);
      continue;
    }
    const Parsed<CalendarEntry> entry = ReadEntry(text, today);
    if (!entry) {
      // Logged once; looked at again when the file changes. Never deleted, never sent.
      m_log.Line(Tr(messages::kFileSkipped).arg(name, entry.error));
      item.mtime = mtime;
      item.size = size;
      if (!isKnown) item.damaged = true;
      m_memory->Put(item);
      continue;
    }
    // A file another program renamed (a sync tool may): the item keeps its number and its row.
    std::optional<RememberedItem> renamedFrom;
    if ((!isKnown || wasDamaged) && entry.value->fields.itemID != 0) {
      renamedFrom = m_memory->ItemByID(entry.value->fields.itemID);
      if (renamedFrom && listing.files.contains(renamedFrom->file)) renamedFrom.reset();
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
        item.mtime = mtime;
        item.size = size;
        m_memory->Put(item);
        continue;
      }
    }
    const bool seenBefore = (isKnown && !wasDamaged) || renamedFrom.has_value();
    const CalendarEntry& e = *entry.value;
    ItemFields fields = e.fields;
    item.mtime = mtime;
    item.size = size;
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
      // A file Ploven wrote whose memory was lost in a crash: taken back by its item number.
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

  // Files gone from the folder.
  for (const RememberedItem& item : std::as_const(remembered)) {
    if (listing.files.contains(item.file)) continue;
    bool sentAsNew = false;
    for (const OutboundChange& queued : m_memory->QueuedFor(item.file)) {
      if (queued.code == codes::kTask || queued.code == codes::kAppointment) sentAsNew = true;
      m_memory->DropQueued(queued.key);
    }
    m_memory->Forget(item.file);
    // An item Ploven never took in has nothing to delete there.
    if (item.damaged || (item.itemID == 0 && sentAsNew) || item.itemID == 0) continue;
    OutboundChange change;
    change.code = item.todo ? codes::kTaskDeleted : codes::kAppointmentDeleted;
    change.key = "delete:" + item.file.toUtf8();
    change.record = TitleText(item.title);
    change.itemID = item.itemID;
    change.occurrenceDate = DayNumberOf(item.date);
    m_memory->Queue(change, item.file);
  }
}

QList<OutboundChange> FolderTarget::Pending() {
  if (!m_memory) return {};
  return m_memory->Queued();
}

void FolderTarget::Confirm(const QByteArray& key) {
  if (!m_memory || !m_memory->Begin()) return;
  m_memory->DropQueued(key);
  if (!m_memory->Commit()) m_memory->Rollback();
}

std::unique_ptr<CalendarTarget> MakeFolderTarget(const QString& dataDir, CompanionLog& log) {
  return std::make_unique<FolderTarget>(dataDir, log);
}

}  // namespace ploven::calendar
