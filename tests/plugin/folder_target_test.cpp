#include "plugin/folder_target.h"

#include <sys/wait.h>
#include <unistd.h>

#include <QThread>

#include "plugin/calendar_side_fixture.h"
#include "plugin/ical_mapping.h"

namespace ploven::calendar::test {
namespace {

constexpr int kDec9 = 17145;  // Ploven's day number of Wednesday 9 December 2026

QByteArray ForeignEvent(const QByteArray& uid, const QByteArray& summary) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
         "\r\nSUMMARY:" + summary +
         "\r\nDTSTART:20261215T140000\r\nDTEND:20261215T150000\r\nX-OTHER:1\r\nEND:VEVENT\r\n"
         "END:VCALENDAR\r\n";
}

QByteArray ForeignTodo(const QByteArray& uid, const QByteArray& summary) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VTODO\r\nUID:" + uid +
         "\r\nSUMMARY:" + summary + "\r\nDUE;VALUE=DATE:20261224\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
}

// File stamps have nanoseconds, but a file system may round them: a rewrite waits a little.
void Later() { QThread::msleep(15); }

class FolderTargetTest : public FolderFixture {
 protected:
  ApplyResult Save(const ItemFields& item) {
    return Send(item.appointment ? codes::kAppointment : codes::kTask, actions::kSave,
                ComposeItemRecord(item), item.itemID);
  }
  ApplyResult Change(const QString& oldTitle, const ItemFields& item) {
    return Send(item.appointment ? codes::kAppointment : codes::kTask, actions::kChange,
                TitleText(oldTitle) + '\t' + ComposeItemRecord(item), item.itemID);
  }
  CalendarEntry Entry(const QString& name) {
    const Parsed<CalendarEntry> e = ReadEntry(FileText(name), QDate(2026, 12, 8));
    EXPECT_TRUE(e) << e.error.toStdString();
    return e ? *e.value : CalendarEntry{};
  }
};

TEST_F(FolderTargetTest, SaveChangeDoneDeleteFollowTheItem) {
  ASSERT_TRUE(Save(SampleAppointment("Dentist", 21)).ok);
  ASSERT_TRUE(Save(SampleTask("Essay", 22)).ok);
  const QStringList files = Files();
  ASSERT_EQ(files.size(), 2);
  QString dentist = Entry(files[0]).todo ? files[1] : files[0];
  QString essay = dentist == files[0] ? files[1] : files[0];
  EXPECT_EQ(dentist, Entry(dentist).uid + ".ics");

  // Sent again after a time-out: still one file.
  ASSERT_TRUE(Save(SampleAppointment("Dentist", 21)).ok);
  EXPECT_EQ(Files().size(), 2);

  ItemFields moved = SampleAppointment("Dentist (moved)", 21);
  moved.start = 14 * 60;
  ASSERT_TRUE(Change("Dentist", moved).ok);
  EXPECT_EQ(Files().size(), 2);
  EXPECT_EQ(Entry(dentist).fields.title, "Dentist (moved)");
  EXPECT_EQ(Entry(dentist).fields.start, 14 * 60);

  ASSERT_TRUE(Send(codes::kTask, actions::kDone, ComposeDoneRecord(true, "Essay"), 22, kDec9).ok);
  EXPECT_TRUE(Entry(essay).fields.done);
  EXPECT_TRUE(FileText(essay).contains("STATUS:COMPLETED"));

  // Found by title and date when the number is unknown.
  ASSERT_TRUE(Send(codes::kAppointment, actions::kDelete, "Dentist (moved)", 0, kDec9).ok);
  EXPECT_EQ(Files(), QStringList{essay});
  // Nothing of Ploven's own writing comes back as a calendar change.
  target->Pass(settings);
  EXPECT_TRUE(target->Pending().isEmpty());
}

