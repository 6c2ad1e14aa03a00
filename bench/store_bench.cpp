#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "bench/bench_env.h"
#include "store/schedule.h"

namespace ploven::bench {
namespace {

std::vector<std::string> Titles(size_t n) {
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> letter('a', 'z');
  std::vector<std::string> out(n);
  for (auto& t : out) {
    t.resize(12);
    for (char& c : t) c = static_cast<char>(letter(rng));
  }
  return out;
}

// 100,000 items over 10,000 days into one store.
void BM_Insert100kItemsOver10kDays(benchmark::State& state) {
  const auto titles = Titles(100000);
  for (auto _ : state) {
    BenchEnv env;
    Schedule s{env.msg, env.clock};
    for (size_t i = 0; i < titles.size(); ++i) {
      Act a;
      a.duration = 30;
      const auto day = static_cast<DayNumber>(BenchEnv::kToday + static_cast<int>(i % 10000));
      benchmark::DoNotOptimize(s.NewItem(day, a, titles[i]));
    }
    state.PauseTiming();
    state.counters["items"] = static_cast<double>(s.actChain().Count());
    state.counters["days"] = s.CountAllTerminals();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Insert100kItemsOver10kDays)->Unit(benchmark::kMillisecond)->Iterations(3);

class FullStore : public benchmark::Fixture {
 public:
  void SetUp(benchmark::State&) override {
    env = std::make_unique<BenchEnv>();
    s = std::make_unique<Schedule>(env->msg, env->clock);
    const auto titles = Titles(100000);
    for (size_t i = 0; i < titles.size(); ++i) {
      Act a;
      a.duration = 30;
      const ActHandle h = s->NewItem(
          static_cast<DayNumber>(BenchEnv::kToday + static_cast<int>(i % 10000)), a, titles[i]);
      ids.push_back(s->ReadAct(h).ID);
    }
  }
  void TearDown(benchmark::State&) override {
    s.reset();
    env.reset();
    ids.clear();
  }
  std::unique_ptr<BenchEnv> env;
  std::unique_ptr<Schedule> s;
  std::vector<uint32_t> ids;
};

BENCHMARK_F(FullStore, FindActByID)(benchmark::State& state) {
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(s->FindActByID(ids[i]));
    i = (i + 7919) % ids.size();
  }
}

// One more item into a store of 100,000, then out again.
BENCHMARK_F(FullStore, InsertAndDeleteOneItem)(benchmark::State& state) {
  Act a;
  a.duration = 30;
  for (auto _ : state) {
    const ActHandle h = s->NewItem(BenchEnv::kToday + 5000, a, "mmmmmm middle title");
    s->DeleteItem(h);
    s->FreeAct(h);
  }
}

BENCHMARK_F(FullStore, RenameMovesInTheChain)(benchmark::State& state) {
  const ActHandle h = s->FindActByID(ids[500]);
  bool flip = false;
  for (auto _ : state) {
    s->SetActName(h, flip ? "aaaa first" : "zzzz last");
    flip = !flip;
  }
}

}  // namespace
}  // namespace ploven::bench
