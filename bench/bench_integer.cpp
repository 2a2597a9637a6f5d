// Integer-mode key presses (Dispatch plus the refresh): SHL and SHR with
// huge counts, which must not cost in proportion to the count, integer +,
// and the widest integer refresh: BIN QW with -1 on every line.
#include <benchmark/benchmark.h>

#include "bench_util.h"

namespace {

using vxc::bench::Calculator;
namespace cmd = vxc::cmd;

// Y shifted by the count in X; the state is put back after each press (a
// few string copies), and CLX clears an "Overflow !" so the next press acts.
void Shift(benchmark::State& st, vxc::CommandId key, const char* y, const char* count) {
  Calculator c;
  vxc::SelectBase(c.engine, vxc::kBaseHex);
  vxc::CalcState& s = c.engine.state;
  for (auto _ : st) {
    s.stackY = y;
    s.stackX = count;
    c.Press({key});
    if (s.errorShown) c.Press({cmd::kClx});
  }
  st.SetLabel(c.frame.lines[vxc::kLineX].main);
}
// 2^64 - 1: the largest count a key can give; SHL overflows.
BENCHMARK_CAPTURE(Shift, shl_2p64m1, cmd::kShl, "1", "18446744073709551615")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Shift, shr_2p64m1, cmd::kShr, "12345", "18446744073709551615")->Unit(benchmark::kMicrosecond);
// 2^61: the result is still a finite number (2^(2^61) or 2^-(2^61)).
BENCHMARK_CAPTURE(Shift, shl_2p61, cmd::kShl, "12345", "2305843009213693952")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Shift, shr_2p61, cmd::kShr, "-12345", "2305843009213693952")->Unit(benchmark::kMicrosecond);
// A count whose result is stored: 2^100.
BENCHMARK_CAPTURE(Shift, shl_100, cmd::kShl, "1", "100")->Unit(benchmark::kMicrosecond);

void BM_IntegerAdd(benchmark::State& st) {
  Calculator c;
  vxc::SelectBase(c.engine, vxc::kBaseDec);
  vxc::CalcState& s = c.engine.state;
  for (auto _ : st) {
    s.stackY = "9223372036854775807";
    s.stackX = "-12345678901234567";
    c.Press({cmd::kAdd});
  }
}
BENCHMARK(BM_IntegerAdd)->Unit(benchmark::kMicrosecond);

void BM_RefreshBinQwMinusOne(benchmark::State& st) {
  Calculator c;
  vxc::SelectBase(c.engine, vxc::kBaseBin);
  vxc::CalcState& s = c.engine.state;
  s.stackX = s.stackY = s.stackZ = s.stackT = "-1";
  for (auto _ : st) benchmark::DoNotOptimize(vxc::Refresh(s, false));
  st.SetLabel(std::to_string(vxc::Refresh(s, false).lines[vxc::kLineX].main.size()) + " digits");
}
BENCHMARK(BM_RefreshBinQwMinusOne)->Unit(benchmark::kMicrosecond);

}  // namespace
