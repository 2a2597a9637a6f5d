// The engine's memo of read texts gives exactly what reading afresh gives.
// (The frame's memo of composed lines: the soak compares it with a fresh
// composition every fourth key.)
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "real_memo.h"

namespace vxc {
namespace {

bool SameValue(const Real& a, const Real& b) {
  if (a.IsNaN() || b.IsNaN()) return a.IsNaN() && b.IsNaN();
  return mpfr_equal_p(a.raw(), b.raw()) && mpfr_signbit(a.raw()) == mpfr_signbit(b.raw());
}

TEST(RealMemo, GivesWhatReadingGivesInAnyOrder) {
  const std::vector<std::string> texts = {
      "", "0", "-0", "3.14", "-2.5e-7", "1e-999", "0.1",
      "3.141592653589793238462643383279502884197169399375105820974944592307816",
      "-0.99999999999999999999999999999987",
      std::string(130, '7'),  // longer than the memo keeps
      std::string(130, '7') + "1",
  };
  RealMemo memo;
  std::mt19937 random(16);
  for (int i = 0; i < 5000; ++i) {
    const std::string& text = texts[random() % texts.size()];
    ASSERT_TRUE(SameValue(memo.Read(text), Real::FromString(text))) << "read " << i << ": " << text;
  }
}

}  // namespace
}  // namespace vxc
