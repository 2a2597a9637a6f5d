// The soak test's random keys, timed: the mean time per key, and the
// slowest key of the run against the millisecond a key may take. A key that
// looks slow is run again three times from the same state and the least
// time counts, so that a busy machine does not count against it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>

#include "key_driver.h"

namespace {

using vxc::testing_keys::Driver;
using Clock = std::chrono::steady_clock;

constexpr double kKeyBudgetMicros = 1000;

double Micros(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::micro>(to - from).count();
}

double LeastOfThree(const vxc::CalcState& before, uint32_t code, const std::string& paste) {
  double best = 1e18;
  for (int run = 0; run < 3; ++run) {
    Driver d;
    d.engine.state = before;
    const auto start = Clock::now();
    d.Act(code, paste);
    best = std::min(best, Micros(start, Clock::now()));
  }
  return best;
}

void BM_RandomKeys(benchmark::State& st) {
  std::mt19937_64 random(20261206);
  Driver driver;
  std::string paste;
  double slowest = 0;
  for (auto _ : st) {
    uint32_t code = static_cast<uint32_t>(random());
    if (driver.engine.state.errorShown && code % 3 == 0) code = 25;  // CLX, as the soak test does
    paste.clear();
    if (code % 50 == 0) {
      const size_t length = random() % 64;
      for (size_t k = 0; k < length; ++k) paste += static_cast<char>(random());
    }
    const vxc::CalcState before = driver.engine.state;
    const auto start = Clock::now();
    driver.Act(code, paste);
    double micros = Micros(start, Clock::now());
    if (micros > slowest) {
      st.PauseTiming();
      if (micros > kKeyBudgetMicros / 10) micros = LeastOfThree(before, code, paste);
      slowest = std::max(slowest, micros);
      st.ResumeTiming();
    }
  }
  st.counters["slowest_key_us"] = slowest;
  st.counters["key_budget_us"] = kKeyBudgetMicros;
  if (slowest > kKeyBudgetMicros) st.SkipWithError("a key took longer than a millisecond");
}
BENCHMARK(BM_RandomKeys)->Iterations(200000);

}  // namespace
