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

struct TextCase {
  const char* input;
  const char* canonical;
};

TEST(Real, FromStringReadsAsFarAsTheTextParses) {
  const TextCase cases[] = {
      {"0", "0"},
      {"", "0"},
      {"-", "0"},
      {"nan", "0"},
      {"inf", "0"},
      {"0x1F", "0"},
      {"  \t-12.5", "-12.5"},
      {"+7", "7"},
      {"- 3", "-3"},
      {"3.1.4", "3.1"},
      {"2,5", "2.5"},
      {".5", "0.5"},
      {"5.", "5"},
      {"1.5e3", "1500"},
      {"1.5 E -3", "0.0015"},
      {"1.5e", "1.5"},
      {"1.5e+", "1.5"},
      {"12abc", "12"},
      {"007.2500", "7.25"},
      {"-0", "0"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(Real::FromString(c.input).ToCanonicalText(), c.canonical) << c.input;
  }
}

TEST(Real, CanonicalTextSwitchesToExponentFormBeyondNinetyNine) {
  EXPECT_EQ(Real::FromString("1e99").ToCanonicalText(), "1" + std::string(99, '0'));
  EXPECT_EQ(Real::FromString("1e100").ToCanonicalText(), "1e+100");
  EXPECT_EQ(Real::FromString("-2.5e300").ToCanonicalText(), "-2.5e+300");
  EXPECT_EQ(Real::FromString("1e-99").ToCanonicalText(), "0." + std::string(98, '0') + "1");
  EXPECT_EQ(Real::FromString("1.5e-120").ToCanonicalText(), "1.5e-120");
  EXPECT_EQ(Real::FromString("0.001").ToCanonicalText(), "0.001");
}

TEST(Real, CanonicalTextKeepsSeventySixDigits) {
  Real pi;
  pi.SetPi();
  EXPECT_EQ(pi.ToCanonicalText(),
            "3.141592653589793238462643383279502884197169399375105820974944592307816406286");
  Real third(1);
  third.Div(Real(3));
  EXPECT_EQ(third.ToCanonicalText(), "0." + std::string(76, '3'));
  // 999.5 / 10 / 10: binary residue does not show.
  Real v = Real::FromString("999.5");
  v.Div(Real(10));
  v.Div(Real(10));
  EXPECT_EQ(v.ToCanonicalText(), "9.995");
  // Integers below 10^76 print every digit.
  const std::string big = "1234567890123456789012345678901234567890123456789012345678901234567890123456";
  EXPECT_EQ(Real::FromString(big).ToCanonicalText(), big);
}

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

// Texts of up to 90 digits are read exactly and rounded once: the value
// MPFR's own correctly rounded reader gives, at every scale, including the
// halfway cases between two 256-bit values.
TEST(Real, FromStringRoundsLikeTheLibraryReader) {
  std::mt19937_64 rng(256);
  mpfr_t expected;
  mpfr_init2(expected, kRealBits);
  for (int t = 0; t < 20000; ++t) {
    std::string text = rng() % 2 ? "-" : "";
    const size_t digits = 1 + rng() % 90;
    for (size_t i = 0; i < digits; ++i) text += static_cast<char>('0' + (i == 0 ? 1 + rng() % 9 : rng() % 10));
    if (rng() % 2) text.insert(text.size() - rng() % digits, ".");
    if (rng() % 3 == 0) text += "e" + std::to_string(static_cast<long>(rng() % 1000) - 500);
    if (t % 5 == 0) {
      // Exactly halfway between two 256-bit values: (2^256 + odd) / 2^k,
      // written out in full (at most 90 digits).
      mpz_class v = (mpz_class(1) << 256) + mpz_class(static_cast<unsigned long>(rng() % 1000000) * 2 + 1);
      const unsigned k = static_cast<unsigned>(rng() % 13);
      mpz_class five;
      mpz_ui_pow_ui(five.get_mpz_t(), 5, k);
      text = mpz_class(v * five).get_str();
      if (k > 0) text.insert(text.size() - k, ".");
      if (rng() % 2) text.insert(0, "-");
    }
    mpfr_set_str(expected, text.c_str(), 10, MPFR_RNDN);
    const Real read = Real::FromString(text);
    ASSERT_TRUE(mpfr_equal_p(read.raw(), expected) || (mpfr_zero_p(expected) && read.IsZero())) << text;
  }
  mpfr_clear(expected);
}

TEST(Real, ReturnCodes) {
  Real r(1);
  EXPECT_NE(r.Div(Real(0)), kRealOk);
  EXPECT_EQ(r.ToCanonicalText(), "1");  // unchanged
  Real z(0);
  EXPECT_EQ(z.Pow(Real(0)), kRealImproper);
  Real n(-8);
  EXPECT_EQ(n.Pow(Real::FromString("0.5")), kRealImproper);
  Real m(-2);
  EXPECT_EQ(m.Pow(Real(3)), kRealOk);
  EXPECT_EQ(m.ToCanonicalText(), "-8");
  Real s(-4);
  EXPECT_EQ(s.Sqrt(), kRealImproper);
  Real l(0);
  EXPECT_EQ(l.Ln(), kRealImproper);
  Real huge = Real::FromString("1e999999999999999999");
  EXPECT_EQ(huge.Mul(huge), kRealCarry);
}

TEST(Real, ConversionsToMachineIntegers) {
  EXPECT_EQ(Real::FromString("70.9").ToUInt(), 70u);
  EXPECT_EQ(Real::FromString("-5.5").ToUInt(), 5u);
  EXPECT_EQ(Real::FromString("18446744073709551615").ToUInt(), 18446744073709551615ull);
  EXPECT_EQ(Real::FromString("18446744073709551616").ToUInt(), 0u);
}

TEST(Integers, ReadingAndPrinting) {
  EXPECT_EQ(Int128ToString(ParseInt128("2.5")), "2");
  EXPECT_EQ(Int128ToString(ParseInt128("-3.7")), "-3");
  EXPECT_EQ(Int128ToString(ParseInt128("")), "0");
  EXPECT_EQ(Int128ToString(ParseInt128("  -170141183460469231731687303715884105728")),
            "-170141183460469231731687303715884105728");
  // 2^128 + 5 wraps to 5.
  EXPECT_EQ(Int128ToString(ParseInt128("340282366920938463463374607431768211461")), "5");
  EXPECT_EQ(UInt128ToString(ParseUInt128("-5", 10)), "0");
  EXPECT_EQ(UInt128ToString(ParseUInt128("1f", 16), 16), "1F");
  EXPECT_EQ(ParseBigInt("-123456789012345678901234567890123456789012345").get_str(),
            "-123456789012345678901234567890123456789012345");
}

TEST(Integers, WordSizeEdges) {
  struct Row {
    uint32_t range;
    int bits;
    const char* maskSigned;  // the word mask read as signed
    const char* signBitSigned;
    const char* maxSigned;
  };
  const Row rows[] = {
      {0, 64, "-1", "-9223372036854775808", "9223372036854775807"},
      {1, 32, "-1", "-2147483648", "2147483647"},
      {2, 16, "-1", "-32768", "32767"},
      {3, 8, "-1", "-128", "127"},
      {7, 64, "-1", "-9223372036854775808", "9223372036854775807"},  // unknown code: QW
  };
  for (const Row& r : rows) {
    const WordSize w = WordSizeOf(r.range);
    EXPECT_EQ(w.bits, r.bits);
    EXPECT_EQ(SignedWordText(w.mask, w), r.maskSigned);
    EXPECT_EQ(SignedWordText(w.signBit, w), r.signBitSigned);
    EXPECT_EQ(std::to_string(w.MaxSigned()), r.maxSigned);
    EXPECT_EQ(UnsignedWordText(UInt128(w.mask) + 1, w), "0");  // one above the mask wraps
    EXPECT_EQ(UnsignedWordText(static_cast<UInt128>(Int128(-1)), w), std::to_string(w.mask));
  }
}

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

// The rounding written out step by step, copying as it goes: the behaviour
// the one-pass RoundDigits must keep on any text, number or not.
std::string RoundDigitsStepByStep(std::string_view text, int n) {
  if (n < 0) n = 0;
  const size_t p = std::min(text.find('.'), text.size());
  const size_t e = std::min(text.find_first_of("eE"), text.size());
  std::string work(text.substr(0, e));
  const size_t i = std::min(p + 1 + static_cast<size_t>(n), work.size());
  if (i < work.size() && work[i] >= '5' && work[i] <= '9') {
    const bool negative = !work.empty() && work[0] == '-';
    std::string digits = work.substr(negative ? 1 : 0, i - (negative ? 1 : 0));
    size_t k = digits.size(), insertAt = 0;
    bool carry = true;
    while (carry && k > 0) {
      char& c = digits[--k];
      if (c == '.') continue;
      if (c >= '0' && c <= '8') {
        ++c;
        carry = false;
      } else if (c == '9') {
        c = '0';
      } else {
        insertAt = k + 1;
        break;
      }
    }
    if (carry) digits.insert(digits.begin() + static_cast<long>(insertAt), '1');
    size_t start = 0;
    while (start + 1 < digits.size() && digits[start] == '0' && digits[start + 1] != '.') ++start;
    digits.erase(0, start);
    if (!digits.empty() && digits[0] == '.') digits.insert(digits.begin(), '0');
    work = (negative ? "-" : "") + digits;
  }
  const size_t point = work.find('.');
  if (point != std::string::npos) {
    const size_t keep = n == 0 ? point : point + 1 + static_cast<size_t>(n);
    if (keep < work.size()) work.resize(keep);
  }
  return work + std::string(text.substr(e));
}

TEST(RoundDigits, AgreesWithTheStepsOnAnyText) {
  std::mt19937 rng(16);
  const char alphabet[] = "0123456789999995.-+eEx";
  for (int t = 0; t < 200000; ++t) {
    std::string text(rng() % 14, ' ');
    for (char& c : text) c = alphabet[rng() % (sizeof alphabet - 1)];
    if (rng() % 3 == 0) text = std::to_string(rng() % 1000) + "." + std::to_string(rng());
    const int n = static_cast<int>(rng() % 8) - 1;
    ASSERT_EQ(RoundDigits(text, n), RoundDigitsStepByStep(text, n)) << '"' << text << "\" " << n;
  }
}

// Padding first with 32 zeros (and a point) and then rounding gives what
// rounding and then padding to n decimals gives.
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
    ASSERT_EQ(RoundDigitsPadded(text, n), RoundDigitsStepByStep(padded, n)) << '"' << text << "\" " << n;
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

TEST(ThirtyTwoDigits, PiAndFriends) {
  Real pi;
  pi.SetPi();
  EXPECT_EQ(ThirtyTwoDigitText(pi.ToCanonicalText()), "3.1415926535897932384626433832795");
  EXPECT_EQ(ThirtyTwoDigitText("-0.5"), "-0.5");
  // Below 0.1 the zeros after the point do not count as digits.
  EXPECT_EQ(ThirtyTwoDigitText("0.00000000000000000000000000000000000000000003720075976020835962959695803863118337"),
            "0.00000000000000000000000000000000000000000003720075976020835962959695803863");
  EXPECT_EQ(ThirtyTwoDigitText("-0.001234567890123456789012345678901234567"),
            "-0.001234567890123456789012345678901");
  EXPECT_EQ(ThirtyTwoDigitText(std::string(40, '7')), std::string(40, '7'));
  // A carry into a new integer digit still leaves 32 digits.
  EXPECT_EQ(ThirtyTwoDigitText("9." + std::string(40, '9')), "10." + std::string(30, '0'));
}

}  // namespace
}  // namespace vxc
