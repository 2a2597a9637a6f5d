// Writes tests/reference/real_functions.txt: reference values of the REAL
// function keys, computed with MPFR at 1024 bits and printed with 96
// significant digits. Not part of the build; regenerate with
//
//   tests/reference/make_reference.sh
//
// Each line: KEY ANGLE Y X EXPECTED ("-" where a column does not apply).
//
// The operands are read the way the calculator reads them, correctly
// rounded to 256 bits, so that the reference measures the function and not
// the decimal input (ln(1 + 1e-30) depends on every bit of its argument).
// SIN, COS and TAN in DEG and GRAD take the angle the way the calculator
// converts it, divided by 180 (200) and then multiplied by pi, each step
// rounded to 256 bits: for 1e30 degrees that conversion already fixes the
// argument to fewer than 76 digits, and the reference checks the function.
// ASIN, ACOS and ATAN are converted from radians at full precision.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <mpfr.h>

namespace {

constexpr mpfr_prec_t kWork = 1024;
constexpr mpfr_prec_t kCalculator = 256;

struct Row {
  const char* key;
  const char* angle;  // DEG, RAD, GRAD or "-"
  const char* y;      // Y^X only
  const char* x;
};

std::vector<Row> Rows() {
  std::vector<Row> rows;
  auto add = [&rows](const char* key, const char* angle, const char* y, std::initializer_list<const char*> xs) {
    for (const char* x : xs) rows.push_back({key, angle, y, x});
  };
  add("LN", "-", "-",
      {"1", "2", "10", "0.5", "1e-50", "1e30", "1.000000000000000000000000000001", "0.999", "2.718281828459045",
       "1e-99", "1e99", "3.7", "123456.789", "7e-5", "42", "0.1", "99999999999999999999", "1.5e-120", "5e150",
       "1e-300", "0.3333333333333333333333"});
  add("LOG", "-", "-",
      {"1", "10", "100", "1e30", "1e-50", "2", "0.5", "3", "1e99", "1e-99", "7.5", "1234.5678", "0.001",
       "1.0000001", "9.99999", "1e300", "2e-200", "31.6227766", "0.2", "86400", "1.000000000000000000000000000001"});
  add("X2", "-", "-",
      {"0", "1", "-1", "2", "-3.5", "0.1", "1e-50", "1e15", "1e16", "-1e16", "1.4142135623730950488",
       "3.14159", "123456789.123456789", "1e-60", "7e-3", "-0.5", "99999999", "2.5",
       "1.000000000000000000000000000001", "1e-40", "-9.87654321e-7"});
  add("SQRT", "-", "-",
      {"0", "1", "2", "3", "4", "0.5", "1e-50", "1e30", "1e-99", "0.01", "10", "1.5e-120", "123456789", "1e63",
       "2.25", "1e-300", "4.5e-201", "0.3", "99", "1.000000000000000000000000000001", "1e31"});
  add("EXP", "-", "-",
      {"0", "1", "-1", "0.5", "2", "10", "-10", "1e-50", "-1e-50", "73", "-230", "50", "-100", "0.001", "3.3",
       "-0.7", "20.5", "1e-10", "-1000", "2.302585092994045684", "1e-30", "-70", "-150"});
  add("INV", "-", "-",
      {"1", "2", "3", "-3", "7", "0.5", "1e30", "1e-31", "1e99", "1e300", "-7e-20", "3.14159265358979", "0.3",
       "9", "11", "1.000000000000000000000000000001", "123456789", "0.0009765625", "6.02214076e23", "1e-32",
       "-1e-40"});
  // Y^X: y in the Y column, the exponent in the X column.
  const char* pow[][2] = {{"2", "10"},     {"2", "0.5"},    {"2", "-1"},      {"10", "-150"},  {"1.5", "2.5"},
                          {"-2", "3"},     {"-2", "-3"},    {"-1.5", "4"},    {"0", "5"},      {"1", "1e30"},
                          {"7", "1e-50"},  {"1e30", "1.05"}, {"0.5", "100"},  {"3", "-0.25"},  {"2", "100"},
                          {"1e-50", "2"},  {"9", "0.5"},    {"2.718281828", "3.14159"},        {"100", "-2.5"},
                          {"123.456", "0.123"},             {"0.001", "-10"}, {"-0.5", "-7"},  {"1e-300", "-0.1"}};
  for (auto& p : pow) rows.push_back({"POW", "-", p[0], p[1]});

  for (const char* key : {"SIN", "COS", "TAN"}) {
    const bool tan = std::strcmp(key, "TAN") == 0;
    add(key, "RAD", "-",
        {"0", "0.5", "1", "-1", "1e-50", "1e30", "1e10", "3.14159265358979323846", "100", "-7.5", "1.5707963",
         "1.5707963267948966", "-1e-20"});
    add(key, "DEG", "-", {"30", "45", "60", "135", "-30", "1e30", "1e-50", "0.001", "123.456", "720.5", "-1e20"});
    if (!tan) add(key, "DEG", "-", {"90", "180", "270", "360"});  // tan 90 and 270: pole
    add(key, "GRAD", "-", {"50", "150", "-50", "33.3", "1e-50", "250"});
    if (!tan) add(key, "GRAD", "-", {"100", "200", "300"});
  }
  for (const char* key : {"ASIN", "ACOS"}) {
    add(key, "RAD", "-", {"1", "-1", "0", "0.5", "1e-50", "0.9999999999999999999999999", "0.3", "-0.123456789"});
    add(key, "DEG", "-",
        {"1", "-1", "0.5", "-0.5", "0.70710678118654752440084436210484903928", "0", "1e-50", "-0.25", "0.99",
         "0.86602540378443864676372317075293618347"});
    add(key, "GRAD", "-", {"1", "-1", "0.5", "-0.8", "1e-30"});
  }
  add("ATAN", "RAD", "-", {"0", "1", "-1", "1e-50", "1e30", "-1e30", "1e99", "0.5", "2", "10", "1e-300"});
  add("ATAN", "DEG", "-",
      {"1", "-1", "1.7320508075688772935274463415058723669", "0.57735026918962576450914878050195745565", "1e30",
       "1e-50", "-3"});
  add("ATAN", "GRAD", "-", {"1", "-1", "0.25", "1e40", "-1e-20"});
  // The functions of the Function menu (ANGLE never matters to them).
  add("TENX", "-", "-", {"0.5", "-7.25", "31.999", "1e-40", "-123.456"});
  add("SINH", "-", "-", {"0.5", "-3", "1e-30", "70"});
  add("COSH", "-", "-", {"0.5", "-3", "1e-20", "70"});
  add("TANH", "-", "-", {"0.5", "-3", "1e-30", "40"});
  add("ASINH", "-", "-", {"0.5", "-3", "1e-30", "1e30"});
  add("ACOSH", "-", "-", {"1.5", "3", "1.000000000000000000000000000001", "1e30"});
  add("ATANH", "-", "-", {"0.5", "-0.999", "1e-30", "0.9999999999999999999999999999"});
  add("TORAD", "-", "-", {"1", "-57.3", "1e-30", "1e30"});
  add("TODEG", "-", "-", {"1", "-0.5", "1e-30", "6.283185307179586"});
  const char* two[][3] = {{"XROOT", "2", "3"},   {"XROOT", "-5", "7"},  {"XROOT", "1e30", "-5"}, {"XROOT", "10", "0.3"},
                          {"MOD", "1e30", "7.1"}, {"MOD", "-2.5", "0.3"}, {"PCT", "7.77", "3.3"}, {"PCT", "-1e-30", "0.07"},
                          {"DPCT", "3", "7"},     {"DPCT", "7", "3"},    {"DPCT", "1e30", "1e-30"}};
  for (auto& t : two) rows.push_back({t[0], "-", t[1], t[2]});
  return rows;
}

// A calculator operand: correctly rounded to 256 bits, held at 1024.
void ReadOperand(mpfr_t out, const char* text) {
  mpfr_t r;
  mpfr_init2(r, kCalculator);
  mpfr_set_str(r, text, 10, MPFR_RNDN);
  mpfr_set(out, r, MPFR_RNDN);
  mpfr_clear(r);
}

// Degrees or grads to radians by the calculator's two 256-bit steps.
void CalculatorRadians(mpfr_t x, const char* angle) {
  if (std::strcmp(angle, "DEG") != 0 && std::strcmp(angle, "GRAD") != 0) return;
  mpfr_t t, pi;
  mpfr_inits2(kCalculator, t, pi, (mpfr_ptr)0);
  mpfr_const_pi(pi, MPFR_RNDN);
  mpfr_div_ui(t, x, std::strcmp(angle, "DEG") == 0 ? 180 : 200, MPFR_RNDN);
  mpfr_mul(t, t, pi, MPFR_RNDN);
  mpfr_set(x, t, MPFR_RNDN);
  mpfr_clears(t, pi, (mpfr_ptr)0);
}

// Radians to degrees or grads at full precision.
void ExactFromRadians(mpfr_t x, const char* angle) {
  if (std::strcmp(angle, "DEG") != 0 && std::strcmp(angle, "GRAD") != 0) return;
  mpfr_t pi;
  mpfr_init2(pi, kWork);
  mpfr_const_pi(pi, MPFR_RNDN);
  mpfr_mul_ui(x, x, std::strcmp(angle, "DEG") == 0 ? 180 : 200, MPFR_RNDN);
  mpfr_div(x, x, pi, MPFR_RNDN);
  mpfr_clear(pi);
}

}  // namespace

