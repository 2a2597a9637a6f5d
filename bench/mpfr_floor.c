/* The MPFR floor: what the least a 256-bit calculator process can do for one
 * key line costs. Reads one argument a line (mpfr_set_str at 256 bits),
 * applies the MPFR function of the calculator's key and prints the result
 * with 76 digits. Trigonometric keys work in ANGLE (DEG unless given), as
 * the calculator does: divided by 180 (200), times pi, and back.
 *
 *   mpfr_floor KEY [ANGLE=DEG|RAD|GRAD]   KEY: SIN COS TAN ASIN ACOS ATAN LN
 *              LOG EXP TENX SQRT SINH COSH TANH ASINH ACOSH ATANH
 *   mpfr_floor XROOT N                    the N-th root of each argument
 *   mpfr_floor CHAIN A B                  x = x + A on a "+" line, else x * B */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <mpfr.h>

typedef int (*Fn)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
static const struct { const char* key; Fn fn; int angle; } kKeys[] = {
    {"SIN", mpfr_sin, 1}, {"COS", mpfr_cos, 1}, {"TAN", mpfr_tan, 1}, {"ASIN", mpfr_asin, -1},
    {"ACOS", mpfr_acos, -1}, {"ATAN", mpfr_atan, -1}, {"LN", mpfr_log, 0}, {"LOG", mpfr_log10, 0},
    {"EXP", mpfr_exp, 0}, {"TENX", mpfr_exp10, 0}, {"SQRT", mpfr_sqrt, 0}, {"SINH", mpfr_sinh, 0},
    {"COSH", mpfr_cosh, 0}, {"TANH", mpfr_tanh, 0}, {"ASINH", mpfr_asinh, 0}, {"ACOSH", mpfr_acosh, 0},
    {"ATANH", mpfr_atanh, 0}, {"XROOT", NULL, 0}, {"CHAIN", NULL, 0}};

int main(int argc, char** argv) {
  size_t k = 0, n = sizeof kKeys / sizeof kKeys[0];
  while (argc > 1 && k < n && strcmp(argv[1], kKeys[k].key) != 0) ++k;
  if (k == n) return fprintf(stderr, "usage: mpfr_floor KEY [ANGLE=DEG|RAD|GRAD | N | A B]\n"), 2;
  const char* key = kKeys[k].key;
  unsigned long half = 180, root = argc > 2 ? strtoul(argv[2], NULL, 10) : 3;
  if (argc > 2 && strcmp(argv[2], "ANGLE=RAD") == 0) half = 0;
  if (argc > 2 && strcmp(argv[2], "ANGLE=GRAD") == 0) half = 200;
  mpfr_t x, a, b, pi;
  mpfr_inits2(256, x, a, b, pi, (mpfr_ptr)0);
  mpfr_const_pi(pi, MPFR_RNDN);
  mpfr_set_str(a, argc > 3 ? argv[2] : "0", 10, MPFR_RNDN);
  mpfr_set_str(b, argc > 3 ? argv[3] : "0", 10, MPFR_RNDN);
  mpfr_set_zero(x, 1);
  char line[4096];
  while (fgets(line, sizeof line, stdin)) {
    line[strcspn(line, "\r\n")] = 0;
    if (strcmp(key, "CHAIN") == 0) {
      if (line[0] == '+') mpfr_add(x, x, a, MPFR_RNDN); else mpfr_mul(x, x, b, MPFR_RNDN);
    } else {
      mpfr_set_str(x, line, 10, MPFR_RNDN);
      if (kKeys[k].angle > 0 && half) mpfr_div_ui(x, x, half, MPFR_RNDN), mpfr_mul(x, x, pi, MPFR_RNDN);
      if (kKeys[k].fn) kKeys[k].fn(x, x, MPFR_RNDN); else mpfr_rootn_ui(x, x, root, MPFR_RNDN);
      if (kKeys[k].angle < 0 && half) mpfr_mul_ui(x, x, half, MPFR_RNDN), mpfr_div(x, x, pi, MPFR_RNDN);
    }
    mpfr_printf("%.75Re\n", x);
  }
  mpfr_clears(x, a, b, pi, (mpfr_ptr)0);
  return 0;
}
