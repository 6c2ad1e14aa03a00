// Other programs read the files the companion writes, and the companion takes in theirs.
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

#include "plugin/calendar_side_fixture.h"
#include "plugin/ical_mapping.h"

namespace ploven::calendar::test {
namespace {

constexpr char kPython[] = "/usr/bin/python3";

struct ProgramRun {
  int code = -1;
  QString out;
  QString err;
};

// Runs a program; a missing program fails the test with what installs it.
ProgramRun RunProgram(const QString& program, const QStringList& args, const QString& home) {
  ProgramRun run;
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), home);
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + "/config");
  env.insert(QStringLiteral("XDG_DATA_HOME"), home + "/data");
  env.insert(QStringLiteral("XDG_CACHE_HOME"), home + "/cache");
  env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
  p.setProcessEnvironment(env);
  p.start(program, args);
  if (!p.waitForStarted(10000)) {
    ADD_FAILURE() << program.toStdString()
                  << " is missing; scripts/install-deps installs it (and the Python modules "
                     "icalendar and vobject, khal and todoman)";
    return run;
  }
  p.closeWriteChannel();
  p.waitForFinished(60000);
  run.code = p.exitCode();
  run.out = QString::fromUtf8(p.readAllStandardOutput());
  run.err = QString::fromUtf8(p.readAllStandardError());
  return run;
}

QString FindProgram(const char* name) {
  const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
  if (path.isEmpty()) {
    ADD_FAILURE() << name << " is missing; scripts/install-deps installs it";
  }
  return path;
}

class OutsideReaders : public FolderFixture {
 protected:
  OutsideReaders() {
    // todoman takes each folder under its path as one list: the calendar is the list "ploven".
    settings.folder = dir.filePath(QStringLiteral("lists/ploven"));
    QDir().mkpath(settings.folder);
    QDir().mkpath(dir.filePath(QStringLiteral("home/config")));
    WriteConfigs();
  }

  void WriteConfigs() {
    QFile khal(dir.filePath(QStringLiteral("khal.conf")));
    ASSERT_TRUE(khal.open(QIODevice::WriteOnly));
    QTextStream(&khal) << "[calendars]\n[[ploven]]\npath = " << settings.folder
                       << "\n[locale]\ntimeformat = %H:%M\ndateformat = %Y-%m-%d\n"
                          "longdateformat = %Y-%m-%d\ndatetimeformat = %Y-%m-%d %H:%M\n"
                          "longdatetimeformat = %Y-%m-%d %H:%M\n"
                          "[default]\ndefault_calendar = ploven\n[sqlite]\npath = "
                       << dir.filePath(QStringLiteral("khal.db")) << "\n";
    QFile todo(dir.filePath(QStringLiteral("todoman.py")));
    ASSERT_TRUE(todo.open(QIODevice::WriteOnly));
    QTextStream(&todo) << "path = \"" << dir.filePath(QStringLiteral("lists")) << "/*\"\n"
                       << "date_format = \"%Y-%m-%d\"\ntime_format = \"%H:%M\"\n"
                          "default_list = \"ploven\"\n";
  }

  ProgramRun Khal(const QStringList& args) {
    const QString khal = FindProgram("khal");
    return RunProgram(khal, QStringList{"-c", dir.filePath("khal.conf")} + args,
                      dir.filePath("home"));
  }
  ProgramRun Todoman(const QStringList& args) {
    const QString todoman = FindProgram("todoman");
    return RunProgram(todoman, QStringList{"--porcelain", "-c", dir.filePath("todoman.py")} + args,
                      dir.filePath("home"));
  }

  void WriteSamples() {
    ASSERT_TRUE(
        Send(codes::kTask, actions::kSave, ComposeItemRecord(SampleTask("Plant bulbs", 11)), 11)
            .ok);
    ItemFields done = SampleTask("Send invoice", 12);
    done.done = true;
    ASSERT_TRUE(Send(codes::kTask, actions::kSave, ComposeItemRecord(done), 12).ok);
    ASSERT_TRUE(Send(codes::kAppointment, actions::kSave,
                     ComposeItemRecord(SampleAppointment("Dentist", 13)), 13)
                    .ok);
    ItemFields standup = SampleAppointment("Standup", 14);
    standup.recurrence = RecurrenceRule{1, 0x0a, 0, 2, QDate(2026, 12, 7), {}};
    ASSERT_TRUE(Send(codes::kAppointment, actions::kSave, ComposeItemRecord(standup), 14).ok);
    ItemFields rent = SampleAppointment("Rent", 15);
    rent.recurrence = RecurrenceRule{2, 0, 1u << 29, 1, QDate(2026, 12, 1), {}};
    ASSERT_TRUE(Send(codes::kAppointment, actions::kSave, ComposeItemRecord(rent), 15).ok);
  }