TEST_F(FolderTargetTest, DeletingOneOccurrenceCancelsThatDay) {
  ItemFields standup = SampleAppointment("Standup", 30);
  standup.recurrence = RecurrenceRule{1, 0x0a, 0, 2, QDate(2026, 12, 7), {}};
  ASSERT_TRUE(Save(standup).ok);
  ASSERT_TRUE(Send(codes::kAppointment, actions::kDelete, "Standup", 30, kDec9).ok);
  ASSERT_EQ(Files().size(), 1);
  EXPECT_EQ(Entry(Files()[0]).exdates, QList<QDate>{QDate(2026, 12, 9)});
  target->Pass(settings);
  EXPECT_TRUE(target->Pending().isEmpty());
}

TEST_F(FolderTargetTest, UnreadableRecordsFailWithTheirReason) {
  const ApplyResult r = Send(codes::kTask, actions::kSave, "Essay\tbroken\t\n", 5);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.reason.contains("fields"));
  EXPECT_TRUE(Files().isEmpty());
  EXPECT_FALSE(Send(codes::kTask, "Ploven_Whatever", "x", 5).ok);
}

TEST_F(FolderTargetTest, PassFindsNewChangedAndDeletedFilesByTheirStamps) {
  ASSERT_TRUE(Save(SampleAppointment("Dentist", 21)).ok);
  const QString dentist = Files()[0];
  WriteCalendarFile("party.ics", ForeignEvent("party", "Party"));
  WriteCalendarFile("plants.ics", ForeignTodo("plants", "Water plants"));
  const int before = target->filesRead();
  target->Pass(settings);
  EXPECT_EQ(target->filesRead() - before, 2) << "only the two new files are read";
  ASSERT_EQ(target->Pending().size(), 2);
  const QList<OutboundChange> events = PendingWithCode(codes::kAppointment);
  ASSERT_EQ(events.size(), 1);
  EXPECT_TRUE(events[0].record.startsWith("Party\t15/12/2026\t14:00\t"));
  EXPECT_EQ(PendingWithCode(codes::kTask).size(), 1);

  // Nothing changed: nothing read, nothing queued twice.
  const int quiet = target->filesRead();
  target->Pass(settings);
  EXPECT_EQ(target->filesRead(), quiet);
  EXPECT_EQ(target->Pending().size(), 2);

  // Ploven takes both; the party gets its number by the ID echo.
  Send(codes::kIdEcho, actions::kSave, "Party*77*", 77, 0, events[0].key);
  target->Confirm(PendingWithCode(codes::kTask)[0].key);
  EXPECT_TRUE(target->Pending().isEmpty());

  Later();
  WriteCalendarFile("party.ics", ForeignEvent("party", "Garden party"));
  QFile::remove(CalendarPath(dentist));
  target->Pass(settings);
  const QList<OutboundChange> changed = PendingWithCode(codes::kAppointmentChanged);
  ASSERT_EQ(changed.size(), 1);
  EXPECT_EQ(changed[0].itemID, 77u);
  EXPECT_TRUE(changed[0].record.startsWith("Garden party\t"));
  const QList<OutboundChange> deleted = PendingWithCode(codes::kAppointmentDeleted);
  ASSERT_EQ(deleted.size(), 1);
  EXPECT_EQ(deleted[0].itemID, 21u);
  EXPECT_EQ(deleted[0].record, "Dentist");

  // A touch that changes nothing but the stamp is no change.
  for (const OutboundChange& c : target->Pending()) target->Confirm(c.key);
  Later();
  WriteCalendarFile("party.ics", ForeignEvent("party", "Garden party"));
  target->Pass(settings);
  EXPECT_TRUE(target->Pending().isEmpty());
}

TEST_F(FolderTargetTest, ChangeBeforeTheIdEchoFollowsAsAChangeOfTheNamedItem) {
  WriteCalendarFile("party.ics", ForeignEvent("party", "Party"));
  target->Pass(settings);
  Later();
  WriteCalendarFile("party.ics", ForeignEvent("party", "Garden party"));
  target->Pass(settings);
  ASSERT_EQ(target->Pending().size(), 1) << "the change waits for Ploven to name the item";
  const OutboundChange created = target->Pending()[0];
  EXPECT_TRUE(created.record.startsWith("Party\t"));
  ASSERT_TRUE(Send(codes::kIdEcho, actions::kSave, "Party*8*", 8, 0, created.key).ok);
  target->Pass(settings);
  const QList<OutboundChange> changed = PendingWithCode(codes::kAppointmentChanged);
  ASSERT_EQ(changed.size(), 1);
  EXPECT_EQ(changed[0].itemID, 8u);
  EXPECT_TRUE(changed[0].record.startsWith("Garden party\t"));
}

