// FormatRegister on arbitrary texts in every BASE, DISPLAY mode, word size
// and digit count. The first bytes choose the modes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "display.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  vxc::CalcState s;
  s.base = data[0] % 5;
  s.display = (data[0] / 5) % 3;
  s.range = data[1] % 4;
  s.digits = {data[2] % 33, data[2] % 33, data[2] % 33};
  std::string text(reinterpret_cast<const char*>(data + 3), size - 3);
  const bool wasInteger = vxc::IsIntegerBase(s.base);
  const vxc::LineText line = vxc::FormatRegister(text, s);
  // Integer lines never carry an exponent; a number never grows without bound.
  if (wasInteger && !line.exponent.empty()) abort();
  if (line.main.size() > 2 * size + 1500) abort();
  return 0;
}
