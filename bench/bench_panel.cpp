// The display refresh with the X panel off and on, side by side: the panel
// may cost at most a fifth more. States: REAL values as results leave them,
// a REAL entry with an exponent (the panel converts it), a QW word in HEX
// and an entry in BIN.
#include <benchmark/benchmark.h>

#include "display.h"
#include "engine.h"

namespace {

using vxc::CalcState;

CalcState RealValues() {
  CalcState s;
  s.stackT = "299792458";
  s.stackZ = "0.1428571428571428571428571428571428571428571428571428571428571428571428571429";
  s.stackY = "-6.62607015e-34";
  s.stackX = "3.141592653589793238462643383279502884197169399375105820974944592307816406286";
  return s;
}

CalcState RealEntry() {
  CalcState s = RealValues();
  s.entryText = "1.50";
  s.exponentText = "-12";
  s.entryTyped = s.exponentEntry = true;
  return s;
}

CalcState HexWords() {
  CalcState s;
  s.base = vxc::kBaseHex;
  s.stackT = "255";
  s.stackZ = "-1";
  s.stackY = "9223372036854775808";
  s.stackX = "-6148914691236517206";
  return s;
}

CalcState BinEntry() {
  CalcState s = HexWords();
  s.base = vxc::kBaseBin;
  s.entryText = "1011001110001111000011111000001111110000000111111110000000001";
  s.entryTyped = true;
  return s;
}

// range(0): the state; range(1): the panel off (0) or on (1).
void BM_Refresh(benchmark::State& st) {
  static CalcState (*const kStates[])() = {RealValues, RealEntry, HexWords, BinEntry};
  static const char* const kNames[] = {"real", "real-entry", "hex", "bin-entry"};
  CalcState s = kStates[st.range(0)]();
  s.xPanel = st.range(1) != 0;
  for (auto _ : st) benchmark::DoNotOptimize(vxc::Refresh(s, false));
  st.SetLabel(std::string(kNames[st.range(0)]) + (s.xPanel ? " panel on" : " panel off"));
}
BENCHMARK(BM_Refresh)->ArgsProduct({{0, 1, 2, 3}, {0, 1}});

}  // namespace

namespace {
void BM_ComposePanel(benchmark::State& st) {
  static CalcState (*const kStates[])() = {RealValues, RealEntry, HexWords, BinEntry};
  CalcState s = kStates[st.range(0)]();
  for (auto _ : st) benchmark::DoNotOptimize(vxc::ComposePanel(s));
}
BENCHMARK(BM_ComposePanel)->DenseRange(0, 3);
}  // namespace