int main() {
  mpfr_set_emin(mpfr_get_emin_min());
  mpfr_set_emax(mpfr_get_emax_max());
  std::printf("# Reference values of the REAL function keys: MPFR at 1024 bits, 96 digits.\n");
  std::printf("# Generated by make_reference.cpp; KEY ANGLE Y X EXPECTED.\n");
  mpfr_t x, y, r;
  mpfr_inits2(kWork, x, y, r, (mpfr_ptr)0);
  for (const Row& row : Rows()) {
    ReadOperand(x, row.x);
    const std::string key = row.key;
    if (key == "LN") mpfr_log(r, x, MPFR_RNDN);
    else if (key == "LOG") mpfr_log10(r, x, MPFR_RNDN);
    else if (key == "X2") mpfr_sqr(r, x, MPFR_RNDN);
    else if (key == "SQRT") mpfr_sqrt(r, x, MPFR_RNDN);
    else if (key == "EXP") mpfr_exp(r, x, MPFR_RNDN);
    else if (key == "INV") mpfr_ui_div(r, 1, x, MPFR_RNDN);
    else if (key == "TENX") mpfr_exp10(r, x, MPFR_RNDN);
    else if (key == "SINH") mpfr_sinh(r, x, MPFR_RNDN);
    else if (key == "COSH") mpfr_cosh(r, x, MPFR_RNDN);
    else if (key == "TANH") mpfr_tanh(r, x, MPFR_RNDN);
    else if (key == "ASINH") mpfr_asinh(r, x, MPFR_RNDN);
    else if (key == "ACOSH") mpfr_acosh(r, x, MPFR_RNDN);
    else if (key == "ATANH") mpfr_atanh(r, x, MPFR_RNDN);
    else if (key == "TORAD" || key == "TODEG") {
      mpfr_const_pi(r, MPFR_RNDN);
      if (key == "TORAD") mpfr_mul(r, r, x, MPFR_RNDN), mpfr_div_ui(r, r, 180, MPFR_RNDN);
      else mpfr_mul_ui(x, x, 180, MPFR_RNDN), mpfr_div(r, x, r, MPFR_RNDN);
    } else if (key == "XROOT" || key == "MOD" || key == "PCT" || key == "DPCT") {
      ReadOperand(y, row.y);
      if (key == "XROOT" && mpfr_integer_p(x)) mpfr_rootn_si(r, y, mpfr_get_si(x, MPFR_RNDN), MPFR_RNDN);
      else if (key == "XROOT") mpfr_ui_div(r, 1, x, MPFR_RNDN), mpfr_pow(r, y, r, MPFR_RNDN);
      else if (key == "MOD") {  // floored: the sign of x
        mpfr_fmod(r, y, x, MPFR_RNDN);
        if (!mpfr_zero_p(r) && mpfr_sgn(r) != mpfr_sgn(x)) mpfr_add(r, r, x, MPFR_RNDN);
      } else if (key == "PCT") mpfr_mul(r, y, x, MPFR_RNDN), mpfr_div_ui(r, r, 100, MPFR_RNDN);
      else mpfr_sub(r, x, y, MPFR_RNDN), mpfr_mul_ui(r, r, 100, MPFR_RNDN), mpfr_div(r, r, y, MPFR_RNDN);
    }
    else if (key == "POW") {
      ReadOperand(y, row.y);
      mpfr_pow(r, y, x, MPFR_RNDN);
    } else if (key == "SIN" || key == "COS" || key == "TAN") {
      CalculatorRadians(x, row.angle);
      if (key == "SIN") mpfr_sin(r, x, MPFR_RNDN);
      else if (key == "COS") mpfr_cos(r, x, MPFR_RNDN);
      else mpfr_tan(r, x, MPFR_RNDN);
    } else {
      if (key == "ASIN") mpfr_asin(r, x, MPFR_RNDN);
      else if (key == "ACOS") mpfr_acos(r, x, MPFR_RNDN);
      else mpfr_atan(r, x, MPFR_RNDN);
      ExactFromRadians(r, row.angle);
    }
    mpfr_printf("%s %s %s %s %.95Re\n", row.key, row.angle, row.y, row.x, r);
  }
  mpfr_clears(x, y, r, (mpfr_ptr)0);
  return 0;
}
