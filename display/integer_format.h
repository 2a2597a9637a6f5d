// The word-size steps of the integer display, shared with the tests.
#pragma once

#include <gmpxx.h>

#include "integer.h"

namespace vxc {

// value := its word in two's complement, 0 .. 2^N - 1 (-1 in B becomes 255).
void MaskToRange(mpz_class& value, const WordSize& word);

// Reduces value to the word and reads it as a signed N-bit number: value
// then holds the magnitude, and the result says whether it is negative.
bool SignedInRange(mpz_class& value, const WordSize& word);

}  // namespace vxc
