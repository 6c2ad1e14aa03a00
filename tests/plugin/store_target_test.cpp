// The calendar side's rules over a store that behaves like a server: etags, a write refused
// because the item changed meanwhile, a server away or refusing the login, sync tokens.
#include "plugin/store_target.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>

#include "plugin/calendar_side_fixture.h"
#include "plugin/ical_mapping.h"

namespace ploven::calendar::test {
namespace {

// A collection in memory that answers the way a calendar server does.
class ServerLikeStore : public CalendarStore {
 public:
  struct Item {
    QByteArray text;
    int version = 0;
  };

  QString Where() const override { return QStringLiteral("http://127.0.0.1/cal/"); }
  bool Remote() const override { return true; }

  StoreListing List(const QHash<QString, StoreStamp>&, QByteArray& syncToken) override {
    StoreListing listing;
    tokensSeen.append(syncToken);
    if (down != StoreStatus::kOk) {
      listing.status = down;
      return listing;
    }
    for (auto it = items.cbegin(); it != items.cend(); ++it)
      listing.items.insert(it.key(), StampOf(it.value()));
    syncToken = "token-" + QByteArray::number(++tokens);
    if (downAfterList) down = StoreStatus::kUnreachable;
    return listing;
  }
  StoreText Read(const QString& name) override {
    ++reads;
    StoreText read;
    if (down != StoreStatus::kOk) {
      read.status = down;
      return read;
    }
    if (!items.contains(name)) {
      read.status = StoreStatus::kMissing;
      return read;
    }
    read.text = items[name].text;
    read.stamp = StampOf(items[name]);
    return read;
  }
  StoreWritten Write(const QString& name, const QByteArray& text,
                     const StoreStamp* expected) override {
    if (beforeWrite) std::exchange(beforeWrite, nullptr)();
    StoreWritten written;
    if (down != StoreStatus::kOk || writeDown != StoreStatus::kOk) {
      written.status = down != StoreStatus::kOk ? down : writeDown;
      return written;
    }
    const bool there = items.contains(name);
    if (expected == nullptr ? there : (!there || StampOf(items[name]) != *expected)) {
      written.status = StoreStatus::kConflict;
      return written;
    }
    Item& item = items[name];
    item.text = text;
    ++item.version;
    ++writes;
    if (!withoutEtag) written.stamp = StampOf(item);
    return written;
  }
  StoreStatus Remove(const QString& name, const StoreStamp& expected, QString&) override {
    if (down != StoreStatus::kOk || writeDown != StoreStatus::kOk)
      return down != StoreStatus::kOk ? down : writeDown;
    if (!items.contains(name)) return StoreStatus::kOk;
    if (StampOf(items[name]) != expected) return StoreStatus::kConflict;
    items.remove(name);
    return StoreStatus::kOk;
  }

  // Another client changes an item.
  void ChangeBehind(const QString& name, const QByteArray& from, const QByteArray& to) {
    Item& item = items[name];
    item.text.replace(from, to);
    ++item.version;
  }

  static StoreStamp StampOf(const Item& item) {
    StoreStamp stamp;
    stamp.etag = "\"v" + QByteArray::number(item.version) + '"';
    return stamp;
  }

  QHash<QString, Item> items;
  StoreStatus down = StoreStatus::kOk;
  StoreStatus writeDown = StoreStatus::kOk;
  bool withoutEtag = false;
  bool downAfterList = false;
  std::function<void()> beforeWrite;
  QList<QByteArray> tokensSeen;
  int tokens = 0;
  int reads = 0;
  int writes = 0;
};

// Another companion's view of the same server collection.
class SharedStore : public CalendarStore {
 public:
  explicit SharedStore(CalendarStore& server) : m_server(server) {}
  QString Where() const override { return m_server.Where(); }
  bool Remote() const override { return true; }
  StoreListing List(const QHash<QString, StoreStamp>& known, QByteArray& token) override {
    return m_server.List(known, token);
  }
  StoreText Read(const QString& name) override { return m_server.Read(name); }
  StoreWritten Write(const QString& name, const QByteArray& text,
                     const StoreStamp* expected) override {
    return m_server.Write(name, text, expected);
  }
  StoreStatus Remove(const QString& name, const StoreStamp& expected, QString& error) override {
    return m_server.Remove(name, expected, error);
  }