  // reader -> title -> fields, from the Python readers.
  QMap<QString, QMap<QString, QStringList>> PythonRead() {
    const ProgramRun run = RunProgram(
        kPython, {QStringLiteral(PLOVEN_TEST_SCRIPTS "/read_with_python.py"), settings.folder},
        dir.filePath("home"));
    EXPECT_EQ(run.code, 0) << run.err.toStdString()
                           << "\n(scripts/install-deps installs python3-icalendar and "
                              "python3-vobject)";
    QMap<QString, QMap<QString, QStringList>> out;
    for (const QString& line : run.out.split('\n', Qt::SkipEmptyParts)) {
      const QStringList f = line.split('|');
      if (f.size() == 12) out[f[0]][f[3]] = f;
    }
    return out;
  }
};

TEST_F(OutsideReaders, PythonReadersParseEveryFileWithTheRightFields) {
  WriteSamples();
  const auto read = PythonRead();
  for (const char* reader : {"icalendar", "vobject"}) {
    SCOPED_TRACE(reader);
    const QMap<QString, QStringList> items = read.value(reader);
    ASSERT_EQ(items.size(), 5) << items.keys().join(',').toStdString();
    // kind, summary, start, end/due, rrule, rdates, id, status, categories, alarms
    const QStringList task = items["Plant bulbs"];
    EXPECT_EQ(task[2], "VTODO");
    EXPECT_EQ(task[4], "2026-12-08T00:00");
    EXPECT_EQ(task[5], "2026-12-11T17:00");
    EXPECT_EQ(task[8], "11");
    EXPECT_EQ(task[9], "NEEDS-ACTION");
    EXPECT_EQ(task[10], "Garden,Home");
    EXPECT_EQ(task[11], "1");
    EXPECT_EQ(items["Send invoice"][9], "COMPLETED");
    const QStringList dentist = items["Dentist"];
    EXPECT_EQ(dentist[2], "VEVENT");
    EXPECT_EQ(dentist[4], "2026-12-09T09:05");
    EXPECT_EQ(dentist[5], "2026-12-09T09:50");
    EXPECT_EQ(dentist[8], "13");
    const QStringList standup = items["Standup"];
    EXPECT_EQ(standup[4], "2026-12-07T09:05");
    EXPECT_TRUE(standup[6].contains("FREQ=WEEKLY")) << standup[6].toStdString();
    EXPECT_TRUE(standup[6].contains("INTERVAL=2"));
    EXPECT_EQ(items["Rent"][7], "11") << "a rule no calendar can say goes as dates";
  }
}

TEST_F(OutsideReaders, KhalAndTodomanListTheItems) {
  WriteSamples();
  const ProgramRun events =
      Khal({"list", "--format", "{start} {title}", "2026-12-01", "2027-03-01"});
  ASSERT_EQ(events.code, 0) << events.err.toStdString();
  const QString out = events.out;
  EXPECT_TRUE(out.contains("2026-12-09 09:05 Dentist")) << out.toStdString();
  // Mondays and Wednesdays every second week from 7 December.
  for (const char* day : {"2026-12-07", "2026-12-09", "2026-12-21", "2026-12-23", "2027-01-04"}) {
    EXPECT_TRUE(out.contains(QString("%1 09:05 Standup").arg(day))) << day << "\n"
                                                                    << out.toStdString();
  }
  EXPECT_FALSE(out.contains("2026-12-14 09:05 Standup"));
  // The 30th, and February's last day standing in for it.
  EXPECT_TRUE(out.contains("2026-12-30 09:05 Rent"));
  EXPECT_TRUE(out.contains("2027-01-30 09:05 Rent"));
  EXPECT_TRUE(out.contains("2027-02-28 09:05 Rent"));

  const ProgramRun todos = Todoman({"list", "--status", "ANY"});
  ASSERT_EQ(todos.code, 0) << todos.err.toStdString();
  EXPECT_TRUE(todos.out.contains("\"summary\": \"Plant bulbs\"")) << todos.out.toStdString();
  EXPECT_TRUE(todos.out.contains("\"summary\": \"Send invoice\""));
}

