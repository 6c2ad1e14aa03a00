// The companion's server calendar against the standard two-way sync tool, side by side on one
// Radicale: 2,000 items (appointments, tasks, recurring items) into an empty calendar, then
// one changed item. The companion takes Ploven's records as the socket hands them over (the
// outbox, the sending thread, the calendar side's rules, the server store) and is timed until
// the last one is on the server; the tool syncs the same items from a folder (vdir storage)
// into a calendar of its own on the same server.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include <QThread>
#include <optional>

#include "plugin/caldav_store.h"
#include "plugin/record_fields.h"
#include "plugin/server_calendar.h"
#include "plugin/radicale_fixture.h"

namespace ploven::calendar::bench {
namespace {

// Radicale's cost per PUT grows with the calendar's size: 2,000 items take many minutes on each
// side. PLOVEN_CALDAV_BENCH_ITEMS sets another number for a quicker look.
inline constexpr int kDefaultItems = 2000;
constexpr char kVdirsyncer[] = "/usr/bin/vdirsyncer";
const QString kUser = QStringLiteral("bench");

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// Item i: an appointment, a task or (every fifth) a weekly appointment.
QByteArray ItemText(int i, const QString& summary) {
  const QByteArray uid = "bench-" + QByteArray::number(i);
  const QByteArray day = QDate(2026, 12, 1).addDays(i % 60).toString("yyyyMMdd").toLatin1();
  const QByteArray hour = QByteArray::number(8 + i % 10).rightJustified(2, '0');
  QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Ploven//bench//EN\r\n";
  if (i % 3 == 1) {
    text += "BEGIN:VTODO\r\nUID:" + uid + "\r\nDTSTAMP:20261201T000000Z\r\nDUE;VALUE=DATE:" + day +
            "\r\nPRIORITY:5\r\nSUMMARY:" + summary.toUtf8() + "\r\nEND:VTODO\r\n";
  } else {
    text += "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:" + day + 'T' +
            hour + "0000\r\nDURATION:PT45M\r\nSUMMARY:" + summary.toUtf8() + "\r\n";
    if (i % 5 == 0) text += "RRULE:FREQ=WEEKLY;COUNT=20\r\n";
    if (i % 4 == 0) text += "DESCRIPTION:A note for item " + QByteArray::number(i) + "\r\n";
    text += "END:VEVENT\r\n";
  }
  return text + "END:VCALENDAR\r\n";
}

QString Summary(int i) { return QStringLiteral("Item %1").arg(i); }

// Item i as Ploven's record carries it: the same kinds as ItemText.
InboundRecord Record(int i, const QString& summary, bool change) {
  ItemFields f;
  f.appointment = i % 3 != 1;
  f.title = summary;
  f.date = QDate(2026, 12, 1).addDays(i % 60);
  f.itemID = static_cast<uint32_t>(i + 1);
  if (f.appointment) {
    f.start = (8 + i % 10) * 60;
    f.duration = 45;
    if (i % 5 == 0) f.recurrence = RecurrenceRule{1, static_cast<uint8_t>(1 << f.date.dayOfWeek() % 7), 0, 1,
                                                  f.date, f.date.addDays(7 * 19)};
    if (i % 4 == 0) f.note = QStringLiteral("A note for item %1").arg(i);
  } else {
    f.deadlineDate = f.date;
    f.duration = 60;
  }
  InboundRecord r;
  r.code = f.appointment ? codes::kAppointment : codes::kTask;
  r.action = change ? actions::kChange : actions::kSave;
  r.record = change ? TitleText(Summary(i)) + '\t' + ComposeItemRecord(f) : ComposeItemRecord(f);
  r.itemID = f.itemID;
  return r;
}

// No secret store: a server without authentication needs no password.
class NoPasswords : public PasswordKeeper {
 public:
  std::optional<QString> Password(const QString&, const QString&) override { return std::nullopt; }
  void Refused(const QString&, const QString&) override {}
  void Take(const QString&, const QString&, const QString&) override {}
};

class QuietLog : public CompanionLog {
 public:
  void Line(const QString&) override {}
};

// Waits until the companion has sent everything it was given.
bool Drained(CalendarTarget& target) {
  for (int waited = 0; waited < 3600 * 1000; waited += 20) {
    if (!target.HasUnsent()) return true;
    QThread::msleep(20);
  }
  return false;
}
QString Name(int i) { return QStringLiteral("bench-%1.ics").arg(i); }

// A folder of the items and the tool's configuration syncing it into `calendar`.
class VdirsyncerSide {
 public:
  VdirsyncerSide(const QUrl& calendar, int items) {
    QDir(dir_.path()).mkpath(QStringLiteral("vdir"));
    QDir(dir_.path()).mkpath(QStringLiteral("status"));
    for (int i = 0; i < items; ++i) WriteItem(i, Summary(i));
    QFile config(dir_.filePath(QStringLiteral("config")));
    config.open(QIODevice::WriteOnly);
    config.write(QStringLiteral("[general]\nstatus_path = \"%1/status/\"\n\n"
                                "[pair bench]\na = \"bench_folder\"\nb = \"bench_server\"\n"
                                "collections = null\nconflict_resolution = \"a wins\"\n\n"
                                "[storage bench_folder]\ntype = \"filesystem\"\n"
                                "path = \"%1/vdir/\"\nfileext = \".ics\"\n\n"
                                "[storage bench_server]\ntype = \"caldav\"\nurl = \"%2\"\n"
                                "username = \"%3\"\npassword = \"x\"\n")
                     .arg(dir_.path(), calendar.toString(), kUser)
                     .toUtf8());
  }
  void WriteItem(int i, const QString& summary) {
    QFile f(dir_.filePath(QStringLiteral("vdir/") + Name(i)));
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(ItemText(i, summary));
  }
  // Runs the tool; false with its output when it fails.
  bool Run(const QString& command, QString& output) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir_.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.path());
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QString::fromLatin1(kVdirsyncer),
            {QStringLiteral("-c"), dir_.filePath(QStringLiteral("config")), command});
    p.closeWriteChannel();
    if (!p.waitForStarted(10000) || !p.waitForFinished(600000)) {
      output = p.errorString();
      return false;
    }
    output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  }

 private:
  QTemporaryDir dir_;
};