TEST_F(FolderTargetTest, FileRenamedByAnotherProgramStaysTheSameItem) {
  ASSERT_TRUE(Save(SampleAppointment("Dentist", 21)).ok);
  const QString old = Files()[0];
  ASSERT_TRUE(QFile::rename(CalendarPath(old), CalendarPath("renamed.ics")));
  target->Pass(settings);
  EXPECT_TRUE(target->Pending().isEmpty()) << "neither a new item nor a delete";
  ItemFields moved = SampleAppointment("Dentist", 21);
  moved.start = 11 * 60;
  ASSERT_TRUE(Change("Dentist", moved).ok);
  EXPECT_EQ(Files(), QStringList{"renamed.ics"});
  EXPECT_EQ(Entry("renamed.ics").fields.start, 11 * 60);
}

TEST_F(FolderTargetTest, SwitchesHoldBackTasksOrAppointments) {
  settings.tasksToPloven = false;
  WriteCalendarFile("plants.ics", ForeignTodo("plants", "Water plants"));
  WriteCalendarFile("noploven.ics", ForeignEvent("np", "Lunch noploven"));
  target->Pass(settings);
  // The main program refuses "noploven" subjects with its own message: they are still sent.
  ASSERT_EQ(target->Pending().size(), 1);
  EXPECT_TRUE(target->Pending()[0].record.startsWith("Lunch noploven\t"));
  settings.toPloven = false;
  WriteCalendarFile("later.ics", ForeignEvent("later", "Later"));
  target->Pass(settings);
  EXPECT_EQ(target->Pending().size(), 1);
}

TEST_F(FolderTargetTest, ChangeOnBothSidesKeepsPlovensAndTheCalendarsText) {
  ASSERT_TRUE(Save(SampleAppointment("Review", 40)).ok);
  const QString file = Files()[0];
  Later();
  QByteArray theirs = FileText(file);
  theirs.replace("SUMMARY:Review", "SUMMARY:Review (their edit)");
  WriteCalendarFile(file, theirs);
  ASSERT_TRUE(Change("Review", SampleAppointment("Review (Ploven's edit)", 40)).ok);
  EXPECT_EQ(Entry(file).fields.title, "Review (Ploven's edit)");
  QFile conflicts(dir.filePath("ploven-calendar-conflicts.log"));
  ASSERT_TRUE(conflicts.open(QIODevice::ReadOnly));
  const QByteArray kept = conflicts.readAll();
  EXPECT_TRUE(kept.contains("Review (their edit)"));
  EXPECT_TRUE(kept.contains("Review (Ploven's edit)"));
  EXPECT_EQ(PendingWithCode(codes::kNotice).size(), 1);
  // The calendar's edit is not sent back over Ploven's.
  target->Pass(settings);
  EXPECT_TRUE(PendingWithCode(codes::kAppointmentChanged).isEmpty());
}

TEST_F(FolderTargetTest, ChangeQueuedButNotTakenLosesToPlovensChange) {
  ASSERT_TRUE(Save(SampleAppointment("Review", 41)).ok);
  const QString file = Files()[0];
  Later();
  QByteArray theirs = FileText(file);
  theirs.replace("SUMMARY:Review", "SUMMARY:Theirs");
  WriteCalendarFile(file, theirs);
  target->Pass(settings);
  ASSERT_EQ(PendingWithCode(codes::kAppointmentChanged).size(), 1);
  ASSERT_TRUE(Change("Review", SampleAppointment("Ours", 41)).ok);
  EXPECT_TRUE(PendingWithCode(codes::kAppointmentChanged).isEmpty());
  EXPECT_EQ(PendingWithCode(codes::kNotice).size(), 1);
  EXPECT_EQ(Entry(file).fields.title, "Ours");
}

