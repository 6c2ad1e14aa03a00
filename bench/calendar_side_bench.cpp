// The companion's calendar side on a folder of 2,000 items, each against listing the folder and
// reading every file raw in the same run.
#include <benchmark/benchmark.h>
#include <dirent.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>

#include "plugin/folder_target.h"
#include "plugin/record_fields.h"

namespace ploven::calendar::bench {
namespace {

constexpr int kItems = 2000;

class QuietLog : public CompanionLog {
 public:
  void Line(const QString&) override {}
};

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// What any reader of the folder pays at least: one listing and every file read.
double RawListAndReadMs(const QString& folder) {
  const auto start = std::chrono::steady_clock::now();
  qint64 bytes = 0;
  DIR* dir = opendir(QFile::encodeName(folder).constData());
  while (dirent* entry = readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (!name.endsWith(".ics")) continue;
    QFile f(folder + '/' + QFile::decodeName(name));
    if (f.open(QIODevice::ReadOnly)) bytes += f.readAll().size();
  }
  closedir(dir);
  benchmark::DoNotOptimize(bytes);
  return MsSince(start);
}

InboundRecord SaveRecord(int i) {
  ItemFields item;
  item.appointment = i % 2 == 0;
  item.title = QStringLiteral("Item %1").arg(i);
  item.date = QDate(2026, 12, 1).addDays(i % 60);
  item.start = item.appointment ? 8 * 60 + i % 600 : kNoMinutes;
  item.duration = 30 + i % 90;
  item.project = QStringLiteral("Project %1").arg(i % 12);
  item.note = i % 3 == 0 ? QStringLiteral("A note for item %1").arg(i) : QString();
  item.alarm = i % 4 == 0;
  item.alarmMinutes = -15;
  if (!item.appointment) item.deadlineDate = item.date.addDays(3);
  if (i % 10 == 0) item.recurrence = RecurrenceRule{1, 0x0a, 0, 1, item.date, {}};
  item.itemID = static_cast<uint32_t>(1000 + i);
  InboundRecord r;
  r.code = item.appointment ? 0x2BB7B2A7 : 0x2BB7B2A6;
  r.action = actions::kSave;
  r.record = ComposeItemRecord(item);
  r.itemID = item.itemID;
  return r;
}

CompanionSettings Settings(const QTemporaryDir& dir) {
  CompanionSettings s;
  s.toPloven = true;
  s.folder = dir.filePath(QStringLiteral("calendar"));
  return s;
}

void BM_WriteItemsIntoEmptyFolder(benchmark::State& state) {
  std::vector<InboundRecord> records;
  for (int i = 0; i < kItems; ++i) records.push_back(SaveRecord(i));
  double writeMs = 0;
  double rawMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QTemporaryDir dir;
    QuietLog log;
    const CompanionSettings settings = Settings(dir);
    auto target = MakeFolderTarget(dir.path(), log);
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    for (const InboundRecord& r : records) {
      if (!target->Apply(r, settings).ok) state.SkipWithError("a record was not applied");
    }
    writeMs += MsSince(start);
    state.PauseTiming();
    rawMs += RawListAndReadMs(settings.folder);
    state.ResumeTiming();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["write_ms"] = writeMs / n;
  state.counters["raw_ms"] = rawMs / n;
  state.counters["ratio"] = writeMs / rawMs;
}

void BM_PassFindsOneChangedFile(benchmark::State& state) {
  QTemporaryDir dir;
  QuietLog log;
  const CompanionSettings settings = Settings(dir);
  auto target = MakeFolderTarget(dir.path(), log);
  for (int i = 0; i < kItems; ++i) target->Apply(SaveRecord(i), settings);
  target->Pass(settings);
  const QStringList files =
      QDir(settings.folder).entryList({QStringLiteral("*.ics")}, QDir::Files, QDir::Name);
  double passMs = 0;
  double rawMs = 0;
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const QString path = QDir(settings.folder).filePath(files[round % files.size()]);
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QByteArray text = f.readAll();
    f.close();
    text.replace("SUMMARY:", "SUMMARY:x");
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(text);
    f.close();
    ++round;
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    target->Pass(settings);
    passMs += MsSince(start);
    state.PauseTiming();
    const QList<OutboundChange> pending = target->Pending();
    if (pending.size() != 1) state.SkipWithError("the pass did not find exactly one change");
    for (const OutboundChange& c : pending) target->Confirm(c.key);
    rawMs += RawListAndReadMs(settings.folder);
    state.ResumeTiming();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["pass_ms"] = passMs / n;
  state.counters["raw_ms"] = rawMs / n;
  state.counters["ratio"] = passMs / rawMs;
}

BENCHMARK(BM_WriteItemsIntoEmptyFolder)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PassFindsOneChangedFile)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace ploven::calendar::bench

// Qt SQL loads its SQLite driver as a plug-in: it needs the application object.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