struct Side {
  double firstMs = 0;
  double changeMs = 0;
};

void Report(benchmark::State& state, int items, const Side& store, const Side& tool) {
  state.counters["companion_first_ms"] = store.firstMs;
  state.counters["tool_first_ms"] = tool.firstMs;
  state.counters["first_ratio"] = store.firstMs / tool.firstMs;
  state.counters["companion_change_ms"] = store.changeMs;
  state.counters["tool_change_ms"] = tool.changeMs;
  state.counters["change_ratio"] = store.changeMs / tool.changeMs;
  std::printf(
      "first sync of %d items: companion %.0f ms, vdirsyncer %.0f ms (ratio %.2f)\n"
      "one change:             companion %.0f ms, vdirsyncer %.0f ms (ratio %.2f)\n",
      items, store.firstMs, tool.firstMs, store.firstMs / tool.firstMs, store.changeMs,
      tool.changeMs, store.changeMs / tool.changeMs);
}

}  // namespace

void CompanionAgainstVdirsyncer(benchmark::State& state, test::RadicaleServer* server, int items) {
  if (!server) {
    state.SkipWithError("radicale is not running");
    return;
  }
  int round = 0;
  for (auto _ : state) {
    ++round;
    const QUrl ours = server->MakeCalendar(kUser, QStringLiteral("store%1").arg(round));
    const QUrl theirs = server->MakeCalendar(kUser, QStringLiteral("tool%1").arg(round));
    if (ours.isEmpty() || theirs.isEmpty()) {
      state.SkipWithError("MKCALENDAR was refused");
      return;
    }
    VdirsyncerSide tool(theirs, items);
    QString output;
    if (!tool.Run(QStringLiteral("discover"), output)) {
      state.SkipWithError(("vdirsyncer discover: " + output).toStdString().c_str());
      return;
    }
    Side storeSide;
    Side toolSide;

    // The first sync: every record handed over, then until the last is on the server and a
    // pass has listed the calendar (taking the token for the next).
    QTemporaryDir data;
    QuietLog log;
    CompanionSettings settings;
    settings.toPloven = true;
    settings.server = true;
    settings.serverUrl = ours.toString();
    settings.serverUser = kUser;
    auto companion = MakeServerCalendar(data.path(), log, settings, std::make_unique<NoPasswords>());
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < items; ++i) {
      const ApplyResult r = companion->Apply(Record(i, Summary(i), false), settings);
      if (!r.ok) {
        state.SkipWithError(("not taken: " + r.reason).toStdString().c_str());
        return;
      }
    }
    if (!Drained(*companion)) state.SkipWithError("the companion did not send everything");
    companion->PassNow(settings, 600000);
    storeSide.firstMs = MsSince(start);
    for (const OutboundChange& c : companion->Pending()) {
      if (c.code != codes::kNotice) continue;
      state.SkipWithError(("the companion told the user: " + c.record).toStdString().c_str());
      return;
    }

    start = std::chrono::steady_clock::now();
    const bool synced = tool.Run(QStringLiteral("sync"), output);
    toolSide.firstMs = MsSince(start);
    if (!synced) {
      state.SkipWithError(("vdirsyncer sync: " + output).toStdString().c_str());
      return;
    }

    // One change: the record handed over, until it is on the server and a pass has listed the
    // calendar by its token.
    const int changed = items / 2;
    start = std::chrono::steady_clock::now();
    if (!companion->Apply(Record(changed, QStringLiteral("Changed"), true), settings).ok ||
        !Drained(*companion)) {
      state.SkipWithError("the change was not sent");
    }
    companion->PassNow(settings, 600000);
    storeSide.changeMs = MsSince(start);

    tool.WriteItem(changed, QStringLiteral("Changed"));
    start = std::chrono::steady_clock::now();
    const bool resynced = tool.Run(QStringLiteral("sync"), output);
    toolSide.changeMs = MsSince(start);
    if (!resynced) state.SkipWithError(("vdirsyncer sync: " + output).toStdString().c_str());

    Report(state, items, storeSide, toolSide);
  }
}

}  // namespace ploven::calendar::bench

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  const int asked = qEnvironmentVariableIntValue("PLOVEN_CALDAV_BENCH_ITEMS");
  const int items = asked > 0 ? asked : ploven::calendar::bench::kDefaultItems;
  ploven::test::RadicaleServer radicale;
  QString error;
  if (!ploven::test::RadicaleServer::Installed() || !radicale.Start(error)) {
    std::fprintf(stderr, "radicale does not run: %s\n", qPrintable(error));
  }
  benchmark::RegisterBenchmark("BM_CompanionAgainstVdirsyncer",
                               ploven::calendar::bench::CompanionAgainstVdirsyncer,
                               radicale.Running() ? &radicale : nullptr, items)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