TEST_F(FolderTargetTest, EmptiedFolderStopsThePassAndTellsOnce) {
  for (uint32_t id : {1, 2, 3}) ASSERT_TRUE(Save(SampleTask(QString("T%1").arg(id), id)).ok);
  for (const QString& f : Files()) QFile::remove(CalendarPath(f));
  target->Pass(settings);
  target->Pass(settings);
  ASSERT_EQ(target->Pending().size(), 1);
  EXPECT_EQ(target->Pending()[0].code, codes::kNotice);
  EXPECT_TRUE(PendingWithCode(codes::kTaskDeleted).isEmpty());
  // A missing folder stops it as well, without a second notice while nothing came back.
  QDir(settings.folder).removeRecursively();
  target->Pass(settings);
  EXPECT_EQ(target->Pending().size(), 1);
  // Items again: the guard is lifted and may speak again later.
  QDir().mkpath(settings.folder);
  WriteCalendarFile("party.ics", ForeignEvent("party", "Party"));
  target->Pass(settings);
  EXPECT_EQ(PendingWithCode(codes::kAppointment).size(), 1);
  EXPECT_EQ(PendingWithCode(codes::kTaskDeleted).size(), 3);
}

TEST_F(FolderTargetTest, DamagedFileIsLoggedOnceAndKept) {
  WriteCalendarFile("broken.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\n");
  target->Pass(settings);
  target->Pass(settings);
  EXPECT_EQ(log.Count("broken.ics"), 1);
  EXPECT_TRUE(QFile::exists(CalendarPath("broken.ics")));
  EXPECT_TRUE(target->Pending().isEmpty());
  // Mended, it is taken in.
  Later();
  WriteCalendarFile("broken.ics", ForeignEvent("mended", "Mended"));
  target->Pass(settings);
  EXPECT_EQ(PendingWithCode(codes::kAppointment).size(), 1);
}

// Runs `step` in a child process that ends abruptly at the hook's n-th call.
void CrashAt(FolderFixture& f, int n, const std::function<void(FolderTarget&)>& step,
             const QString& dataDir, LinesLog& log) {
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    FolderTarget child(dataDir, log);
    int calls = 0;
    child.SetStepHook([&] {
      if (++calls == n) _exit(0);
    });
    step(child);
    _exit(1);  // the hook never fired: the test is wrong
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0) << "the child did not stop where the test meant";
  (void)f;
}

TEST_F(FolderTargetTest, CrashMidPassLosesAndRepeatsNothing) {
  for (int i = 0; i < 5; ++i) {
    WriteCalendarFile(QString("e%1.ics").arg(i), ForeignEvent("e" + QByteArray::number(i), "E"));
  }
  target.reset();
  const CompanionSettings s = settings;
  CrashAt(
      *this, 3, [&](FolderTarget& t) { t.Pass(s); }, dir.path(), log);
  Restart();
  EXPECT_TRUE(target->Pending().isEmpty()) << "the interrupted pass left nothing half-done";
  target->Pass(settings);
  EXPECT_EQ(PendingWithCode(codes::kAppointment).size(), 5);
  target->Pass(settings);
  EXPECT_EQ(target->Pending().size(), 5);
}

TEST_F(FolderTargetTest, CrashAfterWritingBeforeRememberingMakesNoDuplicate) {
  target.reset();
  const CompanionSettings s = settings;
  const QByteArray record = ComposeItemRecord(SampleAppointment("Dentist", 21));
  CrashAt(
      *this, 1,
      [&](FolderTarget& t) {
        InboundRecord r{codes::kAppointment, actions::kSave, record, 21, 0, {}};
        t.Apply(r, s);
      },
      dir.path(), log);
  Restart();
  ASSERT_EQ(Files().size(), 1);
  // The file is taken back by its item number, not sent to Ploven as a new item ...
  target->Pass(settings);
  EXPECT_TRUE(target->Pending().isEmpty());
  // ... and the record Ploven sends again (it had no answer) rewrites it.
  ASSERT_TRUE(Save(SampleAppointment("Dentist", 21)).ok);
  EXPECT_EQ(Files().size(), 1);
}

}  // namespace
}  // namespace ploven::calendar::test