 private:
  CalendarStore& m_server;
};

class StoreTargetTest : public ::testing::Test {
 protected:
  StoreTargetTest() {
    settings.toPloven = true;
    Restart();
  }
  // `meanwhile` runs while no companion is running.
  void Restart(const std::function<void()>& meanwhile = {}) {
    auto owned = std::make_unique<ServerLikeStore>();
    if (store != nullptr) *owned = *store;  // the server outlives the companion
    target.reset();
    if (meanwhile) meanwhile();
    store = owned.get();
    target = std::make_unique<StoreTarget>(dir.path(), dir.filePath(QStringLiteral("memory.sqlite")),
                                           std::move(owned), log);
  }
  ApplyResult Save(const ItemFields& item) {
    return Send(item.appointment ? codes::kAppointment : codes::kTask, actions::kSave,
                ComposeItemRecord(item), item.itemID);
  }
  ApplyResult Change(const QString& oldTitle, const ItemFields& item) {
    return Send(item.appointment ? codes::kAppointment : codes::kTask, actions::kChange,
                TitleText(oldTitle) + '\t' + ComposeItemRecord(item), item.itemID);
  }
  ApplyResult Send(uint32_t code, const char* action, const QByteArray& record, uint32_t itemID) {
    InboundRecord r;
    r.code = code;
    r.action = action;
    r.record = record;
    r.itemID = itemID;
    return target->Apply(r, settings);
  }
  QString OnlyName() const {
    EXPECT_EQ(store->items.size(), 1);
    return store->items.isEmpty() ? QString() : store->items.cbegin().key();
  }
  QByteArray Conflicts() const {
    QFile f(dir.filePath(QStringLiteral("ploven-calendar-conflicts.log")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  LinesLog log;
  CompanionSettings settings;
  ServerLikeStore* store = nullptr;
  std::unique_ptr<StoreTarget> target;
};

TEST_F(StoreTargetTest, AServerAwayChangesNothingAndTheSameRecordWorksLater) {
  store->down = StoreStatus::kUnreachable;
  const ApplyResult away = Save(SampleTask("Essay", 7));
  EXPECT_FALSE(away.ok);
  EXPECT_TRUE(away.retry);
  EXPECT_FALSE(away.loginRefused);
  EXPECT_FALSE(target->Pass(settings).ok);

  store->down = StoreStatus::kLoginRefused;
  const ApplyResult refused = Save(SampleTask("Essay", 7));
  EXPECT_TRUE(refused.retry);
  EXPECT_TRUE(refused.loginRefused);

  store->down = StoreStatus::kOk;
  ASSERT_TRUE(Save(SampleTask("Essay", 7)).ok);
  // Sent again after a time-out: the item is rewritten where it is, never a second copy.
  ASSERT_TRUE(Save(SampleTask("Essay", 7)).ok);
  EXPECT_EQ(store->items.size(), 1);
  EXPECT_TRUE(target->Pass(settings).ok);
  EXPECT_TRUE(target->Pending().isEmpty());
}

TEST_F(StoreTargetTest, AChangeMadeOnTheServerMeanwhileIsKeptAsAConflictNotOverwrittenBlindly) {
  ASSERT_TRUE(Save(SampleTask("Essay", 7)).ok);
  const QString name = OnlyName();
  // Between the companion's reading and its writing another client changes the item: the
  // write is refused (412), read again, and Ploven's version goes over the new one.
  store->beforeWrite = [&] { store->ChangeBehind(name, "SUMMARY:Essay", "SUMMARY:Essay (phone)"); };
  ItemFields longer = SampleTask("Essay", 7);
  longer.duration = 120;
  ASSERT_TRUE(Change("Essay", longer).ok);
  EXPECT_TRUE(Conflicts().contains("SUMMARY:Essay (phone)"));
  const Parsed<CalendarEntry> entry = ReadEntry(store->items[name].text, QDate(2026, 12, 8));
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry.value->fields.duration, 120);
  EXPECT_EQ(entry.value->fields.title, "Essay");
  bool told = false;
  for (const OutboundChange& c : target->Pending()) told = told || c.code == codes::kNotice;
  EXPECT_TRUE(told);
}

TEST_F(StoreTargetTest, AWriteAnsweredWithoutAnEtagIsAskedForItSoItDoesNotComeBack) {
  store->withoutEtag = true;
  ASSERT_TRUE(Save(SampleAppointment("Dentist", 3)).ok);
  EXPECT_EQ(store->reads, 1) << "the item is read back once after the write";
  ASSERT_TRUE(target->Pass(settings).ok);
  EXPECT_TRUE(target->Pending().isEmpty()) << "Ploven's own write is not a calendar change";
  // A real change behind it still comes back.
  store->ChangeBehind(OnlyName(), "SUMMARY:Dentist", "SUMMARY:Dentist at 10");
  ASSERT_TRUE(target->Pass(settings).ok);
  ASSERT_EQ(target->Pending().size(), 1);
  EXPECT_EQ(target->Pending()[0].code, codes::kAppointmentChanged);
}

TEST_F(StoreTargetTest, ADeleteThatCannotReachTheServerIsKeptForLater) {
  ASSERT_TRUE(Save(SampleAppointment("Dentist", 3)).ok);
  store->writeDown = StoreStatus::kUnreachable;
  const ApplyResult away = Send(codes::kAppointment, actions::kDelete, "Dentist", 3);
  EXPECT_TRUE(away.retry);
  EXPECT_EQ(store->items.size(), 1);
  Restart();  // nothing of it lives only in memory
  store->writeDown = StoreStatus::kOk;
  ASSERT_TRUE(Send(codes::kAppointment, actions::kDelete, "Dentist", 3).ok);
  EXPECT_TRUE(store->items.isEmpty());
  ASSERT_TRUE(target->Pass(settings).ok);
  EXPECT_TRUE(target->Pending().isEmpty());
}

TEST_F(StoreTargetTest, AServerGoneBetweenListingAndReadingLosesNoChange) {
  ASSERT_TRUE(Save(SampleAppointment("Dentist", 3)).ok);
  ASSERT_TRUE(target->Pass(settings).ok);
  store->ChangeBehind(OnlyName(), "SUMMARY:Dentist", "SUMMARY:Dentist at 10");
  store->downAfterList = true;
  EXPECT_TRUE(target->Pass(settings).retry);
  EXPECT_TRUE(target->Pending().isEmpty());
  store->downAfterList = false;
  store->down = StoreStatus::kOk;
  ASSERT_TRUE(target->Pass(settings).ok);
  ASSERT_EQ(target->Pending().size(), 1) << "the change is seen once the server is back";
  EXPECT_EQ(target->Pending()[0].code, codes::kAppointmentChanged);
}

TEST_F(StoreTargetTest, TheSyncTokenIsKeptAcrossPassesAndRestartsButNotAFailedPass) {
  ASSERT_TRUE(target->Pass(settings).ok);
  ASSERT_TRUE(target->Pass(settings).ok);
  Restart();
  ASSERT_TRUE(target->Pass(settings).ok);
  store->down = StoreStatus::kUnreachable;
  EXPECT_TRUE(target->Pass(settings).retry);
  store->down = StoreStatus::kOk;
  ASSERT_TRUE(target->Pass(settings).ok);
  EXPECT_EQ(store->tokensSeen,
            (QList<QByteArray>{"", "token-1", "token-2", "token-3", "token-3"}));
}

TEST_F(StoreTargetTest, AnEmptiedServerCalendarChangesNothingAndSaysItIsTheServer) {
  for (uint32_t id = 1; id <= 3; ++id)
    ASSERT_TRUE(Save(SampleTask(QStringLiteral("Task %1").arg(id), id)).ok);
  ASSERT_TRUE(target->Pass(settings).ok);
  store->items.clear();
  ASSERT_TRUE(target->Pass(settings).ok);
  const QList<OutboundChange> pending = target->Pending();
  ASSERT_EQ(pending.size(), 1);
  EXPECT_EQ(pending[0].code, codes::kNotice);
  EXPECT_TRUE(pending[0].record.contains("on the server")) << pending[0].record.toStdString();
}

TEST_F(StoreTargetTest, AnotherPlovensItemNumbersAreNotTakenForThisSchedules) {
  QTemporaryDir otherDir;
  StoreTarget other(otherDir.path(), otherDir.filePath(QStringLiteral("memory.sqlite")),
                    std::make_unique<SharedStore>(*store), log);
  // Each schedule numbers its own items; neither knows the other's number.
  ASSERT_TRUE(Save(SampleAppointment("Dentist", 7)).ok);
  InboundRecord swim;
  swim.code = codes::kTask;
  swim.action = actions::kSave;
  swim.record = ComposeItemRecord(SampleTask("Swim", 8));
  swim.itemID = 8;
  ASSERT_TRUE(other.Apply(swim, settings).ok);

  ASSERT_TRUE(other.Pass(settings).ok);
  ASSERT_EQ(other.Pending().size(), 1);
  EXPECT_EQ(other.Pending()[0].code, codes::kAppointment) << "a new item for that schedule";
  EXPECT_TRUE(other.Pending()[0].record.startsWith("Dentist"));
  ASSERT_TRUE(target->Pass(settings).ok);
  ASSERT_EQ(target->Pending().size(), 1);
  EXPECT_EQ(target->Pending()[0].code, codes::kTask);
  // A companion that lost its memory still knows the items it numbered itself.
  target->Confirm(target->Pending()[0].key);
  Restart([&] {
    for (const char* name : {"memory.sqlite", "memory.sqlite-wal", "memory.sqlite-shm"})
      QFile::remove(dir.filePath(QLatin1String(name)));
  });
  ASSERT_TRUE(target->Pass(settings).ok);
  for (const OutboundChange& c : target->Pending())
    EXPECT_FALSE(c.record.startsWith("Dentist")) << "Dentist came back as a new item";
}

TEST(CompanionMemoryUpgrade, AFirstMemoryGainsEtagsAndKeepsItsItems) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("old.sqlite"));
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(QStringLiteral(
        "CREATE TABLE items (file TEXT PRIMARY KEY, uid TEXT, item_id INTEGER, mtime INTEGER, "
        "size INTEGER, hash BLOB, todo INTEGER, done INTEGER, title TEXT, date INTEGER, "
        "exdates TEXT, damaged INTEGER)")));
    ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE meta (name TEXT PRIMARY KEY, value TEXT)")));
    ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO meta VALUES ('schema_version', '1')")));
    ASSERT_TRUE(q.exec(QStringLiteral(
        "INSERT INTO items VALUES ('a.ics', 'a', 5, 11, 22, x'00', 1, 0, 'Essay', 0, '', 0)")));
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("old"));
  QString error;
  auto memory = CompanionMemory::Open(path, error);
  ASSERT_TRUE(memory) << error.toStdString();
  const std::optional<RememberedItem> item = memory->ItemByID(5);
  ASSERT_TRUE(item);
  EXPECT_EQ(item->stamp.mtime, 11);
  EXPECT_EQ(item->stamp.size, 22);
  EXPECT_TRUE(item->stamp.etag.isEmpty());
  RememberedItem changed = *item;
  changed.stamp.etag = "\"e1\"";
  ASSERT_TRUE(memory->Put(changed));
  EXPECT_EQ(memory->ItemByID(5)->stamp.etag, "\"e1\"");
  EXPECT_EQ(memory->Value(QStringLiteral("schema_version")), QStringLiteral("2"));
}

}  // namespace
}  // namespace ploven::calendar::test
