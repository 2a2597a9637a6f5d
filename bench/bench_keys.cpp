// Key presses (Dispatch, the undo copy and the refresh) of the entry and
// stack keys, undo and redo, the chain script with the tape on and off, and
// the costliest refresh: four lines at the extreme exponents in SCI and ENG
// with 32 digits.
#include <benchmark/benchmark.h>

#include "bench_util.h"

namespace {

using vxc::bench::Calculator;
namespace cmd = vxc::cmd;

void BM_KeyDigit(benchmark::State& st) {
  Calculator c;
  for (auto _ : st) {
    c.Press({cmd::kDigit0 + 7});
    if (c.engine.state.entryText.size() > 30) c.Press({cmd::kClx});
  }
}
BENCHMARK(BM_KeyDigit);

void BM_KeyEnter(benchmark::State& st) {
  Calculator c;
  c.Press({cmd::kDigit0 + 1, cmd::kDigit0 + 2, cmd::kPoint, cmd::kDigit0 + 5});
  for (auto _ : st) c.Press({cmd::kEnter});
}
BENCHMARK(BM_KeyEnter);

void BM_KeyAdd(benchmark::State& st) {
  Calculator c;
  c.engine.state.stackX = c.engine.state.stackY = c.engine.state.stackZ = c.engine.state.stackT = "1.5";
  for (auto _ : st) {
    c.Press({cmd::kAdd});
    c.engine.state.stackX = c.engine.state.stackY = "1.5";  // a string copy, a few ns
  }
}
BENCHMARK(BM_KeyAdd);

void BM_KeyDigitsUp(benchmark::State& st) {
  Calculator c;
  for (auto _ : st) c.Press({cmd::kDigitsUp, cmd::kDigitsDown});
  st.SetItemsProcessed(st.iterations() * 2);
}
BENCHMARK(BM_KeyDigitsUp);

// Every key copies the calculator for undo: the costliest copy holds 76-digit
// texts in every register, LastX and all twenty memories.
void FillEveryRegister(vxc::CalcState& s) {
  const std::string third = "0." + std::string(76, '3');
  s.stackX = s.stackY = s.stackZ = s.stackT = s.lastX = third;
  s.realMemory.fill(third);
  s.intMemory.fill("-9223372036854775808");
}

void BM_KeyDigitLongRegisters(benchmark::State& st) {
  Calculator c;
  FillEveryRegister(c.engine.state);
  for (auto _ : st) {
    c.Press({cmd::kDigit0 + 7});
    if (c.engine.state.entryText.size() > 30) c.Press({cmd::kClx});
  }
}
BENCHMARK(BM_KeyDigitLongRegisters);

// Undo and redo of one step, with the history full.
void BM_UndoRedo(benchmark::State& st) {
  Calculator c;
  FillEveryRegister(c.engine.state);
  for (int i = 0; i < 200; ++i) c.Press({i % 2 ? cmd::kDigitsUp : cmd::kDigitsDown});
  for (auto _ : st) {
    vxc::Undo(c.engine);
    vxc::RefreshIfStale(c.engine, c.frame);
    vxc::Redo(c.engine);
    vxc::RefreshIfStale(c.engine, c.frame);
  }
  st.SetItemsProcessed(st.iterations() * 2);
}
BENCHMARK(BM_UndoRedo);

// The chain script of bench/peers.sh ("MEM=0 RCL +", "MEM=1 RCL *" with
// 32-digit operands), each key composed as the window composes it, the
// tape's lines included: argument 1 with the tape, 0 without. The two
// CPU times per key give the tape's cost.
void BM_ChainTape(benchmark::State& st) {
  Calculator c;
  c.engine.tape.recording = st.range(0) != 0;
  c.engine.state.realMemory[0] = "3.1415926535897932384626433832795";
  c.engine.state.realMemory[1] = "0.99999999999999999999999999999987";
  auto key = [&c](auto&& press) {
    press();
    vxc::RefreshIfStale(c.engine, c.frame);
    vxc::ComposeTape(c.engine, &c.frame);
  };
  bool add = true;
  for (auto _ : st) {
    key([&] { vxc::SelectMemory(c.engine, add ? 0 : 1); });
    key([&] { vxc::Dispatch(c.engine, cmd::kRcl); });
    key([&] { vxc::Dispatch(c.engine, add ? cmd::kAdd : cmd::kMul); });
    add = !add;
  }
  st.SetItemsProcessed(st.iterations() * 3);
}
BENCHMARK(BM_ChainTape)->Arg(0)->Arg(1);

void WorstRefresh(benchmark::State& st, uint32_t display) {
  Calculator c;
  vxc::CalcState& s = c.engine.state;
  s.display = display;
  s.digits = {32, 32, 32};
  s.stackT = "9.876543210987654321098765432109876543210987654321098765432109876543210987654e-99";
  s.stackZ = "-1.234567890123456789012345678901234567890123456789012345678901234567890123456e-99";
  s.stackY = "98765432109876543210987654321098765432109876543210987654321098765432109876540000000000000000000000000";
  s.stackX = "-0.0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000001234567";
  for (auto _ : st) benchmark::DoNotOptimize(vxc::Refresh(s, false));
}
BENCHMARK_CAPTURE(WorstRefresh, sci32, vxc::kDisplaySci);
BENCHMARK_CAPTURE(WorstRefresh, eng32, vxc::kDisplayEng);
BENCHMARK_CAPTURE(WorstRefresh, fix32, vxc::kDisplayFix);

}  // namespace
