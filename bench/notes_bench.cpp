// Notes against the disk: NoteContains over 5,000 notes of 2 KB, and Find over 20,000 items
// with those notes, each beside a raw read of the same files in the same run.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_env.h"
#include "file/file_system.h"
#include "notes/note_files.h"
#include "notes/note_find.h"
#include "store/schedule.h"

namespace ploven::bench {
namespace {

constexpr int kNotes = 5000;
constexpr int kItems = 20000;
constexpr size_t kNoteBytes = 2048;

std::string Words(std::mt19937& random, size_t bytes) {
  static const char* const kWords[] = {"meeting", "Agenda", "call",  "budget", "Review",
                                       "draft",   "client", "notes", "follow", "UP",
                                       "invoice", "plan",   "team",  "lunch",  "report"};
  std::string text;
  while (text.size() < bytes) {
    text += kWords[random() % std::size(kWords)];
    text += (random() % 9 == 0) ? '\n' : ' ';
  }
  text.resize(bytes);
  return text;
}

// One schedule in a temporary folder, its note files written once for every benchmark.
struct NotesFixture {
  NotesFixture() {
    folder = std::filesystem::temp_directory_path() / "ploven-notes-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    s.header().setMode(3);
    std::mt19937 random(7);
    for (int i = 0; i < kItems; ++i) {
      Act a;
      a.flags = AF_FIXED;
      a.startTime = static_cast<TimeOfDay>(9 * 60 + 1 + (i % 8) * 60);
      a.duration = 30;
      const ActHandle h = s.NewItem(static_cast<DayNumber>(BenchEnv::kToday + i % 365), a,
                                    Words(random, 24 + i % 40));
      // Every fourth item has a note of its own.
      s.LockAct(h).noteNumber = i % 4 == 0 ? i / 4 + 1 : 0;
    }
    for (int n = 1; n <= kNotes; ++n) files.SaveNote(n, Words(random, kNoteBytes));
    for (int n = 1; n <= kNotes; ++n) paths.push_back(files.PathOf(n));
  }
  ~NotesFixture() { std::filesystem::remove_all(folder); }

  BenchEnv env;
  std::filesystem::path folder;
  PosixFileSystem fs;
  Schedule s{env.msg, env.clock};
  NoteFiles files{s, fs, folder.string(), [](int n) { return n / 2; }};
  std::vector<std::string> paths;
};

NotesFixture& Fixture() {
  static NotesFixture fixture;
  return fixture;
}

// The same files, read whole and not looked at: what any search must at least pay.
void BM_RawReadNoteFiles(benchmark::State& state) {
  NotesFixture& f = Fixture();
  for (auto _ : state) {
    size_t bytes = 0;
    for (const std::string& p : f.paths) bytes += f.fs.ReadFile(p).value->size();
    benchmark::DoNotOptimize(bytes);
  }
}

// A word no note holds, so that every byte is searched.
void BM_NoteContains(benchmark::State& state) {
  NotesFixture& f = Fixture();
  for (auto _ : state) {
    int found = 0;
    for (int n = 1; n <= kNotes; ++n) found += f.files.NoteContains(n, "Zebracrossing") ? 1 : 0;
    benchmark::DoNotOptimize(found);
  }
}

void BM_FindOverItemsAndNotes(benchmark::State& state) {
  NotesFixture& f = Fixture();
  for (auto _ : state) benchmark::DoNotOptimize(FindItems(f.s, f.files, "zebracrossing"));
}

BENCHMARK(BM_RawReadNoteFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoteContains)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindOverItemsAndNotes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ploven::bench
