// Parse, print, parse again: the second print equals the first; and a
// positional text is taken as canonical exactly when printing its value
// returns it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "real.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string first = vxc::Real::FromString(text).ToCanonicalText();
  const std::string second = vxc::Real::FromString(first).ToCanonicalText();
  if (first != second) abort();
  // The display's shortcut agrees with the conversion it skips.
  if (vxc::IsCanonicalDecimal(text) != (first == text && text.find('e') == std::string::npos)) abort();
  for (int radix : {2, 8, 16}) {
    const std::string typed = vxc::Real::FromString(text, radix).ToCanonicalText();
    if (typed.find_first_not_of("-0123456789.e+") != std::string::npos) abort();
  }
  return 0;
}
