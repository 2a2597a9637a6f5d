// The REAL function keys against reference values computed with MPFR at
// 1024 bits (tests/reference/real_functions.txt, made by
// tests/reference/make_reference.cpp), compared as numbers with a relative
// tolerance of 1e-75. Keystroke checks, X! at the limit of every word size
// in every mode and operands no key can type (recalled from a settings
// file) among them, live in tests/cases/real_functions.cases.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "engine.h"
#include "real.h"

namespace vxc {
namespace {

const std::map<std::string, CommandId> kKeys = {
    {"LN", cmd::kLn},     {"LOG", cmd::kLog},   {"X2", cmd::kSquare}, {"SQRT", cmd::kSqrt}, {"EXP", cmd::kExp},
    {"INV", cmd::kInverse}, {"POW", cmd::kPow}, {"SIN", cmd::kSin},   {"COS", cmd::kCos},   {"TAN", cmd::kTan},
    {"ASIN", cmd::kAsin}, {"ACOS", cmd::kAcos}, {"ATAN", cmd::kAtan},
};

// |actual - expected| / |expected|, or |actual| when expected is zero; below
// the double range counts as zero.
double RelativeError(const std::string& actual, const std::string& expected) {
  mpfr_t a, e;
  mpfr_inits2(1024, a, e, (mpfr_ptr)0);
  mpfr_set_str(a, actual.c_str(), 10, MPFR_RNDN);
  mpfr_set_str(e, expected.c_str(), 10, MPFR_RNDN);
  mpfr_sub(a, a, e, MPFR_RNDN);
  if (!mpfr_zero_p(e)) mpfr_div(a, a, e, MPFR_RNDN);
  const double error = std::abs(mpfr_get_d(a, MPFR_RNDN));
  mpfr_clears(a, e, (mpfr_ptr)0);
  return error;
}

// One key on a fresh calculator, operands placed as finished values.
CalcState Press(CommandId id, uint32_t angle, const std::string& y, const std::string& x) {
  Engine engine;
  engine.state.angle = angle;
  engine.state.stackY = y;
  engine.state.stackX = x;
  Dispatch(engine, id);
  return engine.state;
}

TEST(RealFunctionReference, EveryKeyAgreesToSeventyFiveDigitsOnTwentyArguments) {
  const char* root = std::getenv("VXC_SOURCE_DIR");
  const auto file = root ? std::filesystem::path(root) / "tests" : std::filesystem::path(__FILE__).parent_path();
  std::ifstream in(file / "reference/real_functions.txt");
  std::map<std::string, int> counts;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::string key, angle, y, x, expected;
    std::istringstream(line) >> key >> angle >> y >> x >> expected;
    ++counts[key];
    const uint32_t code = angle == "RAD" ? kAngleRad : angle == "GRAD" ? kAngleGrad : kAngleDeg;
    const CalcState s = Press(kKeys.at(key), code, y == "-" ? "0" : y, x);
    const std::string what = line.substr(0, line.rfind(' ')) + " -> " + s.stackX + " " + s.errorText;
    ASSERT_FALSE(s.errorShown) << what;
    EXPECT_LE(RelativeError(s.stackX, expected), 1e-75) << what;
  }
  for (const auto& [name, id] : kKeys) EXPECT_GE(counts[name], 20) << name;
}

}  // namespace
}  // namespace vxc