// In a zone with summer time the files carry TZID and the companion's own VTIMEZONE, which the
// readers must take at the same wall-clock times.
TEST_F(OutsideReaders, ZonedTimesReadAtTheirWallClockTime) {
  const QByteArray oldTz = qgetenv("TZ");
  const bool hadTz = qEnvironmentVariableIsSet("TZ");
  qputenv("TZ", "Europe/Berlin");
  tzset();
  WriteSamples();
  const auto read = PythonRead();
  const ProgramRun events =
      Khal({"list", "--format", "{start} {title}", "2026-12-01", "2027-07-01"});
  if (hadTz) {
    qputenv("TZ", oldTz);
  } else {
    qunsetenv("TZ");
  }
  tzset();
  EXPECT_TRUE(FileText(Files()[0]).contains("TZID=Europe/Berlin") ||
              FileText(Files()[1]).contains("TZID=Europe/Berlin"));
  for (const char* reader : {"icalendar", "vobject"}) {
    EXPECT_EQ(read.value(reader).value("Dentist").value(4), "2026-12-09T09:05") << reader;
    EXPECT_EQ(read.value(reader).value("Plant bulbs").value(5), "2026-12-11T17:00") << reader;
  }
  ASSERT_EQ(events.code, 0) << events.err.toStdString();
  EXPECT_TRUE(events.out.contains("2026-12-09 09:05 Dentist")) << events.out.toStdString();
  // Past the change to summer time the weekly item stays at 9:05.
  EXPECT_TRUE(events.out.contains("2027-03-29 09:05 Standup")) << events.out.toStdString();
}

TEST_F(OutsideReaders, TheirFilesAreTakenIn) {
  const ProgramRun todo = Todoman({"new", "-l", "ploven", "--priority", "1", "Buy milk"});
  ASSERT_EQ(todo.code, 0) << todo.err.toStdString() << todo.out.toStdString();
  const ProgramRun event = Khal({"new", "-a", "ploven", "2026-12-15", "10:00", "11:30", "Meeting"});
  ASSERT_EQ(event.code, 0) << event.err.toStdString();
  const ProgramRun composed =
      RunProgram(kPython,
                 {"-c",
                  "import icalendar,datetime,sys\n"
                  "c=icalendar.Calendar(); c.add('prodid','-//t//'); c.add('version','2.0')\n"
                  "e=icalendar.Event(); e.add('uid','py-1'); e.add('summary','Yoga')\n"
                  "e.add('dtstart',datetime.datetime(2026,12,16,18,0)); "
                  "e.add('duration',datetime.timedelta(hours=1))\n"
                  "e.add('rrule',{'freq':'weekly','byday':['WE']}); c.add_component(e)\n"
                  "open(sys.argv[1],'wb').write(c.to_ical())\n",
                  CalendarPath("py-1.ics")},
                 dir.filePath("home"));
  ASSERT_EQ(composed.code, 0) << composed.err.toStdString();

  target->Pass(settings);
  QMap<QByteArray, OutboundChange> byTitle;
  for (const OutboundChange& c : target->Pending())
    byTitle[c.record.left(c.record.indexOf('\t'))] = c;
  ASSERT_EQ(byTitle.size(), 3) << log.lines.join('\n').toStdString();
  EXPECT_EQ(byTitle["Buy milk"].code, codes::kTask);
  const auto milk = ParseItemRecord(byTitle["Buy milk"].record, false);
  ASSERT_TRUE(milk) << milk.error.toStdString();
  EXPECT_EQ(milk.value->importance, "High");
  // The to-do manager gives it a due time a day ahead and no start: its day is the due day.
  ASSERT_TRUE(milk.value->deadlineDate.isValid());
  EXPECT_EQ(milk.value->date, milk.value->deadlineDate);
  EXPECT_EQ(byTitle["Meeting"].code, codes::kAppointment);
  EXPECT_TRUE(byTitle["Meeting"].record.startsWith("Meeting\t15/12/2026\t10:00\t"));
  const auto yoga = ParseItemRecord(byTitle["Yoga"].record, true);
  ASSERT_TRUE(yoga) << yoga.error.toStdString();
  EXPECT_EQ(yoga.value->duration, 60);
  ASSERT_TRUE(yoga.value->recurrence);
  EXPECT_EQ(yoga.value->recurrence->frequencyCode, 1);
  EXPECT_EQ(yoga.value->recurrence->dayBits, 1u << 3);

  // Changed by the to-do manager: the change comes back.
  Send(codes::kIdEcho, actions::kSave, "Buy milk*5*", 5, 0, byTitle["Buy milk"].key);
  const ProgramRun done = Todoman({"done", "1"});
  ASSERT_EQ(done.code, 0) << done.err.toStdString();
  target->Pass(settings);
  bool sawDone = false;
  for (const OutboundChange& c : target->Pending()) {
    if (c.code == codes::kDoneChanged && c.itemID == 5) sawDone = c.record == "Done\tBuy milk\t";
  }
  EXPECT_TRUE(sawDone);
}

}  // namespace
}  // namespace ploven::calendar::test
