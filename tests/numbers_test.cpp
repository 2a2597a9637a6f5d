// The number layer against independent values: exact decimals, exact
// integers and known constants.
#include <gtest/gtest.h>

#include <gmpxx.h>

#include <random>
#include <vector>

#include "decimal_text.h"
#include "integer.h"
#include "real.h"

namespace vxc {
namespace {

// How far a text is read is memory.cases' (register texts from a settings
// file); no file or paste leaves the leading blanks skipped here.
TEST(Real, FromStringSkipsLeadingBlanks) { EXPECT_EQ(Real::FromString("  \t-12.5").ToCanonicalText(), "-12.5"); }

TEST(Real, LongAndHugeTextsStaySafe) {
  // A million digits read quickly and round like their first digits.
  const std::string million = "1" + std::string(1000000, '0');
  EXPECT_EQ(Real::FromString(million).ToCanonicalText(), "1e+1000000");
  EXPECT_EQ(Real::FromString("0." + std::string(200000, '0') + "7").ToCanonicalText(), "7e-200001");
  // Absurd exponents stay finite and keep their sign.
  EXPECT_EQ(Real::FromString("1e999999999999999999999999").ToCanonicalText().substr(0, 3), "1e+");
  EXPECT_FALSE(Real::FromString("-1e99999999999999999999").IsZero());
  EXPECT_EQ(Real::FromString("7e999990000055555599").ToCanonicalText(), "7e+999990000055555599");
  EXPECT_EQ(Real::FromString("7e-9999900000555555999").ToCanonicalText(), "7e-999999999999999999");
  // At the clamp the printed form still reads back to the same value.
  const std::string clamped = Real::FromString("19e999999999999999999").ToCanonicalText();
  EXPECT_EQ(clamped, "1.9e+999999999999999999");
  EXPECT_EQ(Real::FromString(clamped).ToCanonicalText(), clamped);
  // A rounding carry past the largest readable exponent saturates the print.
  const std::string carried = Real::FromString(std::string(97, '9') + "e999999999999999999").ToCanonicalText();
  EXPECT_EQ(carried, "1e+999999999999999999");
  EXPECT_EQ(Real::FromString(carried).ToCanonicalText(), carried);
}

// The shortcut past the conversions must agree with them exactly.
TEST(Real, CanonicalDecimalShortcutAgreesWithTheConversion) {
  std::vector<std::string> texts = {
      "0", "-0", "5", "-5", "0.5", "-0.5", "00.5", "0.50", "10", "1.", ".5", "1e5", "12.5x", "",
      "1" + std::string(99, '0'), "1" + std::string(100, '0'), "0." + std::string(98, '0') + "1",
      "0." + std::string(99, '0') + "1", std::string(76, '7'), std::string(77, '7'), "9." + std::string(75, '9'),
      "9." + std::string(76, '9'), "-0." + std::string(40, '0') + std::string(76, '3'),
      "-0." + std::string(40, '0') + std::string(77, '3')};
  std::mt19937 random(7);
  for (int i = 0; i < 3000; ++i) {
    std::string t;
    const int length = 1 + random() % 90;
    for (int k = 0; k < length; ++k) t += "-.00123456789"[random() % 13];
    texts.push_back(t);
  }
  for (const std::string& t : texts) {
    EXPECT_EQ(IsCanonicalDecimal(t), Real::FromString(t).ToCanonicalText() == t) << t;
  }
}

// Division by zero and improper operands through the keys: errors.cases and
// real_functions.cases; a product past the exponent range no key reaches.
TEST(Real, ReturnCodes) {
  Real huge = Real::FromString("1e999999999999999999");
  EXPECT_EQ(huge.Mul(huge), kRealCarry);
}

TEST(Real, ConversionsToMachineIntegers) {
  EXPECT_EQ(Real::FromString("70.9").ToUInt(), 70u);
  EXPECT_EQ(Real::FromString("-5.5").ToUInt(), 5u);
  EXPECT_EQ(Real::FromString("18446744073709551615").ToUInt(), 18446744073709551615ull);
  EXPECT_EQ(Real::FromString("18446744073709551616").ToUInt(), 0u);
}

// Signed 128-bit texts (a fraction cut, the lowest value, 2^128 + 5 wrapping
// to 5) are memory.cases' integer registers; leading blanks no file leaves.
TEST(Integers, ReadingAndPrinting) {
  EXPECT_EQ(Int128ToString(ParseInt128("  -12")), "-12");
  EXPECT_EQ(UInt128ToString(ParseUInt128("-5", 10)), "0");
  EXPECT_EQ(UInt128ToString(ParseUInt128("1f", 16), 16), "1F");
  EXPECT_EQ(ParseBigInt("-123456789012345678901234567890123456789012345").get_str(),
            "-123456789012345678901234567890123456789012345");
}

// The edges of each word (-1, the sign bit, the largest signed value, 2^bits
// wrapping to 0) are integer_modes_test's first operands, shown in every
// base, and format_test's X panel rows; a range code no file loads is read as QW.
TEST(Integers, AnUnknownRangeIsAQuadWord) { EXPECT_EQ(WordSizeOf(7).bits, 64); }

TEST(RoundDigits, HalfAwayFromZero) {
  const struct {
    const char* text;
    int n;
    const char* expected;
  } cases[] = {
      {"2.5", 0, "3"},       {"-2.5", 0, "-3"},        {"0.005", 2, "0.01"},   {"0.004", 2, "0.00"},
      {"-0.005", 2, "-0.01"}, {"999.5", 0, "1000"},    {"9.996", 2, "10.00"},  {"1.25", 1, "1.3"},
      {"1.2", 5, "1.2"},     {"12", 2, "12"},          {"1.5e-120", 0, "2e-120"}, {"-.5", 0, "-1"},
      {"0012.5", 0, "13"},   {"12.34", 0, "12"},       {"", 2, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundDigits(c.text, c.n), c.expected) << c.text << " " << c.n;
}

// Rounding and then padding to n decimals gives what padding first with 32
// zeros (and a point) and then rounding gives.
TEST(RoundDigits, PaddedAgreesWithPaddingFirst) {
  std::mt19937 rng(61);
  const char alphabet[] = "0123456789999995.-e";
  for (int t = 0; t < 100000; ++t) {
    std::string text(rng() % 12, ' ');
    for (char& c : text) c = alphabet[rng() % (sizeof alphabet - 1)];
    const int n = static_cast<int>(rng() % 33);
    const size_t e = std::min(text.find('e'), text.size());
    std::string head = text.substr(0, e);
    if (head.find('.') == std::string::npos) head += '.';
    const std::string padded = head + std::string(32, '0') + text.substr(e);
    ASSERT_EQ(RoundDigitsPadded(text, n), RoundDigits(padded, n)) << '"' << text << "\" " << n;
  }
}

// Linear in the length: a megabyte of nines carries through every digit.
TEST(RoundDigits, CarryThroughAMegabyte) {
  const std::string nines = std::string(1 << 20, '9') + ".5";
  const std::string rounded = RoundDigits(nines, 0);
  EXPECT_EQ(rounded.size(), nines.size() - 1);
  EXPECT_EQ(rounded.front(), '1');
  EXPECT_EQ(rounded.find_first_not_of('0', 1), std::string::npos);
}

}  // namespace
}  // namespace vxc
