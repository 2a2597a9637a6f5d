// Paste of 1 MB of text (the scan up to the paste bound, then the refusal
// or, when the number is short, the entry and the refresh), and the keys
// that come after the longest paste taken, a kPasteLimit-character entry.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_util.h"

namespace {

using vxc::bench::Calculator;
namespace cmd = vxc::cmd;

constexpr size_t kMegabyte = 1 << 20;

// Digits with grouping commas, a blank now and then and one point.
std::string GroupedNumberText(size_t size) {
  std::string text;
  text.reserve(size);
  while (text.size() < size) text += "123,456 789\t";
  text.resize(size);
  text[size / 2] = '.';
  return text;
}

void PasteMegabyte(benchmark::State& st, uint32_t base, std::string text) {
  Calculator c;
  vxc::SelectBase(c.engine, base);
  for (auto _ : st) {
    vxc::PasteEntry(c.engine, text);
    benchmark::DoNotOptimize(c.Shown());
  }
  st.SetBytesProcessed(static_cast<int64_t>(st.iterations() * text.size()));
}
BENCHMARK_CAPTURE(PasteMegabyte, real_grouped, vxc::kBaseReal, GroupedNumberText(kMegabyte))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PasteMegabyte, dec_digits, vxc::kBaseDec, std::string(kMegabyte, '7'))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PasteMegabyte, oct_hex_prefix, vxc::kBaseOct, "0x" + std::string(kMegabyte - 2, 'f'))
    ->Unit(benchmark::kMillisecond);
// The scan ends at the first letter: the cost is the blank removal.
BENCHMARK_CAPTURE(PasteMegabyte, real_stops_early, vxc::kBaseReal, "12x" + std::string(kMegabyte - 3, ' '))
    ->Unit(benchmark::kMillisecond);

// The cleaning alone, without the entry and the refresh.
void CleanMegabyte(benchmark::State& st) {
  const std::string text = GroupedNumberText(kMegabyte);
  for (auto _ : st) benchmark::DoNotOptimize(vxc::CleanPastedText(text, vxc::kBaseReal));
  st.SetBytesProcessed(static_cast<int64_t>(st.iterations() * text.size()));
}
BENCHMARK(CleanMegabyte)->Unit(benchmark::kMillisecond);

// One key pressed on the longest entry a paste makes; the paste itself is
// not timed.
void KeyAfterPaste(benchmark::State& st, uint32_t base, vxc::CommandId key) {
  Calculator c;
  vxc::SelectBase(c.engine, base);
  const std::string text(vxc::kPasteLimit, base == vxc::kBaseBin ? '1' : '7');
  for (auto _ : st) {
    st.PauseTiming();
    vxc::Dispatch(c.engine, cmd::kClx);
    vxc::PasteEntry(c.engine, text);
    st.ResumeTiming();
    vxc::Dispatch(c.engine, key);
    benchmark::DoNotOptimize(c.Shown());
  }
}
BENCHMARK_CAPTURE(KeyAfterPaste, real_digit, vxc::kBaseReal, cmd::kDigit0 + 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KeyAfterPaste, real_enter, vxc::kBaseReal, cmd::kEnter)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KeyAfterPaste, real_add, vxc::kBaseReal, cmd::kAdd)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KeyAfterPaste, real_st_add, vxc::kBaseReal, cmd::kStoAdd)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KeyAfterPaste, dec_digit, vxc::kBaseDec, cmd::kDigit0 + 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KeyAfterPaste, dec_enter, vxc::kBaseDec, cmd::kEnter)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KeyAfterPaste, bin_gcd, vxc::kBaseBin, cmd::kGcd)->Unit(benchmark::kMillisecond);

// The display format change formats the typed entry.
void FormattedRefreshAfterPaste(benchmark::State& st) {
  Calculator c;
  vxc::PasteEntry(c.engine, std::string(vxc::kPasteLimit, '7'));
  for (auto _ : st) {
    vxc::SelectDisplayFormat(c.engine, vxc::kDisplaySci);
    benchmark::DoNotOptimize(c.Shown());
    vxc::SelectDisplayFormat(c.engine, vxc::kDisplayFix);
    benchmark::DoNotOptimize(c.Shown());
  }
  st.SetItemsProcessed(st.iterations() * 2);
}
BENCHMARK(FormattedRefreshAfterPaste)->Unit(benchmark::kMillisecond);

}  // namespace
