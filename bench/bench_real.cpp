// Key presses of the REAL arithmetic and function keys (Dispatch plus the
// refresh), each beside the raw MPFR call that does its arithmetic, so the
// cost the calculator adds (text in, text out, range test, display) shows.
#include <benchmark/benchmark.h>
#include <gmp.h>
#include <mpfr.h>

#include <string>

#include "bench_util.h"
#include "real.h"

namespace {

using vxc::bench::Calculator;
namespace cmd = vxc::cmd;

// Full-width operands: 76 significant digits, as results leave them.
const std::string kY = "1.234567890123456789012345678901234567890123456789012345678901234567890123456";
const std::string kX = "3.141592653589793238462643383279502884197169399375105820974944592307816406286";

// One key on fixed operands; the registers it changes are put back before
// each press (a few string copies, tens of nanoseconds).
void PressKey(benchmark::State& st, vxc::CommandId id, uint32_t angle, const std::string& y, const std::string& x) {
  Calculator c;
  vxc::CalcState& s = c.engine.state;
  s.angle = angle;
  s.stackT = s.stackZ = "2";
  for (auto _ : st) {
    s.stackY = y;
    s.stackX = x;
    c.Press({id});
    if (s.errorShown) {
      st.SkipWithError("the key raised an error");
      break;
    }
  }
}

BENCHMARK_CAPTURE(PressKey, add, cmd::kAdd, vxc::kAngleRad, kY, kX);
BENCHMARK_CAPTURE(PressKey, mul, cmd::kMul, vxc::kAngleRad, kY, kX);
BENCHMARK_CAPTURE(PressKey, div, cmd::kDiv, vxc::kAngleRad, kY, kX);
BENCHMARK_CAPTURE(PressKey, sin_0_5_rad, cmd::kSin, vxc::kAngleRad, "0", "0.5");
BENCHMARK_CAPTURE(PressKey, sin_1e10_rad, cmd::kSin, vxc::kAngleRad, "0", "10000000000");
BENCHMARK_CAPTURE(PressKey, sin_0_5_deg, cmd::kSin, vxc::kAngleDeg, "0", "0.5");
BENCHMARK_CAPTURE(PressKey, sin_1e10_deg, cmd::kSin, vxc::kAngleDeg, "0", "10000000000");
BENCHMARK_CAPTURE(PressKey, ln, cmd::kLn, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, exp, cmd::kExp, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, pow, cmd::kPow, vxc::kAngleRad, kY, kX);
BENCHMARK_CAPTURE(PressKey, factorial, cmd::kFactorial, vxc::kAngleRad, "0", "20");

// The Function menu's REAL functions.
BENCHMARK_CAPTURE(PressKey, tenx, cmd::kTenX, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, xroot_3, cmd::kXRoot, vxc::kAngleRad, kX, "3");
BENCHMARK_CAPTURE(PressKey, xroot_frac, cmd::kXRoot, vxc::kAngleRad, kX, kY);
BENCHMARK_CAPTURE(PressKey, abs, cmd::kAbs, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, int, cmd::kInt, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, frac, cmd::kFrac, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, mod, cmd::kMod, vxc::kAngleRad, kX, kY);
BENCHMARK_CAPTURE(PressKey, pct, cmd::kPercent, vxc::kAngleRad, kY, kX);
BENCHMARK_CAPTURE(PressKey, dpct, cmd::kPercentChange, vxc::kAngleRad, kY, kX);
BENCHMARK_CAPTURE(PressKey, sinh, cmd::kSinh, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, cosh, cmd::kCosh, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, tanh, cmd::kTanh, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, asinh, cmd::kAsinh, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, acosh, cmd::kAcosh, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, atanh, cmd::kAtanh, vxc::kAngleRad, "0", "0.5");
BENCHMARK_CAPTURE(PressKey, ncr, cmd::kCombinations, vxc::kAngleRad, "100", "15");
BENCHMARK_CAPTURE(PressKey, npr, cmd::kPermutations, vxc::kAngleRad, "100", "15");
BENCHMARK_CAPTURE(PressKey, torad, cmd::kToRadians, vxc::kAngleRad, "0", kX);
BENCHMARK_CAPTURE(PressKey, todeg, cmd::kToDegrees, vxc::kAngleRad, "0", kX);

void BM_KeyPi(benchmark::State& st) {
  Calculator c;
  for (auto _ : st) c.Press({cmd::kPi});
}
BENCHMARK(BM_KeyPi);

// The raw MPFR calls at 256 bits, on the same operands.
struct Raw {
  mpfr_t y, x, r;
  Raw(const std::string& yText, const std::string& xText) {
    mpfr_inits2(256, y, x, r, (mpfr_ptr)0);
    mpfr_set_str(y, yText.c_str(), 10, MPFR_RNDN);
    mpfr_set_str(x, xText.c_str(), 10, MPFR_RNDN);
  }
  ~Raw() { mpfr_clears(y, x, r, (mpfr_ptr)0); }
};

template <typename Op>
void RawCall(benchmark::State& st, const std::string& y, const std::string& x, Op op) {
  Raw raw(y, x);
  for (auto _ : st) {
    op(raw);
    benchmark::DoNotOptimize(raw.r);
  }
}

BENCHMARK_CAPTURE(RawCall, add, kY, kX, [](Raw& a) { mpfr_add(a.r, a.y, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, mul, kY, kX, [](Raw& a) { mpfr_mul(a.r, a.y, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, div, kY, kX, [](Raw& a) { mpfr_div(a.r, a.y, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, sin_0_5, "0", "0.5", [](Raw& a) { mpfr_sin(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, sin_1e10, "0", "10000000000", [](Raw& a) { mpfr_sin(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, ln, "0", kX, [](Raw& a) { mpfr_log(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, exp, "0", kX, [](Raw& a) { mpfr_exp(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, pow, kY, kX, [](Raw& a) { mpfr_pow(a.r, a.y, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, factorial, "0", "20", [](Raw& a) { mpfr_fac_ui(a.r, 20, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, pi, "0", "0", [](Raw& a) { mpfr_const_pi(a.r, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, tenx, "0", kX, [](Raw& a) { mpfr_exp10(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, xroot_3, kX, "3", [](Raw& a) { mpfr_rootn_ui(a.r, a.y, 3, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, xroot_frac, kX, kY, [](Raw& a) { mpfr_ui_div(a.r, 1, a.x, MPFR_RNDN), mpfr_pow(a.r, a.y, a.r, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, abs, "0", kX, [](Raw& a) { mpfr_abs(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, int, "0", kX, [](Raw& a) { mpfr_trunc(a.r, a.x); });
BENCHMARK_CAPTURE(RawCall, frac, "0", kX, [](Raw& a) { mpfr_frac(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, mod, kX, kY, [](Raw& a) { mpfr_fmod(a.r, a.y, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, pct, kY, kX, [](Raw& a) { mpfr_mul(a.r, a.y, a.x, MPFR_RNDN), mpfr_div_ui(a.r, a.r, 100, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, dpct, kY, kX, [](Raw& a) { mpfr_sub(a.r, a.x, a.y, MPFR_RNDN), mpfr_mul_ui(a.r, a.r, 100, MPFR_RNDN), mpfr_div(a.r, a.r, a.y, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, sinh, "0", kX, [](Raw& a) { mpfr_sinh(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, cosh, "0", kX, [](Raw& a) { mpfr_cosh(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, tanh, "0", kX, [](Raw& a) { mpfr_tanh(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, asinh, "0", kX, [](Raw& a) { mpfr_asinh(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, acosh, "0", kX, [](Raw& a) { mpfr_acosh(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, atanh, "0", "0.5", [](Raw& a) { mpfr_atanh(a.r, a.x, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, ncr, "0", "0", [](Raw& a) { mpfr_set_ui(a.r, 0, MPFR_RNDN); mpz_t c; mpz_init(c); mpz_bin_uiui(c, 100, 15); mpfr_set_z(a.r, c, MPFR_RNDN); mpz_clear(c); });
BENCHMARK_CAPTURE(RawCall, torad, "0", kX, [](Raw& a) { mpfr_const_pi(a.r, MPFR_RNDN), mpfr_mul(a.r, a.r, a.x, MPFR_RNDN), mpfr_div_ui(a.r, a.r, 180, MPFR_RNDN); });

// What every key pays besides its arithmetic: one operand read, one result
// printed, and the refresh of the four lines.
void BM_TextRoundTrip(benchmark::State& st) {
  for (auto _ : st) benchmark::DoNotOptimize(vxc::Real::FromString(kX).ToCanonicalText());
}
BENCHMARK(BM_TextRoundTrip);

// Each conversion alone, on a 76-digit result, beside the library's own
// string routines, which they must match digit for digit.
void BM_FromString(benchmark::State& st) {
  for (auto _ : st) benchmark::DoNotOptimize(vxc::Real::FromString(kX));
}
BENCHMARK(BM_FromString);

void BM_ToCanonicalText(benchmark::State& st) {
  const vxc::Real x = vxc::Real::FromString(kX);
  for (auto _ : st) benchmark::DoNotOptimize(x.ToCanonicalText());
}
BENCHMARK(BM_ToCanonicalText);

BENCHMARK_CAPTURE(RawCall, set_str, "0", kX, [](Raw& a) { mpfr_set_str(a.r, kX.c_str(), 10, MPFR_RNDN); });
BENCHMARK_CAPTURE(RawCall, get_str, "0", kX, [](Raw& a) {
  char digits[vxc::kCanonicalDigits + 8];
  mpfr_exp_t exp10 = 0;
  mpfr_get_str(digits, &exp10, 10, vxc::kCanonicalDigits, a.x, MPFR_RNDN);
  benchmark::DoNotOptimize(digits);
});

void BM_RefreshFourFullLines(benchmark::State& st) {
  vxc::CalcState s;
  s.stackT = s.stackZ = s.stackY = kY;
  s.stackX = kX;
  for (auto _ : st) benchmark::DoNotOptimize(vxc::Refresh(s, false));
}
BENCHMARK(BM_RefreshFourFullLines);

}  // namespace
